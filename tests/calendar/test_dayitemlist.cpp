#include "calendar/dayitemlist.h"
#include "support/testhome.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

QByteArray le32(qint32 v)
{
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

const QByteArray kSignature("\x57\x0a\x31\x01", 4);

// 成人の日 in CP932.
const QByteArray kSeijinCp932("\x90\xac\x90\x6c\x82\xcc\x93\xfa", 8);

// One record written out field by field, as the layout has it.
QByteArray record(const QByteArray &guid, quint16 year, quint16 month, quint16 day, quint8 dayType, quint8 nth,
                  quint8 daysOfWeek, quint8 yearType, const QByteArray &text, const QByteArray &reserved = {})
{
    QByteArray r = guid;
    r += QByteArray(1, char(year & 0xff)) + char(year >> 8);
    r += QByteArray(1, char(month & 0xff)) + char(month >> 8);
    r += QByteArray(1, char(day & 0xff)) + char(day >> 8);
    r += char(dayType);
    r += char(nth);
    r += char(daysOfWeek);
    r += char(yearType);
    r += le32(qint32(text.size()));
    r += text;
    QByteArray res = reserved.isEmpty() ? QByteArray(kDayItemReservedSize, '\0') : reserved;
    r += res;
    return r;
}

QByteArray guidBytes(char first)
{
    QByteArray g(16, '\0');
    for (int i = 0; i < 16; ++i)
        g[i] = char(first + i);
    return g;
}

QStringList texts(const TZoDayItemList &list)
{
    QStringList out;
    for (int i = 0; i < list.Count(); ++i)
        out << list.Items(i)->DayText;
    return out;
}

} // namespace

// The owning list, its notifications, and the day-file layout byte for byte.
class TestDayItemList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void emptyListIsEightBytes();
    void fixtureLoadsEveryFieldAndSavesIdentically();
    void ruleWithEmptyTextIs159Bytes();
    void saveLoadRoundTripKeepsOrderGuidAndReserved();
    void signatureIsNotChecked();
    void textIsCutAtNul();
    void damagedInput_data();
    void damagedInput();
    void oversizedFileIsRefusedUnread();
    void unencodableTextRefusesToSave();
    void saveToFileReplacesWholeFile();
    void addCopiesAndNotifies();
    void addNullDoesNothing();
    void deleteRemoveClearNotify();
    void copyFromReverses();
    void loadNotifiesOnlyOnChange();
};

void TestDayItemList::emptyListIsEightBytes()
{
    TZoDayItemList list;
    QByteArray bytes;
    QVERIFY(list.SaveToBytes(bytes));
    QCOMPARE(bytes, kSignature + QByteArray(4, '\0'));

    TZoDayItemList loaded;
    QSignalSpy spy(&loaded, &TZoDayItemList::OnChange);
    qsizetype pos = 4;
    QVERIFY(loaded.LoadFromStream(bytes, pos));
    QCOMPARE(loaded.Count(), 0);
    QCOMPARE(spy.count(), 0);
}

void TestDayItemList::fixtureLoadsEveryFieldAndSavesIdentically()
{
    QByteArray reserved(kDayItemReservedSize, '\0');
    reserved[0] = '\xd3'; // LastYear 2003, little-endian
    reserved[1] = '\x07';
    reserved[5] = '\xab'; // unknown byte, kept as read
    reserved[128] = '\x01';
    const QByteArray file = kSignature + le32(2) +
                            record(guidBytes(0), 2000, 1, 0, dtYearMonthDayOfWeekNum, 2, 1 << zodwMonday,
                                   ytAfterThisYear, kSeijinCp932, reserved) +
                            record(guidBytes(0x20), 0, 2, 0, dtMonthDay, 0, 0, ytThisYear, "end");
    TZoDayItemList list;
    qsizetype pos = 4;
    QVERIFY(list.LoadFromStream(file, pos));
    QCOMPARE(pos, file.size());
    QCOMPARE(list.Count(), 2);

    const TZoDayItem &r = *list.Items(0);
    // Windows layout: the first three fields little-endian.
    QCOMPARE(r.Guid(), QUuid(QStringLiteral("{03020100-0504-0706-0809-0a0b0c0d0e0f}")));
    QCOMPARE(r.Year, quint16(2000));
    QCOMPARE(r.Month, quint16(1));
    QCOMPARE(r.Day, quint16(0));
    QCOMPARE(r.DayType, dtYearMonthDayOfWeekNum);
    QCOMPARE(r.NumOfDayOfWeek, quint8(2));
    QCOMPARE(r.DaysOfWeek.toByte(), quint8(1 << zodwMonday));
    QCOMPARE(r.YearType, ytAfterThisYear);
    QCOMPARE(r.LastYear, quint16(2003));
    QCOMPARE(r.DayText, QStringLiteral("成人の日"));
    QCOMPARE(r.Reserved()[5], quint8(0xab));
    QCOMPARE(r.Reserved()[128], quint8(0x01));
    QCOMPARE(list.Items(1)->DayText, QStringLiteral("end"));
    QCOMPARE(list.Items(1)->Day, quint16(0));

    QByteArray saved;
    QVERIFY(list.SaveToBytes(saved));
    QCOMPARE(saved.toHex(' '), file.toHex(' '));
}

