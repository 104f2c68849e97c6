#pragma once
// What the report commands compute before a report runs: the category filter spliced into a query's
// SQL lines, and the income and expense totals line.

#include <QString>
#include <vector>

namespace yvo::text {
class StringList;
}

namespace yvo::app {

// Splices the ticked categories into sql: "(" before the line that precedes the first line equal to
// "TRUE" (ignoring case), one "I.ProductCode = %d or" per ticked row, each at that same position (so
// the last ticked row stands first), then "FALSE) and ". ticked[i] belongs to productCodes[i].
// A text without "TRUE", or with it first, fails with "List index out of bounds (%d)".
void applyCategoryFilter(text::StringList& sql, const std::vector<qint32>& productCodes,
                         const std::vector<bool>& ticked);

// The totals line from the amounts paid on income and on expense categories, each "%m" in the
// locale's money format: "Total Expense = %m" when only the expense is non-zero, "Total Income = %m"
// when only the income is, and "Net Income : %m - %m = %m" otherwise.
QString netIncomeLine(double income, double expense);

} // namespace yvo::app
