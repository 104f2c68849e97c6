#include "platform/text/StringList.h"

#include <stdexcept>

namespace yvo::text {

namespace {
[[noreturn]] void outOfBounds(int index) {
    throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
}
} // namespace

const QString& StringList::at(int index) const {
    if (index < 0 || index >= count())
        outOfBounds(index);
    return m_lines.at(index);
}

int StringList::indexOf(QStringView text) const {
    for (int i = 0; i < count(); ++i)
        if (m_lines.at(i).compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void StringList::insert(int index, const QString& line) {
    if (index < 0 || index > count())
        outOfBounds(index);
    m_lines.insert(index, line);
    changed();
}

void StringList::clear() {
    m_lines.clear();
    changed();
}

void StringList::assign(const StringList& other) {
    assign(other.m_lines);
}

void StringList::assign(const QStringList& lines) {
    m_lines = lines;
    changed();
}

QString StringList::text() const {
    QString result;
    for (const QString& line : m_lines) {
        result += line;
        result += QLatin1String("\r\n");
    }
    return result;
}

void StringList::changed() {
    if (m_onChange)
        m_onChange();
}

} // namespace yvo::text
