#pragma once

#include "core/fileprefetch.h"
#include "schedule/schedulefile.h"

// The schedule file is the largest file read at start-up. A prefetch reads and
// parses it on another core while the window is still being built; the load
// then takes its records, provided the file on disk is still the one read.
// Only one prefetch is active at a time; its owner's scope bounds the reading.
class TSchedulePrefetch
{
public:
    explicit TSchedulePrefetch(const QString &path);
    ~TSchedulePrefetch();
    TSchedulePrefetch(const TSchedulePrefetch &) = delete;
    TSchedulePrefetch &operator=(const TSchedulePrefetch &) = delete;
    // Blocks until the reading has ended.
    void Wait() { m_file.Wait(); }

private:
    friend bool TakePrefetchedSchedules(const QString &, TAlarmList &, TScheduleFileTail &);
    TAlarmList m_list;
    TScheduleFileTail m_tail;
    TFilePrefetch m_file; // last: its reading fills the members above
};

// True when the active prefetch read `path` whole and well and the file is
// unchanged since; its records and tail then move into `list` and `tail`.
// A prefetch is used once: whatever the answer, later loads read the file.
bool TakePrefetchedSchedules(const QString &path, TAlarmList &list, TScheduleFileTail &tail);
