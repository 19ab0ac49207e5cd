#include "core/font.h"
#include "core/profile.h"
#include "support/testhome.h"

#include <QtTest>

// Font strings: eight quoted fields, read back field by field, and the way
// the settings reader hands them over without their outer quotes.
class TestFont : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fontToString_data();
    void fontToString();
    void stringToFont_data();
    void stringToFont();
    void splitItems_data();
    void splitItems();
    void settingRoundTrip_data();
    void settingRoundTrip();
    void settingStoredBytes();
    void settingEmptyOrMissingLeavesFont_data();
    void settingEmptyOrMissingLeavesFont();
    void settingNameOnly();
    void colourValues();
};

Q_DECLARE_METATYPE(TFontSpec)

namespace {
TFontSpec arialExample()
{
    TFontSpec f;
    f.name = QStringLiteral("Arial");
    f.size = 10;
    f.italic = true;
    f.underline = true;
    f.color = clr::clWindow;
    f.charset = 0;
    return f;
}

// A font that differs from the defaults in every field, to see what a parse leaves.
TFontSpec busyFont()
{
    TFontSpec f;
    f.name = QStringLiteral("Before");
    f.size = 21;
    f.bold = f.italic = f.underline = f.strikeOut = true;
    f.color = 0x123456;
    f.charset = 0;
    return f;
}

TFontSpec with(TFontSpec f, auto change)
{
    change(f);
    return f;
}

char *describe(const TFontSpec &f)
{
    return QTest::toString(QStringLiteral("%1/%2/b%3i%4u%5s%6/c%7/cs%8")
                               .arg(f.name)
                               .arg(f.size)
                               .arg(int(f.bold))
                               .arg(int(f.italic))
                               .arg(int(f.underline))
                               .arg(int(f.strikeOut))
                               .arg(f.color)
                               .arg(f.charset));
}
} // namespace

// Lets QCOMPARE show both fonts when they differ.
char *toString(const TFontSpec &f)
{
    return describe(f);
}

void TestFont::fontToString_data()
{
    QTest::addColumn<TFontSpec>("font");
    QTest::addColumn<QString>("expected");
    QTest::newRow("arial example") << arialExample() << R"("Arial", "10", "0", "1", "1", "0", "-2147483643", "0")";
    TFontSpec gothic;
    gothic.name = QStringLiteral("ＭＳ ゴシック");
    gothic.size = 9;
    gothic.bold = true;
    QTest::newRow("9pt black bold japanese")
        << gothic << QStringLiteral(R"("ＭＳ ゴシック", "9", "1", "0", "0", "0", "0", "128")");
    QTest::newRow("strike-out, explicit colour") << with(TFontSpec{}, [](TFontSpec &f) {
        f.name = QStringLiteral("Noto Sans CJK JP");
        f.size = 12;
        f.strikeOut = true;
        f.color = 0x0000FF;
    }) << R"("Noto Sans CJK JP", "12", "0", "0", "0", "1", "255", "128")";
    QTest::newRow("info-tip colour") << with(TFontSpec{}, [](TFontSpec &f) { f.color = clr::clInfoBk; })
                                     << R"("", "9", "0", "0", "0", "0", "-2147483624", "128")";
}

void TestFont::fontToString()
{
    QFETCH(TFontSpec, font);
    QFETCH(QString, expected);
    QCOMPARE(FontToString(font), expected);
}

