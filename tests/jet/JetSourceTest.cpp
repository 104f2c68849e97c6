// The Jet source around the reader process: damaged files, a reader that crashes, hangs or writes
// garbage, and files that change between reads or while they are read.
#include "platform/db/jet/JetSource.h"

#include "JetTestSupport.h"
#include "platform/db/DbError.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sqlite3.h>

namespace {

using yvo::db::DbError;
using yvo::db::JetReadOptions;

QString realReader() {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("yvo-jet-reader"));
}

QByteArray testFileBytes(const QString& name) {
    QFile file(QDir(yvo::test::jetTestDataFolder()).filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    file.write(bytes);
}

// A shell script standing in for the reader program.
QString writeReader(const QTemporaryDir& folder, const QString& body) {
    const QString path = folder.filePath(QStringLiteral("reader.sh"));
    QFile script(path);
    EXPECT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QByteArrayLiteral("#!/bin/sh\n") + body.toUtf8() + '\n');
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

// The message of the DbError that opening throws, or a note that it threw none.
QString openError(const QString& file, const JetReadOptions& options = JetReadOptions()) {
    try {
        yvo::db::openJetSource(file, options);
    } catch (const DbError& error) {
        return error.message();
    }
    return QStringLiteral("(no error)");
}

int linesIn(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? int(file.readAll().count('\n')) : 0;
}

QByteArray randomBytes(qsizetype size) {
    std::mt19937 generator(20240611);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = char(generator() & 0xff);
    return bytes;
}

struct DamagedFile {
    const char* name;
    const char* testFile; // the Access file it is made from, or nullptr
    std::function<QByteArray(const QByteArray&)> make;
    const char* reason; // expected in the message, or "" when any reason will do
    std::chrono::milliseconds timeLimit = JetReadOptions().timeLimit;
    QStringList tables = JetReadOptions().tables;
};

void PrintTo(const DamagedFile& c, std::ostream* out) {
    *out << c.name;
}

class DamagedFiles : public testing::TestWithParam<DamagedFile> {};

TEST_P(DamagedFiles, GiveOneClearError) {
    const DamagedFile& c = GetParam();
    QByteArray original;
    if (c.testFile) {
        if (const std::string why = yvo::test::jetTestsCannotRun(); !why.empty())
            GTEST_SKIP() << why;
        original = testFileBytes(QString::fromLatin1(c.testFile));
    }
    const QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("YVO.mdb"));
    writeFile(file, c.make(original));

    JetReadOptions options;
    options.timeLimit = c.timeLimit;
    options.tables = c.tables;
    const QString message = openError(file, options);
    EXPECT_TRUE(message.startsWith(QStringLiteral("YVO.mdb could not be read: "))) << message.toStdString();
    EXPECT_TRUE(message.contains(QString::fromUtf8(c.reason))) << message.toStdString();
    RecordProperty("message", message.toStdString());
}

