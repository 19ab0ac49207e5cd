#include "core/datafolders.h"

#include "core/appglobal.h"
#include "core/cp932.h"
#include "core/errors.h"
#include "core/prompter.h"
#include "core/safefile.h"
#include "core/settingskeys.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString titleKey(int n) { return QStringLiteral("DataFolderTitle%1").arg(n); }
QString nameKey(int n) { return QStringLiteral("DataFolderName%1").arg(n); }
const QString kSection = QString::fromLatin1(sk::DataFolders);
} // namespace

QString FindDataFolderTitle(const QString &path)
{
    const TProfileFile file = SettingsFile();
    for (int n = 1; n <= kDataFolderSlots; ++n)
        if (file.readString(kSection, nameKey(n), QString()) == path)
            return file.readString(kSection, titleKey(n), QString());
    return {};
}

QString FindDataFolderPath(const QString &title)
{
    const TProfileFile file = SettingsFile();
    for (int n = 1; n <= kDataFolderSlots; ++n)
        if (file.readString(kSection, titleKey(n), QString()) == title)
            return file.readString(kSection, nameKey(n), QString());
    return {};
}

QList<TDataFolderEntry> ReadDataFolderEntries()
{
    const TProfileFile file = SettingsFile();
    QList<TDataFolderEntry> entries;
    for (int n = 1; n <= kDataFolderSlots; ++n) {
        const QString title = file.readString(kSection, titleKey(n), QString());
        if (title.trimmed().isEmpty())
            continue;
        entries.append({n, title, file.readString(kSection, nameKey(n), QString())});
    }
    return entries;
}

bool StoreDataFolderEntry(const QString &title, const QString &path)
{
    const TProfileFile file = SettingsFile();
    for (int n = 1; n <= kDataFolderSlots; ++n) {
        if (!file.keyExists(kSection, titleKey(n))) {
            file.writeString(kSection, titleKey(n), title);
            file.writeString(kSection, nameKey(n), path);
            return true;
        }
    }
    return false;
}

void DeleteDataFolderSlot(const QString &title)
{
    const TProfileFile file = SettingsFile();
    for (int n = 1; n <= kDataFolderSlots; ++n) {
        if (file.keyExists(kSection, titleKey(n)) && file.readString(kSection, titleKey(n), QString()) == title) {
            file.deleteKey(kSection, titleKey(n));
            file.deleteKey(kSection, nameKey(n));
            return;
        }
    }
}

bool CanRemoveDataFolder(const QString &path)
{
    return path != Global().CurrentDataFolder && path != Global().ProgramFolder;
}

QString ResolveDataFolder(TPrompter &prompter, const QString &path)
{
    if (!path.isEmpty() && QFileInfo(path).isDir())
        return path;
    prompter.Error(QStringLiteral("データフォルダが見つかりません。\r\n") + QStringLiteral("デフォルトのデータフォルダを使用します。"));
    return Global().ProgramFolder;
}

QString ConfiguredDataFolder()
{
    return SettingsFile().readString(QString::fromLatin1(sk::SETTINGS), QStringLiteral("DataFolder"),
                                     Global().ProgramFolder);
}

QByteArray AddressBookTemplate()
{
    static const char *const labels[] = {
        "【名前】", "【電子メールアドレス】", "【自宅郵便番号】", "【自宅住所】",
        "【個人携帯/PHS電話番号】", "【個人ポケベル電話番号】", "【自宅電話番号】", "【自宅FAX番号】",
        "【個人Webページ】", "【勤務先郵便番号】", "【勤務先住所】", "【勤務先携帯/PHS電話番号】",
        "【勤務先ポケベル電話番号】", "【勤務先電話番号】", "【勤務先FAX番号】", "【勤務先Webページ】",
        "【役職】", "【部署名】", "【オフィス】", "【備考】",
    };
    QByteArray out;
    for (const char *label : labels) {
        out += cp932::encodeLossy(QString::fromUtf8(label));
        out += "\r\n\r\n";
    }
    return out;
}

void PrepareDataFolder(const QString &folder)
{
    const QString base = WithTrailingSlash(folder);
    for (const QString &sub : {QStringLiteral("Memo"), QStringLiteral("Note")}) {
        if (!QDir().mkpath(base + sub))
            throw EQuillmereError(QStringLiteral("フォルダ %1 を作成できません").arg(base + sub));
    }
    const QString templates = base + QStringLiteral("Templates");
    if (QFileInfo(templates).isDir())
        return;
    if (!QDir().mkpath(templates))
        throw EQuillmereError(QStringLiteral("フォルダ %1 を作成できません").arg(templates));
    const QString file = templates + QLatin1Char('/') + kAddressBookTemplateName;
    const TSaveResult result = WriteFileAtomically(file, AddressBookTemplate());
    if (!result.ok)
        throw EQuillmereError(QStringLiteral("%1 に書き込めません").arg(file));
}
