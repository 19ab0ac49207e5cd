#include "schedule/schedulecodec.h"

#include "core/cp932.h"

namespace {

constexpr const char *kCodecName = "windows-31j";

// Printable ASCII and the line and tab controls mean the same in CP932 and
// here. Other control bytes go through the converter, which maps a few of
// them differently, so that every text is decoded alike.
bool plain(uint c)
{
    return (c >= 0x20 && c < 0x7F) || c == '\t' || c == '\n' || c == '\r';
}

// Well-formed CP932 outside the rows that hold the code page's duplicate
// characters (NEC row 13, the NEC-selected and IBM extensions): such bytes
// decode to one character each, so the converter alone is enough.
bool ordinary(QByteArrayView bytes)
{
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80) {
            if (!plain(c))
                return false;
        } else if (c >= 0xA1 && c <= 0xDF) {
            continue; // half-width katakana
        } else if (IsLeadByte(c)) {
            if (c == 0x87 || c == 0xED || c == 0xEE || c >= 0xFA || i + 1 >= n)
                return false;
            const auto t = static_cast<unsigned char>(bytes[++i]);
            if (t < 0x40 || t == 0x7F || t > 0xFC)
                return false;
        } else {
            return false;
        }
    }
    return true;
}

} // namespace

TScheduleCodec::TScheduleCodec()
    : m_decoder(kCodecName, QStringConverter::Flag::Stateless)
    , m_encoder(kCodecName, QStringConverter::Flag::Stateless)
{
}

bool TScheduleCodec::IsPlain(QByteArrayView bytes)
{
    for (const char c : bytes) {
        if (!plain(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

bool TScheduleCodec::IsPlain(const QString &text)
{
    for (const QChar c : text) {
        if (!plain(c.unicode()))
            return false;
    }
    return true;
}

QString TScheduleCodec::Decode(QByteArrayView bytes)
{
    if (IsPlain(bytes))
        return QString::fromLatin1(bytes);
    if (ordinary(bytes)) {
        m_decoder.resetState();
        const QString text = m_decoder.decode(bytes);
        // An unassigned code comes back as a substitute; none is expected,
        // as the bytes hold no control character of their own.
        if (!m_decoder.hasError() && !text.contains(QChar(0x1A)) && !text.contains(QChar(QChar::ReplacementCharacter)))
            return text;
    }
    return cp932::decode(bytes.toByteArray());
}

bool TScheduleCodec::encodeFast(const QString &text, QByteArray &out)
{
    m_encoder.resetState();
    out = m_encoder.encode(text);
    if (m_encoder.hasError())
        return false;
    // The converter may put a substitute in place of a character it cannot
    // map without reporting it; only a round trip proves nothing was lost.
    m_decoder.resetState();
    return m_decoder.decode(out) == text && !m_decoder.hasError();
}

bool TScheduleCodec::Encode(const QString &text, QByteArray &out)
{
    if (IsPlain(text)) {
        out = text.toLatin1();
        return true;
    }
    return encodeFast(text, out) || cp932::encode(text, out);
}