void TestDayItemList::ruleWithEmptyTextIs159Bytes()
{
    TZoDayItemList list;
    list.Add(TZoDayItem(5, 5, QString()));
    QByteArray bytes;
    QVERIFY(list.SaveToBytes(bytes));
    QCOMPARE(bytes.size(), 8 + 159);
    QCOMPARE(bytes.mid(4, 4), le32(1));
    QCOMPARE(bytes.mid(8 + 26, 4), le32(0));
}

void TestDayItemList::saveLoadRoundTripKeepsOrderGuidAndReserved()
{
    TZoDayItemList list;
    TZoDayItem a(1, 1, QStringLiteral("元日"));
    TZoDayItem b(1996, ytAfterThisYear, 7, 20, QStringLiteral("海の日"));
    b.LastYear = 2002;
    TZoDayItem c;
    c.DayType = dtDayOfWeek;
    c.DaysOfWeek = TZoDaysOfWeek{zodwSaturday, zodwSunday};
    c.DayText = QStringLiteral("週末 \"x\",～");
    for (const TZoDayItem *r : {&a, &b, &c})
        list.Add(r);

    QByteArray bytes;
    QVERIFY(list.SaveToBytes(bytes));
    TZoDayItemList loaded;
    qsizetype pos = 4;
    QVERIFY(loaded.LoadFromStream(bytes, pos));
    QCOMPARE(loaded.Count(), 3);
    for (int i = 0; i < 3; ++i) {
        const TZoDayItem &x = *list.Items(i);
        const TZoDayItem &y = *loaded.Items(i);
        QCOMPARE(y.Guid(), x.Guid());
        QCOMPARE(y.Year, x.Year);
        QCOMPARE(y.Month, x.Month);
        QCOMPARE(y.Day, x.Day);
        QCOMPARE(y.DayType, x.DayType);
        QCOMPARE(y.DaysOfWeek, x.DaysOfWeek);
        QCOMPARE(y.NumOfDayOfWeek, x.NumOfDayOfWeek);
        QCOMPARE(y.YearType, x.YearType);
        QCOMPARE(y.LastYear, x.LastYear);
        QCOMPARE(y.DayText, x.DayText);
    }
    QCOMPARE(loaded.Items(1)->Reserved()[0], quint8(2002 & 0xff));
    QCOMPARE(loaded.Items(1)->Reserved()[1], quint8(2002 >> 8));
    QByteArray again;
    QVERIFY(loaded.SaveToBytes(again));
    QCOMPARE(again, bytes);
}

void TestDayItemList::signatureIsNotChecked()
{
    TTestHome home;
    const QString path = home.dataFolder() + QStringLiteral("any.dat");
    home.write(path, QByteArray("XXXX") + le32(1) + record(guidBytes(1), 0, 1, 1, dtMonthDay, 0, 0, 0, "a"));
    TZoDayItemList list;
    const TDayLoadResult r = list.LoadFromFile(path);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(texts(list), QStringList{QStringLiteral("a")});
}

void TestDayItemList::textIsCutAtNul()
{
    const QByteArray file = le32(1) + record(guidBytes(1), 0, 1, 1, dtMonthDay, 0, 0, 0, QByteArray("ab\0cd", 5));
    TZoDayItemList list;
    qsizetype pos = 0;
    QVERIFY(list.LoadFromStream(file, pos));
    QCOMPARE(pos, file.size());
    QCOMPARE(list.Items(0)->DayText, QStringLiteral("ab"));
}

