#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class TPrompter;

// Retires the current version of a data file before it is replaced or deleted:
// to the trash with UseRecycleBin, else a ".bak" copy unless NoBackupFiles,
// then the file is removed. Failures are ignored; the caller's write reports.
void BackupBeforeSave(const QString &path);
// "schedule.dat" -> "schedule.bak", "20000101.txt" -> "20000101.bak".
QString BackupFileName(const QString &path);

void MoveToRecycleBin(const QStringList &paths);
void MoveFileToRecycleBin(const QString &path);
void MoveFolderToRecycleBin(const QString &path);

// False when the name holds one of \ / : , ; * ? " < > | , a control
// character, consists of dots only, or is longer than a file name may be.
bool IsValidFileName(const QString &name);

int ReadSettingInteger(const QString &section, const QString &key, int def);
// Does nothing when the settings file cannot be written.
void WriteSettingInteger(const QString &section, const QString &key, int value);

bool GetDeleteMessage();
bool GetUseRecycleBin();
bool GetNoBackupFiles();
bool GetIMEAutoOn();

// year 0 stands for every year; `today` supplies the year to test against.
bool CheckDate(TPrompter &prompter, const QDate &today, int year, int month, int day);
// True when the folder exists, or the user agreed to create it (even if that
// then failed: the later use of the folder reports).
bool ConfirmCreateFolder(TPrompter &prompter, const QString &path);

QString GetProductNameText();
// There is no old common-controls library here; the dockable bars always work.
inline bool IsNewCommonControls() { return true; }

// Files larger than this are loaded under the busy cursor.
inline constexpr qint64 kBusyCursorLoadBytes = 51200;
