#include "core/datetime.h"
#include "schedule/alarmtimer.h"
#include "support/clirun.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

using TRun = TCliRun;

TAlarm2 make(int kind, const QStringList &lines, int y, int mo, int d, int h, int mi)
{
    TAlarm2 a;
    a.AlarmType = static_cast<quint8>(kind);
    a.AlarmDateTime = {quint16(y), quint16(mo), quint16(d), quint16(h), quint16(mi), 0x01};
    a.Lines = lines;
    return a;
}

} // namespace

// The command-line tool's schedule commands, run as the user runs them.
class TestScheduleCli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString data() const { return m_dir.path() + QStringLiteral("/data/"); }
    QString file() const { return data() + QStringLiteral("schedule.dat"); }

    TRun cli(const QStringList &args) { return RunCli(QStringLiteral(QM_CLI_PATH), m_dir.path(), data(), args); }

    void writeFixture()
    {
        TAlarmTimer timer;
        TAlarm2 morning = make(0, {QStringLiteral("朝の\"会議\""), QStringLiteral("二行目")}, 0, 0, 0, 8, 0);
        morning.PreviouseAlert = {AlertByMinutes, 120, {}, 0.0};
        timer.AlarmList().Add(morning);
        TAlarm2 dated = make(3, {QStringLiteral("歯医者")}, 2024, 5, 2, 10, 30);
        dated.PreviouseAlert = {AlertByDays, 2, {}, 0.0};
        dated.LastAlarmed = qmdt::fromDateTime(QDateTime(QDate(2024, 4, 1), QTime(10, 30)));
        dated.ExecuteType = etShellExecute;
        dated.ShellExecute.FileName = QStringLiteral("a\tb.txt");
        timer.AlarmList().Add(dated);
        TAlarm2 startup = make(10, {QStringLiteral("起動")}, 0, 0, 0, 0, 0);
        startup.ExecuteType = etMessage;
        startup.HideFromShowSchedule = 1;
        timer.AlarmList().Add(startup);
        QVERIFY(timer.SaveToFile(file()).ok);
    }

