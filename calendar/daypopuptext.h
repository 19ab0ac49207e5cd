#pragma once

#include <QDate>
#include <QString>

class TZoCustomDateEx;
class TAlarmTimer;

// The text of the pop-up shown while the button is held on a calendar day:
// the date and its names, then "【予定】" with the day's schedules and "【メモ】"
// with the daily memo, "なし" for either when there is nothing. Lines end in
// CR LF.
QString DayPopupText(const QDate &day, const TZoCustomDateEx &dateEx, const TAlarmTimer &alarms);

// The daily memo's text as the pop-up shows it: every line followed by CR LF;
// empty when the day has no memo.
QString DailyMemoPopupText(const QDate &day);
