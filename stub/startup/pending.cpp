// Stand-ins for the subsystems that are not built yet. Each does the least
// its callers rely on, and each is deleted from this file when the real one
// lands; the file goes once it is empty.
#include "common/heap.h"
#include "engine/actions.h"
#include "engine/delayed.h"
#include "engine/variables.h"
#include "requirements/requirements.h"
#include "script/model.h"
#include "uninstall/uninstall.h"
#include "wizard/drawing.h"
#include "wizard/wizard.h"

StringList VariableNames, VariableValues, FolderCache;
StringList RebootList, LeftoverList, PendingReplacements;

bool CreateVariableTable() {
  return CreateList(&VariableNames, 5) && CreateList(&VariableValues, 5) && CreateList(&FolderCache, 5);
}
void DestroyVariableTable() {
  DestroyList(&VariableNames);
  DestroyList(&VariableValues);
  DestroyList(&FolderCache);
}
char* GetVariable(const char*) { return 0; }
bool SetVariable(const char*, const char*) { return false; }
char* ExpandVariables(const char* text) { return DuplicateString(text, 0); }
char* ExpandFolderKeywords(const char* text) { return DuplicateString(text, 0); }
bool LoadShellFolderFunctions() { return true; }
void ReleaseShellFolderFunctions() {}
void FillFolderCache() {}

void LoadScriptRecord(DWORD, const BYTE*) {}

void CollectPlatformFacts() {}
int CheckRequirements() { return 0; }
const char* RecordedRequirementName(int) { return 0; }

void RunActions(StringList, StringList) {}
bool RunProgram(const char*, const char*, const char*, bool, bool, int, StringList, int*) { return false; }
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

void StartUninstall(bool) {}
bool RestartWindows(bool) { return false; }
