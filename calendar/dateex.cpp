#include "calendar/dateex.h"

#include "calendar/daytext.h"

#include <cmath>

namespace {

// The national-holiday law took effect on 20 July 1948; nothing before is a
// holiday by law. The substitute-holiday clause came on 12 April 1973, the
// citizens' holiday on 27 December 1985, and both were rewritten for 2007.
const QDate kHolidayLawStart(1948, 7, 20);
const QDate kFurikaeStart(1973, 4, 12);
const QDate kKokuminStart(1985, 12, 27);
const QDate kLaw2007(2007, 1, 1);

struct TEquinoxConstants
{
    double c;
    int b;
};

// The standard constants of each period; outside 1900-2150 the nearest
// period's constants stand in, which keeps far years plausible.
int equinoxDay(int year, TEquinoxConstants before1980, TEquinoxConstants until2099, TEquinoxConstants from2100)
{
    const TEquinoxConstants k = year < 1980 ? before1980 : year < 2100 ? until2099 : from2100;
    const double value = k.c + 0.242194 * (year - 1980) - std::trunc((year - k.b) / 4.0);
    // The constants have six decimals; the nudge keeps an exact integer from
    // being truncated one day low by binary rounding.
    return int(std::trunc(value + 1e-9));
}

bool anyMatch(const TZoDayItemList &list, int y, int m, int d, int w)
{
    for (int i = 0, n = list.Count(); i < n; ++i)
        if (list.Items(i)->Matches(y, m, d, w))
            return true;
    return false;
}

void collectTexts(const TZoDayItemList &list, int y, int m, int d, int w, QStringList &texts, bool &matched)
{
    for (int i = 0, n = list.Count(); i < n; ++i) {
        const TZoDayItem *rule = list.Items(i);
        if (rule->Matches(y, m, d, w)) {
            texts << rule->DayText;
            matched = true;
        }
    }
}

} // namespace

int VernalEquinoxDayOfMarch(int year)
{
    return equinoxDay(year, {20.8357, 1983}, {20.8431, 1980}, {21.8510, 1980});
}

int AutumnalEquinoxDayOfSeptember(int year)
{
    return equinoxDay(year, {23.2588, 1983}, {23.2488, 1980}, {24.2488, 1980});
}

TZoCustomDateEx::TZoCustomDateEx(QObject *parent)
    : QObject(parent), m_holidays(new TZoDayItemList(this)), m_specialDays(new TZoDayItemList(this)),
      m_daysOff(new TZoDayItemList(this))
{
}

TZoCustomDateEx::~TZoCustomDateEx() = default;

bool TZoCustomDateEx::IsVernalEquinoxDay(int year, int month, int day)
{
    return month == 3 && day == VernalEquinoxDayOfMarch(year);
}

bool TZoCustomDateEx::IsAutumnalEquinoxDay(int year, int month, int day)
{
    return month == 9 && day == AutumnalEquinoxDayOfSeptember(year);
}

int TZoCustomDateEx::DaysInMonth(int year, int month)
{
    return ZoDaysInMonth(year, month);
}

int TZoCustomDateEx::DaysInMonth(const QDate &date)
{
    return date.isValid() ? ZoDaysInMonth(date.year(), date.month()) : 0;
}

int TZoCustomDateEx::FirstDayOfWeek(int year, int month)
{
    const QDate first(year, month, 1);
    return first.isValid() ? ZoWeekday(first) : 0;
}

int TZoCustomDateEx::FirstDayOfWeek(const QDate &date)
{
    return date.isValid() ? FirstDayOfWeek(date.year(), date.month()) : 0;
}

bool TZoCustomDateEx::isEquinoxHoliday(const QDate &date) const
{
    if (!m_autoEquinox || date < kHolidayLawStart)
        return false;
    return IsVernalEquinoxDay(date.year(), date.month(), date.day()) ||
           IsAutumnalEquinoxDay(date.year(), date.month(), date.day());
}

bool TZoCustomDateEx::isRuleOrEquinoxHoliday(const QDate &date) const
{
    return anyMatch(*m_holidays, date.year(), date.month(), date.day(), ZoWeekday(date)) || isEquinoxHoliday(date);
}

