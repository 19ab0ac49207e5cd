#pragma once

#include <QMainWindow>
#include <QPointer>

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QTimer;
class TPrompter;
class TClock;

// The single document window. It owns the data folder in use: opening it,
// saving everything, switching to another one, and the orderly exit.
class TfrmQuillmereMainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // `prompter` and `clock` outlive the window.
    TfrmQuillmereMainWindow(TPrompter &prompter, TClock &clock, QWidget *parent = nullptr);
    ~TfrmQuillmereMainWindow() override;

    void OpenDataFolder(const QString &title, const QString &path);
    void SaveAll();
    void ClearViews();
    void SwitchDataFolder(QAction *item);

    QAction *AddDataFolderEntry(const QString &title, const QString &path, bool store);
    bool RemoveDataFolderEntry(const QString &title, const QString &path);
    int RebuildDataFolderMenu();

    // Brings the window back for a second start of the program.
    void BringToFront();

    bool isLoaded() const { return m_loaded; }
    bool isStarted() const { return m_started; }
    bool isClosing() const { return m_closing; }
    bool startupFinished() const { return m_startupFinished; }
    bool startupSchedulesPending() const { return m_startupSchedulesPending; }

    QMenu *dataFolderMenu() const { return m_dataFolderMenu; }
    QAction *exitAction() const { return m_acExit; }
    QAction *saveDataAction() const { return m_acSaveData; }
    QTimer *minuteTimer() const { return m_minuteTimer; }

    // Runs one minute-timer tick now (the timer calls this).
    void MinuteTimerTick();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createMenus();
    void applyColors();

    TPrompter &m_prompter;
    TClock &m_clock;

    bool m_loaded = false;
    bool m_started = false;
    bool m_closing = false;
    bool m_startupFinished = false;
    bool m_startupSchedulesPending = false;
    bool m_exitDone = false;

    QMenu *m_dataFolderMenu = nullptr;
    QActionGroup *m_dataFolderGroup = nullptr;
    QAction *m_acShowDataFolderManager = nullptr;
    QAction *m_acSaveData = nullptr;
    QAction *m_acExit = nullptr;
    QTimer *m_minuteTimer = nullptr;
    QLabel *m_statusUnsaved = nullptr;
    QLabel *m_statusClock = nullptr;
    QLabel *m_statusInfo = nullptr;
};
