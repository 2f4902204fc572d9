// Folder keywords: the fixed keyword table, the resolution of each keyword on
// the running system with its fallbacks, the shell's folder functions and the
// Windows version code that several resolutions depend on.
#include "engine/variables.h"
#include "common/heap.h"
#include "common/paths.h"
#include "common/text.h"
#include "engine/registry.h"

ShellFolderFunctions ShellFolder;

// Keyword texts in table order; the position is the keyword's identity.
static const char KeywordTexts[] =
    "<AppData>\0<CommonAppData>\0<CommonDesktop>\0<CommonFavorites>\0<CommonFiles>\0<CommonPrograms>\0"
    "<CommonStartMenu>\0<CommonStartup>\0<CommonTemplates>\0<Desktop>\0<IE>\0<Favorites>\0<Fonts>\0"
    "<MSAccess>\0<NetHood>\0<Documents>\0<ProgramFiles>\0<Programs>\0<QuickLaunch>\0<SentTo>\0"
    "<StartMenu>\0<StartUp>\0<System>\0<Temp>\0<Template>\0<Windows>\0<UserProfile>\0<AllUsers>\0"
    "<CommonDocuments>\0<CommonPictures>\0<CommonMusic>\0<CommonVideo>\0<Pictures>\0<Music>\0<Video>\0";

