#include "calendar/dateex.h"
#include "calendar/dayfiles.h"
#include "calendar/holidaytable.h"
#include "core/safefile.h"
#include "support/scriptedprompter.h"
#include "support/testhome.h"

#include <QFileInfo>
#include <QSignalSpy>
#include <QtTest>

namespace {

QByteArray bytesOf(const TZoDayItemList &list)
{
    QByteArray bytes;
    if (!list.SaveToBytes(bytes))
        qFatal("fixture cannot be encoded");
    return bytes;
}

QByteArray oldTableBytes()
{
    TZoDayItemList old;
    FillOldHolidayTable(old);
    return bytesOf(old);
}

QByteArray oneRuleFile(const QString &text)
{
    TZoDayItemList list;
    list.Add(TZoDayItem(6, 1, text));
    return bytesOf(list);
}

QStringList texts(const TZoDayItemList &list)
{
    QStringList out;
    for (int i = 0; i < list.Count(); ++i)
        out << list.Items(i)->DayText;
    return out;
}

// The head of a day file: the signature and the count.
QByteArray head(qint32 count)
{
    QByteArray b("\x57\x0a\x31\x01", 4);
    b += QByteArray(4, '\0');
    qToLittleEndian(count, b.data() + 4);
    return b;
}

} // namespace

// Opening a data folder's three day files: the built-in table, the upgrade of
// an untouched old table, damaged files and the settings switches.
class TestDayFiles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void missingHolidayFileWritesBuiltInTable();
    void untouchedOldTableIsUpgraded();
    void editedOldTableIsLeftAlone_data();
    void editedOldTableIsLeftAlone();
    void damagedFileShowsItsMessageAndKeepsACopy_data();
    void damagedFileShowsItsMessageAndKeepsACopy();
    void missingUserFilesEmptyTheirLists();
    void readOnlyWritesNothing();
    void settingsSetTheSwitches_data();
    void settingsSetTheSwitches();
    void unwritableFolderReportsTheSave();
};

void TestDayFiles::missingHolidayFileWritesBuiltInTable()
{
    TTestHome home;
    TZoDateEx engine;
    TScriptedPrompter prompter;
    QSignalSpy spy(engine.HolidayList(), &TZoDayItemList::OnChange);
    QVERIFY(LoadDayFiles(engine, prompter));
    QCOMPARE(prompter.texts(), QStringList());
    QCOMPARE(engine.HolidayList()->Count(), 36);
    QVERIFY(spy.count() >= 1);
    QCOMPARE(engine.HolidayList()->Items(0)->DayText, QStringLiteral("元日"));
    QCOMPARE(engine.HolidayList()->Items(35)->DisplayText(), QStringLiteral("2019年10月22日"));

    const QByteArray file = home.read(Global().HolidayFile());
    QCOMPARE(file.left(8), head(36));
    QCOMPARE(file, bytesOf(*engine.HolidayList()));
    QVERIFY(!QFileInfo::exists(home.dataFolder() + QStringLiteral("holidays.bak")));
    // The engine now answers by the law.
    QCOMPARE(engine.GetDayText(2026, 5, 6), QStringLiteral("振替休日"));
}

void TestDayFiles::untouchedOldTableIsUpgraded()
{
    TTestHome home;
    const QByteArray old = oldTableBytes();
    QCOMPARE(old.left(8), head(15));
    home.write(Global().HolidayFile(), old);

    TZoDateEx engine;
    TScriptedPrompter prompter;
    QVERIFY(LoadDayFiles(engine, prompter));
    QCOMPARE(prompter.texts(), QStringList());
    QCOMPARE(engine.HolidayList()->Count(), 36);
    QCOMPARE(home.read(Global().HolidayFile()), bytesOf(*engine.HolidayList()));
    QCOMPARE(home.read(home.dataFolder() + QStringLiteral("holidays.bak")), old);
    QCOMPARE(engine.GetDayText(2026, 12, 23), QString());

    // Loading the upgraded folder again changes nothing more.
    const QByteArray upgraded = home.read(Global().HolidayFile());
    TZoDateEx again;
    QVERIFY(LoadDayFiles(again, prompter));
    QCOMPARE(home.read(Global().HolidayFile()), upgraded);
    QCOMPARE(home.read(home.dataFolder() + QStringLiteral("holidays.bak")), old);
}

