#include "ui/calendarsettings.h"

#include "calendar/zocalendarcontrol.h"
#include "core/settingskeys.h"

namespace {

TColor Colour(const char *key)
{
    return static_cast<TColor>(ReadSetting(sk::COLORS, key));
}

} // namespace

void ApplyCalendarSettings(TZoQuillmereCalendar &calendar)
{
    calendar.BeginUpdate();
    switch (ReadSetting(sk::SETTINGS, "CalendarStyle")) {
    case 0:
    case 1:
        calendar.SetCalendarStyle(csMonthly2);
        break;
    case 2:
        calendar.SetCalendarStyle(csVertical1);
        break;
    default:
        break; // a style this program does not know keeps the built-in one
    }
    calendar.SetDaysToShow(ReadSetting(sk::SETTINGS, "CalendarDaysToShow"));
    const int startOfWeek = ReadSetting(sk::SETTINGS, "StartOfWeek");
    if (startOfWeek >= 0 && startOfWeek <= 6)
        calendar.SetStartDayOfWeek(static_cast<TZoDayOfWeek>(startOfWeek));
    const bool neighbours = ReadSettingBool(sk::SETTINGS, "ShowNeighborMonths");
    calendar.SetShowNeighbor(neighbours);
    calendar.SetNeighborJump(neighbours);
    calendar.SetShowGrid(ReadSettingBool(sk::SETTINGS, "ShowCalendarGrid"));
    calendar.SetShowDayText(ReadSettingBool(sk::SETTINGS, "ShowDayText"));
    calendar.SetShowDayContentsOnCalendar(ReadSettingBool(sk::SETTINGS, "ShowScheduleOnCalendar"));
    calendar.SetShowOnlyFirstLineOnCalendar(ReadSettingBool(sk::SETTINGS, "ShowOnlyFirstLineOnCalendar"));
    calendar.SetMemoSign(ReadSettingString(sk::SETTINGS, "CalendarMemoString"));
    calendar.SetScheduleSign(ReadSettingString(sk::SETTINGS, "CalendarScheduleString"));
    calendar.SetShowContentsOnClick(ReadSettingBool(sk::SETTINGS, "ShowContentsOnCalendarClick"));
    calendar.SetAutoEquinox(ReadSettingBool(sk::SETTINGS, "EQUINOX"));
    calendar.SetAutoFurikae(ReadSettingBool(sk::SETTINGS, "FURIKAE"));

    calendar.SetColor(Colour("BkColorCalendarDate"));
    calendar.SetTodayBkColor(Colour("BkColorCalendarToday"));
    calendar.SetDayOfWeekBkColor(Colour("BkColorCalendarDayOfWeek"));
    calendar.SetNeighborBkColor(Colour("BkColorCalendarNeighbor"));
    calendar.SetDayContentsBkColor(Colour("BkColorCalendarContents"));
    calendar.SetDaysOffBkColor(Colour("BkColorCalendarDayOff"));
    calendar.SetHolidayBkColor(Colour("BkColorCalendarHoliday"));
    calendar.SetSpecialDaysBkColor(Colour("BkColorCalendarSpecialDay"));

    LoadCalendarFontsFromSettings(calendar.Fonts());
    calendar.EndUpdate();
}
