#include "core/cp932.h"
#include "core/errors.h"
#include "core/font.h"
#include "core/profile.h"
#include "support/testhome.h"

#include <QDir>
#include <QRandomGenerator>
#include <QtTest>

// The settings file's byte-level encodings, checked on small files built in
// each test so that a failure shows the exact bytes involved.
class TestProfile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void readString_data();
    void readString();
    void readStringLimit_data();
    void readStringLimit();
    void readInteger_data();
    void readInteger();
    void readBool_data();
    void readBool();
    void missingFileReadsDefaults();
    void anotherWritersChangeIsSeenAtOnce_data();
    void anotherWritersChangeIsSeenAtOnce();
    void readScopeReadsOnceYetWritesKeepOthersChanges();

    void firstWriteCreatesCp932CrLfFile();
    void systemColourRoundTrip_data();
    void systemColourRoundTrip();
    void writeReplacesKeyWhateverItsCase();
    void writeLandsInItsOwnSection();
    void writeNewSectionAfterBlankLine();
    void writeNormalisesLfOnlyFile();
    void writeAfterMissingTrailingNewline();
    void unchangedWriteLeavesFileAlone_data();
    void unchangedWriteLeavesFileAlone();
    void writeRefused_data();
    void writeRefused();
    void unencodableValueIsRefused();
    void lineBreakInValueCannotAddKeys_data();
    void lineBreakInValueCannotAddKeys();
    void deleteKey();
    void deleteMissingKeyLeavesFileAlone();
    void readKeysInFileOrder();

    void unreadableFileIsNeverRewritten();
    void garbageNeverCrashes();
    void hugeFileNeverCrashesNorLosesData();
};

void TestProfile::readString_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QString def = QStringLiteral("<default>");
    QTest::newRow("plain") << QByteArray("[SETTINGS]\r\nTextSaveDir=/home/u/\r\n") << "SETTINGS"
                           << "TextSaveDir"
                           << "/home/u/";
    // □ is 81 A0 and ■ 81 A1 in CP932.
    QTest::newRow("cp932 value") << QByteArray("[SETTINGS]\r\nCalendarMemoString=\x81\xa0\x81\xa1\r\n") << "SETTINGS"
                                 << "CalendarMemoString" << QStringLiteral("□■");
    // ソ is 83 5C: the trail byte is a backslash and must not be treated as one.
    QTest::newRow("cp932 trail backslash")
        << QByteArray("[DataFolders]\r\nDataFolderTitle1=\x83\x5c\x83\x74\x83\x67\r\n") << "DataFolders"
        << "DataFolderTitle1" << QStringLiteral("ソフト");
    QTest::newRow("cp932 section and key") << QByteArray("[\x83\x65\x83\x58\x83\x67]\r\n\x83\x4c\x81\x5b=v\r\n")
                                           << QStringLiteral("テスト") << QStringLiteral("キー") << "v";
    QTest::newRow("section case") << QByteArray("[settings]\r\nTextSaveDir=a\r\n") << "SETTINGS"
                                  << "TextSaveDir"
                                  << "a";
    QTest::newRow("key case") << QByteArray("[SETTINGS]\r\nTEXTSAVEDIR=a\r\n") << "Settings"
                              << "textSaveDir"
                              << "a";
    QTest::newRow("lf only") << QByteArray("[A]\nx=1\n[B]\nk=lf\n") << "B"
                             << "k"
                             << "lf";
    QTest::newRow("lone last line") << QByteArray("[A]\r\nk=end") << "A"
                                    << "k"
                                    << "end";
    QTest::newRow("blanks around") << QByteArray("[A]\r\n  k  =  v w  \r\n") << "A"
                                   << "k"
                                   << "v w";
    QTest::newRow("blank section line") << QByteArray("  [A]  \r\nk=v\r\n") << "A"
                                        << "k"
                                        << "v";
    QTest::newRow("equals in value") << QByteArray("[A]\r\nk=a=b\r\n") << "A"
                                     << "k"
                                     << "a=b";
    QTest::newRow("empty value is not missing") << QByteArray("[A]\r\nk=\r\n") << "A"
                                                << "k"
                                                << "";
    QTest::newRow("first of duplicates") << QByteArray("[A]\r\nk=1\r\nk=2\r\n") << "A"
                                         << "k"
                                         << "1";
    QTest::newRow("key of other section") << QByteArray("[A]\r\nx=1\r\n[B]\r\nk=2\r\n") << "A"
                                          << "k" << def;
    QTest::newRow("missing section") << QByteArray("[A]\r\nk=1\r\n") << "B"
                                     << "k" << def;
    QTest::newRow("key before any section") << QByteArray("k=1\r\n[A]\r\nx=2\r\n") << "A"
                                            << "k" << def;
    QTest::newRow("key prefix is not key") << QByteArray("[A]\r\nkey=1\r\n") << "A"
                                           << "k" << def;
    QTest::newRow("section prefix is not section") << QByteArray("[AB]\r\nk=1\r\n") << "A"
                                                   << "k" << def;

    QTest::newRow("quotes stripped") << QByteArray("[A]\r\nk=\"a b\"\r\n") << "A"
                                     << "k"
                                     << "a b";
    QTest::newRow("only leading quote") << QByteArray("[A]\r\nk=\"ab\r\n") << "A"
                                        << "k"
                                        << "\"ab";
    QTest::newRow("only trailing quote") << QByteArray("[A]\r\nk=ab\"\r\n") << "A"
                                         << "k"
                                         << "ab\"";
    QTest::newRow("inner quotes stay") << QByteArray("[A]\r\nk=\"Arial\", \"9\"\r\n") << "A"
                                       << "k"
                                       << "Arial\", \"9";
    QTest::newRow("one quote alone") << QByteArray("[A]\r\nk=\"\r\n") << "A"
                                     << "k"
                                     << "\"";
    QTest::newRow("two quotes") << QByteArray("[A]\r\nk=\"\"\r\n") << "A"
                                << "k"
                                << "";
    QTest::newRow("quotes after blanks") << QByteArray("[A]\r\nk=  \"x\"  \r\n") << "A"
                                         << "k"
                                         << "x";
}

