// Usage: bench_daycontents FOLDER   (a folder written by quillmere-gendata)
// Times what one calendar redraw asks for: the contents of the 42 visible
// days, and the sign table that a month change or a save recomputes.
#include "bench/benchreport.h"
#include "calendar/daycontents.h"
#include "core/appglobal.h"
#include "schedule/alarmtimer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString folder = BenchDataFolder(argc, argv, "bench_daycontents");
    if (folder.isEmpty())
        return 2;

    TAlarmTimer timer;
    if (!timer.LoadFromFile(Global().ScheduleFile(), false).ok() || timer.AlarmList().Count() == 0) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(Global().ScheduleFile()));
        return 1;
    }
    std::printf("%d schedules in %s\n", timer.AlarmList().Count(), qPrintable(Global().ScheduleFile()));

    const QDate first(2025, 4, 27); // memos run to 2025, schedules 2020-2030
    qsizetype items = 0;
    for (int i = 0; i < 42; ++i)
        items += BuildDayContents(timer.AlarmList(), first.addDays(i), true, 0, 0).size();
    std::printf("%lld contents items over the 42 days from %s\n", static_cast<long long>(items),
                qPrintable(first.toString(Qt::ISODate)));

    BenchReport("42 x BuildDayContents (one redraw)", 30, [&] {
        for (int i = 0; i < 42; ++i)
            (void)BuildDayContents(timer.AlarmList(), first.addDays(i), true, 0, 0);
    });
    BenchReport("42 x BuildDayContents, times shown", 30, [&] {
        for (int i = 0; i < 42; ++i)
            (void)BuildDayContents(timer.AlarmList(), first.addDays(i), false, 0, 0);
    });
    // What the window asks for: a month-grid cell of the default window shows
    // about five lines.
    BenchReport("42 x BuildDayContents, room for 5 items", 30, [&] {
        for (int i = 0; i < 42; ++i)
            (void)BuildDayContents(timer.AlarmList(), first.addDays(i), false, 0, 0, 5);
    });
    TMemoScheduleTable table{};
    // As the window answers a redraw: the schedules taken from the list once
    // for the picture, then each cell.
    BenchReport("42 cells from one TDayContentsSource, room for 5", 30, [&] {
        const TDayContentsSource source(timer.AlarmList());
        for (int i = 0; i < 42; ++i)
            (void)source.Build(first.addDays(i), false, 0, 0, 5);
    });
    BenchReport("ComputeSigns (42 cells)", 30, [&] { table = ComputeSigns(first, table, timer); });
    return 0;
}
