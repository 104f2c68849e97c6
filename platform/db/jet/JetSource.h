#pragma once
// Access (Jet) billing files as a Source. The file is read by the reader program yvo-jet-reader in a
// process of its own, which writes an SQLite copy and exits; the copy is loaded into an in-memory
// database and the file is read again only when its size or modification time changed. A crash, a
// hang or a damaged file in the reader becomes one DbError "<file> could not be read: <reason>".
// A file that changes while it is read is read again, a bounded number of times.
//
// openJetSource(fileName) copies the billing tables CLIENTS, TRANS and INEXTB (names match ignoring
// case) and fails when one of them is missing; every query reads only those.

#include "platform/db/Source.h"

#include <QStringList>
#include <chrono>

namespace yvo::db {

struct JetReadOptions {
    // Tables to copy, matched ignoring case; an empty list copies every table of the file.
    QStringList tables{QStringLiteral("CLIENTS"), QStringLiteral("TRANS"), QStringLiteral("INEXTB")};
    // The reader program; empty means yvo-jet-reader in the folder of this program.
    QString readerProgram;
    // How long one read may take before the reader is killed.
    std::chrono::milliseconds timeLimit{std::chrono::seconds(30)};
    // Reads tried in a row while the file keeps changing under the reader.
    int attempts = 3;
};

// Reads the file at once, so a file that cannot be read fails here; throws DbError.
std::unique_ptr<Source> openJetSource(const QString& fileName, const JetReadOptions& options);

} // namespace yvo::db
