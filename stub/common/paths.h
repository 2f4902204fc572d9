// Path helpers. Paths use backslashes; new paths are heap strings.
#pragma once
#include <windows.h>

const char* FileNamePart(const char* path);     // after the last backslash, or the whole path
char* BaseNameNoExtension(const char* path);    // the file name cut at its last dot
char* ParentPath(const char* path);             // cut at the last backslash, if any
void StripTrailingSlash(char* path);            // one trailing \ or /
// relative alone when it holds a colon; else base and relative joined by
// exactly one backslash (none when relative is empty).
char* CombinePath(const char* base, const char* relative);
// Whether a file, folder or drive ("C:", "C:\") exists; the system's last
// error tells why not.
bool PathExists(const char* path);
// *out = the longest existing leading part of path ("X:\" for a drive),
// 0 returned; or *out null and the error of the last failed test.
DWORD FindExistingAncestor(const char* path, char** out);
// Loads a library from the system folder only: an installer runs from a
// folder such as Downloads, where anyone may have planted a DLL.
HMODULE LoadSystemLibrary(const char* name);
