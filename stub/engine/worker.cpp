// The install worker: settles the variables, writes the temporary log and
// the uninstaller copy, extracts the package's folder groups, runs the later
// phases and ends by telling the wizard frame how the run went.
#include "engine/worker.h"
#include "common/access.h"
#include "common/heap.h"
#include "common/message.h"
#include "common/paths.h"
#include "common/text.h"
#include "engine/backup.h"
#include "engine/delayed.h"
#include "engine/registry.h"
#include "engine/system.h"
#include "engine/variables.h"
#include "package/package.h"
#include "script/model.h"
#include "startup/process.h"
#include "uninstall/log.h"
#include "uninstall/uninstall.h"
#include "wizard/dialogs.h"
#include <commctrl.h>

StringList PendingReplacements, PendingTargets, PendingShared;

// A product counts a shared file once, however often it is installed again.
void CountSharedFile(const char* path) {
  bool counted = HeldByEarlierLog("g", path);
  RecordLogLine("g", path, !counted, false);
  if (!counted) AdjustSharedCount(path, false);
}

// The installing page and its controls while a worker runs.
static HWND Page, PhaseText, CurrentItem, ProgressBar;
static HDC ItemContext;
static RECT ItemRect;

// Why the file phase stopped early: the user said No, cancelled, or the
// package could not be read.
enum FileOutcome { FilesDone, FilesAborted };

bool WaitAtCheckpoint(bool* quitSeen) {
  // A silent run has no page, so nothing can hold or cancel it; the two
  // calls to the system would only slow down every entry.
  if (!Page) return *quitSeen;
  WaitForSingleObject(WorkerGateEvent, INFINITE);
  MSG message;
  if (PeekMessageA(&message, (HWND)-1, WM_QUIT, WM_QUIT, PM_REMOVE)) *quitSeen = true;
  return *quitSeen;
}

void ShowCurrentItem(const char* path) {
  if (!CurrentItem) return;
  // DT_MODIFYSTRING may write up to four characters past the text.
  char* shown = DuplicateString(path, 4);
  if (!shown) return;
  if (*shown) {
    RECT area = ItemRect;
    DrawTextExA(ItemContext, shown, -1, &area,
                DT_SINGLELINE | DT_NOPREFIX | DT_PATH_ELLIPSIS | DT_MODIFYSTRING, 0);
  }
  // The label paints its own background (the page's colour), so the new
  // name replaces the old one without a repaint of the page.
  SetWindowTextA(CurrentItem, shown);
  FreeBlock(shown);
}

void ShowPhaseText(int index) {
  if (PhaseText) SetWindowTextA(PhaseText, LookupText(10, index));
}

static int Ask(HWND owner, int group, int index, const char* argument1, const char* argument2, UINT style) {
  return ShowFormattedMessage(owner, Model.caption, LookupText(group, index), argument1, argument2, 0, style);
}

bool AskErrorQuestion(HWND owner, int index, const char* argument1, const char* argument2) {
  return Ask(owner, ErrorsGroup, index, argument1, argument2, MB_YESNO | MB_ICONERROR) == IDYES;
}

// Resource names that are texts live only during the enumeration: keep a copy.
static BOOL CALLBACK FirstResourceName(HMODULE, LPCSTR, LPSTR name, LONG_PTR found) {
  *(LPSTR*)found = IS_INTRESOURCE(name) ? name : DuplicateString(name, 0);
  return FALSE;
}

