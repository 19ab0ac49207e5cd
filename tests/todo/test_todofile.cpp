#include "core/cp932.h"
#include "core/datetime.h"
#include "core/safefile.h"
#include "support/scriptedprompter.h"
#include "support/testhome.h"
#include "todo/todolist.h"
#include "todo/todoprefetch.h"

#include <QtTest>

namespace {

TPreviouseAlert notice(quint8 kind, qint32 amount, double lastAlerted)
{
    TPreviouseAlert n;
    n.Kind = kind;
    n.Amount = amount;
    n.LastAlerted = lastAlerted;
    return n;
}

double at(int y, int m, int d, int h = 0, int n = 0)
{
    return qmdt::fromDateTime(QDateTime(QDate(y, m, d), QTime(h, n)));
}

// Computed on use: the date origin is a static of another unit.
double nowStamp()
{
    return at(2001, 3, 7, 14, 5);
}

// "会議" and "買い物" in CP932.
const QByteArray kKaigi("\x89\xEF\x8B\x63");
const QByteArray kKaimono("\x94\x83\x82\xA2\x95\xA8");

std::unique_ptr<TToDo> item(const QString &text)
{
    auto t = std::make_unique<TToDo>(nowStamp());
    t->Text = text;
    return t;
}

QByteArray lineOf(const TToDo &t)
{
    QByteArray line;
    if (!t.ToFileLine(line))
        return "<unstorable>";
    return line;
}

} // namespace

class TestToDoFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fileLine_data();
    void fileLine();
    void derivedTexts();
    void fullLayoutReadsEveryField();
    void layoutsOfALine_data();
    void layoutsOfALine();
    void earlyLayoutMakesOldCopyAndIsConvertedBySave();
    void prefetchedListIsWhatALoadGives_data();
    void prefetchedListIsWhatALoadGives();
    void prefetchOfAChangedFileIsPassedOver();
    void roundTripKeepsWhatTheFileStores();
    void blankLinesAreSkipped();
    void trickyLinesReadAsEachTextAlone_data();
    void trickyLinesReadAsEachTextAlone();
    void fieldsPastAsciiAreDecoded_data();
    void fieldsPastAsciiAreDecoded();
    void noticeAmount_data();
    void noticeAmount();
    void failingLineStopsAndKeepsFileAside_data();
    void failingLineStopsAndKeepsFileAside();
    void readOnlyLoadWritesNothingBeside();
    void missingFileGivesEmptyList();
    void unreadableFileIsReported();
    void garbageValuesAreSkippedSilently();
    void lineBreakInTextStaysOneItem();
    void saveIsCrashSafe();
    void saveRefusesUnstorableText();
    void saveRetiresPreviousVersionAsBak();
};

void TestToDoFile::fileLine_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("plain") << "plain" << QByteArray("0,abc,,,0,,,,,,0,0,");
    QTest::newRow("quoted text") << "quoted" << QByteArray("0,\"a, \"\"b\"\"\",,,0,,,,,,0,0,");
    QTest::newRow("date only, never alarmed") << "dateOnly" << QByteArray("0,abc,2001/03/09,,0,,,,1899/12/30,,0,0,");
    QTest::newRow("date and time, alarmed")
        << "dateTime" << QByteArray("0,abc,2001/03/09,10:30:00,0,,,,2001/03/09,10:30:00,1,0,");
    QTest::newRow("notice by days") << "byDays"
                                    << QByteArray("0,abc,2001/03/09,,1,3,2001/03/08,09:15:00,1899/12/30,,0,1,");
    QTest::newRow("notice by minutes, never sent")
        << "byMinutes" << QByteArray("0,abc,2001/03/09,10:30:00,2,15,1899/12/30,00:00:00,1899/12/30,00:00:00,0,0,");
    QTest::newRow("hours written as none") << "byHours" << QByteArray("0,abc,,,0,,,,,,0,0,");
    QTest::newRow("checked") << "checked" << QByteArray("1,abc,,,0,,,,,,0,0,\"2001/03/07 14:05\"");
    QTest::newRow("unchecked keeps no stamp") << "unchecked" << QByteArray("0,abc,,,0,,,,,,0,0,");
    QTest::newRow("two-byte text") << "kanji" << (QByteArray("0,") + kKaigi + ",,,0,,,,,,0,0,");
}

