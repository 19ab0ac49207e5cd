#include "calendar/daypopuptext.h"

#include "calendar/dateex.h"
#include "core/textfile.h"
#include "notes/memostore.h"
#include "notes/tnote.h"
#include "schedule/alarmtimer.h"

namespace {
const QString kCrLf = QStringLiteral("\r\n");
}

QString DailyMemoPopupText(const QDate &day)
{
    if (!HasDailyMemo(day))
        return {};
    const TTextLoad load = LoadTextFile(DailyMemoFileName(day));
    if (!load.ok)
        return {};
    QString text;
    for (const QString &line : TextLines(load.text))
        text += line + kCrLf;
    return text;
}

QString DayPopupText(const QDate &day, const TZoCustomDateEx &dateEx, const TAlarmTimer &alarms)
{
    QString memo = DailyMemoPopupText(day);
    if (memo.isEmpty())
        memo = QStringLiteral("なし");
    return day.toString(QStringLiteral("yyyy/MM/dd")) + QLatin1Char(' ') + dateEx.GetDayText(day) + kCrLf +
           QStringLiteral("【予定】") + kCrLf + alarms.ScheduleText(day) + kCrLf + QStringLiteral("【メモ】") + kCrLf +
           memo;
}
