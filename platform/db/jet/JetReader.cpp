#include "platform/db/jet/JetReader.h"

#include "platform/db/DbError.h"
#include "platform/db/jet/JetValues.h"
#include "platform/db/Sqlite.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <cstdint>
#include <cstring>
#include <mdbtools.h>
#include <set>
#include <sqlite3.h>
#include <sys/resource.h>

namespace yvo::db::jet {

namespace {

struct MdbCloser {
    void operator()(MdbHandle* mdb) const noexcept { mdb_close(mdb); }
};
struct TableFreer {
    void operator()(MdbTableDef* table) const noexcept { mdb_free_tabledef(table); }
};
using MdbPtr = std::unique_ptr<MdbHandle, MdbCloser>;
using TablePtr = std::unique_ptr<MdbTableDef, TableFreer>;

// The row offset table's flag bits; the rest is the row's offset in the page.
constexpr int rowOffsetMask = 0x1fff;
// A long value (memo, OLE) starts with 12 bytes: its length with two flag bits, then where it is.
constexpr std::size_t longValueHeader = 12;
constexpr std::uint32_t longValueInline = 0x80000000u;
constexpr std::uint32_t longValueOnePage = 0x40000000u;
constexpr std::uint32_t longValueLengthMask = 0x3fffffffu;

enum class Kind {
    Boolean,
    Byte,
    Int16,
    Int32,
    Money,
    Single,
    Double,
    Date,
    Text,
    Memo,
    Bytes,
    Ole,
    ReplicationId,
    Decimal
};

Kind kindOf(int type) {
    switch (type) {
    case MDB_BOOL:
        return Kind::Boolean;
    case MDB_BYTE:
        return Kind::Byte;
    case MDB_INT:
        return Kind::Int16;
    case MDB_LONGINT:
    case MDB_COMPLEX:
        return Kind::Int32;
    case MDB_MONEY:
        return Kind::Money;
    case MDB_FLOAT:
        return Kind::Single;
    case MDB_DOUBLE:
        return Kind::Double;
    case MDB_DATETIME:
        return Kind::Date;
    case MDB_TEXT:
        return Kind::Text;
    case MDB_MEMO:
        return Kind::Memo;
    case MDB_OLE:
        return Kind::Ole;
    case MDB_REPID:
        return Kind::ReplicationId;
    case MDB_NUMERIC:
        return Kind::Decimal;
    default:
        return Kind::Bytes; // Binary, and types this reader does not know
    }
}

const char* declaredType(Kind kind) {
    switch (kind) {
    case Kind::Boolean:
        return "BOOLEAN";
    case Kind::Byte:
    case Kind::Int16:
    case Kind::Int32:
        return "INTEGER";
    case Kind::Money:
    case Kind::Single:
    case Kind::Double:
    case Kind::Decimal:
        return "REAL";
    case Kind::Date:
        return "DATETIME";
    case Kind::Text:
    case Kind::Memo:
    case Kind::ReplicationId:
        return "TEXT COLLATE NOCASE";
    case Kind::Bytes:
    case Kind::Ole:
        return "BLOB";
    }
    return "BLOB";
}

// Bytes a fixed-size value needs; a shorter stored value means a damaged table definition.
int storedSize(Kind kind) {
    switch (kind) {
    case Kind::Byte:
        return 1;
    case Kind::Int16:
        return 2;
    case Kind::Int32:
    case Kind::Single:
        return 4;
    case Kind::Money:
    case Kind::Double:
    case Kind::Date:
        return 8;
    case Kind::ReplicationId:
        return 16;
    case Kind::Decimal:
        return 17;
    default:
        return 0;
    }
}

std::uint32_t le32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}
std::uint64_t le64(const unsigned char* p) {
    return std::uint64_t(le32(p)) | std::uint64_t(le32(p + 4)) << 32;
}

template <typename T> T bitsAs(auto bits) {
    static_assert(sizeof(T) == sizeof(bits));
    T value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

struct Column {
    QString name;
    Kind kind;
    int scale;
};

// All tables of one copy or none: rolled back unless committed.
class Transaction {
public:
    explicit Transaction(sqlite3* db) : m_db(db) { execSqlite(db, QStringLiteral("BEGIN")); }
    ~Transaction() {
        if (m_db)
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
    }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit() {
        execSqlite(m_db, QStringLiteral("COMMIT"));
        m_db = nullptr;
    }

private:
    sqlite3* m_db;
};

// The first bytes of every Jet 3, Jet 4 and ACE file. libmdb takes any file whose first byte is zero,
// an empty one included, for a Jet 3 file.
bool hasJetSignature(QByteArrayView start) {
    static constexpr char jet[] = "\x00\x01\x00\x00Standard Jet DB";
    static constexpr char ace[] = "\x00\x01\x00\x00Standard ACE DB";
    const qsizetype length = sizeof jet - 1;
    return start.size() >= length && (start.first(length) == QByteArrayView(jet, length) ||
                                      start.first(length) == QByteArrayView(ace, length));
}

[[noreturn]] void notAccess() {
    throw DbError(QStringLiteral("it is not an Access database"));
}

[[noreturn]] void damaged(const QString& table) {
    throw DbError(QStringLiteral("table %1 is damaged").arg(table));
}

} // namespace

struct JetFile::Impl {
    QByteArray buffer; // the file's bytes for a file opened in memory; outlives the handle
    MdbPtr mdb;

