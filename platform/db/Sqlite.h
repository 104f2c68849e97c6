#pragma once
// RAII handles and the error check for SQLite calls inside the data layer (not for other headers).

#include "platform/db/DbError.h"

#include <memory>
#include <sqlite3.h>

namespace yvo::db::sqlite {

struct DatabaseCloser {
    void operator()(sqlite3* db) const noexcept { sqlite3_close_v2(db); }
};
struct StatementFinalizer {
    void operator()(sqlite3_stmt* statement) const noexcept { sqlite3_finalize(statement); }
};
using DatabasePtr = std::unique_ptr<sqlite3, DatabaseCloser>;
using StatementPtr = std::unique_ptr<sqlite3_stmt, StatementFinalizer>;

// Throws DbError with the engine's message when rc is an error code.
inline void check(sqlite3* db, int rc) {
    if (rc != SQLITE_OK && rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw DbError(QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)));
}

} // namespace yvo::db::sqlite
