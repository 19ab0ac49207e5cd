#include "core/global.h"
#include "core/profile.h"
#include "support/scriptedprompter.h"
#include "support/testhome.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

// The common helpers: retiring a data file before it is replaced, the file
// name test, the date and folder questions and the one-shot setting readers.
class TestHelpers : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void backupBeforeSave_data();
    void backupBeforeSave();
    void recycleBinFilesAndFolders();
    void backupFileName_data();
    void backupFileName();
    void isValidFileName_data();
    void isValidFileName();
    void checkDate_data();
    void checkDate();
    void confirmCreateFolderExisting();
    void confirmCreateFolderAsks_data();
    void confirmCreateFolderAsks();
    void switchesDefaults();
    void switchesFollowTheFile_data();
    void switchesFollowTheFile();
    void settingIntegerRoundTrip();
    void settingIntegerUnreadableOrUnwritable();
};

namespace {
QString trashed(const TTestHome &home, const QString &name)
{
    return home.root() + QStringLiteral("xdg/Trash/files/") + name;
}

void setSwitches(const TTestHome &home, bool recycle, bool noBackup)
{
    home.setSettings("[SETTINGS]\r\nUseRecycleBin=" + QByteArray::number(recycle ? 1 : 0) +
                     "\r\nNoBackupFiles=" + QByteArray::number(noBackup ? 1 : 0) + "\r\n");
}
} // namespace

void TestHelpers::backupBeforeSave_data()
{
    QTest::addColumn<bool>("recycle");
    QTest::addColumn<bool>("noBackup");
    QTest::addColumn<bool>("fileExists");
    QTest::addColumn<QByteArray>("expectedBak"); // empty: no .bak file
    QTest::addColumn<bool>("expectedInTrash");
    QTest::addColumn<QString>("name");

    const QString schedule = QStringLiteral("schedule.dat");
    // 246 bytes: the trash cannot record this name, so it takes the .bak route.
    const QString longName = QString(242, QLatin1Char('p')) + QStringLiteral(".txt");
    // An older .bak ("old bak") is present in every row.
    QTest::newRow("bak replaced") << false << false << true << QByteArray("current") << false << schedule;
    QTest::newRow("no backup deletes without copy")
        << false << true << true << QByteArray("old bak") << false << schedule;
    QTest::newRow("trash") << true << false << true << QByteArray("old bak") << true << schedule;
    QTest::newRow("trash wins over no backup") << true << true << true << QByteArray("old bak") << true << schedule;
    QTest::newRow("no file, nothing happens") << false << false << false << QByteArray("old bak") << false << schedule;
    QTest::newRow("no file, trash untouched") << true << false << false << QByteArray("old bak") << false << schedule;
    QTest::newRow("japanese name to trash")
        << true << false << true << QByteArray("old bak") << true << QStringLiteral("議事録.txt");
    QTest::newRow("name too long for trash") << true << false << true << QByteArray("current") << false << longName;
}

void TestHelpers::backupBeforeSave()
{
    QFETCH(bool, recycle);
    QFETCH(bool, noBackup);
    QFETCH(bool, fileExists);
    QFETCH(QByteArray, expectedBak);
    QFETCH(bool, expectedInTrash);
    QFETCH(QString, name);

    TTestHome home;
    setSwitches(home, recycle, noBackup);
    const QString file = home.dataFolder() + name;
    const QString bak = BackupFileName(file);
    home.write(bak, "old bak");
    if (fileExists)
        home.write(file, "current");

    BackupBeforeSave(file);

    QVERIFY(!QFileInfo::exists(file));
    QCOMPARE(home.read(bak), expectedBak);
    QCOMPARE(QFileInfo::exists(trashed(home, name)), expectedInTrash);
    if (expectedInTrash)
        QCOMPARE(home.read(trashed(home, name)), QByteArray("current"));
    // Nothing else appears in the data folder.
    QCOMPARE(QDir(home.dataFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(bak).fileName()});
}

