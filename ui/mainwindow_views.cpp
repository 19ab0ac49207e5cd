#include "ui/mainwindow.h"

#include "calendar/dateex.h"
#include "calendar/zocalendarcontrol.h"
#include "core/prompter.h"
#include "schedule/alarmtimer.h"
#include "ui/dayschedulemodel.h"
#include "ui/editorhelpers.h"
#include "ui/notesview.h"
#include "ui/titleband.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QTreeView>
#include <QTreeWidget>

namespace {

struct TViewLook
{
    const char *title; // nullptr: the date title
    TColor start;
    TColor end;
};

TViewLook lookOf(TMainView view)
{
    switch (view) {
    case mvToDo:
        return {"備忘録", 0x8000FF, 0xF0E1FF};
    case mvNote:
        return {"ノート", 0x008000, 0xDBFFDB};
    case mvScheduleManager:
        return {"スケジュールマネージャ", 0x800000, 0xFFE8E8};
    default:
        return {nullptr, 0x800000, 0xFFE8E8};
    }
}

} // namespace

QDate TfrmQuillmereMainWindow::currentDate() const
{
    return m_calendar->CurrentDate();
}

TMainView TfrmQuillmereMainWindow::currentView() const
{
    QWidget *page = m_pages->currentWidget();
    if (page == m_pgToDo)
        return mvToDo;
    if (page == m_pgNote)
        return mvNote;
    if (page == m_pgScheduleManager)
        return mvScheduleManager;
    return static_cast<TMainView>(m_dayPane->currentIndex());
}

void TfrmQuillmereMainWindow::ShowView(TMainView view)
{
    const TViewLook look = lookOf(view);
    if (view <= mvNotebook) {
        if (m_pages->currentWidget() != m_pgCalendar) {
            m_pages->setCurrentWidget(m_pgCalendar);
            UpdateDateTitles();
            m_titleBand->setColors(look.start, look.end);
        }
        if (view == mvNotebook)
            EnsureNotebookLoaded();
        if (m_dayPane->currentIndex() != view)
            m_dayPane->setCurrentIndex(view);
        UpdateNavigationState();
        QPlainTextEdit *editor = view == mvScheduleMemo ? m_memMemo : view == mvMonthlyMemo ? m_memMonthlyMemo : m_memNotebook;
        if (editor->isVisible())
            editor->setFocus();
        QTextCursor cursor = editor->textCursor();
        cursor.movePosition(QTextCursor::Start);
        editor->setTextCursor(cursor);
    } else {
        if (view == mvNote)
            EnsureNotesLoaded();
        QWidget *page = view == mvToDo ? toDoPage() : view == mvNote ? notesView() : scheduleManagerPage();
        if (m_pages->currentWidget() != page) {
            m_pages->setCurrentWidget(page);
            m_titleBand->setText(QString::fromUtf8(look.title));
            m_titleBand->setColors(look.start, look.end);
        }
        if (view == mvNote && m_notesView->lvNoteItems()->topLevelItemCount() > 0 && !m_notesView->hasSelectedPage()) {
            QTreeWidgetItem *first = m_notesView->lvNoteItems()->topLevelItem(0);
            m_notesView->lvNoteItems()->setCurrentItem(first);
            m_notesView->lvNoteItems()->scrollToItem(first);
        }
        UpdateNavigationState();
    }
    markViewButton();
    UpdateCommandStates();
}

void TfrmQuillmereMainWindow::markViewButton()
{
    const TMainView view = currentView();
    for (size_t i = 0; i < m_viewButtons.size(); ++i)
        if (m_viewButtons[i])
            m_viewButtons[i]->setChecked(size_t(view) == i);
}

void TfrmQuillmereMainWindow::UpdateCommandStates()
{
    if (!m_startupFinished || m_closing)
        return;
    QWidget *page = m_pages->currentWidget();
    const bool calendar = page == m_pgCalendar;
    const bool todo = page == m_pgToDo;
    const bool notes = page == m_pgNote;
    const bool schedule = calendar && m_daySchedules->rowCount() > 0 && m_lvAlarmSchedules->currentIndex().isValid();
    const bool todoItem = todo && m_chklstToDo->currentItem();
    const bool hasNote = notes && m_notesView->noteCount() > 0 && m_notesView->hasSelectedNote();
    const bool hasPage = notes && m_notesView->hasSelectedPage();
    const std::pair<const char *, bool> states[] = {
        {"acNewSchedule", true},
        {"acNewToDo", true},
        {"acNewNoteCategory", true},
        {"acNewNoteItem", true},
        {"acEditSchedule", schedule},
        {"acDeleteSchedule", schedule},
        {"acEditToDo", todoItem},
        {"acDeleteToDo", todoItem},
        {"acDeleteCheckedToDo", false},
        {"acEditNoteCategory", hasNote},
        // A name being typed in place is not deleted from under the editor.
        {"acDeleteNoteCategory", hasNote && !m_notesView->isEditingName()},
        {"acCopyNotebookToNoteItem", notes && m_notesView->noteCount() > 0},
        {"acEditNoteItem", hasPage},
        {"acDeleteNoteItem", hasPage && !m_notesView->isEditingName()},
        {"acLoadNoteTemplate", hasPage},
    };
    for (const auto &[name, on] : states) {
        QAction *a = action(QString::fromLatin1(name));
        a->setEnabled(on && !a->property("unavailable").toBool());
    }
}

