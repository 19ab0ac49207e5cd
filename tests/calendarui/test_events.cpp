#include "calendartestutil.h"

#include "calendar/zocalendarcontrol.h"

#include <QTest>
#include <functional>

namespace {
const TFixedClock kClock(QDateTime(QDate(2024, 5, 16), QTime(9, 0)));
} // namespace

class TestEvents : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void createdWithDefaults();
    void dateChangeOrder_data();
    void dateChangeOrder();
    void firstAndLastKnownWhenMonthChanges();
    void partSettersIgnoreDatesThatDoNotExist();
    void navigation_data();
    void navigation();
    void startDayOfWeek();
    void firstRowFirstDayRefillsSigns();
    void refreshDateOrder();
    void settersThatOnlyStore();
    void settersWithTheSameValueDoNothing();
    void invalidListValuesIgnored();
    void drawRequestsPerStyle();
    void signTable();
    void ruleListsAndFontsRedraw();
    void hiddenCalendarDrawsOnceWhenShown();
};

void TestEvents::createdWithDefaults()
{
    TZoQuillmereCalendar cal(nullptr, &kClock);
    QCOMPARE(cal.CurrentDate(), QDate(2024, 5, 16));
    QCOMPARE(cal.StartDate(), QDate(2024, 5, 16));
    QCOMPARE(cal.size(), QSize(320, 160));
    QVERIFY(cal.AutoEquinox());
    QVERIFY(cal.AutoFurikae());
    QCOMPARE(cal.Color(), clr::clInfoBk);
    QCOMPARE(cal.CalendarStyle(), csMonthly2);
    QCOMPARE(cal.StartDayOfWeek(), zodwSunday);
    QVERIFY(!cal.FirstRowFirstDay());
    QVERIFY(cal.ShowNeighbor());
    QVERIFY(cal.NeighborJump());
    QCOMPARE(cal.NeighborColor(), TColor(0x808080));
    QCOMPARE(cal.NeighborBkColor(), TColor(0xC0C0C0));
    QCOMPARE(cal.DayOfWeekBkColor(), clr::clBlack);
    QCOMPARE(cal.HolidayBkColor(), TColor(0xF0F0FF));
    QCOMPARE(cal.DaysOffBkColor(), TColor(0xF0F0FF));
    QCOMPARE(cal.SpecialDaysBkColor(), TColor(0xF0F0FF));
    QCOMPARE(cal.DayContentsBkColor(), clr::clInfoBk);
    QVERIFY(cal.ShowDayContentsOnCalendar());
    QVERIFY(!cal.ShowOnlyFirstLineOnCalendar());
    QCOMPARE(cal.DaysToShow(), 7);
    QVERIFY(!cal.ShowRokuyo());
    QVERIFY(cal.ShowDayText());
    QVERIFY(cal.ShowGrid());
    QCOMPARE(cal.GridColor(), TColor(0x80000015u));
    QCOMPARE(cal.ScheduleSign(), QStringLiteral("■"));
    QCOMPARE(cal.MemoSign(), QStringLiteral("□"));
    QVERIFY(cal.ShowScheduleSign());
    QVERIFY(cal.ShowMemoSign());
    QCOMPARE(cal.TodayBkColor(), TColor(0xC0DCC0));
    QCOMPARE(cal.TodaySign(), ttsNone);
    QVERIFY(!cal.ShowContentsOnClick());
    QCOMPARE(cal.MemoScheduleExists(), TMemoScheduleTable{});
    QCOMPARE(cal.FirstDate(), QDate(2024, 4, 28));
    QCOMPARE(cal.LastDate(), QDate(2024, 6, 8));
    QVERIFY(cal.focusPolicy() & Qt::TabFocus);
}

