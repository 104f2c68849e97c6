#include "platform/db/Source.h"

#include "platform/db/DbError.h"
#include "platform/db/Sqlite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sqlite3.h>

namespace yvo::db {

namespace {

constexpr int kBusyTimeoutMs = 5000;

// A native billing file: an SQLite database opened read-only. SQLite takes a shared lock only while a
// statement runs, and queries read their whole result at once, so the writer is never held up for
// longer than one query.
class SqliteSource final : public Source {
public:
    explicit SqliteSource(const QString& fileName) : Source(fileName) {
        sqlite3* raw = nullptr;
        const int rc = sqlite3_open_v2(QFile::encodeName(fileName).constData(), &raw,
                                       SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
        m_db.reset(raw);
        if (rc != SQLITE_OK)
            throw DbError(QStringLiteral("Cannot open the billing database '%1': %2")
                              .arg(QDir::toNativeSeparators(fileName),
                                   QString::fromUtf8(raw ? sqlite3_errmsg(raw) : sqlite3_errstr(rc))));
        sqlite3_busy_timeout(m_db.get(), kBusyTimeoutMs);
        // Report queries group and sort large joins: a bigger page cache and sorting in memory keep
        // them off temporary files.
        sqlite3_exec(m_db.get(), "PRAGMA cache_size = -65536; PRAGMA temp_store = MEMORY", nullptr, nullptr,
                     nullptr);
        // Reading the schema now turns a damaged file into an error at connect time.
        const int schemaRc =
            sqlite3_exec(m_db.get(), "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
        if (schemaRc != SQLITE_OK)
            throw DbError(
                QStringLiteral("Cannot read the billing database '%1': %2")
                    .arg(QDir::toNativeSeparators(fileName), QString::fromUtf8(sqlite3_errmsg(m_db.get()))));
    }

    sqlite3* database() override { return m_db.get(); }

private:
    SqliteDb m_db;
};

} // namespace

FileKind detectFileKind(const QString& fileName) {
    const QString shown = QDir::toNativeSeparators(fileName);
    QFileInfo info(fileName);
    if (!info.exists())
        throw DbError(QStringLiteral("Could not find file '%1'").arg(shown));
    if (info.isDir())
        throw DbError(QStringLiteral("not a billing database: %1 is a folder").arg(shown));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("Cannot read file '%1': %2").arg(shown, file.errorString()));
    const QByteArray head = file.read(32);
    if (head.startsWith(QByteArrayLiteral("SQLite format 3\0")))
        return FileKind::Sqlite;
    // Jet 3, Jet 4 and ACE files carry their engine's name at offset 4.
    const QByteArray engine = head.mid(4, 15);
    if (engine == QByteArrayLiteral("Standard Jet DB") || engine == QByteArrayLiteral("Standard ACE DB"))
        return FileKind::Jet;
    return FileKind::Unknown;
}

std::unique_ptr<Source> openSqliteSource(const QString& fileName) {
    return std::make_unique<SqliteSource>(fileName);
}

std::unique_ptr<Source> openSource(const QString& fileName) {
    switch (detectFileKind(fileName)) {
    case FileKind::Sqlite:
        return openSqliteSource(fileName);
    case FileKind::Jet:
        return openJetSource(fileName);
    case FileKind::Unknown:
        break;
    }
    throw DbError(QStringLiteral("not a billing database: %1").arg(QDir::toNativeSeparators(fileName)));
}

} // namespace yvo::db
