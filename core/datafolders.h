#pragma once

#include <QList>
#include <QString>

class TPrompter;

inline constexpr int kDataFolderSlots = 10;

struct TDataFolderEntry
{
    int slot = 0; // 1..10
    QString title;
    QString path;
};

QString FindDataFolderTitle(const QString &path);
QString FindDataFolderPath(const QString &title);
// Registered folders in slot order; a slot whose title is blank is not one.
QList<TDataFolderEntry> ReadDataFolderEntries();
// Writes title and path into the first slot whose title key does not exist.
// False when all ten exist (nothing written).
bool StoreDataFolderEntry(const QString &title, const QString &path);
// Deletes both keys of the first slot whose title equals `title`.
void DeleteDataFolderSlot(const QString &title);
// Removal is refused for the folder in use and for the program folder.
bool CanRemoveDataFolder(const QString &path);

inline const QString kDefaultDataFolderTitle = QStringLiteral("デフォルトデータフォルダ");

// The folder to open: `path` when it exists; otherwise the missing-folder error
// is shown once and the program folder is used.
QString ResolveDataFolder(TPrompter &prompter, const QString &path);
// The data folder the settings name, else the program folder.
QString ConfiguredDataFolder();

// Creates Memo/ and Note/ when missing, and Templates/ with the address-book
// template when Templates/ itself is missing. Throws EQuillmereError when a
// folder or the template cannot be made.
void PrepareDataFolder(const QString &folder);

// The address-book template: 20 labels, each followed by an empty line (CP932, CR LF).
QByteArray AddressBookTemplate();
inline const QString kAddressBookTemplateName = QStringLiteral("住所録.txt");