void TestProfile::readString()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    TTestHome home;
    home.setSettings(file);
    const TProfileFile profile(home.settingsFile());
    QCOMPARE(profile.readString(section, key, QStringLiteral("<default>")), expected);
    QCOMPARE(profile.keyExists(section, key), expected != QStringLiteral("<default>"));
}

void TestProfile::readStringLimit_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray x2047(2047, 'x');
    QTest::newRow("exactly 2047") << x2047 << x2047;
    QTest::newRow("2048 cut") << QByteArray(2048, 'x') << x2047;
    QTest::newRow("far longer cut") << QByteArray(100000, 'y') << QByteArray(2047, 'y');
    // あ is 82 A0: at byte 2046 it would be cut in half, so it goes entirely.
    QTest::newRow("no half character") << QByteArray(2046, 'x') + "\x82\xa0" << QByteArray(2046, 'x');
    QTest::newRow("whole character at the end")
        << QByteArray(2045, 'x') + "\x82\xa0" + "z" << QByteArray(2045, 'x') + "\x82\xa0";
    // 亜 (88 9F) repeated: the cut falls between characters.
    QTest::newRow("all two-byte") << QByteArray("\x88\x9f").repeated(1500) << QByteArray("\x88\x9f").repeated(1023);
    QTest::newRow("quotes then limit") << "\"" + x2047 + "\"" << x2047;
}

void TestProfile::readStringLimit()
{
    QFETCH(QByteArray, value);
    QFETCH(QByteArray, expected);
    TTestHome home;
    home.setSettings("[A]\r\nk=" + value + "\r\nnext=1\r\n");
    const TProfileFile profile(home.settingsFile());
    const QString read = profile.readString(QStringLiteral("A"), QStringLiteral("k"), QString());
    QByteArray bytes;
    QVERIFY(cp932::encode(read, bytes) || read.isEmpty());
    QCOMPARE(bytes.size(), expected.size());
    QCOMPARE(bytes, expected);
    // The long line must not disturb the lines after it.
    QCOMPARE(profile.readInteger(QStringLiteral("A"), QStringLiteral("next"), 0), 1);
}

