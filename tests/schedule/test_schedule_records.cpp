#include "core/cp932.h"
#include "schedule/alarmlist.h"
#include "schedule/noticetitle.h"

#include <QtTest>

namespace {

TAlarm2 make(int kind, int y, int mo, int d, int h, int mi, quint8 days = 0x01)
{
    TAlarm2 a;
    a.AlarmType = static_cast<quint8>(kind);
    a.AlarmDateTime.Year = static_cast<quint16>(y);
    a.AlarmDateTime.Month = static_cast<quint16>(mo);
    a.AlarmDateTime.Day = static_cast<quint16>(d);
    a.AlarmDateTime.Hour = static_cast<quint16>(h);
    a.AlarmDateTime.Minute = static_cast<quint16>(mi);
    a.AlarmDateTime.DaysOfWeek = days;
    return a;
}

// Weekday bits by schedule number: 1 Sunday ... 7 Saturday.
constexpr quint8 kSun = 1u << 1, kMon = 1u << 2, kWed = 1u << 4, kFri = 1u << 6, kSat = 1u << 7;

} // namespace

class TestScheduleRecords : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void newRecordDefaults()
    {
        const TAlarm2 a;
        QCOMPARE(a.AlarmType, quint8(3));
        QCOMPARE(a.ExecuteType, quint8(2));
        QCOMPARE(a.Enabled, quint8(1));
        QCOMPARE(a.ShellExecute.ShowCmd, 5);
        QCOMPARE(a.ShellExecute.Operation, QStringLiteral("open"));
        QCOMPARE(a.PreviouseAlert.Kind, quint8(NoAlert));
        QCOMPARE(a.PreviouseAlert.Amount, 0);
        QCOMPARE(a.PreviouseAlert.LastAlerted, 0.0);
        QCOMPARE(a.AlarmDateTime.DaysOfWeek, quint8(0x01));
        QCOMPARE(a.ReservedDateTime.DaysOfWeek, quint8(0x01));
        QCOMPARE(a.PreviouseAlert.AlertDateTime.DaysOfWeek, quint8(0x01));
        QCOMPARE(a.LastAlarmed, 0.0);
        QCOMPARE(a.HideFromShowSchedule, quint8(0));
        QCOMPARE(a.UseColor, quint8(0));
        QVERIFY(a.Lines.isEmpty());
    }

    void isAlarmDay_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("m");
        QTest::addColumn<int>("d");
        QTest::addColumn<int>("days");
        QTest::addColumn<QDate>("date");
        QTest::addColumn<bool>("falls");
        const QDate mon(2024, 4, 29); // a Monday
        for (int kind : {0, 5, 10}) {
            QTest::addRow("kind %d every date", kind) << kind << 0 << 0 << 0 << 0 << mon << true;
            QTest::addRow("kind %d year 1", kind) << kind << 0 << 0 << 0 << 0 << QDate(1, 1, 1) << true;
        }
        for (int kind : {1, 6}) {
            QTest::addRow("kind %d monday chosen", kind) << kind << 0 << 0 << 0 << int(kMon | kFri) << mon << true;
            QTest::addRow("kind %d friday chosen", kind) << kind << 0 << 0 << 0 << int(kMon | kFri) << QDate(2024, 5, 3) << true;
            QTest::addRow("kind %d tuesday not", kind) << kind << 0 << 0 << 0 << int(kMon | kFri) << mon.addDays(1) << false;
            QTest::addRow("kind %d sunday", kind) << kind << 0 << 0 << 0 << int(kSun) << QDate(2024, 4, 28) << true;
            QTest::addRow("kind %d saturday", kind) << kind << 0 << 0 << 0 << int(kSat) << QDate(2024, 4, 27) << true;
            QTest::addRow("kind %d bit 0 only is no day", kind) << kind << 0 << 0 << 0 << 1 << mon << false;
        }
        for (int kind : {2, 7}) {
            QTest::addRow("kind %d day matches", kind) << kind << 0 << 0 << 5 << 0 << QDate(2024, 7, 5) << true;
            QTest::addRow("kind %d day differs", kind) << kind << 0 << 0 << 5 << 0 << QDate(2024, 7, 6) << false;
            QTest::addRow("kind %d day 31 not 30 April", kind) << kind << 0 << 0 << 31 << 0 << QDate(2024, 4, 30) << false;
            QTest::addRow("kind %d day 31 on 31 May", kind) << kind << 0 << 0 << 31 << 0 << QDate(2024, 5, 31) << true;
        }
        for (int kind : {3, 8}) {
            QTest::addRow("kind %d same date", kind) << kind << 2000 << 1 << 5 << 0 << QDate(2000, 1, 5) << true;
            QTest::addRow("kind %d other year", kind) << kind << 2000 << 1 << 5 << 0 << QDate(2001, 1, 5) << false;
            QTest::addRow("kind %d impossible date", kind) << kind << 2023 << 2 << 29 << 0 << QDate(2023, 3, 1) << false;
        }
        for (int kind : {4, 9}) {
            QTest::addRow("kind %d month and day", kind) << kind << 1990 << 2 << 3 << 0 << QDate(2031, 2, 3) << true;
            QTest::addRow("kind %d other month", kind) << kind << 0 << 3 << 3 << 0 << QDate(2031, 2, 3) << false;
            QTest::addRow("kind %d 29 Feb leap", kind) << kind << 0 << 2 << 29 << 0 << QDate(2024, 2, 29) << true;
            QTest::addRow("kind %d 29 Feb common", kind) << kind << 0 << 2 << 29 << 0 << QDate(2023, 3, 1) << false;
        }
        QTest::newRow("kind 11 never") << 11 << 0 << 0 << 0 << 0 << mon << false;
        QTest::newRow("kind 255 never") << 255 << 0 << 0 << 0 << 0 << mon << false;
        QTest::newRow("invalid date") << 0 << 0 << 0 << 0 << 0 << QDate() << false;
    }
    void isAlarmDay()
    {
        QFETCH(int, kind);
        QFETCH(int, y);
        QFETCH(int, m);
        QFETCH(int, d);
        QFETCH(int, days);
        QFETCH(QDate, date);
        QFETCH(bool, falls);
        TAlarm2 a = make(kind, y, m, d, 12, 0, static_cast<quint8>(days));
        QCOMPARE(a.IsAlarmDay(date), falls);
        // Only the date counts, and neither switch is consulted.
        a.Enabled = 0;
        a.HideFromShowSchedule = 1;
        QCOMPARE(a.IsAlarmDay(QDateTime(date, QTime(23, 59, 59))), falls);
    }

    void texts_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("m");
        QTest::addColumn<int>("d");
        QTest::addColumn<int>("h");
        QTest::addColumn<int>("mi");
        QTest::addColumn<int>("days");
        QTest::addColumn<QString>("dateText");
        QTest::addColumn<QString>("timeText");
        QTest::newRow("0 every day") << 0 << 0 << 0 << 0 << 9 << 5 << 1 << "毎日" << "09:05";
        QTest::newRow("1 sun sat") << 1 << 0 << 0 << 0 << 7 << 30 << int(kSun | kSat) << "日土曜日" << "07:30";
        QTest::newRow("1 mon wed fri") << 1 << 0 << 0 << 0 << 23 << 59 << int(kMon | kWed | kFri) << "月水金曜日" << "23:59";
        QTest::newRow("1 all days bit 0 ignored") << 1 << 0 << 0 << 0 << 0 << 0 << 0xFF << "日月火水木金土曜日" << "00:00";
        QTest::newRow("1 no day") << 1 << 0 << 0 << 0 << 0 << 0 << 0 << "曜日" << "00:00";
        QTest::newRow("2 monthly") << 2 << 0 << 0 << 5 << 12 << 0 << 1 << "毎月05日" << "12:00";
        QTest::newRow("3 date") << 3 << 2000 << 1 << 5 << 10 << 0 << 1 << "2000/01/05" << "10:00";
        QTest::newRow("3 three-digit year") << 3 << 999 << 12 << 31 << 0 << 1 << 1 << "999/12/31" << "00:01";
        QTest::newRow("4 yearly") << 4 << 0 << 2 << 3 << 8 << 0 << 1 << "毎年02/03" << "08:00";
        QTest::newRow("5 every day") << 5 << 0 << 0 << 0 << 8 << 0 << 1 << "毎日" << "毎日";
        QTest::newRow("6 weekly") << 6 << 0 << 0 << 0 << 8 << 0 << int(kWed) << "水曜日" << "--:--";
        QTest::newRow("7 monthly") << 7 << 0 << 0 << 31 << 8 << 0 << 1 << "毎月31日" << "--:--";
        QTest::newRow("8 date") << 8 << 2024 << 12 << 1 << 8 << 0 << 1 << "2024/12/01" << "--:--";
        QTest::newRow("9 yearly") << 9 << 0 << 12 << 24 << 8 << 0 << 1 << "毎年12/24" << "--:--";
        QTest::newRow("10 start-up") << 10 << 0 << 0 << 0 << 8 << 0 << 1 << "" << "起動時";
        QTest::newRow("11 unknown") << 11 << 2000 << 1 << 1 << 8 << 0 << 1 << "" << "--:--";
        QTest::newRow("hour out of range") << 0 << 0 << 0 << 0 << 123 << 7 << 1 << "毎日" << "123:07";
        QTest::newRow("largest stored time") << 4 << 0 << 1 << 1 << 65535 << 65535 << 1 << "毎年01/01" << "65535:65535";
    }
    void texts()
    {
        QFETCH(int, kind);
        QFETCH(int, y);
        QFETCH(int, m);
        QFETCH(int, d);
        QFETCH(int, h);
        QFETCH(int, mi);
        QFETCH(int, days);
        const TAlarm2 a = make(kind, y, m, d, h, mi, static_cast<quint8>(days));
        QTEST(a.DateText(), "dateText");
        QTEST(a.TimeText(), "timeText");
        // The ordering key is the time text's CP932 bytes, however it is made.
        const TTimeKey key = TimeKey(a);
        QCOMPARE(QByteArray(key.Bytes.data(), key.Size), cp932::encodeLossy(a.TimeText()));
    }

    void assignCopiesAllButReserved()
    {
        TAlarm2 src = make(1, 2001, 2, 3, 4, 5, kMon);
        src.LastAlarmed = 123.5;
        src.ExecuteType = 0;
        src.ShellExecute = {7, QStringLiteral("edit"), QStringLiteral("a.txt"), QStringLiteral("-x"), QStringLiteral("/tmp"), 3};
        src.Enabled = 0;
        src.Lines = {QStringLiteral("一"), QStringLiteral("二")};
        src.ReservedDateTime = src.AlarmDateTime;
        src.Reserved1 = 9;
        src.HideFromShowSchedule = 1;
        src.ReservedTime = 4.25;
        src.UseColor = 1;
        src.Color = 0x123456;
        src.Reserved = {1, 2, 3, 4, 5, 6, 7};
        src.PreviouseAlert = {AlertByMinutes, 30, src.AlarmDateTime, 99.5};

        TAlarm2 dst;
        dst.Reserved = {9, 9, 9, 9, 9, 9, 9};
        dst.Assign(src);
        QCOMPARE(dst.AlarmType, src.AlarmType);
        QVERIFY(dst.AlarmDateTime == src.AlarmDateTime);
        QCOMPARE(dst.LastAlarmed, 123.5);
        QCOMPARE(dst.ExecuteType, quint8(0));
        QVERIFY(dst.ShellExecute == src.ShellExecute);
        QCOMPARE(dst.Enabled, quint8(0));
        QCOMPARE(dst.Lines, src.Lines);
        QVERIFY(dst.ReservedDateTime == src.ReservedDateTime);
        QCOMPARE(dst.Reserved1, quint8(9));
        QCOMPARE(dst.HideFromShowSchedule, quint8(1));
        QCOMPARE(dst.ReservedTime, 4.25);
        QCOMPARE(dst.UseColor, quint8(1));
        QCOMPARE(dst.Color, 0x123456);
        QVERIFY(dst.PreviouseAlert == src.PreviouseAlert);
        const std::array<quint8, 7> kept{9, 9, 9, 9, 9, 9, 9};
        QVERIFY(dst.Reserved == kept);
        // The copy is deep: changing the source afterwards leaves it alone.
        src.Lines[0] = QStringLiteral("変更");
        QCOMPARE(dst.Lines.first(), QStringLiteral("一"));
    }

    void listOwnsAndFindsRecords()
    {
        TAlarmList list;
        TAlarm2 src = make(0, 0, 0, 0, 8, 0);
        src.Lines = {QStringLiteral("a")};
        TAlarm2 *first = list.Add(src);
        QVERIFY(first != &src);
        src.Lines = {QStringLiteral("b")};
        TAlarm2 *second = list.Add(src);
        QCOMPARE(list.Count(), 2);
        QCOMPARE(list.Items(0)->Lines.first(), QStringLiteral("a"));
        QCOMPARE(list.Items(1), second);
        QCOMPARE(list.Items(2), nullptr);
        QCOMPARE(list.Items(-1), nullptr);
        QCOMPARE(list.IndexOf(second), 1);
        QCOMPARE(list.IndexOf(&src), -1);
        list.Remove(&src); // not in the list: nothing happens
        QCOMPARE(list.Count(), 2);
        list.Remove(first);
        QCOMPARE(list.Count(), 1);
        QCOMPARE(list.Items(0), second);
        list.Delete(5);
        QCOMPARE(list.Count(), 1);
        list.Insert(0, src);
        QCOMPARE(list.Items(1), second);
        list.Clear();
        QCOMPARE(list.Count(), 0);
    }

    void safeWalkSeesFreedRecordsAsGone()
    {
        TAlarmList list;
        for (int i = 0; i < 4; ++i)
            list.Add(make(0, 0, 0, 0, i, 0));
        TAlarmList::TSafeWalk walk(list);
        TAlarm2 *third = walk.At(2);
        list.Delete(1);
        QCOMPARE(walk.At(1), nullptr);
        QCOMPARE(walk.At(2), third);
        {
            TAlarmList::TSafeWalk inner(list);
            list.Remove(third);
            QCOMPARE(inner.At(1), nullptr);
        }
        QCOMPARE(walk.At(2), nullptr);
        list.Clear();
        QCOMPARE(walk.At(0), nullptr);
        QCOMPARE(walk.At(3), nullptr);
    }

    // Taking over another list's records frees this list's own, and walks
    // over either list no longer see records that left it.
    void takeAllMovesRecordsAndForgetsWalks()
    {
        TAlarmList target;
        target.Add(make(0, 0, 0, 0, 1, 0));
        TAlarmList source;
        TAlarm2 *first = source.Add(make(0, 0, 0, 0, 2, 0));
        TAlarm2 *second = source.Add(make(0, 0, 0, 0, 3, 0));
        TAlarmList::TSafeWalk targetWalk(target);
        TAlarmList::TSafeWalk sourceWalk(source);
        target.TakeAll(source);
        QCOMPARE(target.Count(), 2);
        QCOMPARE(target.Items(0), first);
        QCOMPARE(target.Items(1), second);
        QCOMPARE(source.Count(), 0);
        QCOMPARE(targetWalk.At(0), nullptr);
        QCOMPARE(sourceWalk.At(0), nullptr);
        QCOMPARE(sourceWalk.At(1), nullptr);
        target.TakeAll(target);
        QCOMPARE(target.Count(), 2);
    }

    void dayOrderIsByTimeText()
    {
        TAlarmList list;
        const QList<TAlarm2> records = {make(3, 2024, 5, 1, 13, 0), make(10, 0, 0, 0, 0, 0), make(8, 2024, 5, 1, 0, 0),
                                        make(0, 0, 0, 0, 9, 5), make(5, 0, 0, 0, 0, 0), make(0, 0, 0, 0, 0, 0),
                                        make(3, 2024, 5, 1, 9, 5)};
        QList<TAlarm2 *> day;
        for (const TAlarm2 &r : records)
            day.append(list.Add(r));
        SortByTimeText(day);
        QStringList order;
        for (const TAlarm2 *a : day)
            order << a->TimeText();
        // "--:--" sorts first by its bytes; the kanji texts after the digits.
        const QStringList expected = {QStringLiteral("--:--"), QStringLiteral("00:00"), QStringLiteral("09:05"),
                                      QStringLiteral("09:05"), QStringLiteral("13:00"), QStringLiteral("起動時"),
                                      QStringLiteral("毎日")};
        QCOMPARE(order, expected);
        // Equal times keep list order.
        QCOMPARE(day[2], list.Items(3));
        QCOMPARE(day[3], list.Items(6));
        QVERIFY(AlarmTimeLess(*list.Items(5), *list.Items(0)));
        QVERIFY(!AlarmTimeLess(*list.Items(0), *list.Items(5)));
    }

    void noticeTitle_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("amount");
        QTest::addColumn<QDateTime>("alarmDate");
        QTest::addColumn<QString>("title");
        const QDate today(2024, 12, 30);
        QTest::newRow("days today") << 1 << 3 << QDateTime(today, QTime(0, 0)) << "今日は下記の予定があります。";
        QTest::newRow("days tomorrow keeps time") << 1 << 1 << QDateTime(today.addDays(1), QTime(14, 20)) << "明日は下記の予定があります。";
        QTest::newRow("days day after") << 1 << 2 << QDateTime(today.addDays(2), QTime(0, 0)) << "明後日は下記の予定があります。";
        QTest::newRow("days five across year") << 1 << 9 << QDateTime(today.addDays(5), QTime(0, 0)) << "5日後に下記の予定があります。";
        QTest::newRow("minutes 90") << 3 << 90 << QDateTime() << "90分後に下記の予定があります。";
        QTest::newRow("minutes 120") << 3 << 120 << QDateTime() << "2時間後に下記の予定があります。";
        QTest::newRow("minutes 30") << 3 << 30 << QDateTime() << "30分後に下記の予定があります。";
        QTest::newRow("minutes 60") << 3 << 60 << QDateTime() << "1時間後に下記の予定があります。";
        QTest::newRow("hours") << 2 << 2 << QDateTime() << "下記の予定があります。";
    }
    void noticeTitle()
    {
        QFETCH(int, kind);
        QFETCH(int, amount);
        QFETCH(QDateTime, alarmDate);
        QFETCH(QString, title);
        TPreviouseAlert pa;
        pa.Kind = static_cast<quint8>(kind);
        pa.Amount = amount;
        const auto got = NoticeTitle(pa, QDate(2024, 12, 30), alarmDate);
        QVERIFY(got.has_value());
        QCOMPARE(*got, title);
    }
    void noNoticeTitleWithoutKind()
    {
        TPreviouseAlert pa;
        QVERIFY(!NoticeTitle(pa, QDate(2024, 1, 1), QDateTime()).has_value());
        pa.Kind = 7;
        QVERIFY(!NoticeTitle(pa, QDate(2024, 1, 1), QDateTime()).has_value());
    }
};

QTEST_GUILESS_MAIN(TestScheduleRecords)
#include "test_schedule_records.moc"
