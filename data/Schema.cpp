#include "data/Schema.h"

#include "platform/db/DbError.h"

#include <memory>
#include <sqlite3.h>
#include <string>

namespace yvo::data {

void createBillingSchema(sqlite3* db) {
    const std::string sql(billingSchemaSql());
    char* rawError = nullptr;
    const int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &rawError);
    const std::unique_ptr<char, decltype(&sqlite3_free)> error(rawError, &sqlite3_free);
    if (rc != SQLITE_OK)
        throw db::DbError(QStringLiteral("Cannot create the billing tables: %1")
                              .arg(QString::fromUtf8(error ? error.get() : sqlite3_errstr(rc))));
}

} // namespace yvo::data
