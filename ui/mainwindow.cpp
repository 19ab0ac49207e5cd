#include "ui/mainwindow.h"

#include "calendar/daycontents.h"
#include "calendar/dayfiles.h"
#include "calendar/zocalendarcontrol.h"
#include "core/appglobal.h"
#include "core/clock.h"
#include "core/datafolders.h"
#include "core/errors.h"
#include "core/profile.h"
#include "core/prompter.h"
#include "core/settingskeys.h"
#include "core/startheap.h"
#include "ui/calendarsettings.h"
#include "ui/dayschedulemodel.h"
#include "ui/editorhelpers.h"
#include "ui/fontconv.h"
#include "ui/notesview.h"
#include "ui/notifywindow.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QStackedWidget>
#include <QTimer>
#include <QTreeView>
#include <QTreeWidget>

#include <memory>
#include <utility>

namespace {
// Colour keys in the order TGlobal::ViewColors keeps them.
constexpr const char *kViewColorKeys[] = {
    "BkColorMemo",         "BkColorSchedule",       "BkColorMonthlyMemo", "BkColorNotebook",
    "BkColorToDo",         "BkColorNoteCategories", "BkColorNoteItems",   "BkColorNoteContents",
    "BkColorScheduleList", "BkColorAlarm",          "BkColorAlert",
};
} // namespace

TfrmQuillmereMainWindow::TfrmQuillmereMainWindow(TPrompter &prompter, TClock &clock, QWidget *parent)
    : QMainWindow(parent), m_prompter(prompter), m_clock(clock)
{
    // Building the window reads some two hundred settings.
    const TProfileFile::TReadScope settingsReadOnce;
    setObjectName(QStringLiteral("TfrmQuillmereMainWindow"));
    resize(ReadSetting(sk::SETTINGS, "Width"), ReadSetting(sk::SETTINGS, "Height"));

    m_minuteTimer = new QTimer(this);
    m_minuteTimer->setObjectName(QStringLiteral("Timer1"));
    connect(m_minuteTimer, &QTimer::timeout, this, &TfrmQuillmereMainWindow::MinuteTimerTick);

    createActions();
    createWidgets();
    createTextEditMenu();
    createTimers();
    connectCalendarRequests();
    createMenus();
    createToolBars();

    // The folder named by the settings is opened first; the folder menu is
    // built around it afterwards.
    const QString path = ConfiguredDataFolder();
    OpenDataFolder(FindDataFolderTitle(path), path);
    if (RebuildDataFolderMenu() == 0) {
        if (QAction *item = AddDataFolderEntry(kDefaultDataFolderTitle, Global().ProgramFolder, true))
            item->setChecked(true);
        // The first start had no registered folder to name in the title.
        TGlobal &g = Global();
        if (g.CurrentDataFolderTitle.isEmpty() && g.CurrentDataFolder == g.ProgramFolder) {
            g.CurrentDataFolderTitle = kDefaultDataFolderTitle;
            setWindowTitle(g.AppTitle + QStringLiteral(" - ") + kDefaultDataFolderTitle);
        }
    }
    ShowView(mvScheduleMemo);
}

TfrmQuillmereMainWindow::~TfrmQuillmereMainWindow()
{
    // The children die after this object has stopped being a main window;
    // whatever they signal on the way out must not reach its slots.
    for (QObject *child : findChildren<QObject *>())
        QObject::disconnect(child, nullptr, this, nullptr);
}

QPlainTextEdit *TfrmQuillmereMainWindow::memNoteContents()
{
    return notesView()->memNote();
}

void TfrmQuillmereMainWindow::applyColors()
{
    const TProfileFile settings = SettingsFile();
    const QString colors = QString::fromLatin1(sk::COLORS);
    for (size_t i = 0; i < std::size(kViewColorKeys); ++i) {
        const TSettingKey *key = FindSettingKey(colors, QLatin1String(kViewColorKeys[i]));
        int def = 0;
        TProfileFile::parseInteger(QString::fromLatin1(key->defaultText), def);
        Global().ViewColors[i] = settings.readInteger(colors, QLatin1String(kViewColorKeys[i]), def);
    }
    const auto &c = Global().ViewColors;
    SetBackgroundColor(m_memMemo, c[0]);
    SetBackgroundColor(m_lvAlarmSchedules, c[1]);
    SetBackgroundColor(m_memMonthlyMemo, c[2]);
    SetBackgroundColor(m_memNotebook, c[3]);
    if (m_chklstToDo)
        SetBackgroundColor(m_chklstToDo, c[4]);
    if (m_notesView)
        m_notesView->ApplyColors();
}

