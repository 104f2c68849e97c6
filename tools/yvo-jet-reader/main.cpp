// yvo-jet-reader IN OUT [TABLE...]: copies the tables of the Access file IN (every table, or the ones
// named, matched ignoring case) into the new SQLite file OUT, with the billing file's value model.
// The program runs it as a child process, so that libmdb crashing or looping on a damaged file cannot
// take the program with it. Exit code 0 on success; otherwise 1 and a last line on standard error
// "yvo-jet-reader: <reason>".
#include "platform/db/DbError.h"
#include "platform/db/jet/JetReader.h"
#include "platform/db/Sqlite.h"

#include <QFileInfo>
#include <QStringList>
#include <cstdio>
#include <cstdlib>
#include <sqlite3.h>

#if defined(__SANITIZE_ADDRESS__)
// A sanitizer build has no cap on its address space (see limitReaderMemory), so it caps its resident
// memory instead.
extern "C" const char* __asan_default_options() {
    return "hard_rss_limit_mb=2048:abort_on_error=1";
}
#endif

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: yvo-jet-reader IN.mdb OUT.sqlite [TABLE...]\n");
        return 2;
    }
    // An empty part of MDBPATH makes libmdb loop for ever; the others change its encoding and output.
    for (const char* name : {"MDBPATH", "MDBICONV", "MDB_ICONV", "MDB_JET3_CHARSET", "MDBOPTS"})
        unsetenv(name);
    yvo::db::jet::limitReaderMemory();
    const QString in = QString::fromLocal8Bit(argv[1]);
    const QString out = QString::fromLocal8Bit(argv[2]);
    QStringList tables;
    for (int i = 3; i < argc; ++i)
        tables << QString::fromLocal8Bit(argv[i]);
    try {
        if (QFileInfo::exists(out))
            throw yvo::db::DbError(QStringLiteral("%1 exists already").arg(out));
        const auto file = yvo::db::jet::JetFile::open(in);
        const yvo::db::SqliteDb copy =
            yvo::db::openSqlite(out, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        yvo::db::execSqlite(copy.get(), QStringLiteral("PRAGMA journal_mode = OFF"));
        yvo::db::execSqlite(copy.get(), QStringLiteral("PRAGMA synchronous = OFF"));
        file->copyTo(copy.get(), tables);
    } catch (const yvo::db::DbError& error) {
        std::fprintf(stderr, "yvo-jet-reader: %s\n", error.what());
        return 1;
    }
    return 0;
}
