// Layout speed and memory of the report engine.
// (1) Linearity: the Open Invoices report over in-memory rows, 10,000 to 1,000,000 of them: time to
//     the first page, time for all pages, rows per second, and the memory the finished pages hold.
// (2) The three reports over a billing file, every category ticked and the whole date range: the
//     query open (SQLite plus the snapshot), then time to the first page and to the last.
//
//   bench-report-layout [FILE.mdb]

#include "app/ReportPreparation.h"
#include "bench/support/BenchSupport.h"
#include "data/OpenAccountDataModule.h"
#include "data/YVODataModule.h"
#include "platform/db/Connection.h"
#include "platform/db/ProgramFile.h"
#include "platform/db/Query.h"
#include "platform/report/DataSet.h"
#include "platform/report/Layout.h"
#include "platform/report/Report.h"
#include "platform/text/Regional.h"
#include "reports/RptDetailForm.h"
#include "reports/RptOpenAccount.h"
#include "reports/RptSummaryForm.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <functional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using yvo::report::LayoutRun;
using yvo::report::Page;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Resident memory of the process, in bytes.
long residentBytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * 4096;
}

// What one page's draw records hold: the records, their characters, and the page's share of the
// run's text styles (counted whole on each page that refers to them).
std::size_t pageBytes(const Page& page, std::size_t pages) {
    std::size_t bytes = sizeof(Page) + page.items.capacity() * sizeof(yvo::report::DrawItem) +
                        std::size_t(page.characters.capacity()) * sizeof(QChar);
    if (page.styles)
        bytes += page.styles->capacity() * sizeof(yvo::report::TextStyle) / pages;
    return bytes;
}

struct Timing {
    double firstPageMs = 0;
    double allPagesMs = 0;
    std::size_t pages = 0;
    std::size_t bytes = 0;
    long residentGrowth = 0;
};

Timing layout(yvo::report::Report& report) {
    Timing timing;
    const long before = residentBytes();
    std::vector<Page> pages;
    const auto start = Clock::now();
    LayoutRun run(report);
    if (auto page = run.nextPage())
        pages.push_back(std::move(*page));
    timing.firstPageMs = msSince(start);
    while (auto page = run.nextPage())
        pages.push_back(std::move(*page));
    timing.allPagesMs = msSince(start);
    timing.pages = pages.size();
    for (const Page& page : pages)
        timing.bytes += pageBytes(page, pages.size());
    timing.residentGrowth = residentBytes() - before;
    return timing;
}

void linearity() {
    std::printf("Open Invoices over in-memory rows\n");
    std::printf("%10s %8s %14s %12s %12s %12s %12s\n", "rows", "pages", "first page ms", "all ms", "rows/s",
                "B/page", "RSS B/page");
    TFRptOpenAccount form;
    for (int rows : {10'000, 100'000, 1'000'000}) {
        std::vector<std::vector<QVariant>> data;
        data.reserve(std::size_t(rows));
        const QDateTime when(QDate(2025, 3, 1), QTime(14, 30), Qt::UTC);
        for (int i = 0; i < rows; ++i)
            data.push_back({1234.5 + i, 234.25, when, QStringLiteral("Consulting Fees"),
                            QStringLiteral("Amelia"), QStringLiteral("Reyes"), QStringLiteral("Reyes Books"),
                            1000.25 + i});
        yvo::report::MemoryDataSet dataSet(
            {"amountdue", "amountpaid", "date", "category", "first name", "last name", "company", "Balance"},
            std::move(data));
        form.QRopenAccount->setDataSet(&dataSet);
        const Timing t = layout(*form.QRopenAccount);
        std::printf("%10d %8zu %14.2f %12.1f %12.0f %12zu %12ld\n", rows, t.pages, t.firstPageMs,
                    t.allPagesMs, rows / (t.allPagesMs / 1000), t.bytes / t.pages,
                    t.residentGrowth / long(t.pages));
    }
    form.QRopenAccount->setDataSet(nullptr);
}

void billingFile(const QString& fileName) {
    QTemporaryDir folder;
    QFile::link(QFileInfo(fileName).absoluteFilePath(), folder.filePath(QStringLiteral("YVO.mdb")));
    yvo::db::setProgramFilePath(folder.filePath(QStringLiteral("YVOreport")));
    TdmYVO yvo;
    yvo.DataModuleCreate();
    TFrptDetail detail;
    detail.bindDataSet(yvo.QDetailReport);
    TFRptSummary summary;
    summary.bindDataSet(yvo.QSummary);
    TFRptOpenAccount openForm;
    TdmOpenAccount open;
    open.DataModuleCreate();
    openForm.bindDataSet(open.QOpenAccount);

    const std::vector<qint32> codes = yvo::bench::allCategoryCodes(yvo);
    const std::vector<bool> ticks(codes.size(), true);

    std::printf("\nThe reports over %s\n", qPrintable(fileName));
    std::printf("%-14s %10s %8s %10s %14s %12s %12s\n", "report", "rows", "pages", "open ms", "first page ms",
                "all ms", "rows/s");
    struct Target {
        const char* name;
        yvo::db::Query* query;
        yvo::report::Report* report;
        bool filtered;
    };
    for (const Target& target : {Target{"Detailed", yvo.QDetailReport, detail.QRClient, true},
                                 Target{"Summary", yvo.QSummary, summary.QRCat, true},
                                 Target{"Open Invoices", open.QOpenAccount, openForm.QRopenAccount, false}}) {
        yvo::db::Query& q = *target.query;
        if (target.filtered) {
            yvo::app::applyCategoryFilter(q.sql(), codes, ticks);
            q.parameterByName(QStringLiteral("DATE1")).setValue(yvo::text::formatShortDate({1900, 1, 1}));
            q.parameterByName(QStringLiteral("DATE2")).setValue(yvo::text::formatShortDate({2100, 12, 31}));
        }
        const auto start = Clock::now();
        q.close();
        q.open();
        const double openMs = msSince(start);
        const Timing t = layout(*target.report);
        std::printf("%-14s %10d %8zu %10.1f %14.2f %12.1f %12.0f\n", target.name, q.recordCount(), t.pages,
                    openMs, t.firstPageMs, t.allPagesMs, q.recordCount() / (t.allPagesMs / 1000));
    }
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    linearity();
    if (argc > 1)
        billingFile(QString::fromLocal8Bit(argv[1]));
    return 0;
}
