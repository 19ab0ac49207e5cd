#pragma once

#include "notes/memostore.h"
#include "ui/aboutbox.h"
#include "todo/todonotice.h"

#include <QDate>
#include <QMainWindow>
#include <QPixmap>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QActionGroup;
class QComboBox;
class QToolButton;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QSplitter;
class QStackedWidget;
class QTabWidget;
class QTimer;
class QToolBar;
class TTextEditMenu;
class QTreeView;
class QTreeWidget;
class TDayScheduleModel;
class TClock;
class TPrompter;
class TTitleBand;
class TNotesView;
class TDayPopup;
class TDayContentsSource;
class TZoQuillmereCalendar;
class TAlarm2;
class TAlarmTimer;
class TToDoTimer;
class TfrmNotify;

enum TMainView { mvScheduleMemo, mvMonthlyMemo, mvNotebook, mvToDo, mvNote, mvScheduleManager };

// The single document window. It owns the data folder in use (opening it,
// saving everything, switching, the orderly exit), the four pages with their
// views, the commands and the minute timer.
class TfrmQuillmereMainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // `prompter` and `clock` outlive the window.
    TfrmQuillmereMainWindow(TPrompter &prompter, TClock &clock, QWidget *parent = nullptr);
    ~TfrmQuillmereMainWindow() override;

    // --- data folder and lifecycle
    void OpenDataFolder(const QString &title, const QString &path);
    void SaveAll();
    void ClearViews();
    void SwitchDataFolder(QAction *item);
    QAction *AddDataFolderEntry(const QString &title, const QString &path, bool store);
    bool RemoveDataFolderEntry(const QString &title, const QString &path);
    int RebuildDataFolderMenu();
    void BringToFront();
    void MinuteTimerTick();

    bool isLoaded() const { return m_loaded; }
    bool isStarted() const { return m_started; }
    bool isClosing() const { return m_closing; }
    bool startupFinished() const { return m_startupFinished; }

    // --- views and commands
    void ShowView(TMainView view);
    TMainView currentView() const;
    void UpdateCommandStates();
    void UpdateNavigationState();
    void UpdateSaveStatus();
    void SaveData();
    void UpdateDateTitles();
    void ShowErrorNumber(int number, const QString &text);
    QDate currentDate() const;

    // --- date navigation (mainwindow_navigation.cpp)
    bool GoToDate(const QDate &date);
    void UpdateNavigationHints();
    void SetCalendarListStyle(bool list);
    void ScrollStripPressed(bool upperHalf);
    QComboBox *yearBox() const { return m_cmbYear; }
    QComboBox *monthBox() const { return m_cmbMonth; }
    QWidget *scrollStrip() const { return m_pnlScrollCalendar; }

    // --- memos
    void LoadDailyMemo();
    void LoadMonthlyMemo();
    void LoadNotebook();
    // The notebook can be large: a folder's load leaves it for just after
    // the window is painted, or until it is wanted, whichever comes first.
    void EnsureNotebookLoaded();
    // The note list is not on the first screen either: listed just after the
    // window is painted, or when the notes view is shown, whichever is first.
    void EnsureNotesLoaded();
    // "名前を付けて保存": asks for a file and writes the editor's text there.
    void SaveTextAs(QPlainTextEdit *editor);
    // The save dialog: the chosen file, or empty when cancelled. Tests
    // answer in its place.
    std::function<QString(const QString &startFolder)> AskSaveFileName;
    TTextEditMenu *textEditMenu() const { return m_textEditMenu; }
    // "Quillmere情報" on its first page or its contact page, after the memos
    // are saved so that its counts include them.
    void ShowAboutBox(TAboutBox::TAboutPage first);
    void SaveAllMemos();
    // Recomputes the calendar's memo and schedule marks.
    void RefreshSigns();
    // Refills the list of the selected day's schedules.
    void FillDaySchedules();
    QString DayPopupTextOf(const QDate &date) const;
    QTreeView *dayScheduleList() const { return m_lvAlarmSchedules; }

    // Widgets and commands by their names, for the parts of the program (and
    // the tests) that drive the window.
    QAction *action(const QString &name) const;
    QMenu *dataFolderMenu() const { return m_dataFolderMenu; }
    QAction *exitAction() const { return m_acExit; }
    QTimer *minuteTimer() const { return m_minuteTimer; }
    QPlainTextEdit *memMemo() const { return m_memMemo; }
    QPlainTextEdit *memMonthlyMemo() const { return m_memMonthlyMemo; }
    QPlainTextEdit *memNotebook() const { return m_memNotebook; }
    // The notes page is built the first time anything needs it.
    QPlainTextEdit *memNoteContents();
    TNotesView *notesView();
    TTitleBand *titleBand() const { return m_titleBand; }
    QLabel *unsavedPanel() const { return m_statusUnsaved; }
    QTabWidget *dayPane() const { return m_dayPane; }
    QStackedWidget *pages() const { return m_pages; }
    TZoQuillmereCalendar *calendar() const { return m_calendar; }
    TAlarmTimer *alarmTimer() const { return m_alarmTimer; }
    QTimer *alarmClock() const { return m_alarmQTimer; }
    TToDoTimer *toDoTimer() const { return m_toDoTimer; }
    // Made when the first notice comes.
    TfrmNotify *notifyWindow();
    TDayPopup *dayPopup() const { return m_dayPopup; }

    // Saves the schedules (their stamps included); false after the error box.
    bool SaveScheduleFile();

