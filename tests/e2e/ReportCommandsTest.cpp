// The report buttons of the running program, pressed as a user presses them on a fixture billing
// file: what the pages of each preview hold for the dates, type and ticks chosen, in two locales;
// failing commands; the same report twice; commands started while a preview is open or still
// being generated, with the recording host and with the real preview window.

#include "data/YVODataModule.h"
#include "platform/db/Query.h"
#include "platform/report/PreviewWindow.h"
#include "platform/text/StringList.h"
#include "platform/ui/ColorBitBtn.h"
#include "reports/RptDetailForm.h"
#include "reports/RptSummaryForm.h"
#include "tests/e2e/Program.h"

#include <QRadioButton>
#include <QTimer>

using namespace yvo::test;

namespace {

// Two clients, two income and two expense categories, and transactions in January to April 2024.
const QString kBilling = QStringLiteral(
    "INSERT INTO INEXTB VALUES (1, 'Consulting', 'IN'), (2, 'Hosting', 'IN'), (3, 'Rent', 'EX'),"
    "                          (4, 'Travel', 'EX');"
    "INSERT INTO CLIENTS VALUES (1, 'Anna', 'Smith', 'Acme', 0, 0, 0),"
    "                           (2, 'Bob', 'Jones', '\u00A2st Avenue Books', 1, 0, 0);" // coded 1st
    "INSERT INTO TRANS VALUES (1, 1, 1, 45352, 1500, 1000),"                            // 3/1/2024
    "                         (2, 2, 1, 45382, 200, 200),"                              // 3/31/2024
    "                         (3, 1, 2, 45366, 80, 20),"                                // 3/15/2024
    "                         (4, 2, 3, 45361, 300, 300),"                              // 3/10/2024
    "                         (5, 1, 4, 45351, 50, 50),"                                // 2/29/2024
    "                         (6, 2, 2, 45383, 99, 9),"                                 // 4/1/2024
    "                         (7, 1, 1, 45306, 400, 0),"   // 1/15/2024, nothing paid yet
    "                         (8, 2, 4, 45311, 60, 60);"); // 1/20/2024

// A travel expense of Anna's on 3/20/2024, partly paid: a new row in all three reports of March.
const QString kNewTravel = QStringLiteral("INSERT INTO TRANS VALUES (9, 1, 4, 45371, 70, 10);");

// --- The pages as the user reads them ----------------------------------------------------------

QString labelled(const QString& label, const QString& value) {
    return value.isEmpty() ? label : label + QStringLiteral(" | ") + value;
}

// A category of the Detailed report: its name, the heading row, a row per client, its subtotals.
QStringList category(const QString& name, const QStringList& rows, const QString& due, const QString& paid) {
    QStringList footer{QStringLiteral("Total by Category")};
    for (const QString& amount : {due, paid})
        if (!amount.isEmpty())
            footer << amount;
    return QStringList{name, QStringLiteral("First Name | Last Name | Company | Total Due | Total Paid")} +
           rows + QStringList{footer.join(QStringLiteral(" | "))};
}

QStringList detailed(const QString& dates, const QStringList& categories, const QString& due,
                     const QString& paid, const QString& totalsLine) {
    return QStringList{QStringLiteral("Detailed Report"), dates} + categories +
           QStringList{labelled(QStringLiteral("Total Due:"), due),
                       labelled(QStringLiteral("Total Paid:"), paid), totalsLine};
}

// A product type of the Summary report: its name, the heading row, a row per category, its "SUM".
QStringList type(const QString& name, const QStringList& rows, const QString& due, const QString& paid) {
    return QStringList{name, QStringLiteral("Category | Total Due | Total Paid")} + rows +
           QStringList{QStringLiteral("SUM | %1 | %2").arg(due, paid)};
}

QStringList summary(const QString& dates, const QStringList& types, const QString& due, const QString& paid,
                    const QString& totalsLine) {
    return QStringList{QStringLiteral("Summary Report"), dates} + types +
           QStringList{labelled(QStringLiteral("Total Due:"), due),
                       labelled(QStringLiteral("Total Paid:"), paid), totalsLine};
}

const QStringList kOpenInvoices = {
    "Outstanding Invoices",
    "First Name | Last Name | Company | Category | Date | Total Due | Total Paid | Balance",
    "Anna | Smith | Acme | Consulting | 3/1/2024 | 1,500.00 | 1,000.00 | 500.00",
    "Anna | Smith | Acme | Hosting | 3/15/2024 | 80.00 | 20.00 | 60.00",
    "Bob | Jones | \u00A2st Avenue Books | Hosting | 4/1/2024 | 99.00 | 9.00 | 90.00",
    "Anna | Smith | Acme | Consulting | 1/15/2024 | 400.00 | 0.00 | 400.00",
    "Total Due: | 2,079.00",
    "Total Paid: | 1,029.00",
    "Total Balance: | 1,050.00",
};

const QString kNoIncomeNoExpense = QStringLiteral("Net Income : $0.00 - $0.00 = $0.00");

// What a command must leave as it was: the dates, the type, the list and its ticks.
QStringList windowState() {
    QStringList state{Fmain->DTPStart->date().toString(Qt::ISODate),
                      Fmain->DTPEnd->date().toString(Qt::ISODate)};
    for (QRadioButton* radio : {Fmain->RBIncome, Fmain->RBExpense, Fmain->RBBoth})
        if (radio->isChecked())
            state << radio->text();
    for (int row = 0; row < Fmain->CLBCat->count(); ++row)
        state << (Fmain->CLBCat->isChecked(row) ? "[x] " : "[ ] ") + Fmain->CLBCat->item(row)->text();
    return state;
}

} // namespace

