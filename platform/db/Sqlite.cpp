#include "platform/db/Sqlite.h"

#include "platform/db/DbError.h"

#include <sqlite3.h>

namespace yvo::db {

void SqliteCloser::operator()(sqlite3* db) const noexcept {
    sqlite3_close_v2(db);
}

void StatementFinalizer::operator()(sqlite3_stmt* statement) const noexcept {
    sqlite3_finalize(statement);
}

SqliteDb openSqlite(const QString& path, int flags) {
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.toUtf8().constData(), &raw, flags, nullptr);
    SqliteDb db(raw);
    if (rc != SQLITE_OK) {
        const QString message =
            raw ? QString::fromUtf8(sqlite3_errmsg(raw)) : QString::fromUtf8(sqlite3_errstr(rc));
        throw DbError(QStringLiteral("%1: %2").arg(path, message));
    }
    sqlite3_extended_result_codes(raw, 1);
    return db;
}

int checkSqlite(sqlite3* db, int rc, const QString& what) {
    if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE)
        return rc;
    throw DbError(QStringLiteral("%1: %2").arg(what, QString::fromUtf8(sqlite3_errmsg(db))));
}

void execSqlite(sqlite3* db, const QString& sql) {
    checkSqlite(db, sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr), sql);
}

SqliteStatement prepareSqlite(sqlite3* db, const QString& sql) {
    sqlite3_stmt* raw = nullptr;
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &raw, nullptr);
    SqliteStatement statement(raw);
    checkSqlite(db, rc, sql);
    return statement;
}

QString quoteIdentifier(const QString& name) {
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace yvo::db
