#include "app/ReportPreparation.h"

#include "platform/text/Regional.h"
#include "platform/text/StringList.h"

namespace yvo::app {

void applyCategoryFilter(text::StringList& sql, const std::vector<qint32>& productCodes,
                         const std::vector<bool>& ticked) {
    const int p = sql.indexOf(u"TRUE");
    sql.insert(p - 1, QStringLiteral("("));
    int n = 0;
    for (std::size_t row = 0; row < ticked.size(); ++row) {
        if (!ticked[row])
            continue;
        // Only integer codes ever reach the SQL text.
        sql.insert(p, QStringLiteral("I.ProductCode = %1 or").arg(productCodes.at(row)));
        ++n;
    }
    sql.insert(p + n, QStringLiteral("FALSE) and "));
}

QString netIncomeLine(double income, double expense) {
    using text::formatMoney;
    if (income == 0 && expense != 0)
        return QStringLiteral("Total Expense = ") + formatMoney(expense);
    if (income != 0 && expense == 0)
        return QStringLiteral("Total Income = ") + formatMoney(income);
    return QStringLiteral("Net Income : %1 - %2 = %3")
        .arg(formatMoney(income), formatMoney(expense), formatMoney(income - expense));
}

} // namespace yvo::app
