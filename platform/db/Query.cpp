#include "platform/db/Query.h"

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/Source.h"
#include "platform/db/Sqlite.h"
#include "platform/text/Regional.h"
#include "platform/text/SerialDate.h"

#include <QHash>
#include <cmath>
#include <limits>
#include <sqlite3.h>

namespace yvo::db {

// The whole result of one open, read once and walked by the static cursor. Values are kept as
// SQLite gives them, text as UTF-8 bytes in one buffer per column, and become QVariants only when a
// field is read: keeping a large result costs little more than SQLite's own stepping.
struct Snapshot {
    struct Cell {
        int type = SQLITE_NULL;
        union {
            qint64 integer;
            double real;
            struct {
                qsizetype offset;
                int size;
            } bytes;
        };
    };
    struct Column {
        QString name;
        FieldKind kind = FieldKind::Unknown;
        std::vector<Cell> cells;
        QByteArray bytes;
        bool seen[SQLITE_NULL + 1] = {}; // which storage classes occur

        void append(sqlite3_stmt* statement, int column);
        QVariant value(int row) const;
    };
    std::vector<Column> columns;
    int rows = 0;
};

void Snapshot::Column::append(sqlite3_stmt* statement, int column) {
    Cell cell;
    cell.type = sqlite3_column_type(statement, column);
    switch (cell.type) {
    case SQLITE_INTEGER:
        cell.integer = sqlite3_column_int64(statement, column);
        break;
    case SQLITE_FLOAT:
        cell.real = sqlite3_column_double(statement, column);
        break;
    case SQLITE_TEXT:
    case SQLITE_BLOB: {
        const void* data = cell.type == SQLITE_TEXT
                               ? static_cast<const void*>(sqlite3_column_text(statement, column))
                               : sqlite3_column_blob(statement, column);
        cell.bytes.size = sqlite3_column_bytes(statement, column);
        cell.bytes.offset = bytes.size();
        bytes.append(static_cast<const char*>(data), cell.bytes.size);
        break;
    }
    default:
        cell.type = SQLITE_NULL;
        cell.integer = 0;
        break;
    }
    seen[cell.type] = true;
    cells.push_back(cell);
}

QVariant Snapshot::Column::value(int row) const {
    const Cell& cell = cells[std::size_t(row)];
    switch (cell.type) {
    case SQLITE_INTEGER:
        if (kind == FieldKind::Boolean)
            return QVariant(cell.integer != 0);
        return QVariant(cell.integer);
    case SQLITE_FLOAT:
        if (kind == FieldKind::Boolean)
            return QVariant(cell.real != 0.0);
        return QVariant(cell.real);
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(bytes.constData() + cell.bytes.offset, cell.bytes.size));
    case SQLITE_BLOB:
        return QVariant(QByteArray(bytes.constData() + cell.bytes.offset, cell.bytes.size));
    default:
        return QVariant();
    }
}

QString fieldKindName(FieldKind kind) {
    switch (kind) {
    case FieldKind::Unknown:
        return QStringLiteral("Unknown");
    case FieldKind::Integer:
        return QStringLiteral("Integer");
    case FieldKind::Float:
        return QStringLiteral("Float");
    case FieldKind::Boolean:
        return QStringLiteral("Boolean");
    case FieldKind::Text:
        return QStringLiteral("String");
    case FieldKind::WideText:
        return QStringLiteral("WideString");
    case FieldKind::DateTime:
        return QStringLiteral("DateTime");
    case FieldKind::Blob:
        return QStringLiteral("Blob");
    }
    return QStringLiteral("Unknown");
}

