#include "calendar/daycontents.h"

#include "schedule/alarmlist.h"
#include "schedule/alarmtimer.h"
#include "notes/memostore.h"
#include "support/scriptedprompter.h"
#include "support/testhome.h"

#include <QDir>
#include <QTest>

#include <stdexcept>

namespace {

// One schedule of a case, in the few fields the contents look at.
struct TSched
{
    quint8 type = atDate;
    QDate date;
    int hour = 0;
    int minute = 0;
    quint8 execute = etNothing;
    quint8 hide = 0;
    quint8 useColor = 0;
    qint32 color = 0;
    QStringList lines;
};

const QDate kDay(2026, 5, 13); // a Wednesday
constexpr TColor kContents = 0x112233;
constexpr TColor kMemo = 0x445566;

TAlarm2 MakeAlarm(const TSched &s)
{
    TAlarm2 a;
    a.AlarmType = s.type;
    a.AlarmDateTime.Year = quint16(s.date.year());
    a.AlarmDateTime.Month = quint16(s.date.month());
    a.AlarmDateTime.Day = quint16(s.date.day());
    a.AlarmDateTime.Hour = quint16(s.hour);
    a.AlarmDateTime.Minute = quint16(s.minute);
    a.AlarmDateTime.DaysOfWeek = quint8(1u << ScheduleWeekdayNumber(s.date.dayOfWeek()));
    a.ExecuteType = s.execute;
    a.HideFromShowSchedule = s.hide;
    a.UseColor = s.useColor;
    a.Color = s.color;
    a.Lines = s.lines;
    return a;
}

TSched At(int hour, int minute, const QString &text)
{
    TSched s;
    s.date = kDay;
    s.hour = hour;
    s.minute = minute;
    s.lines = QStringList{text};
    return s;
}

TSched With(TSched s, void (*change)(TSched &))
{
    change(s);
    return s;
}

// An item as one comparable line: key | text | colour.
QString Describe(const TZoDrawDayText &item)
{
    return item.Key + QLatin1Char('|') + item.Text + QLatin1Char('|') + QString::number(item.Color, 16);
}

QStringList Describe(const TZoDrawDayTextList &list)
{
    QStringList out;
    for (const TZoDrawDayText &item : list)
        out << Describe(item);
    return out;
}

void WriteMemo(const TTestHome &home, const QDate &day, const QByteArray &bytes)
{
    QDir().mkpath(Global().MemoFolder());
    home.write(Global().MemoFolder() + day.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".txt"), bytes);
}

} // namespace

Q_DECLARE_METATYPE(TSched)
Q_DECLARE_METATYPE(QList<TSched>)

class TestDayContents : public QObject
{
    Q_OBJECT
private slots:
    void contents_data();
    void contents();
    void memoItemComesLastInMemoColour();
    void roomKeepsTheFirstItems_data();
    void roomKeepsTheFirstItems();
    void memoFolderMissingOrEmptyMemo();
    void keyOfEachKind_data();
    void keyOfEachKind();
    void signs();
    void signLookupFailureKeepsFlag();
    void signsFollowMemoSavedAndRemoved();
};

