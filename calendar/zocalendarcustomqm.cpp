#include "calendar/zocalendarcustomqm.h"

TZoCustomQuillmereCalendar::TZoCustomQuillmereCalendar(QWidget *parent, const TClock *clock)
    : TZoCustomCalendar(parent, clock)
{
}

void TZoCustomQuillmereCalendar::SetMemoExists(int cell, bool flag)
{
    if (cell >= 0 && cell < ZoCalendarCells)
        m_signs[size_t(cell)].MemoExists = flag;
}

void TZoCustomQuillmereCalendar::SetScheduleExists(int cell, bool flag)
{
    if (cell >= 0 && cell < ZoCalendarCells)
        m_signs[size_t(cell)].ScheduleExists = flag;
}

int TZoCustomQuillmereCalendar::DayFontIndex(TZoDayKinds kinds)
{
    int index = TZoCalendarFonts::Weekday;
    if (kinds & dkSaturday)
        index = TZoCalendarFonts::Saturday;
    else if (kinds & dkSunday)
        index = TZoCalendarFonts::Sunday;
    if (kinds & (dkHoliday | dkFurikae))
        index = TZoCalendarFonts::Holiday;
    if (kinds & dkSpecialDay)
        index = TZoCalendarFonts::SpecialDay;
    if (kinds & dkCustomDayOff)
        index = TZoCalendarFonts::CustomDayOff;
    return index;
}

int TZoCustomQuillmereCalendar::DayTextFontIndex(TZoDayKinds kinds)
{
    int index = TZoCalendarFonts::Weekday;
    if (kinds & (dkHoliday | dkFurikae))
        index = TZoCalendarFonts::HolidayText;
    if (kinds & dkSpecialDay)
        index = TZoCalendarFonts::SpecialDayText;
    if (kinds & dkCustomDayOff)
        index = TZoCalendarFonts::CustomDayOffText;
    return index;
}

TZoCalendarFonts::TFont TZoCustomQuillmereCalendar::GetDayFont(quint16 year, quint16 month, quint16 day) const
{
    return Fonts().Font(DayFontIndex(DateEx().GetDayKinds(year, month, day)));
}

TZoCalendarFonts::TFont TZoCustomQuillmereCalendar::GetDayTextFont(quint16 year, quint16 month, quint16 day) const
{
    return Fonts().Font(DayTextFontIndex(DateEx().GetDayKinds(year, month, day)));
}

void TZoCustomQuillmereCalendar::RefreshDate()
{
    MonthChanged();
    Q_EMIT OnDayChange(Year(), Month(), Day());
    SetupScheduleSign();
    Redraw();
}

void TZoCustomQuillmereCalendar::MonthChanged()
{
    TZoCustomCalendar::MonthChanged();
    SetupScheduleSign();
}

void TZoCustomQuillmereCalendar::SetupScheduleSign()
{
    if (OnSetupScheduleSign)
        OnSetupScheduleSign(this, m_signs);
}
