#pragma once

#include "schedule/alarmlist.h"

#include <QByteArray>
#include <QString>

#include <atomic>

// schedule.dat: little-endian fixed-layout records, texts in CP932.
inline constexpr quint32 kScheduleFileVersion = 19740216;    // with advance notices
inline constexpr quint32 kScheduleFileOldVersion = 19700517; // before advance notices
// A schedule file beyond this is not one this program wrote; reading it whole
// into memory is refused rather than risked.
inline constexpr qint64 kMaxScheduleFileBytes = 64 * 1024 * 1024;

// The tail of the file, which nothing reads but every save writes back.
struct TScheduleFileTail
{
    qint32 ReservedInteger = 0;
    double ReservedReal = 0.0;
    QByteArray ReservedText; // kept as stored bytes
};

struct [[nodiscard]] TScheduleReadResult
{
    enum Status { Ok, InvalidHeader, ReadError };
    Status status = Ok;
    quint32 version = 0; // the version read, when the header was recognised
    bool ok() const { return status == Ok; }
};

// Reads a whole file image into `list` and `tail`. An unknown version (and an
// image too short to hold one, reported as a read error) leaves both untouched. Otherwise the list is emptied first, and on a read error it
// keeps the records read completely before the damage (the tail is then
// reset). Start-up schedules come back with LastAlarmed 0 so they fire again.
// Counts and lengths that cannot fit in the rest of the bytes fail at once.
// A raised `stop` ends the reading between records, as a read error.
TScheduleReadResult ReadScheduleStream(const QByteArray &bytes, TAlarmList &list, TScheduleFileTail &tail,
                                       const std::atomic<bool> *stop = nullptr);

// The image of the current version. False (with `out` partial) when a text
// holds characters CP932 cannot store: saving must not drop them silently.
[[nodiscard]] bool WriteScheduleStream(const TAlarmList &list, const TScheduleFileTail &tail, QByteArray &out);

// What loading schedule.dat came to, with the program's message for the user.
struct [[nodiscard]] TScheduleLoadResult
{
    enum State { Missing, Loaded, InvalidHeader, ReadError };
    State state = Missing;
    QString message;    // empty unless the file was damaged
    QString keptCopy;   // where the damaged file was kept aside, if it was
    bool ok() const { return state == Missing || state == Loaded; }
};

// The user's texts for the failures.
QString ScheduleHeaderErrorText(const QString &path); // "...は\r\nQuillmereのﾃﾞｰﾀﾌｧｲﾙでないか、壊れています。"
QString ScheduleReadErrorText();                      // "予定を開けませんでした。"
QString ScheduleSaveErrorText();                      // "予定の保存に失敗しました"
