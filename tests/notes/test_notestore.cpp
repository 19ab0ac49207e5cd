#include "notetestsupport.h"

#include <QtTest>

namespace {
const QString kCharMessageTail = QStringLiteral("\\/:,;*?\"<>|\r\n使用したい場合は全角で入力してください。");
}

class TestNoteStore : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void noteListIsFoldersInNameOrder();
    void reloadKeepsSelection();
    void vanishedNoteFolderIsReported();
    void createNoteNumbersFreeNames();
    void renameNoteMovesEveryEntry();
    void renameNoteRefusals_data();
    void renameNoteRefusals();
    void renameNoteReportsEntriesThatFail();
    void deleteNoteAsksAndRemovesBackupsToo();
    void deleteNoteAnsweredNoKeepsAll();
    void deleteNoteSelectsFollowingOrFirst();
    void deleteNoteFailureReport();
    void deleteNoteToTrash();
    void errorReportFormat();
};

void TestNoteStore::noteListIsFoldersInNameOrder()
{
    TNoteHome home;
    for (const QString &n : {QStringLiteral("b"), QStringLiteral("B"), QStringLiteral("会議"), QStringLiteral("a")})
        home.makeNote(n);
    home.write(home.noteFolder() + "stray.txt", "not a note");
    TScriptedPrompter prompter;
    TNoteStore store(prompter);
    QCOMPARE(store.NoteList(), (QStringList{"B", "a", "b", "会議"}));
}

void TestNoteStore::reloadKeepsSelection()
{
    TNoteHome home;
    home.makePage("a", "Plan");
    home.makePage("a", "Plan B");
    home.makePage("a", "Agenda");
    home.makeNote("b");
    TScriptedPrompter prompter;
    TNoteStore store(prompter);
    QCOMPARE(store.ReloadNoteList("b").Selected, 1);
    QCOMPARE(store.ReloadNoteList("B").Selected, -1); // exact comparison
    QCOMPARE(store.ReloadNoteList(QString()).Selected, -1);
    const TNoteStore::TPageListing pages = store.ReloadPageList("a", "Plan");
    QCOMPARE(titlesOf(pages.Pages), (QStringList{"Agenda", "Plan", "Plan B"}));
    QCOMPARE(pages.Selected, 1);
    QCOMPARE(store.ReloadPageList("b", "Plan").Selected, -1);
}

void TestNoteStore::vanishedNoteFolderIsReported()
{
    TNoteHome home;
    home.makeNote("here");
    TScriptedPrompter prompter;
    TNoteStore store(prompter);
    QVERIFY(store.CheckNoteFolder("here"));
    QVERIFY(!store.CheckNoteFolder("gone"));
    QCOMPARE(prompter.texts(),
             QStringList{QStringLiteral(
                 "このフォルダは存在しません。\r\nエクスプローラなどで、削除したノートのフォルダを開いていると、そのフ"
                 "ォルダは\r\n"
                 "削除されていても、エクスプローラで他のフォルダを開くまで形だけ残ってしまう場合\r\nがあります。")});
}

void TestNoteStore::createNoteNumbersFreeNames()
{
    TNoteHome home;
    TScriptedPrompter prompter;
    TNoteStore store(prompter);
    QCOMPARE(store.CreateNote(), QStringLiteral("新しいノート"));
    QCOMPARE(store.CreateNote(), QStringLiteral("新しいノート(1)"));
    QCOMPARE(store.CreateNote(), QStringLiteral("新しいノート(2)"));
    QVERIFY(QFileInfo(home.noteFolder() + "新しいノート(2)").isDir());
    QVERIFY(prompter.messages.isEmpty());
}

