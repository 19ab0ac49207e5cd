#include "calendar/zocalendargeometry.h"

namespace zocal {

int DayOfWeek0(const QDate &date)
{
    return date.dayOfWeek() % 7;
}

QDate CellDate(const QDate &current, int startDayOfWeek, bool firstRowFirstDay, int column, int row)
{
    if (!current.isValid())
        return {};
    const QDate first(current.year(), current.month(), 1);
    const int w1 = DayOfWeek0(first);
    const int s = startDayOfWeek;
    const int offset = w1 < s ? s - w1 - 7 : s - w1;
    int n = offset + column + 7 * row - 6;
    if (w1 == s && !firstRowFirstDay)
        n -= 7;
    // Days outside the month fall into the neighbours; counting from day 1
    // gives exactly the previous month's tail and the next month's head.
    return first.addDays(n - 1);
}

TSpan ColumnSpan(int width, int column)
{
    return {int(qint64(width) * column / 7), int(qint64(width) * (column + 1) / 7)};
}

TSpan RowSpan(int height, int headerHeight, int row)
{
    if (row <= 0)
        return {0, headerHeight};
    const qint64 body = height - headerHeight;
    return {int(body * (row - 1) / 6 + headerHeight), int(body * row / 6 + headerHeight)};
}

TSpan ListRowSpan(int height, int daysToShow, int row)
{
    if (daysToShow < 1)
        return {};
    return {int(qint64(row) * height / daysToShow), int(qint64(row + 1) * height / daysToShow)};
}

TCellHit MonthCellFromPoint(int width, int height, int headerHeight, int x, int y)
{
    TCellHit hit;
    const int colWidth = width / 7;
    if (x < 0 || y < 0 || colWidth <= 0 || x >= width)
        return hit;
    hit.column = qMin(x / colWidth, 6);
    if (y <= headerHeight) {
        hit.row = 0;
        return hit;
    }
    const int rowHeight = (height - headerHeight) / 6;
    if (rowHeight <= 0)
        return hit;
    const int k = (y - headerHeight) / rowHeight + 1;
    if (k >= 1 && k <= 6)
        hit.row = k;
    return hit;
}

TCellHit ListCellFromPoint(int height, int daysToShow, int y)
{
    TCellHit hit;
    hit.column = 1;
    const int rowHeight = daysToShow > 0 ? height / daysToShow : 0;
    if (y < 0 || rowHeight <= 0)
        return hit;
    const int r = y / rowHeight;
    if (r < daysToShow)
        hit.row = r;
    return hit;
}

int ListPressRow(int height, int daysToShow, int y)
{
    if (height <= 0)
        return 0;
    return int(qint64(y) * daysToShow / height);
}

QDate ListDateFromPoint(const QDate &startDate, int height, int daysToShow, int y)
{
    const int r = ListPressRow(height, daysToShow, y);
    if (r <= 0)
        return startDate.addDays(-1);
    if (r >= daysToShow - 1)
        return startDate.addDays(daysToShow);
    return startDate.addDays(r);
}

} // namespace zocal
