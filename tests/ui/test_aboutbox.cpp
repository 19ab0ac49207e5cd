#include "core/appglobal.h"
#include "support/scriptedprompter.h"
#include "support/testhome.h"
#include "ui/aboutbox.h"
#include "ui/application.h"

#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

class TestAboutBox : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void captionAndPages();
    void firstPage_data();
    void firstPage();
    void usageListCountsUnderTheBusyCursor();
    void usageListOfARealDataFolder();
    void versionTexts_data();
    void versionTexts();
    void versionPageShowsTheProgramVersion();
    void iconClickTogglesTheBuildLabel();
    void addresses_data();
    void addresses();
    void clickingAnAddressOpensIt_data();
    void clickingAnAddressOpensIt();
    void anAddressNothingOpensIsReported();
    void questionButtonAsksForItsHelpTopic();
    void pagesFitTheirTexts();
};

namespace {

TUsageCounts sampleCounts()
{
    TUsageCounts c;
    c.Schedules = 3;
    c.Memos = 120;
    c.MonthlyMemos = 4;
    c.ToDos = 0;
    c.NotePages = 25;
    return c;
}

// A box over fixed counts whose opener records what it was given.
struct TBox
{
    TScriptedPrompter prompter;
    QList<QUrl> opened;
    bool openSucceeds = true;
    TAboutBox box;

    explicit TBox(TAboutBox::TAboutPage first = TAboutBox::apVersion)
        : box(
              prompter, [] { return sampleCounts(); }, first)
    {
        box.setOpener([this](const QUrl &url) {
            opened << url;
            return openSucceeds;
        });
    }
    QTabWidget *pages() const { return box.findChild<QTabWidget *>(QStringLiteral("pgAbout")); }
    template <class T> T *child(const char *name) const
    {
        T *w = box.findChild<T *>(QString::fromLatin1(name));
        if (!w)
            qWarning("no %s", name);
        return w;
    }
    void show()
    {
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
    }
};

QStringList rowTexts(const QTreeWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(0) + QLatin1Char('|') + list->topLevelItem(i)->text(1);
    return out;
}

} // namespace

void TestAboutBox::captionAndPages()
{
    TBox b;
    QCOMPARE(b.box.windowTitle(), QStringLiteral("Quillmere情報"));
    QVERIFY(b.box.isModal());
    QTabWidget *pages = b.pages();
    QVERIFY(pages);
    QCOMPARE(pages->tabPosition(), QTabWidget::South);
    QStringList tabs;
    for (int i = 0; i < pages->count(); ++i)
        tabs << pages->tabText(i);
    QCOMPARE(tabs, (QStringList{QStringLiteral("バージョン情報"), QStringLiteral("連絡先・ホームページ"),
                                QStringLiteral("Quillmere使用状況")}));
    QCOMPARE(pages->widget(1)->objectName(), QStringLiteral("pgContact"));
}

void TestAboutBox::firstPage_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<QString>("page");
    QTest::newRow("about command") << int(TAboutBox::apVersion) << QStringLiteral("pgVersion");
    QTest::newRow("contact command") << int(TAboutBox::apContact) << QStringLiteral("pgContact");
}

void TestAboutBox::firstPage()
{
    QFETCH(int, first);
    QFETCH(QString, page);
    TBox b(static_cast<TAboutBox::TAboutPage>(first));
    b.show();
    QCOMPARE(b.pages()->currentWidget()->objectName(), page);
    QVERIFY(b.pages()->currentWidget()->isVisible());
}

void TestAboutBox::usageListCountsUnderTheBusyCursor()
{
    TScriptedPrompter prompter;
    int calls = 0;
    Qt::CursorShape during = Qt::ArrowCursor;
    TAboutBox box(prompter, [&] {
        ++calls;
        during = QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor;
        return sampleCounts();
    });
    QCOMPARE(calls, 1);
    QCOMPARE(during, Qt::WaitCursor);
    QCOMPARE(QApplication::overrideCursor(), nullptr);

    auto *list = box.findChild<QTreeWidget *>(QStringLiteral("lvUsage"));
    QVERIFY(list);
    QCOMPARE(list->headerItem()->text(0), QStringLiteral("項目"));
    QCOMPARE(list->headerItem()->text(1), QStringLiteral("値"));
    QCOMPARE(rowTexts(list),
             (QStringList{QStringLiteral("予定|3 件"), QStringLiteral("メモ|120 件"), QStringLiteral("今月のメモ|4 件"),
                          QStringLiteral("備忘録|0 件"), QStringLiteral("ノート|25 件")}));

    // The item column is as wide as its texts, the values take the rest.
    box.findChild<QTabWidget *>()->setCurrentIndex(2);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const int widest = list->fontMetrics().horizontalAdvance(QStringLiteral("今月のメモ"));
    QVERIFY2(list->columnWidth(0) >= widest, qPrintable(QString::number(list->columnWidth(0))));
    QVERIFY(list->columnWidth(0) < list->viewport()->width() / 2);
    QCOMPARE(list->columnWidth(0) + list->header()->sectionSize(1), list->viewport()->width());
}

