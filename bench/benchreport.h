#pragma once

#include "core/appglobal.h"

#include <QDir>
#include <QElapsedTimer>
#include <QString>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

// Runs `body` `runs` times and prints best, median and worst wall time; the
// machine is shared, so the best run is the figure to compare. Returns the median.
inline double BenchReport(const char *what, int runs, const std::function<void()> &body)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        body();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s best %8.3f ms  median %8.3f ms  worst %8.3f ms  (%d runs)\n", what, ms.front(),
                ms[ms.size() / 2], ms.back(), runs);
    return ms[ms.size() / 2];
}

// The data folder named on the command line (a folder written by
// quillmere-gendata), made the program folder and the data folder in use;
// empty, after the usage line, when the command line is wrong.
inline QString BenchDataFolder(int argc, char **argv, const char *program)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", program);
        return {};
    }
    const QString folder = WithTrailingSlash(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
    Global().ProgramFolder = folder;
    Global().CurrentDataFolder = folder;
    return folder;
}
