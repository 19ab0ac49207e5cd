#pragma once

#include "core/appglobal.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A private program folder and data folder for one test, and a trash that is
// not the user's. Global() points at them while the object lives.
class TTestHome
{
public:
    TTestHome()
    {
        qputenv("XDG_DATA_HOME", m_dir.path().toUtf8() + "/xdg");
        QDir().mkpath(m_dir.path() + QStringLiteral("/xdg"));
        QDir().mkpath(programFolder());
        QDir().mkpath(dataFolder());
        m_saved = Global();
        Global().ProgramFolder = programFolder();
        Global().CurrentDataFolder = dataFolder();
    }
    ~TTestHome() { Global() = m_saved; }
    TTestHome(const TTestHome &) = delete;
    TTestHome &operator=(const TTestHome &) = delete;

    QString root() const { return m_dir.path() + QLatin1Char('/'); }
    QString programFolder() const { return root() + QStringLiteral("home/"); }
    QString dataFolder() const { return root() + QStringLiteral("data/"); }
    QString settingsFile() const { return programFolder() + QStringLiteral("settings.cnf"); }

    QByteArray read(const QString &path) const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void write(const QString &path, const QByteArray &bytes) const
    {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(bytes);
    }
    QByteArray settings() const { return read(settingsFile()); }
    void setSettings(const QByteArray &bytes) const { write(settingsFile(), bytes); }

private:
    QTemporaryDir m_dir;
    TGlobal m_saved;
};