void TestDayContents::contents_data()
{
    QTest::addColumn<QList<TSched>>("schedules");
    QTest::addColumn<bool>("noTime");
    QTest::addColumn<QStringList>("expected");

    const TSched meeting = At(9, 0, QStringLiteral("会議"));
    const TSched startsFile = With(At(9, 0, QStringLiteral("資料を開く")), [](TSched &s) { s.execute = etShellExecute; });

    QTest::newRow("time hidden by default") << QList<TSched>{meeting} << true
                                            << QStringList{QStringLiteral("09:00  |会議\r\n|112233")};
    QTest::newRow("time shown, two spaces") << QList<TSched>{meeting} << false
                                            << QStringList{QStringLiteral("09:00  |09:00  会議\r\n|112233")};
    QTest::newRow("starts a file, star") << QList<TSched>{startsFile} << false
                                         << QStringList{QStringLiteral("09:00* |09:00* 資料を開く\r\n|112233")};
    QTest::newRow("hidden schedule left out")
        << QList<TSched>{With(meeting, [](TSched &s) { s.hide = 1; }), At(10, 0, QStringLiteral("残る"))} << true
        << QStringList{QStringLiteral("10:00  |残る\r\n|112233")};
    QTest::newRow("kind above start-up left out")
        << QList<TSched>{With(meeting, [](TSched &s) { s.type = 11; })} << true << QStringList{};
    QTest::newRow("own colour only when UseColor")
        << QList<TSched>{With(At(8, 0, QStringLiteral("赤")), [](TSched &s) { s.useColor = 1; s.color = 0x0000FF; }),
                         With(At(8, 30, QStringLiteral("無効")), [](TSched &s) { s.color = 0x00FF00; })}
        << true << QStringList{QStringLiteral("08:00  |赤\r\n|ff"), QStringLiteral("08:30  |無効\r\n|112233")};
    QTest::newRow("two lines, zero byte cuts a line")
        << QList<TSched>{With(meeting, [](TSched &s) { s.lines = {QStringLiteral("一行目"), QStringLiteral("二行目") + QChar(0) + QStringLiteral("ごみ")}; })}
        << true << QStringList{QStringLiteral("09:00  |一行目\r\n二行目\r\n|112233")};
    QTest::newRow("two lines, time before the first only")
        << QList<TSched>{With(startsFile, [](TSched &s) { s.lines = {QStringLiteral("一行目"), QStringLiteral("二行目")}; })}
        << false << QStringList{QStringLiteral("09:00* |09:00* 一行目\r\n二行目\r\n|112233")};
    QTest::newRow("sorted by time, ties keep list order")
        << QList<TSched>{At(13, 0, QStringLiteral("午後")), At(9, 0, QStringLiteral("朝1")), At(0, 5, QStringLiteral("深夜")),
                         At(9, 0, QStringLiteral("朝2"))}
        << true
        << QStringList{QStringLiteral("00:05  |深夜\r\n|112233"), QStringLiteral("09:00  |朝1\r\n|112233"),
                       QStringLiteral("09:00  |朝2\r\n|112233"), QStringLiteral("13:00  |午後\r\n|112233")};
    QTest::newRow("plain before file-starting at the same time")
        << QList<TSched>{startsFile, meeting} << true
        << QStringList{QStringLiteral("09:00  |会議\r\n|112233"), QStringLiteral("09:00* |資料を開く\r\n|112233")};
    // CP932 order: 起動時 (8B 4E) before 毎日 (96 88).
    QTest::newRow("every-day and start-up kinds every day")
        << QList<TSched>{With(At(7, 0, QStringLiteral("起床")), [](TSched &s) { s.type = atEveryDay; s.date = QDate(2001, 1, 1); }),
                         With(At(0, 0, QStringLiteral("日課")), [](TSched &s) { s.type = atEveryDayNoTime; s.date = QDate(2001, 1, 1); }),
                         With(At(0, 0, QStringLiteral("起動")), [](TSched &s) { s.type = atStartUp; s.date = QDate(2001, 1, 1); })}
        << false
        << QStringList{QStringLiteral("07:00  |07:00  起床\r\n|112233"), QStringLiteral("起動時  |起動時  起動\r\n|112233"),
                       QStringLiteral("毎日  |毎日  日課\r\n|112233")};
    QTest::newRow("other days left out")
        << QList<TSched>{With(meeting, [](TSched &s) { s.date = kDay.addDays(1); }),
                         With(meeting, [](TSched &s) { s.type = atWeekly; s.date = kDay.addDays(1); }),
                         With(meeting, [](TSched &s) { s.type = atMonthly; s.date = kDay.addDays(-1); })}
        << true << QStringList{};
    QTest::newRow("weekly, monthly and yearly on the day")
        << QList<TSched>{With(At(11, 0, QStringLiteral("週")), [](TSched &s) { s.type = atWeeklyNoTime; s.date = kDay.addDays(-7); }),
                         With(At(10, 0, QStringLiteral("月")), [](TSched &s) { s.type = atMonthly; s.date = kDay.addMonths(-3); }),
                         With(At(12, 0, QStringLiteral("年")), [](TSched &s) { s.type = atYearly; s.date = kDay.addYears(-5); })}
        << true
        << QStringList{QStringLiteral("--:--  |週\r\n|112233"), QStringLiteral("10:00  |月\r\n|112233"),
                       QStringLiteral("12:00  |年\r\n|112233")};
    QTest::newRow("no lines, empty text") << QList<TSched>{With(meeting, [](TSched &s) { s.lines.clear(); })} << true
                                          << QStringList{QStringLiteral("09:00  ||112233")};
}

void TestDayContents::contents()
{
    QFETCH(QList<TSched>, schedules);
    QFETCH(bool, noTime);
    QFETCH(QStringList, expected);
    TTestHome home;
    TAlarmList list;
    for (const TSched &s : schedules)
        list.Add(MakeAlarm(s));
    QCOMPARE(Describe(BuildDayContents(list, kDay, noTime, kContents, kMemo)), expected);
}

