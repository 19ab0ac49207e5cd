#pragma once

#include <QString>
#include <QtGlobal>

// The small parts a schedule is built from. TPreviouseAlert is shared with the
// ToDo items, which give advance notices by the same rules.

// The date and time fields of a schedule. Which fields a schedule uses depends
// on its kind (TAlarm::AlarmType).
struct TAlarmDateTime
{
    quint16 Year = 0;
    quint16 Month = 0;  // 1-12
    quint16 Day = 0;    // 1-31
    quint16 Hour = 0;   // 0-23
    quint16 Minute = 0; // 0-59
    // Bit n (n = 1..7) chooses weekday number n, 1 being Sunday. Bit 0 is set in
    // a new record and cleared once the editor stores a weekly schedule's days;
    // only navigation looks at it.
    quint8 DaysOfWeek = 0x01;

    void Assign(const TAlarmDateTime &source) { *this = source; }
    bool HasWeekday(int weekdayNumber) const
    {
        return weekdayNumber >= 1 && weekdayNumber <= 7 && (DaysOfWeek & (1u << weekdayNumber)) != 0;
    }
    bool operator==(const TAlarmDateTime &) const = default;
};

// Weekday number of a schedule: 1 Sunday ... 7 Saturday (QDate's 1 Monday ...
// 7 Sunday shifted).
inline int ScheduleWeekdayNumber(int qtDayOfWeek)
{
    return qtDayOfWeek % 7 + 1;
}

// The file a schedule starts when it falls due. The fields mirror the classic
// shell launch call, so stored files keep them all.
struct TShellExecute
{
    // There is no desktop window handle here; new records store 0 and records
    // read from a file keep what they had.
    qint32 Handle = 0;
    QString Operation = QStringLiteral("open");
    QString FileName;
    QString Parameters;
    QString Directory;
    qint32 ShowCmd = 5; // 5 normal, 3 maximised, 2 minimised

    void Assign(const TShellExecute &source) { *this = source; }
    bool operator==(const TShellExecute &) const = default;
};

enum TAlertKind : quint8 { NoAlert = 0, AlertByDays = 1, AlertByHours = 2, AlertByMinutes = 3 };

// An advance notice (事前通知): how far ahead, and when it was last given.
struct TPreviouseAlert
{
    quint8 Kind = NoAlert;        // TAlertKind; other stored values give no notice
    qint32 Amount = 0;            // days, hours or minutes ahead
    TAlarmDateTime AlertDateTime; // stored and copied only
    double LastAlerted = 0.0;     // stored date-time; 0 = never

    void Assign(const TPreviouseAlert &source) { *this = source; }
    bool operator==(const TPreviouseAlert &) const = default;
};
