#include "calendar/daytext.h"

namespace {

bool needsQuotes(const QString &item)
{
    if (item.isEmpty())
        return true;
    for (QChar c : item) {
        const char16_t u = c.unicode();
        if (u <= 0x20 || u == u'"' || u == u',')
            return true;
    }
    return false;
}

} // namespace

QString DayCommaText(const QStringList &items)
{
    QString out;
    for (qsizetype i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += QLatin1Char(',');
        const QString &item = items.at(i);
        if (needsQuotes(item)) {
            QString inner = item;
            inner.replace(QLatin1Char('"'), QLatin1String("\"\""));
            out += QLatin1Char('"') + inner + QLatin1Char('"');
        } else {
            out += item;
        }
    }
    return out;
}
