#include "calendar/dateex.h"
#include "calendar/daylisting.h"
#include "calendar/daytext.h"
#include "calendar/holidaytable.h"

#include <QtTest>

namespace {

void switchesOn(TZoDateEx &engine)
{
    engine.SetAutoEquinox(true);
    engine.SetAutoFurikae(true);
    engine.SetAutoKokumin(true);
}

void addHoliday(TZoDateEx &engine, const QDate &date, const QString &text = QStringLiteral("祝"))
{
    engine.HolidayList()->Add(TZoDayItem(date.year(), date.month(), date.day(), text));
}

QString kindsText(TZoDayKinds kinds)
{
    QStringList out;
    const std::pair<TZoDayKind, const char *> names[] = {
        {dkSunday, "Sunday"},   {dkSaturday, "Saturday"},     {dkHoliday, "Holiday"},
        {dkFurikae, "Furikae"}, {dkSpecialDay, "SpecialDay"}, {dkCustomDayOff, "CustomDayOff"}};
    for (const auto &[kind, name] : names)
        if (kinds.testFlag(kind))
            out << QLatin1String(name);
    return out.join(QLatin1Char('|'));
}

} // namespace

// The engine over the built-in table: the computed holidays (equinox,
// substitute, citizens'), their switches, the names and the comma text.
class TestDateEx : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void builtInTable_data();
    void builtInTable();
    void equinoxDays_data();
    void equinoxDays();
    void switchesOff_data();
    void switchesOff();
    void userRulesAndComputedHolidays_data();
    void userRulesAndComputedHolidays();
    void namesFromAllListsInOrder();
    void flagsStartFalseOnEveryCall();
    void invalidDateIsNothing();
    void commaText_data();
    void commaText();
    void monthShape_data();
    void monthShape();
    void listingOfDays();
    void builtInTableOrder();
};