void TestProfile::readInteger_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expected");

    const int def = 777;
    QTest::newRow("decimal") << QByteArray("628") << 628;
    QTest::newRow("zero") << QByteArray("0") << 0;
    QTest::newRow("negative") << QByteArray("-12") << -12;
    QTest::newRow("plus sign") << QByteArray("+5") << 5;
    QTest::newRow("system colour decimal") << QByteArray("-2147483624") << int(0x80000018u);
    QTest::newRow("int min") << QByteArray("-2147483648") << int(0x80000000u);
    QTest::newRow("int max") << QByteArray("2147483647") << 2147483647;
    QTest::newRow("hex lower") << QByteArray("0x1f") << 31;
    QTest::newRow("hex upper prefix") << QByteArray("0X1F") << 31;
    QTest::newRow("hex system colour") << QByteArray("0x80000018") << int(0x80000018u);
    QTest::newRow("hex all ones") << QByteArray("0xFFFFFFFF") << -1;
    QTest::newRow("hex colour") << QByteArray("0xC0DCC0") << 0xC0DCC0;
    QTest::newRow("blanks") << QByteArray("  42  ") << 42;
    QTest::newRow("quoted") << QByteArray("\"15\"") << 15;
    QTest::newRow("0x alone") << QByteArray("0x") << def;
    QTest::newRow("0X alone") << QByteArray("0X") << def;
    QTest::newRow("hex garbage") << QByteArray("0xZZ") << def;
    QTest::newRow("hex too wide") << QByteArray("0x100000000") << def;
    QTest::newRow("trailing letters") << QByteArray("12abc") << def;
    QTest::newRow("letters") << QByteArray("abc") << def;
    QTest::newRow("empty") << QByteArray("") << def;
    QTest::newRow("decimal fraction") << QByteArray("1.5") << def;
    QTest::newRow("overflow") << QByteArray("2147483648") << def;
    QTest::newRow("underflow") << QByteArray("-2147483649") << def;
    QTest::newRow("full-width digits") << QByteArray("\x82\x50\x82\x51") << def;
    QTest::newRow("lone minus") << QByteArray("-") << def;
}

void TestProfile::readInteger()
{
    QFETCH(QByteArray, value);
    QFETCH(int, expected);
    TTestHome home;
    home.setSettings("[SETTINGS]\r\nWidth=" + value + "\r\n");
    const TProfileFile profile(home.settingsFile());
    QCOMPARE(profile.readInteger(QStringLiteral("SETTINGS"), QStringLiteral("Width"), 777), expected);
}

void TestProfile::readBool_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("def");
    QTest::addColumn<bool>("expected");

    QTest::newRow("1") << QByteArray("[S]\r\nb=1\r\n") << false << true;
    QTest::newRow("0") << QByteArray("[S]\r\nb=0\r\n") << true << false;
    QTest::newRow("2 is true") << QByteArray("[S]\r\nb=2\r\n") << false << true;
    QTest::newRow("-1 is true") << QByteArray("[S]\r\nb=-1\r\n") << false << true;
    QTest::newRow("hex zero") << QByteArray("[S]\r\nb=0x0\r\n") << true << false;
    QTest::newRow("hex non-zero") << QByteArray("[S]\r\nb=0x10\r\n") << false << true;
    QTest::newRow("word gives default on") << QByteArray("[S]\r\nb=yes\r\n") << true << true;
    QTest::newRow("word gives default off") << QByteArray("[S]\r\nb=true\r\n") << false << false;
    QTest::newRow("empty gives default") << QByteArray("[S]\r\nb=\r\n") << true << true;
    QTest::newRow("missing gives default") << QByteArray("[S]\r\n") << true << true;
}

void TestProfile::readBool()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, def);
    QFETCH(bool, expected);
    TTestHome home;
    home.setSettings(file);
    QCOMPARE(TProfileFile(home.settingsFile()).readBool(QStringLiteral("S"), QStringLiteral("b"), def), expected);
}

