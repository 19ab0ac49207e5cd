#include "core/appglobal.h"
#include "core/clock.h"
#include "core/cp932.h"
#include "support/scriptedprompter.h"
#include "support/testhome.h"
#include "ui/application.h"
#include "ui/fontconv.h"
#include "ui/notesview.h"

#include <QDir>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMenu>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

const QString kForbidden = QStringLiteral("\\/:,;*?\"<>|");

// Types text key by key, as an input method commits it (QTest's own typing
// only knows Latin-1).
void typeText(QWidget *w, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// A shown view over a private data folder, with the settings given.
struct TView
{
    TTestHome home;
    TScriptedPrompter prompter;
    TFixedClock clock{QDateTime(QDate(2001, 3, 7), QTime(14, 5, 9))};
    std::unique_ptr<TNotesView> v;

    explicit TView(const QByteArray &settings = "[SETTINGS]\r\nDeleteMessage=0\r\n", const std::function<void(TView &)> &prepare = {})
    {
        home.setSettings(settings);
        QDir().mkpath(noteFolder());
        if (prepare)
            prepare(*this);
        v = std::make_unique<TNotesView>(prompter, clock);
        v->resize(900, 560);
        v->show();
        v->ReloadNoteList();
        settle();
    }

    QString noteFolder() const { return home.dataFolder() + QStringLiteral("Note/"); }
    QString page(const QString &note, const QString &title) const { return noteFolder() + note + QLatin1Char('/') + title + QStringLiteral(".txt"); }
    void addNote(const QString &note, const QStringList &titles = {}) const
    {
        QDir().mkpath(noteFolder() + note);
        for (const QString &title : titles)
            home.write(page(note, title), cp932::encodeLossy(note + QLatin1Char('/') + title));
    }
    QString text(const QString &path) const { return cp932::decode(home.read(path)); }

    // Runs what the view has posted, including what those requests post.
    static void settle()
    {
        for (int i = 0; i < 6; ++i) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    QStringList notes() const
    {
        QStringList out;
        for (int i = 0; i < v->tvNoteCategories()->count(); ++i)
            out << v->tvNoteCategories()->item(i)->text();
        return out;
    }
    QStringList pages() const
    {
        QStringList out;
        for (int i = 0; i < v->lvNoteItems()->topLevelItemCount(); ++i)
            out << v->lvNoteItems()->topLevelItem(i)->text(0);
        return out;
    }
    void selectPages(const QStringList &titles) const
    {
        // As a click on the first and Ctrl+clicks on the others leave it.
        QTreeWidget *list = v->lvNoteItems();
        QTreeWidgetItem *first = nullptr;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            QTreeWidgetItem *item = list->topLevelItem(i);
            item->setSelected(titles.contains(item->text(0)));
            if (item->text(0) == titles.first())
                first = item;
        }
        list->setCurrentItem(first, 0, QItemSelectionModel::NoUpdate);
    }
    // The open in-place name editor of a list (closed ones linger hidden).
    QLineEdit *nameEditor(QAbstractItemView *list) const
    {
        for (QLineEdit *e : list->findChildren<QLineEdit *>())
            if (e->isVisible())
                return e;
        return nullptr;
    }
    // Types a name into the open in-place editor and presses Enter.
    void typeName(QAbstractItemView *list, const QString &name) const
    {
        QLineEdit *editor = nameEditor(list);
        QVERIFY(editor);
        editor->selectAll();
        editor->del();
        if (!name.isEmpty())
            typeText(editor, name);
        QTest::keyClick(editor, Qt::Key_Return);
        settle();
    }
};

QByteArray settingsWith(const char *lines)
{
    return QByteArray("[SETTINGS]\r\n") + lines;
}

} // namespace

class TestNotesView : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void newNotesAndPagesNumberedInARow();
    void doubleClickOnEmptySpaceCreates();
    void noteRenamedInPlace_data();
    void noteRenamedInPlace();
    void pageRenamedInPlace_data();
    void pageRenamedInPlace();
    void pageRenameKeepsUnsavedText();
    void noteRenameCarriesTheOpenPage();
    void renameEndedByClickingAnotherNote();
    void deletePagesByKey_data();
    void deletePagesByKey();
    void deleteNoteByKey_data();
    void deleteNoteByKey();
    void dropPagesOntoNote_data();
    void dropPagesOntoNote();
    void dropOntoOwnNoteOrFromElsewhereRefused();
    void templateInsertsEndingInLineBreak_data();
    void templateInsertsEndingInLineBreak();
    void importNotebookWritesTimedPage();
    void importNotebookRefusals_data();
    void importNotebookRefusals();
    void enabledStatesFollowNotesAndPages();
    void reloadsArePostedAndWaitForEdits();
    void reloadSelectsPageByTitlePrefix();
    void pageSavedOnlyWhenChanged();
    void compositionDefersSave();
    void unsavableTextKeepsItsPage();
    void vanishedNoteFolderReported();
    void popupMenusFollowSelection();
    void screenshotShowsEverything();
};

