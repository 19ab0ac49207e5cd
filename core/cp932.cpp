#include "core/cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <array>
#include <cstddef>
#include <utility>

namespace cp932 {

namespace {
constexpr const char *kCodecName = "windows-31j";
}

namespace {
// ICU puts 0x1A for a byte it cannot map and silently drops a lead byte at the
// very end, so damaged text is decoded one character at a time instead: each
// byte that is not CP932 becomes one U+FFFD and nothing is lost silently.
QString decodeDamaged(QByteArrayView bytes)
{
    QString out;
    out.reserve(bytes.size());
    QStringDecoder one(kCodecName, QStringConverter::Flag::Stateless);
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const bool lead = IsLeadByte(static_cast<unsigned char>(bytes[i])) && i + 1 < n;
        const qsizetype width = lead ? 2 : 1;
        // The decoder's error flag stays set once raised, so the failure is
        // read from what it gives back: nothing, or its substitute character.
        const QString ch = one.decode(QByteArrayView(bytes.constData() + i, width));
        const bool bad = ch.size() != 1 || ch[0] == QChar::ReplacementCharacter
                         || (ch[0].unicode() == 0x1A && bytes[i] != '\x1A');
        if (bad) {
            out += QChar(QChar::ReplacementCharacter);
            i += 1; // a bad trail byte may be a character of its own
            continue;
        }
        out += ch;
        i += width;
    }
    return out;
}
} // namespace

