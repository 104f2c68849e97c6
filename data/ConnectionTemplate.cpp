#include "data/ConnectionTemplate.h"

#include "platform/db/Connection.h"

#include <QStringList>

namespace yvo::data {

namespace {

struct Setting {
    const char* name;
    const char* value;
};

// The settings in their stored order; "Jet OLEDB:Engine Type" takes the module's engine type.
constexpr Setting kSettings[] = {
    {"Provider", "Microsoft.Jet.OLEDB.4.0"},
    {"User ID", "Admin"},
    {"Data Source", "*"},
    {"Mode", "Share Deny None"},
    {"Extended Properties", "\"\""},
    {"Persist Security Info", "False"},
    {"Jet OLEDB:System database", "\"\""},
    {"Jet OLEDB:Registry Path", "\"\""},
    {"Jet OLEDB:Database Password", "\"\""},
    {"Jet OLEDB:Engine Type", nullptr},
    {"Jet OLEDB:Database Locking Mode", "0"},
    {"Jet OLEDB:Global Partial Bulk Ops", "2"},
    {"Jet OLEDB:Global Bulk Transactions", "1"},
    {"Jet OLEDB:New Database Password", "\"\""},
    {"Jet OLEDB:Create System Database", "False"},
    {"Jet OLEDB:Encrypt Database", "False"},
    {"Jet OLEDB:Don't Copy Locale on Compact", "False"},
    {"Jet OLEDB:Compact Without Replica Repair", "False"},
    {"Jet OLEDB:SFP", "False"},
};

const QString kMarker = QStringLiteral("Data Source=*");

} // namespace

QString connectionTemplate(const QString& engineType) {
    QStringList parts;
    for (const Setting& setting : kSettings)
        parts << QLatin1String(setting.name) + QLatin1Char('=') +
                     (setting.value ? QString::fromLatin1(setting.value) : engineType);
    return parts.join(QLatin1Char(';'));
}

QString connectionStringFor(const QString& templateText, const QString& programFilePath) {
    const QString folder = programFilePath.left(programFilePath.lastIndexOf(QLatin1Char('/')) + 1);
    const QString file = folder + QStringLiteral("YVO.mdb");
    const QString source = QStringLiteral("Data Source=") + db::Connection::quoteValue(file);
    QString result = templateText;
    const qsizetype at = result.indexOf(kMarker); // letter case must match
    if (at >= 0)
        result.replace(at, kMarker.size(), source);
    return result;
}

} // namespace yvo::data
