#include "schedule/alarmtimer.h"

#include "core/datetime.h"
#include "schedule/occurrence.h"
#include "schedule/scheduleprefetch.h"

#include <QFile>
#include <QFileInfo>

using occurrence::TMinute;

namespace {

bool onDay(double stored, qint64 julianDay)
{
    qint64 day = 0;
    int minute = 0;
    return occurrence::SplitStored(stored, day, minute) && day == julianDay;
}

bool inMinute(double stored, const TMinute &now)
{
    qint64 day = 0;
    int minute = 0;
    return occurrence::SplitStored(stored, day, minute) && day == now.JulianDay && minute == now.MinuteOfDay;
}

bool fallsDue(const TAlarm2 &a, const TMinute &now)
{
    const TAlarmDateTime &adt = a.AlarmDateTime;
    if (a.IsTimed()) {
        return adt.Hour * 60 + adt.Minute == now.MinuteOfDay && a.IsAlarmDay(now.Parts) && !inMinute(a.LastAlarmed, now);
    }
    if (a.AlarmType == atStartUp)
        return a.LastAlarmed == 0.0;
    return a.IsAlarmDay(now.Parts) && !onDay(a.LastAlarmed, now.JulianDay);
}

// Kinds whose occurrence search steps from a start keep the start's time of
// day; dated and yearly kinds speak of midnight.
bool keepsTimeOfDay(quint8 kind)
{
    switch (kind) {
    case atDate:
    case atDateNoTime:
    case atYearly:
    case atYearlyNoTime:
        return false;
    default:
        return true;
    }
}

QDateTime occurrenceMoment(const TAlarm &a, qint64 day, const QDateTime &now)
{
    const QDate date = QDate::fromJulianDay(day);
    return QDateTime(date, keepsTimeOfDay(a.AlarmType) ? now.time() : QTime(0, 0));
}

qint64 floorDiv(qint64 a, qint64 b)
{
    const qint64 q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Whether a notice is due at `now`, and the occurrence it is about.
bool noticeDue(const TAlarm2 &a, const TMinute &now, qint64 &occurrenceDay)
{
    const TPreviouseAlert &pa = a.PreviouseAlert;
    if (pa.Kind == NoAlert || onDay(pa.LastAlerted, now.JulianDay))
        return false;
    if (pa.Kind == AlertByDays) {
        // The next occurrence from tomorrow (today's own is the alarm's), and
        // every day from Amount days before it up to it.
        if (!occurrence::NextOccurrenceDay(a, now.JulianDay + 1, now.Parts.Year, occurrenceDay))
            return false;
        return occurrenceDay - pa.Amount <= now.JulianDay && now.JulianDay <= occurrenceDay;
    }
    if ((pa.Kind != AlertByHours && pa.Kind != AlertByMinutes) || !a.IsTimed())
        return false;
    // The notice is due when the occurrence lies exactly Amount ahead of this
    // minute. That may be on a later day than today (two hours ahead of a
    // 01:00 schedule is 23:00 the evening before), so no notice is impossible.
    const qint64 ahead = qint64(pa.Amount) * (pa.Kind == AlertByHours ? 60 : 1);
    const qint64 target = now.JulianDay * 1440 + now.MinuteOfDay + ahead;
    const qint64 day = floorDiv(target, 1440);
    const int minute = static_cast<int>(target - day * 1440);
    const TAlarmDateTime &adt = a.AlarmDateTime;
    if (minute != adt.Hour * 60 + adt.Minute || !a.IsAlarmDay(occurrence::PartsOf(day, now)))
        return false;
    occurrenceDay = day;
    return true;
}

class TBusyScope
{
public:
    explicit TBusyScope(TAlarmTimer &timer) : m_timer(timer) { Q_EMIT m_timer.BusyChanged(true); }
    ~TBusyScope() { Q_EMIT m_timer.BusyChanged(false); }
    TBusyScope(const TBusyScope &) = delete;
    TBusyScope &operator=(const TBusyScope &) = delete;

private:
    TAlarmTimer &m_timer;
};

} // namespace

TAlarmTimer::TAlarmTimer(QObject *parent) : QObject(parent) {}

TAlarmTimer::~TAlarmTimer() = default;

void TAlarmTimer::SetEnabled(bool on)
{
    if (on == m_enabled)
        return;
    m_enabled = on;
    Q_EMIT EnabledChanged(on);
}

void TAlarmTimer::SetInterval(uint ms)
{
    if (ms == m_interval)
        return;
    m_interval = ms;
    Q_EMIT IntervalChanged(ms);
}

void TAlarmTimer::Tick(const QDateTime &nowMoment)
{
    if (!nowMoment.isValid())
        return;
    const TMinute now(nowMoment);
    const double stamp = qmdt::fromDateTime(nowMoment);
    try {
        // Handlers may delete schedules or run a nested Tick; the walk then
        // shows nullptr for what was freed, so nothing freed is touched.
        TAlarmList::TSafeWalk walk(m_list);
        for (int i = 0; i < walk.Count(); ++i) {
            TAlarm2 *a = walk.At(i);
            if (!a || !a->Enabled)
                continue;
            const bool alarm = fallsDue(*a, now);
            if (alarm) {
                a->LastAlarmed = stamp;
                if (a->ExecuteType == etShellExecute)
                    Q_EMIT OnExecute(a);
                else if (a->ExecuteType == etMessage)
                    Q_EMIT OnMessage(a, JoinedLines(*a));
                if (!walk.At(i))
                    continue;
            }
            qint64 occurrenceDay = 0;
            if (noticeDue(*a, now, occurrenceDay)) {
                a->PreviouseAlert.LastAlerted = stamp;
                Q_EMIT OnAlert(a, occurrenceMoment(*a, occurrenceDay, nowMoment));
                if (!walk.At(i))
                    continue;
            }
            if (alarm)
                Q_EMIT OnAlarm(a);
        }
    } catch (...) {
        // An unexpected failure ends this pass only; the next starts afresh.
    }
}

QDateTime TAlarmTimer::NextAlarmDate(const TAlarm2 &alarm, const QDateTime &now)
{
    if (!now.isValid())
        return {};
    const qint64 today = now.date().toJulianDay();
    const quint8 kind = alarm.PreviouseAlert.Kind;
    const qint64 start = (kind == AlertByHours || kind == AlertByMinutes) ? today : today + 1;
    qint64 day = 0;
    if (!occurrence::NextOccurrenceDay(alarm, start, now.date().year(), day))
        return {};
    return occurrenceMoment(alarm, day, now);
}

bool TAlarmTimer::HasSchedule(const QDate &day) const
{
    const TDayParts parts(day);
    for (int i = 0; i < m_list.Count(); ++i) {
        const TAlarm2 *a = m_list.Items(i);
        if (!a->HideFromShowSchedule && a->IsAlarmDay(parts))
            return true;
    }
    return false;
}

namespace {
// Blanks and control characters go, as the classic trim removes them;
// full-width spaces stay.
QString trimBlanks(const QString &s)
{
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s[b].unicode() <= 0x20)
        ++b;
    while (e > b && s[e - 1].unicode() <= 0x20)
        --e;
    return s.mid(b, e - b);
}
} // namespace

