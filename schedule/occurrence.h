#pragma once

#include "schedule/alarm.h"

#include <QDateTime>

// The date arithmetic of the alarm timer, on Julian day numbers so that a pass
// over thousands of schedules builds no QDate per schedule.
namespace occurrence {

// A moment split into its Julian day and minute of the day, plus the parts of
// its date.
struct TMinute
{
    qint64 JulianDay = 0;
    int MinuteOfDay = 0;
    TDayParts Parts;

    TMinute() = default;
    explicit TMinute(const QDateTime &moment);
};

// Splits a stored date-time as the stored form defines it; false for 0
// (never) and for values outside the calendar.
bool SplitStored(double stored, qint64 &julianDay, int &minuteOfDay);

// The occurrence searched from day `startDay` (kinds that step from a start)
// or fixed by the record (dated and yearly kinds, the latter in `year`).
// False when there is none: an impossible date, a weekly schedule without
// days, a monthly one on a day outside 1-31.
bool NextOccurrenceDay(const TAlarm &alarm, qint64 startDay, int year, qint64 &day);

// The parts of a Julian day (cheap when it is the day already split).
TDayParts PartsOf(qint64 julianDay, const TMinute &now);

} // namespace occurrence
