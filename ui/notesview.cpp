#include "ui/notesview.h"

#include "core/appglobal.h"
#include "core/font.h"
#include "core/settingskeys.h"
#include "ui/editorhelpers.h"
#include "ui/fontconv.h"

#include <QDragMoveEvent>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kPathRole = Qt::UserRole;

// The in-place name editor of both lists. The list never takes the typed name
// itself: it goes to the store, whose checks may refuse it.
class TNameDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    std::function<void(const QModelIndex &, QWidget *)> begun;
    std::function<void(const QString &)> committed;

    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (begun)
            begun(index, editor);
        return editor;
    }

    void setModelData(QWidget *editor, QAbstractItemModel *, const QModelIndex &) const override
    {
        if (auto *line = qobject_cast<QLineEdit *>(editor); line && committed)
            committed(line->text());
    }
};

void paintBase(QWidget *w, const QColor &color)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Base, color);
    w->setPalette(pal);
}

} // namespace

TNotesView::TNotesView(TPrompter &prompter, TClock &clock, QWidget *parent)
    : QWidget(parent), m_prompter(prompter), m_clock(clock), m_store(prompter)
{
    setObjectName(QStringLiteral("pnlNote"));
    buildWidgets();
    ApplyColors();
    ApplyFontsAndWrap();
    updateEnabledStates();
}

TNotesView::~TNotesView() = default;

void TNotesView::buildWidgets()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    buildButtons();
    layout->addWidget(m_buttonRow);

    m_split = new QSplitter(Qt::Horizontal, this);
    m_split->setChildrenCollapsible(false);
    m_notes = new QListWidget(m_split);
    m_notes->setObjectName(QStringLiteral("tvNoteCategories"));
    m_notes->setSelectionMode(QAbstractItemView::SingleSelection);
    m_notes->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    m_notes->setAcceptDrops(true);
    m_notes->viewport()->setAcceptDrops(true);

    m_pageSplit = new QSplitter(Qt::Vertical, m_split);
    m_pageSplit->setChildrenCollapsible(false);
    m_pages = new QTreeWidget(m_pageSplit);
    m_pages->setObjectName(QStringLiteral("lvNoteItems"));
    m_pages->setColumnCount(1);
    m_pages->setHeaderLabels({QStringLiteral("ページタイトル")});
    m_pages->setRootIsDecorated(false);
    m_pages->setUniformRowHeights(true);
    m_pages->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_pages->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    m_pages->setDragEnabled(true);
    m_pages->setDragDropMode(QAbstractItemView::DragOnly);
    m_pages->setDefaultDropAction(Qt::CopyAction); // the store moves the files; the list only reloads

    m_editor = new QPlainTextEdit(m_pageSplit);
    m_editor->setObjectName(QStringLiteral("memNote"));
    m_split->setStretchFactor(0, 2);
    m_split->setStretchFactor(1, 3);
    layout->addWidget(m_split, 1);

    auto *noteNames = new TNameDelegate(m_notes);
    noteNames->begun = [this](const QModelIndex &index, QWidget *editor) {
        m_editOldName = index.data().toString();
        m_noteEditor = editor;
        SetImeOn(editor);
    };
    noteNames->committed = [this](const QString &typed) {
        const QString oldName = m_editOldName;
        QMetaObject::invokeMethod(this, [this, oldName, typed] { finishNoteRename(oldName, typed); }, Qt::QueuedConnection);
    };
    m_notes->setItemDelegate(noteNames);
    auto *pageTitles = new TNameDelegate(m_pages);
    pageTitles->begun = [this](const QModelIndex &index, QWidget *editor) {
        m_editOldName = index.data().toString();
        m_editNote = selectedNote();
        m_pageEditor = editor;
        SetImeOn(editor);
    };
    pageTitles->committed = [this](const QString &typed) {
        const QString note = m_editNote;
        const QString oldTitle = m_editOldName;
        QMetaObject::invokeMethod(this, [this, note, oldTitle, typed] { finishPageRename(note, oldTitle, typed); },
                                  Qt::QueuedConnection);
    };
    m_pages->setItemDelegate(pageTitles);
    for (QAbstractItemDelegate *d : {static_cast<QAbstractItemDelegate *>(noteNames), static_cast<QAbstractItemDelegate *>(pageTitles)})
        connect(d, &QAbstractItemDelegate::closeEditor, this, &TNotesView::runDeferredRequests, Qt::QueuedConnection);

    for (QAbstractItemView *list : {static_cast<QAbstractItemView *>(m_notes), static_cast<QAbstractItemView *>(m_pages)}) {
        list->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(list, &QWidget::customContextMenuRequested, this, [this, list](const QPoint &at) {
            QMenu menu(this);
            FillContextMenu(menu, list == m_notes);
            menu.exec(list->viewport()->mapToGlobal(at));
        });
    }
    connect(m_notes, &QListWidget::currentItemChanged, this, [this](QListWidgetItem *current) { onNoteChanged(current); });
    connect(m_pages, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *current) { onPageChanged(current); });
    connect(m_pages, &QTreeWidget::itemSelectionChanged, this, &TNotesView::updateEnabledStates);
    connect(m_editor, &QPlainTextEdit::modificationChanged, this, &TNotesView::modifiedChanged);

    for (QObject *o : {static_cast<QObject *>(m_notes), static_cast<QObject *>(m_notes->viewport()), static_cast<QObject *>(m_pages),
                       static_cast<QObject *>(m_pages->viewport()), static_cast<QObject *>(m_editor)})
        o->installEventFilter(this);
}

