#include "schedule/schedulecodec.h"

#include "core/cp932.h"

namespace {

constexpr const char *kCodecName = "windows-31j";

// Printable ASCII and the line and tab controls mean the same in CP932 and
// here; such a text needs no decoding.
bool plain(uint c)
{
    return (c >= 0x20 && c < 0x7F) || c == '\t' || c == '\n' || c == '\r';
}

} // namespace

TScheduleCodec::TScheduleCodec() = default;

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
    return cp932::decode(bytes);
}

bool TScheduleCodec::encodeFast(const QString &text, QByteArray &out)
{
    if (!m_encoder) {
        m_encoder.emplace(kCodecName, QStringConverter::Flag::Stateless);
        m_decoder.emplace(kCodecName, QStringConverter::Flag::Stateless);
    }
    m_encoder->resetState();
    out = m_encoder->encode(text);
    if (m_encoder->hasError())
        return false;
    // The converter may put a substitute in place of a character it cannot
    // map without reporting it; only a round trip proves nothing was lost.
    m_decoder->resetState();
    return m_decoder->decode(out) == text && !m_decoder->hasError();
}

bool TScheduleCodec::Encode(const QString &text, QByteArray &out)
{
    if (IsPlain(text)) {
        out = text.toLatin1();
        return true;
    }
    return encodeFast(text, out) || cp932::encode(text, out);
}
