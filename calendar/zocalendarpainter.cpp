#include "calendar/zocalendarpainter.h"

#include "calendar/zocalendarcontrol.h"
#include "calendar/zocalendargeometry.h"
#include "calendar/zocalendarlinecut.h"
#include "ui/fontconv.h"

#include <QStyle>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

#include <limits>

namespace {

// Rectangles given by their edges, right and bottom exclusive.
QRect Rc(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

const std::array<QString, 7> kShortWeekdays{
    QStringLiteral("日"), QStringLiteral("月"), QStringLiteral("火"), QStringLiteral("水"),
    QStringLiteral("木"), QStringLiteral("金"), QStringLiteral("土"),
};

} // namespace

TZoCalendarPainter::TZoCalendarPainter(TZoQuillmereCalendar &calendar, QPainter &painter, QSize size,
                                       TZoCalendarTextCache &cache)
    : m_cal(calendar)
    , m_cache(cache)
    , m_p(painter)
    , m_size(size)
    , m_today(calendar.Today())
    , m_current(calendar.CurrentDate())
{
    const TZoCalendarFonts &fonts = calendar.Fonts();
    for (int i = 0; i < TZoCalendarFonts::Count; ++i) {
        TPen &pen = m_pens.at(i);
        pen.font = fonts.QtFont(i);
        pen.color = fonts.Color(i);
        pen.metrics.emplace(pen.font, painter.device());
        pen.height = pen.metrics->height();
    }
    m_headerHeight = m_pens.at(TZoCalendarFonts::DayOfWeek).height + 2;
    m_p.setBackgroundMode(Qt::TransparentMode);
    m_p.setRenderHint(QPainter::TextAntialiasing);
}

QString TZoCalendarPainter::NamesAsLines(const QString &dayText)
{
    QString out = dayText;
    out.replace(QLatin1Char(','), QStringLiteral("\r\n"));
    out.remove(QLatin1Char('"'));
    return out;
}

QString TZoCalendarPainter::NamesAsOneLine(const QString &dayText)
{
    QString out = dayText;
    out.replace(QLatin1Char(','), QLatin1Char(' '));
    out.remove(QLatin1Char('"'));
    return out;
}

QColor TZoCalendarPainter::OrColor(const QColor &a, const QColor &b)
{
    return QColor(a.red() | b.red(), a.green() | b.green(), a.blue() | b.blue());
}

TZoCalendarPainter::TDay TZoCalendarPainter::dayInfo(const QDate &date) const
{
    TDay day;
    day.date = date;
    const TZoDateEx &engine = m_cal.DateEx();
    day.names = engine.GetDayText(date, &day.special, &day.dayOff, &day.holiday);
    const TZoDayKinds kinds = engine.GetDayKinds(date);
    day.fontIndex = TZoCustomQuillmereCalendar::DayFontIndex(kinds);
    day.textFontIndex = TZoCustomQuillmereCalendar::DayTextFontIndex(kinds);
    return day;
}

QColor TZoCalendarPainter::background(const TDay &day, bool inMonth) const
{
    TColor color;
    if (day.date == m_today)
        color = m_cal.TodayBkColor();
    else if (day.dayOff)
        color = m_cal.DaysOffBkColor();
    else if (day.special)
        color = m_cal.SpecialDaysBkColor();
    else if (day.holiday)
        color = m_cal.HolidayBkColor();
    else if (inMonth)
        color = m_cal.Color();
    else
        color = m_cal.NeighborBkColor();
    return ColorToQColor(color);
}

QColor TZoCalendarPainter::tint(const QColor &color, const std::optional<QColor> &neighbour) const
{
    return neighbour ? OrColor(color, *neighbour) : color;
}

QString TZoCalendarPainter::cut(int index, const QString &line, int width) const
{
    return m_cache.Cut(index, *m_pens.at(index).metrics, line, width);
}

void TZoCalendarPainter::text(int index, const QColor &color, int x, int top, const QString &line)
{
    if (line.isEmpty())
        return;
    const TPen &pen = m_pens.at(index);
    if (m_currentFont != index) {
        m_p.setFont(pen.font);
        m_currentFont = index;
    }
    m_p.setPen(color);
    m_p.drawStaticText(QPoint(x, top), m_cache.Text(index, pen.font, line));
}

int TZoCalendarPainter::lines(int index, const QColor &color, const QRect &area, const QString &cutText)
{
    const QStringList pieces = zocal::CompleteLines(cutText, false);
    int top = area.top();
    for (const QString &piece : pieces) {
        if (top > area.bottom())
            break;
        text(index, color, area.left(), top, piece);
        top += m_pens.at(index).height;
    }
    return int(pieces.size());
}

void TZoCalendarPainter::contents(const QDate &date, const QRect &area, const std::optional<QColor> &neighbour)
{
    const int index = TZoCalendarFonts::DayContents;
    const int h = m_pens.at(index).height;
    TZoDrawDayTextList list;
    if (m_cal.OnDrawDayContents) {
        // Item n starts at least n lines down and is drawn while its top is
        // inside the area.
        m_cal.SetDayContentsRoom(area.height() <= 0 ? 0 : (area.height() - 1) / qMax(1, h) + 1);
        m_cal.OnDrawDayContents(&m_cal, quint16(date.year()), quint16(date.month()), quint16(date.day()), list);
        m_cal.SetDayContentsRoom(std::numeric_limits<int>::max());
    }
    if (list.isEmpty() || area.width() <= 0)
        return;
    const bool firstOnly = m_cal.ShowOnlyFirstLineOnCalendar();
    m_p.save();
    m_p.setClipRect(area, Qt::IntersectClip);
    int top = area.top();
    for (const TZoDrawDayText &item : std::as_const(list)) {
        // Items below the cell are clipped away entirely; no need to cut them.
        if (top > area.bottom())
            break;
        if (item.Text.isEmpty())
            continue;
        const QColor color = tint(ColorToQColor(item.Color), neighbour);
        const QStringList itemLines = zocal::CompleteLines(item.Text, firstOnly);
        int drawn = 0;
        for (const QString &line : itemLines) {
            const int y = top + drawn * h;
            if (y > area.bottom())
                break;
            text(index, color, area.left(), y, cut(index, line, area.width()));
            ++drawn;
        }
        top += qMax(1, int(itemLines.size())) * h;
    }
    m_p.restore();
    m_currentFont = -1;
}

void TZoCalendarPainter::etchedFrame(const QRect &r)
{
    qDrawShadeRect(&m_p, r, m_cal.palette(), true, 1, 0);
}

void TZoCalendarPainter::sunkenFrame(const QRect &r)
{
    qDrawWinPanel(&m_p, r, m_cal.palette(), true);
}

void TZoCalendarPainter::focusFrame(const QRect &r)
{
    QStyleOptionFocusRect option;
    option.initFrom(&m_cal);
    option.rect = r;
    option.state |= QStyle::State_KeyboardFocusChange;
    m_cal.style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &m_p, &m_cal);
}