void TestProfile::missingFileReadsDefaults()
{
    TTestHome home;
    const TProfileFile profile(home.settingsFile());
    QCOMPARE(profile.readString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("d")), QStringLiteral("d"));
    QCOMPARE(profile.readInteger(QStringLiteral("A"), QStringLiteral("k"), -3), -3);
    QCOMPARE(profile.readBool(QStringLiteral("A"), QStringLiteral("k"), true), true);
    QCOMPARE(profile.keyExists(QStringLiteral("A"), QStringLiteral("k")), false);
    QCOMPARE(profile.readKeys(QStringLiteral("A")), QStringList());
    // Reading never brings the file into being.
    QVERIFY(!QFileInfo::exists(home.settingsFile()));
}

void TestProfile::anotherWritersChangeIsSeenAtOnce_data()
{
    QTest::addColumn<QByteArray>("after"); // empty: the file is removed
    QTest::addColumn<int>("expected");
    QTest::newRow("same size, rewritten in place") << QByteArray("[S]\r\nk=2\r\n") << 2;
    QTest::newRow("emptied") << QByteArray("\r\n") << -1;
    QTest::newRow("key renamed") << QByteArray("[S]\r\nK=3\r\nj=1\r\n") << 3;
    QTest::newRow("removed") << QByteArray() << -1;
}

// Reads are served from the last parse only while the file's bytes are the
// same, so a change by another program shows in the very next read, even
// one in place that keeps the size and lands within the same clock tick.
void TestProfile::anotherWritersChangeIsSeenAtOnce()
{
    QFETCH(QByteArray, after);
    QFETCH(int, expected);
    TTestHome home;
    home.setSettings("[S]\r\nk=1\r\n");
    const TProfileFile profile(home.settingsFile());
    QCOMPARE(profile.readInteger(QStringLiteral("S"), QStringLiteral("k"), -1), 1);
    QFile file(home.settingsFile());
    if (after.isEmpty()) {
        QVERIFY(file.remove());
    } else {
        QVERIFY(file.open(QIODevice::ReadWrite)); // in place, same inode
        QVERIFY(file.resize(0));
        QCOMPARE(file.write(after), after.size());
        file.close();
    }
    QCOMPARE(profile.readInteger(QStringLiteral("S"), QStringLiteral("k"), -1), expected);
    // A write goes on from what is there now, not from the earlier parse.
    profile.writeInteger(QStringLiteral("S"), QStringLiteral("n"), 5);
    QCOMPARE(profile.readInteger(QStringLiteral("S"), QStringLiteral("k"), -1), expected);
    QCOMPARE(profile.readInteger(QStringLiteral("S"), QStringLiteral("n"), -1), 5);
}

// Inside a read scope the file is read once: another writer's change waits
// for the scope's end, the program's own write is seen at once, and a write
// starts from the file on disk, so that it keeps the other writer's change.
void TestProfile::readScopeReadsOnceYetWritesKeepOthersChanges()
{
    TTestHome home;
    home.setSettings("[S]\r\nk=1\r\n");
    const TProfileFile profile(home.settingsFile());
    const QString s = QStringLiteral("S");
    const auto read = [&](const char *key) { return profile.readInteger(s, QString::fromLatin1(key), -1); };
    const auto rewriteInPlace = [&](const QByteArray &bytes) {
        QFile file(home.settingsFile());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QCOMPARE(file.write(bytes), bytes.size());
    };
    {
        const TProfileFile::TReadScope outer;
        QCOMPARE(read("k"), 1);
        rewriteInPlace("[S]\r\nk=2\r\n");
        {
            const TProfileFile::TReadScope inner;
            QCOMPARE(read("k"), 1);
        }
        QCOMPARE(read("k"), 1); // the outer scope still holds
        profile.writeInteger(s, QStringLiteral("own"), 7);
        QCOMPARE(read("own"), 7);
        QCOMPARE(read("k"), 2);
        rewriteInPlace("[S]\r\nk=3\r\nown=7\r\n");
        QCOMPARE(read("k"), 2);
    }
    QCOMPARE(read("k"), 3);
    QCOMPARE(home.settings(), QByteArray("[S]\r\nk=3\r\nown=7\r\n"));
}