void TestNotesView::newNotesAndPagesNumberedInARow()
{
    TView t;
    for (int i = 0; i < 3; ++i) {
        t.v->CreateNote();
        QVERIFY(t.v->isEditingName()); // each new note starts its renaming
        QTest::keyClick(t.nameEditor(t.v->tvNoteCategories()), Qt::Key_Escape);
        t.settle();
    }
    QCOMPARE(t.notes(), QStringList({"新しいノート", "新しいノート(1)", "新しいノート(2)"}));
    QCOMPARE(t.v->selectedNote(), QStringLiteral("新しいノート(2)"));

    QSignalSpy saveAll(t.v.get(), &TNotesView::saveAllRequested);
    for (int i = 0; i < 3; ++i) {
        t.v->CreatePage();
        QVERIFY(t.v->isEditingName());
        QTest::keyClick(t.nameEditor(t.v->lvNoteItems()), Qt::Key_Escape);
        t.settle();
    }
    QCOMPARE(saveAll.count(), 3);
    QCOMPARE(t.pages(), QStringList({"新しいページ", "新しいページ(1)", "新しいページ(2)"}));
    QCOMPARE(t.v->selectedPage(), QStringLiteral("新しいページ(2)"));
    QCOMPARE(t.home.read(t.page(QStringLiteral("新しいノート(2)"), QStringLiteral("新しいページ(1)"))), QByteArray());
    QVERIFY(t.prompter.messages.isEmpty());
}

void TestNotesView::doubleClickOnEmptySpaceCreates()
{
    TView t({}, [](TView &t) { t.addNote(QStringLiteral("A"), {QStringLiteral("p")}); });
    QCOMPARE(t.notes(), QStringList({"A"}));
    QTest::mouseDClick(t.v->tvNoteCategories()->viewport(), Qt::LeftButton, {}, QPoint(10, t.v->tvNoteCategories()->viewport()->height() - 5));
    t.settle();
    QCOMPARE(t.notes(), QStringList({"A", "新しいノート"}));
    QVERIFY(t.v->isEditingName());
    QTest::keyClick(t.nameEditor(t.v->tvNoteCategories()), Qt::Key_Escape);
    t.settle();

    QTest::mouseDClick(t.v->lvNoteItems()->viewport(), Qt::LeftButton, {}, QPoint(10, t.v->lvNoteItems()->viewport()->height() - 5));
    t.settle();
    QCOMPARE(t.pages(), QStringList({"新しいページ"}));
    QVERIFY(QFileInfo::exists(t.page(QStringLiteral("新しいノート"), QStringLiteral("新しいページ"))));
}

void TestNotesView::noteRenamedInPlace_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("notes");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("full-width colon") << "会議：予定" << QStringList{"会議：予定", "別のノート"} << QStringList{};
    QTest::newRow("colon") << "会議:予定" << QStringList{"新しいノート", "別のノート"}
                           << QStringList{"ノートのタイトルに以下の文字は使えません。\r\n" + kForbidden + "\r\n使用したい場合は全角で入力してください。"};
    QTest::newRow("taken") << "別のノート" << QStringList{"新しいノート", "別のノート"}
                           << QStringList{"新しいノートは変更できません。\r\n別のノートはすでに存在します。別の名前を指定してください。"};
    QTest::newRow("empty names the Note folder") << "" << QStringList{"新しいノート", "別のノート"}
                                                 << QStringList{"新しいノートは変更できません。\r\nはすでに存在します。別の名前を指定してください。"};
}

void TestNotesView::noteRenamedInPlace()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, notes);
    QFETCH(QStringList, messages);
    TView t({}, [](TView &t) {
        t.addNote(QStringLiteral("新しいノート"), {QStringLiteral("頁")});
        t.addNote(QStringLiteral("別のノート"));
    });
    t.v->SelectNote(QStringLiteral("新しいノート"));
    t.v->RenameSelectedNote();
    t.typeName(t.v->tvNoteCategories(), typed);
    QCOMPARE(t.prompter.texts(), messages);
    QCOMPARE(t.notes(), notes);
    QCOMPARE(t.v->selectedNote(), notes.first());
    QCOMPARE(t.pages(), QStringList({"頁"}));
    QVERIFY(QFileInfo::exists(t.page(notes.first(), QStringLiteral("頁"))));
    QStringList folders = QDir(t.noteFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    folders.sort();
    notes.sort();
    QCOMPARE(folders, notes);
}

void TestNotesView::pageRenamedInPlace_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    const QString characters = "ノートのページタイトルに以下の文字は使えません。\r\n" + kForbidden + "\r\n使用したい場合は全角で入力してください。";
    QTest::newRow("full-width colon") << "会議：予定" << "会議：予定" << "";
    QTest::newRow("colon") << "会議:予定" << "a" << characters;
    QTest::newRow("question mark last") << "予定?" << "a" << characters;
    QTest::newRow("blank") << "  " << "a" << "ページの名前を入力してください。";
    QTest::newRow("taken") << "b" << "a" << "bはすでに存在します。別の名前を指定してください。";
}

