#include "platform/db/Query.h"

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "tests/support/BillingFixture.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <memory>

using yvo::db::Connection;
using yvo::db::DbError;
using yvo::db::FieldDef;
using yvo::db::FieldKind;
using yvo::db::Query;

namespace {

// A serial date as an SQL expression, e.g. serial("2024-03-01 10:30").
QString serial(const char* when) {
    return QStringLiteral("(julianday('%1') - julianday('1899-12-30'))").arg(QLatin1String(when));
}

class QueryTest : public testing::Test {
protected:
    void useFile(const QString& sql) {
        fixture = std::make_unique<yvo::test::BillingFixture>(sql);
        connection.setConnectionString(QStringLiteral("Data Source=") + fixture->file());
    }
    std::unique_ptr<Query> query(const QStringList& lines) {
        auto q = std::make_unique<Query>(QStringLiteral("QTest"), connection);
        q->sql().assign(lines);
        return q;
    }
    QString messageOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const DbError& error) {
            return error.message();
        }
        return QStringLiteral("(no error)");
    }

    std::unique_ptr<yvo::test::BillingFixture> fixture;
    Connection connection;
};

TEST_F(QueryTest, TextIsEveryLineFollowedByCrLf) {
    Query q(QStringLiteral("Q"), connection);
    q.sql().assign(QStringList{QStringLiteral("SELECT "), QStringLiteral("FNUM"), QStringLiteral("FROM ")});
    EXPECT_EQ(q.sql().text(), QStringLiteral("SELECT \r\nFNUM\r\nFROM \r\n"));
}

TEST_F(QueryTest, ReadsParametersOutsideQuotesBracketsAndComments) {
    auto q = query({QStringLiteral("select ':NOTME', \"x:NOR\", [a:NEITHER] -- :COMMENT"),
                    QStringLiteral("where a = :ONE and b = :two and c = :ONE and d=:Three_3")});
    QStringList names;
    for (const auto& p : q->parameters())
        names << p->name();
    EXPECT_EQ(names, (QStringList{QStringLiteral("ONE"), QStringLiteral("two"), QStringLiteral("Three_3")}));
    EXPECT_EQ(&q->parameterByName(QStringLiteral("TWO")), q->parameters()[1].get()) << "names ignore case";
    EXPECT_EQ(messageOf([&] { q->parameterByName(QStringLiteral("DATE1")); }),
              QStringLiteral("QTest: Parameter 'DATE1' not found"));
}

TEST_F(QueryTest, ReplacingLinesRereadsParametersAndKeepsValuesOfSameNames) {
    auto q = query({QStringLiteral("where a = :A and b = :B")});
    q->parameterByName(QStringLiteral("A")).setValue(QStringLiteral("kept"));
    q->sql().insert(1, QStringLiteral("and c = :C"));
    ASSERT_EQ(q->parameters().size(), 3u);
    EXPECT_EQ(q->parameterByName(QStringLiteral("A")).value().toString(), QStringLiteral("kept"));
    q->sql().assign(QStringList{QStringLiteral("where c = :C")});
    EXPECT_EQ(q->parameters().size(), 1u);
}

TEST_F(QueryTest, SnapshotRewindsAndFieldsIgnoreCase) {
    useFile(QStringLiteral("INSERT INTO INEXTB VALUES (1, 'Rent', 'EX'), (2, 'Fees', 'IN');"));
    auto q = query({QStringLiteral("SELECT * FROM InExTB ORDER BY ProductCode")});
    q->open();
    ASSERT_EQ(q->recordCount(), 2);
    EXPECT_EQ(q->fieldByName(u"description").asString(), QStringLiteral("Rent"));
    EXPECT_EQ(q->fieldByName(u"PRODUCTCODE").asInteger(), 1);
    // The file changes; the open snapshot does not.
    fixture->exec(QStringLiteral("DELETE FROM INEXTB;"));
    q->next();
    EXPECT_EQ(q->fieldByName(u"DESCRIPTION").asString(), QStringLiteral("Fees"));
    q->next();
    EXPECT_TRUE(q->eof());
    q->first();
    EXPECT_EQ(q->fieldByName(u"DESCRIPTION").asString(), QStringLiteral("Rent"));
    EXPECT_EQ(messageOf([&] { q->fieldByName(u"Missing"); }),
              QStringLiteral("QTest: Field 'Missing' not found"));
    q->close();
    q->open();
    EXPECT_TRUE(q->eof()) << "a reopened query reads the file anew";
}

