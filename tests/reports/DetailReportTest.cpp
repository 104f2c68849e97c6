// The Detailed report over a fixture billing file: groups, restored leading digits, the "#," mask,
// subtotals and totals, the captions, the empty run and pagination.
#include "data/YVODataModule.h"
#include "platform/db/Connection.h"
#include "platform/db/Query.h"
#include "platform/report/Layout.h"
#include "platform/report/Report.h"
#include "reports/RptDetailForm.h"
#include "tests/reports/ReportsTestSupport.h"
#include "tests/support/BillingFixture.h"

#include <gtest/gtest.h>

using namespace yvo::test;
using yvo::report::layoutReport;

namespace {

const QString kCategories = QStringLiteral(
    "INSERT INTO INEXTB VALUES (1, 'Consulting', 'IN'), (2, 'Rent', 'EX'), (3, 'Hosting', 'IN');");

// Opens QDetailReport for March 2024 over fixture and runs the form's report.
struct DetailRun {
    BillingFixture fixture;
    TdmYVO yvo;
    TFrptDetail form;

    explicit DetailRun(const QString& sql) : fixture("BEGIN;" + kCategories + sql + "COMMIT;") {
        yvo.DataModuleCreate();
        form.bindDataSet(yvo.QDetailReport);
    }

    std::vector<yvo::report::Page> run(QDate from = {2024, 3, 1}, QDate to = {2024, 3, 31}) {
        yvo.QDetailReport->close();
        yvo.QDetailReport->parameterByName(QStringLiteral("DATE1"))
            .setValue(yvo::text::formatShortDate(from));
        yvo.QDetailReport->parameterByName(QStringLiteral("DATE2")).setValue(yvo::text::formatShortDate(to));
        yvo.QDetailReport->open();
        form.PaidDateText =
            "Paid date between " + yvo::text::formatShortDate(from) + " to " + yvo::text::formatShortDate(to);
        form.NetIncomeText = "Net Income : $1.00 - $0.00 = $1.00";
        return layoutReport(*form.QRClient);
    }
};

QString transaction(int id, int client, int product, const char* date, double due, double paid) {
    return QStringLiteral("INSERT INTO TRANS VALUES (%1, %2, %3, %4, %5, %6);")
        .arg(id)
        .arg(client)
        .arg(product)
        .arg(serial(date))
        .arg(due)
        .arg(paid);
}

} // namespace

TEST(DetailReport, GroupsRowsRestoresDigitsAndTotals) {
    DetailRun r(
        QStringLiteral("INSERT INTO CLIENTS VALUES"
                       " (1, 'Anna', 'Smith', '\u00A2st Avenue Books', 1, 0, 0)," // company coded, flag yes
                       " (2, 'Bob', 'Jones', '\u00A2st Avenue Books', 0, 0, 0),"  // the same, flag no
                       " (3, 'Carl', '\u00A3ee', 'Acme', 0, 0, 1),"               // first name flag only
                       " (4, '', '', 'Empty Names', 0, 1, 1);") +                 // flags yes, names empty
        transaction(1, 1, 1, "2024-03-01", 1234.5, 1000) +
        transaction(2, 2, 1, "2024-03-31", 0.4, -0.4) + transaction(3, 3, 1, "2024-03-15", 100, 100) +
        transaction(4, 4, 2, "2024-03-10", 50, 20) +
        transaction(5, 4, 3, "2024-04-01", 999, 999)); // outside the range
    const auto pages = r.run();
    ASSERT_EQ(pages.size(), 1u);
    const QStringList heading = {"Last Name", "First Name", "Company", "Total Due", "Total Paid"};
    auto header = [&](const QString& category) { return QStringList{heading[0], category} + heading.mid(1); };
    // Each detail row: due, paid, company, last name, first name.
    const QStringList expected =
        QStringList{"Detailed Report", "Paid date between 3/1/2024 to 3/31/2024"} + header("Consulting") +
        QStringList{"1,235", "1,000", "1st Avenue Books", "Smith", "Anna"} +
        QStringList{"", "", "\u00A2st Avenue Books", "Jones", "Bob"} + // |0.4| rounds to 0: empty cells
        QStringList{"100", "100", "Acme", "\u00A3ee", "-arl"} +
        QStringList{"Total by Category", "1,335", "1,100"} + header("Rent") +
        QStringList{"50", "20", "Empty Names", "", ""} + QStringList{"Total by Category", "50", "20"} +
        QStringList{"Total Due:", "Total Paid:", "1,385", "1,120", "Net Income : $1.00 - $0.00 = $1.00"};
    EXPECT_EQ(texts(pages[0]), expected);

    // A few places, in mm on the paper (12.7 mm margins): the title, an amount cell's right edge
    // and font, and the grey summary band under the last footer.
    const auto* title = pages[0].findText(u"Detailed Report");
    EXPECT_NEAR(title->rect.left(), 12.7 + 74.7, 1e-9);
    EXPECT_NEAR(title->rect.top(), 12.7 + 2.4, 1e-9);
    EXPECT_EQ(title->font.pointSizeF(), 16);
    EXPECT_TRUE(title->font.bold());
    const auto* due = pages[0].findText(u"1,235");
    EXPECT_NEAR(due->rect.right(), 12.7 + 118.8 + 29.3, 1e-9);
    EXPECT_NEAR(due->rect.top(), 12.7 + 22.0 + 13.2 + 0.9, 1e-9);
    EXPECT_EQ(due->font.pointSizeF(), 8);
    EXPECT_EQ(due->alignment, Qt::AlignRight);
    const double summaryTop = 12.7 + 22.0 + 2 * 13.2 + 4 * 6.4 + 2 * 15.7;
    const auto* grey = std::get_if<yvo::report::RectItem>(&pages[0].items[pages[0].items.size() - 6]);
    ASSERT_NE(grey, nullptr);
    EXPECT_EQ(*grey->fill, QColor(223, 223, 223));
    EXPECT_NEAR(grey->rect.top(), summaryTop, 1e-9);
    EXPECT_NEAR(grey->rect.width(), 190.5, 1e-9);
}

