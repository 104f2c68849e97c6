#include "data/ConnectionTemplate.h"

#include "data/YVODataModule.h"
#include "platform/db/Connection.h"
#include "platform/db/Query.h"
#include "tests/support/BillingFixture.h"

#include <gtest/gtest.h>

using yvo::data::connectionStringFor;
using yvo::data::connectionTemplate;

namespace {

TEST(ConnectionTemplate, HasNineteenSettingsWithTheMarkerAtCharacter48) {
    const QString text = connectionTemplate(QStringLiteral("4"));
    EXPECT_EQ(text.size(), 569);
    EXPECT_EQ(text.indexOf(QStringLiteral("Data Source=*")) + 1, 48);
    EXPECT_EQ(text.split(QLatin1Char(';')).size(), 19);
    EXPECT_TRUE(text.startsWith(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;User ID=Admin;Data Source=*;"
                                               "Mode=Share Deny None;Extended Properties=\"\";")));
    EXPECT_TRUE(text.endsWith(QStringLiteral(";Jet OLEDB:SFP=False")));
    const QString other = connectionTemplate(QStringLiteral("5"));
    EXPECT_EQ(text.indexOf(QStringLiteral("Jet OLEDB:Engine Type=4;")),
              other.indexOf(QStringLiteral("Jet OLEDB:Engine Type=5;")));
    EXPECT_EQ(QString(text).replace(QStringLiteral("Type=4"), QStringLiteral("Type=5")), other)
        << "row 10 alone differs";
}

struct FolderCase {
    const char* why;
    const char* program;
    const char* expectedSetting;
};

class DataSourceSetting : public testing::TestWithParam<FolderCase> {};

TEST_P(DataSourceSetting, ReplacesTheMarkerWithTheProgramsFolder) {
    const FolderCase& c = GetParam();
    const QString result =
        connectionStringFor(connectionTemplate(QStringLiteral("4")), QString::fromUtf8(c.program));
    const QString expected =
        QStringLiteral("User ID=Admin;%1;Mode=Share Deny None").arg(QString::fromUtf8(c.expectedSetting));
    EXPECT_TRUE(result.contains(expected)) << c.why << "\n" << result.toStdString();
    EXPECT_EQ(yvo::db::Connection::settingValue(result, QStringLiteral("Data Source")),
              QString::fromUtf8(c.program).section(QLatin1Char('/'), 0, -2) + QStringLiteral("/YVO.mdb"))
        << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DataSourceSetting,
    testing::Values(FolderCase{"an ordinary folder", "/srv/Reports/YVOreport",
                               "Data Source=/srv/Reports/YVO.mdb"},
                    FolderCase{"blanks and other characters stand unquoted", "/home/a b/Büro (2)/YVOreport",
                               "Data Source=/home/a b/Büro (2)/YVO.mdb"},
                    FolderCase{"a semicolon would cut the setting, so it is quoted", "/srv/a;b/YVOreport",
                               "Data Source=\"/srv/a;b/YVO.mdb\""}));

TEST(DataModule, OpensTheFileInAFolderWithASemicolon) {
    yvo::test::BillingFixture fixture(QStringLiteral("INSERT INTO INEXTB VALUES (1, 'Rent', 'EX');"),
                                      QStringLiteral("odd;folder"));
    TdmYVO module;
    module.DataModuleCreate();
    EXPECT_TRUE(module.ADOC->connected());
    module.QNumberOfProduct->open();
    EXPECT_EQ(module.QNumberOfProduct->fieldByName(u"NumberOfProduct").asInteger(), 1);
}

} // namespace
