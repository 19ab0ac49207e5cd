#include "core/cp932.h"

#include <QtTest>

// The one place text meets CP932: exact bytes, refusal of what CP932 cannot
// hold, and the shared byte-wise ordering of names.
class TestCp932 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void encode_data();
    void encode();
    void asciiIsItsOwnCode();
    void everyCodeDecodesAsTheConverterDoes();
    void jisFormsStoredAsWindowsForms_data();
    void jisFormsStoredAsWindowsForms();
    void encodeRefuses_data();
    void encodeRefuses();
    void decodeDamagedBytes_data();
    void decodeDamagedBytes();
    void compare_data();
    void compare();
    void compareNoCase_data();
    void compareNoCase();
    void isLeadByte_data();
    void isLeadByte();
    void truncate_data();
    void truncate();
};

void TestCp932::encode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << "Abc 123" << QByteArray("Abc 123");
    QTest::newRow("empty") << "" << QByteArray();
    QTest::newRow("full-width tilde") << QStringLiteral("～") << QByteArray("\x81\x60");
    QTest::newRow("so, trail backslash") << QStringLiteral("ソ") << QByteArray("\x83\x5c");
    QTest::newRow("hiragana") << QStringLiteral("あ") << QByteArray("\x82\xa0");
    QTest::newRow("kanji") << QStringLiteral("漢字") << QByteArray("\x8a\xbf\x8e\x9a");
    QTest::newRow("half-width katakana") << QStringLiteral("ｱｲ") << QByteArray("\xb1\xb2");
    QTest::newRow("circled one (NEC row 13)") << QStringLiteral("①") << QByteArray("\x87\x40");
    QTest::newRow("full-width yen") << QStringLiteral("￥") << QByteArray("\x81\x8f");
    QTest::newRow("white and black squares") << QStringLiteral("□■") << QByteArray("\x81\xa0\x81\xa1");
    QTest::newRow("brackets of the template") << QStringLiteral("【】") << QByteArray("\x81\x79\x81\x7a");
    QTest::newRow("line end") << "a\r\nb" << QByteArray("a\r\nb");
}

void TestCp932::encode()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QByteArray out("stale");
    QVERIFY(cp932::encode(text, out));
    QCOMPARE(out, bytes);
    QCOMPARE(cp932::decode(bytes), text);
    QCOMPARE(cp932::encodeLossy(text), bytes);
}

// The code page's lower half is ASCII, control characters included, both
// ways. (The converter alone would turn 1A, 1C and 7F round among themselves,
// and text holding one of them could then not be written at all.)
void TestCp932::asciiIsItsOwnCode()
{
    for (int c = 0; c < 0x80; ++c) {
        const QString text = QString(QChar(char16_t(c))) + QStringLiteral("a");
        const QByteArray expected = QByteArray(1, char(c)) + "a";
        QByteArray out;
        QVERIFY2(cp932::encode(text, out), qPrintable(QString::number(c, 16)));
        QCOMPARE(out, expected);
        QCOMPARE(cp932::encodeLossy(text), expected);
        QCOMPARE(cp932::decode(expected), text);
    }
}

// Every two-byte code, alone and between Japanese text, decodes as the
// converter decodes it wherever the converter finds nothing wrong, and marks
// the damage wherever it does: the table ordinary text is looked up in must
// not drift from the converter.
void TestCp932::everyCodeDecodesAsTheConverterDoes()
{
    const QByteArray around("\x97\x5c\x92\xe8"); // 予定
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        for (int trail = 0x00; trail <= 0xFF; ++trail) {
            const QByteArray code = QByteArray(1, char(lead)) + char(trail);
            for (const QByteArray &bytes : {code, around + code + around}) {
                // A fresh converter each time: its error flag, once raised,
                // stays raised.
                QStringDecoder converter("windows-31j", QStringConverter::Flag::Stateless);
                const QString expected = converter.decode(bytes);
                const QString decoded = cp932::decode(bytes);
                const bool ok = converter.hasError() ? decoded.contains(QChar(QChar::ReplacementCharacter))
                                                     : decoded == expected;
                if (!ok)
                    QFAIL(qPrintable(QStringLiteral("%1 decodes as %2, the converter gives %3")
                                         .arg(QString::fromLatin1(bytes.toHex()), decoded, expected)));
            }
        }
    }
}

void TestCp932::jisFormsStoredAsWindowsForms_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("readBack");
    // What a Japanese input method on this platform types for these keys.
    QTest::newRow("wave dash") << QStringLiteral("10時\u301C12時")
                               << QByteArray("10\x8e\x9e\x81\x60"
                                             "12\x8e\x9e")
                               << QStringLiteral("10時～12時");
    QTest::newRow("minus sign") << QStringLiteral("\u2212") << QByteArray("\x81\x7c") << QStringLiteral("－");
    QTest::newRow("double vertical line") << QStringLiteral("\u2016") << QByteArray("\x81\x61") << QStringLiteral("∥");
    QTest::newRow("cent, pound, not") << QStringLiteral("\u00A2\u00A3\u00AC") << QByteArray("\x81\x91\x81\x92\x81\xca")
                                      << QStringLiteral("￠￡￢");
}

void TestCp932::jisFormsStoredAsWindowsForms()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, readBack);
    QByteArray out;
    QVERIFY(cp932::encode(typed, out));
    QCOMPARE(out, bytes);
    QCOMPARE(cp932::decode(out), readBack);
    // Both forms sort as the one character they are.
    QCOMPARE(cp932::compare(typed, readBack), 0);
}

void TestCp932::encodeRefuses_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("emoji") << QStringLiteral("予定\U0001F600");
    QTest::newRow("accented latin") << QStringLiteral("café");
    QTest::newRow("hangul") << QStringLiteral("한");
    QTest::newRow("simplified-only hanzi") << QStringLiteral("们");
    QTest::newRow("replacement character") << QStringLiteral("\uFFFD");
}

