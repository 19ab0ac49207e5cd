#include "calendar/daylisting.h"

#include "calendar/dateex.h"

QString DayListingLine(const TZoCustomDateEx &dateEx, const QDate &date)
{
    const TZoDayKinds kinds = dateEx.GetDayKinds(date);
    QStringList names;
    if (kinds.testFlag(dkHoliday))
        names << QStringLiteral("holiday");
    if (kinds.testFlag(dkFurikae))
        names << QStringLiteral("furikae");
    if (kinds.testFlag(dkSpecialDay))
        names << QStringLiteral("special");
    if (kinds.testFlag(dkCustomDayOff))
        names << QStringLiteral("dayoff");
    if (names.isEmpty())
        return {};
    return date.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char('\t') + names.join(QLatin1Char(',')) +
           QLatin1Char('\t') + dateEx.GetDayText(date);
}

QStringList DayListingLines(const TZoCustomDateEx &dateEx, const QDate &from, const QDate &to)
{
    QStringList lines;
    if (!from.isValid() || !to.isValid())
        return lines;
    for (QDate d = from; d <= to; d = d.addDays(1)) {
        const QString line = DayListingLine(dateEx, d);
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}
