#pragma once

#include "core/safefile.h"

#include <QDate>
#include <QString>

// Daily memos, monthly memos and the notebook are plain CP932 text files in
// the data folder's Memo/ folder. Without that folder every name is empty and
// the text counts as absent.
QString DailyMemoFileName(const QDate &date);   // Memo/20010307.txt
QString MonthlyMemoFileName(const QDate &date); // Memo/200103.txt
QString NotebookFileName();                     // Memo/notebook.txt
bool HasDailyMemo(const QDate &date);

// True when the text holds anything but blanks and control characters.
bool IsMemoTextBlank(const QString &text);

// Writes a memo text crash-safely, or removes its file when the text is blank
// (no empty memo file is ever left). `createFolder` makes a missing Memo/
// folder first (the notebook does). An empty path fails.
TSaveResult SaveMemoText(const QString &path, const QString &text, bool createFolder);
