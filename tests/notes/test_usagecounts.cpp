#include "core/appglobal.h"
#include "notes/usagecounts.h"
#include "support/testhome.h"

#include <QDir>
#include <QFile>
#include <QtTest>

// Printable when a comparison fails: schedules, memos, monthly memos, ToDo
// lines, note pages.
using Counts = QList<int>;

class TestUsageCounts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void countsTheDataFolder_data();
    void countsTheDataFolder();
    void toDoLines_data();
    void toDoLines();
    void largeToDoFileIsReadInPieces();
};

namespace {

// Creates the given paths under the data folder: a name ending in '/' is a
// folder, anything else a small file.
void build(const TTestHome &home, const QStringList &paths)
{
    for (const QString &rel : paths) {
        const QString path = home.dataFolder() + rel;
        if (rel.endsWith(QLatin1Char('/'))) {
            QVERIFY(QDir().mkpath(path));
        } else {
            QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
            home.write(path, "x\r\n");
        }
    }
}

Counts asList(const TUsageCounts &c)
{
    return {c.Schedules, c.Memos, c.MonthlyMemos, c.ToDos, c.NotePages};
}

} // namespace

void TestUsageCounts::countsTheDataFolder_data()
{
    QTest::addColumn<QStringList>("paths");
    QTest::addColumn<int>("schedules");
    QTest::addColumn<Counts>("expected");

    QTest::newRow("empty data folder: no Memo, Note or todo.dat") << QStringList() << 0 << Counts{0, 0, 0, 0, 0};
    QTest::newRow("schedules come from the caller") << QStringList() << 17 << Counts{17, 0, 0, 0, 0};
    QTest::newRow("daily and monthly memos by name length")
        << QStringList{"Memo/20261210.txt", "Memo/20261211.txt", "Memo/202612.txt", "Memo/abcdefgh.txt",
                       "Memo/abcdef.txt"}
        << 0 << Counts{0, 3, 2, 0, 0};
    QTest::newRow("notebook.txt has twelve characters but is no memo")
        << QStringList{"Memo/notebook.txt", "Memo/20010307.txt"} << 0 << Counts{0, 1, 0, 0, 0};
    QTest::newRow("other lengths, other extensions, folders and upper case are not memos")
        << QStringList{"Memo/2026121.txt",  "Memo/202612101.txt", "Memo/20261210.bak", "Memo/20261210.TXT",
                       "Memo/2026121.txtx", "Memo/20261212.txt/", "Memo/202601.txt/",  "Memo/sub/20261210.txt"}
        << 0 << Counts{0, 0, 0, 0, 0};
    QTest::newRow("names are counted in characters, not bytes")
        << QStringList{QStringLiteral("Memo/日記日記日記日記.txt"), QStringLiteral("Memo/予定予定.txt"),
                       QStringLiteral("Memo/予定予.txt")}
        << 0 << Counts{0, 1, 0, 0, 0};
    QTest::newRow("hidden memo files count too")
        << QStringList{"Memo/.2026121.txt", "Memo/.20261.txt"} << 0 << Counts{0, 1, 1, 0, 0};
    QTest::newRow("pages of every note") << QStringList{"Note/住所録/自宅.txt", "Note/住所録/会社.txt",
                                                        "Note/仕事/a.txt", "Note/空/", "Note/.hidden/p.txt"}
                                         << 0 << Counts{0, 0, 0, 0, 4};
    QTest::newRow("files directly in Note belong to no note")
        << QStringList{"Note/stray.txt", "Note/other.txt", "Note/n/page.txt"} << 0 << Counts{0, 0, 0, 0, 1};
    QTest::newRow("only .txt pages, one level down")
        << QStringList{"Note/n/page.bak", "Note/n/page.TXT", "Note/n/folder.txt/", "Note/n/deeper/page.txt",
                       "Note/n/ok.txt"}
        << 0 << Counts{0, 0, 0, 0, 1};
    QTest::newRow("Memo and Note are plain files, not folders")
        << QStringList{"Memo", "Note"} << 0 << Counts{0, 0, 0, 0, 0};
    QTest::newRow("templates are not counted") << QStringList{"Templates/住所録.txt"} << 0 << Counts{0, 0, 0, 0, 0};
}

void TestUsageCounts::countsTheDataFolder()
{
    QFETCH(QStringList, paths);
    QFETCH(int, schedules);
    QFETCH(Counts, expected);
    TTestHome home;
    build(home, paths);
    QCOMPARE(asList(CountUsage(schedules)), expected);
}

void TestUsageCounts::toDoLines_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("expected");

    QTest::newRow("missing file") << false << QByteArray() << 0;
    QTest::newRow("empty file") << true << QByteArray() << 0;
    QTest::newRow("CR LF after every line") << true << QByteArray("a,1\r\nb,2\r\nc,3\r\n") << 3;
    QTest::newRow("last line without a line end") << true << QByteArray("a,1\r\nb,2\r\nc,3") << 3;
    QTest::newRow("a single line without a line end") << true << QByteArray("a") << 1;
    QTest::newRow("lone LF and lone CR end lines too") << true << QByteArray("a\nb\rc\r\n") << 3;
    QTest::newRow("blank lines are no items") << true << QByteArray("\r\n \r\n\ta\r\n\r\n\t \r\nb") << 2;
    QTest::newRow("line ends only") << true << QByteArray("\r\n\r\n\n\r") << 0;
    QTest::newRow("CP932 text") << true << QByteArray("\x82\xa0\x82\xa2,\x8c\x8e\r\n\x95\x5c\r\n") << 2;
    QTest::newRow("garbage with zero bytes") << true << QByteArray("\x00\xff\x01\r\n\xfe\x00", 7) << 2;
}

void TestUsageCounts::toDoLines()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, bytes);
    QFETCH(int, expected);
    TTestHome home;
    if (exists)
        home.write(Global().ToDoFile(), bytes);
    QCOMPARE(CountToDoLines(Global().ToDoFile()), expected);
    QCOMPARE(CountUsage(0).ToDos, expected);
}

// Lines that straddle the reader's pieces, and CR LF split between two of them.
void TestUsageCounts::largeToDoFileIsReadInPieces()
{
    TTestHome home;
    QByteArray bytes;
    int lines = 0;
    while (bytes.size() < 300 * 1024) {
        bytes += QByteArray(lines % 97 + 1, 'x') + (lines % 5 == 0 ? "\r\n\r\n" : "\r\n");
        ++lines;
    }
    bytes += "tail";
    home.write(Global().ToDoFile(), bytes);
    QCOMPARE(CountToDoLines(Global().ToDoFile()), lines + 1);
}

QTEST_GUILESS_MAIN(TestUsageCounts)
#include "test_usagecounts.moc"
