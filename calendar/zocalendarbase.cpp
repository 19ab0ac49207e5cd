#include "calendar/zocalendarbase.h"

#include "core/datetime.h"
#include "ui/fontconv.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>

namespace {
const TSystemClock &SystemClock()
{
    static const TSystemClock clock;
    return clock;
}
} // namespace

TZoCustomCalendar::TZoCustomCalendar(QWidget *parent, const TClock *clock)
    : QFrame(parent)
    , m_dateEx(new TZoDateEx(this))
    , m_clock(clock ? clock : &SystemClock())
{
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    // The image covers every pixel, so erasing first would only flicker.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A tab stop; a press takes the focus itself, and only where a press acts.
    setFocusPolicy(Qt::TabFocus);
    setMouseTracking(false);
    m_currentDate = Today();
    m_dateEx->SetAutoEquinox(true);
    m_dateEx->SetAutoFurikae(true);
    for (TZoDayItemList *list : {m_dateEx->HolidayList(), m_dateEx->SpecialDayList(), m_dateEx->CustomDayOffList()})
        connect(list, &TZoDayItemList::OnChange, this, [this] { Redraw(); });
    m_fonts.OnChange = [this] { FontsChanged(); };
    resize(320, 160);
}

TZoCustomCalendar::~TZoCustomCalendar()
{
    m_fonts.OnChange = nullptr;
    ++m_updateLock; // nothing is drawn into a half-destroyed calendar
}

void TZoCustomCalendar::SetCurrentDate(const QDate &date)
{
    Q_EMIT OnBeforeDayCahnge();
    if (!date.isValid() || date == m_currentDate)
        return;
    const QDate before = m_currentDate;
    m_currentDate = date;
    if (date.year() != before.year() || date.month() != before.month())
        MonthChanged();
    Redraw();
    Q_EMIT OnDayChange(Year(), Month(), Day());
}

void TZoCustomCalendar::SetYear(quint16 year)
{
    const QDate date(year, m_currentDate.month(), m_currentDate.day());
    if (date.isValid())
        SetCurrentDate(date);
}

void TZoCustomCalendar::SetMonth(quint16 month)
{
    const QDate date(m_currentDate.year(), month, m_currentDate.day());
    if (date.isValid())
        SetCurrentDate(date);
}

void TZoCustomCalendar::SetDay(quint16 day)
{
    const QDate date(m_currentDate.year(), m_currentDate.month(), day);
    if (date.isValid())
        SetCurrentDate(date);
}

void TZoCustomCalendar::NextDay()
{
    SetCurrentDate(m_currentDate.addDays(1));
}

void TZoCustomCalendar::PrevDay()
{
    SetCurrentDate(m_currentDate.addDays(-1));
}

void TZoCustomCalendar::NextWeek()
{
    SetCurrentDate(m_currentDate.addDays(7));
}

void TZoCustomCalendar::PrevWeek()
{
    SetCurrentDate(m_currentDate.addDays(-7));
}

void TZoCustomCalendar::NextMonth()
{
    SetCurrentDate(qmdt::addMonthsClamped(m_currentDate, 1));
}

void TZoCustomCalendar::PrevMonth()
{
    SetCurrentDate(qmdt::addMonthsClamped(m_currentDate, -1));
}

void TZoCustomCalendar::SetColor(TColor color)
{
    SetAndRedraw(m_color, color);
}

void TZoCustomCalendar::SetClock(const TClock *clock)
{
    m_clock = clock ? clock : &SystemClock();
    Redraw();
}

QDate TZoCustomCalendar::Today() const
{
    return m_clock->now().date();
}

void TZoCustomCalendar::Redraw()
{
    // A handler called while drawing changed something: draw once more when
    // this picture is done, never into a busy image.
    m_dirty = true;
    if (canRender() && isVisible())
        renderNow();
}

const QImage &TZoCustomCalendar::Image()
{
    if (m_dirty && canRender())
        renderImage();
    return m_image;
}