void TestDayItemList::damagedInput_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("rulesKept");

    const QByteArray one = record(guidBytes(1), 0, 1, 1, dtMonthDay, 0, 0, 0, "one");
    QTest::newRow("shorter than the signature") << QByteArray("\x57\x0a", 2) << 0;
    QTest::newRow("no count") << kSignature << 0;
    QTest::newRow("half a count") << kSignature + QByteArray(2, '\0') << 0;
    QTest::newRow("negative count") << kSignature + le32(-1) + one << 0;
    QTest::newRow("fewer records than announced") << kSignature + le32(2) + one << 1;
    QTest::newRow("huge count") << kSignature + le32(0x7fffffff) + one << 1;
    QTest::newRow("cut in the fixed part") << kSignature + le32(2) + one + one.left(20) << 1;
    QTest::newRow("cut in the reserved bytes") << kSignature + le32(1) + one.left(one.size() - 1) << 0;

    QByteArray negative = one;
    negative.replace(26, 4, le32(-5));
    QTest::newRow("negative text length") << kSignature + le32(1) + negative << 0;
    QByteArray longer = one;
    longer.replace(26, 4, le32(one.size()));
    QTest::newRow("text longer than the file") << kSignature + le32(1) + longer << 0;
    QByteArray maxLength = one;
    maxLength.replace(26, 4, le32(0x7fffffff));
    QTest::newRow("text length 2^31-1") << kSignature + le32(2) + one + maxLength << 1;
}

void TestDayItemList::damagedInput()
{
    QFETCH(QByteArray, file);
    QFETCH(int, rulesKept);
    TTestHome home;
    const QString path = home.dataFolder() + QStringLiteral("daysoff.dat");
    home.write(path, file);

    TZoDayItemList list;
    list.Add(TZoDayItem(12, 31, QStringLiteral("前のフォルダの規則")));
    const TDayLoadResult r = list.LoadFromFile(path);
    QVERIFY(!r.ok);
    QVERIFY(r.exists);
    QVERIFY(!r.error.isEmpty());
    QCOMPARE(r.bytes, file);
    QCOMPARE(list.Count(), rulesKept);
    if (rulesKept > 0)
        QCOMPARE(list.Items(0)->DayText, QStringLiteral("one"));
}

void TestDayItemList::oversizedFileIsRefusedUnread()
{
    TTestHome home;
    const QString path = home.dataFolder() + QStringLiteral("spcldays.dat");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QVERIFY(f.resize(kMaxDayFileBytes + 1));
    f.close();
    TZoDayItemList list;
    const TDayLoadResult r = list.LoadFromFile(path);
    QVERIFY(!r.ok);
    QVERIFY(r.bytes.size() <= kMaxDayFileBytes);
    QCOMPARE(list.Count(), 0);
}

void TestDayItemList::unencodableTextRefusesToSave()
{
    TTestHome home;
    const QString path = home.dataFolder() + QStringLiteral("spcldays.dat");
    home.write(path, QByteArray("previous"));
    TZoDayItemList list;
    list.Add(TZoDayItem(1, 1, QStringLiteral("誕生日 \U0001F382")));
    QByteArray bytes("untouched");
    QVERIFY(!list.SaveToBytes(bytes));
    QCOMPARE(bytes, QByteArray("untouched"));
    const TSaveResult r = list.SaveToFile(path);
    QVERIFY(!r.ok);
    QCOMPARE(home.read(path), QByteArray("previous"));
}

void TestDayItemList::saveToFileReplacesWholeFile()
{
    TTestHome home;
    const QString path = home.dataFolder() + QStringLiteral("holidays.dat");
    home.write(path, QByteArray(5000, 'z'));
    TZoDayItemList list;
    list.Add(TZoDayItem(2, 11, QStringLiteral("建国記念の日")));
    QByteArray expected;
    QVERIFY(list.SaveToBytes(expected));
    const TSaveResult r = list.SaveToFile(path);
    QVERIFY2(r.ok, qPrintable(r.error));
    QCOMPARE(home.read(path), expected);

    TZoDayItemList loaded;
    const TDayLoadResult back = loaded.LoadFromFile(path);
    QVERIFY(back.ok);
    QCOMPARE(texts(loaded), texts(list));
}