void TestDayFiles::editedOldTableIsLeftAlone_data()
{
    QTest::addColumn<int>("edit");
    QTest::newRow("a text changed") << 0;
    QTest::newRow("a rule removed") << 1;
    QTest::newRow("a rule added") << 2;
    QTest::newRow("two rules swapped") << 3;
    QTest::newRow("a year changed") << 4;
    QTest::newRow("a last year given") << 5;
}

void TestDayFiles::editedOldTableIsLeftAlone()
{
    QFETCH(int, edit);
    TZoDayItemList list;
    FillOldHolidayTable(list);
    switch (edit) {
    case 0:
        list.Items(14)->DayText = QStringLiteral("上皇誕生日");
        break;
    case 1:
        list.Delete(6);
        break;
    case 2:
        list.Add(TZoDayItem(8, 11, QStringLiteral("山の日")));
        break;
    case 3: {
        TZoDayItemList swapped;
        swapped.Add(list.Items(1));
        swapped.Add(list.Items(0));
        for (int i = 2; i < list.Count(); ++i)
            swapped.Add(list.Items(i));
        list.Clear();
        for (int i = 0; i < swapped.Count(); ++i)
            list.Add(swapped.Items(i));
        break;
    }
    case 4:
        list.Items(1)->Year = 1998;
        break;
    case 5:
        list.Items(2)->LastYear = 2030;
        break;
    }
    TTestHome home;
    const QByteArray userFile = bytesOf(list);
    home.write(Global().HolidayFile(), userFile);
    TZoDateEx engine;
    TScriptedPrompter prompter;
    QVERIFY(LoadDayFiles(engine, prompter));
    QCOMPARE(texts(*engine.HolidayList()), texts(list));
    QCOMPARE(home.read(Global().HolidayFile()), userFile);
    QVERIFY(!QFileInfo::exists(home.dataFolder() + QStringLiteral("holidays.bak")));
}

void TestDayFiles::damagedFileShowsItsMessageAndKeepsACopy_data()
{
    QTest::addColumn<QString>("damagedName");
    QTest::addColumn<QString>("message");
    QTest::newRow("holidays.dat") << "holidays.dat" << HolidayFileLoadError();
    QTest::newRow("daysoff.dat") << "daysoff.dat" << DayOffFileLoadError();
    QTest::newRow("spcldays.dat") << "spcldays.dat" << SpecialDayFileLoadError();
}

void TestDayFiles::damagedFileShowsItsMessageAndKeepsACopy()
{
    QFETCH(QString, damagedName);
    QFETCH(QString, message);
    TTestHome home;
    const QString names[] = {QStringLiteral("holidays.dat"), QStringLiteral("daysoff.dat"),
                             QStringLiteral("spcldays.dat")};
    QByteArray damaged;
    for (const QString &name : names) {
        QByteArray bytes = oneRuleFile(name);
        if (name == damagedName) {
            bytes.chop(1); // the last reserved byte is missing
            damaged = bytes;
        }
        home.write(home.dataFolder() + name, bytes);
    }
    TZoDateEx engine;
    TScriptedPrompter prompter;
    QVERIFY(!LoadDayFiles(engine, prompter));
    const QString copy = home.dataFolder() + damagedName + QStringLiteral(".damaged");
    QCOMPARE(prompter.texts(), QStringList{message + QStringLiteral("\r\n") + DamagedCopyNote(copy)});
    QCOMPARE(prompter.kinds(), QStringList{QStringLiteral("error")});
    QCOMPARE(home.read(copy), damaged);
    QCOMPARE(home.read(home.dataFolder() + damagedName), damaged);

    // The other two files still load.
    const std::pair<QString, TZoDayItemList *> lists[] = {
        {names[0], engine.HolidayList()}, {names[1], engine.CustomDayOffList()}, {names[2], engine.SpecialDayList()}};
    for (const auto &[name, list] : lists) {
        if (name == damagedName)
            QCOMPARE(list->Count(), 0);
        else
            QCOMPARE(texts(*list), QStringList{name});
    }
}

