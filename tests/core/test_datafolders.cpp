#include "core/appglobal.h"
#include "core/cp932.h"
#include "core/datafolders.h"
#include "core/errors.h"
#include "core/profile.h"
#include "support/scriptedprompter.h"
#include "support/testhome.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

// The registered data folders in the settings file, the choice of the folder
// to open, and the layout a data folder is given when it is opened.
class TestDataFolders : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void findTitle_data();
    void findTitle();
    void findPath_data();
    void findPath();
    void entriesSkipBlankTitles();
    void storeFillsFirstFreeSlot_data();
    void storeFillsFirstFreeSlot();
    void storeRefusesWhenTenExist();
    void defaultRegistrationBytes();
    void deleteSlot();
    void deleteUnknownTitleChangesNothing();
    void canRemove_data();
    void canRemove();
    void resolveExisting();
    void resolveMissing_data();
    void resolveMissing();
    void prepareFreshFolder();
    void prepareKeepsExistingContents();
    void deletedTemplateStaysDeleted();
    void deletedTemplatesFolderComesBack();
    void prepareFailure_data();
    void prepareFailure();
};

namespace {
// The address-book template, byte for byte: 20 labels, each followed by an
// empty line, CP932 with CR LF.
const QByteArray
    kAddressBook("\x81\x79\x96\xbc\x91\x4f\x81\x7a\r\n\r\n" // 【名前】
                 "\x81\x79\x93\x64\x8e\x71\x83\x81\x81\x5b\x83\x8b\x83\x41\x83\x68\x83\x8c\x83\x58\x81\x7a\r\n\r\n" // 【電子メールアドレス】
                 "\x81\x79\x8e\xa9\x91\xee\x97\x58\x95\xd6\x94\xd4\x8d\x86\x81\x7a\r\n\r\n" // 【自宅郵便番号】
                 "\x81\x79\x8e\xa9\x91\xee\x8f\x5a\x8f\x8a\x81\x7a\r\n\r\n"                 // 【自宅住所】
                 "\x81\x79\x8c\xc2\x90\x6c\x8c\x67\x91\xd1\x2f\x50\x48\x53\x93\x64\x98\x62\x94\xd4\x8d\x86\x81\x7a\r\n"
                 "\r\n" // 【個人携帯/PHS電話番号】
                 "\x81\x79\x8c\xc2\x90\x6c\x83\x7c\x83\x50\x83\x78\x83\x8b\x93\x64\x98\x62\x94\xd4\x8d\x86\x81\x7a\r\n"
                 "\r\n" // 【個人ポケベル電話番号】
                 "\x81\x79\x8e\xa9\x91\xee\x93\x64\x98\x62\x94\xd4\x8d\x86\x81\x7a\r\n\r\n" // 【自宅電話番号】
                 "\x81\x79\x8e\xa9\x91\xee\x46\x41\x58\x94\xd4\x8d\x86\x81\x7a\r\n\r\n"     // 【自宅FAX番号】
                 "\x81\x79\x8c\xc2\x90\x6c\x57\x65\x62\x83\x79\x81\x5b\x83\x57\x81\x7a\r\n\r\n" // 【個人Webページ】
                 "\x81\x79\x8b\xce\x96\xb1\x90\xe6\x97\x58\x95\xd6\x94\xd4\x8d\x86\x81\x7a\r\n\r\n" // 【勤務先郵便番号】
                 "\x81\x79\x8b\xce\x96\xb1\x90\xe6\x8f\x5a\x8f\x8a\x81\x7a\r\n\r\n" // 【勤務先住所】
                 "\x81\x79\x8b\xce\x96\xb1\x90\xe6\x8c\x67\x91\xd1\x2f\x50\x48\x53\x93\x64\x98\x62\x94\xd4\x8d\x86\x81"
                 "\x7a\r\n\r\n" // 【勤務先携帯/PHS電話番号】
                 "\x81\x79\x8b\xce\x96\xb1\x90\xe6\x83\x7c\x83\x50\x83\x78\x83\x8b\x93\x64\x98\x62\x94\xd4\x8d\x86\x81"
                 "\x7a\r\n\r\n" // 【勤務先ポケベル電話番号】
                 "\x81\x79\x8b\xce\x96\xb1\x90\xe6\x93\x64\x98\x62\x94\xd4\x8d\x86\x81\x7a\r\n\r\n" // 【勤務先電話番号】
                 "\x81\x79\x8b\xce\x96\xb1\x90\xe6\x46\x41\x58\x94\xd4\x8d\x86\x81\x7a\r\n\r\n" // 【勤務先FAX番号】
                 "\x81\x79\x8b\xce\x96\xb1\x90\xe6\x57\x65\x62\x83\x79\x81\x5b\x83\x57\x81\x7a\r\n\r\n" // 【勤務先Webページ】
                 "\x81\x79\x96\xf0\x90\x45\x81\x7a\r\n\r\n"                                             // 【役職】
                 "\x81\x79\x95\x94\x8f\x90\x96\xbc\x81\x7a\r\n\r\n"         // 【部署名】
                 "\x81\x79\x83\x49\x83\x74\x83\x42\x83\x58\x81\x7a\r\n\r\n" // 【オフィス】
                 "\x81\x79\x94\xf5\x8d\x6c\x81\x7a\r\n\r\n"                 // 【備考】
    );

// The DataFolders section from short lines: "T3=title" is DataFolderTitle3,
// "N3=path" is DataFolderName3; stored in CP932 as the program stores it.
QByteArray slotsFile(const QStringList &lines)
{
    QString text = QStringLiteral("[DataFolders]\r\n");
    for (const QString &line : lines) {
        const QString key =
            line.startsWith(QLatin1Char('T')) ? QStringLiteral("DataFolderTitle") : QStringLiteral("DataFolderName");
        text += key + line.mid(1) + QStringLiteral("\r\n");
    }
    QByteArray bytes;
    if (!cp932::encode(text, bytes))
        qFatal("fixture not CP932");
    return bytes;
}

QStringList subFolders(const QString &folder)
{
    return QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
}

const QString kMissingMessage =
    QStringLiteral("データフォルダが見つかりません。\r\nデフォルトのデータフォルダを使用します。");
} // namespace

