#include "core/fileprefetch.h"

#include "core/safefile.h"

#include <QDir>
#include <QFile>

#include <cstring>

namespace {

// Whether the file holds exactly `expected`, read piece by piece: a second
// buffer the size of the file would cost more than the comparison itself
// (each fresh page of it is a fault).
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

TFilePrefetch::TFilePrefetch(const QString &path, qint64 limit, std::function<bool(const QByteArray &)> parse)
    : m_path(QDir::cleanPath(path)), m_limit(limit)
{
    m_reader = std::thread([this, parse = std::move(parse)] {
        // The whole file or nothing: a file too large or unreadable is left
        // to the load, which has the messages for it.
        bool tooLarge = false;
        m_ok = ReadFileBytes(m_path, m_bytes, m_limit, &tooLarge) && !tooLarge && parse(m_bytes);
    });
}

TFilePrefetch::~TFilePrefetch()
{
    Wait();
}

void TFilePrefetch::Wait()
{
    const std::lock_guard lock(m_joining);
    if (m_reader.joinable())
        m_reader.join();
}

bool TFilePrefetch::HoldsCurrent(const QString &path)
{
    Wait();
    // Only the same bytes will do: a file's size and time can stay the same
    // through a rewrite in place, within the clock's tick.
    return m_ok && m_path == QDir::cleanPath(path) && holdsBytes(path, m_bytes);
}
