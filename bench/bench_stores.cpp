// Usage: bench_stores FOLDER   (a folder written by quillmere-gendata)
// Prints the best and median time of each operation over several runs.
#include "bench/benchreport.h"
#include "core/appglobal.h"
#include "core/clock.h"
#include "core/datetime.h"
#include "core/safefile.h"
#include "notes/memostore.h"
#include "notes/notestore.h"
#include "schedule/alarmtimer.h"
#include "schedule/upcoming.h"
#include "support/scriptedprompter.h"
#include "todo/todolist.h"
#include "todo/todotimer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString folder = BenchDataFolder(argc, argv, "bench_stores");
    if (folder.isEmpty())
        return 2;

    TFixedClock clock(QDateTime(QDate(2025, 3, 10), QTime(9, 0)));
    TToDoTimer todoTimer(clock);
    todoTimer.SetEnabled(false);
    TToDoList &todos = todoTimer.Items();
    const QString todoPath = Global().ToDoFile();
    if (!LoadToDoList(todoPath, todos, 0).ok || todos.Count() == 0) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(todoPath));
        return 1;
    }
    std::printf("%d ToDo items in %s\n", todos.Count(), qPrintable(todoPath));
    BenchReport("load todo.dat", 50, [&] { (void)LoadToDoList(todoPath, todos, 0); });
    // The parse alone, as the start's reading thread runs it: no file system
    // and no prefetch check; freeing the previous items is the only extra.
    QByteArray todoBytes;
    if (!ReadFileBytes(todoPath, todoBytes, kMaxToDoFileBytes)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(todoPath));
        return 1;
    }
    TToDoList parsed;
    BenchReport("parse todo.dat (ParseToDoFile)", 200, [&] {
        parsed.Clear();
        (void)ParseToDoFile(todoBytes, parsed, 0, nullptr);
    });
    parsed.Clear();

    QTemporaryDir saveDir(folder + QStringLiteral("bench-XXXXXX"));
    BenchReport("save todo.dat (safe replace)", 30, [&] {
        if (!SaveToDoList(saveDir.path() + QStringLiteral("/todo.dat"), todos).ok)
            std::fprintf(stderr, "save failed\n");
    });

    QDateTime now = clock.now();
    BenchReport("ToDo TimerTick (20 s steps over a day)", 4320, [&] {
        todoTimer.TimerTick(now);
        now = now.addSecs(20);
    });

    const QDate first(2025, 2, 23);
    BenchReport("HasDailyMemo x 42 cells", 200, [&] {
        int marked = 0;
        for (int d = 0; d < 42; ++d)
            marked += HasDailyMemo(first.addDays(d)) ? 1 : 0;
        if (marked != 42)
            std::printf("only %d memos\n", marked);
    });

    TMemoStore memos;
    BenchReport("load notebook (1 MB)", 30, [&] { (void)memos.Load(mkNotebook, {}); });
    BenchReport("load a daily memo", 200, [&] { (void)memos.Load(mkDailyMemo, QDate(2025, 3, 10)); });

    TScriptedPrompter prompter;
    TNoteStore notes(prompter);
    QStringList noteNames;
    BenchReport("list the notes (100)", 100, [&] { noteNames = notes.NoteList(); });
    if (noteNames.isEmpty()) {
        std::fprintf(stderr, "no notes in %s\n", qPrintable(TNoteStore::NoteFolder()));
        return 1;
    }
    int pageCount = 0;
    BenchReport("list the pages of a note (30)", 200,
           [&] { pageCount = static_cast<int>(notes.PageList(noteNames.first()).size()); });
    std::printf("%d pages in %s\n", pageCount, qPrintable(noteNames.first()));

    TAlarmTimer alarms;
    if (alarms.LoadFromFile(Global().ScheduleFile(), false).ok()) {
        std::printf("%d schedules\n", alarms.AlarmList().Count());
        BenchReport("upcoming schedules (7 days + ToDo)", 30,
               [&] { (void)BuildUpcomingSchedules(alarms.AlarmList(), todos, clock.now()); });
    }
    return 0;
}