void TestAboutBox::usageListOfARealDataFolder()
{
    TTestHome home;
    QDir().mkpath(Global().MemoFolder());
    QDir().mkpath(Global().NoteFolder() + QStringLiteral("住所録"));
    home.write(Global().MemoFolder() + QStringLiteral("20261210.txt"), "memo");
    home.write(Global().MemoFolder() + QStringLiteral("notebook.txt"), "notebook");
    home.write(Global().NoteFolder() + QStringLiteral("住所録/自宅.txt"), "");
    home.write(Global().ToDoFile(), "a\r\nb");
    TScriptedPrompter prompter;
    TAboutBox box(prompter, [] { return CountUsage(9); });
    QCOMPARE(rowTexts(box.findChild<QTreeWidget *>(QStringLiteral("lvUsage"))),
             (QStringList{QStringLiteral("予定|9 件"), QStringLiteral("メモ|1 件"), QStringLiteral("今月のメモ|0 件"),
                          QStringLiteral("備忘録|2 件"), QStringLiteral("ノート|1 件")}));
    QVERIFY(prompter.messages.isEmpty());
}

void TestAboutBox::versionTexts_data()
{
    QTest::addColumn<QString>("stamp");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("build");
    // clang-format off
    QTest::newRow("all four numbers") << "1.2.3.45" << " 1.23" << "0045";
    QTest::newRow("release 0: two minor digits") << "1.2.0.7" << " 1.02" << "0007";
    QTest::newRow("the project's three numbers") << "0.1.0" << " 0.01" << "0000";
    QTest::newRow("two numbers") << "1.10" << " 1.10" << "0000";
    QTest::newRow("one number") << "3" << " 3.00" << "0000";
    QTest::newRow("wide numbers are not cut") << "12.34.5.6789" << "12.345" << "6789";
    QTest::newRow("build over four digits") << "123.4.0.12345" << "123.04" << "12345";
    QTest::newRow("16-bit limit") << "65535.0.1.65535" << "65535.01" << "65535";
    QTest::newRow("empty: no version") << "" << "-.-" << "????";
    QTest::newRow("five numbers") << "1.2.3.4.5" << "-.-" << "????";
    QTest::newRow("not a number") << "1.x" << "-.-" << "????";
    QTest::newRow("empty part") << "1..2" << "-.-" << "????";
    QTest::newRow("sign") << "-1.2" << "-.-" << "????";
    QTest::newRow("over 16 bits") << "70000.1" << "-.-" << "????";
    QTest::newRow("blank around") << " 1.2" << "-.-" << "????";
    // clang-format on
}

void TestAboutBox::versionTexts()
{
    QFETCH(QString, stamp);
    QFETCH(QString, version);
    QFETCH(QString, build);
    const std::optional<TFileVersion> parsed = ParseFileVersion(stamp);
    QCOMPARE(VersionNumberText(parsed), version);
    QCOMPARE(BuildNumberText(parsed), build);
}

void TestAboutBox::versionPageShowsTheProgramVersion()
{
    TTestHome home; // restores Global() afterwards
    Global().VersionInfo = QStringLiteral("2.5.1.12");
    TBox b;
    QCOMPARE(b.child<QLabel>("lblProductName")->text(), QStringLiteral("Quillmere"));
    QCOMPARE(b.child<QLabel>("lblVersion")->text(), QStringLiteral("Version  2.51"));
    QCOMPARE(b.child<QLabel>("lblBuild")->text(), QStringLiteral("Build 0012"));
    QCOMPARE(b.child<QLabel>("lblRights")->text(), QStringLiteral("All rights reserved."));
    QVERIFY(!b.child<QLabel>("lblLegalNotice")->text().isEmpty());
    QVERIFY(!b.child<QLabel>("lblComments")->text().isEmpty());
    QCOMPARE(b.child<QLabel>("imgIcon")->pixmap().size(), QSize(32, 32));
    QCOMPARE(b.child<QLabel>("imgSplash")->pixmap().size(), QSize(318, 196));
}

void TestAboutBox::iconClickTogglesTheBuildLabel()
{
    TBox b;
    b.show();
    QLabel *build = b.child<QLabel>("lblBuild");
    QLabel *icon = b.child<QLabel>("imgIcon");
    QVERIFY(build->isHidden());
    const QSize before = b.box.size();
    QTest::mouseClick(icon, Qt::LeftButton);
    QVERIFY(build->isVisible());
    QCOMPARE(b.box.size(), before);
    QTest::mouseClick(icon, Qt::LeftButton);
    QVERIFY(build->isHidden());
    // Elsewhere on the page nothing happens.
    QTest::mouseClick(b.child<QLabel>("lblVersion"), Qt::LeftButton);
    QVERIFY(build->isHidden());
}

