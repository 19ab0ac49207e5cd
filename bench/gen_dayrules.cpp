#include "bench/gendata.h"

#include "calendar/dayitemlist.h"
#include "calendar/holidaytable.h"
#include "core/appglobal.h"

#include <cstdio>

namespace {

// 50 rules of a well-used diary: 32 special days, 18 days off, every kind.
constexpr int kSpecialDays = 32;
constexpr int kDaysOff = 18;

TZoDayItem makeRule(QRandomGenerator &rng, int index, bool dayOff)
{
    const int month = 1 + int(rng.bounded(12));
    const int day = 1 + int(rng.bounded(28));
    const int year = 1960 + int(rng.bounded(70));
    switch (index % 6) {
    case 0: // a birthday
        return TZoDayItem(month, day, QStringLiteral("誕生日 %1").arg(index));
    case 1: // an anniversary from its year on
        return TZoDayItem(year, ytAfterThisYear, month, day, GenSentence(rng, 3, 10));
    case 2: { // a month end
        TZoDayItem r(month, 0, dayOff ? QStringLiteral("棚卸し") : QStringLiteral("月末締め"));
        return r;
    }
    case 3: { // the n-th weekday of a month, some only for a span of years
        TZoDayItem r(year, ytAfterThisYear, month, 0, GenSentence(rng, 2, 8));
        r.DayType = index % 4 == 0 ? dtMonthDayOfWeekNum : dtYearMonthDayOfWeekNum;
        r.DaysOfWeek = TZoDaysOfWeek{TZoDayOfWeek(rng.bounded(7))};
        r.NumOfDayOfWeek = quint8(1 + rng.bounded(5));
        if (index % 3 == 0)
            r.LastYear = quint16(year + 10);
        return r;
    }
    case 4: { // a weekly day off, or weekly special
        TZoDayItem r;
        r.DayType = dtDayOfWeek;
        r.DaysOfWeek = TZoDaysOfWeek::fromByte(quint8(1u << rng.bounded(7)));
        r.DayText = dayOff ? QStringLiteral("定休日") : QStringLiteral("ジム");
        return r;
    }
    default: // one date
        return TZoDayItem(2020 + int(rng.bounded(10)), month, day, GenSentence(rng, 2, 12));
    }
}

void writeList(const TZoDayItemList &list, const QString &path)
{
    if (!list.SaveToFile(path).ok)
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

const TGenRegistrar reg(40, "day rules", [](const QString &, QRandomGenerator &rng) {
    TZoDayItemList holidays, special, daysOff;
    FillBuiltInHolidays(holidays);
    for (int i = 0; i < kSpecialDays; ++i)
        special.Add(makeRule(rng, i, false));
    for (int i = 0; i < kDaysOff; ++i)
        daysOff.Add(makeRule(rng, i, true));
    writeList(holidays, Global().HolidayFile());
    writeList(special, Global().SpecialDayFile());
    writeList(daysOff, Global().DayOffFile());
});

} // namespace
