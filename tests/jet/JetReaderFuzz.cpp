// libFuzzer over the Jet reader: the input is opened as an Access file and every column of every
// table is read and written into an in-memory SQLite database, long values (memo, OLE) included.
#include "platform/db/DbError.h"
#include "platform/db/jet/JetReader.h"
#include "platform/db/Sqlite.h"

#include <cstddef>
#include <cstdint>
#include <sqlite3.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        const auto file = yvo::db::jet::JetFile::openBuffer(data, size);
        const yvo::db::SqliteDb copy =
            yvo::db::openSqlite(QStringLiteral(":memory:"), SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
        file->copyTo(copy.get());
    } catch (const yvo::db::DbError&) {
        // A damaged file is expected to be refused.
    }
    return 0;
}
