#pragma once
// Replacing and deleting files at the next restart.
#include <windows.h>
#include "common/list.h"

// Files the install worker could not replace because they were in use, in
// three lists side by side: the temporary file that takes the target's place
// at restart, the target, and "1" when it belongs to a shared group, else "0".
extern StringList PendingReplacements;
extern StringList PendingTargets;
extern StringList PendingShared;

// Asks the system to move source over target at the next restart, or to
// delete source then when target is null. Non-zero when the request was
// recorded by one of the three mechanisms.
BOOL ScheduleReplace(const char* source, const char* target);
