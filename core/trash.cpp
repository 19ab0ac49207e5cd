#include "core/trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// The trash keeps "<name>.trashinfo" and, for a second item of the same name,
// "<name>-NNNN.trashinfo"; both must fit the usual 255-byte name limit.
constexpr qsizetype kMaxTrashableNameBytes = 255 - 10 - 5;
} // namespace

bool MoveToTrash(const QString &path, QString *pathInTrash)
{
    if (QFile::encodeName(QFileInfo(QDir::cleanPath(path)).fileName()).size() > kMaxTrashableNameBytes)
        return false;
    return QFile::moveToTrash(path, pathInTrash);
}
