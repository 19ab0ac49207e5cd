#include "calendar/zocalendartextcache.h"

#include "calendar/zocalendarlinecut.h"

#include <QTransform>

void TZoCalendarTextCache::Clear()
{
    m_texts.clear();
    m_cuts.clear();
}

const QStaticText &TZoCalendarTextCache::Text(int fontIndex, const QFont &font, const QString &text)
{
    if (m_texts.size() > kLimit)
        m_texts.clear();
    const TKey key{fontIndex, 0, text};
    auto it = m_texts.find(key);
    if (it == m_texts.end()) {
        QStaticText laidOut(text);
        laidOut.setTextFormat(Qt::PlainText);
        laidOut.setPerformanceHint(QStaticText::AggressiveCaching);
        laidOut.prepare(QTransform(), font);
        it = m_texts.insert(key, laidOut);
    }
    return *it;
}

QString TZoCalendarTextCache::Cut(int fontIndex, const QFontMetrics &metrics, const QString &line, int width)
{
    if (m_cuts.size() > kLimit)
        m_cuts.clear();
    const TKey key{fontIndex, width, line};
    auto it = m_cuts.find(key);
    if (it == m_cuts.end()) {
        const QString cut =
            zocal::CutLine(line, width, [&metrics](QStringView s) { return metrics.horizontalAdvance(s.toString()); });
        it = m_cuts.insert(key, cut);
    }
    return *it;
}
