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
    if (separators.size() == 1) {
        TCommaReader reader(text, separators[0]);
        TCommaField field;
        while (reader.next(field))
            fields.append(field.doubledQuotes ? UndoubleQuotes(field.bytes) : field.bytes.toByteArray());
        return fields;
    }
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
    if (separators.size() == 1)
        return CountSeparators(QByteArrayView(text), separators[0]);
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

bool TCommaReader::next(TCommaField &field)
{
    if (m_done)
        return false;
    const char *const p = m_text.data();
    const qsizetype n = m_text.size();
    qsizetype i = m_pos;
    bool odd = m_oddQuotes;
    field.doubledQuotes = false;
    // Anything up to the separator; its quotes count for CountSeparators.
    const auto toSeparator = [&] {
        for (; i < n && p[i] != m_separator; ++i)
            odd ^= p[i] == kQuote;
    };
    if (i < n && p[i] == kQuote) {
        const qsizetype start = ++i;
        qsizetype end = n; // unterminated: the rest of the text
        // After an odd number of quotes the opening one makes them even, and
        // the separators inside the field count.
        const bool countInside = odd;
        odd = !odd;
        while (i < n) {
            if (p[i] != kQuote) {
                if (countInside && p[i] == m_separator)
                    ++m_separators;
                ++i;
                continue;
            }
            if (i + 1 < n && p[i + 1] == kQuote) {
                field.doubledQuotes = true;
                i += 2;
                continue;
            }
            odd = !odd;
            end = i++;
            break;
        }
        // An empty quoted field is a null one, as it always was.
        field.bytes = end > start ? m_text.sliced(start, end - start) : QByteArrayView();
        toSeparator();
    } else {
        const qsizetype start = i;
        toSeparator();
        field.bytes = m_text.sliced(start, i - start);
    }
    if (i >= n) {
        m_done = true;
    } else {
        if (!odd)
            ++m_separators;
        m_pos = i + 1; // the separator; whatever follows, even nothing, is one more field
    }
    m_oddQuotes = odd;
    return true;
}

int TCommaReader::countSeparators()
{
    TCommaField rest;
    while (next(rest)) {
    }
    return m_separators;
}

QByteArray UndoubleQuotes(QByteArrayView quoted)
{
    // Between its quotes a field's quotes come only in pairs.
    QByteArray out(quoted.size(), Qt::Uninitialized);
    char *o = out.data();
    const qsizetype n = quoted.size();
    for (qsizetype i = 0; i < n; ++i) {
        *o++ = quoted[i];
        if (quoted[i] == kQuote)
            ++i;
    }
    out.truncate(o - out.constData());
    return out;
}

int CountSeparators(QByteArrayView text, char separator)
{
    return TCommaReader(text, separator).countSeparators();
}