void TestDayItemList::addCopiesAndNotifies()
{
    TZoDayItemList list;
    QSignalSpy spy(&list, &TZoDayItemList::OnChange);
    TZoDayItem rule(1949, ytAfterThisYear, 1, 15, QStringLiteral("成人の日"));
    rule.LastYear = 1999;
    QCOMPARE(list.Add(&rule), 0);
    QCOMPARE(list.Add(rule), 1);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(0).at(0).value<TZoDayItemList *>(), &list);

    rule.DayText = QStringLiteral("changed");
    QCOMPARE(list.Items(0)->DayText, QStringLiteral("成人の日"));
    QVERIFY(list.Items(0) != &rule);
    QVERIFY(list.Items(0) != list.Items(1));
    QCOMPARE(list.Items(0)->Guid(), rule.Guid());
    QCOMPARE(list.Items(0)->LastYear, quint16(1999));
}

void TestDayItemList::addNullDoesNothing()
{
    TZoDayItemList list;
    QSignalSpy spy(&list, &TZoDayItemList::OnChange);
    QCOMPARE(list.Add(nullptr), -1);
    QCOMPARE(list.Count(), 0);
    QCOMPARE(spy.count(), 0);
}

void TestDayItemList::deleteRemoveClearNotify()
{
    TZoDayItemList list;
    for (const char *t : {"a", "b", "c", "d"})
        list.Add(TZoDayItem(1, 1, QString::fromLatin1(t)));
    QSignalSpy spy(&list, &TZoDayItemList::OnChange);

    list.Delete(1);
    QCOMPARE(texts(list), QStringList({"a", "c", "d"}));
    QCOMPARE(spy.count(), 1);

    const TZoDayItem stranger(1, 1, QStringLiteral("c"));
    list.Remove(&stranger); // equal content, different object
    QCOMPARE(list.Count(), 3);
    QCOMPARE(spy.count(), 1);

    list.Remove(list.Items(1));
    QCOMPARE(texts(list), QStringList({"a", "d"}));
    QCOMPARE(spy.count(), 2);

    list.Clear();
    QCOMPARE(list.Count(), 0);
    QCOMPARE(spy.count(), 3);
    list.Clear();
    QCOMPARE(spy.count(), 3);
}

void TestDayItemList::copyFromReverses()
{
    TZoDayItemList source;
    for (const char *t : {"A", "B", "C"})
        source.Add(TZoDayItem(1, 1, QString::fromLatin1(t)));
    TZoDayItemList work;
    work.Add(TZoDayItem(2, 2, QStringLiteral("old")));
    QSignalSpy spy(&work, &TZoDayItemList::OnChange);
    work.CopyFrom(source);
    QCOMPARE(texts(work), QStringList({"C", "B", "A"}));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(work.Items(0)->Guid(), source.Items(2)->Guid());
    QVERIFY(work.Items(0) != source.Items(2));

    // Rules added in the dialog come out at the front after the copy back.
    work.Add(TZoDayItem(3, 3, QStringLiteral("new")));
    source.CopyFrom(work);
    QCOMPARE(texts(source), QStringList({"new", "A", "B", "C"}));
}

void TestDayItemList::loadNotifiesOnlyOnChange()
{
    const QByteArray empty = le32(0);
    const QByteArray two = le32(2) + record(guidBytes(1), 0, 1, 1, dtMonthDay, 0, 0, 0, "x") +
                           record(guidBytes(2), 0, 1, 2, dtMonthDay, 0, 0, 0, "y");
    TZoDayItemList list;
    QSignalSpy spy(&list, &TZoDayItemList::OnChange);
    qsizetype pos = 0;
    QVERIFY(list.LoadFromStream(two, pos));
    QCOMPARE(spy.count(), 1);
    // Emptying a list that showed rules must reach the calendar as well.
    pos = 0;
    QVERIFY(list.LoadFromStream(empty, pos));
    QCOMPARE(list.Count(), 0);
    QCOMPARE(spy.count(), 2);
    pos = 0;
    QVERIFY(list.LoadFromStream(empty, pos));
    QCOMPARE(spy.count(), 2);
}

QTEST_GUILESS_MAIN(TestDayItemList)
#include "test_dayitemlist.moc"
