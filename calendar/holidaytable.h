#pragma once

class TZoDayItemList;

// Replaces the list's rules with the national holidays as the law has them.
void FillBuiltInHolidays(TZoDayItemList &list);
// The fifteen rules an old version of the program wrote; only for recognising
// a holidays.dat nobody has edited.
void FillOldHolidayTable(TZoDayItemList &list);
// True when the list is exactly that old table, in its order.
bool IsUntouchedOldHolidayTable(const TZoDayItemList &list);
