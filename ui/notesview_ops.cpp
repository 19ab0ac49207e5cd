#include "ui/notesview.h"

#include "core/appglobal.h"
#include "core/clock.h"
#include "core/prompter.h"
#include "ui/editorhelpers.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTreeWidget>

// --- the lists

void TNotesView::ReloadNoteList()
{
    const QString remembered = selectedNote();
    {
        const QSignalBlocker quiet(m_notes);
        m_notes->clear();
        for (const QString &name : m_store.NoteList()) {
            auto *item = new QListWidgetItem(name, m_notes);
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable);
        }
    }
    QListWidgetItem *again = nullptr;
    for (int i = 0; i < m_notes->count() && !again; ++i)
        if (m_notes->item(i)->text() == remembered)
            again = m_notes->item(i);
    if (again) {
        m_notes->setCurrentItem(again); // shows its pages
    } else {
        // The note whose pages are listed is gone: its pages must not stay
        // on screen as if they still belonged somewhere.
        SavePage();
        clearPages();
    }
    updateEnabledStates();
}

void TNotesView::SelectNote(const QString &name)
{
    for (int i = 0; i < m_notes->count(); ++i) {
        QListWidgetItem *item = m_notes->item(i);
        if (item->text() != name)
            continue;
        if (item == m_notes->currentItem() && item->isSelected())
            showNote(name);
        else
            m_notes->setCurrentItem(item);
        m_notes->scrollToItem(item);
        return;
    }
}

void TNotesView::onNoteChanged(QListWidgetItem *current)
{
    if (current)
        showNote(current->text());
    updateEnabledStates();
}

void TNotesView::showNote(const QString &name)
{
    if (m_store.CheckNoteFolder(name)) {
        post(rqPageList);
        return;
    }
    SavePage();
    clearPages();
    updateEnabledStates();
}

void TNotesView::ReloadPageList()
{
    const QString note = selectedNote();
    const QString remembered = selectedPage();
    // A text that could not be written stays in the editor, on its page.
    const bool keepEditor = !SavePage();
    m_rebuilding = true;
    {
        const QSignalBlocker quiet(m_pages);
        m_pages->clear();
        if (!note.isEmpty()) {
            const QList<TNotePage> pages = m_store.PageList(note);
            QList<QTreeWidgetItem *> items;
            items.reserve(pages.size());
            for (const TNotePage &page : pages) {
                auto *item = new QTreeWidgetItem(QStringList{page.Title});
                item->setData(0, Qt::UserRole, page.Path);
                item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemIsEditable | Qt::ItemIsDragEnabled);
                items << item;
            }
            m_pages->addTopLevelItems(items);
        }
    }
    m_rebuilding = false;

    QTreeWidgetItem *kept = keepEditor ? pageItemByPath(m_editorPath) : nullptr;
    QTreeWidgetItem *select = kept;
    if (!select) {
        QList<TNotePage> listed;
        listed.reserve(m_pages->topLevelItemCount());
        for (int i = 0; i < m_pages->topLevelItemCount(); ++i)
            listed.append(TNotePage{m_pages->topLevelItem(i)->text(0), QString()});
        const int at = TNoteStore::PageToSelect(listed, remembered);
        select = at >= 0 ? m_pages->topLevelItem(at) : nullptr;
    }
    if (!select) {
        clearEditor();
    } else if (kept) {
        selectPageSilently(kept);
    } else {
        const QSignalBlocker quiet(m_pages);
        m_pages->setCurrentItem(select);
        loadPage(select);
    }
    if (select)
        m_pages->scrollToItem(select);
    updateEnabledStates();
}

void TNotesView::onPageChanged(QTreeWidgetItem *current)
{
    if (m_rebuilding)
        return;
    if (!SavePage()) {
        // The text could not be written: stay on its page rather than lose it.
        if (QTreeWidgetItem *own = pageItemByPath(m_editorPath)) {
            selectPageSilently(own);
            updateEnabledStates();
            return;
        }
    }
    loadPage(current);
    updateEnabledStates();
}

