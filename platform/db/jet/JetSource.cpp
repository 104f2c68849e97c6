#include "platform/db/jet/JetSource.h"

#include "platform/db/DbError.h"
#include "platform/db/Sqlite.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <filesystem>
#include <sqlite3.h>

namespace yvo::db {

namespace {

using yvo::db::SqliteDb;

// What tells one state of the file from another.
struct FileStamp {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified;
    bool operator==(const FileStamp&) const = default;
};

// The last line the reader wrote to its error output, without its program-name prefix, in printable
// characters and of a readable length.
QString readerMessage(const QByteArray& errorOutput) {
    const QList<QByteArray> lines = errorOutput.trimmed().split('\n');
    QString line = QString::fromUtf8(lines.isEmpty() ? QByteArray() : lines.last()).trimmed();
    const QString prefix = QStringLiteral("yvo-jet-reader: ");
    if (line.startsWith(prefix))
        line.remove(0, prefix.size());
    for (QChar& c : line) {
        if (!c.isPrint())
            c = QLatin1Char('?');
    }
    constexpr int longest = 200;
    return line.size() > longest ? line.left(longest) + QStringLiteral("...") : line;
}

class JetSource final : public Source {
public:
    JetSource(const QString& fileName, JetReadOptions options)
        : Source(QFileInfo(fileName).absoluteFilePath()), m_options(std::move(options)) {}

    sqlite3* database() override {
        FileStamp before = stamp();
        if (m_copy && before == m_stamp)
            return m_copy.get();
        for (int attempt = 0; attempt < std::max(1, m_options.attempts); ++attempt) {
            if (attempt > 0)
                before = stamp();
            SqliteDb copy;
            try {
                copy = readCopy();
            } catch (const DbError&) {
                // A file that changed under the reader may just have been half written: try again.
                if (stamp() == before)
                    throw;
                continue;
            }
            if (stamp() == before) {
                m_copy = std::move(copy);
                m_stamp = before;
                return m_copy.get();
            }
        }
        fail(QStringLiteral("it kept changing while it was read"));
    }

private:
    [[noreturn]] void fail(const QString& reason) const {
        throw DbError(
            QStringLiteral("%1 could not be read: %2").arg(QFileInfo(fileName()).fileName(), reason));
    }

    FileStamp stamp() const {
        const std::filesystem::path path(fileName().toStdU16String());
        std::error_code error;
        FileStamp result;
        result.size = std::filesystem::file_size(path, error);
        if (!error)
            result.modified = std::filesystem::last_write_time(path, error);
        if (error)
            fail(QStringLiteral("the file does not exist or cannot be opened"));
        return result;
    }

    QString readerProgram() const {
        if (!m_options.readerProgram.isEmpty())
            return m_options.readerProgram;
        return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("yvo-jet-reader"));
    }

    // Runs the reader into a temporary file and loads its copy into memory.
    SqliteDb readCopy() const {
        QTemporaryDir folder;
        if (!folder.isValid())
            fail(QStringLiteral("no temporary folder for the copy: %1").arg(folder.errorString()));
        const QString copyFile = folder.filePath(QStringLiteral("copy.sqlite"));
        runReader(copyFile);
        return loadCopy(copyFile);
    }

