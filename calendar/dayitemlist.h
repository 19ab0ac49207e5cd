#pragma once

#include "calendar/dayitem.h"
#include "core/safefile.h"

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

// 19991127, the first four bytes of every day file.
inline constexpr qint32 DayFileSignature = 19991127;
// No real day file comes near this; larger input is refused unread.
inline constexpr qint64 kMaxDayFileBytes = 16 * 1024 * 1024;

struct [[nodiscard]] TDayLoadResult
{
    bool ok = false;
    bool exists = true; // false when the file was not there
    QString error;      // technical reason, for logs and the command-line tool
    QByteArray bytes;   // the file as read, to keep aside when !ok
};

// An owning list of day rules (holidays, days off or special days).
class TZoDayItemList : public QObject
{
    Q_OBJECT
public:
    explicit TZoDayItemList(QObject *parent = nullptr);
    ~TZoDayItemList() override;

    int Count() const { return int(m_items.size()); }
    bool isEmpty() const { return m_items.empty(); }
    TZoDayItem *Items(int index) const { return m_items.at(size_t(index)).get(); }
    TZoDayItem *operator[](int index) const { return Items(index); }

    // Appends an independent copy (same Guid and LastYear, rest of Reserved
    // zero); -1 and nothing else for a null rule.
    int Add(const TZoDayItem *rule);
    int Add(const TZoDayItem &rule) { return Add(&rule); }
    void Delete(int index);
    // By identity; nothing when the rule is not in the list.
    void Remove(const TZoDayItem *rule);
    void Clear();
    // Own rules replaced by copies of source's, in reverse order (the holiday
    // dialog's copy-in/copy-back relies on the double reversal).
    void CopyFrom(const TZoDayItemList &source);

    // The whole file: signature (not checked), count, records.
    TDayLoadResult LoadFromFile(const QString &path);
    // Count and records (everything after the signature).
    bool LoadFromStream(const QByteArray &data, qsizetype &pos, QString *error = nullptr);
    // Signature, count and records; false when a text cannot be stored.
    [[nodiscard]] bool SaveToBytes(QByteArray &out) const;
    // Crash-safe replace of the file (temporary, fsync, back-up, rename).
    TSaveResult SaveToFile(const QString &path) const;

Q_SIGNALS:
    void OnChange(TZoDayItemList *sender);

private:
    void changed() { Q_EMIT OnChange(this); }

    std::vector<std::unique_ptr<TZoDayItem>> m_items;
};
