#include "core/datetime.h"

#include <cmath>

namespace qmdt {

namespace {
// 30 December 1899 as a Julian day: a constant, so no stored moment depends on
// the order in which globals are set up.
constexpr qint64 kEpochJulianDay = 2415019;
constexpr double kMsPerDay = 86400000.0;
}

double fromDate(const QDate &date)
{
    return static_cast<double>(date.toJulianDay() - kEpochJulianDay);
}

double fromDateTime(const QDateTime &moment)
{
    if (!moment.isValid())
        return 0.0;
    const double days = fromDate(moment.date());
    const double frac = moment.time().msecsSinceStartOfDay() / kMsPerDay;
    // Before the epoch the fraction counts away from zero, as the stored form does.
    return days < 0 ? days - frac : days + frac;
}

QDate toDate(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > 3.0e6)
        return {};
    const double whole = std::trunc(value);
    return QDate::fromJulianDay(kEpochJulianDay + static_cast<qint64>(whole));
}

QDateTime toDateTime(double value)
{
    if (value == 0.0)
        return {};
    const QDate date = toDate(value);
    if (!date.isValid())
        return {};
    const double frac = std::fabs(value - std::trunc(value));
    auto ms = static_cast<qint64>(std::llround(frac * kMsPerDay));
    if (ms >= static_cast<qint64>(kMsPerDay))
        ms = static_cast<qint64>(kMsPerDay) - 1;
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
}

QDate addMonthsClamped(const QDate &date, int months)
{
    // QDate::addMonths already clamps to the month's last day.
    return date.addMonths(months);
}

} // namespace qmdt