    bool jet3() const { return mdb->f->jet_version == MDB_VER_JET3; }

    std::vector<MdbCatalogEntry*> userTables() const {
        // libmdb skips the pages it cannot read, so a truncated file would look like one with fewer
        // tables: the catalog table MSysObjects (always at page 2) must yield every row it counts.
        MdbCatalogEntry objects{};
        objects.mdb = mdb.get();
        objects.object_type = MDB_TABLE;
        objects.table_pg = 2;
        const TablePtr catalogTable(mdb_read_table(&objects));
        if (!catalogTable || !mdb_read_columns(catalogTable.get()) ||
            rowsReadable(catalogTable.get()) != catalogTable->num_rows)
            throw DbError(QStringLiteral("its list of tables is damaged"));
        std::vector<MdbCatalogEntry*> tables;
        GPtrArray* catalog = mdb_read_catalog(mdb.get(), MDB_TABLE);
        if (!catalog)
            throw DbError(QStringLiteral("its list of tables is damaged"));
        for (guint i = 0; i < catalog->len; ++i) {
            auto* entry = static_cast<MdbCatalogEntry*>(g_ptr_array_index(catalog, i));
            if (mdb_is_user_table(entry))
                tables.push_back(entry);
        }
        return tables;
    }

    static long long rowsReadable(MdbTableDef* table) {
        long long rows = 0;
        mdb_rewind_table(table);
        while (mdb_fetch_row(table))
            ++rows;
        return rows;
    }

    // Text in the file's own encoding, as UTF-8.
    QByteArray text(const unsigned char* bytes, std::size_t size) const {
        if (!jet3())
            return decodeJet4Text(QByteArrayView(bytes, qsizetype(size))).toUtf8();
        // A Jet 3 file holds text in its code page; libmdb converts it with iconv. Each byte becomes at
        // most three bytes of UTF-8 (or one '?'), plus the terminating zero.
        QByteArray utf8(qsizetype(size * 3 + 1), Qt::Uninitialized);
        const int length = mdb_unicode2ascii(mdb.get(), reinterpret_cast<const char*>(bytes), size,
                                             utf8.data(), std::size_t(utf8.size()));
        utf8.truncate(length);
        return utf8;
    }

    // A memo or OLE value: the 12-byte header in the row, then the bytes inline or in a chain of
    // long-value rows on other pages. The chain is followed until the stated length is reached, and
    // never through the same row twice, so a damaged chain cannot loop.
    QByteArray longValue(const unsigned char* field, std::size_t size, const QString& table) const {
        if (size < longValueHeader)
            return {};
        const std::uint32_t header = le32(field);
        const std::size_t length = header & longValueLengthMask;
        if (header & longValueInline)
            return QByteArray(reinterpret_cast<const char*>(field + longValueHeader),
                              qsizetype(std::min(size - longValueHeader, length)));
        std::uint32_t pageRow = le32(field + 4);
        if (header & longValueOnePage) {
            const QByteArrayView part = lvalRow(pageRow, table);
            return part.first(std::min(part.size(), qsizetype(length))).toByteArray();
        }
        if ((header >> 24) != 0)
            damaged(table);
        QByteArray value;
        std::set<std::uint32_t> visited;
        while (pageRow != 0 && std::size_t(value.size()) < length) {
            if (!visited.insert(pageRow).second)
                damaged(table);
            const QByteArrayView part = lvalRow(pageRow, table);
            if (part.size() < 4)
                damaged(table);
            pageRow = le32(reinterpret_cast<const unsigned char*>(part.data()));
            value.append(part.sliced(4));
        }
        if (std::size_t(value.size()) > length)
            value.truncate(qsizetype(length));
        return value;
    }

    // One row of a long-value page, read into libmdb's second page buffer (the current data page stays).
    QByteArrayView lvalRow(std::uint32_t pageRow, const QString& table) const {
        void* page = nullptr;
        int offset = 0;
        std::size_t length = 0;
        if (mdb_find_pg_row(mdb.get(), int(pageRow), &page, &offset, &length) != 0)
            damaged(table);
        return QByteArrayView(static_cast<const char*>(page) + offset, qsizetype(length));
    }

