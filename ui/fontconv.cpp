#include "ui/fontconv.h"

#include <QGuiApplication>
#include <QPalette>

namespace {

// The classic system colour indexes mapped onto the desktop's palette roles.
QColor systemColor(int index)
{
    const QPalette pal = QGuiApplication::palette();
    switch (index) {
    case 1: // desktop
    case 2: // active caption
    case 13: // highlight
        return pal.color(QPalette::Highlight);
    case 9: // caption text
    case 14: // highlight text
        return pal.color(QPalette::HighlightedText);
    case 4: // menu
    case 15: // button face
    case 22: // 3D light
        return pal.color(QPalette::Button);
    case 5: // window
        return pal.color(QPalette::Base);
    case 6: // window frame
    case 21: // 3D dark shadow
        return pal.color(QPalette::Shadow);
    case 7: // menu text
    case 18: // button text
        return pal.color(QPalette::ButtonText);
    case 8: // window text
        return pal.color(QPalette::Text);
    case 16: // button shadow
        return pal.color(QPalette::Mid);
    case 17: // grey text
        return pal.color(QPalette::Disabled, QPalette::Text);
    case 20: // button highlight
        return pal.color(QPalette::Light);
    case 23: // info text
        return pal.color(QPalette::ToolTipText);
    case 24: // info background
        return pal.color(QPalette::ToolTipBase);
    default:
        return pal.color(QPalette::Window);
    }
}

} // namespace

QColor ColorToQColor(TColor color)
{
    if (clr::isSystem(color))
        return systemColor(clr::systemIndex(color));
    return QColor(clr::red(color), clr::green(color), clr::blue(color));
}

TColor QColorToColor(const QColor &color)
{
    return clr::fromRgb(color.red(), color.green(), color.blue());
}

QFont FontSpecToQFont(const TFontSpec &fs)
{
    QFont font;
    if (!fs.name.isEmpty())
        font.setFamily(fs.name);
    if (fs.size > 0)
        font.setPointSize(fs.size);
    font.setBold(fs.bold);
    font.setItalic(fs.italic);
    font.setUnderline(fs.underline);
    font.setStrikeOut(fs.strikeOut);
    return font;
}

TFontSpec QFontToFontSpec(const QFont &font, TColor color)
{
    TFontSpec fs;
    fs.name = font.family();
    fs.size = font.pointSize() > 0 ? font.pointSize() : 9;
    fs.bold = font.bold();
    fs.italic = font.italic();
    fs.underline = font.underline();
    fs.strikeOut = font.strikeOut();
    fs.color = color;
    return fs;
}

bool ReadFontSetting(const QString &key, QFont &font, QColor &color)
{
    TFontSpec fs = QFontToFontSpec(font, QColorToColor(color));
    if (!ReadFontSetting(key, fs))
        return false;
    font = FontSpecToQFont(fs);
    color = ColorToQColor(fs.color);
    return true;
}
