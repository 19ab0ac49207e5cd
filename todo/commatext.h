#pragma once

#include <QByteArray>
#include <QByteArrayView>
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

// The same two readings for a single separator, leaving the fields in the
// text: todo.dat is read at every start, and a copy of every field of every
// line was a large part of that reading.

struct TCommaField
{
    // A quoted field's text without its quotes; null for an empty quoted
    // field, which SplitCommaText gives as a null QByteArray.
    QByteArrayView bytes;
    // The quotes inside a quoted field are still doubled; UndoubleQuotes
    // gives its text.
    bool doubledQuotes = false;
};

// Gives the fields of SplitCommaText(text, separator) one at a time, and
// counts the separators CountSeparators counts on the way, so that a line is
// gone through once.
class TCommaReader
{
public:
    TCommaReader(QByteArrayView text, char separator) : m_text(text), m_separator(separator), m_done(text.isEmpty()) {}
    // False when there is no further field.
    bool next(TCommaField &field);
    // CountSeparators(text, separator); reads the fields not yet read.
    int countSeparators();

private:
    QByteArrayView m_text;
    char m_separator;
    qsizetype m_pos = 0;
    bool m_done;
    bool m_oddQuotes = false; // since the last separator counted
    int m_separators = 0;
};

// A quoted field's text with each doubled quote made one.
QByteArray UndoubleQuotes(QByteArrayView quoted);

// CountSeparators for a single separator.
int CountSeparators(QByteArrayView text, char separator);