void TestEvents::dateChangeOrder_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("a day in the same month")
        << QDate(2009, 1, 20) << QDate(2009, 1, 21) << QStringList{"before", "draw*42", "day 2009-1-21"};
    QTest::newRow("31 January to 1 February")
        << QDate(2009, 1, 31) << QDate(2009, 2, 1)
        << QStringList{"before", "yearmonth 2009-2-1", "setup", "draw*42", "day 2009-2-1"};
    QTest::newRow("same month of another year")
        << QDate(2009, 1, 31) << QDate(2010, 1, 31)
        << QStringList{"before", "yearmonth 2010-1-31", "setup", "draw*42", "day 2010-1-31"};
    QTest::newRow("to itself") << QDate(2009, 1, 31) << QDate(2009, 1, 31) << QStringList{"before"};
    QTest::newRow("to no date") << QDate(2009, 1, 31) << QDate() << QStringList{"before"};
}

void TestEvents::dateChangeOrder()
{
    QFETCH(QDate, from);
    QFETCH(QDate, to);
    QFETCH(QStringList, expected);
    TShownCalendar cal(&kClock);
    cal.SetCurrentDate(from);
    TCalendarLog log(cal);
    cal.SetCurrentDate(to);
    QCOMPARE(log.entries(), expected);
    QCOMPARE(cal.CurrentDate(), to.isValid() ? to : from);
}

void TestEvents::firstAndLastKnownWhenMonthChanges()
{
    TShownCalendar cal(&kClock);
    cal.SetCurrentDate(QDate(2009, 1, 31));
    QDate firstSeen, lastSeen;
    QObject::connect(&cal, &TZoCustomCalendar::OnYearMonthChange, [&] {
        firstSeen = cal.FirstDate();
        lastSeen = cal.LastDate();
    });
    cal.SetCurrentDate(QDate(2009, 2, 1));
    QCOMPARE(firstSeen, QDate(2009, 1, 25));
    QCOMPARE(lastSeen, QDate(2009, 3, 7));
    cal.SetFirstRowFirstDay(true);
    QCOMPARE(cal.FirstDate(), QDate(2009, 2, 1));
    QCOMPARE(cal.LastDate(), QDate(2009, 3, 14));
    QCOMPARE(cal.CellDate(0, 1), QDate(2009, 2, 1));
}

void TestEvents::partSettersIgnoreDatesThatDoNotExist()
{
    TShownCalendar cal(&kClock);
    cal.SetCurrentDate(QDate(2024, 4, 30));
    TCalendarLog log(cal);
    cal.SetDay(31);
    cal.SetDay(0);
    cal.SetMonth(13);
    cal.SetCurrentDate(QDate(2024, 2, 29));
    log.clear();
    cal.SetYear(2023);
    QCOMPARE(log.entries(), QStringList());
    QCOMPARE(cal.CurrentDate(), QDate(2024, 2, 29));
    cal.SetYear(2028);
    QCOMPARE(cal.CurrentDate(), QDate(2028, 2, 29));
    cal.SetMonth(3);
    QCOMPARE(cal.CurrentDate(), QDate(2028, 3, 29));
    cal.SetDay(31);
    QCOMPARE(cal.CurrentDate(), QDate(2028, 3, 31));
    QCOMPARE(cal.Year(), quint16(2028));
    QCOMPARE(cal.Month(), quint16(3));
    QCOMPARE(cal.Day(), quint16(31));
}

void TestEvents::navigation_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<int>("step");
    QTest::addColumn<QDate>("to");
    // 0 NextDay, 1 PrevDay, 2 NextWeek, 3 PrevWeek, 4 NextMonth, 5 PrevMonth
    QTest::newRow("next day across the year") << QDate(1999, 12, 31) << 0 << QDate(2000, 1, 1);
    QTest::newRow("previous day") << QDate(2000, 3, 1) << 1 << QDate(2000, 2, 29);
    QTest::newRow("next week") << QDate(2024, 5, 28) << 2 << QDate(2024, 6, 4);
    QTest::newRow("previous week") << QDate(2024, 5, 3) << 3 << QDate(2024, 4, 26);
    QTest::newRow("next month from 31 January, leap year") << QDate(2024, 1, 31) << 4 << QDate(2024, 2, 29);
    QTest::newRow("next month from 31 January") << QDate(2023, 1, 31) << 4 << QDate(2023, 2, 28);
    QTest::newRow("previous month from 31 March, leap year") << QDate(2024, 3, 31) << 5 << QDate(2024, 2, 29);
    QTest::newRow("previous month from 31 March") << QDate(2023, 3, 31) << 5 << QDate(2023, 2, 28);
    QTest::newRow("previous month across the year") << QDate(2024, 1, 15) << 5 << QDate(2023, 12, 15);
}

