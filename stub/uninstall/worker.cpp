// The uninstall worker: every entry of the log undone, last line first, and
// the removal of files and folders that never follows a link.
#include "uninstall/removal.h"
#include <commctrl.h>
#include <shlobj.h>
#include "common/heap.h"
#include "common/message.h"
#include "common/paths.h"
#include "common/text.h"
#include "engine/actions.h"
#include "engine/backup.h"
#include "engine/delayed.h"
#include "engine/registry.h"
#include "package/package.h"
#include "script/model.h"
#include "startup/process.h"
#include "uninstall/leftover.h"
#include "uninstall/log.h"
#include "uninstall/uninstall.h"
#include "wizard/dialogs.h"

static bool SharedYesToAll;

// Phase texts by entry letter, "a" to "j".
static const char* const PhaseTexts[] = {
    "Deleting files...", "Deleting files...", "Deleting registry entries...", "Launching programs...",
    "Deleting registry keys...", "Calling dll functions...", "Deleting shared files...",
    "Deleting Start menu shortcuts...", "Deleting files...", "Deleting registry entries..."};

bool IsLink(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

bool IsDotName(const char* name) {
  return name[0] == '.' && (!name[1] || (name[1] == '.' && !name[2]));
}

HANDLE FindFirstEntry(const char* folder, WIN32_FIND_DATAA* found) {
  char* pattern = CombinePath(folder, "*");
  HANDLE search = FindFirstFileA(pattern, found);
  FreeBlock(pattern);
  while (search != INVALID_HANDLE_VALUE && IsDotName(found->cFileName)) {
    if (!FindNextFileA(search, found)) {
      FindClose(search);
      return INVALID_HANDLE_VALUE;
    }
  }
  return search;
}

bool IsFolderEmpty(const char* path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstEntry(path, &found);
  if (search == INVALID_HANDLE_VALUE)
    return true;
  FindClose(search);
  return false;
}

void DeleteLeaf(const char* path, DWORD attributes) {
  // Attributes set on a link may land on its target.
  if (!IsLink(attributes))
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(path);
}

bool DeleteFolderTree(const char* path) {
  if (!IsLink(GetFileAttributesA(path))) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstEntry(path, &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        if (IsDotName(found.cFileName))
          continue;
        char* child = CombinePath(path, found.cFileName);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          DeleteFolderTree(child);
        else
          DeleteLeaf(child, found.dwFileAttributes);
        FreeBlock(child);
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
  }
  // For a link this removes the link alone.
  return RemoveDirectoryA(path) != FALSE;
}

// Deletes and looks again for up to two seconds; true once the file is gone.
static bool DeleteWithinTwoSeconds(const char* path) {
  DWORD start = GetTickCount();
  do {
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES)
      return true;
    DeleteFileA(path);
  } while (GetTickCount() - start <= 2000);
  return GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES;
}

// A file that will not go within the retry time is left for the restart;
// with the page the user may have it tried again first.
static void RemoveFile(HWND page, const char* path, bool askToRetry) {
  // Most files go at the first try: one call to the system instead of four.
  if (DeleteFileA(path))
    return;
  SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
  while (!DeleteWithinTwoSeconds(path)) {
    if (!askToRetry ||
        ShowMessage(page, "Deleting File",
                    "The file %s \nis currently in use by another application.\nWould you like to try "
                    "deleting the file again, rather than \ninitiating a reboot at the end of the "
                    "uninstallation process?",
                    path, MB_YESNO | MB_ICONWARNING) != IDYES) {
      if (!LeaveToDeletionBatch(path))
        AppendItem(RebootList, path);
      return;
    }
  }
}

static void RemoveFolder(const char* path) {
  // An empty folder, or a link in its place, goes at the first call.
  if (RemoveDirectoryA(path))
    return;
  // A link where the installation made a folder: only the link may go.
  if (!IsLink(GetFileAttributesA(path))) {
    SetFileAttributesA(path, FILE_ATTRIBUTE_NORMAL);
    if (!IsFolderEmpty(path)) {
      AppendItem(LeftoverList, path);
      return;
    }
  }
  RemoveDirectoryA(path);
}

