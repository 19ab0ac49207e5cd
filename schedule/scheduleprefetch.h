#pragma once

#include "schedule/schedulefile.h"

#include <QString>

#include <memory>

// The schedule file is the largest file read at start-up. A prefetch reads and
// parses it on another core while the window is still being built; the load
// then takes its records, provided the file on disk is still the one read.
// Only one prefetch is active at a time; its owner's scope bounds the reading.
class TSchedulePrefetch
{
public:
    explicit TSchedulePrefetch(const QString &path);
    ~TSchedulePrefetch(); // waits for the reading to end
    TSchedulePrefetch(const TSchedulePrefetch &) = delete;
    TSchedulePrefetch &operator=(const TSchedulePrefetch &) = delete;
    // Blocks until the reading has ended.
    void Wait();

    struct TState;

private:
    std::shared_ptr<TState> m_state;
};

// True when the active prefetch read `path` whole and well and the file is
// unchanged since; its records and tail then move into `list` and `tail`.
// A prefetch is used once: whatever the answer, later loads read the file.
bool TakePrefetchedSchedules(const QString &path, TAlarmList &list, TScheduleFileTail &tail);
