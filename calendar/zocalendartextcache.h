#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QStaticText>
#include <QString>

// Laid-out texts and cut lines of the calendar, kept from one drawing to the
// next: a redraw mostly shows the same names and contents again, and shaping
// Japanese text is the dearest part of drawing a cell. Entries are keyed by
// the font's index among the calendar's fonts, so the owner clears the cache
// whenever a font changes.
class TZoCalendarTextCache
{
public:
    void Clear();

    // `text` laid out in `font` (whose index is `fontIndex`), for drawing.
    const QStaticText &Text(int fontIndex, const QFont &font, const QString &text);
    // `line` cut to `width` with `metrics` (line cutting with "...").
    QString Cut(int fontIndex, const QFontMetrics &metrics, const QString &line, int width);

private:
    struct TKey
    {
        int font;
        int width;
        QString text;
        bool operator==(const TKey &) const = default;
    };
    friend size_t qHash(const TKey &key, size_t seed) { return qHashMulti(seed, key.font, key.width, key.text); }

    // A month of busy days holds a few thousand texts; beyond this the cache
    // starts afresh rather than grow without bound.
    static constexpr qsizetype kLimit = 20000;

    QHash<TKey, QStaticText> m_texts;
    QHash<TKey, QString> m_cuts;
};