namespace {

// The kind a declared column type stands for; Unknown when the type says nothing (computed columns).
FieldKind kindOfDeclaredType(const char* declared) {
    if (!declared)
        return FieldKind::Unknown;
    const QByteArray type = QByteArray(declared).toUpper();
    auto has = [&](const char* word) { return type.contains(word); };
    if (has("BOOL") || has("YESNO") || type == "BIT")
        return FieldKind::Boolean;
    if (has("DATE") || has("TIME"))
        return FieldKind::DateTime;
    if (has("INT"))
        return FieldKind::Integer;
    if (has("CHAR") || has("CLOB") || has("TEXT") || has("MEMO"))
        return FieldKind::WideText;
    if (has("BLOB") || has("BINARY"))
        return FieldKind::Blob;
    if (has("REAL") || has("FLOA") || has("DOUB") || has("NUMERIC") || has("DECIMAL") || has("MONEY") ||
        has("CURRENCY"))
        return FieldKind::Float;
    return FieldKind::Unknown;
}

// The kind of a computed column, from the values it holds: text beats float beats integer.
FieldKind kindOfValues(const Snapshot::Column& column) {
    if (column.seen[SQLITE_TEXT])
        return FieldKind::WideText;
    if (column.seen[SQLITE_BLOB])
        return FieldKind::Blob;
    if (column.seen[SQLITE_FLOAT])
        return FieldKind::Float;
    if (column.seen[SQLITE_INTEGER])
        return FieldKind::Integer;
    return FieldKind::Unknown;
}

bool accepts(FieldKind declared, FieldKind actual) {
    if (actual == FieldKind::Unknown) // every value null: nothing to mismatch
        return true;
    switch (declared) {
    case FieldKind::Text:
    case FieldKind::WideText:
        return actual == FieldKind::Text || actual == FieldKind::WideText;
    default:
        return declared == actual;
    }
}

QString caseKey(QStringView name) {
    return name.toString().toCaseFolded();
}

bool isNameStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_');
}
bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

} // namespace

// --- Field -------------------------------------------------------------------------------------

Field::Field(FieldDef def, Query& query, int column)
    : m_def(std::move(def)), m_query(query), m_column(column) {}

QVariant Field::value() const {
    if (m_def.calculated)
        return m_query.m_calcValues.at(std::size_t(m_column));
    const Snapshot* snapshot = m_query.m_snapshot.get();
    if (!snapshot || m_query.eof())
        return QVariant();
    const QVariant v = snapshot->columns.at(std::size_t(m_column)).value(m_query.m_row);
    if (m_def.kind == FieldKind::DateTime && !v.isNull() && v.typeId() != QMetaType::QString)
        return QVariant(text::fromSerialDate(v.toDouble()));
    return v;
}

bool Field::isNull() const {
    return value().isNull();
}

QString Field::asString() const {
    const QVariant v = value();
    switch (v.typeId()) {
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', 15);
    case QMetaType::Bool:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QDateTime:
        return text::formatDateTime(v.toDateTime());
    default:
        return v.toString();
    }
}

qint32 Field::asInteger() const {
    const QVariant v = value();
    if (v.isNull())
        return 0;
    bool ok = false;
    double number = 0;
    if (v.typeId() == QMetaType::QString) {
        number = v.toString().trimmed().toDouble(&ok);
        if (!ok)
            throw DbError(QStringLiteral("'%1' is not a valid integer value").arg(v.toString()));
    } else {
        number = v.toDouble();
    }
    const double rounded = std::round(number);
    if (!(rounded >= std::numeric_limits<qint32>::min() && rounded <= std::numeric_limits<qint32>::max()))
        throw DbError(QStringLiteral("%1: value of field '%2' is out of the integer range")
                          .arg(m_query.objectName(), name()));
    return qint32(rounded);
}

double Field::asFloat() const {
    const QVariant v = value();
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::QString) {
        bool ok = false;
        const double number = v.toString().trimmed().toDouble(&ok);
        if (!ok)
            throw DbError(QStringLiteral("'%1' is not a valid floating point value").arg(v.toString()));
        return number;
    }
    if (v.typeId() == QMetaType::QDateTime)
        return text::toSerialDate(v.toDateTime());
    return v.toDouble();
}

bool Field::asBoolean() const {
    const QVariant v = value();
    if (v.isNull())
        return false;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        return s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ||
               s.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0 || (s.toDouble() != 0.0);
    }
    return v.toDouble() != 0.0;
}

QDateTime Field::asDateTime() const {
    const QVariant v = value();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    if (v.isNull() || v.typeId() == QMetaType::QString)
        return {};
    return text::fromSerialDate(v.toDouble());
}

QString Field::displayText() const {
    const QVariant v = value();
    if (v.isNull())
        return {};
    if (m_def.currency)
        return text::formatMoney(asFloat());
    return asString();
}

