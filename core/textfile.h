#pragma once

#include "core/safefile.h"

#include <QString>

struct TTextLoad
{
    bool exists = false;
    bool ok = false;       // read and decoded
    bool busy = false;     // large enough to deserve the busy cursor
    QString text;          // line ends as '\n'
    QString error;
};

// Reads a CP932 text file of any content: undecodable bytes become U+FFFD,
// CR LF and lone CR become '\n'. A missing file is !exists with ok set.
TTextLoad LoadTextFile(const QString &path);

// CP932 with CR LF. False when the text holds characters CP932 cannot store.
[[nodiscard]] bool EncodeText(const QString &text, QByteArray &bytes);
QString DecodeText(const QByteArray &bytes);