    void bind(sqlite3* target, sqlite3_stmt* insert, int parameter, const Column& column,
              const MdbField& field, const QString& table) const {
        const auto* bytes = static_cast<const unsigned char*>(field.value);
        const auto size = std::size_t(field.siz > 0 ? field.siz : 0);
        int rc = SQLITE_OK;
        if (column.kind == Kind::Boolean) {
            // A Yes/No value is its bit in the null bitmap: set is Yes.
            rc = sqlite3_bind_int(insert, parameter, field.is_null ? 0 : 1);
        } else if (field.is_null) {
            rc = sqlite3_bind_null(insert, parameter);
        } else if (int(size) < storedSize(column.kind)) {
            damaged(table);
        } else {
            switch (column.kind) {
            case Kind::Boolean:
                break;
            case Kind::Byte:
                rc = sqlite3_bind_int(insert, parameter, bytes[0]);
                break;
            case Kind::Int16:
                rc = sqlite3_bind_int(insert, parameter, std::int16_t(bytes[0] | bytes[1] << 8));
                break;
            case Kind::Int32:
                rc = sqlite3_bind_int(insert, parameter, std::int32_t(le32(bytes)));
                break;
            case Kind::Money:
                rc = sqlite3_bind_double(insert, parameter, double(std::int64_t(le64(bytes))) / 10000.0);
                break;
            case Kind::Single:
                rc = sqlite3_bind_double(insert, parameter, bitsAs<float>(le32(bytes)));
                break;
            case Kind::Double:
            case Kind::Date:
                rc = sqlite3_bind_double(insert, parameter, bitsAs<double>(le64(bytes)));
                break;
            case Kind::Decimal:
                rc = sqlite3_bind_double(insert, parameter,
                                         decimalValue(QByteArrayView(bytes, qsizetype(size)), column.scale));
                break;
            case Kind::ReplicationId:
                rc = bindText(insert, parameter, replicationIdText(QByteArrayView(bytes, 16)).toUtf8());
                break;
            case Kind::Text:
                rc = bindText(insert, parameter, text(bytes, size));
                break;
            case Kind::Memo: {
                const QByteArray stored = longValue(bytes, size, table);
                rc = bindText(insert, parameter,
                              text(reinterpret_cast<const unsigned char*>(stored.constData()),
                                   std::size_t(stored.size())));
                break;
            }
            case Kind::Ole:
                rc = bindBlob(insert, parameter, longValue(bytes, size, table));
                break;
            case Kind::Bytes:
                rc = bindBlob(insert, parameter,
                              QByteArray(reinterpret_cast<const char*>(bytes), qsizetype(size)));
                break;
            }
        }
        checkSqlite(target, rc, QStringLiteral("copying table %1").arg(table));
    }

    static int bindText(sqlite3_stmt* insert, int parameter, const QByteArray& utf8) {
        return sqlite3_bind_text64(insert, parameter, utf8.constData(), sqlite3_uint64(utf8.size()),
                                   SQLITE_TRANSIENT, SQLITE_UTF8);
    }
    static int bindBlob(sqlite3_stmt* insert, int parameter, const QByteArray& bytes) {
        return sqlite3_bind_blob64(insert, parameter, bytes.constData(), sqlite3_uint64(bytes.size()),
                                   SQLITE_TRANSIENT);
    }

