#include "notes/notestore.h"

#include "core/appglobal.h"
#include "core/cp932.h"
#include "core/global.h"
#include "core/prompter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

// The platform's own call, so that its error code reaches the report.
int renameEntry(const QString &from, const QString &to)
{
    return std::rename(native(from).constData(), native(to).constData()) == 0 ? 0 : errno;
}

QString folderRemovalFailure(const QString &name)
{
    return QStringLiteral("ノートの削除に失敗しました。") + kCrLf + TNoteStore::NoteFolder() + name + kCrLf +
           QStringLiteral("に削除できないファイルがあるか、他のプログラムで") + kCrLf +
           QStringLiteral("使用されています。");
}

QString deleteFailure(const QString &name)
{
    return QStringLiteral("ノートの削除に失敗しました。") + kCrLf + TNoteStore::NoteFolder() + name + kCrLf +
           QStringLiteral("に削除できないﾌｧｲﾙがあるか、他のプログラムで") + kCrLf +
           QStringLiteral("使用されています。後で再び削除してみるか、エ") + kCrLf +
           QStringLiteral("クスプローラ等を使って手動でこのフォルダを削") + kCrLf + QStringLiteral("除してください。");
}

bool lessByName(const QString &a, const QString &b)
{
    return cp932::compare(a, b) < 0;
}

} // namespace

QString TNoteStore::NoteFolder()
{
    return Global().NoteFolder();
}

QString TNoteStore::NotePath(const QString &note)
{
    return NoteFolder() + note;
}

QString TNoteStore::PagePath(const QString &note, const QString &title)
{
    return NoteFolder() + note + QLatin1Char('/') + title + QStringLiteral(".txt");
}

void TNoteStore::ShowErrorReport(int code, const QString &text)
{
    m_prompter.Error(QStringLiteral("Error #") + QString::number(code) + kCrLf + text);
}

QStringList TNoteStore::NoteList() const
{
    // Only folders are notes: a stray file in the Note folder could never be
    // opened as one.
    QStringList notes = QDir(NoteFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    std::sort(notes.begin(), notes.end(), lessByName);
    return notes;
}

TNoteStore::TNoteListing TNoteStore::ReloadNoteList(const QString &selectedNote) const
{
    TNoteListing listing;
    listing.Notes = NoteList();
    listing.Selected = selectedNote.isEmpty() ? -1 : static_cast<int>(listing.Notes.indexOf(selectedNote));
    return listing;
}

TNoteStore::TPageListing TNoteStore::ReloadPageList(const QString &note, const QString &selectedTitle) const
{
    TPageListing listing;
    listing.Pages = PageList(note);
    listing.Selected = PageToSelect(listing.Pages, selectedTitle);
    return listing;
}

bool TNoteStore::CheckNoteFolder(const QString &note)
{
    if (QFileInfo(NotePath(note)).isDir())
        return true;
    m_prompter.Error(QStringLiteral("このフォルダは存在しません。\r\n") +
                     QStringLiteral("エクスプローラなどで、削除したノートのフォルダを開いていると、そのフォルダは") +
                     kCrLf +
                     QStringLiteral("削除されていても、エクスプローラで他のフォルダを開くまで形だけ残ってしまう場合") +
                     kCrLf + QStringLiteral("があります。"));
    return false;
}

QString TNoteStore::CreateNote()
{
    const QString base = QStringLiteral("新しいノート");
    QString name = base;
    for (int n = 1; QFileInfo::exists(NotePath(name)); ++n)
        name = base + QLatin1Char('(') + QString::number(n) + QLatin1Char(')');
    QDir().mkpath(NoteFolder());
    if (::mkdir(native(NotePath(name)).constData(), 0777) != 0) {
        ShowErrorReport(errno, QStringLiteral("ノートを作成できませんでした。"));
        return {};
    }
    return name;
}

bool TNoteStore::RenameNote(const QString &oldName, const QString &newName)
{
    if (newName == oldName)
        return false;
    // Names the file system cannot take are refused before any path is built
    // from them ("..", a name with a slash, one too long).
    if (!newName.isEmpty() && !IsValidFileName(newName)) {
        m_prompter.Error(QStringLiteral("ノートのタイトルに以下の文字は使えません。\r\n") +
                         QString::fromLatin1(kForbiddenNameCharacters) + kCrLf +
                         QStringLiteral("使用したい場合は全角で入力してください。"));
        return false;
    }
    if (QFileInfo::exists(NotePath(newName))) {
        m_prompter.Error(oldName + QStringLiteral("は変更できません。") + kCrLf + newName +
                         QStringLiteral("はすでに存在します。別の名前を指定してください。"));
        return false;
    }

    const QString from = NotePath(oldName) + QLatin1Char('/');
    const QString to = NotePath(newName) + QLatin1Char('/');
    if (::mkdir(native(to).constData(), 0777) != 0) {
        ShowErrorReport(errno, QStringLiteral("ノートの名前を変更できませんでした。"));
        return false;
    }
    QString failures;
    const QStringList entries =
        QDir(from).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    for (const QString &entry : entries) {
        const int code = renameEntry(from + entry, to + entry);
        if (code == 0)
            continue;
        failures += QFileInfo(entry).completeBaseName() +
                    QStringLiteral("を新しいノートへの移動するのに失敗しました。") + kCrLf;
        ShowErrorReport(code, failures);
    }
    // Unlike the classic program there is no current directory to move out of
    // the way: a folder in use can still be removed here.
    if (::rmdir(native(from).constData()) != 0) {
        const int code = errno;
        failures += folderRemovalFailure(oldName);
        ShowErrorReport(code, failures);
    }
    return true;
}

TNoteStore::TDeleteNoteResult TNoteStore::DeleteNote(const QString &name)
{
    TDeleteNoteResult result;
    if (name.isEmpty())
        return result;
    if (GetDeleteMessage() &&
        !m_prompter.Confirm(QStringLiteral("「") + name +
                            QStringLiteral("」を削除すると、このノートにあるすべてのページも削除されます。") + kCrLf +
                            QStringLiteral("よろしいですか？")))
        return result;

    const QStringList before = NoteList();
    const qsizetype at = before.indexOf(name);
    const QString following = at >= 0 && at + 1 < before.size() ? before[at + 1] : QString();

    const QString folder = NotePath(name);
    if (GetUseRecycleBin()) {
        MoveFolderToRecycleBin(folder);
    } else {
        const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString &file : files)
            QFile::remove(folder + QLatin1Char('/') + file);
        if (::rmdir(native(folder).constData()) != 0) {
            ShowErrorReport(errno, deleteFailure(name));
            return result;
        }
    }
    result.deleted = true;
    const QStringList after = NoteList();
    if (!after.isEmpty())
        result.select = after.contains(following) ? following : after.first();
    return result;
}