// ---- month grid ----

void TZoCalendarPainter::DrawMonth()
{
    for (int column = 0; column < 7; ++column)
        drawWeekdayCell(column);
    for (int row = 1; row <= 6; ++row)
        for (int column = 0; column < 7; ++column)
            drawDayCell(column, row);
    m_p.setClipping(false);
    if (m_cal.ShowGrid())
        drawGrid();
}

void TZoCalendarPainter::drawWeekdayCell(int column)
{
    const zocal::TSpan x = zocal::ColumnSpan(m_size.width(), column);
    const QRect r = Rc(x.from, 0, x.to, m_headerHeight);
    m_p.setClipRect(r);
    m_p.fillRect(r, ColorToQColor(m_cal.DayOfWeekBkColor()));
    const QString name = kShortWeekdays.at(size_t((column + int(m_cal.StartDayOfWeek())) % 7));
    const int index = TZoCalendarFonts::DayOfWeek;
    const TPen &pen = m_pens.at(index);
    const int left = r.left() + (r.width() - pen.metrics->horizontalAdvance(name)) / 2;
    const int top = r.top() + (r.height() - pen.height) / 2;
    text(index, pen.color, left, top, name);
    qDrawShadeLine(&m_p, r.left(), r.bottom() - 1, r.right(), r.bottom() - 1, m_cal.palette(), true, 1, 0);
}

