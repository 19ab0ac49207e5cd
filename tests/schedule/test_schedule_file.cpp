#include "core/cp932.h"
#include "core/datetime.h"
#include "core/safefile.h"
#include "schedule/schedulecodec.h"
#include "schedule/scheduleio.h"
#include "schedule/scheduleprefetch.h"
#include "support/scriptedprompter.h"
#include "support/testhome.h"

#include <QSignalSpy>
#include <QtEndian>
#include <QtTest>

#include <cstring>

namespace {

// Builds file images field by field, so the expected bytes are written out
// independently of the writer under test.
struct TBytes
{
    QByteArray b;
    TBytes &u8(quint8 v)
    {
        b.append(char(v));
        return *this;
    }
    template<typename T>
    TBytes &le(T v)
    {
        char buf[sizeof(T)];
        qToLittleEndian<T>(v, buf);
        b.append(buf, sizeof(T));
        return *this;
    }
    TBytes &u16(quint16 v) { return le(v); }
    TBytes &i32(qint32 v) { return le(v); }
    TBytes &u32(quint32 v) { return le(v); }
    TBytes &f64(double v)
    {
        quint64 bits;
        std::memcpy(&bits, &v, 8);
        return le(bits);
    }
    TBytes &text(const QByteArray &t)
    {
        i32(qint32(t.size()));
        b.append(t);
        return u8(0);
    }
    TBytes &adt(quint16 y, quint16 mo, quint16 d, quint16 h, quint16 mi, quint8 dow)
    {
        return u16(y).u16(mo).u16(d).u16(h).u16(mi).u8(dow);
    }
    TBytes &raw(const QByteArray &r)
    {
        b.append(r);
        return *this;
    }
};

// A record as stored: a default record with empty texts and the lines given.
TBytes &plainRecord(TBytes &out, quint8 kind, double lastAlarmed, const QList<QByteArray> &lines, bool withNotice)
{
    out.u8(kind).adt(2024, 5, 6, 7, 8, 0x01).f64(lastAlarmed).u8(2).i32(0);
    out.text("").text("").text("").text("").i32(5).u8(1).i32(qint32(lines.size()));
    for (const QByteArray &l : lines)
        out.text(l);
    out.adt(0, 0, 0, 0, 0, 1).u8(0).u8(0).f64(0).u8(0).i32(0).raw(QByteArray(7, '\0'));
    if (withNotice)
        out.u8(0).i32(0).adt(0, 0, 0, 0, 0, 1).f64(0);
    return out;
}

TAlarm2 plainAlarm(quint8 kind, double lastAlarmed, const QStringList &lines)
{
    TAlarm2 a;
    a.AlarmType = kind;
    a.AlarmDateTime = {2024, 5, 6, 7, 8, 0x01};
    a.LastAlarmed = lastAlarmed;
    a.ShellExecute.Operation.clear();
    a.Lines = lines;
    return a;
}

TBytes header(quint32 version, qint32 count)
{
    TBytes t;
    t.u32(version).i32(count);
    return t;
}

TBytes &emptyTail(TBytes &t)
{
    return t.i32(0).f64(0).text("");
}

// Header, count and an empty tail, without records.
QByteArray bare(quint32 version, qint32 count)
{
    TBytes t = header(version, count);
    return emptyTail(t).b;
}

QByteArray sjis(const char *utf8)
{
    QByteArray out;
    if (!cp932::encode(QString::fromUtf8(utf8), out))
        qFatal("fixture text not in CP932");
    return out;
}

// QCOMPARE cuts long byte arrays short; show where two images part.
QByteArray firstDifference(const QByteArray &a, const QByteArray &b)
{
    qsizetype i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    return QByteArray::number(i) + ": " + a.mid(i, 16).toHex(' ') + " | " + b.mid(i, 16).toHex(' ');
}

#define QCOMPARE_BYTES(actual, expected) \
    QVERIFY2((actual) == (expected), firstDifference((actual), (expected)).constData())

} // namespace

class TestScheduleFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void emptyListIs25Bytes()
    {
        TAlarmList list;
        QByteArray out;
        QVERIFY(WriteScheduleStream(list, TScheduleFileTail(), out));
        QCOMPARE(out.size(), 25);
        QCOMPARE(out, QByteArray::fromHex("38362d01" "00000000" "00000000" "0000000000000000" "00000000" "00"));
    }

    void emptyRecordIs111Bytes()
    {
        TAlarmList list;
        list.Add(plainAlarm(3, 0, {}));
        QByteArray out;
        QVERIFY(WriteScheduleStream(list, TScheduleFileTail(), out));
        QCOMPARE(out.size(), 25 + 111);
        TBytes expected = header(kScheduleFileVersion, 1);
        plainRecord(expected, 3, 0, {}, true);
        QCOMPARE_BYTES(out, emptyTail(expected).b);
    }

    // Every field at a distinct value, written and read back byte for byte.
    void fullRecordRoundTrip()
    {
        TAlarm2 a;
        a.AlarmType = 1;
        a.AlarmDateTime = {0x1234, 2, 3, 4, 5, 0xA4};
        a.LastAlarmed = 45000.25;
        a.ExecuteType = 0;
        a.ShellExecute = {0x01020304, QStringLiteral("open"), QStringLiteral("メモ.txt"), QStringLiteral("-a b"), QStringLiteral("C:\\work"), 3};
        a.Enabled = 1;
        a.Lines = {QStringLiteral("会議～"), QString(), QStringLiteral("2行目")};
        a.ReservedDateTime = {1, 2, 3, 4, 5, 6};
        a.Reserved1 = 0x77;
        a.HideFromShowSchedule = 1;
        a.ReservedTime = -2.5;
        a.UseColor = 1;
        a.Color = -16777211;
        a.Reserved = {1, 2, 3, 4, 5, 6, 7};
        a.PreviouseAlert = {AlertByMinutes, 90, {9, 8, 7, 6, 5, 4}, 45001.5};
        TAlarmList list;
        list.Add(a)->Reserved = a.Reserved; // Add assigns, which leaves Reserved out
        TScheduleFileTail tail{-7, 3.75, QByteArray("tail\x82\xa0")};

        TBytes e = header(kScheduleFileVersion, 1);
        e.u8(1).adt(0x1234, 2, 3, 4, 5, 0xA4).f64(45000.25).u8(0).i32(0x01020304);
        e.text("open").text(sjis("メモ.txt")).text("-a b").text("C:\\work").i32(3).u8(1);
        e.i32(3).text(sjis("会議～")).text("").text(sjis("2行目"));
        e.adt(1, 2, 3, 4, 5, 6).u8(0x77).u8(1).f64(-2.5).u8(1).i32(-16777211).raw(QByteArray::fromHex("01020304050607"));
        e.u8(3).i32(90).adt(9, 8, 7, 6, 5, 4).f64(45001.5);
        e.i32(-7).f64(3.75).text("tail\x82\xa0");
        // The wave dash stays the code page's 81 60.
        QVERIFY(e.b.contains(QByteArray::fromHex("8160")));

        QByteArray out;
        QVERIFY(WriteScheduleStream(list, tail, out));
        QCOMPARE_BYTES(out, e.b);

        TAlarmList back;
        TScheduleFileTail backTail;
        const TScheduleReadResult r = ReadScheduleStream(out, back, backTail);
        QCOMPARE(r.status, TScheduleReadResult::Ok);
        QCOMPARE(r.version, kScheduleFileVersion);
        QCOMPARE(back.Count(), 1);
        const TAlarm2 &b = *back.Items(0);
        QVERIFY(b.AlarmDateTime == a.AlarmDateTime);
        QVERIFY(b.ShellExecute == a.ShellExecute);
        QCOMPARE(b.Lines, a.Lines);
        QVERIFY(b.PreviouseAlert == a.PreviouseAlert);
        QVERIFY(b.Reserved == a.Reserved);
        QCOMPARE(b.Color, a.Color);
        QCOMPARE(b.ReservedTime, -2.5);
        QCOMPARE(backTail.ReservedInteger, -7);
        QCOMPARE(backTail.ReservedReal, 3.75);
        QCOMPARE(backTail.ReservedText, QByteArray("tail\x82\xa0"));
        QByteArray again;
        QVERIFY(WriteScheduleStream(back, backTail, again));
        QCOMPARE_BYTES(again, out);
    }

    void oldVersionLoadsWithoutNoticeAndIsWrittenCurrent()
    {
        TBytes old = header(kScheduleFileOldVersion, 2);
        plainRecord(old, 0, 45000.5, {"a"}, false);
        plainRecord(old, 5, 0, {}, false);
        emptyTail(old);
        QCOMPARE(old.b.size(), 8 + (67 + 20 + 6) + (67 + 20) + 17);

        TAlarmList list;
        TScheduleFileTail tail;
        const TScheduleReadResult r = ReadScheduleStream(old.b, list, tail);
        QCOMPARE(r.status, TScheduleReadResult::Ok);
        QCOMPARE(r.version, kScheduleFileOldVersion);
        QCOMPARE(list.Count(), 2);
        QCOMPARE(list.Items(0)->PreviouseAlert.Kind, quint8(NoAlert));
        QCOMPARE(list.Items(0)->LastAlarmed, 45000.5);
        QCOMPARE(list.Items(0)->Lines, QStringList{QStringLiteral("a")});

        TBytes current = header(kScheduleFileVersion, 2);
        plainRecord(current, 0, 45000.5, {"a"}, true);
        plainRecord(current, 5, 0, {}, true);
        QByteArray out;
        QVERIFY(WriteScheduleStream(list, tail, out));
        QCOMPARE_BYTES(out, emptyTail(current).b);
    }

    void startUpScheduleIsDueAgainAfterLoad()
    {
        TBytes f = header(kScheduleFileVersion, 2);
        plainRecord(f, 10, 45000.5, {"起動"}, true);
        plainRecord(f, 5, 45000.5, {}, true);
        TAlarmList list;
        TScheduleFileTail tail;
        QVERIFY(ReadScheduleStream(emptyTail(f).b, list, tail).ok());
        QCOMPARE(list.Items(0)->LastAlarmed, 0.0);
        QCOMPARE(list.Items(1)->LastAlarmed, 45000.5);
    }

    // Bytes that do not come back from their decoded text are written back as
    // they were, unless the text was edited.
    void unusualTextBytesSurviveLoadAndSave()
    {
        const QByteArray broken("\xff\x81 x", 4);     // not CP932
        const QByteArray necIbm = QByteArray::fromHex("ed40"); // NEC-selected duplicate of FA5C
        TBytes f = header(kScheduleFileVersion, 1);
        f.u8(3).adt(2024, 5, 6, 7, 8, 1).f64(0).u8(2).i32(0);
        f.text("open").text(broken).text("").text("").i32(5).u8(1).i32(2).text(necIbm).text("plain");
        f.adt(0, 0, 0, 0, 0, 1).u8(0).u8(0).f64(0).u8(0).i32(0).raw(QByteArray(7, '\0'));
        f.u8(0).i32(0).adt(0, 0, 0, 0, 0, 1).f64(0);
        emptyTail(f);
        TAlarmList list;
        TScheduleFileTail tail;
        QVERIFY(ReadScheduleStream(f.b, list, tail).ok());
        // Shown as everywhere else in the program.
        QCOMPARE(list.Items(0)->ShellExecute.FileName, cp932::decode(broken));
        QVERIFY(list.Items(0)->ShellExecute.FileName.contains(QChar(QChar::ReplacementCharacter)));
        QCOMPARE(list.Items(0)->Lines.first(), cp932::decode(necIbm));
        QByteArray out;
        QVERIFY(WriteScheduleStream(list, tail, out));
        QCOMPARE_BYTES(out, f.b);

        list.Items(0)->Lines[1] = QStringLiteral("編集済み");
        QVERIFY(WriteScheduleStream(list, tail, out));
        QVERIFY(out.contains(sjis("編集済み")));
        QVERIFY(out.contains(broken));
    }

    // A lone lead byte decodes to nothing, like an empty text; only its own
    // field may get its bytes back. Texts cut at a zero byte settle after one
    // save.
    void oddBytesStayInTheirOwnField()
    {
        TBytes f = header(kScheduleFileVersion, 1);
        f.u8(3).adt(2024, 5, 6, 7, 8, 1).f64(0).u8(2).i32(0);
        f.text("open").text("").text("-p").text("").i32(5).u8(1).i32(2).text("abc").text(QByteArray("\x89\0\0c", 4));
        f.adt(0, 0, 0, 0, 0, 1).u8(0).u8(0).f64(0).u8(0).i32(0).raw(QByteArray(7, '\0'));
        f.u8(0).i32(0).adt(0, 0, 0, 0, 0, 1).f64(0);
        emptyTail(f);
        TAlarmList list;
        TScheduleFileTail tail;
        QVERIFY(ReadScheduleStream(f.b, list, tail).ok());
        QByteArray first;
        QVERIFY(WriteScheduleStream(list, tail, first));
        TAlarmList again;
        QVERIFY(ReadScheduleStream(first, again, tail).ok());
        QCOMPARE(again.Items(0)->ShellExecute.FileName, QString());
        QCOMPARE(again.Items(0)->ShellExecute.Directory, QString());
        QByteArray second;
        QVERIFY(WriteScheduleStream(again, tail, second));
        QCOMPARE_BYTES(second, first);
        QVERIFY(first.contains(QByteArray::fromHex("01000000890000000000")));
    }

    void textOutsideCodePageIsNotSaved()
    {
        // What input methods type for the tilde key is stored as the code
        // page's wave dash, as everywhere else.
        TAlarmList typed;
        typed.Add(plainAlarm(0, 0, {QStringLiteral("10\u301C12時")}));
        QByteArray image;
        QVERIFY(WriteScheduleStream(typed, TScheduleFileTail(), image));
        QVERIFY(image.contains(QByteArray("10\x81\x60" "12")));

        TAlarmList list;
        list.Add(plainAlarm(0, 0, {QStringLiteral("絵文字 \U0001F600")}));
        QByteArray out;
        QVERIFY(!WriteScheduleStream(list, TScheduleFileTail(), out));
    }

    void asciiFastPathMatchesCodePage()
    {
        QByteArray all;
        for (int c = 1; c < 0x80; ++c)
            all.append(char(c));
        TBytes f = header(kScheduleFileVersion, 1);
        f.u8(3).adt(0, 0, 0, 0, 0, 1).f64(0).u8(2).i32(0);
        f.text("open").text(all).text("").text("").i32(5).u8(1).i32(0);
        f.adt(0, 0, 0, 0, 0, 1).u8(0).u8(0).f64(0).u8(0).i32(0).raw(QByteArray(7, '\0'));
        f.u8(0).i32(0).adt(0, 0, 0, 0, 0, 1).f64(0);
        emptyTail(f);
        TAlarmList list;
        TScheduleFileTail tail;
        QVERIFY(ReadScheduleStream(f.b, list, tail).ok());
        QCOMPARE(list.Items(0)->ShellExecute.FileName, cp932::decode(all));
    }

    // Every code of the code page, alone and between Japanese text, reads
    // as the shared decoding reads it: the table the reading keeps must not
    // drift from the converter, duplicates and unassigned codes included.
    void everyCodeDecodesAsEverywhereElse()
    {
        TScheduleCodec codec;
        const QByteArray around = sjis("予定");
        for (int lead = 0x80; lead <= 0xFF; ++lead) {
            for (int trail = 0x00; trail <= 0xFF; ++trail) {
                const QByteArray code = QByteArray(1, char(lead)) + char(trail);
                for (const QByteArray &bytes : {code, around + code + around}) {
                    if (codec.Decode(bytes) != cp932::decode(bytes))
                        QFAIL(qPrintable(QStringLiteral("%1 reads as %2, elsewhere as %3")
                                             .arg(QString::fromLatin1(bytes.toHex()), codec.Decode(bytes),
                                                  cp932::decode(bytes))));
                }
            }
        }
    }

    void damagedImages_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("recordsKept");

        TBytes one = header(kScheduleFileVersion, 3);
        plainRecord(one, 0, 0, {"first"}, true);
        const QByteArray afterFirst = one.b;

        QTest::newRow("zero version") << QByteArray(25, '\0') << int(TScheduleReadResult::InvalidHeader) << -1;
        QTest::newRow("other version") << bare(19740217, 0) << int(TScheduleReadResult::InvalidHeader) << -1;
        QTest::newRow("empty file") << QByteArray() << int(TScheduleReadResult::ReadError) << -1;
        QTest::newRow("three bytes") << QByteArray::fromHex("38362d") << int(TScheduleReadResult::ReadError) << -1;
        QTest::newRow("no count") << QByteArray::fromHex("38362d01") << int(TScheduleReadResult::ReadError) << 0;
        QTest::newRow("no tail") << header(kScheduleFileVersion, 0).b << int(TScheduleReadResult::ReadError) << 0;
        QTest::newRow("negative count") << bare(kScheduleFileVersion, -1) << int(TScheduleReadResult::ReadError) << 0;
        QTest::newRow("huge count") << bare(kScheduleFileVersion, 0x7fffffff) << int(TScheduleReadResult::ReadError) << 0;
        QTest::newRow("count beyond the records") << bare(kScheduleFileVersion, 1) << int(TScheduleReadResult::ReadError) << 0;

        // The second record's file name claims more than the file holds.
        TBytes longText;
        longText.raw(afterFirst).u8(3).adt(0, 0, 0, 0, 0, 1).f64(0).u8(2).i32(0).text("open").i32(0x7ffffff0);
        longText.raw(QByteArray(400, 'x'));
        QTest::newRow("huge text length") << longText.b << int(TScheduleReadResult::ReadError) << 1;
        TBytes negText;
        negText.raw(afterFirst).u8(3).adt(0, 0, 0, 0, 0, 1).f64(0).u8(2).i32(0).text("open").i32(-5);
        negText.raw(QByteArray(400, 'x'));
        QTest::newRow("negative text length") << negText.b << int(TScheduleReadResult::ReadError) << 1;
        TBytes manyLines;
        manyLines.raw(afterFirst).u8(3).adt(0, 0, 0, 0, 0, 1).f64(0).u8(2).i32(0);
        manyLines.text("").text("").text("").text("").i32(5).u8(1).i32(0x10000000).raw(QByteArray(400, '\0'));
        QTest::newRow("huge line count") << manyLines.b << int(TScheduleReadResult::ReadError) << 1;
    }
    void damagedImages()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, status);
        QFETCH(int, recordsKept);
        TAlarmList list;
        list.Add(plainAlarm(0, 0, {QStringLiteral("before")}));
        TScheduleFileTail tail{5, 1.0, "keep"};
        const TScheduleReadResult r = ReadScheduleStream(bytes, list, tail);
        QCOMPARE(int(r.status), status);
        if (recordsKept < 0) {
            // The list (and the tail) stay as they were.
            QCOMPARE(list.Count(), 1);
            QCOMPARE(list.Items(0)->Lines.first(), QStringLiteral("before"));
            QCOMPARE(tail.ReservedText, QByteArray("keep"));
        } else {
            QCOMPARE(list.Count(), recordsKept);
            if (recordsKept > 0)
                QCOMPARE(list.Items(0)->Lines.first(), QStringLiteral("first"));
        }
    }

    // Cut a two-record file at every length: exactly the records that were
    // complete before the cut remain.
    void truncatedAtEveryByte()
    {
        TBytes f = header(kScheduleFileVersion, 2);
        plainRecord(f, 0, 1.5, {"one", "uno"}, true);
        const qsizetype firstEnd = f.b.size();
        plainRecord(f, 8, 2.5, {"two"}, true);
        const qsizetype secondEnd = f.b.size();
        f.i32(1).f64(2).text("t");
        for (qsizetype cut = 4; cut < f.b.size(); ++cut) {
            TAlarmList list;
            TScheduleFileTail tail;
            const TScheduleReadResult r = ReadScheduleStream(f.b.left(cut), list, tail);
            QCOMPARE(r.status, TScheduleReadResult::ReadError);
            const int expected = cut >= secondEnd ? 2 : cut >= firstEnd ? 1 : 0;
            QCOMPARE(list.Count(), expected);
            QCOMPARE(tail.ReservedInteger, 0);
        }
        TAlarmList list;
        TScheduleFileTail tail;
        QVERIFY(ReadScheduleStream(f.b, list, tail).ok());
        QCOMPARE(list.Count(), 2);
    }

    void missingFileLoadsEmptyWithoutMessage()
    {
        TTestHome home;
        TAlarmTimer timer;
        timer.AlarmList().Add(plainAlarm(0, 0, {}));
        TScriptedPrompter prompter;
        QVERIFY(LoadSchedules(timer, prompter, Global().ScheduleFile()));
        QCOMPARE(timer.AlarmList().Count(), 0);
        QVERIFY(prompter.messages.isEmpty());
    }

    void loadFailures_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("headerError");
        QTest::addColumn<int>("count");
        TBytes half = header(kScheduleFileVersion, 2);
        plainRecord(half, 0, 0, {"kept"}, true);
        half.u8(0).u8(1);
        QTest::newRow("first four bytes 0") << QByteArray(30, '\0') << "error" << true << 1;
        QTest::newRow("cut in second record") << half.b << "info" << false << 1;
    }
    void loadFailures()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, kind);
        QFETCH(bool, headerError);
        QFETCH(int, count);
        TTestHome home;
        const QString path = Global().ScheduleFile();
        home.write(path, bytes);
        TAlarmTimer timer;
        timer.AlarmList().Add(plainAlarm(0, 0, {QStringLiteral("kept")}));
        QSignalSpy busy(&timer, &TAlarmTimer::BusyChanged);
        TScriptedPrompter prompter;
        QVERIFY(!LoadSchedules(timer, prompter, path));
        QCOMPARE(busy.count(), 2);
        QCOMPARE(busy.at(0).at(0).toBool(), true);
        QCOMPARE(busy.at(1).at(0).toBool(), false);
        QCOMPARE(prompter.kinds(), QStringList{kind});
        const QString copy = path + QStringLiteral(".damaged");
        const QString lead = headerError ? path + QStringLiteral("は\r\nQuillmereのﾃﾞｰﾀﾌｧｲﾙでないか、壊れています。")
                                         : QStringLiteral("予定を開けませんでした。");
        QCOMPARE(prompter.texts().first(), lead + QStringLiteral("\r\n") + DamagedCopyNote(copy));
        QCOMPARE(home.read(copy), bytes);
        QCOMPARE(timer.AlarmList().Count(), count);
        QCOMPARE(timer.AlarmList().Items(0)->Lines.first(), QStringLiteral("kept"));

        // The next save replaces the file, but the unread bytes stay aside.
        QVERIFY(SaveSchedules(timer, prompter, path));
        QCOMPARE(home.read(copy), bytes);
    }

    // The start reads the file on another thread; the load takes that reading
    // only while the file holds the very bytes that were read.
    void prefetchedFileIsTakenOnce()
    {
        TTestHome home;
        const QString path = Global().ScheduleFile();
        TAlarmTimer saved;
        saved.AlarmList().Add(plainAlarm(0, 0, {QStringLiteral("一つ目")}));
        saved.AlarmList().Add(plainAlarm(5, 0, {QStringLiteral("二つ目"), QStringLiteral("続き")}));
        saved.Tail().ReservedText = "tail";
        TScriptedPrompter prompter;
        QVERIFY(SaveSchedules(saved, prompter, path));

        TSchedulePrefetch prefetch(path);
        TAlarmList list;
        list.Add(plainAlarm(0, 0, {QStringLiteral("replaced")}));
        TScheduleFileTail tail;
        QVERIFY(TakePrefetchedSchedules(path, list, tail));
        QByteArray image;
        QVERIFY(WriteScheduleStream(list, tail, image));
        QCOMPARE_BYTES(image, home.read(path));
        QVERIFY(!TakePrefetchedSchedules(path, list, tail));
        QCOMPARE(list.Count(), 2);
    }

    void prefetchIsPassedOver_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("rewritten in place, same size") << "in place";
        QTest::newRow("replaced by a save") << "saved";
        QTest::newRow("removed") << "removed";
        QTest::newRow("another folder asked for") << "other path";
        QTest::newRow("damaged when read") << "damaged";
    }
    void prefetchIsPassedOver()
    {
        QFETCH(QString, change);
        TTestHome home;
        const QString path = Global().ScheduleFile();
        const auto image = [](const char *line) {
            TBytes t = header(kScheduleFileVersion, 1);
            plainRecord(t, 0, 0, {line}, true);
            return emptyTail(t).b;
        };
        const QByteArray before = change == QLatin1String("damaged") ? QByteArray(30, '\0') : image("aaaa");
        const QByteArray after = image("bbbb");
        home.write(path, before);
        QString asked = path;
        {
            TSchedulePrefetch prefetch(path);
            prefetch.Wait(); // the change comes after the reading
            TAlarmList probe;
            TScheduleFileTail tail;
            if (change == QLatin1String("in place")) {
                QFile file(path);
                QVERIFY(file.open(QIODevice::ReadWrite));
                QCOMPARE(file.write(after), after.size());
            } else if (change == QLatin1String("saved")) {
                QVERIFY(WriteFileAtomically(path, after).ok);
            } else if (change == QLatin1String("removed")) {
                QVERIFY(QFile::remove(path));
            } else if (change == QLatin1String("other path")) {
                QVERIFY(QDir().mkpath(home.dataFolder() + QStringLiteral("other")));
                asked = home.dataFolder() + QStringLiteral("other/schedule.dat");
                home.write(asked, after);
            }
            QVERIFY(!TakePrefetchedSchedules(asked, probe, tail));
            QCOMPARE(probe.Count(), 0);
        }
        // The load then reads the file itself, with its usual messages.
        TAlarmTimer timer;
        TScriptedPrompter prompter;
        const bool loaded = LoadSchedules(timer, prompter, asked);
        if (change == QLatin1String("damaged")) {
            QVERIFY(!loaded);
            QCOMPARE(prompter.kinds(), QStringList{QStringLiteral("error")});
        } else if (change == QLatin1String("removed")) {
            QVERIFY(loaded);
            QCOMPARE(timer.AlarmList().Count(), 0);
        } else {
            QVERIFY(loaded);
            QCOMPARE(timer.AlarmList().Items(0)->Lines, QStringList{QStringLiteral("bbbb")});
        }
    }

    void cliLoadKeepsNothingAside()
    {
        TTestHome home;
        const QString path = Global().ScheduleFile();
        home.write(path, QByteArray(8, '\0'));
        TAlarmTimer timer;
        const TScheduleLoadResult r = timer.LoadFromFile(path, false);
        QCOMPARE(r.state, TScheduleLoadResult::InvalidHeader);
        QCOMPARE(r.message, ScheduleHeaderErrorText(path));
        QVERIFY(!QFileInfo::exists(path + QStringLiteral(".damaged")));
    }

    void saveKeepsBackupAndRoundTrips()
    {
        TTestHome home;
        const QString path = Global().ScheduleFile();
        TAlarmTimer timer;
        timer.AlarmList().Add(plainAlarm(0, 0, {QStringLiteral("一つ目")}));
        TScriptedPrompter prompter;
        QVERIFY(SaveSchedules(timer, prompter, path));
        const QByteArray first = home.read(path);
        QCOMPARE(first.size(), 25 + 111 + 4 + 1 + 6);
        QVERIFY(!QFileInfo::exists(home.dataFolder() + QStringLiteral("schedule.bak")));

        timer.AlarmList().Add(plainAlarm(5, 0, {}));
        QVERIFY(SaveSchedules(timer, prompter, path));
        QCOMPARE(home.read(home.dataFolder() + QStringLiteral("schedule.bak")), first);
        QVERIFY(prompter.messages.isEmpty());

        TAlarmTimer other;
        QVERIFY(LoadSchedules(other, prompter, path));
        QCOMPARE(other.AlarmList().Count(), 2);
        QByteArray again;
        QVERIFY(WriteScheduleStream(other.AlarmList(), other.Tail(), again));
        QCOMPARE(again, home.read(path));
        // No temporary file is left behind.
        QCOMPARE(QDir(home.dataFolder()).entryList(QDir::Files | QDir::Hidden).size(), 2);
    }

    void noBackupFilesSetting()
    {
        TTestHome home;
        home.setSettings("[SETTINGS]\r\nNoBackupFiles=1\r\n");
        const QString path = Global().ScheduleFile();
        TAlarmTimer timer;
        TScriptedPrompter prompter;
        QVERIFY(SaveSchedules(timer, prompter, path));
        QVERIFY(SaveSchedules(timer, prompter, path));
        QVERIFY(!QFileInfo::exists(home.dataFolder() + QStringLiteral("schedule.bak")));
    }

    void saveFailures()
    {
        TTestHome home;
        TScriptedPrompter prompter;
        TAlarmTimer timer;
        timer.AlarmList().Add(plainAlarm(0, 0, {QStringLiteral("a")}));
        // No folder to write in.
        QVERIFY(!SaveSchedules(timer, prompter, home.root() + QStringLiteral("missing/schedule.dat")));
        QCOMPARE(prompter.texts(), QStringList{QStringLiteral("予定の保存に失敗しました")});
        QCOMPARE(prompter.kinds(), QStringList{QStringLiteral("error")});

        // A text the code page cannot hold: the previous file stays as it was.
        const QString path = Global().ScheduleFile();
        QVERIFY(SaveSchedules(timer, prompter, path));
        const QByteArray before = home.read(path);
        timer.AlarmList().Items(0)->Lines = {QStringLiteral("\U0001F600")};
        prompter.clear();
        QVERIFY(!SaveSchedules(timer, prompter, path));
        QCOMPARE(prompter.texts(), QStringList{QStringLiteral("予定の保存に失敗しました")});
        QCOMPARE(home.read(path), before);
        QCOMPARE(timer.AlarmList().Items(0)->Lines.first(), QStringLiteral("\U0001F600"));
    }
};

QTEST_GUILESS_MAIN(TestScheduleFile)
#include "test_schedule_file.moc"
