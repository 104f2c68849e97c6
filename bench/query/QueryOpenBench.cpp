// How much a query open costs beyond SQLite's own work. For each report query, over a billing file
// with every category ticked and the whole date range, it times (1) SQLite alone preparing and
// stepping the very SQL text the program sends and (2) Query::open(), which also keeps the result as
// the snapshot. Both in one run, best of several rounds.
//
//   bench-query-open FILE.mdb [--rounds N]

#include "app/ReportPreparation.h"
#include "bench/support/BenchSupport.h"
#include "data/OpenAccountDataModule.h"
#include "data/YVODataModule.h"
#include "platform/db/Connection.h"
#include "platform/db/ProgramFile.h"
#include "platform/db/Query.h"
#include "platform/db/Source.h"
#include "platform/text/Regional.h"
#include "platform/text/StringList.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <functional>
#include <sqlite3.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double bestMs(int rounds, const std::function<void()>& work) {
    double best = 1e300;
    for (int i = 0; i < rounds; ++i) {
        const auto start = Clock::now();
        work();
        best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return best;
}

// SQLite alone, on the query's own connection: prepare, bind the two dates as serial numbers, step
// every row, touch every column.
long sqliteOnly(sqlite3* db, const QString& text, double from, double to) {
    sqlite3_stmt* statement = nullptr;
    const QByteArray sql = text.toUtf8();
    sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &statement, nullptr);
    if (const int i = sqlite3_bind_parameter_index(statement, ":DATE1"))
        sqlite3_bind_double(statement, i, from);
    if (const int i = sqlite3_bind_parameter_index(statement, ":DATE2"))
        sqlite3_bind_double(statement, i, to);
    long rows = 0;
    const int columns = sqlite3_column_count(statement);
    while (sqlite3_step(statement) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c)
            sqlite3_column_value(statement, c);
        ++rows;
    }
    sqlite3_finalize(statement);
    return rows;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: bench-query-open FILE.mdb [--rounds N]\n");
        return 2;
    }
    const int rounds = args.indexOf(QStringLiteral("--rounds")) > 0
                           ? args.at(args.indexOf(QStringLiteral("--rounds")) + 1).toInt()
                           : 3;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));

    // The data modules look for YVO.mdb beside the program: give them a folder with a link to FILE.
    QTemporaryDir folder;
    const QString file = QFileInfo(args.at(1)).absoluteFilePath();
    QFile::link(file, folder.filePath(QStringLiteral("YVO.mdb")));
    yvo::db::setProgramFilePath(folder.filePath(QStringLiteral("YVOreport")));

    TdmYVO yvo;
    TdmOpenAccount openAccount;
    yvo.DataModuleCreate();
    openAccount.DataModuleCreate();

    // Every category ticked.
    const std::vector<qint32> codes = yvo::bench::allCategoryCodes(yvo);
    const std::vector<bool> ticks(codes.size(), true);

    const QDate from(1900, 1, 1), to(2100, 12, 31);
    const double fromSerial = double(QDate(1899, 12, 30).daysTo(from));
    const double toSerial = double(QDate(1899, 12, 30).daysTo(to));

    std::printf("%-14s %10s %12s %12s %12s\n", "query", "rows", "sqlite ms", "open ms", "extra ms");
    struct Target {
        const char* name;
        yvo::db::Query* query;
        bool filtered;
    };
    for (const Target& target :
         {Target{"QDetailReport", yvo.QDetailReport, true}, Target{"QSummary", yvo.QSummary, true},
          Target{"QInExDetail", yvo.QInExDetail, true},
          Target{"QOpenAccount", openAccount.QOpenAccount, false}}) {
        yvo::db::Query& q = *target.query;
        if (target.filtered) {
            yvo::text::StringList snapshot;
            snapshot.assign(q.sql());
            yvo::app::applyCategoryFilter(q.sql(), codes, ticks);
            q.parameterByName(QStringLiteral("DATE1")).setValue(yvo::text::formatShortDate(from));
            q.parameterByName(QStringLiteral("DATE2")).setValue(yvo::text::formatShortDate(to));
        }
        long rows = 0;
        const double sqliteMs = bestMs(rounds, [&] {
            rows = sqliteOnly(q.connection().source().database(), q.sql().text(), fromSerial, toSerial);
        });
        const double openMs = bestMs(rounds, [&] {
            q.close();
            q.open();
        });
        std::printf("%-14s %10ld %12.1f %12.1f %12.1f\n", target.name, rows, sqliteMs, openMs,
                    openMs - sqliteMs);
    }
    return 0;
}
