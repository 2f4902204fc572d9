#include "startup/process.h"
#include "common/access.h"
#include "common/heap.h"
#include "common/message.h"
#include "common/paths.h"
#include "common/text.h"
#include "engine/variables.h"
#include "script/model.h"
#include "startup/switches.h"
#include "uninstall/uninstall.h"
#include "wizard/drawing.h"
#include <commctrl.h>

HINSTANCE ModuleHandle;
char* ModulePath;
char* ModuleFolder;
char* TemporaryFolder;
HANDLE OwnFile = INVALID_HANDLE_VALUE;
HMODULE RichEditModule;
StringList LanguageNames;
HANDLE UninstallFinishedEvent;
HANDLE InstallFinishedEvent;
HANDLE WorkerGateEvent;
int LastPageIndex = -1;
bool InstallSucceeded = true;
bool RebootRequired;
bool RestartChosen;
bool DelayedReplacementsPending;

const DWORD LongPathBuffer = 32767;

static bool Fail(const char* text, const char* argument) {
  ShowFormattedMessage(0, "Corvelsetup", text, argument, 0, 0, MB_ICONERROR);
  return false;
}

static bool CreateProcessObjects() {
  InitCommonControls();
  if (!PrivateHeap && !(PrivateHeap = HeapCreate(0, 0, 0)))
    return Fail(SystemErrorText(GetLastError()), 0);
  if (!(ModuleHandle = GetModuleHandleA(0))) return Fail("Error retrieving the module handle.", 0);

  const char* library = 0;
  if (!LoadSecurityFunctions()) library = "advapi32.dll";
  else if (!LoadListFunctions()) library = "commctl32.dll";
  else if (!LoadShellFolderFunctions()) library = "shell32.dll";
  else if (!(RichEditModule = LoadSystemLibrary("RichEd32.Dll"))) library = "riched32.dll";
  if (library) return Fail("Error loading %s library.", library);

  UninstallFinishedEvent = CreateEventA(0, TRUE, FALSE, 0);
  InstallFinishedEvent = CreateEventA(0, TRUE, FALSE, 0);
  WorkerGateEvent = CreateEventA(0, TRUE, TRUE, 0);
  if (!UninstallFinishedEvent || !InstallFinishedEvent || !WorkerGateEvent)
    return Fail("Error creating an event handle.", 0);

  CreateList(&FieldList, 15);
  if (!(Model.languageIds = (StringList)PointerArray.Create(10))) return Fail("Error creating DPA.", 0);
  // The outcome is not examined: without a token the access check reports
  // its error and callers treat the object as accessible.
  ImpersonateSelf(SecurityImpersonation);
  OpenThreadToken(GetCurrentThread(), TOKEN_ALL_ACCESS, TRUE, &SecurityToken);
  CreateList(&LanguageNames, 5);
  CreateModelLists();
  CreateVariableTable();
  FillFolderCache();
  LastPageIndex = -1;
  return true;
}

static void FillLanguageNames() {
  char* name = (char*)AllocateBlock(LongPathBuffer);
  if (!name) return;
  for (int id = 1; id < LanguageCount; id++) {
    if (!GetLocaleInfoA(id, LOCALE_SENGLANGUAGE, name, LongPathBuffer)) continue;
    char* blank = FindChar(name, ' ', -1, true);
    if (blank) *blank = 0;
    SetItem(LanguageNames, id, name);
  }
  FreeBlock(name);
}

bool RunStartupStep(int step) {
  switch (step) {
    case 0:
      return CreateProcessObjects();
    case 1:
      CreateDrawingObjects();
      return true;
    case 2:
      FillLanguageNames();
      return true;
    case 3:
      ModulePath = (char*)AllocateBlock(LongPathBuffer);
      if (ModulePath && GetModuleFileNameA(ModuleHandle, ModulePath, LongPathBuffer)) return true;
      FreeBlock(ModulePath);
      ModulePath = 0;
      return Fail("Error retrieving the installer module path.", 0);
    case 4:
      ModuleFolder = ParentPath(ModulePath);
      return true;
    case 5: {
      DWORD length = GetTempPathA(0, 0);
      TemporaryFolder = (char*)AllocateBlock(length + 1);
      if (!TemporaryFolder || !length || !GetTempPathA(length + 1, TemporaryFolder)) {
        FreeBlock(TemporaryFolder);
        TemporaryFolder = 0;
        return Fail("Error getting temporary path.", 0);
      }
      StripTrailingSlash(TemporaryFolder);
      return true;
    }
    case 6:
      OwnFile = CreateFileA(ModulePath, GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING,
                            FILE_FLAG_SEQUENTIAL_SCAN, 0);
      if (OwnFile != INVALID_HANDLE_VALUE) return true;
      return Fail("Error opening itself.", 0);
  }
  return true;
}

static void CloseHandleOnce(HANDLE* handle, HANDLE empty) {
  if (*handle != empty) CloseHandle(*handle);
  *handle = empty;
}

void Cleanup() {
  DestroyDrawingObjects();
  if (RichEditModule) FreeLibrary(RichEditModule);
  RichEditModule = 0;
  if (Model.languageIds && PointerArray.Destroy) PointerArray.Destroy(Model.languageIds);
  Model.languageIds = 0;
  if (PointerArray.Destroy) {
    DestroyModel();
    DestroyVariableTable();
    DestroyList(&LanguageNames);
    DestroyList(&FieldList);
  }
  char** strings[] = {&ModulePath, &ModuleFolder, &TemporaryFolder, &WaitingUninstaller};
  for (char** string : strings) {
    FreeBlock(*string);
    *string = 0;
  }
  FreeSwitches();
  CloseHandleOnce(&OwnFile, INVALID_HANDLE_VALUE);
  CloseHandleOnce(&UninstallFinishedEvent, 0);
  CloseHandleOnce(&InstallFinishedEvent, 0);
  CloseHandleOnce(&WorkerGateEvent, 0);
  CloseHandleOnce(&SecurityToken, 0);
  ReleaseShellFolderFunctions();
  ReleaseListFunctions();
  ReleaseSecurityFunctions();
  if (PrivateHeap) HeapDestroy(PrivateHeap);
  PrivateHeap = 0;
}
