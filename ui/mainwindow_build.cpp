#include "ui/mainwindow.h"

#include "calendar/zocalendarcontrol.h"
#include "core/appglobal.h"
#include "core/clock.h"
#include "core/settingskeys.h"
#include "ui/dayschedulemodel.h"
#include "ui/editorhelpers.h"
#include "ui/fontconv.h"
#include "ui/notesview.h"
#include "ui/texteditmenu.h"
#include "ui/titleband.h"

#include <QAction>
#include <QActionGroup>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

struct TCommandDef
{
    const char *name;
    const char *caption;
    const char *shortcut;
};

// The window's commands with their captions and shortcuts.
constexpr TCommandDef kCommands[] = {
    {"acShowScheduleMemo", "予定とメモ(&Y)", "Ctrl+Y"},
    {"acShowMonthlyMemo", "今月のメモ(&K)", "Ctrl+M"},
    {"acShowNotebook", "雑記帳(&Z)", "Ctrl+G"},
    {"acShowToDo", "備忘録(&B)", "Ctrl+B"},
    {"acShowNote", "ノート(&O)", "Ctrl+O"},
    {"acShowScheduleManager", "スケジュールマネージャ(&S)", ""},
    {"acDisplayToolBar", "表示切替ツールバー", "Ctrl+J"},
    {"acShowTitle", "タイトル(&T)", ""},
    {"acShowGeneralToolBar", "一般(&I)", ""},
    {"acShowYMDChangeToolBar", "年月日移動(&N)", ""},
    {"acShowYMChangeToolBar", "年月指定(&G)", ""},
    {"acSaveData", "未保存データ強制保存(&S)", "Ctrl+S"},
    {"acFind", "検索(&F)", "Ctrl+F"},
    {"acKeyWords", "キーワードの登録・編集(&K)", "Ctrl+K"},
    {"acNewSchedule", "新規作成(&N)...", "Ctrl+N"},
    {"acEditSchedule", "編集(&E)...", "Ctrl+E"},
    {"acDeleteSchedule", "削除(&D)", ""},
    {"acPrevYear", "前年", "Ctrl+Alt+Q"},
    {"acPrevMonth", "先月", "Ctrl+Alt+A"},
    {"acPrevDay", "前日", "Ctrl+Alt+Z"},
    {"acToday", "今日に戻す(&Q)", "Ctrl+Q"},
    {"acNextDay", "翌日", "Ctrl+Alt+X"},
    {"acNextMonth", "翌月", "Ctrl+Alt+S"},
    {"acNextYear", "翌年", "Ctrl+Alt+W"},
    {"acNewToDo", "新規作成(&N)...", "Ctrl+U"},
    {"acEditToDo", "編集(&E)...", ""},
    {"acDeleteToDo", "削除(&D)", ""},
    {"acDeleteCheckedToDo", "チェック項目の削除(&A)", ""},
    {"acHideCheckedItem", "チェック項目を非表示(&H)", ""},
    {"acNewNoteCategory", "新規作成(&N)", ""},
    {"acEditNoteCategory", "名前の変更(&M)", ""},
    {"acDeleteNoteCategory", "削除(&D)", ""},
    {"acNewNoteItem", "新規作成(&N)", ""},
    {"acEditNoteItem", "名前の変更(&E)", ""},
    {"acDeleteNoteItem", "削除(&D)", ""},
    {"acLoadNoteTemplate", "テンプレート読み込み(&T)", ""},
    {"acCopyNotebookToNoteItem", "雑記帳の取り込み(&Z)", ""},
    {"acShowDataFolderManager", "データフォルダマネージャ(&M)", ""},
};

QPlainTextEdit *newEditor(const QString &name, QWidget *parent)
{
    auto *editor = new QPlainTextEdit(parent);
    editor->setObjectName(name);
    editor->setTabChangesFocus(false);
    return editor;
}

QWidget *buttonRow(QWidget *parent, const QList<QAction *> &actions)
{
    auto *row = new QWidget(parent);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(4);
    for (QAction *a : actions) {
        auto *b = new QToolButton(row);
        b->setDefaultAction(a);
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);
        layout->addWidget(b);
    }
    layout->addStretch(1);
    return row;
}

} // namespace

