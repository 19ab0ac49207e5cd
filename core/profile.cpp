#include "core/profile.h"

#include "core/cp932.h"
#include "core/errors.h"
#include "core/safefile.h"

#include <QFile>
#include <QHash>
#include <QMutex>

#include <memory>
#include <optional>

namespace {

// The value limit of the profile reader: a 2048-byte buffer with its NUL.
constexpr int kMaxValueBytes = 2047;
// A settings file is small; a larger one is not ours to parse in full.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

enum TLineKind : quint8 { lkOther, lkSection, lkKey };

// The file as read, each line's kind and decoded name worked out once.
struct TParsed
{
    QList<QByteArray> lines; // without the line ends
    QList<TLineKind> kinds;
    QList<QString> names; // section name or key name
    // False when the file exists but was not read to its end; such a file
    // must not be rewritten from the part that was read.
    bool complete = true;
};

QString sectionName(const QByteArray &line)
{
    const QByteArray t = line.trimmed();
    if (t.size() >= 2 && t.startsWith('[')) {
        const int close = t.indexOf(']');
        if (close > 0)
            return cp932::decode(t.mid(1, close - 1)).trimmed();
    }
    return {};
}

bool isSection(const QByteArray &line)
{
    const QByteArray t = line.trimmed();
    return t.startsWith('[') && t.indexOf(']') > 0;
}

QByteArray valueOf(const QByteArray &line)
{
    return line.mid(line.indexOf('=') + 1).trimmed();
}

// The file's bytes as read now; `complete` false when it exists but could
// not be read to its end.
QByteArray readAll(const QString &path, bool &complete)
{
    QFile file(path);
    complete = !file.exists();
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray all = file.read(BoundedReadSize(file, kMaxFileBytes));
    complete = file.atEnd() && file.error() == QFileDevice::NoError;
    return all;
}

std::shared_ptr<TParsed> parse(const QByteArray &all)
{
    auto parsed = std::make_shared<TParsed>();
    QList<QByteArray> lines = all.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    parsed->kinds.reserve(lines.size());
    parsed->names.reserve(lines.size());
    for (QByteArray &l : lines) {
        if (l.endsWith('\r'))
            l.chop(1);
        if (isSection(l)) {
            parsed->kinds << lkSection;
            parsed->names << sectionName(l);
        } else if (const int eq = l.indexOf('='); eq >= 0) {
            parsed->kinds << lkKey;
            parsed->names << cp932::decode(l.left(eq)).trimmed();
        } else {
            parsed->kinds << lkOther;
            parsed->names << QString();
        }
    }
    parsed->lines = std::move(lines);
    return parsed;
}

// The settings are read a hundred times at start-up and whenever a folder
// opens. Reading the small file each time is cheap; splitting and decoding it
// each time cost more than the rest of the start together. So every call
// reads the file as it is now (another writer's change is seen at once) and
// parses it only when its bytes differ from the last parse's.
std::shared_ptr<const TParsed> readFromDisk(const QString &path)
{
    struct TEntry
    {
        QByteArray bytes;
        std::shared_ptr<const TParsed> parsed;
    };
    static QMutex mutex;
    static QHash<QString, TEntry> cache;
    bool complete = false;
    const QByteArray bytes = readAll(path, complete);
    const QMutexLocker lock(&mutex);
    auto it = cache.find(path);
    if (it != cache.end() && it->bytes == bytes && it->parsed->complete == complete)
        return it->parsed;
    auto parsed = parse(bytes);
    parsed->complete = complete;
    cache.insert(path, TEntry{bytes, parsed});
    return parsed;
}

// The parses this thread has taken inside its read scopes.
thread_local int t_scopeDepth = 0;
thread_local QHash<QString, std::shared_ptr<const TParsed>> t_scoped;

// `fresh`: from disk even inside a read scope (a write must not drop another
// writer's change).
std::shared_ptr<const TParsed> readParsed(const QString &path, bool fresh = false)
{
    if (t_scopeDepth == 0)
        return readFromDisk(path);
    if (!fresh)
        if (const auto it = t_scoped.constFind(path); it != t_scoped.cend())
            return *it;
    auto parsed = readFromDisk(path);
    t_scoped.insert(path, parsed);
    return parsed;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// [first, end) of the section's body lines, or nullopt.
std::optional<std::pair<int, int>> findSection(const TParsed &file, const QString &section)
{
    const qsizetype count = file.lines.size();
    for (int i = 0; i < count; ++i) {
        if (file.kinds[i] == lkSection && sameName(file.names[i], section)) {
            int end = i + 1;
            while (end < count && file.kinds[end] != lkSection)
                ++end;
            return std::make_pair(i + 1, end);
        }
    }
    return std::nullopt;
}

int findKey(const TParsed &file, std::pair<int, int> range, const QString &key)
{
    for (int i = range.first; i < range.second; ++i)
        if (file.kinds[i] == lkKey && sameName(file.names[i], key))
            return i;
    return -1;
}

std::optional<QByteArray> rawValue(const QString &path, const QString &section, const QString &key)
{
    const auto file = readParsed(path);
    const auto range = findSection(*file, section);
    if (!range)
        return std::nullopt;
    const int at = findKey(*file, *range, key);
    if (at < 0)
        return std::nullopt;
    return valueOf(file->lines[at]);
}

void writeLines(const QString &path, const QList<QByteArray> &lines)
{
    QByteArray out;
    for (const QByteArray &l : lines) {
        out += l;
        out += "\r\n";
    }
    const TSaveResult result = WriteFileAtomically(path, out);
    t_scoped.remove(path); // read again when next asked
    if (!result.ok)
        throw ESettingsWriteError(QStringLiteral("%1 に書き込めません").arg(path));
}

// The file about to be rewritten; throws rather than let a write drop what
// could not be read.
TParsed readForWrite(const QString &path)
{
    TParsed file = *readParsed(path, true);
    if (!file.complete)
        throw ESettingsWriteError(QStringLiteral("%1 に書き込めません").arg(path));
    return file;
}

// A line break would end the line early and let the rest pose as keys of its own.
QByteArray encodeOrThrow(const QString &text, const QString &path)
{
    QByteArray bytes;
    if (text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n')) || !cp932::encode(text, bytes))
        throw ESettingsWriteError(QStringLiteral("%1 に書き込めません").arg(path));
    return bytes;
}

} // namespace

TProfileFile::TReadScope::TReadScope()
{
    ++t_scopeDepth;
}

TProfileFile::TReadScope::~TReadScope()
{
    if (--t_scopeDepth == 0)
        t_scoped.clear();
}

QString TProfileFile::readString(const QString &section, const QString &key, const QString &def) const
{
    const auto raw = rawValue(m_path, section, key);
    if (!raw)
        return def;
    QByteArray v = *raw;
    if (v.size() >= 2 && v.startsWith('"') && v.endsWith('"'))
        v = v.mid(1, v.size() - 2);
    return cp932::decode(cp932::truncate(v, kMaxValueBytes));
}

bool TProfileFile::parseInteger(const QString &text, int &value)
{
    const QString t = text.trimmed();
    bool ok = false;
    if (t.size() > 2 && (t.startsWith(QLatin1String("0x")) || t.startsWith(QLatin1String("0X")))) {
        const quint32 u = t.mid(2).toUInt(&ok, 16);
        if (ok)
            value = static_cast<int>(u);
        return ok;
    }
    const int v = t.toInt(&ok, 10);
    if (ok)
        value = v;
    return ok;
}

int TProfileFile::readInteger(const QString &section, const QString &key, int def) const
{
    int value = def;
    if (!parseInteger(readString(section, key, QString()), value))
        return def;
    return value;
}

bool TProfileFile::readBool(const QString &section, const QString &key, bool def) const
{
    return readInteger(section, key, def ? 1 : 0) != 0;
}

bool TProfileFile::keyExists(const QString &section, const QString &key) const
{
    return rawValue(m_path, section, key).has_value();
}

QStringList TProfileFile::readKeys(const QString &section) const
{
    const auto file = readParsed(m_path);
    QStringList keys;
    if (const auto range = findSection(*file, section)) {
        for (int i = range->first; i < range->second; ++i)
            if (file->kinds[i] == lkKey && !file->names[i].isEmpty())
                keys << file->names[i];
    }
    return keys;
}

void TProfileFile::writeString(const QString &section, const QString &key, const QString &value) const
{
    const TParsed file = readForWrite(m_path);
    QList<QByteArray> lines = file.lines;
    const QByteArray entry = encodeOrThrow(key, m_path) + '=' + encodeOrThrow(value, m_path);
    const auto range = findSection(file, section);
    if (!range) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines << QByteArray();
        lines << ('[' + encodeOrThrow(section, m_path) + ']') << entry;
    } else {
        const int at = findKey(file, *range, key);
        if (at >= 0) {
            lines[at] = entry;
        } else {
            // After the section's last non-blank line, keeping a blank separator.
            int insertAt = range->second;
            while (insertAt > range->first && lines[insertAt - 1].trimmed().isEmpty())
                --insertAt;
            lines.insert(insertAt, entry);
        }
    }
    // The program stores some settings on every start; a file that would not
    // change is not rewritten (and synced to disk) for them.
    if (lines == file.lines)
        return;
    writeLines(m_path, lines);
}

void TProfileFile::writeInteger(const QString &section, const QString &key, int value) const
{
    writeString(section, key, QString::number(value));
}

void TProfileFile::writeBool(const QString &section, const QString &key, bool value) const
{
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TProfileFile::deleteKey(const QString &section, const QString &key) const
{
    const TParsed file = readForWrite(m_path);
    const auto range = findSection(file, section);
    if (!range)
        return;
    const int at = findKey(file, *range, key);
    if (at < 0)
        return;
    QList<QByteArray> lines = file.lines;
    lines.removeAt(at);
    writeLines(m_path, lines);
}