void TestCp932::encodeRefuses()
{
    QFETCH(QString, text);
    QByteArray out;
    QVERIFY(!cp932::encode(text, out));
    // The lossy form still yields something, for measuring only.
    QVERIFY(!cp932::encodeLossy(text).isEmpty());
}

void TestCp932::decodeDamagedBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("prefix"); // what decodes before the damage
    QTest::newRow("lone lead byte at end") << QByteArray("ab\x82") << "ab";
    QTest::newRow("undefined pair") << QByteArray("x\x88\x40") << "x";
    QTest::newRow("0xFF") << QByteArray("ok\xff") << "ok";
}

void TestCp932::decodeDamagedBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, prefix);
    const QString text = cp932::decode(bytes);
    QVERIFY2(text.startsWith(prefix), qPrintable(text));
    QVERIFY(text.contains(QChar(0xFFFD)));
}

void TestCp932::compare_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("sign");
    QTest::newRow("equal") << QStringLiteral("予定") << QStringLiteral("予定") << 0;
    QTest::newRow("upper before lower") << "B"
                                        << "a" << -1;
    QTest::newRow("prefix first") << "ab"
                                  << "abc" << -1;
    QTest::newRow("ascii before kanji") << "z" << QStringLiteral("あ") << -1;
    // Unicode puts ～ (U+FF5E) after あ (U+3042); CP932 puts it before (81 60 < 82 A0).
    QTest::newRow("tilde before hiragana") << QStringLiteral("～") << QStringLiteral("あ") << -1;
    // ① is U+2460, before あ in Unicode; 87 40 comes after 82 A0.
    QTest::newRow("circled one after hiragana") << QStringLiteral("①") << QStringLiteral("あ") << 1;
    // Half-width katakana (B1) sorts after two-byte hiragana (82 ..) by its lead byte.
    QTest::newRow("half-width kana after hiragana") << QStringLiteral("ｱ") << QStringLiteral("あ") << 1;
    QTest::newRow("times as text") << "09:30"
                                   << "10:00" << -1;
    QTest::newRow("star marks after time") << "10:00"
                                           << "10:00*" << -1;
}

void TestCp932::compare()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, sign);
    const auto sgn = [](int v) { return (v > 0) - (v < 0); };
    QCOMPARE(sgn(cp932::compare(a, b)), sign);
    QCOMPARE(sgn(cp932::compare(b, a)), -sign);
}

void TestCp932::compareNoCase_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<int>("sign");
    QTest::newRow("ascii case folded") << "ABC"
                                       << "abc" << 0;
    QTest::newRow("after a two-byte character") << QStringLiteral("ソA") << QStringLiteral("ソa") << 0;
    // ア is 83 41 and ヂ is 83 61: trail bytes that look like "A" and "a" are not letters.
    QTest::newRow("trail bytes are not folded") << QStringLiteral("ア") << QStringLiteral("ヂ") << -1;
    QTest::newRow("full-width letters are not folded") << QStringLiteral("Ａ") << QStringLiteral("ａ") << -1;
    QTest::newRow("order kept") << "apple"
                                << "Banana" << -1;
}

void TestCp932::compareNoCase()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(int, sign);
    const auto sgn = [](int v) { return (v > 0) - (v < 0); };
    QCOMPARE(sgn(cp932::compareNoCase(a, b)), sign);
    QCOMPARE(sgn(cp932::compareNoCase(b, a)), -sign);
}

void TestCp932::isLeadByte_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<bool>("lead");
    QTest::newRow("00") << 0x00 << false;
    QTest::newRow("5C backslash") << 0x5C << false;
    QTest::newRow("7F") << 0x7F << false;
    QTest::newRow("80") << 0x80 << false;
    QTest::newRow("81") << 0x81 << true;
    QTest::newRow("9F") << 0x9F << true;
    QTest::newRow("A0") << 0xA0 << false;
    QTest::newRow("B1 half-width kana") << 0xB1 << false;
    QTest::newRow("DF") << 0xDF << false;
    QTest::newRow("E0") << 0xE0 << true;
    QTest::newRow("FC") << 0xFC << true;
    QTest::newRow("FD") << 0xFD << false;
    QTest::newRow("FF") << 0xFF << false;
}

void TestCp932::isLeadByte()
{
    QFETCH(int, byte);
    QFETCH(bool, lead);
    QCOMPARE(IsLeadByte(static_cast<unsigned char>(byte)), lead);
}

void TestCp932::truncate_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("shorter") << QByteArray("abc") << 5 << QByteArray("abc");
    QTest::newRow("exact") << QByteArray("abc") << 3 << QByteArray("abc");
    QTest::newRow("ascii cut") << QByteArray("abcdef") << 4 << QByteArray("abcd");
    QTest::newRow("never half a character") << QByteArray("a\x82\xa0") << 2 << QByteArray("a");
    QTest::newRow("whole character fits") << QByteArray("a\x82\xa0z") << 3 << QByteArray("a\x82\xa0");
    QTest::newRow("half-width kana is one byte") << QByteArray("\xb1\xb2\xb3") << 2 << QByteArray("\xb1\xb2");
    QTest::newRow("trail backslash not a lead") << QByteArray("\x83\x5c\x83\x5c") << 3 << QByteArray("\x83\x5c");
    QTest::newRow("zero") << QByteArray("\x82\xa0") << 0 << QByteArray();
}

void TestCp932::truncate()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, limit);
    QFETCH(QByteArray, expected);
    QCOMPARE(cp932::truncate(bytes, limit), expected);
}

QTEST_GUILESS_MAIN(TestCp932)
#include "test_cp932.moc"