void TestDateEx::builtInTable_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("kinds");
    QTest::addColumn<QString>("text");

    // The changes of the law the old table missed.
    QTest::newRow("2026-05-06 after Sunday 5/3 and two holidays") << QDate(2026, 5, 6) << "Furikae"
                                                                  << "振替休日";
    QTest::newRow("2026-09-22 between 敬老の日 and 秋分の日") << QDate(2026, 9, 22) << "Holiday"
                                                              << "国民の休日";
    QTest::newRow("2026-09-21 敬老の日") << QDate(2026, 9, 21) << "Holiday"
                                         << "敬老の日";
    QTest::newRow("2026-12-23 no longer a holiday") << QDate(2026, 12, 23) << ""
                                                    << "";
    QTest::newRow("2026-08-11 山の日") << QDate(2026, 8, 11) << "Holiday"
                                       << "山の日";
    QTest::newRow("2026-02-23 天皇誕生日") << QDate(2026, 2, 23) << "Holiday"
                                           << "天皇誕生日";
    QTest::newRow("2019-04-30 citizens' holiday") << QDate(2019, 4, 30) << "Holiday"
                                                  << "国民の休日";
    QTest::newRow("2019-05-01 即位の日") << QDate(2019, 5, 1) << "Holiday"
                                         << "即位の日";
    QTest::newRow("2019-05-02 citizens' holiday") << QDate(2019, 5, 2) << "Holiday"
                                                  << "国民の休日";
    QTest::newRow("2021-08-09 after Sunday 山の日") << QDate(2021, 8, 9) << "Furikae"
                                                    << "振替休日";
    QTest::newRow("2021-07-23 スポーツの日") << QDate(2021, 7, 23) << "Holiday"
                                             << "スポーツの日";
    QTest::newRow("1955-03-21 vernal equinox") << QDate(1955, 3, 21) << "Holiday"
                                               << "春分の日";
    QTest::newRow("1955-03-20 Sunday only") << QDate(1955, 3, 20) << "Sunday"
                                            << "";
    QTest::newRow("1973-04-30 first substitute holiday") << QDate(1973, 4, 30) << "Furikae"
                                                         << "振替休日";
    QTest::newRow("1972-10-09 no substitute yet") << QDate(1972, 10, 9) << ""
                                                  << "";
    QTest::newRow("1988-05-04 citizens' holiday") << QDate(1988, 5, 4) << "Holiday"
                                                  << "国民の休日";
    QTest::newRow("1986-05-04 Sunday, not citizens'") << QDate(1986, 5, 4) << "Sunday"
                                                      << "";
    QTest::newRow("1987-05-04 substitute, not citizens'") << QDate(1987, 5, 4) << "Furikae"
                                                          << "振替休日";
    QTest::newRow("1985-05-04 before citizens' holidays") << QDate(1985, 5, 4) << "Saturday"
                                                          << "";

    // The older edge cases that the law agrees with.
    QTest::newRow("1999-03-22 after Sunday equinox") << QDate(1999, 3, 22) << "Furikae"
                                                     << "振替休日";
    QTest::newRow("1999-10-11 after Sunday 体育の日") << QDate(1999, 10, 11) << "Furikae"
                                                      << "振替休日";
    QTest::newRow("2000-10-09 体育の日 by 2nd Monday") << QDate(2000, 10, 9) << "Holiday"
                                                       << "体育の日";
    QTest::newRow("2000-10-10 ordinary Tuesday") << QDate(2000, 10, 10) << ""
                                                 << "";
    QTest::newRow("1998-05-04 substitute for Sunday 5/3") << QDate(1998, 5, 4) << "Furikae"
                                                          << "振替休日";
    QTest::newRow("2000-03-20 春分の日") << QDate(2000, 3, 20) << "Holiday"
                                         << "春分の日";
    QTest::newRow("2000-09-23 秋分の日 on Saturday") << QDate(2000, 9, 23) << "Saturday|Holiday"
                                                     << "秋分の日";
    QTest::newRow("2012-09-22 秋分の日") << QDate(2012, 9, 22) << "Saturday|Holiday"
                                         << "秋分の日";
    QTest::newRow("holiday on Saturday gives nothing on Monday") << QDate(2000, 9, 25) << ""
                                                                 << "";
    QTest::newRow("2009-05-06 after a three-day run") << QDate(2009, 5, 6) << "Furikae"
                                                      << "振替休日";
    QTest::newRow("2006-05-04 citizens' before 2007") << QDate(2006, 5, 4) << "Holiday"
                                                      << "国民の休日";
    QTest::newRow("2007-05-04 みどりの日") << QDate(2007, 5, 4) << "Holiday"
                                           << "みどりの日";
    QTest::newRow("1959-04-10 結婚の儀") << QDate(1959, 4, 10) << "Holiday"
                                         << "結婚の儀";
    QTest::newRow("1948-09-23 first autumn equinox") << QDate(1948, 9, 23) << "Holiday"
                                                     << "秋分の日";
    QTest::newRow("1948-03-20 before the law") << QDate(1948, 3, 20) << "Saturday"
                                               << "";
    QTest::newRow("1948-01-01 before the law") << QDate(1948, 1, 1) << ""
                                               << "";
    QTest::newRow("1949-01-01 元日") << QDate(1949, 1, 1) << "Saturday|Holiday"
                                     << "元日";
}

void TestDateEx::builtInTable()
{
    QFETCH(QDate, date);
    QFETCH(QString, kinds);
    QFETCH(QString, text);
    TZoDateEx engine;
    switchesOn(engine);
    FillBuiltInHolidays(*engine.HolidayList());
    QCOMPARE(kindsText(engine.GetDayKinds(date)), kinds);
    QCOMPARE(kindsText(engine.GetDayKinds(date.year(), date.month(), date.day())), kinds);
    bool special = true, dayOff = true, holiday = false;
    QCOMPARE(engine.GetDayText(date, &special, &dayOff, &holiday), text);
    QCOMPARE(holiday, !text.isEmpty());
    QVERIFY(!special);
    QVERIFY(!dayOff);
}

