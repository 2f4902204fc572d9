// The uninstall run: the log named on the command line or lying beside the
// uninstaller, the question and the temporary copy of the first phase, the
// page of the second, the rollback of a failed installation, the deletion
// batch and the restart.
#include "uninstall/uninstall.h"
#include <shellapi.h>
#include "common/heap.h"
#include "common/message.h"
#include "common/paths.h"
#include "common/text.h"
#include "requirements/requirements.h"
#include "script/model.h"
#include "startup/process.h"
#include "startup/switches.h"
#include "uninstall/log.h"
#include "uninstall/removal.h"

StringList RebootList, LeftoverList;
bool RollingBack;
char* WaitingUninstaller;
static char* SecondPhaseLog;   // the log a silent second phase works from
static bool DeletionBatchDue;  // a second phase ran: its file must go when it ends

// The argument after the switches, when it names a log.
static char* LogArgument() {
  DWORD length = TextLength(PlainArgument);
  return length >= 5 && !lstrcmpiA(PlainArgument + length - 4, ".log") ? DuplicateString(PlainArgument, 0) : 0;
}

// The started process's handle (the caller's to close), or null.
static HANDLE StartProgram(const char* application, char* commandLine, DWORD flags, STARTUPINFOA* startup) {
  PROCESS_INFORMATION process;
  startup->cb = sizeof(STARTUPINFOA);
  if (!CreateProcessA(application, commandLine, 0, 0, FALSE, flags | NORMAL_PRIORITY_CLASS, 0,
                      application ? TemporaryFolder : 0, startup, &process))
    return 0;
  CloseHandle(process.hThread);
  return process.hProcess;
}

