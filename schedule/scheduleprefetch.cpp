#include "schedule/scheduleprefetch.h"

using TSlot = TPrefetchSlot<TSchedulePrefetch>;

TSchedulePrefetch::TSchedulePrefetch(const QString &path)
    : m_file(path, kMaxScheduleFileBytes,
             [this](const QByteArray &bytes, const std::atomic<bool> &stop) {
                 return ReadScheduleStream(bytes, m_list, m_tail, &stop).ok();
             })
{
    TSlot::Set(this);
}

TSchedulePrefetch::~TSchedulePrefetch()
{
    TSlot::Clear(this);
}

bool TakePrefetchedSchedules(const QString &path, TAlarmList &list, TScheduleFileTail &tail)
{
    TSchedulePrefetch *prefetch = TSlot::Take();
    if (!prefetch)
        return false;
    const bool current = prefetch->m_file.HoldsCurrent(path);
    if (current) {
        list.TakeAll(prefetch->m_list);
        tail = std::move(prefetch->m_tail);
    }
    // Its owner lives as long as the program; what was read is let go now,
    // unless the reading was given up and is still winding down.
    if (prefetch->m_file.Ended()) {
        prefetch->m_file.Release();
        prefetch->m_list.Clear();
    }
    return current;
}
