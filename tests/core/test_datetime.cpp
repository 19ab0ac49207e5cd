#include "core/datetime.h"

#include <QtTest>

// The stored moment: days since 30 December 1899, the fraction the time of day.
class TestDateTime : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void knownValues_data();
    void knownValues();
    void zeroAndInvalid();
    void everyMinuteRoundTrips();
    void addMonthsClamped_data();
    void addMonthsClamped();
};

void TestDateTime::knownValues_data()
{
    QTest::addColumn<QDateTime>("moment");
    QTest::addColumn<double>("value");
    QTest::newRow("1900-01-01") << QDateTime(QDate(1900, 1, 1), QTime(0, 0)) << 2.0;
    QTest::newRow("2000-01-01") << QDateTime(QDate(2000, 1, 1), QTime(0, 0)) << 36526.0;
    QTest::newRow("2000-01-01 06:00") << QDateTime(QDate(2000, 1, 1), QTime(6, 0)) << 36526.25;
    QTest::newRow("2000-01-01 18:00") << QDateTime(QDate(2000, 1, 1), QTime(18, 0)) << 36526.75;
    QTest::newRow("2024-02-29 12:00") << QDateTime(QDate(2024, 2, 29), QTime(12, 0)) << 45351.5;
    QTest::newRow("1899-12-29") << QDateTime(QDate(1899, 12, 29), QTime(0, 0)) << -1.0;
}

void TestDateTime::knownValues()
{
    QFETCH(QDateTime, moment);
    QFETCH(double, value);
    QCOMPARE(qmdt::fromDateTime(moment), value);
    QCOMPARE(qmdt::fromDate(moment.date()), std::trunc(value));
    QCOMPARE(qmdt::toDateTime(value), moment);
    QCOMPARE(qmdt::toDate(value), moment.date());
}

void TestDateTime::zeroAndInvalid()
{
    QVERIFY(!qmdt::toDateTime(0.0).isValid());
    QCOMPARE(qmdt::fromDateTime(QDateTime()), 0.0);
    QVERIFY(!qmdt::toDateTime(std::numeric_limits<double>::quiet_NaN()).isValid());
    QVERIFY(!qmdt::toDateTime(std::numeric_limits<double>::infinity()).isValid());
    QVERIFY(!qmdt::toDate(1e300).isValid());
    QVERIFY(!qmdt::toDate(-1e300).isValid());
}

void TestDateTime::everyMinuteRoundTrips()
{
    // Binary fractions of a day are inexact; no minute may come back as the one before.
    for (const QDate day : {QDate(1900, 3, 1), QDate(2000, 1, 1), QDate(2099, 12, 31)}) {
        for (int minute = 0; minute < 24 * 60; ++minute) {
            const QDateTime moment(day, QTime(0, 0).addSecs(minute * 60));
            const QDateTime back = qmdt::toDateTime(qmdt::fromDateTime(moment));
            if (back != moment)
                QFAIL(qPrintable(moment.toString(Qt::ISODateWithMs) + QStringLiteral(" came back as ") +
                                 back.toString(Qt::ISODateWithMs)));
        }
    }
}

void TestDateTime::addMonthsClamped_data()
{
    QTest::addColumn<QDate>("from");
    QTest::addColumn<int>("months");
    QTest::addColumn<QDate>("expected");
    QTest::newRow("31 Jan + 1 leap") << QDate(2024, 1, 31) << 1 << QDate(2024, 2, 29);
    QTest::newRow("31 Jan + 1") << QDate(2023, 1, 31) << 1 << QDate(2023, 2, 28);
    QTest::newRow("31 Mar - 1") << QDate(2024, 3, 31) << -1 << QDate(2024, 2, 29);
    QTest::newRow("31 May + 1") << QDate(2024, 5, 31) << 1 << QDate(2024, 6, 30);
    QTest::newRow("day kept") << QDate(2024, 5, 15) << 12 << QDate(2025, 5, 15);
    QTest::newRow("across year back") << QDate(2024, 1, 31) << -2 << QDate(2023, 11, 30);
}

void TestDateTime::addMonthsClamped()
{
    QFETCH(QDate, from);
    QFETCH(int, months);
    QFETCH(QDate, expected);
    QCOMPARE(qmdt::addMonthsClamped(from, months), expected);
}

QTEST_GUILESS_MAIN(TestDateTime)
#include "test_datetime.moc"
