#pragma once

#include "core/clock.h"
#include "core/prompter.h"

#include <QStringList>
#include <QTextStream>
#include <functional>

// What every command gets: the folders, the moment, and the output streams.
// Global() already points at the program and data folders.
struct TCliContext
{
    TFixedClock clock;
    TStderrPrompter prompter;
    QTextStream &out;
    QTextStream &err;
    QStringList args; // the command's own arguments
};

enum TCliExit { cliOk = 0, cliDamaged = 1, cliUsage = 2 };

using TCliHandler = std::function<int(TCliContext &)>;

struct TCliCommand
{
    QString name;
    QString usage; // one line, shown by the usage text
    TCliHandler handler;
};

// Commands register themselves from their own files at static-init time.
class TCliRegistrar
{
public:
    TCliRegistrar(const QString &name, const QString &usage, TCliHandler handler);
};
QList<TCliCommand> &CliCommands();

// A file-reading failure: the program's message on one line to standard error.
void CliReportDamaged(TCliContext &ctx, const QString &message);

// Shared output forms: "YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS".
QString CliDate(const QDate &date);
QString CliMoment(const QDateTime &moment);
// Parses "YYYY-MM-DD HH:MM[:SS]"; invalid on failure.
QDateTime CliParseMoment(const QString &text);
QDate CliParseDate(const QString &text);

// `check` asks every registered checker in turn; each returns the program's
// messages for the damaged files it found (empty when all is well).
using TCliChecker = std::function<QStringList(TCliContext &)>;
class TCliCheckRegistrar
{
public:
    TCliCheckRegistrar(int order, TCliChecker checker);
};
QList<std::pair<int, TCliChecker>> &CliCheckers();