void TestNotesView::pageRenamedInPlace()
{
    QFETCH(QString, typed);
    QFETCH(QString, title);
    QFETCH(QString, message);
    TView t({}, [](TView &t) { t.addNote(QStringLiteral("N"), {QStringLiteral("a"), QStringLiteral("b")}); });
    t.v->SelectNote(QStringLiteral("N"));
    t.settle();
    QCOMPARE(t.v->selectedPage(), QStringLiteral("a"));
    t.v->RenameSelectedPage();
    t.typeName(t.v->lvNoteItems(), typed);
    QCOMPARE(t.prompter.texts(), message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(t.v->selectedPage(), title);
    QVERIFY(QFileInfo::exists(t.page(QStringLiteral("N"), title)));
    QCOMPARE(t.text(t.page(QStringLiteral("N"), title)), QStringLiteral("N/a"));
    QCOMPARE(t.v->editorPath(), t.page(QStringLiteral("N"), title));
    // A refused title opens the in-place edit again.
    QCOMPARE(t.v->isEditingName(), !message.isEmpty());
    QCOMPARE(bool(t.nameEditor(t.v->lvNoteItems())), !message.isEmpty());
}

void TestNotesView::pageRenameKeepsUnsavedText()
{
    TView t({}, [](TView &t) { t.addNote(QStringLiteral("N"), {QStringLiteral("a")}); });
    t.v->SelectNote(QStringLiteral("N"));
    t.settle();
    QSignalSpy modified(t.v.get(), &TNotesView::modifiedChanged);
    t.v->memNote()->moveCursor(QTextCursor::End);
    typeText(t.v->memNote(), QStringLiteral("追記"));
    QCOMPARE(modified.count(), 1);
    QCOMPARE(modified.first().first().toBool(), true);
    QVERIFY(!t.v->memNote()->hasFocus()); // the rename itself must write the text
    QSignalSpy saveAll(t.v.get(), &TNotesView::saveAllRequested);
    t.v->RenameSelectedPage();
    t.typeName(t.v->lvNoteItems(), QStringLiteral("議事録"));
    QCOMPARE(t.home.read(t.page(QStringLiteral("N"), QStringLiteral("議事録"))), cp932::encodeLossy(QStringLiteral("N/a追記")));
    QVERIFY(!QFileInfo::exists(t.page(QStringLiteral("N"), QStringLiteral("a"))));
    QCOMPARE(t.pages(), QStringList({"議事録"}));
    QVERIFY(!t.v->isModified());
    QCOMPARE(saveAll.count(), 1);
}

void TestNotesView::noteRenameCarriesTheOpenPage()
{
    TView t({}, [](TView &t) { t.addNote(QStringLiteral("旧"), {QStringLiteral("p")}); });
    t.v->SelectNote(QStringLiteral("旧"));
    t.settle();
    t.v->memNote()->moveCursor(QTextCursor::End);
    typeText(t.v->memNote(), QStringLiteral("!"));
    t.v->RenameSelectedNote();
    t.typeName(t.v->tvNoteCategories(), QStringLiteral("新"));
    QCOMPARE(t.notes(), QStringList({"新"}));
    QCOMPARE(t.v->selectedNote(), QStringLiteral("新"));
    QCOMPARE(t.v->editorPath(), t.page(QStringLiteral("新"), QStringLiteral("p")));
    QCOMPARE(t.text(t.page(QStringLiteral("新"), QStringLiteral("p"))), QStringLiteral("旧/p!"));
    QVERIFY(!QFileInfo::exists(t.noteFolder() + QStringLiteral("旧")));
}

void TestNotesView::renameEndedByClickingAnotherNote()
{
    TView t({}, [](TView &t) {
        t.addNote(QStringLiteral("A"), {QStringLiteral("p")});
        t.addNote(QStringLiteral("B"), {QStringLiteral("q")});
    });
    QVERIFY(QTest::qWaitForWindowActive(t.v.get()));
    t.v->SelectNote(QStringLiteral("A"));
    t.settle();
    t.v->RenameSelectedNote();
    QLineEdit *editor = t.nameEditor(t.v->tvNoteCategories());
    QVERIFY(editor);
    editor->selectAll();
    typeText(editor, QStringLiteral("会議"));
    // Leaving the edit by choosing another note keeps the typed name.
    const QRect other = t.v->tvNoteCategories()->visualItemRect(t.v->tvNoteCategories()->item(1));
    QTest::mouseClick(t.v->tvNoteCategories()->viewport(), Qt::LeftButton, {}, other.center());
    t.settle();
    QVERIFY(!t.v->isEditingName());
    QVERIFY(t.prompter.messages.isEmpty());
    QCOMPARE(t.notes(), QStringList({"B", "会議"}));
    QCOMPARE(t.v->selectedNote(), QStringLiteral("B"));
    QCOMPARE(t.pages(), QStringList({"q"}));
    QVERIFY(QFileInfo::exists(t.page(QStringLiteral("会議"), QStringLiteral("p"))));
}

void TestNotesView::deletePagesByKey_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QStringList>("selected");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<QStringList>("left");
    const QByteArray ask = settingsWith("UseRecycleBin=0\r\nNoBackupFiles=0\r\n");
    const QByteArray quiet = settingsWith("DeleteMessage=0\r\nUseRecycleBin=0\r\nNoBackupFiles=0\r\n");
    QTest::newRow("one, yes") << ask << QStringList{"b"} << true << QStringList{"b\r\nを削除してもよろしいですか？"} << QStringList{"a", "c"};
    QTest::newRow("one, no") << ask << QStringList{"b"} << false << QStringList{"b\r\nを削除してもよろしいですか？"}
                             << QStringList{"a", "b", "c"};
    QTest::newRow("several, yes") << ask << QStringList{"a", "c"} << true
                                  << QStringList{"選択されているページすべてを削除してもよろしいですか？"} << QStringList{"b"};
    QTest::newRow("not asked") << quiet << QStringList{"a", "b"} << false << QStringList{} << QStringList{"c"};
}

