#include "core/profile.h"

#include "core/cp932.h"
#include "core/errors.h"
#include "core/safefile.h"

#include <QFile>
#include <optional>

namespace {

// The value limit of the profile reader: a 2048-byte buffer with its NUL.
constexpr int kMaxValueBytes = 2047;
// A settings file is small; a larger one is not ours to parse in full.
constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

struct Line
{
    QByteArray raw; // without the line end
};

// `complete` turns false when the file exists but was not read to its end; such
// a file must not be rewritten from the part that was read.
QList<QByteArray> readLines(const QString &path, bool *complete = nullptr)
{
    QFile file(path);
    if (complete)
        *complete = !file.exists();
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray all = file.read(kMaxFileBytes);
    if (complete)
        *complete = file.atEnd() && file.error() == QFileDevice::NoError;
    QList<QByteArray> lines = all.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray &l : lines)
        if (l.endsWith('\r'))
            l.chop(1);
    return lines;
}

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

// Splits "key=value"; false for lines without '='.
bool splitKey(const QByteArray &line, QString &key, QByteArray &value)
{
    const int eq = line.indexOf('=');
    if (eq < 0)
        return false;
    key = cp932::decode(line.left(eq)).trimmed();
    value = line.mid(eq + 1).trimmed();
    return true;
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// [first, end) of the section's body lines, or nullopt.
std::optional<std::pair<int, int>> findSection(const QList<QByteArray> &lines, const QString &section)
{
    for (int i = 0; i < lines.size(); ++i) {
        if (isSection(lines[i]) && sameName(sectionName(lines[i]), section)) {
            int end = i + 1;
            while (end < lines.size() && !isSection(lines[end]))
                ++end;
            return std::make_pair(i + 1, end);
        }
    }
    return std::nullopt;
}

int findKey(const QList<QByteArray> &lines, std::pair<int, int> range, const QString &key)
{
    for (int i = range.first; i < range.second; ++i) {
        QString k;
        QByteArray v;
        if (splitKey(lines[i], k, v) && sameName(k, key))
            return i;
    }
    return -1;
}

std::optional<QByteArray> rawValue(const QString &path, const QString &section, const QString &key)
{
    const QList<QByteArray> lines = readLines(path);
    const auto range = findSection(lines, section);
    if (!range)
        return std::nullopt;
    const int at = findKey(lines, *range, key);
    if (at < 0)
        return std::nullopt;
    QString k;
    QByteArray v;
    splitKey(lines[at], k, v);
    return v;
}

void writeLines(const QString &path, const QList<QByteArray> &lines)
{
    QByteArray out;
    for (const QByteArray &l : lines) {
        out += l;
        out += "\r\n";
    }
    const TSaveResult result = WriteFileAtomically(path, out);
    if (!result.ok)
        throw ESettingsWriteError(QStringLiteral("%1 に書き込めません").arg(path));
}

// The lines of the file about to be rewritten; throws rather than let a write
// drop what could not be read.
QList<QByteArray> readLinesForWrite(const QString &path)
{
    bool complete = false;
    QList<QByteArray> lines = readLines(path, &complete);
    if (!complete)
        throw ESettingsWriteError(QStringLiteral("%1 に書き込めません").arg(path));
    return lines;
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
    const QList<QByteArray> lines = readLines(m_path);
    QStringList keys;
    if (const auto range = findSection(lines, section)) {
        for (int i = range->first; i < range->second; ++i) {
            QString k;
            QByteArray v;
            if (splitKey(lines[i], k, v) && !k.isEmpty())
                keys << k;
        }
    }
    return keys;
}

void TProfileFile::writeString(const QString &section, const QString &key, const QString &value) const
{
    QList<QByteArray> lines = readLinesForWrite(m_path);
    const QByteArray entry = encodeOrThrow(key, m_path) + '=' + encodeOrThrow(value, m_path);
    const auto range = findSection(lines, section);
    if (!range) {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines << QByteArray();
        lines << ('[' + encodeOrThrow(section, m_path) + ']') << entry;
    } else {
        const int at = findKey(lines, *range, key);
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
    QList<QByteArray> lines = readLinesForWrite(m_path);
    const auto range = findSection(lines, section);
    if (!range)
        return;
    const int at = findKey(lines, *range, key);
    if (at < 0)
        return;
    lines.removeAt(at);
    writeLines(m_path, lines);
}