namespace {
bool isAscii(QByteArrayView bytes)
{
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

bool isAscii(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

// Printable ASCII and the line and tab controls mean the same in CP932 and
// here. Other control bytes go through the converter, which maps a few of
// them differently, so that every text is decoded alike.
bool plain(uint c)
{
    return (c >= 0x20 && c < 0x7F) || c == '\t' || c == '\n' || c == '\r';
}

// The leads of the rows outside those that hold the code page's duplicate
// characters (NEC row 13, the NEC-selected and IBM extensions).
bool ordinaryLead(uint c)
{
    return IsLeadByte(static_cast<unsigned char>(c)) && c != 0x87 && c != 0xED && c != 0xEE && c < 0xFA;
}

// What the converter makes of every character of the ordinary rows, asked
// once per program: a load of ten thousand schedules paid more for calling
// the converter on each short text than for the rest of reading them.
// Each lead byte's row goes through the converter in one piece, which for a
// well-formed run is the same as one code at a time: an unassigned code comes
// back as one substitute character. Zero marks a code without a character of
// its own; a text holding one takes the converter's own way.
class TOrdinaryTable
{
public:
    TOrdinaryTable()
    {
        for (uint c = 0xA1; c <= 0xDF; ++c)
            m_single[c - 0xA1] = one(QByteArray(1, char(c)));
        for (uint lead = 0x81; lead <= 0xFC; ++lead) {
            if (!ordinaryLead(lead))
                continue;
            QByteArray row;
            for (uint trail = 0x40; trail <= 0xFC; ++trail) {
                if (trail != 0x7F)
                    row.append(char(lead)).append(char(trail));
            }
            // A fresh converter each time: its error flag, once raised,
            // survives resetting it.
            QStringDecoder decoder(kCodecName, QStringConverter::Flag::Stateless);
            const QString text = decoder.decode(row);
            const bool whole = text.size() == row.size() / 2;
            qsizetype at = 0;
            for (uint trail = 0x40; trail <= 0xFC; ++trail) {
                if (trail == 0x7F)
                    continue;
                m_double[index(lead, trail)] = whole ? usable(text[at]) : one(row.mid(2 * at, 2));
                ++at;
            }
        }
    }

    // Decodes well-formed CP932 of printable ASCII, line controls, half-width
    // katakana and the ordinary rows, which decodes to one character a
    // code; false for anything else, the duplicates' rows and codes without
    // a character of their own among them.
    bool Decode(QByteArrayView bytes, QString &out) const
    {
        out.resize(bytes.size());
        QChar *to = out.data();
        const qsizetype n = bytes.size();
        for (qsizetype i = 0; i < n; ++i) {
            const auto c = static_cast<unsigned char>(bytes[i]);
            char16_t ch;
            if (c < 0x80) {
                if (!plain(c))
                    return false; // other controls go through the converter
                ch = c;
            } else if (c >= 0xA1 && c <= 0xDF) {
                ch = m_single[c - 0xA1];
            } else {
                if (!IsLeadByte(c) || i + 1 >= n)
                    return false;
                const auto t = static_cast<unsigned char>(bytes[++i]);
                if (t < 0x40 || t == 0x7F || t > 0xFC)
                    return false;
                ch = m_double[index(c, t)]; // zero in the duplicates' rows
            }
            if (ch == 0)
                return false;
            *to++ = QChar(ch);
        }
        out.truncate(to - out.constData());
        return true;
    }

private:
    static std::size_t index(uint lead, uint trail)
    {
        const uint row = lead <= 0x9F ? lead - 0x81 : lead - 0xE0 + (0x9F - 0x81 + 1);
        return row * kTrails + (trail - 0x40);
    }
    // A substitute stands for a code the converter could not map.
    static char16_t usable(QChar c)
    {
        return c == QChar(0x1A) || c == QChar(QChar::ReplacementCharacter) ? 0 : c.unicode();
    }
    static char16_t one(const QByteArray &code)
    {
        QStringDecoder decoder(kCodecName, QStringConverter::Flag::Stateless);
        const QString text = decoder.decode(code);
        return !decoder.hasError() && text.size() == 1 ? usable(text[0]) : 0;
    }

    static constexpr std::size_t kTrails = 0xFC - 0x40 + 1;
    static constexpr std::size_t kLeads = (0x9F - 0x81 + 1) + (0xFC - 0xE0 + 1);
    std::array<char16_t, 0xDF - 0xA1 + 1> m_single{};
    std::array<char16_t, kLeads * kTrails> m_double{};
};

const TOrdinaryTable &ordinaryTable()
{
    static const TOrdinaryTable table;
    return table;
}
} // namespace

QString decode(QByteArrayView bytes)
{
    // The code page's lower half is ASCII; most stored names, numbers and
    // keys are, and opening a converter costs far more than they do.
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    // Most Japanese text is in the rows the table holds; the rest, damage
    // included, goes through the converter.
    QString text;
    if (ordinaryTable().Decode(bytes, text))
        return text;
    QStringDecoder decoder(kCodecName, QStringConverter::Flag::Stateless);
    text = decoder.decode(bytes);
    if (decoder.hasError())
        return decodeDamaged(bytes);
    return text;
}

namespace {
// Input methods on this platform type the JIS code points of a few characters
// (〜 U+301C for the tilde key, for one) where the Windows code page maps the
// same JIS characters to their full-width twins; refusing them would make
// ordinary Japanese text unsavable.
QString toWindowsForms(const QString &text)
{
    static constexpr std::pair<char16_t, char16_t> kTwins[] = {
        {u'\u301C', u'\uFF5E'}, {u'\u2016', u'\u2225'}, {u'\u2212', u'\uFF0D'},
        {u'\u00A2', u'\uFFE0'}, {u'\u00A3', u'\uFFE1'}, {u'\u00AC', u'\uFFE2'},
    };
    QString out = text;
    for (const auto &[jis, windows] : kTwins)
        out.replace(QChar(jis), QChar(windows));
    return out;
}
} // namespace

bool encode(const QString &text, QByteArray &out)
{
    // As in decoding: the first converter a program opens costs it
    // milliseconds, and the settings it writes at start are all ASCII.
    if (isAscii(text)) {
        out = text.toLatin1();
        return true;
    }
    const QString windowsText = toWindowsForms(text);
    QStringEncoder encoder(kCodecName, QStringConverter::Flag::Stateless);
    out = encoder.encode(windowsText);
    if (encoder.hasError())
        return false;
    // ICU substitutes 0x1A or '?' for unmappable characters without always
    // flagging an error, so check by round trip.
    return decode(out) == windowsText;
}

QByteArray encodeLossy(const QString &text)
{
    if (isAscii(text))
        return text.toLatin1();
    QStringEncoder encoder(kCodecName);
    return encoder.encode(toWindowsForms(text));
}

namespace {
int compareBytes(const QByteArray &x, const QByteArray &y)
{
    const int n = std::min(x.size(), y.size());
    for (int i = 0; i < n; ++i) {
        const auto a = static_cast<unsigned char>(x[i]);
        const auto b = static_cast<unsigned char>(y[i]);
        if (a != b)
            return a < b ? -1 : 1;
    }
    return x.size() == y.size() ? 0 : (x.size() < y.size() ? -1 : 1);
}

QByteArray foldAscii(QByteArray bytes)
{
    for (int i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (IsLeadByte(c)) {
            ++i; // a trail byte may look like a letter
            continue;
        }
        if (c >= 'A' && c <= 'Z')
            bytes[i] = static_cast<char>(c - 'A' + 'a');
    }
    return bytes;
}
} // namespace

int compare(const QString &a, const QString &b)
{
    return compareBytes(encodeLossy(a), encodeLossy(b));
}

int compareNoCase(const QString &a, const QString &b)
{
    return compareBytes(foldAscii(encodeLossy(a)), foldAscii(encodeLossy(b)));
}

QByteArray truncate(const QByteArray &bytes, int limit)
{
    if (bytes.size() <= limit)
        return bytes;
    int i = 0;
    while (i < limit) {
        const int width = IsLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
        if (i + width > limit)
            break;
        i += width;
    }
    return bytes.left(i);
}

} // namespace cp932

bool IsLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
