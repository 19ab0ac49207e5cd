#include "core/appglobal.h"
#include "schedule/alarmtimer.h"
#include "ui/singleinstance.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A program folder and a data folder holding schedules, as the program finds
// them on a user's machine.
struct TStartFolder
{
    QTemporaryDir dir;
    QString home() const { return dir.path() + QStringLiteral("/home/"); }
    QString data() const { return dir.path() + QStringLiteral("/data/"); }
    QString scheduleFile() const { return TGlobal::ScheduleFileIn(data()); }

    TStartFolder()
    {
        QDir().mkpath(home());
        QDir().mkpath(data());
        QFile settings(home() + QStringLiteral("settings.cnf"));
        if (settings.open(QIODevice::WriteOnly))
            settings.write("[SETTINGS]\r\nShowSprash=0\r\nShowScheduleOnStartUp=0\r\nDataFolder=" + data().toUtf8()
                           + "\r\n");
        TAlarmTimer timer;
        for (int i = 0; i < 200; ++i) {
            TAlarm2 a;
            a.AlarmType = 0;
            a.AlarmDateTime = {0, 0, 0, quint16(i % 24), quint16(i % 60), 0};
            a.Lines = {QStringLiteral("予定 %1").arg(i)};
            timer.AlarmList().Add(a);
        }
        saved = timer.SaveToFile(scheduleFile()).ok;
    }
    bool saved = false;

    QByteArray schedules() const
    {
        QFile f(scheduleFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void start(QProcess &p, bool exitAtFirstPaint) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QUILLMERE_HOME"), home());
        env.insert(QStringLiteral("XDG_DATA_HOME"), dir.path() + QStringLiteral("/xdg"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        if (exitAtFirstPaint)
            env.insert(QStringLiteral("QUILLMERE_EXIT_AFTER_FIRST_PAINT"), QStringLiteral("1"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(QM_APP_PATH), QStringList());
    }
};

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The schedules are read on a second thread while the window is built;
    // the window still comes up and nothing is written on the way.
    void firstPaintWithSchedules()
    {
        TStartFolder folder;
        QVERIFY(folder.saved);
        const QByteArray before = folder.schedules();
        QVERIFY(!before.isEmpty());
        QProcess p;
        folder.start(p, true);
        QVERIFY(p.waitForFinished(60000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        QVERIFY2(p.readAllStandardOutput().startsWith("first paint at "), p.readAllStandardError().constData());
        QCOMPARE(folder.schedules(), before);
    }

    // A second start hands over to the running program and ends at once,
    // with the reading it began at start-up still under way or not.
    void secondStartLeavesAtOnce()
    {
        TStartFolder folder;
        QVERIFY(folder.saved);
        TSingleInstance first(TSingleInstance::DefaultName());
        QVERIFY(first.listen());
        QSignalSpy asked(&first, &TSingleInstance::activationRequested);
        QProcess p;
        folder.start(p, false);
        QVERIFY(asked.wait(30000));
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        QVERIFY(p.readAllStandardOutput().isEmpty());
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
