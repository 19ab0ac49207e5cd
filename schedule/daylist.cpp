#include "schedule/daylist.h"

#include "core/cp932.h"
#include "schedule/alarmlist.h"

#include <algorithm>

QList<TDayListRow> DayScheduleRows(const TAlarmList &alarms, const QDate &day)
{
    QList<TDayListRow> rows;
    const TDayParts parts(day);
    for (int i = 0; i < alarms.Count(); ++i) {
        TAlarm2 *alarm = alarms.Items(i);
        if (!alarm || !alarm->IsAlarmDay(parts))
            continue;
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
        rows.append(row);
    }
    // Each caption is encoded once for the sort, not once per comparison.
    QList<std::pair<QByteArray, TDayListRow>> keyed;
    keyed.reserve(rows.size());
    for (const TDayListRow &row : rows)
        keyed.append({cp932::encodeLossy(row.Time), row});
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) {
        return std::lexicographical_compare(
            a.first.begin(), a.first.end(), b.first.begin(), b.first.end(),
            [](char x, char y) { return static_cast<unsigned char>(x) < static_cast<unsigned char>(y); });
    });
    for (qsizetype i = 0; i < keyed.size(); ++i)
        rows[i] = keyed[i].second;
    return rows;
}
