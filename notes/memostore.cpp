#include "notes/memostore.h"

#include "core/appglobal.h"
#include "core/global.h"
#include "core/textfile.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString memoFolderOrEmpty()
{
    const QString folder = Global().MemoFolder();
    return QFileInfo(folder).isDir() ? folder : QString();
}
} // namespace

QString DailyMemoFileName(const QDate &date)
{
    const QString folder = memoFolderOrEmpty();
    if (folder.isEmpty() || !date.isValid())
        return {};
    return folder + QStringLiteral("%1%2%3.txt").arg(date.year()).arg(date.month(), 2, 10, QLatin1Char('0')).arg(date.day(), 2, 10, QLatin1Char('0'));
}

QString MonthlyMemoFileName(const QDate &date)
{
    const QString folder = memoFolderOrEmpty();
    if (folder.isEmpty() || !date.isValid())
        return {};
    return folder + QStringLiteral("%1%2.txt").arg(date.year()).arg(date.month(), 2, 10, QLatin1Char('0'));
}

QString NotebookFileName()
{
    const QString folder = memoFolderOrEmpty();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("notebook.txt");
}

bool HasDailyMemo(const QDate &date)
{
    const QString path = DailyMemoFileName(date);
    return !path.isEmpty() && QFileInfo::exists(path);
}

bool IsMemoTextBlank(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() > 0x20)
            return false;
    return true;
}

TSaveResult SaveMemoText(const QString &path, const QString &text, bool createFolder)
{
    if (IsMemoTextBlank(text)) {
        if (!path.isEmpty() && QFileInfo::exists(path))
            BackupBeforeSave(path);
        if (!path.isEmpty() && QFileInfo::exists(path))
            return TSaveResult{false, QStringLiteral("%1 を削除できません").arg(path)};
        return TSaveResult{true, {}};
    }
    if (createFolder)
        QDir().mkpath(Global().MemoFolder());
    if (path.isEmpty())
        return TSaveResult{false, {}};
    QByteArray bytes;
    if (!EncodeText(text, bytes))
        return TSaveResult{false, QStringLiteral("保存できない文字が含まれています")};
    return SaveDataFile(path, bytes);
}
