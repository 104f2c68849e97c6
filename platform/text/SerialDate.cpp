#include "platform/text/SerialDate.h"

#include <cmath>
#include <limits>

namespace yvo::text {

namespace {
constexpr qint64 kMsecsPerDay = 86'400'000;
// 0100-01-01 and 9999-12-31, the first and last day a serial date may stand for.
constexpr double kFirstDay = -657434.0;
constexpr double kLastDay = 2958465.0;

QDate epoch() {
    return QDate(1899, 12, 30);
}
} // namespace

double toSerialDate(QDate date, QTime time) {
    if (!date.isValid() || !time.isValid())
        return std::numeric_limits<double>::quiet_NaN();
    const auto days = static_cast<double>(epoch().daysTo(date));
    const double fraction = static_cast<double>(time.msecsSinceStartOfDay()) / kMsecsPerDay;
    return days < 0 ? days - fraction : days + fraction;
}

double toSerialDate(const QDateTime& dateTime) {
    if (!dateTime.isValid())
        return std::numeric_limits<double>::quiet_NaN();
    return toSerialDate(dateTime.date(), dateTime.time());
}

QDateTime fromSerialDate(double serial) {
    // Checked before any conversion to an integer, so NaN and huge values never reach one.
    if (!(serial > kFirstDay - 1 && serial < kLastDay + 1))
        return {};
    const double whole = std::trunc(serial);
    const qint64 msecs = std::llround(std::fabs(serial - whole) * kMsecsPerDay);
    const QDateTime midnight(epoch().addDays(static_cast<qint64>(whole)), QTime(0, 0), Qt::UTC);
    // Rounding may carry a time of day just short of midnight into the next day.
    const QDateTime result = midnight.addMSecs(msecs);
    if (result.date().year() > 9999)
        return {};
    return result;
}

} // namespace yvo::text
