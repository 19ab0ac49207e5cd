#pragma once

#include "schedule/alarmparts.h"

#include <QDate>
#include <QDateTime>
#include <optional>

// The title line of an advance-notice window, e.g. "明後日は下記の予定があります。"
// or "90分後に下記の予定があります。". `alarmDate` is the occurrence the notice is
// about (the timer's OnAlert argument). No title (nothing is shown) for NoAlert
// and for kinds the program does not know.
std::optional<QString> NoticeTitle(const TPreviouseAlert &alert, const QDate &today, const QDateTime &alarmDate);

// Captions and the alarm title of the notification window.
inline QString AlarmCaption() { return QStringLiteral("Quillmereの予定"); }
inline QString AlertCaption() { return QStringLiteral("Quillmereの事前通知"); }
inline QString AlarmTitle() { return QStringLiteral("予定の時間です。"); }
