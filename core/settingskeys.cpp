#include "core/settingskeys.h"

#include "core/appglobal.h"

#include <array>

namespace {

// Window-layout keys whose default depends on the screen or a pane carry no
// stored default; their readers compute it.
constexpr std::array kKeys{
    TSettingKey{"SETTINGS", "DataFolder", stString, nullptr, true},
    TSettingKey{"SETTINGS", "ShowSprash", stBoolean, "1", true},
    TSettingKey{"SETTINGS", "ShowScheduleOnStartUp", stBoolean, "1", true},
    TSettingKey{"SETTINGS", "OnClose", stBoolean, "0", true},
    TSettingKey{"SETTINGS", "ShowMinimize", stBoolean, "0", true},
    TSettingKey{"SETTINGS", "DeleteMessage", stBoolean, "1", true},
    TSettingKey{"SETTINGS", "UseRecycleBin", stBoolean, "0", true},
    TSettingKey{"SETTINGS", "NoBackupFiles", stBoolean, "0", true},
    TSettingKey{"SETTINGS", "HotKey", stShortcut, "Ctrl+F1", true},
    TSettingKey{"SETTINGS", "TextSaveDir", stString, "", true},
    TSettingKey{"SETTINGS", "WordWrapMemo", stBoolean, "0", true},
    TSettingKey{"SETTINGS", "WordWrapMonthlyMemo", stBoolean, "0", true},
    TSettingKey{"SETTINGS", "WordWrapNotebook", stBoolean, "0", true},
    TSettingKey{"SETTINGS", "WordWrapNote", stBoolean, "0", true},
    TSettingKey{"SETTINGS", "WordWrapScheduleManager", stBoolean, "0", true},
    TSettingKey{"SETTINGS", "IMEAutoOn", stBoolean, "0", true},
    TSettingKey{"SETTINGS", "IMEHenkanForegroundColor", stColor, "0xFFFFFF", true},
    TSettingKey{"SETTINGS", "IMEHenkanBackgroundColor", stColor, "0x800000", true},
    TSettingKey{"SETTINGS", "StartOfWeek", stInteger, "0", true},
    TSettingKey{"SETTINGS", "CalendarStyle", stInteger, "0", true},
    TSettingKey{"SETTINGS", "CalendarDaysToShow", stInteger, "7", true},
    TSettingKey{"SETTINGS", "CalendarPos", stInteger, "1", true},
    TSettingKey{"SETTINGS", "ShowContentsOnCalendarClick", stBoolean, "1", true},
    TSettingKey{"SETTINGS", "ShowScheduleOnCalendar", stBoolean, "1", true},
    TSettingKey{"SETTINGS", "ShowOnlyFirstLineOnCalendar", stBoolean, "1", true},
    TSettingKey{"SETTINGS", "NoTimeOnCalendar", stBoolean, "1", true},
    TSettingKey{"SETTINGS", "ShowNeighborMonths", stBoolean, "1", true},
    TSettingKey{"SETTINGS", "ShowCalendarGrid", stBoolean, "1", true},
    TSettingKey{"SETTINGS", "ShowDayText", stBoolean, "1", true},
    TSettingKey{"SETTINGS", "CalendarMemoString", stString, "□", true},
    TSettingKey{"SETTINGS", "CalendarScheduleString", stString, "■", true},
    TSettingKey{"SETTINGS", "EQUINOX", stBoolean, "1", false},
    TSettingKey{"SETTINGS", "FURIKAE", stBoolean, "1", false},
    TSettingKey{"SETTINGS", "KOKUMIN", stBoolean, "1", false},
    TSettingKey{"SETTINGS", "PopupWindowRoundRectWidth", stInteger, "10", false},
    TSettingKey{"SETTINGS", "DefaultScheduleDateSetting", stInteger, "1", true},
    TSettingKey{"SETTINGS", "DefaultScheduleTimeSetting", stInteger, "1", true},
    TSettingKey{"SETTINGS", "DefaultScheduleSpecificHour", stInteger, "0", true},
    TSettingKey{"SETTINGS", "DefaultScheduleSpecificMinute", stInteger, "0", true},
    TSettingKey{"SETTINGS", "DefaultSchedulePrevHour", stInteger, "0", true},
    TSettingKey{"SETTINGS", "DefaultSchedulePrevMinute", stInteger, "0", true},
    TSettingKey{"SETTINGS", "DefaultAlertMinutes", stInteger, "10", true},
    TSettingKey{"SETTINGS", "DefaultAlertDays", stInteger, "3", true},
    TSettingKey{"SETTINGS", "DoSound", stBoolean, "1", true},
    TSettingKey{"SETTINGS", "AlarmSoundFileName", stString, "", true},
    TSettingKey{"SETTINGS", "ScratchOutCheckedToDoItems", stBoolean, "0", true},
    TSettingKey{"SETTINGS", "HideCheckedToDoItems", stBoolean, "0", true},
    TSettingKey{"SETTINGS", "SearchMatchCase", stBoolean, "0", true},
    TSettingKey{"SETTINGS", "SearchWholeWord", stBoolean, "0", true},
    TSettingKey{"SETTINGS", "SearchSchedules", stBoolean, "1", true},
    TSettingKey{"SETTINGS", "SearchMemos", stBoolean, "1", true},
    TSettingKey{"SETTINGS", "SearchMonthlyMemos", stBoolean, "1", true},
    TSettingKey{"SETTINGS", "SearchNotebook", stBoolean, "1", true},
    TSettingKey{"SETTINGS", "SearchToDo", stBoolean, "1", true},
    TSettingKey{"SETTINGS", "SearchNote", stBoolean, "1", true},
    TSettingKey{"SETTINGS", "SearchPeriod", stBoolean, "0", true},
    TSettingKey{"SETTINGS", "SearchAlwaysOnTop", stBoolean, "1", true},
    TSettingKey{"SETTINGS", "WindowState", stInteger, "0", true},
    TSettingKey{"SETTINGS", "Width", stInteger, "628", true},
    TSettingKey{"SETTINGS", "Height", stInteger, "443", true},
    TSettingKey{"SETTINGS", "Left", stInteger, nullptr, true},
    TSettingKey{"SETTINGS", "Top", stInteger, nullptr, true},
    TSettingKey{"SETTINGS", "ActivePage", stInteger, "1", true},
    TSettingKey{"SETTINGS", "NoteSeparatorPos", stInteger, nullptr, true},
    TSettingKey{"SETTINGS", "NotePageWidth", stInteger, nullptr, true},
    TSettingKey{"SETTINGS", "NoteHeaderTitleWidth", stInteger, nullptr, true},
    TSettingKey{"SETTINGS", "ScheduleHeaderTimeWidth", stInteger, nullptr, true},
    TSettingKey{"SETTINGS", "ScheduleHeaderContentsWidth", stInteger, nullptr, true},
    TSettingKey{"SETTINGS", "ToDoHeaderLimitDateWidth", stInteger, "100", true},
    TSettingKey{"SETTINGS", "ToDoHeaderLimitTimeWidth", stInteger, "100", true},
    TSettingKey{"SETTINGS", "ToDoHeaderCheckedDateTimeWidth", stInteger, "100", true},
    TSettingKey{"SETTINGS", "CalendarWidth", stInteger, "320", true},
    TSettingKey{"SETTINGS", "CalendarHeight", stInteger, "320", true},
    TSettingKey{"SETTINGS", "MemoWidth", stInteger, "314", true},
    TSettingKey{"SETTINGS", "MemoHeight", stInteger, "135", true},
    TSettingKey{"SETTINGS", "ScheduleManagerPanelWidth", stInteger, "200", true},
    TSettingKey{"SETTINGS", "ScheduleManagerHeaderFirstColWidth", stInteger, "50", true},
    TSettingKey{"SETTINGS", "ScheduleManagerHeaderSecondColWidth", stInteger, "50", true},
    TSettingKey{"SETTINGS", "ScheduleManagerHeaderThirdColWidth", stInteger, "93", true},
    TSettingKey{"SETTINGS", "ShowViewToolBar", stBoolean, "1", true},
    TSettingKey{"SETTINGS", "ShowTitle", stBoolean, "1", true},
    TSettingKey{"SETTINGS", "ShowScheduleToolBar", stBoolean, "1", true},
    TSettingKey{"SETTINGS", "ShowToDoToolBar", stBoolean, "1", true},
    TSettingKey{"SETTINGS", "ShowNoteToolBar", stBoolean, "1", true},
    TSettingKey{"SETTINGS", "ShowWin95Toolbar", stBoolean, "0", true},
    TSettingKey{"COLORS", "BkColorCalendarDate", stColor, "0x80000018", true},
    TSettingKey{"COLORS", "BkColorCalendarToday", stColor, "0xC0DCC0", true},
    TSettingKey{"COLORS", "BkColorCalendarDayOfWeek", stColor, "0x000000", true},
    TSettingKey{"COLORS", "BkColorCalendarNeighbor", stColor, "0x8000000F", true},
    TSettingKey{"COLORS", "BkColorCalendarContents", stColor, "0x80000018", false},
    TSettingKey{"COLORS", "BkColorCalendarDayOff", stColor, "0xF0F0FF", true},
    TSettingKey{"COLORS", "BkColorCalendarHoliday", stColor, "0xF0F0FF", true},
    TSettingKey{"COLORS", "BkColorCalendarSpecialDay", stColor, "0xFF80FF", true},
    TSettingKey{"COLORS", "BkColorMemo", stColor, "0x80000005", true},
    TSettingKey{"COLORS", "BkColorSchedule", stColor, "0x80000005", true},
    TSettingKey{"COLORS", "BkColorMonthlyMemo", stColor, "0xEBFFFF", true},
    TSettingKey{"COLORS", "BkColorNotebook", stColor, "0xF0FFF0", true},
    TSettingKey{"COLORS", "BkColorToDo", stColor, "0x80000005", true},
    TSettingKey{"COLORS", "BkColorNoteCategories", stColor, "0x80000005", true},
    TSettingKey{"COLORS", "BkColorNoteItems", stColor, "0x80000005", true},
    TSettingKey{"COLORS", "BkColorNoteContents", stColor, "0x80000005", true},
    TSettingKey{"COLORS", "BkColorScheduleList", stColor, "0xE1FFFF", true},
    TSettingKey{"COLORS", "BkColorAlarm", stColor, "0xFFE1FF", true},
    TSettingKey{"COLORS", "BkColorAlert", stColor, "0xF0FFF0", true},
    TSettingKey{"COLORS", "BkColorPopupWindow", stColor, "0x80000018", false},
    TSettingKey{"FONTS", "MemoFont", stFont, "", true},
    TSettingKey{"FONTS", "MonthlyMemoFont", stFont, "", true},
    TSettingKey{"FONTS", "NotebookFont", stFont, "", true},
    TSettingKey{"FONTS", "NoteContentsFont", stFont, "", true},
    TSettingKey{"FONTS", "ScheduleFont", stFont, "", true},
    TSettingKey{"FONTS", "ToDoListFont", stFont, "", true},
    TSettingKey{"FONTS", "NoteFont", stFont, "", true},
    TSettingKey{"FONTS", "NoteListFont", stFont, "", true},
    TSettingKey{"FONTS", "TitleFont", stFont, "", true},
    TSettingKey{"FONTS", "ScheduleListFont", stFont, "", true},
    TSettingKey{"FONTS", "AlarmFont", stFont, "", true},
    TSettingKey{"FONTS", "AlertFont", stFont, "", true},
    TSettingKey{"FONTS", "CalendarWeekDay", stFont, "", true},
    TSettingKey{"FONTS", "CalendarSaturday", stFont, "", true},
    TSettingKey{"FONTS", "CalendarSunday", stFont, "", true},
    TSettingKey{"FONTS", "CalendarDayOfWeek", stFont, "", true},
    TSettingKey{"FONTS", "CalendarHolidayDateFont", stFont, "", true},
    TSettingKey{"FONTS", "CalendarSpecialDayDateFont", stFont, "", true},
    TSettingKey{"FONTS", "CalendarDayOffDateFont", stFont, "", true},
    TSettingKey{"FONTS", "CalendarHolidayTextFont", stFont, "", true},
    TSettingKey{"FONTS", "CalendarSpecialDayTextFont", stFont, "", true},
    TSettingKey{"FONTS", "CalendarDayOffTextFont", stFont, "", true},
    TSettingKey{"FONTS", "CalendarScheduleSign", stFont, "", true},
    TSettingKey{"FONTS", "CalendarMemoSign", stFont, "", true},
    TSettingKey{"FONTS", "LargeCalendarFont", stFont, "", true},
    // The dockable bars; Top and Left default to the bar's built-in place.
    TSettingKey{"ToolBar_tbGeneral", "Docking", stBoolean, "1", true},
    TSettingKey{"ToolBar_tbGeneral", "Top", stInteger, nullptr, true},
    TSettingKey{"ToolBar_tbGeneral", "Left", stInteger, nullptr, true},
    TSettingKey{"ToolBar_tbGeneral", "Visible", stBoolean, "1", true},
    TSettingKey{"ToolBar_tbYMDChange", "Docking", stBoolean, "1", true},
    TSettingKey{"ToolBar_tbYMDChange", "Top", stInteger, nullptr, true},
    TSettingKey{"ToolBar_tbYMDChange", "Left", stInteger, nullptr, true},
    TSettingKey{"ToolBar_tbYMDChange", "Visible", stBoolean, "1", true},
    TSettingKey{"ToolBar_tbYMChange", "Docking", stBoolean, "1", true},
    TSettingKey{"ToolBar_tbYMChange", "Top", stInteger, nullptr, true},
    TSettingKey{"ToolBar_tbYMChange", "Left", stInteger, nullptr, true},
    TSettingKey{"ToolBar_tbYMChange", "Visible", stBoolean, "1", true},
};

} // namespace

