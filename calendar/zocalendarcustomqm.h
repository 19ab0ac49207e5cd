#pragma once

#include "calendar/zocalendarbase.h"
#include "calendar/zocalendartypes.h"

#include <functional>
#include <limits>

// The program's calendar without its layout: day signs, names, today's look
// and the requests through which the application supplies contents and signs.
class TZoCustomQuillmereCalendar : public TZoCustomCalendar
{
    Q_OBJECT
public:
    explicit TZoCustomQuillmereCalendar(QWidget *parent = nullptr, const TClock *clock = nullptr);

    bool ShowDayText() const { return m_showDayText; }
    void SetShowDayText(bool on) { SetAndRedraw(m_showDayText, on); }
    bool ShowGrid() const { return m_showGrid; }
    void SetShowGrid(bool on) { SetAndRedraw(m_showGrid, on); }
    TColor GridColor() const { return m_gridColor; }
    void SetGridColor(TColor color) { SetAndRedraw(m_gridColor, color); }
    QString ScheduleSign() const { return m_scheduleSign; }
    void SetScheduleSign(const QString &sign) { SetAndRedraw(m_scheduleSign, sign); }
    QString MemoSign() const { return m_memoSign; }
    void SetMemoSign(const QString &sign) { SetAndRedraw(m_memoSign, sign); }
    bool ShowScheduleSign() const { return m_showScheduleSign; }
    void SetShowScheduleSign(bool on) { SetAndRedraw(m_showScheduleSign, on); }
    bool ShowMemoSign() const { return m_showMemoSign; }
    void SetShowMemoSign(bool on) { SetAndRedraw(m_showMemoSign, on); }
    TColor TodayBkColor() const { return m_todayBkColor; }
    void SetTodayBkColor(TColor color) { SetAndRedraw(m_todayBkColor, color); }
    TZoTodaySign TodaySign() const { return m_todaySign; }
    void SetTodaySign(TZoTodaySign sign) { SetAndRedraw(m_todaySign, sign); }
    // Kept for the application; the calendar itself does nothing with it.
    bool ShowContentsOnClick() const { return m_showContentsOnClick; }
    void SetShowContentsOnClick(bool on) { m_showContentsOnClick = on; }

    // The sign table; a cell outside 0-41 is ignored. Writing a flag does not
    // redraw: whoever fills the table redraws once at the end.
    const TMemoScheduleTable &MemoScheduleExists() const { return m_signs; }
    void SetMemoExists(int cell, bool flag);
    void SetScheduleExists(int cell, bool flag);

    // The font for a day's number and for its names, by the day's kinds.
    static int DayFontIndex(TZoDayKinds kinds);
    static int DayTextFontIndex(TZoDayKinds kinds);
    TZoCalendarFonts::TFont GetDayFont(quint16 year, quint16 month, quint16 day) const;
    TZoCalendarFonts::TFont GetDayTextFont(quint16 year, quint16 month, quint16 day) const;

    // After schedules moved: the month work, the day change and the signs
    // again, then one drawing.
    void RefreshDate();

    // Asks for one day's contents lines while drawing. Meanwhile
    // DayContentsRoom() tells how many items with text the cell can show at
    // most (each takes a line or more); later ones would never be seen.
    std::function<void(TZoCustomQuillmereCalendar *sender, quint16 year, quint16 month, quint16 day,
                       TZoDrawDayTextList &list)>
        OnDrawDayContents;
    // Asks, in the list style, whether one day has schedules and a memo; both
    // flags start false.
    std::function<void(TZoCustomQuillmereCalendar *sender, quint16 year, quint16 month, quint16 day,
                       bool &scheduleExists, bool &memoExists)>
        OnDrawScheduleSign;
    // Asks the application to fill the sign table of the month grid.
    std::function<void(TZoCustomQuillmereCalendar *sender, TMemoScheduleTable &table)> OnSetupScheduleSign;

    int DayContentsRoom() const { return m_dayContentsRoom; }
    // Set by the drawing around each OnDrawDayContents request.
    void SetDayContentsRoom(int room) { m_dayContentsRoom = room; }

protected:
    void MonthChanged() override;
    void SetupScheduleSign();

private:
    bool m_showDayText = true;
    bool m_showGrid = true;
    TColor m_gridColor = static_cast<TColor>(0x80000015u); // 3-D dark shadow
    QString m_scheduleSign = QStringLiteral("■");
    QString m_memoSign = QStringLiteral("□");
    bool m_showScheduleSign = true;
    bool m_showMemoSign = true;
    TColor m_todayBkColor = 0xC0DCC0;
    TZoTodaySign m_todaySign = ttsNone;
    bool m_showContentsOnClick = false;
    TMemoScheduleTable m_signs{};
    int m_dayContentsRoom = std::numeric_limits<int>::max();
};