bool GetFileVersion(const char* path, DWORD* high, DWORD* low) {
  *high = *low = 0;
  HMODULE versionLibrary = LoadSystemLibrary("VERSION.DLL");
  typedef BOOL(WINAPI * ValueQuery)(const void*, const char*, void**, UINT*);
  ValueQuery query = versionLibrary ? (ValueQuery)GetProcAddress(versionLibrary, "VerQueryValueA") : 0;
  HMODULE file = query ? LoadLibraryExA(path, 0, LOAD_LIBRARY_AS_DATAFILE) : 0;
  bool found = false;
  if (file) {
    LPSTR name = 0;
    EnumResourceNamesA(file, RT_VERSION, FirstResourceName, (LONG_PTR)&name);
    HRSRC resource = name ? FindResourceA(file, name, RT_VERSION) : 0;
    DWORD size = resource ? SizeofResource(file, resource) : 0;
    const void* data = size ? LockResource(LoadResource(file, resource)) : 0;
    // The query writes converted texts behind the data: the block is twice
    // its size, as the system's own reader allocates it.
    BYTE* block = data ? (BYTE*)AllocateBlock(size * 2 + 4) : 0;
    VS_FIXEDFILEINFO* fixed;
    UINT length;
    if (block) {
      CopyMemory(block, data, size);
      found = query(block, "\\", (void**)&fixed, &length) && length >= sizeof *fixed &&
              fixed->dwSignature == 0xFEEF04BD;
      if (found) {
        *high = fixed->dwFileVersionMS;
        *low = fixed->dwFileVersionLS;
      }
    }
    FreeBlock(block);
    if (!IS_INTRESOURCE(name)) FreeBlock(name);
    FreeLibrary(file);
  }
  if (versionLibrary) FreeLibrary(versionLibrary);
  return found;
}

// Writes the stub without its package: the image before the package, with
// a header whose package offset is 0 and, as the copy has no certificate
// table, no signature (security directory and PE checksum cleared; zeros in
// an unsigned stub already). Nothing is said when it fails; the
// installation then simply has no uninstaller.
static void WriteUninstallerCopy(const BYTE* image, DWORD length, const char* path) {
  if (length < DosHeaderSize) return;
  HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, 0, CREATE_ALWAYS,
                            FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_TEMPORARY, 0);
  if (file == INVALID_HANDLE_VALUE) return;
  BYTE header[DosHeaderSize];
  CopyMemory(header, image, DosHeaderSize);
  *(WORD*)(header + PackageOffsetField) = 0;
  DWORD written;
  WriteFile(file, image, length, &written, 0);
  SetFilePointer(file, 0, 0, FILE_BEGIN);
  WriteFile(file, header, DosHeaderSize, &written, 0);
  DWORD pe = *(const DWORD*)(header + 0x3C);
  const BYTE zeros[8] = {0};
  if (pe + SecurityDirectoryEntry + sizeof(zeros) <= length) {
    SetFilePointer(file, pe + ImageChecksumField, 0, FILE_BEGIN);
    WriteFile(file, zeros, 4, &written, 0);
    SetFilePointer(file, pe + SecurityDirectoryEntry, 0, FILE_BEGIN);
    WriteFile(file, zeros, sizeof(zeros), &written, 0);
  }
  CloseHandle(file);
}

static const char NoLogText[] =
    "Setup cannot create its log file in the folder %s.\n%s\nNothing has been installed.";

typedef bool (*RecordAction)(const char* record, HWND owner, StringList fields);

// One later phase: its phase text when it has work, then every record after
// a checkpoint. False when the run is to stop.
static bool RunPhase(StringList records, bool showPhase, int phaseText, RecordAction apply, StringList fields,
                     bool* quitSeen) {
  if (showPhase) ShowPhaseText(phaseText);
  for (int i = 0; i < Count(records); i++)
    if (WaitAtCheckpoint(quitSeen) || !apply(GetItem(records, i), Page, fields)) return false;
  return true;
}

static void RecordUninstallActions(char kind, int fieldCount, StringList records, StringList fields) {
  for (int i = 0; i < Count(records); i++) {
    int count = SplitExpanded(fields, GetItem(records, i));
    const char* values[6];
    for (int field = 0; field < fieldCount; field++) values[field] = Field(fields, field);
    RecordLogEntry(kind, count < fieldCount ? count : fieldCount, values, true, true);
  }
}

