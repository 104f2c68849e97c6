// Runs yvo-demo-db into a temporary folder and reads back what it wrote.
#include "data/Schema.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

struct DatabaseCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Database = std::unique_ptr<sqlite3, DatabaseCloser>;

Database openDatabase(const QString& path, int flags = SQLITE_OPEN_READONLY) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw, flags, nullptr);
    Database db(raw);
    if (rc != SQLITE_OK)
        ADD_FAILURE() << "cannot open " << path.toStdString();
    return db;
}

// Every row of a query as text, one line each; reals written to 17 digits so nothing is lost.
std::vector<std::string> rows(sqlite3* db, const char* sql) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &raw, nullptr) != SQLITE_OK) {
        ADD_FAILURE() << sqlite3_errmsg(db) << " in " << sql;
        return {};
    }
    const std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)> statement(raw, &sqlite3_finalize);
    std::vector<std::string> result;
    while (sqlite3_step(raw) == SQLITE_ROW) {
        std::string line;
        for (int i = 0; i < sqlite3_column_count(raw); ++i) {
            if (i > 0)
                line += '|';
            switch (sqlite3_column_type(raw, i)) {
            case SQLITE_NULL:
                line += "NULL";
                break;
            case SQLITE_FLOAT: {
                char buffer[32];
                std::snprintf(buffer, sizeof buffer, "%.17g", sqlite3_column_double(raw, i));
                line += buffer;
                break;
            }
            default:
                line += reinterpret_cast<const char*>(sqlite3_column_text(raw, i));
            }
        }
        result.push_back(line);
    }
    return result;
}

std::string single(sqlite3* db, const char* sql) {
    const std::vector<std::string> result = rows(db, sql);
    return result.size() == 1 ? result.front() : "<" + std::to_string(result.size()) + " rows>";
}

std::vector<std::string> dump(sqlite3* db) {
    std::vector<std::string> all;
    for (const char* sql :
         {"SELECT * FROM CLIENTS ORDER BY ClientID", "SELECT * FROM INEXTB ORDER BY ProductCode",
          "SELECT * FROM TRANS ORDER BY TransID"})
        for (std::string& row : rows(db, sql))
            all.push_back(std::move(row));
    return all;
}

struct ToolRun {
    int exitCode;
    QString out;
    QString err;
};

class DemoDbTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QStringList files() const { return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden); }

    static ToolRun run(const QStringList& arguments) {
        QProcess process;
        process.start(QStringLiteral(YVO_BINARY_DIR "/bin/yvo-demo-db"), arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    // Writes a file with the given options and opens it.
    Database make(const QString& name, QStringList options = {}) {
        options.prepend(path(name));
        const ToolRun result = run(options);
        EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
        return openDatabase(path(name));
    }

private:
    QTemporaryDir m_dir;
};

TEST_F(DemoDbTest, HasExactlyTheBillingSchema) {
    const Database file = make(QStringLiteral("YVO.mdb"));
    const Database expected = openDatabase(QStringLiteral(":memory:"), SQLITE_OPEN_READWRITE);
    yvo::data::createBillingSchema(expected.get());
    const char* master = "SELECT type, name, tbl_name, sql FROM sqlite_master ORDER BY name";
    EXPECT_EQ(rows(file.get(), master), rows(expected.get(), master));
    EXPECT_EQ(single(file.get(), "PRAGMA integrity_check"), "ok");
}

TEST_F(DemoDbTest, WritesTheRequestedCounts) {
    struct Case {
        QStringList options;
        const char* clients;
        const char* transactions;
    };
    const Case cases[] = {
        {{}, "60", "1200"},
        {{"--clients", "1", "--transactions", "0"}, "1", "0"},
        {{"--clients", "250", "--transactions", "3000", "--seed", "7"}, "250", "3000"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const Database db = make(QStringLiteral("counts%1.mdb").arg(n++), c.options);
        EXPECT_EQ(single(db.get(), "SELECT count(*) FROM CLIENTS"), c.clients);
        EXPECT_EQ(single(db.get(), "SELECT count(*) FROM INEXTB"), "15");
        EXPECT_EQ(single(db.get(), "SELECT count(*) FROM TRANS"), c.transactions);
    }
}

TEST_F(DemoDbTest, SameSeedGivesTheSameData) {
    const QStringList options{"--clients", "80", "--transactions", "2000", "--seed", "42"};
    const Database first = make(QStringLiteral("first.mdb"), options);
    const Database second = make(QStringLiteral("second.mdb"), options);
    const Database other = make(QStringLiteral("other.mdb"), {"--clients", "80", "--transactions", "2000"});
    const std::vector<std::string> data = dump(first.get());
    EXPECT_EQ(data.size(), 80u + 15u + 2000u);
    EXPECT_EQ(data, dump(second.get()));
    EXPECT_NE(data, dump(other.get()));
}

TEST_F(DemoDbTest, CodesLeadingDigitsAndSetsTheirFlags) {
    const Database db = make(QStringLiteral("YVO.mdb"));
    // A stored name starts with U+00A1..U+00AA (codes 161 to 170) exactly when its flag is set.
    for (const auto& [column, flag] :
         {std::pair{"company", "CNUM"}, {"[last name]", "LNUM"}, {"[first name]", "FNUM"}}) {
        const std::string mismatches = std::string("SELECT count(*) FROM CLIENTS WHERE coalesce(unicode(") +
                                       column + ") BETWEEN 161 AND 170, 0) <> " + flag;
        EXPECT_EQ(single(db.get(), mismatches.c_str()), "0") << column;
        const std::string flagged = std::string("SELECT count(*) > 0 FROM CLIENTS WHERE ") + flag + " = 1";
        EXPECT_EQ(single(db.get(), flagged.c_str()), "1") << flag;
    }
    EXPECT_EQ(
        single(db.get(), "SELECT CNUM, LNUM, FNUM FROM CLIENTS WHERE company = '\u00a2st Avenue Books'"),
        "1|0|0");
}

TEST_F(DemoDbTest, HoldsARealisticBusiness) {
    const Database db = make(QStringLiteral("YVO.mdb"));
    EXPECT_EQ(rows(db.get(), "SELECT TYPE, count(*) FROM INEXTB GROUP BY TYPE ORDER BY TYPE"),
              (std::vector<std::string>{"EX|8", "IN|7"}));
    EXPECT_EQ(single(db.get(),
                     "SELECT count(*) FROM TRANS WHERE ProductCode NOT IN (SELECT ProductCode FROM INEXTB)"
                     " OR CLIENTID NOT IN (SELECT ClientID FROM CLIENTS)"),
              "0");
    // Every date lies in 2025-2026 (serials 45658 to 46387), a few with a time of day.
    EXPECT_EQ(single(db.get(), "SELECT min(DATE) >= 45658, max(DATE) < 46388 FROM TRANS"), "1|1");
    EXPECT_EQ(
        single(db.get(), "SELECT count(*) BETWEEN 10 AND 200 FROM TRANS WHERE DATE <> CAST(DATE AS INTEGER)"),
        "1");
    // Amounts in whole cents, never paid beyond what is due.
    EXPECT_EQ(single(db.get(), "SELECT count(*) FROM TRANS WHERE [Total Amount Due] <= 0 OR [Amount Paid] < 0"
                               " OR [Amount Paid] > [Total Amount Due]"
                               " OR abs([Total Amount Due] * 100 - round([Total Amount Due] * 100)) > 1e-6"
                               " OR abs([Amount Paid] * 100 - round([Amount Paid] * 100)) > 1e-6"),
              "0");
    // Mostly paid in full, some invoices open: unpaid or partly paid.
    EXPECT_EQ(single(db.get(),
                     "SELECT sum([Amount Paid] = [Total Amount Due]) > 0.8 * count(*),"
                     " sum([Amount Paid] = 0) > 0,"
                     " sum([Amount Paid] > 0 AND [Amount Paid] < [Total Amount Due]) > 0 FROM TRANS"),
              "1|1|1");
    EXPECT_EQ(single(db.get(), "SELECT count(*) > 0 FROM CLIENTS WHERE company IS NULL"), "1");
}

TEST_F(DemoDbTest, RefusesAnExistingFile) {
    const QString out = path(QStringLiteral("YVO.mdb"));
    {
        QFile existing(out);
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
        existing.write("precious");
    }
    const ToolRun result = run({out});
    EXPECT_NE(result.exitCode, 0);
    EXPECT_TRUE(result.err.contains(QStringLiteral("already exists"))) << result.err.toStdString();
    EXPECT_EQ(result.err.count(u'\n'), 1);
    QFile existing(out);
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), "precious");
    EXPECT_EQ(files(), QStringList{QStringLiteral("YVO.mdb")});
}

TEST_F(DemoDbTest, RejectsBadArgumentsWithOneUsageLine) {
    const QString out = path(QStringLiteral("YVO.mdb"));
    const QStringList cases[] = {
        {},
        {out, "--clients", "0"},
        {out, "--clients", "many"},
        {out, "--clients", "12x"},
        {out, "--transactions", "-1"},
        {out, "--seed", "-1"},
        {out, "--seed"},
        {out, "--bogus", "1"},
        {out, path(QStringLiteral("second.mdb"))},
        {"--clients", "5"},
    };
    for (const QStringList& arguments : cases) {
        const ToolRun result = run(arguments);
        const std::string shown = arguments.join(u' ').toStdString();
        EXPECT_EQ(result.exitCode, 2) << shown;
        EXPECT_TRUE(result.err.contains(QStringLiteral("usage: yvo-demo-db OUT.mdb"))) << shown;
        EXPECT_EQ(result.err.count(u'\n'), 1) << shown;
    }
    EXPECT_TRUE(files().isEmpty()) << files().join(u' ').toStdString();
}

TEST_F(DemoDbTest, FailsCleanlyWhenTheFolderIsMissing) {
    const ToolRun result = run({path(QStringLiteral("missing/YVO.mdb"))});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err.count(u'\n'), 1);
    EXPECT_TRUE(files().isEmpty());
}

} // namespace
