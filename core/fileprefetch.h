#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>

// Gives the calling thread only the processor time no other thread wants:
// work done ahead while the program starts must not hold up the start.
void YieldToEveryOtherThread();

// A data file read, and made sense of, on a thread of its own while the
// program starts; its load later takes the result, provided the file still
// holds the very bytes that were read.
class TFilePrefetch
{
public:
    // `parse` runs on the reading thread with the whole file (at most
    // `limit` bytes) and answers whether it made sense of it; it may give up
    // early once `stop` is raised, as nobody will take its result then.
    using TParse = std::function<bool(const QByteArray &bytes, const std::atomic<bool> &stop)>;
    TFilePrefetch(const QString &path, qint64 limit, TParse parse);
    ~TFilePrefetch(); // asks the reading to stop and waits for it to end
    TFilePrefetch(const TFilePrefetch &) = delete;
    TFilePrefetch &operator=(const TFilePrefetch &) = delete;

    // Blocks until the reading has ended.
    void Wait();
    // Tells whether `path` was read whole and parsed well and the file still
    // holds exactly those bytes. Waits for the reading while it gets the
    // processor; a reading starved of it is asked to stop and answers false,
    // so that the load reads the file itself instead of waiting on it.
    bool HoldsCurrent(const QString &path);
    // Whether the reading has ended and been waited for; until then, what it
    // fills belongs to it.
    bool Ended();
    // What was read; empty after Release, which only an ended reading allows.
    const QByteArray &Bytes() const { return m_bytes; }
    void Release() { m_bytes = QByteArray(); }

    // The waiting looks at the reader once a slice: it is starved when it got
    // less than a tenth of the slice's time on the processor.
    static constexpr std::chrono::milliseconds kWaitSlice{20};

private:
    bool waitWhileServed();

    QString m_path;
    qint64 m_limit;
    bool m_ok = false;
    QByteArray m_bytes;
    std::atomic<bool> m_stop{false};
    std::mutex m_state; // guards m_finished
    std::condition_variable m_finishedChanged;
    bool m_finished = false;
    std::mutex m_joining; // the owner and the load may both wait for the reader
    std::thread m_reader; // last: it starts once everything above is set
};

// The one prefetch of a kind that a load may take: set by its owner, taken
// once by the load, cleared when the owner goes.
template<class T>
class TPrefetchSlot
{
public:
    static void Set(T *prefetch)
    {
        const std::lock_guard lock(s_mutex);
        s_active = prefetch;
    }
    static void Clear(T *prefetch)
    {
        const std::lock_guard lock(s_mutex);
        if (s_active == prefetch)
            s_active = nullptr;
    }
    static T *Take()
    {
        const std::lock_guard lock(s_mutex);
        return std::exchange(s_active, nullptr);
    }

private:
    static inline std::mutex s_mutex;
    static inline T *s_active = nullptr;
};
