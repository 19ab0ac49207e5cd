#include "cli/clicontext.h"

QList<TCliCommand> &CliCommands()
{
    static QList<TCliCommand> commands;
    return commands;
}

TCliRegistrar::TCliRegistrar(const QString &name, const QString &usage, TCliHandler handler)
{
    CliCommands().append({name, usage, std::move(handler)});
}

void CliReportDamaged(TCliContext &ctx, const QString &message)
{
    QString line = message;
    line.replace(QLatin1String("\r\n"), QLatin1String(" "));
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    ctx.err << line << Qt::endl;
}

QString CliDate(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

QString CliMoment(const QDateTime &moment)
{
    return moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QDateTime CliParseMoment(const QString &text)
{
    const QString t = text.trimmed();
    QDateTime m = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!m.isValid())
        m = QDateTime::fromString(t, QStringLiteral("yyyy-MM-dd HH:mm"));
    return m;
}

QDate CliParseDate(const QString &text)
{
    return QDate::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd"));
}

QList<std::pair<int, TCliChecker>> &CliCheckers()
{
    static QList<std::pair<int, TCliChecker>> checkers;
    return checkers;
}

TCliCheckRegistrar::TCliCheckRegistrar(int order, TCliChecker checker)
{
    CliCheckers().append({order, std::move(checker)});
}
