#include "ui/daypopup.h"

#include "core/font.h"
#include "core/profile.h"
#include "core/settingskeys.h"
#include "support/testhome.h"

#include <QFontMetrics>
#include <QRegularExpression>
#include <QToolTip>
#include <QPainter>
#include <QTest>

namespace {

// What a tall day pop-up holds: the date line, schedules and a memo.
const QString kPopupText = QStringLiteral(
    "2000/01/10 成人の日\r\n【予定】\r\n09:00 会議\r\n       資料を持っていく\r\n13:30 歯医者\r\n【メモ】\r\n"
    "帰りに牛乳とパンを買う。\r\nThe quick brown fox jumps over the lazy dog again and again.\r\n");

void WriteSettings(int roundRect, TColor background, bool showOnClick)
{
    TProfileFile f = SettingsFile();
    f.writeInteger(QStringLiteral("SETTINGS"), QStringLiteral("PopupWindowRoundRectWidth"), roundRect);
    f.writeInteger(QStringLiteral("COLORS"), QStringLiteral("BkColorPopupWindow"), background);
    f.writeBool(QStringLiteral("SETTINGS"), QStringLiteral("ShowContentsOnCalendarClick"), showOnClick);
}

int ExpectedWidth(const QFont &font, const QStringList &lines)
{
    const QFontMetrics fm(font);
    int widest = 0;
    for (const QString &l : lines)
        widest = qMax(widest, fm.horizontalAdvance(l));
    return widest + 2 * fm.averageCharWidth() + TDayPopup::ShadowSize;
}

} // namespace

class TestDayPopup : public QObject
{
    Q_OBJECT
private slots:
    void wrapKeepsEveryCharacter_data();
    void wrapKeepsEveryCharacter();
    void placement_data();
    void placement();
    void sizeFollowsWidestLine();
    void wrappedToWorkArea();
    void notShownAfterButtonReleased();
    void settingOffShowsNothing();
    void settingsReadEachTime();
    void screenshot();
};

void TestDayPopup::wrapKeepsEveryCharacter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("minLines");
    QTest::newRow("Japanese without blanks") << QStringLiteral("帰りに牛乳とパンと卵と野菜と果物を買って、郵便局に寄る。") << 120 << 3;
    QTest::newRow("words") << QStringLiteral("alpha beta gamma delta epsilon zeta eta theta") << 90 << 3;
    QTest::newRow("one word wider than the width") << QStringLiteral("abcdefghijklmnopqrstuvwxyz0123456789") << 60 << 3;
    QTest::newRow("fits") << QStringLiteral("短い") << 400 << 1;
}

void TestDayPopup::wrapKeepsEveryCharacter()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(int, minLines);
    const QFont font = QToolTip::font();
    const QStringList lines = TDayPopup::WrapText(text, font, width);
    QVERIFY2(lines.size() >= minLines, qPrintable(lines.join(QLatin1Char('|'))));
    const QFontMetrics fm(font);
    QString joined;
    for (const QString &l : lines) {
        QVERIFY2(fm.horizontalAdvance(l) <= width, qPrintable(l));
        joined += l;
    }
    QString compact = text;
    compact.remove(QLatin1Char(' '));
    joined.remove(QLatin1Char(' '));
    QCOMPARE(joined, compact);
}

void TestDayPopup::placement_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QPoint>("pointer");
    QTest::addColumn<QRect>("expected");
    QTest::newRow("fits at the pointer") << QSize(200, 100) << QPoint(100, 50) << QRect(100, 50, 200, 100);
    QTest::newRow("right edge moves left") << QSize(200, 100) << QPoint(700, 50) << QRect(600, 50, 200, 100);
    QTest::newRow("bottom moves up") << QSize(200, 100) << QPoint(100, 550) << QRect(100, 470, 200, 100);
    QTest::newRow("corner") << QSize(200, 100) << QPoint(790, 560) << QRect(600, 470, 200, 100);
    QTest::newRow("wider than the area starts inside") << QSize(900, 100) << QPoint(300, 10) << QRect(0, 10, 900, 100);
    QTest::newRow("taller than the area starts inside") << QSize(100, 700) << QPoint(10, 300) << QRect(10, 0, 100, 700);
    QTest::newRow("pointer left of the area") << QSize(100, 100) << QPoint(-50, -20) << QRect(0, 0, 100, 100);
}

void TestDayPopup::placement()
{
    QFETCH(QSize, size);
    QFETCH(QPoint, pointer);
    QFETCH(QRect, expected);
    QCOMPARE(TDayPopup::PlaceInside(size, pointer, QRect(0, 0, 800, 570)), expected);
}

void TestDayPopup::sizeFollowsWidestLine()
{
    TTestHome home;
    TDayPopup popup;
    popup.LeftButtonHeld = [] { return true; };
    popup.WorkArea = [](const QPoint &) { return QRect(0, 0, 1600, 1000); };
    QVERIFY(popup.Popup(kPopupText, QPoint(40, 30)));
    QVERIFY(popup.isVisible());
    // Nothing wraps: every line of the text is one line of the pop-up.
    const QStringList expectedLines = kPopupText.chopped(2).split(QStringLiteral("\r\n"));
    QStringList trimmed;
    for (const QString &l : expectedLines)
        trimmed << QString(l).remove(QRegularExpression(QStringLiteral("\\s+$")));
    QCOMPARE(popup.WrappedLines(), trimmed);
    const QFontMetrics fm(popup.font());
    QCOMPARE(popup.width(), ExpectedWidth(popup.font(), expectedLines));
    QCOMPARE(popup.height(), int(expectedLines.size() + 1) * fm.lineSpacing() + TDayPopup::ShadowSize);
    QCOMPARE(popup.pos(), QPoint(40, 30));
    popup.Close();
    QVERIFY(!popup.isVisible());
}

