#pragma once

#include "calendar/zocalendarcontrol.h"

#include <QImage>
#include <QStringList>

// A calendar on the (offscreen) screen. A hidden one puts its drawing off
// until it is shown or its image is asked for, so the order of drawing
// requests among the other events is only that of a shown one.
class TShownCalendar : public TZoQuillmereCalendar
{
public:
    explicit TShownCalendar(const TClock *clock) : TZoQuillmereCalendar(nullptr, clock) { show(); }
};

// Records the calendar's events in the order they come. Runs of drawing
// requests are kept as one entry "draw*N".
class TCalendarLog
{
public:
    explicit TCalendarLog(TZoQuillmereCalendar &calendar) : m_cal(calendar)
    {
        QObject *ctx = &m_context;
        QObject::connect(&calendar, &TZoCustomCalendar::OnBeforeDayCahnge, ctx, [this] { add(QStringLiteral("before")); });
        QObject::connect(&calendar, &TZoCustomCalendar::OnYearMonthChange, ctx, [this](quint16 y, quint16 m, quint16 d) {
            add(QStringLiteral("yearmonth %1-%2-%3").arg(y).arg(m).arg(d));
        });
        QObject::connect(&calendar, &TZoCustomCalendar::OnDayChange, ctx, [this](quint16 y, quint16 m, quint16 d) {
            add(QStringLiteral("day %1-%2-%3").arg(y).arg(m).arg(d));
        });
        QObject::connect(&calendar, &TZoCustomCalendar::OnKeyDown, ctx, [this](int key, Qt::KeyboardModifiers) {
            add(QStringLiteral("key %1 at %2").arg(key, 0, 16).arg(m_cal.CurrentDate().toString(Qt::ISODate)));
        });
        QObject::connect(&calendar, &TZoCustomCalendar::OnMouseDown,
                         [this](Qt::MouseButton, QPoint, Qt::KeyboardModifiers) { add(QStringLiteral("mousedown")); });
        QObject::connect(&calendar, &TZoCustomCalendar::OnDblClick, ctx, [this](QPoint) { add(QStringLiteral("dblclick")); });
        calendar.OnSetupScheduleSign = [this](TZoCustomQuillmereCalendar *, TMemoScheduleTable &) {
            add(QStringLiteral("setup"));
        };
        calendar.OnDrawDayContents = [this](TZoCustomQuillmereCalendar *, quint16, quint16, quint16,
                                            TZoDrawDayTextList &) { add(QStringLiteral("draw")); };
    }

    ~TCalendarLog()
    {
        m_cal.OnSetupScheduleSign = nullptr;
        m_cal.OnDrawDayContents = nullptr;
    }
    TCalendarLog(const TCalendarLog &) = delete;
    TCalendarLog &operator=(const TCalendarLog &) = delete;

    QStringList entries() const { return m_entries; }
    void clear() { m_entries.clear(); }
    int draws() const
    {
        int n = 0;
        for (const QString &e : m_entries)
            if (e.startsWith(QLatin1String("draw*")))
                n += e.mid(5).toInt();
        return n;
    }

private:
    void add(const QString &entry)
    {
        if (entry == QLatin1String("draw") && !m_entries.isEmpty() && m_entries.last().startsWith(QLatin1String("draw*"))) {
            m_entries.last() = QStringLiteral("draw*%1").arg(m_entries.last().mid(5).toInt() + 1);
            return;
        }
        m_entries.append(entry == QLatin1String("draw") ? QStringLiteral("draw*1") : entry);
    }

    TZoQuillmereCalendar &m_cal;
    QObject m_context; // ends the connections with the log
    QStringList m_entries;
};

// The grid cell (column, week row) that shows `date`, or (-1, -1).
inline QPoint CellOf(const TZoQuillmereCalendar &calendar, const QDate &date)
{
    const qint64 i = calendar.FirstDate().daysTo(date);
    if (i < 0 || i >= 42)
        return {-1, -1};
    return {int(i % 7), int(i / 7) + 1};
}

// The centre of a cell in the widget's coordinates.
inline QPoint CellCentre(const TZoQuillmereCalendar &calendar, int column, int row)
{
    return calendar.CellRect(column, row).center() + calendar.contentsRect().topLeft();
}

// Pixels of `area` in `image` that differ from `background`.
inline int InkPixels(const QImage &image, const QRect &area, const QColor &background)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y).rgb() != background.rgb())
                ++n;
    return n;
}
