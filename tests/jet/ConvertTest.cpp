// yvo-convert run as a user runs it: a whole file into a new SQLite file, never over an existing one.
#include "JetTestSupport.h"
#include "platform/db/jet/JetSource.h"
#include "platform/db/Sqlite.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

struct ToolRun {
    int exitCode = -1;
    QString output;
    QString errors;
};

ToolRun convert(const QString& in, const QString& out) {
    QProcess tool;
    tool.start(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("yvo-convert")),
               {in, out});
    EXPECT_TRUE(tool.waitForFinished(60000));
    return {tool.exitStatus() == QProcess::NormalExit ? tool.exitCode() : -1,
            QString::fromUtf8(tool.readAllStandardOutput()), QString::fromUtf8(tool.readAllStandardError())};
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class Convert : public testing::Test {
protected:
    void SetUp() override {
        if (const std::string why = yvo::test::jetTestsCannotRun(); !why.empty())
            GTEST_SKIP() << why;
    }
    QString testFile(const QString& name) const {
        return QDir(yvo::test::jetTestDataFolder()).filePath(name);
    }

    QTemporaryDir folder;
    QString out = folder.filePath(QStringLiteral("billing.sqlite"));
};

TEST_F(Convert, WritesEveryTableAsTheReaderReadsIt) {
    const QString in = testFile(QStringLiteral("nwind.mdb"));
    const ToolRun run = convert(in, out);
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(run.output.contains(QStringLiteral("Umsätze: 830 rows\n"))) << run.output.toStdString();
    EXPECT_TRUE(run.output.contains(QStringLiteral("Order Details: 2155 rows\n")))
        << run.output.toStdString();

    yvo::db::JetReadOptions everyTable;
    everyTable.tables.clear();
    const auto source = yvo::db::openJetSource(in, everyTable);
    const yvo::db::SqliteDb converted = yvo::db::openSqlite(out, SQLITE_OPEN_READONLY);
    for (const QString& table : yvo::test::mdbTables(in)) {
        SCOPED_TRACE(table.toStdString());
        const yvo::test::SqliteTable ours = yvo::test::selectAll(converted.get(), table);
        const yvo::test::SqliteTable read = yvo::test::selectAll(source->database(), table);
        EXPECT_EQ(ours.columns, read.columns);
        EXPECT_EQ(ours.declaredTypes, read.declaredTypes);
        EXPECT_TRUE(ours.rows == read.rows);
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("billing.sqlite")});
}

TEST_F(Convert, NeverOverwritesTheOutput) {
    QFile existing(out);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("precious");
    existing.close();
    const ToolRun run = convert(testFile(QStringLiteral("DateTestDatabase.mdb")), out);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("exists already"))) << run.errors.toStdString();
    EXPECT_EQ(contents(out), QByteArray("precious"));
}

TEST_F(Convert, LeavesNothingBehindWhenTheInputIsDamaged) {
    const QString in = folder.filePath(QStringLiteral("damaged.mdb"));
    QFile damaged(in);
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(contents(testFile(QStringLiteral("DateTestDatabase.mdb"))).left(3 * 4096));
    damaged.close();
    const ToolRun run = convert(in, out);
    EXPECT_EQ(run.exitCode, 1);
    // libmdb's own warnings come first.
    EXPECT_TRUE(run.errors.trimmed()
                    .section(QLatin1Char('\n'), -1)
                    .startsWith(QStringLiteral("yvo-convert: damaged.mdb could not be read: ")))
        << run.errors.toStdString();
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("damaged.mdb")});
}

} // namespace
