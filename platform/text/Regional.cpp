#include "platform/text/Regional.h"

#include <QDateTime>
#include <QLocale>
#include <charconv>
#include <cmath>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace yvo::text {

namespace {

// ---- Date and time format patterns -------------------------------------------------------------

// One piece of a QLocale date or time pattern: a run of one repeated letter (a field such as "yy" or
// "MMMM", or a letter Qt prints as it is), a quoted literal kept with its quotes, or one other
// character.
struct PatternPiece {
    enum Kind { Letters, Quoted, Other };
    Kind kind;
    QString text;

    bool isField(QChar letter, int minLength = 1, int maxLength = 4) const {
        return kind == Letters && text.at(0) == letter && text.size() >= minLength &&
               text.size() <= maxLength;
    }
    bool isSpace() const { return kind == Other && text.at(0).isSpace(); }
};

std::vector<PatternPiece> splitPattern(const QString& pattern) {
    std::vector<PatternPiece> pieces;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern.at(i);
        qsizetype end = i + 1;
        PatternPiece::Kind kind = PatternPiece::Other;
        if (c == u'\'') {
            // A quoted literal runs to the next lone quote; a doubled quote inside stands for one.
            kind = PatternPiece::Quoted;
            while (end < pattern.size()) {
                if (pattern.at(end) == u'\'') {
                    if (end + 1 < pattern.size() && pattern.at(end + 1) == u'\'' && end != i + 1) {
                        end += 2;
                        continue;
                    }
                    ++end;
                    break;
                }
                ++end;
            }
        } else if (c.isLetter()) {
            kind = PatternPiece::Letters;
            while (end < pattern.size() && pattern.at(end) == c)
                ++end;
        }
        pieces.push_back({kind, pattern.mid(i, end - i)});
        i = end;
    }
    return pieces;
}

QString joinPattern(const std::vector<PatternPiece>& pieces) {
    QString pattern;
    for (const PatternPiece& piece : pieces)
        pattern += piece.text;
    return pattern;
}

// The text a quoted literal stands for: without its quotes, a doubled quote read as one ("''" alone is
// a single quote).
QString quotedText(const QString& quoted) {
    if (quoted == QLatin1String("''"))
        return QStringLiteral("'");
    QString inner = quoted.mid(1);
    if (inner.endsWith(u'\''))
        inner.chop(1);
    return inner.replace(QLatin1String("''"), QLatin1String("'"));
}

QString localeShortDateFormat() {
    return QLocale().dateFormat(QLocale::ShortFormat);
}

// ---- Reading a short date ----------------------------------------------------------------------

class DateReader {
public:
    explicit DateReader(QStringView text) : m_text(text) {}

    bool atEnd() const { return m_pos == m_text.size(); }

    bool literal(QStringView expected) {
        if (!m_text.mid(m_pos).startsWith(expected))
            return false;
        m_pos += expected.size();
        return true;
    }

    // Between minDigits and maxDigits decimal digits (of any script); -1 when there are too few.
    int number(int minDigits, int maxDigits) {
        int value = 0;
        int count = 0;
        while (count < maxDigits && m_pos < m_text.size() && m_text.at(m_pos).isDigit()) {
            value = value * 10 + m_text.at(m_pos).digitValue();
            ++m_pos;
            ++count;
        }
        return count >= minDigits ? value : -1;
    }

    // The number (1-based) of the longest of names that the text continues with, ignoring letter case;
    // 0 when none matches.
    int name(const QStringList& names) {
        int best = 0;
        qsizetype bestLength = 0;
        for (int i = 0; i < names.size(); ++i) {
            const QString& candidate = names.at(i);
            if (!candidate.isEmpty() && candidate.size() > bestLength &&
                m_text.mid(m_pos).startsWith(candidate, Qt::CaseInsensitive)) {
                best = i + 1;
                bestLength = candidate.size();
            }
        }
        m_pos += bestLength;
        return best;
    }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
};

QStringList monthNames(QLocale::FormatType type) {
    const QLocale locale;
    QStringList names;
    for (int month = 1; month <= 12; ++month)
        names << locale.monthName(month, type);
    return names;
}

QStringList dayNames(QLocale::FormatType type) {
    const QLocale locale;
    QStringList names;
    for (int day = 1; day <= 7; ++day)
        names << locale.dayName(day, type);
    return names;
}

// Two-digit years: 50..99 are 1950..1999, 00..49 are 2000..2049.
int widenTwoDigitYear(int year) {
    return year < 50 ? 2000 + year : 1900 + year;
}

// ---- Numbers -----------------------------------------------------------------------------------

