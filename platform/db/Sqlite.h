#pragma once
// Handles and error checks for SQLite, used by every part of the data layer: the billing file's
// connection, the queries, the Jet reader's output and the Jet source's copy. Every failing call
// becomes a DbError whose text names what was being done and the engine's message.

#include <QString>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;

namespace yvo::db {

struct SqliteCloser {
    void operator()(sqlite3* db) const noexcept;
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const noexcept;
};
using SqliteDb = std::unique_ptr<sqlite3, SqliteCloser>;
using SqliteStatement = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// Opens a database with sqlite3_open_v2 flags; ":memory:" for an in-memory one.
SqliteDb openSqlite(const QString& path, int flags);
// Returns rc when it is SQLITE_OK, SQLITE_ROW or SQLITE_DONE; otherwise throws
// "<what>: <engine message>".
int checkSqlite(sqlite3* db, int rc, const QString& what);
void execSqlite(sqlite3* db, const QString& sql);
SqliteStatement prepareSqlite(sqlite3* db, const QString& sql);
// A name as an SQL identifier in double quotes, inner quotes doubled.
QString quoteIdentifier(const QString& name);

} // namespace yvo::db
