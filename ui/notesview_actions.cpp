#include "ui/notesview.h"

#include "core/clock.h"

#include <QFileInfo>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTreeWidget>

namespace {

// `path` inside the folder of `note`?
bool inNote(const QString &path, const QString &note)
{
    return !path.isEmpty() && !note.isEmpty() && path.startsWith(TNoteStore::NotePath(note) + QLatin1Char('/'));
}

} // namespace

// --- notes

void TNotesView::CreateNote()
{
    SavePage();
    const QString name = m_store.CreateNote();
    if (name.isEmpty())
        return;
    ReloadNoteList();
    SelectNote(name);
    // A new note has no pages; nothing of the note left behind stays on screen.
    clearPages();
    RenameSelectedNote();
}

void TNotesView::RenameSelectedNote()
{
    QListWidgetItem *item = m_notes->currentItem();
    if (!item || !item->isSelected())
        return;
    m_notes->scrollToItem(item);
    m_notes->editItem(item);
}

void TNotesView::finishNoteRename(const QString &oldName, const QString &newName)
{
    if (newName == oldName)
        return;
    // The page being written to moves with its note.
    SavePage();
    if (!m_store.RenameNote(oldName, newName))
        return;
    if (inNote(m_editorPath, oldName)) {
        const QString moved = TNoteStore::NotePath(newName) + m_editorPath.mid(TNoteStore::NotePath(oldName).size());
        if (QFileInfo::exists(moved))
            m_editorPath = moved;
    }
    for (int i = 0; i < m_notes->count(); ++i) {
        if (m_notes->item(i)->text() == oldName) {
            m_notes->item(i)->setText(newName); // so the reload finds it selected under its new name
            break;
        }
    }
    post(rqNoteList);
}

void TNotesView::DeleteNote()
{
    const QString name = selectedNote();
    if (name.isEmpty())
        return;
    // Written first, so what goes to the trash is what the user last saw.
    SavePage();
    const TNoteStore::TDeleteNoteResult result = m_store.DeleteNote(name);
    if (!result.deleted)
        return;
    if (inNote(m_editorPath, name))
        clearEditor();
    ReloadNoteList();
    if (result.select.isEmpty())
        clearPages();
    else
        SelectNote(result.select);
    updateEnabledStates();
}

// --- pages

void TNotesView::CreatePage()
{
    SavePage();
    Q_EMIT saveAllRequested();
    const QString title = m_store.CreatePage(noteCount(), selectedNote());
    if (title.isEmpty())
        return;
    ReloadPageList();
    if (QTreeWidgetItem *item = pageItemByTitle(title))
        startPageTitleEdit(item);
}

void TNotesView::startPageTitleEdit(QTreeWidgetItem *item)
{
    m_pages->clearSelection();
    m_pages->setCurrentItem(item); // loads the page (an empty one for a new page)
    item->setSelected(true);
    m_pages->scrollToItem(item);
    m_pages->editItem(item, 0);
    updateEnabledStates();
}

void TNotesView::RenameSelectedPage()
{
    QTreeWidgetItem *item = m_pages->currentItem();
    if (!item || !item->isSelected())
        return;
    m_pages->scrollToItem(item);
    m_pages->editItem(item, 0);
}

void TNotesView::finishPageRename(const QString &note, const QString &oldTitle, const QString &newTitle)
{
    if (note.isEmpty())
        return;
    const QString oldPath = TNoteStore::PagePath(note, oldTitle);
    // The text goes into the file under its old name, which then moves.
    SavePage();
    switch (m_store.RenamePage(note, oldTitle, newTitle)) {
    case TNoteStore::rpRenamed:
        break;
    case TNoteStore::rpEditAgain:
        post(rqEditTitle);
        return;
    case TNoteStore::rpUnchanged:
    case TNoteStore::rpFailed:
        return;
    }
    const QString newPath = TNoteStore::PagePath(note, newTitle);
    if (m_editorPath == oldPath)
        m_editorPath = newPath;
    if (note == selectedNote()) {
        if (QTreeWidgetItem *item = pageItemByPath(oldPath)) {
            // The reload keeps the page selected by its new title.
            item->setText(0, newTitle);
            item->setData(0, Qt::UserRole, newPath);
        }
    }
    Q_EMIT saveAllRequested();
    post(rqPageList);
}

void TNotesView::DeletePages()
{
    const QString note = selectedNote();
    const QStringList titles = selectedPages();
    if (note.isEmpty() || titles.isEmpty())
        return;
    SavePage();
    if (!m_store.DeletePages(note, titles))
        return;
    for (const QString &title : titles) {
        if (m_editorPath == TNoteStore::PagePath(note, title)) {
            clearEditor(); // the retired page must not be written back
            break;
        }
    }
    post(rqPageList);
}

void TNotesView::DropPagesOnNote(const QString &target)
{
    const QString source = selectedNote();
    const QStringList titles = selectedPages();
    if (source.isEmpty() || titles.isEmpty())
        return;
    // The questions are asked once the drag is over, not inside the drop.
    QMetaObject::invokeMethod(this, [this, source, titles, target] { movePages(source, titles, target); }, Qt::QueuedConnection);
}

void TNotesView::movePages(const QString &sourceNote, const QStringList &titles, const QString &target)
{
    SavePage();
    const QStringList moved = m_store.MovePages(sourceNote, titles, target);
    for (const QString &title : moved) {
        if (m_editorPath == TNoteStore::PagePath(sourceNote, title)) {
            clearEditor();
            break;
        }
    }
    post(rqPageList);
}

void TNotesView::ImportNotebook(const QString &notebookText)
{
    SavePage();
    const QString title = m_store.ImportNotebook(noteCount(), selectedNote(), notebookText, m_clock.now());
    if (!title.isEmpty()) {
        // A second import within the same second has just replaced this page;
        // the editor must show the new text, not write the old one back.
        if (m_editorPath == TNoteStore::PagePath(selectedNote(), title))
            clearEditor();
        ReloadPageList();
        if (QTreeWidgetItem *item = pageItemByTitle(title))
            startPageTitleEdit(item);
    }
    post(rqPageList);
}
