#include "platform/text/Regional.h"

#include "tests/support/TestSupport.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <stdexcept>

using yvo::test::LocaleScope;
using namespace yvo::text;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

template <typename Case> std::string caseName(const testing::TestParamInfo<Case>& info) {
    return info.param.name;
}

// Failures name the case instead of dumping its bytes.
template <typename Case> void printCase(const Case& c, std::ostream* os) {
    *os << c.name;
}

// ---- Display masks ------------------------------------------------------------------------------

struct MaskCase {
    const char* name;
    const char* locale;
    const char* mask;
    double value;
    const char* expected; // UTF-8
};
void PrintTo(const MaskCase& c, std::ostream* os) {
    printCase(c, os);
}

class MaskTest : public testing::TestWithParam<MaskCase> {};

TEST_P(MaskTest, Formats) {
    const MaskCase& c = GetParam();
    LocaleScope scope{QLocale(QString::fromLatin1(c.locale))};
    EXPECT_EQ(formatMask(c.value, QString::fromLatin1(c.mask)), QString::fromUtf8(c.expected));
}

const MaskCase kMaskCases[] = {
    // "#,": whole numbers, grouped, nothing for zero.
    {"Whole_Zero_IsEmpty", "en_US", "#,", 0.0, ""},
    {"Whole_NegativeZero_IsEmpty", "en_US", "#,", -0.0, ""},
    {"Whole_BelowHalf_IsEmpty", "en_US", "#,", 0.49, ""},
    {"Whole_BelowHalfNegative_IsEmpty", "en_US", "#,", -0.49, ""},
    {"Whole_Half_RoundsAway", "en_US", "#,", 0.5, "1"},
    {"Whole_NegativeHalf_RoundsAway", "en_US", "#,", -0.5, "-1"},
    {"Whole_TwoAndHalf_NotToEven", "en_US", "#,", 2.5, "3"},
    {"Whole_Grouped", "en_US", "#,", 1234.5, "1,235"},
    {"Whole_NegativeGrouped", "en_US", "#,", -1234.5, "-1,235"},
    {"Whole_CarryAddsGroup", "en_US", "#,", 999.5, "1,000"},
    {"Whole_Millions", "en_US", "#,", 1234567.0, "1,234,567"},
    {"Whole_LargeExact", "en_US", "#,", 1e15, "1,000,000,000,000,000"},
    {"Whole_German", "de_DE", "#,", 1234.5, "1.235"},
    {"Whole_French", "fr_FR", "#,", -1234567.0, "-1\u202f234\u202f567"},
    // "0.00": two decimals, no grouping.
    {"Fixed_Zero", "en_US", "0.00", 0.0, "0.00"},
    {"Fixed_NegativeZero", "en_US", "0.00", -0.0, "0.00"},
    {"Fixed_TinyNegative_NoMinusZero", "en_US", "0.00", -0.004, "0.00"},
    {"Fixed_Denormal", "en_US", "0.00", 5e-324, "0.00"},
    {"Fixed_ShortestFormHalf", "en_US", "0.00", 2.675, "2.68"},
    {"Fixed_ShortestFormHalfNegative", "en_US", "0.00", -2.675, "-2.68"},
    {"Fixed_OnePointZeroZeroFive", "en_US", "0.00", 1.005, "1.01"},
    {"Fixed_ExactHalf", "en_US", "0.00", 0.125, "0.13"},
    {"Fixed_JustBelowHalf", "en_US", "0.00", 0.994999, "0.99"},
    {"Fixed_CarryIntoWhole", "en_US", "0.00", 0.995, "1.00"},
    {"Fixed_NoGrouping", "en_US", "0.00", 1234.5, "1234.50"},
    {"Fixed_SumNoise", "en_US", "0.00", 0.1 + 0.2, "0.30"},
    {"Fixed_German", "de_DE", "0.00", 2.675, "2,68"},
    // "#,0.00": grouped, two decimals.
    {"Grouped_Example", "en_US", "#,0.00", 1234.5, "1,234.50"},
    {"Grouped_Millions", "en_US", "#,0.00", 1234567.891, "1,234,567.89"},
    {"Grouped_Negative", "en_US", "#,0.00", -20.0, "-20.00"},
    {"Grouped_Zero", "en_US", "#,0.00", 0.0, "0.00"},
    {"Grouped_CarryAddsGroup", "en_US", "#,0.00", 999999.995, "1,000,000.00"},
    {"Grouped_Hundred", "en_US", "#,0.00", 100.0, "100.00"},
    {"Grouped_German", "de_DE", "#,0.00", 1234567.891, "1.234.567,89"},
    {"Grouped_GermanNegative", "de_DE", "#,0.00", -20.0, "-20,00"},
    {"Grouped_FrenchNarrowNoBreakSpace", "fr_FR", "#,0.00", 1234567.891, "1\u202f234\u202f567,89"},
    {"Grouped_SwissApostrophe", "de_CH", "#,0.00", 1234.5, "1\u2019234.50"},
    // Values no report should see still print something readable.
    {"NonFinite_NaN", "en_US", "#,", kNaN, "NaN"},
    {"NonFinite_Infinity", "en_US", "0.00", kInf, "INF"},
    {"NonFinite_NegativeInfinity", "en_US", "#,0.00", -kInf, "-INF"},
};

