#include "todo/todotimer.h"

#include "core/clock.h"
#include "core/datetime.h"

#include <QTimer>
#include <exception>

namespace {

bool sameMinute(const QDateTime &a, const QDateTime &b)
{
    return a.isValid() && b.isValid() && a.date() == b.date() && a.time().hour() == b.time().hour() &&
           a.time().minute() == b.time().minute();
}

} // namespace

TToDoTimer::TToDoTimer(const TClock &clock, QObject *parent)
    : QObject(parent), m_clock(clock), m_timer(new QTimer(this))
{
    connect(m_timer, &QTimer::timeout, this, [this] { TimerTick(m_clock.now()); });
    m_timer->setInterval(10000);
    m_timer->start();
}

TToDoTimer::~TToDoTimer()
{
    m_timer->stop();
}

bool TToDoTimer::Enabled() const
{
    return m_timer && m_timer->isActive();
}

void TToDoTimer::SetEnabled(bool enabled)
{
    if (!m_timer || enabled == m_timer->isActive())
        return;
    if (enabled)
        m_timer->start();
    else
        m_timer->stop();
}

unsigned TToDoTimer::Interval() const
{
    return m_timer ? static_cast<unsigned>(m_timer->interval()) : 1000u;
}

void TToDoTimer::SetInterval(unsigned milliseconds)
{
    if (m_timer)
        m_timer->setInterval(static_cast<int>(std::min(milliseconds, 0x7FFFFFFFu)));
}

void TToDoTimer::DoToDoAlarm(TToDo *item)
{
    if (item)
        Q_EMIT OnToDoAlarm(item);
}

void TToDoTimer::DoToDoAlert(TToDo *item)
{
    if (item)
        Q_EMIT OnToDoAlert(item, item->LimitDateTime);
}

void TToDoTimer::TimerTick(const QDateTime &now)
{
    try {
        // Handlers may wait for a notification window while further events
        // run, and an item may be deleted meanwhile: positions past the end of
        // the shrunken list end the visit.
        const int count = m_items.Count();
        for (int i = 0; i < count && i < m_items.Count(); ++i)
            checkItem(i, now);
    } catch (const std::exception &) {
        // As documented: the tick ends; nothing is retried until the next one.
    }
}

void TToDoTimer::checkItem(int index, const QDateTime &now)
{
    TToDo *item = m_items.At(index);
    if (item->Checked || !item->UseDate)
        return;

    const QDate today = now.date();
    const QDateTime limit = qmdt::toDateTime(item->LimitDateTime);
    const QDate limitDate = limit.date();
    bool alarm = false;
    bool alert = false;

    if (item->UseTime) {
        if (!sameMinute(qmdt::toDateTime(item->AlarmedDateTime), now) && sameMinute(limit, now)) {
            item->AlarmedDateTime = qmdt::fromDateTime(now);
            alarm = true;
        }
    } else if (qmdt::toDate(item->AlarmedDateTime) != today && today == limitDate) {
        // Recorded by the owner's handler, not here: until it is, each tick of
        // the day raises the alarm again.
        alarm = true;
    }

    TPreviouseAlert &notice = item->PrevAlert;
    if (notice.Kind != NoAlert && qmdt::toDate(notice.LastAlerted) != today && limitDate.isValid()) {
        bool due = false;
        if (notice.Kind == AlertByDays) {
            due = today >= limitDate.addDays(-static_cast<qint64>(notice.Amount)) && today <= limitDate;
        } else if (notice.Kind == AlertByMinutes) {
            // The whole moment is compared, so a notice that falls before
            // midnight of a limit early in the day comes on the day before,
            // not after the deadline.
            due = sameMinute(limit.addSecs(-60LL * notice.Amount), now);
        }
        if (due) {
            notice.LastAlerted = qmdt::fromDateTime(now);
            alert = true;
        }
    }

    if (alert)
        DoToDoAlert(item);
    // A handler may have deleted the item while it waited.
    if (alarm && index < m_items.Count() && m_items.At(index) == item)
        DoToDoAlarm(item);
}
