#pragma once

#include "core/profile.h"

#include <QString>
#include <span>

enum TSettingType { stInteger, stBoolean, stString, stColor, stFont, stShortcut };

// One key of settings.cnf. `defaultText` is the default in the stored form;
// nullptr marks a default that depends on the screen or a window and is
// supplied by the reader.
struct TSettingKey
{
    const char *section;
    const char *key;
    TSettingType type;
    const char *defaultText;
    bool written; // false for keys the program only reads
};

namespace sk {
// Sections.
inline constexpr const char *SETTINGS = "SETTINGS";
inline constexpr const char *COLORS = "COLORS";
inline constexpr const char *FONTS = "FONTS";
inline constexpr const char *DataFolders = "DataFolders";
inline constexpr const char *KeyWords = "KeyWords";
inline constexpr const char *Sentences = "Sentences";
inline constexpr const char *SearchStrings = "SearchStrings";
} // namespace sk

// The whole catalogue, in the order the keys are documented.
std::span<const TSettingKey> AllSettingKeys();
// nullptr when the key is not in the catalogue (compared without case).
const TSettingKey *FindSettingKey(const QString &section, const QString &key);

// Typed access to a catalogued key with its catalogued default. Each call opens
// and closes the settings file of Global().
TProfileFile SettingsFile();
int ReadSetting(const TSettingKey &key);
bool ReadSettingBool(const TSettingKey &key);
QString ReadSettingString(const TSettingKey &key);
// Looks the key up by name; unknown keys are a programming error (asserted).
int ReadSetting(const char *section, const char *key);
bool ReadSettingBool(const char *section, const char *key);
QString ReadSettingString(const char *section, const char *key);
