#pragma once

#include "core/textfile.h"

#include <QDate>
#include <QString>

class TPrompter;

// The daily memo, the monthly memo and the notebook: plain text files in the
// data folder's Memo folder.
enum TMemoKind
{
    mkDailyMemo,
    mkMonthlyMemo,
    mkNotebook
};

// Full paths, or empty when the Memo folder does not exist.
QString DailyMemoFileName(const QDate &date);   // Memo/20010307.txt
QString MonthlyMemoFileName(const QDate &date); // Memo/200103.txt
QString NotebookFileName();                     // Memo/notebook.txt
// A day has a memo exactly when its daily memo file exists.
bool HasDailyMemo(const QDate &date);
// The daily memo as the calendar and the day pop-up show it: every line
// followed by CR LF; empty when the day has no memo or it cannot be read.
QString DailyMemoLinesText(const QDate &date);

// The error box text of a failed save of that text.
QString MemoSaveFailedMessage(TMemoKind kind);

// Saving and loading of the three texts. A busy flag is set while its text is
// being saved; the window waits on it before loading the same text.
class TMemoStore
{
public:
    bool Busy(TMemoKind kind) const { return m_busy[kind]; }

    // Saves `text` when `modified`: blank text removes the file, anything else
    // replaces it crash-safely. Success clears `modified`; a failure shows the
    // text's message and leaves `modified` set, so the next chance saves again.
    // `date` picks the day or month; the notebook ignores it.
    bool Save(TMemoKind kind, const QDate &date, const QString &text, bool &modified, TPrompter &prompter);

    // The file's text ('\n' line ends); a missing file loads as empty text.
    // Bytes that are not CP932 load as replacement characters.
    TTextLoad Load(TMemoKind kind, const QDate &date) const;

    static QString FileName(TMemoKind kind, const QDate &date);

private:
    bool m_busy[3] = {false, false, false};
};

// True when the text has a character other than blanks and control characters.
bool HasVisibleText(const QString &text);
inline bool IsMemoTextBlank(const QString &text)
{
    return !HasVisibleText(text);
}

// The write under TMemoStore::Save for a known path: crash-safe, or the file's
// removal for blank text. `createFolder` makes a missing Memo folder first. An
// empty path fails unless the text is blank.
TSaveResult SaveMemoText(const QString &path, const QString &text, bool createFolder);

// "名前を付けて保存": the starting folder of the save dialog, and the write of
// the chosen file, which also remembers its folder for the next time. No
// back-up: the user chose to replace that file.
QString TextSaveDir();
TSaveResult SaveTextAs(const QString &path, const QString &text);
