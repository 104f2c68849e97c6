// yvo-convert IN.mdb OUT.sqlite: writes every table of an Access file (Jet 3, Jet 4, ACE) into a new
// SQLite file, under the tables' and columns' own names and with the value model of the native billing
// file (see platform/db/jet/JetReader.h). OUT is written under a temporary name beside it and renamed
// when complete; an existing OUT is never overwritten. Prints one line a table: "<table>: <n> rows".
#include "platform/db/DbError.h"
#include "platform/db/jet/JetReader.h"
#include "platform/db/Sqlite.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>
#include <cstdio>
#include <cstdlib>
#include <sqlite3.h>

namespace {

void convert(const QString& in, const QString& out) {
    using namespace yvo::db;
    if (QFileInfo::exists(out))
        throw DbError(QStringLiteral("%1 exists already; it is not overwritten").arg(out));
    const QFileInfo target(out);
    QTemporaryFile partial(
        QDir(target.absolutePath()).filePath(target.fileName() + QStringLiteral(".XXXXXX")));
    if (!partial.open())
        throw DbError(QStringLiteral("%1 cannot be written: %2").arg(out, partial.errorString()));
    std::vector<jet::CopiedTable> tables;
    try {
        const auto file = jet::JetFile::open(in);
        const yvo::db::SqliteDb copy = yvo::db::openSqlite(partial.fileName(), SQLITE_OPEN_READWRITE);
        tables = file->copyTo(copy.get());
    } catch (const DbError& error) {
        throw DbError(
            QStringLiteral("%1 could not be read: %2").arg(QFileInfo(in).fileName(), error.message()));
    }
    if (!partial.rename(target.absoluteFilePath()))
        throw DbError(QStringLiteral("%1 cannot be written: %2").arg(out, partial.errorString()));
    partial.setAutoRemove(false);
    for (const jet::CopiedTable& table : tables)
        std::printf("%s: %lld rows\n", table.name.toUtf8().constData(), table.rows);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: yvo-convert IN.mdb OUT.sqlite\n");
        return 2;
    }
    // An empty part of MDBPATH makes libmdb loop for ever; the others change its encoding and output.
    for (const char* name : {"MDBPATH", "MDBICONV", "MDB_ICONV", "MDB_JET3_CHARSET", "MDBOPTS"})
        unsetenv(name);
    yvo::db::jet::limitReaderMemory();
    try {
        convert(QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
    } catch (const yvo::db::DbError& error) {
        std::fprintf(stderr, "yvo-convert: %s\n", error.what());
        return 1;
    }
    return 0;
}