TEST_F(QueryTest, ColumnKindsFollowTheSchemaAndComputedValues) {
    useFile(QStringLiteral("INSERT INTO CLIENTS VALUES (1, 'Ann', 'Lee', 'Acme', 1, 0, 0);"
                           "INSERT INTO TRANS VALUES (1, 1, 5, %1, 100, 40);")
                .arg(serial("2024-03-01 06:00")));
    auto q =
        query({QStringLiteral("SELECT c.company, c.CNUM, t.DATE, SUM([Amount Paid]) AS Paid, count(*) AS N"),
               QStringLiteral("FROM CLIENTS c, TRANS t WHERE c.ClientID = t.CLIENTID")});
    q->open();
    EXPECT_EQ(q->fieldByName(u"company").kind(), FieldKind::WideText);
    EXPECT_EQ(q->fieldByName(u"CNUM").kind(), FieldKind::Boolean);
    EXPECT_TRUE(q->fieldByName(u"CNUM").asBoolean());
    EXPECT_EQ(q->fieldByName(u"DATE").kind(), FieldKind::DateTime);
    EXPECT_EQ(q->fieldByName(u"date").asDateTime(), QDateTime(QDate(2024, 3, 1), QTime(6, 0), Qt::UTC));
    EXPECT_EQ(q->fieldByName(u"Paid").kind(), FieldKind::Float);
    EXPECT_DOUBLE_EQ(q->fieldByName(u"Paid").asFloat(), 40.0);
    EXPECT_EQ(q->fieldByName(u"N").kind(), FieldKind::Integer);
}

TEST_F(QueryTest, DeclaredFieldsBindByNameAndCheckKinds) {
    useFile(QStringLiteral("INSERT INTO INEXTB VALUES (1, 'Rent', 'EX');"));
    struct Case {
        const char* why;
        std::vector<FieldDef> defs;
        const char* expected;
    };
    const Case cases[] = {
        {"names bind ignoring case",
         {{QStringLiteral("description"), FieldKind::WideText, 50}},
         "(no error)"},
        {"a missing column",
         {{QStringLiteral("Catagory"), FieldKind::WideText, 50}},
         "QTest: Field 'Catagory' not found"},
        {"text where a number is declared",
         {{QStringLiteral("TYPE"), FieldKind::Float}},
         "QTest: Type mismatch for field 'TYPE', expecting: Float actual: WideString"},
        {"an integer is no Yes/No",
         {{QStringLiteral("ProductCode"), FieldKind::Boolean}},
         "QTest: Type mismatch for field 'ProductCode', expecting: Boolean actual: Integer"},
    };
    for (const Case& c : cases) {
        auto q = query({QStringLiteral("SELECT * FROM INEXTB")});
        q->setFieldDefs(c.defs);
        EXPECT_EQ(messageOf([&] { q->open(); }), QString::fromUtf8(c.expected)) << c.why;
        if (QString::fromUtf8(c.expected) != QStringLiteral("(no error)")) {
            EXPECT_FALSE(q->active()) << c.why;
        }
    }
}

TEST_F(QueryTest, DeclaredFieldsAreTheOnlyFields) {
    useFile(QStringLiteral("INSERT INTO INEXTB VALUES (1, 'Rent', 'EX');"));
    auto q = query({QStringLiteral("SELECT * FROM INEXTB")});
    q->setFieldDefs({{QStringLiteral("DESCRIPTION"), FieldKind::WideText, 50}});
    q->open();
    EXPECT_EQ(q->fieldCount(), 1);
    EXPECT_EQ(messageOf([&] { q->fieldByName(u"TYPE"); }), QStringLiteral("QTest: Field 'TYPE' not found"));
}

TEST_F(QueryTest, CalculatedFieldHookRunsForEveryRecord) {
    useFile(QStringLiteral("INSERT INTO INEXTB VALUES (1, 'Rent', 'EX'), (2, 'Fees', 'IN');"));
    auto q = query({QStringLiteral("SELECT * FROM INEXTB ORDER BY ProductCode")});
    q->setFieldDefs({{QStringLiteral("TYPE"), FieldKind::WideText, 10},
                     {QStringLiteral("Label"), FieldKind::Text, 30, 0, false, true}});
    int calls = 0;
    q->setOnCalcFields([&](Query& dataSet) {
        ++calls;
        dataSet.fieldByName(u"Label").setAsString(QStringLiteral("type ") +
                                                  dataSet.fieldByName(u"TYPE").asString());
    });
    q->open();
    EXPECT_EQ(q->fieldByName(u"label").asString(), QStringLiteral("type EX"));
    q->next();
    EXPECT_EQ(q->fieldByName(u"Label").asString(), QStringLiteral("type IN"));
    q->first();
    EXPECT_EQ(q->fieldByName(u"Label").asString(), QStringLiteral("type EX"))
        << "revisited records are recalculated";
    EXPECT_EQ(calls, 3);
    EXPECT_THROW(q->fieldByName(u"Label").setAsString(QStringLiteral("outside the hook")), DbError);
}