// |value| rounded to `decimals` places, halves away from zero, taken on the shortest decimal text
// that reads back as value. digits holds the result times 10^decimals, without leading zeros
// ("0" for zero).
struct RoundedDecimal {
    bool negative = false;
    std::string digits;

    bool isZero() const { return digits == "0"; }
};

RoundedDecimal roundHalfAwayFromZero(double value, int decimals) {
    // Shortest round-trip form in scientific notation: "d.ddde[+-]xx".
    char buffer[64];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific);
    const std::string text(buffer, written.ptr);
    const std::size_t e = text.find('e');
    std::string significant = text.substr(0, e);
    if (significant.size() > 1)
        significant.erase(1, 1); // the decimal point after the first digit
    const int exponent = std::stoi(text.substr(e + 1));

    // Number of significant digits that lie before the rounding position.
    const long long keep = static_cast<long long>(exponent) + 1 + decimals;
    std::string digits;
    if (keep < 0) {
        digits = "0";
    } else if (keep == 0) {
        digits = significant.at(0) >= '5' ? "1" : "0";
    } else {
        const auto length = static_cast<std::size_t>(keep);
        digits = significant.substr(0, length);
        if (digits.size() < length)
            digits.append(length - digits.size(), '0');
        if (length < significant.size() && significant.at(length) >= '5') {
            std::size_t i = digits.size();
            while (i > 0 && digits[i - 1] == '9')
                digits[--i] = '0';
            if (i == 0)
                digits.insert(digits.begin(), '1');
            else
                ++digits[i - 1];
        }
    }
    const std::size_t firstNonZero = digits.find_first_not_of('0');
    digits = firstNonZero == std::string::npos ? std::string("0") : digits.substr(firstNonZero);
    return {!digits.empty() && digits != "0" && std::signbit(value), digits};
}

// Splits RoundedDecimal digits into the whole part (at least "0") and exactly `decimals` fraction digits.
std::pair<QString, QString> splitDecimal(const RoundedDecimal& rounded, int decimals) {
    std::string digits = rounded.digits;
    const auto minimum = static_cast<std::size_t>(decimals) + 1;
    if (digits.size() < minimum)
        digits.insert(0, minimum - digits.size(), '0');
    const std::size_t point = digits.size() - static_cast<std::size_t>(decimals);
    return {QString::fromLatin1(digits.substr(0, point)), QString::fromLatin1(digits.substr(point))};
}

QString groupThousands(const QString& whole) {
    const QString separator = QLocale().groupSeparator();
    QString grouped;
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0)
            grouped += separator;
        grouped += whole.at(i);
    }
    return grouped;
}

QString nonFiniteText(double value) {
    if (std::isnan(value))
        return QStringLiteral("NaN");
    return value < 0 ? QStringLiteral("-INF") : QStringLiteral("INF");
}

// The number of decimals the locale's currency format shows, read from how it writes zero: the digits
// after the last decimal point that stands between digits.
int currencyDecimals() {
    const QLocale locale;
    const QString zero = locale.toCurrencyString(0.0);
    const QString point = locale.decimalPoint();
    for (qsizetype at = zero.lastIndexOf(point); at > 0; at = zero.lastIndexOf(point, at - 1)) {
        const qsizetype after = at + point.size();
        if (zero.at(at - 1).isDigit() && after < zero.size() && zero.at(after).isDigit()) {
            int count = 0;
            while (after + count < zero.size() && zero.at(after + count).isDigit())
                ++count;
            return count;
        }
    }
    return 0;
}

} // namespace

QString shortDateFormat() {
    std::vector<PatternPiece> pieces = splitPattern(localeShortDateFormat());
    for (PatternPiece& piece : pieces)
        if (piece.isField(u'y', 2, 2))
            piece.text = QStringLiteral("yyyy");
    return joinPattern(pieces);
}

QString formatShortDate(QDate date) {
    if (!date.isValid())
        return {};
    return QLocale().toString(date, shortDateFormat());
}

