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

// The sort key of a sorted list box: the CP932 bytes with ASCII letters folded,
// trail bytes left alone. Made once per entry, not once per comparison.
QByteArray sortKey(const QString &entry)
{
    QByteArray bytes = cp932::encodeLossy(entry);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (IsLeadByte(c))
            ++i;
        else if (c >= 'A' && c <= 'Z')
            bytes[i] = static_cast<char>(c - 'A' + 'a');
    }
    return bytes;
}

// A sorted list box's order: case-insensitive; equal entries keep their order.
QString sortedCell(const QStringList &group)
{
    QList<std::pair<QByteArray, QString>> keyed;
    keyed.reserve(group.size());
    for (const QString &entry : group)
        keyed.append({sortKey(entry), entry});
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) {
        return std::lexicographical_compare(
            a.first.begin(), a.first.end(), b.first.begin(), b.first.end(),
            [](char x, char y) { return static_cast<unsigned char>(x) < static_cast<unsigned char>(y); });
    });
    QString cell;
    for (const auto &entry : keyed)
        cell += todofmt::TrimControls(entry.second) + kCrLf;
    return cell;
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

// Start-up and every-day schedules are the same on every day: one cell head
// serves all seven rows.
QString everyDayHead(const TAlarmList &alarms)
{
    QStringList startUp, everyDay;
    for (int i = 0; i < alarms.Count(); ++i) {
        const TAlarm2 *a = alarms.Items(i);
        if (!a || a->HideFromShowSchedule == 1 || a->Lines.isEmpty())
            continue;
        if (a->AlarmType == atStartUp)
            startUp << UpcomingScheduleEntry(*a);
        else if (a->AlarmType == atEveryDay || a->AlarmType == atEveryDayNoTime)
            everyDay << UpcomingScheduleEntry(*a);
    }
    return sortedCell(startUp) + sortedCell(everyDay);
}

QString dayContent(const TAlarmList &alarms, const TToDoList &todos, const QDate &day)
{
    QStringList dated;
    for (int i = 0; i < alarms.Count(); ++i) {
        const TAlarm2 *a = alarms.Items(i);
        if (a && a->HideFromShowSchedule != 1 && !a->Lines.isEmpty() && onDay(*a, day))
            dated << UpcomingScheduleEntry(*a);
    }
    for (const TToDo *t : todos.Display)
        if (!t->Checked && t->UseDate && qmdt::toDate(t->LimitDateTime) == day)
            dated << UpcomingToDoEntry(*t);
    return sortedCell(dated);
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
    const QString head = everyDayHead(alarms);
    for (int i = 0; i < 7; ++i) {
        const QDate day = today.addDays(i);
        result.Rows.append(
            {QString::fromUtf8(headings[i]) + kCrLf + UpcomingDateText(day), head + dayContent(alarms, todos, day)});
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
