#pragma once

#include "calendar/dayitem.h"
#include "calendar/zocalendarcustomqm.h"
#include "calendar/zocalendargeometry.h"
#include "calendar/zocalendartextcache.h"

// The large calendar at the centre of the main window: a month grid of six
// weeks (csMonthly2, csMonthly1) or a list of consecutive days (csVertical1).
class TZoQuillmereCalendar : public TZoCustomQuillmereCalendar
{
    Q_OBJECT
public:
    explicit TZoQuillmereCalendar(QWidget *parent = nullptr, const TClock *clock = nullptr);

    TZoQuillmereCalendarStyle CalendarStyle() const { return m_style; }
    void SetCalendarStyle(TZoQuillmereCalendarStyle style) { SetAndRedraw(m_style, style); }
    TZoDayOfWeek StartDayOfWeek() const { return m_startDayOfWeek; }
    void SetStartDayOfWeek(TZoDayOfWeek day);
    bool FirstRowFirstDay() const { return m_firstRowFirstDay; }
    void SetFirstRowFirstDay(bool on);
    bool ShowNeighbor() const { return m_showNeighbor; }
    void SetShowNeighbor(bool on) { SetAndRedraw(m_showNeighbor, on); }
    bool NeighborJump() const { return m_neighborJump; }
    void SetNeighborJump(bool on) { m_neighborJump = on; }
    TColor NeighborColor() const { return m_neighborColor; }
    void SetNeighborColor(TColor color) { SetAndRedraw(m_neighborColor, color); }
    TColor NeighborBkColor() const { return m_neighborBkColor; }
    void SetNeighborBkColor(TColor color) { SetAndRedraw(m_neighborBkColor, color); }
    TColor DayOfWeekBkColor() const { return m_dayOfWeekBkColor; }
    void SetDayOfWeekBkColor(TColor color) { SetAndRedraw(m_dayOfWeekBkColor, color); }
    TColor HolidayBkColor() const { return m_holidayBkColor; }
    void SetHolidayBkColor(TColor color) { SetAndRedraw(m_holidayBkColor, color); }
    TColor DaysOffBkColor() const { return m_daysOffBkColor; }
    void SetDaysOffBkColor(TColor color) { SetAndRedraw(m_daysOffBkColor, color); }
    TColor SpecialDaysBkColor() const { return m_specialDaysBkColor; }
    void SetSpecialDaysBkColor(TColor color) { SetAndRedraw(m_specialDaysBkColor, color); }
    TColor DayContentsBkColor() const { return m_dayContentsBkColor; }
    void SetDayContentsBkColor(TColor color) { SetAndRedraw(m_dayContentsBkColor, color); }
    bool ShowDayContentsOnCalendar() const { return m_showDayContents; }
    void SetShowDayContentsOnCalendar(bool on) { SetAndRedraw(m_showDayContents, on); }
    bool ShowOnlyFirstLineOnCalendar() const { return m_showOnlyFirstLine; }
    void SetShowOnlyFirstLineOnCalendar(bool on) { SetAndRedraw(m_showOnlyFirstLine, on); }
    bool ShowRokuyo() const { return m_showRokuyo; }
    void SetShowRokuyo(bool on) { SetAndRedraw(m_showRokuyo, on); }

    // The list style's first day and number of rows (below 1 is ignored).
    // In the list style the drawing moves the first day so that the current
    // day is in the list; a calendar not drawn yet answers as if it were.
    QDate StartDate() const;
    void SetStartDate(const QDate &date);
    int DaysToShow() const { return m_daysToShow; }
    void SetDaysToShow(int days);

    QDate FirstDate() const { return m_firstDate; }
    QDate LastDate() const { return m_lastDate; }

    // The date of a month-grid cell (column 0-6, week row 1-6).
    QDate CellDate(int column, int row) const;
    // Hit test of a point of the widget; in the list style column 1 and the row.
    zocal::TCellHit CellFromPoint(const QPoint &pos) const;
    // The date a drop at a point of the widget targets; invalid for none.
    QDate DateFromPoint(const QPoint &pos) const;

    // Height of the weekday-name row: the DayOfWeek font's character height + 2.
    int HeaderHeight() const;
    // The rectangle of a cell or list row in the client area.
    QRect CellRect(int column, int row) const;
    QRect ListRowRect(int row) const;

protected:
    void MonthChanged() override;
    void DrawImage(QPainter &painter, const QSize &size) override;
    void FontsChanged() override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void recomputeFirstLast();
    // The day a press selects; invalid where a press does nothing.
    QDate pressTarget(const QPoint &clientPos) const;
    void finishPress(QMouseEvent *event);
    void keepCurrentDateInList();
    QDate listStartKeepingCurrent() const;

    TZoQuillmereCalendarStyle m_style = csMonthly2;
    TZoDayOfWeek m_startDayOfWeek = zodwSunday;
    bool m_firstRowFirstDay = false;
    bool m_showNeighbor = true;
    bool m_neighborJump = true;
    TColor m_neighborColor = 0x808080;
    TColor m_neighborBkColor = 0xC0C0C0;
    TColor m_dayOfWeekBkColor = clr::clBlack;
    TColor m_holidayBkColor = 0xF0F0FF;
    TColor m_daysOffBkColor = 0xF0F0FF;
    TColor m_specialDaysBkColor = 0xF0F0FF;
    TColor m_dayContentsBkColor = clr::clInfoBk;
    bool m_showDayContents = true;
    bool m_showOnlyFirstLine = false;
    bool m_showRokuyo = false;
    QDate m_startDate;
    int m_daysToShow = 7;
    QDate m_firstDate;
    QDate m_lastDate;
    TZoCalendarTextCache m_textCache;
};
