#include "core/clock.h"
#include "core/datetime.h"
#include "todo/todonotice.h"
#include "todo/todotimer.h"

#include <QtTest>

namespace {

TPreviouseAlert notice(quint8 kind, qint32 amount, double lastAlerted)
{
    TPreviouseAlert n;
    n.Kind = kind;
    n.Amount = amount;
    n.LastAlerted = lastAlerted;
    return n;
}

QDateTime moment(int y, int m, int d, int h, int n, int s = 0)
{
    return QDateTime(QDate(y, m, d), QTime(h, n, s));
}

double stored(const QDateTime &dt)
{
    return qmdt::fromDateTime(dt);
}

// Records what the timer raised, in order, answering as the main window does.
class TRecorder
{
public:
    TRecorder(TToDoTimer &timer, TFixedClock &clock) : m_clock(clock)
    {
        notifier.Show = [this](const TToDoNotice &n) { shown << n.title; };
        notifier.Save = [this] { ++saves; };
        QObject::connect(&timer, &TToDoTimer::OnToDoAlert, &timer, [this](TToDo *item, double date) {
            events << QStringLiteral("alert ") + item->Text;
            notifier.HandleAlert(*item, date, m_clock.now());
        });
        QObject::connect(&timer, &TToDoTimer::OnToDoAlarm, &timer, [this](TToDo *item) {
            events << QStringLiteral("alarm ") + item->Text;
            notifier.HandleAlarm(*item, m_clock.now());
        });
    }
    QStringList events;
    QStringList shown;
    int saves = 0;
    TToDoNotifier notifier;

private:
    TFixedClock &m_clock;
};

// Ticks every 20 seconds from `from` up to `to` (exclusive).
void run(TToDoTimer &timer, TFixedClock &clock, const QDateTime &from, const QDateTime &to)
{
    for (QDateTime t = from; t < to; t = t.addSecs(20)) {
        clock.set(t);
        timer.TimerTick(t);
    }
}

TToDo *addItem(TToDoTimer &timer, const QString &text, const QDateTime &limit, bool useTime)
{
    auto item = std::make_unique<TToDo>(0);
    item->Text = text;
    item->UseDate = true;
    item->UseTime = useTime;
    item->LimitDateTime = stored(limit);
    return timer.Items().Add(std::move(item));
}

} // namespace

class TestToDoTimer : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void timedDeadlineOncePerMinuteAndAfterRestart();
    void dateOnlyDeadlineUntilStamped();
    void nothingForCheckedOrUndated_data();
    void nothingForCheckedOrUndated();
    void noticeByDaysAcrossYearEnd();
    void noticeByMinutesThenAlarm();
    void noticeBeforeMidnightComesTheDayBefore();
    void handlerDeletingItemsEndsVisitSafely();
    void throwingHandlerEndsTick();
    void alertTitle_data();
    void alertTitle();
    void blankTextIsNotShownButStamped();
    void timerProperties();
};

void TestToDoTimer::timedDeadlineOncePerMinuteAndAfterRestart()
{
    TFixedClock clock;
    TToDoTimer timer(clock);
    timer.SetEnabled(false);
    TRecorder rec(timer, clock);
    TToDo *item = addItem(timer, "due", moment(2001, 3, 7, 10, 30), true);
    run(timer, clock, moment(2001, 3, 7, 10, 29, 0), moment(2001, 3, 7, 10, 32, 0));
    QCOMPARE(rec.events, QStringList{"alarm due"});
    QCOMPARE(rec.shown, QStringList{"備忘録の期限がきました。"});
    QCOMPARE(item->AlarmedDateTime, stored(moment(2001, 3, 7, 10, 30, 0)));
    QCOMPARE(rec.saves, 1);

    // A restart at 10:30:40 reads the stored stamp back (minutes only).
    TToDoTimer restarted(clock);
    TRecorder rec2(restarted, clock);
    TToDo *again = addItem(restarted, "due", moment(2001, 3, 7, 10, 30), true);
    again->AlarmedDateTime = stored(moment(2001, 3, 7, 10, 30));
    run(restarted, clock, moment(2001, 3, 7, 10, 30, 40), moment(2001, 3, 7, 10, 31, 0));
    QVERIFY(rec2.events.isEmpty());
}

