#pragma once

#include "core/font.h"

#include <QList>
#include <QString>
#include <array>

// Plain types shared by the calendar control and the code that answers its
// requests; nothing here needs a window.

enum TZoQuillmereCalendarStyle { csMonthly1, csMonthly2, csVertical1 };

enum TZoTodaySign { ttsNone, ttsSquare };

struct TMemoScheduleExists
{
    bool MemoExists = false;
    bool ScheduleExists = false;

    bool operator==(const TMemoScheduleExists &) const = default;
};

// The 42 cells of the month grid, cell i = 7 * (week row - 1) + column.
inline constexpr int ZoCalendarCells = 42;
using TMemoScheduleTable = std::array<TMemoScheduleExists, ZoCalendarCells>;

// One contents item of a day. `Text` holds its lines, each followed by CR LF;
// only text that ends in a line break is drawn.
struct TZoDrawDayText
{
    QString Key;
    QString Text;
    TColor Color = clr::clBlack;
};

using TZoDrawDayTextList = QList<TZoDrawDayText>;
