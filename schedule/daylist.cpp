#include "schedule/daylist.h"

#include "core/cp932.h"
#include "schedule/alarmlist.h"

#include <algorithm>

QList<TDayListRow> DayScheduleRows(const TAlarmList &alarms, const QDate &day)
{
    // Each caption's bytes are worked out once for the sort, without
    // building or encoding text: a day can hold thousands of schedules.
    QList<std::pair<TTimeKey, TDayListRow>> keyed;
    const TDayParts parts(day);
    for (int i = 0; i < alarms.Count(); ++i) {
        TAlarm2 *alarm = alarms.Items(i);
        if (!alarm || !alarm->IsAlarmDay(parts))
            continue;
        TTimeKey key = TimeKey(*alarm);
        TDayListRow row;
        row.Time = alarm->TimeText();
        if (alarm->ExecuteType == etShellExecute) {
            row.Time += QLatin1Char('*');
            key.Append("*", 1);
        }
        if (!alarm->Lines.isEmpty()) {
            const QString &first = alarm->Lines.first();
            const qsizetype zero = first.indexOf(QChar(0));
            row.Content = zero < 0 ? first : first.left(zero);
        }
        row.Alarm = alarm;
        keyed.append({key, std::move(row)});
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto &a, const auto &b) { return CompareTimeKeys(a.first, b.first) < 0; });
    QList<TDayListRow> rows;
    rows.reserve(keyed.size());
    for (auto &entry : keyed)
        rows.append(std::move(entry.second));
    return rows;
}