void TestToDoTimer::dateOnlyDeadlineUntilStamped()
{
    TFixedClock clock;
    TToDoTimer timer(clock);
    timer.SetEnabled(false);
    TToDo *item = addItem(timer, "day", moment(2001, 3, 7, 0, 0), false);
    int raised = 0;
    QObject::connect(&timer, &TToDoTimer::OnToDoAlarm, &timer, [&](TToDo *) { ++raised; });
    // Without the owner's stamp every tick of the day raises it again.
    run(timer, clock, moment(2001, 3, 7, 0, 0), moment(2001, 3, 7, 0, 1));
    QCOMPARE(raised, 3);
    QCOMPARE(item->AlarmedDateTime, 0.0);

    TRecorder rec(timer, clock);
    run(timer, clock, moment(2001, 3, 7, 8, 0), moment(2001, 3, 7, 9, 0));
    QCOMPARE(rec.events, QStringList{"alarm day"});
    // Stamped that day: a restart later the same day raises nothing; the next day nothing either.
    rec.events.clear();
    run(timer, clock, moment(2001, 3, 7, 23, 59), moment(2001, 3, 8, 0, 2));
    QVERIFY(rec.events.isEmpty());
}

void TestToDoTimer::nothingForCheckedOrUndated_data()
{
    QTest::addColumn<bool>("checked");
    QTest::addColumn<bool>("useDate");
    QTest::newRow("checked") << true << true;
    QTest::newRow("no limit date") << false << false;
}

void TestToDoTimer::nothingForCheckedOrUndated()
{
    QFETCH(bool, checked);
    QFETCH(bool, useDate);
    TFixedClock clock;
    TToDoTimer timer(clock);
    timer.SetEnabled(false);
    TRecorder rec(timer, clock);
    TToDo *item = addItem(timer, "x", moment(2001, 3, 7, 10, 30), true);
    item->Checked = checked;
    item->UseDate = useDate;
    item->UseTime = useDate;
    item->PrevAlert = notice(AlertByDays, 5, 0);
    run(timer, clock, moment(2001, 3, 7, 10, 29), moment(2001, 3, 7, 10, 31));
    QVERIFY(rec.events.isEmpty());
    QCOMPARE(item->PrevAlert.LastAlerted, 0.0);
}

void TestToDoTimer::noticeByDaysAcrossYearEnd()
{
    TFixedClock clock;
    TToDoTimer timer(clock);
    timer.SetEnabled(false);
    TRecorder rec(timer, clock);
    TToDo *item = addItem(timer, "new year", moment(2002, 1, 2, 0, 0), false);
    item->PrevAlert = notice(AlertByDays, 3, 0);
    QStringList days;
    QObject::connect(&timer, &TToDoTimer::OnToDoAlert, &timer,
                     [&](TToDo *, double) { days << clock.now().date().toString(Qt::ISODate); });
    for (QDate d(2001, 12, 28); d <= QDate(2002, 1, 3); d = d.addDays(1)) {
        run(timer, clock, QDateTime(d, QTime(9, 0)), QDateTime(d, QTime(9, 2)));
        item->AlarmedDateTime = 0; // keep the deadline out of the way of the count
    }
    QCOMPARE(days, (QStringList{"2001-12-30", "2001-12-31", "2002-01-01", "2002-01-02"}));
    QCOMPARE(rec.shown.first(), QStringLiteral("3日後は下記の備忘録の期限です。"));
    QCOMPARE(rec.shown.at(rec.shown.size() - 2), QStringLiteral("今日は下記の備忘録の期限です。"));
}