void TNotesView::buildButtons()
{
    m_buttonRow = new QWidget(this);
    m_buttonRow->setObjectName(QStringLiteral("pnlNoteButtons"));
    auto *row = new QHBoxLayout(m_buttonRow);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    auto button = [this, row](const char *name, const QString &caption, const QString &hint, void (TNotesView::*slot)()) {
        auto *b = new QToolButton(m_buttonRow);
        b->setObjectName(QLatin1String(name));
        b->setText(caption);
        b->setToolTip(hint);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        b->setAutoRaise(true);
        connect(b, &QToolButton::clicked, this, slot);
        row->addWidget(b);
        return b;
    };
    button("btnNewNoteCategory", QStringLiteral("ノートの新規作成"), QStringLiteral("新しいノートを作成"), &TNotesView::CreateNote);
    m_btnRenameNote = button("btnEditNoteCategory", QStringLiteral("ノート名の変更"), QStringLiteral("選択されているノートの名前を変更"),
                             &TNotesView::RenameSelectedNote);
    m_btnDeleteNote = button("btnDeleteNoteCategory", QStringLiteral("ノート削除"), QStringLiteral("選択されているノートを削除"),
                             &TNotesView::DeleteNote);
    button("btnNewNoteItem", QStringLiteral("ページの新規作成"), QStringLiteral("選択されているノートに新しいページを作成"),
           &TNotesView::CreatePage);
    m_btnRenamePage = button("btnEditNoteItem", QStringLiteral("ページ名の変更"), QStringLiteral("選択されているページの名前を変更"),
                             &TNotesView::RenameSelectedPage);
    m_btnDeletePages = button("btnDeleteNoteItem", QStringLiteral("ページの削除"), QStringLiteral("選択されているページを削除"),
                              &TNotesView::DeletePages);
    m_btnTemplate = button("btnLoadNoteTemplate", QStringLiteral("テンプレート読み込み"),
                           QStringLiteral("選択されているページにテンプレートを読み込む"), &TNotesView::InsertTemplate);
    row->addStretch(1);
    m_buttonRow->setVisible(ReadSettingBool(sk::SETTINGS, "ShowNoteToolBar"));
}