void TestFont::stringToFont_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<TFontSpec>("expected"); // parsed over busyFont()

    QTest::newRow("arial example read back") << R"("Arial", "10", "0", "1", "1", "0", "-2147483643", "0")"
                                             << with(arialExample(), [](TFontSpec &f) { f.charset = 128; });
    QTest::newRow("one quoted name") << R"("Arial")" << with(busyFont(), [](TFontSpec &f) {
        f.name = QStringLiteral("Arial");
        f.bold = f.italic = f.underline = f.strikeOut = false;
        f.charset = 128;
    });
    // The error stops before the style is cleared: only the name changes.
    QTest::newRow("non-numeric size") << R"("Arial", "big", "0", "0", "0", "0", "0", "0")"
                                      << with(busyFont(), [](TFontSpec &f) {
                                             f.name = QStringLiteral("Arial");
                                             f.charset = 128;
                                         });
    QTest::newRow("non-numeric colour") << R"("Arial", "8", "1", "0", "0", "0", "red", "0")"
                                        << with(busyFont(), [](TFontSpec &f) {
                                               f.name = QStringLiteral("Arial");
                                               f.size = 8;
                                               f.italic = f.underline = f.strikeOut = false;
                                               f.charset = 128;
                                           });
    QTest::newRow("style needs exactly 1")
        << R"("A", "9", "2", "yes", "1 ", "01")" << with(busyFont(), [](TFontSpec &f) {
               f.name = QStringLiteral("A");
               f.size = 9;
               f.bold = f.italic = f.underline = f.strikeOut = false;
               f.charset = 128;
           });
    QTest::newRow("three items: bold only") << R"("A", "11", "1")" << with(busyFont(), [](TFontSpec &f) {
        f.name = QStringLiteral("A");
        f.size = 11;
        f.bold = true;
        f.italic = f.underline = f.strikeOut = false;
        f.charset = 128;
    });
    QTest::newRow("empty text clears the style") << "" << with(busyFont(), [](TFontSpec &f) {
        f.bold = f.italic = f.underline = f.strikeOut = false;
        f.charset = 128;
    });
    QTest::newRow("blank-separated, unquoted") << "Arial 12 1 0 0 1 255" << with(busyFont(), [](TFontSpec &f) {
        f.name = QStringLiteral("Arial");
        f.size = 12;
        f.bold = true;
        f.italic = f.underline = false;
        f.strikeOut = true;
        f.color = 255;
        f.charset = 128;
    });
    QTest::newRow("japanese name with blank")
        << QStringLiteral(R"("ＭＳ Ｐ明朝", "9")") << with(busyFont(), [](TFontSpec &f) {
               f.name = QStringLiteral("ＭＳ Ｐ明朝");
               f.size = 9;
               f.bold = f.italic = f.underline = f.strikeOut = false;
               f.charset = 128;
           });
    QTest::newRow("charset item never used")
        << R"("A", "9", "0", "0", "0", "0", "0", "0", "extra")" << with(busyFont(), [](TFontSpec &f) {
               f.name = QStringLiteral("A");
               f.size = 9;
               f.bold = f.italic = f.underline = f.strikeOut = false;
               f.color = 0;
               f.charset = 128;
           });
    QTest::newRow("negative system colour")
        << R"("A", "9", "0", "0", "0", "0", "-2147483624")" << with(busyFont(), [](TFontSpec &f) {
               f.name = QStringLiteral("A");
               f.size = 9;
               f.bold = f.italic = f.underline = f.strikeOut = false;
               f.color = clr::clInfoBk;
               f.charset = 128;
           });
}

void TestFont::stringToFont()
{
    QFETCH(QString, text);
    QFETCH(TFontSpec, expected);
    TFontSpec font = busyFont();
    StringToFont(font, text);
    QCOMPARE(font, expected);
}

