#pragma once
// Regional formats: how dates, times and amounts are written and read.
// Every function reads the default QLocale(): the user's locale, or the one a test or tool set with
// QLocale::setDefault(). Two-digit years of a locale's short format are widened to four digits, so a
// date written here and read back never changes century.

#include <QDateTime>
#include <QString>
#include <QStringView>
#include <optional>

namespace yvo::text {

// The locale's short date format with a four-digit year ("M/d/yyyy" for en_US, "dd.MM.yyyy" for de_DE).
QString shortDateFormat();
// Empty for an invalid date.
QString formatShortDate(QDate date);
// Reads a date written in shortDateFormat(); also accepts the locale's own two-digit-year form
// (read in the century window 1950-2049: 50..99 are 1950..1999, 00..49 are 2000..2049). Fields and
// separators come in the format's order and nothing else may follow; day and month take one or two
// digits, month and day names match ignoring case, blanks around the whole text are ignored.
// Empty when the text is no date.
std::optional<QDate> parseShortDate(QStringView text);

// The locale's long time format without a time zone ("h:mm:ss AP" for en_US).
QString longTimeFormat();

// A date-time value as shown without a mask: the short date, then a blank and the long time
// when the time of day is not midnight. Empty for an invalid value.
QString formatDateTime(const QDateTime& value);

// "%m": the locale's currency format (symbol and its place, separators, currency decimals,
// the pattern for negative amounts). The amount is first rounded to the currency decimals, halves
// away from zero as in formatMask(), so an amount that rounds to zero never shows as negative.
QString formatMoney(double amount);

// Display masks of the report engine: "#," (whole number, grouped, empty when it rounds to 0),
// "0.00" (two decimals, no grouping) and "#,0.00" (grouped, two decimals). Halves round away
// from zero on the value's shortest decimal form (so 2.675 gives 2.68). The locale's separators
// are used, with digits 0-9, a leading "-" for a negative result (never "-0") and groups of three.
// NaN prints as "NaN", infinities as "INF" and "-INF" (formatMoney() too).
// An unknown mask throws std::invalid_argument.
QString formatMask(double value, QStringView mask);

} // namespace yvo::text
