#include "notes/tnote.h"
#include "notetestsupport.h"

#include <QtTest>

class TestNotePages : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pageListIsTxtFilesInTitleOrder();
    void selectionAfterReload_data();
    void selectionAfterReload();
    void createPageNumbersFreeTitles();
    void createPageNeedsANote();
    void renamePage_data();
    void renamePage();
    void renamePageRefusedByFileSystemKeepsOldName();
    void deletePagesQuestionsAndBackups_data();
    void deletePagesQuestionsAndBackups();
    void movePagesAsksPerCollision();
    void movePagesOntoOwnOrNoNoteChangesNothing_data();
    void movePagesOntoOwnOrNoNoteChangesNothing();
    void savePageKeepsEmptyFileAndIsCrashSafe();
    void templateText_data();
    void templateText();
    void importNotebook();
    void importNotebookRefusals_data();
    void importNotebookRefusals();
    void tnoteWritesLinesWithCrLf();
};

void TestNotePages::pageListIsTxtFilesInTitleOrder()
{
    TNoteHome home;
    home.makePage("n", "b");
    home.makePage("n", "A");
    home.makePage("n", "会議");
    home.makePage("n", "a");
    home.write(home.noteFolder() + "n/old.bak", "");
    home.write(home.noteFolder() + "n/upper.TXT", "");
    QDir().mkpath(home.noteFolder() + "n/sub.txt");
    TScriptedPrompter prompter;
    TNoteStore store(prompter);
    const QList<TNotePage> pages = store.PageList("n");
    QCOMPARE(titlesOf(pages), (QStringList{"A", "a", "b", "会議"}));
    QCOMPARE(pages[3].Path, home.page("n", QStringLiteral("会議")));
    QVERIFY(store.PageList("missing").isEmpty());
}

void TestNotePages::selectionAfterReload_data()
{
    QTest::addColumn<QString>("remembered");
    QTest::addColumn<int>("index");
    QTest::newRow("exact") << "beta" << 1;
    QTest::newRow("prefix picks first such") << "be" << 1;
    QTest::newRow("none begins so: first") << "zeta" << 0;
    QTest::newRow("nothing remembered: first") << "" << 0;
}

void TestNotePages::selectionAfterReload()
{
    QFETCH(QString, remembered);
    QFETCH(int, index);
    const QList<TNotePage> pages{{"alpha", ""}, {"beta", ""}, {"beta2", ""}};
    QCOMPARE(TNoteStore::PageToSelect(pages, remembered), index);
    QCOMPARE(TNoteStore::PageToSelect({}, remembered), -1);
}

void TestNotePages::createPageNumbersFreeTitles()
{
    TNoteHome home;
    home.makeNote("n");
    TScriptedPrompter prompter;
    TNoteStore store(prompter);
    QCOMPARE(store.CreatePage(1, "n"), QStringLiteral("新しいページ"));
    QCOMPARE(store.CreatePage(1, "n"), QStringLiteral("新しいページ(1)"));
    QCOMPARE(store.CreatePage(1, "n"), QStringLiteral("新しいページ(2)"));
    QVERIFY(home.exists(home.page("n", QStringLiteral("新しいページ(2)"))));
    QCOMPARE(home.read(home.page("n", QStringLiteral("新しいページ"))), QByteArray());
    QVERIFY(prompter.messages.isEmpty());
}

void TestNotePages::createPageNeedsANote()
{
    TNoteHome home;
    TScriptedPrompter prompter;
    TNoteStore store(prompter);
    QCOMPARE(store.CreatePage(0, QString()), QString());
    QCOMPARE(prompter.kinds(), QStringList{"info"});
    QCOMPARE(prompter.texts(), QStringList{QStringLiteral(
                                   "ノートが存在しません。\r\nページを作成する前にノートを作成してください。\r\n")});
    prompter.clear();
    QCOMPARE(store.CreatePage(2, QString()), QString()); // notes, none selected: nothing at all
    QVERIFY(prompter.messages.isEmpty());
}

void TestNotePages::renamePage_data()
{
    QTest::addColumn<QString>("newTitle");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("message");
    const QString chars = QStringLiteral("ノートのページタイトルに以下の文字は使えません。\r\n\\/"
                                         ":,;*?\"<>|\r\n使用したい場合は全角で入力してください。");
    QTest::newRow("full-width colon accepted") << "会議：予定" << int(TNoteStore::rpRenamed) << "";
    QTest::newRow("blank") << "   " << int(TNoteStore::rpEditAgain) << "ページの名前を入力してください。";
    QTest::newRow("colon") << "会議:予定" << int(TNoteStore::rpEditAgain) << chars;
    QTest::newRow("ends in question mark") << "why?" << int(TNoteStore::rpEditAgain) << chars;
    QTest::newRow("only dots") << "..." << int(TNoteStore::rpEditAgain) << chars;
    QTest::newRow("longer than a file name") << QString(260, QChar(0x3042)) << int(TNoteStore::rpEditAgain) << chars;
    QTest::newRow("existing") << "other" << int(TNoteStore::rpEditAgain)
                              << "otherはすでに存在します。別の名前を指定してください。";
    QTest::newRow("unchanged") << "old" << int(TNoteStore::rpUnchanged) << "";
}

