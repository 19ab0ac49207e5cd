#include "calendartestutil.h"

#include "calendar/zocalendarpainter.h"

#include <QTest>

#include <limits>

namespace {
const TFixedClock kClock(QDateTime(QDate(2024, 5, 16), QTime(9, 0)));

// Distinct backgrounds, so that each pixel tells which rule won.
constexpr TColor kToday = 0x00FF00;   // green
constexpr TColor kDayOff = 0x0000FF;  // red
constexpr TColor kSpecial = 0xFF0000; // blue
constexpr TColor kHoliday = 0x00FFFF; // yellow
constexpr TColor kMonth = 0xFFFFFF;
constexpr TColor kNeighbour = 0xC0C0C0;

QColor Rgb(TColor c)
{
    return QColor(clr::red(c), clr::green(c), clr::blue(c));
}

// May 2024 with a rule of each kind; the selected day is 20 May.
void Prepare(TZoQuillmereCalendar &cal)
{
    cal.resize(706, 530);
    cal.BeginUpdate();
    cal.SetTodayBkColor(kToday);
    cal.SetDaysOffBkColor(kDayOff);
    cal.SetSpecialDaysBkColor(kSpecial);
    cal.SetHolidayBkColor(kHoliday);
    cal.SetColor(kMonth);
    cal.SetNeighborBkColor(kNeighbour);
    cal.SetDayContentsBkColor(kMonth);
    TZoDateEx &engine = cal.DateEx();
    engine.HolidayList()->Add(TZoDayItem(5, 3, QStringLiteral("憲法記念日")));
    engine.HolidayList()->Add(TZoDayItem(5, 8, QStringLiteral("祝日")));
    engine.HolidayList()->Add(TZoDayItem(5, 9, QStringLiteral("祝日")));
    engine.HolidayList()->Add(TZoDayItem(5, 16, QStringLiteral("祝日")));
    engine.SpecialDayList()->Add(TZoDayItem(5, 9, QStringLiteral("記念日")));
    engine.SpecialDayList()->Add(TZoDayItem(5, 14, QStringLiteral("誕生日")));
    engine.CustomDayOffList()->Add(TZoDayItem(5, 8, QStringLiteral("休み")));
    engine.CustomDayOffList()->Add(TZoDayItem(5, 22, QStringLiteral("休み")));
    engine.CustomDayOffList()->Add(TZoDayItem(4, 29, QStringLiteral("休み")));
    cal.SetCurrentDate(QDate(2024, 5, 20));
    cal.EndUpdate();
}

// A pixel near the bottom right of a cell: below every text, inside the lines.
QColor CellBackground(TZoQuillmereCalendar &cal, const QDate &date)
{
    const QPoint cell = CellOf(cal, date);
    const QRect r = cal.CellRect(cell.x(), cell.y());
    return cal.Image().pixelColor(r.right() - 3, r.bottom() - 3);
}
} // namespace

class TestDrawing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void monthBackgrounds_data();
    void monthBackgrounds();
    void listLabelBackgrounds_data();
    void listLabelBackgrounds();
    void neighbourCells();
    void contentsOnlyUpToTheLastLineBreak();
    void firstLineOnlyMovesTheNextItemUp();
    void roomCoversEveryDrawnItem_data();
    void roomCoversEveryDrawnItem();
    void weekdayRowFollowsStartDayOfWeek();
    void todaySquare();
    void namesAsShown();
    void neighbourColouring();
};

void TestDrawing::monthBackgrounds_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("expected");
    QTest::newRow("today, though a holiday") << QDate(2024, 5, 16) << int(kToday);
    QTest::newRow("holiday and day off") << QDate(2024, 5, 8) << int(kDayOff);
    QTest::newRow("day off") << QDate(2024, 5, 22) << int(kDayOff);
    QTest::newRow("special day and holiday") << QDate(2024, 5, 9) << int(kSpecial);
    QTest::newRow("special day") << QDate(2024, 5, 14) << int(kSpecial);
    QTest::newRow("holiday") << QDate(2024, 5, 3) << int(kHoliday);
    QTest::newRow("ordinary Sunday") << QDate(2024, 5, 12) << int(kMonth);
    QTest::newRow("neighbour day") << QDate(2024, 4, 30) << int(kNeighbour);
    QTest::newRow("neighbour day off keeps its kind") << QDate(2024, 4, 29) << int(kDayOff);
}

void TestDrawing::monthBackgrounds()
{
    QFETCH(QDate, date);
    QFETCH(int, expected);
    TZoQuillmereCalendar cal(nullptr, &kClock);
    Prepare(cal);
    QCOMPARE(CellBackground(cal, date), Rgb(expected));
}

