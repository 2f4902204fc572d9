#pragma once
#include <windows.h>
#include "common/list.h"

extern StringList RebootList;      // files to delete at the next restart
extern StringList LeftoverList;    // folders that were not empty

void StartUninstall(bool rollback);
bool RestartWindows(bool force);
