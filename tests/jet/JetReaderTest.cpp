// Every table of the Access test files, read through the reader process, compared value by value
// with what mdb-export prints; where mdb-export is wrong (dates before 1899-12-30 or after 4637),
// with what the files' own text columns describe.
#include "JetTestSupport.h"
#include "platform/db/jet/JetSource.h"

#include <QDate>
#include <QDir>
#include <cmath>
#include <gtest/gtest.h>

namespace {

using yvo::test::ExportCell;

// Dates the way libmdb prints them: whole days and the fraction rounded to seconds. It prints nonsense
// outside 0 to 1e6, which is why those are checked against the files' own descriptions instead.
bool mdbExportGetsDateRight(double serial) {
    return serial >= 0.0 && serial <= 1e6;
}

QString mdbDateText(double serial) {
    const auto day = static_cast<qint64>(serial);
    const auto seconds = static_cast<qint64>((serial - double(day)) * 86400.0 + 0.5);
    const QDate date = QDate(1899, 12, 30).addDays(day);
    return QString::asprintf("%04d-%02d-%02d %02lld:%02lld:%02lld", date.year(), date.month(), date.day(),
                             seconds / 3600, seconds / 60 % 60, seconds % 60);
}

// One value of our copy against mdb-export's text of it; empty when they agree.
std::string mismatch(const QString& declaredType, const QVariant& ours, const ExportCell& theirs) {
    const QString text = QString::fromUtf8(theirs.text);
    const auto differ = [&](const QString& ourText) {
        return "ours " + ourText.toStdString() + ", mdb-export " + text.toStdString();
    };
    if (ours.isNull()) // mdb-export prints NULL and empty text alike: an unquoted empty cell
        return !theirs.quoted && theirs.text.isEmpty() ? std::string() : differ(QStringLiteral("NULL"));
    if (declaredType == QLatin1String("BOOLEAN") || declaredType == QLatin1String("INTEGER"))
        return QString::number(ours.toLongLong()) == text ? std::string() : differ(ours.toString());
    if (declaredType == QLatin1String("REAL")) {
        // Currency comes with four decimals, Single with eight digits, Double with sixteen.
        const double value = ours.toDouble();
        bool ok = false;
        const double printed = text.toDouble(&ok);
        return ok && std::abs(value - printed) <= 1e-6 * std::max(1.0, std::abs(printed))
                   ? std::string()
                   : differ(QString::number(value, 'g', 17));
    }
    if (declaredType == QLatin1String("DATETIME")) {
        const double serial = ours.toDouble();
        if (!mdbExportGetsDateRight(serial))
            return {};
        return mdbDateText(serial) == text ? std::string() : differ(mdbDateText(serial));
    }
    if (declaredType == QLatin1String("BLOB")) {
        const QByteArray hex = ours.toByteArray().toHex().toUpper();
        return hex == theirs.text ? std::string() : differ(QString::fromLatin1(hex.left(64)) + "...");
    }
    if (ours.toString().isEmpty())
        return !theirs.quoted && theirs.text.isEmpty() ? std::string() : differ(QStringLiteral("''"));
    return theirs.quoted && ours.toString() == text ? std::string() : differ(ours.toString());
}

class JetFileMatchesMdbExport : public testing::TestWithParam<const char*> {};

TEST_P(JetFileMatchesMdbExport, EveryTableValueByValue) {
    if (const std::string why = yvo::test::jetTestsCannotRun(true); !why.empty())
        GTEST_SKIP() << why;
    const QString folder = yvo::test::jetTestDataFolder();
    const QString file = QDir(folder).filePath(QString::fromLatin1(GetParam()));

    yvo::db::JetReadOptions everyTable;
    everyTable.tables.clear();
    const auto source = yvo::db::openJetSource(file, everyTable);

    const QStringList tables = yvo::test::mdbTables(file);
    ASSERT_FALSE(tables.isEmpty());
    for (const QString& table : tables) {
        SCOPED_TRACE(table.toStdString());
        const yvo::test::SqliteTable ours = yvo::test::selectAll(source->database(), table);
        const yvo::test::ExportTable theirs = yvo::test::mdbExport(file, table);
        ASSERT_EQ(ours.columns.size(), theirs.header.size());
        for (std::size_t c = 0; c < ours.columns.size(); ++c)
            EXPECT_EQ(ours.columns[c].toStdString(), theirs.header[c].toStdString());
        ASSERT_EQ(ours.rows.size(), theirs.rows.size());
        for (std::size_t r = 0; r < ours.rows.size(); ++r) {
            ASSERT_EQ(theirs.rows[r].size(), ours.columns.size()) << "row " << r;
            for (std::size_t c = 0; c < ours.columns.size(); ++c) {
                const std::string problem =
                    mismatch(ours.declaredTypes[c], ours.rows[r][c], theirs.rows[r][c]);
                EXPECT_EQ(problem, "") << "row " << r << ", column " << ours.columns[c].toStdString();
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AccessFiles, JetFileMatchesMdbExport,
                         testing::Values("nwind.mdb", "DateTestDatabase.mdb", "ASampleDatabase.accdb"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return QString::fromLatin1(info.param).section('.', 0, 0).toStdString();
                         });

// DateTestDatabase.mdb describes its dates in its text columns ("Year 9999", "Pre-1900 years",
// "Pre-1000 years"), each row holding the first days of three years. mdb-export prints all of these as
// "1900-01-00"; we keep the stored serial dates, the dates Access shows.
TEST(JetDates, OutsideTheRangeOfMdbExportAsTheFileDescribesThem) {
    if (const std::string why = yvo::test::jetTestsCannotRun(); !why.empty())
        GTEST_SKIP() << why;
    const QString folder = yvo::test::jetTestDataFolder();
    yvo::db::JetReadOptions dateTable;
    dateTable.tables = QStringList{QStringLiteral("datetest")};
    const auto source =
        yvo::db::openJetSource(QDir(folder).filePath(QStringLiteral("DateTestDatabase.mdb")), dateTable);
    const yvo::test::SqliteTable table = yvo::test::selectAll(source->database(), QStringLiteral("DateTest"));
    ASSERT_EQ(table.columns, (std::vector<QString>{"IDCol", "DateTimeCol", "DateCol", "TimeCol",
                                                   "LongTextCol", "ShortTextCol"}));

    // Each row: its id, its description, the dates of its three date columns; the description holds
    // for the first.
    struct Expected {
        qlonglong id;
        const char* description;
        QDate dates[3];
        bool (*described)(int year);
    };
    const Expected expected[] = {
        {2,
         "Year 9999",
         {QDate(9999, 1, 1), QDate(9999, 1, 1), QDate(9999, 1, 1)},
         [](int y) { return y == 9999; }},
        {3,
         "Pre-1900 years",
         {QDate(1898, 1, 1), QDate(1899, 1, 1), QDate(1900, 1, 1)},
         [](int y) { return y < 1900; }},
        {4,
         "Pre-1000 years",
         {QDate(632, 1, 1), QDate(633, 1, 1), QDate(634, 1, 1)},
         [](int y) { return y < 1000; }},
    };
    for (const Expected& row : expected) {
        SCOPED_TRACE(row.description);
        const auto found =
            std::find_if(table.rows.begin(), table.rows.end(),
                         [&](const std::vector<QVariant>& r) { return r[0].toLongLong() == row.id; });
        ASSERT_NE(found, table.rows.end());
        EXPECT_EQ((*found)[4].toString().toStdString(), row.description);
        const QDate base(1899, 12, 30);
        EXPECT_TRUE(row.described(base.addDays(qint64((*found)[1].toDouble())).year()));
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ((*found)[std::size_t(c + 1)].toDouble(), double(base.daysTo(row.dates[c])))
                << "column " << c;
    }
}

} // namespace
