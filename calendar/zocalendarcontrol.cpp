#include "calendar/zocalendarcontrol.h"

#include "calendar/zocalendarpainter.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>

TZoQuillmereCalendar::TZoQuillmereCalendar(QWidget *parent, const TClock *clock)
    : TZoCustomQuillmereCalendar(parent, clock)
{
    m_startDate = Today();
    recomputeFirstLast();
    Redraw();
}

void TZoQuillmereCalendar::SetStartDayOfWeek(TZoDayOfWeek day)
{
    if (day == m_startDayOfWeek || int(day) > 6)
        return;
    m_startDayOfWeek = day;
    MonthChanged();
    SetupScheduleSign();
    Redraw();
}

void TZoQuillmereCalendar::SetFirstRowFirstDay(bool on)
{
    if (on == m_firstRowFirstDay)
        return;
    m_firstRowFirstDay = on;
    // The grid now starts a week earlier or later: the sign table, filled for
    // the old cells, would put every sign on the wrong day.
    recomputeFirstLast();
    SetupScheduleSign();
    Redraw();
}

void TZoQuillmereCalendar::SetStartDate(const QDate &date)
{
    if (date.isValid())
        SetAndRedraw(m_startDate, date);
}

void TZoQuillmereCalendar::SetDaysToShow(int days)
{
    if (days >= 1)
        SetAndRedraw(m_daysToShow, days);
}

QDate TZoQuillmereCalendar::CellDate(int column, int row) const
{
    return zocal::CellDate(CurrentDate(), m_startDayOfWeek, m_firstRowFirstDay, column, row);
}

int TZoQuillmereCalendar::HeaderHeight() const
{
    // Measured on the image the calendar draws into, as the drawing measures.
    const QFont &font = Fonts().QtFont(TZoCalendarFonts::DayOfWeek);
    return (DrawnImage().isNull() ? QFontMetrics(font) : QFontMetrics(font, &DrawnImage())).height() + 2;
}

QRect TZoQuillmereCalendar::CellRect(int column, int row) const
{
    const QSize size = ClientSize();
    const zocal::TSpan x = zocal::ColumnSpan(size.width(), column);
    const zocal::TSpan y = zocal::RowSpan(size.height(), HeaderHeight(), row);
    return QRect(x.from, y.from, x.to - x.from, y.to - y.from);
}

QRect TZoQuillmereCalendar::ListRowRect(int row) const
{
    const QSize size = ClientSize();
    const zocal::TSpan y = zocal::ListRowSpan(size.height(), m_daysToShow, row);
    return QRect(0, y.from, size.width(), y.to - y.from);
}

zocal::TCellHit TZoQuillmereCalendar::CellFromPoint(const QPoint &pos) const
{
    const QPoint p = ToClient(pos);
    const QSize size = ClientSize();
    if (m_style == csVertical1)
        return zocal::ListCellFromPoint(size.height(), m_daysToShow, p.y());
    return zocal::MonthCellFromPoint(size.width(), size.height(), HeaderHeight(), p.x(), p.y());
}

QDate TZoQuillmereCalendar::DateFromPoint(const QPoint &pos) const
{
    if (m_style == csVertical1)
        return zocal::ListDateFromPoint(StartDate(), ClientSize().height(), m_daysToShow, ToClient(pos).y());
    const zocal::TCellHit hit = CellFromPoint(pos);
    if (hit.row < 1 || hit.column < 0)
        return {};
    return CellDate(hit.column, hit.row);
}

void TZoQuillmereCalendar::MonthChanged()
{
    recomputeFirstLast();
    TZoCustomQuillmereCalendar::MonthChanged();
}

void TZoQuillmereCalendar::recomputeFirstLast()
{
    m_firstDate = CellDate(0, 1);
    m_lastDate = CellDate(6, 6);
}

QDate TZoQuillmereCalendar::listStartKeepingCurrent() const
{
    const QDate current = CurrentDate();
    if (current > m_startDate.addDays(m_daysToShow - 1))
        return current.addDays(1 - m_daysToShow);
    if (current < m_startDate)
        return current;
    return m_startDate;
}

