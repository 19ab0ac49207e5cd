#include "todo/todoprefetch.h"

#include <cmath>
#include <limits>

namespace {

using TSlot = TPrefetchSlot<TToDoPrefetch>;

// What an item without a limit of its own holds until the load gives it the
// moment of the load, which the reading thread cannot know.
constexpr double kNoLimitYet = std::numeric_limits<double>::quiet_NaN();

} // namespace

TToDoPrefetch::TToDoPrefetch(const QString &path)
    : m_file(path, kMaxToDoFileBytes,
             [this](const QByteArray &bytes, const std::atomic<bool> &) {
                 return ParseToDoFile(bytes, m_list, kNoLimitYet, &m_early).ok;
             })
{
    TSlot::Set(this);
}

TToDoPrefetch::~TToDoPrefetch()
{
    TSlot::Clear(this);
}

bool TakePrefetchedToDo(const QString &path, TToDoList &list, double now, bool &early, QByteArray &bytes)
{
    TToDoPrefetch *prefetch = TSlot::Take();
    if (!prefetch)
        return false;
    const bool current = prefetch->m_file.HoldsCurrent(path);
    if (current) {
        list.Clear();
        list.Items = std::move(prefetch->m_list.Items);
        list.Display = std::move(prefetch->m_list.Display);
        for (const auto &item : list.Items)
            if (std::isnan(item->LimitDateTime))
                item->LimitDateTime = now;
        early = prefetch->m_early;
        bytes = prefetch->m_file.Bytes();
    }
    // Its owner lives as long as the program; what was read is let go now,
    // unless the reading was given up and is still winding down.
    if (prefetch->m_file.Ended()) {
        prefetch->m_file.Release();
        prefetch->m_list.Clear();
    }
    return current;
}