void TestDataFolders::findTitle_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::newRow("slot 1") << QStringList{"T1=Home", "N1=/d/home/"} << "/d/home/"
                            << "Home";
    QTest::newRow("after gaps") << QStringList{"T2=Two", "N2=/d/2/", "T7=Seven", "N7=/d/7/"} << "/d/7/"
                                << "Seven";
    QTest::newRow("slot 10") << QStringList{"T10=Ten", "N10=/d/10/"} << "/d/10/"
                             << "Ten";
    QTest::newRow("slot 11 is not a slot") << QStringList{"T11=Eleven", "N11=/d/11/"} << "/d/11/"
                                           << "";
    QTest::newRow("case matters") << QStringList{"T1=Home", "N1=/d/Home/"} << "/d/home/"
                                  << "";
    QTest::newRow("trailing slash matters") << QStringList{"T1=Home", "N1=/d/home/"} << "/d/home"
                                            << "";
    QTest::newRow("first match wins") << QStringList{"T3=First", "N3=/d/x/", "T5=Second", "N5=/d/x/"} << "/d/x/"
                                      << "First";
    QTest::newRow("unregistered") << QStringList{"T1=Home", "N1=/d/home/"} << "/d/other/"
                                  << "";
    QTest::newRow("japanese") << QStringList{QStringLiteral("T4=仕事"), QStringLiteral("N4=/d/仕事/")}
                              << QStringLiteral("/d/仕事/") << QStringLiteral("仕事");
}

void TestDataFolders::findTitle()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, path);
    QFETCH(QString, expected);
    TTestHome home;
    home.setSettings(slotsFile(entries));
    QCOMPARE(FindDataFolderTitle(path), expected);
}

