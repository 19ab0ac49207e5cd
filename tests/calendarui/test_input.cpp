#include "calendartestutil.h"

#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace {
const TFixedClock kClock(QDateTime(QDate(2024, 5, 16), QTime(9, 0)));

// A window with the calendar and a line edit that holds the focus first, so
// that taking (or not taking) the focus shows.
struct TWindow
{
    QWidget window;
    QLineEdit *edit;
    TZoQuillmereCalendar *cal;

    TWindow()
    {
        auto *layout = new QVBoxLayout(&window);
        edit = new QLineEdit(&window);
        cal = new TZoQuillmereCalendar(&window, &kClock);
        layout->addWidget(edit);
        layout->addWidget(cal);
        cal->setFixedSize(706, 530);
        window.show();
        window.activateWindow();
        QApplication::setActiveWindow(&window);
        edit->setFocus();
    }
};
} // namespace

class TestInput : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void monthKeys_data();
    void monthKeys();
    void listKeys_data();
    void listKeys();
    void listScrollsToKeepTheDay();
    void clickOnADay_data();
    void clickOnADay();
    void weekdayRowDoesNothing();
    void neighbourClicks_data();
    void neighbourClicks();
    void listClick();
    void doubleClickComesBeforeItsPress();
    void hitTestsAndDropTargets();
    void wheelNotches();
    void resizeFollowsTheClientArea();
};

void TestInput::monthKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QDate>("to");
    // From Friday 31 May 2024.
    QTest::newRow("Right") << int(Qt::Key_Right) << QDate(2024, 6, 1);
    QTest::newRow("Left") << int(Qt::Key_Left) << QDate(2024, 5, 30);
    QTest::newRow("Up") << int(Qt::Key_Up) << QDate(2024, 5, 24);
    QTest::newRow("Down") << int(Qt::Key_Down) << QDate(2024, 6, 7);
    QTest::newRow("Page Up") << int(Qt::Key_PageUp) << QDate(2024, 4, 30);
    QTest::newRow("Page Down") << int(Qt::Key_PageDown) << QDate(2024, 6, 30);
    QTest::newRow("other key") << int(Qt::Key_A) << QDate(2024, 5, 31);
}

void TestInput::monthKeys()
{
    QFETCH(int, key);
    QFETCH(QDate, to);
    TZoQuillmereCalendar cal(nullptr, &kClock);
    cal.SetCurrentDate(QDate(2024, 5, 31));
    TCalendarLog log(cal);
    QTest::keyClick(&cal, Qt::Key(key));
    QCOMPARE(cal.CurrentDate(), to);
    // The application hears of the key after the move.
    QCOMPARE(log.entries().last(), QStringLiteral("key %1 at %2").arg(key, 0, 16).arg(to.toString(Qt::ISODate)));
}

void TestInput::listKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QDate>("to");
    QTest::newRow("Up") << int(Qt::Key_Up) << QDate(2024, 5, 30);
    QTest::newRow("Down") << int(Qt::Key_Down) << QDate(2024, 6, 1);
    QTest::newRow("Page Up") << int(Qt::Key_PageUp) << QDate(2024, 5, 24);
    QTest::newRow("Page Down") << int(Qt::Key_PageDown) << QDate(2024, 6, 7);
    QTest::newRow("Left does nothing") << int(Qt::Key_Left) << QDate(2024, 5, 31);
    QTest::newRow("Right does nothing") << int(Qt::Key_Right) << QDate(2024, 5, 31);
}

void TestInput::listKeys()
{
    QFETCH(int, key);
    QFETCH(QDate, to);
    TZoQuillmereCalendar cal(nullptr, &kClock);
    cal.SetCalendarStyle(csVertical1);
    cal.SetCurrentDate(QDate(2024, 5, 31));
    TCalendarLog log(cal);
    QTest::keyClick(&cal, Qt::Key(key));
    QCOMPARE(cal.CurrentDate(), to);
    // The application hears of the key before the move.
    QCOMPARE(log.entries().first(), QStringLiteral("key %1 at 2024-05-31").arg(key, 0, 16));
}

void TestInput::listScrollsToKeepTheDay()
{
    TZoQuillmereCalendar cal(nullptr, &kClock);
    cal.SetCalendarStyle(csVertical1);
    cal.SetStartDate(QDate(2024, 5, 10));
    cal.SetCurrentDate(QDate(2024, 5, 16)); // the last row
    QCOMPARE(cal.StartDate(), QDate(2024, 5, 10));
    QTest::keyClick(&cal, Qt::Key_Down);
    QCOMPARE(cal.CurrentDate(), QDate(2024, 5, 17));
    QCOMPARE(cal.StartDate(), QDate(2024, 5, 11));
    cal.SetCurrentDate(QDate(2024, 5, 11)); // the first row
    QTest::keyClick(&cal, Qt::Key_Up);
    QCOMPARE(cal.StartDate(), QDate(2024, 5, 10));
    QTest::keyClick(&cal, Qt::Key_PageDown);
    QTest::keyClick(&cal, Qt::Key_PageDown);
    QCOMPARE(cal.CurrentDate(), QDate(2024, 5, 24));
    QCOMPARE(cal.StartDate(), QDate(2024, 5, 18));
}

