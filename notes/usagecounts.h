#pragma once

#include <QString>

// What the about box's usage page counts in the data folder in use.
struct TUsageCounts
{
    int Schedules = 0;    // 予定: the schedules in memory
    int Memos = 0;        // メモ: daily memo files
    int MonthlyMemos = 0; // 今月のメモ: monthly memo files
    int ToDos = 0;        // 備忘録: lines of todo.dat
    int NotePages = 0;    // ノート: page files of every note
};

// Counts the files of Global()'s data folder. `schedules` is the number of
// schedules in memory, which the caller knows and the files may not (unsaved
// changes). A missing folder or file counts 0; nothing here reports an error.
TUsageCounts CountUsage(int schedules);

// The number of ToDo lines in a todo.dat held at `path`; 0 when it cannot be read.
int CountToDoLines(const QString &path);