bool TZoCustomDateEx::furikaeByLaw(const QDate &date) const
{
    if (date < kFurikaeStart || isRuleOrEquinoxHoliday(date))
        return false;
    if (date < kLaw2007)
        return ZoWeekday(date) == zodwMonday && isRuleOrEquinoxHoliday(date.addDays(-1));
    // The first ordinary day after a Sunday holiday: walk back through the
    // run of holidays; the walk ends at the latest on the previous Sunday.
    for (QDate e = date.addDays(-1);; e = e.addDays(-1)) {
        if (!isRuleOrEquinoxHoliday(e))
            return false;
        if (ZoWeekday(e) == zodwSunday)
            return true;
    }
}

bool TZoCustomDateEx::kokuminByLaw(const QDate &date) const
{
    if (date < kKokuminStart)
        return false;
    if (date < kLaw2007 && ZoWeekday(date) == zodwSunday)
        return false;
    if (isRuleOrEquinoxHoliday(date) || !isRuleOrEquinoxHoliday(date.addDays(-1)) ||
        !isRuleOrEquinoxHoliday(date.addDays(1)))
        return false;
    // A day the substitute clause already makes a holiday is named for that
    // clause alone (before 2007 the law says so; since, it never happens
    // with the national table and one name reads better than two).
    return !furikaeByLaw(date);
}

bool TZoCustomDateEx::IsFurikae(const QDate &date) const
{
    return m_autoFurikae && date.isValid() && furikaeByLaw(date);
}

bool TZoCustomDateEx::IsKokuminHoliday(const QDate &date) const
{
    return m_autoKokumin && date.isValid() && kokuminByLaw(date);
}

TZoDayKinds TZoCustomDateEx::GetDayKinds(int year, int month, int day) const
{
    return GetDayKinds(QDate(year, month, day));
}

TZoDayKinds TZoCustomDateEx::GetDayKinds(const QDate &date) const
{
    TZoDayKinds kinds;
    if (!date.isValid())
        return kinds;
    const int y = date.year(), m = date.month(), d = date.day(), w = ZoWeekday(date);
    if (anyMatch(*m_specialDays, y, m, d, w))
        kinds |= dkSpecialDay;
    if (anyMatch(*m_holidays, y, m, d, w))
        kinds |= dkHoliday;
    if (w == zodwSunday)
        kinds |= dkSunday;
    else if (w == zodwSaturday)
        kinds |= dkSaturday;
    if (isEquinoxHoliday(date))
        kinds |= dkHoliday;
    if (!kinds.testFlag(dkHoliday)) {
        if (IsKokuminHoliday(date))
            kinds |= dkHoliday;
        else if (IsFurikae(date))
            kinds |= dkFurikae;
    }
    if (anyMatch(*m_daysOff, y, m, d, w))
        kinds |= dkCustomDayOff;
    return kinds;
}

QString TZoCustomDateEx::GetDayText(int year, int month, int day, bool *isSpecialDay, bool *isDayOff,
                                    bool *isHoliday) const
{
    return GetDayText(QDate(year, month, day), isSpecialDay, isDayOff, isHoliday);
}

QString TZoCustomDateEx::GetDayText(const QDate &date, bool *isSpecialDay, bool *isDayOff, bool *isHoliday) const
{
    bool special = false, dayOff = false, holiday = false;
    QStringList texts;
    if (date.isValid()) {
        const int y = date.year(), m = date.month(), d = date.day(), w = ZoWeekday(date);
        collectTexts(*m_specialDays, y, m, d, w, texts, special);
        collectTexts(*m_holidays, y, m, d, w, texts, holiday);
        if (isEquinoxHoliday(date)) {
            texts << (m == 3 ? QStringLiteral("春分の日") : QStringLiteral("秋分の日"));
            holiday = true;
        }
        const bool ruleHoliday = holiday;
        if (!ruleHoliday && IsKokuminHoliday(date)) {
            texts << QStringLiteral("国民の休日");
            holiday = true;
        } else if (!ruleHoliday && IsFurikae(date)) {
            texts << QStringLiteral("振替休日");
            holiday = true;
        }
        collectTexts(*m_daysOff, y, m, d, w, texts, dayOff);
    }
    if (isSpecialDay)
        *isSpecialDay = special;
    if (isDayOff)
        *isDayOff = dayOff;
    if (isHoliday)
        *isHoliday = holiday;
    return DayCommaText(texts);
}