void TZoQuillmereCalendar::keepCurrentDateInList()
{
    m_startDate = listStartKeepingCurrent();
}

QDate TZoQuillmereCalendar::StartDate() const
{
    return m_style == csVertical1 ? listStartKeepingCurrent() : m_startDate;
}

void TZoQuillmereCalendar::DrawImage(QPainter &painter, const QSize &size)
{
    TZoCustomQuillmereCalendar::DrawImage(painter, size);
    TZoCalendarPainter cells(*this, painter, size, m_textCache);
    if (m_style == csVertical1) {
        keepCurrentDateInList();
        cells.DrawList();
    } else {
        cells.DrawMonth();
    }
}

void TZoQuillmereCalendar::FontsChanged()
{
    m_textCache.Clear();
    TZoCustomQuillmereCalendar::FontsChanged();
}

void TZoQuillmereCalendar::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    bool moved = true;
    if (m_style == csVertical1) {
        Q_EMIT OnKeyDown(key, modifiers);
        switch (key) {
        case Qt::Key_Up: PrevDay(); break;
        case Qt::Key_Down: NextDay(); break;
        case Qt::Key_PageUp: PrevWeek(); break;
        case Qt::Key_PageDown: NextWeek(); break;
        default: moved = false;
        }
    } else {
        switch (key) {
        case Qt::Key_Right: NextDay(); break;
        case Qt::Key_Left: PrevDay(); break;
        case Qt::Key_Up: PrevWeek(); break;
        case Qt::Key_Down: NextWeek(); break;
        case Qt::Key_PageUp: PrevMonth(); break;
        case Qt::Key_PageDown: NextMonth(); break;
        default: moved = false;
        }
        Q_EMIT OnKeyDown(key, modifiers);
    }
    // Arrow keys belong to the calendar even where they move nothing, so they
    // never wander off to the parent and move the focus.
    const bool ours = moved || key == Qt::Key_Left || key == Qt::Key_Right;
    if (ours)
        event->accept();
    else
        TZoCustomQuillmereCalendar::keyPressEvent(event);
}

QDate TZoQuillmereCalendar::pressTarget(const QPoint &clientPos) const
{
    const QSize size = ClientSize();
    if (clientPos.x() < 0 || clientPos.y() < 0 || clientPos.x() >= size.width() || clientPos.y() >= size.height())
        return {};
    if (m_style == csVertical1)
        return StartDate().addDays(zocal::ListPressRow(size.height(), m_daysToShow, clientPos.y()));
    const zocal::TCellHit hit =
        zocal::MonthCellFromPoint(size.width(), size.height(), HeaderHeight(), clientPos.x(), clientPos.y());
    if (hit.row < 1 || hit.column < 0)
        return {};
    const QDate date = CellDate(hit.column, hit.row);
    const bool neighbour = date.month() != Month() || date.year() != Year();
    if (neighbour && !m_neighborJump)
        return {};
    return date;
}

void TZoQuillmereCalendar::finishPress(QMouseEvent *event)
{
    Q_EMIT OnMouseDown(event->button(), event->position().toPoint(), event->modifiers());
    if (!hasFocus())
        setFocus(Qt::MouseFocusReason);
    event->accept();
}

void TZoQuillmereCalendar::mousePressEvent(QMouseEvent *event)
{
    // Where a press does nothing (the weekday names, below the grid, a
    // neighbour day that may not be selected) the calendar stays entirely
    // still: no date, no event, no focus.
    event->accept();
    const QDate target = pressTarget(ToClient(event->position().toPoint()));
    if (!target.isValid())
        return;
    SetCurrentDate(target);
    finishPress(event);
}

void TZoQuillmereCalendar::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    const QDate target = pressTarget(ToClient(event->position().toPoint()));
    if (!target.isValid())
        return;
    // The double click is told before its own press, so that the application
    // can tell the second press of a double click from a single press.
    Q_EMIT OnDblClick(event->position().toPoint());
    SetCurrentDate(target);
    finishPress(event);
}
