#include "platform/text/SerialDate.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace yvo::text;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct SerialCase {
    const char* name;
    double serial;
    QDateTime value;
};
void PrintTo(const SerialCase& c, std::ostream* os) {
    *os << c.name;
}

QDateTime at(int y, int m, int d, int h = 0, int min = 0, int s = 0, int ms = 0) {
    return QDateTime(QDate(y, m, d), QTime(h, min, s, ms), Qt::UTC);
}

class SerialDateTest : public testing::TestWithParam<SerialCase> {};

TEST_P(SerialDateTest, ReadsAsDateAndTime) {
    const SerialCase& c = GetParam();
    const QDateTime value = fromSerialDate(c.serial);
    EXPECT_EQ(value, c.value) << value.toString(Qt::ISODateWithMs).toStdString();
    if (c.value.isValid()) {
        EXPECT_EQ(value.timeSpec(), Qt::UTC);
    }
}

const SerialCase kSerialCases[] = {
    {"Epoch", 0.0, at(1899, 12, 30)},
    {"NextDay", 1.0, at(1899, 12, 31)},
    {"FirstOf1900", 2.0, at(1900, 1, 1)},
    {"HalfIsNoon", 0.5, at(1899, 12, 30, 12)},
    {"Recent", 45352.0, at(2024, 3, 1)},
    {"RecentEvening", 45352.75, at(2024, 3, 1, 18)},
    {"OneSecond", 1.0 / 86400.0, at(1899, 12, 30, 0, 0, 1)},
    {"JustBelowNextDay_RoundsToIt", 45352.999999999, at(2024, 3, 2)},
    {"Negative_DayBack", -1.0, at(1899, 12, 29)},
    {"Negative_TimeStillForward", -1.25, at(1899, 12, 29, 6)},
    {"Negative_Noon", -1.5, at(1899, 12, 29, 12)},
    {"NegativeFraction_OfTheEpochDay", -0.5, at(1899, 12, 30, 12)},
    {"Negative_NearlyADay_CarriesForward", -1.9999999999, at(1899, 12, 30)},
    {"FirstDay", -657434.0, at(100, 1, 1)},
    {"FirstDayEvening", -657434.75, at(100, 1, 1, 18)},
    {"LastDay", 2958465.0, at(9999, 12, 31)},
    {"LastMillisecond", 2958465.0 + 86399999.0 / 86400000.0, at(9999, 12, 31, 23, 59, 59, 999)},
    {"Invalid_NaN", kNaN, QDateTime()},
    {"Invalid_Infinity", kInf, QDateTime()},
    {"Invalid_NegativeInfinity", -kInf, QDateTime()},
    {"Invalid_Year10000", 2958466.0, QDateTime()},
    {"Invalid_CarryIntoYear10000", 2958465.9999999999, QDateTime()},
    {"Invalid_BeforeYear100", -657435.0, QDateTime()},
    {"Invalid_Huge", 1e300, QDateTime()},
    {"Invalid_HugeNegative", -1e300, QDateTime()},
};

INSTANTIATE_TEST_SUITE_P(Serials, SerialDateTest, testing::ValuesIn(kSerialCases),
                         [](const testing::TestParamInfo<SerialCase>& info) { return info.param.name; });

TEST(ToSerialDate, CountsDaysBackwardsAndTimeForwards) {
    EXPECT_EQ(toSerialDate(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(toSerialDate(QDate(1899, 12, 30), QTime(12, 0)), 0.5);
    EXPECT_EQ(toSerialDate(QDate(2024, 3, 1), QTime(18, 0)), 45352.75);
    EXPECT_EQ(toSerialDate(QDate(1899, 12, 29)), -1.0);
    EXPECT_EQ(toSerialDate(QDate(1899, 12, 29), QTime(6, 0)), -1.25);
}

TEST(ToSerialDate, TakesTheValuesOwnDateAndTime) {
    const QDateTime plusOneHour(QDate(2024, 3, 1), QTime(18, 0), Qt::OffsetFromUTC, 3600);
    EXPECT_EQ(toSerialDate(plusOneHour), 45352.75);
}

TEST(ToSerialDate, InvalidIsNaN) {
    EXPECT_TRUE(std::isnan(toSerialDate(QDate())));
    EXPECT_TRUE(std::isnan(toSerialDate(QDate(2024, 3, 1), QTime())));
    EXPECT_TRUE(std::isnan(toSerialDate(QDateTime())));
}

TEST(SerialDateRoundTrip, KeepsEveryMillisecond) {
    const QDate dates[] = {QDate(100, 1, 1),    QDate(1899, 12, 28), QDate(1899, 12, 29), QDate(1899, 12, 30),
                           QDate(1899, 12, 31), QDate(2024, 2, 29),  QDate(9999, 12, 31)};
    const QTime times[] = {QTime(0, 0),  QTime(0, 0, 0, 1),      QTime(6, 0),
                           QTime(12, 0), QTime(17, 45, 12, 345), QTime(23, 59, 59, 999)};
    for (const QDate& date : dates)
        for (const QTime& time : times)
            EXPECT_EQ(fromSerialDate(toSerialDate(date, time)), QDateTime(date, time, Qt::UTC))
                << date.toString(Qt::ISODate).toStdString() << " "
                << time.toString(Qt::ISODateWithMs).toStdString();
}

} // namespace
