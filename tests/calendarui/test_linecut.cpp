#include "calendar/zocalendarlinecut.h"
#include "calendar/zocalendarfonts.h"
#include "core/cp932.h"

#include <QFontMetrics>
#include <QRandomGenerator>
#include <QTest>

using namespace zocal;

namespace {
// One pixel per CP932 byte: the cut is then exact arithmetic.
int ByteWidth(QStringView s)
{
    return int(cp932::encodeLossy(s.toString()).size());
}
} // namespace

class TestLineCut : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cutLine_data();
    void cutLine();
    void cutLinesKeepsEveryPiece_data();
    void cutLinesKeepsEveryPiece();
    void completeLines_data();
    void completeLines();
    void realFontResultFits();
    void matchesTheByteLoop();
};

void TestLineCut::cutLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");
    QTest::newRow("fits exactly") << QStringLiteral("abcdef") << 6 << QStringLiteral("abcdef");
    QTest::newRow("one byte too wide drops two") << QStringLiteral("abcdef") << 5 << QStringLiteral("ab...");
    QTest::newRow("ascii") << QStringLiteral("abcdefghij") << 8 << QStringLiteral("abcde...");
    QTest::newRow("nothing fits but the dots") << QStringLiteral("abcdef") << 3 << QStringLiteral("...");
    QTest::newRow("not even the dots fit") << QStringLiteral("abcdef") << 1 << QStringLiteral("...");
    QTest::newRow("single character too wide") << QStringLiteral("a") << 0 << QStringLiteral("...");
    QTest::newRow("empty line stays empty") << QString() << 0 << QString();
    // 会議室の予約 is 12 bytes; a cut at an odd byte count falls back to the
    // start of the character it would split.
    QTest::newRow("two-byte, even cut") << QStringLiteral("会議室の予約") << 9 << QStringLiteral("会議室...");
    QTest::newRow("two-byte, odd cut drops the whole character")
        << QStringLiteral("会議室の予約") << 10 << QStringLiteral("会議室...");
    // 亜 is 88 9F: its trail byte lies in the lead-byte range, so looking at
    // the last byte alone would split it.
    QTest::newRow("trail byte in the lead range") << QStringLiteral("亜亜亜") << 5 << QStringLiteral("亜...");
    QTest::newRow("trail byte, two fit") << QStringLiteral("亜亜亜亜") << 7 << QStringLiteral("亜亜...");
    QTest::newRow("mixed widths") << QStringLiteral("09:00 会議") << 9 << QStringLiteral("09:00 ...");
    QTest::newRow("half-width katakana is one byte") << QStringLiteral("ｶｲｷﾞｼﾂﾉﾖﾔｸ") << 6 << QStringLiteral("ｶｲｷ...");
    QTest::newRow("outside CP932 is not split") << QStringLiteral("a😀b😀c") << 4 << QStringLiteral("a...");
}

void TestLineCut::cutLine()
{
    QFETCH(QString, line);
    QFETCH(int, width);
    QFETCH(QString, expected);
    QCOMPARE(CutLine(line, width, ByteWidth), expected);
}

void TestLineCut::cutLinesKeepsEveryPiece_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("one line") << QStringLiteral("元日") << QStringLiteral("元日\r\n");
    QTest::newRow("piece after the last break, even empty")
        << QStringLiteral("元日\r\n") << QStringLiteral("元日\r\n\r\n");
    QTest::newRow("each piece on its own")
        << QStringLiteral("abcdefgh\r\nxy\r\n誕生日祝い") << QStringLiteral("abc...\r\nxy\r\n誕...\r\n");
}

void TestLineCut::cutLinesKeepsEveryPiece()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(CutLines(text, 6, ByteWidth), expected);
}

