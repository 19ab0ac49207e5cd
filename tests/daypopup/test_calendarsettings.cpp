#include "ui/calendarsettings.h"

#include "calendar/datenavigation.h"
#include "calendar/zocalendarcontrol.h"
#include "core/font.h"
#include "core/profile.h"
#include "core/settingskeys.h"
#include "support/testhome.h"
#include "ui/fontconv.h"

#include <QTest>

namespace {

const QString S = QStringLiteral("SETTINGS");
const QString C = QStringLiteral("COLORS");

} // namespace

class TestCalendarSettings : public QObject
{
    Q_OBJECT
private slots:
    void defaults();
    void everyKeyApplied();
    void style_data();
    void style();
    void outOfRangeKeepsCalendar();
    void scrollStripPagesTheList();
};

void TestCalendarSettings::defaults()
{
    TTestHome home;
    TZoQuillmereCalendar cal;
    cal.SetCalendarStyle(csVertical1);
    cal.SetShowContentsOnClick(false);
    ApplyCalendarSettings(cal);
    QCOMPARE(cal.CalendarStyle(), csMonthly2);
    QCOMPARE(cal.DaysToShow(), 7);
    QCOMPARE(cal.StartDayOfWeek(), zodwSunday);
    QVERIFY(cal.ShowNeighbor());
    QVERIFY(cal.NeighborJump());
    QVERIFY(cal.ShowGrid());
    QVERIFY(cal.ShowDayText());
    QVERIFY(cal.ShowDayContentsOnCalendar());
    QVERIFY(cal.ShowOnlyFirstLineOnCalendar());
    QCOMPARE(cal.MemoSign(), QStringLiteral("□"));
    QCOMPARE(cal.ScheduleSign(), QStringLiteral("■"));
    QVERIFY(cal.ShowContentsOnClick());
    QVERIFY(cal.AutoEquinox());
    QVERIFY(cal.AutoFurikae());
    QCOMPARE(cal.Color(), clr::clInfoBk);
    QCOMPARE(cal.TodayBkColor(), TColor(0xC0DCC0));
    QCOMPARE(cal.DayOfWeekBkColor(), TColor(0x000000));
    QCOMPARE(cal.NeighborBkColor(), clr::clBtnFace);
    QCOMPARE(cal.DayContentsBkColor(), clr::clInfoBk);
    QCOMPARE(cal.DaysOffBkColor(), TColor(0xF0F0FF));
    QCOMPARE(cal.HolidayBkColor(), TColor(0xF0F0FF));
    QCOMPARE(cal.SpecialDaysBkColor(), TColor(0xFF80FF));
}

void TestCalendarSettings::everyKeyApplied()
{
    TTestHome home;
    {
        TProfileFile f = SettingsFile();
        f.writeInteger(S, QStringLiteral("CalendarStyle"), 2);
        f.writeInteger(S, QStringLiteral("CalendarDaysToShow"), 12);
        f.writeInteger(S, QStringLiteral("StartOfWeek"), 1);
        f.writeBool(S, QStringLiteral("ShowNeighborMonths"), false);
        f.writeBool(S, QStringLiteral("ShowCalendarGrid"), false);
        f.writeBool(S, QStringLiteral("ShowDayText"), false);
        f.writeBool(S, QStringLiteral("ShowScheduleOnCalendar"), false);
        f.writeBool(S, QStringLiteral("ShowOnlyFirstLineOnCalendar"), false);
        f.writeString(S, QStringLiteral("CalendarMemoString"), QStringLiteral("メ"));
        f.writeString(S, QStringLiteral("CalendarScheduleString"), QStringLiteral("予"));
        f.writeBool(S, QStringLiteral("ShowContentsOnCalendarClick"), false);
        f.writeBool(S, QStringLiteral("EQUINOX"), false);
        f.writeBool(S, QStringLiteral("FURIKAE"), false);
        const char *colours[] = {"BkColorCalendarDate", "BkColorCalendarToday", "BkColorCalendarDayOfWeek",
                                 "BkColorCalendarNeighbor", "BkColorCalendarContents", "BkColorCalendarDayOff",
                                 "BkColorCalendarHoliday", "BkColorCalendarSpecialDay"};
        for (int i = 0; i < 8; ++i)
            f.writeInteger(C, QString::fromLatin1(colours[i]), 0x010101 * (i + 1));
    }
    TFontSpec contents;
    contents.name = QStringLiteral("Noto Sans CJK JP");
    contents.size = 14;
    contents.bold = true;
    contents.color = 0x0000FF;
    WriteFontSetting(QString::fromLatin1(TZoCalendarFonts::SettingsKey(TZoCalendarFonts::DayContents)), contents);

    TZoQuillmereCalendar cal;
    ApplyCalendarSettings(cal);
    QCOMPARE(cal.CalendarStyle(), csVertical1);
    QCOMPARE(cal.DaysToShow(), 12);
    QCOMPARE(cal.StartDayOfWeek(), zodwMonday);
    QVERIFY(!cal.ShowNeighbor());
    QVERIFY(!cal.NeighborJump());
    QVERIFY(!cal.ShowGrid());
    QVERIFY(!cal.ShowDayText());
    QVERIFY(!cal.ShowDayContentsOnCalendar());
    QVERIFY(!cal.ShowOnlyFirstLineOnCalendar());
    QCOMPARE(cal.MemoSign(), QStringLiteral("メ"));
    QCOMPARE(cal.ScheduleSign(), QStringLiteral("予"));
    QVERIFY(!cal.ShowContentsOnClick());
    QVERIFY(!cal.AutoEquinox());
    QVERIFY(!cal.AutoFurikae());
    const QList<TColor> colours{cal.Color(), cal.TodayBkColor(), cal.DayOfWeekBkColor(), cal.NeighborBkColor(),
                                cal.DayContentsBkColor(), cal.DaysOffBkColor(), cal.HolidayBkColor(), cal.SpecialDaysBkColor()};
    for (int i = 0; i < 8; ++i)
        QCOMPARE(colours[i], TColor(0x010101 * (i + 1)));
    QCOMPARE(cal.Fonts().Color(TZoCalendarFonts::DayContents), QColor(255, 0, 0));
    QVERIFY(cal.Fonts().QtFont(TZoCalendarFonts::DayContents).bold());
    // A font without a key keeps its design.
    QCOMPARE(cal.Fonts().Font(TZoCalendarFonts::Weekday), TZoCalendarFonts().Font(TZoCalendarFonts::Weekday));
}