void TestHelpers::recycleBinFilesAndFolders()
{
    TTestHome home;
    setSwitches(home, true, false);
    const QString note = home.dataFolder() + QStringLiteral("Note/会議/");
    QVERIFY(QDir().mkpath(note));
    home.write(note + QStringLiteral("page.txt"), "page");
    const QString file = home.dataFolder() + QStringLiteral("memo.txt");
    home.write(file, "memo");

    // Each helper takes only its own kind of entry.
    MoveFileToRecycleBin(note);
    QVERIFY(QFileInfo(note).isDir());
    MoveFolderToRecycleBin(file);
    QVERIFY(QFileInfo::exists(file));

    MoveFolderToRecycleBin(note);
    QVERIFY(!QFileInfo::exists(note));
    QCOMPARE(home.read(trashed(home, QStringLiteral("会議/page.txt"))), QByteArray("page"));
    MoveFileToRecycleBin(file);
    QVERIFY(!QFileInfo::exists(file));
    QCOMPARE(home.read(trashed(home, QStringLiteral("memo.txt"))), QByteArray("memo"));

    // Missing paths and an empty list are no-ops.
    MoveToRecycleBin({});
    MoveFileToRecycleBin(file);
    MoveFolderToRecycleBin(note);

    // A name the trash cannot record stays put instead of hanging the program.
    const QString longName = home.dataFolder() + QString(250, QLatin1Char('n'));
    home.write(longName, "long");
    MoveToRecycleBin({longName});
    QCOMPARE(home.read(longName), QByteArray("long"));
}

void TestHelpers::backupFileName_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::newRow("schedule") << "/d/schedule.dat"
                              << "/d/schedule.bak";
    QTest::newRow("daily memo") << "/d/Memo/20000101.txt"
                                << "/d/Memo/20000101.bak";
    QTest::newRow("last extension only") << "/d/a.b.txt"
                                         << "/d/a.b.bak";
    QTest::newRow("no extension") << "/d/noext"
                                  << "/d/noext.bak";
    QTest::newRow("dot in folder only") << "/d.x/page"
                                        << "/d.x/page.bak";
    QTest::newRow("japanese page") << QStringLiteral("/d/Note/会議/議事録.txt")
                                   << QStringLiteral("/d/Note/会議/議事録.bak");
}

void TestHelpers::backupFileName()
{
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(BackupFileName(path), expected);
}

void TestHelpers::isValidFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("valid");
    QTest::newRow("plain") << "memo" << true;
    QTest::newRow("with extension") << "a.txt" << true;
    QTest::newRow("japanese") << QStringLiteral("会議の記録") << true;
    // ソ is 83 5C and 表 is 95 5C: their trail byte is a backslash.
    QTest::newRow("so trail backslash") << QStringLiteral("ソフト") << true;
    QTest::newRow("hyo trail backslash") << QStringLiteral("表計算") << true;
    QTest::newRow("blank inside") << "a b" << true;
    QTest::newRow("leading dots") << "..a" << true;
    QTest::newRow("empty is left to callers") << "" << true;
    QTest::newRow("vertical bar inside") << "a|b" << false;
    QTest::newRow("question mark last") << "what?" << false;
    QTest::newRow("comma") << "a,b" << false;
    QTest::newRow("semicolon") << "a;b" << false;
    QTest::newRow("backslash") << "a\\b" << false;
    QTest::newRow("slash") << "a/b" << false;
    QTest::newRow("colon") << "a:b" << false;
    QTest::newRow("asterisk") << "*" << false;
    QTest::newRow("double quote") << "\"q\"" << false;
    QTest::newRow("less") << "a<b" << false;
    QTest::newRow("greater last") << "ab>" << false;
    QTest::newRow("forbidden after japanese") << QStringLiteral("ソ|") << false;
    QTest::newRow("line break") << "a\nb" << false;
    QTest::newRow("one dot") << "." << false;
    QTest::newRow("two dots") << ".." << false;
    QTest::newRow("many dots") << "....." << false;
    QTest::newRow("long but fine") << QString(100, QLatin1Char('a')) << true;
    QTest::newRow("overlong") << QString(300, QLatin1Char('a')) << false;
    QTest::newRow("overlong japanese") << QString(200, QChar(0x3042)) << false;
}

