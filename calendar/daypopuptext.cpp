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
    return DailyMemoLinesText(day);
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
