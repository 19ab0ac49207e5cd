// Usage: bench_holidays FOLDER   (a folder written by quillmere-gendata)
// Prints the best and median time of each operation over many runs. The
// calendar asks GetDayKinds 42 times per redraw; a whole year must stay
// under 5 ms.
#include "bench/benchreport.h"
#include "calendar/dateex.h"
#include "calendar/dayfiles.h"
#include "core/appglobal.h"
#include "core/prompter.h"

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
    const QString folder = BenchDataFolder(argc, argv, "bench_holidays");
    if (folder.isEmpty())
        return 2;

    TZoDateEx engine;
    TStderrPrompter prompter;
    if (!LoadDayFiles(engine, prompter, TDayFilesAccess::ReadOnly))
        return 1;
    std::printf("%d holiday rules, %d special days, %d days off in %s\n", engine.HolidayList()->Count(),
                engine.SpecialDayList()->Count(), engine.CustomDayOffList()->Count(), qPrintable(folder));

    int sink = 0;
    const QDate first(2026, 1, 1);
    const double yearKinds = BenchReport("GetDayKinds, every day of 2026", 200, [&] {
        for (QDate d = first; d.year() == 2026; d = d.addDays(1))
            sink += int(engine.GetDayKinds(d));
    });
    BenchReport("GetDayText, every day of 2026", 200, [&] {
        for (QDate d = first; d.year() == 2026; d = d.addDays(1))
            sink += int(engine.GetDayText(d).size());
    });
    BenchReport("one redraw: 42 cells, kinds and text", 1000, [&] {
        const QDate start = QDate(2026, 5, 1).addDays(-engine.FirstDayOfWeek(2026, 5));
        for (int i = 0; i < 42; ++i) {
            sink += int(engine.GetDayKinds(start.addDays(i)));
            sink += int(engine.GetDayText(start.addDays(i)).size());
        }
    });
    BenchReport("LoadDayFiles (three files)", 50, [&] { LoadDayFiles(engine, prompter, TDayFilesAccess::ReadOnly); });

    std::printf("checksum %d\n", sink);
    std::printf("target: a year of GetDayKinds under 5 ms: %s\n", yearKinds < 5.0 ? "met" : "MISSED");
    return yearKinds < 5.0 ? 0 : 1;
}
