#include "calendar/dayitem.h"

#include <QtTest>

namespace {

struct TRule
{
    quint8 dayType;
    quint16 year;
    quint8 yearType;
    quint16 lastYear;
    quint16 month;
    quint16 day;
    quint8 daysOfWeek;
    quint8 nth;
};

TZoDayItem make(const TRule &r)
{
    TZoDayItem item;
    item.DayType = TZoDayType(r.dayType);
    item.Year = r.year;
    item.YearType = TZoYearType(r.yearType);
    item.LastYear = r.lastYear;
    item.Month = r.month;
    item.Day = r.day;
    item.DaysOfWeek = TZoDaysOfWeek::fromByte(r.daysOfWeek);
    item.NumOfDayOfWeek = r.nth;
    return item;
}

constexpr quint8 Sun = 1 << zodwSunday, Mon = 1 << zodwMonday, Wed = 1 << zodwWednesday, Sat = 1 << zodwSaturday;

} // namespace

Q_DECLARE_METATYPE(TRule)

// One rule against dates: what each of the five kinds and the year bounds
// accept, including the month-end and last-weekday forms.
class TestDayItem : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void matches_data();
    void matches();
    void nthRuleMatchesOnlyOneDayOfItsMonth_data();
    void nthRuleMatchesOnlyOneDayOfItsMonth();
    void displayText_data();
    void displayText();
    void constructorsSetKindAndFreshGuid();
    void assignCopiesFieldsAndLastYearButNotReserved();
    void nthWeekdayOfMonth_data();
    void nthWeekdayOfMonth();
    void daysInMonth_data();
    void daysInMonth();
};

