#include "calendar/zocalendarcontrol.h"
#include "core/appglobal.h"
#include "core/clock.h"
#include "core/cp932.h"
#include "core/font.h"
#include "core/profile.h"
#include "core/settingskeys.h"
#include "support/scriptedprompter.h"
#include "support/testhome.h"
#include "ui/application.h"
#include "ui/fontconv.h"
#include "ui/mainwindow.h"
#include "ui/notesview.h"
#include "ui/texteditmenu.h"
#include "ui/titleband.h"
#include "ui/notifywindow.h"
#include "schedule/alarmtimer.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

namespace {

// A started window on a fixed day, past its first minute tick.
struct TStartedWindow
{
    TTestHome home;
    TScriptedPrompter prompter;
    TFixedClock clock{QDateTime(QDate(2026, 12, 9), QTime(9, 30))};
    std::unique_ptr<TfrmQuillmereMainWindow> w;

    explicit TStartedWindow(const std::function<void(TTestHome &)> &prepare = {})
    {
        if (prepare)
            prepare(home);
        w = std::make_unique<TfrmQuillmereMainWindow>(prompter, clock);
        w->show();
        QCoreApplication::processEvents();
        QTRY_VERIFY(w->startupFinished());
    }
    QString memo(const QString &name) const { return home.programFolder() + QStringLiteral("Memo/") + name; }
    void writeMemo(const QString &name, const QString &text) const { home.write(memo(name), cp932::encodeLossy(text)); }
    QString readMemo(const QString &name) const { return cp932::decode(home.read(memo(name))); }
};

// One schedule due at the fixed clock's very minute.
void WriteDentistDueNow(TTestHome &home)
{
    TAlarmTimer store;
    TAlarm2 dentist;
    dentist.AlarmType = atDate;
    dentist.AlarmDateTime.Year = 2026;
    dentist.AlarmDateTime.Month = 12;
    dentist.AlarmDateTime.Day = 9;
    dentist.AlarmDateTime.Hour = 9;
    dentist.AlarmDateTime.Minute = 30;
    dentist.ExecuteType = etNothing;
    dentist.Lines = {QStringLiteral("歯医者"), QStringLiteral("保険証を忘れずに")};
    store.AlarmList().Add(dentist);
    QVERIFY(store.SaveToFile(home.programFolder() + QStringLiteral("schedule.dat")).ok);
}

QString unsavedMark(const TfrmQuillmereMainWindow &w)
{
    return w.unsavedPanel()->property("unsavedMark").toString();
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void viewsShowTheirPageTabAndTitle_data();
    void viewsShowTheirPageTabAndTitle();
    void calendarCommandsOnlyOnCalendarPage();
    void scheduleCommandsDisabledOnNotesPage();
    void typingShowsUnsavedMarkAtOnce();
    void minuteTickSavesAndClearsMark();
    void notebookLoadsAfterFirstPaintOrWhenShown();
    void notesAreListedAfterFirstPaintOrWhenShown();
    void calendarPictureFollowsScheduleChanges();
    void saveTextAsWritesTheEditorsText();
    void generalBarFollowsItsCommands();
    void viewColumnShowsTheViewUp();
    void aboutBoxFromTheHelpMenu_data();
    void aboutBoxFromTheHelpMenu();
    void dayChangeSavesOldMemoAndLoadsNew();
    void dayListShowsTheDaysSchedules();
    void dayListStartsAtTheTopOfEachDay();
    void loadingAMemoNeverShowsItUnsaved();
    void blankMemoRemovesItsFile();
    void unchangedMemoIsNeverWritten();
    void dateTitlesFollowTheCalendar();
    void errorNumberText();
    void alarmDueAtLoadIsShownAndStamped();
    void alarmDueAtLoadRingsWhenStartedHidden();
    void noticesWaitTheirTurn();
    void noteCommandsWorkFromAnyView();
    void otherPagesAreMadeWhenFirstNeeded();
    void stepCommandsMoveTheCalendar_data();
    void stepCommandsMoveTheCalendar();
    void yearBoxKeepsTheDayWhereItCan();
    void listStyleShowsTheScrollStrip();
};

void TestMainWindow::viewsShowTheirPageTabAndTitle_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("view");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::newRow("monthly memo") << "acShowMonthlyMemo" << int(mvMonthlyMemo) << "2026年12月09日 (水曜日)" << 0x800000 << 0xFFE8E8;
    QTest::newRow("notebook") << "acShowNotebook" << int(mvNotebook) << "2026年12月09日 (水曜日)" << 0x800000 << 0xFFE8E8;
    QTest::newRow("todo") << "acShowToDo" << int(mvToDo) << "備忘録" << 0x8000FF << 0xF0E1FF;
    QTest::newRow("notes") << "acShowNote" << int(mvNote) << "ノート" << 0x008000 << 0xDBFFDB;
    QTest::newRow("schedule manager") << "acShowScheduleManager" << int(mvScheduleManager) << "スケジュールマネージャ" << 0x800000 << 0xFFE8E8;
    QTest::newRow("schedules and memo") << "acShowScheduleMemo" << int(mvScheduleMemo) << "2026年12月09日 (水曜日)" << 0x800000 << 0xFFE8E8;
}