void Field::setAsString(const QString& value) {
    if (!m_def.calculated || !m_query.m_inCalc)
        throw DbError(QStringLiteral("%1: Cannot modify a read-only dataset").arg(m_query.objectName()));
    m_query.m_calcValues.at(std::size_t(m_column)) = value;
}

// --- Query -------------------------------------------------------------------------------------

Query::Query(const QString& name, Connection& connection, QObject* parent)
    : QObject(parent), m_connection(&connection) {
    setObjectName(name);
    m_sql.setOnChange([this] { readParameters(); });
    connection.m_queries.push_back(this);
}

Query::~Query() {
    if (m_connection)
        std::erase(m_connection->m_queries, this);
}

Connection& Query::connection() const {
    if (!m_connection)
        fail(QStringLiteral("The query has no connection"));
    return *m_connection;
}

void Query::readParameters() {
    std::vector<std::unique_ptr<Parameter>> found;
    const QString text = m_sql.text();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('[') ||
            c == QLatin1Char('`')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            const qsizetype end = text.indexOf(close, i + 1);
            i = end < 0 ? n : end;
        } else if (c == QLatin1Char('-') && i + 1 < n && text.at(i + 1) == QLatin1Char('-')) {
            const qsizetype end = text.indexOf(QLatin1Char('\n'), i);
            i = end < 0 ? n : end;
        } else if (c == QLatin1Char(':') && i + 1 < n && isNameStart(text.at(i + 1))) {
            qsizetype end = i + 1;
            while (end < n && isNameChar(text.at(end)))
                ++end;
            const QString name = text.mid(i + 1, end - i - 1);
            const bool known = std::any_of(found.begin(), found.end(), [&](const auto& p) {
                return p->name().compare(name, Qt::CaseInsensitive) == 0;
            });
            if (!known) {
                auto parameter = std::unique_ptr<Parameter>(new Parameter(name));
                for (const auto& old : m_parameters)
                    if (old->name().compare(name, Qt::CaseInsensitive) == 0)
                        parameter->m_value = old->m_value;
                found.push_back(std::move(parameter));
            }
            i = end - 1;
        }
    }
    m_parameters = std::move(found);
}

Parameter& Query::parameterByName(const QString& name) {
    for (const auto& parameter : m_parameters)
        if (parameter->name().compare(name, Qt::CaseInsensitive) == 0)
            return *parameter;
    fail(QStringLiteral("Parameter '%1' not found").arg(name));
}

void Query::setFieldDefs(std::vector<FieldDef> defs) {
    if (active())
        fail(QStringLiteral("Cannot perform this operation on an open dataset"));
    m_fieldDefs = std::move(defs);
}

void Query::fail(const QString& message) const {
    throw DbError(QStringLiteral("%1: %2").arg(objectName(), message));
}

void Query::open() {
    if (active())
        return;
    sqlite3* db = connection().source().database();
    const QByteArray text = m_sql.text().toUtf8();
    sqlite3_stmt* raw = nullptr;
    const int prepared = sqlite3_prepare_v2(db, text.constData(), int(text.size()), &raw, nullptr);
    SqliteStatement statement(raw);
    checkSqlite(db, prepared, objectName());
    if (!statement)
        fail(QStringLiteral("The query holds no SQL statement"));

    for (const auto& parameter : m_parameters) {
        const int index =
            sqlite3_bind_parameter_index(statement.get(), (":" + parameter->name()).toUtf8().constData());
        if (index == 0)
            continue;
        const QVariant& value = parameter->value();
        if (value.isNull()) {
            checkSqlite(db, sqlite3_bind_null(statement.get(), index), objectName());
            continue;
        }
        const QString textValue = value.toString();
        // The text of a date in the user's short date format is compared as that date, as the
        // billing file's own engine reads it.
        if (const auto date = text::parseShortDate(textValue)) {
            checkSqlite(db, sqlite3_bind_double(statement.get(), index, text::toSerialDate(*date)),
                        objectName());
        } else {
            const QByteArray utf8 = textValue.toUtf8();
            checkSqlite(db,
                        sqlite3_bind_text(statement.get(), index, utf8.constData(), int(utf8.size()),
                                          SQLITE_TRANSIENT),
                        objectName());
        }
    }

    auto snapshot = std::make_unique<Snapshot>();
    const int columns = sqlite3_column_count(statement.get());
    snapshot->columns.resize(std::size_t(columns));
    for (int c = 0; c < columns; ++c) {
        snapshot->columns[std::size_t(c)].name = QString::fromUtf8(sqlite3_column_name(statement.get(), c));
        snapshot->columns[std::size_t(c)].kind =
            kindOfDeclaredType(sqlite3_column_decltype(statement.get(), c));
    }
    for (;;) {
        const int rc = sqlite3_step(statement.get());
        if (rc == SQLITE_DONE)
            break;
        checkSqlite(db, rc, objectName());
        for (int c = 0; c < columns; ++c)
            snapshot->columns[std::size_t(c)].append(statement.get(), c);
        ++snapshot->rows;
    }
    for (auto& column : snapshot->columns) {
        if (column.kind == FieldKind::Unknown)
            column.kind = kindOfValues(column);
    }

    m_snapshot = std::move(snapshot);
    try {
        bindFields();
        indexFields();
    } catch (...) {
        close();
        throw;
    }
    m_row = 0;
    calculate();
}