void TNotesView::loadPage(QTreeWidgetItem *item)
{
    if (!item) {
        clearEditor();
        return;
    }
    const QString path = item->data(0, Qt::UserRole).toString();
    const QSignalBlocker quiet(m_editor); // loading is no change of the user's
    m_editorPath = path;
    if (QFileInfo::exists(path)) {
        const TTextLoad load = LoadTextIntoRichEdit(path, m_editor);
        if (!load.ok) {
            // Nothing of another page may be written over an unreadable one.
            m_editor->clear();
            m_editorPath.clear();
            m_prompter.Error(load.error);
        }
    } else {
        m_editor->clear();
    }
    m_editor->document()->setModified(false);
    m_editor->moveCursor(QTextCursor::Start);
    m_editor->verticalScrollBar()->setValue(0);
    Q_EMIT modifiedChanged(false);
}

void TNotesView::clearPages()
{
    {
        const QSignalBlocker quiet(m_pages);
        m_pages->clear();
    }
    clearEditor();
}

void TNotesView::clearEditor()
{
    {
        const QSignalBlocker quiet(m_editor);
        m_editor->clear();
        m_editor->document()->setModified(false);
    }
    m_editorPath.clear();
    Q_EMIT modifiedChanged(false);
    updateEnabledStates();
}

void TNotesView::Clear()
{
    m_pending.fill(false);
    m_deferred.fill(false);
    {
        const QSignalBlocker quiet(m_notes);
        m_notes->clear();
    }
    clearPages();
}

void TNotesView::selectPageSilently(QTreeWidgetItem *item)
{
    const QSignalBlocker quiet(m_pages);
    m_pages->clearSelection();
    m_pages->setCurrentItem(item);
    item->setSelected(true);
}

QTreeWidgetItem *TNotesView::pageItemByPath(const QString &path) const
{
    if (path.isEmpty())
        return nullptr;
    for (int i = 0; i < m_pages->topLevelItemCount(); ++i)
        if (m_pages->topLevelItem(i)->data(0, Qt::UserRole).toString() == path)
            return m_pages->topLevelItem(i);
    return nullptr;
}

QTreeWidgetItem *TNotesView::pageItemByTitle(const QString &title) const
{
    for (int i = 0; i < m_pages->topLevelItemCount(); ++i)
        if (m_pages->topLevelItem(i)->text(0) == title)
            return m_pages->topLevelItem(i);
    return nullptr;
}

// --- the page text

bool TNotesView::SavePage()
{
    if (!m_editor->document()->isModified() || HasImeComposition(m_editor) || m_editorPath.isEmpty())
        return true;
    if (!m_store.SavePage(m_editorPath, m_editor->toPlainText()))
        return false;
    m_editor->document()->setModified(false);
    return true;
}

void TNotesView::InsertTemplate()
{
    if (!hasSelectedPage() || m_editorPath.isEmpty())
        return;
    const QString folder = Global().TemplateFolder();
    const QString path = chooseTemplateFile ? chooseTemplateFile(folder) : defaultTemplateDialog(folder);
    if (path.isEmpty())
        return;
    const TTextLoad load = TNoteStore::TemplateText(path);
    if (!load.ok) {
        m_prompter.Error(load.error);
        return;
    }
    QTextCursor cursor = m_editor->textCursor();
    const int start = cursor.selectionStart();
    cursor.insertText(load.text);
    cursor.setPosition(start);
    m_editor->setTextCursor(cursor);
    m_editor->setFocus();
}

QString TNotesView::defaultTemplateDialog(const QString &startFolder)
{
    QFileDialog dialog(this, QString(), startFolder);
    dialog.setNameFilters({QStringLiteral("テキストファイル *.txt (*.txt)"), QStringLiteral("すべてのファイル　*.* (*)")});
    dialog.setDefaultSuffix(QStringLiteral("txt"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}