QAction *TfrmQuillmereMainWindow::addCommand(const QString &name, const QString &caption, const QString &shortcut)
{
    auto *a = new QAction(caption, this);
    a->setObjectName(name);
    if (!shortcut.isEmpty())
        a->setShortcut(QKeySequence(shortcut, QKeySequence::PortableText));
    a->setShortcutContext(Qt::WindowShortcut);
    addAction(a);
    m_actions << a;
    return a;
}

QAction *TfrmQuillmereMainWindow::action(const QString &name) const
{
    for (QAction *a : m_actions)
        if (a->objectName() == name)
            return a;
    return nullptr;
}

void TfrmQuillmereMainWindow::createActions()
{
    for (const TCommandDef &c : kCommands)
        addCommand(QString::fromLatin1(c.name), QString::fromUtf8(c.caption), QString::fromLatin1(c.shortcut));

    // Commands whose dialogs and lists are not part of this build yet are
    // present, with their captions, but cannot be chosen.
    for (const char *name : {"acFind", "acKeyWords", "acNewSchedule", "acEditSchedule", "acDeleteSchedule",
                             "acNewToDo", "acEditToDo", "acDeleteToDo", "acDeleteCheckedToDo", "acHideCheckedItem",
                             "acShowDataFolderManager", "acShowGeneralToolBar", "acShowYMDChangeToolBar",
                             "acShowYMChangeToolBar"}) {
        action(QString::fromLatin1(name))->setEnabled(false);
        action(QString::fromLatin1(name))->setProperty("unavailable", true);
    }

    const std::pair<const char *, TMainView> views[] = {
        {"acShowScheduleMemo", mvScheduleMemo}, {"acShowMonthlyMemo", mvMonthlyMemo}, {"acShowNotebook", mvNotebook},
        {"acShowToDo", mvToDo}, {"acShowNote", mvNote}, {"acShowScheduleManager", mvScheduleManager},
    };
    for (const auto &[name, view] : views)
        connect(action(QString::fromLatin1(name)), &QAction::triggered, this, [this, view = view] { ShowView(view); });

    QAction *viewBar = action(QStringLiteral("acDisplayToolBar"));
    viewBar->setCheckable(true);
    viewBar->setChecked(ReadSettingBool(sk::SETTINGS, "ShowViewToolBar"));
    connect(viewBar, &QAction::toggled, this, [this](bool on) {
        m_viewBar->setVisible(on);
        SettingsFile().writeBool(QString::fromLatin1(sk::SETTINGS), QStringLiteral("ShowViewToolBar"), on);
    });
    QAction *title = action(QStringLiteral("acShowTitle"));
    title->setCheckable(true);
    title->setChecked(ReadSettingBool(sk::SETTINGS, "ShowTitle"));
    connect(title, &QAction::toggled, this, [this](bool on) {
        m_titleBand->setVisible(on);
        SettingsFile().writeBool(QString::fromLatin1(sk::SETTINGS), QStringLiteral("ShowTitle"), on);
    });

    connect(action(QStringLiteral("acSaveData")), &QAction::triggered, this, &TfrmQuillmereMainWindow::SaveData);
    action(QStringLiteral("acSaveData"))->setEnabled(false);

    const std::tuple<const char *, int, int> steps[] = {
        {"acPrevYear", -12, 0}, {"acPrevMonth", -1, 0}, {"acPrevDay", 0, -1},
        {"acNextDay", 0, 1},    {"acNextMonth", 1, 0},  {"acNextYear", 12, 0},
    };
    for (const auto &[name, months, days] : steps)
        connect(action(QString::fromLatin1(name)), &QAction::triggered, this,
                [this, months = months, days = days] { stepDate(months, days); });
    connect(action(QStringLiteral("acToday")), &QAction::triggered, this, &TfrmQuillmereMainWindow::goToday);

    // Every note command first shows the notes.
    const auto noteCommand = [this](const char *name, const std::function<void()> &run) {
        connect(action(QString::fromLatin1(name)), &QAction::triggered, this, [this, run] {
            ShowView(mvNote);
            run();
        });
    };
    noteCommand("acNewNoteCategory", [this] { notesView()->CreateNote(); });
    noteCommand("acEditNoteCategory", [this] { notesView()->RenameSelectedNote(); });
    noteCommand("acDeleteNoteCategory", [this] { notesView()->DeleteNote(); });
    noteCommand("acNewNoteItem", [this] { notesView()->CreatePage(); });
    noteCommand("acEditNoteItem", [this] { notesView()->RenameSelectedPage(); });
    noteCommand("acDeleteNoteItem", [this] { notesView()->DeletePages(); });
    noteCommand("acLoadNoteTemplate", [this] { notesView()->InsertTemplate(); });
    connect(action(QStringLiteral("acCopyNotebookToNoteItem")), &QAction::triggered, this, [this] {
        ShowView(mvNote);
        notesView()->ImportNotebook(m_memNotebook->toPlainText());
    });
}

