#include "schedule/daylist.h"

#include "core/cp932.h"
#include "schedule/alarmlist.h"

#include <algorithm>
#include <vector>

QList<TDayListRow> DayScheduleRows(const TAlarmList &alarms, const QDate &day)
{
    // Each caption's bytes are worked out once for the sort, without
    // building or encoding text: a day can hold thousands of schedules. The
    // rows' texts are made once the order is known, so that neither the
    // growing nor the sorting moves them about.
    struct TKeyed
    {
        TTimeKey key;
        int index;
    };
    std::vector<TKeyed> keyed;
    const TDayParts parts(day);
    for (int i = 0; i < alarms.Count(); ++i) {
        const TAlarm2 *alarm = alarms.Items(i);
        if (!alarm || !alarm->IsAlarmDay(parts))
            continue;
        TTimeKey key = TimeKey(*alarm);
        if (alarm->ExecuteType == etShellExecute)
            key.Append("*", 1);
        keyed.push_back({key, i});
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const TKeyed &a, const TKeyed &b) { return CompareTimeKeys(a.key, b.key) < 0; });
    QList<TDayListRow> rows;
    rows.reserve(qsizetype(keyed.size()));
    for (const TKeyed &entry : keyed) {
        TAlarm2 *alarm = alarms.Items(entry.index);
        TDayListRow row;
        row.Time = alarm->TimeText();
        if (alarm->ExecuteType == etShellExecute)
            row.Time += QLatin1Char('*');
        if (!alarm->Lines.isEmpty()) {
            const QString &first = alarm->Lines.first();
            const qsizetype zero = first.indexOf(QChar(0));
            row.Content = zero < 0 ? first : first.left(zero);
        }
        row.Alarm = alarm;
        rows.append(std::move(row));
    }
    return rows;
}
