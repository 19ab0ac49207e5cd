#include "schedule/schedulecodec.h"

namespace {

constexpr const char *kCodecName = "windows-31j";

// Printable ASCII and the line and tab controls mean the same in CP932 and
// here. Other control bytes go through the converter, which maps a few of
// them differently, so that every text is decoded alike.
bool plain(uint c)
{
    return (c >= 0x20 && c < 0x7F) || c == '\t' || c == '\n' || c == '\r';
}

bool isAscii(const char *p, qsizetype n)
{
    for (qsizetype i = 0; i < n; ++i) {
        if (!plain(static_cast<unsigned char>(p[i])))
            return false;
    }
    return true;
}

bool isAscii(const QString &text)
{
    for (const QChar c : text) {
        if (!plain(c.unicode()))
            return false;
    }
    return true;
}

} // namespace

TScheduleCodec::TScheduleCodec()
    : m_decoder(kCodecName, QStringConverter::Flag::Stateless)
    , m_encoder(kCodecName, QStringConverter::Flag::Stateless)
{
}

QString TScheduleCodec::Decode(const QByteArray &bytes)
{
    if (isAscii(bytes.constData(), bytes.size()))
        return QString::fromLatin1(bytes);
    return m_decoder.decode(bytes);
}

bool TScheduleCodec::RoundTrips(const QByteArray &bytes, const QString &decoded)
{
    if (isAscii(bytes.constData(), bytes.size()))
        return true;
    QByteArray again;
    return Encode(decoded, again) && again == bytes;
}

bool TScheduleCodec::Encode(const QString &text, QByteArray &out)
{
    if (isAscii(text)) {
        out = text.toLatin1();
        return true;
    }
    out = m_encoder.encode(text);
    if (m_encoder.hasError()) {
        m_encoder.resetState();
        return false;
    }
    // The converter may put a substitute in place of a character it cannot
    // map without reporting it; only a round trip proves nothing was lost.
    return m_decoder.decode(out) == text;
}
