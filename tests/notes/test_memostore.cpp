#include "core/profile.h"
#include "notes/memostore.h"
#include "support/scriptedprompter.h"
#include "support/testhome.h"

#include <QtTest>

class TestMemoStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void fileNames();
    void namesAreEmptyWithoutMemoFolder();
    void hasDailyMemoIsFileExistence();
    void saveWritesCp932CrLf_data();
    void saveWritesCp932CrLf();
    void blankTextRemovesFile_data();
    void blankTextRemovesFile();
    void unmodifiedTextIsNeverWritten();
    void failureKeepsModifiedAndShowsMessage_data();
    void failureKeepsModifiedAndShowsMessage();
    void failedWriteLeavesPreviousFile();
    void notebookSaveMakesMissingFolder();
    void busyFlagOnlyDuringSave();
    void loadOfAnyBytes();
    void saveTextAsWritesAndRemembersFolder();
};

void TestMemoStore::fileNames()
{
    TTestHome home;
    QDir().mkpath(home.dataFolder() + "Memo");
    const QString memo = home.dataFolder() + "Memo/";
    QCOMPARE(DailyMemoFileName(QDate(2001, 3, 7)), memo + "20010307.txt");
    QCOMPARE(MonthlyMemoFileName(QDate(2001, 3, 7)), memo + "200103.txt");
    QCOMPARE(DailyMemoFileName(QDate(2001, 12, 31)), memo + "20011231.txt");
    QCOMPARE(NotebookFileName(), memo + "notebook.txt");
}

void TestMemoStore::namesAreEmptyWithoutMemoFolder()
{
    TTestHome home;
    QCOMPARE(DailyMemoFileName(QDate(2001, 3, 7)), QString());
    QCOMPARE(MonthlyMemoFileName(QDate(2001, 3, 7)), QString());
    QCOMPARE(NotebookFileName(), QString());
    QCOMPARE(HasDailyMemo(QDate(2001, 3, 7)), false);
}

void TestMemoStore::hasDailyMemoIsFileExistence()
{
    TTestHome home;
    QDir().mkpath(home.dataFolder() + "Memo");
    home.write(home.dataFolder() + "Memo/20010307.txt", "");
    home.write(home.dataFolder() + "Memo/20010308.bak", "text");
    QCOMPARE(HasDailyMemo(QDate(2001, 3, 7)), true);  // even an empty file counts
    QCOMPARE(HasDailyMemo(QDate(2001, 3, 8)), false); // a back-up does not
}

void TestMemoStore::saveWritesCp932CrLf_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("file");
    QTest::newRow("daily") << int(mkDailyMemo) << "20010307.txt";
    QTest::newRow("monthly") << int(mkMonthlyMemo) << "200103.txt";
    QTest::newRow("notebook") << int(mkNotebook) << "notebook.txt";
}

void TestMemoStore::saveWritesCp932CrLf()
{
    QFETCH(int, kind);
    QFETCH(QString, file);
    TTestHome home;
    QDir().mkpath(home.dataFolder() + "Memo");
    TMemoStore store;
    TScriptedPrompter prompter;
    bool modified = true;
    QVERIFY(store.Save(TMemoKind(kind), QDate(2001, 3, 7), QStringLiteral("会議～\n二行目"), modified, prompter));
    QCOMPARE(modified, false);
    QCOMPARE(home.read(home.dataFolder() + "Memo/" + file),
             QByteArray("\x89\xEF\x8B\x63\x81\x60\r\n\x93\xF1\x8D\x73\x96\xDA"));
    QVERIFY(prompter.messages.isEmpty());
    const TTextLoad back = store.Load(TMemoKind(kind), QDate(2001, 3, 7));
    QCOMPARE(back.text, QStringLiteral("会議～\n二行目"));
}

void TestMemoStore::blankTextRemovesFile_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QString();
    QTest::newRow("blanks and breaks") << QStringLiteral("  \n\t\n ");
}

void TestMemoStore::blankTextRemovesFile()
{
    QFETCH(QString, text);
    TTestHome home;
    QDir().mkpath(home.dataFolder() + "Memo");
    const QString path = home.dataFolder() + "Memo/20010307.txt";
    home.write(path, "old");
    TMemoStore store;
    TScriptedPrompter prompter;
    bool modified = true;
    QVERIFY(store.Save(mkDailyMemo, QDate(2001, 3, 7), text, modified, prompter));
    QVERIFY(!QFileInfo::exists(path));
    QCOMPARE(HasDailyMemo(QDate(2001, 3, 7)), false);
    QCOMPARE(home.read(home.dataFolder() + "Memo/20010307.bak"), QByteArray("old"));
    // Nothing to remove is no failure either, not even without the Memo folder.
    modified = true;
    QVERIFY(store.Save(mkDailyMemo, QDate(2001, 3, 8), text, modified, prompter));
    QDir(home.dataFolder() + "Memo").removeRecursively();
    modified = true;
    QVERIFY(store.Save(mkDailyMemo, QDate(2001, 3, 8), text, modified, prompter));
    QCOMPARE(modified, false);
    QVERIFY(prompter.messages.isEmpty());
}

