#include "bench/gendata.h"

#include "core/datetime.h"
#include "schedule/alarmtimer.h"

#include <cstdio>

namespace {

constexpr int kScheduleCount = 10000;

quint16 pick(QRandomGenerator &rng, int lo, int hi)
{
    return static_cast<quint16>(lo + static_cast<int>(rng.bounded(hi - lo + 1)));
}

TAlarm2 makeSchedule(QRandomGenerator &rng, int index)
{
    TAlarm2 a;
    // Every kind, with the dated ones most common, as in a real diary.
    static const quint8 kinds[] = {0, 1, 1, 2, 3, 3, 3, 3, 3, 4, 5, 6, 7, 8, 8, 8, 9, 10};
    a.AlarmType = kinds[rng.bounded(int(sizeof kinds))];
    TAlarmDateTime &adt = a.AlarmDateTime;
    adt.Year = pick(rng, 2020, 2030);
    adt.Month = pick(rng, 1, 12);
    adt.Day = pick(rng, 1, 28);
    if (rng.bounded(20) == 0)
        adt.Day = pick(rng, 29, 31);
    adt.Hour = pick(rng, 6, 22);
    adt.Minute = static_cast<quint16>(rng.bounded(12) * 5);
    if (a.AlarmType == atWeekly || a.AlarmType == atWeeklyNoTime)
        adt.DaysOfWeek = static_cast<quint8>((rng.bounded(127) + 1) << 1);
    const int lines = 1 + static_cast<int>(rng.bounded(3));
    for (int i = 0; i < lines; ++i)
        a.Lines << GenSentence(rng, 4, 40);
    if (rng.bounded(10) == 0) {
        a.ExecuteType = etShellExecute;
        a.ShellExecute.FileName = QStringLiteral("/home/user/文書/資料%1.txt").arg(index);
    }
    if (rng.bounded(3) == 0) {
        a.PreviouseAlert.Kind = static_cast<quint8>(1 + rng.bounded(3));
        a.PreviouseAlert.Amount = 1 + static_cast<qint32>(rng.bounded(a.PreviouseAlert.Kind == AlertByDays ? 7 : 120));
    }
    a.HideFromShowSchedule = rng.bounded(20) == 0 ? 1 : 0;
    if (rng.bounded(5) == 0) {
        a.UseColor = 1;
        a.Color = static_cast<qint32>(rng.bounded(0x1000000));
    }
    if (rng.bounded(2) == 0)
        a.LastAlarmed = qmdt::fromDateTime(QDateTime(QDate(2024, 1, 1).addDays(rng.bounded(700)), QTime(adt.Hour % 24, adt.Minute % 60)));
    return a;
}

const TGenRegistrar reg(20, "schedules", [](const QString &folder, QRandomGenerator &rng) {
    TAlarmTimer timer;
    for (int i = 0; i < kScheduleCount; ++i)
        timer.AlarmList().Add(makeSchedule(rng, i));
    const TSaveResult saved = timer.SaveToFile(folder + QStringLiteral("schedule.dat"));
    if (!saved.ok)
        std::fprintf(stderr, "schedule.dat: %s\n", qPrintable(saved.error));
});

} // namespace
