#include "core/global.h"
#include "core/safefile.h"
#include "support/testhome.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

// Crash-safe data-file writes and the keeping of files that failed to load.
class TestSafeFile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void saveRetiresPreviousVersion_data();
    void saveRetiresPreviousVersion();
    void trashRefusingNameGetsBak();
    void firstSaveMakesNoBackup();
    void saveKeepsPermissions();
    void failedWriteKeepsPreviousFile_data();
    void failedWriteKeepsPreviousFile();
    void atomicWriteNeverMakesBackup();
    void keepDamagedNeverOverwrites();
    void keepDamagedSurvivesLaterSaves();
    void keepDamagedFailsWithoutFolder();
    void damagedCopyNote();
    void readFileBytesLimit_data();
    void readFileBytesLimit();
    void readFileBytesMissing();
};

namespace {
// Every file in the folder, hidden ones included, so a forgotten temporary shows.
QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

void setSwitches(const TTestHome &home, bool recycle, bool noBackup)
{
    home.setSettings("[SETTINGS]\r\nUseRecycleBin=" + QByteArray::number(recycle ? 1 : 0) +
                     "\r\nNoBackupFiles=" + QByteArray::number(noBackup ? 1 : 0) + "\r\n");
}

// Makes writes beyond `bytes` fail as on a full disk, for the life of the object.
class TFileSizeLimit
{
public:
    explicit TFileSizeLimit(rlim_t bytes)
    {
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limited = m_old;
        limited.rlim_cur = bytes;
        m_ok = setrlimit(RLIMIT_FSIZE, &limited) == 0;
    }
    ~TFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool ok() const { return m_ok; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_ok = false;
};
} // namespace

void TestSafeFile::saveRetiresPreviousVersion_data()
{
    QTest::addColumn<bool>("recycle");
    QTest::addColumn<bool>("noBackup");
    QTest::addColumn<QByteArray>("expectedBak"); // empty: none
    QTest::addColumn<bool>("expectedInTrash");
    // An older .bak ("older") is present in every row.
    QTest::newRow("bak") << false << false << QByteArray("previous") << false;
    QTest::newRow("no backup") << false << true << QByteArray("older") << false;
    QTest::newRow("trash") << true << false << QByteArray("older") << true;
}

void TestSafeFile::saveRetiresPreviousVersion()
{
    QFETCH(bool, recycle);
    QFETCH(bool, noBackup);
    QFETCH(QByteArray, expectedBak);
    QFETCH(bool, expectedInTrash);
    TTestHome home;
    setSwitches(home, recycle, noBackup);
    const QString path = home.dataFolder() + QStringLiteral("todo.dat");
    home.write(path, "previous");
    home.write(home.dataFolder() + QStringLiteral("todo.bak"), "older");

    const TSaveResult result = SaveDataFile(path, "new\r\ncontent\r\n");
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(home.read(path), QByteArray("new\r\ncontent\r\n"));
    QCOMPARE(home.read(home.dataFolder() + QStringLiteral("todo.bak")), expectedBak);
    const QString inTrash = home.root() + QStringLiteral("xdg/Trash/files/todo.dat");
    QCOMPARE(QFileInfo::exists(inTrash), expectedInTrash);
    if (expectedInTrash)
        QCOMPARE(home.read(inTrash), QByteArray("previous"));
    QCOMPARE(filesIn(home.dataFolder()), (QStringList{"todo.bak", "todo.dat"}));
}

void TestSafeFile::trashRefusingNameGetsBak()
{
    TTestHome home;
    setSwitches(home, true, false);
    // Short enough for a temporary beside it, too long for the trash to record.
    const QString name = QString(242, QLatin1Char('m')) + QStringLiteral(".txt");
    const QString path = home.dataFolder() + name;
    home.write(path, "previous");
    const TSaveResult result = SaveDataFile(path, "new");
    QVERIFY2(result.ok, qPrintable(result.error));
    QCOMPARE(home.read(path), QByteArray("new"));
    QCOMPARE(home.read(BackupFileName(path)), QByteArray("previous"));
    QCOMPARE(filesIn(home.dataFolder()).size(), 2);
}

void TestSafeFile::firstSaveMakesNoBackup()
{
    TTestHome home;
    const QString path = home.dataFolder() + QStringLiteral("schedule.dat");
    QVERIFY(SaveDataFile(path, QByteArray("\0\1\2", 3)).ok);
    QCOMPARE(home.read(path), QByteArray("\0\1\2", 3));
    QCOMPARE(filesIn(home.dataFolder()), QStringList{"schedule.dat"});
    // An empty content is a real, empty file (an empty note page stays).
    QVERIFY(SaveDataFile(path, QByteArray()).ok);
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(QFileInfo(path).size(), 0);
    QCOMPARE(home.read(home.dataFolder() + QStringLiteral("schedule.bak")), QByteArray("\0\1\2", 3));
}

void TestSafeFile::saveKeepsPermissions()
{
    TTestHome home;
    const QString path = home.dataFolder() + QStringLiteral("todo.dat");
    home.write(path, "old");
    // Owner, group and other bits; the "user" bits depend on who runs the test.
    const int mask = 0x7077;
    const int privateMode = int(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions(privateMode)));
    QVERIFY(SaveDataFile(path, "new").ok);
    QCOMPARE(int(QFile::permissions(path)) & mask, privateMode);
    QVERIFY(WriteFileAtomically(path, "newer").ok);
    QCOMPARE(int(QFile::permissions(path)) & mask, privateMode);
}

