#include "core/settingskeys.h"
#include "support/testhome.h"

#include <QSet>
#include <QtTest>

// The key catalogue: every documented key, with its type, its default and
// whether the program ever writes it. Defaults are checked through the typed
// readers on an empty settings file, the way every caller meets them.
class TestSettingKeys : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void catalogue_data();
    void catalogue();
    void storedValueWinsOverDefault_data();
    void storedValueWinsOverDefault();
    void lookupIgnoresCase();
    void unknownKeyIsNotCatalogued();
    void noDuplicates();
    void cataloguedDefaultsParseAsTheirType();
};

Q_DECLARE_METATYPE(TSettingType)

namespace {
// The expected default, parsed here on its own so a wrong parser in the code
// under test cannot agree with itself.
int expectedInteger(const QString &text)
{
    bool ok = false;
    const int value = text.startsWith(QLatin1String("0x")) ? int(text.mid(2).toUInt(&ok, 16)) : text.toInt(&ok);
    Q_ASSERT(ok);
    return value;
}

bool isNumeric(TSettingType type)
{
    return type == stInteger || type == stBoolean || type == stColor;
}
} // namespace

void TestSettingKeys::catalogue_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<TSettingType>("type");
    // A null default: the reader computes it from the screen or a window.
    QTest::addColumn<QString>("def");
    QTest::addColumn<bool>("written");

    auto row = [](const char *section, const char *key, TSettingType type, const QString &def, bool written) {
        QTest::addRow("%s/%s", section, key)
            << QString::fromLatin1(section) << QString::fromLatin1(key) << type << def << written;
    };
    const QString computed; // null: no stored default
    row("SETTINGS", "DataFolder", stString, computed, true);
    row("SETTINGS", "ShowSprash", stBoolean, QStringLiteral("1"), true);
    row("SETTINGS", "ShowScheduleOnStartUp", stBoolean, QStringLiteral("1"), true);
    row("SETTINGS", "OnClose", stBoolean, QStringLiteral("0"), true);
    row("SETTINGS", "ShowMinimize", stBoolean, QStringLiteral("0"), true);
    row("SETTINGS", "DeleteMessage", stBoolean, QStringLiteral("1"), true);
    row("SETTINGS", "UseRecycleBin", stBoolean, QStringLiteral("0"), true);
    row("SETTINGS", "NoBackupFiles", stBoolean, QStringLiteral("0"), true);
    row("SETTINGS", "HotKey", stShortcut, QStringLiteral("Ctrl+F1"), true);
    row("SETTINGS", "TextSaveDir", stString, QStringLiteral(""), true);
    row("SETTINGS", "WordWrapMemo", stBoolean, QStringLiteral("0"), true);
    row("SETTINGS", "WordWrapMonthlyMemo", stBoolean, QStringLiteral("0"), true);
    row("SETTINGS", "WordWrapNotebook", stBoolean, QStringLiteral("0"), true);
    row("SETTINGS", "WordWrapNote", stBoolean, QStringLiteral("0"), true);
    row("SETTINGS", "WordWrapScheduleManager", stBoolean, QStringLiteral("0"), true);
    row("SETTINGS", "IMEAutoOn", stBoolean, QStringLiteral("0"), true);
    row("SETTINGS", "IMEHenkanForegroundColor", stColor, QStringLiteral("0xFFFFFF"), true);
    row("SETTINGS", "IMEHenkanBackgroundColor", stColor, QStringLiteral("0x800000"), true);
    row("SETTINGS", "StartOfWeek", stInteger, QStringLiteral("0"), true);
    row("SETTINGS", "CalendarStyle", stInteger, QStringLiteral("0"), true);
    row("SETTINGS", "CalendarDaysToShow", stInteger, QStringLiteral("7"), true);
    row("SETTINGS", "CalendarPos", stInteger, QStringLiteral("1"), true);
    row("SETTINGS", "ShowContentsOnCalendarClick", stBoolean, QStringLiteral("1"), true);
    row("SETTINGS", "ShowScheduleOnCalendar", stBoolean, QStringLiteral("1"), true);
    row("SETTINGS", "ShowOnlyFirstLineOnCalendar", stBoolean, QStringLiteral("1"), true);
    row("SETTINGS", "NoTimeOnCalendar", stBoolean, QStringLiteral("1"), true);
    row("SETTINGS", "ShowNeighborMonths", stBoolean, QStringLiteral("1"), true);
    row("SETTINGS", "ShowCalendarGrid", stBoolean, QStringLiteral("1"), true);
    row("SETTINGS", "ShowDayText", stBoolean, QStringLiteral("1"), true);
    row("SETTINGS", "CalendarMemoString", stString, QStringLiteral("□"), true);
    row("SETTINGS", "CalendarScheduleString", stString, QStringLiteral("■"), true);
    row("SETTINGS", "EQUINOX", stBoolean, QStringLiteral("1"), false);
    row("SETTINGS", "FURIKAE", stBoolean, QStringLiteral("1"), false);
    row("SETTINGS", "PopupWindowRoundRectWidth", stInteger, QStringLiteral("10"), false);
    row("SETTINGS", "DefaultScheduleDateSetting", stInteger, QStringLiteral("1"), true);
    row("SETTINGS", "DefaultScheduleTimeSetting", stInteger, QStringLiteral("1"), true);
    row("SETTINGS", "DefaultScheduleSpecificHour", stInteger, QStringLiteral("0"), true);
    row("SETTINGS", "DefaultScheduleSpecificMinute", stInteger, QStringLiteral("0"), true);
    row("SETTINGS", "DefaultSchedulePrevHour", stInteger, QStringLiteral("0"), true);
    row("SETTINGS", "DefaultSchedulePrevMinute", stInteger, QStringLiteral("0"), true);
    row("SETTINGS", "DefaultAlertMinutes", stInteger, QStringLiteral("10"), true);
    row("SETTINGS", "DefaultAlertDays", stInteger, QStringLiteral("3"), true);
    row("SETTINGS", "DoSound", stBoolean, QStringLiteral("1"), true);
    row("SETTINGS", "AlarmSoundFileName", stString, QStringLiteral(""), true);
    row("SETTINGS", "ScratchOutCheckedToDoItems", stBoolean, QStringLiteral("0"), true);
    row("SETTINGS", "HideCheckedToDoItems", stBoolean, QStringLiteral("0"), true);
    row("SETTINGS", "SearchMatchCase", stBoolean, QStringLiteral("0"), true);
    row("SETTINGS", "SearchWholeWord", stBoolean, QStringLiteral("0"), true);
    row("SETTINGS", "SearchSchedules", stBoolean, QStringLiteral("1"), true);
    row("SETTINGS", "SearchMemos", stBoolean, QStringLiteral("1"), true);
    row("SETTINGS", "SearchMonthlyMemos", stBoolean, QStringLiteral("1"), true);
    row("SETTINGS", "SearchNotebook", stBoolean, QStringLiteral("1"), true);
    row("SETTINGS", "SearchToDo", stBoolean, QStringLiteral("1"), true);
    row("SETTINGS", "SearchNote", stBoolean, QStringLiteral("1"), true);
    row("SETTINGS", "SearchPeriod", stBoolean, QStringLiteral("0"), true);
    row("SETTINGS", "SearchAlwaysOnTop", stBoolean, QStringLiteral("1"), true);
    row("SETTINGS", "WindowState", stInteger, QStringLiteral("0"), true);
    row("SETTINGS", "Width", stInteger, QStringLiteral("628"), true);
    row("SETTINGS", "Height", stInteger, QStringLiteral("443"), true);
    row("SETTINGS", "Left", stInteger, computed, true);
    row("SETTINGS", "Top", stInteger, computed, true);
    row("SETTINGS", "ActivePage", stInteger, QStringLiteral("1"), true);
    row("SETTINGS", "NoteSeparatorPos", stInteger, computed, true);
    row("SETTINGS", "NotePageWidth", stInteger, computed, true);
    row("SETTINGS", "NoteHeaderTitleWidth", stInteger, computed, true);
    row("SETTINGS", "ScheduleHeaderTimeWidth", stInteger, computed, true);
    row("SETTINGS", "ScheduleHeaderContentsWidth", stInteger, computed, true);
    row("SETTINGS", "ToDoHeaderLimitDateWidth", stInteger, QStringLiteral("100"), true);
    row("SETTINGS", "ToDoHeaderLimitTimeWidth", stInteger, QStringLiteral("100"), true);
    row("SETTINGS", "ToDoHeaderCheckedDateTimeWidth", stInteger, QStringLiteral("100"), true);
    row("SETTINGS", "CalendarWidth", stInteger, QStringLiteral("320"), true);
    row("SETTINGS", "CalendarHeight", stInteger, QStringLiteral("320"), true);
    row("SETTINGS", "MemoWidth", stInteger, QStringLiteral("314"), true);
    row("SETTINGS", "MemoHeight", stInteger, QStringLiteral("135"), true);
    row("SETTINGS", "ScheduleManagerPanelWidth", stInteger, QStringLiteral("200"), true);
    row("SETTINGS", "ScheduleManagerHeaderFirstColWidth", stInteger, QStringLiteral("50"), true);
    row("SETTINGS", "ScheduleManagerHeaderSecondColWidth", stInteger, QStringLiteral("50"), true);
    row("SETTINGS", "ScheduleManagerHeaderThirdColWidth", stInteger, QStringLiteral("93"), true);
    row("SETTINGS", "ShowViewToolBar", stBoolean, QStringLiteral("1"), true);
    row("SETTINGS", "ShowTitle", stBoolean, QStringLiteral("1"), true);
    row("SETTINGS", "ShowScheduleToolBar", stBoolean, QStringLiteral("1"), true);
    row("SETTINGS", "ShowToDoToolBar", stBoolean, QStringLiteral("1"), true);
    row("SETTINGS", "ShowNoteToolBar", stBoolean, QStringLiteral("1"), true);
    // The old common-controls library does not exist here, so the dockable bars are the default.
    row("SETTINGS", "ShowWin95Toolbar", stBoolean, QStringLiteral("0"), true);
    row("COLORS", "BkColorCalendarDate", stColor, QStringLiteral("0x80000018"), true);
    row("COLORS", "BkColorCalendarToday", stColor, QStringLiteral("0xC0DCC0"), true);
    row("COLORS", "BkColorCalendarDayOfWeek", stColor, QStringLiteral("0x000000"), true);
    row("COLORS", "BkColorCalendarNeighbor", stColor, QStringLiteral("0x8000000F"), true);
    row("COLORS", "BkColorCalendarContents", stColor, QStringLiteral("0x80000018"), false);
    row("COLORS", "BkColorCalendarDayOff", stColor, QStringLiteral("0xF0F0FF"), true);
    row("COLORS", "BkColorCalendarHoliday", stColor, QStringLiteral("0xF0F0FF"), true);
    row("COLORS", "BkColorCalendarSpecialDay", stColor, QStringLiteral("0xFF80FF"), true);
    row("COLORS", "BkColorMemo", stColor, QStringLiteral("0x80000005"), true);
    row("COLORS", "BkColorSchedule", stColor, QStringLiteral("0x80000005"), true);
    row("COLORS", "BkColorMonthlyMemo", stColor, QStringLiteral("0xEBFFFF"), true);
    row("COLORS", "BkColorNotebook", stColor, QStringLiteral("0xF0FFF0"), true);
    row("COLORS", "BkColorToDo", stColor, QStringLiteral("0x80000005"), true);
    row("COLORS", "BkColorNoteCategories", stColor, QStringLiteral("0x80000005"), true);
    row("COLORS", "BkColorNoteItems", stColor, QStringLiteral("0x80000005"), true);
    row("COLORS", "BkColorNoteContents", stColor, QStringLiteral("0x80000005"), true);
    row("COLORS", "BkColorScheduleList", stColor, QStringLiteral("0xE1FFFF"), true);
    row("COLORS", "BkColorAlarm", stColor, QStringLiteral("0xFFE1FF"), true);
    row("COLORS", "BkColorAlert", stColor, QStringLiteral("0xF0FFF0"), true);
    row("COLORS", "BkColorPopupWindow", stColor, QStringLiteral("0x80000018"), false);
    row("FONTS", "MemoFont", stFont, QStringLiteral(""), true);
    row("FONTS", "MonthlyMemoFont", stFont, QStringLiteral(""), true);
    row("FONTS", "NotebookFont", stFont, QStringLiteral(""), true);
    row("FONTS", "NoteContentsFont", stFont, QStringLiteral(""), true);
    row("FONTS", "ScheduleFont", stFont, QStringLiteral(""), true);
    row("FONTS", "ToDoListFont", stFont, QStringLiteral(""), true);
    row("FONTS", "NoteFont", stFont, QStringLiteral(""), true);
    row("FONTS", "NoteListFont", stFont, QStringLiteral(""), true);
    row("FONTS", "TitleFont", stFont, QStringLiteral(""), true);
    row("FONTS", "ScheduleListFont", stFont, QStringLiteral(""), true);
    row("FONTS", "AlarmFont", stFont, QStringLiteral(""), true);
    row("FONTS", "AlertFont", stFont, QStringLiteral(""), true);
    row("FONTS", "CalendarWeekDay", stFont, QStringLiteral(""), true);
    row("FONTS", "CalendarSaturday", stFont, QStringLiteral(""), true);
    row("FONTS", "CalendarSunday", stFont, QStringLiteral(""), true);
    row("FONTS", "CalendarDayOfWeek", stFont, QStringLiteral(""), true);
    row("FONTS", "CalendarHolidayDateFont", stFont, QStringLiteral(""), true);
    row("FONTS", "CalendarSpecialDayDateFont", stFont, QStringLiteral(""), true);
    row("FONTS", "CalendarDayOffDateFont", stFont, QStringLiteral(""), true);
    row("FONTS", "CalendarHolidayTextFont", stFont, QStringLiteral(""), true);
    row("FONTS", "CalendarSpecialDayTextFont", stFont, QStringLiteral(""), true);
    row("FONTS", "CalendarDayOffTextFont", stFont, QStringLiteral(""), true);
    row("FONTS", "CalendarScheduleSign", stFont, QStringLiteral(""), true);
    row("FONTS", "CalendarMemoSign", stFont, QStringLiteral(""), true);
    row("FONTS", "LargeCalendarFont", stFont, QStringLiteral(""), true);
    row("ToolBar_tbGeneral", "Docking", stBoolean, QStringLiteral("1"), true);
    row("ToolBar_tbGeneral", "Top", stInteger, computed, true);
    row("ToolBar_tbGeneral", "Left", stInteger, computed, true);
    row("ToolBar_tbGeneral", "Visible", stBoolean, QStringLiteral("1"), true);
    row("ToolBar_tbYMDChange", "Docking", stBoolean, QStringLiteral("1"), true);
    row("ToolBar_tbYMDChange", "Top", stInteger, computed, true);
    row("ToolBar_tbYMDChange", "Left", stInteger, computed, true);
    row("ToolBar_tbYMDChange", "Visible", stBoolean, QStringLiteral("1"), true);
    row("ToolBar_tbYMChange", "Docking", stBoolean, QStringLiteral("1"), true);
    row("ToolBar_tbYMChange", "Top", stInteger, computed, true);
    row("ToolBar_tbYMChange", "Left", stInteger, computed, true);
    row("ToolBar_tbYMChange", "Visible", stBoolean, QStringLiteral("1"), true);
}