void TestEvents::navigation()
{
    QFETCH(QDate, from);
    QFETCH(int, step);
    QFETCH(QDate, to);
    TShownCalendar cal(&kClock);
    cal.SetCurrentDate(from);
    const std::array<std::function<void()>, 6> steps{
        [&] { cal.NextDay(); },  [&] { cal.PrevDay(); },   [&] { cal.NextWeek(); },
        [&] { cal.PrevWeek(); }, [&] { cal.NextMonth(); }, [&] { cal.PrevMonth(); },
    };
    steps.at(size_t(step))();
    QCOMPARE(cal.CurrentDate(), to);
}

void TestEvents::startDayOfWeek()
{
    TShownCalendar cal(&kClock);
    cal.SetCurrentDate(QDate(2009, 2, 14));
    TCalendarLog log(cal);
    cal.SetStartDayOfWeek(zodwMonday);
    QCOMPARE(log.entries(), (QStringList{"yearmonth 2009-2-14", "setup", "setup", "draw*42"}));
    QCOMPARE(cal.FirstDate(), QDate(2009, 1, 26));
    QCOMPARE(cal.CellDate(0, 1).dayOfWeek(), 1);
    QCOMPARE(cal.LastDate(), QDate(2009, 3, 8));
    log.clear();
    cal.SetStartDayOfWeek(zodwMonday);
    QCOMPARE(log.entries(), QStringList());
}

void TestEvents::firstRowFirstDayRefillsSigns()
{
    TShownCalendar cal(&kClock);
    cal.SetCurrentDate(QDate(2009, 2, 14));
    TCalendarLog log(cal);
    QDate firstWhenAsked;
    cal.OnSetupScheduleSign = [&](TZoCustomQuillmereCalendar *, TMemoScheduleTable &) {
        firstWhenAsked = cal.FirstDate();
    };
    cal.SetFirstRowFirstDay(true);
    QCOMPARE(firstWhenAsked, QDate(2009, 2, 1));
    QCOMPARE(log.draws(), 42);
}

void TestEvents::refreshDateOrder()
{
    TShownCalendar cal(&kClock);
    cal.SetCurrentDate(QDate(2024, 5, 20));
    TCalendarLog log(cal);
    cal.RefreshDate();
    QCOMPARE(log.entries(), (QStringList{"yearmonth 2024-5-20", "setup", "day 2024-5-20", "setup", "draw*42"}));
}

void TestEvents::settersThatOnlyStore()
{
    TShownCalendar cal(&kClock);
    TCalendarLog log(cal);
    cal.SetNeighborJump(false);
    cal.SetShowContentsOnClick(true);
    cal.SetAutoEquinox(false);
    cal.SetAutoFurikae(false);
    QCOMPARE(log.entries(), QStringList());
    QVERIFY(!cal.NeighborJump());
    QVERIFY(cal.ShowContentsOnClick());
    QVERIFY(!cal.AutoEquinox());
    QVERIFY(!cal.DateEx().AutoEquinox());
    QVERIFY(!cal.AutoFurikae());
    QVERIFY(!cal.DateEx().AutoFurikae());
}

