#pragma once
// Replacing and deleting files at the next restart.
#include <windows.h>
#include "common/list.h"

// Files the install worker could not replace because they were in use: each
// item is the temporary file that takes the target's place at restart.
extern StringList PendingReplacements;

BOOL ScheduleReplace(const char* source, const char* target);
