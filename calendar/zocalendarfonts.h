#pragma once

#include <QColor>
#include <QFont>
#include <array>
#include <functional>

// The fourteen fonts of the calendar, each with its colour. A value object:
// copying it copies fonts and switches; whoever owns one is told of every
// change through `OnChange`, which copies do not carry along.
class TZoCalendarFonts
{
public:
    enum Index {
        Weekday,
        Saturday,
        Sunday,
        DayOfWeek,
        Holiday,
        SpecialDay,
        CustomDayOff,
        Rokuyo,
        HolidayText,
        SpecialDayText,
        CustomDayOffText,
        ScheduleSign,
        MemoSign,
        DayContents,
        Count
    };

    struct TFont
    {
        QFont font;
        QColor color;
        bool operator==(const TFont &) const = default;
    };

    TZoCalendarFonts();
    TZoCalendarFonts(const TZoCalendarFonts &other);
    TZoCalendarFonts &operator=(const TZoCalendarFonts &other);

    const TFont &Font(int index) const { return m_fonts.at(index); }
    const QFont &QtFont(int index) const { return m_fonts.at(index).font; }
    const QColor &Color(int index) const { return m_fonts.at(index).color; }

    // Applies `value` as the switches say: the whole font into all fourteen
    // (Synchronize), only its size (SizeSynchronize) or only its style
    // (StyleSynchronize), else into `index` alone.
    void SetFont(int index, const QFont &font, const QColor &color);
    void SetFont(int index, const TFont &value) { SetFont(index, value.font, value.color); }

    bool Synchronize = false;
    bool SizeSynchronize = false;
    bool StyleSynchronize = false;

    std::function<void()> OnChange;

    // The Japanese proportional Gothic face at a character height in pixels.
    static QFont DesignFont(int pixelHeight, bool bold = false, bool italic = false);
    // The FONTS key of each index; empty for `Rokuyo`, which is never stored.
    static const char *SettingsKey(int index);

private:
    void changed();

    std::array<TFont, Count> m_fonts;
};

// Replaces each font whose FONTS key is set in settings.cnf.
void LoadCalendarFontsFromSettings(TZoCalendarFonts &fonts);
