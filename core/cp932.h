#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// Every stored text is in the Japanese Windows code page (CP932). These are the
// only places that convert.
namespace cp932 {

// Decodes CP932 bytes; bytes that are not CP932 become U+FFFD.
QString decode(QByteArrayView bytes);

// Encodes to CP932. Returns false (and leaves `out` partial) when the text holds
// a character CP932 cannot represent, so callers never drop text silently.
[[nodiscard]] bool encode(const QString &text, QByteArray &out);

// Encodes with '?' for unrepresentable characters; only for comparisons and
// measurements, never for what is written to a file.
QByteArray encodeLossy(const QString &text);

// The shared ordering of names and times in lists: the CP932 byte forms compared
// as unsigned bytes, and its ASCII-case-insensitive twin.
int compare(const QString &a, const QString &b);
int compareNoCase(const QString &a, const QString &b);

// Cuts `bytes` to at most `limit` bytes without leaving half a two-byte character.
QByteArray truncate(const QByteArray &bytes, int limit);

} // namespace cp932

// True for the lead byte of a two-byte CP932 character.
bool IsLeadByte(unsigned char b);