void TfrmQuillmereMainWindow::applyFontsAndWrap()
{
    const std::pair<QPlainTextEdit *, const char *> fonts[] = {
        {m_memMemo, "MemoFont"}, {m_memMonthlyMemo, "MonthlyMemoFont"},
        {m_memNotebook, "NotebookFont"},
    };
    for (const auto &[editor, key] : fonts) {
        QFont font = editor->font();
        QColor color = editor->palette().color(QPalette::Text);
        if (ReadFontSetting(QString::fromLatin1(key), font, color)) {
            editor->setFont(font);
            QPalette pal = editor->palette();
            pal.setColor(QPalette::Text, color);
            editor->setPalette(pal);
        }
    }
    SetRichEditWordWrap(m_memMemo, ReadSettingBool(sk::SETTINGS, "WordWrapMemo"));
    SetRichEditWordWrap(m_memMonthlyMemo, ReadSettingBool(sk::SETTINGS, "WordWrapMonthlyMemo"));
    SetRichEditWordWrap(m_memNotebook, ReadSettingBool(sk::SETTINGS, "WordWrapNotebook"));
    if (m_memScheduleManager)
        SetRichEditWordWrap(m_memScheduleManager, ReadSettingBool(sk::SETTINGS, "WordWrapScheduleManager"));
    if (m_notesView)
        m_notesView->ApplyFontsAndWrap();
}

void TfrmQuillmereMainWindow::OpenDataFolder(const QString &title, const QString &path)
{
    const TProfileFile::TReadScope settingsReadOnce;
    stopTimers();

    setWindowTitle(Global().AppTitle + QStringLiteral(" - ") + title);

    TGlobal &g = Global();
    g.CurrentDataFolder = ResolveDataFolder(m_prompter, path);
    g.CurrentDataFolderTitle = FindDataFolderTitle(g.CurrentDataFolder);
    PrepareDataFolder(g.CurrentDataFolder);
    applyColors();

    // Fonts and wrapping first: set after the texts, they would lay the
    // texts out a second time.
    applyFontsAndWrap();
    loadTimedStores();
    clearEditor(m_memNotebook);
    m_notebookPending = true;
    afterNextPaint([this] { EnsureNotebookLoaded(); }, 1000);
    m_notesPending = true;
    afterNextPaint([this] { EnsureNotesLoaded(); }, 1000);

    applyColors();
    m_noTimeOnCalendar = ReadSettingBool(sk::SETTINGS, "NoTimeOnCalendar");
    m_startupSchedulesPending = ReadSettingBool(sk::SETTINGS, "ShowScheduleOnStartUp");
    m_loaded = true;

    LoadDayFiles(m_calendar->DateEx(), m_prompter);
    ApplyCalendarSettings(*m_calendar);
    SetCalendarListStyle(m_calendar->CalendarStyle() == csVertical1);
    m_minuteTimer->setInterval(1);
    m_minuteTimer->start();
    startTimers();
    m_started = true;
    const QDate today = m_clock.now().date();
    if (m_calendar->CurrentDate() != today)
        m_calendar->SetCurrentDate(today); // the day change loads the daily memo
    else
        LoadDailyMemo();
    LoadMonthlyMemo();
    FillDaySchedules();
    RefreshSigns();
    UpdateDateTitles();
    UpdateNavigationHints();
    selectYearMonthBoxes(m_calendar->CurrentDate());
}

void TfrmQuillmereMainWindow::afterNextPaint(const std::function<void()> &work, int fallbackMs)
{
    auto pending = std::make_shared<std::function<void()>>(work);
    const auto runOnce = [pending] {
        if (!*pending)
            return;
        const std::function<void()> run = *pending;
        *pending = nullptr;
        run();
    };
    m_afterPaint.push_back(runOnce);
    QTimer::singleShot(fallbackMs, this, runOnce);
}

void TfrmQuillmereMainWindow::paintEvent(QPaintEvent *event)
{
    QMainWindow::paintEvent(event);
    // Queued, so that this picture reaches the screen first.
    for (const std::function<void()> &work : std::exchange(m_afterPaint, {}))
        QTimer::singleShot(0, this, work);
}