void TestAboutBox::addresses_data()
{
    QTest::addColumn<bool>("mail");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("address");
    // clang-format off
    QTest::newRow("page without scheme") << false << "www.example.org/q/" << "http://www.example.org/q/";
    QTest::newRow("page with http://") << false << "http://www.example.org/" << "http://www.example.org/";
    QTest::newRow("page with https://") << false << "https://www.example.org/" << "https://www.example.org/";
    QTest::newRow("page with upper-case scheme") << false << "HTTP://www.example.org/" << "HTTP://www.example.org/";
    QTest::newRow("mail without scheme") << true << "someone@example.org" << "mailto:someone@example.org";
    QTest::newRow("mail with mailto:") << true << "mailto:someone@example.org" << "mailto:someone@example.org";
    QTest::newRow("mail with MAILTO:") << true << "MAILTO:someone@example.org" << "MAILTO:someone@example.org";
    // clang-format on
}

void TestAboutBox::addresses()
{
    QFETCH(bool, mail);
    QFETCH(QString, text);
    QFETCH(QString, address);
    QCOMPARE(mail ? MailAddress(text) : WebPageAddress(text), address);
}

void TestAboutBox::clickingAnAddressOpensIt_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<QString>("url");
    // clang-format off
    QTest::newRow("mail, click") << "edtMailAddress" << false << "mailto:quillmere@example.org";
    QTest::newRow("mail, Enter") << "edtMailAddress" << true << "mailto:quillmere@example.org";
    QTest::newRow("home page, click") << "edtHomePage" << false << "http://www.example.org/quillmere/";
    QTest::newRow("home page, Enter") << "edtHomePage" << true << "http://www.example.org/quillmere/";
    // clang-format on
}

void TestAboutBox::clickingAnAddressOpensIt()
{
    QFETCH(QString, field);
    QFETCH(bool, byKey);
    QFETCH(QString, url);
    TBox b(TAboutBox::apContact);
    b.show();
    auto *edit = b.box.findChild<QLineEdit *>(field);
    QVERIFY(edit);
    QVERIFY(edit->isReadOnly());
    if (byKey) {
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(b.box.isVisible()); // Enter opens the address, not the OK button
    } else {
        QTest::mouseClick(edit, Qt::LeftButton);
    }
    QCOMPARE(b.opened.size(), 1);
    QCOMPARE(b.opened.first().toString(), url);
    QVERIFY(b.prompter.messages.isEmpty());
}

void TestAboutBox::anAddressNothingOpensIsReported()
{
    TBox b(TAboutBox::apContact);
    b.openSucceeds = false;
    b.show();
    QTest::mouseClick(b.child<QLineEdit>("edtMailAddress"), Qt::LeftButton);
    QCOMPARE(b.prompter.kinds(), QStringList{QStringLiteral("error")});
    QCOMPARE(b.prompter.texts(),
             QStringList{QStringLiteral("mailto:quillmere@example.orgの関連付けに不具合があります")});
}

void TestAboutBox::questionButtonAsksForItsHelpTopic()
{
    TBox b(TAboutBox::apContact);
    b.show();
    auto *question = b.child<QPushButton>("btnQuestion");
    QCOMPARE(question->text(), QStringLiteral("よくあるご質問(&F)"));
    QVERIFY(!question->isEnabled()); // no help given: nothing to show
    QList<int> contexts;
    b.box.setHelp([&](int context) { contexts << context; });
    QVERIFY(question->isEnabled());
    QTest::mouseClick(question, Qt::LeftButton);
    QCOMPARE(contexts, QList<int>{55});
}

// Every text shows whole on every page; the pictures go to QM_SHOT_DIR for a
// human to look at.
void TestAboutBox::pagesFitTheirTexts()
{
    TTestHome home;
    TBox b;
    b.show();
    const QString dir = qEnvironmentVariable("QM_SHOT_DIR", home.root());
    const char *names[] = {"version", "contact", "usage"};
    QTabBar *bar = b.pages()->tabBar();
    QVERIFY(bar->sizeHint().width() <= b.pages()->width()); // no scroll buttons
    for (int i = 0; i < 3; ++i) {
        b.pages()->setCurrentIndex(i);
        QCoreApplication::processEvents();
        const QWidget *page = b.pages()->currentWidget();
        for (const QLabel *label : page->findChildren<QLabel *>()) {
            if (label->isHidden() && label->objectName() != QLatin1String("lblBuild"))
                continue;
            QVERIFY2(label->width() >= label->minimumSizeHint().width(), qPrintable(label->objectName()));
            QVERIFY2(page->rect().contains(label->geometry()), qPrintable(label->objectName()));
        }
        for (const QLineEdit *edit : page->findChildren<QLineEdit *>())
            QVERIFY2(edit->width() > edit->fontMetrics().horizontalAdvance(edit->text()),
                     qPrintable(edit->objectName()));
        QVERIFY(b.box.grab().save(dir + QStringLiteral("/about-") + QLatin1String(names[i]) + QStringLiteral(".png")));
    }
}

int main(int argc, char **argv)
{
    TQuillmereApplication app(argc, argv);
    TestAboutBox test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_aboutbox.moc"
