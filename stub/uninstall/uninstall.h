#pragma once
// The uninstall run: finding the log, the two phases, the rollback of a
// failed installation, the leftover folders and the restart.
#include <windows.h>
#include "common/list.h"

extern StringList RebootList;      // files to delete at the next restart
extern StringList LeftoverList;    // folders that were not empty

// Reads the log and runs the first or the second phase, or with rollback
// undoes what the temporary log records; returns when that work is done.
void StartUninstall(bool rollback);
bool RestartWindows(bool force);

// The uninstaller's dialog (slot 12, resources 141 and 161): its procedure
// handles the dialog's own commands, the tree and the uninstall worker, and
// hands everything else (texts, colours, painting) to the wizard's PageProc.
INT_PTR CALLBACK UninstallPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
