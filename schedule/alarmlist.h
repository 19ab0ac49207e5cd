#pragma once

#include "schedule/alarm.h"

#include <memory>
#include <vector>

// The schedules of a data folder, in file order. The list owns its records.
// Every rule that walks the schedules in list order walks this order.
class TAlarmList
{
public:
    TAlarmList() = default;
    ~TAlarmList();
    TAlarmList(const TAlarmList &) = delete;
    TAlarmList &operator=(const TAlarmList &) = delete;

    // Appends a new record assigned from `source`; the caller keeps the source.
    TAlarm2 *Add(const TAlarm2 &source);
    // Takes ownership of a record built elsewhere (the file reader).
    TAlarm2 *Append(std::unique_ptr<TAlarm2> record);
    // Inserts a copy at `index` (clamped to 0..Count()).
    TAlarm2 *Insert(int index, const TAlarm2 &source);
    // Frees the record at `index`; does nothing for an index outside the list.
    void Delete(int index);
    // Frees `record` when it belongs to the list; otherwise does nothing.
    void Remove(const TAlarm2 *record);
    // Frees every record, last first.
    void Clear();
    // Frees every record, then takes over all of `from`'s, which is left empty.
    void TakeAll(TAlarmList &from);

    int Count() const { return static_cast<int>(m_items.size()); }
    // nullptr outside 0..Count()-1.
    TAlarm2 *Items(int index) const;
    // -1 when the record is not in the list.
    int IndexOf(const TAlarm2 *record) const;

    // A walk that survives records being freed under it: a handler called from
    // inside the walk may delete schedules, and the walk then sees nullptr in
    // their place instead of a freed record.
    class TSafeWalk
    {
    public:
        explicit TSafeWalk(TAlarmList &list);
        ~TSafeWalk();
        TSafeWalk(const TSafeWalk &) = delete;
        TSafeWalk &operator=(const TSafeWalk &) = delete;
        int Count() const { return static_cast<int>(m_snapshot.size()); }
        TAlarm2 *At(int index) const { return m_snapshot[static_cast<size_t>(index)]; }

    private:
        friend class TAlarmList;
        TAlarmList &m_list;
        std::vector<TAlarm2 *> m_snapshot;
    };

private:
    void forget(const TAlarm2 *record);
    void forgetAll();

    std::vector<std::unique_ptr<TAlarm2>> m_items;
    std::vector<TSafeWalk *> m_walks;
};