void TestCalendarSettings::style_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("style");
    QTest::newRow("0: month grid") << 0 << int(csMonthly2);
    QTest::newRow("1: month grid") << 1 << int(csMonthly2);
    QTest::newRow("2: list") << 2 << int(csVertical1);
    QTest::newRow("unknown keeps") << 7 << int(csMonthly1);
    QTest::newRow("negative keeps") << -1 << int(csMonthly1);
}

void TestCalendarSettings::style()
{
    QFETCH(int, stored);
    QFETCH(int, style);
    TTestHome home;
    SettingsFile().writeInteger(S, QStringLiteral("CalendarStyle"), stored);
    TZoQuillmereCalendar cal;
    cal.SetCalendarStyle(csMonthly1);
    ApplyCalendarSettings(cal);
    QCOMPARE(int(cal.CalendarStyle()), style);
}

void TestCalendarSettings::outOfRangeKeepsCalendar()
{
    TTestHome home;
    {
        TProfileFile f = SettingsFile();
        f.writeInteger(S, QStringLiteral("CalendarDaysToShow"), 0);
        f.writeInteger(S, QStringLiteral("StartOfWeek"), 9);
    }
    TZoQuillmereCalendar cal;
    cal.SetDaysToShow(5);
    cal.SetStartDayOfWeek(zodwSaturday);
    ApplyCalendarSettings(cal);
    QCOMPARE(cal.DaysToShow(), 5);
    QCOMPARE(cal.StartDayOfWeek(), zodwSaturday);
}

void TestCalendarSettings::scrollStripPagesTheList()
{
    TTestHome home;
    TZoQuillmereCalendar cal;
    cal.resize(400, 500);
    cal.SetCalendarStyle(csVertical1);
    cal.SetDaysToShow(7);
    cal.SetCurrentDate(QDate(2026, 5, 1));
    cal.SetStartDate(QDate(2026, 5, 1));
    cal.Redraw();
    // Lower half: 7 to 13 May, 13 May selected.
    cal.SetCurrentDate(ScrollStripTarget(cal.StartDate(), cal.DaysToShow(), false));
    cal.Redraw();
    QCOMPARE(cal.CurrentDate(), QDate(2026, 5, 13));
    QCOMPARE(cal.StartDate(), QDate(2026, 5, 7));
    // Upper half: back to 1 to 7 May, 1 May selected.
    cal.SetCurrentDate(ScrollStripTarget(cal.StartDate(), cal.DaysToShow(), true));
    cal.Redraw();
    QCOMPARE(cal.CurrentDate(), QDate(2026, 5, 1));
    QCOMPARE(cal.StartDate(), QDate(2026, 5, 1));
}

int RunCalendarSettingsTests(int argc, char **argv)
{
    TestCalendarSettings t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_calendarsettings.moc"
