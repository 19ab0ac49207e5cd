#include "core/safefile.h"

#include "core/global.h"
#include "core/trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

// A new file gets the usual permissions, not the temporary file's private ones.
constexpr QFileDevice::Permissions kNewFilePermissions =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;

TSaveResult failure(const QString &why)
{
    return TSaveResult{false, why};
}

// Writes the temporary file and returns it still existing (autoRemove on).
bool writeTemp(QTemporaryFile &temp, const QByteArray &bytes, QString &error)
{
    if (!temp.open()) {
        error = temp.errorString();
        return false;
    }
    if (temp.write(bytes) != bytes.size() || !temp.flush()) {
        error = temp.errorString();
        return false;
    }
    if (::fsync(temp.handle()) != 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}

QString tempTemplate(const QString &path)
{
    const QFileInfo info(path);
    return info.absolutePath() + QLatin1Char('/') + QLatin1Char('.') + info.fileName() + QStringLiteral(".XXXXXX");
}

bool renameOver(const QString &from, const QString &to, QString &error)
{
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}

// The new version on disk beside `path`, closed, with the permissions an
// existing file had.
bool prepareTemp(QTemporaryFile &temp, const QString &path, const QByteArray &bytes, QString &error)
{
    if (!writeTemp(temp, bytes, error))
        return false;
    temp.close();
    QFile::setPermissions(temp.fileName(), QFile::exists(path) ? QFile::permissions(path) : kNewFilePermissions);
    return true;
}

} // namespace

TSaveResult WriteFileAtomically(const QString &path, const QByteArray &bytes)
{
    QTemporaryFile temp(tempTemplate(path));
    QString error;
    if (!prepareTemp(temp, path, bytes, error))
        return failure(error);
    if (!renameOver(temp.fileName(), path, error))
        return failure(error);
    temp.setAutoRemove(false);
    return TSaveResult{true, {}};
}

TSaveResult SaveDataFile(const QString &path, const QByteArray &bytes)
{
    QTemporaryFile temp(tempTemplate(path));
    QString error;
    if (!prepareTemp(temp, path, bytes, error))
        return failure(error);

    // Only now, with the new version safely on disk, is the old one retired.
    QString inTrash;
    if (QFileInfo::exists(path)) {
        // Without the trash (or when it would not take the file) a .bak copy.
        const bool trashed = GetUseRecycleBin() && MoveToTrash(path, &inTrash);
        if (!trashed && !GetNoBackupFiles()) {
            const QString bak = BackupFileName(path);
            QFile::remove(bak);
            QFile::copy(path, bak);
        }
    }
    if (!renameOver(temp.fileName(), path, error)) {
        if (!inTrash.isEmpty())
            QFile::rename(inTrash, path);
        return failure(error);
    }
    temp.setAutoRemove(false);
    return TSaveResult{true, {}};
}

QString KeepDamagedFile(const QString &path, const QByteArray &bytesAsRead)
{
    QString candidate = path + QStringLiteral(".damaged");
    for (int n = 2; QFileInfo::exists(candidate); ++n) {
        if (n > 9999)
            return {};
        candidate = path + QStringLiteral(".damaged-%1").arg(n);
    }
    QFile out(candidate);
    if (!out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return {};
    if (out.write(bytesAsRead) != bytesAsRead.size() || !out.flush())
        return {};
    return candidate;
}

QString DamagedCopyNote(const QString &copyPath)
{
    if (copyPath.isEmpty())
        return QStringLiteral("元のファイルの控えを作れませんでした。保存する前にファイルを退避してください。");
    return QStringLiteral("読めなかったファイルは %1 に残してあります。").arg(copyPath);
}

qint64 BoundedReadSize(const QFile &file, qint64 limit)
{
    // Asked for `limit` bytes, the device makes room for all of them first;
    // a regular file tells its size, and one byte more shows that it grew.
    const qint64 size = file.size();
    return size > 0 && size < limit ? size + 1 : limit;
}

bool ReadFileBytes(const QString &path, QByteArray &bytes, qint64 limit, bool *tooLarge)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    bytes = file.read(BoundedReadSize(file, limit));
    if (tooLarge)
        *tooLarge = !file.atEnd();
    return file.error() == QFileDevice::NoError;
}