void TestToDoFile::fileLine()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, line);
    auto t = item(QStringLiteral("abc"));
    if (name == QLatin1String("quoted"))
        t->Text = QStringLiteral("a, \"b\"");
    if (name == QLatin1String("kanji"))
        t->Text = QStringLiteral("会議");
    if (name != QLatin1String("plain") && name.startsWith(QLatin1String("date"))) {
        t->UseDate = true;
        t->LimitDateTime = at(2001, 3, 9);
    }
    if (name == QLatin1String("dateTime")) {
        t->UseTime = true;
        t->LimitDateTime = at(2001, 3, 9, 10, 30);
        t->AlarmedDateTime = at(2001, 3, 9, 10, 30);
        t->Urgent = true;
    }
    if (name == QLatin1String("byDays")) {
        t->UseDate = true;
        t->LimitDateTime = at(2001, 3, 9);
        t->PrevAlert = notice(AlertByDays, 3, at(2001, 3, 8, 9, 15));
        t->Important = true;
    }
    if (name == QLatin1String("byMinutes")) {
        t->UseDate = t->UseTime = true;
        t->LimitDateTime = at(2001, 3, 9, 10, 30);
        t->PrevAlert = notice(AlertByMinutes, 15, 0);
    }
    if (name == QLatin1String("byHours"))
        t->PrevAlert = notice(AlertByHours, 2, at(2001, 1, 1));
    if (name == QLatin1String("checked")) {
        t->Checked = true;
        t->CheckedDateTime = nowStamp();
    }
    if (name == QLatin1String("unchecked"))
        t->CheckedDateTime = nowStamp();
    QCOMPARE(lineOf(*t), line);
}

void TestToDoFile::derivedTexts()
{
    TToDo t(nowStamp());
    QCOMPARE(t.LimitDateText(), QStringLiteral("        "));
    QCOMPARE(t.LimitTimeText(), QStringLiteral("--:--"));
    t.UseDate = true;
    t.LimitDateTime = at(2001, 3, 9, 8, 5);
    QCOMPARE(t.LimitDateText(), QStringLiteral("01/03/09"));
    QCOMPARE(t.LimitTimeText(), QStringLiteral("--:--"));
    t.UseTime = true;
    QCOMPARE(t.LimitTimeText(), QStringLiteral("08:05"));
}

void TestToDoFile::fullLayoutReadsEveryField()
{
    TToDoList list;
    const QByteArray bytes =
        "1,\"  " + kKaigi +
        " x \",2001/03/09,10:30:00,2,15,2001/03/09,10:15:00,2001/03/09,10:30:00,1,1,\"2001/03/07 14:05\"\r\n";
    QVERIFY(ParseToDoFile(bytes, list, nowStamp(), nullptr).ok);
    QCOMPARE(list.Count(), 1);
    const TToDo &t = *list.At(0);
    QCOMPARE(t.Checked, true);
    QCOMPARE(t.Text, QStringLiteral("会議 x"));
    QCOMPARE(t.UseDate, true);
    QCOMPARE(t.UseTime, true);
    QCOMPARE(t.LimitDateTime, at(2001, 3, 9, 10, 30));
    QCOMPARE(int(t.PrevAlert.Kind), int(AlertByMinutes));
    QCOMPARE(t.PrevAlert.Amount, 15);
    QCOMPARE(t.PrevAlert.LastAlerted, at(2001, 3, 9, 10, 15));
    QCOMPARE(t.AlarmedDateTime, at(2001, 3, 9, 10, 30));
    QCOMPARE(t.Urgent, true);
    QCOMPARE(t.Important, true);
    QCOMPARE(t.CheckedDateTime, nowStamp());
}