void TestDateEx::equinoxDays_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("vernal");
    QTest::addColumn<int>("autumnal");
    QTest::newRow("1900") << 1900 << 21 << 23;
    QTest::newRow("1955") << 1955 << 21 << 24;
    QTest::newRow("1960") << 1960 << 20 << 23;
    QTest::newRow("1979") << 1979 << 21 << 24;
    QTest::newRow("1980") << 1980 << 20 << 23;
    QTest::newRow("2000") << 2000 << 20 << 23;
    QTest::newRow("2012") << 2012 << 20 << 22;
    QTest::newRow("2026") << 2026 << 20 << 23;
    QTest::newRow("2099") << 2099 << 20 << 23;
    QTest::newRow("2100") << 2100 << 20 << 23;
    QTest::newRow("2150") << 2150 << 21 << 23;
}

void TestDateEx::equinoxDays()
{
    QFETCH(int, year);
    QFETCH(int, vernal);
    QFETCH(int, autumnal);
    QCOMPARE(VernalEquinoxDayOfMarch(year), vernal);
    QCOMPARE(AutumnalEquinoxDayOfSeptember(year), autumnal);
    QVERIFY(TZoDateEx::IsVernalEquinoxDay(year, 3, vernal));
    QVERIFY(!TZoDateEx::IsVernalEquinoxDay(year, 3, vernal + 1));
    QVERIFY(!TZoDateEx::IsVernalEquinoxDay(year, 9, vernal));
    QVERIFY(TZoDateEx::IsAutumnalEquinoxDay(year, 9, autumnal));
    QVERIFY(!TZoDateEx::IsAutumnalEquinoxDay(year, 9, autumnal - 1));
    QVERIFY(!TZoDateEx::IsAutumnalEquinoxDay(year, 3, autumnal));
}

void TestDateEx::switchesOff_data()
{
    QTest::addColumn<bool>("equinox");
    QTest::addColumn<bool>("furikae");
    QTest::addColumn<bool>("kokumin");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("kinds");
    QTest::addColumn<QString>("text");
    QTest::newRow("no furikae") << true << false << true << QDate(2026, 5, 6) << ""
                                << "";
    QTest::newRow("no furikae: holidays stay") << true << false << true << QDate(2026, 5, 5) << "Holiday"
                                               << "こどもの日";
    QTest::newRow("no equinox") << false << true << true << QDate(2000, 3, 20) << ""
                                << "";
    QTest::newRow("no equinox, no furikae after it") << false << true << true << QDate(1999, 3, 22) << ""
                                                     << "";
    QTest::newRow("no equinox, no citizens' before it") << false << true << true << QDate(2026, 9, 22) << ""
                                                        << "";
    QTest::newRow("no kokumin") << true << true << false << QDate(2026, 9, 22) << ""
                                << "";
    QTest::newRow("no kokumin: 1988-05-04") << true << true << false << QDate(1988, 5, 4) << ""
                                            << "";
    // Turning the substitute off never turns the day into a citizens' one.
    QTest::newRow("no furikae, 1987-05-04 stays ordinary") << true << false << true << QDate(1987, 5, 4) << ""
                                                           << "";
}

void TestDateEx::switchesOff()
{
    QFETCH(bool, equinox);
    QFETCH(bool, furikae);
    QFETCH(bool, kokumin);
    QFETCH(QDate, date);
    QFETCH(QString, kinds);
    QFETCH(QString, text);
    TZoDateEx engine;
    engine.SetAutoEquinox(equinox);
    engine.SetAutoFurikae(furikae);
    engine.SetAutoKokumin(kokumin);
    FillBuiltInHolidays(*engine.HolidayList());
    QCOMPARE(kindsText(engine.GetDayKinds(date)), kinds);
    QCOMPARE(engine.GetDayText(date), text);
}

