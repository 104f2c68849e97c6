#pragma once
// A connection to the billing file: a connection string whose "Data Source" names the file,
// a login-prompt flag (never honoured: the file has no password) and a connected flag.

#include <QObject>
#include <QString>
#include <memory>
#include <vector>

namespace yvo::db {

class Query;
class Source;

class Connection : public QObject {
    Q_OBJECT
public:
    explicit Connection(QObject* parent = nullptr);
    ~Connection() override;

    QString connectionString() const { return m_connectionString; }
    void setConnectionString(const QString& connectionString);

    bool loginPrompt() const { return m_loginPrompt; }
    void setLoginPrompt(bool prompt) { m_loginPrompt = prompt; }

    bool connected() const { return m_source != nullptr; }
    // Connecting opens the file named by "Data Source"; throws DbError naming the file on failure,
    // and stays unconnected then. Disconnecting closes the file.
    void setConnected(bool connected);

    // The open file, connecting first when needed.
    Source& source();
    // Connects to a file opened already (a tool or test that chose how to read it).
    void setSource(std::unique_ptr<Source> source);

    // The value of one setting of a connection string, by the connection-string rules:
    // names match ignoring case, values may be quoted with " or ' (a doubled quote inside stands
    // for one). Empty when the setting is absent.
    static QString settingValue(const QString& connectionString, const QString& name);
    // A value written so that settingValue() reads it back unchanged: as it is, unless it holds
    // ";" or starts with a quote or a blank, then quoted.
    static QString quoteValue(const QString& value);

private:
    friend class Query;
    QString m_connectionString;
    std::vector<Query*> m_queries; // the queries over this connection, closed when it disconnects
    bool m_loginPrompt = true;
    std::unique_ptr<Source> m_source;
};

} // namespace yvo::db