void TestProfile::firstWriteCreatesCp932CrLfFile()
{
    TTestHome home;
    const TProfileFile profile(home.settingsFile());
    profile.writeBool(QStringLiteral("SETTINGS"), QStringLiteral("ShowSprash"), false);
    profile.writeString(QStringLiteral("SETTINGS"), QStringLiteral("CalendarMemoString"), QStringLiteral("□"));
    profile.writeString(QStringLiteral("DataFolders"), QStringLiteral("DataFolderTitle1"),
                        QStringLiteral("デフォルトデータフォルダ"));
    profile.writeInteger(QStringLiteral("SETTINGS"), QStringLiteral("Width"), -628);
    profile.writeBool(QStringLiteral("SETTINGS"), QStringLiteral("DoSound"), true);
    QCOMPARE(home.settings(), QByteArray("[SETTINGS]\r\n"
                                         "ShowSprash=0\r\n"
                                         "CalendarMemoString=\x81\xa0\r\n"
                                         "Width=-628\r\n"
                                         "DoSound=1\r\n"
                                         "\r\n"
                                         "[DataFolders]\r\n"
                                         "DataFolderTitle1=\x83\x66\x83\x74\x83\x48\x83\x8b\x83\x67\x83\x66"
                                         "\x81\x5b\x83\x5e\x83\x74\x83\x48\x83\x8b\x83\x5f\r\n"));
    // No temporary file is left beside it.
    QCOMPARE(QDir(home.programFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{"settings.cnf"});
}

void TestProfile::systemColourRoundTrip_data()
{
    QTest::addColumn<int>("colour");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("clInfoBk") << int(clr::clInfoBk) << QByteArray("-2147483624");
    QTest::newRow("clWindow") << int(clr::clWindow) << QByteArray("-2147483643");
    QTest::newRow("clBtnFace") << int(clr::clBtnFace) << QByteArray("-2147483633");
    QTest::newRow("explicit") << 0xC0DCC0 << QByteArray("12639424");
    QTest::newRow("black") << 0 << QByteArray("0");
}

void TestProfile::systemColourRoundTrip()
{
    QFETCH(int, colour);
    QFETCH(QByteArray, stored);
    TTestHome home;
    const TProfileFile profile(home.settingsFile());
    profile.writeInteger(QStringLiteral("COLORS"), QStringLiteral("BkColorCalendarDate"), colour);
    QCOMPARE(home.settings(), "[COLORS]\r\nBkColorCalendarDate=" + stored + "\r\n");
    QCOMPARE(profile.readInteger(QStringLiteral("COLORS"), QStringLiteral("BkColorCalendarDate"), 1), colour);
}

void TestProfile::writeReplacesKeyWhateverItsCase()
{
    TTestHome home;
    home.setSettings("[settings]\r\nshowsprash=1\r\nOther=x\r\n");
    const TProfileFile profile(home.settingsFile());
    profile.writeBool(QStringLiteral("SETTINGS"), QStringLiteral("ShowSprash"), false);
    const QByteArray after = home.settings();
    QCOMPARE(int(after.toLower().count("showsprash")), 1);
    QCOMPARE(int(after.toLower().count("[settings]")), 1);
    QVERIFY2(after.contains("Other=x\r\n"), after.constData());
    QCOMPARE(profile.readBool(QStringLiteral("SETTINGS"), QStringLiteral("ShowSprash"), true), false);
    QCOMPARE(profile.readKeys(QStringLiteral("SETTINGS")).size(), 2);
}

void TestProfile::writeLandsInItsOwnSection()
{
    TTestHome home;
    home.setSettings("[A]\r\nk=1\r\n\r\n[B]\r\nm=2\r\n");
    const TProfileFile profile(home.settingsFile());
    profile.writeInteger(QStringLiteral("a"), QStringLiteral("new"), 3);
    profile.writeInteger(QStringLiteral("B"), QStringLiteral("later"), 4);
    QCOMPARE(home.settings(), QByteArray("[A]\r\nk=1\r\nnew=3\r\n\r\n[B]\r\nm=2\r\nlater=4\r\n"));
    QCOMPARE(profile.readKeys(QStringLiteral("A")), (QStringList{"k", "new"}));
    QCOMPARE(profile.readKeys(QStringLiteral("B")), (QStringList{"m", "later"}));
}

void TestProfile::writeNewSectionAfterBlankLine()
{
    TTestHome home;
    home.setSettings("[A]\r\nk=1\r\n");
    TProfileFile(home.settingsFile())
        .writeString(QStringLiteral("FONTS"), QStringLiteral("MemoFont"), QStringLiteral("x"));
    QCOMPARE(home.settings(), QByteArray("[A]\r\nk=1\r\n\r\n[FONTS]\r\nMemoFont=x\r\n"));
}

void TestProfile::writeNormalisesLfOnlyFile()
{
    TTestHome home;
    home.setSettings("[A]\nk=1\n[B]\nm=2\n");
    const TProfileFile profile(home.settingsFile());
    profile.writeInteger(QStringLiteral("A"), QStringLiteral("n"), 5);
    QCOMPARE(home.settings(), QByteArray("[A]\r\nk=1\r\nn=5\r\n[B]\r\nm=2\r\n"));
}

void TestProfile::writeAfterMissingTrailingNewline()
{
    TTestHome home;
    home.setSettings("[A]\r\nk=1");
    const TProfileFile profile(home.settingsFile());
    profile.writeInteger(QStringLiteral("A"), QStringLiteral("n"), 2);
    QCOMPARE(home.settings(), QByteArray("[A]\r\nk=1\r\nn=2\r\n"));
}

// An LF-only file shows whether it was rewritten: every rewrite ends its lines
// with CR LF.
void TestProfile::unchangedWriteLeavesFileAlone_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");
    const QByteArray before = "[A]\nk=1\nname=\x82\xa0\n";
    QTest::newRow("same number") << "k" << "1" << before;
    QTest::newRow("same text") << "name" << "\u3042" << before;
    QTest::newRow("key in another case") << "K" << "1" << QByteArray("[A]\r\nK=1\r\nname=\x82\xa0\r\n");
    QTest::newRow("changed value") << "k" << "2" << QByteArray("[A]\r\nk=2\r\nname=\x82\xa0\r\n");
}

