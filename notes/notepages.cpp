#include "notes/notestore.h"

#include "core/cp932.h"
#include "core/global.h"
#include "core/prompter.h"
#include "core/safefile.h"
#include "notes/tnote.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kTxt = QStringLiteral(".txt");

// A page is copied whole; nothing a person writes comes near this.
constexpr qint64 kMaxPageBytes = 1024LL * 1024 * 1024;

QString noNoteMessage()
{
    return QStringLiteral("ノートが存在しません。\r\n") +
           QStringLiteral("ページを作成する前にノートを作成してください。") + kCrLf;
}

QString freeTitle(const QString &note, const QString &base)
{
    QString title = base;
    for (int n = 1; QFileInfo::exists(TNoteStore::PagePath(note, title)); ++n)
        title = base + QLatin1Char('(') + QString::number(n) + QLatin1Char(')');
    return title;
}

} // namespace

QList<TNotePage> TNoteStore::PageList(const QString &note) const
{
    QList<TNotePage> pages;
    const QString folder = NotePath(note) + QLatin1Char('/');
    const QStringList files =
        QDir(folder).entryList({QStringLiteral("*.txt")}, QDir::Files | QDir::Hidden | QDir::CaseSensitive);
    pages.reserve(files.size());
    for (const QString &file : files)
        pages.append(TNotePage{file.left(file.size() - kTxt.size()), folder + file});
    // Encode each title once, not once per comparison.
    QList<std::pair<QByteArray, TNotePage>> keyed;
    keyed.reserve(pages.size());
    for (const TNotePage &page : pages)
        keyed.append({cp932::encodeLossy(page.Title), page});
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto &a, const auto &b) {
        return std::lexicographical_compare(
            a.first.begin(), a.first.end(), b.first.begin(), b.first.end(),
            [](char x, char y) { return static_cast<unsigned char>(x) < static_cast<unsigned char>(y); });
    });
    for (qsizetype i = 0; i < keyed.size(); ++i)
        pages[i] = keyed[i].second;
    return pages;
}

int TNoteStore::PageToSelect(const QList<TNotePage> &pages, const QString &selectedTitle)
{
    for (qsizetype i = 0; i < pages.size(); ++i)
        if (pages[i].Title.startsWith(selectedTitle))
            return static_cast<int>(i);
    return pages.isEmpty() ? -1 : 0;
}

void TNoteStore::saveFailed(const QString &reason)
{
    QString text = QStringLiteral("ノートの保存に失敗しました。");
    if (!reason.isEmpty())
        text += kCrLf + reason;
    m_prompter.Error(text);
}

QString TNoteStore::CreatePage(int noteCount, const QString &note)
{
    if (noteCount <= 0) {
        m_prompter.Info(noNoteMessage());
        return {};
    }
    if (note.isEmpty())
        return {};
    const QString title = freeTitle(note, QStringLiteral("新しいページ"));
    TNote page;
    page.FileName = PagePath(note, title);
    const TSaveResult saved = page.Save();
    if (!saved.ok) {
        saveFailed(saved.error);
        return {};
    }
    return title;
}

TNoteStore::TRenamePageResult TNoteStore::RenamePage(const QString &note, const QString &oldTitle,
                                                     const QString &newTitle)
{
    if (newTitle.trimmed().isEmpty()) {
        m_prompter.Error(QStringLiteral("ページの名前を入力してください。"));
        return rpEditAgain;
    }
    if (!IsValidFileName(newTitle)) {
        m_prompter.Error(QStringLiteral("ノートのページタイトルに以下の文字は使えません。\r\n") +
                         QString::fromLatin1(kForbiddenNameCharacters) + kCrLf +
                         QStringLiteral("使用したい場合は全角で入力してください。"));
        return rpEditAgain;
    }
    if (newTitle == oldTitle)
        return rpUnchanged;
    const QString to = PagePath(note, newTitle);
    if (QFileInfo::exists(to)) {
        m_prompter.Error(newTitle + QStringLiteral("はすでに存在します。別の名前を指定してください。"));
        return rpEditAgain;
    }
    const QString from = PagePath(note, oldTitle);
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0) {
        saveFailed(QString::fromLocal8Bit(std::strerror(errno)));
        return rpFailed;
    }
    return rpRenamed;
}

