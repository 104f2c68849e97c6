#pragma once
// Small helpers shared by the tests.
#include <QLocale>
#include <QString>

namespace yvo::test {

// Sets the default locale for one scope and puts the previous one back.
class LocaleScope {
public:
    explicit LocaleScope(const QLocale& locale) : m_previous(QLocale()) { QLocale::setDefault(locale); }
    ~LocaleScope() { QLocale::setDefault(m_previous); }
    LocaleScope(const LocaleScope&) = delete;
    LocaleScope& operator=(const LocaleScope&) = delete;

private:
    QLocale m_previous;
};

inline QString sourcePath(const QString& relative) {
    return QStringLiteral(YVO_SOURCE_DIR "/") + relative;
}
inline QString sharedTestData(const QString& relative) {
    return QStringLiteral(YVO_SHARED_TESTDATA "/") + relative;
}

} // namespace yvo::test

#include <ostream>

// GoogleTest prints QStrings as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