QString TAlarmTimer::ScheduleText(const QDate &day) const
{
    const TDayParts parts(day);
    QList<TAlarm2 *> todays;
    for (int i = 0; i < m_list.Count(); ++i) {
        TAlarm2 *a = m_list.Items(i);
        if (a->IsAlarmDay(parts))
            todays.append(a);
    }
    if (todays.isEmpty())
        return QStringLiteral("なし");
    SortByTimeText(todays);
    QString text;
    for (const TAlarm2 *a : todays) {
        text += a->TimeText() + QLatin1Char(' ');
        for (qsizetype n = 0; n < a->Lines.size(); ++n) {
            if (n > 0)
                text += QStringLiteral("       ");
            text += trimBlanks(a->Lines[n]) + QStringLiteral("\r\n");
        }
    }
    return text;
}

TScheduleReadResult TAlarmTimer::LoadFromBytes(const QByteArray &bytes)
{
    TBusyScope busy(*this);
    return ReadScheduleStream(bytes, m_list, m_tail);
}

TScheduleLoadResult TAlarmTimer::LoadFromFile(const QString &path, bool keepDamaged)
{
    TBusyScope busy(*this);
    TScheduleLoadResult result;
    if (TakePrefetchedSchedules(path, m_list, m_tail)) {
        result.state = TScheduleLoadResult::Loaded;
        return result;
    }
    const QFileInfo info(path);
    if (!info.exists()) {
        m_list.Clear();
        m_tail = TScheduleFileTail();
        result.state = TScheduleLoadResult::Missing;
        return result;
    }
    QByteArray bytes;
    const bool tooLarge = info.size() > kMaxScheduleFileBytes;
    bool read = false;
    if (!info.isDir()) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            if (!tooLarge)
                bytes = file.readAll();
            read = file.error() == QFileDevice::NoError;
        }
    }
    TScheduleReadResult parsed;
    if (read && !tooLarge) {
        parsed = ReadScheduleStream(bytes, m_list, m_tail);
        if (parsed.ok()) {
            result.state = TScheduleLoadResult::Loaded;
            return result;
        }
    } else {
        m_list.Clear();
        m_tail = TScheduleFileTail();
        parsed.status = TScheduleReadResult::ReadError;
    }

    if (parsed.status == TScheduleReadResult::InvalidHeader) {
        result.state = TScheduleLoadResult::InvalidHeader;
        result.message = ScheduleHeaderErrorText(path);
    } else {
        result.state = TScheduleLoadResult::ReadError;
        result.message = ScheduleReadErrorText();
    }
    if (keepDamaged) {
        if (read && !tooLarge) {
            result.keptCopy = KeepDamagedFile(path, bytes);
        } else if (read) {
            // Too large to hold in memory: reserve a free name, then copy.
            result.keptCopy = KeepDamagedFile(path, QByteArray());
            if (!result.keptCopy.isEmpty() && !(QFile::remove(result.keptCopy) && QFile::copy(path, result.keptCopy)))
                result.keptCopy.clear();
        }
        result.message += QStringLiteral("\r\n") + DamagedCopyNote(result.keptCopy);
    }
    return result;
}

TSaveResult TAlarmTimer::SaveToFile(const QString &path) const
{
    QByteArray bytes;
    if (!WriteScheduleStream(m_list, m_tail, bytes))
        return TSaveResult{false, QStringLiteral("a text cannot be stored in CP932")};
    return SaveDataFile(path, bytes);
}