void TestToDoFile::layoutsOfALine_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("checked");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("useDate");
    QTest::addColumn<bool>("early");
    QTest::addColumn<double>("checkedAt");
    QTest::newRow("early: flag and text") << QByteArray("1,") + kKaimono << true << "買い物" << false << true << 0.0;
    QTest::newRow("early: third field a date is ignored")
        << QByteArray("0,abc,2001/03/09") << false << "abc" << false << true << 0.0;
    QTest::newRow("twelve fields: no checked-at")
        << QByteArray("1,abc,2001/03/09,,0,,,,1899/12/30,,0,0") << true << "abc" << true << false << 0.0;
    QTest::newRow("full layout") << QByteArray("1,abc,2001/03/09,,0,,,,1899/12/30,,0,0,2001/03/07 14:05") << true
                                 << "abc" << true << false << nowStamp();
    QTest::newRow("extra fields ignored")
        << QByteArray("0,abc,,,0,,,,,,0,0,,more,fields") << false << "abc" << false << false << 0.0;
}

void TestToDoFile::layoutsOfALine()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, checked);
    QFETCH(QString, text);
    QFETCH(bool, useDate);
    QFETCH(bool, early);
    QFETCH(double, checkedAt);
    TToDoList list;
    bool wasEarly = false;
    QVERIFY(ParseToDoFile(line + "\r\n", list, nowStamp(), &wasEarly).ok);
    QCOMPARE(list.Count(), 1);
    QCOMPARE(list.At(0)->Checked, checked);
    QCOMPARE(list.At(0)->Text, text);
    QCOMPARE(list.At(0)->UseDate, useDate);
    QCOMPARE(list.At(0)->CheckedDateTime, checkedAt);
    QCOMPARE(wasEarly, early);
}

void TestToDoFile::earlyLayoutMakesOldCopyAndIsConvertedBySave()
{
    TTestHome home;
    const QString path = home.dataFolder() + "todo.dat";
    const QByteArray early = "1," + kKaimono + "\r\n0,abc\r\n";
    home.write(path, early);
    TToDoList list;
    const TToDoLoadResult r = LoadToDoList(path, list, nowStamp());
    QVERIFY(r.ok);
    QVERIFY(r.wroteOld);
    QCOMPARE(home.read(home.dataFolder() + "todo.old"), early);
    QCOMPARE(list.Count(), 2);
    QVERIFY(SaveToDoList(path, list).ok);
    // Ticked in the early layout, so the stamp is the never-recorded moment.
    const QByteArray converted =
        QByteArray("1,") + kKaimono + ",,,0,,,,,,0,0,\"1899/12/30 00:00\"\r\n0,abc,,,0,,,,,,0,0,\r\n";
    QCOMPARE(home.read(path), converted);
}

void TestToDoFile::prefetchedListIsWhatALoadGives_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("early");
    QTest::newRow("early layout") << QByteArray("1," + kKaimono + "\r\n0,abc\r\n") << true;
    QTest::newRow("dated and undated items")
        << QByteArray("0," + kKaigi +
                      ",2001/03/09,10:30,1,2,2001/03/08,07:00,,,1,0,\r\n"
                      "1,abc,,,0,,,,,,0,1,\"2001/03/07 14:05\"\r\n0,def,2001/03/10,,0,,,,,,0,0,\r\n")
        << false;
}

