#include "cli/clicontext.h"
#include "core/appglobal.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

// The settings file is read leniently everywhere, so the only damage that
// matters is a file the program cannot read at all.
QStringList checkSettings(TCliContext &)
{
    const QString path = Global().SettingsFile();
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        return {QStringLiteral("%1 を読めません").arg(path)};
    return {};
}

const TCliCheckRegistrar settingsCheck(0, checkSettings);

const TCliRegistrar reg(QStringLiteral("check"), QStringLiteral("check"), [](TCliContext &ctx) {
    if (!ctx.args.isEmpty())
        return int(cliUsage);
    auto checkers = CliCheckers();
    std::stable_sort(checkers.begin(), checkers.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList problems;
    for (const auto &checker : checkers)
        problems += checker.second(ctx);
    if (problems.isEmpty()) {
        ctx.out << "OK" << Qt::endl;
        return int(cliOk);
    }
    for (const QString &p : problems)
        CliReportDamaged(ctx, p);
    return int(cliDamaged);
});

} // namespace