void TestDayContents::memoItemComesLastInMemoColour()
{
    TTestHome home;
    WriteMemo(home, kDay, QByteArray("\x88\xea\x8d\x73\x96\xda\r\n2\r\nthree\r\n"));
    TAlarmList list;
    list.Add(MakeAlarm(At(23, 59, QStringLiteral("遅い"))));
    list.Add(MakeAlarm(At(6, 0, QStringLiteral("早い"))));
    for (bool noTime : {true, false}) {
        const TZoDrawDayTextList items = BuildDayContents(list, kDay, noTime, kContents, kMemo);
        QCOMPARE(items.size(), 3);
        QCOMPARE(items.last().Key, QString());
        QCOMPARE(items.last().Text, QStringLiteral("一行目\r\n2\r\nthree\r\n"));
        QCOMPARE(items.last().Color, kMemo);
        QCOMPARE(items.first().Key, QStringLiteral("06:00  "));
    }
    // The next day has no memo file.
    QCOMPARE(BuildDayContents(list, kDay.addDays(1), true, kContents, kMemo).size(), 0);
}

void TestDayContents::roomKeepsTheFirstItems_data()
{
    QTest::addColumn<int>("room");
    for (int room : {0, 1, 2, 3, 7, 40, 119, 120, 121, 500})
        QTest::addRow("room %d", room) << room;
}

// With room for n items the cell gets exactly the items the whole list would
// have shown in its first n lines: the same order (ties in list order), items
// without text passed over without using room, the memo only when it fits.
void TestDayContents::roomKeepsTheFirstItems()
{
    QFETCH(int, room);
    TTestHome home;
    WriteMemo(home, kDay, QByteArray("memo\r\n"));
    TAlarmList list;
    quint32 seed = 12345;
    const auto next = [&seed](quint32 n) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    for (int i = 0; i < 150; ++i) {
        // Few distinct keys, so that ties are common; some kinds untimed.
        TSched s = At(int(next(4)) * 6, int(next(2)) * 30, QStringLiteral("予定%1").arg(i));
        const quint32 kind = next(10);
        if (kind == 0)
            s.type = atStartUp;
        else if (kind == 1)
            s.type = atEveryDayNoTime;
        else if (kind == 2)
            s.lines.clear();
        else if (kind == 3)
            s.date = kDay.addDays(1); // another day
        if (next(3) == 0)
            s.execute = etShellExecute;
        list.Add(MakeAlarm(s));
    }
    for (bool noTime : {true, false}) {
        const TZoDrawDayTextList all = BuildDayContents(list, kDay, noTime, kContents, kMemo);
        TZoDrawDayTextList expected;
        int used = 0;
        for (const TZoDrawDayText &item : all) {
            if (used >= room)
                break;
            expected.append(item);
            used += item.Text.isEmpty() ? 0 : 1;
        }
        QCOMPARE(Describe(BuildDayContents(list, kDay, noTime, kContents, kMemo, room)), Describe(expected));
    }
}

void TestDayContents::memoFolderMissingOrEmptyMemo()
{
    TTestHome home;
    TAlarmList list;
    QVERIFY(!QDir(Global().MemoFolder()).exists());
    QCOMPARE(BuildDayContents(list, kDay, true, kContents, kMemo).size(), 0);
    QCOMPARE(DailyMemoContentsText(kDay), QString());
    // An empty file has no lines, so no item; a last line without a break
    // still gets one.
    WriteMemo(home, kDay, QByteArray());
    QCOMPARE(BuildDayContents(list, kDay, true, kContents, kMemo).size(), 0);
    WriteMemo(home, kDay, QByteArray("a\r\nb"));
    QCOMPARE(DailyMemoContentsText(kDay), QStringLiteral("a\r\nb\r\n"));
    // A file that is not CP932 still shows, with replacement characters.
    WriteMemo(home, kDay, QByteArray("\x81\r\n"));
    QCOMPARE(BuildDayContents(list, kDay, true, kContents, kMemo).size(), 1);
    QCOMPARE(BuildDayContents(list, QDate(), true, kContents, kMemo).size(), 0);
}

