#pragma once

#include "schedule/alarmparts.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

// Recurrence kinds of a schedule (TAlarm::AlarmType). Each timed kind has an
// untimed twin at value + 5; atStartUp falls due when the program starts.
enum TAlarmType : quint8 {
    atEveryDay = 0,
    atWeekly = 1,
    atMonthly = 2,
    atDate = 3,
    atYearly = 4,
    atEveryDayNoTime = 5,
    atWeeklyNoTime = 6,
    atMonthlyNoTime = 7,
    atDateNoTime = 8,
    atYearlyNoTime = 9,
    atStartUp = 10,
};

enum TExecuteType : quint8 { etShellExecute = 0, etMessage = 1, etNothing = 2 };

// One calendar date split once, so that testing many schedules against the same
// date does not split it again for each (the calendar asks 42 dates at a time).
struct TDayParts
{
    int Year = 0;
    int Month = 0;
    int Day = 0;
    int Weekday = 0; // schedule numbering: 1 Sunday ... 7 Saturday

    TDayParts() = default;
    explicit TDayParts(const QDate &date);
};

// A schedule (予定). The fields are in the order the schedule file stores them.
class TAlarm
{
public:
    quint8 AlarmType = atDate;
    TAlarmDateTime AlarmDateTime;
    double LastAlarmed = 0.0; // stored date-time of the last alarm; 0 = never
    quint8 ExecuteType = etNothing;
    TShellExecute ShellExecute;
    quint8 Enabled = 1;      // the timer passes over 0
    QStringList Lines;       // the schedule text; the first line is its title
    TAlarmDateTime ReservedDateTime;
    quint8 Reserved1 = 0;
    quint8 HideFromShowSchedule = 0; // keeps it out of the upcoming window and the calendar marks
    double ReservedTime = 0.0;
    quint8 UseColor = 0;
    qint32 Color = 0; // 0x00BBGGRR, used when UseColor
    std::array<quint8, 7> Reserved{};

    // Copies every field except Reserved.
    void Assign(const TAlarm &source);

    // "毎日", "月水金曜日", "毎月05日", "2000/01/05", "毎年02/03"; empty for the
    // start-up kind and unknown kinds.
    QString DateText() const;
    // "09:05" for timed kinds; "毎日", "--:--" or "起動時" for the others.
    QString TimeText() const;
    // Whether the schedule falls on the date of `day` by its kind alone; Enabled
    // and HideFromShowSchedule are the caller's business. No month-end or leap
    // year adjustment: day 31 falls only in months that have one.
    bool IsAlarmDay(const QDate &day) const { return IsAlarmDay(TDayParts(day)); }
    bool IsAlarmDay(const QDateTime &moment) const { return IsAlarmDay(moment.date()); }
    bool IsAlarmDay(const TDayParts &day) const;
    // The same rule for a schedule of `type` set for `when`.
    static bool FallsOn(quint8 type, const TAlarmDateTime &when, const TDayParts &day);

    bool IsTimed() const { return AlarmType <= atYearly; }

    // The stored CP932 bytes of the record's texts as read, except plain
    // ASCII ones, by slot: 0-3 Operation, FileName, Parameters, Directory;
    // 4 + n line n. The writer reuses a slot's bytes while the text there is
    // still the one read: saving then neither alters what was not edited
    // (bytes that are not CP932, the code page's duplicate characters) nor
    // converts it again.
    struct TStoredText
    {
        int Slot;
        QString Text;
        QByteArray Bytes;
    };
    QList<TStoredText> StoredBytes;
};

// The record every list holds: a schedule with its advance notice.
class TAlarm2 : public TAlarm
{
public:
    TPreviouseAlert PreviouseAlert;

    using TAlarm::Assign;
    // Copies every field except Reserved, the notice included.
    void Assign(const TAlarm2 &source);
};

// "00" pattern: at least two digits.
QString TwoDigits(int value);

// The CP932 bytes of TimeText(), made without building the text, so that
// ordering thousands of schedules allocates nothing. Room for the longest
// time text ("65535:65535") and a short suffix a caller may add.
struct TTimeKey
{
    std::array<char, 16> Bytes{};
    quint8 Size = 0;

    void Append(const char *bytes, int n);
};
TTimeKey TimeKey(const TAlarm &alarm);
// Compares as unsigned bytes, a shorter key first when it is a prefix.
int CompareTimeKeys(const TTimeKey &a, const TTimeKey &b);

// The ordering of every list of one day's schedules: by time text, compared by
// the shared CP932 comparison, so 00:00 to 23:59 come in clock order. Ties keep
// list order.
bool AlarmTimeLess(const TAlarm &a, const TAlarm &b);
void SortByTimeText(QList<TAlarm2 *> &alarms);

// Lines joined by CR LF, as message boxes and the notification show them.
QString JoinedLines(const TAlarm &alarm);
