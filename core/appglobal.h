#pragma once

#include <QString>
#include <array>

// The one process-wide record: where the program keeps its settings, which data
// folder is open, and the colours applied at its load.
struct TGlobal
{
    QString ProgramFolder;          // ends in '/'; home of settings.cnf
    QString CurrentDataFolder;      // ends in '/' when the setting did
    QString CurrentDataFolderTitle;
    QString AppTitle = QStringLiteral("Quillmere");
    QString VersionInfo = QStringLiteral(QM_VERSION);
    // Daily memo, day schedule list, monthly memo, notebook, ToDo list, note
    // list, page list, page text, upcoming-schedules window, alarm window,
    // advance-notice window.
    std::array<qint32, 11> ViewColors{};

    QString SettingsFile() const { return ProgramFolder + QStringLiteral("settings.cnf"); }
    QString HelpFile() const { return ProgramFolder + QStringLiteral("quillmere.hlp"); }

    QString ScheduleFile() const { return ScheduleFileIn(CurrentDataFolder); }
    static QString ScheduleFileIn(const QString &folder) { return folder + QStringLiteral("schedule.dat"); }
    QString ToDoFile() const { return ToDoFileIn(CurrentDataFolder); }
    static QString ToDoFileIn(const QString &folder) { return folder + QStringLiteral("todo.dat"); }
    QString HolidayFile() const { return CurrentDataFolder + QStringLiteral("holidays.dat"); }
    QString DayOffFile() const { return CurrentDataFolder + QStringLiteral("daysoff.dat"); }
    QString SpecialDayFile() const { return CurrentDataFolder + QStringLiteral("spcldays.dat"); }
    QString MemoFolder() const { return CurrentDataFolder + QStringLiteral("Memo/"); }
    QString NoteFolder() const { return CurrentDataFolder + QStringLiteral("Note/"); }
    QString TemplateFolder() const { return CurrentDataFolder + QStringLiteral("Templates/"); }
};

TGlobal &Global();

// $QUILLMERE_HOME, else $XDG_DATA_HOME/quillmere/, else ~/.local/share/quillmere/;
// always with a trailing '/'.
QString DefaultProgramFolder();
// Appends '/' when missing.
QString WithTrailingSlash(const QString &path);