void TestNotesView::deletePagesByKey()
{
    QFETCH(QByteArray, settings);
    QFETCH(QStringList, selected);
    QFETCH(bool, answer);
    QFETCH(QStringList, questions);
    QFETCH(QStringList, left);
    TView t(settings, [](TView &t) { t.addNote(QStringLiteral("N"), {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}); });
    t.v->SelectNote(QStringLiteral("N"));
    t.settle();
    t.selectPages(selected);
    t.prompter.answers = {answer};
    t.v->lvNoteItems()->setFocus();
    QTest::keyClick(t.v->lvNoteItems(), Qt::Key_Delete);
    QCOMPARE(t.prompter.texts(), questions);
    t.settle();
    QCOMPARE(t.pages(), left);
    for (const QString &title : {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}) {
        const bool kept = left.contains(title);
        QCOMPARE(QFileInfo::exists(t.page(QStringLiteral("N"), title)), kept);
        // A deleted page leaves its backup, which is never listed.
        QCOMPARE(t.home.read(t.noteFolder() + QStringLiteral("N/") + title + QStringLiteral(".bak")),
                 kept ? QByteArray() : QByteArray("N/" + title.toLatin1()));
    }
    QVERIFY(!t.v->editorPath().isEmpty());
}

void TestNotesView::deleteNoteByKey_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<QString>("victim");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QStringList>("notes");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<int>("questions");
    const QByteArray ask = settingsWith("UseRecycleBin=0\r\nNoBackupFiles=0\r\n");
    const QByteArray quiet = settingsWith("DeleteMessage=0\r\nUseRecycleBin=0\r\nNoBackupFiles=0\r\n");
    QTest::newRow("no keeps it") << ask << "B" << false << QStringList{"A", "B", "C"} << "B" << 1;
    QTest::newRow("yes selects the following note") << ask << "B" << true << QStringList{"A", "C"} << "C" << 1;
    QTest::newRow("last selects the first") << quiet << "C" << false << QStringList{"A", "B"} << "A" << 0;
    QTest::newRow("only note leaves nothing") << quiet << "only" << false << QStringList{} << "" << 0;
}

void TestNotesView::deleteNoteByKey()
{
    QFETCH(QByteArray, settings);
    QFETCH(QString, victim);
    QFETCH(bool, answer);
    QFETCH(QStringList, notes);
    QFETCH(QString, selected);
    QFETCH(int, questions);
    TView t(settings, [victim](TView &t) {
        const QStringList names = victim == QStringLiteral("only") ? QStringList{"only"} : QStringList{"A", "B", "C"};
        for (const QString &n : names)
            t.addNote(n, {QStringLiteral("p")});
        // What a deleted page leaves behind goes with its note.
        t.home.write(t.noteFolder() + victim + QStringLiteral("/old.bak"), "x");
    });
    t.v->SelectNote(victim);
    t.settle();
    t.prompter.answers = {answer};
    t.v->tvNoteCategories()->setFocus();
    QTest::keyClick(t.v->tvNoteCategories(), Qt::Key_Delete);
    t.settle();
    QCOMPARE(int(t.prompter.messages.size()), questions);
    if (questions)
        QCOMPARE(t.prompter.texts().first(), "「" + victim + "」を削除すると、このノートにあるすべてのページも削除されます。\r\nよろしいですか？");
    QCOMPARE(t.notes(), notes);
    QCOMPARE(t.v->selectedNote(), selected);
    QCOMPARE(QFileInfo::exists(t.noteFolder() + victim), notes.contains(victim));
    QCOMPARE(t.pages(), selected.isEmpty() ? QStringList() : QStringList{"p"});
    QCOMPARE(t.v->editorPath(), selected.isEmpty() ? QString() : t.page(selected, QStringLiteral("p")));
    QCOMPARE(t.v->memNote()->toPlainText(), selected.isEmpty() ? QString() : selected + QStringLiteral("/p"));
}

void TestNotesView::dropPagesOntoNote_data()
{
    QTest::addColumn<bool>("overwrite");
    QTest::newRow("no keeps the clashing page") << false;
    QTest::newRow("yes replaces it") << true;
}

