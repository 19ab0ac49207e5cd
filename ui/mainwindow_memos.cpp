#include "ui/mainwindow.h"

#include "calendar/zocalendarcontrol.h"
#include "core/prompter.h"
#include "ui/editorhelpers.h"
#include "ui/notesview.h"
#include "ui/texteditmenu.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScopedValueRollback>

QPlainTextEdit *TfrmQuillmereMainWindow::memoEditor(TMemoKind kind) const
{
    return kind == mkDailyMemo ? m_memMemo : kind == mkMonthlyMemo ? m_memMonthlyMemo : m_memNotebook;
}

void TfrmQuillmereMainWindow::saveMemoEditor(TMemoKind kind)
{
    QPlainTextEdit *editor = memoEditor(kind);
    // A load never overtakes a save of the same text, nor a save another:
    // wait, keeping the window alive, until that save is over.
    while (m_memoStore.Busy(kind))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    bool modified = editor->document()->isModified();
    const QDate date = kind == mkNotebook ? QDate() : m_memoDate[kind];
    m_memoStore.Save(kind, date, editor->toPlainText(), modified, m_prompter);
    editor->document()->setModified(modified);
    UpdateSaveStatus();
}

void TfrmQuillmereMainWindow::loadMemoEditor(TMemoKind kind)
{
    QPlainTextEdit *editor = memoEditor(kind);
    while (m_memoStore.Busy(kind))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    if (kind != mkNotebook)
        m_memoDate[kind] = currentDate();
    const QDate date = kind == mkNotebook ? QDate() : m_memoDate[kind];
    const TTextLoad load = [&] {
        const QScopedValueRollback loading(m_loadingText, true);
        return LoadTextIntoRichEdit(TMemoStore::FileName(kind, date), editor);
    }();
    if (!load.ok)
        m_prompter.Info(load.error);
    QTextCursor cursor = editor->textCursor();
    cursor.movePosition(QTextCursor::Start);
    editor->setTextCursor(cursor);
    editor->document()->setModified(false);
    UpdateSaveStatus();
}

void TfrmQuillmereMainWindow::createTextEditMenu()
{
    m_textEditMenu = new TTextEditMenu(this);
    m_textEditMenu->OnSaveTextAs = [this](QPlainTextEdit *editor) { SaveTextAs(editor); };
    for (QPlainTextEdit *editor : {m_memMemo, m_memMonthlyMemo, m_memNotebook, m_memScheduleManager})
        if (editor)
            UseTextEditMenu(editor, m_textEditMenu);
    if (m_notesView)
        UseTextEditMenu(m_notesView->memNote(), m_textEditMenu);
    AskSaveFileName = [this](const QString &startFolder) {
        QFileDialog dialog(this, QString(), startFolder,
                           QStringLiteral("テキストファイル(*.txt);;すべてのファイル(*.*)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QStringLiteral("txt"));
        return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty() ? dialog.selectedFiles().constFirst()
                                                                                       : QString();
    };
}

void TfrmQuillmereMainWindow::SaveTextAs(QPlainTextEdit *editor)
{
    if (!editor || !AskSaveFileName)
        return;
    const QString path = AskSaveFileName(TextSaveDir());
    if (path.isEmpty())
        return;
    const TSaveResult result = ::SaveTextAs(path, editor->toPlainText());
    if (!result.ok) {
        QString text = QStringLiteral("%1 に保存できませんでした。").arg(path);
        if (!result.error.isEmpty())
            text += QStringLiteral("\r\n") + result.error;
        m_prompter.Error(text);
    }
}

void TfrmQuillmereMainWindow::SaveAllMemos()
{
    if (!m_startupFinished)
        return;
    for (TMemoKind kind : {mkDailyMemo, mkMonthlyMemo, mkNotebook}) {
        QPlainTextEdit *editor = memoEditor(kind);
        // Half-converted input is never written; it is saved at the next chance.
        if (HasImeComposition(editor) || !editor->document()->isModified())
            continue;
        saveMemoEditor(kind);
        if (kind == mkDailyMemo)
            RefreshSigns();
    }
}

void TfrmQuillmereMainWindow::LoadDailyMemo()
{
    if (m_started)
        loadMemoEditor(mkDailyMemo);
}

void TfrmQuillmereMainWindow::LoadMonthlyMemo()
{
    if (m_started)
        loadMemoEditor(mkMonthlyMemo);
}

void TfrmQuillmereMainWindow::LoadNotebook()
{
    m_notebookPending = false;
    loadMemoEditor(mkNotebook);
}

void TfrmQuillmereMainWindow::EnsureNotesLoaded()
{
    if (!std::exchange(m_notesPending, false))
        return;
    TNotesView *notes = notesView();
    notes->ReloadNoteList();
    if (notes->noteCount() > 0)
        notes->SelectNote(notes->tvNoteCategories()->item(0)->text());
    // The note's pages are listed by a posted request; the view being shown
    // right now needs them in place before it picks the first page.
    QCoreApplication::sendPostedEvents(notes);
}

void TfrmQuillmereMainWindow::EnsureNotebookLoaded()
{
    if (!m_notebookPending)
        return;
    // Whatever was typed meanwhile is never replaced by the file.
    if (m_memNotebook->document()->isModified())
        m_notebookPending = false;
    else
        LoadNotebook();
}

void TfrmQuillmereMainWindow::onCalendarBeforeDayChange()
{
    SaveAllMemos();
}

void TfrmQuillmereMainWindow::onCalendarYearMonthChange()
{
    LoadMonthlyMemo();
    RefreshSigns();
}

void TfrmQuillmereMainWindow::onCalendarDayChange()
{
    if (!m_started)
        return;
    UpdateDateTitles();
    LoadDailyMemo();
    FillDaySchedules();
    UpdateNavigationHints();
    selectYearMonthBoxes(currentDate());
}
