#pragma once
// Copies the tables of an Access file (Jet 3, Jet 4, ACE) into an SQLite database with libmdb, under
// the tables' and columns' own names and with the value model of the native billing file:
//
//   Access type                     declared type          value
//   Text, Memo                      TEXT COLLATE NOCASE    UTF-8 text, memos complete
//   Date/Time                       DATETIME               the stored serial date (days since 1899-12-30)
//   Currency                        REAL                   the stored 64-bit integer / 10,000
//   Single, Double, Decimal         REAL
//   Yes/No                          BOOLEAN                0 or 1, from the row's null bitmap
//   Byte, Integer, Long, Complex    INTEGER
//   Binary, OLE object              BLOB                   the stored bytes, complete
//   Replication ID                  TEXT                   "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
//   anything else                   BLOB                   the stored bytes
//
// DATETIME and BOOLEAN have SQLite's numeric affinity, as in the native file: a date without a time
// is stored as an integer. Values are decoded from the stored bytes, never through libmdb's text
// conversion (its date text is wrong outside 1900-9999 and its bound text is cut at the bind size).
// libmdb skips pages it cannot read without a word, so the catalog and every copied table must yield
// as many rows as their definitions count, or the file is damaged. libmdb crashes or loops on some
// damaged files, so the program runs this in a process of its own (yvo-jet-reader).

#include <QString>
#include <QStringList>
#include <cstddef>
#include <memory>
#include <vector>

struct sqlite3;

namespace yvo::db::jet {

// Caps this process's address space (2 GiB) so that a damaged file on which libmdb allocates without
// end makes the reading fail instead of taking the machine's memory. The reader programs call it
// first. Builds with the address sanitizer, which reserves terabytes of address space, are left alone.
void limitReaderMemory();

struct CopiedTable {
    QString name;
    int columns = 0;
    long long rows = 0;
};

class JetFile {
public:
    // Throws DbError with the reason alone ("it is not an Access database"...), without the file name.
    static std::unique_ptr<JetFile> open(const QString& path);
    // The same over bytes in memory (the fuzzing entry); the bytes are copied.
    static std::unique_ptr<JetFile> openBuffer(const void* data, std::size_t size);
    ~JetFile();
    JetFile(const JetFile&) = delete;
    JetFile& operator=(const JetFile&) = delete;

    // The user tables, in the order of the file's catalog.
    QStringList tableNames() const;

    // Creates and fills one table of target per named table, matched ignoring case, in the order
    // given; an empty list copies every user table. Runs in one transaction of target.
    // Throws DbError: "it has no table X", "table X is damaged", or the SQLite error.
    std::vector<CopiedTable> copyTo(sqlite3* target, const QStringList& tables = {});

private:
    struct Impl;
    explicit JetFile(std::unique_ptr<Impl> impl);
    std::unique_ptr<Impl> m_impl;
};

} // namespace yvo::db::jet