void TestDayItem::matches_data()
{
    QTest::addColumn<TRule>("rule");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<bool>("expected");

    const TRule monthEndFeb{dtMonthDay, 0, 0, 0, 2, 0, 0, 0};
    QTest::newRow("month end 2000-02-29") << monthEndFeb << QDate(2000, 2, 29) << true;
    QTest::newRow("month end not 2000-02-28") << monthEndFeb << QDate(2000, 2, 28) << false;
    QTest::newRow("month end 1900-02-28") << monthEndFeb << QDate(1900, 2, 28) << true;
    QTest::newRow("month end not 1900-02-27") << monthEndFeb << QDate(1900, 2, 27) << false;
    QTest::newRow("month end 2001-02-28") << monthEndFeb << QDate(2001, 2, 28) << true;
    QTest::newRow("month end not March") << monthEndFeb << QDate(2001, 3, 31) << false;

    const TRule feb29{dtMonthDay, 0, 0, 0, 2, 29, 0, 0};
    QTest::newRow("2/29 in 2000") << feb29 << QDate(2000, 2, 29) << true;
    QTest::newRow("2/29 not moved to 2001-02-28") << feb29 << QDate(2001, 2, 28) << false;
    QTest::newRow("2/29 not moved to 2001-03-01") << feb29 << QDate(2001, 3, 1) << false;
    const TRule apr31{dtMonthDay, 0, 0, 0, 4, 31, 0, 0};
    QTest::newRow("4/31 never") << apr31 << QDate(2000, 4, 30) << false;

    const TRule janSecondMonday{dtMonthDayOfWeekNum, 0, 0, 0, 1, 0, Mon, 2};
    QTest::newRow("2nd Monday 2000-01-10") << janSecondMonday << QDate(2000, 1, 10) << true;
    QTest::newRow("2nd Monday 2001-01-08") << janSecondMonday << QDate(2001, 1, 8) << true;
    QTest::newRow("2nd Monday not 1st") << janSecondMonday << QDate(2000, 1, 3) << false;
    QTest::newRow("2nd Monday not 3rd") << janSecondMonday << QDate(2000, 1, 17) << false;
    QTest::newRow("2nd Monday not in February") << janSecondMonday << QDate(2000, 2, 14) << false;

    // February 2001 has only four Mondays (5, 12, 19, 26).
    const TRule febLastMonday{dtMonthDayOfWeekNum, 0, 0, 0, 2, 0, Mon, 5};
    QTest::newRow("last Monday of a four-Monday month") << febLastMonday << QDate(2001, 2, 26) << true;
    QTest::newRow("last Monday not the 19th") << febLastMonday << QDate(2001, 2, 19) << false;
    const TRule mayLastMonday{dtMonthDayOfWeekNum, 0, 0, 0, 5, 0, Mon, 9};
    QTest::newRow("9 also means last") << mayLastMonday << QDate(2000, 5, 29) << true;
    const TRule novFourthThursday{dtMonthDayOfWeekNum, 0, 0, 0, 11, 0, 1 << zodwThursday, 4};
    QTest::newRow("4th Thursday") << novFourthThursday << QDate(2026, 11, 26) << true;

    const TRule monWed{dtMonthDayOfWeekNum, 0, 0, 0, 1, 0, quint8(Mon | Wed), 1};
    QTest::newRow("Monday+Wednesday uses Monday") << monWed << QDate(2000, 1, 3) << true;
    QTest::newRow("Monday+Wednesday ignores Wednesday") << monWed << QDate(2000, 1, 5) << false;
    const TRule noWeekday{dtMonthDayOfWeekNum, 0, 0, 0, 1, 0, 0, 1};
    QTest::newRow("empty set counts as Sunday") << noWeekday << QDate(2000, 1, 2) << true;
    const TRule onlyBit7{dtMonthDayOfWeekNum, 0, 0, 0, 1, 0, 0x80, 1};
    QTest::newRow("stray bit 7 counts as Sunday") << onlyBit7 << QDate(2000, 1, 2) << true;

    const TRule weekend{dtDayOfWeek, 0, 0, 0, 0, 0, quint8(Sat | Sun), 0};
    QTest::newRow("weekday set Saturday") << weekend << QDate(2000, 1, 1) << true;
    QTest::newRow("weekday set Sunday") << weekend << QDate(2000, 1, 2) << true;
    QTest::newRow("weekday set not Monday") << weekend << QDate(2000, 1, 3) << false;

    const TRule before1999{dtYearMonthDay, 1999, ytBeforeThisYear, 0, 1, 15, 0, 0};
    QTest::newRow("before: its own year") << before1999 << QDate(1999, 1, 15) << true;
    QTest::newRow("before: 1950") << before1999 << QDate(1950, 1, 15) << true;
    QTest::newRow("before: not 2000") << before1999 << QDate(2000, 1, 15) << false;
    const TRule after2000{dtYearMonthDay, 2000, ytAfterThisYear, 0, 1, 15, 0, 0};
    QTest::newRow("after: its own year") << after2000 << QDate(2000, 1, 15) << true;
    QTest::newRow("after: 2050") << after2000 << QDate(2050, 1, 15) << true;
    QTest::newRow("after: not 1999") << after2000 << QDate(1999, 1, 15) << false;
    const TRule only2019{dtYearMonthDay, 2019, ytThisYear, 2021, 5, 1, 0, 0};
    QTest::newRow("this year") << only2019 << QDate(2019, 5, 1) << true;
    QTest::newRow("this year ignores a last year") << only2019 << QDate(2020, 5, 1) << false;

    const TRule range{dtYearMonthDay, 1996, ytAfterThisYear, 2002, 7, 20, 0, 0};
    QTest::newRow("range: first year") << range << QDate(1996, 7, 20) << true;
    QTest::newRow("range: last year") << range << QDate(2002, 7, 20) << true;
    QTest::newRow("range: after the last year") << range << QDate(2003, 7, 20) << false;
    QTest::newRow("range: before the first year") << range << QDate(1995, 7, 20) << false;
    const TRule nthRange{dtYearMonthDayOfWeekNum, 2003, ytAfterThisYear, 2019, 7, 0, Mon, 3};
    QTest::newRow("nth range: 2019") << nthRange << QDate(2019, 7, 15) << true;
    QTest::newRow("nth range: not 2020") << nthRange << QDate(2020, 7, 20) << false;
    const TRule nthBefore{dtYearMonthDayOfWeekNum, 2000, ytBeforeThisYear, 0, 10, 0, Mon, 2};
    QTest::newRow("nth before: 1999") << nthBefore << QDate(1999, 10, 11) << true;
    QTest::newRow("nth before: not 2001") << nthBefore << QDate(2001, 10, 8) << false;

    const TRule strangeYearType{dtYearMonthDay, 2000, 7, 0, 1, 1, 0, 0};
    QTest::newRow("unknown year type admits every year") << strangeYearType << QDate(1900, 1, 1) << true;
    const TRule strangeKind{9, 0, 0, 0, 1, 1, 0x7F, 1};
    QTest::newRow("unknown kind never matches") << strangeKind << QDate(2000, 1, 1) << false;
    QTest::newRow("invalid date never matches") << weekend << QDate() << false;
}

void TestDayItem::matches()
{
    QFETCH(TRule, rule);
    QFETCH(QDate, date);
    QFETCH(bool, expected);
    QCOMPARE(make(rule).Matches(date), expected);
}

void TestDayItem::nthRuleMatchesOnlyOneDayOfItsMonth_data()
{
    QTest::addColumn<int>("nth");
    QTest::addColumn<int>("expectedMatches");
    QTest::newRow("0 never") << 0 << 0;
    QTest::newRow("1st") << 1 << 1;
    QTest::newRow("4th") << 4 << 1;
    QTest::newRow("last") << 5 << 1;
    QTest::newRow("255 is last") << 255 << 1;
}

