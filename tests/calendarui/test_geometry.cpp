#include "calendar/zocalendargeometry.h"

#include <QTest>

using namespace zocal;

class TestGeometry : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void firstAndLastCell_data();
    void firstAndLastCell();
    void gridIsFortyTwoConsecutiveDays();
    void spansTileTheArea();
    void monthHitTest_data();
    void monthHitTest();
    void listHitTestAndDrop_data();
    void listHitTestAndDrop();
};

void TestGeometry::firstAndLastCell_data()
{
    QTest::addColumn<QDate>("current");
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("firstRowFirstDay");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::newRow("May 1999, Sunday first") << QDate(1999, 5, 17) << 0 << false << QDate(1999, 4, 25) << QDate(1999, 6, 5);
    QTest::newRow("Feb 2009 begins on Sunday, first row off")
        << QDate(2009, 2, 14) << 0 << false << QDate(2009, 1, 25) << QDate(2009, 3, 7);
    QTest::newRow("Feb 2009 begins on Sunday, first row on")
        << QDate(2009, 2, 14) << 0 << true << QDate(2009, 2, 1) << QDate(2009, 3, 14);
    QTest::newRow("Feb 2009, Monday first") << QDate(2009, 2, 1) << 1 << false << QDate(2009, 1, 26) << QDate(2009, 3, 8);
    QTest::newRow("June 2009 begins on Monday, Monday first, first row off")
        << QDate(2009, 6, 30) << 1 << false << QDate(2009, 5, 25) << QDate(2009, 7, 5);
    QTest::newRow("June 2009 begins on Monday, Monday first, first row on")
        << QDate(2009, 6, 30) << 1 << true << QDate(2009, 6, 1) << QDate(2009, 7, 12);
    QTest::newRow("Saturday first, month begins on Sunday")
        << QDate(2009, 2, 10) << 6 << false << QDate(2009, 1, 31) << QDate(2009, 3, 13);
    QTest::newRow("across the year end") << QDate(2000, 1, 10) << 0 << false << QDate(1999, 12, 26) << QDate(2000, 2, 5);
}

void TestGeometry::firstAndLastCell()
{
    QFETCH(QDate, current);
    QFETCH(int, start);
    QFETCH(bool, firstRowFirstDay);
    QFETCH(QDate, first);
    QFETCH(QDate, last);
    QCOMPARE(CellDate(current, start, firstRowFirstDay, 0, 1), first);
    QCOMPARE(CellDate(current, start, firstRowFirstDay, 6, 6), last);
    QCOMPARE(DayOfWeek0(first), start);
}

void TestGeometry::gridIsFortyTwoConsecutiveDays()
{
    for (int start = 0; start < 7; ++start) {
        for (const bool frfd : {false, true}) {
            for (int month = 1; month <= 12; ++month) {
                const QDate current(2024, month, 15);
                const QDate first = CellDate(current, start, frfd, 0, 1);
                for (int i = 0; i < 42; ++i)
                    QCOMPARE(CellDate(current, start, frfd, i % 7, i / 7 + 1), first.addDays(i));
                // The whole month is always on the grid.
                QVERIFY(first <= QDate(2024, month, 1));
                QVERIFY(first.addDays(41) >= QDate(2024, month, current.daysInMonth()));
            }
        }
    }
}

void TestGeometry::spansTileTheArea()
{
    const int w = 703; // not a multiple of 7
    const int h = 500;
    const int hh = 19;
    QCOMPARE(ColumnSpan(w, 0).from, 0);
    QCOMPARE(ColumnSpan(w, 6).to, w);
    QCOMPARE(ColumnSpan(w, 3), (TSpan{301, 401}));
    for (int j = 0; j < 6; ++j)
        QCOMPARE(ColumnSpan(w, j).to, ColumnSpan(w, j + 1).from);
    QCOMPARE(RowSpan(h, hh, 0), (TSpan{0, hh}));
    QCOMPARE(RowSpan(h, hh, 1), (TSpan{hh, 19 + 481 / 6}));
    QCOMPARE(RowSpan(h, hh, 6).to, h);
    for (int i = 0; i < 6; ++i)
        QCOMPARE(RowSpan(h, hh, i).to, RowSpan(h, hh, i + 1).from);
    QCOMPARE(ListRowSpan(100, 7, 0), (TSpan{0, 14}));
    QCOMPARE(ListRowSpan(100, 7, 6), (TSpan{85, 100}));
}

void TestGeometry::monthHitTest_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    // Height 500, header 20: week rows of (480 div 6) = 80 pixels.
    QTest::newRow("top left of the weekday row") << 700 << 0 << 0 << 0 << 0;
    QTest::newRow("header's bottom edge is still the header") << 700 << 150 << 20 << 1 << 0;
    QTest::newRow("first week row") << 700 << 150 << 21 << 1 << 1;
    QTest::newRow("last pixel of week row 1") << 700 << 699 << 99 << 6 << 1;
    QTest::newRow("week row 2 begins") << 700 << 100 << 100 << 1 << 2;
    QTest::newRow("last row") << 700 << 350 << 499 << 3 << 6;
    QTest::newRow("right of the seventh column counts as column 6") << 705 << 704 << 300 << 6 << 4;
    QTest::newRow("outside to the right") << 700 << 700 << 300 << -1 << -1;
    QTest::newRow("negative point") << 700 << -1 << 40 << -1 << -1;
    QTest::newRow("too narrow for a column") << 6 << 3 << 40 << -1 << -1;
}

void TestGeometry::monthHitTest()
{
    QFETCH(int, width);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, column);
    QFETCH(int, row);
    const TCellHit hit = MonthCellFromPoint(width, 500, 20, x, y);
    QCOMPARE(hit.column, column);
    QCOMPARE(hit.row, row);
}

void TestGeometry::listHitTestAndDrop_data()
{
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("pressRow");
    QTest::addColumn<QDate>("drop");
    // Height 700, seven rows of 100 pixels from 10 May 2024.
    QTest::newRow("first row drops on the day before") << 50 << 0 << 0 << QDate(2024, 5, 9);
    QTest::newRow("second row") << 100 << 1 << 1 << QDate(2024, 5, 11);
    QTest::newRow("middle row") << 399 << 3 << 3 << QDate(2024, 5, 13);
    QTest::newRow("sixth row") << 599 << 5 << 5 << QDate(2024, 5, 15);
    QTest::newRow("last row drops on the day after the list") << 650 << 6 << 6 << QDate(2024, 5, 17);
}

void TestGeometry::listHitTestAndDrop()
{
    QFETCH(int, y);
    QFETCH(int, row);
    QFETCH(int, pressRow);
    QFETCH(QDate, drop);
    const QDate start(2024, 5, 10);
    QCOMPARE(ListCellFromPoint(700, 7, y), (TCellHit{1, row}));
    QCOMPARE(ListPressRow(700, 7, y), pressRow);
    QCOMPARE(ListDateFromPoint(start, 700, 7, y), drop);
}

int RunGeometryTests(int argc, char **argv)
{
    TestGeometry t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_geometry.moc"
