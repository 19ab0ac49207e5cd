#include "calendar/dateex.h"
#include "calendar/dayfiles.h"
#include "calendar/daypopuptext.h"
#include "core/datetime.h"
#include "schedule/alarmtimer.h"
#include "schedule/daylist.h"
#include "schedule/upcoming.h"
#include "support/scriptedprompter.h"
#include "support/testhome.h"
#include "todo/todolist.h"

#include <QtTest>

namespace {

TAlarm2 schedule(quint8 type, int hour, int minute, const QStringList &lines, quint8 execute = etNothing)
{
    TAlarm2 a;
    a.AlarmType = type;
    a.AlarmDateTime.Hour = static_cast<quint16>(hour);
    a.AlarmDateTime.Minute = static_cast<quint16>(minute);
    a.ExecuteType = execute;
    a.Lines = lines;
    return a;
}

TAlarm2 onDate(const QDate &d, int hour, int minute, const QString &text, quint8 type = atDate)
{
    TAlarm2 a = schedule(type, hour, minute, {text});
    a.AlarmDateTime.Year = static_cast<quint16>(d.year());
    a.AlarmDateTime.Month = static_cast<quint16>(d.month());
    a.AlarmDateTime.Day = static_cast<quint16>(d.day());
    return a;
}

TToDo *addToDo(TToDoList &list, const QString &text, const QDate &limit = {}, int hour = -1)
{
    auto t = std::make_unique<TToDo>(0);
    t->Text = text;
    if (limit.isValid()) {
        t->UseDate = true;
        t->UseTime = hour >= 0;
        t->LimitDateTime = qmdt::fromDateTime(QDateTime(limit, QTime(std::max(hour, 0), 0)));
    }
    return list.Add(std::move(t));
}

QStringList rowsText(const QList<TDayListRow> &rows)
{
    QStringList out;
    for (const TDayListRow &r : rows)
        out << r.Time + QLatin1Char('|') + r.Content;
    return out;
}

const QDate kWed(2001, 3, 7); // a Wednesday

} // namespace

class TestTexts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void dayListRowsAndOrder();
    void dayListEmptyDay();
    void popupWithoutSchedulesOrMemo();
    void popupWithNamesSchedulesAndMemo();
    void popupBlankMemoFileIsNone();
    void greeting_data();
    void greeting();
    void upcomingEntries();
    void upcomingRowsAndGroups();
    void upcomingHidesEmptyRowsAndListsToDos();
};

void TestTexts::dayListRowsAndOrder()
{
    TAlarmList list;
    list.Add(schedule(atEveryDay, 9, 0, {"b"}, etShellExecute));
    list.Add(schedule(atEveryDay, 9, 0, {"a"}));
    TAlarm2 hidden = schedule(atWeekly, 7, 30, {QStringLiteral("会議") + QChar(0) + "tail", "second"});
    hidden.AlarmDateTime.DaysOfWeek = 1u << ScheduleWeekdayNumber(kWed.dayOfWeek());
    hidden.HideFromShowSchedule = 1;
    list.Add(hidden);
    list.Add(schedule(atStartUp, 0, 0, {}));
    list.Add(onDate(kWed.addDays(1), 8, 0, "other day"));
    list.Add(schedule(atEveryDayNoTime, 0, 0, {"untimed"}));
    // CP932 byte order: "07:30" < "09:00" < "09:00*" < "起動時" (8B 4E) < "毎日" (96 88).
    QCOMPARE(rowsText(DayScheduleRows(list, kWed)),
             (QStringList{QStringLiteral("07:30|会議"), "09:00|a", "09:00*|b", QStringLiteral("起動時|"),
                          QStringLiteral("毎日|untimed")}));
}

void TestTexts::dayListEmptyDay()
{
    TAlarmList list;
    list.Add(onDate(kWed.addDays(1), 8, 0, "other day"));
    QVERIFY(DayScheduleRows(list, kWed).isEmpty());
}

void TestTexts::popupWithoutSchedulesOrMemo()
{
    TTestHome home;
    TZoDateEx engine;
    TAlarmTimer timer;
    QCOMPARE(DayPopupText(kWed, engine, timer), QStringLiteral("2001/03/07 \r\n【予定】\r\nなし\r\n【メモ】\r\nなし"));
}

