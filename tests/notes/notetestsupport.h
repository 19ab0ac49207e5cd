#pragma once

#include "notes/notestore.h"
#include "support/scriptedprompter.h"
#include "support/testhome.h"

#include <QDir>
#include <QFileInfo>

// A data folder with a Note folder and the settings the note operations read.
class TNoteHome : public TTestHome
{
public:
    explicit TNoteHome(bool deleteMessage = true, bool noBackups = false)
    {
        QDir().mkpath(noteFolder());
        setSettings(QByteArray("[SETTINGS]\r\nDeleteMessage=") + (deleteMessage ? "1" : "0") +
                    "\r\nNoBackupFiles=" + (noBackups ? "1" : "0") + "\r\nUseRecycleBin=0\r\n");
    }
    QString noteFolder() const { return dataFolder() + QStringLiteral("Note/"); }
    QString page(const QString &note, const QString &title) const
    {
        return noteFolder() + note + '/' + title + QStringLiteral(".txt");
    }
    void makeNote(const QString &note) const { QDir().mkpath(noteFolder() + note); }
    void makePage(const QString &note, const QString &title, const QByteArray &bytes = {}) const
    {
        makeNote(note);
        write(page(note, title), bytes);
    }
    bool exists(const QString &path) const { return QFileInfo::exists(path); }
};

inline QStringList titlesOf(const QList<TNotePage> &pages)
{
    QStringList out;
    for (const TNotePage &p : pages)
        out << p.Title;
    return out;
}
