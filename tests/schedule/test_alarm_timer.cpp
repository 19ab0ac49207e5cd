#include "core/datetime.h"
#include "schedule/alarmtimer.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

constexpr quint8 kMon = 1u << 2;

TAlarm2 make(int kind, const QString &text, int y, int mo, int d, int h, int mi, quint8 days = 0x01)
{
    TAlarm2 a;
    a.AlarmType = static_cast<quint8>(kind);
    a.AlarmDateTime = {quint16(y), quint16(mo), quint16(d), quint16(h), quint16(mi), days};
    a.Lines = {text};
    return a;
}

TAlarm2 withNotice(TAlarm2 a, int kind, int amount)
{
    a.PreviouseAlert.Kind = static_cast<quint8>(kind);
    a.PreviouseAlert.Amount = amount;
    return a;
}

QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

// Writes every event as "yyyy-MM-dd HH:mm:ss kind text [alarmDate]".
class TRecorder
{
public:
    explicit TRecorder(TAlarmTimer &timer) : m_timer(timer)
    {
        QObject::connect(&timer, &TAlarmTimer::OnAlarm, [this](TAlarm2 *a) { add(QStringLiteral("alarm"), a); });
        QObject::connect(&timer, &TAlarmTimer::OnAlert, [this](TAlarm2 *a, const QDateTime &date) {
            add(QStringLiteral("alert"), a, QLatin1Char(' ') + date.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
        });
        QObject::connect(&timer, &TAlarmTimer::OnExecute, [this](TAlarm2 *a) { add(QStringLiteral("execute"), a); });
        QObject::connect(&timer, &TAlarmTimer::OnMessage, [this](TAlarm2 *a, const QString &text) {
            add(QStringLiteral("message"), a, QLatin1Char(' ') + QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("|")));
        });
    }
    void tick(const QDateTime &now)
    {
        m_now = now;
        m_timer.Tick(now);
    }
    // Ticks every `step` seconds over [from, to).
    void run(const QDateTime &from, const QDateTime &to, int step = 10)
    {
        for (QDateTime t = from; t < to; t = t.addSecs(step))
            tick(t);
    }
    QStringList events;

private:
    void add(const QString &kind, const TAlarm2 *a, const QString &extra = {})
    {
        events << m_now.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss ")) + kind + QLatin1Char(' ')
                      + (a->Lines.isEmpty() ? QString() : a->Lines.first()) + extra;
    }
    TAlarmTimer &m_timer;
    QDateTime m_now;
};

} // namespace

