#include "core/cp932.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace cp932 {

namespace {
constexpr const char *kCodecName = "windows-31j";
}

QString decode(const QByteArray &bytes)
{
    QStringDecoder decoder(kCodecName);
    QString text = decoder.decode(bytes);
    return text;
}

bool encode(const QString &text, QByteArray &out)
{
    QStringEncoder encoder(kCodecName, QStringConverter::Flag::Stateless);
    out = encoder.encode(text);
    if (encoder.hasError())
        return false;
    // ICU substitutes 0x1A or '?' for unmappable characters without always
    // flagging an error, so check by round trip.
    return decode(out) == text;
}

QByteArray encodeLossy(const QString &text)
{
    QStringEncoder encoder(kCodecName);
    return encoder.encode(text);
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
