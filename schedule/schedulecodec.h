#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

// CP932 for the many short texts of one schedule file. Opening a converter is
// costly next to converting a line, so one load or save keeps a pair open and
// plain ASCII skips them; anything unusual goes the shared cp932 way, so the
// results are the same as everywhere else in the program.
class TScheduleCodec
{
public:
    TScheduleCodec();

    static bool IsPlain(QByteArrayView bytes);
    static bool IsPlain(const QString &text);

    QString Decode(QByteArrayView bytes);
    // False when the text holds a character CP932 cannot store.
    [[nodiscard]] bool Encode(const QString &text, QByteArray &out);

private:
    bool encodeFast(const QString &text, QByteArray &out);

    QStringDecoder m_decoder;
    QStringEncoder m_encoder;
};
