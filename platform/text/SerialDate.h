#pragma once
// Serial dates: the value model of dates in the billing file. A serial date is a number of days since
// 1899-12-30; its fraction is the time of day. Before 1899-12-30 the whole part counts days backwards
// while the fraction still counts the time forwards (-1.25 is 1899-12-29 06:00), as in Access files.

#include <QDateTime>

namespace yvo::text {

double toSerialDate(QDate date, QTime time = QTime(0, 0));
double toSerialDate(const QDateTime& dateTime);
// The local-time value a serial date stands for (no time zone: Qt::LocalTime is never consulted,
// the result has Qt::UTC spec so that no daylight-saving gap can move it). Invalid for NaN or
// values beyond year 9999 either way.
QDateTime fromSerialDate(double serial);

} // namespace yvo::text
