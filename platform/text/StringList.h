#pragma once
// An ordered list of text lines: whole-line search that ignores letter case, insertion at a
// position, copying from another list. Holds the SQL text of queries and the window's snapshots.

#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>

namespace yvo::text {

class StringList {
public:
    StringList() = default;
    StringList(std::initializer_list<QString> lines) : m_lines(lines) {}

    int count() const { return int(m_lines.size()); }
    const QString& at(int index) const; // throws "List index out of bounds (%d)"
    const QStringList& lines() const { return m_lines; }

    // Position of the first line equal to text, ignoring letter case; -1 when there is none.
    int indexOf(QStringView text) const;
    // Inserts before position index, 0 <= index <= count(); otherwise throws
    // "List index out of bounds (%d)" with the index.
    void insert(int index, const QString& line);
    void append(const QString& line) { insert(count(), line); }
    void clear();
    void assign(const StringList& other);
    void assign(const QStringList& lines);

    // Every line followed by CR LF, the last one included.
    QString text() const;

    // Called after every change; a query uses it to read its parameter list again.
    void setOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

private:
    void changed();

    QStringList m_lines;
    std::function<void()> m_onChange;
};

} // namespace yvo::text