private Q_SLOTS:
    void init()
    {
        QDir().mkpath(data());
        QDir().mkpath(m_dir.path() + QStringLiteral("/home"));
        QDir(data()).removeRecursively();
        QDir().mkpath(data());
        writeFixture();
    }

    void schedulesAsJson()
    {
        const TRun r = cli({QStringLiteral("schedules")});
        QCOMPARE(r.code, 0);
        const QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0],
                 QStringLiteral("{\"AlarmType\":0,\"Year\":0,\"Month\":0,\"Day\":0,\"Hour\":8,\"Minute\":0,\"DaysOfWeek\":1,\"LastAlarmed\":null,"
                                "\"ExecuteType\":2,\"ShellExecute\":{\"Handle\":0,\"Operation\":\"open\",\"FileName\":\"\",\"Parameters\":\"\",\"Directory\":\"\",\"ShowCmd\":5},"
                                "\"Enabled\":true,\"Lines\":[\"朝の\\\"会議\\\"\",\"二行目\"],\"HideFromShowSchedule\":false,\"UseColor\":false,\"Color\":0,"
                                "\"PreviouseAlert\":{\"Kind\":3,\"Amount\":120,\"LastAlerted\":null},\"DateText\":\"毎日\",\"TimeText\":\"08:00\"}"));
        QVERIFY(lines[1].contains(QStringLiteral("\"LastAlarmed\":\"2024-04-01 10:30:00\"")));
        QVERIFY(lines[1].contains(QStringLiteral("\"FileName\":\"a\\tb.txt\"")));
        QVERIFY(lines[1].contains(QStringLiteral("\"DateText\":\"2024/05/02\",\"TimeText\":\"10:30\"}")));
        QVERIFY(lines[2].contains(QStringLiteral("\"HideFromShowSchedule\":true")));
        QVERIFY(lines[2].contains(QStringLiteral("\"TimeText\":\"起動時\"")));
    }

    void tickPrintsEventsInOrderAndWritesOnlyWithSave()
    {
        const QByteArray before = [&] {
            QFile f(file());
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        const TRun r = cli({QStringLiteral("tick"), QStringLiteral("2024-04-30 05:59:55"), QStringLiteral("2024-05-02 10:31")});
        QCOMPARE(r.code, 0);
        const QStringList expected = {
            QStringLiteral("2024-04-30 05:59:55\talert\tQuillmereの事前通知\t明後日は下記の予定があります。\t歯医者"),
            QStringLiteral("2024-04-30 05:59:55\tmessage\tQuillmere\t\t起動"),
            QStringLiteral("2024-04-30 05:59:55\talarm\tQuillmereの予定\t予定の時間です。\t起動"),
            QStringLiteral("2024-04-30 06:00:05\talert\tQuillmereの事前通知\t2時間後に下記の予定があります。\t朝の\"会議\""),
            QStringLiteral("2024-04-30 08:00:05\talarm\tQuillmereの予定\t予定の時間です。\t朝の\"会議\""),
            QStringLiteral("2024-05-01 00:00:05\talert\tQuillmereの事前通知\t明日は下記の予定があります。\t歯医者"),
            QStringLiteral("2024-05-01 06:00:05\talert\tQuillmereの事前通知\t2時間後に下記の予定があります。\t朝の\"会議\""),
            QStringLiteral("2024-05-01 08:00:05\talarm\tQuillmereの予定\t予定の時間です。\t朝の\"会議\""),
            QStringLiteral("2024-05-02 00:00:05\talert\tQuillmereの事前通知\t今日は下記の予定があります。\t歯医者"),
            QStringLiteral("2024-05-02 06:00:05\talert\tQuillmereの事前通知\t2時間後に下記の予定があります。\t朝の\"会議\""),
            QStringLiteral("2024-05-02 08:00:05\talarm\tQuillmereの予定\t予定の時間です。\t朝の\"会議\""),
            QStringLiteral("2024-05-02 10:30:05\tstart-file\t\ta b.txt\t歯医者"),
            QStringLiteral("2024-05-02 10:30:05\talarm\tQuillmereの予定\t予定の時間です。\t歯医者"),
        };
        QCOMPARE(r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts), expected);
        QFile f(file());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
        f.close();

        const TRun saved = cli({QStringLiteral("tick"), QStringLiteral("2024-05-02 10:30"), QStringLiteral("2024-05-02 10:30"), QStringLiteral("--save")});
        QCOMPARE(saved.code, 0);
        QVERIFY(QFileInfo::exists(data() + QStringLiteral("schedule.bak")));
        TAlarmTimer timer;
        QVERIFY(timer.LoadFromFile(file(), false).ok());
        QCOMPARE(timer.AlarmList().Items(1)->LastAlarmed, qmdt::fromDateTime(QDateTime(QDate(2024, 5, 2), QTime(10, 30))));
    }

    void damagedFileIsReportedNotKept()
    {
        QFile f(file());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(12, '\0'));
        f.close();
        for (const QStringList &args : {QStringList{QStringLiteral("schedules")},
                                        QStringList{QStringLiteral("tick"), QStringLiteral("2024-01-01 00:00"), QStringLiteral("2024-01-01 00:01")},
                                        QStringList{QStringLiteral("check")}}) {
            const TRun r = cli(args);
            QCOMPARE(r.code, 1);
            QCOMPARE(r.err, file() + QStringLiteral("は Quillmereのﾃﾞｰﾀﾌｧｲﾙでないか、壊れています。\n"));
        }
        QVERIFY(!QFileInfo::exists(file() + QStringLiteral(".damaged")));
    }

    void wrongUsage()
    {
        QCOMPARE(cli({QStringLiteral("schedules"), QStringLiteral("x")}).code, 2);
        QCOMPARE(cli({QStringLiteral("tick"), QStringLiteral("2024-01-01 00:00")}).code, 2);
        QCOMPARE(cli({QStringLiteral("tick"), QStringLiteral("2024-01-02 00:00"), QStringLiteral("2024-01-01 00:00")}).code, 2);
        QCOMPARE(cli({QStringLiteral("tick"), QStringLiteral("yesterday"), QStringLiteral("2024-01-01 00:00")}).code, 2);
    }
};

QTEST_GUILESS_MAIN(TestScheduleCli)
#include "test_schedule_cli.moc"