void TestProfile::unchangedWriteLeavesFileAlone()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    TTestHome home;
    home.setSettings("[A]\nk=1\nname=\x82\xa0\n");
    TProfileFile(home.settingsFile()).writeString(QStringLiteral("A"), key, value);
    QCOMPARE(home.settings(), after);
}

void TestProfile::writeRefused_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("parent is a file") << "parent-file";
    QTest::newRow("path is a directory") << "directory";
    QTest::newRow("parent missing") << "no-parent";
}

void TestProfile::writeRefused()
{
    QFETCH(QString, how);
    TTestHome home;
    QString path;
    if (how == QLatin1String("parent-file")) {
        home.write(home.root() + QStringLiteral("plain"), "not a folder");
        path = home.root() + QStringLiteral("plain/settings.cnf");
    } else if (how == QLatin1String("directory")) {
        path = home.root() + QStringLiteral("dir.cnf");
        QVERIFY(QDir().mkpath(path + QStringLiteral("/inside")));
    } else {
        path = home.root() + QStringLiteral("gone/deeper/settings.cnf");
    }
    const TProfileFile profile(path);
    const QString expected = path + QStringLiteral(" に書き込めません");
    auto expectRefused = [&](auto write) {
        try {
            write();
            QFAIL("the write was accepted");
        } catch (const ESettingsWriteError &e) {
            QCOMPARE(e.message(), expected);
        }
    };
    expectRefused([&] { profile.writeString(QStringLiteral("A"), QStringLiteral("k"), QStringLiteral("v")); });
    expectRefused([&] { profile.writeInteger(QStringLiteral("A"), QStringLiteral("k"), 1); });
    expectRefused([&] { profile.writeBool(QStringLiteral("A"), QStringLiteral("k"), true); });
    // Nothing was put where the file should be, and no stray temporary file either.
    if (how == QLatin1String("directory")) {
        QVERIFY(QFileInfo(path).isDir());
        QCOMPARE(QDir(path).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList{"inside"});
        QCOMPARE(QDir(home.root()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }
}

void TestProfile::unencodableValueIsRefused()
{
    TTestHome home;
    const QByteArray before("[A]\r\nk=old\r\n");
    home.setSettings(before);
    const TProfileFile profile(home.settingsFile());
    // U+1F600 and U+00E9 have no CP932 form; storing '?' would lose the text unseen.
    for (const QString &text : {QStringLiteral("a\U0001F600"), QStringLiteral("café")}) {
        QVERIFY_THROWS_EXCEPTION(ESettingsWriteError,
                                 profile.writeString(QStringLiteral("A"), QStringLiteral("k"), text));
        QCOMPARE(home.settings(), before);
    }
}

void TestProfile::lineBreakInValueCannotAddKeys_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("crlf") << QStringLiteral("a\r\n[FONTS]\r\nMemoFont=injected");
    QTest::newRow("lf") << QStringLiteral("a\n[FONTS]\nMemoFont=injected");
    QTest::newRow("cr") << QStringLiteral("a\r[FONTS]\rMemoFont=injected");
}

void TestProfile::lineBreakInValueCannotAddKeys()
{
    // A folder name may hold a line break on this platform; written as it is,
    // it would split the line and smuggle in keys of its own.
    QFETCH(QString, value);
    TTestHome home;
    const QByteArray before("[SETTINGS]\r\nDataFolder=/old/\r\n");
    home.setSettings(before);
    const TProfileFile profile(home.settingsFile());
    QVERIFY_THROWS_EXCEPTION(ESettingsWriteError,
                             profile.writeString(QStringLiteral("SETTINGS"), QStringLiteral("DataFolder"), value));
    QCOMPARE(home.settings(), before);
    QVERIFY(!profile.keyExists(QStringLiteral("FONTS"), QStringLiteral("MemoFont")));
}

void TestProfile::deleteKey()
{
    TTestHome home;
    home.setSettings("[DataFolders]\r\nDataFolderTitle1=a\r\nDataFolderName1=/a/\r\n"
                     "DataFolderTitle2=b\r\n\r\n[Other]\r\nDataFolderTitle1=keep\r\n");
    const TProfileFile profile(home.settingsFile());
    profile.deleteKey(QStringLiteral("datafolders"), QStringLiteral("DATAFOLDERTITLE1"));
    QCOMPARE(home.settings(), QByteArray("[DataFolders]\r\nDataFolderName1=/a/\r\n"
                                         "DataFolderTitle2=b\r\n\r\n[Other]\r\nDataFolderTitle1=keep\r\n"));
    QVERIFY(!profile.keyExists(QStringLiteral("DataFolders"), QStringLiteral("DataFolderTitle1")));
    QCOMPARE(profile.readString(QStringLiteral("Other"), QStringLiteral("DataFolderTitle1"), QString()),
             QStringLiteral("keep"));
}

void TestProfile::deleteMissingKeyLeavesFileAlone()
{
    TTestHome home;
    const TProfileFile profile(home.settingsFile());
    profile.deleteKey(QStringLiteral("A"), QStringLiteral("k"));
    QVERIFY(!QFileInfo::exists(home.settingsFile()));

    const QByteArray before("[A]\nx=1\n"); // LF only: an untouched file keeps its bytes
    home.setSettings(before);
    profile.deleteKey(QStringLiteral("A"), QStringLiteral("k"));
    profile.deleteKey(QStringLiteral("B"), QStringLiteral("x"));
    QCOMPARE(home.settings(), before);
}

void TestProfile::readKeysInFileOrder()
{
    TTestHome home;
    home.setSettings("[KeyWords]\r\n0=a\r\n1=b\r\n3=d\r\nnot a key line\r\n2=c\r\n[Next]\r\n4=e\r\n");
    QCOMPARE(TProfileFile(home.settingsFile()).readKeys(QStringLiteral("keywords")), (QStringList{"0", "1", "3", "2"}));
}

void TestProfile::unreadableFileIsNeverRewritten()
{
    TTestHome home;
    const QByteArray before("[SETTINGS]\r\nWidth=500\r\n");
    home.setSettings(before);
    QVERIFY(QFile::setPermissions(home.settingsFile(), QFileDevice::WriteOwner));
    QFile probe(home.settingsFile());
    if (probe.open(QIODevice::ReadOnly))
        QSKIP("permissions do not stop this user from reading");
    const TProfileFile profile(home.settingsFile());
    QCOMPARE(profile.readInteger(QStringLiteral("SETTINGS"), QStringLiteral("Width"), 7), 7);
    // Rewriting from what could be read (nothing) would wipe every setting.
    QVERIFY_THROWS_EXCEPTION(ESettingsWriteError,
                             profile.writeInteger(QStringLiteral("SETTINGS"), QStringLiteral("Height"), 1));
    QVERIFY_THROWS_EXCEPTION(ESettingsWriteError,
                             profile.deleteKey(QStringLiteral("SETTINGS"), QStringLiteral("Width")));
    QVERIFY(QFile::setPermissions(home.settingsFile(), QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    QCOMPARE(home.settings(), before);
}

void TestProfile::garbageNeverCrashes()
{
    TTestHome home;
    QRandomGenerator rng(20260101);
    for (int round = 0; round < 20; ++round) {
        QByteArray junk(4096 + round * 997, Qt::Uninitialized);
        for (char &c : junk)
            c = static_cast<char>(rng.bounded(256));
        // Sprinkle the characters the parser looks for.
        for (int i = 0; i < junk.size(); i += 37)
            junk[i] = "[]=\r\n\"\x81"[rng.bounded(7)];
        home.setSettings(junk);
        const TProfileFile profile(home.settingsFile());
        profile.readString(QStringLiteral("SETTINGS"), QStringLiteral("k"), QString());
        profile.readInteger(QStringLiteral("SETTINGS"), QStringLiteral("k"), 0);
        profile.readKeys(QStringLiteral("SETTINGS"));
        // A write into garbage still lands where a read finds it.
        profile.writeInteger(QStringLiteral("SETTINGS"), QStringLiteral("Probe"), round);
        QCOMPARE(profile.readInteger(QStringLiteral("SETTINGS"), QStringLiteral("Probe"), -1), round);
    }
    home.setSettings(QByteArray(5000, '\0'));
    QCOMPARE(TProfileFile(home.settingsFile()).readInteger(QStringLiteral("A"), QStringLiteral("k"), 9), 9);
}

void TestProfile::hugeFileNeverCrashesNorLosesData()
{
    TTestHome home;
    // A 20 MB file: real settings at both ends, a giant value in between.
    QByteArray big("[SETTINGS]\r\nWidth=500\r\nHuge=");
    big += QByteArray(20 * 1024 * 1024, 'h');
    big += "\r\n\r\n[Tail]\r\nLast=1\r\n";
    home.setSettings(big);
    const TProfileFile profile(home.settingsFile());
    QCOMPARE(profile.readInteger(QStringLiteral("SETTINGS"), QStringLiteral("Width"), 0), 500);
    QCOMPARE(profile.readString(QStringLiteral("SETTINGS"), QStringLiteral("Huge"), QString()).size(), 2047);
    // A write must never shorten what it could not read: either the whole file
    // survives with the new key, or the write is refused and nothing changes.
    bool refused = false;
    try {
        profile.writeInteger(QStringLiteral("SETTINGS"), QStringLiteral("Height"), 300);
    } catch (const ESettingsWriteError &e) {
        refused = true;
        QCOMPARE(e.message(), home.settingsFile() + QStringLiteral(" に書き込めません"));
    }
    const QByteArray after = home.settings();
    if (refused) {
        QCOMPARE(after.size(), big.size());
        QVERIFY(after == big);
    } else {
        QVERIFY(after.endsWith("\r\n[Tail]\r\nLast=1\r\n"));
        QCOMPARE(profile.readInteger(QStringLiteral("SETTINGS"), QStringLiteral("Height"), 0), 300);
    }
}

QTEST_GUILESS_MAIN(TestProfile)
#include "test_profile.moc"
