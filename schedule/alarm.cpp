#include "schedule/alarm.h"

#include "core/cp932.h"

#include <QtEndian>

#include <algorithm>
#include <charconv>
#include <cstring>

TDayParts::TDayParts(const QDate &date)
{
    if (!date.isValid())
        return; // all zero: no schedule falls on it
    date.getDate(&Year, &Month, &Day);
    Weekday = ScheduleWeekdayNumber(date.dayOfWeek());
}

QString TwoDigits(int value)
{
    return QString::number(value).rightJustified(2, QLatin1Char('0'));
}

void TAlarm::Assign(const TAlarm &source)
{
    if (&source == this)
        return;
    const std::array<quint8, 7> keep = Reserved;
    *this = source;
    Reserved = keep;
}

void TAlarm2::Assign(const TAlarm2 &source)
{
    TAlarm::Assign(source);
    PreviouseAlert.Assign(source.PreviouseAlert);
}

namespace {

QString weekdayLetters(const TAlarmDateTime &adt)
{
    static const QString letters = QStringLiteral("日月火水木金土");
    QString text;
    for (int n = 1; n <= 7; ++n) {
        if (adt.HasWeekday(n))
            text += letters[n - 1];
    }
    return text + QStringLiteral("曜日");
}

} // namespace

QString TAlarm::DateText() const
{
    const TAlarmDateTime &a = AlarmDateTime;
    switch (AlarmType) {
    case atEveryDay:
    case atEveryDayNoTime:
        return QStringLiteral("毎日");
    case atWeekly:
    case atWeeklyNoTime:
        return weekdayLetters(a);
    case atMonthly:
    case atMonthlyNoTime:
        return QStringLiteral("毎月") + TwoDigits(a.Day) + QStringLiteral("日");
    case atDate:
    case atDateNoTime:
        return TwoDigits(a.Year) + QLatin1Char('/') + TwoDigits(a.Month) + QLatin1Char('/') + TwoDigits(a.Day);
    case atYearly:
    case atYearlyNoTime:
        return QStringLiteral("毎年") + TwoDigits(a.Month) + QLatin1Char('/') + TwoDigits(a.Day);
    default:
        return {};
    }
}

QString TAlarm::TimeText() const
{
    if (IsTimed())
        return TwoDigits(AlarmDateTime.Hour) + QLatin1Char(':') + TwoDigits(AlarmDateTime.Minute);
    switch (AlarmType) {
    case atEveryDayNoTime:
        return QStringLiteral("毎日");
    case atStartUp:
        return QStringLiteral("起動時");
    default:
        return QStringLiteral("--:--");
    }
}

bool TAlarm::IsAlarmDay(const TDayParts &d) const
{
    return FallsOn(AlarmType, AlarmDateTime, d);
}

bool TAlarm::FallsOn(quint8 type, const TAlarmDateTime &a, const TDayParts &d)
{
    if (d.Year == 0 && d.Month == 0)
        return false;
    switch (type) {
    case atEveryDay:
    case atEveryDayNoTime:
    case atStartUp:
        return true;
    case atWeekly:
    case atWeeklyNoTime:
        return a.HasWeekday(d.Weekday);
    case atMonthly:
    case atMonthlyNoTime:
        return a.Day == d.Day;
    case atDate:
    case atDateNoTime:
        return a.Year == d.Year && a.Month == d.Month && a.Day == d.Day;
    case atYearly:
    case atYearlyNoTime:
        return a.Month == d.Month && a.Day == d.Day;
    default:
        return false;
    }
}

void TTimeKey::Append(const char *bytes, int n)
{
    const int room = int(Bytes.size()) - Size;
    n = std::min(n, room);
    std::memcpy(Bytes.data() + Size, bytes, size_t(n));
    Size = quint8(Size + n);
}

namespace {
// TwoDigits() as bytes: at least two digits.
void AppendTwoDigits(TTimeKey &key, unsigned value)
{
    char digits[8];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    if (end - digits < 2)
        key.Append("0", 1);
    key.Append(digits, int(end - digits));
}
} // namespace

TTimeKey TimeKey(const TAlarm &alarm)
{
    // The untimed kinds' texts are encoded once.
    static const QByteArray everyDay = cp932::encodeLossy(QStringLiteral("毎日"));
    static const QByteArray startUp = cp932::encodeLossy(QStringLiteral("起動時"));
    TTimeKey key;
    if (alarm.IsTimed()) {
        AppendTwoDigits(key, alarm.AlarmDateTime.Hour);
        key.Append(":", 1);
        AppendTwoDigits(key, alarm.AlarmDateTime.Minute);
        return key;
    }
    switch (alarm.AlarmType) {
    case atEveryDayNoTime:
        key.Append(everyDay.constData(), int(everyDay.size()));
        break;
    case atStartUp:
        key.Append(startUp.constData(), int(startUp.size()));
        break;
    default:
        key.Append("--:--", 5);
        break;
    }
    return key;
}

int CompareTimeKeys(const TTimeKey &a, const TTimeKey &b)
{
    // Unused bytes stay zero and no key holds a zero byte, so comparing the
    // buffers as two big-endian numbers is comparing the keys byte by byte
    // as unsigned values, a key that is a prefix of the other coming first.
    for (int half = 0; half < 2; ++half) {
        const quint64 x = qFromBigEndian<quint64>(a.Bytes.data() + 8 * half);
        const quint64 y = qFromBigEndian<quint64>(b.Bytes.data() + 8 * half);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return int(a.Size) - int(b.Size);
}

bool AlarmTimeLess(const TAlarm &a, const TAlarm &b)
{
    return CompareTimeKeys(TimeKey(a), TimeKey(b)) < 0;
}

void SortByTimeText(QList<TAlarm2 *> &alarms)
{
    // Keys made once per record rather than on every comparison.
    QList<std::pair<TTimeKey, TAlarm2 *>> keyed;
    keyed.reserve(alarms.size());
    for (TAlarm2 *a : alarms)
        keyed.append({TimeKey(*a), a});
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto &x, const auto &y) { return CompareTimeKeys(x.first, y.first) < 0; });
    for (qsizetype i = 0; i < keyed.size(); ++i)
        alarms[i] = keyed[i].second;
}

QString JoinedLines(const TAlarm &alarm)
{
    return alarm.Lines.join(QStringLiteral("\r\n"));
}