INSTANTIATE_TEST_SUITE_P(Masks, MaskTest, testing::ValuesIn(kMaskCases), caseName<MaskCase>);

TEST(MaskHugeValue, PrintsEveryDigitOfTheShortestForm) {
    const QString whole = formatMask(1e300, u"#,");
    EXPECT_EQ(whole, QStringLiteral("1") + QStringLiteral(",000").repeated(100));
    EXPECT_EQ(formatMask(-1e300, u"0.00"), QStringLiteral("-1") + QString(300, u'0') + QStringLiteral(".00"));
    EXPECT_EQ(formatMask(std::numeric_limits<double>::max(), u"#,0.00").size(), 309 + 102 + 3);
}

TEST(MaskUnknown, Throws) {
    for (const char* mask : {"", "#", "0.000", "#,##0.00", "0.00 ", "%m"})
        EXPECT_THROW(formatMask(1.0, QString::fromLatin1(mask)), std::invalid_argument) << mask;
}

// ---- Short dates --------------------------------------------------------------------------------

struct ShortDateCase {
    const char* name;
    const char* locale;
    const char* format;
    QDate date;
    const char* text;
};
void PrintTo(const ShortDateCase& c, std::ostream* os) {
    printCase(c, os);
}

class ShortDateTest : public testing::TestWithParam<ShortDateCase> {};

TEST_P(ShortDateTest, FormatsAndReadsBack) {
    const ShortDateCase& c = GetParam();
    LocaleScope scope{QLocale(QString::fromLatin1(c.locale))};
    EXPECT_EQ(shortDateFormat(), QString::fromUtf8(c.format));
    EXPECT_EQ(formatShortDate(c.date), QString::fromUtf8(c.text));
    EXPECT_EQ(parseShortDate(QString::fromUtf8(c.text)), c.date);
}