bool TNoteStore::DeletePages(const QString &note, const QStringList &titles)
{
    if (titles.isEmpty())
        return false;
    if (GetDeleteMessage()) {
        const QString question = titles.size() == 1
                                     ? titles.first() + kCrLf + QStringLiteral("を削除してもよろしいですか？")
                                     : QStringLiteral("選択されているページすべてを削除してもよろしいですか？");
        if (!m_prompter.Confirm(question))
            return false;
    }
    for (const QString &title : titles)
        BackupBeforeSave(PagePath(note, title));
    return true;
}

QStringList TNoteStore::MovePages(const QString &sourceNote, const QStringList &titles, const QString &targetNote)
{
    QStringList moved;
    // A drop onto no note, or back onto the note the pages came from, would
    // copy a page onto itself and then retire it: refused, nothing changes.
    if (targetNote.isEmpty() || targetNote == sourceNote || !QFileInfo(NotePath(targetNote)).isDir())
        return moved;
    for (const QString &title : titles) {
        const QString from = PagePath(sourceNote, title);
        const QString to = PagePath(targetNote, title);
        if (QFileInfo::exists(to) &&
            !m_prompter.Confirm(QStringLiteral("このノートには同タイトルのページが存在します。\r\n") +
                                QStringLiteral("上書きしてもよろしいですか？")))
            continue;
        QByteArray bytes;
        bool tooLarge = false;
        if (!ReadFileBytes(from, bytes, kMaxPageBytes, &tooLarge) || tooLarge) {
            saveFailed(title);
            continue;
        }
        // The source is retired only once its copy is safely in place.
        const TSaveResult copied = WriteFileAtomically(to, bytes);
        if (!copied.ok) {
            saveFailed(copied.error);
            continue;
        }
        BackupBeforeSave(from);
        moved << title;
    }
    return moved;
}

TTextLoad TNoteStore::LoadPage(const QString &path)
{
    return LoadTextFile(path);
}

bool TNoteStore::SavePage(const QString &path, const QString &text)
{
    QByteArray bytes;
    if (!EncodeText(text, bytes)) {
        saveFailed(QStringLiteral("このファイルに保存できない文字が含まれています。"));
        return false;
    }
    // An empty page stays as an empty file.
    const TSaveResult saved = SaveDataFile(path, bytes);
    if (!saved.ok)
        saveFailed(saved.error);
    return saved.ok;
}

TTextLoad TNoteStore::TemplateText(const QString &path)
{
    TTextLoad load = LoadTextFile(path);
    QString text;
    for (const QString &line : TextLines(load.text))
        text += line + QLatin1Char('\n');
    load.text = text;
    return load;
}

QString TNoteStore::ImportTitle(const QDateTime &now)
{
    return QStringLiteral("雑記帳 ") + now.toString(QStringLiteral("yyyy年MM月dd日 HH時mm分ss秒"));
}

QString TNoteStore::ImportNotebook(int noteCount, const QString &note, const QString &notebookText,
                                   const QDateTime &now)
{
    const QString title = ImportTitle(now);
    if (noteCount <= 0) {
        m_prompter.Info(noNoteMessage());
        return {};
    }
    if (note.isEmpty()) {
        m_prompter.Error(
            QStringLiteral("アクティブなノートがありません。雑記帳を取り込みたいノートを選択してください"));
        return {};
    }
    const QStringList lines = TextLines(notebookText);
    if (lines.isEmpty()) {
        m_prompter.Info(QStringLiteral("雑記帳には何も書かれていないので取り込みをキャンセルします。"));
        return {};
    }
    TNote page;
    page.FileName = PagePath(note, title);
    page.Lines = lines;
    const TSaveResult saved = page.Save();
    if (!saved.ok) {
        saveFailed(saved.error);
        return {};
    }
    return title;
}