void TestDataFolders::findPath_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("expected");
    QTest::newRow("found") << QStringList{"T1=Home", "N1=/d/home/", "T2=Work", "N2=/d/work/"} << "Work"
                           << "/d/work/";
    QTest::newRow("after gaps") << QStringList{"T9=Nine", "N9=/d/9/"} << "Nine"
                                << "/d/9/";
    QTest::newRow("case matters") << QStringList{"T1=Home", "N1=/d/home/"} << "home"
                                  << "";
    QTest::newRow("blanks matter") << QStringList{"T1=Home", "N1=/d/home/"} << " Home"
                                   << "";
    QTest::newRow("unregistered") << QStringList{"T1=Home", "N1=/d/home/"} << "Away"
                                  << "";
    QTest::newRow("default title") << QStringList{QStringLiteral("T1=デフォルトデータフォルダ"), "N1=/p/"}
                                   << QStringLiteral("デフォルトデータフォルダ") << "/p/";
}

void TestDataFolders::findPath()
{
    QFETCH(QStringList, entries);
    QFETCH(QString, title);
    QFETCH(QString, expected);
    TTestHome home;
    home.setSettings(slotsFile(entries));
    QCOMPARE(FindDataFolderPath(title), expected);
}

void TestDataFolders::entriesSkipBlankTitles()
{
    TTestHome home;
    home.setSettings(
        slotsFile({"T1=One", "N1=/d/1/", "T2=   ", "N2=/d/blank/", "T3=", "N3=/d/empty/", "T4=", "N4=", "T6=Six",
                   "N6=/d/6/", "T8=Eight", "T10=Ten", "N10=/d/10/", "T11=Eleven", "N11=/d/11/"}));
    const QList<TDataFolderEntry> entries = ReadDataFolderEntries();
    QStringList seen;
    for (const TDataFolderEntry &e : entries)
        seen << QStringLiteral("%1:%2:%3").arg(e.slot).arg(e.title, e.path);
    QCOMPARE(seen, (QStringList{"1:One:/d/1/", "6:Six:/d/6/", "8:Eight:", "10:Ten:/d/10/"}));
}

void TestDataFolders::storeFillsFirstFreeSlot_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<int>("expectedSlot");
    QTest::newRow("empty section") << QStringList{} << 1;
    QTest::newRow("after two") << QStringList{"T1=A", "N1=/a/", "T2=B", "N2=/b/"} << 3;
    QTest::newRow("gap is reused") << QStringList{"T1=A", "N1=/a/", "T3=C", "N3=/c/"} << 2;
    // A title key that exists, even blank, keeps its slot taken.
    QTest::newRow("blank title occupies") << QStringList{"T1=   ", "N1=/x/", "T2=", "N2=/y/"} << 3;
    // A stray path without a title does not; it is overwritten.
    QTest::newRow("stray path is overwritten") << QStringList{"T1=A", "N1=/a/", "N2=/stray/"} << 2;
}

void TestDataFolders::storeFillsFirstFreeSlot()
{
    QFETCH(QStringList, entries);
    QFETCH(int, expectedSlot);
    TTestHome home;
    home.setSettings(slotsFile(entries));
    QVERIFY(StoreDataFolderEntry(QStringLiteral("新規"), QStringLiteral("/d/new/")));
    const TProfileFile profile(home.settingsFile());
    const QString n = QString::number(expectedSlot);
    QCOMPARE(profile.readString(QStringLiteral("DataFolders"), QStringLiteral("DataFolderTitle") + n, QString()),
             QStringLiteral("新規"));
    QCOMPARE(profile.readString(QStringLiteral("DataFolders"), QStringLiteral("DataFolderName") + n, QString()),
             QStringLiteral("/d/new/"));
    QCOMPARE(FindDataFolderTitle(QStringLiteral("/d/new/")), QStringLiteral("新規"));
}