// --- What the pages hold ------------------------------------------------------------------------

TEST(ReportCommands, PagesFollowTheDatesTypeAndTicksChosenAndOpenInvoicesNone) {
    Program p(kBilling);
    struct Step {
        const char* why;
        std::function<void()> choose; // from the state the previous step left
        QStringList detailed;
        QStringList summary;
    };
    const Step steps[] = {
        {"at start: today in both pickers, Both, every category ticked", [] {},
         detailed("Paid date between 3/15/2024 to 3/15/2024",
                  category("Hosting", {"Anna | Smith | Acme | 80 | 20"}, "80", "20"), "80", "20",
                  "Total Income = $20.00"),
         summary("Paid date between 3/15/2024 to 3/15/2024",
                 type("Income", {"Hosting | 80.00 | 20.00"}, "80.00", "20.00"), "80.00", "20.00",
                 "Total Income = $20.00")},
        {"March typed into the pickers", [] { Program::typeDates("3/1/2024", "3/31/2024"); },
         detailed(
             "Paid date between 3/1/2024 to 3/31/2024",
             category("Consulting",
                      {"Anna | Smith | Acme | 1,500 | 1,000", "Bob | Jones | 1st Avenue Books | 200 | 200"},
                      "1,700", "1,200") +
                 category("Hosting", {"Anna | Smith | Acme | 80 | 20"}, "80", "20") +
                 category("Rent", {"Bob | Jones | 1st Avenue Books | 300 | 300"}, "300", "300"),
             "2,080", "1,520", "Net Income : $1,220.00 - $300.00 = $920.00"),
         summary("Paid date between 3/1/2024 to 3/31/2024",
                 type("Expense", {"Rent | 300.00 | 300.00"}, "300.00", "300.00") +
                     type("Income", {"Consulting | 1700.00 | 1200.00", "Hosting | 80.00 | 20.00"}, "1780.00",
                          "1220.00"),
                 "2080.00", "1520.00", "Net Income : $1,220.00 - $300.00 = $920.00")},
        {"Hosting unticked", [] { Program::tick(1, false); },
         detailed(
             "Paid date between 3/1/2024 to 3/31/2024",
             category("Consulting",
                      {"Anna | Smith | Acme | 1,500 | 1,000", "Bob | Jones | 1st Avenue Books | 200 | 200"},
                      "1,700", "1,200") +
                 category("Rent", {"Bob | Jones | 1st Avenue Books | 300 | 300"}, "300", "300"),
             "2,000", "1,500", "Net Income : $1,200.00 - $300.00 = $900.00"),
         summary("Paid date between 3/1/2024 to 3/31/2024",
                 type("Expense", {"Rent | 300.00 | 300.00"}, "300.00", "300.00") +
                     type("Income", {"Consulting | 1700.00 | 1200.00"}, "1700.00", "1200.00"),
                 "2000.00", "1500.00", "Net Income : $1,200.00 - $300.00 = $900.00")},
        {"only the expense Rent ticked", [] { Program::tickOnly({"Rent"}); },
         detailed("Paid date between 3/1/2024 to 3/31/2024",
                  category("Rent", {"Bob | Jones | 1st Avenue Books | 300 | 300"}, "300", "300"), "300",
                  "300", "Total Expense = $300.00"),
         summary("Paid date between 3/1/2024 to 3/31/2024",
                 type("Expense", {"Rent | 300.00 | 300.00"}, "300.00", "300.00"), "300.00", "300.00",
                 "Total Expense = $300.00")},
        {"Income chosen: only its categories, all ticked again", [] { Fmain->RBIncome->click(); },
         detailed(
             "Paid date between 3/1/2024 to 3/31/2024",
             category("Consulting",
                      {"Anna | Smith | Acme | 1,500 | 1,000", "Bob | Jones | 1st Avenue Books | 200 | 200"},
                      "1,700", "1,200") +
                 category("Hosting", {"Anna | Smith | Acme | 80 | 20"}, "80", "20"),
             "1,780", "1,220", "Total Income = $1,220.00"),
         summary("Paid date between 3/1/2024 to 3/31/2024",
                 type("Income", {"Consulting | 1700.00 | 1200.00", "Hosting | 80.00 | 20.00"}, "1780.00",
                      "1220.00"),
                 "1780.00", "1220.00", "Total Income = $1,220.00")},
        {"Expense chosen and February typed",
         [] {
             Fmain->RBExpense->click();
             Program::typeDates("2/1/2024", "2/29/2024");
         },
         detailed("Paid date between 2/1/2024 to 2/29/2024",
                  category("Travel", {"Anna | Smith | Acme | 50 | 50"}, "50", "50"), "50", "50",
                  "Total Expense = $50.00"),
         summary("Paid date between 2/1/2024 to 2/29/2024",
                 type("Expense", {"Travel | 50.00 | 50.00"}, "50.00", "50.00"), "50.00", "50.00",
                 "Total Expense = $50.00")},
        {"no category ticked: no data rows and three zero amounts",
         [] { Fmain->UnCheckAllRzBitBtn->click(); },
         detailed("Paid date between 2/1/2024 to 2/29/2024", {}, "", "", kNoIncomeNoExpense),
         summary("Paid date between 2/1/2024 to 2/29/2024", {"0.00 | 0.00"}, "0.00", "0.00",
                 kNoIncomeNoExpense)},
        {"Both again, every row ticked, and a start date after the end date, passed on as it is",
         [] {
             Fmain->RBBoth->click();
             Fmain->UnCheckAllRzBitBtn->click();
             Fmain->CheckAllRzBitBtn->click();
             Program::typeDates("3/31/2024", "3/1/2024");
         },
         detailed("Paid date between 3/31/2024 to 3/1/2024", {}, "", "", kNoIncomeNoExpense),
         summary("Paid date between 3/31/2024 to 3/1/2024", {"0.00 | 0.00"}, "0.00", "0.00",
                 kNoIncomeNoExpense)},
        {"more expense than income: the difference in the negative pattern",
         [] { Program::typeDates("3/10/2024", "3/15/2024"); },
         detailed("Paid date between 3/10/2024 to 3/15/2024",
                  category("Hosting", {"Anna | Smith | Acme | 80 | 20"}, "80", "20") +
                      category("Rent", {"Bob | Jones | 1st Avenue Books | 300 | 300"}, "300", "300"),
                  "380", "320", "Net Income : $20.00 - $300.00 = ($280.00)"),
         summary("Paid date between 3/10/2024 to 3/15/2024",
                 type("Expense", {"Rent | 300.00 | 300.00"}, "300.00", "300.00") +
                     type("Income", {"Hosting | 80.00 | 20.00"}, "80.00", "20.00"),
                 "380.00", "320.00", "Net Income : $20.00 - $300.00 = ($280.00)")},
        {"income due but nothing paid: only the expense line; a zero cell is empty in the Detailed",
         [] { Program::typeDates("1/1/2024", "1/31/2024"); },
         detailed("Paid date between 1/1/2024 to 1/31/2024",
                  category("Consulting", {"Anna | Smith | Acme | 400"}, "400", "") +
                      category("Travel", {"Bob | Jones | 1st Avenue Books | 60 | 60"}, "60", "60"),
                  "460", "60", "Total Expense = $60.00"),
         summary("Paid date between 1/1/2024 to 1/31/2024",
                 type("Expense", {"Travel | 60.00 | 60.00"}, "60.00", "60.00") +
                     type("Income", {"Consulting | 400.00 | 0.00"}, "400.00", "0.00"),
                 "460.00", "60.00", "Total Expense = $60.00")},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.why);
        step.choose();
        const QStringList chosen = windowState();
        const auto detailedPreview = p.run(Fmain->DetailedReportRzBitBtn);
        const auto summaryPreview = p.run(Fmain->SummaryReportRzBitBtn);
        const auto openInvoices = p.run(Fmain->OpenInvoicesRzBitBtn);
        ASSERT_TRUE(detailedPreview && summaryPreview && openInvoices)
            << p.errors().join(u'\n').toStdString();
        EXPECT_EQ(detailedPreview->report, QStringLiteral("QRClient"));
        EXPECT_EQ(lines(*detailedPreview), step.detailed);
        EXPECT_EQ(summaryPreview->report, QStringLiteral("QRCat"));
        EXPECT_EQ(lines(*summaryPreview), step.summary);
        EXPECT_EQ(openInvoices->report, QStringLiteral("QRopenAccount"));
        EXPECT_EQ(lines(*openInvoices), kOpenInvoices);
        EXPECT_EQ(windowState(), chosen); // a command changes none of the choices
    }
    EXPECT_TRUE(p.errors().isEmpty()) << p.errors().join(u'\n').toStdString();
}

