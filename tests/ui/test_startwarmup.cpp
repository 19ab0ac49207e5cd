#include "ui/startwarmup.h"

#include <QApplication>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QRawFont>
#include <QtTest>

#include <memory>

namespace {
// Made before the application object, as the program does, so that the
// first text below races the loading.
std::unique_ptr<TStartWarmup> g_warmup;
} // namespace

class TestStartWarmup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void textMeasuredDuringTheLoadingFindsItsGlyphs();
};

// Whichever thread loads the configuration, Japanese text must resolve to a
// face that holds its characters, measure the same before and after the
// loading has ended, and the warm-up must end when asked.
void TestStartWarmup::textMeasuredDuringTheLoadingFindsItsGlyphs()
{
    const QString text = QStringLiteral("予定の時間です");
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(16);
    const int during = QFontMetrics(font).horizontalAdvance(text);
    const QRawFont raw = QRawFont::fromFont(font);
    g_warmup.reset();

    QVERIFY(during > 0);
    for (const QChar c : text)
        QVERIFY2(raw.supportsCharacter(c), qPrintable(QStringLiteral("no glyph for %1 in %2").arg(c).arg(raw.familyName())));
    QFont again(QStringLiteral("Noto Sans CJK JP"));
    again.setPixelSize(16);
    QCOMPARE(QFontMetrics(again).horizontalAdvance(text), during);
    QCOMPARE(QFontInfo(again).family(), QFontInfo(font).family());
}

int main(int argc, char **argv)
{
    g_warmup = std::make_unique<TStartWarmup>();
    QApplication app(argc, argv);
    TestStartWarmup test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_startwarmup.moc"
