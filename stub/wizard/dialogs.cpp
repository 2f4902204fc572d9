// The confirmation dialog, the folder browser, the install path check, free
// space, and control geometry for repainting.
#include "wizard/dialogs.h"
#include <shlobj.h>
#include "common/text.h"
#include "engine/variables.h"
#include "common/message.h"
#include "startup/process.h"
#include "startup/switches.h"

static INT_PTR CALLBACK ConfirmProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    const char** texts = (const char**)lParam;
    SetWindowTextA(dialog, texts[0]);
    SetDlgItemTextA(dialog, 1001, texts[1]);
    SendDlgItemMessageA(dialog, 1002, STM_SETIMAGE, IMAGE_ICON, (LPARAM)LoadIconA(0, IDI_QUESTION));
    return TRUE;
  }
  if (message == WM_COMMAND) {
    WORD id = LOWORD(wParam);
    int result = id == IDOK ? ConfirmYes : id == 1011 ? ConfirmYesToAll : id == IDCANCEL ? ConfirmNo : 0;
    if (result)
      EndDialog(dialog, result);
  }
  return FALSE;
}

int ShowConfirmDialog(HWND owner, const char* caption, const char* message) {
  const char* texts[2] = {caption, message};
  // A silent run keeps the file.
  int answer = Silent ? ConfirmNo
                      : (int)DialogBoxParamA(ModuleHandle, MAKEINTRESOURCEA(200), owner, ConfirmProc, (LPARAM)texts);
  RecordMessage(caption, message, answer == ConfirmYes || answer == ConfirmYesToAll ? IDYES : IDNO);
  return answer;
}

static int CALLBACK BrowseProc(HWND browser, UINT message, LPARAM parameter, LPARAM startFolder) {
  if (message == BFFM_INITIALIZED)
    SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, startFolder);
  return 0;
}

bool BrowseForFolder(HWND owner, const char* prompt, const char* startFolder, char* result) {
  LPITEMIDLIST root;
  if (!GetSpecialFolderItem(owner, CSIDL_DRIVES, &root))
    root = 0;
  bool chosen = false;
  if (OleInitialize(0) == S_OK) {
    char name[MAX_PATH];
    BROWSEINFOA browse = {owner, root, name, prompt, BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT, BrowseProc,
                          (LPARAM)startFolder, 0};
    LPITEMIDLIST item = SHBrowseForFolderA(&browse);
    if (item) {
      chosen = ShellFolder.GetPathFromIDList(item, result) != FALSE;
      ShellFolder.FreeItem(item);
    }
    OleUninitialize();
  }
  if (root)
    ShellFolder.FreeItem(root);
  return chosen;
}

static bool IsDriveLetter(char character) {
  return (character >= 'a' && character <= 'z') || (character >= 'A' && character <= 'Z');
}

bool IsValidInstallPath(const char* text) {
  if (!*text)
    return false;
  for (const char* c = text; *c; c++)
    if (FindChar("?*/<>|", *c, -1, true))
      return false;
  if (lstrlenA(text) > 2 && FindChar(text + 2, ':', -1, true))
    return false;
  if (text[0] == '\\' && text[1] == '\\') {
    if (FindText(text + 1, "\\\\", -1, true))
      return false;
    const char* share = FindChar(text + 2, '\\', -1, true);
    return share && share[1] && (BYTE)share[1] < 0x80;
  }
  return !FindText(text, "\\\\", -1, true) && IsDriveLetter(text[0]) && text[1] == ':' &&
         (!text[2] || text[2] == '\\');
}

typedef BOOL(WINAPI* FreeSpaceQuery)(const char* root, ULARGE_INTEGER* available, ULARGE_INTEGER* total,
                                     ULARGE_INTEGER* free);

ULONGLONG GetFreeSpace(const char* root) {
  // The first Windows 95 lacks the call that counts past 2 GB.
  FreeSpaceQuery query = (FreeSpaceQuery)GetProcAddress(GetModuleHandleA("KERNEL32.DLL"), "GetDiskFreeSpaceExA");
  if (query) {
    ULARGE_INTEGER available, total, free;
    return query(root, &available, &total, &free) ? available.QuadPart : 0;
  }
  DWORD sectorsPerCluster, bytesPerSector, freeClusters, clusters;
  if (!GetDiskFreeSpaceA(root, &sectorsPerCluster, &bytesPerSector, &freeClusters, &clusters))
    return 0;
  return (ULONGLONG)(sectorsPerCluster * bytesPerSector) * freeClusters;
}

void FormatSpace(ULONGLONG bytes, bool roundUp, char* text) {
  // Kb below a million of them, then Mb, then Gb. A size the package needs
  // is rounded up (a few bytes need 1 Kb), the room a drive offers down;
  // rounding unit by unit gives the same as rounding once.
  const char* unit = "KMG";
  for (;;) {
    bool part = (bytes & 1023) != 0;
    bytes >>= 10;
    if (roundUp && part) bytes++;
    if (bytes < 1000000 || *unit == 'G') break;
    unit++;
  }
  wsprintfA(text, "%u %cb", (DWORD)bytes, *unit);
}

void ShowFreeSpace(const char* root, HWND control) {
  char text[16];
  FormatSpace(GetFreeSpace(root), false, text);
  SetWindowTextA(control, text);
}

RECT GetControlRectInParent(HWND control) {
  // Empty for a control that does not exist, so that nothing is repainted for it.
  RECT rect = {0, 0, 0, 0};
  GetWindowRect(control, &rect);
  MapWindowPoints(GetDesktopWindow(), GetParent(control), (POINT*)&rect, 2);
  return rect;
}

void InvalidateControlArea(HWND control, bool parentOnly) {
  RECT rect = GetControlRectInParent(control);
  HWND parent = GetParent(control);
  InvalidateRect(parentOnly ? parent : GetParent(parent), &rect, TRUE);
}

void InvalidateControlArea(HWND dialog, int id, bool parentOnly) {
  InvalidateControlArea(GetDlgItem(dialog, id), parentOnly);
}
