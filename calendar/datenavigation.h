#pragma once

#include <QDate>
#include <QString>

// The date rules behind the main window's navigation: the step actions, the
// year and month boxes, the hints of the step buttons and the list style's
// scroll strip. The window only applies what these answer.

inline constexpr int NavigationFirstYear = 1900;
inline constexpr int NavigationLastYear = 2099;

// Whether the step actions and the boxes may go to `date`: 1900-01-01 to
// 2099-12-31. The calendar's own keys, wheel and clicks are not limited.
bool GoToDateAllowed(const QDate &date);

// `date` moved by whole months, keeping the day unless the target month is
// shorter (then its last day), and then by days.
QDate StepDate(const QDate &date, int months, int days);

// The calendar's date after choosing `year` in a year box or `month` in a
// month box while it shows `current` (day clamped as by StepDate).
QDate YearBoxTarget(const QDate &current, int year);
QDate MonthBoxTarget(const QDate &current, int month);

// The hints of the six step buttons, for the calendar at `current`: the
// number of the day, month or year the button leads to and "日", "月" or
// "年". A button whose step would leave 1900-2099 does nothing, so its hint
// names where the calendar stays.
struct TNavigationHints
{
    QString prevYear;
    QString prevMonth;
    QString prevDay;
    QString nextDay;
    QString nextMonth;
    QString nextYear;

    bool operator==(const TNavigationHints &) const = default;
};
TNavigationHints NavigationHints(const QDate &current);

// The date a press in the scroll strip beside the list style selects: in the
// upper half StartDate - DaysToShow + 1, in the lower half StartDate +
// 2 * DaysToShow - 2. The list then keeps the selected day in view, so it
// moves by a page less one day.
QDate ScrollStripTarget(const QDate &startDate, int daysToShow, bool upperHalf);