protected:
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Building (mainwindow_build.cpp).
    void createWidgets();
    QWidget *createCalendarPage();
    // The pages of the other views are built the first time they are shown.
    QWidget *toDoPage();
    QWidget *scheduleManagerPage();
    void createActions();
    void createMenus();
    void createToolBars();
    void createGeneralBar();
    // The view column shows which view is up.
    void markViewButton();
    void connectBarToggle(const char *actionName, QToolBar *bar);
    QAction *addCommand(const QString &name, const QString &caption, const QString &shortcut = {});
    void trackEditor(QPlainTextEdit *editor);
    void applyColors();
    void applyFontsAndWrap();

    // Memo editors (mainwindow_memos.cpp).
    void saveMemoEditor(TMemoKind kind);
    void loadMemoEditor(TMemoKind kind);
    void createTextEditMenu();
    // Runs `work` just after the next paint, or after `fallbackMs` when no
    // paint comes first (the program may start hidden in the tray).
    void afterNextPaint(const std::function<void()> &work, int fallbackMs);
    // Empty and unmodified, without showing it unsaved on the way.
    void clearEditor(QPlainTextEdit *editor);
    QPlainTextEdit *memoEditor(TMemoKind kind) const;
    void onCalendarBeforeDayChange();
    void onCalendarYearMonthChange();
    void onCalendarDayChange();

    bool pasteAsPlainText(QKeyEvent *event);

    void connectCalendarRequests();

    // Navigation (mainwindow_navigation.cpp).
    void createNavigationBars();
    QWidget *createCalendarStrip(QWidget *parent);
    QWidget *createScrollStrip(QWidget *parent);
    void selectYearMonthBoxes(const QDate &date);
    void yearMonthBoxChosen();
    void stepDate(int months, int days);
    void goToday();

    // Timers and notifications (mainwindow_timers.cpp).
    void createTimers();
    void loadTimedStores();
    void startTimers();
    void stopTimers();
    void AlarmTimer1Alarm(TAlarm2 *alarm);
    void AlarmTimer1Alert(TAlarm2 *alarm, const QDateTime &alarmDate);
    void AlarmTimer1Execute(TAlarm2 *alarm);
    void requestScheduleSave();

    TPrompter &m_prompter;
    TClock &m_clock;

    bool m_loaded = false;
    bool m_started = false;
    bool m_closing = false;
    bool m_startupFinished = false;
    bool m_notebookPending = false;
    // A text being put into an editor, or cleared from it, marks it modified
    // for a moment; the unsaved mark is not shown (its icon not even looked
    // up in the theme) for that.
    bool m_loadingText = false;
    QPixmap m_unsavedIcon;
    bool m_notesPending = false;
    // The schedules as the calendar's picture being drawn places them.
    std::unique_ptr<TDayContentsSource> m_contentsSource;
    quint64 m_contentsPass = 0;
    TTextEditMenu *m_textEditMenu = nullptr;
    // Work held back until the window's next picture is on screen.
    std::vector<std::function<void()>> m_afterPaint;
    bool m_startupSchedulesPending = false;
    bool m_exitDone = false;
    TMemoStore m_memoStore;
    // The dates whose memos the editors hold, so a save never lands on the
    // day or month the calendar has just moved to.
    QDate m_memoDate[2];

    // Pages and views.
    TTitleBand *m_titleBand = nullptr;
    QToolBar *m_viewBar = nullptr;
    std::array<QAction *, 5> m_viewButtons{};
    QStackedWidget *m_pages = nullptr;
    QWidget *m_pgCalendar = nullptr;
    QWidget *m_pgToDo = nullptr;
    QWidget *m_pgNote = nullptr;
    QWidget *m_pgScheduleManager = nullptr;
    QSplitter *m_calendarSplitter = nullptr;
    TZoQuillmereCalendar *m_calendar = nullptr;
    QTabWidget *m_dayPane = nullptr;
    QTreeView *m_lvAlarmSchedules = nullptr;
    TDayScheduleModel *m_daySchedules = nullptr;
    QLabel *m_memoHeading = nullptr;
    QPlainTextEdit *m_memMemo = nullptr;
    QPlainTextEdit *m_memMonthlyMemo = nullptr;
    QPlainTextEdit *m_memNotebook = nullptr;
    QTreeWidget *m_chklstToDo = nullptr;
    TNotesView *m_notesView = nullptr;
    QTreeWidget *m_lvScheduleManager = nullptr;
    QPlainTextEdit *m_memScheduleManager = nullptr;

    // Commands and menus.
    QList<QAction *> m_actions;
    QMenu *m_dataFolderMenu = nullptr;
    QMenu *m_calendarMenu = nullptr;
    QActionGroup *m_dataFolderGroup = nullptr;
    QAction *m_acExit = nullptr;
    QTimer *m_minuteTimer = nullptr;
    TAlarmTimer *m_alarmTimer = nullptr;
    QTimer *m_alarmQTimer = nullptr;
    TToDoTimer *m_toDoTimer = nullptr;
    TToDoNotifier m_toDoNotifier;
    TfrmNotify *m_notify = nullptr;
    QToolBar *m_tbGeneral = nullptr;
    QToolBar *m_tbYMDChange = nullptr;
    QToolBar *m_tbYMChange = nullptr;
    QComboBox *m_cmbYear = nullptr;
    QComboBox *m_cmbMonth = nullptr;
    QWidget *m_pnlScrollCalendar = nullptr;
    QToolButton *m_btnCalendarContents = nullptr;
    QToolButton *m_btnCalendarList = nullptr;
    QToolButton *m_btnDecreaseRow = nullptr;
    QToolButton *m_btnIncreaseRow = nullptr;
    bool m_selectingBoxes = false;
    bool m_noTimeOnCalendar = true;
    TDayPopup *m_dayPopup = nullptr;
    bool m_afterDoubleClick = false;
    bool m_scheduleSavePending = false;
    QLabel *m_statusUnsaved = nullptr;
    QLabel *m_statusClock = nullptr;
    QLabel *m_statusInfo = nullptr;
};