const DamagedFile damagedFiles[] = {
    {"Empty", nullptr, [](const QByteArray&) { return QByteArray(); }, "it is not an Access database"},
    {"PlainText", nullptr, [](const QByteArray&) { return QByteArray("Not a database.\n").repeated(500); },
     "it is not an Access database"},
    {"ZeroFilled", nullptr, [](const QByteArray&) { return QByteArray(256 * 1024, '\0'); },
     "it is not an Access database"},
    {"TruncatedJet3", "nwind.mdb", [](const QByteArray& f) { return f.left(100 * 1024); },
     "its list of tables is damaged"},
    {"TruncatedJet4", "DateTestDatabase.mdb", [](const QByteArray& f) { return f.left(3 * 4096 + 100); },
     "its list of tables is damaged"},
    {"TruncatedAce", "ASampleDatabase.accdb", [](const QByteArray& f) { return f.left(64 * 1024); },
     "its list of tables is damaged"},
    {"RandomAfterJet3Header", "nwind.mdb",
     [](const QByteArray& f) { return f.left(2048) + randomBytes(512 * 1024); }, ""},
    {"RandomAfterJet4Header", "DateTestDatabase.mdb",
     [](const QByteArray& f) { return f.left(4096) + randomBytes(256 * 1024); }, ""},
    {"RandomAfterAceHeader", "ASampleDatabase.accdb",
     [](const QByteArray& f) { return f.left(4096) + randomBytes(256 * 1024); }, ""},
    // The catalog table's usage map pointed elsewhere (page 2, byte 35; page 6, bytes 16 to 19): libmdb 1.0
    // follows a null pointer.
    {"LibmdbCrashes", "nwind.mdb",
     [](QByteArray f) {
         f[4131] = 4;
         f.replace(12304, 4, QByteArray(4, '\0'));
         return f;
     },
     "the reader stopped on a damaged file"},
    // One byte of a catalog row's column properties (page 17) changed: libmdb 1.0 then allocates without end
    // (some 20 GB in 50 s); the reader's cap on its memory stops it within seconds, long before the time
    // limit.
    {"LibmdbAllocatesWithoutEnd", "DateTestDatabase.mdb",
     [](QByteArray f) {
         f[71837] = 0;
         return f;
     },
     "the reader stopped on a damaged file"},
    // Another byte of it, and libmdb 1.0 loops for ever.
    {"LibmdbLoopsForEver", "DateTestDatabase.mdb",
     [](QByteArray f) {
         f[71811] = 0;
         return f;
     },
     "reading took longer than 1.5 seconds", std::chrono::milliseconds(1500)},
    // Cut inside the data of one table: libmdb reads only the rows before the cut, without a word.
    {"TruncatedInsideATable",
     "nwind.mdb",
     [](const QByteArray& f) { return f.left(1600000); },
     "table Umsätze is damaged: 412 of its 830 rows could be read",
     JetReadOptions().timeLimit,
     {"Umsätze"}},
    {"ValidWithoutBillingTables", "nwind.mdb", [](const QByteArray& f) { return f; },
     "it has no table CLIENTS"},
};

INSTANTIATE_TEST_SUITE_P(Jet, DamagedFiles, testing::ValuesIn(damagedFiles),
                         [](const testing::TestParamInfo<DamagedFile>& info) {
                             return std::string(info.param.name);
                         });

TEST(JetSource, MissingFileIsAClearError) {
    const QTemporaryDir folder;
    EXPECT_EQ(openError(folder.filePath(QStringLiteral("YVO.mdb"))).toStdString(),
              "YVO.mdb could not be read: the file does not exist or cannot be opened");
}

struct ReaderCase {
    const char* name;
    const char* script; // the reader's body; $1 is the Access file, $2 the copy to write
    const char* message;
};

void PrintTo(const ReaderCase& c, std::ostream* out) {
    *out << c.name;
}

class BrokenReader : public testing::TestWithParam<ReaderCase> {};

TEST_P(BrokenReader, GivesOneClearError) {
    const QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("YVO.mdb"));
    writeFile(file, "whatever the reader makes of it");
    JetReadOptions options;
    options.readerProgram = writeReader(folder, QString::fromLatin1(GetParam().script));
    options.timeLimit = std::chrono::milliseconds(500);
    EXPECT_EQ(openError(file, options).toStdString(), GetParam().message);
}

const ReaderCase brokenReaders[] = {
    {"Crashes", "kill -SEGV $$", "YVO.mdb could not be read: the reader stopped on a damaged file"},
    {"Hangs", "exec sleep 30", "YVO.mdb could not be read: reading took longer than 0.5 seconds"},
    {"FailsWithItsReason",
     "echo 'libmdb: warning' >&2; echo 'yvo-jet-reader: table TRANS is damaged' >&2; exit 1",
     "YVO.mdb could not be read: table TRANS is damaged"},
    {"FailsWithoutAReason", "exit 3", "YVO.mdb could not be read: the reader failed (exit code 3)"},
    {"WritesGarbage", "printf 'garbage, not a database' > \"$2\"",
     "YVO.mdb could not be read: the reader's copy is damaged (file is not a database)"},
    {"WritesNoCopy", "exit 0",
     "YVO.mdb could not be read: the reader's copy is damaged (unable to open database file)"},
    {"LeavesOutTheTables", ": > \"$2\"",
     "YVO.mdb could not be read: the reader's copy is damaged (table CLIENTS is missing)"},
};

