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

// The two mechanisms for systems without the native request (Windows 9x):
// a "command.com /c move" command in the RunOnce key, named by the source;
// and a "target=source" line (short names, NUL for no target) at the end of
// the [Rename] section of wininit.ini, which is made when missing.
BOOL AddRunOnceMove(const char* source, const char* target);
BOOL AddRenameLine(const char* source, const char* target);
// An 8.3 name: at most eight characters before the first dot and at most
// three after it.
bool IsShortName(const char* name);
