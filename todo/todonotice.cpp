#include "todo/todonotice.h"

#include "core/clock.h"
#include "core/datetime.h"
#include "todo/todoitem.h"
#include "todo/todotimer.h"

#include <cmath>

QString ToDoAlertTitle(int kind, int amount, double alarmDate, const QDate &today)
{
    static const QString sentence = QStringLiteral("下記の備忘録の期限です。");
    switch (kind) {
    case NoAlert:
        return {};
    case AlertByDays: {
        const double days = std::trunc(alarmDate - qmdt::fromDate(today));
        const qint64 d = std::isfinite(days) ? static_cast<qint64>(days) : 0;
        if (d == 0)
            return QStringLiteral("今日は") + sentence;
        if (d == 1)
            return QStringLiteral("明日は") + sentence;
        if (d == 2)
            return QStringLiteral("明後日は") + sentence;
        return QString::number(d) + QStringLiteral("日後は") + sentence;
    }
    case AlertByMinutes:
        if (amount < 60 || amount % 60 != 0)
            return QString::number(amount) + QStringLiteral("分後に") + sentence;
        return QString::number(amount / 60) + QStringLiteral("時間後に") + sentence;
    default:
        return sentence;
    }
}

void TToDoNotifier::show(const TToDo &item, TToDoNotice notice)
{
    if (!StartupFinished || todofmt::TrimControls(item.Text).isEmpty() || !Show)
        return;
    notice.text = item.Text;
    Show(notice);
}

void TToDoNotifier::HandleAlarm(TToDo &item, const QDateTime &now)
{
    TToDoNotice notice;
    notice.style = TToDoNotice::nsAlarm;
    notice.caption = QStringLiteral("Quillmereの備忘録通知");
    notice.title = QStringLiteral("備忘録の期限がきました。");
    show(item, notice);
    item.AlarmedDateTime = qmdt::fromDateTime(now);
    if (Save)
        Save();
}

void TToDoNotifier::HandleAlert(TToDo &item, double alarmDate, const QDateTime &now)
{
    item.PrevAlert.LastAlerted = qmdt::fromDateTime(now);
    if (item.PrevAlert.Kind == NoAlert)
        return;
    TToDoNotice notice;
    notice.style = TToDoNotice::nsAlert;
    notice.caption = QStringLiteral("Quillmereの備忘録事前通知");
    notice.title = ToDoAlertTitle(item.PrevAlert.Kind, item.PrevAlert.Amount, alarmDate, now.date());
    show(item, notice);
    if (Save)
        Save();
}

void TToDoNotifier::Attach(TToDoTimer &timer, const TClock &clock)
{
    QObject::connect(&timer, &TToDoTimer::OnToDoAlarm, &timer,
                     [this, &clock](TToDo *item) { HandleAlarm(*item, clock.now()); });
    QObject::connect(&timer, &TToDoTimer::OnToDoAlert, &timer,
                     [this, &clock](TToDo *item, double alarmDate) { HandleAlert(*item, alarmDate, clock.now()); });
}