void TestMainWindow::viewsShowTheirPageTabAndTitle()
{
    QFETCH(QString, command);
    QFETCH(int, view);
    QFETCH(QString, title);
    QFETCH(int, start);
    QFETCH(int, end);
    TStartedWindow s;
    // Start from another page so every switch really moves.
    s.w->ShowView(view == mvToDo ? mvNote : mvToDo);
    s.w->action(command)->trigger();
    QCOMPARE(int(s.w->currentView()), view);
    QCOMPARE(s.w->titleBand()->text(), title);
    QCOMPARE(s.w->titleBand()->startColor(), start);
    QCOMPARE(s.w->titleBand()->endColor(), end);
}

void TestMainWindow::calendarCommandsOnlyOnCalendarPage()
{
    TStartedWindow s;
    const QStringList steps = {"acPrevYear", "acPrevMonth", "acPrevDay", "acToday", "acNextDay", "acNextMonth", "acNextYear"};
    for (const QString &name : steps)
        QVERIFY2(s.w->action(name)->isEnabled(), qPrintable(name));
    s.w->ShowView(mvToDo);
    for (const QString &name : steps)
        QVERIFY2(!s.w->action(name)->isEnabled(), qPrintable(name));
    s.w->ShowView(mvNotebook);
    QVERIFY(s.w->action(QStringLiteral("acNextDay"))->isEnabled());
}

void TestMainWindow::scheduleCommandsDisabledOnNotesPage()
{
    TStartedWindow s;
    s.w->ShowView(mvNote);
    QVERIFY(!s.w->action(QStringLiteral("acEditSchedule"))->isEnabled());
    QVERIFY(!s.w->action(QStringLiteral("acDeleteSchedule"))->isEnabled());
}

void TestMainWindow::typingShowsUnsavedMarkAtOnce()
{
    TStartedWindow s;
    s.w->ShowView(mvNotebook);
    QCOMPARE(unsavedMark(*s.w), QString());
    QVERIFY(!s.w->action(QStringLiteral("acSaveData"))->isEnabled());
    QTest::keyClicks(s.w->memNotebook(), QStringLiteral("a"));
    QCOMPARE(unsavedMark(*s.w), QStringLiteral("*"));
    QVERIFY(s.w->action(QStringLiteral("acSaveData"))->isEnabled());
}

void TestMainWindow::minuteTickSavesAndClearsMark()
{
    TStartedWindow s;
    s.w->ShowView(mvNotebook);
    s.w->memNotebook()->setPlainText(QStringLiteral("一行目\n二行目"));
    s.w->memNotebook()->document()->setModified(true);
    s.w->MinuteTimerTick();
    QCOMPARE(s.home.read(s.memo(QStringLiteral("notebook.txt"))), cp932::encodeLossy(QStringLiteral("一行目\r\n二行目")));
    QCOMPARE(unsavedMark(*s.w), QString());
    QCOMPARE(s.w->minuteTimer()->interval(), 60000);
}

// A large notebook must not hold the window back: it is loaded just after the
// first picture, or at once when its view is chosen before that.
void TestMainWindow::notebookLoadsAfterFirstPaintOrWhenShown()
{
    TTestHome home;
    QDir().mkpath(home.programFolder() + QStringLiteral("Memo"));
    home.write(home.programFolder() + QStringLiteral("Memo/notebook.txt"), cp932::encodeLossy(QStringLiteral("雑記\r\n二行目\r\n")));
    TScriptedPrompter prompter;
    TFixedClock clock{QDateTime(QDate(2026, 12, 9), QTime(9, 30))};
    {
        TfrmQuillmereMainWindow w(prompter, clock);
        QCOMPARE(w.memNotebook()->toPlainText(), QString());
        QVERIFY(!w.memNotebook()->document()->isModified());
        w.ShowView(mvNotebook);
        QCOMPARE(w.memNotebook()->toPlainText(), QStringLiteral("雑記\n二行目\n"));
        QCOMPARE(w.memNotebook()->textCursor().position(), 0);
    }
    {
        TfrmQuillmereMainWindow w(prompter, clock);
        w.show();
        QTRY_COMPARE(w.memNotebook()->toPlainText(), QStringLiteral("雑記\n二行目\n"));
        QVERIFY(!w.memNotebook()->document()->isModified());
        QCOMPARE(unsavedMark(w), QString());
    }
    QCOMPARE(prompter.texts(), QStringList());
}

