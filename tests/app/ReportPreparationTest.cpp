#include "app/ReportPreparation.h"

#include "data/YVODataModule.h"
#include "platform/db/Query.h"
#include "platform/text/StringList.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <stdexcept>

using yvo::app::applyCategoryFilter;
using yvo::app::netIncomeLine;
using yvo::text::StringList;

namespace {

QStringList from(const StringList& sql, int first) {
    return sql.lines().mid(first);
}

TEST(CategoryFilter, SplicesTickedCodesLastTickedFirst) {
    TdmYVO module;
    StringList sql;
    sql.assign(module.QDetailReport->sql());
    applyCategoryFilter(sql, {12, 15, 20}, {true, false, true});
    ASSERT_EQ(sql.count(), 23 + 4);
    EXPECT_EQ(
        from(sql, 14).mid(0, 10),
        (QStringList{
            QStringLiteral("WHERE "), QStringLiteral("T.DATE between :DATE1 and :DATE2 and"),
            QStringLiteral("[c].ClientID = T.CLIENTID and"), QStringLiteral("("),
            QStringLiteral("I.ProductCode = 20 or"), QStringLiteral("I.ProductCode = 12 or"),
            QStringLiteral("FALSE) and "), QStringLiteral("T.ProductCode = I.ProductCode and"),
            QStringLiteral("TRUE"),
            QStringLiteral("GROUP BY I.DESCRIPTION, [c].[first name], [c].[last name], [c].[company],")}));
}

TEST(CategoryFilter, CasesOfTicksAndCodes) {
    struct Case {
        const char* why;
        std::vector<qint32> codes;
        std::vector<bool> ticks;
        QStringList group; // the lines from "(" to "FALSE) and "
    };
    const Case cases[] = {
        {"no row ticked lets nothing through",
         {1, 2},
         {false, false},
         {QStringLiteral("("), QStringLiteral("FALSE) and ")}},
        {"negative codes in plain decimal",
         {-5},
         {true},
         {QStringLiteral("("), QStringLiteral("I.ProductCode = -5 or"), QStringLiteral("FALSE) and ")}},
        {"the second and third of three: the third first",
         {7, 8, 9},
         {false, true, true},
         {QStringLiteral("("), QStringLiteral("I.ProductCode = 9 or"), QStringLiteral("I.ProductCode = 8 or"),
          QStringLiteral("FALSE) and ")}},
        {"an empty list", {}, {}, {QStringLiteral("("), QStringLiteral("FALSE) and ")}},
    };
    TdmYVO module;
    for (const Case& c : cases) {
        StringList sql;
        sql.assign(module.QSummary->sql());
        applyCategoryFilter(sql, c.codes, c.ticks);
        EXPECT_EQ(sql.lines().mid(10, c.group.size()), c.group) << c.why;
        EXPECT_EQ(sql.at(10 + int(c.group.size())), QStringLiteral("T.ProductCode = I.ProductCode and"))
            << c.why;
        EXPECT_EQ(sql.at(11 + int(c.group.size())), QStringLiteral("TRUE")) << c.why;
    }
}

TEST(CategoryFilter, RestoringTheSnapshotFirstGivesTheSameTextEveryTime) {
    TdmYVO module;
    StringList snapshot;
    snapshot.assign(module.QInExDetail->sql());
    QString first;
    for (int run = 0; run < 2; ++run) {
        module.QInExDetail->sql().assign(snapshot);
        applyCategoryFilter(module.QInExDetail->sql(), {3, 4}, {true, true});
        if (run == 0)
            first = module.QInExDetail->sql().text();
    }
    EXPECT_EQ(module.QInExDetail->sql().text(), first);
    EXPECT_EQ(module.QInExDetail->parameters().size(), 2u) << "the dates stay parameters";
}

TEST(CategoryFilter, TextWithoutAUsableTrueLineFails) {
    const struct {
        QStringList lines;
        const char* message;
    } cases[] = {
        {{QStringLiteral("select 1"), QStringLiteral("where x")}, "List index out of bounds (-2)"},
        {{QStringLiteral("true"), QStringLiteral("group by 1")}, "List index out of bounds (-1)"},
    };
    for (const auto& c : cases) {
        StringList sql;
        sql.assign(c.lines);
        try {
            applyCategoryFilter(sql, {1}, {true});
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const std::out_of_range& error) {
            EXPECT_STREQ(error.what(), c.message);
        }
    }
}

TEST(NetIncomeLine, ChoosesTheLineByExactComparisonsWithZero) {
    struct Case {
        const char* why;
        double income;
        double expense;
        const char* enUS;
        const char* deDE;
    };
    const Case cases[] = {
        {"income only", 1500, 0, "Total Income = $1,500.00", "Total Income = 1.500,00\u00A0€"},
        {"expense only", 0, 250.5, "Total Expense = $250.50", "Total Expense = 250,50\u00A0€"},
        {"both, income larger", 1500, 250.5, "Net Income : $1,500.00 - $250.50 = $1,249.50",
         "Net Income : 1.500,00\u00A0€ - 250,50\u00A0€ = 1.249,50\u00A0€"},
        {"both, expense larger", 250.5, 1500, "Net Income : $250.50 - $1,500.00 = ($1,249.50)",
         "Net Income : 250,50\u00A0€ - 1.500,00\u00A0€ = -1.249,50\u00A0€"},
        {"nothing in range", 0, 0, "Net Income : $0.00 - $0.00 = $0.00",
         "Net Income : 0,00\u00A0€ - 0,00\u00A0€ = 0,00\u00A0€"},
        {"a tiny non-zero income is not zero", 0.001, 0, "Total Income = $0.00",
         "Total Income = 0,00\u00A0€"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(netIncomeLine(c.income, c.expense), QString::fromUtf8(c.enUS)) << c.why;
        yvo::test::LocaleScope german(QLocale(QLocale::German, QLocale::Germany));
        EXPECT_EQ(netIncomeLine(c.income, c.expense), QString::fromUtf8(c.deDE)) << c.why;
    }
}

} // namespace
