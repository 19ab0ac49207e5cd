// Usage: bench_schedule FOLDER   (a folder written by quillmere-gendata)
// Prints the best and median time of each operation over several runs.
#include "core/appglobal.h"
#include "schedule/alarmtimer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

void report(const char *what, int runs, const std::function<void()> &body)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        body();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s best %8.3f ms  median %8.3f ms  worst %8.3f ms  (%d runs)\n", what, ms.front(), ms[ms.size() / 2], ms.back(), runs);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_schedule FOLDER\n");
        return 2;
    }
    const QString folder = WithTrailingSlash(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
    Global().ProgramFolder = folder;
    Global().CurrentDataFolder = folder;
    const QString path = Global().ScheduleFile();

    TAlarmTimer timer;
    if (!timer.LoadFromFile(path, false).ok() || timer.AlarmList().Count() == 0) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return 1;
    }
    std::printf("%d schedules in %s\n", timer.AlarmList().Count(), qPrintable(path));

    report("load schedule.dat", 30, [&] { (void)timer.LoadFromFile(path, false); });

    QTemporaryDir saveDir(folder + QStringLiteral("bench-XXXXXX"));
    const QString savePath = saveDir.path() + QStringLiteral("/schedule.dat");
    report("save schedule.dat (safe replace)", 30, [&] {
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
