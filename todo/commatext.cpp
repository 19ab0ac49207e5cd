#include "todo/commatext.h"

namespace {
constexpr char kQuote = '"';
}

QByteArray JoinCommaText(const QList<QByteArray> &fields, char separator, const QByteArray &quoteSet)
{
    QByteArray out;
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (i > 0)
            out += separator;
        const QByteArray &field = fields[i];
        bool quote = field.contains(kQuote);
        for (qsizetype k = 0; !quote && k < quoteSet.size(); ++k)
            quote = field.contains(quoteSet[k]);
        if (!quote) {
            out += field;
            continue;
        }
        out += kQuote;
        for (const char c : field) {
            if (c == kQuote)
                out += kQuote;
            out += c;
        }
        out += kQuote;
    }
    return out;
}

QList<QByteArray> SplitCommaText(const QByteArray &text, const QByteArray &separators)
{
    QList<QByteArray> fields;
    if (text.isEmpty())
        return fields;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (true) {
        QByteArray field;
        if (i < n && text[i] == kQuote) {
            ++i;
            while (i < n) {
                if (text[i] == kQuote) {
                    if (i + 1 < n && text[i + 1] == kQuote) {
                        field += kQuote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
            while (i < n && !separators.contains(text[i]))
                ++i;
        } else {
            const qsizetype start = i;
            while (i < n && !separators.contains(text[i]))
                ++i;
            field = text.mid(start, i - start);
        }
        fields.append(field);
        if (i >= n)
            break;
        ++i; // the separator; whatever follows, even nothing, is one more field
    }
    return fields;
}

int CountSeparators(const QByteArray &text, const QByteArray &separators)
{
    int count = 0;
    int quotes = 0;
    for (const char c : text) {
        if (c == kQuote) {
            ++quotes;
        } else if (separators.contains(c) && quotes % 2 == 0) {
            ++count;
            quotes = 0;
        }
    }
    return count;
}
