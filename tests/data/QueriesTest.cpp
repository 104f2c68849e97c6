#include "data/OpenAccountDataModule.h"
#include "data/YVODataModule.h"
#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/Query.h"
#include "tests/support/BillingFixture.h"

#include <gtest/gtest.h>
#include <memory>

using yvo::db::FieldKind;
using yvo::db::Query;

namespace {

QString serial(const char* when) {
    return QStringLiteral("(julianday('%1') - julianday('1899-12-30'))").arg(QLatin1String(when));
}

// The stored lines, "|" between lines, so trailing blanks stay visible.
QString joined(const Query& q) {
    return q.sql().lines().join(QLatin1Char('|'));
}

TEST(StoredSql, EveryQueryHoldsItsLinesExactly) {
    TdmYVO yvo;
    TdmOpenAccount open;
    EXPECT_EQ(joined(*yvo.QCatagory),
              QStringLiteral("SELECT |*|FROM|InExTB|WHERE|TYPE = :TYPE1 OR|TYPE = :TYPE2"));
    EXPECT_EQ(joined(*yvo.QNumberOfProduct),
              QStringLiteral("select|count(*) as NumberOfProduct|from |InExTB"));
    EXPECT_EQ(
        joined(*yvo.QDetailReport),
        QStringLiteral(
            "SELECT |I.DESCRIPTION as Catagory,  |[c].[first name] AS FirstName, |"
            "[c].[last name] AS LastName, |[c].[company], |SUM([T].[Total Amount Due]) AS TotalDue, |"
            "SUM([T].[Amount Paid]) AS TotalPaid,|CNUM,|LNUM,|FNUM|FROM |CLIENTS AS C, |TRANS AS T, |"
            "INEXTB AS I|WHERE |T.DATE between :DATE1 and :DATE2 and|[c].ClientID = T.CLIENTID and|"
            "T.ProductCode = I.ProductCode and|TRUE|"
            "GROUP BY I.DESCRIPTION, [c].[first name], [c].[last name], [c].[company],|CNUM,|LNUM,|FNUM;"));
    EXPECT_EQ(
        joined(*yvo.QSummary),
        QStringLiteral("select |I.TYPE ,|I.DESCRIPTION as Category,|SUM([T].[Total Amount Due]) as Due,|"
                       "SUM([T].[Amount Paid]) as Paid  |from |TRANS T,|InExTb I|where |"
                       "T.DATE between :DATE1 and :DATE2 and|T.ProductCode = I.ProductCode and|TRUE|"
                       "group BY I.TYPE,I.DESCRIPTION|order by I.TYPE"));
    EXPECT_EQ(joined(*yvo.QInExDetail),
              QStringLiteral("SELECT |I.TYPE as TYPE,  |SUM([T].[Total Amount Due]) AS TotalDue, |"
                             "SUM([T].[Amount Paid]) AS TotalPaid|FROM |TRANS AS T, |INEXTB AS I|WHERE |"
                             "T.DATE between :DATE1 and :DATE2 and|T.ProductCode = I.ProductCode and|TRUE|"
                             "GROUP BY I.TYPE|ORDER BY I.TYPE"));
    EXPECT_EQ(joined(*open.QOpenAccount),
              QStringLiteral(
                  "SELECT |[t].[total amount due] as amountdue,|[t].[amount paid] as amountpaid,|t.date,|"
                  "i.description as category,|c.[first name],|c.[last name],|c.[company],|"
                  "[Total Amount Due] -  [Amount Paid] as Balance|from |trans as t,|clients as c,|"
                  "inextb as i|where |[Total Amount Due] > [Amount Paid] and|t.clientID = c.clientID and|"
                  "t.productcode=i.productcode"));
    EXPECT_EQ(yvo.QDetailReport->sql().indexOf(u"TRUE"), 18);
    EXPECT_EQ(yvo.QSummary->sql().indexOf(u"TRUE"), 11);
    EXPECT_EQ(yvo.QInExDetail->sql().indexOf(u"TRUE"), 10);
    EXPECT_EQ(yvo.QDetailReport->parameters().size(), 2u);
    EXPECT_EQ(yvo.QNumberOfProduct->parameters().size(), 0u);
    EXPECT_FALSE(yvo.ADOC->loginPrompt());
}

// A small business: two identical client rows, case-different category names, an odd type code,
// transactions on the range's edges, a transaction of a missing client and one of a missing product.
const QString kFixture = QStringLiteral(R"(
INSERT INTO CLIENTS VALUES (1, 'Ann', 'Lee', 'Acme', 0, 0, 0),
                           (2, 'Ann', 'Lee', 'Acme', 0, 0, 0),
                           (3, 'Bob', 'Roe', NULL, 0, 1, 0);
INSERT INTO INEXTB VALUES (10, 'Consulting', 'IN'), (11, 'CONSULTING', 'IN'), (20, 'Rent', 'EX'),
                          (30, 'Misc', 'XX'), (40, 'Lower', 'in');
INSERT INTO TRANS VALUES
  (1, 1, 10, %1, 100, 100),
  (2, 2, 11, %2, 50, 20),
  (3, 3, 20, %3, 30, 30),
  (4, 3, 20, %4, 999, 999),
  (5, 9, 10, %2, 70, 0),
  (6, 1, 99, %2, 80, 0),
  (7, 3, 10, %5, 40, NULL),
  (8, 3, 40, %2, 5, 5),
  (9, 1, 30, %2, 7, 7);
)")
                             .arg(serial("2024-03-01"), serial("2024-03-15 12:00"), serial("2024-03-31"),
                                  serial("2024-03-31 18:00"), serial("1901-06-01"));

class Queries : public testing::Test {
protected:
    Queries() : fixture(kFixture) {
        yvo.DataModuleCreate();
        open.DataModuleCreate();
    }
    void prepare(Query& q, const char* from = "3/1/2024", const char* to = "3/31/2024") {
        q.close();
        q.parameterByName(QStringLiteral("DATE1")).setValue(QString::fromLatin1(from));
        q.parameterByName(QStringLiteral("DATE2")).setValue(QString::fromLatin1(to));
        q.open();
    }
    yvo::test::BillingFixture fixture;
    TdmYVO yvo;
    TdmOpenAccount open;
};

TEST_F(Queries, DetailMergesEqualClientsGroupsCaseAndKeepsRangeEndsInclusive) {
    prepare(*yvo.QDetailReport);
    QStringList rows;
    for (Query& q = *yvo.QDetailReport; !q.eof(); q.next())
        rows << QStringLiteral("%1/%2/%3/%4/%5/%6/%7")
                    .arg(q.fieldByName(u"Catagory").asString(), q.fieldByName(u"firstname").asString(),
                         q.fieldByName(u"LastName").asString(), q.fieldByName(u"company").asString())
                    .arg(q.fieldByName(u"TotalDue").asFloat())
                    .arg(q.fieldByName(u"TotalPaid").asFloat())
                    .arg(q.fieldByName(u"Lnum").asBoolean());
    // Ordered by the grouping columns; the end date's 18:00 transaction is out, the missing client's
    // and the missing product's are out, and 'Consulting' and 'CONSULTING' form one category.
    EXPECT_EQ(rows,
              (QStringList{QStringLiteral("Consulting/Ann/Lee/Acme/150/120/0"),
                           QStringLiteral("Lower/Bob/Roe//5/5/1"), QStringLiteral("Misc/Ann/Lee/Acme/7/7/0"),
                           QStringLiteral("Rent/Bob/Roe//30/30/1")}));
    EXPECT_EQ(yvo.QDetailReport->fieldByName(u"TotalDue").def().displayWidth, 12);
    EXPECT_TRUE(yvo.QDetailReport->fieldByName(u"TotalPaid").def().currency);
}

TEST_F(Queries, SummaryListsExpenseBeforeIncomeAndNamesEachType) {
    prepare(*yvo.QSummary);
    QStringList rows;
    for (Query& q = *yvo.QSummary; !q.eof(); q.next())
        rows << q.fieldByName(u"TYPE").asString() + QLatin1Char(':') + q.fieldByName(u"Category").asString() +
                    QLatin1Char(':') + q.fieldByName(u"strType").asString();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows.first(), QStringLiteral("EX:Rent:Expense"));
    EXPECT_TRUE(rows.contains(QStringLiteral("in:Lower:UnKnown"))) << rows.join(u',').toStdString();
    EXPECT_TRUE(rows.contains(QStringLiteral("XX:Misc:UnKnown")));
    EXPECT_TRUE(rows.contains(QStringLiteral("IN:Consulting:Income")));
    EXPECT_EQ(yvo.QSummary->fieldByName(u"strType").kind(), FieldKind::Text);
}