void TZoCalendarPainter::drawDayCell(int column, int row)
{
    const zocal::TSpan x = zocal::ColumnSpan(m_size.width(), column);
    const zocal::TSpan y = zocal::RowSpan(m_size.height(), m_headerHeight, row);
    const QRect r = Rc(x.from, y.from, x.to, y.to);
    const QRect r1 = Rc(x.from + 1, y.from + 1, x.to, y.to);
    const QDate date = m_cal.CellDate(column, row);
    const bool inMonth = date.month() == m_current.month() && date.year() == m_current.year();
    const TDay day = dayInfo(date);
    m_p.setClipRect(r);
    m_p.fillRect(r, background(day, inMonth));

    std::optional<QColor> neighbour;
    if (!inMonth) {
        if (!m_cal.ShowNeighbor())
            return;
        neighbour = ColorToQColor(m_cal.NeighborColor());
    } else if (date == m_today && m_cal.TodaySign() == ttsSquare) {
        etchedFrame(r1);
    }
    if (!m_cal.ShowRokuyo()) {
        const int cell = 7 * (row - 1) + column;
        if (m_cal.CalendarStyle() == csMonthly1)
            drawMonthly1(day, r, cell, neighbour.has_value());
        else
            drawMonthly2(day, r, cell, neighbour.has_value());
    }
    if (date == m_current) {
        m_p.setClipRect(r);
        sunkenFrame(r1);
        if (m_cal.hasFocus())
            focusFrame(Rc(r.left() + 3, r.top() + 3, r.right() + 1 - 1, r.bottom() + 1 - 1));
    }
}

void TZoCalendarPainter::drawMonthly2(const TDay &day, const QRect &r, int cell, bool isNeighbour)
{
    const std::optional<QColor> neighbour =
        isNeighbour ? std::optional<QColor>(ColorToQColor(m_cal.NeighborColor())) : std::nullopt;
    const int right = r.right() + 1;
    const int bottom = r.bottom() + 1;
    const int fi = day.fontIndex;
    const int h = m_pens.at(fi).height;
    const QDate &d = day.date;

    // Caption.
    const QString caption =
        d.day() == 1 ? QStringLiteral("%1/%2").arg(d.month()).arg(d.day()) : QString::number(d.day());
    const QRect n = Rc(r.left() + 4, r.top() + 4, right, r.top() + h + 6);
    text(fi, tint(m_pens.at(fi).color, neighbour), n.left(), n.top(), caption);

    // Signs beside the caption.
    const TMemoScheduleExists &signs = m_cal.MemoScheduleExists().at(size_t(cell));
    if (m_cal.ShowScheduleSign() || m_cal.ShowMemoSign()) {
        const int c = (n.top() + n.bottom() + 1) / 2;
        const int x = n.left() + m_pens.at(fi).metrics->horizontalAdvance(caption) + 2;
        if (m_cal.ShowScheduleSign() && signs.ScheduleExists) {
            const TPen &pen = m_pens.at(TZoCalendarFonts::ScheduleSign);
            text(TZoCalendarFonts::ScheduleSign, tint(pen.color, neighbour), x, c - pen.height + 2,
                 m_cal.ScheduleSign());
        }
        if (m_cal.ShowMemoSign() && signs.MemoExists) {
            const TPen &pen = m_pens.at(TZoCalendarFonts::MemoSign);
            text(TZoCalendarFonts::MemoSign, tint(pen.color, neighbour), x, c, m_cal.MemoSign());
        }
    }

    // Names under the caption.
    int contentsTop = r.top() + h + 6;
    if (m_cal.ShowDayText() && !day.names.isEmpty()) {
        const int ti = day.textFontIndex;
        const QRect area = Rc(r.left() + 6, r.top() + h + 6, right, bottom);
        QString cutText;
        const QStringList pieces = NamesAsLines(day.names).split(QStringLiteral("\r\n"));
        for (const QString &piece : pieces)
            cutText += cut(ti, piece, area.width()) + QStringLiteral("\r\n");
        const int count = lines(ti, tint(m_pens.at(ti).color, neighbour), area, cutText);
        contentsTop = area.top() + qMax(1, count) * m_pens.at(ti).height;
    }

    // Contents lines.
    if (m_cal.ShowDayContentsOnCalendar())
        contents(d, Rc(r.left() + 4, contentsTop, right - 2, bottom - 1), neighbour);
}