// The start reads todo.dat on another thread, before the moment of the load
// is known; what the load takes from it must be what reading the file then
// would have given, the undated items' limit included.
void TestToDoFile::prefetchedListIsWhatALoadGives()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, early);
    TTestHome home;
    const QString path = home.dataFolder() + "todo.dat";
    home.write(path, file);
    TToDoList expected;
    QVERIFY(ReadToDoList(path, expected, nowStamp()).ok);

    TToDoPrefetch prefetch(path);
    TToDoList list;
    bool wasEarly = !early;
    QByteArray bytes;
    QVERIFY(TakePrefetchedToDo(path, list, nowStamp(), wasEarly, bytes));
    QCOMPARE(wasEarly, early);
    QCOMPARE(bytes, file);
    QCOMPARE(list.Count(), expected.Count());
    for (int i = 0; i < list.Count(); ++i) {
        QCOMPARE(list.At(i)->LimitDateTime, expected.At(i)->LimitDateTime);
        QCOMPARE(list.Display.at(i), list.At(i));
    }
    QByteArray taken, read;
    QString why;
    QVERIFY(ToDoFileBytes(list, taken, why));
    QVERIFY(ToDoFileBytes(expected, read, why));
    QCOMPARE(taken, read);
    QVERIFY(!TakePrefetchedToDo(path, list, nowStamp(), wasEarly, bytes));

    // Taken by the load itself, the early layout still leaves its copy.
    TToDoPrefetch again(path);
    TToDoList loaded;
    const TToDoLoadResult r = LoadToDoList(path, loaded, nowStamp());
    QVERIFY(r.ok);
    QCOMPARE(r.wroteOld, early);
    QCOMPARE(QFileInfo::exists(home.dataFolder() + "todo.old"), early);
    QCOMPARE(loaded.Count(), expected.Count());
}

void TestToDoFile::prefetchOfAChangedFileIsPassedOver()
{
    TTestHome home;
    const QString path = home.dataFolder() + "todo.dat";
    home.write(path, "0,aaa,,,0,,,,,,0,0,\r\n");
    TToDoPrefetch prefetch(path);
    prefetch.Wait(); // the change comes after the reading
    QFile inPlace(path);
    QVERIFY(inPlace.open(QIODevice::ReadWrite));
    QCOMPARE(inPlace.write("0,bbb"), 5);
    inPlace.close();
    TToDoList list;
    QVERIFY(LoadToDoList(path, list, nowStamp()).ok);
    QCOMPARE(list.Count(), 1);
    QCOMPARE(list.At(0)->Text, QStringLiteral("bbb"));
}

void TestToDoFile::roundTripKeepsWhatTheFileStores()
{
    TTestHome home;
    const QString path = home.dataFolder() + "todo.dat";
    TToDoList list;
    auto a = item(QStringLiteral("  padded \"text\", too  "));
    a->UseDate = a->UseTime = true;
    a->LimitDateTime = at(2001, 3, 9, 10, 30);
    a->PrevAlert = notice(AlertByDays, 2, at(2001, 3, 8, 7, 0));
    auto b = item(QStringLiteral("会議"));
    b->Checked = true;
    b->CheckedDateTime = nowStamp();
    list.Add(std::move(a));
    list.Add(std::move(b));
    list.Display = {list.At(1), list.At(0)}; // display order is what is written
    QVERIFY(SaveToDoList(path, list).ok);

    TToDoList back;
    QVERIFY(LoadToDoList(path, back, 0).ok);
    QCOMPARE(back.Count(), 2);
    QCOMPARE(back.At(0)->Text, QStringLiteral("会議"));
    QCOMPARE(back.At(0)->CheckedDateTime, nowStamp());
    const TToDo &t = *back.At(1);
    QCOMPARE(t.Text, QStringLiteral("padded \"text\", too")); // outer blanks are trimmed on reading
    QCOMPARE(t.LimitDateTime, at(2001, 3, 9, 10, 30));
    QCOMPARE(t.PrevAlert.Amount, 2);
    QCOMPARE(t.PrevAlert.LastAlerted, at(2001, 3, 8, 7, 0));
    QCOMPARE(t.AlarmedDateTime, at(1899, 12, 30));
    QVERIFY(!QFileInfo::exists(home.dataFolder() + "todo.old"));
}