const ShortDateCase kShortDateCases[] = {
    {"US_TwoDigitYearWidened", "en_US", "M/d/yyyy", QDate(2024, 3, 1), "3/1/2024"},
    {"US_TwoDigitMonthAndDay", "en_US", "M/d/yyyy", QDate(1999, 12, 31), "12/31/1999"},
    {"US_LeapDay", "en_US", "M/d/yyyy", QDate(2000, 2, 29), "2/29/2000"},
    {"US_OutsideTheWindow", "en_US", "M/d/yyyy", QDate(2050, 1, 1), "1/1/2050"},
    {"US_EarlyYearPadded", "en_US", "M/d/yyyy", QDate(100, 1, 1), "1/1/0100"},
    {"US_LastDay", "en_US", "M/d/yyyy", QDate(9999, 12, 31), "12/31/9999"},
    {"German_TwoDigitYearWidened", "de_DE", "dd.MM.yyyy", QDate(2024, 3, 1), "01.03.2024"},
    {"German_BeforeTheWindow", "de_DE", "dd.MM.yyyy", QDate(1900, 1, 1), "01.01.1900"},
    {"British_FourDigitsAlready", "en_GB", "dd/MM/yyyy", QDate(2024, 3, 1), "01/03/2024"},
    {"Korean_YearFirst", "ko_KR", "yyyy. M. d.", QDate(2024, 3, 1), "2024. 3. 1."},
    {"C_MonthName", "C", "d MMM yyyy", QDate(2024, 3, 1), "1 Mar 2024"},
};

INSTANTIATE_TEST_SUITE_P(ShortDates, ShortDateTest, testing::ValuesIn(kShortDateCases),
                         caseName<ShortDateCase>);

struct ParseCase {
    const char* name;
    const char* locale;
    const char* text;
    QDate expected; // invalid: the text is no date
};
void PrintTo(const ParseCase& c, std::ostream* os) {
    printCase(c, os);
}

class ParseShortDateTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseShortDateTest, Reads) {
    const ParseCase& c = GetParam();
    LocaleScope scope{QLocale(QString::fromLatin1(c.locale))};
    const std::optional<QDate> parsed = parseShortDate(QString::fromUtf8(c.text));
    if (c.expected.isValid())
        EXPECT_EQ(parsed, c.expected);
    else
        EXPECT_EQ(parsed, std::nullopt) << parsed.value_or(QDate()).toString(Qt::ISODate).toStdString();
}

const ParseCase kParseCases[] = {
    // The locale's own two-digit form, in the window 1950-2049.
    {"TwoDigits_Recent", "en_US", "3/1/24", QDate(2024, 3, 1)},
    {"TwoDigits_WindowTop", "en_US", "12/31/49", QDate(2049, 12, 31)},
    {"TwoDigits_WindowBottom", "en_US", "1/1/50", QDate(1950, 1, 1)},
    {"TwoDigits_LeapDayOf2000", "en_US", "2/29/00", QDate(2000, 2, 29)},
    {"TwoDigits_German", "de_DE", "01.03.24", QDate(2024, 3, 1)},
    {"TwoDigits_NotAFormOfBritish", "en_GB", "01/03/24", QDate()},
    // Leniency that cannot be misread.
    {"LeadingZeros", "en_US", "03/01/2024", QDate(2024, 3, 1)},
    {"SingleDigitsInGerman", "de_DE", "1.3.2024", QDate(2024, 3, 1)},
    {"SurroundingBlanks", "en_US", "  3/1/2024 ", QDate(2024, 3, 1)},
    {"MonthNameIgnoresCase", "C", "1 mAR 2024", QDate(2024, 3, 1)},
    // No dates.
    {"Empty", "en_US", "", QDate()},
    {"Blanks", "en_US", "   ", QDate()},
    {"Words", "en_US", "junk", QDate()},
    {"MonthThirteen", "en_US", "13/1/2024", QDate()},
    {"MonthZero", "en_US", "0/1/2024", QDate()},
    {"NoSuchDay", "en_US", "2/30/2024", QDate()},
    {"NoLeapDay", "en_US", "2/29/2023", QDate()},
    {"YearZero", "en_US", "1/1/0000", QDate()},
    {"TrailingText", "en_US", "3/1/2024x", QDate()},
    {"TimeAfterDate", "en_US", "3/1/2024 10:00", QDate()},
    {"OtherSeparator", "en_US", "3-1-2024", QDate()},
    {"ThreeDigitYear", "en_US", "3/1/202", QDate()},
    {"FiveDigitYear", "en_US", "3/1/20245", QDate()},
    {"OneDigitYear", "en_US", "3/1/4", QDate()},
    {"ThreeDigitDay", "en_US", "3/001/2024", QDate()},
    {"MissingYear", "en_US", "3/1/", QDate()},
    {"OnlySeparators", "en_US", "//", QDate()},
    {"HugeNumber", "en_US", "99999999999999999999/1/2024", QDate()},
    {"GermanTextInUS", "en_US", "01.03.2024", QDate()},
    {"UnknownMonthName", "C", "1 Mrz 2024", QDate()},
    {"Emoji", "en_US", "\U0001F600/1/2024", QDate()},
};