// The running uninstaller cannot delete its own file or folder: a copy in
// the temporary folder does the work, told the same switches and the log. A
// silent run asks nothing, its /S is the answer, and waits for the copy,
// whose exit code it returns: a deployment tool sees the real end.
static void StartTemporaryCopy(const char* logPath, const char* caption) {
  if (!Silent && ShowMessage(0, caption, "Are you sure you want to completely remove %s?", Model.displayName,
                             MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  char copy[MAX_PATH];
  if (!GetTempFileNameA(TemporaryFolder, "KVZ", 0, copy) || !CopyFileA(ModulePath, copy, FALSE))
    return;
  // Started in the application's folder, this process would keep it from going.
  SetCurrentDirectoryA(TemporaryFolder);
  // Waiting for the copy, this process runs from the uninstaller's own file,
  // which the copy could then not delete. A running program may be renamed
  // (on the NT family, within its drive): beside the copy it leaves the
  // application's folder free, and the copy's deletion batch removes it.
  char* moved = Silent ? ConcatStrings(copy, ".old") : 0;
  if (moved && !MoveFileA(ModulePath, moved)) {
    FreeBlock(moved);
    moved = 0;
  }
  char* switches = MessageLogPath ? ConcatStrings(" \"/LOG=", MessageLogPath, "\"") : 0;
  char* commandLine = ConcatStrings(Silent ? " /S" : 0, switches, " ", logPath);
  STARTUPINFOA startup = {};
  startup.dwFlags = STARTF_FORCEONFEEDBACK;
  HANDLE process = StartProgram(copy, commandLine, CREATE_NEW_PROCESS_GROUP | CREATE_DEFAULT_ERROR_MODE, &startup);
  if (process) {
    ExitCode = ExitInstalled;
    if (Silent) {
      WaitForSingleObject(process, INFINITE);
      GetExitCodeProcess(process, &ExitCode);
    }
    CloseHandle(process);
  }
  // A copy that did not run leaves the uninstaller where it was.
  if (moved && ExitCode == ExitFailed)
    MoveFileA(moved, ModulePath);
  FreeBlock(moved);
  FreeBlock(commandLine);
  FreeBlock(switches);
}

// Without a page nothing is asked: a file in use waits for the restart.
static void RunWorkerWithoutPage() {
  DWORD id;
  HANDLE worker = CreateThread(0, 0, UninstallWorker, 0, 0, &id);
  if (worker) {
    WaitForSingleObject(worker, INFINITE);
    CloseHandle(worker);
  }
}

static void ShowUninstallPage(char* caption) {
  StringList texts = Model.pages[UninstallerSlot].texts[Model.currentLanguage];
  char text[MessageLength];
  ComposeMessage(text, "Please wait while the %s is removed from your computer.", Model.displayName, 0, 0);
  SetItem(texts, 0, caption);
  SetItem(texts, 1, "Application Removal");
  SetItem(texts, 2, text);
  SetItem(texts, 9, Model.displayName);
  if (Silent)
    RunWorkerWithoutPage();
  else
    DialogBoxParamA(ModuleHandle, MAKEINTRESOURCEA(141 + Model.dialogSetOffset), 0, UninstallPageProc,
                    UninstallerSlot);
  DeletionBatchDue = true;
}

void StartUninstall(bool rollback) {
  if (!RebootList)
    CreateList(&RebootList, 5);
  if (!LeftoverList)
    CreateList(&LeftoverList, 5);
  char* argument = rollback ? 0 : LogArgument();
  char* logPath = rollback ? DuplicateString(TemporaryLogPath, 0) : argument ? argument : FinalLogPath(ModulePath);
  // A rollback may run on the install worker's thread: its own field list.
  StringList fields = 0;
  CreateList(&fields, 15);
  bool read = logPath && ReadInstallLog(logPath, fields);
  DestroyList(&fields);
  if (rollback) {
    if (read) {
      DeleteFileA(logPath);
      RollingBack = true;
      RunWorkerWithoutPage();
      RollingBack = false;
    }
    FreeBlock(TemporaryLogPath);
    TemporaryLogPath = 0;
  } else if (read) {
    RunStartupStep(1);
    char* caption = ConcatStrings(Model.productName, " Uninstall");
    SecondPhaseLog = Silent ? argument : 0;
    char* moved = SecondPhaseLog ? ConcatStrings(ModulePath, ".old") : 0;
    if (moved && PathExists(moved))
      WaitingUninstaller = moved;
    else
      FreeBlock(moved);
    if (argument)
      ShowUninstallPage(caption);
    else
      StartTemporaryCopy(logPath, caption);
    FreeBlock(caption);
  }
  SecondPhaseLog = 0;
  FreeInstallLog();
  FreeBlock(logPath);
}

bool LeaveToDeletionBatch(const char* path) {
  char* log = SecondPhaseLog ? FinalLogPath(path) : 0;
  bool waiting = log && !lstrcmpiA(log, SecondPhaseLog);
  FreeBlock(log);
  if (waiting) {
    FreeBlock(WaitingUninstaller);
    WaitingUninstaller = DuplicateString(path, 0);
  }
  return waiting;
}

bool HoldsWaitingUninstaller(const char* folder) {
  DWORD length = TextLength(folder);
  if (!WaitingUninstaller || TextLength(WaitingUninstaller) <= length || WaitingUninstaller[length] != '\\')
    return false;
  char* part = DuplicatePart(WaitingUninstaller, length);
  bool holds = part && !lstrcmpiA(part, folder);
  FreeBlock(part);
  return holds;
}

void EndUninstall() {
  if (DeletionBatchDue)
    ScheduleSelfDeletion();
  DeletionBatchDue = false;
}

static void Append(char** text, const char* a, const char* b = 0, const char* c = 0, const char* d = 0) {
  char* joined = ConcatStrings(*text, a, b, c, d);
  FreeBlock(*text);
  *text = joined;
}

void ScheduleSelfDeletion() {
  char* batch = CombinePath(TemporaryFolder, "delself.bat");
  char* content = ConcatStrings("@echo off\r\n:try\r\ndel \"", ModulePath, "\"\r\nif exist \"", ModulePath,
                                "\" goto try\r\n");
  if (WaitingUninstaller) {
    Append(&content, ":wait\r\ndel \"", WaitingUninstaller, "\"\r\nif exist \"", WaitingUninstaller);
    Append(&content, "\" goto wait\r\n");
    // Innermost first; rd leaves a folder that still holds anything.
    for (int index = 0; index < Count(LeftoverList); index++)
      if (HoldsWaitingUninstaller(GetItem(LeftoverList, index)))
        Append(&content, "rd \"", GetItem(LeftoverList, index), "\"\r\n");
  }
  Append(&content, "del \"", batch, "\"");
  HANDLE file = CreateFileA(batch, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, 0, CREATE_ALWAYS,
                            FILE_FLAG_WRITE_THROUGH | FILE_FLAG_SEQUENTIAL_SCAN, 0);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written;
    WriteFile(file, content, TextLength(content), &written, 0);
    CloseHandle(file);
    SetFileAttributesA(batch, FILE_ATTRIBUTE_NORMAL);
    char* commandLine = ConcatStrings("\"", batch, "\"");
    STARTUPINFOA startup = {};
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    CloseHandle(StartProgram(0, commandLine, DETACHED_PROCESS, &startup));
    FreeBlock(commandLine);
  }
  FreeBlock(content);
  FreeBlock(batch);
}

bool RestartWindows(bool force) {
  if (IsNtPlatform()) {
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
      return false;
    TOKEN_PRIVILEGES privileges;
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool enabled = LookupPrivilegeValueA(0, "SeShutdownPrivilege", &privileges.Privileges[0].Luid) &&
                   AdjustTokenPrivileges(token, FALSE, &privileges, 0, 0, 0) && !GetLastError();
    CloseHandle(token);
    if (!enabled)
      return false;
  }
  // Major reason application, minor reason installation.
  if (ExitWindowsEx(force ? EWX_REBOOT | EWX_FORCE : EWX_REBOOT, 0x40002))
    return true;
  return (INT_PTR)ShellExecuteA(0, 0, "shutdown.exe", "-r -t 00", 0, SW_SHOWNORMAL) > 32;
}
