#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>

#include <optional>

// CP932 for the many short texts of one schedule file. Plain ASCII needs no
// converting; reading takes the shared cp932 way, and a save keeps one pair
// of converters open, opened only when a text needs them (opening one costs
// more than converting a line), with anything unusual again going the shared
// way, so the results are the same as everywhere else in the program.
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