void TestDrawing::listLabelBackgrounds_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("expected");
    QTest::newRow("today") << QDate(2024, 5, 16) << int(kToday);
    QTest::newRow("holiday and day off") << QDate(2024, 5, 8) << int(kDayOff);
    QTest::newRow("special day and holiday") << QDate(2024, 5, 9) << int(kSpecial);
    QTest::newRow("holiday") << QDate(2024, 5, 3) << int(kHoliday);
    QTest::newRow("ordinary day") << QDate(2024, 5, 7) << int(kMonth);
}

void TestDrawing::listLabelBackgrounds()
{
    QFETCH(QDate, date);
    QFETCH(int, expected);
    TZoQuillmereCalendar cal(nullptr, &kClock);
    Prepare(cal);
    cal.SetDayContentsBkColor(0x123456);
    cal.SetCalendarStyle(csVertical1);
    cal.SetCurrentDate(date);
    cal.SetStartDate(date.addDays(-3));
    const QRect row = cal.ListRowRect(1);
    // Row 1 is the day before the selected one: no frames of the selection.
    cal.SetCurrentDate(date.addDays(1));
    cal.SetStartDate(date.addDays(-1));
    const QImage &image = cal.Image();
    const int labelRight = cal.ClientSize().width() / 4;
    QCOMPARE(image.pixelColor(labelRight - 5, row.bottom() - 4), Rgb(expected));
    QCOMPARE(image.pixelColor(labelRight + 20, row.bottom() - 4), Rgb(0x123456));
}

void TestDrawing::neighbourCells()
{
    TZoQuillmereCalendar cal(nullptr, &kClock);
    Prepare(cal);
    cal.OnDrawDayContents = [](TZoCustomQuillmereCalendar *, quint16, quint16, quint16, TZoDrawDayTextList &list) {
        list.append({QString(), QStringLiteral("予定\r\n"), clr::clBlack});
    };
    const QRect r = cal.CellRect(2, 1).adjusted(2, 2, -2, -2); // 30 April
    cal.SetShowGrid(false);
    QVERIFY(InkPixels(cal.Image(), r, Rgb(kNeighbour)) > 20);
    cal.SetShowNeighbor(false);
    QCOMPARE(InkPixels(cal.Image(), r, Rgb(kNeighbour)), 0);
}

void TestDrawing::contentsOnlyUpToTheLastLineBreak()
{
    TZoQuillmereCalendar cal(nullptr, &kClock);
    Prepare(cal);
    QString text = QStringLiteral("未完の行");
    cal.OnDrawDayContents = [&](TZoCustomQuillmereCalendar *, quint16, quint16, quint16, TZoDrawDayTextList &list) {
        list.append({QString(), text, clr::clBlack});
    };
    const QRect cell = cal.CellRect(CellOf(cal, QDate(2024, 5, 21)).x(), CellOf(cal, QDate(2024, 5, 21)).y());
    const int h = QFontMetrics(cal.Fonts().QtFont(TZoCalendarFonts::Weekday)).height();
    const QRect contents = QRect(cell.left() + 2, cell.top() + h + 6, cell.width() - 4, cell.height() - h - 8);
    cal.Redraw();
    QCOMPARE(InkPixels(cal.Image(), contents, Rgb(kMonth)), 0);
    text += QStringLiteral("\r\n");
    cal.Redraw();
    QVERIFY(InkPixels(cal.Image(), contents, Rgb(kMonth)) > 20);
}

void TestDrawing::firstLineOnlyMovesTheNextItemUp()
{
    TZoQuillmereCalendar cal(nullptr, &kClock);
    Prepare(cal);
    cal.OnDrawDayContents = [](TZoCustomQuillmereCalendar *, quint16, quint16, quint16, TZoDrawDayTextList &list) {
        list.append({QString(), QStringLiteral("一行目\r\n二行目\r\n"), clr::clBlack});
        list.append({QString(), QStringLiteral("次の予定\r\n"), clr::clBlack});
    };
    const QPoint c = CellOf(cal, QDate(2024, 5, 21));
    const QRect cell = cal.CellRect(c.x(), c.y());
    const int dayH = QFontMetrics(cal.Fonts().QtFont(TZoCalendarFonts::Weekday)).height();
    const int h = QFontMetrics(cal.Fonts().QtFont(TZoCalendarFonts::DayContents)).height();
    const auto band = [&](int line) {
        return QRect(cell.left() + 2, cell.top() + dayH + 6 + line * h, cell.width() - 4, h);
    };
    cal.Redraw();
    QVERIFY(InkPixels(cal.Image(), band(2), Rgb(kMonth)) > 0);
    cal.SetShowOnlyFirstLineOnCalendar(true);
    QVERIFY(InkPixels(cal.Image(), band(0), Rgb(kMonth)) > 0);
    QVERIFY(InkPixels(cal.Image(), band(1), Rgb(kMonth)) > 0);
    QCOMPARE(InkPixels(cal.Image(), band(2), Rgb(kMonth)), 0);
}