void Query::bindFields() {
    m_fields.clear();
    m_fieldIndex.clear();
    m_calcValues.clear();
    auto columnIndex = [this](const QString& name) {
        for (std::size_t c = 0; c < m_snapshot->columns.size(); ++c)
            if (m_snapshot->columns[c].name.compare(name, Qt::CaseInsensitive) == 0)
                return int(c);
        return -1;
    };
    if (m_fieldDefs.empty()) {
        for (std::size_t c = 0; c < m_snapshot->columns.size(); ++c) {
            FieldDef def{m_snapshot->columns[c].name, m_snapshot->columns[c].kind};
            m_fields.push_back(std::unique_ptr<Field>(new Field(def, *this, int(c))));
        }
        return;
    }
    for (const FieldDef& def : m_fieldDefs) {
        if (def.calculated) {
            m_fields.push_back(std::unique_ptr<Field>(new Field(def, *this, int(m_calcValues.size()))));
            m_calcValues.emplace_back();
            continue;
        }
        const int column = columnIndex(def.name);
        if (column < 0)
            fail(QStringLiteral("Field '%1' not found").arg(def.name));
        const FieldKind actual = m_snapshot->columns[std::size_t(column)].kind;
        if (!accepts(def.kind, actual))
            fail(QStringLiteral("Type mismatch for field '%1', expecting: %2 actual: %3")
                     .arg(def.name, fieldKindName(def.kind), fieldKindName(actual)));
        m_fields.push_back(std::unique_ptr<Field>(new Field(def, *this, column)));
    }
}

void Query::indexFields() {
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        m_fieldIndex.insert(caseKey(m_fields[i]->name()), int(i));
}

void Query::close() {
    m_fields.clear();
    m_fieldIndex.clear();
    m_calcValues.clear();
    m_snapshot.reset();
    m_row = 0;
}

void Query::calculate() {
    if (m_calcValues.empty())
        return;
    for (QVariant& value : m_calcValues)
        value = QVariant();
    if (!m_onCalcFields || eof())
        return;
    m_inCalc = true;
    try {
        m_onCalcFields(*this);
    } catch (...) {
        m_inCalc = false;
        throw;
    }
    m_inCalc = false;
}

int Query::recordCount() const {
    return m_snapshot ? m_snapshot->rows : 0;
}

bool Query::eof() const {
    return m_row >= recordCount();
}

void Query::first() {
    moveTo(0);
}

void Query::next() {
    if (!eof())
        moveTo(m_row + 1);
}

void Query::moveTo(int row) {
    if (!active())
        fail(QStringLiteral("Cannot perform this operation on a closed dataset"));
    m_row = std::clamp(row, 0, recordCount());
    calculate();
}

int Query::fieldIndex(QStringView name) const {
    return m_fieldIndex.value(caseKey(name), -1);
}

Field* Query::findField(QStringView name) {
    const int index = fieldIndex(name);
    return index < 0 ? nullptr : m_fields[std::size_t(index)].get();
}

Field& Query::fieldByName(QStringView name) {
    if (Field* field = findField(name))
        return *field;
    fail(QStringLiteral("Field '%1' not found").arg(name));
}

} // namespace yvo::db