INSTANTIATE_TEST_SUITE_P(Texts, ParseShortDateTest, testing::ValuesIn(kParseCases), caseName<ParseCase>);

TEST(ShortDateRoundTrip, EveryLocaleReadsBackWhatItWrote) {
    // Two-digit-year locales, four-digit ones, names of months, native digits with direction marks.
    for (const char* name : {"en_US", "de_DE", "en_GB", "ko_KR", "fr_FR", "ar_EG", "C"}) {
        LocaleScope scope{QLocale(QString::fromLatin1(name))};
        for (QDate date(1800, 1, 1); date.year() < 2200; date = date.addDays(13))
            ASSERT_EQ(parseShortDate(formatShortDate(date)), date)
                << name << " " << formatShortDate(date).toStdString();
    }
}

TEST(ShortDateInvalid, FormatsAsEmptyText) {
    EXPECT_EQ(formatShortDate(QDate()), QString());
}

TEST(ParseShortDateJunk, NeverCrashes) {
    // Lone surrogates, control characters, every prefix of a valid text.
    const QString valid = QStringLiteral("12/31/1999");
    for (qsizetype n = 0; n < valid.size(); ++n) {
        if (n == 8) // "12/31/19", the two-digit form of 2019-12-31
            continue;
        EXPECT_EQ(parseShortDate(valid.left(n)), std::nullopt) << n;
    }
    const QChar odd[] = {QChar(0xD800), QChar(0xDFFF), QChar(0), QChar(u'\''), QChar(0xFFFF)};
    EXPECT_EQ(parseShortDate(QStringView(odd, std::size(odd))), std::nullopt);
    EXPECT_EQ(parseShortDate(QString(100000, u'9')), std::nullopt);
}

// ---- Times --------------------------------------------------------------------------------------

struct TimeFormatCase {
    const char* name;
    const char* locale;
    const char* expected;
};
void PrintTo(const TimeFormatCase& c, std::ostream* os) {
    printCase(c, os);
}

class LongTimeFormatTest : public testing::TestWithParam<TimeFormatCase> {};

TEST_P(LongTimeFormatTest, DropsTheTimeZone) {
    const TimeFormatCase& c = GetParam();
    LocaleScope scope{QLocale(QString::fromLatin1(c.locale))};
    EXPECT_EQ(longTimeFormat(), QString::fromUtf8(c.expected));
}

const TimeFormatCase kTimeFormatCases[] = {
    {"US_ZoneAtTheEnd", "en_US", "h:mm:ss AP"},
    {"German", "de_DE", "HH:mm:ss"},
    {"Chinese_ZoneInFront", "zh_CN", "HH:mm:ss"},
    {"Persian_ZoneInBrackets", "fa_IR", "H:mm:ss"},
    {"CanadianFrench_QuotedLettersKept", "fr_CA", "HH 'h' mm 'min' ss 's'"},
};

INSTANTIATE_TEST_SUITE_P(Locales, LongTimeFormatTest, testing::ValuesIn(kTimeFormatCases),
                         caseName<TimeFormatCase>);

struct DateTimeCase {
    const char* name;
    const char* locale;
    QDateTime value;
    const char* expected;
};
void PrintTo(const DateTimeCase& c, std::ostream* os) {
    printCase(c, os);
}

