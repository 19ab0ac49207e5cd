#pragma once

#include "core/textfile.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

class TPrompter;

struct TNotePage
{
    QString Title; // the file name without ".txt"
    QString Path;  // full path of the page file
};

// Notes are the folders of the data folder's Note folder, pages the ".txt"
// files directly inside one. Every check and message of the note view lives
// here; the view only shows lists and asks for the operations.
class TNoteStore
{
public:
    explicit TNoteStore(TPrompter &prompter) : m_prompter(prompter) {}

    static QString NoteFolder();
    static QString NotePath(const QString &note);
    static QString PagePath(const QString &note, const QString &title);

    // Sorted by the shared comparison of names.
    QStringList NoteList() const;
    QList<TNotePage> PageList(const QString &note) const;
    // After a reload: the first page whose title begins with the title that
    // was selected, else the first page; -1 for an empty list.
    static int PageToSelect(const QList<TNotePage> &pages, const QString &selectedTitle);

    // The lists as the note view rebuilds them, with the entry to select: the
    // note of the remembered name (exact), or -1; the page as PageToSelect says.
    struct TNoteListing
    {
        QStringList Notes;
        int Selected = -1;
    };
    TNoteListing ReloadNoteList(const QString &selectedNote) const;
    struct TPageListing
    {
        QList<TNotePage> Pages;
        int Selected = -1;
    };
    TPageListing ReloadPageList(const QString &note, const QString &selectedTitle) const;

    // A note whose folder vanished while listed: the message, and false.
    bool CheckNoteFolder(const QString &note);

    // "新しいノート", "新しいノート(1)", ...; empty when the folder could not be made.
    QString CreateNote();
    // False when refused or failed; the name then stays `oldName`.
    bool RenameNote(const QString &oldName, const QString &newName);

    struct TDeleteNoteResult
    {
        bool deleted = false;
        QString select; // the note to select afterwards; empty when none is left
    };
    TDeleteNoteResult DeleteNote(const QString &name);

    // `noteCount` is the number of notes, `note` the selected one (may be
    // empty). Returns the new page's title, or empty when nothing was made.
    QString CreatePage(int noteCount, const QString &note);

    enum TRenamePageResult
    {
        rpRenamed,
        rpUnchanged,
        rpEditAgain,
        rpFailed
    };
    TRenamePageResult RenamePage(const QString &note, const QString &oldTitle, const QString &newTitle);

    // True when the pages were retired (after the question, if asked).
    bool DeletePages(const QString &note, const QStringList &titles);
    // Moves pages onto another note; a drop onto their own note or onto no
    // note changes nothing. Returns the titles moved.
    QStringList MovePages(const QString &sourceNote, const QStringList &titles, const QString &targetNote);

    // The page editor's load and save; a save failure shows "ノートの保存に失敗しました。".
    static TTextLoad LoadPage(const QString &path);
    bool SavePage(const QString &path, const QString &text);

    // The text a template inserts: every line followed by a line break ('\n').
    static TTextLoad TemplateText(const QString &path);

    // "雑記帳 2001年03月07日 14時05分09秒"
    static QString ImportTitle(const QDateTime &now);
    // Writes the notebook's current text as a new page of `note`. Returns the
    // page's title, or empty when refused.
    QString ImportNotebook(int noteCount, const QString &note, const QString &notebookText, const QDateTime &now);

    // "Error #" + code + "\r\n" + text.
    void ShowErrorReport(int code, const QString &text);

private:
    void saveFailed(const QString &reason);

    TPrompter &m_prompter;
};

// The eleven characters names may not hold, as the messages show them.
inline const char *const kForbiddenNameCharacters = "\\/:,;*?\"<>|";
