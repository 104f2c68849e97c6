// yvo-export --db FILE --report detailed|summary|open-invoices [--from YYYY-MM-DD] [--to YYYY-MM-DD]
//            [--type income|expense|both] [--only CODE,CODE,...] --pdf OUT.pdf
// Runs one report over a billing file as the program's report buttons do, with the report's
// preview sent to a PDF file instead of a window. Dates default to today, the type to both, and
// every listed category is ticked unless --only names the ones to tick. Any error is one line on
// stderr and a non-zero exit; the PDF appears under its name only when complete.

#include "app/ReportPreparation.h"
#include "data/OpenAccountDataModule.h"
#include "data/YVODataModule.h"
#include "platform/db/Connection.h"
#include "platform/db/Query.h"
#include "platform/report/PreviewHost.h"
#include "platform/report/Report.h"
#include "platform/text/Regional.h"
#include "reports/RptDetailForm.h"
#include "reports/RptOpenAccount.h"
#include "reports/RptSummaryForm.h"

#include <QCommandLineParser>
#include <QDate>
#include <QFileInfo>
#include <QGuiApplication>
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
    QStringList types = {QStringLiteral("IN"), QStringLiteral("EX")};
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
        const QString type = parser.value("type");
        if (type == QLatin1String("income"))
            options.types = {QStringLiteral("IN"), QStringLiteral("IN")};
        else if (type == QLatin1String("expense"))
            options.types = {QStringLiteral("EX"), QStringLiteral("EX")};
        else if (type != QLatin1String("both"))
            usage(QStringLiteral("--type wants income, expense or both, not \"%1\"").arg(type));
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

// Points a data module's connection at the given file and connects. (The program's modules find
// YVO.mdb beside the program; this tool reads the file it is given.)
void connectTo(yvo::db::Connection& connection, const QString& file) {
    QString settings = connection.connectionString();
    settings.replace(QStringLiteral("Data Source=*"),
                     QStringLiteral("Data Source=") + yvo::db::Connection::quoteValue(file));
    connection.setConnectionString(settings);
    connection.setConnected(true);
}

// Until the report commands of the main window take this over: the category list of the chosen
// type with its ticks, a query prepared from its stored lines, and the totals line.
struct Categories {
    std::vector<qint32> codes;
    std::vector<bool> ticked;
};

Categories listCategories(TdmYVO& yvo, const Options& options) {
    yvo::db::Query& query = *yvo.QCatagory;
    query.close();
    query.parameterByName(QStringLiteral("TYPE1")).setValue(options.types.at(0));
    query.parameterByName(QStringLiteral("TYPE2")).setValue(options.types.at(1));
    query.open();
    Categories categories;
    for (query.first(); !query.eof(); query.next()) {
        const qint32 code = query.fieldByName(u"ProductCode").asInteger();
        categories.codes.push_back(code);
        categories.ticked.push_back(!options.only || std::find(options.only->begin(), options.only->end(),
                                                               code) != options.only->end());
    }
    return categories;
}

void prepare(yvo::db::Query& query, const Categories& categories, const Options& options) {
    query.close();
    yvo::app::applyCategoryFilter(query.sql(), categories.codes, categories.ticked);
    query.parameterByName(QStringLiteral("DATE1")).setValue(yvo::text::formatShortDate(options.from));
    query.parameterByName(QStringLiteral("DATE2")).setValue(yvo::text::formatShortDate(options.to));
    query.open();
}

QString totalsLine(TdmYVO& yvo, const Categories& categories, const Options& options) {
    yvo::db::Query& query = *yvo.QInExDetail;
    prepare(query, categories, options);
    double income = 0;
    double expense = 0;
    for (query.first(); !query.eof(); query.next()) {
        const QString type = query.fieldByName(u"TYPE").asString();
        if (type == QLatin1String("IN"))
            income = query.fieldByName(u"TotalPaid").asFloat();
        else if (type == QLatin1String("EX"))
            expense = query.fieldByName(u"TotalPaid").asFloat();
    }
    return yvo::app::netIncomeLine(income, expense);
}

void run(const Options& options) {
    if (!QFileInfo(options.database).isFile())
        throw std::runtime_error(QStringLiteral("%1: no such file").arg(options.database).toStdString());
    const QString file = QFileInfo(options.database).absoluteFilePath();

    // The modules in the program's start-up order; the open-invoices form is bound last.
    TdmYVO yvo;
    connectTo(*yvo.ADOC, file);
    TFrptDetail detail;
    detail.bindDataSet(yvo.QDetailReport);
    TFRptSummary summary;
    summary.bindDataSet(yvo.QSummary);
    TFRptOpenAccount openAccount;
    TdmOpenAccount open;
    connectTo(*open.ADOC, file);
    openAccount.bindDataSet(open.QOpenAccount);

    yvo::report::setPreviewHost(std::make_unique<yvo::report::PdfPreviewHost>(options.pdf));
    const QString paidDate = QStringLiteral("Paid date between ") + yvo::text::formatShortDate(options.from) +
                             QStringLiteral(" to ") + yvo::text::formatShortDate(options.to);
    switch (options.report) {
    case ReportKind::Detailed: {
        const Categories categories = listCategories(yvo, options);
        prepare(*yvo.QDetailReport, categories, options);
        detail.NetIncomeText = totalsLine(yvo, categories, options);
        detail.PaidDateText = paidDate;
        detail.QRClient->preview();
        break;
    }
    case ReportKind::Summary: {
        const Categories categories = listCategories(yvo, options);
        prepare(*yvo.QSummary, categories, options);
        summary.NetIncomeText = totalsLine(yvo, categories, options);
        summary.PaidDateText = paidDate;
        summary.QRCat->preview();
        break;
    }
    case ReportKind::OpenInvoices:
        open.QOpenAccount->close();
        open.QOpenAccount->open();
        openAccount.QRopenAccount->preview();
        break;
    }
    yvo::report::setPreviewHost(nullptr);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
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
