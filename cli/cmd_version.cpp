#include "cli/clicontext.h"
#include "core/appglobal.h"

namespace {
const TCliRegistrar reg(QStringLiteral("version"), QStringLiteral("version"), [](TCliContext &ctx) {
    if (!ctx.args.isEmpty())
        return int(cliUsage);
    ctx.out << Global().AppTitle << ' ' << Global().VersionInfo << Qt::endl;
    return int(cliOk);
});
} // namespace
