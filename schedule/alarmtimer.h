#pragma once

#include "core/safefile.h"
#include "schedule/alarmlist.h"
#include "schedule/schedulefile.h"

#include <QDateTime>
#include <QObject>

// The schedules of the open data folder and the ten-second check that raises
// their alarms and advance notices. The program's QTimer only calls Tick(now)
// every Interval() milliseconds while Enabled(); nothing here reads the clock.
class TAlarmTimer : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled NOTIFY EnabledChanged)
    Q_PROPERTY(uint Interval READ Interval WRITE SetInterval NOTIFY IntervalChanged)

public:
    explicit TAlarmTimer(QObject *parent = nullptr);
    ~TAlarmTimer() override;

    TAlarmList &AlarmList() { return m_list; }
    const TAlarmList &AlarmList() const { return m_list; }
    TScheduleFileTail &Tail() { return m_tail; }
    const TScheduleFileTail &Tail() const { return m_tail; }

    // Plain values for the window's QTimer: on and 10000 ms at creation.
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool on);
    uint Interval() const { return m_interval; }
    void SetInterval(uint ms);

    // One pass over the list at the moment `now`. For each enabled schedule in
    // list order: stamp and act on an alarm, stamp a due notice, then raise
    // OnAlert before OnAlarm. A handler may run a nested event loop (another
    // Tick can then run inside it) and may delete schedules; the pass then
    // goes on with the schedules that remain. An hours or minutes notice is
    // due in the minute that lies exactly Amount before an occurrence, also
    // when that is on an earlier day (two hours before 01:00 is 23:00 the
    // evening before); at most one notice per schedule and day.
    void Tick(const QDateTime &now);

    // The occurrence an advance notice of `alarm` speaks of, seen at `now`;
    // invalid when the schedule has none (29 February in a common year, a
    // weekly schedule without days, a monthly one on a day outside 1-31, an
    // impossible date).
    static QDateTime NextAlarmDate(const TAlarm2 &alarm, const QDateTime &now);

    // Whether the calendar marks `day`: some schedule not hidden from the
    // upcoming window falls on it. Enabled is not consulted.
    bool HasSchedule(const QDate &day) const;
    // The day pop-up's list of the schedules of `day` (hidden ones included),
    // ordered by time text: "09:00 line1\r\n       line2\r\n..."; "なし" when
    // there are none.
    QString ScheduleText(const QDate &day) const;

    // Reads schedule.dat (see TScheduleLoadResult). The program keeps a file
    // it could not read aside (`keepDamaged`) so the next save cannot destroy
    // it; the read-only command-line tool does not. BusyChanged(true) comes
    // first and BusyChanged(false) last, also after an error. The program's
    // step with its messages is LoadSchedules (scheduleio.h).
    TScheduleLoadResult LoadFromFile(const QString &path, bool keepDamaged);
    // The same rules over a file image already in memory.
    TScheduleReadResult LoadFromBytes(const QByteArray &bytes);
    // The safe replace: a temporary file beside `path`, flushed, the old version
    // retired by the back-up settings, then renamed into place. Nothing in
    // memory changes; a failure leaves the previous file.
    TSaveResult SaveToFile(const QString &path) const;

Q_SIGNALS:
    // A schedule fell due; its LastAlarmed is already stamped.
    void OnAlarm(TAlarm2 *alarm);
    // An advance notice is due about the occurrence `alarmDate`; LastAlerted is
    // already stamped.
    void OnAlert(TAlarm2 *alarm, const QDateTime &alarmDate);
    // The action of a schedule that fell due, before its events: ExecuteType 0
    // asks for its file to be started, 1 for its text in an information box.
    void OnExecute(TAlarm2 *alarm);
    void OnMessage(TAlarm2 *alarm, const QString &text);
    // The window shows the busy cursor while this is true.
    void BusyChanged(bool busy);
    void EnabledChanged(bool on);
    void IntervalChanged(uint ms);

private:
    TAlarmList m_list;
    TScheduleFileTail m_tail;
    bool m_enabled = true;
    uint m_interval = 10000;
};