void TestHelpers::isValidFileName()
{
    QFETCH(QString, name);
    QFETCH(bool, valid);
    QCOMPARE(IsValidFileName(name), valid);
}

void TestHelpers::checkDate_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("day");
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<bool>("expected");
    QTest::addColumn<QString>("kind"); // "" when nothing is shown
    QTest::addColumn<QString>("text");

    const QString question =
        QStringLiteral("指定された日付が存在しない年もありますが\r\nこのまま登録してもよろしいですか？");
    const QString error = QStringLiteral("不正な日付が指定されています");
    QTest::newRow("yearly 29 Feb, yes") << 0 << 2 << 29 << QList<bool>{true} << true << "confirm" << question;
    QTest::newRow("yearly 29 Feb, no") << 0 << 2 << 29 << QList<bool>{false} << false << "confirm" << question;
    QTest::newRow("2001-02-29") << 2001 << 2 << 29 << QList<bool>{} << false << "error" << error;
    QTest::newRow("2000-02-29 leap") << 2000 << 2 << 29 << QList<bool>{} << true << ""
                                     << "";
    QTest::newRow("1900-02-29 not leap") << 1900 << 2 << 29 << QList<bool>{} << false << "error" << error;
    QTest::newRow("yearly 31 Apr") << 0 << 4 << 31 << QList<bool>{} << false << "error" << error;
    QTest::newRow("yearly 31 Dec") << 0 << 12 << 31 << QList<bool>{} << true << ""
                                   << "";
    QTest::newRow("yearly 28 Feb") << 0 << 2 << 28 << QList<bool>{} << true << ""
                                   << "";
    QTest::newRow("month 13") << 2024 << 13 << 1 << QList<bool>{} << false << "error" << error;
    QTest::newRow("day 0") << 2024 << 1 << 0 << QList<bool>{} << false << "error" << error;
}

void TestHelpers::checkDate()
{
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, day);
    QFETCH(QList<bool>, answers);
    QFETCH(bool, expected);
    QFETCH(QString, kind);
    QFETCH(QString, text);

    TScriptedPrompter prompter;
    prompter.answers = answers;
    // Today is in a leap year, so a yearly 29 February is still a question, not an answer.
    QCOMPARE(CheckDate(prompter, QDate(2024, 6, 1), year, month, day), expected);
    if (kind.isEmpty()) {
        QCOMPARE(prompter.messages.size(), 0);
    } else {
        QCOMPARE(prompter.kinds(), QStringList{kind});
        QCOMPARE(prompter.texts(), QStringList{text});
    }
}

void TestHelpers::confirmCreateFolderExisting()
{
    TTestHome home;
    TScriptedPrompter prompter;
    QVERIFY(ConfirmCreateFolder(prompter, home.dataFolder()));
    QCOMPARE(prompter.messages.size(), 0);
}

void TestHelpers::confirmCreateFolderAsks_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("expected");
    QTest::addColumn<bool>("created");
    QTest::newRow("yes creates parents") << "new/deep/folder/" << true << true << true;
    QTest::newRow("no") << "new/deep/folder/" << false << false << false;
    QTest::newRow("japanese name") << QStringLiteral("新しいフォルダ/") << true << true << true;
    // Creation fails (its parent is a file) but the answer still stands.
    QTest::newRow("yes but cannot create") << "plain/sub/" << true << true << false;
    // A file is not a folder: the question is asked.
    QTest::newRow("a file is not a folder") << "plain" << false << false << false;
}

