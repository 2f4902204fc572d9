#pragma once
// The uninstall run: finding the log, the two phases, the rollback of a
// failed installation, the leftover folders and the restart.
#include <windows.h>
#include "common/list.h"

extern StringList RebootList;      // files to delete at the next restart
extern StringList LeftoverList;    // folders that were not empty
extern bool RollingBack;           // a failed installation is being undone
// The uninstaller's own file, when a silent run's first process still runs
// from it (moved beside this copy, or where it was when it could not be
// moved): the deletion batch removes it, and then the folders that held
// it, once both processes have ended.
extern char* WaitingUninstaller;

// Reads the log and runs the first or the second phase, or with rollback
// undoes what the temporary log records; returns when that work is done.
void StartUninstall(bool rollback);
bool RestartWindows(bool force);
// Called as the process ends, after its last message: when a second phase
// ran, starts the deletion batch. The batch tries again and again until this
// process has ended; started before a message that waits for the user, it
// would keep a processor busy all that time.
void EndUninstall();
// Takes a file that could not be deleted as WaitingUninstaller when it is
// the uninstaller beside the log of a silent second phase; false otherwise.
bool LeaveToDeletionBatch(const char* path);
// Whether folder is one of the folders that hold WaitingUninstaller.
bool HoldsWaitingUninstaller(const char* folder);

// The uninstaller's dialog (slot 12, resources 141 and 161): its procedure
// handles the dialog's own commands, the tree and the uninstall worker, and
// hands everything else (texts, colours, painting) to the wizard's PageProc.
INT_PTR CALLBACK UninstallPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
