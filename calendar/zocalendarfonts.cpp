#include "calendar/zocalendarfonts.h"

#include "ui/fontconv.h"

namespace {

struct TInitial
{
    int height;
    QRgb color;
    bool bold;
    bool italic;
    const char *key;
};

// The look of the main window's calendar before any setting is read.
const std::array<TInitial, TZoCalendarFonts::Count> kInitial{{
    {12, 0x000000, false, false, "CalendarWeekDay"},
    {12, 0x0000FF, false, false, "CalendarSaturday"},
    {12, 0xFF0000, false, false, "CalendarSunday"},
    {12, 0xFFFFFF, true, false, "CalendarDayOfWeek"},
    {12, 0xFF0000, true, false, "CalendarHolidayDateFont"},
    {12, 0x008000, false, false, "CalendarSpecialDayDateFont"},
    {12, 0xFF0000, false, true, "CalendarDayOffDateFont"},
    {13, 0x000000, false, false, ""},
    {9, 0xFF0000, false, false, "CalendarHolidayTextFont"},
    {9, 0xFF0000, false, false, "CalendarSpecialDayTextFont"},
    {9, 0xFF0000, false, false, "CalendarDayOffTextFont"},
    {7, 0xFF0000, false, false, "CalendarScheduleSign"},
    {7, 0x0000FF, false, false, "CalendarMemoSign"},
    {12, 0x000000, false, false, "LargeCalendarFont"},
}};

} // namespace

TZoCalendarFonts::TZoCalendarFonts()
{
    for (int i = 0; i < Count; ++i) {
        const TInitial &init = kInitial.at(i);
        m_fonts.at(i) = {DesignFont(init.height, init.bold, init.italic), QColor::fromRgb(init.color)};
    }
}

TZoCalendarFonts::TZoCalendarFonts(const TZoCalendarFonts &other)
    : Synchronize(other.Synchronize)
    , SizeSynchronize(other.SizeSynchronize)
    , StyleSynchronize(other.StyleSynchronize)
    , m_fonts(other.m_fonts)
{
}

TZoCalendarFonts &TZoCalendarFonts::operator=(const TZoCalendarFonts &other)
{
    if (this == &other)
        return *this;
    Synchronize = other.Synchronize;
    SizeSynchronize = other.SizeSynchronize;
    StyleSynchronize = other.StyleSynchronize;
    if (m_fonts != other.m_fonts) {
        m_fonts = other.m_fonts;
        changed();
    }
    return *this;
}

void TZoCalendarFonts::SetFont(int index, const QFont &font, const QColor &color)
{
    if (index < 0 || index >= Count)
        return;
    if (Synchronize) {
        for (TFont &f : m_fonts)
            f = {font, color};
    } else if (SizeSynchronize) {
        for (TFont &f : m_fonts) {
            if (font.pixelSize() > 0)
                f.font.setPixelSize(font.pixelSize());
            else
                f.font.setPointSizeF(font.pointSizeF());
        }
    } else if (StyleSynchronize) {
        for (TFont &f : m_fonts) {
            f.font.setBold(font.bold());
            f.font.setItalic(font.italic());
            f.font.setUnderline(font.underline());
            f.font.setStrikeOut(font.strikeOut());
        }
    } else {
        m_fonts.at(index) = {font, color};
    }
    changed();
}

QFont TZoCalendarFonts::DesignFont(int pixelHeight, bool bold, bool italic)
{
    QFont font;
    font.setFamilies({QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAexGothic"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("VL PGothic"), QStringLiteral("Sans Serif")});
    font.setPixelSize(pixelHeight);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

const char *TZoCalendarFonts::SettingsKey(int index)
{
    return index >= 0 && index < Count ? kInitial.at(index).key : "";
}

void TZoCalendarFonts::changed()
{
    if (OnChange)
        OnChange();
}

void LoadCalendarFontsFromSettings(TZoCalendarFonts &fonts)
{
    TZoCalendarFonts loaded(fonts);
    loaded.Synchronize = loaded.SizeSynchronize = loaded.StyleSynchronize = false;
    for (int i = 0; i < TZoCalendarFonts::Count; ++i) {
        const char *key = TZoCalendarFonts::SettingsKey(i);
        if (!*key)
            continue;
        QFont font = loaded.QtFont(i);
        QColor color = loaded.Color(i);
        if (ReadFontSetting(QString::fromLatin1(key), font, color))
            loaded.SetFont(i, font, color);
    }
    loaded.Synchronize = fonts.Synchronize;
    loaded.SizeSynchronize = fonts.SizeSynchronize;
    loaded.StyleSynchronize = fonts.StyleSynchronize;
    fonts = loaded;
}
