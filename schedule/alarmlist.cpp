#include "schedule/alarmlist.h"

#include <algorithm>

TAlarmList::~TAlarmList()
{
    Clear();
}

TAlarm2 *TAlarmList::Add(const TAlarm2 &source)
{
    auto record = std::make_unique<TAlarm2>();
    record->Assign(source);
    return Append(std::move(record));
}

TAlarm2 *TAlarmList::Append(std::unique_ptr<TAlarm2> record)
{
    m_items.push_back(std::move(record));
    return m_items.back().get();
}

TAlarm2 *TAlarmList::Insert(int index, const TAlarm2 &source)
{
    auto record = std::make_unique<TAlarm2>();
    record->Assign(source);
    index = std::clamp(index, 0, Count());
    auto it = m_items.insert(m_items.begin() + index, std::move(record));
    return it->get();
}

void TAlarmList::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    forget(m_items[static_cast<size_t>(index)].get());
    m_items.erase(m_items.begin() + index);
}

void TAlarmList::Remove(const TAlarm2 *record)
{
    Delete(IndexOf(record));
}

void TAlarmList::forgetAll()
{
    for (TSafeWalk *walk : m_walks)
        std::fill(walk->m_snapshot.begin(), walk->m_snapshot.end(), nullptr);
}

void TAlarmList::Clear()
{
    forgetAll();
    while (!m_items.empty())
        m_items.pop_back();
}

void TAlarmList::TakeAll(TAlarmList &from)
{
    if (&from == this)
        return;
    Clear();
    from.forgetAll();
    m_items = std::move(from.m_items);
    from.m_items.clear();
}

TAlarm2 *TAlarmList::Items(int index) const
{
    if (index < 0 || index >= Count())
        return nullptr;
    return m_items[static_cast<size_t>(index)].get();
}

int TAlarmList::IndexOf(const TAlarm2 *record) const
{
    if (!record)
        return -1;
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].get() == record)
            return static_cast<int>(i);
    }
    return -1;
}

void TAlarmList::forget(const TAlarm2 *record)
{
    for (TSafeWalk *walk : m_walks)
        std::replace(walk->m_snapshot.begin(), walk->m_snapshot.end(), const_cast<TAlarm2 *>(record), static_cast<TAlarm2 *>(nullptr));
}

TAlarmList::TSafeWalk::TSafeWalk(TAlarmList &list) : m_list(list)
{
    m_snapshot.reserve(list.m_items.size());
    for (const auto &item : list.m_items)
        m_snapshot.push_back(item.get());
    m_list.m_walks.push_back(this);
}

TAlarmList::TSafeWalk::~TSafeWalk()
{
    auto &walks = m_list.m_walks;
    walks.erase(std::remove(walks.begin(), walks.end(), this), walks.end());
}
