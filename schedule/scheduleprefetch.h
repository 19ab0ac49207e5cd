#pragma once

#include <QString>

#include <memory>
#include <thread>

class TAlarmList;
struct TScheduleFileTail;

// Parsing a large schedule file is the longest single step of a start. While
// one of these lives, that parse runs on a thread of its own, from the moment
// the file is known, and the timer's load takes the result over instead of
// parsing again, provided the file still holds the very bytes that were
// parsed. Anything else (no such file, a damaged one, a change meanwhile)
// leaves the load to do all of its usual work.
class TSchedulePrefetch
{
public:
    explicit TSchedulePrefetch(const QString &path);
    ~TSchedulePrefetch(); // waits for the thread
    TSchedulePrefetch(const TSchedulePrefetch &) = delete;
    TSchedulePrefetch &operator=(const TSchedulePrefetch &) = delete;

    // For the load of `path` that has just read `bytes`: moves the parsed
    // records and tail into `list` and `tail` and answers true when a
    // prefetch of that same path parsed exactly these bytes without fault.
    // A prefetch is used once at most.
    static bool Take(const QString &path, const QByteArray &bytes, TAlarmList &list, TScheduleFileTail &tail);

private:
    struct TState;
    std::unique_ptr<TState> m_state;
    std::thread m_thread;
};