void TestMainWindow::notesAreListedAfterFirstPaintOrWhenShown()
{
    TTestHome home;
    for (const QString &note : {QStringLiteral("仕事"), QStringLiteral("旅行")}) {
        QDir().mkpath(home.programFolder() + QStringLiteral("Note/") + note);
        home.write(home.programFolder() + QStringLiteral("Note/") + note + QStringLiteral("/メモ.txt"),
                   cp932::encodeLossy(note + QStringLiteral("のメモ")));
    }
    TScriptedPrompter prompter;
    TFixedClock clock{QDateTime(QDate(2026, 12, 9), QTime(9, 30))};
    const auto listed = [](TfrmQuillmereMainWindow &w) {
        return w.notesView()->noteCount() == 2 && w.notesView()->hasSelectedNote()
            && w.notesView()->lvNoteItems()->topLevelItemCount() == 1;
    };
    {
        TfrmQuillmereMainWindow w(prompter, clock);
        QCOMPARE(w.notesView()->noteCount(), 0);
        w.ShowView(mvNote);
        QVERIFY(listed(w));
        QVERIFY(w.notesView()->hasSelectedPage());
        QCOMPARE(w.memNoteContents()->toPlainText(), QStringLiteral("仕事のメモ"));
    }
    {
        TfrmQuillmereMainWindow w(prompter, clock);
        w.show();
        QTRY_VERIFY(listed(w));
    }
    QCOMPARE(prompter.texts(), QStringList());
}

// Each picture takes the schedules from the list afresh: what one picture
// worked out never stands in for a change made before the next.
void TestMainWindow::calendarPictureFollowsScheduleChanges()
{
    TStartedWindow s;
    TZoQuillmereCalendar *calendar = s.w->calendar();
    calendar->Redraw();
    const QImage without = calendar->Image();

    TAlarm2 daily;
    daily.AlarmType = atEveryDay;
    daily.AlarmDateTime = {0, 0, 0, 8, 15, 0};
    daily.Lines = {QStringLiteral("朝の散歩")};
    TAlarm2 *added = s.w->alarmTimer()->AlarmList().Add(daily);
    calendar->Redraw();
    const QImage with = calendar->Image();
    QVERIFY(with != without);

    added->Lines = {QStringLiteral("夕方の散歩")};
    added->AlarmDateTime.Hour = 17;
    calendar->Redraw();
    const QImage changed = calendar->Image();
    QVERIFY(changed != with);

    s.w->alarmTimer()->AlarmList().Remove(added);
    calendar->Redraw();
    QCOMPARE(calendar->Image(), without);
}

void TestMainWindow::saveTextAsWritesTheEditorsText()
{
    TStartedWindow s([](TTestHome &home) {
        QDir().mkpath(home.programFolder() + QStringLiteral("Memo"));
        home.write(home.programFolder() + QStringLiteral("Memo/notebook.txt"), cp932::encodeLossy(QStringLiteral("元の雑記\r\n")));
    });
    const QString outFolder = s.home.root() + QStringLiteral("出力");
    QVERIFY(QDir().mkpath(outFolder));
    QStringList startFolders;
    QString answer;
    s.w->AskSaveFileName = [&](const QString &start) {
        startFolders << start;
        return answer;
    };
    s.w->ShowView(mvNotebook);
    s.w->memNotebook()->setPlainText(QStringLiteral("書き出す\n二行目〜"));

    // Offered only over a multi-line editor that holds text.
    s.w->textEditMenu()->Prepare(s.w->memNotebook());
    QVERIFY(s.w->textEditMenu()->saveTextAsAction()->isEnabled());
    s.w->textEditMenu()->Prepare(s.w->memMonthlyMemo());
    QVERIFY(!s.w->textEditMenu()->saveTextAsAction()->isEnabled());

    // Cancelled: nothing written, nothing remembered.
    s.w->textEditMenu()->Prepare(s.w->memNotebook());
    s.w->textEditMenu()->saveTextAsAction()->trigger();
    QCOMPARE(startFolders, QStringList{QString()});
    QCOMPARE(ReadSettingString(sk::SETTINGS, "TextSaveDir"), QString());

    answer = outFolder + QStringLiteral("/out.txt");
    s.home.write(answer, "old contents");
    s.w->textEditMenu()->saveTextAsAction()->trigger();
    QCOMPARE(s.home.read(answer), cp932::encodeLossy(QStringLiteral("書き出す\r\n二行目～")));
    QCOMPARE(ReadSettingString(sk::SETTINGS, "TextSaveDir"), outFolder + QLatin1Char('/'));
    // The notebook itself is not touched, and the next dialog starts there.
    QCOMPARE(s.readMemo(QStringLiteral("notebook.txt")), QStringLiteral("元の雑記\r\n"));
    QVERIFY(!QFileInfo::exists(outFolder + QStringLiteral("/out.txt.bak")));
    s.w->textEditMenu()->saveTextAsAction()->trigger();
    QCOMPARE(startFolders.last(), outFolder + QLatin1Char('/'));

    // A folder that cannot be written says so and keeps the remembered one.
    answer = s.home.root() + QStringLiteral("無い/out.txt");
    s.w->textEditMenu()->saveTextAsAction()->trigger();
    QVERIFY(s.prompter.texts().last().startsWith(answer + QStringLiteral(" に保存できませんでした。")));
    QCOMPARE(ReadSettingString(sk::SETTINGS, "TextSaveDir"), outFolder + QLatin1Char('/'));

    // A character the file's code page lacks: nothing written, and the box
    // says why.
    answer = outFolder + QStringLiteral("/emoji.txt");
    s.w->memNotebook()->setPlainText(QStringLiteral("絵文字 \U0001F600"));
    s.w->textEditMenu()->Prepare(s.w->memNotebook());
    s.w->textEditMenu()->saveTextAsAction()->trigger();
    QCOMPARE(s.prompter.texts().last(), answer + QStringLiteral(" に保存できませんでした。\r\nこのファイルに保存できない文字が含まれています。"));
    QVERIFY(!QFileInfo::exists(answer));
}

