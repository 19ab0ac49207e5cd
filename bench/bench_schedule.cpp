// Usage: bench_schedule FOLDER   (a folder written by quillmere-gendata)
// Prints the best and median time of each operation over several runs.
#include "bench/benchreport.h"
#include "core/appglobal.h"
#include "schedule/alarmtimer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Wall time, and the thread's CPU time, which a busy shared machine disturbs
// far less.
void report(const char *what, int runs, const std::function<void()> &body)
{
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        const double c0 = threadCpuMs();
        t.start();
        body();
        wall.push_back(t.nsecsElapsed() / 1e6);
        cpu.push_back(threadCpuMs() - c0);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("%-40s wall best %8.3f median %8.3f ms | cpu best %8.3f median %8.3f ms  (%d runs)\n", what, wall.front(),
                wall[wall.size() / 2], cpu.front(), cpu[cpu.size() / 2], runs);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString folder = BenchDataFolder(argc, argv, "bench_schedule");
    if (folder.isEmpty())
        return 2;
    const QString path = Global().ScheduleFile();

    TAlarmTimer timer;
    if (!timer.LoadFromFile(path, false).ok() || timer.AlarmList().Count() == 0) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return 1;
    }
    std::printf("%d schedules in %s\n", timer.AlarmList().Count(), qPrintable(path));

    report("load schedule.dat", 30, [&] { (void)timer.LoadFromFile(path, false); });

    QByteArray image;
    report("write the file image only (no disk)", 30, [&] {
        if (!WriteScheduleStream(timer.AlarmList(), timer.Tail(), image))
            std::fprintf(stderr, "write failed\n");
    });

    QTemporaryDir saveDir(folder + QStringLiteral("bench-XXXXXX"));
    const QString savePath = saveDir.path() + QStringLiteral("/schedule.dat");
    report("save: temp, fsync, .bak copy, rename", 30, [&] {
        if (!timer.SaveToFile(savePath).ok)
            std::fprintf(stderr, "save failed\n");
    });

    // Ticks every 10 s through a whole day, as the program runs them.
    QDateTime now(QDate(2025, 3, 10), QTime(0, 0));
    report("one Tick (10 s steps over a day)", 8640, [&] {
        timer.Tick(now);
        now = now.addSecs(10);
    });

    const QDate first(2025, 3, 1);
    report("HasSchedule x 42 cells", 200, [&] {
        int marked = 0;
        for (int d = 0; d < 42; ++d)
            marked += timer.HasSchedule(first.addDays(d)) ? 1 : 0;
        if (marked < 0)
            std::printf("never\n");
    });
    // The worst case: no schedule is marked, so every cell walks the whole list.
    for (int i = 0; i < timer.AlarmList().Count(); ++i)
        timer.AlarmList().Items(i)->HideFromShowSchedule = 1;
    report("HasSchedule x 42 cells, nothing marked", 200, [&] {
        int marked = 0;
        for (int d = 0; d < 42; ++d)
            marked += timer.HasSchedule(first.addDays(d)) ? 1 : 0;
        if (marked != 0)
            std::printf("unexpected mark\n");
    });
    report("ScheduleText of one day", 200, [&] { (void)timer.ScheduleText(first); });
    return 0;
}