void TestDataFolders::storeRefusesWhenTenExist()
{
    TTestHome home;
    QStringList ten;
    for (int n = 1; n <= 10; ++n)
        ten << QStringLiteral("T%1=F%1").arg(n) << QStringLiteral("N%1=/d/%1/").arg(n);
    const QByteArray before = slotsFile(ten);
    home.setSettings(before);
    QVERIFY(!StoreDataFolderEntry(QStringLiteral("Eleventh"), QStringLiteral("/d/11/")));
    QCOMPARE(home.settings(), before);
    QCOMPARE(ReadDataFolderEntries().size(), 10);
}

void TestDataFolders::defaultRegistrationBytes()
{
    TTestHome home;
    QVERIFY(StoreDataFolderEntry(kDefaultDataFolderTitle, Global().ProgramFolder));
    QCOMPARE(home.settings(),
             "[DataFolders]\r\nDataFolderTitle1="
             "\x83\x66\x83\x74\x83\x48\x83\x8b\x83\x67\x83\x66\x81\x5b\x83\x5e\x83\x74\x83\x48\x83\x8b\x83\x5f"
             "\r\nDataFolderName1=" +
                 QFile::encodeName(home.programFolder()) + "\r\n");
}

void TestDataFolders::deleteSlot()
{
    TTestHome home;
    home.setSettings(slotsFile({"T1=A", "N1=/a/", "T2=B", "N2=/b/", "T3=A", "N3=/a2/", "T4=C", "N4=/c/"}));
    DeleteDataFolderSlot(QStringLiteral("A"));
    QCOMPARE(home.settings(), slotsFile({"T2=B", "N2=/b/", "T3=A", "N3=/a2/", "T4=C", "N4=/c/"}));
    // The freed slot is the next one filled.
    QVERIFY(StoreDataFolderEntry(QStringLiteral("D"), QStringLiteral("/d/")));
    QCOMPARE(FindDataFolderPath(QStringLiteral("D")), QStringLiteral("/d/"));
    QCOMPARE(ReadDataFolderEntries().first().slot, 1);
}

void TestDataFolders::deleteUnknownTitleChangesNothing()
{
    TTestHome home;
    const QByteArray before = slotsFile({"T1=A", "N1=/a/"});
    home.setSettings(before);
    DeleteDataFolderSlot(QStringLiteral("a"));
    DeleteDataFolderSlot(QStringLiteral("Z"));
    QCOMPARE(home.settings(), before);
}

void TestDataFolders::canRemove_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<bool>("expected");
    QTest::newRow("folder in use") << "current" << false;
    QTest::newRow("program folder") << "program" << false;
    QTest::newRow("another folder") << "other" << true;
}

void TestDataFolders::canRemove()
{
    QFETCH(QString, which);
    QFETCH(bool, expected);
    TTestHome home;
    const QString other = home.root() + QStringLiteral("other/");
    const QString path = which == QLatin1String("current")   ? home.dataFolder()
                         : which == QLatin1String("program") ? home.programFolder()
                                                             : other;
    QCOMPARE(CanRemoveDataFolder(path), expected);
}

void TestDataFolders::resolveExisting()
{
    TTestHome home;
    TScriptedPrompter prompter;
    QCOMPARE(ResolveDataFolder(prompter, home.dataFolder()), home.dataFolder());
    QCOMPARE(prompter.messages.size(), 0);
}

void TestDataFolders::resolveMissing_data()
{
    QTest::addColumn<QString>("relative");
    QTest::newRow("deleted folder") << "deleted/";
    QTest::newRow("a file, not a folder") << "plain";
    QTest::newRow("empty path") << "";
}

void TestDataFolders::resolveMissing()
{
    QFETCH(QString, relative);
    TTestHome home;
    home.write(home.root() + QStringLiteral("plain"), "x");
    const QString path = relative.isEmpty() ? QString() : home.root() + relative;
    TScriptedPrompter prompter;
    QCOMPARE(ResolveDataFolder(prompter, path), home.programFolder());
    QCOMPARE(prompter.kinds(), QStringList{QStringLiteral("error")});
    QCOMPARE(prompter.texts(), QStringList{kMissingMessage});
}