std::optional<QDate> parseShortDate(QStringView text) {
    DateReader reader(text.trimmed());
    int year = -1;
    int month = -1;
    int day = -1;
    int weekday = 0;
    for (const PatternPiece& piece : splitPattern(localeShortDateFormat())) {
        bool ok = true;
        if (piece.isField(u'd', 1, 2)) {
            day = reader.number(1, 2);
            ok = day >= 0;
        } else if (piece.isField(u'd', 3, 4)) {
            weekday =
                reader.name(dayNames(piece.text.size() == 3 ? QLocale::ShortFormat : QLocale::LongFormat));
            ok = weekday > 0;
        } else if (piece.isField(u'M', 1, 2)) {
            month = reader.number(1, 2);
            ok = month >= 0;
        } else if (piece.isField(u'M', 3, 4)) {
            month =
                reader.name(monthNames(piece.text.size() == 3 ? QLocale::ShortFormat : QLocale::LongFormat));
            ok = month > 0;
        } else if (piece.isField(u'y', 2, 2)) {
            // The widened four-digit form, or the locale's own two digits.
            DateReader fourDigits = reader;
            year = fourDigits.number(4, 4);
            if (year >= 0) {
                reader = fourDigits;
            } else {
                year = reader.number(2, 2);
                if (year >= 0)
                    year = widenTwoDigitYear(year);
            }
            ok = year >= 0;
        } else if (piece.isField(u'y', 4, 4)) {
            year = reader.number(4, 4);
            ok = year >= 0;
        } else if (piece.kind == PatternPiece::Quoted) {
            ok = reader.literal(quotedText(piece.text));
        } else {
            ok = reader.literal(piece.text);
        }
        if (!ok)
            return std::nullopt;
    }
    if (!reader.atEnd() || year < 0 || month < 0 || day < 0)
        return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid() || (weekday != 0 && date.dayOfWeek() != weekday))
        return std::nullopt;
    return date;
}

QString longTimeFormat() {
    std::vector<PatternPiece> pieces;
    for (PatternPiece& piece : splitPattern(QLocale().timeFormat(QLocale::LongFormat))) {
        if (piece.isField(u't'))
            continue;
        // A bracket pair left empty by the time zone goes too: "H:mm:ss (t)".
        if (piece.kind == PatternPiece::Other && piece.text == QLatin1String(")")) {
            auto open = pieces.rbegin();
            while (open != pieces.rend() && open->isSpace())
                ++open;
            if (open != pieces.rend() && open->kind == PatternPiece::Other &&
                open->text == QLatin1String("(")) {
                pieces.erase(std::prev(open.base()), pieces.end());
                continue;
            }
        }
        // Runs of blanks shrink to their first one.
        if (piece.isSpace() && !pieces.empty() && pieces.back().isSpace())
            continue;
        pieces.push_back(std::move(piece));
    }
    while (!pieces.empty() && pieces.back().isSpace())
        pieces.pop_back();
    while (!pieces.empty() && pieces.front().isSpace())
        pieces.erase(pieces.begin());
    return joinPattern(pieces);
}

QString formatDateTime(const QDateTime& value) {
    if (!value.isValid())
        return {};
    QString text = formatShortDate(value.date());
    if (value.time() != QTime(0, 0))
        text += u' ' + QLocale().toString(value.time(), longTimeFormat());
    return text;
}

QString formatMoney(double amount) {
    if (!std::isfinite(amount))
        return nonFiniteText(amount);
    const int decimals = currencyDecimals();
    const RoundedDecimal rounded = roundHalfAwayFromZero(amount, decimals);
    if (rounded.isZero())
        return QLocale().toCurrencyString(0.0);
    // Back to the double nearest to the rounded decimal, which the currency format writes exactly.
    const auto [whole, fraction] = splitDecimal(rounded, decimals);
    const std::string decimal = (whole + u'.' + fraction).toStdString();
    double value = std::fabs(amount);
    if (std::from_chars(decimal.data(), decimal.data() + decimal.size(), value).ec != std::errc())
        value = std::fabs(amount);
    return QLocale().toCurrencyString(rounded.negative ? -value : value);
}

QString formatMask(double value, QStringView mask) {
    int decimals = 0;
    bool grouped = false;
    if (mask == u"#,") {
        grouped = true;
    } else if (mask == u"0.00") {
        decimals = 2;
    } else if (mask == u"#,0.00") {
        decimals = 2;
        grouped = true;
    } else {
        throw std::invalid_argument("Unknown display mask \"" + mask.toString().toStdString() + "\"");
    }
    if (!std::isfinite(value))
        return nonFiniteText(value);

    const RoundedDecimal rounded = roundHalfAwayFromZero(value, decimals);
    // "#," has no mandatory digit: a value that rounds to zero prints nothing.
    if (decimals == 0 && rounded.isZero())
        return {};
    const auto [whole, fraction] = splitDecimal(rounded, decimals);
    QString text = rounded.negative ? QStringLiteral("-") : QString();
    text += grouped ? groupThousands(whole) : whole;
    if (decimals > 0)
        text += QLocale().decimalPoint() + fraction;
    return text;
}

} // namespace yvo::text