void TestToDoTimer::noticeByMinutesThenAlarm()
{
    TFixedClock clock;
    TToDoTimer timer(clock);
    timer.SetEnabled(false);
    TRecorder rec(timer, clock);
    TToDo *item = addItem(timer, "meeting", moment(2001, 3, 7, 9, 0), true);
    item->PrevAlert = notice(AlertByMinutes, 15, 0);
    run(timer, clock, moment(2001, 3, 7, 8, 40), moment(2001, 3, 7, 9, 5));
    QCOMPARE(rec.events, (QStringList{"alert meeting", "alarm meeting"}));
    QCOMPARE(rec.shown, (QStringList{"15分後に下記の備忘録の期限です。", "備忘録の期限がきました。"}));
    QCOMPARE(item->PrevAlert.LastAlerted, stored(moment(2001, 3, 7, 8, 45)));

    // Notice and deadline in the same tick: the notice first.
    TToDo *same = addItem(timer, "now", moment(2001, 3, 8, 9, 0), true);
    same->PrevAlert = notice(AlertByDays, 1, 0);
    rec.events.clear();
    run(timer, clock, moment(2001, 3, 8, 9, 0), moment(2001, 3, 8, 9, 0, 20));
    QCOMPARE(rec.events, (QStringList{"alert now", "alarm now"}));
}

void TestToDoTimer::noticeBeforeMidnightComesTheDayBefore()
{
    TFixedClock clock;
    TToDoTimer timer(clock);
    timer.SetEnabled(false);
    TRecorder rec(timer, clock);
    TToDo *item = addItem(timer, "early", moment(2001, 3, 8, 0, 10), true);
    item->PrevAlert = notice(AlertByMinutes, 15, 0);
    run(timer, clock, moment(2001, 3, 7, 23, 50), moment(2001, 3, 8, 23, 59));
    QCOMPARE(rec.events, (QStringList{"alert early", "alarm early"}));
    QCOMPARE(item->PrevAlert.LastAlerted, stored(moment(2001, 3, 7, 23, 55)));
}

void TestToDoTimer::handlerDeletingItemsEndsVisitSafely()
{
    TFixedClock clock(moment(2001, 3, 7, 9, 0));
    TToDoTimer timer(clock);
    timer.SetEnabled(false);
    for (int i = 0; i < 3; ++i) {
        TToDo *t = addItem(timer, QString::number(i), moment(2001, 3, 7, 9, 0), true);
        t->PrevAlert = notice(AlertByDays, 1, 0);
    }
    QStringList seen;
    // While "waiting" for its window, the first alert's handler deletes everything.
    QObject::connect(&timer, &TToDoTimer::OnToDoAlert, &timer, [&](TToDo *item, double) {
        seen << QStringLiteral("alert ") + item->Text;
        timer.Items().Clear();
    });
    QObject::connect(&timer, &TToDoTimer::OnToDoAlarm, &timer,
                     [&](TToDo *item) { seen << QStringLiteral("alarm ") + item->Text; });
    timer.TimerTick(clock.now());
    QCOMPARE(seen, QStringList{"alert 0"});
}

void TestToDoTimer::throwingHandlerEndsTick()
{
    TFixedClock clock(moment(2001, 3, 7, 9, 0));
    TToDoTimer timer(clock);
    timer.SetEnabled(false);
    addItem(timer, "a", moment(2001, 3, 7, 9, 0), true);
    addItem(timer, "b", moment(2001, 3, 7, 9, 0), true);
    QStringList seen;
    QObject::connect(&timer, &TToDoTimer::OnToDoAlarm, &timer, [&](TToDo *item) {
        seen << item->Text;
        throw std::runtime_error("save failed");
    });
    timer.TimerTick(clock.now());
    QCOMPARE(seen, QStringList{"a"});
    // The next tick starts afresh; "a" was stamped by the timer, "b" comes now.
    timer.TimerTick(clock.now().addSecs(20));
    QCOMPARE(seen, (QStringList{"a", "b"}));
}

