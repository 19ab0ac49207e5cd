#include "calendar/dateex.h"
#include "calendar/dayfiles.h"
#include "calendar/daypopuptext.h"
#include "cli/clicontext.h"
#include "core/appglobal.h"
#include "core/prompter.h"
#include "schedule/alarmtimer.h"
#include "schedule/daylist.h"

namespace {

// Gathers the program's messages so each becomes one line of standard error.
class TGatheringPrompter final : public TPrompter
{
public:
    QStringList messages;
    void Error(const QString &text, const QString &) override { messages << text; }
    void Info(const QString &text, const QString &) override { messages << text; }
    bool Confirm(const QString &, const QString &) override { return false; }
};

const TCliRegistrar reg(QStringLiteral("day"), QStringLiteral("day DATE"), [](TCliContext &ctx) {
    if (ctx.args.size() != 1)
        return int(cliUsage);
    const QDate day = CliParseDate(ctx.args.first());
    if (!day.isValid())
        return int(cliUsage);

    QStringList damaged;
    TAlarmTimer timer;
    const TScheduleLoadResult loaded = timer.LoadFromFile(Global().ScheduleFile(), false);
    if (!loaded.ok())
        damaged << loaded.message;
    TZoDateEx engine;
    TGatheringPrompter prompter;
    LoadDayFiles(engine, prompter, TDayFilesAccess::ReadOnly);
    damaged += prompter.messages;

    for (const TDayListRow &row : DayScheduleRows(timer.AlarmList(), day))
        ctx.out << row.Time << '\t' << row.Content << '\n';
    ctx.out << "--\n";
    QString popup = DayPopupText(day, engine, timer);
    popup.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (!popup.endsWith(QLatin1Char('\n')))
        popup += QLatin1Char('\n');
    ctx.out << popup;
    ctx.out.flush();
    for (const QString &message : damaged)
        CliReportDamaged(ctx, message);
    return damaged.isEmpty() ? int(cliOk) : int(cliDamaged);
});

} // namespace
