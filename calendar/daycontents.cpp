#include "calendar/daycontents.h"

#include "core/cp932.h"
#include "core/textfile.h"
#include "notes/memostore.h"
#include "notes/tnote.h"
#include "schedule/alarmlist.h"
#include "schedule/alarmtimer.h"

#include <QHash>

#include <algorithm>
#include <cstring>
#include <exception>
#include <utility>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// The kinds a cell can show end with the start-up kind; anything above it is
// a record of a newer program that this one cannot place on a day.
bool ShownInCell(const TAlarm &alarm)
{
    return alarm.HideFromShowSchedule == 0 && alarm.AlarmType <= atStartUp;
}

// The lines, each followed by CR LF, after `prefix`.
QString ItemText(const TAlarm &alarm, const QString &prefix)
{
    qsizetype size = prefix.size();
    for (const QString &line : alarm.Lines)
        size += line.size() + 2;
    QString text;
    text.reserve(size);
    text += prefix;
    for (const QString &line : alarm.Lines) {
        // A stored line ends at its first zero byte, whatever follows it.
        // Lines are short: a plain scan beats the general search here.
        const QChar *chars = line.constData();
        qsizetype n = 0;
        while (n < line.size() && chars[n].unicode() != 0)
            ++n;
        text.append(chars, n);
        text += kCrLf;
    }
    return text;
}

// The key's CP932 bytes for the shared ordering. Time keys are plain ASCII,
// whose bytes are the same in CP932; the few others (毎日, 起動時) are
// encoded once per call, as opening the converter costs far more than the
// comparison itself.
class TKeyBytes
{
public:
    QByteArray operator()(const QString &key)
    {
        bool ascii = true;
        for (QChar c : key)
            ascii = ascii && c.unicode() < 0x80;
        if (ascii)
            return key.toLatin1();
        auto it = m_encoded.constFind(key);
        if (it == m_encoded.cend())
            it = m_encoded.insert(key, cp932::encodeLossy(key));
        return *it;
    }

private:
    QHash<QString, QByteArray> m_encoded;
};

bool KeyLess(const QByteArray &a, const QByteArray &b)
{
    // memcmp compares as unsigned bytes, the shared ordering.
    const int c = std::memcmp(a.constData(), b.constData(), size_t(std::min(a.size(), b.size())));
    return c != 0 ? c < 0 : a.size() < b.size();
}

// Runs one lookup; a lookup that throws keeps the flag it would have set.
void Lookup(const TDayLookup &lookup, const QDate &day, bool &flag)
{
    if (!lookup)
        return;
    try {
        flag = lookup(day);
    } catch (const std::exception &) {
    }
}

} // namespace

QString DayContentsKey(const TAlarm &alarm)
{
    return alarm.TimeText()
           + (alarm.ExecuteType == etShellExecute ? QStringLiteral("* ") : QStringLiteral("  "));
}

QString DailyMemoContentsText(const QDate &day)
{
    return DailyMemoLinesText(day);
}

TZoDrawDayTextList BuildDayContents(const TAlarmList &alarms, const QDate &day, bool noTimeOnCalendar,
                                    TColor contentsColor, TColor memoColor)
{
    TZoDrawDayTextList list;
    if (!day.isValid())
        return list;
    const TDayParts parts(day);
    // Each key is encoded once for the sort, not once per comparison.
    QList<std::pair<QByteArray, TZoDrawDayText>> keyed;
    TKeyBytes keyBytes;
    for (int i = 0; i < alarms.Count(); ++i) {
        const TAlarm2 *alarm = alarms.Items(i);
        if (!alarm || !ShownInCell(*alarm) || !alarm->IsAlarmDay(parts))
            continue;
        TZoDrawDayText item;
        item.Key = DayContentsKey(*alarm);
        item.Text = ItemText(*alarm, noTimeOnCalendar ? QString() : item.Key);
        item.Color = alarm->UseColor != 0 ? static_cast<TColor>(alarm->Color) : contentsColor;
        keyed.append({keyBytes(item.Key), std::move(item)});
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) { return KeyLess(a.first, b.first); });

    list.reserve(keyed.size() + 1);
    for (auto &entry : keyed)
        list.append(std::move(entry.second));

    const QString memo = DailyMemoContentsText(day);
    if (!memo.isEmpty())
        list.append(TZoDrawDayText{QString(), memo, memoColor});
    return list;
}

TMemoScheduleExists DaySigns(const QDate &day, const TAlarmTimer &alarms)
{
    TMemoScheduleExists signs;
    signs.MemoExists = HasDailyMemo(day);
    signs.ScheduleExists = alarms.HasSchedule(day);
    return signs;
}

TMemoScheduleTable ComputeSigns(const QDate &firstDate, const TMemoScheduleTable &previous,
                                const TDayLookup &hasMemo, const TDayLookup &hasSchedule)
{
    TMemoScheduleTable table = previous;
    if (!firstDate.isValid())
        return table;
    for (int i = 0; i < ZoCalendarCells; ++i) {
        const QDate day = firstDate.addDays(i);
        Lookup(hasMemo, day, table[size_t(i)].MemoExists);
        Lookup(hasSchedule, day, table[size_t(i)].ScheduleExists);
    }
    return table;
}

TMemoScheduleTable ComputeSigns(const QDate &firstDate, const TMemoScheduleTable &previous,
                                const TAlarmTimer &alarms)
{
    return ComputeSigns(firstDate, previous, [](const QDate &day) { return HasDailyMemo(day); },
                        [&alarms](const QDate &day) { return alarms.HasSchedule(day); });
}
