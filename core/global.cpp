#include "core/global.h"

#include "core/appglobal.h"
#include "core/prompter.h"
#include "core/settingskeys.h"
#include "core/trash.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void MoveToRecycleBin(const QStringList &paths)
{
    for (const QString &path : paths)
        MoveToTrash(path);
}

void MoveFileToRecycleBin(const QString &path)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isDir())
        MoveToRecycleBin({path});
}

void MoveFolderToRecycleBin(const QString &path)
{
    if (QFileInfo(path).isDir())
        MoveToRecycleBin({path});
}

QString BackupFileName(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? name.left(dot) : name;
    return info.path() + QLatin1Char('/') + base + QStringLiteral(".bak");
}

void BackupBeforeSave(const QString &path)
{
    if (!QFileInfo::exists(path))
        return;
    if (GetUseRecycleBin()) {
        MoveFileToRecycleBin(path);
        // A file the trash would not take is retired the ordinary way, so the
        // writer never overwrites it without a copy.
        if (!QFileInfo::exists(path))
            return;
    }
    if (!GetNoBackupFiles()) {
        const QString bak = BackupFileName(path);
        QFile::remove(bak);
        QFile::copy(path, bak);
    }
    QFile::remove(path);
}

bool IsValidFileName(const QString &name)
{
    static const QString forbidden = QStringLiteral("\\/:,;*?\"<>|");
    bool onlyDots = !name.isEmpty();
    for (const QChar c : name) {
        if (forbidden.contains(c) || c.unicode() < 0x20)
            return false;
        if (c != QLatin1Char('.'))
            onlyDots = false;
    }
    if (onlyDots)
        return false;
    // The file system's own limit; the name also gets ".txt" in page files.
    return QFile::encodeName(name).size() <= 250;
}

int ReadSettingInteger(const QString &section, const QString &key, int def)
{
    return SettingsFile().readInteger(section, key, def);
}

void WriteSettingInteger(const QString &section, const QString &key, int value)
{
    try {
        SettingsFile().writeInteger(section, key, value);
    } catch (const std::exception &) {
    }
}

bool GetDeleteMessage() { return ReadSettingBool(sk::SETTINGS, "DeleteMessage"); }
bool GetUseRecycleBin() { return ReadSettingBool(sk::SETTINGS, "UseRecycleBin"); }
bool GetNoBackupFiles() { return ReadSettingBool(sk::SETTINGS, "NoBackupFiles"); }
bool GetIMEAutoOn() { return ReadSettingBool(sk::SETTINGS, "IMEAutoOn"); }

bool CheckDate(TPrompter &prompter, const QDate &today, int year, int month, int day)
{
    if (year == 0 && month == 2 && day == 29)
        return prompter.Confirm(QStringLiteral("指定された日付が存在しない年もありますが\r\n"
                                               "このまま登録してもよろしいですか？"));
    if (year == 0)
        year = today.year();
    if (QDate(year, month, day).isValid())
        return true;
    prompter.Error(QStringLiteral("不正な日付が指定されています"));
    return false;
}

bool ConfirmCreateFolder(TPrompter &prompter, const QString &path)
{
    if (QFileInfo(path).isDir())
        return true;
    if (!prompter.Confirm(path + QStringLiteral("は存在しません。") + QStringLiteral("\r\n")
                          + QStringLiteral("このフォルダを作成しますか。")))
        return false;
    QDir().mkpath(path);
    return true;
}

QString GetProductNameText()
{
    return QStringLiteral("Quillmere");
}
