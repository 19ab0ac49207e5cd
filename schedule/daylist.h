#pragma once

#include <QDate>
#include <QList>
#include <QString>

class TAlarm2;
class TAlarmList;

// One row of the day's schedule list beside the calendar.
struct TDayListRow
{
    QString Time;    // TimeText, then "*" for a schedule that starts a file
    QString Content; // the first line up to its first zero character
    TAlarm2 *Alarm = nullptr;
};

// The schedules falling on `day` (hidden and disabled ones included), sorted
// by the time column with the shared comparison, the "*" taking part; equal
// times keep list order.
QList<TDayListRow> DayScheduleRows(const TAlarmList &alarms, const QDate &day);
