#include "calendar/datenavigation.h"

namespace {

QString Hint(const QDate &target, const QDate &current, int (QDate::*part)() const, const QString &unit)
{
    const QDate shown = GoToDateAllowed(target) ? target : current;
    return QString::number((shown.*part)()) + unit;
}

} // namespace

bool GoToDateAllowed(const QDate &date)
{
    return date.isValid() && date.year() >= NavigationFirstYear && date.year() <= NavigationLastYear;
}

QDate StepDate(const QDate &date, int months, int days)
{
    // QDate::addMonths already clamps the day to the target month's length.
    return date.addMonths(months).addDays(days);
}

QDate YearBoxTarget(const QDate &current, int year)
{
    return StepDate(current, (year - current.year()) * 12, 0);
}

QDate MonthBoxTarget(const QDate &current, int month)
{
    return StepDate(current, month - current.month(), 0);
}

TNavigationHints NavigationHints(const QDate &current)
{
    const QString day = QStringLiteral("日");
    const QString month = QStringLiteral("月");
    const QString year = QStringLiteral("年");
    TNavigationHints hints;
    if (!current.isValid())
        return hints;
    hints.prevYear = Hint(StepDate(current, -12, 0), current, &QDate::year, year);
    hints.prevMonth = Hint(StepDate(current, -1, 0), current, &QDate::month, month);
    hints.prevDay = Hint(StepDate(current, 0, -1), current, &QDate::day, day);
    hints.nextDay = Hint(StepDate(current, 0, 1), current, &QDate::day, day);
    hints.nextMonth = Hint(StepDate(current, 1, 0), current, &QDate::month, month);
    hints.nextYear = Hint(StepDate(current, 12, 0), current, &QDate::year, year);
    return hints;
}

QDate ScrollStripTarget(const QDate &startDate, int daysToShow, bool upperHalf)
{
    // The calendar never shows fewer than one row.
    const int days = qMax(1, daysToShow);
    return upperHalf ? startDate.addDays(1 - days) : startDate.addDays(2 * days - 2);
}
