// yvo-export run as a user runs it, on a fixture billing file; its PDF read back with pdftotext.
#include "tests/support/BillingFixture.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

const QString kFixture = QStringLiteral(
    "INSERT INTO INEXTB VALUES (1, 'Consulting', 'IN'), (2, 'Rent', 'EX'), (3, 'Hosting', 'IN');"
    "INSERT INTO CLIENTS VALUES (1, 'Anna', 'Smith', '\u00A2st Avenue Books', 1, 0, 0);"
    "INSERT INTO TRANS VALUES (1, 1, 1, 45352, 1500, 1000)," // 3/1/2024
    "                         (2, 1, 2, 45366, 300, 300),"   // 3/15/2024
    "                         (3, 1, 3, 45382, 80, 20),"     // 3/31/2024
    "                         (4, 1, 1, 45400, 99, 9);");    // 4/18/2024

struct Result {
    int exitCode = -1;
    QString stdErr;
    QString pdfText; // empty when no PDF was written
};

Result exportReport(const QStringList& arguments, const QString& pdf) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LC_ALL", "en_US.UTF-8");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(YVO_BINARY_DIR "/bin/yvo-export"), arguments);
    Result result;
    if (!process.waitForFinished(60000))
        return result;
    result.exitCode = process.exitCode();
    result.stdErr = QString::fromUtf8(process.readAllStandardError());
    if (QFile::exists(pdf)) {
        QProcess pdftotext;
        pdftotext.start("pdftotext", {"-layout", pdf, "-"});
        pdftotext.waitForFinished();
        result.pdfText = QString::fromUtf8(pdftotext.readAllStandardOutput());
    }
    return result;
}

QStringList march(const yvo::test::BillingFixture& fixture, const QString& report, const QString& pdf) {
    return {"--db",       fixture.file(), "--report",   report,  "--from",
            "2024-03-01", "--to",         "2024-03-31", "--pdf", pdf};
}

} // namespace

TEST(Export, DetailedReportWithEveryCategoryTicked) {
    yvo::test::BillingFixture fixture(kFixture);
    const QString pdf = fixture.folder() + "/detailed.pdf";
    const Result result = exportReport(march(fixture, "detailed", pdf), pdf);
    ASSERT_EQ(result.exitCode, 0) << result.stdErr.toStdString();
    const QString& text = result.pdfText;
    EXPECT_TRUE(text.contains("Detailed Report"));
    EXPECT_TRUE(text.contains("Paid date between 3/1/2024 to 3/31/2024"));
    for (const char* category : {"Consulting", "Hosting", "Rent"})
        EXPECT_TRUE(text.contains(category)) << category;
    EXPECT_TRUE(text.contains("1st Avenue Books"));
    EXPECT_TRUE(text.contains(QRegularExpression("Total Due:\\s+1,880")));
    EXPECT_TRUE(text.contains("Net Income : $1,020.00 - $300.00 = $720.00"));
}

TEST(Export, OnlyAndTypeChooseTheTickedCategories) {
    yvo::test::BillingFixture fixture(kFixture);
    const QString pdf = fixture.folder() + "/summary.pdf";
    Result only = exportReport(march(fixture, "summary", pdf) + QStringList{"--only", "3,2"}, pdf);
    ASSERT_EQ(only.exitCode, 0) << only.stdErr.toStdString();
    EXPECT_TRUE(only.pdfText.contains("Hosting"));
    EXPECT_TRUE(only.pdfText.contains("Rent"));
    EXPECT_FALSE(only.pdfText.contains("Consulting"));

    Result income =
        exportReport(march(fixture, "summary", pdf) + QStringList{"--type", "income", "--only", "2,3"}, pdf);
    ASSERT_EQ(income.exitCode, 0);
    EXPECT_TRUE(income.pdfText.contains("Hosting"));
    EXPECT_FALSE(income.pdfText.contains("Rent")); // an expense code is not listed under income
    EXPECT_TRUE(income.pdfText.contains("Total Income = $20.00"));

    Result none = exportReport(march(fixture, "summary", pdf) + QStringList{"--only", ""}, pdf);
    ASSERT_EQ(none.exitCode, 0);
    EXPECT_FALSE(
        none.pdfText.contains(QRegularExpression("^\\s*Income\\s*$", QRegularExpression::MultilineOption)));
    EXPECT_TRUE(none.pdfText.contains("Net Income : $0.00 - $0.00 = $0.00"));
}

