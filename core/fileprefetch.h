#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <mutex>
#include <thread>
#include <utility>

// A data file read, and made sense of, on a thread of its own while the
// program starts; its load later takes the result, provided the file still
// holds the very bytes that were read.
class TFilePrefetch
{
public:
    // `parse` runs on the reading thread with the whole file (at most
    // `limit` bytes) and answers whether it made sense of it.
    TFilePrefetch(const QString &path, qint64 limit, std::function<bool(const QByteArray &)> parse);
    ~TFilePrefetch(); // waits for the reading to end
    TFilePrefetch(const TFilePrefetch &) = delete;
    TFilePrefetch &operator=(const TFilePrefetch &) = delete;

    // Blocks until the reading has ended.
    void Wait();
    // Waits, then tells whether `path` was read whole and parsed well and the
    // file still holds exactly those bytes.
    bool HoldsCurrent(const QString &path);
    // What was read; empty after Release.
    const QByteArray &Bytes() const { return m_bytes; }
    void Release() { m_bytes = QByteArray(); }

private:
    QString m_path;
    qint64 m_limit;
    bool m_ok = false;
    QByteArray m_bytes;
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