TEST_F(Queries, CalcFieldsNameOnlyExactTypeCodes) {
    for (const char* type : {"in", "Ex", "", "IN ", "NULL"}) {
        fixture.exec(QStringLiteral("DELETE FROM INEXTB; INSERT INTO INEXTB VALUES (10, 'Consulting', %1);")
                         .arg(QLatin1String(type) == QLatin1String("NULL")
                                  ? QStringLiteral("NULL")
                                  : QStringLiteral("'%1'").arg(QLatin1String(type))));
        prepare(*yvo.QSummary);
        ASSERT_FALSE(yvo.QSummary->eof()) << type;
        EXPECT_EQ(yvo.QSummary->fieldByName(u"strType").asString(), QStringLiteral("UnKnown")) << type;
    }
}

TEST_F(Queries, InExDetailGivesAtMostOneRowPerType) {
    prepare(*yvo.QInExDetail);
    ASSERT_EQ(yvo.QInExDetail->recordCount(), 3) << "EX, IN (with 'in'), XX types";
    prepare(*yvo.QInExDetail, "1/1/2023", "12/31/2023");
    EXPECT_TRUE(yvo.QInExDetail->eof()) << "no transaction in the range";
    fixture.exec(QStringLiteral("DELETE FROM TRANS WHERE ProductCode <> 10;"));
    prepare(*yvo.QInExDetail);
    ASSERT_EQ(yvo.QInExDetail->recordCount(), 1);
    EXPECT_EQ(yvo.QInExDetail->fieldByName(u"TYPE").asString(), QStringLiteral("IN"));
    EXPECT_DOUBLE_EQ(yvo.QInExDetail->fieldByName(u"TotalPaid").asFloat(), 100);
}

