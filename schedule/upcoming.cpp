#include "schedule/upcoming.h"

#include "core/cp932.h"
#include "core/datetime.h"
#include "schedule/alarmlist.h"
#include "todo/todolist.h"

#include <algorithm>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// Delphi's "%W.PS": at most P characters, right-aligned in W.
QString fitted(const QString &text, int width)
{
    return text.left(width).rightJustified(width, QLatin1Char(' '));
}

QString zeroesAsBlanks(QString text)
{
    text.replace(QChar(0), QLatin1Char(' '));
    return text;
}

QString marks(const TToDo &item)
{
    QString text;
    if (item.Urgent)
        text += QStringLiteral("【緊急】");
    if (item.Important)
        text += QStringLiteral("【重要】");
    return text;
}

// A sorted list box's order: case-insensitive; equal entries keep their order.
void appendSorted(QString &cell, QStringList group)
{
    std::stable_sort(group.begin(), group.end(),
                     [](const QString &a, const QString &b) { return cp932::compareNoCase(a, b) < 0; });
    for (const QString &entry : group)
        cell += todofmt::TrimControls(entry) + kCrLf;
}

bool onDay(const TAlarm &a, const QDate &d)
{
    const TAlarmDateTime &t = a.AlarmDateTime;
    switch (a.AlarmType) {
    case atWeekly:
    case atWeeklyNoTime:
        return t.HasWeekday(ScheduleWeekdayNumber(d.dayOfWeek()));
    case atDate:
    case atDateNoTime:
        return t.Year == d.year() && t.Month == d.month() && t.Day == d.day();
    case atMonthly:
    case atMonthlyNoTime:
        return t.Day == d.day();
    case atYearly:
    case atYearlyNoTime:
        return t.Month == d.month() && t.Day == d.day();
    default:
        return false;
    }
}

QString dayContent(const TAlarmList &alarms, const TToDoList &todos, const QDate &day)
{
    QStringList startUp, everyDay, dated;
    for (int i = 0; i < alarms.Count(); ++i) {
        const TAlarm2 *a = alarms.Items(i);
        if (!a || a->HideFromShowSchedule == 1 || a->Lines.isEmpty())
            continue;
        if (a->AlarmType == atStartUp)
            startUp << UpcomingScheduleEntry(*a);
        else if (a->AlarmType == atEveryDay || a->AlarmType == atEveryDayNoTime)
            everyDay << UpcomingScheduleEntry(*a);
        else if (onDay(*a, day))
            dated << UpcomingScheduleEntry(*a);
    }
    for (const TToDo *t : todos.Display)
        if (!t->Checked && t->UseDate && qmdt::toDate(t->LimitDateTime) == day)
            dated << UpcomingToDoEntry(*t);
    QString cell;
    appendSorted(cell, startUp);
    appendSorted(cell, everyDay);
    appendSorted(cell, dated);
    return cell;
}

} // namespace

QString UpcomingGreeting(int hour)
{
    if (hour >= 5 && hour <= 9)
        return QStringLiteral("おはようございます。");
    if (hour >= 10 && hour <= 17)
        return QStringLiteral("こんにちは。");
    return QStringLiteral("こんばんは。");
}

QString UpcomingDateText(const QDate &date)
{
    static const QString weekdays = QStringLiteral("月火水木金土日"); // QDate counts from Monday
    return QStringLiteral("%1/%2(%3)").arg(date.month()).arg(date.day()).arg(weekdays[date.dayOfWeek() - 1]);
}

QString UpcomingScheduleEntry(const TAlarm &alarm)
{
    const QString first = alarm.Lines.isEmpty() ? QString() : alarm.Lines.first();
    return fitted(alarm.TimeText(), 10) +
           fitted(alarm.ExecuteType == etShellExecute ? QStringLiteral("*") : QStringLiteral(" "), 3) +
           zeroesAsBlanks(first);
}

QString UpcomingToDoEntry(const TToDo &item)
{
    return fitted(item.LimitTimeText(), 10) + fitted(QStringLiteral(" "), 3) + marks(item) + zeroesAsBlanks(item.Text);
}

TUpcomingSchedules BuildUpcomingSchedules(const TAlarmList &alarms, const TToDoList &todos, const QDateTime &now)
{
    static const char *const headings[] = {"今日", "明日", "明後日", "３日後", "４日後", "５日後", "６日後"};
    TUpcomingSchedules result;
    result.Greeting = UpcomingGreeting(now.time().hour());
    result.Rows.append({QStringLiteral("予定日"), QStringLiteral("予定内容")});
    const QDate today = now.date();
    for (int i = 0; i < 7; ++i) {
        const QDate day = today.addDays(i);
        result.Rows.append(
            {QString::fromUtf8(headings[i]) + kCrLf + UpcomingDateText(day), dayContent(alarms, todos, day)});
    }
    QString open;
    for (const TToDo *t : todos.Display) {
        if (t->Checked)
            continue;
        open += t->LimitDateText() + QLatin1Char(' ') + t->LimitTimeText() + QLatin1Char(' ') + marks(*t) +
                todofmt::TrimControls(t->Text) + kCrLf;
    }
    result.Rows.append({QStringLiteral("備忘録"), open});
    return result;
}
