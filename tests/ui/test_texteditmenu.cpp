#include "ui/texteditmenu.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QtTest>

#include <memory>

namespace {

// Which items the menu offers, in a fixed order: undo cut copy paste delete
// select-all save-as.
QString States(const TTextEditMenu &menu)
{
    QString out;
    for (QAction *a : {menu.undoAction(), menu.cutAction(), menu.copyAction(), menu.pasteAction(),
                       menu.deleteAction(), menu.selectAllAction(), menu.saveTextAsAction()})
        out += a->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return out;
}

std::unique_ptr<QWidget> MakeTarget(const QString &kind)
{
    if (kind.startsWith(QLatin1String("editor"))) {
        auto editor = std::make_unique<QPlainTextEdit>();
        if (!kind.contains(QLatin1String("empty")))
            editor->setPlainText(QStringLiteral("一行目\n二行目"));
        if (kind.contains(QLatin1String("selection")))
            editor->selectAll();
        editor->setReadOnly(kind.contains(QLatin1String("read-only")));
        return editor;
    }
    if (kind.startsWith(QLatin1String("field"))) {
        auto edit = std::make_unique<QLineEdit>(QStringLiteral("項目"));
        if (kind.contains(QLatin1String("selection")))
            edit->selectAll();
        else
            edit->deselect();
        edit->setReadOnly(kind.contains(QLatin1String("read-only")));
        return edit;
    }
    if (kind.startsWith(QLatin1String("combo"))) {
        auto combo = std::make_unique<QComboBox>();
        combo->setEditable(!kind.contains(QLatin1String("list")));
        combo->addItem(QStringLiteral("候補"));
        if (combo->lineEdit())
            combo->lineEdit()->selectAll();
        return combo;
    }
    return std::make_unique<QLabel>(QStringLiteral("ラベル"));
}

} // namespace

class TestTextEditMenu : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void captionsInOrder();
    void statesFollowTheTarget_data();
    void statesFollowTheTarget();
    void commandsActOnTheTarget();
    void saveTextAsGivesTheEditor();
};

void TestTextEditMenu::captionsInOrder()
{
    TTextEditMenu menu;
    QStringList captions;
    for (QAction *a : menu.actions())
        captions << (a->isSeparator() ? QStringLiteral("-") : a->text());
    QCOMPARE(captions, (QStringList{"キーワード一覧(&K)", "-", "日付時刻の挿入(&D)", "-", "元に戻す(&U)", "-",
                                    "切り取り(&T)", "コピー(&C)", "貼り付け(&P)", "削除(&D)", "-", "すべて選択(&A)", "-",
                                    "名前を付けて保存(&S)...", "-", "関連項目(&K)"}));
    QCOMPARE(menu.selectAllAction()->shortcut(), QKeySequence(QStringLiteral("Ctrl+A")));
}

void TestTextEditMenu::statesFollowTheTarget_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("states"); // undo cut copy paste delete select-all save-as
    QTest::newRow("editor") << "editor" << "1001011";
    QTest::newRow("editor with selection") << "editor selection" << "1111111";
    QTest::newRow("read-only editor with selection") << "editor selection read-only" << "0010011";
    QTest::newRow("empty editor cannot be saved") << "editor empty" << "1001010";
    QTest::newRow("field") << "field" << "1001010";
    QTest::newRow("field with selection") << "field selection" << "1111110";
    QTest::newRow("read-only field") << "field selection read-only" << "0010010";
    QTest::newRow("editable combo box") << "combo" << "1111110";
    // Read-only targets keep copy, selection or not.
    QTest::newRow("drop-down list is read-only") << "combo list" << "0010010";
    QTest::newRow("any other control") << "label" << "0010010";
}

void TestTextEditMenu::statesFollowTheTarget()
{
    QFETCH(QString, kind);
    TTextEditMenu menu;
    const std::unique_ptr<QWidget> target = MakeTarget(kind);
    menu.Prepare(target.get());
    QTEST(States(menu), "states");
}

void TestTextEditMenu::commandsActOnTheTarget()
{
    TTextEditMenu menu;
    QPlainTextEdit editor;
    editor.setPlainText(QStringLiteral("あいう"));
    QLineEdit field(QStringLiteral("abc"));
    menu.Prepare(&field);
    menu.selectAllAction()->trigger();
    QCOMPARE(field.selectedText(), QStringLiteral("abc"));
    QCOMPARE(editor.textCursor().hasSelection(), false);

    QApplication::clipboard()->setText(QStringLiteral("前"));
    if (QApplication::clipboard()->text() != QStringLiteral("前"))
        QSKIP("this platform has no clipboard");
    menu.Prepare(&editor);
    menu.selectAllAction()->trigger();
    QVERIFY(editor.textCursor().hasSelection());
    menu.Prepare(&editor); // opened again, now over a selection
    menu.copyAction()->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("あいう"));
    menu.deleteAction()->trigger();
    QCOMPARE(editor.toPlainText(), QString());
    menu.pasteAction()->trigger();
    menu.pasteAction()->trigger();
    QCOMPARE(editor.toPlainText(), QStringLiteral("あいうあいう"));
    menu.undoAction()->trigger();
    QCOMPARE(editor.toPlainText(), QStringLiteral("あいう"));
    QCOMPARE(field.text(), QStringLiteral("abc"));
}

void TestTextEditMenu::saveTextAsGivesTheEditor()
{
    TTextEditMenu menu;
    QList<QPlainTextEdit *> asked;
    menu.OnSaveTextAs = [&](QPlainTextEdit *editor) { asked << editor; };
    QPlainTextEdit editor;
    editor.setPlainText(QStringLiteral("本文"));
    menu.Prepare(&editor);
    menu.saveTextAsAction()->trigger();
    QCOMPARE(asked, QList<QPlainTextEdit *>{&editor});
    // The target going away between opening and choosing is no crash.
    auto gone = std::make_unique<QPlainTextEdit>(QStringLiteral("x"));
    menu.Prepare(gone.get());
    gone.reset();
    menu.saveTextAsAction()->trigger();
    menu.pasteAction()->trigger();
    QCOMPARE(asked.size(), 1);
}

QTEST_MAIN(TestTextEditMenu)
#include "test_texteditmenu.moc"