    void runReader(const QString& copyFile) const {
        QProcess reader;
        // libmdb reads these: an empty part of MDBPATH makes it loop for ever, the others change
        // its text encoding and debugging output.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"MDBPATH", "MDBICONV", "MDB_ICONV", "MDB_JET3_CHARSET", "MDBOPTS"})
            environment.remove(QString::fromLatin1(name));
        reader.setProcessEnvironment(environment);
        reader.setStandardOutputFile(QProcess::nullDevice());
        // Keep only the end of the error output: a damaged file can make libmdb warn on every row.
        QByteArray errorOutput;
        QObject::connect(&reader, &QProcess::readyReadStandardError, [&] {
            constexpr qsizetype kept = 4096;
            errorOutput += reader.readAllStandardError();
            if (errorOutput.size() > kept)
                errorOutput = errorOutput.right(kept);
        });
        reader.start(readerProgram(),
                     QStringList{fileName(), QFileInfo(copyFile).absoluteFilePath()} + m_options.tables);
        if (!reader.waitForStarted())
            fail(QStringLiteral("the reader program %1 cannot be started").arg(readerProgram()));
        if (!reader.waitForFinished(int(m_options.timeLimit.count()))) {
            reader.kill();
            reader.waitForFinished();
            fail(QStringLiteral("reading took longer than %1 seconds")
                     .arg(double(m_options.timeLimit.count()) / 1000));
        }
        errorOutput += reader.readAllStandardError();
        if (reader.exitStatus() == QProcess::CrashExit)
            fail(QStringLiteral("the reader stopped on a damaged file"));
        if (reader.exitCode() != 0) {
            const QString message = readerMessage(errorOutput);
            fail(message.isEmpty() ? QStringLiteral("the reader failed (exit code %1)").arg(reader.exitCode())
                                   : message);
        }
    }

    SqliteDb loadCopy(const QString& copyFile) const {
        sqlite3* raw = nullptr;
        const int opened =
            sqlite3_open_v2(copyFile.toUtf8().constData(), &raw, SQLITE_OPEN_READONLY, nullptr);
        const SqliteDb file(raw);
        if (opened != SQLITE_OK)
            damagedCopy(QString::fromUtf8(sqlite3_errstr(opened)));
        SqliteDb memory = yvo::db::openSqlite(QStringLiteral(":memory:"), SQLITE_OPEN_READWRITE);
        sqlite3_backup* backup = sqlite3_backup_init(memory.get(), "main", file.get(), "main");
        if (!backup)
            damagedCopy(QString::fromUtf8(sqlite3_errmsg(memory.get())));
        sqlite3_backup_step(backup, -1);
        if (const int copied = sqlite3_backup_finish(backup); copied != SQLITE_OK)
            damagedCopy(QString::fromUtf8(sqlite3_errstr(copied)));
        checkCopy(memory.get());
        yvo::db::execSqlite(memory.get(), QStringLiteral("PRAGMA query_only = ON"));
        return memory;
    }

    [[noreturn]] void damagedCopy(const QString& why) const {
        fail(QStringLiteral("the reader's copy is damaged (%1)").arg(why));
    }

    // The copy is whole and holds every table asked for.
    void checkCopy(sqlite3* copy) const {
        const auto firstRow = [&](sqlite3_stmt* statement) {
            const int rc = sqlite3_step(statement);
            if (rc != SQLITE_ROW && rc != SQLITE_DONE)
                damagedCopy(QString::fromUtf8(sqlite3_errmsg(copy)));
            return rc == SQLITE_ROW;
        };
        const yvo::db::SqliteStatement check = yvo::db::prepareSqlite(copy, QStringLiteral("PRAGMA quick_check"));
        if (!firstRow(check.get()) ||
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(check.get(), 0))) != "ok")
            damagedCopy(QStringLiteral("integrity check failed"));
        const yvo::db::SqliteStatement find = yvo::db::prepareSqlite(
            copy,
            QStringLiteral("SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ?1 COLLATE NOCASE"));
        for (const QString& table : m_options.tables) {
            const QByteArray name = table.toUtf8();
            sqlite3_bind_text(find.get(), 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
            if (!firstRow(find.get()))
                damagedCopy(QStringLiteral("table %1 is missing").arg(table));
            sqlite3_reset(find.get());
        }
    }

    JetReadOptions m_options;
    SqliteDb m_copy;
    FileStamp m_stamp; // of the file m_copy was read from
};

} // namespace

std::unique_ptr<Source> openJetSource(const QString& fileName, const JetReadOptions& options) {
    auto source = std::make_unique<JetSource>(fileName, options);
    source->database();
    return source;
}

std::unique_ptr<Source> openJetSource(const QString& fileName) {
    return openJetSource(fileName, JetReadOptions());
}

} // namespace yvo::db