void TestNotesView::dropPagesOntoNote()
{
    QFETCH(bool, overwrite);
    TView t(settingsWith("DeleteMessage=0\r\nUseRecycleBin=0\r\nNoBackupFiles=0\r\n"), [](TView &t) {
        t.addNote(QStringLiteral("A"), {QStringLiteral("p1"), QStringLiteral("p2")});
        t.addNote(QStringLiteral("B"), {QStringLiteral("p2")});
    });
    t.v->SelectNote(QStringLiteral("A"));
    t.settle();
    t.selectPages({QStringLiteral("p1"), QStringLiteral("p2")});
    t.prompter.answers = {overwrite};
    t.v->DropPagesOnNote(QStringLiteral("B"));
    QVERIFY(t.prompter.messages.isEmpty()); // asked after the drop, not inside it
    t.settle();
    QCOMPARE(t.prompter.texts(), QStringList{"このノートには同タイトルのページが存在します。\r\n上書きしてもよろしいですか？"});
    QCOMPARE(t.text(t.page(QStringLiteral("B"), QStringLiteral("p1"))), QStringLiteral("A/p1"));
    QVERIFY(!QFileInfo::exists(t.page(QStringLiteral("A"), QStringLiteral("p1"))));
    QCOMPARE(t.text(t.page(QStringLiteral("B"), QStringLiteral("p2"))), overwrite ? QStringLiteral("A/p2") : QStringLiteral("B/p2"));
    QCOMPARE(QFileInfo::exists(t.page(QStringLiteral("A"), QStringLiteral("p2"))), !overwrite);
    QCOMPARE(t.pages(), overwrite ? QStringList() : QStringList{"p2"});
    QCOMPARE(t.v->editorPath(), overwrite ? QString() : t.page(QStringLiteral("A"), QStringLiteral("p2")));
}

void TestNotesView::dropOntoOwnNoteOrFromElsewhereRefused()
{
    TView t({}, [](TView &t) {
        t.addNote(QStringLiteral("A"), {QStringLiteral("p")});
        t.addNote(QStringLiteral("B"));
    });
    t.v->SelectNote(QStringLiteral("A"));
    t.settle();
    t.v->DropPagesOnNote(QStringLiteral("A"));
    t.settle();
    QVERIFY(t.prompter.messages.isEmpty());
    QCOMPARE(t.pages(), QStringList({"p"}));
    QCOMPARE(t.text(t.page(QStringLiteral("A"), QStringLiteral("p"))), QStringLiteral("A/p"));

    QVERIFY(t.v->AcceptsDragFrom(t.v->lvNoteItems()));
    QVERIFY(!t.v->AcceptsDragFrom(t.v->tvNoteCategories()));
    QVERIFY(!t.v->AcceptsDragFrom(nullptr));
    // A drag that did not start in the page list (a file from elsewhere) is turned away.
    QMimeData mime;
    mime.setText(QStringLiteral("p"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(t.v->tvNoteCategories()->viewport(), &enter);
    QVERIFY(!enter.isAccepted());
}

void TestNotesView::templateInsertsEndingInLineBreak_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QString>("result");
    const QByteArray twoLines = cp932::encodeLossy(QStringLiteral("一行目\r\n二行目"));
    QTest::newRow("no final break, at the caret") << twoLines << 1 << 1 << "前一行目\n二行目\n後";
    QTest::newRow("with final break") << twoLines + "\r\n" << 1 << 1 << "前一行目\n二行目\n後";
    QTest::newRow("replaces the selection") << twoLines << 0 << 2 << "一行目\n二行目\n";
    QTest::newRow("empty template") << QByteArray() << 1 << 1 << "前後";
}

void TestNotesView::templateInsertsEndingInLineBreak()
{
    QFETCH(QByteArray, file);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QString, result);
    TView t({}, [&file](TView &t) {
        t.addNote(QStringLiteral("N"));
        t.home.write(t.page(QStringLiteral("N"), QStringLiteral("p")), cp932::encodeLossy(QStringLiteral("前後")));
        QDir().mkpath(t.home.dataFolder() + QStringLiteral("Templates"));
        t.home.write(t.home.dataFolder() + QStringLiteral("Templates/週報.txt"), file);
    });
    t.v->SelectNote(QStringLiteral("N"));
    t.settle();
    QString asked;
    t.v->chooseTemplateFile = [&](const QString &folder) {
        asked = folder;
        return folder + QStringLiteral("週報.txt");
    };
    QTextCursor cursor = t.v->memNote()->textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    t.v->memNote()->setTextCursor(cursor);
    t.v->InsertTemplate();
    QCOMPARE(asked, t.home.dataFolder() + QStringLiteral("Templates/"));
    QCOMPARE(t.v->memNote()->toPlainText(), result);
    QCOMPARE(t.v->memNote()->textCursor().position(), from);
    QCOMPARE(t.v->isModified(), !file.isEmpty() || from != to);

    // A cancelled dialog changes nothing.
    t.v->chooseTemplateFile = [](const QString &) { return QString(); };
    t.v->InsertTemplate();
    QCOMPARE(t.v->memNote()->toPlainText(), result);
}

