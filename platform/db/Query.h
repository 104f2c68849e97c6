#pragma once
// A query over a connection: SQL held as lines, :NAME parameters bound by name to text, and a
// snapshot result (static cursor) walked with first/next/eof. Fields are found by name ignoring
// case. Declared fields bind by name at open and check the column's kind; a calculated-field hook
// fills calculated fields for every record the cursor reaches.

#include "platform/text/StringList.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

namespace yvo::db {

class Connection;
class Query;
struct Snapshot;

enum class FieldKind {
    Unknown, // a computed column whose values are all null
    Integer,
    Float,    // floating point, currency or decimal
    Boolean,  // Yes/No
    Text,     // single-byte text (calculated text fields)
    WideText, // Unicode text
    DateTime,
    Blob,
};
QString fieldKindName(FieldKind kind);

struct FieldDef {
    QString name;
    FieldKind kind = FieldKind::WideText;
    int size = 0;          // characters, for text kinds
    int displayWidth = 0;  // characters in a tabular display; 0 when none is stored
    bool currency = false; // display text in the regional money format
    bool calculated = false;
};

class Field {
public:
    const QString& name() const { return m_def.name; }
    FieldKind kind() const { return m_def.kind; }
    const FieldDef& def() const { return m_def; }

    bool isNull() const;
    QVariant value() const;   // null QVariant for null; Dates as QDateTime
    QString asString() const; // null gives ""; numbers in plain C-locale form
    qint32 asInteger() const; // null gives 0
    double asFloat() const;   // null gives 0
    bool asBoolean() const;   // null gives false
    QDateTime asDateTime() const;
    // Display text: money in the regional format for currency fields, dates in the regional form.
    QString displayText() const;

    // Only calculated fields take a value, and only inside the calculated-field hook.
    void setAsString(const QString& value);

private:
    friend class Query;
    Field(FieldDef def, Query& query, int column);
    FieldDef m_def;
    Query& m_query;
    int m_column; // column of the snapshot, or index among the calculated values
};

class Parameter {
public:
    const QString& name() const { return m_name; }
    const QVariant& value() const { return m_value; }
    void setValue(const QString& value) { m_value = value; }
    void clear() { m_value = QVariant(); }

private:
    friend class Query;
    explicit Parameter(QString name) : m_name(std::move(name)) {}
    QString m_name;
    QVariant m_value;
};

class Query : public QObject {
    Q_OBJECT
public:
    Query(const QString& name, Connection& connection, QObject* parent = nullptr);
    ~Query() override;

    Connection& connection() const;

    // The SQL lines. Any change closes nothing but reads the parameter list again; parameters keep
    // their values when their names stay.
    text::StringList& sql() { return m_sql; }
    const text::StringList& sql() const { return m_sql; }
    // Parameter names as they stand in the text (":NAME" outside quotes, brackets and comments).
    const std::vector<std::unique_ptr<Parameter>>& parameters() const { return m_parameters; }
    Parameter& parameterByName(const QString& name); // throws "<query>: Parameter '<name>' not found"

    void setFieldDefs(std::vector<FieldDef> defs); // declared fields; only while closed
    const std::vector<FieldDef>& fieldDefs() const { return m_fieldDefs; }
    void setOnCalcFields(std::function<void(Query&)> hook) { m_onCalcFields = std::move(hook); }

    // Runs the text and keeps the whole result. Binding: a parameter whose text reads as a short
    // date of the current locale is bound as that date's serial number, any other text as text.
    // Throws DbError with the engine's message, or "<query>: Field '%s' not found" /
    // "<query>: Type mismatch for field '%s', expecting: %s actual: %s" for declared fields.
    void open();
    void close();
    bool active() const { return m_snapshot != nullptr; }

    // The static cursor.
    void first();
    void next();
    bool eof() const;
    bool isEmpty() const { return recordCount() == 0; }
    int recordCount() const;
    int recNo() const { return m_row; } // 0-based; equals recordCount() at the end
    void moveTo(int row);

    int fieldCount() const { return int(m_fields.size()); }
    Field& field(int index) { return *m_fields.at(std::size_t(index)); }
    int fieldIndex(QStringView name) const; // -1 when there is no such field
    Field* findField(QStringView name);
    Field& fieldByName(QStringView name); // throws "<query>: Field '<name>' not found"

private:
    friend class Field;
    void readParameters();
    void bindFields();
    void indexFields();
    void calculate();
    [[noreturn]] void fail(const QString& message) const;

    QPointer<Connection> m_connection; // null once the connection is gone
    text::StringList m_sql;
    std::vector<std::unique_ptr<Parameter>> m_parameters;
    std::vector<FieldDef> m_fieldDefs;
    std::function<void(Query&)> m_onCalcFields;
    std::unique_ptr<Snapshot> m_snapshot;
    std::vector<std::unique_ptr<Field>> m_fields;
    QHash<QString, int> m_fieldIndex; // case-folded name -> index in m_fields
    std::vector<QVariant> m_calcValues;
    bool m_inCalc = false;
    int m_row = 0;
};

} // namespace yvo::db
