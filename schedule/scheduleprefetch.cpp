#include "schedule/scheduleprefetch.h"

#include "schedule/alarmlist.h"
#include "schedule/schedulefile.h"

#include <QFile>

#include <mutex>

struct TSchedulePrefetch::TState
{
    QString path;
    QByteArray bytes;
    TAlarmList list;
    TScheduleFileTail tail;
    bool ok = false;
};

namespace {
// The live prefetch, if any; a start opens one folder at a time.
std::mutex gMutex;
TSchedulePrefetch *gActive = nullptr;
// A file this large is refused by the load anyway.
constexpr qint64 kMaxPrefetchBytes = 64 * 1024 * 1024;
} // namespace

TSchedulePrefetch::TSchedulePrefetch(const QString &path) : m_state(std::make_unique<TState>())
{
    m_state->path = path;
    m_thread = std::thread([state = m_state.get()] {
        QFile file(state->path);
        if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxPrefetchBytes)
            return;
        state->bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return;
        state->ok = ReadScheduleStream(state->bytes, state->list, state->tail).ok();
    });
    const std::lock_guard lock(gMutex);
    gActive = this;
}

TSchedulePrefetch::~TSchedulePrefetch()
{
    {
        const std::lock_guard lock(gMutex);
        if (gActive == this)
            gActive = nullptr;
    }
    if (m_thread.joinable())
        m_thread.join();
}

bool TSchedulePrefetch::Take(const QString &path, const QByteArray &bytes, TAlarmList &list, TScheduleFileTail &tail)
{
    const std::lock_guard lock(gMutex);
    TSchedulePrefetch *prefetch = gActive;
    if (!prefetch || prefetch->m_state->path != path)
        return false;
    gActive = nullptr; // used once, whatever the outcome
    if (prefetch->m_thread.joinable())
        prefetch->m_thread.join();
    TState &state = *prefetch->m_state;
    if (!state.ok || state.bytes != bytes)
        return false;
    list.TakeItemsFrom(state.list);
    tail = std::move(state.tail);
    return true;
}
