#include "calendar/dayitemlist.h"
#include "support/clirun.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using TRun = TCliRun;

QByteArray listBytes(std::initializer_list<TZoDayItem> rules)
{
    TZoDayItemList list;
    for (const TZoDayItem &r : rules)
        list.Add(r);
    QByteArray bytes;
    if (!list.SaveToBytes(bytes))
        qFatal("fixture cannot be encoded");
    return bytes;
}

} // namespace

// `quillmere-cli days` and the day files in `check`, run as a user runs them.
class TestDaysCli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString data() const { return m_dir.path() + QStringLiteral("/data/"); }

    TRun cli(const QStringList &args) { return RunCli(QStringLiteral(QM_CLI_PATH), m_dir.path(), data(), args); }

    void write(const QString &name, const QByteArray &bytes)
    {
        QFile f(data() + name);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }

private Q_SLOTS:
    void init()
    {
        QDir(data()).removeRecursively();
        QDir().mkpath(data());
        QDir().mkpath(m_dir.path() + QStringLiteral("/home"));
    }

    void builtInTableWithoutWriting()
    {
        const TRun r = cli({QStringLiteral("days"), QStringLiteral("2026-05-01"), QStringLiteral("2026-05-10")});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("2026-05-03\tholiday\t憲法記念日\n"
                                       "2026-05-04\tholiday\tみどりの日\n"
                                       "2026-05-05\tholiday\tこどもの日\n"
                                       "2026-05-06\tfurikae\t振替休日\n"));
        QCOMPARE(QDir(data()).entryList(QDir::Files | QDir::Hidden), QStringList());
    }

    void userListsAndSettings()
    {
        write(QStringLiteral("spcldays.dat"), listBytes({TZoDayItem(9, 22, QStringLiteral("結婚 記念日"))}));
        write(QStringLiteral("daysoff.dat"), listBytes({TZoDayItem(2026, 9, 24, QStringLiteral("休み"))}));
        TRun r = cli({QStringLiteral("days"), QStringLiteral("2026-09-21"), QStringLiteral("2026-09-25")});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QStringLiteral("2026-09-21\tholiday\t敬老の日\n"
                                       "2026-09-22\tholiday,special\t\"結婚 記念日\",国民の休日\n"
                                       "2026-09-23\tholiday\t秋分の日\n"
                                       "2026-09-24\tdayoff\t休み\n"));

        QFile settings(m_dir.path() + QStringLiteral("/home/settings.cnf"));
        QVERIFY(settings.open(QIODevice::WriteOnly));
        settings.write("[SETTINGS]\r\nKOKUMIN=0\r\nEQUINOX=0\r\n");
        settings.close();
        r = cli({QStringLiteral("days"), QStringLiteral("2026-09-21"), QStringLiteral("2026-09-23")});
        QCOMPARE(r.out, QStringLiteral("2026-09-21\tholiday\t敬老の日\n"
                                       "2026-09-22\tspecial\t\"結婚 記念日\"\n"));
    }

    void damagedFileIsReportedAndLeftAlone()
    {
        QByteArray cut = listBytes({TZoDayItem(1, 2, QStringLiteral("x"))});
        cut.chop(1);
        write(QStringLiteral("spcldays.dat"), cut);
        TRun r = cli({QStringLiteral("days"), QStringLiteral("2026-01-01"), QStringLiteral("2026-01-02")});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, QStringLiteral("特別な日設定ファイルの読み込みに失敗しました。\n"));
        QCOMPARE(r.out, QStringLiteral("2026-01-01\tholiday\t元日\n"));

        r = cli({QStringLiteral("check")});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(QStringLiteral("特別な日設定ファイルの読み込みに失敗しました。")), qPrintable(r.err));
        QCOMPARE(QDir(data()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("spcldays.dat")});
    }

    void wrongUsage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no dates") << QStringList{"days"};
        QTest::newRow("one date") << QStringList{"days", "2026-01-01"};
        QTest::newRow("three dates") << QStringList{"days", "2026-01-01", "2026-01-02", "2026-01-03"};
        QTest::newRow("not a date") << QStringList{"days", "2026-02-30", "2026-03-01"};
        QTest::newRow("other form") << QStringList{"days", "2026/01/01", "2026/01/02"};
        QTest::newRow("backwards") << QStringList{"days", "2026-12-31", "2026-01-01"};
    }

    void wrongUsage()
    {
        QFETCH(QStringList, args);
        const TRun r = cli(args);
        QCOMPARE(r.code, 2);
        QCOMPARE(r.out, QString());
        QVERIFY(r.err.contains(QStringLiteral("days FROM TO")));
    }
};

QTEST_GUILESS_MAIN(TestDaysCli)
#include "test_days_cli.moc"
