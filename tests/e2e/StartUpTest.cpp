// The program's start-up and end: the six modules, the reports bound to their queries, a missing
// billing file, the error box's title and text, and the message loop ending with the main window.

#include "data/OpenAccountDataModule.h"
#include "data/YVODataModule.h"
#include "platform/report/PreviewWindow.h"
#include "platform/ui/ColorBitBtn.h"
#include "reports/QueryDataSet.h"
#include "reports/RptDetailForm.h"
#include "reports/RptOpenAccount.h"
#include "reports/RptSummaryForm.h"
#include "tests/e2e/Program.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using namespace yvo::test;

namespace {

const QString kBilling =
    QStringLiteral("INSERT INTO INEXTB VALUES (1, 'Consulting', 'IN'), (3, 'Rent', 'EX');"
                   "INSERT INTO CLIENTS VALUES (1, 'Anna', 'Smith', 'Acme', 0, 0, 0);"
                   "INSERT INTO TRANS VALUES (1, 1, 1, 45366, 80, 20);"); // 3/15/2024

// The query a report walks, or null.
const yvo::db::Query* boundQuery(const yvo::report::Report& report) {
    const auto* rows = dynamic_cast<const yvo::reports::QueryDataSet*>(report.dataSet());
    return rows ? &rows->query() : nullptr;
}

} // namespace

TEST(StartUp, CreatesTheSixModulesAndBindsEveryReportToItsQuery) {
    Program p(kBilling);
    EXPECT_TRUE(p.errors().isEmpty()) << p.errors().join(u'\n').toStdString();
    ASSERT_TRUE(dmYVO && Fmain && FrptDetail && FRptSummary && FRptOpenAccount && dmOpenAccount);
    EXPECT_EQ(boundQuery(*FrptDetail->QRClient), dmYVO->QDetailReport);
    EXPECT_EQ(boundQuery(*FRptSummary->QRCat), dmYVO->QSummary);
    // Its form was created before the module that holds its query; bound once start-up ended.
    EXPECT_EQ(boundQuery(*FRptOpenAccount->QRopenAccount), dmOpenAccount->QOpenAccount);
    // dmYVO had connected when the main window's creation handler filled the list.
    EXPECT_EQ(Fmain->CLBCat->count(), 2);
    EXPECT_EQ(Fmain->DTPStart->date(), Program::today());
    EXPECT_TRUE(Fmain->RBBoth->isChecked());
    EXPECT_TRUE(Fmain->isVisible());
}

TEST(StartUp, TheModulesAreDestroyedLastCreatedFirst) {
    Program p(kBilling);
    QStringList destroyed;
    p.program().modules().setOnDestroyed([&destroyed](const QString& name) { destroyed << name; });
    p.end();
    EXPECT_EQ(destroyed, (QStringList{"dmOpenAccount", "FRptOpenAccount", "FRptSummary", "FrptDetail",
                                      "Fmain", "dmYVO"}));
    EXPECT_FALSE(dmYVO || Fmain || FrptDetail || FRptSummary || FRptOpenAccount || dmOpenAccount);
    EXPECT_TRUE(p.errors().isEmpty());
}

TEST(StartUp, AMissingDatabaseGivesErrorBoxesAndAMainWindowWithAnEmptyList) {
    Program p{Program::NoDatabase{}};
    // dmYVO's connection, the main window's first query, dmOpenAccount's connection.
    ASSERT_EQ(p.errors().size(), 3) << p.errors().join(u'\n').toStdString();
    for (const QString& error : p.errors()) {
        EXPECT_TRUE(error.startsWith(QStringLiteral("Could not find file '"))) << error.toStdString();
        EXPECT_TRUE(error.endsWith(QStringLiteral("/YVO.mdb'"))) << error.toStdString(); // no "." after "'"
    }
    for (const QString& title : p.errorTitles())
        EXPECT_EQ(title, yvo::ui::applicationTitle());
    EXPECT_TRUE(Fmain->isVisible());
    EXPECT_EQ(Fmain->CLBCat->count(), 0);
    EXPECT_EQ(Fmain->DTPStart->date(), Program::today());
    EXPECT_EQ(Fmain->DTPEnd->date(), Program::today());
    EXPECT_TRUE(Fmain->RBBoth->isChecked());
    ASSERT_TRUE(FRptOpenAccount && dmOpenAccount);
    EXPECT_EQ(boundQuery(*FRptOpenAccount->QRopenAccount), dmOpenAccount->QOpenAccount);
}

