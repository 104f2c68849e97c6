#pragma once
// Reading laid-out report pages in tests: texts in drawing order, and where a text stands.
#include "platform/report/Page.h"
#include "platform/text/Regional.h"

#include <QDate>
#include <QStringList>
#include <ostream>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace yvo::test {

inline QStringList texts(const report::Page& page) {
    QStringList result;
    for (const report::TextItem* text : page.texts())
        result << text->text();
    return result;
}

// Pages as text lists.
inline std::vector<QStringList> texts(const std::vector<report::Page>& pages) {
    std::vector<QStringList> result;
    for (const auto& page : pages)
        result.push_back(texts(page));
    return result;
}

// A serial date in fixture SQL.
inline QString serial(const char* when) {
    return QStringLiteral("(julianday('%1') - julianday('1899-12-30'))").arg(QLatin1String(when));
}

inline QString shortDate(int year, int month, int day) {
    return text::formatShortDate(QDate(year, month, day));
}

} // namespace yvo::test
