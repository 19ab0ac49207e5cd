#include "core/font.h"

#include "core/settingskeys.h"

#include <QStringList>

QString FontToString(const TFontSpec &font)
{
    const QString sep = QStringLiteral("\", \"");
    return QLatin1Char('"') + font.name + sep + QString::number(font.size) + sep + QString::number(font.bold ? 1 : 0)
        + sep + QString::number(font.italic ? 1 : 0) + sep + QString::number(font.underline ? 1 : 0) + sep
        + QString::number(font.strikeOut ? 1 : 0) + sep + QString::number(font.color) + sep
        + QString::number(font.charset) + QLatin1Char('"');
}

QStringList SplitFontItems(const QString &text)
{
    QStringList items;
    int i = 0;
    const int n = text.size();
    auto skipBlanks = [&] {
        while (i < n && text[i].unicode() <= ' ')
            ++i;
    };
    skipBlanks();
    while (i < n) {
        QString item;
        if (text[i] == QLatin1Char('"')) {
            ++i;
            while (i < n) {
                if (text[i] == QLatin1Char('"')) {
                    if (i + 1 < n && text[i + 1] == QLatin1Char('"')) {
                        item += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            while (i < n && text[i].unicode() > ' ' && text[i] != QLatin1Char(','))
                item += text[i++];
        }
        items << item;
        skipBlanks();
        if (i < n && text[i] == QLatin1Char(',')) {
            ++i;
            skipBlanks();
            if (i >= n)
                items << QString(); // a trailing comma leaves an empty item
        }
    }
    return items;
}

void StringToFont(TFontSpec &font, const QString &text)
{
    const QStringList items = SplitFontItems(text);
    font.charset = 128;
    const auto count = items.size();
    if (count >= 1)
        font.name = items[0];
    if (count >= 2) {
        bool ok = false;
        const int size = items[1].toInt(&ok);
        if (!ok)
            return;
        font.size = size;
    }
    font.bold = font.italic = font.underline = font.strikeOut = false;
    if (count >= 3)
        font.bold = items[2] == QLatin1String("1");
    if (count >= 4)
        font.italic = items[3] == QLatin1String("1");
    if (count >= 5)
        font.underline = items[4] == QLatin1String("1");
    if (count >= 6)
        font.strikeOut = items[5] == QLatin1String("1");
    if (count >= 7) {
        int color = 0;
        if (!TProfileFile::parseInteger(items[6], color))
            return;
        font.color = color;
    }
}

bool ReadFontSetting(const QString &key, TFontSpec &font)
{
    const QString value = SettingsFile().readString(QString::fromLatin1(sk::FONTS), key, QString());
    if (value.isEmpty())
        return false;
    StringToFont(font, QLatin1Char('"') + value + QLatin1Char('"'));
    return true;
}

void WriteFontSetting(const QString &key, const TFontSpec &font)
{
    SettingsFile().writeString(QString::fromLatin1(sk::FONTS), key, FontToString(font));
}
