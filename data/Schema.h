#pragma once
// The tables and index of the native billing file, as data/schema.sql writes them; the text is built
// into the program, so a demo file, a test database and the documentation share one schema.

#include <string_view>

struct sqlite3;

namespace yvo::data {

// The SQL text of data/schema.sql.
std::string_view billingSchemaSql();

// Runs that text on an open, empty SQLite database; throws yvo::db::DbError with SQLite's message.
void createBillingSchema(sqlite3* db);

} // namespace yvo::data