void TestNotesView::importNotebookWritesTimedPage()
{
    TView t({}, [](TView &t) { t.addNote(QStringLiteral("N"), {QStringLiteral("a")}); });
    t.v->SelectNote(QStringLiteral("N"));
    t.settle();
    const QString title = QStringLiteral("雑記帳 2001年03月07日 14時05分09秒");
    t.v->ImportNotebook(QStringLiteral("一\n二\n"));
    QVERIFY(t.v->isEditingName());
    QCOMPARE(t.v->selectedPage(), title);
    QCOMPARE(t.home.read(t.page(QStringLiteral("N"), title)), cp932::encodeLossy(QStringLiteral("一\r\n二\r\n")));
    QTest::keyClick(t.nameEditor(t.v->lvNoteItems()), Qt::Key_Escape);
    t.settle();
    QCOMPARE(t.v->memNote()->toPlainText(), QStringLiteral("一\n二\n"));

    // The same second again: the page is replaced, and the editor shows the new text.
    t.v->ImportNotebook(QStringLiteral("三"));
    QTest::keyClick(t.nameEditor(t.v->lvNoteItems()), Qt::Key_Escape);
    t.settle();
    QCOMPARE(t.pages(), QStringList({"a", title}));
    QCOMPARE(t.home.read(t.page(QStringLiteral("N"), title)), cp932::encodeLossy(QStringLiteral("三\r\n")));
    QCOMPARE(t.v->memNote()->toPlainText(), QStringLiteral("三\n"));
    QVERIFY(t.prompter.messages.isEmpty());
}

void TestNotesView::importNotebookRefusals_data()
{
    QTest::addColumn<bool>("withNote");
    QTest::addColumn<bool>("select");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("no note") << false << false << "x" << "info"
                             << "ノートが存在しません。\r\nページを作成する前にノートを作成してください。\r\n";
    QTest::newRow("no selected note") << true << false << "x" << "error"
                                      << "アクティブなノートがありません。雑記帳を取り込みたいノートを選択してください";
    QTest::newRow("empty notebook") << true << true << "" << "info" << "雑記帳には何も書かれていないので取り込みをキャンセルします。";
}

void TestNotesView::importNotebookRefusals()
{
    QFETCH(bool, withNote);
    QFETCH(bool, select);
    QFETCH(QString, text);
    QFETCH(QString, kind);
    QFETCH(QString, message);
    TView t({}, [withNote](TView &t) {
        if (withNote)
            t.addNote(QStringLiteral("N"), {QStringLiteral("a")});
    });
    if (select)
        t.v->SelectNote(QStringLiteral("N"));
    t.settle();
    t.v->ImportNotebook(text);
    t.settle();
    QCOMPARE(t.prompter.kinds(), QStringList{kind});
    QCOMPARE(t.prompter.texts(), QStringList{message});
    QCOMPARE(QDir(t.noteFolder() + QStringLiteral("N")).entryList(QDir::Files), withNote ? QStringList{"a.txt"} : QStringList{});
}

void TestNotesView::enabledStatesFollowNotesAndPages()
{
    TView t(settingsWith("DeleteMessage=0\r\n[COLORS]\r\nBkColorNoteItems=0x00E0F0FF\r\nBkColorNoteContents=0x00D0E0F0\r\n"));
    const QColor face = ColorToQColor(clr::clBtnFace);
    const QColor items = ColorToQColor(0x00E0F0FF);
    const QColor contents = ColorToQColor(0x00D0E0F0);
    QCOMPARE(t.v->noteCount(), 0);
    QVERIFY(!t.v->lvNoteItems()->isEnabled());
    QVERIFY(!t.v->memNote()->isEnabled());
    QCOMPARE(t.v->lvNoteItems()->palette().color(QPalette::Base), face);
    QCOMPARE(t.v->memNote()->palette().color(QPalette::Base), face);
    QVERIFY(!t.v->buttonRow()->findChild<QToolButton *>(QStringLiteral("btnDeleteNoteCategory"))->isEnabled());

    t.v->CreateNote();
    QTest::keyClick(t.nameEditor(t.v->tvNoteCategories()), Qt::Key_Escape);
    t.settle();
    QVERIFY(t.v->hasSelectedNote());
    QVERIFY(!t.v->hasSelectedPage());
    QVERIFY(t.v->lvNoteItems()->isEnabled());
    QCOMPARE(t.v->lvNoteItems()->palette().color(QPalette::Base), items);
    QVERIFY(!t.v->memNote()->isEnabled());
    QVERIFY(t.v->buttonRow()->findChild<QToolButton *>(QStringLiteral("btnDeleteNoteCategory"))->isEnabled());
    QVERIFY(!t.v->buttonRow()->findChild<QToolButton *>(QStringLiteral("btnLoadNoteTemplate"))->isEnabled());

    t.v->CreatePage();
    QTest::keyClick(t.nameEditor(t.v->lvNoteItems()), Qt::Key_Escape);
    t.settle();
    QVERIFY(t.v->hasSelectedPage());
    QVERIFY(t.v->memNote()->isEnabled());
    QCOMPARE(t.v->memNote()->palette().color(QPalette::Base), contents);
    QVERIFY(t.v->buttonRow()->findChild<QToolButton *>(QStringLiteral("btnLoadNoteTemplate"))->isEnabled());

    QSignalSpy states(t.v.get(), &TNotesView::commandStatesChanged);
    t.v->DeleteNote();
    t.settle();
    QVERIFY(states.count() > 0);
    QCOMPARE(t.v->noteCount(), 0);
    QVERIFY(!t.v->lvNoteItems()->isEnabled());
    QVERIFY(!t.v->memNote()->isEnabled());
    QCOMPARE(t.v->memNote()->palette().color(QPalette::Base), face);
}

