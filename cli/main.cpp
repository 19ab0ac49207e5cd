#include "cli/clicontext.h"
#include "core/appglobal.h"
#include "core/settingskeys.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace {

void printUsage(QTextStream &err)
{
    err << "usage: quillmere-cli [--home DIR] [--data DIR] [--now \"YYYY-MM-DD HH:MM[:SS]\"] COMMAND [ARGS]\n"
        << "commands:\n";
    QList<TCliCommand> commands = CliCommands();
    std::sort(commands.begin(), commands.end(), [](const TCliCommand &a, const TCliCommand &b) { return a.name < b.name; });
    for (const TCliCommand &c : commands)
        err << "  " << c.usage << "\n";
    err.flush();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);

    QStringList args = app.arguments().mid(1);
    QString home, data, now;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString opt = args.takeFirst();
        if (args.isEmpty() || (opt != QLatin1String("--home") && opt != QLatin1String("--data") && opt != QLatin1String("--now"))) {
            err << "quillmere-cli: unknown or incomplete option " << opt << "\n";
            printUsage(err);
            return cliUsage;
        }
        const QString value = args.takeFirst();
        (opt == QLatin1String("--home") ? home : opt == QLatin1String("--data") ? data : now) = value;
    }
    if (args.isEmpty()) {
        printUsage(err);
        return cliUsage;
    }

    TGlobal &g = Global();
    g.ProgramFolder = home.isEmpty() ? DefaultProgramFolder() : WithTrailingSlash(QDir(home).absolutePath());
    if (data.isEmpty()) {
        data = SettingsFile().readString(QString::fromLatin1(sk::SETTINGS), QStringLiteral("DataFolder"), g.ProgramFolder);
        if (!QFileInfo(data).isDir())
            data = g.ProgramFolder;
    }
    g.CurrentDataFolder = WithTrailingSlash(data);

    const QString name = args.takeFirst();
    TCliContext ctx{TFixedClock(QDateTime::currentDateTime()), TStderrPrompter(), out, err, args};
    if (!now.isEmpty()) {
        const QDateTime moment = CliParseMoment(now);
        if (!moment.isValid()) {
            err << "quillmere-cli: --now wants \"YYYY-MM-DD HH:MM[:SS]\"\n";
            return cliUsage;
        }
        ctx.clock.set(moment);
    }
    for (const TCliCommand &c : CliCommands()) {
        if (c.name == name) {
            const int rc = c.handler(ctx);
            out.flush();
            err.flush();
            if (rc == cliUsage)
                err << "usage: quillmere-cli " << c.usage << Qt::endl;
            return rc;
        }
    }
    err << "quillmere-cli: unknown command " << name << "\n";
    printUsage(err);
    return cliUsage;
}
