#include "schedule/scheduleprefetch.h"

#include "core/safefile.h"

#include <QDir>
#include <QFile>

#include <cstring>

#include <mutex>
#include <thread>

namespace {

// The whole file, or nothing: a file too large or unreadable is left to the
// load, which has the messages for it.
bool readWhole(const QString &path, QByteArray &bytes)
{
    bool tooLarge = false;
    return ReadFileBytes(path, bytes, kMaxScheduleFileBytes, &tooLarge) && !tooLarge;
}

// Whether the file holds exactly `expected`, read piece by piece: a second
// buffer the size of the file would cost more than the comparison itself.
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

} // namespace

struct TSchedulePrefetch::TState
{
    QString path;
    std::thread reader;
    std::mutex joining; // the owner and the load may both wait for the reader
    bool ok = false;
    QByteArray bytes;
    TAlarmList list;
    TScheduleFileTail tail;

    void read() { ok = readWhole(path, bytes) && ReadScheduleStream(bytes, list, tail).ok(); }
};

namespace {
std::mutex g_mutex;
std::shared_ptr<TSchedulePrefetch::TState> g_active;
} // namespace

TSchedulePrefetch::TSchedulePrefetch(const QString &path) : m_state(std::make_shared<TState>())
{
    m_state->path = QDir::cleanPath(path);
    m_state->reader = std::thread([state = m_state.get()] { state->read(); });
    const std::lock_guard lock(g_mutex);
    g_active = m_state;
}

TSchedulePrefetch::~TSchedulePrefetch()
{
    {
        const std::lock_guard lock(g_mutex);
        if (g_active == m_state)
            g_active.reset();
    }
    Wait();
}

void TSchedulePrefetch::Wait()
{
    const std::lock_guard lock(m_state->joining);
    if (m_state->reader.joinable())
        m_state->reader.join();
}

bool TakePrefetchedSchedules(const QString &path, TAlarmList &list, TScheduleFileTail &tail)
{
    std::shared_ptr<TSchedulePrefetch::TState> state;
    {
        const std::lock_guard lock(g_mutex);
        state = std::exchange(g_active, nullptr);
    }
    if (!state)
        return false;
    {
        const std::lock_guard lock(state->joining);
        if (state->reader.joinable())
            state->reader.join();
    }
    // Only the same bytes will do: a file's size and time can stay the same
    // through a rewrite in place, within the clock's tick.
    const bool same = state->ok && state->path == QDir::cleanPath(path) && holdsBytes(path, state->bytes);
    if (same) {
        list.TakeAll(state->list);
        tail = std::move(state->tail);
    }
    // Its owner lives as long as the program; what was read is let go now.
    state->bytes = QByteArray();
    state->list.Clear();
    return same;
}
