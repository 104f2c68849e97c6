#pragma once
// The program file's path, as the run-time library reports it. The data modules look for the
// billing file beside it. Tests and tools may point it elsewhere.

#include <QString>

namespace yvo::db {

// The executable's full path (QCoreApplication::applicationFilePath()), unless overridden.
QString programFilePath();
// Overrides the path; an empty path restores the real one.
void setProgramFilePath(const QString& path);

} // namespace yvo::db
