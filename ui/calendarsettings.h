#pragma once

class TZoQuillmereCalendar;

// Gives the calendar what settings.cnf says when a data folder opens: style,
// listed days, first weekday, neighbour months, grid, day names, contents,
// signs, the pop-up switch, the automatic equinox and substitute holidays,
// the eight background colours and the calendar fonts. Values out of range
// leave the calendar's own.
void ApplyCalendarSettings(TZoQuillmereCalendar &calendar);
