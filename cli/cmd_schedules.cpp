#include "cli/clicontext.h"
#include "cli/clijson.h"
#include "core/appglobal.h"
#include "core/datetime.h"
#include "schedule/alarmtimer.h"

namespace {

QString scheduleJson(const TAlarm2 &a)
{
    const TAlarmDateTime &adt = a.AlarmDateTime;
    const TShellExecute &se = a.ShellExecute;
    QStringList lines;
    for (const QString &line : a.Lines)
        lines << JsonString(line);
    TJsonObject shell;
    shell.add("Handle", se.Handle)
        .add("Operation", JsonString(se.Operation))
        .add("FileName", JsonString(se.FileName))
        .add("Parameters", JsonString(se.Parameters))
        .add("Directory", JsonString(se.Directory))
        .add("ShowCmd", se.ShowCmd);
    TJsonObject notice;
    notice.add("Kind", a.PreviouseAlert.Kind).add("Amount", a.PreviouseAlert.Amount).add("LastAlerted", JsonMoment(a.PreviouseAlert.LastAlerted));
    TJsonObject o;
    o.add("AlarmType", a.AlarmType)
        .add("Year", adt.Year)
        .add("Month", adt.Month)
        .add("Day", adt.Day)
        .add("Hour", adt.Hour)
        .add("Minute", adt.Minute)
        .add("DaysOfWeek", adt.DaysOfWeek)
        .add("LastAlarmed", JsonMoment(a.LastAlarmed))
        .add("ExecuteType", a.ExecuteType)
        .add("ShellExecute", shell.text())
        .add("Enabled", JsonBool(a.Enabled))
        .add("Lines", QLatin1Char('[') + lines.join(QLatin1Char(',')) + QLatin1Char(']'))
        .add("HideFromShowSchedule", JsonBool(a.HideFromShowSchedule))
        .add("UseColor", JsonBool(a.UseColor))
        .add("Color", a.Color)
        .add("PreviouseAlert", notice.text())
        .add("DateText", JsonString(a.DateText()))
        .add("TimeText", JsonString(a.TimeText()));
    return o.text();
}

const TCliRegistrar reg(QStringLiteral("schedules"), QStringLiteral("schedules"), [](TCliContext &ctx) {
    if (!ctx.args.isEmpty())
        return int(cliUsage);
    TAlarmTimer timer;
    // The tool only reads: a damaged file is reported, not kept aside.
    const TScheduleLoadResult loaded = timer.LoadFromFile(Global().ScheduleFile(), false);
    if (!loaded.ok()) {
        CliReportDamaged(ctx, loaded.message);
        return int(cliDamaged);
    }
    for (int i = 0; i < timer.AlarmList().Count(); ++i)
        ctx.out << scheduleJson(*timer.AlarmList().Items(i)) << '\n';
    return int(cliOk);
});

const TCliCheckRegistrar scheduleCheck(20, [](TCliContext &) {
    TAlarmTimer timer;
    const TScheduleLoadResult loaded = timer.LoadFromFile(Global().ScheduleFile(), false);
    return loaded.ok() ? QStringList() : QStringList{loaded.message};
});

} // namespace