TEST(ReportCommands, DatesAndAmountsFollowTheLocale) {
    Program p(kBilling, QLocale(QLocale::German, QLocale::Germany));
    const QString euro = QStringLiteral("\u00A0\u20AC");
    Program::typeDates("01.03.2024", "31.03.2024");
    const auto detailedPreview = p.run(Fmain->DetailedReportRzBitBtn);
    ASSERT_TRUE(detailedPreview) << p.errors().join(u'\n').toStdString();
    EXPECT_EQ(
        lines(*detailedPreview),
        detailed(
            "Paid date between 01.03.2024 to 31.03.2024",
            category("Consulting",
                     {"Anna | Smith | Acme | 1.500 | 1.000", "Bob | Jones | 1st Avenue Books | 200 | 200"},
                     "1.700", "1.200") +
                category("Hosting", {"Anna | Smith | Acme | 80 | 20"}, "80", "20") +
                category("Rent", {"Bob | Jones | 1st Avenue Books | 300 | 300"}, "300", "300"),
            "2.080", "1.520", "Net Income : 1.220,00" + euro + " - 300,00" + euro + " = 920,00" + euro));

    Program::typeDates("10.03.2024", "15.03.2024");
    const auto summaryPreview = p.run(Fmain->SummaryReportRzBitBtn);
    ASSERT_TRUE(summaryPreview);
    EXPECT_EQ(lines(*summaryPreview),
              summary("Paid date between 10.03.2024 to 15.03.2024",
                      type("Expense", {"Rent | 300,00 | 300,00"}, "300,00", "300,00") +
                          type("Income", {"Hosting | 80,00 | 20,00"}, "80,00", "20,00"),
                      "380,00", "320,00",
                      "Net Income : 20,00" + euro + " - 300,00" + euro + " = -280,00" + euro));

    const auto openInvoices = p.run(Fmain->OpenInvoicesRzBitBtn);
    ASSERT_TRUE(openInvoices);
    const QStringList open = lines(*openInvoices);
    ASSERT_EQ(open.size(), kOpenInvoices.size());
    EXPECT_EQ(open[2],
              QStringLiteral("Anna | Smith | Acme | Consulting | 01.03.2024 | 1.500,00 | 1.000,00 | 500,00"));
    EXPECT_EQ(open.last(), QStringLiteral("Total Balance: | 1.050,00"));
}

