// Stand-ins for the subsystems that are not built yet. Each does the least
// its callers rely on, and each is deleted from this file when the real one
// lands; the file goes once it is empty.
#include "common/heap.h"
#include "engine/actions.h"
#include "engine/delayed.h"
#include "engine/registry.h"
#include "engine/system.h"
#include "engine/worker.h"
#include "script/model.h"
#include "startup/process.h"
#include "uninstall/uninstall.h"

StringList RebootList, LeftoverList, PendingReplacements, PendingTargets, PendingShared;

// Until the worker exists an installation does nothing and succeeds.
DWORD WINAPI InstallWorker(void* page) {
  SetEvent(InstallFinishedEvent);
  PostMessageA(GetParent((HWND)page), WM_COMMAND, NextButton, 0);
  return 0;
}

bool ApplyShortcutRecord(const char*, HWND, StringList) { return true; }
bool ApplyRegistryRecord(const char*, HWND, StringList) { return true; }
bool ApplyIniRecord(const char*, HWND, StringList) { return true; }
bool ApplyAssociationRecord(const char*, HWND, StringList) { return true; }

void RunActions(StringList, StringList) {}
bool RunProgram(const char*, const char*, const char*, bool, bool, int, StringList, int*) { return false; }
bool CallDllFunction(const char*, const char*, const char*, const char*, bool, StringList, int*) { return false; }
DWORD DeleteRegistryKeyTree(HKEY, const char*, bool) { return ERROR_CALL_NOT_IMPLEMENTED; }
const char* RootKeyName(HKEY) { return ""; }
BOOL ScheduleReplace(const char*, const char*) { return FALSE; }

void StartUninstall(bool) {}
INT_PTR CALLBACK UninstallPageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
bool RestartWindows(bool) { return false; }