const char SharedFileQuestion[] =
    "The system indicates that the following shared file is no longer used by any programs. "
    "If any programs are still using this file and it is removed, those programs may not "
    "function. Are you sure you want to remove the shared file? \n\nFile name: %s\nLocated "
    "in: %s\n\nLeaving this file will not harm your system. If you are not sure what to do, "
    "it is suggested that you choose to not to remove this shared component.";

static bool ConfirmSharedRemoval(HWND page, const char* path) {
  if (SharedYesToAll)
    return true;
  char* folder = ParentPath(path);
  char text[MessageLength];
  ComposeMessage(text, SharedFileQuestion, FileNamePart(path), folder, 0);
  FreeBlock(folder);
  int answer = ShowConfirmDialog(page, "Shared File Detected", text);
  if (answer == ConfirmYesToAll &&
      ShowMessage(page, "Confirm Operation",
                  "You have chosen to remove all shared components which the system indicates \nare no "
                  "longer being used. This may cause some programs not to function if they \nstill "
                  "require any of this files. Are you sure you want to proceed?",
                  0, MB_YESNO | MB_ICONQUESTION) == IDYES)
    SharedYesToAll = true;
  // A dialog that could not be shown keeps the file.
  return answer == ConfirmYes || answer == ConfirmYesToAll;
}

static bool InList(StringList list, const char* text) {
  return Count(list) && FindItem(list, text, 0, 0) >= 0;
}

static void ReportRegistryError(HWND page, DWORD error, HKEY root, const char* subkey,
                                const char* valueName) {
  if (!error || error == ERROR_FILE_NOT_FOUND)
    return;
  char* key = ConcatStrings(RootKeyName(root), "\\", subkey);
  if (valueName)
    ShowFormattedMessage(page, "Deleting Registry Value", "Error deleting registry value '%s' in the key '%s'.\n%s",
                         valueName, key, SystemErrorText(error), MB_OK | MB_ICONERROR);
  else
    ShowMessage2(page, "Deleting Registry Key", "Error deleting registry key '%s'.\n%s", key,
                 SystemErrorText(error), MB_OK | MB_ICONERROR);
  FreeBlock(key);
}

static void UndoEntry(HWND page, char kind, StringList fields) {
  const char* field[4];
  for (int i = 0; i < 4; i++)
    field[i] = Field(fields, i);
  const char* path = field[0];
  // Predefined keys are sign-extended handles on 64-bit builds.
  HKEY root = (HKEY)(LONG_PTR)(LONG)(0x80000000u + ParseNumber(path));
  int noList = 0;
  switch (kind) {
    case 'a':
      RemoveFolder(path);
      break;
    case 'b':
    case 'h':
      // A rollback leaves what a replacement at the next restart will bring.
      if (!page && InList(PendingTargets, path))
        break;
      RemoveFile(page, path, page != 0);
      break;
    case 'c':
      ReportRegistryError(page, DeleteRegistryValue(root, field[1], field[2], false), root, field[1], field[2]);
      break;
    case 'd':
      RunProgram(path, field[1], field[2], !*field[3] || ParseNumber(field[3]), false, 0, 0, &noList);
      break;
    case 'e':
      ReportRegistryError(page, DeleteRegistryKeyTree(root, field[1], ParseNumber(field[2]) != 0), root, field[1], 0);
      break;
    case 'f':
      CallDllFunction(path, field[1], field[2], field[3], false, 0, &noList);
      break;
    case 'g':
      // A rollback asks nothing: the file is this run's, and an earlier
      // version comes back from its backup.
      if (AdjustSharedCount(path, true) == 0 && (RollingBack || ConfirmSharedRemoval(page, path)))
        RemoveFile(page, path, false);
      break;
    case 'i':
      RestoreBackup(path, field[1]);
      break;
    case 'j':
      RestoreValue(fields);
      break;
  }
}

