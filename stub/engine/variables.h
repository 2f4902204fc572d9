#pragma once
// Script variables (%NAME%) and folder keywords (<Folder>), the folder cache
// resolved once at start-up, the shell's folder functions and the Windows
// version code.
#include <windows.h>
#include <shtypes.h>
#include "common/list.h"

// The variable table: names (percent signs included) and values side by
// side, in the order of definition.
extern StringList VariableNames;
extern StringList VariableValues;
// One resolved path per folder keyword, by keyword position.
extern StringList FolderCache;

bool CreateVariableTable();
void DestroyVariableTable();
// The first value whose name matches in any letter case: the table's own
// string, or null when the name is not defined.
char* GetVariable(const char* name);
// Replaces the first value of that name, or appends name and value; both
// are stored as given.
bool SetVariable(const char* name, const char* value);
// New heap strings: every defined name, or every keyword, replaced in table
// order regardless of letter case. Unknown tokens stay as they are.
char* ExpandVariables(const char* text);
char* ExpandFolderKeywords(const char* text);
// Splits a record at its commas and then expands each field, folder keywords
// first, so that a folder or value holding a comma stays in its field.
// Returns the number of fields the record has.
int SplitExpanded(StringList fields, const char* record);
// Expands the values themselves until none refers to another variable. A
// value that refers to itself, directly or through others, cannot settle:
// after as many sweeps as there are variables, plus one, or as soon as a
// sweep changes nothing, or before a value could grow past MaxTextLength,
// the values stay as the last sweep left them (their unresolved names in
// place) and false is returned.
bool SettleVariables();

const DWORD MaxTextLength = 32767;

// Keyword positions that other parts ask for directly.
enum FolderKeyword {
  AppDataKeyword = 0, CommonAppDataKeyword = 1, CommonDesktopKeyword = 2, CommonProgramsKeyword = 5,
  DesktopKeyword = 9, ProgramsKeyword = 17, QuickLaunchKeyword = 18, TempKeyword = 23,
  WindowsKeyword = 25, UserProfileKeyword = 26, AllUsersKeyword = 27, CommonDocumentsKeyword = 28,
  CommonPicturesKeyword = 29, PicturesKeyword = 32, FolderKeywordCount = 35
};

// The keyword text of a position ("<AppData>"); positions past the table give "".
const char* FolderKeywordText(int position);
// The path of one keyword on this machine, in one process-wide buffer that
// the next call overwrites. Positions past the table resolve "<Temp>". Never
// empty: every failure ends in the temporary folder, without trailing slash.
const char* ResolveFolderKeyword(int position);
// Resolves every keyword in table order into the folder cache.
void FillFolderCache();

// The shell's folder functions, fetched from the system's SHELL32.DLL at
// start-up. The first two are missing on older shells.
struct ShellFolderFunctions {
  HRESULT(WINAPI* GetFolderLocation)(HWND owner, int folder, HANDLE token, DWORD reserved, LPITEMIDLIST* item);
  BOOL(WINAPI* GetSpecialFolderPath)(HWND owner, char* path, int folder, BOOL create);
  HRESULT(WINAPI* GetSpecialFolderLocation)(HWND owner, int folder, LPITEMIDLIST* item);
  BOOL(WINAPI* GetPathFromIDList)(LPCITEMIDLIST item, char* path);
  void(WINAPI* FreeItem)(LPITEMIDLIST item);          // ordinal 155
  UINT(WINAPI* ItemSize)(LPCITEMIDLIST item);         // ordinal 152
  HMODULE library;
};
extern ShellFolderFunctions ShellFolder;

// Idempotent; false (with everything released) when a required entry point is missing.
bool LoadShellFolderFunctions();
void ReleaseShellFolderFunctions();
// out (MAX_PATH at least) = the folder's path; only the newer shell function
// creates a missing folder. out is empty on failure.
bool GetSpecialFolderPath(int folder, char* out);
// *item = the folder's item list (the caller frees it with ShellFolder.FreeItem).
bool GetSpecialFolderItem(HWND owner, int folder, LPITEMIDLIST* item);

// 0 unknown, 1 Windows 95, 2 95 OSR2, 3 NT 3.51 or NT 4, 4 98, 5 98 SE, 6 Me,
// 7 2000, 8 XP, 9 Server 2003 and every NT release after it.
int GetWindowsVersionCode();
// Me and the NT family keep folders for all users; the rest share the user's.
bool IsCommonFolderSystem(int code);

// The App Paths key of the database program, read by a keyword and by the
// requirement check.
extern const char AccessAppPathKey[];