void TestNotesView::reloadsArePostedAndWaitForEdits()
{
    TView t({}, [](TView &t) { t.addNote(QStringLiteral("A"), {QStringLiteral("p")}); });
    t.v->SelectNote(QStringLiteral("A"));
    t.settle();
    t.addNote(QStringLiteral("B"));
    t.v->tvNoteCategories()->setFocus();
    QTest::keyClick(t.v->tvNoteCategories(), Qt::Key_F5);
    QCOMPARE(t.notes(), QStringList({"A"})); // not inside the key's own event
    t.settle();
    QCOMPARE(t.notes(), QStringList({"A", "B"}));
    QCOMPARE(t.v->selectedNote(), QStringLiteral("A"));

    // A page-list reload that arrives during a title edit waits for its end.
    t.v->CreatePage();
    QVERIFY(t.v->isEditingName());
    t.addNote(QStringLiteral("A"), {QStringLiteral("q")});
    t.v->SelectNote(QStringLiteral("A"));
    t.settle();
    QVERIFY(t.v->isEditingName());
    QCOMPARE(t.pages(), QStringList({"p", "新しいページ"}));
    QTest::keyClick(t.nameEditor(t.v->lvNoteItems()), Qt::Key_Escape);
    t.settle();
    QCOMPARE(t.pages(), QStringList({"p", "q", "新しいページ"}));
    QCOMPARE(t.v->selectedPage(), QStringLiteral("新しいページ"));
}

void TestNotesView::reloadSelectsPageByTitlePrefix()
{
    TView t({}, [](TView &t) { t.addNote(QStringLiteral("N"), {QStringLiteral("週報"), QStringLiteral("週報2"), QStringLiteral("日報")}); });
    t.v->SelectNote(QStringLiteral("N"));
    t.settle();
    t.selectPages({QStringLiteral("週報")});
    QFile::rename(t.page(QStringLiteral("N"), QStringLiteral("週報")), t.page(QStringLiteral("N"), QStringLiteral("月報")));
    t.v->lvNoteItems()->setFocus();
    QTest::keyClick(t.v->lvNoteItems(), Qt::Key_F5);
    t.settle();
    QCOMPARE(t.v->selectedPage(), QStringLiteral("週報2"));
    QCOMPARE(t.v->memNote()->toPlainText(), QStringLiteral("N/週報2"));
}

void TestNotesView::pageSavedOnlyWhenChanged()
{
    TView t(settingsWith("DeleteMessage=0\r\nUseRecycleBin=0\r\nNoBackupFiles=0\r\n"),
            [](TView &t) { t.addNote(QStringLiteral("N"), {QStringLiteral("a"), QStringLiteral("b")}); });
    t.v->SelectNote(QStringLiteral("N"));
    t.settle();
    QVERIFY(t.v->SavePage());
    QVERIFY(!QFileInfo::exists(t.noteFolder() + QStringLiteral("N/a.bak"))); // an unchanged page is never written

    t.v->memNote()->setFocus();
    typeText(t.v->memNote(), QStringLiteral("x"));
    QTest::keyClick(t.v->memNote(), Qt::Key_Return);
    // Choosing another page writes the one being left.
    t.selectPages({QStringLiteral("b")});
    QCOMPARE(t.home.read(t.page(QStringLiteral("N"), QStringLiteral("a"))), QByteArray("x\r\nN/a"));
    QCOMPARE(t.home.read(t.noteFolder() + QStringLiteral("N/a.bak")), QByteArray("N/a"));
    QCOMPARE(t.v->memNote()->toPlainText(), QStringLiteral("N/b"));

    // Erasing a page leaves an empty file, never none.
    t.v->memNote()->selectAll();
    QTest::keyClick(t.v->memNote(), Qt::Key_Delete);
    QVERIFY(t.v->SavePage());
    QVERIFY(QFileInfo::exists(t.page(QStringLiteral("N"), QStringLiteral("b"))));
    QCOMPARE(t.home.read(t.page(QStringLiteral("N"), QStringLiteral("b"))), QByteArray());
    QVERIFY(!t.v->isModified());
}

void TestNotesView::compositionDefersSave()
{
    TView t({}, [](TView &t) { t.addNote(QStringLiteral("N"), {QStringLiteral("a")}); });
    t.v->SelectNote(QStringLiteral("N"));
    t.settle();
    t.v->memNote()->setFocus();
    typeText(t.v->memNote(), QStringLiteral("y"));
    QInputMethodEvent preedit(QStringLiteral("へんかん"), {});
    QCoreApplication::sendEvent(t.v->memNote(), &preedit);
    QVERIFY(t.v->SavePage());
    QCOMPARE(t.text(t.page(QStringLiteral("N"), QStringLiteral("a"))), QStringLiteral("N/a"));
    QVERIFY(t.v->isModified());

    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("変換"));
    QCoreApplication::sendEvent(t.v->memNote(), &commit);
    QVERIFY(t.v->SavePage());
    QCOMPARE(t.text(t.page(QStringLiteral("N"), QStringLiteral("a"))), QStringLiteral("y変換N/a"));
}