INSTANTIATE_TEST_SUITE_P(Jet, BrokenReader, testing::ValuesIn(brokenReaders),
                         [](const testing::TestParamInfo<ReaderCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(JetSource, MissingReaderProgramIsAClearError) {
    const QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("YVO.mdb"));
    writeFile(file, "x");
    JetReadOptions options;
    options.readerProgram = folder.filePath(QStringLiteral("no-such-reader"));
    EXPECT_EQ(openError(file, options).toStdString(), "YVO.mdb could not be read: the reader program " +
                                                          options.readerProgram.toStdString() +
                                                          " cannot be started");
}

// libmdb searches $MDBPATH for a file it cannot find, and loops for ever on an empty part of it; the
// reader gets neither the variable nor a relative path.
TEST(JetSource, ReaderGetsAbsolutePathsAndNoMdbPath) {
    const QTemporaryDir folder;
    writeFile(folder.filePath(QStringLiteral("YVO.mdb")), "x");
    JetReadOptions options;
    options.tables.clear();
    options.readerProgram = writeReader(folder, QStringLiteral(R"(
if [ -n "${MDBPATH+set}" ]; then echo "yvo-jet-reader: MDBPATH is set" >&2; exit 1; fi
case "$1$2" in /*/*) ;; *) echo "yvo-jet-reader: relative path" >&2; exit 1 ;; esac
: > "$2")"));
    const QByteArray previous = qgetenv("MDBPATH");
    qputenv("MDBPATH", "::");
    const QString saved = QDir::currentPath();
    QDir::setCurrent(folder.path());
    EXPECT_EQ(openError(QStringLiteral("YVO.mdb"), options).toStdString(), "(no error)");
    QDir::setCurrent(saved);
    if (previous.isNull())
        qunsetenv("MDBPATH");
    else
        qputenv("MDBPATH", previous);
}

class ChangingFile : public testing::Test {
protected:
    void SetUp() override {
        if (const std::string why = yvo::test::jetTestsCannotRun(); !why.empty())
            GTEST_SKIP() << why;
        writeFile(file, testFileBytes(QStringLiteral("DateTestDatabase.mdb")));
        options.tables.clear();
    }
    // A reader that logs each run, does `before` and then runs the real reader.
    void useReader(const QString& before) {
        options.readerProgram = writeReader(
            folder, QStringLiteral("echo run >> '%1'\n%2\nexec '%3' \"$@\"").arg(log, before, realReader()));
    }

    QTemporaryDir folder;
    QString file = folder.filePath(QStringLiteral("YVO.mdb"));
    QString log = folder.filePath(QStringLiteral("runs.log"));
    JetReadOptions options;
};

TEST_F(ChangingFile, IsReadAgainOnlyWhenItChanged) {
    useReader(QString());
    const auto source = yvo::db::openJetSource(file, options);
    source->database();
    source->database();
    EXPECT_EQ(linesIn(log), 1) << "an unchanged file is not read again";

    writeFile(file, testFileBytes(QStringLiteral("ASampleDatabase.accdb")));
    EXPECT_EQ(yvo::test::selectAll(source->database(), QStringLiteral("Asset Items")).rows.size(), 65u);
    EXPECT_EQ(linesIn(log), 2);

    QFile touched(file);
    ASSERT_TRUE(touched.open(QIODevice::ReadWrite));
    ASSERT_TRUE(
        touched.setFileTime(QDateTime::currentDateTimeUtc().addSecs(10), QFileDevice::FileModificationTime));
    touched.close();
    source->database();
    EXPECT_EQ(linesIn(log), 3) << "a new modification time alone means a new state";
}

TEST_F(ChangingFile, ThatChangedOnceWhileReadIsReadAgain) {
    useReader(QStringLiteral("if [ ! -e '%1.once' ]; then : > '%1.once'; echo more >> \"$1\"; fi").arg(log));
    const auto source = yvo::db::openJetSource(file, options);
    EXPECT_EQ(yvo::test::selectAll(source->database(), QStringLiteral("DateTest")).rows.size(), 6u);
    EXPECT_EQ(linesIn(log), 2);
}

TEST_F(ChangingFile, ThatKeepsChangingWhileReadIsAClearError) {
    useReader(QStringLiteral("echo more >> \"$1\""));
    EXPECT_EQ(openError(file, options).toStdString(),
              "YVO.mdb could not be read: it kept changing while it was read");
    EXPECT_EQ(linesIn(log), options.attempts);
}

} // namespace