void TfrmQuillmereMainWindow::createMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    m_dataFolderMenu = file->addMenu(QStringLiteral("データフォルダ(&D)"));
    m_dataFolderMenu->addAction(action(QStringLiteral("acShowDataFolderManager")));
    m_dataFolderMenu->addSeparator();
    m_dataFolderGroup = new QActionGroup(this);
    m_dataFolderGroup->setExclusive(true);
    connect(m_dataFolderGroup, &QActionGroup::triggered, this, &TfrmQuillmereMainWindow::SwitchDataFolder);
    file->addSeparator();
    file->addAction(action(QStringLiteral("acSaveData")));
    m_acExit = file->addAction(QStringLiteral("終了(&X)"));
    m_acExit->setObjectName(QStringLiteral("acExit"));
    m_acExit->setEnabled(false); // until start-up has finished
    connect(m_acExit, &QAction::triggered, this, &QWidget::close);

    menuBar()->addMenu(QStringLiteral("検索(&S)"))->addAction(action(QStringLiteral("acFind")));

    QMenu *view = menuBar()->addMenu(QStringLiteral("表示(&V)"));
    for (const char *name : {"acShowScheduleMemo", "acShowMonthlyMemo", "acShowNotebook", "acShowToDo", "acShowNote"})
        view->addAction(action(QString::fromLatin1(name)));
    view->addSeparator();
    m_calendarMenu = view->addMenu(QStringLiteral("カレンダー(&C)"));
    view->addSeparator();
    QMenu *bars = view->addMenu(QStringLiteral("ツールバー(&T)"));
    for (const char *name : {"acShowGeneralToolBar", "acShowYMDChangeToolBar", "acShowYMChangeToolBar"})
        bars->addAction(action(QString::fromLatin1(name)));
    view->addAction(action(QStringLiteral("acShowTitle")));
    view->addSeparator();
    view->addAction(action(QStringLiteral("acShowScheduleManager")));
    view->addSeparator();
    view->addAction(action(QStringLiteral("acDisplayToolBar")));
    connect(view, &QMenu::aboutToShow, this,
            [this] { m_calendarMenu->setEnabled(m_pages->currentWidget() == m_pgCalendar); });

    // The calendar menu repeats the step commands under keys of its own.
    auto menuStep = [this](const char *name, const QString &caption, const char *key) {
        QAction *target = action(QString::fromLatin1(name));
        auto *item = m_calendarMenu->addAction(caption.isEmpty() ? target->text() : caption);
        item->setShortcut(QKeySequence(QString::fromLatin1(key), QKeySequence::PortableText));
        connect(item, &QAction::triggered, target, &QAction::trigger);
        connect(target, &QAction::enabledChanged, item, &QAction::setEnabled);
        addAction(item);
    };
    menuStep("acToday", QString(), "Ctrl+Shift+Space");
    m_calendarMenu->addSeparator();
    menuStep("acPrevYear", QString(), "Ctrl+Alt+Left");
    menuStep("acPrevMonth", QStringLiteral("前月"), "Alt+Left");
    menuStep("acPrevDay", QString(), "Ctrl+Left");
    menuStep("acNextDay", QString(), "Ctrl+Right");
    menuStep("acNextMonth", QString(), "Alt+Right");
    menuStep("acNextYear", QString(), "Ctrl+Alt+Right");
    m_calendarMenu->addSeparator();
    m_calendarMenu->addAction(QStringLiteral("左に配置(&H)"))->setEnabled(false);
    m_calendarMenu->addAction(QStringLiteral("上に配置(&U)"))->setEnabled(false);
    m_calendarMenu->addSeparator();
    QAction *monthly = m_calendarMenu->addAction(QStringLiteral("内容表示（カレンダー形式）"));
    monthly->setShortcut(QKeySequence(QStringLiteral("Ctrl+Alt+D")));
    connect(monthly, &QAction::triggered, this, [this] { SetCalendarListStyle(false); });
    QAction *vertical = m_calendarMenu->addAction(QStringLiteral("内容表示（縦一覧形式）"));
    vertical->setShortcut(QKeySequence(QStringLiteral("Ctrl+D")));
    connect(vertical, &QAction::triggered, this, [this] { SetCalendarListStyle(true); });
    addAction(monthly);
    addAction(vertical);

    QMenu *schedule = menuBar()->addMenu(QStringLiteral("予定(&Y)"));
    schedule->addAction(action(QStringLiteral("acNewSchedule")));
    schedule->addAction(action(QStringLiteral("acEditSchedule")));
    schedule->addSeparator();
    schedule->addAction(action(QStringLiteral("acDeleteSchedule")));

    QMenu *todo = menuBar()->addMenu(QStringLiteral("備忘録(&B)"));
    todo->addAction(action(QStringLiteral("acNewToDo")));
    todo->addAction(action(QStringLiteral("acEditToDo")));
    todo->addSeparator();
    todo->addAction(action(QStringLiteral("acDeleteToDo")));
    todo->addAction(action(QStringLiteral("acDeleteCheckedToDo")));

    QMenu *note = menuBar()->addMenu(QStringLiteral("ノート(&N)"));
    auto noteItem = [this, note](const char *name, const QString &caption) {
        QAction *target = action(QString::fromLatin1(name));
        QAction *item = note->addAction(caption);
        item->setEnabled(target->isEnabled());
        connect(item, &QAction::triggered, target, &QAction::trigger);
        connect(target, &QAction::enabledChanged, item, &QAction::setEnabled);
    };
    noteItem("acNewNoteItem", QStringLiteral("ページの新規作成(&N)"));
    noteItem("acEditNoteItem", QStringLiteral("ページ名の変更(&E)"));
    noteItem("acDeleteNoteItem", QStringLiteral("ページの削除(&D)"));
    note->addSeparator();
    noteItem("acNewNoteCategory", QStringLiteral("ノートの新規作成(&O)"));
    noteItem("acEditNoteCategory", QStringLiteral("ノート名の変更(&M)"));
    noteItem("acDeleteNoteCategory", QStringLiteral("ノート削除(&D)"));
    note->addSeparator();
    note->addAction(action(QStringLiteral("acCopyNotebookToNoteItem")));
    for (QMenu *m : {schedule, todo, note})
        connect(m, &QMenu::aboutToShow, this, &TfrmQuillmereMainWindow::UpdateCommandStates);

    QMenu *settings = menuBar()->addMenu(QStringLiteral("設定(&O)"));
    settings->addAction(QStringLiteral("オプション(&O)..."))->setEnabled(false);
    settings->addSeparator();
    settings->addAction(QStringLiteral("休日・祝日設定(&H)..."))->setEnabled(false);
    QAction *sentences = settings->addAction(QStringLiteral("短文登録(&T)..."));
    sentences->setShortcut(QKeySequence(QStringLiteral("Ctrl+T")));
    sentences->setEnabled(false);
    settings->addAction(action(QStringLiteral("acKeyWords")));

    QMenu *help = menuBar()->addMenu(QStringLiteral("ヘルプ(&H)"));
    help->addAction(QStringLiteral("トピックの検索(&H)"))->setEnabled(false);
    help->addSeparator();
    QAction *contact = help->addAction(QStringLiteral("作者連絡先・ホームページ(&S)"));
    contact->setObjectName(QStringLiteral("acShowContact"));
    connect(contact, &QAction::triggered, this, [this] { ShowAboutBox(TAboutBox::apContact); });
    QAction *about = help->addAction(QStringLiteral("Quillmere情報(&A)..."));
    about->setObjectName(QStringLiteral("acShowAbout"));
    connect(about, &QAction::triggered, this, [this] { ShowAboutBox(TAboutBox::apVersion); });
}

