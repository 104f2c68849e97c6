#include "platform/db/Connection.h"

#include "platform/db/DbError.h"
#include "platform/db/Query.h"
#include "platform/db/Source.h"

#include <QFileInfo>

namespace yvo::db {

namespace {

struct Setting {
    QString name;
    QString value;
};

// Splits a connection string into its settings: "name=value" joined by ";", where a value may be
// quoted with " or ' and a doubled quote inside stands for one.
QList<Setting> parseSettings(const QString& text) {
    QList<Setting> settings;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const qsizetype eq = text.indexOf(QLatin1Char('='), i);
        const qsizetype semi = text.indexOf(QLatin1Char(';'), i);
        if (eq < 0 || (semi >= 0 && semi < eq)) { // a setting without a value
            i = semi < 0 ? n : semi + 1;
            continue;
        }
        Setting setting{text.mid(i, eq - i).trimmed(), {}};
        i = eq + 1;
        while (i < n && text.at(i) == QLatin1Char(' '))
            ++i;
        if (i < n && (text.at(i) == QLatin1Char('"') || text.at(i) == QLatin1Char('\''))) {
            const QChar quote = text.at(i++);
            while (i < n) {
                if (text.at(i) == quote) {
                    if (i + 1 < n && text.at(i + 1) == quote) {
                        setting.value += quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                setting.value += text.at(i++);
            }
            const qsizetype end = text.indexOf(QLatin1Char(';'), i);
            i = end < 0 ? n : end + 1;
        } else {
            const qsizetype end = text.indexOf(QLatin1Char(';'), i);
            setting.value = text.mid(i, (end < 0 ? n : end) - i).trimmed();
            i = end < 0 ? n : end + 1;
        }
        settings.append(setting);
    }
    return settings;
}

} // namespace

Connection::Connection(QObject* parent) : QObject(parent) {}

Connection::~Connection() {
    for (Query* query : m_queries)
        query->close();
}

void Connection::setConnectionString(const QString& connectionString) {
    m_connectionString = connectionString;
}

void Connection::setConnected(bool connected) {
    if (!connected) {
        for (Query* query : m_queries)
            query->close();
        m_source.reset();
        return;
    }
    if (m_source)
        return;
    const QString file = settingValue(m_connectionString, QStringLiteral("Data Source"));
    if (file.isEmpty())
        throw DbError(QStringLiteral("The connection names no billing database (no Data Source)"));
    // A link is followed, so that messages and the change checks name the file itself.
    const QFileInfo info(file);
    m_source = openSource(info.isSymLink() && info.exists() ? info.canonicalFilePath() : file);
}

void Connection::setSource(std::unique_ptr<Source> source) {
    setConnected(false);
    m_source = std::move(source);
}

Source& Connection::source() {
    setConnected(true);
    return *m_source;
}

QString Connection::settingValue(const QString& connectionString, const QString& name) {
    QString value;
    for (const Setting& setting : parseSettings(connectionString))
        if (setting.name.compare(name, Qt::CaseInsensitive) == 0)
            value = setting.value; // the last one wins, as with repeated settings
    return value;
}

QString Connection::quoteValue(const QString& value) {
    const bool needsQuotes = value.contains(QLatin1Char(';')) || value.startsWith(QLatin1Char('"')) ||
                             value.startsWith(QLatin1Char('\'')) || value.startsWith(QLatin1Char(' ')) ||
                             value.endsWith(QLatin1Char(' '));
    if (!needsQuotes)
        return value;
    QString quoted = value;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace yvo::db