void TfrmQuillmereMainWindow::UpdateNavigationState()
{
    const bool calendar = m_pages->currentWidget() == m_pgCalendar;
    for (const char *name : {"acPrevYear", "acPrevMonth", "acPrevDay", "acToday", "acNextDay", "acNextMonth", "acNextYear"})
        action(QString::fromLatin1(name))->setEnabled(calendar);
    m_cmbYear->setEnabled(calendar);
    m_cmbMonth->setEnabled(calendar);
}

void TfrmQuillmereMainWindow::UpdateSaveStatus()
{
    if (m_loadingText)
        return;
    bool modified = false;
    for (const QPlainTextEdit *e : {m_memMemo, m_memMonthlyMemo, m_memNotebook, m_memScheduleManager})
        modified = modified || (e && e->document()->isModified());
    modified = modified || (m_notesView && m_notesView->isModified());
    action(QStringLiteral("acSaveData"))->setEnabled(modified);
    if (modified) {
        if (m_unsavedIcon.isNull())
            m_unsavedIcon = style()->standardIcon(QStyle::SP_DialogSaveButton).pixmap(16, 16);
        m_statusUnsaved->setPixmap(m_unsavedIcon);
        m_statusUnsaved->setToolTip(QStringLiteral("未保存のデータがあります"));
        m_statusUnsaved->setProperty("unsavedMark", QStringLiteral("*"));
    } else {
        m_statusUnsaved->clear();
        m_statusUnsaved->setToolTip(QString());
        m_statusUnsaved->setProperty("unsavedMark", QString());
    }
}

void TfrmQuillmereMainWindow::SaveData()
{
    SaveAllMemos();
    if (m_startupFinished && m_notesView)
        m_notesView->SavePage();
    m_calendar->update();
    UpdateSaveStatus();
}

void TfrmQuillmereMainWindow::UpdateDateTitles()
{
    const QDate d = m_calendar->CurrentDate();
    if (!d.isValid())
        return;
    const QLocale ja(QLocale::Japanese);
    const QString longDay = ja.dayName(d.dayOfWeek(), QLocale::LongFormat);
    const QString shortDay = ja.dayName(d.dayOfWeek(), QLocale::ShortFormat);
    const QString ymd = d.toString(QStringLiteral("yyyy年MM月dd日"));
    QString title = ymd + QStringLiteral(" (") + longDay + QLatin1Char(')');
    const QString names = m_calendar->DateEx().GetDayText(d);
    if (!names.isEmpty())
        title += QLatin1Char(' ') + names;
    if (m_pages->currentWidget() == m_pgCalendar)
        m_titleBand->setText(title);
    m_dayPane->setTabText(mvMonthlyMemo, d.toString(QStringLiteral("yyyy年MM月のメモ")));
    const QString slash = d.toString(QStringLiteral("yyyy/MM/dd")) + QLatin1Char('(') + shortDay + QLatin1Char(')');
    m_memoHeading->setText(slash + QStringLiteral("のメモ"));
    m_dayPane->setTabText(mvScheduleMemo, slash);
}

void TfrmQuillmereMainWindow::ShowErrorNumber(int number, const QString &text)
{
    m_prompter.Error(QStringLiteral("Error #") + QString::number(number) + QStringLiteral("\r\n") + text);
}

bool TfrmQuillmereMainWindow::pasteAsPlainText(QKeyEvent *event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const bool ctrlV = event->key() == Qt::Key_V && mods == Qt::ControlModifier;
    const bool shiftIns = event->key() == Qt::Key_Insert && mods == Qt::ShiftModifier;
    if (!ctrlV && !shiftIns)
        return false;
    QWidget *focus = QApplication::focusWidget();
    if (auto *editor = qobject_cast<QPlainTextEdit *>(focus)) {
        if (editor->isReadOnly())
            return false;
        editor->insertPlainText(QApplication::clipboard()->text());
        return true;
    }
    if (auto *field = qobject_cast<QLineEdit *>(focus)) {
        if (field->isReadOnly())
            return false;
        QString text = QApplication::clipboard()->text();
        text.replace(QLatin1Char('\n'), QLatin1Char(' '));
        field->insert(text);
        return true;
    }
    return false;
}

bool TfrmQuillmereMainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_statusUnsaved && event->type() == QEvent::MouseButtonPress) {
        if (m_statusUnsaved->property("unsavedMark").toString() == QLatin1String("*"))
            SaveData();
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (pasteAsPlainText(key))
            return true;
    }
    if (event->type() == QEvent::FocusOut) {
        // Leaving a text area saves what was typed in it.
        if (m_startupFinished && !m_closing && qobject_cast<QPlainTextEdit *>(watched))
            SaveData();
    }
    if (event->type() == QEvent::FocusIn && qobject_cast<QPlainTextEdit *>(watched))
        SetImeOn(static_cast<QWidget *>(watched));
    return QMainWindow::eventFilter(watched, event);
}

void TfrmQuillmereMainWindow::ShowAboutBox(TAboutBox::TAboutPage first)
{
    SaveAllMemos();
    TAboutBox box(m_prompter, [this] { return CountUsage(m_alarmTimer->AlarmList().Count()); }, first, this);
    box.exec();
}
