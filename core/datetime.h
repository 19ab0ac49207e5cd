#pragma once

#include <QDate>
#include <QDateTime>

// Stored moments are the classic 64-bit real: days since 30 December 1899, the
// fraction being the time of day. 0 means "never" in remembered moments.
namespace qmdt {

double fromDateTime(const QDateTime &moment);
double fromDate(const QDate &date);
// An invalid QDateTime for 0 or for a value outside the calendar's range.
QDateTime toDateTime(double value);
QDate toDate(double value);

// Adds months keeping the day unless the target month is shorter.
QDate addMonthsClamped(const QDate &date, int months);

} // namespace qmdt