    CopiedTable copy(MdbCatalogEntry* entry, sqlite3* target) const {
        const QString name = QString::fromUtf8(entry->object_name);
        TablePtr table(mdb_read_table(entry));
        if (!table || !mdb_read_columns(table.get()) || table->num_cols == 0 || !table->columns)
            damaged(name);

        std::vector<Column> columns;
        QStringList definitions;
        for (guint i = 0; i < table->num_cols; ++i) {
            const auto* col = static_cast<const MdbColumn*>(g_ptr_array_index(table->columns, i));
            const Column column{QString::fromUtf8(col->name), kindOf(col->col_type), col->col_scale};
            definitions << quoteIdentifier(column.name) + QLatin1Char(' ') +
                               QLatin1String(declaredType(column.kind));
            columns.push_back(column);
        }
        execSqlite(target,
                   QStringLiteral("CREATE TABLE %1 (%2)").arg(quoteIdentifier(name), definitions.join(", ")));
        QStringList parameters;
        for (std::size_t i = 0; i < columns.size(); ++i)
            parameters << QStringLiteral("?");
        const SqliteStatement insert = prepareSqlite(
            target,
            QStringLiteral("INSERT INTO %1 VALUES (%2)").arg(quoteIdentifier(name), parameters.join(",")));

        CopiedTable copied{name, int(columns.size()), 0};
        std::vector<MdbField> fields(columns.size());
        MdbHandle* handle = mdb.get();
        mdb_rewind_table(table.get());
        while (mdb_fetch_row(table.get())) {
            // libmdb has just cracked this row to fill its bindings; crack it again for the raw fields.
            int start = 0;
            std::size_t size = 0;
            if (table->cur_row == 0 || mdb_find_row(handle, int(table->cur_row) - 1, &start, &size) != 0)
                damaged(name);
            if (mdb_crack_row(table.get(), start & rowOffsetMask, size, fields.data()) < 0)
                damaged(name);
            for (std::size_t i = 0; i < columns.size(); ++i) {
                const MdbField& field = fields[i];
                if (field.colnum < 0 || std::size_t(field.colnum) >= columns.size())
                    damaged(name);
                bind(target, insert.get(), field.colnum + 1, columns[std::size_t(field.colnum)], field, name);
            }
            checkSqlite(target, sqlite3_step(insert.get()), QStringLiteral("copying table %1").arg(name));
            sqlite3_reset(insert.get());
            ++copied.rows;
        }
        // Rows on pages libmdb cannot read are skipped without a word; the table's own count tells.
        if (copied.rows != table->num_rows)
            throw DbError(QStringLiteral("table %1 is damaged: %2 of its %3 rows could be read")
                              .arg(name)
                              .arg(copied.rows)
                              .arg(table->num_rows));
        return copied;
    }
};

void limitReaderMemory() {
#if defined(__SANITIZE_ADDRESS__)
    constexpr bool sanitized = true;
#elif defined(__has_feature)
    constexpr bool sanitized = __has_feature(address_sanitizer);
#else
    constexpr bool sanitized = false;
#endif
    if (sanitized)
        return;
    constexpr rlim_t limit = rlim_t(2) << 30;
    rlimit current{};
    getrlimit(RLIMIT_AS, &current);
    if (current.rlim_max == RLIM_INFINITY || current.rlim_max > limit)
        current.rlim_max = limit;
    current.rlim_cur = std::min(current.rlim_max, limit);
    setrlimit(RLIMIT_AS, &current);
}

JetFile::JetFile(std::unique_ptr<Impl> impl) : m_impl(std::move(impl)) {}
JetFile::~JetFile() = default;

std::unique_ptr<JetFile> JetFile::open(const QString& path) {
    // An absolute path of a file that exists: libmdb would otherwise search $MDBPATH for it.
    const QFileInfo info(path);
    if (!info.isFile())
        throw DbError(QStringLiteral("the file does not exist"));
    QFile file(info.absoluteFilePath());
    if (!file.open(QIODevice::ReadOnly))
        throw DbError(QStringLiteral("the file cannot be opened for reading"));
    if (!hasJetSignature(file.read(32)))
        notAccess();
    file.close();
    auto impl = std::make_unique<Impl>();
    impl->mdb.reset(mdb_open(QFile::encodeName(info.absoluteFilePath()).constData(), MDB_NOFLAGS));
    if (!impl->mdb)
        notAccess();
    return std::unique_ptr<JetFile>(new JetFile(std::move(impl)));
}

std::unique_ptr<JetFile> JetFile::openBuffer(const void* data, std::size_t size) {
    auto impl = std::make_unique<Impl>();
    impl->buffer = QByteArray(static_cast<const char*>(data), qsizetype(size));
    if (!hasJetSignature(impl->buffer))
        notAccess();
    impl->mdb.reset(mdb_open_buffer(impl->buffer.data(), std::size_t(impl->buffer.size()), MDB_NOFLAGS));
    if (!impl->mdb)
        notAccess();
    return std::unique_ptr<JetFile>(new JetFile(std::move(impl)));
}

QStringList JetFile::tableNames() const {
    QStringList names;
    for (MdbCatalogEntry* entry : m_impl->userTables())
        names << QString::fromUtf8(entry->object_name);
    return names;
}

std::vector<CopiedTable> JetFile::copyTo(sqlite3* target, const QStringList& tables) {
    const std::vector<MdbCatalogEntry*> catalog = m_impl->userTables();
    std::vector<MdbCatalogEntry*> chosen;
    if (tables.isEmpty())
        chosen = catalog;
    for (const QString& wanted : tables) {
        const auto found = std::find_if(catalog.begin(), catalog.end(), [&](MdbCatalogEntry* entry) {
            return QString::fromUtf8(entry->object_name).compare(wanted, Qt::CaseInsensitive) == 0;
        });
        if (found == catalog.end())
            throw DbError(QStringLiteral("it has no table %1").arg(wanted));
        chosen.push_back(*found);
    }

    std::vector<CopiedTable> copied;
    copied.reserve(chosen.size());
    Transaction transaction(target);
    for (MdbCatalogEntry* entry : chosen)
        copied.push_back(m_impl->copy(entry, target));
    transaction.commit();
    return copied;
}

} // namespace yvo::db::jet