void TNotesView::FillContextMenu(QMenu &menu, bool forNotes)
{
    auto add = [this, &menu](const QString &caption, const QString &hint, bool enabled, void (TNotesView::*slot)()) {
        QAction *a = menu.addAction(caption, this, slot);
        a->setStatusTip(hint);
        a->setEnabled(enabled);
    };
    if (forNotes) {
        add(QStringLiteral("新規作成(&N)"), QStringLiteral("新しいノートを作成"), true, &TNotesView::CreateNote);
        add(QStringLiteral("名前の変更(&M)"), QStringLiteral("選択されているノートの名前を変更"), hasSelectedNote(),
            &TNotesView::RenameSelectedNote);
        add(QStringLiteral("削除(&D)"), QStringLiteral("選択されているノートを削除"), hasSelectedNote(), &TNotesView::DeleteNote);
        return;
    }
    add(QStringLiteral("新規作成(&N)"), QStringLiteral("選択されているノートに新しいページを作成"), true, &TNotesView::CreatePage);
    add(QStringLiteral("名前の変更(&E)"), QStringLiteral("選択されているページの名前を変更"), hasSelectedPage(),
        &TNotesView::RenameSelectedPage);
    add(QStringLiteral("削除(&D)"), QStringLiteral("選択されているページを削除"), hasSelectedPage(), &TNotesView::DeletePages);
    menu.addSeparator();
    add(QStringLiteral("テンプレート読み込み(&T)"), QStringLiteral("選択されているページにテンプレートを読み込む"), hasSelectedPage(),
        &TNotesView::InsertTemplate);
}

void TNotesView::ApplyColors()
{
    paintBase(m_notes, ColorToQColor(ReadSetting(sk::COLORS, "BkColorNoteCategories")));
    m_itemsColor = ColorToQColor(ReadSetting(sk::COLORS, "BkColorNoteItems"));
    m_contentsColor = ColorToQColor(ReadSetting(sk::COLORS, "BkColorNoteContents"));
    updateEnabledStates();
}

void TNotesView::ApplyFontsAndWrap()
{
    const std::pair<QWidget *, const char *> fonts[] = {
        {m_notes, "NoteFont"}, {m_pages, "NoteListFont"}, {m_editor, "NoteContentsFont"}};
    for (const auto &[widget, key] : fonts) {
        QFont font = widget->font();
        QColor color = widget->palette().color(QPalette::Text);
        if (!ReadFontSetting(QString::fromLatin1(key), font, color))
            continue;
        widget->setFont(font);
        QPalette pal = widget->palette();
        pal.setColor(QPalette::Text, color);
        widget->setPalette(pal);
    }
    SetRichEditWordWrap(m_editor, ReadSettingBool(sk::SETTINGS, "WordWrapNote"));
    ApplyImeColors(m_editor);
}

// --- posted list rebuilds

void TNotesView::post(TRequest request)
{
    if (m_pending[request])
        return;
    m_pending[request] = true;
    QMetaObject::invokeMethod(this, [this, request] { runRequest(request); }, Qt::QueuedConnection);
}

void TNotesView::runRequest(TRequest request)
{
    m_pending[request] = false;
    if (isEditing(request == rqNoteList ? static_cast<QObject *>(m_notes) : m_pages)) {
        m_deferred[request] = true;
        return;
    }
    switch (request) {
    case rqNoteList:
        ReloadNoteList();
        break;
    case rqPageList:
        ReloadPageList();
        break;
    case rqEditTitle:
        RenameSelectedPage();
        break;
    case rqCount:
        break;
    }
}

void TNotesView::runDeferredRequests()
{
    for (int r = 0; r < rqCount; ++r) {
        if (!m_deferred[r])
            continue;
        m_deferred[r] = false;
        post(static_cast<TRequest>(r));
    }
}

// --- states

int TNotesView::noteCount() const
{
    return m_notes->count();
}

bool TNotesView::hasSelectedNote() const
{
    return m_notes->currentItem() && m_notes->currentItem()->isSelected();
}

bool TNotesView::hasSelectedPage() const
{
    return m_pages->topLevelItemCount() > 0 && !m_pages->selectedItems().isEmpty();
}

bool TNotesView::isEditingName() const
{
    return isEditing(m_notes) || isEditing(m_pages);
}

