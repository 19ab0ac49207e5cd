#include "ui/mainwindow.h"

#include "core/appglobal.h"
#include "core/clock.h"
#include "core/datetime.h"
#include "core/prompter.h"
#include "schedule/alarmtimer.h"
#include "schedule/noticetitle.h"
#include "schedule/scheduleio.h"
#include "todo/todotimer.h"
#include "ui/notifywindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QTimer>
#include <QUrl>

namespace {
// A window started hidden in the tray is never painted; its due schedules
// wait no longer than this.
constexpr int kAtOnceTickFallbackMs = 200;
} // namespace

TfrmNotify *TfrmQuillmereMainWindow::notifyWindow()
{
    // Most starts show no notice; building the window would only delay the
    // first picture.
    if (!m_notify)
        m_notify = new TfrmNotify(this);
    return m_notify;
}

void TfrmQuillmereMainWindow::createTimers()
{
    m_alarmTimer = new TAlarmTimer(this);
    m_alarmTimer->setObjectName(QStringLiteral("AlarmTimer1"));
    m_alarmQTimer = new QTimer(this);
    m_alarmQTimer->setInterval(static_cast<int>(m_alarmTimer->Interval()));
    connect(m_alarmQTimer, &QTimer::timeout, this, [this] { m_alarmTimer->Tick(m_clock.now()); });
    connect(m_alarmTimer, &TAlarmTimer::IntervalChanged, m_alarmQTimer, [this](uint ms) { m_alarmQTimer->setInterval(int(ms)); });
    connect(m_alarmTimer, &TAlarmTimer::EnabledChanged, m_alarmQTimer, [this](bool on) {
        if (on)
            m_alarmQTimer->start();
        else
            m_alarmQTimer->stop();
    });
    connect(m_alarmTimer, &TAlarmTimer::BusyChanged, this, [](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
    connect(m_alarmTimer, &TAlarmTimer::OnAlarm, this, &TfrmQuillmereMainWindow::AlarmTimer1Alarm);
    connect(m_alarmTimer, &TAlarmTimer::OnAlert, this, &TfrmQuillmereMainWindow::AlarmTimer1Alert);
    connect(m_alarmTimer, &TAlarmTimer::OnExecute, this, &TfrmQuillmereMainWindow::AlarmTimer1Execute);
    // The message of a schedule joins the notifications instead of a modal
    // box, so a tick never waits on the user and no later alarm is held up.
    connect(m_alarmTimer, &TAlarmTimer::OnMessage, this, [this](TAlarm2 *, const QString &text) {
        notifyWindow()->Enqueue({TNotice::nkAlarm, Global().AppTitle, QString(), text});
    });

    m_toDoTimer = new TToDoTimer(m_clock, this);
    m_toDoTimer->setObjectName(QStringLiteral("ToDoTimer1"));
    m_toDoTimer->SetInterval(20000);
    m_toDoTimer->SetEnabled(false);
    m_toDoNotifier.Show = [this](const TToDoNotice &n) {
        notifyWindow()->Enqueue({n.style == TToDoNotice::nsAlarm ? TNotice::nkAlarm : TNotice::nkAlert, n.caption, n.title, n.text});
    };
    m_toDoNotifier.Save = [this] {
        const TToDoSaveResult result = SaveToDoList(Global().ToDoFile(), m_toDoTimer->Items());
        if (!result.ok)
            m_prompter.Error(result.message);
    };
    m_toDoNotifier.StartupFinished = false;
    m_toDoNotifier.Attach(*m_toDoTimer, m_clock);
}

void TfrmQuillmereMainWindow::stopTimers()
{
    m_minuteTimer->stop();
    m_alarmTimer->SetEnabled(false);
    m_alarmQTimer->stop();
    m_toDoTimer->SetEnabled(false);
}

void TfrmQuillmereMainWindow::loadTimedStores()
{
    m_toDoTimer->Items().Clear();
    LoadToDoList(Global().ToDoFile(), m_toDoTimer->Items(), qmdt::fromDateTime(m_clock.now()), m_prompter);
    m_alarmTimer->AlarmList().Clear();
    LoadSchedules(*m_alarmTimer, m_prompter, Global().ScheduleFile());
}

void TfrmQuillmereMainWindow::startTimers()
{
    m_alarmTimer->SetEnabled(true);
    m_alarmQTimer->start();
    // A schedule due right now is not kept waiting for the first interval;
    // the check runs once the window is up, as start-up schedules may open
    // files and each of them stamps the schedule file.
    afterNextPaint(
        [this] {
            if (m_alarmTimer->Enabled())
                m_alarmTimer->Tick(m_clock.now());
        },
        kAtOnceTickFallbackMs);
    m_toDoTimer->SetEnabled(true);
}

bool TfrmQuillmereMainWindow::SaveScheduleFile()
{
    const bool saved = SaveSchedules(*m_alarmTimer, m_prompter, Global().ScheduleFile());
    if (m_started && !m_closing)
        RefreshSigns();
    return saved;
}

void TfrmQuillmereMainWindow::requestScheduleSave()
{
    // Every alarm and notice of one tick is stamped in memory first; one save
    // right after the tick makes all the stamps persist, however many fired.
    if (m_scheduleSavePending)
        return;
    m_scheduleSavePending = true;
    QTimer::singleShot(0, this, [this] {
        m_scheduleSavePending = false;
        if (!m_closing)
            SaveScheduleFile();
    });
}

void TfrmQuillmereMainWindow::AlarmTimer1Alarm(TAlarm2 *alarm)
{
    if (!alarm)
        return;
    if (!alarm->Lines.isEmpty())
        notifyWindow()->Enqueue({TNotice::nkAlarm, AlarmCaption(), AlarmTitle(), JoinedLines(*alarm)});
    requestScheduleSave();
}

void TfrmQuillmereMainWindow::AlarmTimer1Alert(TAlarm2 *alarm, const QDateTime &alarmDate)
{
    if (!m_started || !alarm || alarm->Lines.isEmpty())
        return;
    requestScheduleSave();
    const std::optional<QString> title = NoticeTitle(alarm->PreviouseAlert, m_clock.now().date(), alarmDate);
    if (title)
        notifyWindow()->Enqueue({TNotice::nkAlert, AlertCaption(), *title, JoinedLines(*alarm)});
}

void TfrmQuillmereMainWindow::AlarmTimer1Execute(TAlarm2 *alarm)
{
    if (!alarm || alarm->ShellExecute.FileName.isEmpty())
        return;
    const TShellExecute &shell = alarm->ShellExecute;
    const QUrl asUrl(shell.FileName);
    const bool isAddress = asUrl.isValid() && asUrl.scheme().size() > 1; // not a drive letter
    const QFileInfo info(shell.FileName);
    bool started = false;
    if (isAddress)
        started = QDesktopServices::openUrl(asUrl);
    else if (info.isFile() && info.isExecutable())
        started = QProcess::startDetached(shell.FileName, QProcess::splitCommand(shell.Parameters), shell.Directory);
    else if (info.exists())
        started = QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
    // A file that cannot be started is reported among the notifications: a
    // modal box here would stop every alarm behind it.
    if (!started)
        notifyWindow()->Enqueue({TNotice::nkAlert, Global().AppTitle, QStringLiteral("ファイルを開けませんでした。"), shell.FileName});
}