std::span<const TSettingKey> AllSettingKeys()
{
    return kKeys;
}

const TSettingKey *FindSettingKey(const QString &section, const QString &key)
{
    for (const TSettingKey &k : kKeys) {
        if (section.compare(QLatin1String(k.section), Qt::CaseInsensitive) == 0
            && key.compare(QLatin1String(k.key), Qt::CaseInsensitive) == 0)
            return &k;
    }
    return nullptr;
}

TProfileFile SettingsFile()
{
    return TProfileFile(Global().SettingsFile());
}

namespace {
int defaultInteger(const TSettingKey &key)
{
    int value = 0;
    if (key.defaultText)
        TProfileFile::parseInteger(QString::fromUtf8(key.defaultText), value);
    return value;
}

const TSettingKey &lookup(const char *section, const char *key)
{
    const TSettingKey *k = FindSettingKey(QLatin1String(section), QLatin1String(key));
    Q_ASSERT_X(k, "settings", key);
    static const TSettingKey unknown{"", "", stString, nullptr, false};
    return k ? *k : unknown;
}
} // namespace

int ReadSetting(const TSettingKey &key)
{
    return SettingsFile().readInteger(QLatin1String(key.section), QLatin1String(key.key), defaultInteger(key));
}

bool ReadSettingBool(const TSettingKey &key)
{
    return ReadSetting(key) != 0;
}

QString ReadSettingString(const TSettingKey &key)
{
    const QString def = key.defaultText ? QString::fromUtf8(key.defaultText) : QString();
    return SettingsFile().readString(QLatin1String(key.section), QLatin1String(key.key), def);
}

int ReadSetting(const char *section, const char *key)
{
    return ReadSetting(lookup(section, key));
}

bool ReadSettingBool(const char *section, const char *key)
{
    return ReadSettingBool(lookup(section, key));
}

QString ReadSettingString(const char *section, const char *key)
{
    return ReadSettingString(lookup(section, key));
}
