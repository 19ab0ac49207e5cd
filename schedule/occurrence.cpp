#include "schedule/occurrence.h"

#include <cmath>

namespace occurrence {

namespace {

// Serial day 0 of the stored form (30 December 1899).
const qint64 kEpochJulianDay = QDate(1899, 12, 30).toJulianDay();
constexpr double kMsPerDay = 86400000.0;

bool isLeap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int y, int m)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : days[m - 1];
}

bool julianDayOf(int y, int m, int d, qint64 &day)
{
    const QDate date(y, m, d);
    if (!date.isValid())
        return false;
    day = date.toJulianDay();
    return true;
}

} // namespace

TMinute::TMinute(const QDateTime &moment)
{
    const QDate date = moment.date();
    JulianDay = date.toJulianDay();
    const QTime time = moment.time();
    MinuteOfDay = time.hour() * 60 + time.minute();
    Parts = TDayParts(date);
}

bool SplitStored(double stored, qint64 &julianDay, int &minuteOfDay)
{
    // Same reading as qmdt::toDateTime: whole days, and the fraction's
    // milliseconds rounded, never reaching the next day.
    if (stored == 0.0 || !std::isfinite(stored) || std::fabs(stored) > 3.0e6)
        return false;
    const double whole = std::trunc(stored);
    auto ms = static_cast<qint64>(std::llround(std::fabs(stored - whole) * kMsPerDay));
    if (ms >= static_cast<qint64>(kMsPerDay))
        ms = static_cast<qint64>(kMsPerDay) - 1;
    julianDay = kEpochJulianDay + static_cast<qint64>(whole);
    minuteOfDay = static_cast<int>(ms / 60000);
    return true;
}

TDayParts PartsOf(qint64 julianDay, const TMinute &now)
{
    if (julianDay == now.JulianDay)
        return now.Parts;
    return TDayParts(QDate::fromJulianDay(julianDay));
}

bool NextOccurrenceDay(const TAlarm &alarm, qint64 startDay, int year, qint64 &day)
{
    const TAlarmDateTime &a = alarm.AlarmDateTime;
    switch (alarm.AlarmType) {
    case atWeekly:
    case atWeeklyNoTime: {
        if ((a.DaysOfWeek & 0xFE) == 0)
            return false; // no day chosen: no occurrence, ever
        // Julian day 0 was a Monday, weekday number 2.
        const int startWeekday = static_cast<int>(((startDay % 7) + 7 + 1) % 7) + 1;
        for (int k = 0; k < 7; ++k) {
            if (a.HasWeekday((startWeekday - 1 + k) % 7 + 1)) {
                day = startDay + k;
                return true;
            }
        }
        return false;
    }
    case atMonthly:
    case atMonthlyNoTime: {
        if (a.Day < 1 || a.Day > 31)
            return false;
        const QDate start = QDate::fromJulianDay(startDay);
        if (!start.isValid())
            return false;
        int y = start.year();
        int m = start.month();
        if (start.day() <= a.Day && a.Day <= daysInMonth(y, m))
            return julianDayOf(y, m, a.Day, day);
        // Every day 1-31 comes again within two months.
        for (int step = 0; step < 3; ++step) {
            if (++m > 12) {
                m = 1;
                ++y;
            }
            if (a.Day <= daysInMonth(y, m))
                return julianDayOf(y, m, a.Day, day);
        }
        return false;
    }
    case atDate:
    case atDateNoTime:
        return julianDayOf(a.Year, a.Month, a.Day, day);
    case atYearly:
    case atYearlyNoTime:
        return julianDayOf(year, a.Month, a.Day, day);
    case atEveryDay:
    case atEveryDayNoTime:
    case atStartUp:
        day = startDay;
        return true;
    default:
        return false; // a kind this program does not know never occurs
    }
}

} // namespace occurrence