void TestSettingKeys::catalogue()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(TSettingType, type);
    QFETCH(QString, def);
    QFETCH(bool, written);

    TTestHome home;
    const TSettingKey *k = FindSettingKey(section, key);
    QVERIFY2(k, qPrintable(section + QLatin1Char('/') + key + QStringLiteral(" is not catalogued")));
    QCOMPARE(QString::fromLatin1(k->section), section);
    QCOMPARE(QString::fromLatin1(k->key), key);
    QCOMPARE(k->type, type);
    QCOMPARE(k->written, written);
    if (def.isNull()) {
        QCOMPARE(k->defaultText, nullptr);
        return;
    }
    QVERIFY(k->defaultText);
    if (isNumeric(type)) {
        QCOMPARE(ReadSetting(*k), expectedInteger(def));
        QCOMPARE(ReadSettingBool(*k), expectedInteger(def) != 0);
    } else {
        QCOMPARE(ReadSettingString(*k), def);
    }
    // Reading a default never creates the file.
    QVERIFY(!QFileInfo::exists(home.settingsFile()));
}

void TestSettingKeys::storedValueWinsOverDefault_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<int>("expected");
    QTest::newRow("boolean off") << QByteArray("[SETTINGS]\r\nDeleteMessage=0\r\n") << "SETTINGS"
                                 << "DeleteMessage" << 0;
    QTest::newRow("integer") << QByteArray("[settings]\r\nwidth=1024\r\n") << "SETTINGS"
                             << "Width" << 1024;
    QTest::newRow("system colour") << QByteArray("[COLORS]\r\nBkColorAlarm=-2147483624\r\n") << "COLORS"
                                   << "BkColorAlarm" << int(0x80000018u);
    QTest::newRow("garbage gives default") << QByteArray("[SETTINGS]\r\nCalendarDaysToShow=seven\r\n") << "SETTINGS"
                                           << "CalendarDaysToShow" << 7;
    QTest::newRow("other section ignored") << QByteArray("[COLORS]\r\nWidth=1\r\n") << "SETTINGS"
                                           << "Width" << 628;
}

