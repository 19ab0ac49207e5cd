#include "calendar/holidaytable.h"

#include "calendar/dayitemlist.h"

namespace {

TZoDayItem fixedFrom(const char16_t *text, int month, int day, int fromYear, int lastYear = 0)
{
    TZoDayItem rule(fromYear, ytAfterThisYear, month, day, QString::fromUtf16(text));
    rule.LastYear = quint16(lastYear);
    return rule;
}

TZoDayItem fixedOnce(const char16_t *text, int year, int month, int day)
{
    return TZoDayItem(year, month, day, QString::fromUtf16(text));
}

TZoDayItem nthMondayFrom(const char16_t *text, int month, int n, int fromYear, int lastYear = 0)
{
    TZoDayItem rule(fromYear, ytAfterThisYear, month, 0, QString::fromUtf16(text));
    rule.DayType = dtYearMonthDayOfWeekNum;
    rule.DaysOfWeek = TZoDaysOfWeek{zodwMonday};
    rule.NumOfDayOfWeek = quint8(n);
    rule.LastYear = quint16(lastYear);
    return rule;
}

// The table the program shipped with in 1999; every year bound it lacks is
// why it is replaced when found unedited.
std::vector<TZoDayItem> oldTable()
{
    TZoDayItem seijinNth = nthMondayFrom(u"成人の日", 1, 2, 2000);
    TZoDayItem taiikuNth = nthMondayFrom(u"体育の日", 10, 2, 2000);
    return {
        TZoDayItem(1, 1, QStringLiteral("元日")),
        TZoDayItem(1999, ytBeforeThisYear, 1, 15, QStringLiteral("成人の日")),
        seijinNth,
        TZoDayItem(2, 11, QStringLiteral("建国記念の日")),
        TZoDayItem(4, 29, QStringLiteral("みどりの日")),
        TZoDayItem(5, 3, QStringLiteral("憲法記念日")),
        TZoDayItem(5, 4, QStringLiteral("国民の休日")),
        TZoDayItem(5, 5, QStringLiteral("こどもの日")),
        TZoDayItem(7, 20, QStringLiteral("海の日")),
        TZoDayItem(9, 15, QStringLiteral("敬老の日")),
        TZoDayItem(1999, ytBeforeThisYear, 10, 10, QStringLiteral("体育の日")),
        taiikuNth,
        TZoDayItem(11, 3, QStringLiteral("文化の日")),
        TZoDayItem(11, 23, QStringLiteral("勤労感謝の日")),
        TZoDayItem(12, 23, QStringLiteral("天皇誕生日")),
    };
}

std::vector<TZoDayItem> lawTable()
{
    return {
        fixedFrom(u"元日", 1, 1, 1949),
        fixedFrom(u"成人の日", 1, 15, 1949, 1999),
        nthMondayFrom(u"成人の日", 1, 2, 2000),
        fixedFrom(u"建国記念の日", 2, 11, 1967),
        fixedFrom(u"天皇誕生日", 2, 23, 2020),
        fixedFrom(u"天皇誕生日", 4, 29, 1949, 1988),
        fixedFrom(u"みどりの日", 4, 29, 1989, 2006),
        fixedFrom(u"昭和の日", 4, 29, 2007),
        fixedFrom(u"憲法記念日", 5, 3, 1949),
        fixedFrom(u"みどりの日", 5, 4, 2007),
        fixedFrom(u"こどもの日", 5, 5, 1949),
        fixedFrom(u"海の日", 7, 20, 1996, 2002),
        nthMondayFrom(u"海の日", 7, 3, 2003, 2019),
        fixedOnce(u"海の日", 2020, 7, 23),
        fixedOnce(u"海の日", 2021, 7, 22),
        nthMondayFrom(u"海の日", 7, 3, 2022),
        fixedFrom(u"山の日", 8, 11, 2016, 2019),
        fixedOnce(u"山の日", 2020, 8, 10),
        fixedOnce(u"山の日", 2021, 8, 8),
        fixedFrom(u"山の日", 8, 11, 2022),
        fixedFrom(u"敬老の日", 9, 15, 1966, 2002),
        nthMondayFrom(u"敬老の日", 9, 3, 2003),
        fixedFrom(u"体育の日", 10, 10, 1966, 1999),
        nthMondayFrom(u"体育の日", 10, 2, 2000, 2019),
        fixedOnce(u"スポーツの日", 2020, 7, 24),
        fixedOnce(u"スポーツの日", 2021, 7, 23),
        nthMondayFrom(u"スポーツの日", 10, 2, 2022),
        fixedFrom(u"文化の日", 11, 3, 1948),
        fixedFrom(u"勤労感謝の日", 11, 23, 1948),
        fixedFrom(u"天皇誕生日", 12, 23, 1989, 2018),
        fixedOnce(u"結婚の儀", 1959, 4, 10),
        fixedOnce(u"大喪の礼", 1989, 2, 24),
        fixedOnce(u"即位礼正殿の儀", 1990, 11, 12),
        fixedOnce(u"結婚の儀", 1993, 6, 9),
        fixedOnce(u"即位の日", 2019, 5, 1),
        fixedOnce(u"即位礼正殿の儀", 2019, 10, 22),
    };
}

void fill(TZoDayItemList &list, const std::vector<TZoDayItem> &rules)
{
    const QSignalBlocker quiet(list);
    list.Clear();
    for (const TZoDayItem &rule : rules)
        list.Add(rule);
}

bool sameRule(const TZoDayItem &a, const TZoDayItem &b)
{
    return a.DayType == b.DayType && a.Year == b.Year && a.Month == b.Month && a.Day == b.Day &&
           a.YearType == b.YearType && a.DaysOfWeek == b.DaysOfWeek && a.NumOfDayOfWeek == b.NumOfDayOfWeek &&
           a.LastYear == b.LastYear && a.DayText == b.DayText;
}

} // namespace

void FillBuiltInHolidays(TZoDayItemList &list)
{
    fill(list, lawTable());
    // One notification for the whole refill, after the blocker is gone.
    Q_EMIT list.OnChange(&list);
}

void FillOldHolidayTable(TZoDayItemList &list)
{
    fill(list, oldTable());
    Q_EMIT list.OnChange(&list);
}

bool IsUntouchedOldHolidayTable(const TZoDayItemList &list)
{
    const std::vector<TZoDayItem> old = oldTable();
    if (list.Count() != int(old.size()))
        return false;
    for (int i = 0; i < list.Count(); ++i)
        if (!sameRule(*list.Items(i), old[size_t(i)]))
            return false;
    return true;
}