// What the page shows of the entry being undone. Every text set and area
// repainted is a round trip to the page's thread: the labels and the bar
// are written only when they change, and the context that measures the
// path is made once.
struct EntryDisplay {
  HWND phase, path, progress;
  HDC measure;
  HGDIOBJ oldFont;
  RECT area;
  const char* phaseShown;
  bool pathEmpty;
};

static void OpenEntryDisplay(EntryDisplay& display, HWND page) {
  display.phase = GetDlgItem(page, 1003);
  display.path = GetDlgItem(page, 1004);
  display.progress = GetDlgItem(page, 1023);
  GetClientRect(display.path, &display.area);
  display.measure = CreateCompatibleDC(0);
  display.oldFont = SelectObject(display.measure, (HGDIOBJ)SendMessageA(display.path, WM_GETFONT, 0, 0));
  display.phaseShown = 0;
  display.pathEmpty = false;
}

static void CloseEntryDisplay(EntryDisplay& display) {
  SelectObject(display.measure, display.oldFont);
  DeleteDC(display.measure);
}

// The path label shows the path shortened in its middle to fit one line.
static void ShowEntry(EntryDisplay& display, char kind, const char* path) {
  const char* phaseText = PhaseTexts[kind - 'a'];
  if (phaseText != display.phaseShown) {
    SetWindowTextA(display.phase, phaseText);
    InvalidateControlArea(display.phase, true);
    display.phaseShown = phaseText;
  }
  bool pathKind = kind == 'a' || kind == 'b' || kind == 'g' || kind == 'h';
  if (!pathKind && display.pathEmpty)
    return;
  char* text = DuplicateString(pathKind ? path : "", 4);
  RECT area = display.area;
  DrawTextA(display.measure, text, -1, &area, DT_PATH_ELLIPSIS | DT_MODIFYSTRING | DT_SINGLELINE | DT_NOPREFIX);
  SetWindowTextA(display.path, text);
  FreeBlock(text);
  InvalidateControlArea(display.path, true);
  display.pathEmpty = !pathKind;
}

// Waits while the page holds the gate; true when the page asked to quit.
static bool QuitRequested() {
  WaitForSingleObject(WorkerGateEvent, INFINITE);
  MSG message;
  return PeekMessageA(&message, 0, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

DWORD WINAPI UninstallWorker(void* parameter) {
  HWND page = (HWND)parameter;
  MSG message;
  PeekMessageA(&message, 0, 0, 0, PM_NOREMOVE);   // the queue for the page's quit message
  // Our current folder must not keep a folder of the installation open.
  SetCurrentDirectoryA(TemporaryFolder);
  int count = LogEntryCount;
  if (!count)
    return 1;
  StringList fields = 0;
  CreateList(&fields, 15);
  int progress = 0;
  EntryDisplay display;
  if (page)
    OpenEntryDisplay(display, page);
  ForgetProgress();
  bool quit = false;
  while (char kind = NextLogEntry(fields)) {
    if (page) {
      if ((quit = QuitRequested()))
        break;
      progress += 100;
      MoveProgress(display.progress, progress / count);
      Sleep(1000 / count);
    }
    UndoEntry(page, kind, fields);
    if (page)
      ShowEntry(display, kind, Field(fields, 0));
  }
  if (page)
    CloseEntryDisplay(display);
  DestroyList(&fields);
  if (quit)
    return 0;
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, 0, 0);
  if (QuitRequested())
    return 0;
  SetEvent(UninstallFinishedEvent);
  if (page) {
    if (Count(LeftoverList))
      ShowLeftovers(page);
    else
      PostMessageA(page, WM_COMMAND, IDCANCEL, 0);
  }
  return 0;
}