void TestDayPopup::wrappedToWorkArea()
{
    TTestHome home;
    TDayPopup popup;
    const QRect area(100, 50, 260, 700);
    popup.LeftButtonHeld = [] { return true; };
    popup.WorkArea = [area](const QPoint &) { return area; };
    QVERIFY(popup.Popup(kPopupText, QPoint(300, 740)));
    const QFontMetrics fm(popup.font());
    const int margins = 2 * fm.averageCharWidth() + TDayPopup::ShadowSize;
    QVERIFY(popup.WrappedLines().size() > kPopupText.count(QStringLiteral("\r\n")));
    for (const QString &l : popup.WrappedLines())
        QVERIFY2(fm.horizontalAdvance(l) <= area.width() - margins, qPrintable(l));
    QVERIFY2(area.contains(popup.geometry()), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(popup.x()).arg(popup.y()).arg(popup.width()).arg(popup.height())));
    QCOMPARE(popup.geometry().bottom(), area.bottom()); // moved up from the pointer
}

void TestDayPopup::notShownAfterButtonReleased()
{
    TTestHome home;
    TDayPopup popup;
    bool held = true;
    popup.LeftButtonHeld = [&held] { return held; };
    QVERIFY(popup.Popup(QStringLiteral("一つ目"), QPoint(10, 10)));
    // A second press closes the first pop-up even when nothing new shows.
    held = false;
    QVERIFY(!popup.Popup(QStringLiteral("二つ目"), QPoint(10, 10)));
    QVERIFY(!popup.isVisible());
}

void TestDayPopup::settingOffShowsNothing()
{
    TTestHome home;
    WriteSettings(10, 0xFFFFFF, false);
    TDayPopup popup;
    int asked = 0;
    popup.LeftButtonHeld = [&asked] { ++asked; return true; };
    QVERIFY(!popup.Popup(kPopupText, QPoint(10, 10)));
    QVERIFY(!popup.isVisible());
    QCOMPARE(asked, 0);
}

void TestDayPopup::settingsReadEachTime()
{
    TTestHome home;
    TDayPopup popup;
    popup.LeftButtonHeld = [] { return true; };
    QVERIFY(popup.Popup(QStringLiteral("既定"), QPoint(10, 10)));
    QCOMPARE(popup.RoundRectWidth(), 10);
    QCOMPARE(popup.BackgroundColor(), QToolTip::palette().color(QPalette::ToolTipBase));

    WriteSettings(24, 0x00FFFF, true); // yellow, stored as 0x00BBGGRR
    QVERIFY(popup.Popup(QStringLiteral("設定後"), QPoint(10, 10)));
    QCOMPARE(popup.RoundRectWidth(), 24);
    QCOMPARE(popup.BackgroundColor(), QColor(255, 255, 0));

    WriteSettings(-5, 0x00FFFF, true);
    QVERIFY(popup.Popup(QStringLiteral("負"), QPoint(10, 10)));
    QCOMPARE(popup.RoundRectWidth(), 0);
}

void TestDayPopup::screenshot()
{
    TTestHome home;
    WriteSettings(16, 0xE1FFFF, true);
    TDayPopup popup;
    popup.LeftButtonHeld = [] { return true; };
    popup.WorkArea = [](const QPoint &) { return QRect(0, 0, 1024, 768); };
    QVERIFY(popup.Popup(kPopupText, QPoint(20, 20)));
    const QImage shot = popup.grab().toImage();
    QCOMPARE(shot.size(), popup.size());
    const QString dir = qEnvironmentVariable("QM_SHOT_DIR", home.root());
    QVERIFY(shot.save(dir + QStringLiteral("/daypopup.png")));
    // The same on a grey desktop at twice the size, for a human to look at
    // the corners and the shadow.
    QImage zoom(shot.size() * 2 + QSize(40, 40), QImage::Format_RGB32);
    zoom.fill(QColor(0x90, 0xA0, 0xB0));
    {
        QPainter p(&zoom);
        p.scale(2, 2);
        p.setClipRegion(popup.mask().isEmpty() ? QRegion(shot.rect()) : popup.mask().translated(10, 10));
        p.drawImage(10, 10, shot);
    }
    QVERIFY(zoom.save(dir + QStringLiteral("/daypopup-zoom.png")));
    // Inside: the background; the strip right of the body: the shadow.
    const QColor background(0xFF, 0xFF, 0xE1);
    QCOMPARE(shot.pixelColor(shot.width() / 2, 3), background);
    const QColor ink = QToolTip::palette().color(QPalette::ToolTipText);
    QCOMPARE(shot.pixelColor(shot.width() - 3, shot.height() / 2), ink);
    QCOMPARE(shot.pixelColor(shot.width() / 2, shot.height() - 3), ink);
}

int RunDayPopupTests(int argc, char **argv)
{
    TestDayPopup t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_daypopup.moc"