void TfrmQuillmereMainWindow::createToolBars()
{
    m_viewBar = new QToolBar(QStringLiteral("表示切替"), this);
    m_viewBar->setObjectName(QStringLiteral("tbViews"));
    m_viewBar->setMovable(false);
    m_viewBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    const char *names[] = {"acShowScheduleMemo", "acShowMonthlyMemo", "acShowNotebook", "acShowToDo", "acShowNote"};
    const char *captions[] = {"予定とメモ", "今月のメモ", "雑記帳", "備忘録", "ノート"};
    auto *group = new QActionGroup(this);
    // The schedule manager has no button: then none is down.
    group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (int i = 0; i < 5; ++i) {
        auto *button = new QToolButton(m_viewBar);
        auto *a = new QAction(QString::fromUtf8(captions[i]), group);
        a->setCheckable(true);
        a->setData(i + 1);
        connect(a, &QAction::triggered, action(QString::fromLatin1(names[i])), &QAction::trigger);
        m_viewButtons[i] = a;
        button->setDefaultAction(a);
        button->setMinimumSize(72, 44);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        m_viewBar->addWidget(button);
    }
    addToolBar(Qt::LeftToolBarArea, m_viewBar);
    // The date bars first: at the default width the general bar's commands,
    // which the menus also hold, are the ones to fold away.
    createNavigationBars();
    createGeneralBar();
    m_viewBar->setVisible(action(QStringLiteral("acDisplayToolBar"))->isChecked());
}

