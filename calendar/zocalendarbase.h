#pragma once

#include "calendar/dateex.h"
#include "calendar/zocalendarfonts.h"
#include "core/clock.h"
#include "core/font.h"

#include <QDate>
#include <QFrame>
#include <QImage>
#include <functional>

// A custom-drawn calendar: it holds the selected day, the fonts and the
// holiday engine, and draws everything into an off-screen image of the client
// area. Painting only copies that image, so the picture never flickers.
class TZoCustomCalendar : public QFrame
{
    Q_OBJECT
public:
    // `clock` (not owned) tells today; without one the system clock does.
    explicit TZoCustomCalendar(QWidget *parent = nullptr, const TClock *clock = nullptr);
    ~TZoCustomCalendar() override;

    QDate CurrentDate() const { return m_currentDate; }
    void SetCurrentDate(const QDate &date);
    quint16 Year() const { return quint16(m_currentDate.year()); }
    quint16 Month() const { return quint16(m_currentDate.month()); }
    quint16 Day() const { return quint16(m_currentDate.day()); }
    // A part that would make a date that does not exist is ignored.
    void SetYear(quint16 year);
    void SetMonth(quint16 month);
    void SetDay(quint16 day);

    void NextDay();
    void PrevDay();
    void NextWeek();
    void PrevWeek();
    void NextMonth();
    void PrevMonth();

    TColor Color() const { return m_color; }
    void SetColor(TColor color);

    // Changing a font through Fonts() redraws the calendar.
    const TZoCalendarFonts &Fonts() const { return m_fonts; }
    TZoCalendarFonts &Fonts() { return m_fonts; }
    void SetFonts(const TZoCalendarFonts &fonts) { m_fonts = fonts; }

    bool AutoEquinox() const { return m_dateEx->AutoEquinox(); }
    void SetAutoEquinox(bool on) { m_dateEx->SetAutoEquinox(on); }
    bool AutoFurikae() const { return m_dateEx->AutoFurikae(); }
    void SetAutoFurikae(bool on) { m_dateEx->SetAutoFurikae(on); }
    TZoDateEx &DateEx() const { return *m_dateEx; }

    const TClock &Clock() const { return *m_clock; }
    void SetClock(const TClock *clock);
    QDate Today() const;

    // The picture, the size of the client area; a drawing put off while the
    // calendar was hidden is made first.
    const QImage &Image();
    // The picture as last drawn, without drawing.
    const QImage &DrawnImage() const { return m_image; }
    // While a picture is drawn, its number (counting from 1); 0 otherwise.
    // Nothing a cell's handler reads changes while one picture is drawn, so
    // what it works out may serve the other cells of the same picture, and
    // never beyond it.
    quint64 DrawingPass() const { return m_drawing ? m_drawingPass : 0; }
    // Points of the widget to points of the client area (inside the edge).
    QPoint ToClient(const QPoint &widgetPos) const { return widgetPos - contentsRect().topLeft(); }
    QSize ClientSize() const { return contentsRect().size(); }

    // Draws the image again and repaints. Between BeginUpdate and EndUpdate
    // the drawing waits, so that setting many properties draws once; while
    // the calendar is hidden it waits until it is shown (or the image is asked
    // for), as nobody can see it and a start-up sets dozens of properties.
    void Redraw();
    void BeginUpdate();
    void EndUpdate();

    // Wheel notches over the calendar; returning true marks the turn handled,
    // otherwise it goes on to the parent.
    std::function<bool(TZoCustomCalendar *sender, QPoint pos)> OnMouseWheelDown;
    std::function<bool(TZoCustomCalendar *sender, QPoint pos)> OnMouseWheelUp;

Q_SIGNALS:
    void OnBeforeDayCahnge();
    void OnYearMonthChange(quint16 year, quint16 month, quint16 day);
    void OnDayChange(quint16 year, quint16 month, quint16 day);
    void OnMouseEnter();
    void OnMouseLeave();
    void OnKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void OnMouseDown(Qt::MouseButton button, QPoint pos, Qt::KeyboardModifiers modifiers);
    void OnMouseUp(Qt::MouseButton button, QPoint pos, Qt::KeyboardModifiers modifiers);
    void OnDblClick(QPoint pos);

protected:
    // The work after the date moved into another month: the base tells the
    // application; subclasses first update what depends on the month.
    virtual void MonthChanged();
    // Draws the whole client area; `size` is its size in pixels of layout.
    virtual void DrawImage(QPainter &painter, const QSize &size);
    // A font changed: what was measured with the old fonts is void.
    virtual void FontsChanged();

    // Stores a value and redraws when it changed; for simple properties.
    template <typename T>
    void SetAndRedraw(T &member, const T &value)
    {
        if (member == value)
            return;
        member = value;
        Redraw();
    }

    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void renderNow();
    void renderImage();
    bool canRender() const { return m_updateLock == 0 && !m_drawing; }

    QDate m_currentDate;
    TColor m_color = clr::clInfoBk;
    TZoCalendarFonts m_fonts;
    TZoDateEx *m_dateEx;
    const TClock *m_clock;
    QImage m_image;
    int m_updateLock = 0;
    bool m_drawing = false;
    bool m_dirty = false;
    quint64 m_drawingPass = 0;
    int m_wheelRemainder = 0;
};
