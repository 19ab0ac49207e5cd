#include "calendar/daycontents.h"
#include "calendar/zocalendarcontrol.h"
#include "schedule/alarmtimer.h"
#include "support/testhome.h"
#include "ui/fontconv.h"

#include <QDir>
#include <QTest>

namespace {

TAlarm2 Schedule(quint8 type, const QDate &date, int hour, int minute, const QStringList &lines, qint32 colour = -1,
                 quint8 execute = etNothing)
{
    TAlarm2 a;
    a.AlarmType = type;
    a.AlarmDateTime.Year = quint16(date.year());
    a.AlarmDateTime.Month = quint16(date.month());
    a.AlarmDateTime.Day = quint16(date.day());
    a.AlarmDateTime.Hour = quint16(hour);
    a.AlarmDateTime.Minute = quint16(minute);
    a.AlarmDateTime.DaysOfWeek = quint8(1u << ScheduleWeekdayNumber(date.dayOfWeek()));
    a.Lines = lines;
    a.ExecuteType = execute;
    if (colour >= 0) {
        a.UseColor = 1;
        a.Color = colour;
    }
    return a;
}

} // namespace

// The calendar drawn with real contents and signs, as the main window wires
// it: the items reach the cells, and a picture is kept to look at.
class TestCalendarContents : public QObject
{
    Q_OBJECT
private slots:
    void monthAndListWithContents();
};

void TestCalendarContents::monthAndListWithContents()
{
    TTestHome home;
    QDir().mkpath(Global().MemoFolder());
    home.write(Global().MemoFolder() + QStringLiteral("20000110.txt"), QByteArray("\x83\x81\x83\x82\r\nline 2\r\n"));
    TAlarmTimer timer;
    const QDate day(2000, 1, 10);
    timer.AlarmList().Add(Schedule(atDate, day, 9, 0, {QStringLiteral("会議"), QStringLiteral("資料")}));
    timer.AlarmList().Add(Schedule(atDate, day, 7, 30, {QStringLiteral("ジョギング")}, 0x0000C0));
    timer.AlarmList().Add(Schedule(atWeekly, day, 18, 0, {QStringLiteral("英会話")}, 0xC00000));
    timer.AlarmList().Add(Schedule(atMonthlyNoTime, QDate(2000, 1, 25), 0, 0, {QStringLiteral("給料日")}, 0x008000));
    timer.AlarmList().Add(Schedule(atDate, QDate(2000, 1, 20), 14, 0, {QStringLiteral("報告書を開く")}, -1, etShellExecute));

    TZoQuillmereCalendar cal;
    cal.resize(900, 640);
    cal.SetShowOnlyFirstLineOnCalendar(false);
    int asked = 0;
    QList<QDate> withItems;
    cal.OnDrawDayContents = [&](TZoCustomQuillmereCalendar *, quint16 y, quint16 m, quint16 d, TZoDrawDayTextList &list) {
        ++asked;
        const QDate date(y, m, d);
        list = BuildDayContents(timer.AlarmList(), date, true,
                                QColorToColor(cal.Fonts().Color(TZoCalendarFonts::DayContents)), 0x404040);
        if (!list.isEmpty())
            withItems << date;
    };
    cal.OnSetupScheduleSign = [&](TZoCustomQuillmereCalendar *sender, TMemoScheduleTable &table) {
        table = ComputeSigns(static_cast<TZoQuillmereCalendar *>(sender)->FirstDate(), table, timer);
    };
    cal.OnDrawScheduleSign = [&](TZoCustomQuillmereCalendar *, quint16 y, quint16 m, quint16 d, bool &schedule, bool &memo) {
        const TMemoScheduleExists signs = DaySigns(QDate(y, m, d), timer);
        schedule = signs.ScheduleExists;
        memo = signs.MemoExists;
    };
    cal.SetCurrentDate(day);
    cal.RefreshDate();
    asked = 0;
    withItems.clear();
    cal.Redraw();
    (void)cal.Image(); // a hidden calendar draws when its picture is wanted
    // One request per visible day and drawing.
    QCOMPARE(asked, ZoCalendarCells);
    QVERIFY(withItems.contains(day));
    QVERIFY(withItems.contains(QDate(2000, 1, 25)));
    QVERIFY(withItems.contains(QDate(2000, 1, 17))); // the weekly lesson
    const int cell = int(cal.FirstDate().daysTo(day));
    QCOMPARE(cal.MemoScheduleExists()[size_t(cell)], (TMemoScheduleExists{true, true}));
    const QString dir = qEnvironmentVariable("QM_SHOT_DIR", home.root());
    QVERIFY(cal.Image().save(dir + QStringLiteral("/calendar-month.png")));

    cal.SetCalendarStyle(csVertical1);
    cal.SetDaysToShow(7);
    cal.SetStartDate(QDate(2000, 1, 8));
    cal.Redraw();
    QVERIFY(cal.Image().save(dir + QStringLiteral("/calendar-list.png")));
}

int RunCalendarContentsTests(int argc, char **argv)
{
    TestCalendarContents t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_calendarcontents.moc"