void TestToDoFile::blankLinesAreSkipped()
{
    TToDoList list;
    const QByteArray bytes = "0,a\r\n\r\n   \r\n0,b\r\n\r\n";
    QVERIFY(ParseToDoFile(bytes, list, nowStamp(), nullptr).ok);
    QCOMPARE(list.Count(), 2);
    QCOMPARE(list.At(1)->Text, QStringLiteral("b"));
}

// The file is read field by field in place; each item must still hold what
// its own line's field, decoded on its own, gives (cp932::decode and the
// trimming are the reference).
void TestToDoFile::trickyLinesReadAsEachTextAlone_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QList<QByteArray>>("texts"); // as stored, quotes undone
    QTest::addColumn<bool>("early");
    QTest::addColumn<int>("failsAt"); // the message's index; -1 for a whole load
    const QByteArray rest = ",,,0,,,,,,0,0,\r\n";
    const QByteArray kaigi = kKaigi;
    QTest::newRow("quote inside a bare text hides the later separators")
        << QByteArray("0,a\"b,2001/03/09,,0,,,,,,0,0,\r\n") << QList<QByteArray>{"a\"b"} << true << -1;
    QTest::newRow("doubled quotes") << "0,\"say \"\"hi\"\", ok\"" + rest << QList<QByteArray>{"say \"hi\", ok"} << false
                                    << -1;
    QTest::newRow("unterminated quote takes the rest of the line")
        << "0,\"abc" + rest << QList<QByteArray>{"abc" + rest.chopped(2)} << true << -1;
    QTest::newRow("text after the closing quote is dropped")
        << "0,\"ab\"cd" + rest << QList<QByteArray>{"ab"} << false << -1;
    QTest::newRow("trailing separator") << QByteArray("1,abc,\r\n") << QList<QByteArray>{"abc"} << true << -1;
    QTest::newRow("every field empty") << QByteArray(",,,,,,,,,,,,\r\n") << QList<QByteArray>{""} << false << -1;
    QTest::newRow("empty quoted text") << "0,\"\"" + rest << QList<QByteArray>{QByteArray()} << false << -1;
    QTest::newRow("CP932 in quotes, blanks and a comma")
        << "0,\"  " + kaigi + ", " + kKaimono + "  \"" + rest
        << QList<QByteArray>{"  " + kaigi + ", " + kKaimono + "  "} << false << -1;
    QTest::newRow("quoted CP932 with doubled quotes")
        << "0,\"" + kaigi + "\"\"" + kKaimono + "\"\"\"" + rest << QList<QByteArray>{kaigi + "\"" + kKaimono + "\""}
        << false << -1;
    QTest::newRow("lead byte ending a text, then a whole one")
        << "0," + kaigi + "\x81" + rest + "0," + kKaimono + rest << QList<QByteArray>{kaigi + "\x81", kKaimono} << false
        << -1;
    // One text damaged, one with a control code the converter turns round.
    QTest::newRow("damaged text among whole ones")
        << "0," + kaigi + rest + "0,\x85\x40" + kaigi + "\xFD" + rest + "0,\x7F" + kKaimono + rest
        << QList<QByteArray>{kaigi, "\x85\x40" + kaigi + "\xFD", "\x7F" + kKaimono} << false << -1;
    QTest::newRow("control codes in CP932 text")
        << "0,\x7F" + kaigi + "\x1A\x1C" + rest << QList<QByteArray>{"\x7F" + kaigi + "\x1A\x1C"} << false << -1;
    QTest::newRow("CR, LF, CR LF and blank lines")
        << QByteArray("0,a\r0,b\n\n0,c\r\n\r\n \t\r\n0,d") << QList<QByteArray>{"a", "b", "c", "d"} << true << -1;
    QTest::newRow("failing line keeps the decoded texts before it") << "0," + kaigi + rest + "0," + kKaimono + ",,\r\n"
                                                                    << QList<QByteArray>{kaigi} << false << 4;
    QTest::newRow("separators inside quotes after an odd quote count")
        << QByteArray("0,a\"b,\"c,d,e,f,g,h,i,j,k,l,m\"\r\n") << QList<QByteArray>{} << false << 3;
}

