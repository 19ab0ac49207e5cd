#include "core/appglobal.h"
#include "core/clock.h"
#include "core/datafolders.h"
#include "core/errors.h"
#include "core/profile.h"
#include "support/scriptedprompter.h"
#include "support/testhome.h"
#include "ui/application.h"
#include "ui/mainwindow.h"
#include "ui/singleinstance.h"
#include "ui/splash.h"

#include <QAction>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <cstring>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
const QString S = QStringLiteral("SETTINGS");
const QString DF = QStringLiteral("DataFolders");

// Throws from inside event delivery, as a failing command does.
class TThrower : public QObject
{
public:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User)
            throw EQuillmereError(QStringLiteral("保存できません"));
        return QObject::event(e);
    }
};
} // namespace

class TestUiFoundation : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstStartRegistersProgramFolder();
    void missingDataFolderFallsBackOnce();
    void exitWritesDataFolder();
    void splashOnlyOnFirstStart();
    void generalErrorText_data();
    void generalErrorText();
    void errorReachingEventLoopIsShown();
    void secondInstanceActivatesFirst();
    void staleSocketIsTakenOverAndStrangersIgnored();
    void overflowButtonsShowAnArrow();
    void fullSlotTableAddsMenuItemOnly();
    void switchDataFolderSavesAndReopens();
    void firstMinuteTickFinishesStartup();
};

void TestUiFoundation::firstStartRegistersProgramFolder()
{
    TTestHome home;
    TScriptedPrompter prompter;
    TFixedClock clock(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    TfrmQuillmereMainWindow w(prompter, clock);

    QVERIFY(prompter.messages.isEmpty());
    QCOMPARE(Global().CurrentDataFolder, home.programFolder());
    // The title is looked up before the folder is registered, and names it
    // once it is, rather than staying "Quillmere - ".
    QCOMPARE(w.windowTitle(), QStringLiteral("Quillmere - デフォルトデータフォルダ"));
    QCOMPARE(Global().CurrentDataFolderTitle, kDefaultDataFolderTitle);
    const TProfileFile settings(home.settingsFile());
    QCOMPARE(settings.readString(DF, QStringLiteral("DataFolderTitle1"), {}), kDefaultDataFolderTitle);
    QCOMPARE(settings.readString(DF, QStringLiteral("DataFolderName1"), {}), home.programFolder());
    for (const char *sub : {"Memo", "Note", "Templates"})
        QVERIFY2(QFileInfo(home.programFolder() + QLatin1String(sub)).isDir(), sub);
    QCOMPARE(home.read(home.programFolder() + QStringLiteral("Templates/住所録.txt")), AddressBookTemplate());

    const QList<QAction *> items = w.dataFolderMenu()->actions();
    QCOMPARE(items.size(), 3); // manager, separator, the one folder
    QCOMPARE(items.last()->text(), kDefaultDataFolderTitle);
    QVERIFY(items.last()->isChecked());
}

void TestUiFoundation::missingDataFolderFallsBackOnce()
{
    TTestHome home;
    const QString gone = home.root() + QStringLiteral("gone/");
    const TProfileFile settings(home.settingsFile());
    settings.writeString(S, QStringLiteral("DataFolder"), gone);
    settings.writeString(DF, QStringLiteral("DataFolderTitle1"), QStringLiteral("旅行"));
    settings.writeString(DF, QStringLiteral("DataFolderName1"), gone);
    TScriptedPrompter prompter;
    TFixedClock clock;
    TfrmQuillmereMainWindow w(prompter, clock);

    QCOMPARE(prompter.kinds(), QStringList{QStringLiteral("error")});
    QCOMPARE(prompter.messages.first().text,
             QStringLiteral("データフォルダが見つかりません。\r\nデフォルトのデータフォルダを使用します。"));
    QCOMPARE(Global().CurrentDataFolder, home.programFolder());
    QCOMPARE(w.windowTitle(), QStringLiteral("Quillmere - 旅行"));
    QVERIFY(!QFileInfo::exists(gone));
}

void TestUiFoundation::exitWritesDataFolder()
{
    TTestHome home;
    TProfileFile(home.settingsFile()).writeString(S, QStringLiteral("DataFolder"), home.dataFolder());
    TScriptedPrompter prompter;
    TFixedClock clock;
    {
        TfrmQuillmereMainWindow w(prompter, clock);
        QCOMPARE(Global().CurrentDataFolder, home.dataFolder());
        // The folder vanishes while the program runs: the next start must not
        // be sent looking for it.
        QDir(home.dataFolder()).removeRecursively();
        w.close();
        QVERIFY(w.isClosing());
    }
    QCOMPARE(TProfileFile(home.settingsFile()).readString(S, QStringLiteral("DataFolder"), {}), home.programFolder());
}

void TestUiFoundation::splashOnlyOnFirstStart()
{
    TTestHome home;
    QPointer<TfrmSprash> first = ShowSplashOnFirstStart();
    QVERIFY(first);
    QCOMPARE(first->size(), QSize(318, 196));
    QCOMPARE(TProfileFile(home.settingsFile()).readString(S, QStringLiteral("ShowSprash"), {}), QStringLiteral("0"));
    QCOMPARE(ShowSplashOnFirstStart(), nullptr);
    // It goes away by itself once the event loop has run for a second.
    QTRY_VERIFY_WITH_TIMEOUT(first.isNull(), 3000);
}

void TestUiFoundation::generalErrorText_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain") << "abc" << "abc.";
    QTest::newRow("already a full stop") << "abc." << "abc.";
    QTest::newRow("japanese full stop") << "保存できません。" << "保存できません。.";
    QTest::newRow("exclamation sorts before") << "disk full!" << "disk full!";
    QTest::newRow("closing paren sorts before") << "エラー(5)" << "エラー(5)";
    QTest::newRow("digit sorts after") << "Error #5" << "Error #5.";
    QTest::newRow("empty") << "" << "";
}