void TestDayItem::nthRuleMatchesOnlyOneDayOfItsMonth()
{
    QFETCH(int, nth);
    QFETCH(int, expectedMatches);
    // Every weekday in every month of a common and a leap year.
    for (int weekday = 0; weekday < 7; ++weekday) {
        for (int year : {2000, 2001}) {
            for (int month = 1; month <= 12; ++month) {
                const TZoDayItem rule =
                    make({dtMonthDayOfWeekNum, 0, 0, 0, quint16(month), 0, quint8(1 << weekday), quint8(nth)});
                int matches = 0;
                for (QDate d(year, month, 1); d.month() == month; d = d.addDays(1))
                    if (rule.Matches(d)) {
                        ++matches;
                        QCOMPARE(ZoWeekday(d), weekday);
                        if (nth > 4)
                            QVERIFY2(d.addDays(7).month() != month, "the last occurrence has no later one");
                        else
                            QCOMPARE((d.day() - 1) / 7 + 1, nth);
                    }
                QCOMPARE(matches, expectedMatches);
            }
        }
    }
}

void TestDayItem::displayText_data()
{
    QTest::addColumn<TRule>("rule");
    QTest::addColumn<QString>("expected");

    QTest::newRow("weekday set, Sunday first") << TRule{dtDayOfWeek, 0, 0, 0, 0, 0, quint8(Sat | Sun), 0} << "日土曜日";
    QTest::newRow("empty weekday set") << TRule{dtDayOfWeek, 0, 0, 0, 0, 0, 0, 0} << "";
    QTest::newRow("month day") << TRule{dtMonthDay, 0, 0, 0, 1, 1, 0, 0} << "01月01日";
    QTest::newRow("month end") << TRule{dtMonthDay, 0, 0, 0, 2, 0, 0, 0} << "02月月末";
    QTest::newRow("nth") << TRule{dtMonthDayOfWeekNum, 0, 0, 0, 1, 0, Mon, 2} << "01月第2月曜日";
    QTest::newRow("last") << TRule{dtMonthDayOfWeekNum, 0, 0, 0, 5, 0, Mon, 5} << "05月最終月曜日";
    QTest::newRow("nth without weekday") << TRule{dtMonthDayOfWeekNum, 0, 0, 0, 12, 0, 0, 3} << "12月第3";
    QTest::newRow("before") << TRule{dtYearMonthDay, 1999, ytBeforeThisYear, 0, 1, 15, 0, 0} << "1999年以前の01月15日";
    QTest::newRow("this year") << TRule{dtYearMonthDay, 2019, ytThisYear, 0, 5, 1, 0, 0} << "2019年05月01日";
    QTest::newRow("short year padded") << TRule{dtYearMonthDay, 800, ytThisYear, 0, 5, 0, 0, 0} << " 800年05月月末";
    QTest::newRow("range") << TRule{dtYearMonthDay, 1996, ytAfterThisYear, 2002, 7, 20, 0, 0}
                           << "1996年～2002年の07月20日";
    QTest::newRow("after nth") << TRule{dtYearMonthDayOfWeekNum, 2000, ytAfterThisYear, 0, 1, 0, Mon, 2}
                               << "2000年以降の01月第2月曜日";
    QTest::newRow("after last") << TRule{dtYearMonthDayOfWeekNum, 2000, ytAfterThisYear, 0, 5, 0, Mon, 6}
                                << "2000年以降の05月最終月曜日";
    QTest::newRow("range nth") << TRule{dtYearMonthDayOfWeekNum, 2003, ytAfterThisYear, 2019, 7, 0, Mon, 3}
                               << "2003年～2019年の07月第3月曜日";
    QTest::newRow("last year ignored unless after")
        << TRule{dtYearMonthDay, 1999, ytBeforeThisYear, 2005, 1, 15, 0, 0} << "1999年以前の01月15日";
    QTest::newRow("unknown kind") << TRule{7, 2000, 0, 0, 1, 1, Mon, 1} << "";
}

void TestDayItem::displayText()
{
    QFETCH(TRule, rule);
    QFETCH(QString, expected);
    QCOMPARE(make(rule).DisplayText(), expected);
}

