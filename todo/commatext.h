#pragma once

#include <QByteArray>
#include <QList>

// The comma text of todo.dat and of the search's word lists. All three work on
// CP932 bytes: the comma, the blank and the double quote never occur as the
// trail byte of a two-byte character, so no lead-byte test is needed.

// Quotes a field that holds a character of `quoteSet` or a double quote
// (doubling the quotes inside it) and joins the fields with `separator`.
QByteArray JoinCommaText(const QList<QByteArray> &fields, char separator, const QByteArray &quoteSet);

// Reads fields up to each separator of `separators`. A field that starts with
// a double quote ends at the closing quote; anything between that and the next
// separator is dropped. An empty text has no fields; a trailing separator
// gives a final empty field.
QList<QByteArray> SplitCommaText(const QByteArray &text, const QByteArray &separators);

// Separators outside quotes: one counts when an even number of double quotes
// has been seen since the last counted one.
int CountSeparators(const QByteArray &text, const QByteArray &separators);
