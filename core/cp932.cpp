#include "core/cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <utility>

namespace cp932 {

namespace {
constexpr const char *kCodecName = "windows-31j";
}

namespace {
// ICU puts 0x1A for a byte it cannot map and silently drops a lead byte at the
// very end, so damaged text is decoded one character at a time instead: each
// byte that is not CP932 becomes one U+FFFD and nothing is lost silently.
QString decodeDamaged(const QByteArray &bytes)
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
bool isAscii(const QByteArray &bytes)
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
} // namespace

QString decode(const QByteArray &bytes)
{
    // The code page's lower half is ASCII; most stored names, numbers and
    // keys are, and opening a converter costs far more than they do.
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    QStringDecoder decoder(kCodecName, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
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
