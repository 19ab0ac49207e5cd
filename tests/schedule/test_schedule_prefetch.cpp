#include "schedule/alarmtimer.h"
#include "schedule/schedulefile.h"
#include "schedule/scheduleprefetch.h"
#include "support/testhome.h"

#include <QFile>
#include <QtTest>

namespace {

TAlarm2 Dated(int day, const QString &text)
{
    TAlarm2 a;
    a.AlarmType = atDate;
    a.AlarmDateTime.Year = 2026;
    a.AlarmDateTime.Month = 12;
    a.AlarmDateTime.Day = quint16(day);
    a.AlarmDateTime.Hour = 9;
    a.Lines = {text};
    return a;
}

QStringList Titles(const TAlarmList &list)
{
    QStringList out;
    for (int i = 0; i < list.Count(); ++i)
        out << list.Items(i)->Lines.value(0);
    return out;
}

QByteArray FileWith(const QStringList &titles)
{
    TAlarmTimer store;
    for (int i = 0; i < titles.size(); ++i)
        store.AlarmList().Add(Dated(i + 1, titles[i]));
    QByteArray bytes;
    const bool written = WriteScheduleStream(store.AlarmList(), TScheduleFileTail(), bytes);
    return written ? bytes : QByteArray();
}

} // namespace

class TestSchedulePrefetch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void takenOnceForTheSameBytes();
    void loadUsesItOrReadsAfresh_data();
    void loadUsesItOrReadsAfresh();
};

void TestSchedulePrefetch::takenOnceForTheSameBytes()
{
    TTestHome home;
    const QString path = home.dataFolder() + QStringLiteral("schedule.dat");
    const QByteArray bytes = FileWith({QStringLiteral("会議"), QStringLiteral("歯医者")});
    home.write(path, bytes);
    {
        const TSchedulePrefetch prefetch(path);
        TAlarmList list;
        TScheduleFileTail tail;
        QVERIFY(!TSchedulePrefetch::Take(home.dataFolder() + QStringLiteral("other.dat"), bytes, list, tail));
        QVERIFY(TSchedulePrefetch::Take(path, bytes, list, tail));
        QCOMPARE(Titles(list), (QStringList{"会議", "歯医者"}));
        // Used once: the next load parses for itself.
        TAlarmList again;
        QVERIFY(!TSchedulePrefetch::Take(path, bytes, again, tail));
    }
    {
        const TSchedulePrefetch prefetch(path);
        TAlarmList list;
        TScheduleFileTail tail;
        QVERIFY(!TSchedulePrefetch::Take(path, bytes + "x", list, tail));
        QCOMPARE(list.Count(), 0);
    }
    // None alive: nothing to take.
    TAlarmList list;
    TScheduleFileTail tail;
    QVERIFY(!TSchedulePrefetch::Take(path, bytes, list, tail));
}

void TestSchedulePrefetch::loadUsesItOrReadsAfresh_data()
{
    QTest::addColumn<QByteArray>("before"); // what the prefetch may read; empty: no file
    QTest::addColumn<QByteArray>("after");  // what the load finds
    const QByteArray two = FileWith({QStringLiteral("会議"), QStringLiteral("歯医者")});
    const QByteArray three = FileWith({QStringLiteral("会議"), QStringLiteral("歯医者"), QStringLiteral("買い物")});
    QTest::newRow("unchanged") << two << two;
    QTest::newRow("changed meanwhile") << two << three;
    QTest::newRow("written meanwhile") << QByteArray() << two;
    QTest::newRow("damaged meanwhile") << two << two.left(two.size() - 7);
    QTest::newRow("damaged all along") << two.left(40) << two.left(40);
    QTest::newRow("repaired meanwhile") << two.left(40) << three;
}

// Whatever happens to the file while the prefetch runs, the load ends exactly
// as a load without one would: the parse is reused only for the same bytes.
void TestSchedulePrefetch::loadUsesItOrReadsAfresh()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    TTestHome plain;
    const QString plainPath = plain.dataFolder() + QStringLiteral("schedule.dat");
    plain.write(plainPath, after);
    TAlarmTimer expected;
    const TScheduleLoadResult expectedResult = expected.LoadFromFile(plainPath, false);

    TTestHome home;
    const QString path = home.dataFolder() + QStringLiteral("schedule.dat");
    if (!before.isEmpty())
        home.write(path, before);
    const TSchedulePrefetch prefetch(path);
    // The thread may read before or after this write: either way the load
    // must end the same.
    home.write(path, after);
    TAlarmTimer timer;
    const TScheduleLoadResult result = timer.LoadFromFile(path, false);
    QCOMPARE(int(result.state), int(expectedResult.state));
    QCOMPARE(Titles(timer.AlarmList()), Titles(expected.AlarmList()));
    QVERIFY(timer.SaveToFile(path).ok && expected.SaveToFile(plainPath).ok);
    QCOMPARE(home.read(path), plain.read(plainPath));
}

QTEST_GUILESS_MAIN(TestSchedulePrefetch)
#include "test_schedule_prefetch.moc"