void TZoCalendarPainter::drawMonthly1(const TDay &day, const QRect &r, int cell, bool isNeighbour)
{
    const std::optional<QColor> neighbour =
        isNeighbour ? std::optional<QColor>(ColorToQColor(m_cal.NeighborColor())) : std::nullopt;
    const int right = r.right() + 1;
    const int bottom = r.bottom() + 1;
    const int fi = day.fontIndex;
    const TPen &dayPen = m_pens.at(fi);

    // The number, centred in a band just above the bottom edge.
    const QString number = QString::number(day.date.day());
    const int bandTop = bottom - 3 - dayPen.height;
    text(fi, tint(dayPen.color, neighbour), r.left() + (r.width() - dayPen.metrics->horizontalAdvance(number)) / 2,
         bandTop, number);

    // Signs at the left, meeting at the vertical middle.
    const TMemoScheduleExists &signs = m_cal.MemoScheduleExists().at(size_t(cell));
    const int middle = (r.top() + bottom) / 2;
    if (m_cal.ShowScheduleSign() && signs.ScheduleExists) {
        const TPen &pen = m_pens.at(TZoCalendarFonts::ScheduleSign);
        text(TZoCalendarFonts::ScheduleSign, tint(pen.color, neighbour), r.left() + 3, middle - pen.height,
             m_cal.ScheduleSign());
    }
    if (m_cal.ShowMemoSign() && signs.MemoExists) {
        const TPen &pen = m_pens.at(TZoCalendarFonts::MemoSign);
        text(TZoCalendarFonts::MemoSign, tint(pen.color, neighbour), r.left() + 3, middle, m_cal.MemoSign());
    }

    // Names on one line along the top.
    if (m_cal.ShowDayText() && !day.names.isEmpty()) {
        const int ti = day.textFontIndex;
        const int width = right - 3 - (r.left() + 3);
        text(ti, tint(m_pens.at(ti).color, neighbour), r.left() + 3, r.top() + 3,
             cut(ti, NamesAsOneLine(day.names), width));
    }
}

void TZoCalendarPainter::drawGrid()
{
    const int w = m_size.width();
    const int h = m_size.height();
    m_p.setPen(QPen(ColorToQColor(m_cal.GridColor()), 0));
    m_p.setBrush(Qt::NoBrush);
    m_p.drawRect(0, 0, w - 1, h - 1);
    for (int j = 1; j < 7; ++j) {
        const int x = zocal::ColumnSpan(w, j).from;
        m_p.drawLine(x, m_headerHeight, x, h - 1);
    }
    for (int i = 1; i <= 6; ++i) {
        const int y = zocal::RowSpan(h, m_headerHeight, i).from;
        m_p.drawLine(0, y, w - 1, y);
    }
}

// ---- list of days ----

void TZoCalendarPainter::DrawList()
{
    for (int row = 0; row < m_cal.DaysToShow(); ++row)
        drawListRow(row);
    m_p.setClipping(false);
}