void TestNoteStore::renameNoteMovesEveryEntry()
{
    TNoteHome home;
    home.makePage("old", "p1", "one");
    home.write(home.noteFolder() + "old/p2.bak", "backup");
    QDir().mkpath(home.noteFolder() + "old/sub");
    TScriptedPrompter prompter;
    TNoteStore store(prompter);
    QVERIFY(store.RenameNote("old", QStringLiteral("会議：予定")));
    QVERIFY(prompter.messages.isEmpty());
    QVERIFY(!home.exists(home.noteFolder() + "old"));
    QCOMPARE(home.read(home.page(QStringLiteral("会議：予定"), "p1")), QByteArray("one"));
    QCOMPARE(home.read(home.noteFolder() + "会議：予定/p2.bak"), QByteArray("backup"));
    QVERIFY(QFileInfo(home.noteFolder() + "会議：予定/sub").isDir());
}

void TestNoteStore::renameNoteRefusals_data()
{
    QTest::addColumn<QString>("newName");
    QTest::addColumn<QString>("message");
    const QString chars = QStringLiteral("ノートのタイトルに以下の文字は使えません。\r\n") + kCharMessageTail;
    const QString exists =
        QStringLiteral("oldは変更できません。\r\n%1はすでに存在します。別の名前を指定してください。");
    QTest::newRow("existing") << "other" << exists.arg("other");
    QTest::newRow("empty names the Note folder") << "" << exists.arg("");
    QTest::newRow("colon") << "会議:予定" << chars;
    QTest::newRow("question mark last") << "what?" << chars;
    QTest::newRow("slash") << "a/b" << chars;
    QTest::newRow("only dots") << ".." << chars;
    QTest::newRow("one dot") << "." << chars;
    QTest::newRow("too long") << QString(300, QLatin1Char('x')) << chars;
}

void TestNoteStore::renameNoteRefusals()
{
    QFETCH(QString, newName);
    QFETCH(QString, message);
    TNoteHome home;
    home.makePage("old", "p", "keep");
    home.makeNote("other");
    TScriptedPrompter prompter;
    TNoteStore store(prompter);
    QVERIFY(!store.RenameNote("old", newName));
    QCOMPARE(prompter.kinds(), QStringList{"error"});
    QCOMPARE(prompter.texts(), QStringList{message});
    QCOMPARE(home.read(home.page("old", "p")), QByteArray("keep"));
    QCOMPARE(store.NoteList(), (QStringList{"old", "other"}));
}

void TestNoteStore::renameNoteReportsEntriesThatFail()
{
    TNoteHome home;
    // A data folder so deep that a longer note name pushes one entry's path
    // past the platform's limit: that entry cannot move, the others can.
    QString deep = home.root();
    while (deep.size() + 201 <= 3850)
        deep += QString(200, QLatin1Char('d')) + QLatin1Char('/');
    deep += QString(3850 - deep.size() - 1, QLatin1Char('d')) + QLatin1Char('/');
    QCOMPARE(deep.size(), 3850);
    QVERIFY(QDir().mkpath(deep + "Note/old"));
    Global().CurrentDataFolder = deep;
    const QString longEntry = QString(217, QLatin1Char('e')) + QStringLiteral(".txt"); // the path: 4080 bytes
    home.write(deep + "Note/old/short.txt", "s");
    home.write(deep + "Note/old/" + longEntry, "l");
    QCOMPARE(home.read(deep + "Note/old/" + longEntry), QByteArray("l"));

    TScriptedPrompter prompter;
    TNoteStore store(prompter);
    const QString newName = QString(40, QLatin1Char('n'));
    QVERIFY(store.RenameNote("old", newName));
    const QString moveLine =
        longEntry.left(longEntry.size() - 4) + QStringLiteral("を新しいノートへの移動するのに失敗しました。\r\n");
    QCOMPARE(
        prompter.texts(),
        (QStringList{
            QStringLiteral("Error #%1\r\n").arg(ENAMETOOLONG) + moveLine,
            QStringLiteral("Error #%1\r\n").arg(ENOTEMPTY) + moveLine +
                QStringLiteral("ノートの削除に失敗しました。\r\n") + deep +
                QStringLiteral("Note/old\r\nに削除できないファイルがあるか、他のプログラムで\r\n使用されています。")}));
    QCOMPARE(home.read(deep + "Note/" + newName + "/short.txt"), QByteArray("s"));
    QCOMPARE(home.read(deep + "Note/old/" + longEntry), QByteArray("l")); // left where it was, not lost
}

