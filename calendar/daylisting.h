#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

class TZoCustomDateEx;

// "DATE<TAB>KINDS<TAB>TEXT" for a date that is a holiday, a substitute or
// citizens' holiday, a special day or a day off; empty for any other date.
// KINDS lists holiday, furikae, special, dayoff in that order.
QString DayListingLine(const TZoCustomDateEx &dateEx, const QDate &date);
// The lines of every such date in [from, to], in date order.
QStringList DayListingLines(const TZoCustomDateEx &dateEx, const QDate &from, const QDate &to);