bool TNotesView::isEditing(const QObject *list) const
{
    const QWidget *editor = list == m_notes ? m_noteEditor.data() : m_pageEditor.data();
    return editor && !editor->isHidden();
}

bool TNotesView::isModified() const
{
    return m_editor->document()->isModified();
}

QString TNotesView::selectedNote() const
{
    return hasSelectedNote() ? m_notes->currentItem()->text() : QString();
}

QString TNotesView::selectedPage() const
{
    QTreeWidgetItem *item = m_pages->currentItem();
    return item && item->isSelected() ? item->text(0) : QString();
}

QStringList TNotesView::selectedPages() const
{
    QStringList titles;
    // In list order, not in the order the user picked them.
    for (int i = 0; i < m_pages->topLevelItemCount(); ++i)
        if (QTreeWidgetItem *item = m_pages->topLevelItem(i); item->isSelected())
            titles << item->text(0);
    return titles;
}

void TNotesView::updateEnabledStates()
{
    const QColor face = ColorToQColor(clr::clBtnFace);
    const bool notes = noteCount() > 0;
    m_pages->setEnabled(notes);
    paintBase(m_pages, notes ? m_itemsColor : face);
    const bool page = notes && m_pages->currentItem() && !m_editorPath.isEmpty();
    m_editor->setEnabled(page);
    paintBase(m_editor, page ? m_contentsColor : face);

    m_btnRenameNote->setEnabled(hasSelectedNote());
    m_btnDeleteNote->setEnabled(hasSelectedNote());
    for (QToolButton *b : {m_btnRenamePage, m_btnDeletePages, m_btnTemplate})
        b->setEnabled(hasSelectedPage());
    Q_EMIT commandStatesChanged();
}

// --- keys, double clicks, drops, leaving the editor

bool TNotesView::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (watched == m_notes || watched == m_pages)
            return listKey(watched, event);
        break;
    case QEvent::MouseButtonDblClick: {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (watched == m_notes->viewport() && !m_notes->itemAt(mouse->position().toPoint())) {
            CreateNote();
            return true;
        }
        if (watched == m_pages->viewport() && !m_pages->itemAt(mouse->position().toPoint())) {
            CreatePage();
            return true;
        }
        break;
    }
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        if (watched == m_notes->viewport())
            return noteListDrag(event);
        break;
    case QEvent::FocusOut:
        // Leaving the page text writes it, as leaving any of the texts does;
        // a pop-up menu over the editor is not leaving it.
        if (watched == m_editor && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason) {
            SavePage();
            Q_EMIT saveAllRequested();
        }
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

bool TNotesView::listKey(QObject *watched, QEvent *event)
{
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::ShiftModifier))
        return false;
    const bool notes = watched == m_notes;
    if (isEditing(watched))
        return false;
    if (key->key() == Qt::Key_Delete) {
        notes ? DeleteNote() : DeletePages();
        return true;
    }
    if (key->key() == Qt::Key_F5) {
        post(notes ? rqNoteList : rqPageList);
        return true;
    }
    return false;
}

bool TNotesView::AcceptsDragFrom(const QObject *source) const
{
    return source && (source == m_pages || source == m_pages->viewport());
}

bool TNotesView::noteListDrag(QEvent *event)
{
    auto *drop = static_cast<QDropEvent *>(event);
    if (!AcceptsDragFrom(drop->source())) {
        drop->ignore();
        return true;
    }
    if (event->type() == QEvent::DragEnter) {
        drop->acceptProposedAction();
        return true;
    }
    // Only a note other than the pages' own takes them.
    const QListWidgetItem *target = m_notes->itemAt(drop->position().toPoint());
    const bool fits = target && target->text() != selectedNote();
    if (event->type() == QEvent::DragMove) {
        if (fits)
            drop->acceptProposedAction();
        else
            drop->ignore();
        return true;
    }
    if (!fits) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction); // the source list must not remove its items
    drop->accept();
    DropPagesOnNote(target->text());
    return true;
}
