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

QFont FontSpecToQFont(const TFontSpec &spec)
{
    QFont font;
    if (!spec.name.isEmpty())
        font.setFamily(spec.name);
    if (spec.size > 0)
        font.setPointSize(spec.size);
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    font.setStrikeOut(spec.strikeOut);
    return font;
}

TFontSpec QFontToFontSpec(const QFont &font, TColor color)
{
    TFontSpec spec;
    spec.name = font.family();
    spec.size = font.pointSize() > 0 ? font.pointSize() : 9;
    spec.bold = font.bold();
    spec.italic = font.italic();
    spec.underline = font.underline();
    spec.strikeOut = font.strikeOut();
    spec.color = color;
    return spec;
}

bool ReadFontSetting(const QString &key, QFont &font, QColor &color)
{
    TFontSpec spec = QFontToFontSpec(font, QColorToColor(color));
    if (!ReadFontSetting(key, spec))
        return false;
    font = FontSpecToQFont(spec);
    color = ColorToQColor(spec.color);
    return true;
}
