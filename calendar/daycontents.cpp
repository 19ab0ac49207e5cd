#include "calendar/daycontents.h"

#include "core/cp932.h"
#include "core/textfile.h"
#include "notes/memostore.h"
#include "notes/tnote.h"
#include "schedule/alarmlist.h"
#include "schedule/alarmtimer.h"

#include <algorithm>
#include <exception>
#include <utility>
#include <vector>

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

// A schedule's place in the cell: its key's bytes, then list order, so that
// a plain sort gives the order of a stable sort by key.
struct TPlace
{
    TTimeKey Key;
    int Index;
};

bool PlaceLess(const TPlace &a, const TPlace &b)
{
    const int c = CompareTimeKeys(a.Key, b.Key);
    return c != 0 ? c < 0 : a.Index < b.Index;
}

TTimeKey ContentsKey(const TAlarm &alarm)
{
    TTimeKey key = TimeKey(alarm);
    key.Append(alarm.ExecuteType == etShellExecute ? "* " : "  ", 2);
    return key;
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

struct TDayContentsSource::TEntry
{
    TPlace Place;
    TAlarmDateTime When;
    quint8 Type;
};

TDayContentsSource::TDayContentsSource(const TAlarmList &alarms) : m_alarms(alarms)
{
    m_entries.reserve(size_t(alarms.Count()));
    for (int i = 0; i < alarms.Count(); ++i) {
        const TAlarm2 *alarm = alarms.Items(i);
        if (alarm && ShownInCell(*alarm))
            m_entries.push_back({{ContentsKey(*alarm), i}, alarm->AlarmDateTime, alarm->AlarmType});
    }
    // In cell order once, so that a day takes its first items and stops:
    // every-day schedules fall on all 42 days, and sorting them per day was
    // most of a picture's cost.
    std::sort(m_entries.begin(), m_entries.end(),
              [](const TEntry &a, const TEntry &b) { return PlaceLess(a.Place, b.Place); });
}

TDayContentsSource::~TDayContentsSource() = default;

TZoDrawDayTextList BuildDayContents(const TAlarmList &alarms, const QDate &day, bool noTimeOnCalendar,
                                    TColor contentsColor, TColor memoColor, int room)
{
    return TDayContentsSource(alarms).Build(day, noTimeOnCalendar, contentsColor, memoColor, room);
}

TZoDrawDayTextList TDayContentsSource::Build(const QDate &day, bool noTimeOnCalendar, TColor contentsColor,
                                             TColor memoColor, int room) const
{
    const TAlarmList &alarms = m_alarms;
    TZoDrawDayTextList list;
    if (!day.isValid() || room <= 0)
        return list;
    const TDayParts parts(day);
    int used = 0;
    for (auto entry = m_entries.begin(); entry != m_entries.end() && used < room; ++entry) {
        if (!TAlarm::FallsOn(entry->Type, entry->When, parts))
            continue;
        const TAlarm &alarm = *alarms.Items(entry->Place.Index);
        TZoDrawDayText item;
        item.Key = DayContentsKey(alarm);
        item.Text = ItemText(alarm, noTimeOnCalendar ? QString() : item.Key);
        item.Color = alarm.UseColor != 0 ? static_cast<TColor>(alarm.Color) : contentsColor;
        // An item without text takes no line.
        if (!item.Text.isEmpty())
            ++used;
        list.append(std::move(item));
    }

    if (used < room) {
        const QString memo = DailyMemoContentsText(day);
        if (!memo.isEmpty())
            list.append(TZoDrawDayText{QString(), memo, memoColor});
    }
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