void TestDataFolders::prepareFreshFolder()
{
    TTestHome home;
    const QString folder = home.root() + QStringLiteral("fresh/");
    QVERIFY(QDir().mkpath(folder));
    PrepareDataFolder(folder);
    QCOMPARE(subFolders(folder), (QStringList{"Memo", "Note", "Templates"}));
    const QByteArray tmpl = home.read(folder + QStringLiteral("Templates/住所録.txt"));
    QCOMPARE(tmpl, kAddressBook);
    QCOMPARE(AddressBookTemplate(), kAddressBook);
    // 40 lines, every one ended by CR LF, no bare LF.
    QCOMPARE(int(tmpl.count("\r\n")), 40);
    QCOMPARE(int(tmpl.count('\n')), 40);
    QVERIFY(tmpl.endsWith("\x81\x7a\r\n\r\n"));
    QCOMPARE(QDir(folder + QStringLiteral("Templates")).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("住所録.txt")});

    // A path without the trailing separator works the same.
    const QString bare = home.root() + QStringLiteral("bare");
    QVERIFY(QDir().mkpath(bare));
    PrepareDataFolder(bare);
    QCOMPARE(home.read(bare + QStringLiteral("/Templates/住所録.txt")), kAddressBook);
}

void TestDataFolders::prepareKeepsExistingContents()
{
    TTestHome home;
    const QString folder = home.dataFolder();
    PrepareDataFolder(folder);
    home.write(folder + QStringLiteral("Memo/20240101.txt"), "memo");
    home.write(folder + QStringLiteral("Templates/住所録.txt"), "edited by the user");
    home.write(folder + QStringLiteral("Templates/mine.txt"), "mine");
    PrepareDataFolder(folder);
    QCOMPARE(home.read(folder + QStringLiteral("Memo/20240101.txt")), QByteArray("memo"));
    QCOMPARE(home.read(folder + QStringLiteral("Templates/住所録.txt")), QByteArray("edited by the user"));
    QCOMPARE(home.read(folder + QStringLiteral("Templates/mine.txt")), QByteArray("mine"));
}

void TestDataFolders::deletedTemplateStaysDeleted()
{
    TTestHome home;
    const QString folder = home.dataFolder();
    PrepareDataFolder(folder);
    QVERIFY(QFile::remove(folder + QStringLiteral("Templates/住所録.txt")));
    QVERIFY(QDir(folder + QStringLiteral("Memo")).removeRecursively());
    PrepareDataFolder(folder);
    QVERIFY(!QFileInfo::exists(folder + QStringLiteral("Templates/住所録.txt")));
    // Memo/ is made again: only the template is the user's to delete.
    QVERIFY(QFileInfo(folder + QStringLiteral("Memo")).isDir());
}

void TestDataFolders::deletedTemplatesFolderComesBack()
{
    TTestHome home;
    const QString folder = home.dataFolder();
    PrepareDataFolder(folder);
    QVERIFY(QDir(folder + QStringLiteral("Templates")).removeRecursively());
    PrepareDataFolder(folder);
    QCOMPARE(home.read(folder + QStringLiteral("Templates/住所録.txt")), kAddressBook);
}

void TestDataFolders::prepareFailure_data()
{
    QTest::addColumn<QString>("blocker");
    QTest::newRow("Memo is a file") << "Memo";
    QTest::newRow("Note is a file") << "Note";
    QTest::newRow("Templates is a file") << "Templates";
}

void TestDataFolders::prepareFailure()
{
    QFETCH(QString, blocker);
    TTestHome home;
    const QString folder = home.dataFolder();
    home.write(folder + blocker, "a file in the way");
    QVERIFY_THROWS_EXCEPTION(EQuillmereError, PrepareDataFolder(folder));
    // What was in the way is left alone.
    QCOMPARE(home.read(folder + blocker), QByteArray("a file in the way"));
}

QTEST_GUILESS_MAIN(TestDataFolders)
#include "test_datafolders.moc"