void TestUiFoundation::generalErrorText()
{
    QFETCH(QString, message);
    QFETCH(QString, shown);
    QCOMPARE(GeneralErrorText(message), shown);
}

void TestUiFoundation::errorReachingEventLoopIsShown()
{
    auto *app = qobject_cast<TQuillmereApplication *>(QCoreApplication::instance());
    QVERIFY(app);
    TScriptedPrompter prompter;
    app->setErrorPrompter(&prompter);
    TThrower thrower;
    QCoreApplication::postEvent(&thrower, new QEvent(QEvent::User));
    QCoreApplication::processEvents();
    app->setErrorPrompter(nullptr);
    QCOMPARE(prompter.kinds(), QStringList{QStringLiteral("error")});
    QCOMPARE(prompter.messages.first().text, QStringLiteral("保存できません."));
    QCOMPARE(prompter.messages.first().caption, Global().AppTitle);
}

void TestUiFoundation::secondInstanceActivatesFirst()
{
    const QString name = QStringLiteral("quillmere-test-%1").arg(QCoreApplication::applicationPid());
    TSingleInstance nobody(name);
    QVERIFY(!nobody.activateRunningInstance(200));

    TSingleInstance first(name);
    QVERIFY(first.listen());
    QSignalSpy spy(&first, &TSingleInstance::activationRequested);
    TSingleInstance second(name);
    QVERIFY(second.activateRunningInstance(2000));
    QVERIFY(spy.wait(2000));
    QCOMPARE(spy.count(), 1);
}

// A program that died leaves its socket file behind: the next start must not
// take it for a running program, and must take the name over. A client that
// says something else, or too much, brings nothing forward.
void TestUiFoundation::staleSocketIsTakenOverAndStrangersIgnored()
{
    const QString name = QStringLiteral("quillmere-stale-%1").arg(QCoreApplication::applicationPid());
    const QByteArray path = QFile::encodeName(QDir::tempPath() + QLatin1Char('/') + name);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, path.constData(), static_cast<size_t>(path.size()));
    const auto connectRaw = [&addr] {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        return ::connect(fd, reinterpret_cast<const sockaddr *>(&addr), sizeof addr) == 0 ? fd : (::close(fd), -1);
    };
    {
        const int dead = ::socket(AF_UNIX, SOCK_STREAM, 0);
        QCOMPARE(::bind(dead, reinterpret_cast<const sockaddr *>(&addr), sizeof addr), 0);
        ::close(dead); // the file stays, nobody listens
    }
    QVERIFY(QFileInfo::exists(QFile::decodeName(path)));
    TSingleInstance second(name);
    QVERIFY(!second.activateRunningInstance(200));

    {
        TSingleInstance first(name);
        QVERIFY(first.listen());
        QCOMPARE(QFileInfo(QFile::decodeName(path)).permissions() & (QFile::ReadOther | QFile::WriteOther), QFile::Permissions());
        QSignalSpy spy(&first, &TSingleInstance::activationRequested);
        for (const QByteArray &talk : {QByteArray("hello\n"), QByteArray(4096, 'x') + "activate\n"}) {
            const int fd = connectRaw();
            QVERIFY(fd >= 0);
            QCOMPARE(::send(fd, talk.constData(), static_cast<size_t>(talk.size()), MSG_NOSIGNAL), talk.size());
            ::close(fd);
        }
        QVERIFY(second.activateRunningInstance(2000));
        QVERIFY(spy.wait(2000));
        QTest::qWait(50);
        QCOMPARE(spy.count(), 1);
    }
    // A program that ends in order takes its socket file with it.
    QVERIFY(!QFileInfo::exists(QFile::decodeName(path)));
}

