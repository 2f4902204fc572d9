#pragma once
// Helpers of the uninstaller's unit and end-to-end tests: waiting for a
// window's state, and folder links made from the Unix side.
#include <windows.h>
#include <functional>
#include <string>
#include <vector>

#include "support/ui_driver.h"

namespace uninstall_support {

inline bool WaitUntil(const std::function<bool()>& condition, DWORD milliseconds = 10000) {
  return ui::WaitWhileWorking(condition, milliseconds, "the uninstaller");
}

// A dialog of this process with the caption: other test programs running
// beside this one show boxes of the same captions.
inline HWND FindOwnDialog(const char* caption) {
  struct Search {
    const char* caption;
    HWND found;
  } search = {caption, 0};
  EnumWindows([](HWND window, LPARAM parameter) -> BOOL {
    Search* s = (Search*)parameter;
    DWORD owner = 0;
    char text[256] = "", name[16] = "";
    GetWindowThreadProcessId(window, &owner);
    GetClassNameA(window, name, sizeof(name));
    GetWindowTextA(window, text, sizeof(text));
    if (owner != GetCurrentProcessId() || lstrcmpA(name, "#32770") || lstrcmpA(text, s->caption)) return TRUE;
    // The uninstall page carries the same caption; a box has its text control.
    if (!GetDlgItem(window, 0xFFFF) && !GetDlgItem(window, IDOK) && !GetDlgItem(window, IDYES)) return TRUE;
    // A box still being made may lack the button to click: the click is lost.
    if (!IsWindowVisible(window)) return TRUE;
    s->found = window;
    return FALSE;
  }, (LPARAM)&search);
  return search.found;
}

inline bool IsLinkAt(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Runs a Unix program on Windows paths made Unix ones: Wine starts Unix
// programs, though it does not see them end.
inline bool RunUnix(const std::string& program, const std::string& options, const std::vector<std::string>& paths) {
  typedef char*(CDECL * UnixName)(const WCHAR*);
  UnixName unixName = (UnixName)GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name");
  if (!unixName) return false;
  std::string commandLine = program + " " + options;
  for (const std::string& path : paths) {
    std::wstring wide(path.begin(), path.end());
    char* name = unixName(wide.c_str());
    if (!name) return false;
    commandLine += std::string(" \"") + name + "\"";
    HeapFree(GetProcessHeap(), 0, name);
  }
  STARTUPINFOA startup = {sizeof(startup)};
  PROCESS_INFORMATION process;
  if (!CreateProcessA(("Z:" + program).c_str(), &commandLine[0], 0, 0, FALSE, 0, 0, 0, &startup, &process))
    return false;
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

// A Unix symbolic link to a folder, which Wine shows as a reparse point.
inline bool MakeLink(const std::string& target, const std::string& link) {
  return RunUnix("/bin/ln", "-s", {target, link}) && WaitUntil([&] { return IsLinkAt(link); }, 5000);
}

// Removes a test folder with any link in it, which Wine itself cannot remove.
inline void RemoveFolder(const std::string& folder) {
  SetCurrentDirectoryA("C:\\");
  RunUnix("/bin/rm", "-rf", {folder});
  WaitUntil([&] { return GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES; }, 5000);
}

}  // namespace uninstall_support
