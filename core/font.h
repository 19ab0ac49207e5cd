#pragma once

#include <QString>

// A colour as stored: 0x00BBGGRR, or 0x80000000 + a system colour index.
using TColor = qint32;

namespace clr {
inline constexpr TColor SystemBit = static_cast<TColor>(0x80000000u);
inline constexpr TColor clWindow = static_cast<TColor>(0x80000005u);
inline constexpr TColor clWindowText = static_cast<TColor>(0x80000008u);
inline constexpr TColor clBtnFace = static_cast<TColor>(0x8000000Fu);
inline constexpr TColor clInfoBk = static_cast<TColor>(0x80000018u);
inline constexpr TColor clBlack = 0x000000;
inline bool isSystem(TColor c) { return (static_cast<quint32>(c) & 0x80000000u) != 0; }
inline int systemIndex(TColor c) { return static_cast<int>(static_cast<quint32>(c) & 0xFFu); }
inline TColor fromRgb(int r, int g, int b) { return (b & 0xFF) << 16 | (g & 0xFF) << 8 | (r & 0xFF); }
inline int red(TColor c) { return c & 0xFF; }
inline int green(TColor c) { return (c >> 8) & 0xFF; }
inline int blue(TColor c) { return (c >> 16) & 0xFF; }
} // namespace clr

// What a font string holds. The window side turns it into a QFont and a pen.
struct TFontSpec
{
    QString name;
    int size = 9; // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    TColor color = clr::clBlack;
    int charset = 128; // Shift-JIS

    bool operator==(const TFontSpec &) const = default;
};

// Eight quoted fields joined by `", "`; nothing inside is escaped.
QString FontToString(const TFontSpec &font);
// Applies as much of the string as parses, in field order; the character set
// always becomes 128. An item that is not a number ends the conversion.
void StringToFont(TFontSpec &font, const QString &text);
// Reads a FONTS key: the profile reader dropped the outer quotes, so they are
// put back first. An empty value leaves `font` as it is. Returns whether a
// value was applied.
bool ReadFontSetting(const QString &key, TFontSpec &font);
void WriteFontSetting(const QString &key, const TFontSpec &font);

// Items of a comma text in the classic list form: separated by commas or
// blanks, a quoted item may hold both, "" inside quotes is one quote.
QStringList SplitFontItems(const QString &text);