void TestMemoStore::unmodifiedTextIsNeverWritten()
{
    TTestHome home;
    QDir().mkpath(home.dataFolder() + "Memo");
    const QString path = home.dataFolder() + "Memo/200103.txt";
    home.write(path, "keep");
    TMemoStore store;
    TScriptedPrompter prompter;
    bool modified = false;
    QVERIFY(store.Save(mkMonthlyMemo, QDate(2001, 3, 1), QString(), modified, prompter));
    QCOMPARE(home.read(path), QByteArray("keep"));
    QVERIFY(!QFileInfo::exists(home.dataFolder() + "Memo/200103.bak"));
}

void TestMemoStore::failureKeepsModifiedAndShowsMessage_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("daily, no Memo folder") << int(mkDailyMemo) << "memo"
                                           << "メモの保存に失敗しました。";
    QTest::newRow("monthly, no Memo folder") << int(mkMonthlyMemo) << "memo"
                                             << "今月のメモの保存に失敗しました。";
    QTest::newRow("notebook, not storable") << int(mkNotebook) << "\U0001F600"
                                            << "雑記帳の保存に失敗しました。";
}

void TestMemoStore::failureKeepsModifiedAndShowsMessage()
{
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(QString, message);
    TTestHome home;
    TMemoStore store;
    TScriptedPrompter prompter;
    bool modified = true;
    QVERIFY(!store.Save(TMemoKind(kind), QDate(2001, 3, 7), text, modified, prompter));
    QCOMPARE(modified, true);
    QCOMPARE(prompter.kinds(), QStringList{"error"});
    QCOMPARE(prompter.texts(), QStringList{message});
    QCOMPARE(store.Busy(TMemoKind(kind)), false);
}

void TestMemoStore::failedWriteLeavesPreviousFile()
{
    TTestHome home;
    QDir().mkpath(home.dataFolder() + "Memo");
    const QString path = home.dataFolder() + "Memo/notebook.txt";
    home.write(path, "previous");
    TMemoStore store;
    TScriptedPrompter prompter;
    bool modified = true;
    QVERIFY(!store.Save(mkNotebook, {}, QStringLiteral("new \U0001F600"), modified, prompter));
    QCOMPARE(home.read(path), QByteArray("previous"));
}

void TestMemoStore::notebookSaveMakesMissingFolder()
{
    TTestHome home;
    TMemoStore store;
    TScriptedPrompter prompter;
    bool modified = true;
    QVERIFY(store.Save(mkNotebook, {}, QStringLiteral("note"), modified, prompter));
    QCOMPARE(home.read(home.dataFolder() + "Memo/notebook.txt"), QByteArray("note"));
    QVERIFY(prompter.messages.isEmpty());
}

void TestMemoStore::busyFlagOnlyDuringSave()
{
    TTestHome home;
    TMemoStore store;
    // The prompter's box is shown while the save is still under way.
    class TBusyProbe final : public TPrompter
    {
    public:
        explicit TBusyProbe(TMemoStore &s) : store(s) {}
        void Error(const QString &, const QString &) override { busyDuringBox = store.Busy(mkDailyMemo); }
        void Info(const QString &, const QString &) override {}
        bool Confirm(const QString &, const QString &) override { return false; }
        TMemoStore &store;
        bool busyDuringBox = false;
    } probe(store);
    bool modified = true;
    QVERIFY(!store.Save(mkDailyMemo, QDate(2001, 3, 7), QStringLiteral("x"), modified, probe));
    QCOMPARE(probe.busyDuringBox, true);
    QCOMPARE(store.Busy(mkDailyMemo), false);
}

void TestMemoStore::loadOfAnyBytes()
{
    TTestHome home;
    QDir().mkpath(home.dataFolder() + "Memo");
    home.write(home.dataFolder() + "Memo/20010307.txt", QByteArray("ok\x81\r\n\xFF\x00z", 8));
    TMemoStore store;
    const TTextLoad load = store.Load(mkDailyMemo, QDate(2001, 3, 7));
    QVERIFY(load.ok);
    QVERIFY(load.text.startsWith(QStringLiteral("ok")));
    QVERIFY(load.text.contains(QChar(0xFFFD)));
    QVERIFY(load.text.endsWith(QLatin1Char('z')));
    const TTextLoad missing = store.Load(mkDailyMemo, QDate(2001, 3, 8));
    QVERIFY(missing.ok);
    QCOMPARE(missing.exists, false);
    QCOMPARE(missing.text, QString());
}

void TestMemoStore::saveTextAsWritesAndRemembersFolder()
{
    TTestHome home;
    QCOMPARE(TextSaveDir(), QString());
    const QString folder = home.root() + "export/";
    QDir().mkpath(folder);
    home.write(folder + "out.txt", "replaced without asking");
    QVERIFY(SaveTextAs(folder + "out.txt", QStringLiteral("雑記\nline")).ok);
    QCOMPARE(home.read(folder + "out.txt"), QByteArray("\x8E\x47\x8B\x4C\r\nline"));
    QCOMPARE(TextSaveDir(), folder);
    QVERIFY(!QFileInfo::exists(folder + "out.bak"));
    QVERIFY(!SaveTextAs(home.root() + "missing/out.txt", QStringLiteral("x")).ok);
    QCOMPARE(TextSaveDir(), folder);
}

QTEST_GUILESS_MAIN(TestMemoStore)
#include "test_memostore.moc"
