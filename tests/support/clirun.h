#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// One run of the command-line tool, as a user runs it: its own program
// folder under `root`/home, `data` as the data folder, and a private
// XDG_DATA_HOME, so nothing of the real home is read or written.
struct TCliRun
{
    int code = -1;
    QString out;
    QString err;
};

inline TCliRun RunCli(const QString &program, const QString &root, const QString &data, const QStringList &args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), root + QStringLiteral("/xdg"));
    p.setProcessEnvironment(env);
    p.start(program, QStringList{QStringLiteral("--home"), root + QStringLiteral("/home"), QStringLiteral("--data"), data}
                         + args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()), QString::fromUtf8(p.readAllStandardError())};
}
