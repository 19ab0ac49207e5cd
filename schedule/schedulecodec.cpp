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

bool isPlain(const QByteArray &bytes)
{
    for (const char c : bytes) {
        if (!plain(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

bool isPlain(const QString &text)
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

QString TScheduleCodec::Decode(const QByteArray &bytes, bool &exact)
{
    exact = true;
    if (isPlain(bytes))
        return QString::fromLatin1(bytes);
    m_decoder.resetState();
    const QString text = m_decoder.decode(bytes);
    QByteArray again;
    if (!m_decoder.hasError() && encodeFast(text, again) && again == bytes)
        return text;
    // Damaged bytes or one of the code page's duplicate characters.
    exact = false;
    return cp932::decode(bytes);
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
    if (isPlain(text)) {
        out = text.toLatin1();
        return true;
    }
    return encodeFast(text, out) || cp932::encode(text, out);
}