void TestNoteStore::deleteNoteAsksAndRemovesBackupsToo()
{
    TNoteHome home;
    home.makePage("n", "p", "text");
    home.write(home.noteFolder() + "n/q.bak", "old page");
    home.makeNote("z");
    TScriptedPrompter prompter;
    prompter.answers = {true};
    TNoteStore store(prompter);
    const TNoteStore::TDeleteNoteResult r = store.DeleteNote("n");
    QVERIFY(r.deleted);
    QCOMPARE(r.select, QStringLiteral("z"));
    QCOMPARE(prompter.texts(),
             QStringList{QStringLiteral(
                 "「n」を削除すると、このノートにあるすべてのページも削除されます。\r\nよろしいですか？")});
    QVERIFY(!home.exists(home.noteFolder() + "n"));
}

void TestNoteStore::deleteNoteAnsweredNoKeepsAll()
{
    TNoteHome home;
    home.makePage("n", "p", "text");
    TScriptedPrompter prompter;
    prompter.answers = {false};
    TNoteStore store(prompter);
    QVERIFY(!store.DeleteNote("n").deleted);
    QCOMPARE(home.read(home.page("n", "p")), QByteArray("text"));

    TNoteHome quiet(false);
    quiet.makePage("n", "p", "text");
    TScriptedPrompter silent;
    TNoteStore store2(silent);
    QVERIFY(store2.DeleteNote("n").deleted);
    QVERIFY(silent.messages.isEmpty());
}

void TestNoteStore::deleteNoteSelectsFollowingOrFirst()
{
    TNoteHome home(false);
    for (const char *n : {"a", "b", "c"})
        home.makeNote(n);
    TScriptedPrompter prompter;
    TNoteStore store(prompter);
    QCOMPARE(store.DeleteNote("b").select, QStringLiteral("c"));
    QCOMPARE(store.DeleteNote("c").select, QStringLiteral("a")); // the last: the first is selected
    QCOMPARE(store.DeleteNote("a").select, QString());
    QVERIFY(store.DeleteNote("a").deleted == false);
}

void TestNoteStore::deleteNoteFailureReport()
{
    TNoteHome home(false);
    home.makePage("n", "p");
    QDir().mkpath(home.noteFolder() + "n/sub"); // only files are deleted; the folder stays non-empty
    TScriptedPrompter prompter;
    TNoteStore store(prompter);
    QVERIFY(!store.DeleteNote("n").deleted);
    QCOMPARE(prompter.kinds(), QStringList{"error"});
    QCOMPARE(prompter.texts().first(),
             QStringLiteral("Error #%1\r\n").arg(ENOTEMPTY) + QStringLiteral("ノートの削除に失敗しました。\r\n") +
                 home.noteFolder() +
                 QStringLiteral("n\r\nに削除できないﾌｧｲﾙがあるか、他のプログラムで\r\n"
                                "使用されています。後で再び削除してみるか、エ\r\n"
                                "クスプローラ等を使って手動でこのフォルダを削\r\n除してください。"));
    QVERIFY(!home.exists(home.page("n", "p")));
}

void TestNoteStore::deleteNoteToTrash()
{
    TNoteHome home(false);
    home.setSettings("[SETTINGS]\r\nDeleteMessage=0\r\nUseRecycleBin=1\r\n");
    home.makePage("n", "p", "text");
    TScriptedPrompter prompter;
    TNoteStore store(prompter);
    QVERIFY(store.DeleteNote("n").deleted);
    QVERIFY(!home.exists(home.noteFolder() + "n"));
    // The private trash of the test home holds it.
    QVERIFY(QFileInfo::exists(home.root() + "xdg/Trash/files/n/p.txt"));
}

void TestNoteStore::errorReportFormat()
{
    TScriptedPrompter prompter;
    TNoteStore store(prompter);
    store.ShowErrorReport(5, QStringLiteral("text"));
    QCOMPARE(prompter.texts(), QStringList{"Error #5\r\ntext"});
}

QTEST_GUILESS_MAIN(TestNoteStore)
#include "test_notestore.moc"
