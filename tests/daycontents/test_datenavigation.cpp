#include "calendar/datenavigation.h"

#include <QTest>

class TestDateNavigation : public QObject
{
    Q_OBJECT
private slots:
    void goToDateLimits_data();
    void goToDateLimits();
    void steps_data();
    void steps();
    void boxes_data();
    void boxes();
    void hints_data();
    void hints();
    void scrollStrip_data();
    void scrollStrip();
};

void TestDateNavigation::goToDateLimits_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("first day") << QDate(1900, 1, 1) << true;
    QTest::newRow("last day") << QDate(2099, 12, 31) << true;
    QTest::newRow("before") << QDate(1899, 12, 31) << false;
    QTest::newRow("after") << QDate(2100, 1, 1) << false;
    QTest::newRow("invalid") << QDate() << false;
    QTest::newRow("ordinary") << QDate(2026, 5, 13) << true;
}

void TestDateNavigation::goToDateLimits()
{
    QFETCH(QDate, date);
    QFETCH(bool, allowed);
    QCOMPARE(GoToDateAllowed(date), allowed);
}

void TestDateNavigation::steps_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<int>("months");
    QTest::addColumn<int>("days");
    QTest::addColumn<QDate>("to");
    QTest::newRow("31 Jan next month, leap year") << QDate(2000, 1, 31) << 1 << 0 << QDate(2000, 2, 29);
    QTest::newRow("31 Jan next month, common year") << QDate(2001, 1, 31) << 1 << 0 << QDate(2001, 2, 28);
    QTest::newRow("29 Feb 2000 next year") << QDate(2000, 2, 29) << 12 << 0 << QDate(2001, 2, 28);
    QTest::newRow("29 Feb 2000 previous year") << QDate(2000, 2, 29) << -12 << 0 << QDate(1999, 2, 28);
    QTest::newRow("31 Mar previous month") << QDate(2004, 3, 31) << -1 << 0 << QDate(2004, 2, 29);
    QTest::newRow("31 May next month") << QDate(2026, 5, 31) << 1 << 0 << QDate(2026, 6, 30);
    QTest::newRow("next day over a month end") << QDate(2026, 4, 30) << 0 << 1 << QDate(2026, 5, 1);
    QTest::newRow("next day over 28 Feb in 1900") << QDate(1900, 2, 28) << 0 << 1 << QDate(1900, 3, 1);
    QTest::newRow("previous day over a year end") << QDate(2026, 1, 1) << 0 << -1 << QDate(2025, 12, 31);
    QTest::newRow("next day from the last day") << QDate(2099, 12, 31) << 0 << 1 << QDate(2100, 1, 1);
}

void TestDateNavigation::steps()
{
    QFETCH(QDate, from);
    QFETCH(int, months);
    QFETCH(int, days);
    QFETCH(QDate, to);
    QCOMPARE(StepDate(from, months, days), to);
}

void TestDateNavigation::boxes_data()
{
    QTest::addColumn<QDate>("current");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<QDate>("yearTarget");
    QTest::addColumn<QDate>("monthTarget");
    QTest::newRow("29 Feb 2000, year 2001, month 4") << QDate(2000, 2, 29) << 2001 << 4 << QDate(2001, 2, 28) << QDate(2000, 4, 29);
    QTest::newRow("31 Dec, month 2") << QDate(2023, 12, 31) << 1900 << 2 << QDate(1900, 12, 31) << QDate(2023, 2, 28);
    QTest::newRow("same year and month") << QDate(2026, 5, 13) << 2026 << 5 << QDate(2026, 5, 13) << QDate(2026, 5, 13);
}

void TestDateNavigation::boxes()
{
    QFETCH(QDate, current);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(QDate, yearTarget);
    QFETCH(QDate, monthTarget);
    QCOMPARE(YearBoxTarget(current, year), yearTarget);
    QCOMPARE(MonthBoxTarget(current, month), monthTarget);
}

void TestDateNavigation::hints_data()
{
    QTest::addColumn<QDate>("current");
    // prevYear prevMonth prevDay nextDay nextMonth nextYear
    QTest::addColumn<QStringList>("hints");
    QTest::newRow("January: next month 2月")
        << QDate(2026, 1, 15) << QStringList{"2025年", "12月", "14日", "16日", "2月", "2027年"};
    QTest::newRow("month end: next day 1日")
        << QDate(2026, 1, 31) << QStringList{"2025年", "12月", "30日", "1日", "2月", "2027年"};
    QTest::newRow("leap day") << QDate(2000, 2, 29) << QStringList{"1999年", "1月", "28日", "1日", "3月", "2001年"};
    QTest::newRow("1 March in a leap year")
        << QDate(2024, 3, 1) << QStringList{"2023年", "2月", "29日", "2日", "4月", "2025年"};
    QTest::newRow("last day 2099-12-31")
        << QDate(2099, 12, 31) << QStringList{"2098年", "11月", "30日", "31日", "12月", "2099年"};
    QTest::newRow("December 2099, not the last day")
        << QDate(2099, 12, 15) << QStringList{"2098年", "11月", "14日", "16日", "12月", "2099年"};
    // Only the steps that would leave 2099 stay; the day after 31 January
    // 2099 is still reachable.
    QTest::newRow("31 January 2099")
        << QDate(2099, 1, 31) << QStringList{"2098年", "12月", "30日", "1日", "2月", "2099年"};
    QTest::newRow("first day 1900-01-01")
        << QDate(1900, 1, 1) << QStringList{"1900年", "1月", "1日", "2日", "2月", "1901年"};
    QTest::newRow("1 February 1900")
        << QDate(1900, 2, 1) << QStringList{"1900年", "1月", "31日", "2日", "3月", "1901年"};
}

void TestDateNavigation::hints()
{
    QFETCH(QDate, current);
    QFETCH(QStringList, hints);
    const TNavigationHints h = NavigationHints(current);
    QCOMPARE((QStringList{h.prevYear, h.prevMonth, h.prevDay, h.nextDay, h.nextMonth, h.nextYear}), hints);
}

void TestDateNavigation::scrollStrip_data()
{
    QTest::addColumn<QDate>("start");
    QTest::addColumn<int>("days");
    QTest::addColumn<bool>("upper");
    QTest::addColumn<QDate>("target");
    QTest::newRow("1-7 May, lower half") << QDate(2026, 5, 1) << 7 << false << QDate(2026, 5, 13);
    QTest::newRow("7-13 May, upper half") << QDate(2026, 5, 7) << 7 << true << QDate(2026, 5, 1);
    QTest::newRow("one row stays") << QDate(2026, 5, 7) << 1 << true << QDate(2026, 5, 7);
    QTest::newRow("below one row counts as one") << QDate(2026, 5, 7) << 0 << false << QDate(2026, 5, 7);
    QTest::newRow("over a year end") << QDate(2025, 12, 28) << 3 << false << QDate(2026, 1, 1);
}

void TestDateNavigation::scrollStrip()
{
    QFETCH(QDate, start);
    QFETCH(int, days);
    QFETCH(bool, upper);
    QFETCH(QDate, target);
    QCOMPARE(ScrollStripTarget(start, days, upper), target);
}

QTEST_GUILESS_MAIN(TestDateNavigation)
#include "test_datenavigation.moc"
