#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

// CP932 for the many short texts of one schedule file. Opening a converter is
// costly next to converting a line, so one load or save keeps a pair open;
// pure ASCII, the common case, skips them.
class TScheduleCodec
{
public:
    TScheduleCodec();

    QString Decode(const QByteArray &bytes);
    // True when the bytes come back unchanged from their decoded text.
    bool RoundTrips(const QByteArray &bytes, const QString &decoded);
    // False when the text holds a character CP932 cannot store.
    [[nodiscard]] bool Encode(const QString &text, QByteArray &out);

private:
    QStringDecoder m_decoder;
    QStringEncoder m_encoder;
};
