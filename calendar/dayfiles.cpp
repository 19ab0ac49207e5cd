#include "calendar/dayfiles.h"

#include "calendar/dateex.h"
#include "calendar/holidaytable.h"
#include "core/appglobal.h"
#include "core/global.h"
#include "core/prompter.h"
#include "core/safefile.h"
#include "core/settingskeys.h"

namespace {

QString holidaySaveError()
{
    return QStringLiteral("祝日の設定ファイルの保存に失敗しました。");
}

// Reports a file that could not be read. The program keeps a copy of it
// first, so that the next save of the list cannot destroy what is left.
void reportDamaged(TPrompter &prompter, TDayFilesAccess access, const QString &message, const QString &path,
                   const QByteArray &bytes)
{
    if (access == TDayFilesAccess::ReadOnly) {
        prompter.Error(message);
        return;
    }
    const QString copy = KeepDamagedFile(path, bytes);
    prompter.Error(message + QStringLiteral("\r\n") + DamagedCopyNote(copy));
}

bool loadHolidays(TZoDayItemList &list, TPrompter &prompter, TDayFilesAccess access)
{
    const QString path = Global().HolidayFile();
    const TDayLoadResult loaded = list.LoadFromFile(path);
    const bool write = access == TDayFilesAccess::ReadWrite;
    if (!loaded.exists) {
        FillBuiltInHolidays(list);
        if (write && !list.SaveToFile(path).ok) {
            prompter.Error(holidaySaveError());
            return false;
        }
        return true;
    }
    if (!loaded.ok) {
        reportDamaged(prompter, access, HolidayFileLoadError(), path, loaded.bytes);
        return false;
    }
    if (!IsUntouchedOldHolidayTable(list))
        return true;
    // Nobody edited the table an old version wrote, and it is wrong for every
    // year since 2000: replace it with the law's, keeping the old file.
    FillBuiltInHolidays(list);
    if (!write)
        return true;
    QByteArray bytes;
    if (!list.SaveToBytes(bytes) || !WriteFileAtomically(BackupFileName(path), loaded.bytes).ok ||
        !WriteFileAtomically(path, bytes).ok) {
        prompter.Error(holidaySaveError());
        return false;
    }
    return true;
}

bool loadUserList(TZoDayItemList &list, const QString &path, const QString &message, TPrompter &prompter,
                  TDayFilesAccess access)
{
    const TDayLoadResult loaded = list.LoadFromFile(path);
    if (!loaded.exists) {
        // A list never travels from one data folder into another.
        list.Clear();
        return true;
    }
    if (!loaded.ok) {
        reportDamaged(prompter, access, message, path, loaded.bytes);
        return false;
    }
    return true;
}

} // namespace

QString HolidayFileLoadError()
{
    return QStringLiteral("祝日の設定ファイルの読み込みに失敗しました。");
}

QString DayOffFileLoadError()
{
    return QStringLiteral("休日設定ファイルの読み込みに失敗しました。");
}

QString SpecialDayFileLoadError()
{
    return QStringLiteral("特別な日設定ファイルの読み込みに失敗しました。");
}

void ApplyDaySettings(TZoCustomDateEx &dateEx)
{
    dateEx.SetAutoEquinox(ReadSettingBool(sk::SETTINGS, "EQUINOX"));
    dateEx.SetAutoFurikae(ReadSettingBool(sk::SETTINGS, "FURIKAE"));
    dateEx.SetAutoKokumin(ReadSettingBool(sk::SETTINGS, "KOKUMIN"));
}

bool LoadDayFiles(TZoCustomDateEx &dateEx, TPrompter &prompter, TDayFilesAccess access)
{
    bool ok = loadHolidays(*dateEx.HolidayList(), prompter, access);
    ok = loadUserList(*dateEx.CustomDayOffList(), Global().DayOffFile(), DayOffFileLoadError(), prompter, access) && ok;
    ok = loadUserList(*dateEx.SpecialDayList(), Global().SpecialDayFile(), SpecialDayFileLoadError(), prompter,
                      access) &&
         ok;
    ApplyDaySettings(dateEx);
    return ok;
}