void TestSettingKeys::storedValueWinsOverDefault()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(int, expected);
    TTestHome home;
    home.setSettings(file);
    const QByteArray s = section.toLatin1();
    const QByteArray k = key.toLatin1();
    QCOMPARE(ReadSetting(s.constData(), k.constData()), expected);
    QCOMPARE(ReadSettingBool(s.constData(), k.constData()), expected != 0);
}

void TestSettingKeys::lookupIgnoresCase()
{
    const TSettingKey *exact = FindSettingKey(QStringLiteral("SETTINGS"), QStringLiteral("ShowSprash"));
    QVERIFY(exact);
    QCOMPARE(FindSettingKey(QStringLiteral("settings"), QStringLiteral("SHOWSPRASH")), exact);
    TTestHome home;
    QCOMPARE(ReadSettingString("COLORS", "BkColorCalendarToday"), QStringLiteral("0xC0DCC0"));
    QCOMPARE(ReadSettingString(sk::SETTINGS, "CalendarScheduleString"), QStringLiteral("■"));
}

void TestSettingKeys::unknownKeyIsNotCatalogued()
{
    QCOMPARE(FindSettingKey(QStringLiteral("SETTINGS"), QStringLiteral("NoSuchKey")), nullptr);
    QCOMPARE(FindSettingKey(QStringLiteral("COLORS"), QStringLiteral("ShowSprash")), nullptr);
    QCOMPARE(FindSettingKey(QStringLiteral("SETTING"), QStringLiteral("Width")), nullptr);
}

void TestSettingKeys::noDuplicates()
{
    QSet<QString> seen;
    for (const TSettingKey &k : AllSettingKeys()) {
        const QString name = (QString::fromLatin1(k.section) + QLatin1Char('/') + QString::fromLatin1(k.key)).toLower();
        QVERIFY2(!seen.contains(name), qPrintable(name));
        seen.insert(name);
    }
    QVERIFY(seen.size() >= 129);
}

void TestSettingKeys::cataloguedDefaultsParseAsTheirType()
{
    for (const TSettingKey &k : AllSettingKeys()) {
        if (!k.defaultText)
            continue;
        const QString def = QString::fromUtf8(k.defaultText);
        if (isNumeric(k.type)) {
            int value = 0;
            QVERIFY2(TProfileFile::parseInteger(def, value), k.key);
        }
        if (k.type == stBoolean)
            QVERIFY2(def == QLatin1String("0") || def == QLatin1String("1"), k.key);
        if (k.type == stFont)
            QVERIFY2(def.isEmpty(), k.key);
    }
}

QTEST_GUILESS_MAIN(TestSettingKeys)
#include "test_settingskeys.moc"
