#include "schedule/alarm.h"

#include "core/cp932.h"

#include <algorithm>

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
    if (d.Year == 0 && d.Month == 0)
        return false;
    const TAlarmDateTime &a = AlarmDateTime;
    switch (AlarmType) {
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

bool AlarmTimeLess(const TAlarm &a, const TAlarm &b)
{
    return cp932::compare(a.TimeText(), b.TimeText()) < 0;
}

namespace {
// The CP932 form of a time text: clock times are ASCII, and the few texts of
// the untimed kinds are encoded once.
QByteArray timeKey(const TAlarm &a)
{
    if (a.IsTimed())
        return a.TimeText().toLatin1();
    static const QByteArray everyDay = cp932::encodeLossy(QStringLiteral("毎日"));
    static const QByteArray startUp = cp932::encodeLossy(QStringLiteral("起動時"));
    switch (a.AlarmType) {
    case atEveryDayNoTime:
        return everyDay;
    case atStartUp:
        return startUp;
    default:
        return QByteArrayLiteral("--:--");
    }
}
} // namespace

void SortByTimeText(QList<TAlarm2 *> &alarms)
{
    // Keys made once per record rather than on every comparison.
    QList<std::pair<QByteArray, TAlarm2 *>> keyed;
    keyed.reserve(alarms.size());
    for (TAlarm2 *a : alarms)
        keyed.append({timeKey(*a), a});
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto &x, const auto &y) {
        return std::lexicographical_compare(x.first.begin(), x.first.end(), y.first.begin(), y.first.end(),
                                            [](char p, char q) { return static_cast<unsigned char>(p) < static_cast<unsigned char>(q); });
    });
    for (qsizetype i = 0; i < keyed.size(); ++i)
        alarms[i] = keyed[i].second;
}

QString JoinedLines(const TAlarm &alarm)
{
    return alarm.Lines.join(QStringLiteral("\r\n"));
}