void TestDayItem::constructorsSetKindAndFreshGuid()
{
    const TZoDayItem bare;
    QCOMPARE(bare.DayType, dtYearMonthDay);
    QCOMPARE(bare.YearType, ytThisYear);
    QCOMPARE(bare.Year, quint16(0));
    QCOMPARE(bare.Month, quint16(0));
    QCOMPARE(bare.Day, quint16(0));
    QCOMPARE(bare.NumOfDayOfWeek, quint8(0));
    QVERIFY(bare.DaysOfWeek.isEmpty());
    QVERIFY(bare.DayText.isEmpty());

    const TZoDayItem monthDay(1, 1, QStringLiteral("元日"));
    QCOMPARE(monthDay.DayType, dtMonthDay);
    QCOMPARE(monthDay.Month, quint16(1));
    QCOMPARE(monthDay.Day, quint16(1));
    QCOMPARE(monthDay.DayText, QStringLiteral("元日"));
    QCOMPARE(monthDay.Year, quint16(0));

    const TZoDayItem bounded(1999, ytBeforeThisYear, 1, 15, QStringLiteral("成人の日"));
    QCOMPARE(bounded.DayType, dtYearMonthDay);
    QCOMPARE(bounded.YearType, ytBeforeThisYear);
    QCOMPARE(bounded.Year, quint16(1999));

    const TZoDayItem single(2019, 5, 1, QStringLiteral("即位の日"));
    QCOMPARE(single.DayType, dtYearMonthDay);
    QCOMPARE(single.YearType, ytThisYear);
    QCOMPARE(single.LastYear, quint16(0));

    for (const TZoDayItem *item : {&bare, &monthDay, &bounded, &single}) {
        QVERIFY(!item->Guid().isNull());
        for (quint8 b : item->Reserved())
            QCOMPARE(b, quint8(0));
    }
    QVERIFY(bare.Guid() != monthDay.Guid());
    QVERIFY(bounded.Guid() != single.Guid());
}

void TestDayItem::assignCopiesFieldsAndLastYearButNotReserved()
{
    // A record read from a file carries reserved bytes the program does not
    // know; Assign must not spread them to other rules.
    QByteArray record(16, '\x11');
    record += QByteArray("\xd0\x07\x07\x00\x00\x00\x04\x03\x02\x01\x02\x00\x00\x00"
                         "AB",
                         16);
    QByteArray reserved(kDayItemReservedSize, '\0');
    reserved[0] = '\xd3';
    reserved[1] = '\x07';
    reserved[10] = '\x5a';
    record += reserved;
    TZoDayItem source;
    qsizetype pos = 0;
    QVERIFY(source.ReadRecord(record, pos));
    QCOMPARE(source.LastYear, quint16(2003));
    QCOMPARE(source.Reserved()[10], quint8(0x5a));

    TZoDayItem target(3, 3, QStringLiteral("x"));
    target.Assign(source);
    QCOMPARE(target.Guid(), source.Guid());
    QCOMPARE(target.Year, quint16(2000));
    QCOMPARE(target.Month, quint16(7));
    QCOMPARE(target.Day, quint16(0));
    QCOMPARE(target.DayType, dtYearMonthDayOfWeekNum);
    QCOMPARE(target.NumOfDayOfWeek, quint8(3));
    QCOMPARE(target.DaysOfWeek.toByte(), quint8(Mon));
    QCOMPARE(target.YearType, ytAfterThisYear);
    QCOMPARE(target.LastYear, quint16(2003));
    QCOMPARE(target.DayText, QStringLiteral("AB"));
    QCOMPARE(target.Reserved()[10], quint8(0));
}

void TestDayItem::nthWeekdayOfMonth_data()
{
    QTest::addColumn<int>("weekday");
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("firstWeekday");
    QTest::addColumn<int>("daysInMonth");
    QTest::addColumn<int>("expected");
    QTest::newRow("first day itself") << 6 << 1 << 6 << 31 << 1;
    QTest::newRow("wraps the week") << 1 << 1 << 6 << 31 << 3;
    QTest::newRow("4th") << 1 << 4 << 6 << 31 << 24;
    QTest::newRow("last of five") << 1 << 5 << 6 << 31 << 31;
    QTest::newRow("last of four") << 1 << 5 << 4 << 28 << 26;
    QTest::newRow("zero") << 1 << 0 << 6 << 31 << 0;
}

void TestDayItem::nthWeekdayOfMonth()
{
    QFETCH(int, weekday);
    QFETCH(int, n);
    QFETCH(int, firstWeekday);
    QFETCH(int, daysInMonth);
    QFETCH(int, expected);
    QCOMPARE(NthWeekdayOfMonth(weekday, n, firstWeekday, daysInMonth), expected);
}

void TestDayItem::daysInMonth_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("expected");
    QTest::newRow("2000-02 (400)") << 2000 << 2 << 29;
    QTest::newRow("1900-02 (100)") << 1900 << 2 << 28;
    QTest::newRow("2004-02") << 2004 << 2 << 29;
    QTest::newRow("2001-02") << 2001 << 2 << 28;
    QTest::newRow("April") << 2001 << 4 << 30;
    QTest::newRow("December") << 2001 << 12 << 31;
    QTest::newRow("month 0") << 2001 << 0 << 0;
    QTest::newRow("month 13") << 2001 << 13 << 0;
}

void TestDayItem::daysInMonth()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, expected);
    QCOMPARE(ZoDaysInMonth(year, month), expected);
}

QTEST_GUILESS_MAIN(TestDayItem)
#include "test_dayitem.moc"