void TfrmQuillmereMainWindow::SaveAll()
{
    const TGlobal &g = Global();
    const QString folder = QFileInfo(g.CurrentDataFolder).isDir() ? g.CurrentDataFolder : g.ProgramFolder;
    try {
        SettingsFile().writeString(QString::fromLatin1(sk::SETTINGS), QStringLiteral("DataFolder"), folder);
    } catch (const EQuillmereError &) {
        // The layout step's errors are swallowed so the data still gets saved.
    }
    SaveData();
    SaveScheduleFile();
}

void TfrmQuillmereMainWindow::clearEditor(QPlainTextEdit *editor)
{
    const QScopedValueRollback clearing(m_loadingText, true);
    editor->clear();
    editor->document()->setModified(false);
}

void TfrmQuillmereMainWindow::ClearViews()
{
    m_daySchedules->Clear();
    if (m_notesView)
        m_notesView->Clear();
    for (QPlainTextEdit *e : {m_memMemo, m_memNotebook, m_memMonthlyMemo, m_memScheduleManager})
        if (e)
            clearEditor(e);
    if (m_chklstToDo)
        m_chklstToDo->clear();
    if (m_lvScheduleManager)
        m_lvScheduleManager->clear();
    UpdateSaveStatus();
}

void TfrmQuillmereMainWindow::SwitchDataFolder(QAction *item)
{
    if (!item)
        return;
    const QString title = item->text();
    const QString path = FindDataFolderPath(title);
    setEnabled(false);
    struct Reenable
    {
        QWidget *w;
        ~Reenable() { w->setEnabled(true); }
    } reenable{this};
    SaveAll();
    ClearViews();
    OpenDataFolder(title, path);
    for (QAction *a : m_dataFolderGroup->actions())
        if (a->text() == Global().CurrentDataFolderTitle)
            a->setChecked(true);
}

QAction *TfrmQuillmereMainWindow::AddDataFolderEntry(const QString &title, const QString &path, bool store)
{
    auto *item = new QAction(title, m_dataFolderGroup);
    item->setCheckable(true);
    item->setData(path);
    m_dataFolderMenu->addAction(item);
    if (store)
        StoreDataFolderEntry(title, path);
    return item;
}

bool TfrmQuillmereMainWindow::RemoveDataFolderEntry(const QString &title, const QString &path)
{
    if (!CanRemoveDataFolder(path))
        return false;
    for (QAction *a : m_dataFolderGroup->actions()) {
        if (a->text() == title) {
            m_dataFolderMenu->removeAction(a);
            delete a;
            break;
        }
    }
    DeleteDataFolderSlot(title);
    return true;
}

int TfrmQuillmereMainWindow::RebuildDataFolderMenu()
{
    for (QAction *a : m_dataFolderGroup->actions()) {
        m_dataFolderMenu->removeAction(a);
        delete a;
    }
    int count = 0;
    for (const TDataFolderEntry &entry : ReadDataFolderEntries()) {
        QAction *item = AddDataFolderEntry(entry.title, entry.path, false);
        if (entry.path == Global().CurrentDataFolder)
            item->setChecked(true);
        ++count;
    }
    return count;
}

void TfrmQuillmereMainWindow::BringToFront()
{
    if (!m_loaded)
        return;
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
}

void TfrmQuillmereMainWindow::MinuteTimerTick()
{
    m_statusClock->setText(QLatin1Char(' ')
                           + QLocale(QLocale::Japanese).toString(m_clock.now(), QStringLiteral("yyyy年M月d日 H:mm")));
    if (!m_loaded)
        return;
    if (m_startupSchedulesPending) {
        // The upcoming-schedules window opens here once it exists.
        m_startupSchedulesPending = false;
    }
    m_startupFinished = true;
    EndStartHeap();
    m_toDoNotifier.StartupFinished = true;
    m_acExit->setEnabled(true);
    m_minuteTimer->setInterval(60000);
    UpdateCommandStates();
    SaveData();
}

void TfrmQuillmereMainWindow::closeEvent(QCloseEvent *event)
{
    if (m_exitDone) {
        event->accept();
        return;
    }
    m_closing = true;
    setEnabled(false);
    hide();
    if (m_notify)
        m_notify->hide();
    stopTimers();
    SaveAll();
    m_exitDone = true;
    event->accept();
}