// The shell folder of each row; 0xFF where this program finds the folder itself.
static const BYTE KeywordFolders[FolderKeywordCount] = {
    0x1A, 0x23, 0x19, 0x1F, 0x2B, 0x17, 0x16, 0x18, 0x2D, 0x10, 0xFF, 0x06, 0x14, 0xFF, 0x13, 0x05, 0x26, 0x02,
    0xFF, 0x09, 0x0B, 0x07, 0x25, 0xFF, 0x15, 0x24, 0x28, 0xFF, 0x2E, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

// Rows 2..7: the per-user folder that stands in for the all-users one on
// systems without common folders (row 4 has a resolution of its own).
static const BYTE PerUserFolders[] = {0x10, 0x06, 0, 0x02, 0x0B, 0x07};

enum {
  CommonFilesRow = 4, CommonStartupRow = 7, CommonTemplatesRow = 8, InternetExplorerRow = 10,
  AccessRow = 13, ProgramFilesRow = 16, SystemRow = 22, TemplatesFolder = 0x15, PersonalFolder = 0x05,
  CommonAppDataFolder = 0x23, CommonDocumentsFolder = 0x2E
};

const char AccessAppPathKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\MSACCESS.EXE";
static const char CurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";
static const char ShellFoldersKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
static const char ProfileListKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";

// Every resolution, nested ones included, writes here; callers copy.
static char FolderBuffer[MaxTextLength];

const char* FolderKeywordText(int position) {
  const char* text = KeywordTexts;
  while (position-- > 0 && *text) text += lstrlenA(text) + 1;
  return text;
}

// In the order of the members of ShellFolderFunctions, which are filled one
// after another; the last four are required.
static const char* const ShellFolderEntries[] = {
    "SHGetFolderLocation", "SHGetSpecialFolderPathA", "SHGetSpecialFolderLocation", "SHGetPathFromIDList",
    MAKEINTRESOURCEA(155), MAKEINTRESOURCEA(152)};
static_assert(sizeof(ShellFolderFunctions) == 7 * sizeof(FARPROC), "one member per entry and the library");

bool LoadShellFolderFunctions() {
  if (ShellFolder.library) return true;
  if (!(ShellFolder.library = LoadSystemLibrary("SHELL32.DLL"))) return false;
  FARPROC* slot = (FARPROC*)&ShellFolder;
  for (int entry = 0; entry < 6; entry++)
    if (!(*slot++ = GetProcAddress(ShellFolder.library, ShellFolderEntries[entry])) && entry >= 2) {
      ReleaseShellFolderFunctions();
      return false;
    }
  return true;
}

void ReleaseShellFolderFunctions() {
  if (ShellFolder.library) FreeLibrary(ShellFolder.library);
  ShellFolder = ShellFolderFunctions();
}

bool GetSpecialFolderPath(int folder, char* out) {
  bool found = false;
  *out = 0;
  if (ShellFolder.GetSpecialFolderPath) {
    found = ShellFolder.GetSpecialFolderPath(0, out, folder, TRUE) == 1;
  } else if (ShellFolder.GetSpecialFolderLocation) {
    LPITEMIDLIST item;
    if (ShellFolder.GetSpecialFolderLocation(0, folder, &item) == 0) {
      found = ShellFolder.GetPathFromIDList(item, out) == 1;
      ShellFolder.FreeItem(item);
    }
  }
  // A failed call may leave part of a path behind, which would pass for a
  // resolved folder.
  if (!found) *out = 0;
  return found;
}

bool GetSpecialFolderItem(HWND owner, int folder, LPITEMIDLIST* item) {
  *item = 0;
  if (ShellFolder.GetFolderLocation) return ShellFolder.GetFolderLocation(owner, folder, 0, 0, item) == 0;
  return ShellFolder.GetSpecialFolderLocation && ShellFolder.GetSpecialFolderLocation(owner, folder, item) == 0;
}

int GetWindowsVersionCode() {
  OSVERSIONINFOEXA info;
  ZeroMemory(&info, sizeof(info));
  info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
  if (!GetVersionExA((OSVERSIONINFOA*)&info)) {
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    if (!GetVersionExA((OSVERSIONINFOA*)&info)) return 0;
  }
  DWORD version = info.dwMajorVersion << 8 | info.dwMinorVersion;
  char servicePack = info.szCSDVersion[1];
  if (info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
    if (version == 0x400) return servicePack == 'C' ? 2 : 1;
    if (version == 0x40A) return servicePack == 'A' ? 5 : 4;
    if (version == 0x45A) return 6;
  } else if (info.dwPlatformId == VER_PLATFORM_WIN32_NT) {
    if (version == 0x333 || info.dwMajorVersion == 4) return 3;
    // Every later release (Vista and on, whatever it claims to be) is served
    // as Server 2003 is: it meets its requirements and has its folders.
    if (version >= 0x502) return 9;
    if (version >= 0x500) return version - 0x500 + 7;
  }
  return 0;
}

bool IsCommonFolderSystem(int code) {
  return code == 3 || code > 5;
}

// Copies a heap string into the result buffer and frees it; null empties the buffer.
static void Take(char* text) {
  lstrcpynA(FolderBuffer, text ? text : "", MaxTextLength);
  FreeBlock(text);
}

static void TakeExpanded(char* text) {
  if (text) ExpandEnvironmentStringsA(text, FolderBuffer, MaxTextLength);
  FreeBlock(text);
}

// The result buffer joined with name becomes the result; the folder is made
// and, with a root key, recorded under Shell Folders so that the next run
// finds it there. An empty base is no place to make a folder in: the buffer
// stays empty and the keyword falls back to the temporary folder.
static void MakeFolder(const char* name, HKEY root, const char* valueName) {
  if (!*FolderBuffer) return;
  char* path = CombinePath(FolderBuffer, name);
  CreateDirectoryA(path, 0);
  if (root) WriteRegistryText(root, ShellFoldersKey, valueName, path);
  Take(path);
}

static void ResolveAllUsers(int code) {
  ResolveFolderKeyword(WindowsKeyword);
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ProfileListKey, 0, KEY_READ, &key)) return;
  RegCloseKey(key);
  char* profiles = ReadRegistryString(HKEY_LOCAL_MACHINE, ProfileListKey, "ProfilesDirectory", 0);
  char* allUsers = ReadRegistryString(HKEY_LOCAL_MACHINE, ProfileListKey, "AllUsersProfile", 0);
  // Vista and later name no such profile: what all users share lies in ProgramData.
  char* shared = allUsers || code < 9 ? 0 : ReadRegistryString(HKEY_LOCAL_MACHINE, ProfileListKey, "ProgramData", 0);
  if (profiles && allUsers) TakeExpanded(CombinePath(profiles, allUsers));
  else if (shared) TakeExpanded(shared);
  else Take(CombinePath(FolderBuffer, "Profiles\\All Users"));
  FreeBlock(profiles);
  FreeBlock(allUsers);
}

static void ResolveUserProfileFallback() {
  ResolveFolderKeyword(WindowsKeyword);
  char* profile = ReadRegistryString(HKEY_CURRENT_USER,
                                     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ProfileReconciliation",
                                     "ProfileDirectory", 0);
  if (profile) return Take(profile);
  // The first user found there, whoever that is: nothing finer is recorded.
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Protected Storage System Provider", 0,
                    KEY_ENUMERATE_SUB_KEYS, &key))
    return;
  char user[256];
  DWORD length = sizeof(user);
  LONG error = RegEnumKeyExA(key, 0, user, &length, 0, 0, 0, 0);
  RegCloseKey(key);
  if (error) return;
  char* subkey = CombinePath(ProfileListKey, user);
  TakeExpanded(ReadRegistryString(HKEY_LOCAL_MACHINE, subkey, "ProfileImagePath", 0));
  FreeBlock(subkey);
}