void TestMainWindow::generalBarFollowsItsCommands()
{
    TStartedWindow s;
    auto *bar = s.w->findChild<QToolBar *>(QStringLiteral("tbGeneral"));
    QVERIFY(bar);
    QStringList texts;
    for (QAction *a : bar->actions())
        texts << a->text() + (a->isEnabled() ? QString() : QStringLiteral("(off)"));
    // Commands not built yet stay off on the bar too.
    QCOMPARE(texts, (QStringList{"予定(off)", "備忘録(off)", "ページ", "検索(off)", "キーワード(off)", "スケジュール", "表示切替"}));
    QCOMPARE(bar->actions().at(0)->toolTip(), QStringLiteral("予定の新規作成"));

    // The view-column button both drives and mirrors its command.
    QAction *viewColumn = bar->actions().last();
    QAction *command = s.w->action(QStringLiteral("acDisplayToolBar"));
    const bool before = command->isChecked();
    QCOMPARE(viewColumn->isChecked(), before);
    viewColumn->trigger();
    QCOMPARE(command->isChecked(), !before);
    QCOMPARE(viewColumn->isChecked(), !before);
    command->trigger();
    QCOMPARE(viewColumn->isChecked(), before);

    QAction *toggle = s.w->action(QStringLiteral("acShowGeneralToolBar"));
    QVERIFY(toggle->isEnabled() && toggle->isChecked());
    toggle->trigger();
    QVERIFY(!bar->isVisible());
    QVERIFY(!toggle->isChecked());
    toggle->trigger();
    QVERIFY(bar->isVisible());
}

void TestMainWindow::viewColumnShowsTheViewUp()
{
    TStartedWindow s;
    auto *bar = s.w->findChild<QToolBar *>(QStringLiteral("tbViews"));
    QVERIFY(bar);
    QList<QAction *> buttons;
    for (QToolButton *b : bar->findChildren<QToolButton *>())
        if (b->defaultAction() && b->defaultAction()->isCheckable())
            buttons << b->defaultAction();
    QCOMPARE(buttons.size(), 5);
    const auto down = [&] {
        QStringList out;
        for (QAction *a : buttons)
            if (a->isChecked())
                out << a->text();
        return out;
    };
    QCOMPARE(down(), QStringList{"予定とメモ"});
    s.w->ShowView(mvNote);
    QCOMPARE(down(), QStringList{"ノート"});
    s.w->ShowView(mvScheduleMemo);
    s.w->dayPane()->setCurrentIndex(mvNotebook); // a click on the tab
    QCOMPARE(down(), QStringList{"雑記帳"});
    s.w->ShowView(mvScheduleManager);
    QCOMPARE(down(), QStringList());
}

void TestMainWindow::aboutBoxFromTheHelpMenu_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("page");
    QTest::newRow("about") << "Quillmere情報(&A)..." << "pgVersion";
    QTest::newRow("contact") << "作者連絡先・ホームページ(&S)" << "pgContact";
}