class TestAlarmTimer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void propertiesForTheWindowTimer()
    {
        TAlarmTimer timer;
        QCOMPARE(timer.Enabled(), true);
        QCOMPARE(timer.Interval(), 10000u);
        QSignalSpy enabled(&timer, &TAlarmTimer::EnabledChanged);
        QSignalSpy interval(&timer, &TAlarmTimer::IntervalChanged);
        timer.SetEnabled(true);
        timer.SetEnabled(false);
        timer.SetEnabled(false);
        timer.SetInterval(10000);
        timer.SetInterval(500);
        QCOMPARE(enabled.count(), 1);
        QCOMPARE(interval.count(), 1);
        QCOMPARE(timer.property("Enabled").toBool(), false);
        QCOMPARE(timer.property("Interval").toUInt(), 500u);
    }

    void everyDayAtEightFiresOncePerDay()
    {
        TAlarmTimer timer;
        timer.AlarmList().Add(make(0, QStringLiteral("朝"), 0, 0, 0, 8, 0));
        TRecorder rec(timer);
        rec.run(at(2024, 5, 1, 7, 58), at(2024, 5, 2, 8, 5));
        QCOMPARE(rec.events, (QStringList{QStringLiteral("2024-05-01 08:00:00 alarm 朝"), QStringLiteral("2024-05-02 08:00:00 alarm 朝")}));
        // A minute missed is not caught up.
        TRecorder late(timer);
        late.tick(at(2024, 5, 3, 8, 1));
        QVERIFY(late.events.isEmpty());
    }

    void timedKindsByDay_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("m");
        QTest::addColumn<int>("d");
        QTest::addColumn<int>("days");
        QTest::addColumn<QStringList>("firingDates");
        // 2024-04-29 is a Monday; the run covers 2024-04-28 .. 2024-05-06.
        QTest::newRow("weekly monday") << 1 << 0 << 0 << 0 << int(kMon) << QStringList{"2024-04-29", "2024-05-06"};
        QTest::newRow("weekly no day") << 1 << 0 << 0 << 0 << 1 << QStringList{};
        QTest::newRow("monthly 1st") << 2 << 0 << 0 << 1 << 1 << QStringList{"2024-05-01"};
        QTest::newRow("monthly 31st") << 2 << 0 << 0 << 31 << 1 << QStringList{};
        QTest::newRow("date") << 3 << 2024 << 5 << 3 << 1 << QStringList{"2024-05-03"};
        QTest::newRow("yearly") << 4 << 1999 << 4 << 30 << 1 << QStringList{"2024-04-30"};
        QTest::newRow("untimed weekly") << 6 << 0 << 0 << 0 << int(kMon) << QStringList{"2024-04-29", "2024-05-06"};
        QTest::newRow("untimed monthly") << 7 << 0 << 0 << 2 << 1 << QStringList{"2024-05-02"};
        QTest::newRow("untimed date") << 8 << 2024 << 4 << 28 << 1 << QStringList{"2024-04-28"};
        QTest::newRow("untimed yearly") << 9 << 0 << 5 << 5 << 1 << QStringList{"2024-05-05"};
        QTest::newRow("every day untimed") << 5 << 0 << 0 << 0 << 1
                                           << QStringList{"2024-04-28", "2024-04-29", "2024-04-30", "2024-05-01", "2024-05-02",
                                                          "2024-05-03", "2024-05-04", "2024-05-05", "2024-05-06"};
        QTest::newRow("unknown kind") << 11 << 0 << 0 << 0 << 1 << QStringList{};
    }
    void timedKindsByDay()
    {
        QFETCH(int, kind);
        QFETCH(int, y);
        QFETCH(int, m);
        QFETCH(int, d);
        QFETCH(int, days);
        QFETCH(QStringList, firingDates);
        TAlarmTimer timer;
        timer.AlarmList().Add(make(kind, QStringLiteral("x"), y, m, d, 12, 30, quint8(days)));
        TRecorder rec(timer);
        // Ticks at 03:00 (untimed kinds fire at their day's first tick) and
        // over 12:29-12:32 of every day.
        for (QDate day(2024, 4, 28); day <= QDate(2024, 5, 6); day = day.addDays(1)) {
            rec.tick(QDateTime(day, QTime(3, 0)));
            rec.run(QDateTime(day, QTime(12, 29)), QDateTime(day, QTime(12, 32)));
        }
        QStringList expected;
        const QString time = kind <= 4 ? QStringLiteral(" 12:30:00") : QStringLiteral(" 03:00:00");
        for (const QString &date : firingDates)
            expected << date + time + QStringLiteral(" alarm x");
        QCOMPARE(rec.events, expected);
    }

    void untimedEveryDayFiresAtFirstTickAfterMidnightOrStart()
    {
        TAlarmTimer timer;
        timer.AlarmList().Add(make(5, QStringLiteral("毎日"), 0, 0, 0, 0, 0));
        TRecorder rec(timer);
        rec.run(at(2024, 5, 1, 14, 23, 7), at(2024, 5, 2, 0, 1));
        QCOMPARE(rec.events, (QStringList{QStringLiteral("2024-05-01 14:23:07 alarm 毎日"), QStringLiteral("2024-05-02 00:00:07 alarm 毎日")}));
    }

    void startUpFiresOnceUntilReloaded()
    {
        TAlarmTimer timer;
        timer.AlarmList().Add(make(10, QStringLiteral("起動"), 0, 0, 0, 0, 0));
        TRecorder rec(timer);
        rec.run(at(2024, 5, 1, 9, 0), at(2024, 5, 2, 9, 1), 60);
        QCOMPARE(rec.events, QStringList{QStringLiteral("2024-05-01 09:00:00 alarm 起動")});
        QByteArray image;
        QVERIFY(WriteScheduleStream(timer.AlarmList(), timer.Tail(), image));
        QVERIFY(timer.LoadFromBytes(image).ok());
        rec.tick(at(2024, 5, 2, 9, 5));
        QCOMPARE(rec.events.size(), 2);
        QCOMPARE(rec.events.last(), QStringLiteral("2024-05-02 09:05:00 alarm 起動"));
    }

    void disabledScheduleIsPassedOver()
    {
        TAlarmTimer timer;
        TAlarm2 a = withNotice(make(0, QStringLiteral("off"), 0, 0, 0, 8, 0), AlertByDays, 1);
        a.Enabled = 0;
        timer.AlarmList().Add(a);
        TRecorder rec(timer);
        rec.run(at(2024, 5, 1, 7, 59), at(2024, 5, 1, 8, 1));
        QVERIFY(rec.events.isEmpty());
        QCOMPARE(timer.AlarmList().Items(0)->LastAlarmed, 0.0);
    }

    void actionsComeBeforeTheEvents()
    {
        TAlarmTimer timer;
        TAlarm2 file = withNotice(make(3, QStringLiteral("file"), 2024, 5, 1, 8, 0), AlertByMinutes, 0);
        file.ExecuteType = etShellExecute;
        timer.AlarmList().Add(file);
        TAlarm2 msg = make(0, QStringLiteral("one"), 0, 0, 0, 8, 0);
        msg.Lines << QStringLiteral("two");
        msg.ExecuteType = etMessage;
        timer.AlarmList().Add(msg);
        TRecorder rec(timer);
        rec.tick(at(2024, 5, 1, 8, 0, 5));
        QCOMPARE(rec.events, (QStringList{QStringLiteral("2024-05-01 08:00:05 execute file"),
                                          QStringLiteral("2024-05-01 08:00:05 alert file 2024-05-01 00:00"),
                                          QStringLiteral("2024-05-01 08:00:05 alarm file"),
                                          QStringLiteral("2024-05-01 08:00:05 message one one|two"),
                                          QStringLiteral("2024-05-01 08:00:05 alarm one")}));
        // Stamps are the moment of the tick.
        QCOMPARE(timer.AlarmList().Items(0)->LastAlarmed, qmdt::fromDateTime(at(2024, 5, 1, 8, 0, 5)));
        QCOMPARE(timer.AlarmList().Items(0)->PreviouseAlert.LastAlerted, qmdt::fromDateTime(at(2024, 5, 1, 8, 0, 5)));
    }

    void dateWithThreeDayNotice()
    {
        TAlarmTimer timer;
        timer.AlarmList().Add(withNotice(make(3, QStringLiteral("歯医者"), 2024, 1, 10, 9, 0), AlertByDays, 3));
        TRecorder rec(timer);
        rec.run(at(2024, 1, 5, 23, 0), at(2024, 1, 11, 12, 0));
        QCOMPARE(rec.events, (QStringList{QStringLiteral("2024-01-07 00:00:00 alert 歯医者 2024-01-10 00:00"),
                                          QStringLiteral("2024-01-08 00:00:00 alert 歯医者 2024-01-10 00:00"),
                                          QStringLiteral("2024-01-09 00:00:00 alert 歯医者 2024-01-10 00:00"),
                                          QStringLiteral("2024-01-10 00:00:00 alert 歯医者 2024-01-10 00:00"),
                                          QStringLiteral("2024-01-10 09:00:00 alarm 歯医者")}));
    }

    void noticeAndAlarmInOneTickComeNoticeFirst()
    {
        TAlarmTimer timer;
        timer.AlarmList().Add(withNotice(make(3, QStringLiteral("元日"), 2024, 1, 1, 0, 0), AlertByDays, 1));
        TRecorder rec(timer);
        rec.tick(at(2024, 1, 1, 0, 0, 3));
        QCOMPARE(rec.events, (QStringList{QStringLiteral("2024-01-01 00:00:03 alert 元日 2024-01-01 00:00"),
                                          QStringLiteral("2024-01-01 00:00:03 alarm 元日")}));
    }

    void everyDayWithOneDayNoticeSpeaksOfTomorrow()
    {
        TAlarmTimer timer;
        timer.AlarmList().Add(withNotice(make(0, QStringLiteral("d"), 0, 0, 0, 20, 0), AlertByDays, 1));
        TRecorder rec(timer);
        rec.run(at(2024, 2, 28, 6, 0), at(2024, 3, 1, 6, 1), 3600);
        QCOMPARE(rec.events, (QStringList{QStringLiteral("2024-02-28 06:00:00 alert d 2024-02-29 06:00"),
                                          QStringLiteral("2024-02-28 20:00:00 alarm d"),
                                          QStringLiteral("2024-02-29 00:00:00 alert d 2024-03-01 00:00"),
                                          QStringLiteral("2024-02-29 20:00:00 alarm d"),
                                          QStringLiteral("2024-03-01 00:00:00 alert d 2024-03-02 00:00")}));
    }

    void timeNotices_data()
    {
        QTest::addColumn<TAlarm2>("alarm");
        QTest::addColumn<QDateTime>("from");
        QTest::addColumn<QDateTime>("to");
        QTest::addColumn<QStringList>("alerts");
        QTest::newRow("date 10:00, 30 minutes")
            << withNotice(make(3, QStringLiteral("n"), 2024, 3, 5, 10, 0), AlertByMinutes, 30) << at(2024, 3, 4, 0, 0)
            << at(2024, 3, 6, 0, 0) << QStringList{"2024-03-05 09:30:00 alert n 2024-03-05 00:00"};
        QTest::newRow("mondays 10:00, 2 hours")
            << withNotice(make(1, QStringLiteral("n"), 0, 0, 0, 10, 0, kMon), AlertByHours, 2) << at(2024, 4, 28, 0, 0)
            << at(2024, 5, 7, 0, 0)
            << QStringList{"2024-04-29 08:00:00 alert n 2024-04-29 08:00", "2024-05-06 08:00:00 alert n 2024-05-06 08:00"};
        // Decided: a notice before the occurrence's midnight comes the evening before.
        QTest::newRow("date 01:00, 2 hours: the evening before")
            << withNotice(make(3, QStringLiteral("n"), 2024, 1, 10, 1, 0), AlertByHours, 2) << at(2024, 1, 8, 0, 0)
            << at(2024, 1, 11, 0, 0) << QStringList{"2024-01-09 23:00:00 alert n 2024-01-10 00:00"};
        QTest::newRow("every day 00:30, 60 minutes")
            << withNotice(make(0, QStringLiteral("n"), 0, 0, 0, 0, 30), AlertByMinutes, 60) << at(2024, 12, 30, 12, 0)
            << at(2025, 1, 1, 12, 0)
            << QStringList{"2024-12-30 23:30:00 alert n 2024-12-31 23:30", "2024-12-31 23:30:00 alert n 2025-01-01 23:30"};
        QTest::newRow("yearly 1 Jan 00:10, 20 minutes across the year")
            << withNotice(make(4, QStringLiteral("n"), 0, 1, 1, 0, 10), AlertByMinutes, 20) << at(2024, 12, 31, 23, 0)
            << at(2025, 1, 1, 1, 0) << QStringList{"2024-12-31 23:50:00 alert n 2025-01-01 00:00"};
        QTest::newRow("weekly 09:00, 48 hours")
            << withNotice(make(1, QStringLiteral("n"), 0, 0, 0, 9, 0, kMon), AlertByHours, 48) << at(2024, 4, 26, 0, 0)
            << at(2024, 4, 30, 0, 0) << QStringList{"2024-04-27 09:00:00 alert n 2024-04-29 09:00"};
        QTest::newRow("untimed kind gets no time notice")
            << withNotice(make(8, QStringLiteral("n"), 2024, 3, 5, 10, 0), AlertByMinutes, 30) << at(2024, 3, 5, 9, 0)
            << at(2024, 3, 5, 10, 1) << QStringList{};
    }
    void timeNotices()
    {
        QFETCH(TAlarm2, alarm);
        QFETCH(QDateTime, from);
        QFETCH(QDateTime, to);
        QFETCH(QStringList, alerts);
        TAlarmTimer timer;
        timer.AlarmList().Add(alarm);
        TRecorder rec(timer);
        rec.run(from, to);
        QStringList got;
        for (const QString &e : rec.events) {
            if (e.contains(QStringLiteral(" alert ")))
                got << e;
        }
        QCOMPARE(got, alerts);
    }

    void daysNoticeWindows_data()
    {
        QTest::addColumn<TAlarm2>("alarm");
        QTest::addColumn<QDate>("from");
        QTest::addColumn<QDate>("to");
        QTest::addColumn<QStringList>("alertDays");
        QTest::newRow("date across the year")
            << withNotice(make(3, QStringLiteral("n"), 2025, 1, 2, 9, 0), AlertByDays, 3) << QDate(2024, 12, 25) << QDate(2025, 1, 5)
            << QStringList{"2024-12-30", "2024-12-31", "2025-01-01", "2025-01-02"};
        QTest::newRow("date across a month")
            << withNotice(make(8, QStringLiteral("n"), 2024, 3, 1, 0, 0), AlertByDays, 2) << QDate(2024, 2, 25) << QDate(2024, 3, 5)
            << QStringList{"2024-02-28", "2024-02-29", "2024-03-01"};
        QTest::newRow("yearly does not reach across the year")
            << withNotice(make(4, QStringLiteral("n"), 0, 1, 2, 9, 0), AlertByDays, 5) << QDate(2024, 12, 25) << QDate(2025, 1, 5)
            << QStringList{"2025-01-01", "2025-01-02"};
        QTest::newRow("monthly 31st skips short months")
            << withNotice(make(7, QStringLiteral("n"), 0, 0, 31, 0, 0), AlertByDays, 1) << QDate(2024, 4, 25) << QDate(2024, 6, 3)
            << QStringList{"2024-05-30"}; // on the 31st the next one is in July
        QTest::newRow("weekly: the next one, never today")
            << withNotice(make(1, QStringLiteral("n"), 0, 0, 0, 9, 0, kMon), AlertByDays, 1) << QDate(2024, 4, 27) << QDate(2024, 5, 1)
            << QStringList{"2024-04-28"};
        QTest::newRow("yearly 29 Feb in a common year") << withNotice(make(9, QStringLiteral("n"), 0, 2, 29, 0, 0), AlertByDays, 5)
                                                        << QDate(2023, 2, 20) << QDate(2023, 3, 3) << QStringList{};
        QTest::newRow("weekly without days") << withNotice(make(1, QStringLiteral("n"), 0, 0, 0, 9, 0, 0x01), AlertByDays, 3)
                                             << QDate(2024, 4, 27) << QDate(2024, 5, 10) << QStringList{};
        QTest::newRow("monthly day 0") << withNotice(make(2, QStringLiteral("n"), 0, 0, 0, 9, 0), AlertByDays, 3) << QDate(2024, 4, 27)
                                       << QDate(2024, 5, 3) << QStringList{};
        QTest::newRow("monthly day 40") << withNotice(make(7, QStringLiteral("n"), 0, 0, 40, 9, 0), AlertByDays, 3)
                                        << QDate(2024, 4, 27) << QDate(2024, 5, 3) << QStringList{};
        QTest::newRow("impossible date") << withNotice(make(3, QStringLiteral("n"), 2023, 2, 30, 9, 0), AlertByDays, 3)
                                         << QDate(2023, 2, 20) << QDate(2023, 3, 3) << QStringList{};
        QTest::newRow("unknown kind") << withNotice(make(12, QStringLiteral("n"), 0, 0, 0, 9, 0), AlertByDays, 3) << QDate(2024, 4, 27)
                                      << QDate(2024, 5, 3) << QStringList{};
    }
    void daysNoticeWindows()
    {
        QFETCH(TAlarm2, alarm);
        QFETCH(QDate, from);
        QFETCH(QDate, to);
        QFETCH(QStringList, alertDays);
        TAlarmTimer timer;
        timer.AlarmList().Add(alarm);
        // A plain schedule after the broken ones keeps firing.
        timer.AlarmList().Add(make(5, QStringLiteral("after"), 0, 0, 0, 0, 0));
        TRecorder rec(timer);
        QStringList got;
        int afterAlarms = 0;
        for (QDate day = from; day <= to; day = day.addDays(1)) {
            rec.run(QDateTime(day, QTime(0, 0)), QDateTime(day, QTime(0, 1)));
            rec.tick(QDateTime(day, QTime(18, 0)));
        }
        for (const QString &e : rec.events) {
            if (e.contains(QStringLiteral(" alert n ")))
                got << e.left(10);
            if (e.contains(QStringLiteral(" alarm after")))
                ++afterAlarms;
        }
        QCOMPARE(got, alertDays);
        QCOMPARE(afterAlarms, int(from.daysTo(to)) + 1);
    }

    void nextAlarmDate_data()
    {
        QTest::addColumn<TAlarm2>("alarm");
        QTest::addColumn<QDateTime>("now");
        QTest::addColumn<QDateTime>("expected");
        const QDateTime now = at(2024, 1, 31, 15, 20, 10); // a Wednesday
        QTest::newRow("every day: tomorrow, same time") << withNotice(make(0, {}, 0, 0, 0, 9, 0), AlertByDays, 1) << now << now.addDays(1);
        QTest::newRow("every day, minutes: now") << withNotice(make(0, {}, 0, 0, 0, 9, 0), AlertByMinutes, 1) << now << now;
        QTest::newRow("start-up: tomorrow") << withNotice(make(10, {}, 0, 0, 0, 0, 0), AlertByDays, 1) << now << now.addDays(1);
        QTest::newRow("weekly monday") << withNotice(make(1, {}, 0, 0, 0, 9, 0, kMon), AlertByDays, 1) << now
                                       << QDateTime(QDate(2024, 2, 5), now.time());
        QTest::newRow("weekly wednesday: a week on") << withNotice(make(6, {}, 0, 0, 0, 9, 0, 1u << 4), AlertByDays, 1) << now
                                                     << QDateTime(QDate(2024, 2, 7), now.time());
        QTest::newRow("weekly wednesday, hours: today") << withNotice(make(1, {}, 0, 0, 0, 9, 0, 1u << 4), AlertByHours, 1) << now << now;
        QTest::newRow("monthly 30th skips February") << withNotice(make(2, {}, 0, 0, 30, 9, 0), AlertByDays, 1) << now
                                                     << QDateTime(QDate(2024, 3, 30), now.time());
        QTest::newRow("monthly 29th in a leap February") << withNotice(make(7, {}, 0, 0, 29, 9, 0), AlertByDays, 1) << now
                                                         << QDateTime(QDate(2024, 2, 29), now.time());
        QTest::newRow("monthly 31st, minutes: today") << withNotice(make(2, {}, 0, 0, 31, 9, 0), AlertByMinutes, 1) << now << now;
        QTest::newRow("date at midnight") << withNotice(make(3, {}, 2020, 6, 7, 9, 0), AlertByDays, 1) << now << at(2020, 6, 7);
        QTest::newRow("yearly this year though passed") << withNotice(make(4, {}, 0, 1, 2, 9, 0), AlertByDays, 1) << now << at(2024, 1, 2);
        QTest::newRow("yearly on the last day of the year")
            << withNotice(make(9, {}, 0, 1, 1, 9, 0), AlertByDays, 1) << at(2024, 12, 31, 8) << at(2024, 1, 1);
        QTest::newRow("yearly 29 Feb, common year") << withNotice(make(4, {}, 0, 2, 29, 9, 0), AlertByDays, 1) << at(2023, 1, 1)
                                                    << QDateTime();
        QTest::newRow("weekly, no day") << withNotice(make(1, {}, 0, 0, 0, 9, 0, 0), AlertByDays, 1) << now << QDateTime();
        QTest::newRow("monthly day 32") << withNotice(make(2, {}, 0, 0, 32, 9, 0), AlertByDays, 1) << now << QDateTime();
    }
    void nextAlarmDate()
    {
        QFETCH(TAlarm2, alarm);
        QFETCH(QDateTime, now);
        QFETCH(QDateTime, expected);
        QCOMPARE(TAlarmTimer::NextAlarmDate(alarm, now), expected);
    }

    // A notification handler may delete schedules while the pass runs; the pass
    // goes on with the others and never touches a freed record.
    void handlerDeletesSchedulesDuringTick()
    {
        TAlarmTimer timer;
        TAlarmList &list = timer.AlarmList();
        list.Add(make(0, QStringLiteral("a"), 0, 0, 0, 8, 0));
        list.Add(withNotice(make(0, QStringLiteral("b"), 0, 0, 0, 8, 0), AlertByDays, 1));
        list.Add(make(0, QStringLiteral("c"), 0, 0, 0, 8, 0));
        list.Add(make(0, QStringLiteral("d"), 0, 0, 0, 8, 0));
        TRecorder rec(timer);
        QObject::connect(&timer, &TAlarmTimer::OnAlert, &timer, [&list](TAlarm2 *a) {
            list.Remove(a); // "b" deleted from its own notice: its alarm must not follow
            list.Delete(list.IndexOf(list.Items(1))); // and "c", still ahead
        });
        rec.tick(at(2024, 5, 1, 8, 0));
        QCOMPARE(rec.events, (QStringList{QStringLiteral("2024-05-01 08:00:00 alarm a"),
                                          QStringLiteral("2024-05-01 08:00:00 alert b 2024-05-02 08:00"),
                                          QStringLiteral("2024-05-01 08:00:00 alarm d")}));
        QCOMPARE(list.Count(), 2);
    }

    // Handlers wait with the event loop running, so a tick can arrive inside
    // one; the stamps keep the schedule from firing twice.
    void nestedTickDoesNotRepeat()
    {
        TAlarmTimer timer;
        timer.AlarmList().Add(withNotice(make(0, QStringLiteral("a"), 0, 0, 0, 8, 0), AlertByMinutes, 0));
        timer.AlarmList().Add(make(5, QStringLiteral("b"), 0, 0, 0, 0, 0));
        TRecorder rec(timer);
        int depth = 0;
        QObject::connect(&timer, &TAlarmTimer::OnAlarm, &timer, [&](TAlarm2 *) {
            if (depth++ == 0)
                rec.tick(at(2024, 5, 1, 8, 0, 10));
        });
        rec.tick(at(2024, 5, 1, 8, 0, 0));
        QCOMPARE(rec.events, (QStringList{QStringLiteral("2024-05-01 08:00:00 alert a 2024-05-01 08:00"),
                                          QStringLiteral("2024-05-01 08:00:00 alarm a"),
                                          QStringLiteral("2024-05-01 08:00:10 alarm b")}));
    }

    void hasScheduleAndScheduleText()
    {
        TAlarmTimer timer;
        QCOMPARE(timer.ScheduleText(QDate(2024, 5, 1)), QStringLiteral("なし"));
        QVERIFY(!timer.HasSchedule(QDate(2024, 5, 1)));

        TAlarm2 hidden = make(0, QStringLiteral("  隠れ  "), 0, 0, 0, 9, 0);
        hidden.Lines << QStringLiteral("\t二行目 ") << QStringLiteral("　全角");
        hidden.HideFromShowSchedule = 1;
        hidden.Enabled = 0;
        timer.AlarmList().Add(hidden);
        TAlarm2 startup = make(10, QStringLiteral("起動"), 0, 0, 0, 0, 0);
        startup.HideFromShowSchedule = 1;
        timer.AlarmList().Add(startup);
        TAlarm2 empty = make(8, {}, 2024, 5, 1, 0, 0);
        empty.Lines.clear();
        empty.HideFromShowSchedule = 1;
        timer.AlarmList().Add(empty);
        for (int d = 1; d <= 31; ++d)
            QVERIFY(!timer.HasSchedule(QDate(2024, 5, d)));
        QCOMPARE(timer.ScheduleText(QDate(2024, 5, 1)),
                 QStringLiteral("--:-- 09:00 隠れ\r\n       二行目\r\n       　全角\r\n起動時 起動\r\n"));
        QCOMPARE(timer.ScheduleText(QDate(2024, 5, 2)), QStringLiteral("09:00 隠れ\r\n       二行目\r\n       　全角\r\n起動時 起動\r\n"));

        timer.AlarmList().Add(make(3, QStringLiteral("x"), 2024, 5, 3, 0, 0));
        QVERIFY(timer.HasSchedule(QDate(2024, 5, 3)));
        QVERIFY(!timer.HasSchedule(QDate(2024, 5, 4)));
        QVERIFY(!timer.HasSchedule(QDate()));
    }
};

QTEST_GUILESS_MAIN(TestAlarmTimer)
#include "test_alarm_timer.moc"
