#pragma once

#include <QString>

class TZoCustomDateEx;
class TPrompter;

enum class TDayFilesAccess
{
    ReadWrite, // the program: writes the built-in table, upgrades, keeps damaged copies
    ReadOnly,  // the command-line tool: everything in memory only
};

// Fills the engine's three lists from the data folder of Global() and applies
// the EQUINOX, FURIKAE and KOKUMIN settings. A file that fails shows its
// message and does not stop the others. Returns false when any file failed.
bool LoadDayFiles(TZoCustomDateEx &dateEx, TPrompter &prompter, TDayFilesAccess access = TDayFilesAccess::ReadWrite);

// Sets AutoEquinox, AutoFurikae and AutoKokumin from settings.cnf.
void ApplyDaySettings(TZoCustomDateEx &dateEx);

QString HolidayFileLoadError();    // 祝日の設定ファイル...
QString DayOffFileLoadError();     // 休日設定ファイル...
QString SpecialDayFileLoadError(); // 特別な日設定ファイル...
