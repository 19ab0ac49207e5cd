#include "notes/memostore.h"

#include "notes/tnote.h"

#include "core/appglobal.h"
#include "core/global.h"
#include "core/prompter.h"
#include "core/safefile.h"
#include "core/settingskeys.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString memoFolderIfPresent()
{
    const QString folder = Global().MemoFolder();
    return QFileInfo(folder).isDir() ? folder : QString();
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// Clears the flag however the save ends.
class TBusy
{
public:
    explicit TBusy(bool &flag) : m_flag(flag) { m_flag = true; }
    ~TBusy() { m_flag = false; }
    TBusy(const TBusy &) = delete;
    TBusy &operator=(const TBusy &) = delete;

private:
    bool &m_flag;
};

} // namespace

QString DailyMemoFileName(const QDate &date)
{
    const QString folder = memoFolderIfPresent();
    if (folder.isEmpty() || !date.isValid())
        return {};
    return folder + QString::number(date.year()) + twoDigits(date.month()) + twoDigits(date.day()) +
           QStringLiteral(".txt");
}

QString MonthlyMemoFileName(const QDate &date)
{
    const QString folder = memoFolderIfPresent();
    if (folder.isEmpty() || !date.isValid())
        return {};
    return folder + QString::number(date.year()) + twoDigits(date.month()) + QStringLiteral(".txt");
}

QString NotebookFileName()
{
    const QString folder = memoFolderIfPresent();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("notebook.txt");
}

bool HasDailyMemo(const QDate &date)
{
    const QString name = DailyMemoFileName(date);
    return !name.isEmpty() && QFileInfo::exists(name);
}

QString MemoSaveFailedMessage(TMemoKind kind)
{
    switch (kind) {
    case mkDailyMemo:
        return QStringLiteral("メモの保存に失敗しました。");
    case mkMonthlyMemo:
        return QStringLiteral("今月のメモの保存に失敗しました。");
    case mkNotebook:
        break;
    }
    return QStringLiteral("雑記帳の保存に失敗しました。");
}

bool HasVisibleText(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() > 32)
            return true;
    return false;
}

QString TMemoStore::FileName(TMemoKind kind, const QDate &date)
{
    switch (kind) {
    case mkDailyMemo:
        return DailyMemoFileName(date);
    case mkMonthlyMemo:
        return MonthlyMemoFileName(date);
    case mkNotebook:
        break;
    }
    return NotebookFileName();
}

bool TMemoStore::Save(TMemoKind kind, const QDate &date, const QString &text, bool &modified, TPrompter &prompter)
{
    const TBusy busy(m_busy[kind]);
    if (!modified)
        return true;
    const bool visible = HasVisibleText(text);
    // The notebook belongs to the data folder, not to a date: its folder is
    // made before the name is taken, so the first save after the folder went
    // missing succeeds instead of failing on an empty name.
    if (kind == mkNotebook && visible)
        QDir().mkpath(Global().MemoFolder());
    const QString path = FileName(kind, date);
    const bool ok = SaveMemoText(path, text, false).ok;
    if (!ok) {
        prompter.Error(MemoSaveFailedMessage(kind));
        return false;
    }
    modified = false;
    return true;
}

TTextLoad TMemoStore::Load(TMemoKind kind, const QDate &date) const
{
    const QString path = FileName(kind, date);
    if (path.isEmpty()) {
        TTextLoad none;
        none.ok = true;
        return none;
    }
    return LoadTextFile(path);
}

TSaveResult SaveMemoText(const QString &path, const QString &text, bool createFolder)
{
    if (!HasVisibleText(text)) {
        if (path.isEmpty() || !QFileInfo::exists(path))
            return TSaveResult{true, {}};
        // No empty memo file is ever left; the retired text stays as the back-up.
        BackupBeforeSave(path);
        if (QFileInfo::exists(path))
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

QString TextSaveDir()
{
    return ReadSettingString(sk::SETTINGS, "TextSaveDir");
}

TSaveResult SaveTextAs(const QString &path, const QString &text)
{
    QByteArray bytes;
    if (!EncodeText(text, bytes))
        return TSaveResult{false, QStringLiteral("このファイルに保存できない文字が含まれています。")};
    TSaveResult result = WriteFileAtomically(path, bytes);
    if (result.ok) {
        try {
            SettingsFile().writeString(QString::fromLatin1(sk::SETTINGS), QStringLiteral("TextSaveDir"),
                                       WithTrailingSlash(QFileInfo(path).absolutePath()));
        } catch (const std::exception &) {
            // The text is saved; only the remembered folder is lost.
        }
    }
    return result;
}

QString DailyMemoLinesText(const QDate &date)
{
    if (!HasDailyMemo(date))
        return {};
    const TTextLoad load = LoadTextFile(DailyMemoFileName(date));
    if (!load.ok)
        return {};
    QString text;
    for (const QString &line : TextLines(load.text))
        text += line + QStringLiteral("\r\n");
    return text;
}
