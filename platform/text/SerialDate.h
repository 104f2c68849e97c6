#pragma once
// Serial dates: the value model of dates in the billing file. A serial date is a number of days since
// 1899-12-30; its fraction is the time of day. Before 1899-12-30 the whole part counts days backwards
// while the fraction still counts the time forwards (-1.25 is 1899-12-29 06:00), as in Access files.
// Times are kept to the millisecond: reading a serial date rounds its fraction to the nearest one, so
// 0.5 is exactly noon and a value a hair below the next day reads as that day's midnight.

#include <QDateTime>

namespace yvo::text {

// NaN when the date or the time is invalid.
double toSerialDate(QDate date, QTime time = QTime(0, 0));
// The value's own date and time of day, whatever its time spec (no conversion to another zone);
// NaN when it is invalid.
double toSerialDate(const QDateTime& dateTime);
// The local-time value a serial date stands for (no time zone: Qt::LocalTime is never consulted,
// the result has Qt::UTC spec so that no daylight-saving gap can move it). Invalid for NaN, infinities
// and values outside the years 100 to 9999 (serial -657434 to 2958465, with its time of day).
QDateTime fromSerialDate(double serial);

} // namespace yvo::text
