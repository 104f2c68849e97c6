#pragma once
// A billing file opened for reading, as an SQLite database the queries run on.
// Native files are SQLite already; Access/Jet files are read into an in-memory SQLite database.

#include <QString>
#include <memory>

struct sqlite3;

namespace yvo::db {

class Source {
public:
    virtual ~Source() = default;
    Source(const Source&) = delete;
    Source& operator=(const Source&) = delete;

    const QString& fileName() const { return m_fileName; }

    // The database to run a query on, reflecting the file as it is now. Called at every query open;
    // a source whose copy of the file is stale reads it again here. Throws DbError.
    virtual sqlite3* database() = 0;

protected:
    explicit Source(QString fileName) : m_fileName(std::move(fileName)) {}

private:
    QString m_fileName;
};

enum class FileKind { Sqlite, Jet, Unknown };

// The kind of a file, from its first bytes. Throws DbError naming the file when it cannot be read.
FileKind detectFileKind(const QString& fileName);

// Opens the file read-only, sharing it with a writer; throws DbError naming the file when it is
// missing, unreadable, or neither kind ("not a billing database: <file>").
std::unique_ptr<Source> openSource(const QString& fileName);

std::unique_ptr<Source> openSqliteSource(const QString& fileName);
std::unique_ptr<Source> openJetSource(const QString& fileName);

} // namespace yvo::db