void TZoCalendarPainter::drawListRow(int row)
{
    const zocal::TSpan y = zocal::ListRowSpan(m_size.height(), m_cal.DaysToShow(), row);
    const int wc = m_size.width();
    const int labelRight = wc / 4;
    const QRect r = Rc(0, y.from, wc, y.to);
    const int bottom = y.to;
    const QDate date = m_cal.StartDate().addDays(row);
    const TDay day = dayInfo(date);
    const bool isCurrent = date == m_current;
    m_p.setClipRect(r);

    m_p.fillRect(r, ColorToQColor(m_cal.DayContentsBkColor()));
    const QRect label = Rc(r.left(), r.top() + 1, labelRight, bottom);
    m_p.fillRect(label, background(day, true));

    // Month/day and the weekday.
    const int fi = day.fontIndex;
    const TPen &dayPen = m_pens.at(fi);
    const int h = dayPen.height;
    const QString caption = QStringLiteral("%1/%2(%3)")
                                .arg(date.month())
                                .arg(date.day())
                                .arg(kShortWeekdays.at(size_t(zocal::DayOfWeek0(date))));
    const int inset = isCurrent ? 4 : 2;
    const QRect captionRect = Rc(r.left(), r.top(), labelRight, r.top() + 1 + h + 8).adjusted(inset, inset, -inset, -inset);
    m_p.save();
    m_p.setClipRect(captionRect, Qt::IntersectClip);
    text(fi, dayPen.color, captionRect.left(), captionRect.top(), caption);
    m_p.restore();
    m_currentFont = -1;

    // Signs right of the caption.
    bool scheduleExists = false;
    bool memoExists = false;
    if (m_cal.OnDrawScheduleSign)
        m_cal.OnDrawScheduleSign(&m_cal, quint16(date.year()), quint16(date.month()), quint16(date.day()),
                                 scheduleExists, memoExists);
    const int signX = dayPen.metrics->horizontalAdvance(caption) + 5;
    const TPen &schedulePen = m_pens.at(TZoCalendarFonts::ScheduleSign);
    if (m_cal.ShowScheduleSign() && scheduleExists)
        text(TZoCalendarFonts::ScheduleSign, schedulePen.color, signX, r.top() + 2, m_cal.ScheduleSign());
    if (m_cal.ShowMemoSign() && memoExists)
        text(TZoCalendarFonts::MemoSign, m_pens.at(TZoCalendarFonts::MemoSign).color, signX,
             r.top() + 2 + schedulePen.height, m_cal.MemoSign());

    // Names below the caption, whatever ShowDayText says: the list has room.
    const int dx = isCurrent ? 4 : 2;
    const int dy = isCurrent ? 4 : 1;
    if (!day.names.isEmpty()) {
        const int ti = day.textFontIndex;
        const QRect area = Rc(r.left(), r.top() + h + 2, labelRight, bottom).adjusted(dx, dy, -dx, -dy);
        QString cutText;
        const QStringList pieces = NamesAsLines(day.names).split(QStringLiteral("\r\n"));
        for (const QString &piece : pieces)
            cutText += cut(ti, piece, area.width()) + QStringLiteral("\r\n");
        m_p.save();
        m_p.setClipRect(area, Qt::IntersectClip);
        lines(ti, m_pens.at(ti).color, area, cutText);
        m_p.restore();
        m_currentFont = -1;
    }

    // Contents, whatever ShowDayContentsOnCalendar says.
    const QRect contentsArea = Rc(labelRight, r.top(), r.right() + 1, bottom).adjusted(dx, dy, -dx, -dy);
    contents(date, contentsArea, std::nullopt);

    if (date == m_today && m_cal.TodaySign() == ttsSquare)
        etchedFrame(r);
    if (m_cal.ShowGrid()) {
        m_p.setPen(QPen(ColorToQColor(m_cal.GridColor()), 0));
        m_p.drawLine(r.left(), bottom - 1, labelRight, bottom - 1);
        m_p.drawLine(labelRight, r.top(), labelRight, bottom - 1);
        m_p.drawLine(labelRight, bottom - 1, r.right(), bottom - 1);
        etchedFrame(label);
    }
    if (isCurrent) {
        const QRect contentsPart = Rc(labelRight, r.top() + 1, r.right() + 1, bottom - 1);
        sunkenFrame(Rc(label.left(), label.top(), label.right() + 1, bottom - 1));
        sunkenFrame(contentsPart);
        if (m_cal.hasFocus())
            focusFrame(contentsPart.adjusted(2, 2, -2, -2));
    }
}