void TestNotesView::unsavableTextKeepsItsPage()
{
    TView t({}, [](TView &t) { t.addNote(QStringLiteral("N"), {QStringLiteral("a"), QStringLiteral("b")}); });
    t.v->SelectNote(QStringLiteral("N"));
    t.settle();
    t.v->memNote()->insertPlainText(QStringLiteral("😀"));
    t.selectPages({QStringLiteral("b")});
    QCOMPARE(t.prompter.texts(), QStringList{"ノートの保存に失敗しました。\r\nこのファイルに保存できない文字が含まれています。"});
    QCOMPARE(t.v->selectedPage(), QStringLiteral("a"));
    QCOMPARE(t.v->memNote()->toPlainText(), QStringLiteral("😀N/a"));
    QVERIFY(t.v->isModified());
    QCOMPARE(t.text(t.page(QStringLiteral("N"), QStringLiteral("a"))), QStringLiteral("N/a"));

    // A reload keeps it too.
    t.prompter.clear();
    t.v->ReloadPageList();
    QCOMPARE(int(t.prompter.messages.size()), 1);
    QCOMPARE(t.v->selectedPage(), QStringLiteral("a"));
    QCOMPARE(t.v->memNote()->toPlainText(), QStringLiteral("😀N/a"));
}

void TestNotesView::vanishedNoteFolderReported()
{
    TView t({}, [](TView &t) {
        t.addNote(QStringLiteral("A"), {QStringLiteral("p")});
        t.addNote(QStringLiteral("B"), {QStringLiteral("q")});
    });
    t.v->SelectNote(QStringLiteral("A"));
    t.settle();
    QDir(t.noteFolder() + QStringLiteral("B")).removeRecursively();
    t.v->SelectNote(QStringLiteral("B"));
    t.settle();
    QCOMPARE(t.prompter.texts(),
             QStringList{"このフォルダは存在しません。\r\nエクスプローラなどで、削除したノートのフォルダを開いていると、そのフォルダは\r\n"
                         "削除されていても、エクスプローラで他のフォルダを開くまで形だけ残ってしまう場合\r\nがあります。"});
    QCOMPARE(t.pages(), QStringList());
    QCOMPARE(t.v->memNote()->toPlainText(), QString());
    QVERIFY(!t.v->memNote()->isEnabled());
}

void TestNotesView::popupMenusFollowSelection()
{
    TView t(settingsWith("DeleteMessage=0\r\n"), [](TView &t) { t.addNote(QStringLiteral("N"), {QStringLiteral("a"), QStringLiteral("b")}); });
    auto menuState = [&t](bool forNotes) {
        QMenu menu;
        t.v->FillContextMenu(menu, forNotes);
        QStringList out;
        for (QAction *a : menu.actions())
            out << (a->isSeparator() ? QStringLiteral("-") : a->text() + (a->isEnabled() ? QString() : QStringLiteral(" off")));
        return out;
    };
    QCOMPARE(menuState(true), QStringList({"新規作成(&N)", "名前の変更(&M) off", "削除(&D) off"}));
    QCOMPARE(menuState(false), QStringList({"新規作成(&N)", "名前の変更(&E) off", "削除(&D) off", "-", "テンプレート読み込み(&T) off"}));
    t.v->SelectNote(QStringLiteral("N"));
    t.settle();
    QCOMPARE(menuState(true), QStringList({"新規作成(&N)", "名前の変更(&M)", "削除(&D)"}));
    QCOMPARE(menuState(false), QStringList({"新規作成(&N)", "名前の変更(&E)", "削除(&D)", "-", "テンプレート読み込み(&T)"}));

    // Its items run the operations.
    QMenu menu;
    t.v->FillContextMenu(menu, false);
    menu.actions().at(2)->trigger();
    t.settle();
    QCOMPARE(t.pages(), QStringList({"b"}));
}

void TestNotesView::screenshotShowsEverything()
{
    TView t({}, [](TView &t) {
        t.addNote(QStringLiteral("仕事"), {QStringLiteral("会議：予定"), QStringLiteral("週報")});
        t.addNote(QStringLiteral("趣味の写真"), {QStringLiteral("撮影地メモ")});
        t.addNote(QStringLiteral("買い物"));
        t.home.write(t.page(QStringLiteral("仕事"), QStringLiteral("週報")),
                     cp932::encodeLossy(QStringLiteral("今週の作業：\r\n・見積書の作成\r\n・打ち合わせ（火曜）\r\n")));
    });
    t.v->SelectNote(QStringLiteral("仕事"));
    t.settle();
    t.selectPages({QStringLiteral("週報")});
    // Every button of the row is visible in full.
    for (QToolButton *b : t.v->buttonRow()->findChildren<QToolButton *>()) {
        QVERIFY2(b->isVisible(), qPrintable(b->objectName()));
        QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(b->objectName()));
        QVERIFY2(b->geometry().right() < t.v->buttonRow()->width(), qPrintable(b->objectName()));
    }
    const QImage shot = t.v->grab().toImage();
    QCOMPARE(shot.size(), t.v->size() * shot.devicePixelRatio());
    if (const QByteArray out = qgetenv("QM_NOTESVIEW_SHOT"); !out.isEmpty())
        QVERIFY(shot.save(QString::fromLocal8Bit(out)));
}

int main(int argc, char **argv)
{
    TQuillmereApplication app(argc, argv);
    TestNotesView test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_notesview.moc"
