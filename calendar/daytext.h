#pragma once

#include <QString>
#include <QStringList>

// The day's names joined the way the program has always shown and stored
// them: items separated by ",", an item holding a space, a control character,
// a double quote or a comma (or an empty item) enclosed in double quotes with
// inner quotes doubled.
QString DayCommaText(const QStringList &items);
