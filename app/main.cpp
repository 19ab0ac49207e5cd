#include "core/appglobal.h"
#include "core/clock.h"
#include "core/datafolders.h"
#include "core/errors.h"
#include "core/settingskeys.h"
#include "core/startheap.h"
#include "schedule/scheduleprefetch.h"
#include "todo/todoprefetch.h"
#include "ui/application.h"
#include "ui/firstpaint.h"
#include "ui/mainwindow.h"
#include "ui/qtprompter.h"
#include "ui/singleinstance.h"
#include "ui/splash.h"
#include "ui/startwarmup.h"

#include <QDir>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QTimer>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void onTerminationSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto n = ::write(g_signalPipe[1], &byte, 1);
}

// SIGTERM and SIGINT end the program the way its close box does: everything
// saved first. The handler only wakes the event loop; the work runs there.
void installTerminationHandlers(TfrmQuillmereMainWindow &window)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window, notifier] {
        notifier->setEnabled(false);
        char byte;
        [[maybe_unused]] const auto n = ::read(g_signalPipe[0], &byte, 1);
        window.close();
        QCoreApplication::quit();
    });
    struct sigaction sa = {};
    sa.sa_handler = onTerminationSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGINT, &sa, nullptr);
}

// For the start-up benchmark: end right after the window's first paint.
class TExitAfterFirstPaint : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *, QEvent *event) override
    {
        // Queued, so that the picture is on screen by then.
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, qApp, [] { ReportFirstPaintAndExit(); });
        return false;
    }
};

} // namespace

int main(int argc, char **argv)
{
    // The window and the data it shows are built in the next tenth of a
    // second; their memory comes in huge pages where the system allows.
    PrepareStartHeap(std::size_t(24) << 20);
    TGlobal &g = Global();
    g.ProgramFolder = DefaultProgramFolder();
    // The schedules and the ToDo list are read on the spare core while Qt
    // starts and the window is built; the load takes them if the files have
    // not changed meanwhile.
    const QString dataFolder = ConfiguredDataFolder();
    const TSchedulePrefetch schedules(TGlobal::ScheduleFileIn(dataFolder));
    const TToDoPrefetch toDo(TGlobal::ToDoFileIn(dataFolder));
    // The code and fonts the window needs are made ready on the spare core
    // too; begun after the readers, since while it maps pages in, making a
    // thread (which maps its stack) has to wait.
    const TStartWarmup warmup;
    TQuillmereApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Quillmere"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QM_VERSION));
    // No display name: the desktop would append it to every window title,
    // which already names the program.
    QGuiApplication::setDesktopFileName(QStringLiteral("quillmere"));

    // A second start only asks the first to come forward; it touches nothing.
    TSingleInstance instance;
    if (instance.activateRunningInstance())
        return 0;
    instance.listen();

    g.AppTitle = QStringLiteral("Quillmere");
    QDir().mkpath(g.ProgramFolder);

    TMessageBoxPrompter prompter;
    TSystemClock clock;
    try {
        ShowSplashOnFirstStart();
    } catch (const EQuillmereError &e) {
        app.showGeneralError(e.message());
    }

    std::unique_ptr<TfrmQuillmereMainWindow> window;
    try {
        window = std::make_unique<TfrmQuillmereMainWindow>(prompter, clock);
    } catch (const EQuillmereError &e) {
        app.showGeneralError(e.message());
        return 1;
    }
    prompter.setParent(window.get());
    QObject::connect(&instance, &TSingleInstance::activationRequested, window.get(),
                     &TfrmQuillmereMainWindow::BringToFront);
    installTerminationHandlers(*window);
    // The desktop session ending is an exit like any other.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, window.get(),
                     [&window](QSessionManager &) { window->close(); });

    if (qEnvironmentVariableIsSet("QUILLMERE_EXIT_AFTER_FIRST_PAINT"))
        window->installEventFilter(new TExitAfterFirstPaint(window.get()));
    if (!ReadSettingBool(sk::SETTINGS, "ShowMinimize"))
        window->show();
    return app.exec();
}