void TestInput::clickOnADay_data()
{
    QTest::addColumn<int>("button");
    QTest::newRow("left") << int(Qt::LeftButton);
    QTest::newRow("right") << int(Qt::RightButton);
    QTest::newRow("middle") << int(Qt::MiddleButton);
}

void TestInput::clickOnADay()
{
    QFETCH(int, button);
    TWindow w;
    w.cal->SetCurrentDate(QDate(2024, 5, 20));
    TCalendarLog log(*w.cal);
    QTest::mousePress(w.cal, Qt::MouseButton(button), {}, CellCentre(*w.cal, 3, 2));
    QCOMPARE(w.cal->CurrentDate(), QDate(2024, 5, 8));
    // Taking the focus draws once more, for the focus rectangle.
    QCOMPARE(log.entries(), (QStringList{"before", "draw*42", "day 2024-5-8", "mousedown", "draw*42"}));
    QVERIFY(w.cal->hasFocus());
    QTest::mouseRelease(w.cal, Qt::MouseButton(button), {}, CellCentre(*w.cal, 3, 2));
}

void TestInput::weekdayRowDoesNothing()
{
    TWindow w;
    w.cal->SetCurrentDate(QDate(2024, 5, 20));
    QVERIFY(w.edit->hasFocus());
    TCalendarLog log(*w.cal);
    const QPoint origin = w.cal->contentsRect().topLeft();
    for (int column = 0; column < 7; ++column) {
        QTest::mousePress(w.cal, Qt::LeftButton, {}, CellCentre(*w.cal, column, 0));
        QTest::mouseRelease(w.cal, Qt::LeftButton, {}, CellCentre(*w.cal, column, 0));
    }
    QTest::mousePress(w.cal, Qt::LeftButton, {}, origin + QPoint(50, w.cal->HeaderHeight()));
    QTest::mouseDClick(w.cal, Qt::LeftButton, {}, CellCentre(*w.cal, 2, 0));
    QCOMPARE(log.entries(), QStringList());
    QCOMPARE(w.cal->CurrentDate(), QDate(2024, 5, 20));
    QVERIFY(w.edit->hasFocus());
    QVERIFY(!w.cal->hasFocus());
}

void TestInput::neighbourClicks_data()
{
    QTest::addColumn<bool>("jump");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<QDate>("to");
    QTest::addColumn<QStringList>("expected");
    // May 2024 from Sunday: the grid runs from 28 April to 8 June.
    QTest::newRow("previous month, jump on")
        << true << 1 << 1 << QDate(2024, 4, 29)
        << QStringList{"before", "yearmonth 2024-4-29", "setup", "draw*42", "day 2024-4-29", "mousedown", "draw*42"};
    QTest::newRow("next month, jump on")
        << true << 6 << 6 << QDate(2024, 6, 8)
        << QStringList{"before", "yearmonth 2024-6-8", "setup", "draw*42", "day 2024-6-8", "mousedown", "draw*42"};
    QTest::newRow("previous month, jump off") << false << 1 << 1 << QDate(2024, 5, 20) << QStringList();
    QTest::newRow("next month, jump off") << false << 6 << 6 << QDate(2024, 5, 20) << QStringList();
    QTest::newRow("own month, jump off")
        << false << 5 << 5 << QDate(2024, 5, 31) << QStringList{"before", "draw*42", "day 2024-5-31", "mousedown", "draw*42"};
}

void TestInput::neighbourClicks()
{
    QFETCH(bool, jump);
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(QDate, to);
    QFETCH(QStringList, expected);
    TWindow w;
    w.cal->SetCurrentDate(QDate(2024, 5, 20));
    w.cal->SetNeighborJump(jump);
    TCalendarLog log(*w.cal);
    QTest::mousePress(w.cal, Qt::LeftButton, {}, CellCentre(*w.cal, column, row));
    QCOMPARE(w.cal->CurrentDate(), to);
    QCOMPARE(log.entries(), expected);
    QCOMPARE(w.cal->hasFocus(), !expected.isEmpty());
    QTest::mouseRelease(w.cal, Qt::LeftButton, {}, CellCentre(*w.cal, column, row));
}