void TestHelpers::confirmCreateFolderAsks()
{
    QFETCH(QString, relative);
    QFETCH(bool, answer);
    QFETCH(bool, expected);
    QFETCH(bool, created);
    TTestHome home;
    home.write(home.root() + QStringLiteral("plain"), "a file");
    const QString path = home.root() + relative;
    TScriptedPrompter prompter;
    prompter.answers = {answer};
    QCOMPARE(ConfirmCreateFolder(prompter, path), expected);
    QCOMPARE(prompter.kinds(), QStringList{QStringLiteral("confirm")});
    QCOMPARE(prompter.texts(), QStringList{path + QStringLiteral("は存在しません。\r\nこのフォルダを作成しますか。")});
    QCOMPARE(QFileInfo(path).isDir(), created);
}

void TestHelpers::switchesDefaults()
{
    TTestHome home;
    QCOMPARE(GetDeleteMessage(), true);
    QCOMPARE(GetUseRecycleBin(), false);
    QCOMPARE(GetNoBackupFiles(), false);
    QCOMPARE(GetIMEAutoOn(), false);
    // An unreadable settings file reads the same defaults.
    QVERIFY(QDir().mkpath(home.settingsFile()));
    QCOMPARE(GetDeleteMessage(), true);
    QCOMPARE(GetUseRecycleBin(), false);
}

void TestHelpers::switchesFollowTheFile_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("expected");
    QTest::newRow("0") << QByteArray("0") << false;
    QTest::newRow("1") << QByteArray("1") << true;
    QTest::newRow("any non-zero") << QByteArray("7") << true;
}

void TestHelpers::switchesFollowTheFile()
{
    QFETCH(QByteArray, value);
    QFETCH(bool, expected);
    TTestHome home;
    home.setSettings("[SETTINGS]\r\nDeleteMessage=" + value + "\r\nUseRecycleBin=" + value +
                     "\r\nNoBackupFiles=" + value + "\r\nIMEAutoOn=" + value + "\r\n");
    QCOMPARE(GetDeleteMessage(), expected);
    QCOMPARE(GetUseRecycleBin(), expected);
    QCOMPARE(GetNoBackupFiles(), expected);
    QCOMPARE(GetIMEAutoOn(), expected);
    // Each call reads afresh: nothing is cached between calls.
    home.setSettings("[SETTINGS]\r\nDeleteMessage=" + QByteArray(expected ? "0" : "1") + "\r\n");
    QCOMPARE(GetDeleteMessage(), !expected);
}

void TestHelpers::settingIntegerRoundTrip()
{
    TTestHome home;
    QCOMPARE(ReadSettingInteger(QStringLiteral("SETTINGS"), QStringLiteral("DefaultSchedulePrevHour"), 5), 5);
    WriteSettingInteger(QStringLiteral("SETTINGS"), QStringLiteral("DefaultSchedulePrevHour"), 13);
    WriteSettingInteger(QStringLiteral("SETTINGS"), QStringLiteral("DefaultSchedulePrevMinute"), -7);
    QCOMPARE(ReadSettingInteger(QStringLiteral("settings"), QStringLiteral("defaultscheduleprevhour"), 5), 13);
    QCOMPARE(home.settings(),
             QByteArray("[SETTINGS]\r\nDefaultSchedulePrevHour=13\r\nDefaultSchedulePrevMinute=-7\r\n"));
}

void TestHelpers::settingIntegerUnreadableOrUnwritable()
{
    TTestHome home;
    // The settings path is taken by a folder: reads give the default, writes do nothing.
    QVERIFY(QDir().mkpath(home.settingsFile()));
    QCOMPARE(ReadSettingInteger(QStringLiteral("SETTINGS"), QStringLiteral("Width"), 42), 42);
    WriteSettingInteger(QStringLiteral("SETTINGS"), QStringLiteral("Width"), 1);
    QVERIFY(QFileInfo(home.settingsFile()).isDir());
    QCOMPARE(ReadSettingInteger(QStringLiteral("SETTINGS"), QStringLiteral("Width"), 42), 42);
}

QTEST_GUILESS_MAIN(TestHelpers)
#include "test_helpers.moc"