// Transactions on and around the range 3/1/2024 .. 3/31/2024.
class DateRange : public QueryTest {
protected:
    void SetUp() override {
        useFile(QStringLiteral("INSERT INTO TRANS VALUES"
                               " (1, 1, 1, %1, 1, 1)," // the day before: out
                               " (2, 1, 1, %2, 2, 2)," // the start date: in
                               " (3, 1, 1, %3, 4, 4)," // the end date at midnight: in
                               " (4, 1, 1, %4, 8, 8)," // the end date at 9:15: out, as in the billing engine
                               " (5, 1, 1, %5, 16, 16);") // the start date with a time: in
                    .arg(serial("2024-02-29 23:59"), serial("2024-03-01"), serial("2024-03-31"),
                         serial("2024-03-31 09:15"), serial("2024-03-01 08:00")));
    }
    double paidBetween(const QString& from, const QString& to) {
        auto q = query({QStringLiteral("SELECT SUM([Amount Paid]) AS Paid FROM TRANS T"),
                        QStringLiteral("WHERE T.DATE between :DATE1 and :DATE2")});
        q->parameterByName(QStringLiteral("DATE1")).setValue(from);
        q->parameterByName(QStringLiteral("DATE2")).setValue(to);
        q->open();
        return q->fieldByName(u"Paid").asFloat();
    }
};

TEST_F(DateRange, ShortDateTextIsComparedAsDateWithInclusiveEnds) {
    EXPECT_DOUBLE_EQ(paidBetween(QStringLiteral("3/1/2024"), QStringLiteral("3/31/2024")), 2 + 4 + 16);
    EXPECT_DOUBLE_EQ(paidBetween(QStringLiteral("3/31/2024"), QStringLiteral("3/1/2024")), 0)
        << "reversed range";
    yvo::test::LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_DOUBLE_EQ(paidBetween(QStringLiteral("01.03.2024"), QStringLiteral("31.03.2024")), 2 + 4 + 16);
}

TEST_F(QueryTest, TextThatIsNoDateIsBoundAsText) {
    useFile(
        QStringLiteral("INSERT INTO INEXTB VALUES (1, 'Rent', 'EX'), (2, 'Fees', 'IN'), (3, 'Odd', 'in');"));
    auto q = query({QStringLiteral("SELECT * FROM InExTB WHERE"), QStringLiteral("TYPE = :TYPE1 OR"),
                    QStringLiteral("TYPE = :TYPE2")});
    q->parameterByName(QStringLiteral("TYPE1")).setValue(QStringLiteral("IN"));
    q->parameterByName(QStringLiteral("TYPE2")).setValue(QStringLiteral("IN"));
    q->open();
    EXPECT_EQ(q->recordCount(), 2) << "text compares without regard to case";
}

TEST_F(QueryTest, BrokenSqlAndMissingFileRaiseTheEnginesError) {
    useFile({});
    auto broken = query({QStringLiteral("SELECT FROM WHERE")});
    EXPECT_NE(messageOf([&] { broken->open(); }), QStringLiteral("(no error)"));
    EXPECT_FALSE(broken->active());

    Connection nowhere;
    nowhere.setConnectionString(QStringLiteral("Data Source=/nonexistent/folder/YVO.mdb"));
    Query q(QStringLiteral("Q"), nowhere);
    q.sql().assign(QStringList{QStringLiteral("select 1")});
    EXPECT_EQ(messageOf([&] { q.open(); }),
              QStringLiteral("Could not find file '/nonexistent/folder/YVO.mdb'"));
}

TEST_F(QueryTest, DisconnectingClosesTheQueries) {
    useFile({});
    auto q = query({QStringLiteral("SELECT * FROM INEXTB")});
    q->open();
    connection.setConnected(false);
    EXPECT_FALSE(q->active());
}

} // namespace