void TestEvents::settersWithTheSameValueDoNothing()
{
    TShownCalendar cal(&kClock);
    // The list asks for contents on every drawing, whatever the switches say.
    cal.SetCalendarStyle(csVertical1);
    TCalendarLog log(cal);
    // Each setter: the held value (nothing happens), then a new one (one drawing).
    const QList<std::pair<const char *, std::function<void(bool)>>> setters{
        {"Color", [&](bool c) { cal.SetColor(c ? 0x123456 : clr::clInfoBk); }},
        {"ShowDayText", [&](bool c) { cal.SetShowDayText(!c); }},
        {"ShowGrid", [&](bool c) { cal.SetShowGrid(!c); }},
        {"GridColor", [&](bool c) { cal.SetGridColor(c ? 0x10 : TColor(0x80000015u)); }},
        {"ScheduleSign", [&](bool c) { cal.SetScheduleSign(c ? QStringLiteral("●") : QStringLiteral("■")); }},
        {"MemoSign", [&](bool c) { cal.SetMemoSign(c ? QStringLiteral("○") : QStringLiteral("□")); }},
        {"ShowScheduleSign", [&](bool c) { cal.SetShowScheduleSign(!c); }},
        {"ShowMemoSign", [&](bool c) { cal.SetShowMemoSign(!c); }},
        {"TodayBkColor", [&](bool c) { cal.SetTodayBkColor(c ? 0x10 : 0xC0DCC0); }},
        {"TodaySign", [&](bool c) { cal.SetTodaySign(c ? ttsSquare : ttsNone); }},
        {"CalendarStyle", [&](bool c) { cal.SetCalendarStyle(c ? csMonthly2 : csVertical1); }},
        {"ShowNeighbor", [&](bool c) { cal.SetShowNeighbor(!c); }},
        {"NeighborColor", [&](bool c) { cal.SetNeighborColor(c ? 0x10 : 0x808080); }},
        {"NeighborBkColor", [&](bool c) { cal.SetNeighborBkColor(c ? 0x10 : 0xC0C0C0); }},
        {"DayOfWeekBkColor", [&](bool c) { cal.SetDayOfWeekBkColor(c ? 0x10 : clr::clBlack); }},
        {"HolidayBkColor", [&](bool c) { cal.SetHolidayBkColor(c ? 0x10 : 0xF0F0FF); }},
        {"DaysOffBkColor", [&](bool c) { cal.SetDaysOffBkColor(c ? 0x10 : 0xF0F0FF); }},
        {"SpecialDaysBkColor", [&](bool c) { cal.SetSpecialDaysBkColor(c ? 0x10 : 0xF0F0FF); }},
        {"DayContentsBkColor", [&](bool c) { cal.SetDayContentsBkColor(c ? 0x10 : clr::clInfoBk); }},
        {"ShowDayContentsOnCalendar", [&](bool c) { cal.SetShowDayContentsOnCalendar(!c); }},
        {"ShowOnlyFirstLineOnCalendar", [&](bool c) { cal.SetShowOnlyFirstLineOnCalendar(c); }},
        {"ShowRokuyo", [&](bool c) { cal.SetShowRokuyo(c); }},
        {"StartDate", [&](bool c) { cal.SetStartDate(c ? QDate(2024, 1, 1) : QDate(2024, 5, 16)); }},
        {"DaysToShow", [&](bool c) { cal.SetDaysToShow(c ? 5 : 7); }},
    };
    for (const auto &[name, set] : setters) {
        log.clear();
        set(false);
        QVERIFY2(log.entries().isEmpty(), name);
        set(true);
        QVERIFY2(!log.entries().isEmpty() && log.entries().last().startsWith(QLatin1String("draw*")), name);
        QVERIFY2(!log.entries().join(',').contains(QLatin1String("day")), name);
        set(false);
    }
}

void TestEvents::invalidListValuesIgnored()
{
    TShownCalendar cal(&kClock);
    TCalendarLog log(cal);
    cal.SetDaysToShow(0);
    cal.SetDaysToShow(-3);
    cal.SetStartDate(QDate());
    QCOMPARE(cal.DaysToShow(), 7);
    QCOMPARE(cal.StartDate(), QDate(2024, 5, 16));
    QCOMPARE(log.entries(), QStringList());
}

