#include "calendar/zocalendarcustomqm.h"
#include "calendar/zocalendarfonts.h"
#include "core/font.h"
#include "support/testhome.h"

#include <QTest>

class TestFonts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initialFonts();
    void setFontBySwitches_data();
    void setFontBySwitches();
    void copiesDoNotCarryTheOwner();
    void dayFontChoice_data();
    void dayFontChoice();
    void dayFontFromTheEngine();
    void fontsFromSettings();
};

void TestFonts::initialFonts()
{
    const TZoCalendarFonts fonts;
    QCOMPARE(fonts.QtFont(TZoCalendarFonts::Weekday).pixelSize(), 12);
    QCOMPARE(fonts.Color(TZoCalendarFonts::Saturday), QColor(Qt::blue));
    QCOMPARE(fonts.Color(TZoCalendarFonts::Sunday), QColor(Qt::red));
    QVERIFY(fonts.QtFont(TZoCalendarFonts::DayOfWeek).bold());
    QCOMPARE(fonts.Color(TZoCalendarFonts::DayOfWeek), QColor(Qt::white));
    QVERIFY(fonts.QtFont(TZoCalendarFonts::Holiday).bold());
    QVERIFY(fonts.QtFont(TZoCalendarFonts::CustomDayOff).italic());
    QCOMPARE(fonts.QtFont(TZoCalendarFonts::Rokuyo).pixelSize(), 13);
    QCOMPARE(fonts.QtFont(TZoCalendarFonts::HolidayText).pixelSize(), 9);
    QCOMPARE(fonts.QtFont(TZoCalendarFonts::ScheduleSign).pixelSize(), 7);
    QCOMPARE(fonts.Color(TZoCalendarFonts::MemoSign), QColor(Qt::blue));
    QVERIFY(QFontInfo(fonts.QtFont(TZoCalendarFonts::DayContents)).family().contains(QLatin1String("CJK JP")));
    QCOMPARE(QString::fromLatin1(TZoCalendarFonts::SettingsKey(TZoCalendarFonts::DayContents)),
             QStringLiteral("LargeCalendarFont"));
    QCOMPARE(QString::fromLatin1(TZoCalendarFonts::SettingsKey(TZoCalendarFonts::Rokuyo)), QString());
}

void TestFonts::setFontBySwitches_data()
{
    QTest::addColumn<int>("mode"); // 0 none, 1 Synchronize, 2 SizeSynchronize, 3 StyleSynchronize
    QTest::newRow("only the indexed font") << 0;
    QTest::newRow("Synchronize copies into all") << 1;
    QTest::newRow("SizeSynchronize sets only the size") << 2;
    QTest::newRow("StyleSynchronize sets only the style") << 3;
}

void TestFonts::setFontBySwitches()
{
    QFETCH(int, mode);
    TZoCalendarFonts fonts;
    const TZoCalendarFonts before = fonts;
    int changes = 0;
    fonts.OnChange = [&] { ++changes; };
    // Synchronize wins over the other two, SizeSynchronize over StyleSynchronize.
    fonts.Synchronize = mode == 1;
    fonts.SizeSynchronize = mode == 2 || mode == 1;
    fonts.StyleSynchronize = mode >= 2;
    QFont font = TZoCalendarFonts::DesignFont(20, false, true);
    fonts.SetFont(TZoCalendarFonts::Sunday, font, Qt::darkGreen);
    QCOMPARE(changes, 1);
    for (int i = 0; i < TZoCalendarFonts::Count; ++i) {
        const QFont &f = fonts.QtFont(i);
        const QFont &old = before.QtFont(i);
        switch (mode) {
        case 0:
            QCOMPARE(f, i == TZoCalendarFonts::Sunday ? font : old);
            break;
        case 1:
            QCOMPARE(f, font);
            QCOMPARE(fonts.Color(i), QColor(Qt::darkGreen));
            break;
        case 2:
            QCOMPARE(f.pixelSize(), 20);
            QCOMPARE(f.italic(), old.italic());
            QCOMPARE(fonts.Color(i), before.Color(i));
            break;
        case 3:
            QCOMPARE(f.pixelSize(), old.pixelSize());
            QVERIFY(f.italic());
            QVERIFY(!f.bold());
            break;
        }
    }
}

void TestFonts::copiesDoNotCarryTheOwner()
{
    TZoCalendarFonts fonts;
    int changes = 0;
    fonts.OnChange = [&] { ++changes; };
    TZoCalendarFonts copy = fonts;
    copy.SetFont(TZoCalendarFonts::Weekday, TZoCalendarFonts::DesignFont(15), Qt::black);
    QCOMPARE(changes, 0);
    fonts = copy;
    QCOMPARE(changes, 1);
    QCOMPARE(fonts.QtFont(TZoCalendarFonts::Weekday).pixelSize(), 15);
    fonts = copy; // the same fonts again: nothing changes
    QCOMPARE(changes, 1);
}

