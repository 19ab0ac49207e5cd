#include "calendar/dateex.h"
#include "calendar/dayfiles.h"
#include "calendar/daylisting.h"
#include "cli/clicontext.h"
#include "core/prompter.h"

namespace {

// Collects the program's messages instead of showing them, so that the tool
// prints each on its own line of standard error.
class TCollectingPrompter final : public TPrompter
{
public:
    QStringList errors;
    void Error(const QString &text, const QString &) override { errors << text; }
    void Info(const QString &text, const QString &) override { errors << text; }
    bool Confirm(const QString &, const QString &) override { return false; }
};

QStringList checkDayFiles(TCliContext &)
{
    TZoDateEx engine;
    TCollectingPrompter prompter;
    LoadDayFiles(engine, prompter, TDayFilesAccess::ReadOnly);
    return prompter.errors;
}

const TCliCheckRegistrar dayFilesCheck(40, checkDayFiles);

const TCliRegistrar reg(QStringLiteral("days"), QStringLiteral("days FROM TO"), [](TCliContext &ctx) {
    if (ctx.args.size() != 2)
        return int(cliUsage);
    const QDate from = CliParseDate(ctx.args.at(0));
    const QDate to = CliParseDate(ctx.args.at(1));
    if (!from.isValid() || !to.isValid() || from > to)
        return int(cliUsage);

    TZoDateEx engine;
    TCollectingPrompter prompter;
    LoadDayFiles(engine, prompter, TDayFilesAccess::ReadOnly);
    for (const QString &message : prompter.errors)
        CliReportDamaged(ctx, message);
    for (const QString &line : DayListingLines(engine, from, to))
        ctx.out << line << '\n';
    ctx.out.flush();
    return prompter.errors.isEmpty() ? int(cliOk) : int(cliDamaged);
});

} // namespace
