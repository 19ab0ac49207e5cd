#pragma once

#include <QMenu>
#include <QPointer>

#include <functional>

class QPlainTextEdit;

// The pop-up menu shared by the program's text areas and fields. It acts on
// the control it was opened over; its items are enabled by that control's
// selection and read-only state each time it opens. The keyword, date and
// related-item entries wait for the typing aids and are shown disabled.
class TTextEditMenu : public QMenu
{
    Q_OBJECT
public:
    explicit TTextEditMenu(QWidget *parent = nullptr);

    // Sets the target and the items' states; call before showing.
    void Prepare(QWidget *target);
    // Prepares for `target` and shows the menu at `globalPos`.
    void Popup(QWidget *target, const QPoint &globalPos);

    // Called by "名前を付けて保存(&S)..." with the multi-line editor it was
    // opened over.
    std::function<void(QPlainTextEdit *)> OnSaveTextAs;

    QAction *undoAction() const { return m_undo; }
    QAction *cutAction() const { return m_cut; }
    QAction *copyAction() const { return m_copy; }
    QAction *pasteAction() const { return m_paste; }
    QAction *deleteAction() const { return m_delete; }
    QAction *selectAllAction() const { return m_selectAll; }
    QAction *saveTextAsAction() const { return m_saveTextAs; }

private:
    QAction *add(const QString &caption, void (TTextEditMenu::*slot)());
    QMenu *addUnavailable(const QString &caption);
    // Runs the command on the target: a text area, or a field's line edit.
    template <typename TCommand>
    void act(TCommand command);
    void undo();
    void cut();
    void copy();
    void paste();
    void deleteSelection();
    void selectAll();
    void saveTextAs();

    QPointer<QWidget> m_target;
    QAction *m_undo = nullptr;
    QAction *m_cut = nullptr;
    QAction *m_copy = nullptr;
    QAction *m_paste = nullptr;
    QAction *m_delete = nullptr;
    QAction *m_selectAll = nullptr;
    QAction *m_saveTextAs = nullptr;
};

// Installs `menu` as the context menu of `editor`.
void UseTextEditMenu(QWidget *editor, TTextEditMenu *menu);
