// The Summary report over a fixture billing file: one group per product type, "0.00" amounts,
// subtotals and totals, and the empty run.
#include "data/YVODataModule.h"
#include "platform/db/Query.h"
#include "platform/report/Layout.h"
#include "platform/report/Report.h"
#include "reports/RptSummaryForm.h"
#include "tests/reports/ReportsTestSupport.h"
#include "tests/support/BillingFixture.h"

#include <gtest/gtest.h>

using namespace yvo::test;
using yvo::report::layoutReport;

namespace {

struct SummaryRun {
    BillingFixture fixture;
    TdmYVO yvo;
    TFRptSummary form;

    explicit SummaryRun(const QString& sql)
        : fixture(QStringLiteral("INSERT INTO INEXTB VALUES (1, 'Consulting', 'IN'), (2, 'Rent', 'EX'),"
                                 " (3, 'Hosting', 'IN'), (4, 'Travel', 'EX');"
                                 "INSERT INTO CLIENTS VALUES (1, 'A', 'B', 'C', 0, 0, 0);") +
                  sql) {
        yvo.DataModuleCreate();
        form.bindDataSet(yvo.QSummary);
    }

    std::vector<yvo::report::Page> run(const QString& onlyType = {}) {
        auto& query = *yvo.QSummary;
        query.close();
        query.parameterByName(QStringLiteral("DATE1")).setValue(shortDate(2024, 3, 1));
        query.parameterByName(QStringLiteral("DATE2")).setValue(shortDate(2024, 3, 31));
        if (!onlyType.isEmpty()) // narrow to one type the way a category filter would
            query.sql().insert(query.sql().indexOf(u"TRUE"), "I.TYPE = '" + onlyType + "' and");
        query.open();
        form.PaidDateText = "Paid date between 3/1/2024 to 3/31/2024";
        form.NetIncomeText = "Total Income = $10.00";
        return layoutReport(*form.QRCat);
    }
};

QString transaction(int id, int product, double due, const QString& paid) {
    return QStringLiteral("INSERT INTO TRANS VALUES (%1, 1, %2, %3, %4, %5);")
        .arg(id)
        .arg(product)
        .arg(serial("2024-03-10"))
        .arg(due, 0, 'f', 3)
        .arg(paid);
}

const QStringList kHeadings = {"Total Paid", "Total Due", "Category"};

} // namespace

TEST(SummaryReport, ExpenseThenIncomeEachWithItsSumLine) {
    SummaryRun r(transaction(1, 1, 1234.567, "1000") + transaction(2, 3, 10, "NULL") +
                 transaction(3, 2, 500, "500") + transaction(4, 4, 0.125, "0.005"));
    const auto pages = r.run();
    ASSERT_EQ(pages.size(), 1u);
    // Group header: headings then the type name; each row: category, due, paid.
    const QStringList expected =
        QStringList{"Summary Report", "Paid date between 3/1/2024 to 3/31/2024"} + kHeadings +
        QStringList{"Expense"} + QStringList{"Rent", "500.00", "500.00", "Travel", "0.13", "0.01"} +
        QStringList{"SUM", "500.13", "500.01"} + kHeadings + QStringList{"Income"} +
        QStringList{"Consulting", "1234.57", "1000.00", "Hosting", "10.00", "0.00"} + // nothing paid: 0.00
        QStringList{"SUM", "1244.57", "1000.00"} +
        QStringList{"Total Due:", "Total Paid:", "1744.69", "1500.01", "Total Income = $10.00"};
    EXPECT_EQ(texts(pages[0]), expected);
    const auto* typeName = pages[0].findText(u"Expense");
    EXPECT_NEAR(typeName->rect.left(), 12.7 + 4.0, 1e-9);
    EXPECT_NEAR(typeName->rect.top(), 12.7 + 25.7 + 1.1, 1e-9);
    EXPECT_FALSE(typeName->background); // transparent
    EXPECT_EQ(pages[0].findText(u"Consulting")->font.pointSizeF(), 10);
    EXPECT_EQ(pages[0].findText(u"Total Due")->font.pointSizeF(), 12);
}

TEST(SummaryReport, OneTypeGivesOneGroupWhoseSubtotalsAreTheTotals) {
    SummaryRun r(transaction(1, 1, 20, "5") + transaction(2, 3, 30, "5") + transaction(3, 2, 99, "99"));
    const auto page = texts(r.run("IN").at(0));
    EXPECT_FALSE(page.contains("Expense"));
    EXPECT_EQ(page.count("Income"), 1);
    EXPECT_EQ(page.count("50.00"), 2);
    EXPECT_EQ(page.count("10.00"), 2);
}

TEST(SummaryReport, ARunWithNoRowsShowsZeroAmounts) {
    SummaryRun r(QString{});
    const auto pages = r.run();
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(texts(pages[0]),
              QStringList({"Summary Report", "Paid date between 3/1/2024 to 3/31/2024", "", "0.00", "0.00",
                           "Total Due:", "Total Paid:", "0.00", "0.00", "Total Income = $10.00"}));
}
