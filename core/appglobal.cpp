#include "core/appglobal.h"

#include <QDir>

TGlobal &Global()
{
    static TGlobal global;
    return global;
}

QString WithTrailingSlash(const QString &path)
{
    if (path.isEmpty() || path.endsWith(QLatin1Char('/')))
        return path;
    return path + QLatin1Char('/');
}

QString DefaultProgramFolder()
{
    const QString home = qEnvironmentVariable("QUILLMERE_HOME");
    if (!home.isEmpty())
        return WithTrailingSlash(QDir(home).absolutePath());
    QString xdg = qEnvironmentVariable("XDG_DATA_HOME");
    if (xdg.isEmpty())
        xdg = QDir::homePath() + QStringLiteral("/.local/share");
    return WithTrailingSlash(QDir(xdg).absolutePath() + QStringLiteral("/quillmere"));
}
