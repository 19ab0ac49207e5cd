#include "calendar/dayitemlist.h"

#include <QFileInfo>
#include <QtEndian>

#include <algorithm>

TZoDayItemList::TZoDayItemList(QObject *parent) : QObject(parent) {}

TZoDayItemList::~TZoDayItemList() = default;

int TZoDayItemList::Add(const TZoDayItem *rule)
{
    if (!rule)
        return -1;
    auto copy = std::make_unique<TZoDayItem>();
    copy->Assign(*rule);
    m_items.push_back(std::move(copy));
    changed();
    return Count() - 1;
}

void TZoDayItemList::Delete(int index)
{
    if (index < 0 || index >= Count())
        return;
    m_items.erase(m_items.begin() + index);
    changed();
}

void TZoDayItemList::Remove(const TZoDayItem *rule)
{
    for (int i = 0; i < Count(); ++i) {
        if (m_items[size_t(i)].get() == rule) {
            Delete(i);
            return;
        }
    }
}

void TZoDayItemList::Clear()
{
    // One notification for the whole clear: listeners only repaint, and a
    // redraw per removed rule would be wasted work.
    if (m_items.empty())
        return;
    while (!m_items.empty())
        m_items.pop_back();
    changed();
}

void TZoDayItemList::CopyFrom(const TZoDayItemList &source)
{
    if (&source == this) {
        std::reverse(m_items.begin(), m_items.end());
        changed();
        return;
    }
    m_items.clear();
    m_items.reserve(source.m_items.size());
    for (auto it = source.m_items.rbegin(); it != source.m_items.rend(); ++it) {
        auto copy = std::make_unique<TZoDayItem>();
        copy->Assign(**it);
        m_items.push_back(std::move(copy));
    }
    changed();
}

bool TZoDayItemList::LoadFromStream(const QByteArray &data, qsizetype &pos, QString *error)
{
    const bool hadRules = !m_items.empty();
    m_items.clear();
    auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        if (hadRules || !m_items.empty())
            changed();
        return false;
    };
    if (pos < 0 || data.size() - pos < 4)
        return fail(QStringLiteral("the record count is missing"));
    const qint32 count = qFromLittleEndian<qint32>(data.constData() + pos);
    pos += 4;
    if (count < 0)
        return fail(QStringLiteral("negative record count %1").arg(count));
    for (qint32 i = 0; i < count; ++i) {
        auto rule = std::make_unique<TZoDayItem>();
        if (!rule->ReadRecord(data, pos))
            return fail(QStringLiteral("record %1 of %2 is cut short or damaged").arg(i + 1).arg(count));
        m_items.push_back(std::move(rule));
    }
    // A file that emptied a non-empty list is a change too.
    if (hadRules || count > 0)
        changed();
    return true;
}

TDayLoadResult TZoDayItemList::LoadFromFile(const QString &path)
{
    TDayLoadResult result;
    const QFileInfo info(path);
    if (!info.exists()) {
        result.exists = false;
        result.error = QStringLiteral("%1 does not exist").arg(path);
        return result;
    }
    bool tooLarge = false;
    const bool read = !info.isDir() && ReadFileBytes(path, result.bytes, kMaxDayFileBytes, &tooLarge);
    qsizetype pos = 4;
    if (!read || tooLarge || result.bytes.size() < 4) {
        // Whatever went wrong, the list must not go on showing another
        // folder's rules as if they were this file's.
        Clear();
        result.error = !read      ? QStringLiteral("%1 cannot be read").arg(path)
                       : tooLarge ? QStringLiteral("%1 is larger than any day file").arg(path)
                                  : QStringLiteral("%1 is too short").arg(path);
        return result;
    }
    // The signature is not compared: files with any first four bytes and a
    // sound body have always loaded.
    result.ok = LoadFromStream(result.bytes, pos, &result.error);
    return result;
}

bool TZoDayItemList::SaveToBytes(QByteArray &out) const
{
    QByteArray bytes;
    char head[8];
    qToLittleEndian<qint32>(DayFileSignature, head);
    qToLittleEndian<qint32>(qint32(m_items.size()), head + 4);
    bytes.append(head, 8);
    for (const auto &rule : m_items)
        if (!rule->WriteRecord(bytes))
            return false;
    out = bytes;
    return true;
}

TSaveResult TZoDayItemList::SaveToFile(const QString &path) const
{
    QByteArray bytes;
    if (!SaveToBytes(bytes))
        return TSaveResult{false, QStringLiteral("CP932で保存できない文字が含まれています。")};
    return SaveDataFile(path, bytes);
}