void TestDateEx::userRulesAndComputedHolidays_data()
{
    QTest::addColumn<QList<QDate>>("holidays");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("kinds");
    QTest::addColumn<QString>("text");

    // 2006-01-08 and 2008-01-06 are Sundays.
    QTest::newRow("before 2007 only the Monday is a substitute")
        << QList<QDate>{QDate(2006, 1, 8), QDate(2006, 1, 9)} << QDate(2006, 1, 10) << ""
        << "";
    QTest::newRow("since 2007 the first ordinary day is")
        << QList<QDate>{QDate(2008, 1, 6), QDate(2008, 1, 7)} << QDate(2008, 1, 8) << "Furikae"
        << "振替休日";
    QTest::newRow("since 2007 the run may span a week")
        << QList<QDate>{QDate(2008, 1, 6),  QDate(2008, 1, 7),  QDate(2008, 1, 8), QDate(2008, 1, 9),
                        QDate(2008, 1, 10), QDate(2008, 1, 11), QDate(2008, 1, 12)}
        << QDate(2008, 1, 13) << "Sunday|Furikae"
        << "振替休日";
    QTest::newRow("the substitute crosses the year end")
        << QList<QDate>{QDate(2017, 12, 31)} << QDate(2018, 1, 1) << "Furikae"
        << "振替休日";
    // 2005-01-16 and 2008-01-13 are Sundays between two holidays.
    QTest::newRow("before 2007 a Sunday is never citizens'")
        << QList<QDate>{QDate(2005, 1, 15), QDate(2005, 1, 17)} << QDate(2005, 1, 16) << "Sunday"
        << "";
    QTest::newRow("since 2007 a Sunday can be citizens'")
        << QList<QDate>{QDate(2008, 1, 12), QDate(2008, 1, 14)} << QDate(2008, 1, 13) << "Sunday|Holiday"
        << "国民の休日";
    QTest::newRow("no citizens' holiday before 1985-12-27")
        << QList<QDate>{QDate(1984, 6, 5), QDate(1984, 6, 7)} << QDate(1984, 6, 6) << ""
        << "";
    QTest::newRow("citizens' holiday from 1985-12-27")
        << QList<QDate>{QDate(1985, 12, 26), QDate(1985, 12, 28)} << QDate(1985, 12, 27) << "Holiday"
        << "国民の休日";
    QTest::newRow("a holiday between holidays is just itself")
        << QList<QDate>{QDate(1990, 6, 5), QDate(1990, 6, 6), QDate(1990, 6, 7)} << QDate(1990, 6, 6) << "Holiday"
        << "祝";
    QTest::newRow("Saturday holiday gives no substitute") << QList<QDate>{QDate(2010, 1, 9)} << QDate(2010, 1, 11) << ""
                                                          << "";
}

void TestDateEx::userRulesAndComputedHolidays()
{
    QFETCH(QList<QDate>, holidays);
    QFETCH(QDate, date);
    QFETCH(QString, kinds);
    QFETCH(QString, text);
    TZoDateEx engine;
    switchesOn(engine);
    for (const QDate &d : holidays)
        addHoliday(engine, d);
    QCOMPARE(kindsText(engine.GetDayKinds(date)), kinds);
    QCOMPARE(engine.GetDayText(date), text);
}

void TestDateEx::namesFromAllListsInOrder()
{
    TZoDateEx engine;
    switchesOn(engine);
    FillBuiltInHolidays(*engine.HolidayList());
    engine.SpecialDayList()->Add(TZoDayItem(1, 1, QStringLiteral("記念日")));
    engine.SpecialDayList()->Add(TZoDayItem(1, 1, QStringLiteral("父の 誕生日")));
    engine.CustomDayOffList()->Add(TZoDayItem(1, 1, QStringLiteral("休日")));
    engine.CustomDayOffList()->Add(TZoDayItem(1, 1, QString()));
    // 2017-01-01 is a Sunday, so 2 January is a substitute holiday as well.
    bool special = false, dayOff = false, holiday = false;
    QCOMPARE(engine.GetDayText(QDate(2017, 1, 1), &special, &dayOff, &holiday),
             QStringLiteral("記念日,\"父の 誕生日\",元日,休日,\"\""));
    QVERIFY(special);
    QVERIFY(dayOff);
    QVERIFY(holiday);
    QCOMPARE(kindsText(engine.GetDayKinds(2017, 1, 1)), QStringLiteral("Sunday|Holiday|SpecialDay|CustomDayOff"));
    QCOMPARE(engine.GetDayText(2017, 1, 2), QStringLiteral("振替休日"));

    // A Sunday that is only special or a day off gives no substitute.
    TZoDateEx plain;
    switchesOn(plain);
    plain.SpecialDayList()->Add(TZoDayItem(2017, 1, 8, QStringLiteral("特別")));
    plain.CustomDayOffList()->Add(TZoDayItem(2017, 1, 15, QStringLiteral("休")));
    QCOMPARE(kindsText(plain.GetDayKinds(2017, 1, 9)), QString());
    QCOMPARE(kindsText(plain.GetDayKinds(2017, 1, 16)), QString());
    // A weekly day off reaches every matching date.
    TZoDayItem everyWednesday;
    everyWednesday.DayType = dtDayOfWeek;
    everyWednesday.DaysOfWeek = TZoDaysOfWeek{zodwWednesday};
    everyWednesday.DayText = QStringLiteral("定休日");
    plain.CustomDayOffList()->Add(everyWednesday);
    QCOMPARE(kindsText(plain.GetDayKinds(2017, 1, 11)), QStringLiteral("CustomDayOff"));
    QCOMPARE(plain.GetDayText(2017, 1, 18), QStringLiteral("定休日"));
}