void TfrmQuillmereMainWindow::createGeneralBar()
{
    // Several commands share the caption "新規作成": the buttons say what
    // they make, and the hint names the command.
    struct TButton
    {
        const char *command;
        const char *text;
        const char *hint;
    };
    static constexpr TButton kButtons[] = {
        {"acNewSchedule", "予定", "予定の新規作成"},
        {"acNewToDo", "備忘録", "備忘録の新規作成"},
        {"acNewNoteItem", "ページ", "ページの新規作成"},
        {"acFind", "検索", "検索"},
        {"acKeyWords", "キーワード", "キーワードの登録・編集"},
        {"acShowScheduleManager", "スケジュール", "スケジュールマネージャ"},
        {"acDisplayToolBar", "表示切替", "表示切替ツールバー"},
    };
    m_tbGeneral = new QToolBar(QStringLiteral("一般"), this);
    m_tbGeneral->setObjectName(QStringLiteral("tbGeneral"));
    m_tbGeneral->setToolButtonStyle(Qt::ToolButtonTextOnly);
    for (const TButton &b : kButtons) {
        QAction *command = action(QString::fromLatin1(b.command));
        auto *button = new QAction(QString::fromUtf8(b.text), m_tbGeneral);
        button->setObjectName(QStringLiteral("tb_") + QString::fromLatin1(b.command));
        button->setToolTip(QString::fromUtf8(b.hint));
        button->setCheckable(command->isCheckable());
        connect(button, &QAction::triggered, command, [command] { command->trigger(); });
        const auto follow = [button, command] {
            button->setEnabled(command->isEnabled());
            button->setChecked(command->isChecked());
        };
        connect(command, &QAction::changed, button, follow);
        follow();
        m_tbGeneral->addAction(button);
    }
    addToolBar(Qt::TopToolBarArea, m_tbGeneral);
    connectBarToggle("acShowGeneralToolBar", m_tbGeneral);
}