void TestInput::listClick()
{
    TWindow w;
    w.cal->SetCalendarStyle(csVertical1);
    w.cal->SetStartDate(QDate(2024, 5, 10));
    w.cal->SetCurrentDate(QDate(2024, 5, 12));
    TCalendarLog log(*w.cal);
    const QPoint origin = w.cal->contentsRect().topLeft();
    const int h = w.cal->ClientSize().height();
    // T(y * 7 / h): the row under the press.
    QTest::mousePress(w.cal, Qt::LeftButton, {}, origin + QPoint(400, h * 4 / 7 + 3));
    QCOMPARE(w.cal->CurrentDate(), QDate(2024, 5, 14));
    QCOMPARE(log.entries(), (QStringList{"before", "draw*7", "day 2024-5-14", "mousedown", "draw*7"}));
    QVERIFY(w.cal->hasFocus());
    QCOMPARE(w.cal->StartDate(), QDate(2024, 5, 10));
    QTest::mouseRelease(w.cal, Qt::LeftButton, {}, origin + QPoint(400, h * 4 / 7 + 3));
}

void TestInput::doubleClickComesBeforeItsPress()
{
    TWindow w;
    w.cal->SetCurrentDate(QDate(2024, 5, 20));
    TCalendarLog log(*w.cal);
    QTest::mouseDClick(w.cal, Qt::LeftButton, {}, CellCentre(*w.cal, 4, 3));
    QCOMPARE(log.entries(),
             (QStringList{"dblclick", "before", "draw*42", "day 2024-5-16", "mousedown", "draw*42"}));
    QCOMPARE(w.cal->CurrentDate(), QDate(2024, 5, 16));
}

void TestInput::hitTestsAndDropTargets()
{
    TWindow w;
    TZoQuillmereCalendar &cal = *w.cal;
    cal.SetCurrentDate(QDate(2024, 5, 20));
    const QPoint origin = cal.contentsRect().topLeft();
    const QSize client = cal.ClientSize();
    const int hh = cal.HeaderHeight();
    QCOMPARE(cal.CellFromPoint(origin + QPoint(1, 1)), (zocal::TCellHit{0, 0}));
    QCOMPARE(cal.DateFromPoint(origin + QPoint(1, 1)), QDate());
    QCOMPARE(cal.DateFromPoint(CellCentre(cal, 0, 1)), QDate(2024, 4, 28));
    QCOMPARE(cal.DateFromPoint(CellCentre(cal, 3, 3)), QDate(2024, 5, 15));
    QCOMPARE(cal.DateFromPoint(CellCentre(cal, 6, 6)), QDate(2024, 6, 8));
    // The last pixels right of seven whole columns still belong to column 6.
    QCOMPARE(cal.CellFromPoint(origin + QPoint(client.width() - 1, hh + 5)).column, 6);
    QCOMPARE(cal.DateFromPoint(origin + QPoint(client.width() - 1, hh + 5)), QDate(2024, 5, 4));

    cal.SetCalendarStyle(csVertical1);
    cal.SetStartDate(QDate(2024, 5, 18));
    const int rowHeight = client.height() / 7;
    QCOMPARE(cal.CellFromPoint(origin + QPoint(10, rowHeight * 2 + 1)), (zocal::TCellHit{1, 2}));
    QCOMPARE(cal.DateFromPoint(origin + QPoint(10, 2)), QDate(2024, 5, 17));
    QCOMPARE(cal.DateFromPoint(origin + QPoint(10, client.height() * 3 / 7 + 2)), QDate(2024, 5, 21));
    QCOMPARE(cal.DateFromPoint(origin + QPoint(10, client.height() - 2)), QDate(2024, 5, 25));
}

void TestInput::wheelNotches()
{
    TZoQuillmereCalendar cal(nullptr, &kClock);
    int down = 0;
    int up = 0;
    cal.OnMouseWheelDown = [&](TZoCustomCalendar *, QPoint) { return ++down, true; };
    cal.OnMouseWheelUp = [&](TZoCustomCalendar *, QPoint) { return ++up, true; };
    const auto turn = [&](int delta) {
        QWheelEvent event(QPointF(50, 50), QPointF(50, 50), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(&cal, &event);
        return event.isAccepted();
    };
    QVERIFY(turn(-360));
    QCOMPARE(down, 3);
    QVERIFY(turn(60));
    QCOMPARE(up, 0);
    QVERIFY(turn(60));
    QCOMPARE(up, 1);
    cal.OnMouseWheelDown = nullptr;
    cal.OnMouseWheelUp = nullptr;
    QVERIFY(!turn(-120));
}

void TestInput::resizeFollowsTheClientArea()
{
    TWindow w;
    w.cal->setFixedSize(500, 400);
    QApplication::processEvents();
    QCOMPARE(w.cal->Image().size(), w.cal->ClientSize() * w.cal->devicePixelRatio());
    QCOMPARE(w.cal->ClientSize(), w.cal->contentsRect().size());
}

int RunInputTests(int argc, char **argv)
{
    TestInput t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_input.moc"
