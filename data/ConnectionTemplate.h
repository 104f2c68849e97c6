#pragma once
// The connection string both data modules start from, and how they point it at the billing file.

#include <QString>

namespace yvo::data {

// The stored connection string of a data module's ADOC, with the marker "Data Source=*".
// engineType is "4" for the main module and "5" for the open-account module.
QString connectionTemplate(const QString& engineType);

// The template with its marker replaced by "Data Source=" + the program's folder + "YVO.mdb".
// The folder stands unchanged and unquoted, unless it holds ";" or starts with a quote: then it is
// quoted by the connection-string rules, so that such a folder still names the file.
QString connectionStringFor(const QString& templateText, const QString& programFilePath);

} // namespace yvo::data