QWidget *TfrmQuillmereMainWindow::createCalendarPage()
{
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("pgCalendar"));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    m_calendarSplitter = new QSplitter(ReadSetting(sk::SETTINGS, "CalendarPos") == 0 ? Qt::Vertical : Qt::Horizontal, page);
    auto *calendarBox = new QWidget(m_calendarSplitter);
    auto *calendarLayout = new QVBoxLayout(calendarBox);
    calendarLayout->setContentsMargins(0, 0, 0, 0);
    calendarLayout->setSpacing(2);
    calendarLayout->addWidget(createCalendarStrip(calendarBox));
    auto *calendarRow = new QHBoxLayout;
    calendarRow->setSpacing(0);
    m_calendar = new TZoQuillmereCalendar(calendarBox, &m_clock);
    m_calendar->setObjectName(QStringLiteral("LargeCalendar"));
    m_calendar->setMinimumSize(280, 220);
    calendarRow->addWidget(m_calendar, 1);
    calendarRow->addWidget(createScrollStrip(calendarBox));
    calendarLayout->addLayout(calendarRow, 1);

    m_dayPane = new QTabWidget(m_calendarSplitter);
    m_dayPane->setObjectName(QStringLiteral("pcDay"));
    auto *scheduleTab = new QWidget(m_dayPane);
    auto *scheduleLayout = new QVBoxLayout(scheduleTab);
    scheduleLayout->setContentsMargins(2, 2, 2, 2);
    auto *daySplit = new QSplitter(Qt::Vertical, scheduleTab);
    auto *listBox = new QWidget(daySplit);
    auto *listLayout = new QVBoxLayout(listBox);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(buttonRow(listBox, {action(QStringLiteral("acNewSchedule")), action(QStringLiteral("acEditSchedule")),
                                             action(QStringLiteral("acDeleteSchedule"))}));
    m_lvAlarmSchedules = new QTreeView(listBox);
    m_lvAlarmSchedules->setObjectName(QStringLiteral("lvAlarmSchedules"));
    m_daySchedules = new TDayScheduleModel(m_lvAlarmSchedules);
    m_lvAlarmSchedules->setModel(m_daySchedules);
    m_lvAlarmSchedules->setRootIsDecorated(false);
    // One line a row: the view need not measure each of a long day's rows.
    m_lvAlarmSchedules->setUniformRowHeights(true);
    listLayout->addWidget(m_lvAlarmSchedules);
    auto *memoBox = new QWidget(daySplit);
    auto *memoLayout = new QVBoxLayout(memoBox);
    memoLayout->setContentsMargins(0, 0, 0, 0);
    memoLayout->setSpacing(2);
    m_memoHeading = new QLabel(memoBox);
    m_memoHeading->setObjectName(QStringLiteral("lblMemoTitle"));
    m_memMemo = newEditor(QStringLiteral("memMemo"), memoBox);
    memoLayout->addWidget(m_memoHeading);
    memoLayout->addWidget(m_memMemo);
    daySplit->setStretchFactor(0, 1);
    daySplit->setStretchFactor(1, 1);
    scheduleLayout->addWidget(daySplit);
    m_dayPane->addTab(scheduleTab, QString());

    m_memMonthlyMemo = newEditor(QStringLiteral("memMonthlyMemo"), m_dayPane);
    m_dayPane->addTab(m_memMonthlyMemo, QString());
    m_memNotebook = newEditor(QStringLiteral("memNotebook"), m_dayPane);
    m_dayPane->addTab(m_memNotebook, QStringLiteral("雑記帳"));
    m_calendarSplitter->setStretchFactor(0, 3);
    m_calendarSplitter->setStretchFactor(1, 2);
    layout->addWidget(m_calendarSplitter);

    // Choosing a tab directly saves what was typed in the one left.
    connect(m_dayPane, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == mvNotebook)
            EnsureNotebookLoaded();
        markViewButton();
        if (m_startupFinished)
            SaveData();
        UpdateCommandStates();
    });
    return page;
}

QWidget *TfrmQuillmereMainWindow::toDoPage()
{
    if (m_pgToDo)
        return m_pgToDo;
    auto *page = new QWidget(this);
    page->setObjectName(QStringLiteral("pgToDo"));
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(buttonRow(page, {action(QStringLiteral("acNewToDo")), action(QStringLiteral("acEditToDo")),
                                       action(QStringLiteral("acDeleteToDo")), action(QStringLiteral("acDeleteCheckedToDo"))}));
    m_chklstToDo = new QTreeWidget(page);
    m_chklstToDo->setObjectName(QStringLiteral("chklstToDo"));
    m_chklstToDo->setHeaderLabels({QString(), QStringLiteral("重要度"), QStringLiteral("期限日時"), QStringLiteral("完了日時"),
                                   QStringLiteral("内容")});
    m_chklstToDo->setRootIsDecorated(false);
    layout->addWidget(m_chklstToDo);
    SetBackgroundColor(m_chklstToDo, Global().ViewColors[4]);
    m_pgToDo = page;
    m_pages->addWidget(page);
    return page;
}