void TestDateEx::flagsStartFalseOnEveryCall()
{
    TZoDateEx engine;
    switchesOn(engine);
    FillBuiltInHolidays(*engine.HolidayList());
    bool special = true, dayOff = true, holiday = true;
    QCOMPARE(engine.GetDayText(QDate(2026, 12, 9), &special, &dayOff, &holiday), QString());
    QVERIFY(!special);
    QVERIFY(!dayOff);
    QVERIFY(!holiday);
}

void TestDateEx::invalidDateIsNothing()
{
    TZoDateEx engine;
    switchesOn(engine);
    FillBuiltInHolidays(*engine.HolidayList());
    QCOMPARE(int(engine.GetDayKinds(2026, 2, 30)), 0);
    QCOMPARE(engine.GetDayText(2026, 13, 1), QString());
    QCOMPARE(TZoDateEx::DaysInMonth(QDate()), 0);
}

void TestDateEx::commaText_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("expected");
    QTest::newRow("none") << QStringList{} << "";
    QTest::newRow("one empty") << QStringList{""} << "\"\"";
    QTest::newRow("two") << QStringList{"元日", "記念日"} << "元日,記念日";
    QTest::newRow("empty in the middle") << QStringList{"a", "", "b"} << "a,\"\",b";
    QTest::newRow("space") << QStringList{"a b"} << "\"a b\"";
    QTest::newRow("tab") << QStringList{"a\tb"} << "\"a\tb\"";
    QTest::newRow("quote doubled") << QStringList{"say \"hi\""} << "\"say \"\"hi\"\"\"";
    QTest::newRow("comma") << QStringList{"a,b", "c"} << "\"a,b\",c";
    QTest::newRow("ideographic space is no space") << QStringList{"父の　日"} << "父の　日";
    // ソ and 表 end in the bytes 5C and 7C: a whole character never reads as a quote.
    QTest::newRow("trail bytes") << QStringList{"ソ表"} << "ソ表";
}

void TestDateEx::commaText()
{
    QFETCH(QStringList, items);
    QFETCH(QString, expected);
    QCOMPARE(DayCommaText(items), expected);
}

void TestDateEx::monthShape_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("firstWeekday");
    QTest::newRow("2000-01") << 2000 << 1 << 31 << 6;
    QTest::newRow("2000-02") << 2000 << 2 << 29 << 2;
    QTest::newRow("1900-02") << 1900 << 2 << 28 << 4;
    QTest::newRow("2026-02") << 2026 << 2 << 28 << 0;
    QTest::newRow("2026-12") << 2026 << 12 << 31 << 2;
    QTest::newRow("2026-11") << 2026 << 11 << 30 << 0;
}

