#include "platform/db/ProgramFile.h"

#include <QCoreApplication>

namespace yvo::db {

namespace {
QString& overridden() {
    static QString path;
    return path;
}
} // namespace

QString programFilePath() {
    return overridden().isEmpty() ? QCoreApplication::applicationFilePath() : overridden();
}

void setProgramFilePath(const QString& path) {
    overridden() = path;
}

} // namespace yvo::db
