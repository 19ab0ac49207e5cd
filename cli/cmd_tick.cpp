#include "cli/clicontext.h"
#include "core/appglobal.h"
#include "core/global.h"
#include "schedule/alarmtimer.h"
#include "schedule/noticetitle.h"
#include "schedule/scheduleio.h"
#include "core/datetime.h"
#include "todo/todolist.h"
#include "todo/todonotice.h"
#include "todo/todotimer.h"

#include <memory>

namespace {

// One of the main window's timers as the tool runs it: its period and what
// one tick does. Timers with the same moment tick in the order added.
struct TTickSource
{
    int periodSecs;
    std::function<void(const QDateTime &now)> tick;
};

// Everything one `tick` run drives: the timers, what is saved with --save,
// and the objects that must live as long as the run.
struct TTickRun
{
    TCliContext &ctx;
    QList<TTickSource> sources;
    QList<std::function<bool()>> savers; // false when the save failed
    QList<std::shared_ptr<void>> keepAlive;
    QDateTime now;

    void print(const QString &event, const QString &caption, const QString &title, const QStringList &lines)
    {
        // A tab inside a field would shift the columns.
        auto field = [](QString text) { return text.replace(QLatin1Char('\t'), QLatin1Char(' ')); };
        const QString first = lines.isEmpty() ? QString() : lines.first();
        ctx.out << CliMoment(now) << '\t' << event << '\t' << field(caption) << '\t' << field(title) << '\t' << field(first) << '\n';
    }
};

// The schedule timer, answering its events as the main window does: the
// notification's caption and title, and no file started or sound played.
bool addScheduleTimer(TTickRun &run)
{
    auto timer = std::make_shared<TAlarmTimer>();
    const QString path = Global().ScheduleFile();
    const TScheduleLoadResult loaded = timer->LoadFromFile(path, false);
    if (!loaded.ok()) {
        CliReportDamaged(run.ctx, loaded.message);
        return false;
    }
    TAlarmTimer *t = timer.get();
    QObject::connect(t, &TAlarmTimer::OnExecute, [&run](TAlarm2 *a) {
        run.print(QStringLiteral("start-file"), QString(), a->ShellExecute.FileName, a->Lines);
    });
    QObject::connect(t, &TAlarmTimer::OnMessage, [&run](TAlarm2 *a, const QString &) {
        run.print(QStringLiteral("message"), GetProductNameText(), QString(), a->Lines);
    });
    QObject::connect(t, &TAlarmTimer::OnAlert, [&run](TAlarm2 *a, const QDateTime &alarmDate) {
        const auto title = NoticeTitle(a->PreviouseAlert, run.now.date(), alarmDate);
        if (title)
            run.print(QStringLiteral("alert"), AlertCaption(), *title, a->Lines);
    });
    QObject::connect(t, &TAlarmTimer::OnAlarm, [&run](TAlarm2 *a) {
        run.print(QStringLiteral("alarm"), AlarmCaption(), AlarmTitle(), a->Lines);
    });
    run.sources.append({10, [t](const QDateTime &now) { t->Tick(now); }});
    run.savers.append([t, path, &run]() {
        TStderrPrompter &prompter = run.ctx.prompter;
        return SaveSchedules(*t, prompter, path);
    });
    run.keepAlive.append(timer);
    return true;
}

// ---- ToDo timer -----------------------------------------------------------
// The ToDo timer (every 20 s) joins the run here: todo.dat is loaded (a
// damaged file is reported and ends the run), its events are answered as the
// main window answers them and printed as "todo-alarm" and "todo-alert", and
// its saver runs with --save.
bool addToDoTimer(TTickRun &run)
{
    auto timer = std::make_shared<TToDoTimer>(run.ctx.clock);
    timer->SetEnabled(false); // ticked by the run, never by its own QTimer
    const QString path = Global().ToDoFile();
    const TToDoLoadResult loaded = ReadToDoList(path, timer->Items(), qmdt::fromDateTime(run.now));
    if (!loaded.ok) {
        CliReportDamaged(run.ctx, loaded.message);
        return false;
    }
    // The main window's answers: stamps and titles; saving waits for --save.
    auto notifier = std::make_shared<TToDoNotifier>();
    notifier->Show = [&run](const TToDoNotice &n) {
        run.print(n.style == TToDoNotice::nsAlarm ? QStringLiteral("todo-alarm") : QStringLiteral("todo-alert"), n.caption,
                  n.title, {n.text});
    };
    TToDoTimer *t = timer.get();
    TToDoNotifier *answer = notifier.get();
    QObject::connect(t, &TToDoTimer::OnToDoAlarm, [&run, answer](TToDo *item) { answer->HandleAlarm(*item, run.now); });
    QObject::connect(t, &TToDoTimer::OnToDoAlert,
                     [&run, answer](TToDo *item, double alarmDate) { answer->HandleAlert(*item, alarmDate, run.now); });
    run.sources.append({20, [t](const QDateTime &now) { t->TimerTick(now); }});
    run.savers.append([t, path, &run]() {
        const TToDoSaveResult saved = SaveToDoList(path, t->Items());
        if (!saved.ok)
            CliReportDamaged(run.ctx, saved.message);
        return saved.ok;
    });
    run.keepAlive.append(timer);
    run.keepAlive.append(notifier);
    return true;
}
// ---------------------------------------------------------------------------

// Runs every source from `from` to `to` inclusive, each on its own period,
// in time order.
void runSources(TTickRun &run, const QDateTime &from, const QDateTime &to)
{
    QList<QDateTime> next(run.sources.size(), from);
    for (;;) {
        qsizetype due = -1;
        for (qsizetype i = 0; i < next.size(); ++i) {
            if (next[i] <= to && (due < 0 || next[i] < next[due]))
                due = i;
        }
        if (due < 0)
            return;
        run.now = next[due];
        run.sources[due].tick(run.now);
        next[due] = next[due].addSecs(run.sources[due].periodSecs);
    }
}

const TCliRegistrar reg(QStringLiteral("tick"), QStringLiteral("tick FROM TO [--save]"), [](TCliContext &ctx) {
    QStringList args = ctx.args;
    const bool save = args.removeAll(QStringLiteral("--save")) > 0;
    if (args.size() != 2)
        return int(cliUsage);
    const QDateTime from = CliParseMoment(args[0]);
    const QDateTime to = CliParseMoment(args[1]);
    if (!from.isValid() || !to.isValid() || to < from)
        return int(cliUsage);

    TTickRun run{ctx, {}, {}, {}, from};
    if (!addScheduleTimer(run) || !addToDoTimer(run))
        return int(cliDamaged);
    runSources(run, from, to);
    ctx.out.flush();
    if (save) {
        bool ok = true;
        for (const auto &saver : run.savers)
            ok = saver() && ok;
        if (!ok)
            return int(cliDamaged);
    }
    return int(cliOk);
});

} // namespace