void TestToDoFile::trickyLinesReadAsEachTextAlone()
{
    QFETCH(QByteArray, file);
    QFETCH(QList<QByteArray>, texts);
    QFETCH(bool, early);
    QFETCH(int, failsAt);
    TToDoList list;
    bool wasEarly = false;
    const TToDoLoadResult r = ParseToDoFile(file, list, nowStamp(), &wasEarly);
    QCOMPARE(r.ok, failsAt < 0);
    if (failsAt >= 0)
        QCOMPARE(r.message, QStringLiteral("リストのインデックスが範囲を超えています (%1)").arg(failsAt));
    QCOMPARE(wasEarly, early);
    QCOMPARE(list.Count(), texts.size());
    for (int i = 0; i < list.Count(); ++i)
        QCOMPARE(list.At(i)->Text, todofmt::TrimControls(cp932::decode(texts[i])));
}

// Dates, times and flags are ASCII in every saved file and read without the
// code page; any other byte there is read through it, as before.
void TestToDoFile::fieldsPastAsciiAreDecoded_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("useDate");
    QTest::addColumn<bool>("useTime");
    QTest::addColumn<bool>("important");
    // "２００１" and "１" in full width.
    const QByteArray wideYear("\x82\x51\x82\x4F\x82\x4F\x82\x50");
    const QByteArray wideOne("\x82\x50");
    QTest::newRow("full-width year is no date")
        << "0,abc," + wideYear + "/03/09,,0,,,,,,0,1," << false << false << true;
    QTest::newRow("full-width flag is not set, the date still counts")
        << "0,abc,2001/03/09,10:30:00,0,,,,,,0," + wideOne + "," << true << true << false;
    QTest::newRow("blanks and controls around ASCII fields")
        << QByteArray("0,abc, 2001/03/09\t,\x01 10:30 ,0,,,,,,0, 1 ,") << true << true << true;
    QTest::newRow("blank inside the date spoils date and time")
        << QByteArray("0,abc,2001/03/09 x,10:30,0,,,,,,0,0,") << false << false << false;
}

void TestToDoFile::fieldsPastAsciiAreDecoded()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, useDate);
    QFETCH(bool, useTime);
    QFETCH(bool, important);
    TToDoList list;
    QVERIFY(ParseToDoFile(line + "\r\n", list, nowStamp(), nullptr).ok);
    QCOMPARE(list.Count(), 1);
    const TToDo &t = *list.At(0);
    QCOMPARE(t.UseDate, useDate);
    QCOMPARE(t.UseTime, useTime);
    QCOMPARE(t.LimitDateTime, useTime ? at(2001, 3, 9, 10, 30) : useDate ? at(2001, 3, 9) : nowStamp());
    QCOMPARE(t.Important, important);
}

void TestToDoFile::noticeAmount_data()
{
    QTest::addColumn<QByteArray>("amount");
    QTest::addColumn<int>("expected"); // 1 when the field is no number
    QTest::newRow("plain") << QByteArray("15") << 15;
    QTest::newRow("leading zeros") << QByteArray("007") << 7;
    QTest::newRow("nine digits") << QByteArray("123456789") << 123456789;
    QTest::newRow("ten digits") << QByteArray("2147483647") << 2147483647;
    QTest::newRow("past int") << QByteArray("99999999999") << 1;
    QTest::newRow("plus sign") << QByteArray("+3") << 3;
    QTest::newRow("minus sign") << QByteArray("-2") << -2;
    QTest::newRow("blanks around") << QByteArray(" 7\t") << 7;
    QTest::newRow("letters") << QByteArray("7x") << 1;
    QTest::newRow("empty") << QByteArray() << 1;
    QTest::newRow("full-width digit") << QByteArray("\x82\x56") << 1;
}