// The bars' overflow buttons carry an arrow of their own drawing: visible,
// in the text colour, pointing along the bar.
void TestUiFoundation::overflowButtonsShowAnArrow()
{
    const auto arrowOf = [](Qt::Orientation orientation) {
        QToolBar bar;
        bar.setOrientation(orientation);
        auto *button = bar.findChild<QToolButton *>(QStringLiteral("qt_toolbar_ext_button"));
        return button ? button->icon().pixmap(QSize(16, 16)).toImage().convertToFormat(QImage::Format_ARGB32) : QImage();
    };
    const QImage across = arrowOf(Qt::Horizontal);
    const QImage down = arrowOf(Qt::Vertical);
    QCOMPARE(across.size(), QSize(16, 16));
    const QRgb text = QGuiApplication::palette().color(QPalette::WindowText).rgb();
    int inked = 0;
    int leftHalf = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (qAlpha(across.pixel(x, y)) == 255) {
                QCOMPARE(across.pixel(x, y), text);
                ++inked;
                leftHalf += x < 8;
            }
    QVERIFY(inked > 8);
    QVERIFY(leftHalf > 0 && leftHalf < inked);
    QTransform quarter;
    quarter.rotate(90);
    QCOMPARE(down, across.transformed(quarter));
}

void TestUiFoundation::fullSlotTableAddsMenuItemOnly()
{
    TTestHome home;
    const TProfileFile settings(home.settingsFile());
    for (int n = 1; n <= 10; ++n) {
        settings.writeString(DF, QStringLiteral("DataFolderTitle%1").arg(n), QStringLiteral("F%1").arg(n));
        settings.writeString(DF, QStringLiteral("DataFolderName%1").arg(n), home.programFolder());
    }
    TScriptedPrompter prompter;
    TFixedClock clock;
    TfrmQuillmereMainWindow w(prompter, clock);
    QCOMPARE(w.dataFolderMenu()->actions().size(), 12);
    const QByteArray before = home.settings();
    QVERIFY(w.AddDataFolderEntry(QStringLiteral("十一番目"), home.dataFolder(), true));
    QCOMPARE(w.dataFolderMenu()->actions().size(), 13);
    QCOMPARE(home.settings(), before);
    QCOMPARE(w.RebuildDataFolderMenu(), 10);
    QCOMPARE(w.dataFolderMenu()->actions().size(), 12);
}

void TestUiFoundation::switchDataFolderSavesAndReopens()
{
    TTestHome home;
    const TProfileFile settings(home.settingsFile());
    settings.writeString(DF, QStringLiteral("DataFolderTitle1"), QStringLiteral("既定"));
    settings.writeString(DF, QStringLiteral("DataFolderName1"), home.programFolder());
    settings.writeString(DF, QStringLiteral("DataFolderTitle2"), QStringLiteral("仕事"));
    settings.writeString(DF, QStringLiteral("DataFolderName2"), home.dataFolder());
    TScriptedPrompter prompter;
    TFixedClock clock;
    TfrmQuillmereMainWindow w(prompter, clock);
    QCOMPARE(w.windowTitle(), QStringLiteral("Quillmere - 既定"));

    QAction *work = w.dataFolderMenu()->actions().last();
    QCOMPARE(work->text(), QStringLiteral("仕事"));
    // Clearing and reloading the editors never shows anything as unsaved.
    QAction *save = w.action(QStringLiteral("acSaveData"));
    QVERIFY(!save->isEnabled());
    const QSignalSpy saveChanges(save, &QAction::changed);
    work->trigger();
    QCOMPARE(saveChanges.count(), 0);

    QCOMPARE(Global().CurrentDataFolder, home.dataFolder());
    QCOMPARE(Global().CurrentDataFolderTitle, QStringLiteral("仕事"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Quillmere - 仕事"));
    QVERIFY(work->isChecked());
    QVERIFY(w.isEnabled());
    QVERIFY(QFileInfo(home.dataFolder() + QStringLiteral("Templates/住所録.txt")).isFile());
    // Save-all ran for the folder being left.
    QCOMPARE(settings.readString(S, QStringLiteral("DataFolder"), {}), home.programFolder());
    QVERIFY(prompter.messages.isEmpty());
}

void TestUiFoundation::firstMinuteTickFinishesStartup()
{
    TTestHome home;
    TScriptedPrompter prompter;
    TFixedClock clock(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    TfrmQuillmereMainWindow w(prompter, clock);
    QVERIFY(!w.exitAction()->isEnabled());
    QCOMPARE(w.minuteTimer()->interval(), 1);
    QVERIFY(w.minuteTimer()->isActive());
    QTRY_VERIFY(w.startupFinished());
    QVERIFY(w.exitAction()->isEnabled());
    QCOMPARE(w.minuteTimer()->interval(), 60000);
}

int main(int argc, char **argv)
{
    TQuillmereApplication app(argc, argv);
    TestUiFoundation test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_ui_foundation.moc"