TEST_F(Queries, CategoryAndCountQueries) {
    Query& categories = *yvo.QCatagory;
    auto listed = [&](const char* type1, const char* type2) {
        categories.close();
        categories.parameterByName(QStringLiteral("TYPE1")).setValue(QString::fromLatin1(type1));
        categories.parameterByName(QStringLiteral("TYPE2")).setValue(QString::fromLatin1(type2));
        categories.open();
        QList<int> codes;
        for (; !categories.eof(); categories.next())
            codes << categories.fieldByName(u"ProductCode").asInteger();
        return codes;
    };
    EXPECT_EQ(listed("IN", "IN"), (QList<int>{10, 11, 40}));
    EXPECT_EQ(listed("EX", "EX"), (QList<int>{20}));
    EXPECT_EQ(listed("IN", "EX"), (QList<int>{10, 11, 20, 40}));
    yvo.QNumberOfProduct->open();
    EXPECT_EQ(yvo.QNumberOfProduct->fieldByName(u"NumberOfProduct").asInteger(), 5);
}

TEST_F(Queries, OpenAccountListsUnpaidTransactionsOfKnownClientsAndProducts) {
    Query& q = *open.QOpenAccount;
    q.open();
    QStringList rows;
    for (; !q.eof(); q.next()) {
        rows << QStringLiteral("%1-%2=%3 %4 %5")
                    .arg(q.fieldByName(u"amountdue").asFloat())
                    .arg(q.fieldByName(u"AmountPaid").asFloat())
                    .arg(q.fieldByName(u"Balance").asFloat())
                    .arg(q.fieldByName(u"category").asString(), q.fieldByName(u"first name").asString());
        EXPECT_GT(q.fieldByName(u"Balance").asFloat(), 0);
        EXPECT_EQ(q.fieldByName(u"Date").kind(), FieldKind::DateTime);
    }
    // Paid in full, the null amount paid, the missing client and the missing product are not listed.
    EXPECT_EQ(rows, (QStringList{QStringLiteral("50-20=30 CONSULTING Ann")}));
    ASSERT_EQ(q.fieldCount(), 8);
    const QStringList names = {QStringLiteral("amountdue"),  QStringLiteral("amountpaid"),
                               QStringLiteral("date"),       QStringLiteral("category"),
                               QStringLiteral("first name"), QStringLiteral("last name"),
                               QStringLiteral("company"),    QStringLiteral("Balance")};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(q.field(i).name().compare(names[i], Qt::CaseInsensitive), 0)
            << q.field(i).name().toStdString();
}

TEST_F(Queries, ConnectionsAreIndependent) {
    yvo.DataModuleDestroy();
    EXPECT_FALSE(yvo.ADOC->connected());
    EXPECT_TRUE(open.ADOC->connected());
    EXPECT_NO_THROW(open.QOpenAccount->open());
}

} // namespace
