// A query in the Jet dialect (bracketed names with blanks, aliases with and without AS and in brackets,
// tables joined by WHERE, TRUE as a condition, GROUP BY, SUM and COUNT, named parameters, a closing
// ";") over the in-memory copy of nwind.mdb, with its sums worked out independently from mdb-export.
#include "JetTestSupport.h"
#include "platform/db/jet/JetSource.h"
#include "platform/db/jet/Sqlite.h"

#include <QDate>
#include <QDir>
#include <gtest/gtest.h>
#include <map>
#include <sqlite3.h>

namespace {

struct Result {
    std::vector<QString> columns;
    std::vector<std::vector<QVariant>> rows;
};

// Runs SQL lines with :NAME parameters bound to serial dates.
Result runQuery(sqlite3* db, const QStringList& lines, const std::map<QString, double>& parameters) {
    const yvo::db::jet::SqliteStatement statement =
        yvo::db::jet::prepareSqlite(db, lines.join(QStringLiteral("\r\n")));
    for (const auto& [name, value] : parameters) {
        const int index =
            sqlite3_bind_parameter_index(statement.get(), (QLatin1Char(':') + name).toUtf8().constData());
        EXPECT_GT(index, 0) << name.toStdString();
        sqlite3_bind_double(statement.get(), index, value);
    }
    Result result;
    for (int i = 0; i < sqlite3_column_count(statement.get()); ++i)
        result.columns.push_back(QString::fromUtf8(sqlite3_column_name(statement.get(), i)));
    while (yvo::db::jet::checkSqlite(db, sqlite3_step(statement.get()), QStringLiteral("query")) ==
           SQLITE_ROW) {
        std::vector<QVariant> row;
        for (int i = 0; i < int(result.columns.size()); ++i) {
            if (sqlite3_column_type(statement.get(), i) == SQLITE_TEXT)
                row.emplace_back(QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(statement.get(), i))));
            else
                row.emplace_back(sqlite3_column_double(statement.get(), i));
        }
        result.rows.push_back(std::move(row));
    }
    return result;
}

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
    const QDate epoch(1899, 12, 30);
    const Result result = runQuery(source->database(), sql,
                                   {{QStringLiteral("DATE1"), double(epoch.daysTo(first))},
                                    {QStringLiteral("DATE2"), double(epoch.daysTo(last))}});

    EXPECT_EQ(result.columns, (std::vector<QString>{"Category", "Gross Sales", "Lines"}));
    ASSERT_EQ(result.rows.size(), expected.size());
    for (const auto& row : result.rows) {
        const QString category = row[0].toString();
        SCOPED_TRACE(category.toStdString());
        ASSERT_TRUE(expected.count(category));
        EXPECT_NEAR(row[1].toDouble(), double(expected[category].gross) / 10000.0, 1e-6);
        EXPECT_EQ(row[2].toDouble(), expected[category].lines);
    }
}

} // namespace