void TestToDoTimer::alertTitle_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("amount");
    QTest::addColumn<QDateTime>("limit");
    QTest::addColumn<QString>("title");
    const QString s = QStringLiteral("下記の備忘録の期限です。");
    QTest::newRow("today") << 1 << 3 << moment(2001, 3, 7, 23, 0) << "今日は" + s;
    QTest::newRow("tomorrow 08:00") << 1 << 1 << moment(2001, 3, 8, 8, 0) << "明日は" + s;
    QTest::newRow("day after") << 1 << 5 << moment(2001, 3, 9, 0, 0) << "明後日は" + s;
    QTest::newRow("ten days") << 1 << 10 << moment(2001, 3, 17, 12, 0) << "10日後は" + s;
    QTest::newRow("15 minutes") << 3 << 15 << moment(2001, 3, 7, 9, 0) << "15分後に" + s;
    QTest::newRow("59 minutes") << 3 << 59 << moment(2001, 3, 7, 9, 0) << "59分後に" + s;
    QTest::newRow("90 minutes") << 3 << 90 << moment(2001, 3, 7, 9, 0) << "90分後に" + s;
    QTest::newRow("120 minutes") << 3 << 120 << moment(2001, 3, 7, 9, 0) << "2時間後に" + s;
    QTest::newRow("hours kind: no prefix") << 2 << 1 << moment(2001, 3, 7, 9, 0) << s;
    QTest::newRow("none") << 0 << 1 << moment(2001, 3, 7, 9, 0) << QString();
}

void TestToDoTimer::alertTitle()
{
    QFETCH(int, kind);
    QFETCH(int, amount);
    QFETCH(QDateTime, limit);
    QFETCH(QString, title);
    QCOMPARE(ToDoAlertTitle(kind, amount, stored(limit), QDate(2001, 3, 7)), title);
}

void TestToDoTimer::blankTextIsNotShownButStamped()
{
    TToDoNotifier notifier;
    QList<TToDoNotice> shown;
    int saves = 0;
    notifier.Show = [&](const TToDoNotice &n) { shown << n; };
    notifier.Save = [&] { ++saves; };
    TToDo blank(0);
    blank.Text = QStringLiteral("  ");
    const QDateTime now = moment(2001, 3, 7, 9, 0);
    notifier.HandleAlarm(blank, now);
    QVERIFY(shown.isEmpty());
    QCOMPARE(blank.AlarmedDateTime, stored(now));
    QCOMPARE(saves, 1);

    TToDo item(0);
    item.Text = QStringLiteral("text");
    item.PrevAlert = notice(NoAlert, 0, 0);
    notifier.HandleAlert(item, stored(now), now);
    QCOMPARE(saves, 1); // no notice kind: nothing shown, nothing saved
    QCOMPARE(item.PrevAlert.LastAlerted, stored(now));

    item.PrevAlert.Kind = AlertByDays;
    notifier.HandleAlert(item, stored(now), now);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].caption, QStringLiteral("Quillmereの備忘録事前通知"));
    QCOMPARE(shown[0].text, QStringLiteral("text"));
    QCOMPARE(int(shown[0].style), int(TToDoNotice::nsAlert));
    notifier.StartupFinished = false;
    notifier.HandleAlarm(item, now);
    QCOMPARE(shown.size(), 1);
}

void TestToDoTimer::timerProperties()
{
    TFixedClock clock;
    TToDoTimer timer(clock);
    QCOMPARE(timer.Enabled(), true);
    QCOMPARE(timer.Interval(), 10000u);
    timer.SetInterval(20000);
    timer.SetEnabled(false);
    QCOMPARE(timer.Enabled(), false);
    QCOMPARE(timer.Interval(), 20000u);
}

QTEST_GUILESS_MAIN(TestToDoTimer)
#include "test_todotimer.moc"