TEST(Export, OpenInvoicesIgnoreDatesAndTicks) {
    yvo::test::BillingFixture fixture(kFixture);
    const QString pdf = fixture.folder() + "/open.pdf";
    const Result result = exportReport(march(fixture, "open-invoices", pdf) + QStringList{"--only", ""}, pdf);
    ASSERT_EQ(result.exitCode, 0) << result.stdErr.toStdString();
    EXPECT_TRUE(result.pdfText.contains("Outstanding Invoices"));
    EXPECT_TRUE(result.pdfText.contains("4/18/2024")); // outside the date range, listed all the same
    EXPECT_TRUE(result.pdfText.contains(QRegularExpression("Total Balance:\\s+650.00")));
}

TEST(Export, ErrorsAreOneLineAndNeverLeaveAHalfPdf) {
    yvo::test::BillingFixture fixture(kFixture);
    const QString pdf = fixture.folder() + "/out.pdf";
    QFile::remove(pdf);
    QFile notBilling(fixture.folder() + "/notes.txt");
    ASSERT_TRUE(notBilling.open(QIODevice::WriteOnly));
    notBilling.write("just some text\n");
    notBilling.close();
    struct Case {
        const char* why;
        QStringList arguments;
        const char* message;
    };
    const QString db = fixture.file();
    const Case cases[] = {
        {"no database", {"--report", "detailed", "--pdf", pdf}, "--db"},
        {"no output", {"--db", db, "--report", "detailed"}, "--pdf"},
        {"unknown report", {"--db", db, "--report", "weekly", "--pdf", pdf}, "weekly"},
        {"bad date", {"--db", db, "--report", "summary", "--from", "2024-02-30", "--pdf", pdf}, "2024-02-30"},
        {"bad type", {"--db", db, "--report", "summary", "--type", "all", "--pdf", pdf}, "all"},
        {"bad code", {"--db", db, "--report", "summary", "--only", "1,x", "--pdf", pdf}, "x"},
        {"missing file",
         {"--db", fixture.folder() + "/none.mdb", "--report", "detailed", "--pdf", pdf},
         "none.mdb"},
        {"not a billing file",
         {"--db", notBilling.fileName(), "--report", "detailed", "--pdf", pdf},
         "notes.txt"},
        {"unwritable output",
         {"--db", db, "--report", "detailed", "--pdf", fixture.folder() + "/no/such/dir/x.pdf"},
         "x.pdf"},
    };
    for (const Case& c : cases) {
        const Result result = exportReport(c.arguments, pdf);
        EXPECT_NE(result.exitCode, 0) << c.why;
        QString message = result.stdErr;
        message.remove(QRegularExpression("^QStandardPaths:[^\n]*\n", QRegularExpression::MultilineOption));
        EXPECT_EQ(message.count('\n'), 1) << c.why << ": " << message.toStdString();
        EXPECT_TRUE(message.startsWith("yvo-export: ")) << c.why;
        EXPECT_TRUE(message.contains(c.message)) << c.why << ": " << message.toStdString();
        EXPECT_FALSE(QFile::exists(pdf)) << c.why;
    }

    // A failing run leaves an existing file of that name as it was.
    QFile previous(pdf);
    ASSERT_TRUE(previous.open(QIODevice::WriteOnly));
    previous.write("previous");
    previous.close();
    fixture.exec("DROP TABLE INEXTB;");
    const Result failed = exportReport(march(fixture, "detailed", pdf), pdf);
    EXPECT_NE(failed.exitCode, 0);
    ASSERT_TRUE(previous.open(QIODevice::ReadOnly));
    EXPECT_EQ(previous.readAll(), "previous");
}