TNotesView *TfrmQuillmereMainWindow::notesView()
{
    if (m_notesView)
        return m_notesView;
    // Most starts open on the calendar; built with the window, the page's
    // widgets would be made and measured before the first picture all the
    // same.
    m_notesView = new TNotesView(m_prompter, m_clock, this);
    m_notesView->setObjectName(QStringLiteral("pgNote"));
    connect(m_notesView, &TNotesView::modifiedChanged, this, &TfrmQuillmereMainWindow::UpdateSaveStatus);
    connect(m_notesView, &TNotesView::saveAllRequested, this, &TfrmQuillmereMainWindow::SaveData);
    connect(m_notesView, &TNotesView::commandStatesChanged, this, &TfrmQuillmereMainWindow::UpdateCommandStates);
    m_notesView->memNote()->installEventFilter(this);
    if (m_textEditMenu)
        UseTextEditMenu(m_notesView->memNote(), m_textEditMenu);
    m_notesView->ApplyColors();
    m_notesView->ApplyFontsAndWrap();
    m_pgNote = m_notesView;
    m_pages->addWidget(m_pgNote);
    return m_notesView;
}

QWidget *TfrmQuillmereMainWindow::scheduleManagerPage()
{
    if (m_pgScheduleManager)
        return m_pgScheduleManager;
    auto *page = new QSplitter(Qt::Horizontal, this);
    page->setObjectName(QStringLiteral("pgScheduleManager"));
    m_lvScheduleManager = new QTreeWidget(page);
    m_lvScheduleManager->setObjectName(QStringLiteral("lvScheduleManager"));
    m_lvScheduleManager->setHeaderLabels({QStringLiteral("種類"), QStringLiteral("日付"), QStringLiteral("時刻"),
                                          QStringLiteral("内容")});
    m_lvScheduleManager->setRootIsDecorated(false);
    m_memScheduleManager = newEditor(QStringLiteral("memScheduleManager"), page);
    SetRichEditWordWrap(m_memScheduleManager, ReadSettingBool(sk::SETTINGS, "WordWrapScheduleManager"));
    trackEditor(m_memScheduleManager);
    if (m_textEditMenu)
        UseTextEditMenu(m_memScheduleManager, m_textEditMenu);
    m_pgScheduleManager = page;
    m_pages->addWidget(page);
    return page;
}

void TfrmQuillmereMainWindow::createWidgets()
{
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_titleBand = new TTitleBand(central);
    m_titleBand->setObjectName(QStringLiteral("pnlTitle"));
    m_titleBand->setVisible(action(QStringLiteral("acShowTitle"))->isChecked());
    layout->addWidget(m_titleBand);
    m_pages = new QStackedWidget(central);
    m_pgCalendar = createCalendarPage();
    m_pages->addWidget(m_pgCalendar);
    layout->addWidget(m_pages, 1);
    setCentralWidget(central);

    m_statusUnsaved = new QLabel(this);
    m_statusUnsaved->setObjectName(QStringLiteral("StatusBarUnsaved"));
    m_statusUnsaved->setAlignment(Qt::AlignCenter);
    m_statusUnsaved->setFixedWidth(qRound(16 * 1.5) + 6);
    m_statusUnsaved->installEventFilter(this);
    m_statusClock = new QLabel(this);
    m_statusInfo = new QLabel(this);
    statusBar()->addWidget(m_statusUnsaved);
    statusBar()->addWidget(m_statusClock);
    statusBar()->addWidget(m_statusInfo, 1);

    for (QPlainTextEdit *e : {m_memMemo, m_memMonthlyMemo, m_memNotebook})
        trackEditor(e);

    connect(m_calendar, &TZoCustomCalendar::OnBeforeDayCahnge, this, &TfrmQuillmereMainWindow::onCalendarBeforeDayChange);
    connect(m_calendar, &TZoCustomCalendar::OnYearMonthChange, this, &TfrmQuillmereMainWindow::onCalendarYearMonthChange);
    connect(m_calendar, &TZoCustomCalendar::OnDayChange, this, &TfrmQuillmereMainWindow::onCalendarDayChange);
}

void TfrmQuillmereMainWindow::trackEditor(QPlainTextEdit *editor)
{
    editor->installEventFilter(this);
    connect(editor, &QPlainTextEdit::modificationChanged, this, &TfrmQuillmereMainWindow::UpdateSaveStatus);
    ApplyImeColors(editor);
}
