#pragma once

#include "calendar/zocalendartypes.h"
#include "core/font.h"

#include <QDate>
#include <functional>
#include <limits>
#include <vector>

class TAlarm;
class TAlarmList;
class TAlarmTimer;

// The contents items of one calendar cell: the schedules that fall on `day`
// (hidden ones and kinds above the start-up kind left out), ordered by their
// key, then the daily memo as the last item. `noTimeOnCalendar` off puts each
// schedule's key in front of its text. `contentsColor` is the colour of the
// calendar's day-contents font, `memoColor` that of the daily memo editor.
// The calendar asks this for every visible day on every redraw, so it walks
// the list once, and builds no more than `room` items that have text (the
// lines the cell has; an item takes at least one): the rest could not be seen.
// The memo item comes only when there is room left for it.
TZoDrawDayTextList BuildDayContents(const TAlarmList &alarms, const QDate &day, bool noTimeOnCalendar,
                                    TColor contentsColor, TColor memoColor,
                                    int room = std::numeric_limits<int>::max());

// BuildDayContents for many days of one unchanged list, as a redraw asks
// for them: what placing a schedule on a day needs is taken from the list
// once and put in the cells' order, so a day walks compact entries only until
// its cell is full.
// Holds on to `alarms`; valid only while the list and its records stay as
// they were (the calendar makes one for each picture it draws).
class TDayContentsSource
{
public:
    explicit TDayContentsSource(const TAlarmList &alarms);
    ~TDayContentsSource();
    TDayContentsSource(const TDayContentsSource &) = delete;
    TDayContentsSource &operator=(const TDayContentsSource &) = delete;
    TZoDrawDayTextList Build(const QDate &day, bool noTimeOnCalendar, TColor contentsColor, TColor memoColor,
                             int room = std::numeric_limits<int>::max()) const;

private:
    struct TEntry;
    const TAlarmList &m_alarms;
    std::vector<TEntry> m_entries;
};

// The sort key of a schedule's item: its time text, then "* " for one that
// starts a file and two spaces otherwise.
QString DayContentsKey(const TAlarm &alarm);

// The daily memo's text as a contents item holds it: every line followed by
// CR LF; empty when the day has no memo or the file cannot be read.
QString DailyMemoContentsText(const QDate &day);

// The marks of one day: a memo file exists, a schedule not hidden falls on it.
TMemoScheduleExists DaySigns(const QDate &day, const TAlarmTimer &alarms);

// The sign table of the month grid: cell i is the date `firstDate` + i. A
// lookup that fails (throws) leaves that flag as `previous` had it, and the
// next lookup goes on.
using TDayLookup = std::function<bool(const QDate &)>;
TMemoScheduleTable ComputeSigns(const QDate &firstDate, const TMemoScheduleTable &previous,
                                const TDayLookup &hasMemo, const TDayLookup &hasSchedule);
TMemoScheduleTable ComputeSigns(const QDate &firstDate, const TMemoScheduleTable &previous,
                                const TAlarmTimer &alarms);
