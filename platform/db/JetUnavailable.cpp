#include "platform/db/DbError.h"
#include "platform/db/Source.h"

#include <QDir>

namespace yvo::db {

// Built when the Access reader is not part of the tree.
std::unique_ptr<Source> openJetSource(const QString& fileName) {
    throw DbError(QStringLiteral("%1 is an Access file, which this build cannot read")
                      .arg(QDir::toNativeSeparators(fileName)));
}

} // namespace yvo::db