void TestDrawing::roomCoversEveryDrawnItem_data()
{
    QTest::addColumn<int>("style");
    QTest::addColumn<bool>("firstLineOnly");
    QTest::newRow("month grid 2") << int(csMonthly2) << false;
    QTest::newRow("month grid 2, first lines") << int(csMonthly2) << true;
    QTest::newRow("list") << int(csVertical1) << false;
}

// A day answering with only the items its room allows draws exactly what the
// day answering with all of them draws, while the room is smaller than the
// whole list; outside a request there is no limit.
void TestDrawing::roomCoversEveryDrawnItem()
{
    QFETCH(int, style);
    QFETCH(bool, firstLineOnly);
    const auto answer = [](bool limited) {
        return [limited](TZoCustomQuillmereCalendar *sender, quint16, quint16, quint16, TZoDrawDayTextList &list) {
            const int count = limited ? qMin(200, sender->DayContentsRoom()) : 200;
            for (int i = 0; i < count; ++i)
                list.append({QString(), QStringLiteral("予定%1\r\n二行目\r\n").arg(i), clr::clBlack});
        };
    };
    TZoQuillmereCalendar all(nullptr, &kClock);
    TZoQuillmereCalendar limited(nullptr, &kClock);
    int largest = 0;
    for (TZoQuillmereCalendar *cal : {&all, &limited}) {
        Prepare(*cal);
        cal->SetCalendarStyle(TZoQuillmereCalendarStyle(style));
        cal->SetShowOnlyFirstLineOnCalendar(firstLineOnly);
    }
    all.OnDrawDayContents = answer(false);
    limited.OnDrawDayContents = [&](TZoCustomQuillmereCalendar *sender, quint16 y, quint16 m, quint16 d,
                                    TZoDrawDayTextList &list) {
        largest = qMax(largest, sender->DayContentsRoom());
        answer(true)(sender, y, m, d, list);
    };
    QCOMPARE(limited.Image(), all.Image());
    QVERIFY(largest > 0);
    QVERIFY2(largest < 200, qPrintable(QString::number(largest)));
    QCOMPARE(limited.DayContentsRoom(), std::numeric_limits<int>::max());
}

void TestDrawing::weekdayRowFollowsStartDayOfWeek()
{
    // Width 702 + frame: seven columns of equal width, so header cells compare.
    TZoQuillmereCalendar sunday(nullptr, &kClock);
    TZoQuillmereCalendar monday(nullptr, &kClock);
    for (TZoQuillmereCalendar *cal : {&sunday, &monday}) {
        cal->resize(702 + cal->frameWidth() * 2, 500);
        cal->Redraw(); // a hidden widget hears of its new size only when shown
    }
    monday.SetStartDayOfWeek(zodwMonday);
    QCOMPARE(sunday.CellRect(1, 0).width(), sunday.CellRect(0, 0).width());
    const QRect first = monday.CellRect(0, 0).adjusted(1, 1, -1, -1);
    const QRect second = sunday.CellRect(1, 0).adjusted(1, 1, -1, -1);
    QCOMPARE(monday.Image().copy(first), sunday.Image().copy(second));
    QVERIFY(monday.Image().copy(first) != monday.Image().copy(monday.CellRect(1, 0).adjusted(1, 1, -1, -1)));
    QCOMPARE(monday.CellDate(0, 1).dayOfWeek(), 1);
}

void TestDrawing::todaySquare()
{
    TZoQuillmereCalendar cal(nullptr, &kClock);
    Prepare(cal);
    const QPoint c = CellOf(cal, QDate(2024, 5, 16));
    const QRect r = cal.CellRect(c.x(), c.y());
    const QRect edge(r.left() + 1, r.top() + r.height() / 2, 2, 10);
    QCOMPARE(InkPixels(cal.Image(), edge, Rgb(kToday)), 0);
    cal.SetTodaySign(ttsSquare);
    QVERIFY(InkPixels(cal.Image(), edge, Rgb(kToday)) > 0);
}

void TestDrawing::namesAsShown()
{
    QCOMPARE(TZoCalendarPainter::NamesAsLines(QStringLiteral("記念日,\"a b\",元日")),
             QStringLiteral("記念日\r\na b\r\n元日"));
    QCOMPARE(TZoCalendarPainter::NamesAsOneLine(QStringLiteral("記念日,\"a b\",元日")), QStringLiteral("記念日 a b 元日"));
}

void TestDrawing::neighbourColouring()
{
    QCOMPARE(TZoCalendarPainter::OrColor(QColor(0xFF, 0, 0), QColor(0x80, 0x80, 0x80)), QColor(0xFF, 0x80, 0x80));
    QCOMPARE(TZoCalendarPainter::OrColor(QColor(0, 0, 0), QColor(0x80, 0x80, 0x80)), QColor(0x80, 0x80, 0x80));
}

int RunDrawingTests(int argc, char **argv)
{
    TestDrawing t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_drawing.moc"