void TestSafeFile::failedWriteKeepsPreviousFile_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("recycle");
    QTest::newRow("disk full") << "full" << false;
    QTest::newRow("disk full, trash on") << "full" << true;
    QTest::newRow("name too long for a temporary") << "long" << false;
    QTest::newRow("name too long, trash on") << "long" << true;
    QTest::newRow("folder gone") << "nofolder" << false;
}

void TestSafeFile::failedWriteKeepsPreviousFile()
{
    QFETCH(QString, how);
    QFETCH(bool, recycle);
    TTestHome home;
    setSwitches(home, recycle, false);
    QString folder = home.dataFolder();
    QString name = QStringLiteral("schedule.dat");
    if (how == QLatin1String("long"))
        name = QString(248, QLatin1Char('s')) + QStringLiteral(".dat"); // fits, its temporary name does not
    const QString path = folder + name;
    const QByteArray previous("previous version");
    home.write(path, previous);
    home.write(BackupFileName(path), "older");
    const QStringList before = filesIn(folder);

    TSaveResult result;
    if (how == QLatin1String("full")) {
        TFileSizeLimit limit(4096);
        QVERIFY(limit.ok());
        result = SaveDataFile(path, QByteArray(64 * 1024, 'n'));
    } else if (how == QLatin1String("nofolder")) {
        result = SaveDataFile(home.root() + QStringLiteral("missing/schedule.dat"), "x");
    } else {
        result = SaveDataFile(path, "new");
    }
    QVERIFY(!result.ok);
    QVERIFY(!result.error.isEmpty());
    QCOMPARE(home.read(path), previous);
    // The .bak may have been refreshed from the still current version before
    // the final step failed; it never holds anything else.
    const QByteArray bak = home.read(BackupFileName(path));
    QVERIFY2(bak == "older" || bak == previous, bak.constData());
    QCOMPARE(filesIn(folder), before);
    QVERIFY(!QFileInfo::exists(home.root() + QStringLiteral("xdg/Trash/files/") + name));
}

void TestSafeFile::atomicWriteNeverMakesBackup()
{
    TTestHome home;
    const QString path = home.programFolder() + QStringLiteral("settings.cnf");
    home.write(path, "old");
    QVERIFY(WriteFileAtomically(path, "new").ok);
    QCOMPARE(home.read(path), QByteArray("new"));
    QCOMPARE(filesIn(home.programFolder()), QStringList{"settings.cnf"});

    TFileSizeLimit limit(16);
    QVERIFY(limit.ok());
    const TSaveResult result = WriteFileAtomically(path, QByteArray(1024, 'x'));
    QVERIFY(!result.ok);
    QCOMPARE(home.read(path), QByteArray("new"));
    QCOMPARE(filesIn(home.programFolder()), QStringList{"settings.cnf"});
}