void TestLineCut::completeLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("firstOnly");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("no break draws nothing") << QStringLiteral("会議") << false << QStringList();
    QTest::newRow("text after the last break is dropped")
        << QStringLiteral("会議\r\n資料\r\n未完") << false << QStringList{QStringLiteral("会議"), QStringLiteral("資料")};
    QTest::newRow("first line only") << QStringLiteral("会議\r\n資料\r\n") << true << QStringList{QStringLiteral("会議")};
    QTest::newRow("empty lines count") << QStringLiteral("\r\n\r\nx\r\n") << false
                                       << QStringList{QString(), QString(), QStringLiteral("x")};
    QTest::newRow("a bare LF ends a line too") << QStringLiteral("a\nb\r\n") << false
                                               << QStringList{QStringLiteral("a"), QStringLiteral("b")};
}

void TestLineCut::completeLines()
{
    QFETCH(QString, text);
    QFETCH(bool, firstOnly);
    QFETCH(QStringList, expected);
    QCOMPARE(CompleteLines(text, firstOnly), expected);
}

void TestLineCut::realFontResultFits()
{
    const QFontMetrics fm(TZoCalendarFonts::DesignFont(12));
    const auto measure = [&fm](QStringView s) { return fm.horizontalAdvance(s.toString()); };
    const QString line = QStringLiteral("企画書の提出と打ち合わせ（第三会議室）、資料は前日までに共有");
    for (int width = 0; width < fm.horizontalAdvance(line) + 10; width += 7) {
        const QString cut = CutLine(line, width, measure);
        if (cut == line) {
            QVERIFY(fm.horizontalAdvance(line) <= width);
            continue;
        }
        QVERIFY(cut.endsWith(QStringLiteral("...")));
        const QString kept = cut.chopped(3);
        QVERIFY(line.startsWith(kept));
        if (!kept.isEmpty()) {
            QVERIFY2(fm.horizontalAdvance(cut) <= width, qPrintable(cut));
            // The next longer candidate would not have fitted.
            const QString longer = line.left(kept.size() + 1) + QStringLiteral("...");
            if (kept.size() + 2 <= line.size() - 1)
                QVERIFY2(fm.horizontalAdvance(longer) > width, qPrintable(longer));
        }
    }
}

// The cutting loop as stored texts are measured: on CP932 bytes, one candidate
// per step, a cut inside a two-byte character falling back to its start.
static QString ByteLoop(const QString &line, int width)
{
    const QByteArray s = cp932::encodeLossy(line);
    const auto wide = [&](const QByteArray &candidate) { return candidate.size() > width; };
    if (!wide(s))
        return line;
    // Positions where a character starts, found by walking from the front.
    QList<bool> starts(s.size() + 1, false);
    for (int p = 0; p < s.size(); p += IsLeadByte(uchar(s.at(p))) ? 2 : 1)
        starts[p] = true;
    starts[s.size()] = true;
    QByteArray candidate = s;
    for (int i = 1; i <= s.size() && wide(candidate);) {
        const int k = qMax(0, int(s.size()) - i - 1);
        candidate = s.left(k);
        if (!starts.at(k)) {
            candidate.chop(1);
            i += 2;
        } else {
            i += 1;
        }
        candidate += "...";
    }
    return cp932::decode(candidate);
}

void TestLineCut::matchesTheByteLoop()
{
    // 能 and ソ end in 0x5C and 表 in 0x5C too: trail bytes that look like
    // ASCII; 亜 ends in a byte of the lead range.
    const QStringList alphabet{"a", "Z", " ", "ｶ", "ﾞ", "亜", "会", "ソ", "表", "能", "予", "、"};
    QRandomGenerator rng(20240516);
    for (int round = 0; round < 3000; ++round) {
        QString line;
        const int n = int(rng.bounded(12));
        for (int c = 0; c < n; ++c)
            line += alphabet.at(int(rng.bounded(int(alphabet.size()))));
        const int width = int(rng.bounded(int(cp932::encodeLossy(line).size()) + 4));
        QCOMPARE(CutLine(line, width, ByteWidth), ByteLoop(line, width));
    }
}

int RunLineCutTests(int argc, char **argv)
{
    TestLineCut t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_linecut.moc"
