#pragma once

#include "core/prompter.h"
#include "schedule/alarmtimer.h"

// The main window's steps around schedule.dat, with their messages.

// Loads the file when it exists (a missing file leaves the list empty without
// a word). An unknown header is an error box naming the path; any other damage
// the plain "予定を開けませんでした。". Both end with where the damaged file was
// kept. False when the file was damaged.
bool LoadSchedules(TAlarmTimer &timer, TPrompter &prompter, const QString &path);

// Saves with the safe replace; any failure is the error box
// "予定の保存に失敗しました" and leaves memory as it was.
bool SaveSchedules(const TAlarmTimer &timer, TPrompter &prompter, const QString &path);