void TestToDoFile::noticeAmount()
{
    QFETCH(QByteArray, amount);
    QFETCH(int, expected);
    TToDoList list;
    const QByteArray line = "0,abc,2001/03/09,,1," + amount + ",2001/03/08,09:15:00,,,0,0,\r\n";
    QVERIFY(ParseToDoFile(line, list, nowStamp(), nullptr).ok);
    QCOMPARE(list.Count(), 1);
    QCOMPARE(int(list.At(0)->PrevAlert.Kind), int(AlertByDays));
    QCOMPARE(list.At(0)->PrevAlert.Amount, expected);
}

void TestToDoFile::failingLineStopsAndKeepsFileAside_data()
{
    QTest::addColumn<QByteArray>("bad");
    QTest::addColumn<int>("index");
    QTest::newRow("single field") << QByteArray("1") << 1;
    QTest::newRow("five fields") << QByteArray("0,abc,2001/03/09,,0") << 5;
    QTest::newRow("four fields") << QByteArray("0,abc,,") << 4;
}

void TestToDoFile::failingLineStopsAndKeepsFileAside()
{
    QFETCH(QByteArray, bad);
    QFETCH(int, index);
    TTestHome home;
    const QString path = home.dataFolder() + "todo.dat";
    const QByteArray bytes = "0,first\r\n" + bad + "\r\n0,after\r\n";
    home.write(path, bytes);
    TToDoList list;
    TScriptedPrompter prompter;
    QVERIFY(!LoadToDoList(path, list, nowStamp(), prompter));
    QCOMPARE(list.Count(), 1);
    QCOMPARE(list.At(0)->Text, QStringLiteral("first"));
    QCOMPARE(prompter.kinds(), QStringList{"error"});
    const QString copy = path + ".damaged";
    QCOMPARE(prompter.texts().first(), QStringLiteral("リストのインデックスが範囲を超えています (%1)").arg(index) +
                                           "\r\n" + DamagedCopyNote(copy));
    QCOMPARE(home.read(copy), bytes);
    QCOMPARE(home.read(path), bytes); // unchanged until the next save
}

void TestToDoFile::readOnlyLoadWritesNothingBeside()
{
    TTestHome home;
    const QString path = home.dataFolder() + "todo.dat";
    home.write(path, "1,early\r\n0\r\n");
    TToDoList list;
    const TToDoLoadResult r = ReadToDoList(path, list, nowStamp());
    QVERIFY(!r.ok);
    QCOMPARE(r.message, QStringLiteral("リストのインデックスが範囲を超えています (1)"));
    QCOMPARE(list.Count(), 1);
    QCOMPARE(QDir(home.dataFolder()).entryList(QDir::Files), QStringList{"todo.dat"});
}

void TestToDoFile::missingFileGivesEmptyList()
{
    TTestHome home;
    TToDoList list;
    list.Add(item("stale"));
    TScriptedPrompter prompter;
    QVERIFY(LoadToDoList(home.dataFolder() + "todo.dat", list, nowStamp(), prompter));
    QCOMPARE(list.Count(), 0);
    QCOMPARE(list.Display.size(), 0);
    QVERIFY(prompter.messages.isEmpty());
}

void TestToDoFile::unreadableFileIsReported()
{
    TTestHome home;
    const QString path = home.dataFolder() + "todo.dat";
    QDir().mkpath(path); // a folder where the file should be
    TToDoList list;
    const TToDoLoadResult r = LoadToDoList(path, list, nowStamp());
    QVERIFY(!r.ok);
    QVERIFY(r.message.startsWith(QStringLiteral("ファイル %1 を開けません").arg(path)));
}

