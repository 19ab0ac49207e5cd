#include "core/textfile.h"

#include "core/cp932.h"
#include "core/global.h"

#include <QFile>
#include <QFileInfo>

namespace {
// Nothing a person types into an organiser comes near this; a larger file is
// refused rather than exhausting memory.
constexpr qint64 kMaxTextBytes = 256LL * 1024 * 1024;
} // namespace

QString DecodeText(const QByteArray &bytes)
{
    QString text = cp932::decode(bytes);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

bool EncodeText(const QString &text, QByteArray &bytes)
{
    QString crlf = text;
    crlf.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    crlf.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return cp932::encode(crlf, bytes);
}

TTextLoad LoadTextFile(const QString &path)
{
    TTextLoad load;
    const QFileInfo info(path);
    if (!info.exists()) {
        load.ok = true;
        return load;
    }
    load.exists = true;
    load.busy = info.size() > kBusyCursorLoadBytes;
    if (info.size() > kMaxTextBytes) {
        load.error = QStringLiteral("ファイルが大きすぎます");
        return load;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        load.error = file.errorString();
        return load;
    }
    load.text = DecodeText(file.readAll());
    load.ok = file.error() == QFileDevice::NoError;
    if (!load.ok)
        load.error = file.errorString();
    return load;
}
