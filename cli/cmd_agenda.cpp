#include "cli/clicontext.h"
#include "core/appglobal.h"
#include "core/datetime.h"
#include "schedule/alarmtimer.h"
#include "schedule/upcoming.h"
#include "todo/todolist.h"

namespace {

const TCliRegistrar reg(QStringLiteral("agenda"), QStringLiteral("agenda"), [](TCliContext &ctx) {
    if (!ctx.args.isEmpty())
        return int(cliUsage);
    const QDateTime now = ctx.clock.now();
    QStringList damaged;
    TAlarmTimer timer;
    const TScheduleLoadResult schedules = timer.LoadFromFile(Global().ScheduleFile(), false);
    if (!schedules.ok())
        damaged << schedules.message;
    TToDoList todos;
    const TToDoLoadResult loaded = ReadToDoList(Global().ToDoFile(), todos, qmdt::fromDateTime(now));
    if (!loaded.ok)
        damaged << loaded.message;

    const TUpcomingSchedules upcoming = BuildUpcomingSchedules(timer.AlarmList(), todos, now);
    ctx.out << upcoming.Greeting << '\n';
    for (const TUpcomingRow &row : upcoming.Rows) {
        // A row without content has no height in the window: it is not shown.
        if (row.Content.isEmpty())
            continue;
        QString heading = row.Heading;
        heading.replace(QLatin1String("\r\n"), QLatin1String(" "));
        ctx.out << heading << '\n';
        QStringList lines = row.Content.split(QStringLiteral("\r\n"));
        if (lines.last().isEmpty())
            lines.removeLast();
        for (const QString &line : lines)
            ctx.out << "  " << line << '\n';
    }
    ctx.out.flush();
    for (const QString &message : damaged)
        CliReportDamaged(ctx, message);
    return damaged.isEmpty() ? int(cliOk) : int(cliDamaged);
});

} // namespace