void TestNotePages::renamePage()
{
    QFETCH(QString, newTitle);
    QFETCH(int, result);
    QFETCH(QString, message);
    TNoteHome home;
    home.makePage("n", "old", "text");
    home.makePage("n", "other");
    TScriptedPrompter prompter;
    TNoteStore store(prompter);
    QCOMPARE(int(store.RenamePage("n", "old", newTitle)), result);
    QCOMPARE(prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    const QString kept = result == TNoteStore::rpRenamed ? newTitle : QStringLiteral("old");
    QCOMPARE(home.read(home.page("n", kept)), QByteArray("text"));
    QCOMPARE(store.PageList("n").size(), 2);
}

void TestNotePages::renamePageRefusedByFileSystemKeepsOldName()
{
    TNoteHome home;
    home.makePage("n", "old", "text");
    TScriptedPrompter prompter;
    TNoteStore store(prompter);
    // The rename is refused when the page's note folder went away underneath.
    QCOMPARE(int(store.RenamePage("gone", "old", "new")), int(TNoteStore::rpFailed));
    QCOMPARE(prompter.kinds(), QStringList{"error"});
    QVERIFY(prompter.texts().first().startsWith(QStringLiteral("ノートの保存に失敗しました。\r\n")));
    QVERIFY(prompter.texts().first().size() > QStringLiteral("ノートの保存に失敗しました。\r\n").size());
    QCOMPARE(home.read(home.page("n", "old")), QByteArray("text"));
}

void TestNotePages::deletePagesQuestionsAndBackups_data()
{
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("question");
    QTest::newRow("one") << QStringList{"p1"} << "p1\r\nを削除してもよろしいですか？";
    QTest::newRow("several") << QStringList{"p1", "p2"} << "選択されているページすべてを削除してもよろしいですか？";
}

void TestNotePages::deletePagesQuestionsAndBackups()
{
    QFETCH(QStringList, titles);
    QFETCH(QString, question);
    TNoteHome home;
    home.makePage("n", "p1", "one");
    home.makePage("n", "p2", "two");
    TScriptedPrompter prompter;
    TNoteStore store(prompter);
    prompter.answers = {false};
    QVERIFY(!store.DeletePages("n", titles));
    QCOMPARE(prompter.texts(), QStringList{question});
    QCOMPARE(store.PageList("n").size(), 2);

    prompter.answers = {true};
    QVERIFY(store.DeletePages("n", titles));
    QCOMPARE(store.PageList("n").size(), 2 - titles.size());
    QCOMPARE(home.read(home.noteFolder() + "n/p1.bak"), QByteArray("one"));
}

void TestNotePages::movePagesAsksPerCollision()
{
    TNoteHome home;
    home.makePage("src", "a", "A");
    home.makePage("src", "b", "B");
    home.makePage("dst", "b", "old b");
    TScriptedPrompter prompter;
    prompter.answers = {false};
    TNoteStore store(prompter);
    QCOMPARE(store.MovePages("src", {"a", "b"}, "dst"), QStringList{"a"});
    QCOMPARE(prompter.texts(), QStringList{QStringLiteral(
                                   "このノートには同タイトルのページが存在します。\r\n上書きしてもよろしいですか？")});
    QCOMPARE(home.read(home.page("dst", "a")), QByteArray("A"));
    QCOMPARE(home.read(home.page("dst", "b")), QByteArray("old b"));
    QCOMPARE(home.read(home.page("src", "b")), QByteArray("B"));
    QVERIFY(!home.exists(home.page("src", "a")));
    QCOMPARE(home.read(home.noteFolder() + "src/a.bak"), QByteArray("A"));

    prompter.answers = {true};
    QCOMPARE(store.MovePages("src", {"b"}, "dst"), QStringList{"b"});
    QCOMPARE(home.read(home.page("dst", "b")), QByteArray("B"));
}

void TestNotePages::movePagesOntoOwnOrNoNoteChangesNothing_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("own note") << "src";
    QTest::newRow("no note") << "";
    QTest::newRow("vanished note") << "gone";
}

void TestNotePages::movePagesOntoOwnOrNoNoteChangesNothing()
{
    QFETCH(QString, target);
    TNoteHome home;
    home.makePage("src", "a", "A");
    TScriptedPrompter prompter;
    TNoteStore store(prompter);
    QCOMPARE(store.MovePages("src", {"a"}, target), QStringList());
    QCOMPARE(home.read(home.page("src", "a")), QByteArray("A"));
    QVERIFY(!home.exists(home.noteFolder() + "src/a.bak"));
    QVERIFY(prompter.messages.isEmpty());
}