void TZoCustomCalendar::BeginUpdate()
{
    ++m_updateLock;
}

void TZoCustomCalendar::EndUpdate()
{
    if (m_updateLock > 0 && --m_updateLock == 0 && m_dirty)
        Redraw();
}

void TZoCustomCalendar::renderNow()
{
    renderImage();
    update();
}

void TZoCustomCalendar::renderImage()
{
    // Bounded, so that a handler that changes something on every drawing
    // cannot keep the calendar drawing for ever.
    for (int pass = 0; pass < 3; ++pass) {
        m_dirty = false;
        const QSize size = ClientSize().expandedTo(QSize(1, 1));
        const qreal dpr = devicePixelRatioF();
        const QSize pixels = (QSizeF(size) * dpr).toSize();
        if (m_image.size() != pixels) {
            m_image = QImage(pixels, QImage::Format_RGB32);
            m_image.setDevicePixelRatio(dpr);
        }
        m_drawing = true;
        ++m_drawingPass;
        {
            QPainter painter(&m_image);
            DrawImage(painter, size);
        }
        m_drawing = false;
        if (!m_dirty)
            break;
    }
}

void TZoCustomCalendar::MonthChanged()
{
    Q_EMIT OnYearMonthChange(Year(), Month(), Day());
}

void TZoCustomCalendar::DrawImage(QPainter &painter, const QSize &size)
{
    painter.fillRect(QRect(QPoint(0, 0), size), ColorToQColor(m_color));
}

void TZoCustomCalendar::FontsChanged()
{
    Redraw();
}

void TZoCustomCalendar::paintEvent(QPaintEvent *event)
{
    if (m_dirty && canRender())
        renderImage();
    QPainter painter(this);
    const QRect client = contentsRect();
    painter.setClipRegion(event->region());
    painter.drawImage(client.topLeft(), m_image);
    drawFrame(&painter);
}

void TZoCustomCalendar::showEvent(QShowEvent *event)
{
    QFrame::showEvent(event);
    if (m_dirty && canRender())
        renderImage(); // the paint that follows the show puts it on screen
}

void TZoCustomCalendar::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    Redraw();
}

void TZoCustomCalendar::focusInEvent(QFocusEvent *event)
{
    QFrame::focusInEvent(event);
    Redraw();
}

void TZoCustomCalendar::focusOutEvent(QFocusEvent *event)
{
    QFrame::focusOutEvent(event);
    Redraw();
}

void TZoCustomCalendar::enterEvent(QEnterEvent *event)
{
    QFrame::enterEvent(event);
    Q_EMIT OnMouseEnter();
}

void TZoCustomCalendar::leaveEvent(QEvent *event)
{
    QFrame::leaveEvent(event);
    Q_EMIT OnMouseLeave();
}

void TZoCustomCalendar::wheelEvent(QWheelEvent *event)
{
    // Fine-grained wheels send parts of a notch; a step is taken per whole notch.
    m_wheelRemainder += event->angleDelta().y();
    bool handled = false;
    const QPoint pos = event->position().toPoint();
    while (m_wheelRemainder <= -120) {
        m_wheelRemainder += 120;
        handled = (OnMouseWheelDown && OnMouseWheelDown(this, pos)) || handled;
    }
    while (m_wheelRemainder >= 120) {
        m_wheelRemainder -= 120;
        handled = (OnMouseWheelUp && OnMouseWheelUp(this, pos)) || handled;
    }
    if (handled || (event->angleDelta().y() != 0 && (OnMouseWheelDown || OnMouseWheelUp)))
        event->accept();
    else
        event->ignore();
}

void TZoCustomCalendar::mouseReleaseEvent(QMouseEvent *event)
{
    Q_EMIT OnMouseUp(event->button(), event->position().toPoint(), event->modifiers());
}

void TZoCustomCalendar::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    // System colours follow the palette; a new palette or style changes them.
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        Redraw();
}