void TestDayFiles::missingUserFilesEmptyTheirLists()
{
    TTestHome home;
    TZoDateEx engine;
    engine.CustomDayOffList()->Add(TZoDayItem(1, 2, QStringLiteral("前のフォルダの休日")));
    engine.SpecialDayList()->Add(TZoDayItem(1, 3, QStringLiteral("前のフォルダの記念日")));
    QSignalSpy spy(engine.CustomDayOffList(), &TZoDayItemList::OnChange);
    TScriptedPrompter prompter;
    QVERIFY(LoadDayFiles(engine, prompter));
    QCOMPARE(engine.CustomDayOffList()->Count(), 0);
    QCOMPARE(engine.SpecialDayList()->Count(), 0);
    QCOMPARE(spy.count(), 1);
    QVERIFY(!QFileInfo::exists(Global().DayOffFile()));
    QVERIFY(!QFileInfo::exists(Global().SpecialDayFile()));
}

void TestDayFiles::readOnlyWritesNothing()
{
    TTestHome home;
    TZoDateEx engine;
    TScriptedPrompter prompter;
    QVERIFY(LoadDayFiles(engine, prompter, TDayFilesAccess::ReadOnly));
    QCOMPARE(engine.HolidayList()->Count(), 36);
    QVERIFY(!QFileInfo::exists(Global().HolidayFile()));

    const QByteArray old = oldTableBytes();
    home.write(Global().HolidayFile(), old);
    QByteArray cut = oneRuleFile(QStringLiteral("x"));
    cut.chop(10);
    home.write(Global().DayOffFile(), cut);
    QVERIFY(!LoadDayFiles(engine, prompter, TDayFilesAccess::ReadOnly));
    QCOMPARE(engine.HolidayList()->Count(), 36);
    QCOMPARE(prompter.texts(), QStringList{DayOffFileLoadError()});
    QCOMPARE(home.read(Global().HolidayFile()), old);
    QVERIFY(!QFileInfo::exists(home.dataFolder() + QStringLiteral("holidays.bak")));
    QVERIFY(!QFileInfo::exists(Global().DayOffFile() + QStringLiteral(".damaged")));
    QCOMPARE(QDir(home.dataFolder()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

void TestDayFiles::settingsSetTheSwitches_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<bool>("equinox");
    QTest::addColumn<bool>("furikae");
    QTest::addColumn<bool>("kokumin");
    QTest::newRow("defaults") << QByteArray() << true << true << true;
    QTest::newRow("all off") << QByteArray("[SETTINGS]\r\nEQUINOX=0\r\nFURIKAE=0\r\nKOKUMIN=0\r\n") << false << false
                             << false;
    QTest::newRow("kokumin off") << QByteArray("[SETTINGS]\r\nKOKUMIN=0\r\n") << true << true << false;
    QTest::newRow("lower-case key") << QByteArray("[settings]\r\nequinox=0\r\n") << false << true << true;
}

void TestDayFiles::settingsSetTheSwitches()
{
    QFETCH(QByteArray, settings);
    QFETCH(bool, equinox);
    QFETCH(bool, furikae);
    QFETCH(bool, kokumin);
    TTestHome home;
    if (!settings.isEmpty())
        home.setSettings(settings);
    TZoDateEx engine;
    engine.SetAutoEquinox(!equinox);
    engine.SetAutoFurikae(!furikae);
    engine.SetAutoKokumin(!kokumin);
    TScriptedPrompter prompter;
    QVERIFY(LoadDayFiles(engine, prompter));
    QCOMPARE(engine.AutoEquinox(), equinox);
    QCOMPARE(engine.AutoFurikae(), furikae);
    QCOMPARE(engine.AutoKokumin(), kokumin);
    QCOMPARE(engine.GetDayText(2026, 9, 22), kokumin && equinox ? QStringLiteral("国民の休日") : QString());
    // Reading the switches never writes them.
    QCOMPARE(home.settings(), settings);
}

void TestDayFiles::unwritableFolderReportsTheSave()
{
    TTestHome home;
    // A data folder that has gone away: nothing can be written into it.
    Global().CurrentDataFolder = home.dataFolder() + QStringLiteral("gone/");
    TZoDateEx engine;
    TScriptedPrompter prompter;
    QVERIFY(!LoadDayFiles(engine, prompter));
    QCOMPARE(prompter.texts(), QStringList{QStringLiteral("祝日の設定ファイルの保存に失敗しました。")});
    QCOMPARE(engine.HolidayList()->Count(), 36);
    QVERIFY(!QFileInfo::exists(Global().HolidayFile()));
}

QTEST_GUILESS_MAIN(TestDayFiles)
#include "test_dayfiles.moc"
