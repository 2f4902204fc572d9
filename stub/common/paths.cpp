#include "common/paths.h"
#include "common/heap.h"
#include "common/text.h"

const char* FileNamePart(const char* path) {
  const char* slash = FindCharReverse(path, '\\', -1, true);
  return slash ? slash + 1 : path;
}

// Cuts a copy of text at the last occurrence of character.
static char* CutAtLast(const char* text, char character) {
  char* copy = DuplicateString(text, 0);
  char* cut = FindCharReverse(copy, character, -1, true);
  if (cut)
    *cut = 0;
  return copy;
}

char* BaseNameNoExtension(const char* path) {
  return CutAtLast(FileNamePart(path), '.');
}

char* ParentPath(const char* path) {
  return CutAtLast(path, '\\');
}

void StripTrailingSlash(char* path) {
  int length = TextLength(path);
  if (length && (path[length - 1] == '\\' || path[length - 1] == '/'))
    path[length - 1] = 0;
}

char* CombinePath(const char* base, const char* relative) {
  if (FindChar(relative, ':', -1, true))
    return DuplicateString(relative, 0);
  if (!relative)
    relative = "";
  if (*relative == '\\')
    relative++;
  char* path = DuplicateString(base, TextLength(relative) + 1);
  if (path) {
    StripTrailingSlash(path);
    if (*relative) {
      lstrcatA(path, "\\");
      lstrcatA(path, relative);
    }
  }
  return path;
}

bool PathExists(const char* path) {
  char* copy = DuplicateString(path, 2);
  if (!copy)
    return false;
  StripTrailingSlash(copy);
  // A drive on its own names no directory entry; its contents do.
  int length = TextLength(copy);
  bool drive = copy[1] == ':' && (length == 2 || (length == 4 && copy[2] == '\\' && copy[3] == '.'));
  if (drive)
    lstrcatA(copy, "\\*");
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(copy, &found);
  DWORD error = GetLastError();
  FreeBlock(copy);
  if (search != INVALID_HANDLE_VALUE)
    FindClose(search);
  SetLastError(error);
  // A drive's root lists no "." entry: an empty drive (a new stick, say)
  // finds nothing, yet it is there.
  return search != INVALID_HANDLE_VALUE || (drive && error == ERROR_FILE_NOT_FOUND);
}

DWORD FindExistingAncestor(const char* path, char** out) {
  char* copy = DuplicateString(path, 1);
  *out = 0;
  if (!copy)
    return ERROR_NOT_ENOUGH_MEMORY;
  while (!PathExists(copy)) {
    char* slash = FindCharReverse(copy, '\\', -1, true);
    if (!slash) {
      DWORD error = GetLastError();
      FreeBlock(copy);
      return error;
    }
    *slash = 0;
  }
  int length = TextLength(copy);
  if (length && copy[length - 1] == ':')
    lstrcatA(copy, "\\");
  *out = copy;
  return 0;
}

HMODULE LoadSystemLibrary(const char* name) {
  char path[MAX_PATH * 2];
  UINT length = GetSystemDirectoryA(path, MAX_PATH);
  if (!length || length >= MAX_PATH)
    return 0;
  path[length] = '\\';
  lstrcpynA(path + length + 1, name, MAX_PATH - 1);
  return LoadLibraryA(path);
}
