#include "core/fileprefetch.h"

#include "core/safefile.h"
#include "core/startheap.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

#include <pthread.h>
#include <sched.h>
#include <time.h>

namespace {

// A file this large builds enough at start to be worth huge pages: a
// thousand small faults cost more than clearing one huge page.
constexpr qint64 kHugeHeapFrom = 64 * 1024;
constexpr std::size_t kParsedPerFileByte = 8;
// Room for at least one whole huge page, wherever the room begins.
constexpr std::size_t kSmallestRoom = std::size_t(4) << 20;

// Whether the file holds exactly `expected`, read piece by piece: a second
// buffer the size of the file would cost more than the comparison itself
// (each fresh page of it is a fault).
bool holdsBytes(const QString &path, const QByteArray &expected)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() != expected.size())
        return false;
    char piece[64 * 1024];
    qint64 at = 0;
    for (;;) {
        const qint64 n = file.read(piece, sizeof piece);
        if (n < 0)
            return false;
        if (n == 0)
            return at == expected.size();
        if (at + n > expected.size() || std::memcmp(piece, expected.constData() + at, size_t(n)) != 0)
            return false;
        at += n;
    }
}

bool starved(std::chrono::nanoseconds processorTime, std::chrono::nanoseconds slice)
{
    return processorTime * 10 < slice;
}

// The processor time a thread has had so far, by its clock; -1 when unknown.
std::chrono::nanoseconds processorTime(clockid_t clock)
{
    timespec t{};
    if (clock_gettime(clock, &t) != 0)
        return std::chrono::nanoseconds(-1);
    return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
}

} // namespace

// On a machine with two cores a reader of ordinary priority kept the main
// thread and Qt's X11 thread, woken after each round trip to the display,
// waiting for the rest of its time slice: the application object took
// 20-30 ms longer to make.
void YieldToEveryOtherThread()
{
#ifdef __linux__
    const sched_param param{};
    sched_setscheduler(0, SCHED_IDLE, &param); // 0: the calling thread
#endif
}

TFilePrefetch::TFilePrefetch(const QString &path, qint64 limit, TParse parse)
    : m_path(QDir::cleanPath(path)), m_limit(limit)
{
    m_reader = std::thread([this, parse = std::move(parse)] {
        YieldToEveryOtherThread();
        // What a file's parse builds runs to several times its size.
        if (const qint64 size = QFileInfo(m_path).size(); size >= kHugeHeapFrom)
            PrepareThreadHeap(std::max(std::size_t(std::min(size, m_limit)) * kParsedPerFileByte, kSmallestRoom));
        // The whole file or nothing: a file too large or unreadable is left
        // to the load, which has the messages for it.
        bool tooLarge = false;
        const bool ok = ReadFileBytes(m_path, m_bytes, m_limit, &tooLarge) && !tooLarge && !m_stop
                        && parse(m_bytes, m_stop);
        m_ok = ok && !m_stop;
        const std::lock_guard lock(m_state);
        m_finished = true;
        m_finishedChanged.notify_all();
    });
}

TFilePrefetch::~TFilePrefetch()
{
    m_stop = true;
    Wait();
}

void TFilePrefetch::Wait()
{
    const std::lock_guard lock(m_joining);
    if (m_reader.joinable())
        m_reader.join();
}

bool TFilePrefetch::Ended()
{
    const std::lock_guard lock(m_joining);
    return !m_reader.joinable();
}

// An idle-priority reader on a machine busy elsewhere may get no processor
// for seconds; the load would rather read the file itself than wait for it.
// (A reader waiting on a slow disk looks the same; the load's own read then
// mostly finds the file in the page cache.)
bool TFilePrefetch::waitWhileServed()
{
    const std::lock_guard joining(m_joining);
    if (!m_reader.joinable())
        return true;
    clockid_t clock{};
    const bool measured = pthread_getcpuclockid(m_reader.native_handle(), &clock) == 0;
    std::unique_lock lock(m_state);
    while (!m_finished) {
        const auto used = measured ? processorTime(clock) : std::chrono::nanoseconds(-1);
        const auto from = std::chrono::steady_clock::now();
        if (m_finishedChanged.wait_for(lock, kWaitSlice, [this] { return m_finished; }))
            break;
        const auto usedNow = measured ? processorTime(clock) : std::chrono::nanoseconds(-1);
        if (used.count() >= 0 && usedNow.count() >= 0
            && starved(usedNow - used, std::chrono::steady_clock::now() - from)) {
            m_stop = true;
            return false;
        }
    }
    lock.unlock();
    m_reader.join();
    return true;
}

bool TFilePrefetch::HoldsCurrent(const QString &path)
{
    if (!waitWhileServed())
        return false;
    // Only the same bytes will do: a file's size and time can stay the same
    // through a rewrite in place, within the clock's tick.
    return m_ok && m_path == QDir::cleanPath(path) && holdsBytes(path, m_bytes);
}
