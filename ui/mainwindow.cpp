#include "ui/mainwindow.h"

#include "core/appglobal.h"
#include "core/clock.h"
#include "core/datafolders.h"
#include "core/errors.h"
#include "core/prompter.h"
#include "core/settingskeys.h"
#include "ui/fontconv.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>

namespace {
// Colour keys in the order TGlobal::ViewColors keeps them.
constexpr const char *kViewColorKeys[] = {
    "BkColorMemo",       "BkColorSchedule",      "BkColorMonthlyMemo",  "BkColorNotebook",
    "BkColorToDo",       "BkColorNoteCategories", "BkColorNoteItems",   "BkColorNoteContents",
    "BkColorScheduleList", "BkColorAlarm",       "BkColorAlert",
};
} // namespace

TfrmQuillmereMainWindow::TfrmQuillmereMainWindow(TPrompter &prompter, TClock &clock, QWidget *parent)
    : QMainWindow(parent), m_prompter(prompter), m_clock(clock)
{
    setObjectName(QStringLiteral("TfrmQuillmereMainWindow"));
    resize(ReadSetting(sk::SETTINGS, "Width"), ReadSetting(sk::SETTINGS, "Height"));

    m_minuteTimer = new QTimer(this);
    m_minuteTimer->setObjectName(QStringLiteral("Timer1"));
    connect(m_minuteTimer, &QTimer::timeout, this, &TfrmQuillmereMainWindow::MinuteTimerTick);

    m_statusUnsaved = new QLabel(this);
    m_statusClock = new QLabel(this);
    m_statusInfo = new QLabel(this);
    m_statusUnsaved->setAlignment(Qt::AlignCenter);
    m_statusUnsaved->setMinimumWidth(24);
    statusBar()->addWidget(m_statusUnsaved);
    statusBar()->addWidget(m_statusClock);
    statusBar()->addWidget(m_statusInfo, 1);

    createMenus();

    // Creation order of the program: the folder named by the settings is
    // opened first, then the folder menu is built around it.
    const QString path = SettingsFile().readString(QString::fromLatin1(sk::SETTINGS), QStringLiteral("DataFolder"),
                                                   Global().ProgramFolder);
    OpenDataFolder(FindDataFolderTitle(path), path);
    if (RebuildDataFolderMenu() == 0) {
        if (QAction *item = AddDataFolderEntry(kDefaultDataFolderTitle, Global().ProgramFolder, true))
            item->setChecked(true);
    }
}

TfrmQuillmereMainWindow::~TfrmQuillmereMainWindow() = default;

void TfrmQuillmereMainWindow::createMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("ファイル(&F)"));
    m_dataFolderMenu = file->addMenu(QStringLiteral("データフォルダ(&D)"));
    m_acShowDataFolderManager = m_dataFolderMenu->addAction(QStringLiteral("データフォルダマネージャ(&M)"));
    m_acShowDataFolderManager->setObjectName(QStringLiteral("acShowDataFolderManager"));
    m_acShowDataFolderManager->setEnabled(false); // the manager dialog is not part of this build yet
    m_dataFolderMenu->addSeparator();
    m_dataFolderGroup = new QActionGroup(this);
    m_dataFolderGroup->setExclusive(true);
    connect(m_dataFolderGroup, &QActionGroup::triggered, this, &TfrmQuillmereMainWindow::SwitchDataFolder);

    file->addSeparator();
    m_acSaveData = file->addAction(QStringLiteral("未保存データ強制保存(&S)"));
    m_acSaveData->setObjectName(QStringLiteral("acSaveData"));
    m_acSaveData->setShortcut(QKeySequence(QStringLiteral("Ctrl+S")));
    m_acSaveData->setEnabled(false);
    m_acExit = file->addAction(QStringLiteral("終了(&X)"));
    m_acExit->setObjectName(QStringLiteral("acExit"));
    m_acExit->setEnabled(false); // until start-up has finished
    connect(m_acExit, &QAction::triggered, this, &QWidget::close);
}

void TfrmQuillmereMainWindow::applyColors()
{
    const TProfileFile settings = SettingsFile();
    for (size_t i = 0; i < std::size(kViewColorKeys); ++i) {
        const TSettingKey *key = FindSettingKey(QString::fromLatin1(sk::COLORS), QLatin1String(kViewColorKeys[i]));
        int def = 0;
        TProfileFile::parseInteger(QString::fromLatin1(key->defaultText), def);
        Global().ViewColors[i] = settings.readInteger(QString::fromLatin1(sk::COLORS), QLatin1String(kViewColorKeys[i]), def);
    }
}

void TfrmQuillmereMainWindow::OpenDataFolder(const QString &title, const QString &path)
{
    m_minuteTimer->stop();

    const QString caption = Global().AppTitle + QStringLiteral(" - ") + title;
    setWindowTitle(caption);

    TGlobal &g = Global();
    g.CurrentDataFolder = ResolveDataFolder(m_prompter, path);
    g.CurrentDataFolderTitle = FindDataFolderTitle(g.CurrentDataFolder);
    PrepareDataFolder(g.CurrentDataFolder);
    applyColors();

    m_startupSchedulesPending = ReadSettingBool(sk::SETTINGS, "ShowScheduleOnStartUp");
    m_loaded = true;

    m_minuteTimer->setInterval(1);
    m_minuteTimer->start();
    m_started = true;
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
}

void TfrmQuillmereMainWindow::ClearViews() {}

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
    m_acExit->setEnabled(true);
    m_minuteTimer->setInterval(60000);
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
    m_minuteTimer->stop();
    SaveAll();
    m_exitDone = true;
    event->accept();
}