void TestSafeFile::keepDamagedNeverOverwrites()
{
    TTestHome home;
    const QString path = home.dataFolder() + QStringLiteral("todo.dat");
    const QByteArray first("first\0damaged", 13);
    home.write(path, first);

    const QString copy1 = KeepDamagedFile(path, first);
    QVERIFY(!copy1.isEmpty());
    QVERIFY(copy1 != path);
    QCOMPARE(QFileInfo(copy1).absolutePath(), QFileInfo(path).absolutePath());
    QCOMPARE(home.read(copy1), first);
    QCOMPARE(home.read(path), first); // the original is left where it was

    const QString copy2 = KeepDamagedFile(path, "second");
    const QString copy3 = KeepDamagedFile(path, "third");
    QVERIFY(!copy2.isEmpty() && !copy3.isEmpty());
    QCOMPARE(QSet<QString>({copy1, copy2, copy3}).size(), 3);
    QCOMPARE(home.read(copy1), first);
    QCOMPARE(home.read(copy2), QByteArray("second"));
    QCOMPARE(home.read(copy3), QByteArray("third"));

    // A removed copy's name may come back, but never that of a copy still there.
    QVERIFY(QFile::remove(copy2));
    const QString copy4 = KeepDamagedFile(path, "fourth");
    QVERIFY(copy4 != copy1 && copy4 != copy3);
    QCOMPARE(home.read(copy3), QByteArray("third"));
    QCOMPARE(home.read(copy4), QByteArray("fourth"));
}

void TestSafeFile::keepDamagedSurvivesLaterSaves()
{
    TTestHome home;
    for (const QString &name : {QStringLiteral("todo.dat"), QStringLiteral("20240101.txt")}) {
        const QString path = home.dataFolder() + name;
        home.write(path, "unreadable");
        const QString copy = KeepDamagedFile(path, "unreadable");
        QVERIFY(!copy.isEmpty());
        QVERIFY(copy != BackupFileName(path));
        // Two saves: the second one replaces the .bak made by the first.
        QVERIFY(SaveDataFile(path, "fresh 1").ok);
        QVERIFY(SaveDataFile(path, "fresh 2").ok);
        QCOMPARE(home.read(copy), QByteArray("unreadable"));
        QCOMPARE(home.read(path), QByteArray("fresh 2"));
    }
}

void TestSafeFile::keepDamagedFailsWithoutFolder()
{
    TTestHome home;
    QCOMPARE(KeepDamagedFile(home.root() + QStringLiteral("missing/todo.dat"), "x"), QString());
}

void TestSafeFile::damagedCopyNote()
{
    const QString copy = QStringLiteral("/d/todo.dat.damaged");
    const QString note = DamagedCopyNote(copy);
    QVERIFY2(note.contains(copy), qPrintable(note));
    QVERIFY(!note.contains(QLatin1Char('\n')));
    // Without a copy the note must not claim one exists, and must still warn.
    const QString none = DamagedCopyNote(QString());
    QVERIFY(!none.isEmpty());
    QVERIFY(none != note);
    QVERIFY(!none.contains(QStringLiteral("残してあります")));
}

void TestSafeFile::readFileBytesLimit_data()
{
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("limit");
    QTest::addColumn<bool>("tooLarge");
    QTest::newRow("smaller") << 10 << 100 << false;
    QTest::newRow("exactly the limit") << 100 << 100 << false;
    QTest::newRow("one over") << 101 << 100 << true;
    QTest::newRow("empty") << 0 << 100 << false;
}

void TestSafeFile::readFileBytesLimit()
{
    QFETCH(int, size);
    QFETCH(int, limit);
    QFETCH(bool, tooLarge);
    TTestHome home;
    const QString path = home.dataFolder() + QStringLiteral("f.dat");
    QByteArray content(size, Qt::Uninitialized);
    for (int i = 0; i < size; ++i)
        content[i] = char(i * 7);
    home.write(path, content);
    QByteArray bytes("stale");
    bool large = !tooLarge;
    QVERIFY(ReadFileBytes(path, bytes, limit, &large));
    QCOMPARE(large, tooLarge);
    QCOMPARE(bytes, content.left(limit));
}

void TestSafeFile::readFileBytesMissing()
{
    TTestHome home;
    QByteArray bytes;
    QVERIFY(!ReadFileBytes(home.dataFolder() + QStringLiteral("none.dat"), bytes, 100));
}

QTEST_GUILESS_MAIN(TestSafeFile)
#include "test_safefile.moc"
