// The Open Invoices report over a fixture billing file: the ruled rows, "#,0.00", dates, the
// column header on every page, the empty run, and the data set bound after the form exists.
#include "data/OpenAccountDataModule.h"
#include "platform/db/Query.h"
#include "platform/report/Layout.h"
#include "platform/report/Report.h"
#include "reports/RptOpenAccount.h"
#include "tests/reports/ReportsTestSupport.h"
#include "tests/support/BillingFixture.h"

#include <gtest/gtest.h>

using namespace yvo::test;
using yvo::report::layoutReport;

namespace {

// The report form first, the module after it, as at start-up; then the late binding.
struct OpenRun {
    BillingFixture fixture;
    TFRptOpenAccount form;
    TdmOpenAccount module;

    explicit OpenRun(const QString& sql)
        : fixture(QStringLiteral("BEGIN; INSERT INTO INEXTB VALUES (1, 'Consulting', 'IN');"
                                 "INSERT INTO CLIENTS VALUES (1, 'Anna', 'Smith', 'Acme', 0, 0, 0);") +
                  sql + "COMMIT;") {
        module.DataModuleCreate();
        form.bindDataSet(module.QOpenAccount);
    }

    std::vector<yvo::report::Page> run() {
        module.QOpenAccount->close();
        module.QOpenAccount->open();
        return layoutReport(*form.QRopenAccount);
    }
};

QString transaction(int id, const char* date, double due, double paid) {
    return QStringLiteral("INSERT INTO TRANS VALUES (%1, 1, 1, %2, %3, %4);")
        .arg(id)
        .arg(QLatin1String(date))
        .arg(due, 0, 'f', 3)
        .arg(paid, 0, 'f', 3);
}

const QStringList kHeadings = {"First Name", "Last Name", "Company",  "Total Due",
                               "Total Paid", "Balance",   "Category", "Date"};

} // namespace

TEST(OpenAccountReport, ListsOpenTransactionsWithTheirBalanceAndTotals) {
    OpenRun r(transaction(1, "45352", 100, 40) +           // 3/1/2024, midnight
              transaction(2, "45352.75", 1234567.891, 0) + // 3/1/2024 at 6 PM
              transaction(3, "45353", 50, 50));            // paid in full: not listed
    const auto pages = r.run();
    ASSERT_EQ(pages.size(), 1u);
    const QStringList expected =
        QStringList{"Outstanding Invoices"} + kHeadings +
        QStringList{"Anna", "Smith", "Acme", "Consulting", "3/1/2024", "100.00", "40.00", "60.00"} +
        QStringList{"Anna",         "Smith", "Acme",        "Consulting", "3/1/2024 6:00:00 PM",
                    "1,234,567.89", "0.00",  "1,234,567.89"} +
        QStringList{"Total Due:", "Total Paid:", "1,234,667.89", "40.00", "Total Balance:", "1,234,627.89"};
    EXPECT_EQ(texts(pages[0]), expected);
    EXPECT_EQ(pages[0].paper, QSizeF(279.4, 215.9));
    // A right-aligned sized-to-text cell keeps its right edge and grows left.
    const auto* date = pages[0].findText(u"3/1/2024 6:00:00 PM");
    EXPECT_NEAR(date->rect.right(), 12.7 + 177.5 + 7.4, 1e-9);
    EXPECT_GT(date->rect.width(), 7.4);
    // The fixed amount cell keeps its box.
    const auto* due = pages[0].findText(u"100.00");
    EXPECT_NEAR(due->rect.left(), 12.7 + 187.5, 1e-9);
    EXPECT_NEAR(due->rect.width(), 21.9, 1e-9);
}

TEST(OpenAccountReport, EveryPageStartsWithTheColumnHeaderAndTheSumsNeverAccumulate) {
    QString sql;
    for (int i = 1; i <= 60; ++i)
        sql += transaction(i, "45352", 10, 1);
    OpenRun r(sql);
    const auto pages = r.run();
    // 190.5 mm of page: title 11.1 + header 12.7 + 25 rows of 6.6; then header 12.7 + 26 rows
    ASSERT_EQ(pages.size(), 3u);
    const auto all = texts(pages);
    EXPECT_EQ(all[0].mid(0, 9), QStringList{"Outstanding Invoices"} + kHeadings);
    for (std::size_t page = 1; page < pages.size(); ++page) {
        EXPECT_EQ(all[page].mid(0, 8), kHeadings) << page;
        EXPECT_FALSE(all[page].contains("Outstanding Invoices")) << page;
    }
    EXPECT_EQ(all[0].count("Anna"), 25);
    EXPECT_EQ(all[1].count("Anna"), 26);
    EXPECT_EQ(all[2].count("Anna"), 9);
    EXPECT_EQ(all[2].mid(all[2].size() - 6),
              QStringList({"Total Due:", "Total Paid:", "600.00", "60.00", "Total Balance:", "540.00"}));
    EXPECT_EQ(texts(r.run()), all);
}

TEST(OpenAccountReport, WithNoOpenTransactionPrintsOneEmptyRuledRowAndZeroTotals) {
    OpenRun r(transaction(1, "45352", 50, 60));
    const auto pages = r.run();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(texts(pages[0]),
              QStringList({"Outstanding Invoices", "", "", "", "", "", "0.00", "0.00", "0.00",
                           "Total Due:", "Total Paid:", "0.00", "0.00", "Total Balance:", "0.00"}));
    int lines = 0;
    for (const auto& item : pages[0].items)
        lines += std::holds_alternative<yvo::report::LineItem>(item);
    EXPECT_EQ(lines, 10); // the detail band's rules; no column header
}

TEST(OpenAccountReport, AnUnboundFormPrintsItsEmptyLayout) {
    TFRptOpenAccount form;
    const auto pages = layoutReport(*form.QRopenAccount);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(texts(pages[0]).front(), "Outstanding Invoices");
}
