// Programs started and library functions called at the moments the script
// names: start-up, leaving a wizard page, the end of the run, uninstalling.
#include "engine/actions.h"
#include "common/heap.h"
#include "common/paths.h"
#include "common/text.h"
#include "engine/variables.h"

static int NumberOr(const char* text, int fallback) {
  return *text ? ParseNumber(text) : fallback;
}

void RunActions(StringList programs, StringList dllCalls) {
  // A run-once record leaves its list and steps the index back, so the
  // count is read again on every round.
  for (int index = 0; index < Count(programs); index++) {
    SplitExpanded(FieldList, GetItem(programs, index));
    RunProgram(Field(FieldList, 0), Field(FieldList, 1), Field(FieldList, 2), NumberOr(Field(FieldList, 3), 1),
               NumberOr(Field(FieldList, 4), 1), NumberOr(Field(FieldList, 5), 0), programs, &index);
  }
  for (int index = 0; index < Count(dllCalls); index++) {
    SplitExpanded(FieldList, GetItem(dllCalls, index));
    CallDllFunction(Field(FieldList, 0), Field(FieldList, 1), Field(FieldList, 2), Field(FieldList, 3),
                    NumberOr(Field(FieldList, 4), 1), dllCalls, &index);
  }
}

static void RemoveRanRecord(bool runOnce, StringList list, int* index) {
  if (runOnce && list && DeleteItem(list, *index)) --*index;
}

bool RunProgram(const char* program, const char* arguments, const char* folder, bool wait,
                bool runOnce, int window, StringList list, int* index) {
  int show = window == 1 ? SW_SHOWMINNOACTIVE : window == 2 ? SW_SHOWMAXIMIZED : SW_SHOW;
  char* workingFolder = DuplicateString(folder, 0);
  StripTrailingSlash(workingFolder);
  const char* directory = workingFolder && *workingFolder ? workingFolder : 0;
  bool ran = false;
  if (!lstrcmpiA(program, "open")) {
    ran = (INT_PTR)ShellExecuteA(GetDesktopWindow(), "open", arguments, 0, directory, show) > 32;
  } else {
    char* commandLine = ConcatStrings("\"", program, "\" ", arguments);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_FORCEONFEEDBACK;
    startup.wShowWindow = (WORD)show;
    PROCESS_INFORMATION process;
    ran = commandLine && CreateProcessA(0, commandLine, 0, 0, FALSE,
                                        CREATE_DEFAULT_ERROR_MODE | CREATE_NEW_PROCESS_GROUP | NORMAL_PRIORITY_CLASS,
                                        0, directory, &startup, &process);
    FreeBlock(commandLine);
    if (ran) {
      CloseHandle(process.hThread);
      // The wizard keeps repainting while it waits, but takes no input.
      while (wait && WaitForSingleObject(process.hProcess, 100) == WAIT_TIMEOUT) {
        MSG message;
        while (PeekMessageA(&message, 0, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageA(&message);
      }
      CloseHandle(process.hProcess);
    }
  }
  if (ran) RemoveRanRecord(runOnce, list, index);
  FreeBlock(workingFolder);
  return ran;
}

static bool IsRegistrationName(const char* name) {
  static const char names[] = "DllRegisterServer\0DllUnregisterServer\0TLBRegister\0TLBUnregister\0";
  for (const char* candidate = names; *candidate; candidate += lstrlenA(candidate) + 1)
    if (!lstrcmpA(name, candidate)) return true;
  return false;
}

bool CallDllFunction(const char* library, const char* function, const char* argument1,
                     const char* argument2, bool runOnce, StringList list, int* index) {
  HMODULE module = LoadLibraryA(library);
  if (!module) return false;
  FARPROC entry = GetProcAddress(module, function);
  if (entry) {
    if (IsRegistrationName(function)) {
      // A thread whose COM is set up differently refuses OLE: no registration then.
      HRESULT result = OleInitialize(0);
      if (result == S_OK || result == S_FALSE) {
        CallPreservingStack(entry, 0, 0, 0);
        OleUninitialize();
      }
    } else {
      CallPreservingStack(entry, !*argument1 ? 0 : !*argument2 ? 1 : 2, argument1, argument2);
    }
    RemoveRanRecord(runOnce, list, index);
  }
  FreeLibrary(module);
  return entry != 0;
}
