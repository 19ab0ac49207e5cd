#include "schedule/scheduleio.h"

bool LoadSchedules(TAlarmTimer &timer, TPrompter &prompter, const QString &path)
{
    const TScheduleLoadResult result = timer.LoadFromFile(path, true);
    switch (result.state) {
    case TScheduleLoadResult::InvalidHeader:
        prompter.Error(result.message);
        return false;
    case TScheduleLoadResult::ReadError:
        // The classic plain message, not an error box.
        prompter.Info(result.message);
        return false;
    default:
        return true;
    }
}

bool SaveSchedules(const TAlarmTimer &timer, TPrompter &prompter, const QString &path)
{
    const TSaveResult result = timer.SaveToFile(path);
    if (!result.ok)
        prompter.Error(ScheduleSaveErrorText());
    return result.ok;
}