TEST(ReportCommands, ARunClosedAndRunAgainWithNothingChangedGivesTheSamePagesAndSql) {
    Program p(kBilling);
    Program::typeDates("3/1/2024", "3/31/2024");
    Program::tick(2, false);
    const std::pair<QAbstractButton*, yvo::db::Query*> buttons[] = {
        {Fmain->DetailedReportRzBitBtn, dmYVO->QDetailReport},
        {Fmain->SummaryReportRzBitBtn, dmYVO->QSummary},
        {Fmain->OpenInvoicesRzBitBtn, nullptr},
    };
    for (const auto& [button, query] : buttons) {
        SCOPED_TRACE(button->text().toStdString());
        const auto first = p.run(button);
        const QStringList firstSql = query ? query->sql().lines() : QStringList();
        const QStringList firstTotalsSql = dmYVO->QInExDetail->sql().lines();
        const auto second = p.run(button);
        ASSERT_TRUE(first && second);
        EXPECT_FALSE(lines(*first).isEmpty());
        EXPECT_EQ(records(*second), records(*first));
        if (query) {
            EXPECT_EQ(query->sql().lines(), firstSql); // the filter never piles up
            EXPECT_EQ(dmYVO->QInExDetail->sql().lines(), firstTotalsSql);
        }
    }
    EXPECT_TRUE(p.errors().isEmpty());
}