// The box opens on the item's page, and its counts include the memo still
// being typed: it is saved first.
void TestMainWindow::aboutBoxFromTheHelpMenu()
{
    QFETCH(QString, item);
    QFETCH(QString, page);
    TStartedWindow s;
    s.w->memMemo()->setPlainText(QStringLiteral("未保存のメモ"));
    s.w->memMemo()->document()->setModified(true);
    QAction *command = nullptr;
    for (QAction *a : s.w->findChildren<QAction *>())
        if (a->text() == item)
            command = a;
    QVERIFY(command && command->isEnabled());
    QString shownPage;
    QStringList usage;
    QTimer::singleShot(0, [&] {
        QWidget *box = QApplication::activeModalWidget();
        if (!box)
            return;
        shownPage = box->findChild<QTabWidget *>()->currentWidget()->objectName();
        const QTreeWidget *list = box->findChild<QTreeWidget *>();
        for (int i = 0; list && i < list->topLevelItemCount(); ++i)
            usage << list->topLevelItem(i)->text(0) + QLatin1Char('=') + list->topLevelItem(i)->text(1);
        box->close();
    });
    command->trigger();
    QCOMPARE(shownPage, page);
    QCOMPARE(usage, (QStringList{"予定=0 件", "メモ=1 件", "今月のメモ=0 件", "備忘録=0 件", "ノート=0 件"}));
    QVERIFY(QFileInfo::exists(s.memo(QStringLiteral("20261209.txt"))));
}

void TestMainWindow::dayChangeSavesOldMemoAndLoadsNew()
{
    TStartedWindow s([](TTestHome &home) {
        QDir().mkpath(home.programFolder() + QStringLiteral("Memo"));
        home.write(home.programFolder() + QStringLiteral("Memo/20261210.txt"), cp932::encodeLossy(QStringLiteral("明日の予定")));
    });
    s.w->memMemo()->setPlainText(QStringLiteral("今日書いた"));
    s.w->memMemo()->document()->setModified(true);
    s.w->calendar()->SetCurrentDate(QDate(2026, 12, 10));
    QCOMPARE(s.readMemo(QStringLiteral("20261209.txt")), QStringLiteral("今日書いた"));
    QCOMPARE(s.w->memMemo()->toPlainText(), QStringLiteral("明日の予定"));
    QVERIFY(!s.w->memMemo()->document()->isModified());
    QVERIFY(s.prompter.messages.isEmpty());
}

