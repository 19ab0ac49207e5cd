#pragma once

#include <QDate>
#include <optional>

// The layout numbers of the calendar control as plain arithmetic, so that they
// are tested without a window. Coordinates are those of the client area
// (the off-screen image); right and bottom edges are exclusive.
namespace zocal {

// Weekday 0 (Sunday) .. 6 (Saturday), as day rules number them.
int DayOfWeek0(const QDate &date);

// The date in a month-grid cell of the month of `current` (column 0-6, week row
// 1-6; other values extrapolate along the 42-day run).
QDate CellDate(const QDate &current, int startDayOfWeek, bool firstRowFirstDay, int column, int row);

struct TSpan
{
    int from = 0; // inclusive
    int to = 0;   // exclusive
    bool operator==(const TSpan &) const = default;
};

TSpan ColumnSpan(int width, int column);
// Row 0 is the weekday-name row of height `headerHeight`; rows 1-6 the weeks.
TSpan RowSpan(int height, int headerHeight, int row);
TSpan ListRowSpan(int height, int daysToShow, int row);

struct TCellHit
{
    int column = -1;
    int row = -1; // -1: no row (below the grid or outside)
    bool operator==(const TCellHit &) const = default;
};

// Hit test of the month grid. A point right of the seventh column's integer
// width still counts as column 6: a click there is meant for the last column.
TCellHit MonthCellFromPoint(int width, int height, int headerHeight, int x, int y);
// Column is 1 and the row the list row, or -1 outside the rows.
TCellHit ListCellFromPoint(int height, int daysToShow, int y);

// The list row a press selects: T(y * daysToShow / height).
int ListPressRow(int height, int daysToShow, int y);
// The date a drop at `y` targets in the list style; the first and last rows
// move the list by one day.
QDate ListDateFromPoint(const QDate &startDate, int height, int daysToShow, int y);

} // namespace zocal
