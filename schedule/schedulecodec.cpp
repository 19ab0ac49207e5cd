#include "schedule/schedulecodec.h"

#include "core/cp932.h"

#include <array>
#include <cstddef>

namespace {

constexpr const char *kCodecName = "windows-31j";

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
    if (IsPlain(bytes))
        return QString::fromLatin1(bytes);
    // An unassigned code has no character in the table; such a text, like
    // anything unusual, takes the shared way.
    QString text;
    if (ordinaryTable().Decode(bytes, text))
        return text;
    return cp932::decode(bytes.toByteArray());
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