void TestDateEx::monthShape()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, days);
    QFETCH(int, firstWeekday);
    QCOMPARE(TZoDateEx::DaysInMonth(year, month), days);
    QCOMPARE(TZoDateEx::DaysInMonth(QDate(year, month, 15)), days);
    QCOMPARE(TZoDateEx::FirstDayOfWeek(year, month), firstWeekday);
    QCOMPARE(TZoDateEx::FirstDayOfWeek(QDate(year, month, days)), firstWeekday);
}

void TestDateEx::listingOfDays()
{
    TZoDateEx engine;
    switchesOn(engine);
    FillBuiltInHolidays(*engine.HolidayList());
    engine.SpecialDayList()->Add(TZoDayItem(5, 5, QStringLiteral("誕生日 祝い")));
    engine.CustomDayOffList()->Add(TZoDayItem(2026, 5, 7, QStringLiteral("休")));
    const QStringList expected = {
        QStringLiteral("2026-05-03\tholiday\t憲法記念日"),
        QStringLiteral("2026-05-04\tholiday\tみどりの日"),
        QStringLiteral("2026-05-05\tholiday,special\t\"誕生日 祝い\",こどもの日"),
        QStringLiteral("2026-05-06\tfurikae\t振替休日"),
        QStringLiteral("2026-05-07\tdayoff\t休"),
    };
    QCOMPARE(DayListingLines(engine, QDate(2026, 5, 1), QDate(2026, 5, 10)), expected);
    QCOMPARE(DayListingLines(engine, QDate(2026, 9, 22), QDate(2026, 9, 22)),
             QStringList{QStringLiteral("2026-09-22\tholiday\t国民の休日")});
    QCOMPARE(DayListingLines(engine, QDate(2026, 5, 10), QDate(2026, 5, 1)), QStringList());
    QCOMPARE(DayListingLine(engine, QDate(2026, 5, 9)), QString());
}

void TestDateEx::builtInTableOrder()
{
    // The order is what a new holidays.dat holds and the holiday dialog shows.
    const QStringList expected = {
        "元日 1949年以降の01月01日",
        "成人の日 1949年～1999年の01月15日",
        "成人の日 2000年以降の01月第2月曜日",
        "建国記念の日 1967年以降の02月11日",
        "天皇誕生日 2020年以降の02月23日",
        "天皇誕生日 1949年～1988年の04月29日",
        "みどりの日 1989年～2006年の04月29日",
        "昭和の日 2007年以降の04月29日",
        "憲法記念日 1949年以降の05月03日",
        "みどりの日 2007年以降の05月04日",
        "こどもの日 1949年以降の05月05日",
        "海の日 1996年～2002年の07月20日",
        "海の日 2003年～2019年の07月第3月曜日",
        "海の日 2020年07月23日",
        "海の日 2021年07月22日",
        "海の日 2022年以降の07月第3月曜日",
        "山の日 2016年～2019年の08月11日",
        "山の日 2020年08月10日",
        "山の日 2021年08月08日",
        "山の日 2022年以降の08月11日",
        "敬老の日 1966年～2002年の09月15日",
        "敬老の日 2003年以降の09月第3月曜日",
        "体育の日 1966年～1999年の10月10日",
        "体育の日 2000年～2019年の10月第2月曜日",
        "スポーツの日 2020年07月24日",
        "スポーツの日 2021年07月23日",
        "スポーツの日 2022年以降の10月第2月曜日",
        "文化の日 1948年以降の11月03日",
        "勤労感謝の日 1948年以降の11月23日",
        "天皇誕生日 1989年～2018年の12月23日",
        "結婚の儀 1959年04月10日",
        "大喪の礼 1989年02月24日",
        "即位礼正殿の儀 1990年11月12日",
        "結婚の儀 1993年06月09日",
        "即位の日 2019年05月01日",
        "即位礼正殿の儀 2019年10月22日",
    };
    TZoDayItemList list;
    FillBuiltInHolidays(list);
    QStringList actual;
    for (int i = 0; i < list.Count(); ++i)
        actual << list.Items(i)->DayText + QLatin1Char(' ') + list.Items(i)->DisplayText();
    QCOMPARE(actual, expected);
}

QTEST_GUILESS_MAIN(TestDateEx)
#include "test_dateex.moc"