class FormatDateTimeTest : public testing::TestWithParam<DateTimeCase> {};

TEST_P(FormatDateTimeTest, ShowsTheTimeUnlessMidnight) {
    const DateTimeCase& c = GetParam();
    LocaleScope scope{QLocale(QString::fromLatin1(c.locale))};
    EXPECT_EQ(formatDateTime(c.value), QString::fromUtf8(c.expected));
}

const DateTimeCase kDateTimeCases[] = {
    {"Midnight_DateAlone", "en_US", QDateTime(QDate(2024, 3, 1), QTime(0, 0), Qt::UTC), "3/1/2024"},
    {"Afternoon", "en_US", QDateTime(QDate(2024, 3, 1), QTime(13, 5, 7), Qt::UTC), "3/1/2024 1:05:07 PM"},
    {"OneMillisecondPastMidnight", "en_US", QDateTime(QDate(2024, 3, 1), QTime(0, 0, 0, 1), Qt::UTC),
     "3/1/2024 12:00:00 AM"},
    {"German", "de_DE", QDateTime(QDate(2024, 3, 1), QTime(14, 30), Qt::UTC), "01.03.2024 14:30:00"},
    {"GermanMidnight", "de_DE", QDateTime(QDate(2024, 3, 1), QTime(0, 0), Qt::UTC), "01.03.2024"},
    {"Invalid_Empty", "en_US", QDateTime(), ""},
};

INSTANTIATE_TEST_SUITE_P(Values, FormatDateTimeTest, testing::ValuesIn(kDateTimeCases),
                         caseName<DateTimeCase>);

// ---- Money --------------------------------------------------------------------------------------

struct MoneyCase {
    const char* name;
    const char* locale;
    double amount;
    const char* expected;
};
void PrintTo(const MoneyCase& c, std::ostream* os) {
    printCase(c, os);
}

class MoneyTest : public testing::TestWithParam<MoneyCase> {};

TEST_P(MoneyTest, Formats) {
    const MoneyCase& c = GetParam();
    LocaleScope scope{QLocale(QString::fromLatin1(c.locale))};
    EXPECT_EQ(formatMoney(c.amount), QString::fromUtf8(c.expected));
}

const MoneyCase kMoneyCases[] = {
    {"US_Income", "en_US", 1500.0, "$1,500.00"},
    {"US_Expense", "en_US", 250.5, "$250.50"},
    {"US_Difference", "en_US", 1500.0 - 250.5, "$1,249.50"},
    {"US_NegativePattern", "en_US", 250.5 - 1500.0, "($1,249.50)"},
    {"US_Zero", "en_US", 0.0, "$0.00"},
    {"US_TinyNegative_NotNegative", "en_US", -0.001, "$0.00"},
    {"US_NegativeZero", "en_US", -0.0, "$0.00"},
    {"US_HalfCentRoundsAway", "en_US", 2.675, "$2.68"},
    {"German", "de_DE", 1500.0, "1.500,00\u00a0€"},
    {"German_Negative", "de_DE", -250.5, "-250,50\u00a0€"},
    {"Japanese_NoCurrencyDecimals", "ja_JP", 1500.5, "￥1,501"},
    {"Japanese_RoundsToZero", "ja_JP", -0.4, "￥0"},
    {"NonFinite", "en_US", kNaN, "NaN"},
};

INSTANTIATE_TEST_SUITE_P(Amounts, MoneyTest, testing::ValuesIn(kMoneyCases), caseName<MoneyCase>);

TEST(MoneyHugeAmount, KeepsItsDigits) {
    EXPECT_TRUE(formatMoney(1e300).startsWith(QStringLiteral("$1,000,000,")));
    EXPECT_TRUE(formatMoney(-std::numeric_limits<double>::max()).startsWith(QStringLiteral("($179,769,")));
}

} // namespace
