#pragma once
// Shared by the Jet tests: the Access test files, mdb-export (Debian package mdbtools) as the
// independent reader to compare with, and a plain look at the rows of an SQLite table.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <string>
#include <vector>

struct sqlite3;

namespace yvo::test {

// The folder of the Access test files; empty when it is not there.
QString jetTestDataFolder();
// mdb-export or mdb-tables when installed, else empty.
QString mdbToolProgram(const QString& name);
// Why a test of the Access files cannot run here (their folder is absent, or mdb-export is needed and
// not installed), or empty when it can.
std::string jetTestsCannotRun(bool needMdbExport = false);

struct ExportCell {
    bool quoted = false; // text-like values are quoted; an unquoted empty cell is NULL (or an empty text)
    QByteArray text;
};
struct ExportTable {
    std::vector<QByteArray> header;
    std::vector<std::vector<ExportCell>> rows;
};

// The rows as mdb-export prints them with dates as "%Y-%m-%d %H:%M:%S" and binary values in hex.
ExportTable mdbExport(const QString& file, const QString& table);
QStringList mdbTables(const QString& file);

struct SqliteTable {
    std::vector<QString> columns;
    std::vector<QString> declaredTypes;
    std::vector<std::vector<QVariant>> rows; // integers as qlonglong, reals as double, text as QString,
                                             // blobs as QByteArray, NULL as a null QVariant
};
SqliteTable selectAll(sqlite3* db, const QString& table);

} // namespace yvo::test
