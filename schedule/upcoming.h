#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

class TAlarm;
class TAlarmList;
class TToDo;
class TToDoList;

// The contents of the upcoming-schedules window (今後の予定): a greeting, then
// a grid of nine rows: the heading row, today and the six following days, and
// every open ToDo item. Cell texts use CR LF between lines.
struct TUpcomingRow
{
    QString Heading; // column 0, e.g. "今日\r\n1/5(水)"
    QString Content; // column 1; empty rows are not shown
};

struct TUpcomingSchedules
{
    QString Greeting;
    QList<TUpcomingRow> Rows; // always nine
};

// "おはようございます。" 5-9 h, "こんにちは。" 10-17 h, else "こんばんは。".
QString UpcomingGreeting(int hour);
// "1/5(水)"
QString UpcomingDateText(const QDate &date);
// "     07:00  *散歩" before trimming.
QString UpcomingScheduleEntry(const TAlarm &alarm);
QString UpcomingToDoEntry(const TToDo &item);

TUpcomingSchedules BuildUpcomingSchedules(const TAlarmList &alarms, const TToDoList &todos, const QDateTime &now);