void TestTexts::popupWithNamesSchedulesAndMemo()
{
    TTestHome home;
    TZoDateEx engine;
    TScriptedPrompter prompter;
    LoadDayFiles(engine, prompter, TDayFilesAccess::ReadOnly); // the built-in holidays
    TAlarmTimer timer;
    const QDate newYear(2001, 1, 1);
    TAlarm2 hidden = onDate(newYear, 10, 0, QStringLiteral("初詣"));
    hidden.HideFromShowSchedule = 1; // hidden from the calendar, yet listed here
    timer.AlarmList().Add(hidden);
    QDir().mkpath(home.dataFolder() + "Memo");
    home.write(home.dataFolder() + "Memo/20010101.txt", "line1\r\nline2");
    const QString names = engine.GetDayText(newYear);
    QVERIFY(!names.isEmpty());
    QCOMPARE(DayPopupText(newYear, engine, timer),
             QStringLiteral("2001/01/01 ") + names + QStringLiteral("\r\n【予定】\r\n") + timer.ScheduleText(newYear) +
                 QStringLiteral("\r\n【メモ】\r\nline1\r\nline2\r\n"));
    QVERIFY(timer.ScheduleText(newYear).contains(QStringLiteral("初詣")));
}

void TestTexts::popupBlankMemoFileIsNone()
{
    TTestHome home;
    QDir().mkpath(home.dataFolder() + "Memo");
    home.write(home.dataFolder() + "Memo/20010307.txt", "");
    TZoDateEx engine;
    TAlarmTimer timer;
    QVERIFY(DayPopupText(kWed, engine, timer).endsWith(QStringLiteral("【メモ】\r\nなし")));
}

void TestTexts::greeting_data()
{
    QTest::addColumn<int>("hour");
    QTest::addColumn<QString>("greeting");
    QTest::newRow("04:59") << 4 << "こんばんは。";
    QTest::newRow("05:00") << 5 << "おはようございます。";
    QTest::newRow("09:59") << 9 << "おはようございます。";
    QTest::newRow("10:00") << 10 << "こんにちは。";
    QTest::newRow("17:59") << 17 << "こんにちは。";
    QTest::newRow("18:00") << 18 << "こんばんは。";
    QTest::newRow("00:00") << 0 << "こんばんは。";
}

void TestTexts::greeting()
{
    QFETCH(int, hour);
    QFETCH(QString, greeting);
    QCOMPARE(UpcomingGreeting(hour), greeting);
    QCOMPARE(BuildUpcomingSchedules(TAlarmList(), TToDoList(), QDateTime(kWed, QTime(hour, 59))).Greeting, greeting);
}

void TestTexts::upcomingEntries()
{
    QCOMPARE(UpcomingScheduleEntry(schedule(atEveryDay, 7, 0, {QStringLiteral("散歩")})),
             QStringLiteral("     07:00   散歩"));
    QCOMPARE(UpcomingScheduleEntry(schedule(atEveryDay, 7, 0, {QStringLiteral("散歩")}, etShellExecute)),
             QStringLiteral("     07:00  *散歩"));
    QCOMPARE(UpcomingScheduleEntry(schedule(atStartUp, 0, 0, {QStringLiteral("a") + QChar(0) + "b"})),
             QStringLiteral("       起動時   a b"));
    TToDo t(0);
    t.Text = QStringLiteral("買い物");
    t.Urgent = t.Important = true;
    QCOMPARE(UpcomingToDoEntry(t), QStringLiteral("     --:--   【緊急】【重要】買い物"));
    QCOMPARE(UpcomingDateText(QDate(2000, 1, 5)), QStringLiteral("1/5(水)"));
    QCOMPARE(UpcomingDateText(QDate(2001, 12, 30)), QStringLiteral("12/30(日)"));
}

