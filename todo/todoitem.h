#pragma once

#include "schedule/alarmparts.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

// One ToDo item (備忘録). Moments are the stored day-count reals.
class TToDo
{
public:
    // `now` is what an unset limit holds, so a later "set the date" starts there.
    explicit TToDo(double now = 0) : LimitDateTime(now) {}

    bool Checked = false;
    bool Important = false;
    bool Urgent = false;
    QString Text;
    double LimitDateTime = 0;
    bool UseDate = false;
    bool UseTime = false; // only ever set together with UseDate
    // Of the shared notice record an item uses Kind (none, by days, by
    // minutes), Amount and LastAlerted.
    TPreviouseAlert PrevAlert;
    double AlarmedDateTime = 0; // 0 = never
    double CheckedDateTime = 0; // 0 = never recorded

    // "yy/mm/dd", or eight blanks without a limit date.
    QString LimitDateText() const;
    // "hh:nn", or "--:--" without a limit time.
    QString LimitTimeText() const;
    // The 13-field line of todo.dat, without its line end. False when the text
    // holds characters the file's code page cannot store.
    [[nodiscard]] bool ToFileLine(QByteArray &line) const;
};

namespace todofmt {
// A stored moment as the file writes it; 0 and values off the calendar are
// written as the day count's origin, 1899/12/30 00:00.
QDateTime Moment(double value);
// Lenient readers of what the file holds: "y/m/d", "h:m[:s]", and a date and
// a time separated by blanks. Invalid results on failure.
QDate ParseDate(const QString &text);
QTime ParseTime(const QString &text);
QDateTime ParseDateTime(const QString &text);
// Removes leading and trailing characters with codes up to 32.
QString TrimControls(const QString &text);
// The same readers over the ASCII bytes of a field of the file, which then
// need no decoding; each gives what its QString twin gives for those bytes.
QDate ParseDate(QLatin1StringView text);
QTime ParseTime(QLatin1StringView text);
QLatin1StringView TrimControls(QLatin1StringView text);
} // namespace todofmt
