// Stand-ins for the subsystems that are not built yet. Each does the least
// its callers rely on, and each is deleted from this file when the real one
// lands; the file goes once it is empty.
#include "common/heap.h"
#include "common/message.h"
#include "engine/actions.h"
#include "engine/delayed.h"
#include "engine/registry.h"
#include "engine/system.h"
#include "engine/worker.h"
#include "script/model.h"
#include "startup/process.h"
#include "uninstall/log.h"
#include "uninstall/uninstall.h"
#include "wizard/drawing.h"
#include "wizard/wizard.h"

StringList RebootList, LeftoverList, PendingReplacements, PendingTargets, PendingShared;

// Until the worker exists an installation does nothing and succeeds.
DWORD WINAPI InstallWorker(void* page) {
  SetEvent(InstallFinishedEvent);
  PostMessageA(GetParent((HWND)page), WM_COMMAND, NextButton, 0);
  return 0;
}

// The worker's helpers, until the worker lands: folders are made without
// questions, and every question is asked as the worker would ask it.
DWORD CreateDirectoryPath(const char* path, HWND) {
  char* copy = DuplicateString(path, 0);
  for (char* cut = copy + 3; copy && cut <= copy + lstrlenA(copy); cut++) {
    if (*cut && *cut != '\\') continue;
    char kept = *cut;
    *cut = 0;
    if (CreateDirectoryA(copy, 0)) RecordLogLine("a", copy, true, false);
    *cut = kept;
  }
  FreeBlock(copy);
  return 0;
}
void ShowCurrentItem(const char*) {}
bool AskErrorQuestion(HWND owner, int index, const char* argument1, const char* argument2) {
  return ShowFormattedMessage(owner, Model.caption, LookupText(ErrorsGroup, index), argument1, argument2, 0,
                              MB_YESNO | MB_ICONERROR) == IDYES;
}

BOOL ScheduleReplace(const char*, const char*) { return FALSE; }

void CreateDrawingObjects() {}
void DestroyDrawingObjects() {}
HWND CreateBackgroundWindow(HINSTANCE) { return 0; }

// Until the wizard exists the frame closes at once, which ends the message loop.
INT_PTR CALLBACK WizardFrameProc(HWND window, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) {
    DestroyWindow(window);
    PostQuitMessage(0);
  }
  return FALSE;
}

INT_PTR CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

void StartUninstall(bool) {}
INT_PTR CALLBACK UninstallPageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
bool RestartWindows(bool) { return false; }