void TestEvents::drawRequestsPerStyle()
{
    TShownCalendar cal(&kClock);
    cal.resize(700, 500);
    TCalendarLog log(cal);
    cal.Redraw();
    QCOMPARE(log.draws(), 42);
    log.clear();
    cal.SetCalendarStyle(csMonthly1);
    QCOMPARE(log.draws(), 0); // this layout has no contents lines
    cal.SetCalendarStyle(csMonthly2);
    log.clear();
    cal.SetShowDayContentsOnCalendar(false);
    QCOMPARE(log.draws(), 0);
    log.clear();
    // The list asks for every row's contents, whatever the switch says.
    cal.SetCalendarStyle(csVertical1);
    QCOMPARE(log.draws(), 7);
    int signRequests = 0;
    cal.OnDrawScheduleSign = [&](TZoCustomQuillmereCalendar *, quint16, quint16, quint16, bool &s, bool &m) {
        QVERIFY(!s && !m);
        ++signRequests;
    };
    cal.SetDaysToShow(3);
    QCOMPARE(signRequests, 3);
}

void TestEvents::signTable()
{
    TShownCalendar cal(&kClock);
    cal.SetMemoExists(0, true);
    cal.SetScheduleExists(41, true);
    cal.SetMemoExists(42, true);
    cal.SetScheduleExists(-1, true);
    TMemoScheduleTable expected{};
    expected[0].MemoExists = true;
    expected[41].ScheduleExists = true;
    QCOMPARE(cal.MemoScheduleExists(), expected);

    cal.OnSetupScheduleSign = [](TZoCustomQuillmereCalendar *, TMemoScheduleTable &table) {
        table.fill({});
        table[7].ScheduleExists = true;
    };
    cal.NextMonth();
    expected = {};
    expected[7].ScheduleExists = true;
    QCOMPARE(cal.MemoScheduleExists(), expected);
}

void TestEvents::ruleListsAndFontsRedraw()
{
    TShownCalendar cal(&kClock);
    TCalendarLog log(cal);
    cal.DateEx().SpecialDayList()->Add(TZoDayItem(5, 14, QStringLiteral("記念日")));
    QCOMPARE(log.draws(), 42);
    log.clear();
    cal.DateEx().HolidayList()->Add(TZoDayItem(5, 3, QStringLiteral("憲法記念日")));
    cal.DateEx().HolidayList()->Clear();
    QCOMPARE(log.draws(), 84);
    log.clear();
    cal.Fonts().SetFont(TZoCalendarFonts::Sunday, TZoCalendarFonts::DesignFont(14), Qt::darkRed);
    QCOMPARE(log.draws(), 42);
    log.clear();
    cal.BeginUpdate();
    cal.SetColor(0x112233);
    cal.SetShowGrid(false);
    cal.SetHolidayBkColor(0x445566);
    QCOMPARE(log.draws(), 0);
    cal.EndUpdate();
    QCOMPARE(log.draws(), 42);
}

// A start-up sets dozens of properties before the window shows: a hidden
// calendar draws nothing until it is shown, then once; the list's first day
// still follows the current day meanwhile.
void TestEvents::hiddenCalendarDrawsOnceWhenShown()
{
    TZoQuillmereCalendar cal(nullptr, &kClock);
    TCalendarLog log(cal);
    cal.SetColor(0x123456);
    cal.SetCurrentDate(QDate(2024, 7, 3));
    cal.SetShowGrid(false);
    cal.RefreshDate();
    QCOMPARE(log.draws(), 0);
    cal.SetCalendarStyle(csVertical1);
    cal.SetDaysToShow(7);
    cal.SetStartDate(QDate(2024, 6, 1));
    QCOMPARE(cal.StartDate(), QDate(2024, 6, 27));
    log.clear();
    cal.show();
    QCOMPARE(log.draws(), 7);
    QCOMPARE(cal.StartDate(), QDate(2024, 6, 27));
    log.clear();
    cal.SetCurrentDate(QDate(2024, 7, 20)); // shown: drawn at once
    QCOMPARE(log.draws(), 7);
    QCOMPARE(cal.StartDate(), QDate(2024, 7, 14));
}

int RunEventTests(int argc, char **argv)
{
    TestEvents t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_events.moc"
