// yvo-export --db FILE --report detailed|summary|open-invoices [--from YYYY-MM-DD] [--to YYYY-MM-DD]
//            [--type income|expense|both] [--only CODE,CODE,...] --pdf OUT.pdf
// Runs one report over a billing file through the program's own start-up and report buttons, with
// the report's preview sent to a PDF file instead of a window. Dates default to today, the type to both, and
// every listed category is ticked unless --only names the ones to tick. Any error is one line on
// stderr and a non-zero exit; the PDF appears under its name only when complete.

#include "app/MainForm.h"
#include "app/YVOreport.h"
#include "platform/db/ProgramFile.h"
#include "platform/report/PreviewHost.h"
#include "platform/ui/CheckListBox.h"
#include "platform/ui/ColorBitBtn.h"
#include "platform/ui/DatePicker.h"
#include "platform/ui/ErrorGuard.h"
#include "platform/ui/Fonts.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <vector>

namespace {

class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

[[noreturn]] void usage(const QString& message) {
    throw UsageError(message.toStdString());
}

enum class ReportKind { Detailed, Summary, OpenInvoices };

struct Options {
    QString database;
    ReportKind report = ReportKind::Detailed;
    QDate from = QDate::currentDate();
    QDate to = QDate::currentDate();
    QString type = QStringLiteral("both");
    std::optional<std::vector<qint32>> only;
    QString pdf;
};

QDate parseDate(const QCommandLineParser& parser, const QString& name) {
    const QString text = parser.value(name);
    const QDate date = QDate::fromString(text, Qt::ISODate);
    if (!date.isValid() || text.size() != 10)
        usage(QStringLiteral("--%1 wants a date as YYYY-MM-DD, not \"%2\"").arg(name, text));
    return date;
}

Options parseOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    const auto value = [&](const char* name, const char* what) {
        parser.addOption({QString::fromLatin1(name), QString(), QString::fromLatin1(what)});
    };
    value("db", "FILE");
    value("report", "KIND");
    value("from", "DATE");
    value("to", "DATE");
    value("type", "TYPE");
    value("only", "CODES");
    value("pdf", "FILE");
    if (!parser.parse(arguments))
        usage(parser.errorText());
    if (!parser.positionalArguments().isEmpty())
        usage(QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first()));

    Options options;
    if (!parser.isSet("db") || parser.value("db").isEmpty())
        usage(QStringLiteral("--db FILE is required"));
    if (!parser.isSet("pdf") || parser.value("pdf").isEmpty())
        usage(QStringLiteral("--pdf OUT.pdf is required"));
    options.database = parser.value("db");
    options.pdf = parser.value("pdf");

    const QString report = parser.value("report");
    if (report == QLatin1String("detailed"))
        options.report = ReportKind::Detailed;
    else if (report == QLatin1String("summary"))
        options.report = ReportKind::Summary;
    else if (report == QLatin1String("open-invoices"))
        options.report = ReportKind::OpenInvoices;
    else
        usage(QStringLiteral("--report wants detailed, summary or open-invoices, not \"%1\"").arg(report));

    if (parser.isSet("from"))
        options.from = parseDate(parser, QStringLiteral("from"));
    if (parser.isSet("to"))
        options.to = parseDate(parser, QStringLiteral("to"));

    if (parser.isSet("type")) {
        options.type = parser.value("type");
        if (options.type != QLatin1String("income") && options.type != QLatin1String("expense") &&
            options.type != QLatin1String("both"))
            usage(QStringLiteral("--type wants income, expense or both, not \"%1\"").arg(options.type));
    }

    if (parser.isSet("only")) {
        std::vector<qint32> codes;
        for (const QString& part : parser.value("only").split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            bool ok = false;
            const qint32 code = part.trimmed().toInt(&ok);
            if (!ok)
                usage(QStringLiteral("--only wants product codes separated by commas, not \"%1\"").arg(part));
            codes.push_back(code);
        }
        options.only = std::move(codes);
    }
    return options;
}

// Runs the program's own start-up on the file and presses the report's button in its main window,
// with the dates, type and ticks set as a user would set them; the preview goes to the PDF file.
void run(const Options& options) {
    if (!QFileInfo(options.database).isFile())
        throw std::runtime_error(QStringLiteral("%1: no such file").arg(options.database).toStdString());

    // The program reads YVO.mdb beside itself: give it a folder whose YVO.mdb is the file.
    QTemporaryDir folder;
    if (!folder.isValid() || !QFile::link(QFileInfo(options.database).absoluteFilePath(),
                                          folder.filePath(QStringLiteral("YVO.mdb"))))
        throw std::runtime_error("cannot make a temporary folder for the billing file");
    yvo::db::setProgramFilePath(folder.filePath(QStringLiteral("YVOreport")));

    // What the program would show in its error box ends the run instead.
    QStringList errors;
    yvo::ui::setErrorPresenter([&errors](const QString&, const QString& text) { errors << text; });
    auto failOnError = [&errors] {
        if (!errors.isEmpty())
            throw std::runtime_error(errors.first().toStdString());
    };

    TFmain::setClock([] { return QDateTime(QDate::currentDate(), QTime(0, 0)); });
    yvo::report::setPreviewHost(std::make_unique<yvo::report::PdfPreviewHost>(options.pdf));
    YVOreport program;
    failOnError();

    Fmain->DTPStart->setDate(options.from);
    Fmain->DTPEnd->setDate(options.to);
    QRadioButton* type = options.type == QLatin1String("income")    ? Fmain->RBIncome
                         : options.type == QLatin1String("expense") ? Fmain->RBExpense
                                                                    : Fmain->RBBoth;
    type->click();
    failOnError();
    if (options.only) {
        const std::vector<qint32>& codes = Fmain->productCodes();
        for (int row = 0; row < Fmain->CLBCat->count(); ++row)
            Fmain->CLBCat->setChecked(row, std::find(options.only->begin(), options.only->end(),
                                                     codes[std::size_t(row)]) != options.only->end());
    }

    switch (options.report) {
    case ReportKind::Detailed:
        Fmain->DetailedReportRzBitBtn->click();
        break;
    case ReportKind::Summary:
        Fmain->SummaryReportRzBitBtn->click();
        break;
    case ReportKind::OpenInvoices:
        Fmain->OpenInvoicesRzBitBtn->click();
        break;
    }
    failOnError();
    yvo::report::setPreviewHost(nullptr);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    yvo::ui::installFontSubstitutes();
    try {
        run(parseOptions(QCoreApplication::arguments()));
        return 0;
    } catch (const UsageError& error) {
        std::fprintf(stderr, "yvo-export: %s\n", error.what());
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "yvo-export: %s\n", error.what());
        return 1;
    }
}