// The day's list beside the calendar: the day's schedules in time order,
// a schedule's own colour, the first row current; another day refills it.
void TestMainWindow::dayListShowsTheDaysSchedules()
{
    TStartedWindow s([](TTestHome &home) {
        TAlarmTimer store;
        const auto add = [&store](TAlarmType type, int day, int hour, const QString &text, int color = -1) {
            TAlarm2 a;
            a.AlarmType = type;
            a.AlarmDateTime = {2026, 12, quint16(day), quint16(hour), 0, 0};
            a.ExecuteType = etNothing;
            a.Lines = {text, QStringLiteral("二行目は出ない")};
            if (color >= 0) {
                a.UseColor = 1;
                a.Color = color;
            }
            store.AlarmList().Add(a);
        };
        add(atDate, 9, 10, QStringLiteral("会議"));
        add(atDate, 9, 9, QStringLiteral("歯医者"), 0x0000FF);
        add(atEveryDay, 0, 8, QStringLiteral("散歩"));
        add(atDate, 10, 7, QStringLiteral("明日の用事"));
        QVERIFY(store.SaveToFile(home.programFolder() + QStringLiteral("schedule.dat")).ok);
    });
    QTreeView *list = s.w->dayScheduleList();
    const QAbstractItemModel *rows = list->model();
    const auto column = [rows](int c) {
        QStringList texts;
        for (int r = 0; r < rows->rowCount(); ++r)
            texts << rows->index(r, c).data().toString();
        return texts;
    };
    QCOMPARE(column(1), (QStringList{QStringLiteral("散歩"), QStringLiteral("歯医者"), QStringLiteral("会議")}));
    QCOMPARE(column(0).size(), 3);
    QCOMPARE(rows->headerData(0, Qt::Horizontal).toString(), QStringLiteral("時刻"));
    QCOMPARE(rows->index(1, 1).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
    QCOMPARE(rows->index(1, 0).data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
    QVERIFY(!rows->index(0, 1).data(Qt::ForegroundRole).isValid());
    QCOMPARE(list->currentIndex().row(), 0);

    s.w->calendar()->SetCurrentDate(QDate(2026, 12, 10));
    QCOMPARE(column(1), (QStringList{QStringLiteral("明日の用事"), QStringLiteral("散歩")}));
    QCOMPARE(list->currentIndex().row(), 0);
}

// A long day left scrolled down: the next day's list starts at its top.
void TestMainWindow::dayListStartsAtTheTopOfEachDay()
{
    TStartedWindow s([](TTestHome &home) {
        TAlarmTimer store;
        for (int i = 0; i < 300; ++i) {
            TAlarm2 a;
            a.AlarmType = atEveryDay;
            a.AlarmDateTime = {0, 0, 0, quint16(i % 24), quint16(i % 60), 0};
            a.Lines = {QStringLiteral("毎日%1").arg(i)};
            store.AlarmList().Add(a);
        }
        QVERIFY(store.SaveToFile(home.programFolder() + QStringLiteral("schedule.dat")).ok);
    });
    QTreeView *list = s.w->dayScheduleList();
    QCOMPARE(list->model()->rowCount(), 300);
    QScrollBar *bar = list->verticalScrollBar();
    QTRY_VERIFY(bar->maximum() > 0);
    bar->setValue(bar->maximum());
    list->setCurrentIndex(list->model()->index(299, 0));
    s.w->calendar()->SetCurrentDate(QDate(2026, 12, 10));
    QCOMPARE(list->currentIndex().row(), 0);
    QCOMPARE(bar->value(), 0);
}

void TestMainWindow::loadingAMemoNeverShowsItUnsaved()
{
    TStartedWindow s([](TTestHome &home) {
        QDir().mkpath(home.programFolder() + QStringLiteral("Memo"));
        home.write(home.programFolder() + QStringLiteral("Memo/20261210.txt"), "loaded\r\n");
    });
    QAction *save = s.w->action(QStringLiteral("acSaveData"));
    QVERIFY(!save->isEnabled());
    const QSignalSpy changes(save, &QAction::changed);
    s.w->calendar()->SetCurrentDate(QDate(2026, 12, 10));
    QCOMPARE(s.w->memMemo()->toPlainText(), QStringLiteral("loaded\n"));
    QCOMPARE(changes.count(), 0);
    QCOMPARE(unsavedMark(*s.w), QString());
}

void TestMainWindow::blankMemoRemovesItsFile()
{
    TStartedWindow s([](TTestHome &home) {
        QDir().mkpath(home.programFolder() + QStringLiteral("Memo"));
        home.write(home.programFolder() + QStringLiteral("Memo/20261209.txt"), "old\r\n");
    });
    QCOMPARE(s.w->memMemo()->toPlainText(), QStringLiteral("old\n"));
    s.w->memMemo()->setPlainText(QStringLiteral("  \n\t\n"));
    s.w->memMemo()->document()->setModified(true);
    s.w->action(QStringLiteral("acSaveData"))->trigger();
    QVERIFY(!QFileInfo::exists(s.memo(QStringLiteral("20261209.txt"))));
    QCOMPARE(s.home.read(s.memo(QStringLiteral("20261209.bak"))), QByteArray("old\r\n"));
    QCOMPARE(unsavedMark(*s.w), QString());
}

void TestMainWindow::unchangedMemoIsNeverWritten()
{
    TStartedWindow s([](TTestHome &home) {
        QDir().mkpath(home.programFolder() + QStringLiteral("Memo"));
        home.write(home.programFolder() + QStringLiteral("Memo/20261209.txt"), "kept\r\n");
    });
    const QDateTime before = QFileInfo(s.memo(QStringLiteral("20261209.txt"))).lastModified();
    s.w->calendar()->SetCurrentDate(QDate(2026, 12, 11));
    s.w->MinuteTimerTick();
    QCOMPARE(QFileInfo(s.memo(QStringLiteral("20261209.txt"))).lastModified(), before);
    QVERIFY(!QFileInfo::exists(s.memo(QStringLiteral("20261209.bak"))));
}

void TestMainWindow::dateTitlesFollowTheCalendar()
{
    TStartedWindow s;
    s.w->calendar()->SetCurrentDate(QDate(2000, 1, 10));
    QCOMPARE(s.w->titleBand()->text(), QStringLiteral("2000年01月10日 (月曜日) 成人の日"));
    QCOMPARE(s.w->dayPane()->tabText(mvScheduleMemo), QStringLiteral("2000/01/10(月)"));
    QCOMPARE(s.w->dayPane()->tabText(mvMonthlyMemo), QStringLiteral("2000年01月のメモ"));
}

void TestMainWindow::errorNumberText()
{
    TStartedWindow s;
    s.w->ShowErrorNumber(5, QStringLiteral("アクセスが拒否されました。"));
    QCOMPARE(s.prompter.texts(), QStringList{QStringLiteral("Error #5\r\nアクセスが拒否されました。")});
}

void TestMainWindow::alarmDueAtLoadIsShownAndStamped()
{
    TStartedWindow s(WriteDentistDueNow);
    TfrmNotify *notify = s.w->notifyWindow();
    QTRY_VERIFY(notify->isVisible()); // just after the window is painted
    QCOMPARE(notify->windowTitle(), QStringLiteral("Quillmereの予定"));
    QCOMPARE(notify->current().title, QStringLiteral("予定の時間です。"));
    QCOMPARE(notify->current().text, QStringLiteral("歯医者\r\n保険証を忘れずに"));

    // The stamp reached the file, so a restart does not ring again.
    const auto stampSaved = [&] {
        TAlarmTimer reread;
        return reread.LoadFromFile(s.home.programFolder() + QStringLiteral("schedule.dat"), false).ok()
            && reread.AlarmList().Count() == 1 && reread.AlarmList().Items(0)->LastAlarmed != 0.0;
    };
    QTRY_VERIFY(stampSaved());

    // The next tick in the same minute does not ring twice.
    s.w->alarmTimer()->Tick(s.clock.now().addSecs(10));
    QCOMPARE(notify->pending(), 0);
}

// Started hidden in the tray the window is never painted; a due schedule
// still rings at once rather than at the next interval.
void TestMainWindow::alarmDueAtLoadRingsWhenStartedHidden()
{
    TTestHome home;
    WriteDentistDueNow(home);
    TScriptedPrompter prompter;
    TFixedClock clock{QDateTime(QDate(2026, 12, 9), QTime(9, 30))};
    TfrmQuillmereMainWindow w(prompter, clock);
    w.alarmClock()->stop(); // only the start's own check may ring
    QTRY_VERIFY_WITH_TIMEOUT(w.notifyWindow()->isVisible(), 2000);
    QCOMPARE(w.notifyWindow()->current().text, QStringLiteral("歯医者\r\n保険証を忘れずに"));
    QVERIFY(!w.isVisible());
}

void TestMainWindow::noticesWaitTheirTurn()
{
    TStartedWindow s;
    TfrmNotify *notify = s.w->notifyWindow();
    notify->Enqueue({TNotice::nkAlarm, QStringLiteral("A"), QStringLiteral("一件目"), QStringLiteral("1")});
    notify->Enqueue({TNotice::nkAlert, QStringLiteral("B"), QStringLiteral("二件目"), QStringLiteral("2")});
    QCOMPARE(notify->current().title, QStringLiteral("一件目"));
    QCOMPARE(notify->pending(), 1);
    notify->accept();
    QTRY_COMPARE(notify->current().title, QStringLiteral("二件目"));
    QVERIFY(notify->isVisible());
    QCOMPARE(notify->pending(), 0);
}

// The pages of the views other than the calendar are not made with the
// window but the first time they are shown, once only, and then carry the
// colours, fonts and wrapping the settings give them; their editors count
// towards the unsaved mark like any other.
void TestMainWindow::otherPagesAreMadeWhenFirstNeeded()
{
    TTestHome home;
    TProfileFile settings = SettingsFile();
    settings.writeInteger(QStringLiteral("COLORS"), QStringLiteral("BkColorNoteCategories"), 0x00336699);
    settings.writeInteger(QStringLiteral("COLORS"), QStringLiteral("BkColorToDo"), 0x00CCEEFF);
    settings.writeBool(QStringLiteral("SETTINGS"), QStringLiteral("WordWrapScheduleManager"), true);
    TFontSpec font;
    font.name = QStringLiteral("Noto Sans CJK JP");
    font.size = 14;
    font.color = 0x000000FF;
    WriteFontSetting(QStringLiteral("NoteContentsFont"), font);
    TScriptedPrompter prompter;
    TFixedClock clock{QDateTime(QDate(2026, 12, 9), QTime(9, 30))};
    TfrmQuillmereMainWindow w(prompter, clock);
    for (const char *name : {"pgNote", "pgToDo", "pgScheduleManager"})
        QVERIFY2(!w.findChild<QWidget *>(QLatin1String(name)), name);

    w.ShowView(mvNote);
    const QList<TNotesView *> made = w.findChildren<TNotesView *>();
    QCOMPARE(made.size(), 1);
    QCOMPARE(w.pages()->currentWidget(), made.first());
    QCOMPARE(made.first()->tvNoteCategories()->palette().color(QPalette::Base), ColorToQColor(0x00336699));
    QCOMPARE(w.memNoteContents()->font().pointSize(), 14);
    QCOMPARE(w.memNoteContents()->palette().color(QPalette::Text), ColorToQColor(0x000000FF));

    w.ShowView(mvToDo);
    const auto *toDo = w.findChild<QTreeWidget *>(QStringLiteral("chklstToDo"));
    QVERIFY(toDo);
    QCOMPARE(w.pages()->currentWidget(), w.findChild<QWidget *>(QStringLiteral("pgToDo")));
    QCOMPARE(toDo->palette().color(QPalette::Base), ColorToQColor(0x00CCEEFF));

    w.ShowView(mvScheduleManager);
    auto *manager = w.findChild<QPlainTextEdit *>(QStringLiteral("memScheduleManager"));
    QVERIFY(manager);
    QCOMPARE(w.pages()->currentWidget(), w.findChild<QWidget *>(QStringLiteral("pgScheduleManager")));
    QCOMPARE(manager->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QCOMPARE(unsavedMark(w), QString());
    manager->setFocus();
    QTest::keyClicks(manager, QStringLiteral("a"));
    QCOMPARE(unsavedMark(w), QStringLiteral("*"));

    for (TMainView view : {mvScheduleMemo, mvNote, mvToDo, mvScheduleManager})
        w.ShowView(view);
    QCOMPARE(w.findChildren<TNotesView *>().size(), 1);
    QCOMPARE(w.findChildren<QTreeWidget *>(QStringLiteral("chklstToDo")).size(), 1);
    QCOMPARE(w.findChildren<QPlainTextEdit *>(QStringLiteral("memScheduleManager")).size(), 1);
}

void TestMainWindow::noteCommandsWorkFromAnyView()
{
    TStartedWindow s;
    s.w->ShowView(mvScheduleMemo);
    s.w->action(QStringLiteral("acNewNoteCategory"))->trigger();
    QCOMPARE(int(s.w->currentView()), int(mvNote));
    const QString note = s.home.programFolder() + QStringLiteral("Note/新しいノート");
    QVERIFY(QFileInfo(note).isDir());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape); // leave the name as it is
    QCoreApplication::processEvents();

    s.w->action(QStringLiteral("acNewNoteItem"))->trigger();
    QCoreApplication::processEvents();
    QVERIFY(QFileInfo(note + QStringLiteral("/新しいページ.txt")).isFile());
    QTRY_VERIFY(s.w->memNoteContents()->isEnabled());
    s.w->memNoteContents()->setFocus();
    QTest::keyClicks(s.w->memNoteContents(), QStringLiteral("abc"));
    QCOMPARE(unsavedMark(*s.w), QStringLiteral("*"));
    s.w->action(QStringLiteral("acSaveData"))->trigger();
    QCOMPARE(s.home.read(note + QStringLiteral("/新しいページ.txt")), QByteArray("abc"));
    QCOMPARE(unsavedMark(*s.w), QString());
}

void TestMainWindow::stepCommandsMoveTheCalendar_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QDate>("to");
    QTest::newRow("next month into a leap February") << QDate(2000, 1, 31) << "acNextMonth" << QDate(2000, 2, 29);
    QTest::newRow("next month into a common February") << QDate(2001, 1, 31) << "acNextMonth" << QDate(2001, 2, 28);
    QTest::newRow("next year from a leap day") << QDate(2000, 2, 29) << "acNextYear" << QDate(2001, 2, 28);
    QTest::newRow("previous day over a year end") << QDate(2001, 1, 1) << "acPrevDay" << QDate(2000, 12, 31);
    QTest::newRow("no day after 2099") << QDate(2099, 12, 31) << "acNextDay" << QDate(2099, 12, 31);
    QTest::newRow("no month after 2099") << QDate(2099, 12, 31) << "acNextMonth" << QDate(2099, 12, 31);
    QTest::newRow("no year before 1900") << QDate(1900, 6, 1) << "acPrevYear" << QDate(1900, 6, 1);
}

void TestMainWindow::stepCommandsMoveTheCalendar()
{
    QFETCH(QDate, from);
    QFETCH(QString, command);
    QFETCH(QDate, to);
    TStartedWindow s;
    s.w->calendar()->SetCurrentDate(from);
    s.w->action(command)->trigger();
    QCOMPARE(s.w->currentDate(), to);
    QCOMPARE(s.w->yearBox()->currentText(), QString::number(to.year()));
    QCOMPARE(s.w->monthBox()->currentText(), QString::number(to.month()));
}

void TestMainWindow::yearBoxKeepsTheDayWhereItCan()
{
    TStartedWindow s;
    s.w->calendar()->SetCurrentDate(QDate(2000, 2, 29));
    s.w->yearBox()->setCurrentIndex(s.w->yearBox()->findText(QStringLiteral("2001")));
    Q_EMIT s.w->yearBox()->activated(s.w->yearBox()->currentIndex());
    QCOMPARE(s.w->currentDate(), QDate(2001, 2, 28));
    QCOMPARE(s.w->titleBand()->text(), QStringLiteral("2001年02月28日 (水曜日)"));
    QCOMPARE(s.w->yearBox()->count(), 200);
}

void TestMainWindow::listStyleShowsTheScrollStrip()
{
    TStartedWindow s;
    QVERIFY(!s.w->scrollStrip()->isVisible());
    s.w->SetCalendarListStyle(true);
    QCOMPARE(int(s.w->calendar()->CalendarStyle()), int(csVertical1));
    QVERIFY(s.w->scrollStrip()->isVisible());
    s.w->SetCalendarListStyle(false);
    QCOMPARE(int(s.w->calendar()->CalendarStyle()), int(csMonthly2));
    QVERIFY(!s.w->scrollStrip()->isVisible());
}

int main(int argc, char **argv)
{
    TQuillmereApplication app(argc, argv);
    TestMainWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "test_mainwindow.moc"