// --- Failing commands ---------------------------------------------------------------------------

TEST(ReportErrors, AMissingDatabaseShowsTheErrorBoxForEachCommandAndNoPreview) {
    Program p{Program::NoDatabase{}};
    const int atStart = int(p.errors().size());
    for (QAbstractButton* button :
         {Fmain->DetailedReportRzBitBtn, Fmain->SummaryReportRzBitBtn, Fmain->OpenInvoicesRzBitBtn}) {
        SCOPED_TRACE(button->text().toStdString());
        const int before = int(p.errors().size());
        EXPECT_FALSE(p.run(button));
        ASSERT_EQ(p.errors().size(), before + 1);
        EXPECT_TRUE(p.errors().last().startsWith(QStringLiteral("Could not find file ")));
        EXPECT_TRUE(p.errors().last().endsWith(QStringLiteral("/YVO.mdb'")));
        EXPECT_TRUE(Fmain->isVisible()); // the window stays, and the next command starts afresh
    }
    EXPECT_EQ(p.errors().size(), atStart + 3);
    EXPECT_TRUE(p.previews().empty());
}

TEST(ReportErrors, AFailingQueryShowsTheErrorBoxAndNoPreviewUntilTheFileIsRight) {
    struct Case {
        const char* why;
        const char* breaks;
        const char* repairs;
        bool detailed, summary, openInvoices; // which commands still show a preview
        const char* message;
    };
    const Case cases[] = {
        {"the transactions table is gone", "ALTER TABLE TRANS RENAME TO GONE;",
         "ALTER TABLE GONE RENAME TO TRANS;", false, false, false, "no such table"},
        {"the categories lost their type: the Detailed report's query opens, its totals query fails",
         "ALTER TABLE INEXTB RENAME COLUMN TYPE TO KIND;", "ALTER TABLE INEXTB RENAME COLUMN KIND TO TYPE;",
         false, false, true, "no such column: I.TYPE."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Program p(kBilling);
        Program::typeDates("3/1/2024", "3/31/2024");
        ASSERT_TRUE(p.run(Fmain->DetailedReportRzBitBtn));
        ASSERT_TRUE(p.run(Fmain->SummaryReportRzBitBtn));
        const QString totalsLine = Fmain->netIncomeText();
        Program::typeDates("3/10/2024", "3/15/2024");
        p.file().exec(QLatin1String(c.breaks));

        const std::pair<QAbstractButton*, bool> commands[] = {{Fmain->DetailedReportRzBitBtn, c.detailed},
                                                              {Fmain->SummaryReportRzBitBtn, c.summary},
                                                              {Fmain->OpenInvoicesRzBitBtn, c.openInvoices}};
        for (const auto& [button, previews] : commands) {
            SCOPED_TRACE(button->text().toStdString());
            const int before = int(p.errors().size());
            EXPECT_EQ(bool(p.run(button)), previews);
            EXPECT_EQ(p.errors().size(), before + (previews ? 0 : 1));
            if (!previews && !p.errors().isEmpty()) {
                EXPECT_TRUE(p.errors().last().contains(QLatin1String(c.message)))
                    << p.errors().last().toStdString();
            }
        }
        // The totals line and the report forms' texts are those of the last run that got through.
        EXPECT_EQ(Fmain->netIncomeText(), totalsLine);
        EXPECT_EQ(FrptDetail->NetIncomeText, totalsLine);
        EXPECT_EQ(FrptDetail->PaidDateText, QStringLiteral("Paid date between 3/1/2024 to 3/31/2024"));
        EXPECT_EQ(FRptSummary->PaidDateText, QStringLiteral("Paid date between 3/1/2024 to 3/31/2024"));

        p.file().exec(QLatin1String(c.repairs));
        const int before = int(p.errors().size());
        const auto again = p.run(Fmain->DetailedReportRzBitBtn);
        ASSERT_TRUE(again);
        EXPECT_EQ(lines(*again).last(), QStringLiteral("Net Income : $20.00 - $300.00 = ($280.00)"));
        EXPECT_EQ(p.errors().size(), before);
    }
}

// --- Commands started while a preview is open or being generated --------------------------------

TEST(ReportConcurrency, TheReportWhosePreviewIsOpenRunsAgainAndTheOpenPreviewKeepsItsPages) {
    struct Case {
        const char* why;
        yvo::ui::ColorBitBtn* TFmain::*button;
        const char* newRow; // a line the new transaction brings into the report
    };
    const Case cases[] = {
        {"Detailed", &TFmain::DetailedReportRzBitBtn, "Anna | Smith | Acme | 70 | 10"},
        {"Summary", &TFmain::SummaryReportRzBitBtn, "Travel | 70.00 | 10.00"},
        {"Open Invoices", &TFmain::OpenInvoicesRzBitBtn,
         "Anna | Smith | Acme | Travel | 3/20/2024 | 70.00 | 10.00 | 60.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Program p(kBilling);
        Program::typeDates("3/1/2024", "3/31/2024");
        QAbstractButton* button = Fmain->*c.button;
        QStringList recordsWhileOpen;
        p.host().whileOpen([&] {
            recordsWhileOpen = records(p.previews().back());
            p.file().exec(kNewTravel);
            button->click(); // nested: closes and reopens the query the open preview was made from
        });
        button->click();
        ASSERT_EQ(p.previews().size(), 2u) << p.errors().join(u'\n').toStdString();
        const Preview& outer = p.previews()[0];
        const Preview& inner = p.previews()[1];
        EXPECT_EQ(records(outer), recordsWhileOpen);
        EXPECT_FALSE(lines(outer).contains(QLatin1String(c.newRow)));
        EXPECT_TRUE(lines(inner).contains(QLatin1String(c.newRow))) << lines(inner).join(u'\n').toStdString();
        EXPECT_TRUE(p.errors().isEmpty());
    }
}

TEST(ReportConcurrency, ACommandForTheReportStillBeingGeneratedDoesNothing) {
    struct Case {
        const char* why;
        yvo::ui::ColorBitBtn* TFmain::*button;
    };
    const Case cases[] = {
        {"Detailed", &TFmain::DetailedReportRzBitBtn},
        {"Summary", &TFmain::SummaryReportRzBitBtn},
        {"Open Invoices", &TFmain::OpenInvoicesRzBitBtn},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Program p(kBilling);
        Program::typeDates("3/1/2024", "3/31/2024");
        QAbstractButton* button = Fmain->*c.button;
        const auto alone = p.run(button);
        ASSERT_TRUE(alone);
        const QString totalsLine = Fmain->netIncomeText();
        p.host().whileGenerating([&] {
            p.file().exec(kNewTravel);
            button->click(); // must neither reopen the query under the run nor open a preview
        });
        button->click();
        ASSERT_EQ(p.previews().size(), 2u);
        EXPECT_EQ(records(p.previews()[1]), records(*alone));
        EXPECT_EQ(Fmain->netIncomeText(), totalsLine);
        EXPECT_TRUE(p.errors().isEmpty());
        // Once the run is over, the same command runs again and sees the new row.
        const auto after = p.run(button);
        ASSERT_TRUE(after);
        EXPECT_NE(lines(*after), lines(*alone));
    }
}

TEST(ReportConcurrency, ACommandForAnotherReportRunsNestedAndTheFirstGoesOn) {
    Program p(kBilling);
    Program::typeDates("3/1/2024", "3/31/2024");
    p.host().whileGenerating([] { Fmain->SummaryReportRzBitBtn->click(); });
    Fmain->DetailedReportRzBitBtn->click();
    p.host().whileOpen([] { Fmain->OpenInvoicesRzBitBtn->click(); });
    Fmain->DetailedReportRzBitBtn->click();
    ASSERT_EQ(p.previews().size(), 4u) << p.errors().join(u'\n').toStdString();
    // The nested Summary finished while the Detailed pages were still to come.
    EXPECT_EQ(p.previews()[0].report, QStringLiteral("QRCat"));
    EXPECT_EQ(p.previews()[1].report, QStringLiteral("QRClient"));
    EXPECT_EQ(p.previews()[2].report, QStringLiteral("QRClient"));
    EXPECT_EQ(p.previews()[3].report, QStringLiteral("QRopenAccount"));
    EXPECT_EQ(lines(p.previews()[0]).last(), QStringLiteral("Net Income : $1,220.00 - $300.00 = $920.00"));
    EXPECT_EQ(records(p.previews()[1]), records(p.previews()[2]));
    EXPECT_EQ(lines(p.previews()[3]), kOpenInvoices);
}

// The real preview window: not modal, maximized, the main window usable beside it; a rerun of its
// report opens a second window while the first keeps its pages; each command returns when its
// window closes.
TEST(ReportConcurrency, RealPreviewWindowsStayOpenSideBySide) {
    using yvo::report::PreviewWindow;
    Program p(kBilling);
    auto recording = yvo::report::setPreviewHost(std::make_unique<yvo::report::PreviewWindowHost>());
    Program::typeDates("3/1/2024", "3/31/2024");
    QTimer watchdog; // a window left open would keep the command waiting for ever
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        for (PreviewWindow* window : openPreviewWindows())
            window->close();
    });
    watchdog.start(20000);

    QStringList outerBefore, outerAfter, inner;
    bool innerReturned = false;
    whenPreviewWindowsOpen(1, [&] {
        PreviewWindow* outer = openPreviewWindows().at(0);
        EXPECT_EQ(outer->windowTitle(), QStringLiteral("Print Preview"));
        EXPECT_TRUE(outer->isMaximized());
        EXPECT_EQ(outer->windowModality(), Qt::NonModal);
        EXPECT_FALSE(outer->generating());
        EXPECT_EQ(outer->statusText(), QStringLiteral("100 % Page 1 of 1"));
        EXPECT_TRUE(Fmain->isEnabled());
        outerBefore = lines(outer->pages().at(0));
        p.file().exec(kNewTravel);
        whenPreviewWindowsOpen(2, [&, outer] {
            const auto both = openPreviewWindows();
            PreviewWindow* second = both[0] == outer ? both[1] : both[0];
            inner = lines(second->pages().at(0));
            second->close();
        });
        Fmain->DetailedReportRzBitBtn->click();
        innerReturned = true;
        outerAfter = lines(outer->pages().at(0));
        outer->close();
    });
    Fmain->DetailedReportRzBitBtn->click();

    EXPECT_TRUE(watchdog.isActive()) << "a preview window had to be closed by the watchdog";
    EXPECT_TRUE(innerReturned);
    EXPECT_TRUE(openPreviewWindows().empty());
    ASSERT_FALSE(outerBefore.isEmpty());
    ASSERT_FALSE(inner.isEmpty());
    EXPECT_EQ(outerBefore.first(), QStringLiteral("Detailed Report"));
    EXPECT_EQ(outerAfter, outerBefore);
    EXPECT_FALSE(outerBefore.contains(QStringLiteral("Travel")));
    EXPECT_TRUE(inner.contains(QStringLiteral("Travel")));
    EXPECT_EQ(inner.last(), QStringLiteral("Net Income : $1,220.00 - $310.00 = $910.00"));
    EXPECT_TRUE(p.errors().isEmpty()) << p.errors().join(u'\n').toStdString();
    yvo::report::setPreviewHost(std::move(recording));
}