void TestFont::splitItems_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("quoted with separator") << R"("a", "b")" << QStringList{"a", "b"};
    QTest::newRow("comma and blank inside quotes") << R"("a, b c", d)" << QStringList{"a, b c", "d"};
    QTest::newRow("doubled quote") << R"("say ""hi""")" << QStringList{"say \"hi\""};
    QTest::newRow("blanks separate") << "a b  c" << QStringList{"a", "b", "c"};
    QTest::newRow("empty between commas") << "a,,b" << QStringList{"a", "", "b"};
    QTest::newRow("trailing comma") << "a," << QStringList{"a", ""};
    QTest::newRow("empty quoted") << R"("", x)" << QStringList{"", "x"};
    QTest::newRow("unterminated quote") << R"("abc)" << QStringList{"abc"};
    QTest::newRow("nothing") << "" << QStringList{};
    QTest::newRow("only blanks") << "   " << QStringList{};
}

void TestFont::splitItems()
{
    QFETCH(QString, text);
    QFETCH(QStringList, items);
    QCOMPARE(SplitFontItems(text), items);
}

void TestFont::settingRoundTrip_data()
{
    QTest::addColumn<TFontSpec>("font");
    QTest::newRow("arial example") << arialExample();
    QTest::newRow("japanese face") << with(TFontSpec{}, [](TFontSpec &f) {
        f.name = QStringLiteral("ＭＳ 明朝");
        f.size = 14;
        f.bold = f.strikeOut = true;
        f.color = 0xF0FFF0;
    });
    QTest::newRow("face with comma") << with(TFontSpec{}, [](TFontSpec &f) { f.name = QStringLiteral("A, B"); });
    QTest::newRow("info-tip colour") << with(TFontSpec{}, [](TFontSpec &f) {
        f.name = QStringLiteral("Sans");
        f.color = clr::clInfoBk;
    });
}

void TestFont::settingRoundTrip()
{
    QFETCH(TFontSpec, font);
    TTestHome home;
    WriteFontSetting(QStringLiteral("AlarmFont"), font);
    TFontSpec read = busyFont();
    QVERIFY(ReadFontSetting(QStringLiteral("AlarmFont"), read));
    QCOMPARE(read, with(font, [](TFontSpec &f) { f.charset = 128; }));
}

void TestFont::settingStoredBytes()
{
    TTestHome home;
    TFontSpec gothic;
    gothic.name = QStringLiteral("ＭＳ ゴシック");
    WriteFontSetting(QStringLiteral("MemoFont"), gothic);
    // ＭＳ = 82 6C 82 72, ゴシック = 83 53 83 56 83 62 83 4E; the value is stored as it stands.
    QCOMPARE(home.settings(), QByteArray("[FONTS]\r\nMemoFont=\"\x82\x6c\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4e\", "
                                         "\"9\", \"0\", \"0\", \"0\", \"0\", \"0\", \"128\"\r\n"));
}

void TestFont::settingEmptyOrMissingLeavesFont_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("no file") << QByteArray();
    QTest::newRow("missing key") << QByteArray("[FONTS]\r\nOther=\"x\"\r\n");
    QTest::newRow("empty value") << QByteArray("[FONTS]\r\nMemoFont=\r\n");
    QTest::newRow("two quotes only") << QByteArray("[FONTS]\r\nMemoFont=\"\"\r\n");
}

void TestFont::settingEmptyOrMissingLeavesFont()
{
    QFETCH(QByteArray, file);
    TTestHome home;
    if (!file.isEmpty())
        home.setSettings(file);
    TFontSpec font = busyFont();
    QVERIFY(!ReadFontSetting(QStringLiteral("MemoFont"), font));
    QCOMPARE(font, busyFont());
}

void TestFont::settingNameOnly()
{
    TTestHome home;
    home.setSettings("[fonts]\r\nmemofont=Courier New\r\n");
    TFontSpec font = busyFont();
    QVERIFY(ReadFontSetting(QStringLiteral("MemoFont"), font));
    QCOMPARE(font, with(busyFont(), [](TFontSpec &f) {
                 f.name = QStringLiteral("Courier New");
                 f.bold = f.italic = f.underline = f.strikeOut = false;
                 f.charset = 128;
             }));
}

void TestFont::colourValues()
{
    QCOMPARE(clr::fromRgb(0x12, 0x34, 0x56), 0x563412);
    QCOMPARE(clr::red(0x563412), 0x12);
    QCOMPARE(clr::green(0x563412), 0x34);
    QCOMPARE(clr::blue(0x563412), 0x56);
    QCOMPARE(clr::isSystem(clr::clInfoBk), true);
    QCOMPARE(clr::isSystem(0xFFFFFF), false);
    QCOMPARE(clr::systemIndex(clr::clInfoBk), 0x18);
    QCOMPARE(clr::systemIndex(clr::clBtnFace), 0x0F);
    QCOMPARE(clr::systemIndex(clr::clWindow), 5);
    QCOMPARE(int(clr::clInfoBk), -2147483624);
}

QTEST_GUILESS_MAIN(TestFont)
#include "test_font.moc"
