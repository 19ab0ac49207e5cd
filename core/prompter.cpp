#include "core/prompter.h"

#include <cstdio>

namespace {
void printLine(const QString &text)
{
    QString oneLine = text;
    oneLine.replace(QLatin1String("\r\n"), QLatin1String(" "));
    std::fprintf(stderr, "%s\n", oneLine.toUtf8().constData());
}
} // namespace

void TStderrPrompter::Error(const QString &text, const QString &) { printLine(text); }
void TStderrPrompter::Info(const QString &text, const QString &) { printLine(text); }
bool TStderrPrompter::Confirm(const QString &text, const QString &)
{
    printLine(text);
    return false;
}