void TestDayContents::keyOfEachKind_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("execute");
    QTest::addColumn<QString>("key");
    QTest::newRow("timed, message") << int(atDate) << int(etMessage) << QStringLiteral("09:05  ");
    QTest::newRow("timed, file") << int(atDate) << int(etShellExecute) << QStringLiteral("09:05* ");
    QTest::newRow("every day untimed") << int(atEveryDayNoTime) << int(etNothing) << QStringLiteral("毎日  ");
    QTest::newRow("date untimed, file") << int(atDateNoTime) << int(etShellExecute) << QStringLiteral("--:--* ");
    QTest::newRow("start-up") << int(atStartUp) << int(etNothing) << QStringLiteral("起動時  ");
}

void TestDayContents::keyOfEachKind()
{
    QFETCH(int, type);
    QFETCH(int, execute);
    QFETCH(QString, key);
    TSched s = At(9, 5, QStringLiteral("x"));
    s.type = quint8(type);
    s.execute = quint8(execute);
    QCOMPARE(DayContentsKey(MakeAlarm(s)), key);
}

void TestDayContents::signs()
{
    TTestHome home;
    TAlarmTimer timer;
    timer.AlarmList().Add(MakeAlarm(At(9, 0, QStringLiteral("見える"))));
    TSched hidden = At(9, 0, QStringLiteral("隠す"));
    hidden.date = kDay.addDays(1);
    hidden.hide = 1;
    timer.AlarmList().Add(MakeAlarm(hidden));
    WriteMemo(home, kDay.addDays(2), "memo\r\n");

    const QDate first(2026, 4, 26); // the Sunday before 1 May 2026
    const TMemoScheduleTable table = ComputeSigns(first, TMemoScheduleTable{}, timer);
    for (int i = 0; i < ZoCalendarCells; ++i) {
        const QDate day = first.addDays(i);
        const TMemoScheduleExists expected{day == kDay.addDays(2), day == kDay};
        QCOMPARE(table[size_t(i)], expected);
        QCOMPARE(DaySigns(day, timer), expected);
    }
    // Flags are written both ways: a stale true is cleared.
    TMemoScheduleTable stale;
    stale.fill(TMemoScheduleExists{true, true});
    QCOMPARE(ComputeSigns(first, stale, timer), table);
}

void TestDayContents::signLookupFailureKeepsFlag()
{
    TMemoScheduleTable previous{};
    previous[3] = TMemoScheduleExists{true, false};
    const QDate first(2000, 1, 1);
    int memoCalls = 0;
    const TDayLookup memo = [&](const QDate &day) -> bool {
        ++memoCalls;
        if (day == first.addDays(3))
            throw std::runtime_error("unreadable");
        return false;
    };
    const TDayLookup schedule = [&](const QDate &day) { return day == first.addDays(41) || day == first.addDays(3); };
    const TMemoScheduleTable table = ComputeSigns(first, previous, memo, schedule);
    QCOMPARE(memoCalls, ZoCalendarCells);
    QCOMPARE(table[3], (TMemoScheduleExists{true, true}));
    QCOMPARE(table[41], (TMemoScheduleExists{false, true}));
    QCOMPARE(table[0], (TMemoScheduleExists{false, false}));
    QCOMPARE(ComputeSigns(QDate(), previous, memo, schedule), previous);
}

void TestDayContents::signsFollowMemoSavedAndRemoved()
{
    TTestHome home;
    TAlarmTimer timer;
    TMemoStore store;
    TScriptedPrompter prompter;
    QDir().mkpath(Global().MemoFolder());
    const QDate first(2026, 4, 26);
    const int cell = int(first.daysTo(kDay));
    TMemoScheduleTable table = ComputeSigns(first, TMemoScheduleTable{}, timer);
    QCOMPARE(table[size_t(cell)].MemoExists, false);

    bool modified = true;
    QVERIFY(store.Save(mkDailyMemo, kDay, QStringLiteral("買い物"), modified, prompter));
    table = ComputeSigns(first, table, timer);
    QCOMPARE(table[size_t(cell)].MemoExists, true);
    QCOMPARE(BuildDayContents(timer.AlarmList(), kDay, true, kContents, kMemo).last().Text, QStringLiteral("買い物\r\n"));

    // Blank text removes the file, and with it the sign and the item.
    modified = true;
    QVERIFY(store.Save(mkDailyMemo, kDay, QStringLiteral("  \n"), modified, prompter));
    table = ComputeSigns(first, table, timer);
    QCOMPARE(table[size_t(cell)].MemoExists, false);
    QCOMPARE(BuildDayContents(timer.AlarmList(), kDay, true, kContents, kMemo).size(), 0);
    QCOMPARE(prompter.texts(), QStringList());
}

QTEST_GUILESS_MAIN(TestDayContents)
#include "test_daycontents.moc"
