#pragma once

#include "calendar/zocalendarfonts.h"
#include "calendar/zocalendartextcache.h"
#include "calendar/zocalendartypes.h"

#include <QDate>
#include <QFontMetrics>
#include <QPainter>
#include <array>
#include <optional>

class TZoQuillmereCalendar;

// Draws the cells of the calendar into its off-screen image. Made for one
// drawing: it measures the fourteen fonts once and asks the application for
// each visible day's contents as it goes.
class TZoCalendarPainter
{
public:
    TZoCalendarPainter(TZoQuillmereCalendar &calendar, QPainter &painter, QSize size, TZoCalendarTextCache &cache);

    void DrawMonth();
    void DrawList();

    // Names as the cells show them: one per line, without quotes.
    static QString NamesAsLines(const QString &dayText);
    static QString NamesAsOneLine(const QString &dayText);
    // Neighbour colouring: the colour's bits or-ed with the neighbour colour's.
    static QColor OrColor(const QColor &a, const QColor &b);

private:
    struct TPen
    {
        QFont font;
        QColor color;
        std::optional<QFontMetrics> metrics;
        int height = 0;
    };
    struct TDay
    {
        QDate date;
        QString names;
        bool special = false;
        bool dayOff = false;
        bool holiday = false;
        int fontIndex = 0;
        int textFontIndex = 0;
    };

    TDay dayInfo(const QDate &date) const;
    QColor background(const TDay &day, bool inMonth) const;
    void drawWeekdayCell(int column);
    void drawDayCell(int column, int row);
    void drawMonthly2(const TDay &day, const QRect &r, int cell, bool neighbour);
    void drawMonthly1(const TDay &day, const QRect &r, int cell, bool neighbour);
    void drawListRow(int row);
    void drawGrid();

    // Draws `text` left and top aligned at (x, top) in pen `index`.
    void text(int index, const QColor &color, int x, int top, const QString &line);
    // Draws the lines of a text that ends each line with CR LF; returns the
    // number of lines.
    int lines(int index, const QColor &color, const QRect &area, const QString &cut);
    // Draws the day's contents items from `top` down; clipped to `area`.
    void contents(const QDate &date, const QRect &area, const std::optional<QColor> &neighbour);
    QString cut(int index, const QString &line, int width) const;
    QColor tint(const QColor &color, const std::optional<QColor> &neighbour) const;

    void etchedFrame(const QRect &r);
    void sunkenFrame(const QRect &r);
    void focusFrame(const QRect &r);

    TZoQuillmereCalendar &m_cal;
    TZoCalendarTextCache &m_cache;
    QPainter &m_p;
    QSize m_size;
    QDate m_today;
    QDate m_current;
    int m_headerHeight = 0;
    int m_currentFont = -1;
    std::array<TPen, TZoCalendarFonts::Count> m_pens;
};
