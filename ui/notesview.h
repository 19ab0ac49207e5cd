#pragma once

#include "notes/notestore.h"

#include <QColor>
#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>

class QListWidget;
class QMenu;
class QListWidgetItem;
class QPlainTextEdit;
class QSplitter;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TClock;
class TPrompter;

// The notes page of the main window: the note list, the page list of the
// selected note, the page editor and a button row. The store holds every
// check and message; this view keeps the lists, the editor and the page the
// editor holds in step with the folders.
//
// Lists are never rebuilt inside the event that changed them (an in-place
// edit, a drop, a key): such rebuilds are posted and run once that event is
// over, and one that arrives while its list is being edited waits for the
// edit to end.
class TNotesView : public QWidget
{
    Q_OBJECT
public:
    // `prompter` and `clock` outlive the view.
    TNotesView(TPrompter &prompter, TClock &clock, QWidget *parent = nullptr);
    ~TNotesView() override;

    void ReloadNoteList();
    // Selects the note of exactly that name (if listed) and shows its pages.
    void SelectNote(const QString &name);
    void ReloadPageList();
    // Writes the editor to its page: only when modified, no composition is
    // pending and the editor holds a page. False when a write failed.
    bool SavePage();

    void CreateNote();
    void RenameSelectedNote();
    void DeleteNote();
    void CreatePage();
    void RenameSelectedPage();
    void DeletePages();
    void InsertTemplate();
    // `notebookText` is the notebook editor's current text, saved or not.
    void ImportNotebook(const QString &notebookText);
    // Drops the selected pages onto `target`; the move runs after the drop.
    void DropPagesOnNote(const QString &target);
    // Only drags started in our own page list are taken.
    bool AcceptsDragFrom(const QObject *source) const;
    // Empties lists and editor without saving (the caller has saved).
    void Clear();

    // The pop-up menu of the note list (`forNotes`) or of the page list.
    void FillContextMenu(QMenu &menu, bool forNotes);

    // Colours, fonts and word wrap from the settings.
    void ApplyColors();
    void ApplyFontsAndWrap();

    int noteCount() const;
    bool hasSelectedNote() const;
    bool hasSelectedPage() const;
    bool isEditingName() const;
    bool isModified() const;
    QString selectedNote() const;
    QString selectedPage() const;
    QStringList selectedPages() const;
    // The page file whose text the editor holds; empty when none.
    QString editorPath() const { return m_editorPath; }

    QListWidget *tvNoteCategories() const { return m_notes; }
    QTreeWidget *lvNoteItems() const { return m_pages; }
    QPlainTextEdit *memNote() const { return m_editor; }
    QWidget *buttonRow() const { return m_buttonRow; }
    QSplitter *noteSplitter() const { return m_split; }
    QSplitter *pageSplitter() const { return m_pageSplit; }

    // Chooses the template file, starting in the given folder; empty when
    // cancelled. Tests replace the file dialog through it.
    std::function<QString(const QString &startFolder)> chooseTemplateFile;

Q_SIGNALS:
    void modifiedChanged(bool modified);
    // The points where everything unsaved should be written (the window runs
    // its save-all action).
    void saveAllRequested();
    // A list was rebuilt or a selection changed: command states may differ.
    void commandStatesChanged();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum TRequest { rqNoteList, rqPageList, rqEditTitle, rqCount };

    void buildWidgets();
    void buildButtons();
    void post(TRequest request);
    void runRequest(TRequest request);
    void runDeferredRequests();

    void onNoteChanged(QListWidgetItem *current);
    void onPageChanged(QTreeWidgetItem *current);
    void showNote(const QString &name);
    void loadPage(QTreeWidgetItem *item);
    void clearPages();
    void clearEditor();
    void selectPageSilently(QTreeWidgetItem *item);
    QTreeWidgetItem *pageItemByPath(const QString &path) const;
    QTreeWidgetItem *pageItemByTitle(const QString &title) const;
    void startPageTitleEdit(QTreeWidgetItem *item);
    void updateEnabledStates();

    void finishNoteRename(const QString &oldName, const QString &newName);
    void finishPageRename(const QString &note, const QString &oldTitle, const QString &newTitle);
    void movePages(const QString &sourceNote, const QStringList &titles, const QString &target);
    QString defaultTemplateDialog(const QString &startFolder);

    bool isEditing(const QObject *list) const;
    bool listKey(QObject *watched, QEvent *event);
    bool noteListDrag(QEvent *event);

    TPrompter &m_prompter;
    TClock &m_clock;
    TNoteStore m_store;

    QListWidget *m_notes = nullptr;
    QTreeWidget *m_pages = nullptr;
    QPlainTextEdit *m_editor = nullptr;
    QWidget *m_buttonRow = nullptr;
    QSplitter *m_split = nullptr;
    QSplitter *m_pageSplit = nullptr;
    QToolButton *m_btnRenameNote = nullptr;
    QToolButton *m_btnDeleteNote = nullptr;
    QToolButton *m_btnRenamePage = nullptr;
    QToolButton *m_btnDeletePages = nullptr;
    QToolButton *m_btnTemplate = nullptr;

    QString m_editorPath;
    // What an in-place edit started from: the name, and for a page its note.
    QString m_editOldName;
    QString m_editNote;
    // The open in-place editors; a closed one is hidden before it goes.
    QPointer<QWidget> m_noteEditor;
    QPointer<QWidget> m_pageEditor;
    std::array<bool, rqCount> m_pending{};
    std::array<bool, rqCount> m_deferred{};
    bool m_rebuilding = false;

    QColor m_itemsColor;
    QColor m_contentsColor;
};