TEST(DetailReport, ARunWithNoRowsPrintsEmptyOutlinesAndEmptyTotals) {
    DetailRun r(QStringLiteral("INSERT INTO CLIENTS VALUES (1, 'A', 'B', 'C', 0, 0, 0);") +
                transaction(1, 1, 1, "2024-05-01", 10, 5));
    const auto pages = r.run();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(texts(pages[0]),
              QStringList({"Detailed Report", "Paid date between 3/1/2024 to 3/31/2024", "", "", "", "", "",
                           "Total Due:", "Total Paid:", "", "", "Net Income : $1.00 - $0.00 = $1.00"}));
    int boxes = 0;
    for (const auto& item : pages[0].items)
        if (const auto* rect = std::get_if<yvo::report::RectItem>(&item); rect && rect->outline)
            ++boxes;
    EXPECT_EQ(boxes, 3); // the detail row's three boxes; its two ruled cells are lines
}

TEST(DetailReport, ASecondRunShowsTheNewCaptionAndTheSameTotals) {
    DetailRun r(QStringLiteral("INSERT INTO CLIENTS VALUES (1, 'A', 'B', 'C', 0, 0, 0);") +
                transaction(1, 1, 1, "2024-03-05", 10, 5) + transaction(2, 1, 1, "2024-04-05", 7, 7));
    const auto march = r.run();
    const auto again = r.run();
    EXPECT_EQ(texts(march), texts(again));
    const auto both = r.run({2024, 3, 1}, {2024, 4, 30});
    EXPECT_TRUE(both[0].findText(u"Paid date between 3/1/2024 to 4/30/2024"));
    EXPECT_TRUE(both[0].findText(u"17")); // subtotal and total of both months, not added to March's
    EXPECT_EQ(texts(both[0]).count("17"), 3);
}

TEST(DetailReport, ALongCategoryGoesOnWithoutHeadings) {
    QString sql;
    for (int i = 1; i <= 60; ++i)
        sql += QStringLiteral("INSERT INTO CLIENTS VALUES (%1, 'First%2', 'Last', 'Co', 0, 0, 0);")
                   .arg(i)
                   .arg(i, 2, 10, QLatin1Char('0')) +
               transaction(i, i, 1, "2024-03-02", i, 0);
    DetailRun r(sql);
    const auto pages = r.run();
    ASSERT_EQ(pages.size(), 2u);
    const auto page1 = texts(pages[0]);
    const auto page2 = texts(pages[1]);
    // 254 mm of page: title 22 + header 13.2 + 34 rows of 6.4
    EXPECT_EQ(page1.count("Last"), 34);
    EXPECT_EQ(page2.count("Last"), 26);
    EXPECT_EQ(page2.mid(0, 5), QStringList({"35", "", "Co", "Last", "First35"}));
    EXPECT_FALSE(page2.contains("Last Name"));
    EXPECT_FALSE(page2.contains("Detailed Report"));
    EXPECT_EQ(page2.mid(page2.size() - 8, 3), QStringList({"Total by Category", "1,830", ""}));
    EXPECT_NEAR(pages[1].texts().front()->rect.top(), 12.7 + 0.9, 1e-9);
}

TEST(RestoreLeadingDigit, ReplacesTheFirstCharacterByTheFirstDigitOfItsCodeLess161) {
    struct Case {
        const char* why;
        QString name;
        QString restored;
    };
    const Case cases[] = {
        {"161 gives 0", QStringLiteral("\u00A1 Main Street"), QStringLiteral("0 Main Street")},
        {"162 gives 1", QStringLiteral("\u00A2st Avenue Books"), QStringLiteral("1st Avenue Books")},
        {"170 gives 9", QStringLiteral("\u00AAth"), QStringLiteral("9th")},
        {"171 gives the first digit of 10", QStringLiteral("\u00ABx"), QStringLiteral("1x")},
        {"181 gives the first digit of 20", QStringLiteral("\u00B5x"), QStringLiteral("2x")},
        {"250 gives 8", QStringLiteral("\u00FAx"), QStringLiteral("8x")},
        {"255 gives 9", QStringLiteral("\u00FFx"), QStringLiteral("9x")},
        {"an ordinary letter gives a minus sign", QStringLiteral("Anna"), QStringLiteral("-nna")},
        {"160 gives a minus sign", QStringLiteral("\u00A0x"), QStringLiteral("-x")},
        {"a cp1252 letter of 128-159 gives a minus sign", QStringLiteral("\u20ACuro"),
         QStringLiteral("-uro")},
        {"a character without a cp1252 code gives a minus sign", QStringLiteral("\u03A9mega"),
         QStringLiteral("-mega")},
        {"a character outside the basic plane is one character", QStringLiteral("\U0001F600ok"),
         QStringLiteral("-ok")},
        {"the rest keeps its full text", QStringLiteral("\u00A3\u041C\u00E9"),
         QStringLiteral("2\u041C\u00E9")},
        {"one character", QStringLiteral("\u00A5"), QStringLiteral("4")},
        {"empty stays empty", QString(), QString()},
    };
    for (const Case& c : cases) {
        QString name = c.name;
        RestoreLeadingDigit(name);
        EXPECT_EQ(name, c.restored) << c.why;
    }
}
