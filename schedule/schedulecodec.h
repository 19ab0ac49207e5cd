#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

// CP932 for the many short texts of one schedule file. Converting a line is
// cheap next to calling the converter for it: reading looks the characters
// of the ordinary rows up in a table the converter filled once, and a save
// keeps one pair of converters open, opened only when a text needs them.
// Plain ASCII skips both; anything unusual goes the shared cp932 way, so the
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

    std::optional<QStringDecoder> m_decoder;
    std::optional<QStringEncoder> m_encoder;
};
