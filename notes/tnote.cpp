#include "notes/tnote.h"

#include "core/cp932.h"

#include <QDir>
#include <QFileInfo>

TSaveResult TNote::Save() const
{
    QString text;
    for (const QString &line : Lines)
        text += line + QStringLiteral("\r\n");
    QByteArray bytes;
    if (!cp932::encode(text, bytes))
        return TSaveResult{false, QStringLiteral("このファイルに保存できない文字が含まれています。")};
    QDir().mkpath(QFileInfo(FileName).absolutePath());
    return WriteFileAtomically(FileName, bytes);
}

QStringList TextLines(const QString &text)
{
    if (text.isEmpty())
        return {};
    QString normal = text;
    normal.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normal.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QStringList lines = normal.split(QLatin1Char('\n'));
    if (normal.endsWith(QLatin1Char('\n')))
        lines.removeLast();
    return lines;
}