TEST(ErrorBox, TitleIsTheProgramFileNameUpToItsFirstFullStopInLowerCaseButTheFirstLetter) {
    const std::pair<const char*, const char*> cases[] = {
        {"/x/YVOreport", "Yvoreport"},
        {"/x/YVOreport.exe", "Yvoreport"},
        {"/x/YVO.report.bin", "Yvo"},
        {"/x/yvoREPORT", "yvoreport"},
        {"/opt/Corvessa Reports/Report Generator", "Report generator"},
        {"/x/A", "A"},
    };
    for (const auto& [path, title] : cases)
        EXPECT_EQ(yvo::ui::applicationTitleFor(QLatin1String(path)), QLatin1String(title)) << path;
}

TEST(ErrorBox, AddsAFullStopOnlyWhenTheLastCharacterSortsAfterIt) {
    struct Case {
        const char* why;
        QString message;
        QString shown;
    };
    const Case cases[] = {
        {"a letter", "no such table: TRANS", "no such table: TRANS."},
        {"a digit", "List index out of bounds (-2) at 42", "List index out of bounds (-2) at 42."},
        {"a slash sorts after the full stop", "cannot open /tmp/", "cannot open /tmp/."},
        {"a letter beyond ASCII", "Datei f\u00FCr \u00C4", "Datei f\u00FCr \u00C4."},
        {"a full stop already", "Connection failed.", "Connection failed."},
        {"a quote sorts before it", "Could not find file 'C:\\YVO.mdb'", "Could not find file 'C:\\YVO.mdb'"},
        {"a closing parenthesis sorts before it", "List index out of bounds (-2)",
         "List index out of bounds (-2)"},
        {"an exclamation mark", "Stop!", "Stop!"},
        {"a minus sign", "balance -", "balance -"},
        {"a trailing blank", "failed ", "failed "},
        {"nothing at all", "", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(yvo::ui::errorBoxText(c.message), c.shown) << c.why;
}

TEST(StartUp, TheProgramRunsUntilTheMainWindowIsClosedByAnyOfItsMeans) {
    struct Case {
        const char* why;
        std::function<void()> close;
        bool withPreviewOpen;
    };
    const Case cases[] = {
        {"the Close button", [] { Fmain->CloseRzBitBtn->click(); }, false},
        {"the hidden close button's handler", [] { Fmain->BitBtn1->click(); }, false},
        {"the window's own close command", [] { Fmain->close(); }, false},
        {"the Close button while a preview window is open", [] { Fmain->CloseRzBitBtn->click(); }, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        Program p(kBilling);
        std::unique_ptr<yvo::report::PreviewHost> recording;
        if (c.withPreviewOpen)
            recording = yvo::report::setPreviewHost(std::make_unique<yvo::report::PreviewWindowHost>());
        QTimer watchdog; // a loop that did not end would hang the test
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
        watchdog.start(20000);
        bool previewOpen = false;
        QTimer::singleShot(0, [&] {
            if (!c.withPreviewOpen) {
                c.close();
                return;
            }
            whenPreviewWindowsOpen(1, [&] {
                previewOpen = true;
                c.close(); // no question asked, whatever else is open
            });
            Fmain->OpenInvoicesRzBitBtn->click();
        });
        EXPECT_EQ(p.program().run(), 0);
        EXPECT_FALSE(Fmain->isVisible());
        EXPECT_EQ(previewOpen, c.withPreviewOpen);
        EXPECT_TRUE(p.errors().isEmpty());
        if (recording)
            yvo::report::setPreviewHost(std::move(recording));
    }
}
