// A query in the Jet dialect (bracketed names with blanks, aliases with and without AS and in brackets,
// tables joined by WHERE, TRUE as a condition, GROUP BY, SUM and COUNT, named parameters, a closing
// ";") through the program's own query class over the in-memory copy of nwind.mdb, with its sums worked out
// independently from mdb-export.
#include "JetTestSupport.h"
#include "platform/db/Connection.h"
#include "platform/db/Query.h"
#include "platform/db/jet/JetSource.h"
#include "platform/text/Regional.h"

#include <QDate>
#include <QDir>
#include <gtest/gtest.h>
#include <map>

namespace {

// Money in mdb-export's text ("14.0000") as a count of ten-thousandths, so sums are exact.
qint64 tenThousandths(const QByteArray& text) {
    const QList<QByteArray> parts = text.split('.');
    return parts[0].toLongLong() * 10000 +
           (parts.size() > 1 ? parts[1].leftJustified(4, '0').toLongLong() : 0);
}

std::map<QByteArray, const std::vector<yvo::test::ExportCell>*> byKey(const yvo::test::ExportTable& table) {
    std::map<QByteArray, const std::vector<yvo::test::ExportCell>*> rows;
    for (const auto& row : table.rows)
        rows[row[0].text] = &row;
    return rows;
}

TEST(JetQuery, GroupedSumsOverNwindMatchMdbExport) {
    if (const std::string why = yvo::test::jetTestsCannotRun(true); !why.empty())
        GTEST_SKIP() << why;
    const QString folder = yvo::test::jetTestDataFolder();
    const QString file = QDir(folder).filePath(QStringLiteral("nwind.mdb"));
    const QDate first(1995, 1, 1);
    const QDate last(1995, 6, 30);

    // Worked out from mdb-export: per category, the lines of orders placed in the first half of 1995.
    const auto details = yvo::test::mdbExport(file, QStringLiteral("Order Details"));
    const auto orderTable = yvo::test::mdbExport(file, QStringLiteral("Orders"));
    const auto productTable = yvo::test::mdbExport(file, QStringLiteral("Products"));
    const auto categoryTable = yvo::test::mdbExport(file, QStringLiteral("Categories"));
    const auto orders = byKey(orderTable);
    const auto products = byKey(productTable);
    const auto categories = byKey(categoryTable);
    struct Totals {
        qint64 gross = 0; // ten-thousandths
        int lines = 0;
    };
    std::map<QString, Totals> expected;
    for (const auto& line : details.rows) { // OrderID, ProductID, UnitPrice, Quantity, Discount
        const auto order = orders.at(line[0].text);
        const QDate placed = QDate::fromString(QString::fromLatin1((*order)[3].text.left(10)), Qt::ISODate);
        if (placed < first || placed > last)
            continue;
        const auto product = products.at(line[1].text); // ProductID, ProductName, SupplierID, CategoryID
        const QString category = QString::fromUtf8((*categories.at((*product)[3].text))[1].text);
        expected[category].gross += tenThousandths(line[2].text) * line[3].text.toLongLong();
        ++expected[category].lines;
    }
    ASSERT_GE(expected.size(), 5u);

    yvo::db::JetReadOptions everyTable;
    everyTable.tables.clear();
    const auto source = yvo::db::openJetSource(file, everyTable);
    const QStringList sql{
        QStringLiteral(
            "SELECT [c].CategoryName AS [Category], SUM(D.UnitPrice * D.[Quantity]) AS [Gross Sales],"),
        QStringLiteral("       COUNT(*) AS Lines"),
        QStringLiteral("FROM [Order Details] AS D, Products P, Categories [c], Orders AS O"),
        QStringLiteral(
            "WHERE D.ProductID = P.ProductID and P.CategoryID = [c].CategoryID and O.OrderID = D.OrderID"),
        QStringLiteral("  and O.[OrderDate] between :DATE1 and :DATE2 and (TRUE)"),
        QStringLiteral("GROUP BY [c].CategoryName;"),
    };
    yvo::db::Connection connection;
    connection.setSource(yvo::db::openJetSource(file, everyTable));
    yvo::db::Query query(QStringLiteral("QJet"), connection);
    query.sql().assign(sql);
    // The dates go in as short-date text, as the report commands bind them.
    query.parameterByName(QStringLiteral("DATE1")).setValue(yvo::text::formatShortDate(first));
    query.parameterByName(QStringLiteral("DATE2")).setValue(yvo::text::formatShortDate(last));
    query.open();

    ASSERT_EQ(query.fieldCount(), 3);
    EXPECT_EQ(query.field(0).name(), QStringLiteral("Category"));
    EXPECT_EQ(query.field(1).name(), QStringLiteral("Gross Sales"));
    EXPECT_EQ(query.field(2).name(), QStringLiteral("Lines"));
    ASSERT_EQ(std::size_t(query.recordCount()), expected.size());
    for (; !query.eof(); query.next()) {
        const QString category = query.fieldByName(u"category").asString();
        SCOPED_TRACE(category.toStdString());
        ASSERT_TRUE(expected.count(category));
        EXPECT_NEAR(query.fieldByName(u"Gross Sales").asFloat(), double(expected[category].gross) / 10000.0,
                    1e-6);
        EXPECT_EQ(query.fieldByName(u"LINES").asInteger(), expected[category].lines);
    }
}

} // namespace