void TestTexts::upcomingRowsAndGroups()
{
    TAlarmList alarms;
    alarms.Add(schedule(atEveryDay, 7, 0, {QStringLiteral("散歩")}));
    alarms.Add(schedule(atStartUp, 0, 0, {"boot"}));
    alarms.Add(onDate(kWed, 6, 0, "early date"));
    TAlarm2 monthly = schedule(atMonthlyNoTime, 0, 0, {"Rent"});
    monthly.AlarmDateTime.Day = 8;
    alarms.Add(monthly);
    TAlarm2 yearly = schedule(atYearly, 12, 0, {"birthday"});
    yearly.AlarmDateTime.Month = 3;
    yearly.AlarmDateTime.Day = 9;
    alarms.Add(yearly);
    TAlarm2 weekly = schedule(atWeekly, 10, 0, {"weekly"});
    weekly.AlarmDateTime.DaysOfWeek = 1u << ScheduleWeekdayNumber(Qt::Friday);
    alarms.Add(weekly);
    TAlarm2 hidden = schedule(atEveryDay, 8, 0, {"hidden"});
    hidden.HideFromShowSchedule = 1;
    alarms.Add(hidden);
    alarms.Add(schedule(atEveryDay, 8, 0, {})); // no text: never listed
    TToDoList todos;
    addToDo(todos, "due in three", kWed.addDays(3), 9);

    const TUpcomingSchedules u = BuildUpcomingSchedules(alarms, todos, QDateTime(kWed, QTime(12, 0)));
    QCOMPARE(u.Rows.size(), 9);
    QCOMPARE(u.Rows[0].Heading, QStringLiteral("予定日"));
    QCOMPARE(u.Rows[0].Content, QStringLiteral("予定内容"));
    QCOMPARE(u.Rows[1].Heading, QStringLiteral("今日\r\n3/7(水)"));
    QCOMPARE(u.Rows[3].Heading, QStringLiteral("明後日\r\n3/9(金)"));
    QCOMPARE(u.Rows[4].Heading, QStringLiteral("３日後\r\n3/10(土)"));
    QCOMPARE(u.Rows[7].Heading, QStringLiteral("６日後\r\n3/13(火)"));
    // Start-up schedules first, then every-day ones, then the day's own entries,
    // each group sorted on its own.
    QCOMPARE(u.Rows[1].Content, QStringLiteral("起動時   boot\r\n07:00   散歩\r\n06:00   early date\r\n"));
    QCOMPARE(u.Rows[2].Content, QStringLiteral("起動時   boot\r\n07:00   散歩\r\n--:--   Rent\r\n"));
    QCOMPARE(u.Rows[3].Content,
             QStringLiteral("起動時   boot\r\n07:00   散歩\r\n10:00   weekly\r\n12:00   birthday\r\n"));
    QCOMPARE(u.Rows[4].Content, QStringLiteral("起動時   boot\r\n07:00   散歩\r\n09:00   due in three\r\n"));
    for (int row = 1; row <= 7; ++row)
        QVERIFY(u.Rows[row].Content.contains(QStringLiteral("07:00   散歩")));
    QCOMPARE(u.Rows[8].Heading, QStringLiteral("備忘録"));
    QCOMPARE(u.Rows[8].Content, QStringLiteral("01/03/10 09:00 due in three\r\n"));
}

void TestTexts::upcomingHidesEmptyRowsAndListsToDos()
{
    TToDoList todos;
    addToDo(todos, "  undated  ");
    TToDo *done = addToDo(todos, "done", kWed);
    done->Checked = true;
    TToDo *marked = addToDo(todos, "marked", kWed);
    marked->Urgent = true;
    const TUpcomingSchedules u = BuildUpcomingSchedules(TAlarmList(), todos, QDateTime(kWed, QTime(9, 0)));
    QCOMPARE(u.Rows[1].Content, QStringLiteral("--:--   【緊急】marked\r\n"));
    for (int row = 2; row <= 7; ++row)
        QCOMPARE(u.Rows[row].Content, QString());
    QCOMPARE(u.Rows[8].Content, QStringLiteral("         --:-- undated\r\n01/03/07 --:-- 【緊急】marked\r\n"));

    const TUpcomingSchedules none = BuildUpcomingSchedules(TAlarmList(), TToDoList(), QDateTime(kWed, QTime(9, 0)));
    QCOMPARE(none.Rows[8].Content, QString());
}

QTEST_GUILESS_MAIN(TestTexts)
#include "test_texts.moc"