static const char UninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// The system's list of programs runs the uninstaller by this entry.
static void RegisterUninstallEntry(const char* uninstallerPath) {
  char* key = ConcatStrings(UninstallKey, Model.productName);
  // Quoted: an unquoted command with spaces would first run "C:\Program.exe".
  char* command = ConcatStrings("\"", uninstallerPath, "\" /S");
  WriteRegistryText(HKEY_LOCAL_MACHINE, key, "DisplayName", Model.displayName);
  WriteRegistryText(HKEY_LOCAL_MACHINE, key, "QuietUninstallString", command);
  // The same command without its switch.
  command[TextLength(command) - 3] = 0;
  WriteRegistryText(HKEY_LOCAL_MACHINE, key, "UninstallString", command);
  // The uninstaller carries the installer's icon: the list shows the product's.
  WriteRegistryText(HKEY_LOCAL_MACHINE, key, "DisplayIcon", uninstallerPath);
  const char* entry[] = {"2", key, "1"};
  RecordLogEntry('e', 3, entry, true, true);
  FreeBlock(command);
  FreeBlock(key);
}

// The log and the uninstaller take their final places; the temporary
// copies go.
static void PlaceUninstaller(bool succeeded, bool withUninstaller, const char* uninstallerPath,
                             const char* finalLogPath, const char* copyPath) {
  EndLog(TemporaryLogPath, succeeded && withUninstaller ? finalLogPath : 0, succeeded);
  if (succeeded && withUninstaller) {
    SetFileAttributesA(uninstallerPath, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(uninstallerPath);
    // The copy was made as a temporary file; installed, it is an ordinary one.
    if (MoveFileA(copyPath, uninstallerPath)) SetFileAttributesA(uninstallerPath, FILE_ATTRIBUTE_NORMAL);
  }
  DeleteFileA(copyPath);
}

static void SchedulePendingReplacements() {
  for (int i = 0; i < Count(PendingReplacements); i++) {
    ScheduleReplace(GetItem(PendingReplacements, i), GetItem(PendingTargets, i));
    if (!lstrcmpA(GetItem(PendingShared, i), "1") && !HeldByEarlierLog("g", GetItem(PendingTargets, i)))
      AdjustSharedCount(GetItem(PendingTargets, i), false);
  }
}

static void DiscardPendingReplacements() {
  for (int i = 0; i < Count(PendingReplacements); i++) DeleteFileA(GetItem(PendingReplacements, i));
  ClearList(PendingReplacements);
  ClearList(PendingTargets);
  ClearList(PendingShared);
}

// After the file phase: files that were in use need a restart, unless the
// script asks for one anyway.
static void NoteInUseFiles() {
  DelayedReplacementsPending = Count(PendingReplacements) > 0 && !RestartChosen;
  if (DelayedReplacementsPending) {
    RebootRequired = RestartChosen = true;
    Model.launchFlags[0] = Model.launchFlags[1] = false;
  }
}

DWORD WINAPI InstallWorker(void* installingPage) {
  bool quitSeen = false, succeeded = false;
  bool withUninstaller = (Model.options2 & CreateUninstallerOption) != 0;
  Page = (HWND)installingPage;
  OleInitialize(0);
  MSG message;
  PeekMessageA(&message, 0, WM_USER, WM_USER, PM_NOREMOVE);
  ProgressBar = GetDlgItem(Page, ProgressBarControl);
  ForgetProgress();
  CurrentItem = GetDlgItem(Page, CurrentItemControl);
  PhaseText = GetDlgItem(Page, PhaseTextControl);
  StringList fields = 0;
  CreateList(&fields, 15);
  StringList* pending[] = {&PendingReplacements, &PendingTargets, &PendingShared};
  for (StringList* list : pending)
    if (!*list) CreateList(list, 4);

  // The paths are taken from the settled values, which may refer to others.
  SettleVariables();
  char* uninstallerPath = CombinePath(GetVariable("%InstallPath%"), GetVariable("%UninstallerFileName%"));
  char* finalLogPath = FinalLogPath(uninstallerPath);
  // The log of the installation that this run replaces.
  char* earlierLog = withUninstaller ? ReadLogText(finalLogPath) : 0;
  // The log keeps its own copy of the path for the rollback. Without it
  // nothing could be undone, nor later uninstalled: nothing is begun.
  char* logPath = StartTemporaryLog();
  bool logged = logPath != 0;
  FreeBlock(logPath);
  if (logged && earlierLog) KeepEarlierEntries(earlierLog);
  FreeBlock(earlierLog);
  if (!logged) {
    ShowFormattedMessage(Page, Model.caption, NoLogText, TemporaryFolder, SystemErrorText(GetLastError()), 0,
                         MB_OK | MB_ICONERROR);
    InstallSucceeded = false;
  }
  char copyPath[MAX_PATH];
  if (!logged || !GetTempFileNameA(TemporaryFolder, "KVZ", 0, copyPath)) copyPath[0] = 0;

  DWORD fileSize = GetFileSize(OwnFile, 0);
  HANDLE mapping = CreateFileMappingA(OwnFile, 0, PAGE_READONLY, 0, 0, 0);
  const BYTE* image = mapping ? (const BYTE*)MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : 0;
  bool goOn = false;
  if (logged && image && fileSize >= DosHeaderSize) {
    DWORD packageOffset = *(const WORD*)(image + PackageOffsetField);
    if (packageOffset <= fileSize) {
      WriteUninstallerCopy(image, packageOffset, copyPath);
      ItemContext = CurrentItem ? GetDC(CurrentItem) : 0;
      if (CurrentItem) GetClientRect(CurrentItem, &ItemRect);
      goOn = ExtractFolderGroups(image + packageOffset, fileSize - packageOffset, Page, ProgressBar, &quitSeen);
    }
  }
  if (image) UnmapViewOfFile(image);
  if (mapping) CloseHandle(mapping);

  if (goOn) {
    MoveProgress(ProgressBar, 100);
    if (withUninstaller) {
      RecordLogLine("b", uninstallerPath, !PathExists(uninstallerPath), false);
      RecordLogLine("b", finalLogPath, !PathExists(finalLogPath), false);
    }
    NoteInUseFiles();
    ShowCurrentItem(0);
    goOn = RunPhase(Model.shortcuts, Count(Model.shortcuts) > 0, 5, ApplyShortcutRecord, fields, &quitSeen);
  }
  if (goOn) {
    ShowCurrentItem(0);
    goOn = RunPhase(Model.registryEntries, Count(Model.registryEntries) > 0 || withUninstaller, 6,
                    ApplyRegistryRecord, fields, &quitSeen) &&
           RunPhase(Model.iniEntries, Count(Model.iniEntries) > 0, 7, ApplyIniRecord, fields, &quitSeen) &&
           RunPhase(Model.associations, Count(Model.associations) > 0, 8, ApplyAssociationRecord, fields,
                    &quitSeen);
  }
  if (goOn) {
    ShowPhaseText(13);
    if (!WaitAtCheckpoint(&quitSeen)) {
      // From here on the run counts as done: Cancel no longer stops it.
      SetEvent(InstallFinishedEvent);
      succeeded = true;
      RecordUninstallActions('d', 6, Model.uninstallPrograms, fields);
      RecordUninstallActions('f', 5, Model.uninstallDllCalls, fields);
      if (withUninstaller) RegisterUninstallEntry(uninstallerPath);
    }
  }

  PlaceUninstaller(succeeded, withUninstaller, uninstallerPath, finalLogPath, copyPath);
  // Once the final log is in place the earlier versions are no longer needed.
  if (succeeded) EndBackups(true);
  if (ItemContext) ReleaseDC(CurrentItem, ItemContext);
  ItemContext = 0;
  HWND frame = GetParent(Page);
  if (succeeded) {
    SchedulePendingReplacements();
  } else {
    DiscardPendingReplacements();
    if (logged) StartUninstall(true);
    EndBackups(false);
  }
  FreeBlock(TemporaryLogPath);
  TemporaryLogPath = 0;
  FreeLogLines();
  FreeBlock(finalLogPath);
  FreeBlock(uninstallerPath);
  DestroyList(&fields);
  Page = PhaseText = CurrentItem = ProgressBar = 0;
  OleUninitialize();
  if (succeeded) PostMessageA(frame, WM_COMMAND, NextButton, 0);
  else PostMessageA(frame, WM_INSTALL_ABORTED, 0, 0);
  return 0;
}