static void ResolveCommonAppData(int code) {
  char* value = ReadRegistryString(HKEY_LOCAL_MACHINE, ShellFoldersKey, "Common AppData", 0);
  // Windows 98 records a folder here that is not shared between users.
  if (value && code != 4 && code != 5) return Take(value);
  if (!value && code > 5) {
    GetSpecialFolderPath(CommonAppDataFolder, FolderBuffer);
    return;
  }
  ResolveFolderKeyword(AllUsersKeyword);
  MakeFolder("Application Data", value ? 0 : HKEY_LOCAL_MACHINE, "Common AppData");
  FreeBlock(value);
}

static void ResolveMediaFolder(int position) {
  static const char* const names[] = {"My Pictures", "My Music", "My Video"};
  static const char* const commonValues[] = {"CommonPictures", "CommonMusic", "CommonVideo"};
  bool common = position < PicturesKeyword;
  int kind = (position - CommonPicturesKeyword) % 3;
  HKEY root = common ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
  const char* valueName = common ? commonValues[kind] : names[kind];
  char* value = ReadRegistryString(root, ShellFoldersKey, valueName, 0);
  if (value && *value) return Take(value);
  FreeBlock(value);
  if (common) ResolveFolderKeyword(CommonDocumentsKeyword);
  else GetSpecialFolderPath(PersonalFolder, FolderBuffer);
  MakeFolder(names[kind], root, valueName);
}

static void Resolve(int position, int code) {
  BYTE folder = KeywordFolders[position];
  char* out = FolderBuffer;
  switch (position) {
    case AppDataKeyword:
      if (GetSpecialFolderPath(folder, out)) break;
      Take(ReadRegistryString(HKEY_CURRENT_USER, ShellFoldersKey, "AppData", 0));
      if (*out) break;
      ResolveFolderKeyword(UserProfileKeyword);
      MakeFolder("Application Data", HKEY_CURRENT_USER, "AppData");
      break;
    case CommonAppDataKeyword:
      ResolveCommonAppData(code);
      break;
    case CommonFilesRow:
      Take(ReadRegistryString(HKEY_LOCAL_MACHINE, CurrentVersionKey, "CommonFilesDir", 0));
      break;
    case ProgramFilesRow:
      Take(ReadRegistryString(HKEY_LOCAL_MACHINE, CurrentVersionKey, "ProgramFilesDir", 0));
      break;
    case InternetExplorerRow:
      Take(ReadRegistryString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\IE Setup\\Setup", "Path", 0));
      if (*out) Take(CombinePath(out, "iexplore.exe"));
      break;
    case AccessRow:
      Take(ReadRegistryString(HKEY_LOCAL_MACHINE, AccessAppPathKey, 0, 0));
      break;
    case CommonTemplatesRow:
      if (!GetSpecialFolderPath(folder, out)) GetSpecialFolderPath(TemplatesFolder, out);
      break;
    case QuickLaunchKeyword:
      ResolveFolderKeyword(AppDataKeyword);
      Take(CombinePath(out, "Microsoft\\Internet Explorer\\Quick Launch"));
      if (!PathExists(out)) ResolveFolderKeyword(TempKeyword);
      break;
    case SystemRow:
      GetSystemDirectoryA(out, MaxTextLength);
      break;
    case TempKeyword:
      break;   // the final fallback is this keyword's own resolution
    case WindowsKeyword:
      GetWindowsDirectoryA(out, MaxTextLength);
      break;
    case UserProfileKeyword:
      if (!GetSpecialFolderPath(folder, out)) ResolveUserProfileFallback();
      break;
    case AllUsersKeyword:
      ResolveAllUsers(code);
      break;
    case CommonDocumentsKeyword:
      // Alone among the common rows, NT 4 does not count here.
      GetSpecialFolderPath(code > 5 ? CommonDocumentsFolder : PersonalFolder, out);
      break;
    default:
      if (position >= CommonPicturesKeyword) ResolveMediaFolder(position);
      else if (position >= CommonDesktopKeyword && position <= CommonStartupRow && !IsCommonFolderSystem(code))
        GetSpecialFolderPath(PerUserFolders[position - CommonDesktopKeyword], out);
      else GetSpecialFolderPath(folder, out);
  }
}

const char* ResolveFolderKeyword(int position) {
  if ((unsigned)position >= FolderKeywordCount) position = TempKeyword;
  *FolderBuffer = 0;
  Resolve(position, GetWindowsVersionCode());
  if (!*FolderBuffer) {
    GetTempPathA(MaxTextLength - 1, FolderBuffer);
    StripTrailingSlash(FolderBuffer);
  }
  return FolderBuffer;
}

void FillFolderCache() {
  ClearList(FolderCache);
  for (int position = 0; position < FolderKeywordCount; position++)
    AppendItem(FolderCache, ResolveFolderKeyword(position));
}
