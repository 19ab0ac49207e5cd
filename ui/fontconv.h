#pragma once

#include "core/font.h"

#include <QColor>
#include <QFont>

// Stored colours to screen colours: system colours follow the desktop palette.
QColor ColorToQColor(TColor color);
// The nearest stored form of a screen colour (always explicit).
TColor QColorToColor(const QColor &color);

QFont FontSpecToQFont(const TFontSpec &fs);
// Keeps `color` (a QFont has none).
TFontSpec QFontToFontSpec(const QFont &font, TColor color);

// Reads a FONTS key onto a QFont and its colour; an empty value leaves both.
bool ReadFontSetting(const QString &key, QFont &font, QColor &color);
