// Replacing and deleting files at the next restart: the system's own
// request where it has one, else a command in RunOnce for a long target
// name, else a line in the [Rename] section of wininit.ini.
#include "engine/delayed.h"
#include "common/heap.h"
#include "common/paths.h"
#include "common/text.h"
#include "engine/registry.h"

bool IsShortName(const char* name) {
  const char* dot = FindChar(name, '.', -1, true);
  DWORD stem = dot ? (DWORD)(dot - name) : TextLength(name);
  return stem <= 8 && (!dot || TextLength(dot + 1) < 4);
}

// The short form of an existing path, else the path as it is.
static void ShortPath(const char* path, char* out) {
  DWORD length = GetShortPathNameA(path, out, MAX_PATH);
  if (!length || length >= MAX_PATH) lstrcpynA(out, path, MAX_PATH);
}

static const char RenameSection[] = "[Rename]";

BOOL AddRenameLine(const char* source, const char* target) {
  char line[MAX_PATH * 2 + 8] = "\r\n";
  if (target) ShortPath(target, line + 2);
  else lstrcatA(line, "NUL");
  lstrcatA(line, "=");
  ShortPath(source, line + TextLength(line));
  DWORD lineLength = TextLength(line);

  char path[MAX_PATH + 16];
  UINT folderLength = GetWindowsDirectoryA(path, MAX_PATH);
  if (!folderLength || folderLength >= MAX_PATH) return FALSE;
  char* name = CombinePath(path, "wininit.ini");
  HANDLE file = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, 0, OPEN_ALWAYS, FILE_FLAG_SEQUENTIAL_SCAN, 0);
  FreeBlock(name);
  if (file == INVALID_HANDLE_VALUE) return FALSE;
  DWORD size = GetFileSize(file, 0);
  // Room for the line and, when the section is missing, "\r\n[Rename]".
  HANDLE mapping = size == INVALID_FILE_SIZE ? 0
                   : CreateFileMappingA(file, 0, PAGE_READWRITE, 0, size + lineLength + 10, 0);
  char* contents = mapping ? (char*)MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0) : 0;
  DWORD newSize = size;
  if (contents) {
    // The mapping's growth is zero-filled, so the contents end in a zero.
    char* end = contents + size;
    char* section = FindText(contents, RenameSection, size, false);
    if (section) {
      char* body = section + sizeof RenameSection - 1;
      char* point = FindChar(body, '[', (int)(end - body), true);
      if (!point) point = end;
      while (point - body >= 2 && point[-2] == '\r' && point[-1] == '\n') point -= 2;
      MoveBytes(point + lineLength, point, (DWORD)(end - point));
      CopyMemory(point, line, lineLength);
      newSize += lineLength;
    } else {
      if (FindChar(contents, '[', size, true)) {
        CopyMemory(end, "\r\n", 2);
        end += 2;
      }
      CopyMemory(end, RenameSection, sizeof RenameSection - 1);
      CopyMemory(end + sizeof RenameSection - 1, line, lineLength);
      newSize = (DWORD)(end - contents) + sizeof RenameSection - 1 + lineLength;
    }
    UnmapViewOfFile(contents);
  }
  if (mapping) CloseHandle(mapping);
  SetFilePointer(file, newSize, 0, FILE_BEGIN);
  SetEndOfFile(file);
  CloseHandle(file);
  return mapping != 0;
}

BOOL AddRunOnceMove(const char* source, const char* target) {
  char* command = ConcatStrings("command.com /c move \"", source, "\" \"", target, "\"");
  BOOL written = command && !WriteRegistryText(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
                                               source, command);
  FreeBlock(command);
  return written;
}

BOOL ScheduleReplace(const char* source, const char* target) {
  // Windows 9x exports the function too, but it fails there.
  typedef BOOL(WINAPI * MoveLater)(const char*, const char*, DWORD);
  MoveLater move = (MoveLater)GetProcAddress(GetModuleHandleA("kernel32.dll"), "MoveFileExA");
  if (move && move(source, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_DELAY_UNTIL_REBOOT)) return TRUE;
  // wininit.ini takes short names only.
  if (target && !IsShortName(FileNamePart(target))) return AddRunOnceMove(source, target);
  return AddRenameLine(source, target);
}
