#include "platform/db/Connection.h"

#include "platform/db/DbError.h"
#include "platform/db/Source.h"
#include "tests/support/BillingFixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using yvo::db::Connection;
using yvo::db::DbError;

namespace {

struct SettingCase {
    const char* why;
    const char* connectionString;
    const char* name;
    const char* expected;
};

class SettingValue : public testing::TestWithParam<SettingCase> {};

TEST_P(SettingValue, ReadsBySettingRules) {
    const SettingCase& c = GetParam();
    EXPECT_EQ(Connection::settingValue(QString::fromUtf8(c.connectionString), QString::fromUtf8(c.name)),
              QString::fromUtf8(c.expected))
        << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingValue,
    testing::Values(SettingCase{"plain value between neighbours",
                                "User ID=Admin;Data Source=/srv/r/YVO.mdb;Mode=Share Deny None",
                                "Data Source", "/srv/r/YVO.mdb"},
                    SettingCase{"names ignore case", "data source=/x/YVO.mdb", "Data Source", "/x/YVO.mdb"},
                    SettingCase{"double-quoted value keeps its semicolon",
                                "Data Source=\"/a;b/YVO.mdb\";Mode=1", "Data Source", "/a;b/YVO.mdb"},
                    SettingCase{"doubled quote inside quotes", "Data Source=\"/a\"\"b/YVO.mdb\"",
                                "Data Source", "/a\"b/YVO.mdb"},
                    SettingCase{"single quotes", "Data Source='/a;b/YVO.mdb'", "Data Source", "/a;b/YVO.mdb"},
                    SettingCase{"empty quoted value", "Extended Properties=\"\";Data Source=/x",
                                "Extended Properties", ""},
                    SettingCase{"absent setting", "Provider=Microsoft.Jet.OLEDB.4.0", "Data Source", ""},
                    SettingCase{"value with equals sign", "Data Source=/a=b/YVO.mdb", "Data Source",
                                "/a=b/YVO.mdb"}));

TEST(QuoteValue, RoundTripsEveryAwkwardFolder) {
    for (const QString& value : {QStringLiteral("/plain/YVO.mdb"), QStringLiteral("/semi;colon/YVO.mdb"),
                                 QStringLiteral("\"quoted/YVO.mdb"), QStringLiteral("'single/YVO.mdb"),
                                 QStringLiteral("/both\";'/YVO.mdb")}) {
        const QString cs =
            QStringLiteral("Data Source=") + Connection::quoteValue(value) + QStringLiteral(";Mode=x");
        EXPECT_EQ(Connection::settingValue(cs, QStringLiteral("Data Source")), value) << value.toStdString();
    }
    EXPECT_EQ(Connection::quoteValue(QStringLiteral("/plain/YVO.mdb")), QStringLiteral("/plain/YVO.mdb"));
}

QString errorOf(const QString& file) {
    Connection connection;
    connection.setConnectionString(QStringLiteral("Data Source=") + Connection::quoteValue(file));
    try {
        connection.setConnected(true);
    } catch (const DbError& error) {
        EXPECT_FALSE(connection.connected());
        return error.message();
    }
    return {};
}

TEST(Connect, FailuresNameTheFile) {
    QTemporaryDir dir;
    const QString missing = dir.path() + QStringLiteral("/YVO.mdb");
    EXPECT_EQ(errorOf(missing), QStringLiteral("Could not find file '%1'").arg(missing));

    const QString text = dir.path() + QStringLiteral("/notes.mdb");
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("just some notes, not a database\n");
    file.close();
    EXPECT_EQ(errorOf(text), QStringLiteral("not a billing database: %1").arg(text));

    const QString empty = dir.path() + QStringLiteral("/empty.mdb");
    QFile(empty).open(QIODevice::WriteOnly);
    EXPECT_EQ(errorOf(empty), QStringLiteral("not a billing database: %1").arg(empty));

    EXPECT_TRUE(errorOf(dir.path()).contains(dir.path()));

    const QString locked = dir.path() + QStringLiteral("/locked.mdb");
    QFile lockedFile(locked);
    ASSERT_TRUE(lockedFile.open(QIODevice::WriteOnly));
    lockedFile.write("SQLite format 3");
    lockedFile.close();
    lockedFile.setPermissions(QFileDevice::Permissions());
    const QString lockedError = errorOf(locked);
    EXPECT_TRUE(lockedError.contains(locked)) << lockedError.toStdString();
}

TEST(Connect, TellsFileKindsByTheirFirstBytes) {
    QTemporaryDir dir;
    auto write = [&](const char* name, const QByteArray& bytes) {
        const QString path = dir.path() + QLatin1Char('/') + QLatin1String(name);
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    };
    QByteArray jet(64, '\0');
    jet.replace(4, 15, "Standard Jet DB");
    QByteArray ace(64, '\0');
    ace.replace(4, 15, "Standard ACE DB");
    QByteArray sqlite(64, '\0');
    sqlite.replace(0, 16, QByteArray("SQLite format 3\0", 16));
    EXPECT_EQ(yvo::db::detectFileKind(write("a.mdb", jet)), yvo::db::FileKind::Jet);
    EXPECT_EQ(yvo::db::detectFileKind(write("b.accdb", ace)), yvo::db::FileKind::Jet);
    EXPECT_EQ(yvo::db::detectFileKind(write("c.mdb", sqlite)), yvo::db::FileKind::Sqlite);
    EXPECT_EQ(yvo::db::detectFileKind(write("d.mdb", QByteArray(3, 'x'))), yvo::db::FileKind::Unknown);
}

TEST(Connect, OpensReadOnlyAndDisconnects) {
    yvo::test::BillingFixture fixture(QStringLiteral("INSERT INTO INEXTB VALUES (1, 'Rent', 'EX');"));
    Connection connection;
    connection.setConnectionString(QStringLiteral("Data Source=") + fixture.file());
    connection.setConnected(true);
    EXPECT_TRUE(connection.connected());
    // The writer keeps writing while we are connected.
    EXPECT_NO_THROW(fixture.exec(QStringLiteral("INSERT INTO INEXTB VALUES (2, 'Fees', 'IN');")));
    connection.setConnected(false);
    EXPECT_FALSE(connection.connected());
}

} // namespace