void TestFonts::dayFontChoice_data()
{
    QTest::addColumn<int>("kinds");
    QTest::addColumn<int>("dayFont");
    QTest::addColumn<int>("textFont");
    using F = TZoCalendarFonts;
    QTest::newRow("ordinary day") << 0 << int(F::Weekday) << int(F::Weekday);
    QTest::newRow("Saturday") << int(dkSaturday) << int(F::Saturday) << int(F::Weekday);
    QTest::newRow("Sunday") << int(dkSunday) << int(F::Sunday) << int(F::Weekday);
    QTest::newRow("holiday on a Saturday") << int(dkSaturday | dkHoliday) << int(F::Holiday) << int(F::HolidayText);
    QTest::newRow("substitute holiday") << int(dkFurikae) << int(F::Holiday) << int(F::HolidayText);
    QTest::newRow("Sunday and special day") << int(dkSunday | dkSpecialDay) << int(F::SpecialDay) << int(F::SpecialDayText);
    QTest::newRow("holiday and special day") << int(dkHoliday | dkSpecialDay) << int(F::SpecialDay) << int(F::SpecialDayText);
    QTest::newRow("holiday and day off") << int(dkHoliday | dkCustomDayOff) << int(F::CustomDayOff)
                                         << int(F::CustomDayOffText);
    QTest::newRow("everything") << int(dkSunday | dkHoliday | dkSpecialDay | dkCustomDayOff) << int(F::CustomDayOff)
                                << int(F::CustomDayOffText);
}

void TestFonts::dayFontChoice()
{
    QFETCH(int, kinds);
    QFETCH(int, dayFont);
    QFETCH(int, textFont);
    const TZoDayKinds k = TZoDayKinds::fromInt(kinds);
    QCOMPARE(TZoCustomQuillmereCalendar::DayFontIndex(k), dayFont);
    QCOMPARE(TZoCustomQuillmereCalendar::DayTextFontIndex(k), textFont);
}

void TestFonts::dayFontFromTheEngine()
{
    TZoCustomQuillmereCalendar cal;
    // 12 May 2024 is a Sunday.
    cal.DateEx().SpecialDayList()->Add(TZoDayItem(5, 12, QStringLiteral("母の日")));
    cal.DateEx().HolidayList()->Add(TZoDayItem(5, 3, QStringLiteral("憲法記念日")));
    const TZoCalendarFonts &f = cal.Fonts();
    QCOMPARE(cal.GetDayFont(2024, 5, 12), f.Font(TZoCalendarFonts::SpecialDay));
    QCOMPARE(cal.GetDayTextFont(2024, 5, 12), f.Font(TZoCalendarFonts::SpecialDayText));
    QCOMPARE(cal.GetDayFont(2024, 5, 19), f.Font(TZoCalendarFonts::Sunday));
    QCOMPARE(cal.GetDayFont(2024, 5, 18), f.Font(TZoCalendarFonts::Saturday));
    QCOMPARE(cal.GetDayFont(2024, 5, 3), f.Font(TZoCalendarFonts::Holiday));
    QCOMPARE(cal.GetDayTextFont(2024, 5, 3), f.Font(TZoCalendarFonts::HolidayText));
    QCOMPARE(cal.GetDayFont(2024, 5, 15), f.Font(TZoCalendarFonts::Weekday));
    QCOMPARE(cal.GetDayTextFont(2024, 5, 15), f.Font(TZoCalendarFonts::Weekday));
}

void TestFonts::fontsFromSettings()
{
    TTestHome home;
    TFontSpec font;
    font.name = QStringLiteral("Noto Sans CJK JP");
    font.size = 14;
    font.bold = true;
    font.color = 0x0000FF; // red
    home.setSettings("[FONTS]\r\nCalendarSunday=" + FontToString(font).toLatin1() + "\r\n");
    TZoCalendarFonts fonts;
    fonts.Synchronize = true;
    int changes = 0;
    fonts.OnChange = [&] { ++changes; };
    LoadCalendarFontsFromSettings(fonts);
    QCOMPARE(changes, 1);
    QVERIFY(fonts.Synchronize); // the switches are the owner's, not the file's
    QCOMPARE(fonts.QtFont(TZoCalendarFonts::Sunday).pointSize(), 14);
    QVERIFY(fonts.QtFont(TZoCalendarFonts::Sunday).bold());
    QCOMPARE(fonts.Color(TZoCalendarFonts::Sunday), QColor(255, 0, 0));
    // Keys that are not set keep the fonts as they were.
    QCOMPARE(fonts.QtFont(TZoCalendarFonts::Saturday), TZoCalendarFonts().QtFont(TZoCalendarFonts::Saturday));
}

int RunFontTests(int argc, char **argv)
{
    TestFonts t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_fonts.moc"