void TestNotePages::savePageKeepsEmptyFileAndIsCrashSafe()
{
    TNoteHome home;
    home.makePage("n", "p", "before");
    TScriptedPrompter prompter;
    TNoteStore store(prompter);
    const QString path = home.page("n", "p");
    QVERIFY(store.SavePage(path, QStringLiteral("一\n二")));
    QCOMPARE(home.read(path), QByteArray("\x88\xEA\r\n\x93\xF1"));
    QCOMPARE(store.LoadPage(path).text, QStringLiteral("一\n二"));
    QVERIFY(store.SavePage(path, QString()));
    QVERIFY(home.exists(path));
    QCOMPARE(home.read(path), QByteArray());
    home.write(path, "kept");
    QVERIFY(!store.SavePage(path, QStringLiteral("\U0001F600")));
    QCOMPARE(prompter.texts().size(), 1);
    QVERIFY(prompter.texts().first().startsWith(QStringLiteral("ノートの保存に失敗しました。")));
    QCOMPARE(home.read(path), QByteArray("kept"));
}

void TestNotePages::templateText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("last line without break") << QByteArray("a\r\nb") << "a\nb\n";
    QTest::newRow("last line with break") << QByteArray("a\r\nb\r\n") << "a\nb\n";
    QTest::newRow("empty lines kept") << QByteArray("\r\n\r\nx") << "\n\nx\n";
    QTest::newRow("empty file") << QByteArray() << "";
    QTest::newRow("undecodable byte") << QByteArray("\x81") << QString(QChar(0xFFFD)) + "\n";
}

void TestNotePages::templateText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    TNoteHome home;
    const QString path = home.dataFolder() + "template.txt";
    home.write(path, bytes);
    const TTextLoad load = TNoteStore::TemplateText(path);
    QVERIFY(load.ok);
    QCOMPARE(load.text, text);
}

void TestNotePages::importNotebook()
{
    TNoteHome home;
    home.makeNote("n");
    TScriptedPrompter prompter;
    TNoteStore store(prompter);
    const QDateTime now(QDate(2001, 3, 7), QTime(14, 5, 9));
    QCOMPARE(TNoteStore::ImportTitle(now), QStringLiteral("雑記帳 2001年03月07日 14時05分09秒"));
    QCOMPARE(store.ImportNotebook(1, "n", QStringLiteral("first\nsecond"), now), TNoteStore::ImportTitle(now));
    const QString path = home.page("n", TNoteStore::ImportTitle(now));
    QCOMPARE(home.read(path), QByteArray("first\r\nsecond\r\n"));
    // The same second again replaces the page.
    QCOMPARE(store.ImportNotebook(1, "n", QStringLiteral("again"), now), TNoteStore::ImportTitle(now));
    QCOMPARE(home.read(path), QByteArray("again\r\n"));
    QCOMPARE(store.PageList("n").size(), 1);
    QVERIFY(prompter.messages.isEmpty());
}

void TestNotePages::importNotebookRefusals_data()
{
    QTest::addColumn<int>("notes");
    QTest::addColumn<QString>("note");
    QTest::addColumn<QString>("notebook");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("no note") << 0 << ""
                             << "x"
                             << "info"
                             << "ノートが存在しません。\r\nページを作成する前にノートを作成してください。\r\n";
    QTest::newRow("none selected") << 1 << ""
                                   << "x"
                                   << "error"
                                   << "アクティブなノートがありません。雑記帳を取り込みたいノートを選択してください";
    QTest::newRow("empty notebook") << 1 << "n"
                                    << ""
                                    << "info"
                                    << "雑記帳には何も書かれていないので取り込みをキャンセルします。";
}

void TestNotePages::importNotebookRefusals()
{
    QFETCH(int, notes);
    QFETCH(QString, note);
    QFETCH(QString, notebook);
    QFETCH(QString, kind);
    QFETCH(QString, message);
    TNoteHome home;
    home.makeNote("n");
    TScriptedPrompter prompter;
    TNoteStore store(prompter);
    QCOMPARE(store.ImportNotebook(notes, note, notebook, QDateTime(QDate(2001, 3, 7), QTime(1, 2, 3))), QString());
    QCOMPARE(prompter.kinds(), QStringList{kind});
    QCOMPARE(prompter.texts(), QStringList{message});
    QVERIFY(store.PageList("n").isEmpty());
}

void TestNotePages::tnoteWritesLinesWithCrLf()
{
    TNoteHome home;
    TNote note;
    note.FileName = home.noteFolder() + "made/on/demand.txt";
    QVERIFY(note.Save().ok);
    QCOMPARE(home.read(note.FileName), QByteArray());
    note.Lines = {QStringLiteral("a"), QString(), QStringLiteral("表")};
    QVERIFY(note.Save().ok);
    QCOMPARE(home.read(note.FileName), QByteArray("a\r\n\r\n\x95\x5c\r\n"));
    QCOMPARE(TextLines(QStringLiteral("a\n\nb\n")), (QStringList{"a", "", "b"}));
    QCOMPARE(TextLines(QString()), QStringList());
}

QTEST_GUILESS_MAIN(TestNotePages)
#include "test_notepages.moc"
