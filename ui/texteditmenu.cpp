#include "ui/texteditmenu.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

// The line edit behind a field: itself, or an editable combo box's edit part.
QLineEdit *lineEditOf(QWidget *w)
{
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        return edit;
    if (auto *combo = qobject_cast<QComboBox *>(w))
        return combo->isEditable() ? combo->lineEdit() : nullptr;
    return nullptr;
}

struct TTargetState
{
    bool selection = false;
    bool readOnly = true;
    bool multiLineWithText = false;
};

TTargetState stateOf(QWidget *w)
{
    TTargetState state;
    if (auto *editor = qobject_cast<QPlainTextEdit *>(w)) {
        state.selection = editor->textCursor().hasSelection();
        state.readOnly = editor->isReadOnly();
        state.multiLineWithText = !editor->document()->isEmpty();
    } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
        // A drop-down list cannot be typed into: read-only.
        QLineEdit *edit = lineEditOf(combo);
        state.selection = edit && edit->hasSelectedText();
        state.readOnly = !edit;
    } else if (auto *edit = qobject_cast<QLineEdit *>(w)) {
        state.selection = edit->hasSelectedText();
        state.readOnly = edit->isReadOnly();
    }
    return state;
}

} // namespace

TTextEditMenu::TTextEditMenu(QWidget *parent) : QMenu(parent)
{
    addUnavailable(QStringLiteral("キーワード一覧(&K)"));
    addSeparator();
    addUnavailable(QStringLiteral("日付時刻の挿入(&D)"));
    addSeparator();
    m_undo = add(QStringLiteral("元に戻す(&U)"), &TTextEditMenu::undo);
    addSeparator();
    m_cut = add(QStringLiteral("切り取り(&T)"), &TTextEditMenu::cut);
    m_copy = add(QStringLiteral("コピー(&C)"), &TTextEditMenu::copy);
    m_paste = add(QStringLiteral("貼り付け(&P)"), &TTextEditMenu::paste);
    m_delete = add(QStringLiteral("削除(&D)"), &TTextEditMenu::deleteSelection);
    addSeparator();
    m_selectAll = add(QStringLiteral("すべて選択(&A)"), &TTextEditMenu::selectAll);
    m_selectAll->setShortcut(QKeySequence(QStringLiteral("Ctrl+A")));
    m_selectAll->setShortcutVisibleInContextMenu(true);
    addSeparator();
    m_saveTextAs = add(QStringLiteral("名前を付けて保存(&S)..."), &TTextEditMenu::saveTextAs);
    addSeparator();
    addUnavailable(QStringLiteral("関連項目(&K)"));
}

QAction *TTextEditMenu::add(const QString &caption, void (TTextEditMenu::*slot)())
{
    QAction *action = addAction(caption);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

QMenu *TTextEditMenu::addUnavailable(const QString &caption)
{
    QMenu *sub = addMenu(caption);
    sub->menuAction()->setEnabled(false);
    sub->menuAction()->setProperty("unavailable", true);
    return sub;
}

void TTextEditMenu::Prepare(QWidget *target)
{
    m_target = target;
    const TTargetState state = stateOf(target);
    m_cut->setEnabled(state.selection && !state.readOnly);
    m_copy->setEnabled(state.selection || state.readOnly);
    m_undo->setEnabled(!state.readOnly);
    m_paste->setEnabled(!state.readOnly);
    m_delete->setEnabled(!state.readOnly && state.selection);
    m_selectAll->setEnabled(true);
    m_saveTextAs->setEnabled(state.multiLineWithText);
}

void TTextEditMenu::Popup(QWidget *target, const QPoint &globalPos)
{
    Prepare(target);
    exec(globalPos);
}

template <typename TCommand>
void TTextEditMenu::act(TCommand command)
{
    if (auto *editor = qobject_cast<QPlainTextEdit *>(m_target))
        command(editor);
    else if (QLineEdit *edit = lineEditOf(m_target))
        command(edit);
}

void TTextEditMenu::undo()
{
    act([](auto *w) { w->undo(); });
}

void TTextEditMenu::cut()
{
    act([](auto *w) { w->cut(); });
}

void TTextEditMenu::copy()
{
    act([](auto *w) { w->copy(); });
}

void TTextEditMenu::paste()
{
    act([](auto *w) { w->paste(); });
}

void TTextEditMenu::deleteSelection()
{
    if (auto *editor = qobject_cast<QPlainTextEdit *>(m_target))
        editor->textCursor().removeSelectedText();
    else if (QLineEdit *edit = lineEditOf(m_target))
        edit->del();
}

void TTextEditMenu::selectAll()
{
    act([](auto *w) { w->selectAll(); });
}

void TTextEditMenu::saveTextAs()
{
    auto *editor = qobject_cast<QPlainTextEdit *>(m_target);
    if (editor && !editor->document()->isEmpty() && OnSaveTextAs)
        OnSaveTextAs(editor);
}

void UseTextEditMenu(QWidget *editor, TTextEditMenu *menu)
{
    editor->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(editor, &QWidget::customContextMenuRequested, menu, [editor, menu](const QPoint &pos) {
        editor->setFocus(Qt::PopupFocusReason);
        // A text area reports the point in its viewport's terms.
        const auto *area = qobject_cast<QAbstractScrollArea *>(editor);
        menu->Popup(editor, (area ? area->viewport() : editor)->mapToGlobal(pos));
    });
}