void TestToDoFile::garbageValuesAreSkippedSilently()
{
    TToDoList list;
    const QByteArray bytes = "x,abc,2001/02/30,25:00:00,1,many,nodate,notime,bad,bad,yes,1,garbage\r\n"
                             "0,def,2001/13/01,,9,5,,,,,1,0,\r\n";
    QVERIFY(ParseToDoFile(bytes, list, nowStamp(), nullptr).ok);
    QCOMPARE(list.Count(), 2);
    const TToDo &a = *list.At(0);
    QCOMPARE(a.Checked, false);
    QCOMPARE(a.UseDate, false);
    QCOMPARE(a.UseTime, false);
    QCOMPARE(a.LimitDateTime, nowStamp());
    QCOMPARE(int(a.PrevAlert.Kind), int(AlertByDays));
    QCOMPARE(a.PrevAlert.Amount, 1);
    QCOMPARE(a.PrevAlert.LastAlerted, 0.0);
    QCOMPARE(a.AlarmedDateTime, 0.0);
    QCOMPARE(a.Urgent, false);
    QCOMPARE(a.Important, true);
    QCOMPARE(a.CheckedDateTime, 0.0);
    const TToDo &b = *list.At(1);
    QCOMPARE(b.UseDate, false);
    QCOMPARE(int(b.PrevAlert.Kind), int(NoAlert));
    QCOMPARE(b.PrevAlert.Amount, 1);
    QCOMPARE(b.Urgent, true);
}

void TestToDoFile::lineBreakInTextStaysOneItem()
{
    TTestHome home;
    const QString path = home.dataFolder() + "todo.dat";
    TToDoList list;
    list.Add(item(QStringLiteral("two\r\nlines\nhere")));
    list.Add(item(QStringLiteral("next")));
    QVERIFY(SaveToDoList(path, list).ok);
    TToDoList back;
    QVERIFY(LoadToDoList(path, back, nowStamp()).ok);
    QCOMPARE(back.Count(), 2);
    QCOMPARE(back.At(0)->Text, QStringLiteral("two lines here"));
}

void TestToDoFile::saveIsCrashSafe()
{
    TTestHome home;
    const QString path = home.dataFolder() + "todo.dat";
    home.write(path, "0,old\r\n");
    // A folder squatting on the back-up name and the rename target's folder
    // being gone are both write failures; here the target is made a folder.
    const QString blocked = home.dataFolder() + "blocked/";
    QDir().mkpath(blocked + "todo.dat/inner");
    TToDoList list;
    list.Add(item("new"));
    const TToDoSaveResult r = SaveToDoList(blocked + "todo.dat", list);
    QVERIFY(!r.ok);
    QVERIFY(r.message.startsWith(QStringLiteral("ファイル %1 を作成できません").arg(blocked + "todo.dat")));
    QVERIFY(QFileInfo(blocked + "todo.dat/inner").isDir());
    QCOMPARE(home.read(path), QByteArray("0,old\r\n"));
}

void TestToDoFile::saveRefusesUnstorableText()
{
    TTestHome home;
    const QString path = home.dataFolder() + "todo.dat";
    home.write(path, "0,old\r\n");
    TToDoList list;
    list.Add(item(QStringLiteral("emoji \U0001F600")));
    const TToDoSaveResult r = SaveToDoList(path, list);
    QVERIFY(!r.ok);
    QVERIFY(r.message.contains(QStringLiteral("保存できない文字")));
    QCOMPARE(home.read(path), QByteArray("0,old\r\n"));
}

void TestToDoFile::saveRetiresPreviousVersionAsBak()
{
    TTestHome home;
    const QString path = home.dataFolder() + "todo.dat";
    home.write(path, "0,old\r\n");
    TToDoList list;
    QVERIFY(SaveToDoList(path, list).ok);
    QCOMPARE(home.read(path), QByteArray()); // an empty list is an empty file
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(home.read(home.dataFolder() + "todo.bak"), QByteArray("0,old\r\n"));
}

QTEST_GUILESS_MAIN(TestToDoFile)
#include "test_todofile.moc"
