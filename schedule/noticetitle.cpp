#include "schedule/noticetitle.h"

#include "core/datetime.h"

#include <cmath>

std::optional<QString> NoticeTitle(const TPreviouseAlert &alert, const QDate &today, const QDateTime &alarmDate)
{
    QString lead;
    switch (alert.Kind) {
    case AlertByDays: {
        // Whole days from today's midnight to the occurrence, cut toward zero.
        const double diff = qmdt::fromDateTime(alarmDate) - qmdt::fromDate(today);
        const auto n = static_cast<qint64>(std::trunc(diff));
        if (n == 0)
            lead = QStringLiteral("今日は");
        else if (n == 1)
            lead = QStringLiteral("明日は");
        else if (n == 2)
            lead = QStringLiteral("明後日は");
        else
            lead = QString::number(n) + QStringLiteral("日後に");
        break;
    }
    case AlertByMinutes: {
        const qint32 m = alert.Amount;
        if (m < 60 || m % 60 != 0)
            lead = QString::number(m) + QStringLiteral("分後に");
        else
            lead = QString::number(m / 60) + QStringLiteral("時間後に");
        break;
    }
    case AlertByHours:
        break;
    default:
        return std::nullopt;
    }
    return lead + QStringLiteral("下記の予定があります。");
}
