// Detection of the platform facts: Windows family, Internet Explorer,
// DirectX and Access versions, administrator rights. Nothing here fails the
// run: whatever cannot be found counts as absent.
#include "requirements/requirements.h"
#include "common/heap.h"
#include "common/paths.h"
#include "common/text.h"
#include "engine/registry.h"
#include "engine/variables.h"
#include "engine/worker.h"
#include "script/model.h"
#include <ddraw.h>

void CollectPlatformFacts() {
  Platform.windowsVersion = GetWindowsVersionCode();
  Platform.ntPlatform = IsNtPlatform();
  Platform.administrator = IsAdministrator();
  // The probes load libraries, make DirectDraw and COM objects and read
  // program files: together they took longer than the rest of the start.
  // A fact that no requirement names is never compared.
  Platform.internetExplorer = TextLength(Model.requiredInternetExplorer) ? DetectInternetExplorer() : 0;
  Platform.directX = TextLength(Model.requiredDirectX) ? DetectDirectX() : 0;
  Platform.access = TextLength(Model.requiredAccess) ? DetectAccess() : 0;
}

bool IsNtPlatform() {
  OSVERSIONINFOA info;
  ZeroMemory(&info, sizeof(info));
  info.dwOSVersionInfoSize = sizeof(info);
  return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

// Releases of the "Version" value (major * 100 + minor) and the first build
// of each code, newest first. Releases before 6.0 have builds of their own
// numbering, so each is classified within its release; every 6.0 build from
// 2800 on, the Server 2003 builds included, counts as 6.0 SP1.
struct BrowserRelease {
  WORD release;
  WORD build;
  BYTE code;
};
static const BrowserRelease BrowserReleases[] = {
    {600, 2800, 19}, {600, 0, 18}, {550, 4807, 17}, {550, 4522, 16}, {550, 0, 15}, {500, 3502, 14},
    {500, 3314, 13}, {500, 3103, 12}, {500, 2919, 11}, {500, 0, 10}, {472, 3612, 9}, {472, 3110, 8},
    {472, 0, 7}, {471, 0, 6}, {470, 1300, 5}, {470, 1215, 4}, {470, 1155, 3}};

int ClassifyInternetExplorerVersion(const char* version) {
  DWORD parts[3] = {0, 0, 0};
  for (int i = 0; i < 3 && version; i++) {
    parts[i] = ParseNumber(version);
    if ((version = FindChar(version, '.', -1, true))) version++;
  }
  DWORD release = parts[0] * 100 + parts[1], build = parts[2];
  for (const BrowserRelease& row : BrowserReleases)
    if (release > row.release || (release == row.release && build >= row.build)) return row.code;
  return 2;
}

int DetectInternetExplorer() {
  static const char olderKey[] = "Software\\Microsoft\\Windows\\Internet Explorer";
  int code = 0;
  char* value = ReadRegistryString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Internet Explorer", "Version", 0);
  if (value) {
    code = ClassifyInternetExplorerVersion(value);
  } else if ((value = ReadRegistryString(HKEY_LOCAL_MACHINE, olderKey, "Build", 0))) {
    int build = ParseNumber(value);
    code = build >= 1300 ? 5 : build >= 1215 ? 4 : build >= 1155 ? 3 : 2;
  } else if ((value = ReadRegistryString(HKEY_LOCAL_MACHINE, olderKey, "IVer", 0))) {
    code = ParseNumber(value) >= 101 ? 2 : 1;
  }
  FreeBlock(value);
  return code;
}

// Calls into COM objects by their method slots.
static void** Methods(void* object) {
  return *(void***)object;
}

static bool Query(void* object, const GUID& interfaceId, void** found) {
  return ((HRESULT(WINAPI*)(void*, const GUID*, void**))Methods(object)[0])(object, &interfaceId, found) == 0;
}

static void Release(void* object) {
  ((ULONG(WINAPI*)(void*))Methods(object)[2])(object);
}

static bool Supports(void* object, const GUID& interfaceId) {
  void* found;
  if (!Query(object, interfaceId, &found)) return false;
  Release(found);
  return true;
}

static DWORD Report(const char* text, DWORD number) {
  OutputDebugStringA(text);
  return number;
}

static const GUID DirectDraw2 = {0xB3A6F3E0, 0x2B43, 0x11CF, {0xA2, 0xDE, 0x00, 0xAA, 0x00, 0xB9, 0x33, 0x56}};
static const GUID DrawSurface3 = {0xDA044E00, 0x69B2, 0x11D0, {0xA1, 0xD5, 0x00, 0xAA, 0x00, 0xB8, 0xDF, 0xBB}};
static const GUID DrawSurface4 = {0x0B2B8630, 0xAD35, 0x11D0, {0x8E, 0xA6, 0x00, 0x60, 0x97, 0x97, 0xEA, 0x5B}};
static const GUID DirectMusicClass = {0x636B9F10, 0x0C7D, 0x11D1, {0x95, 0xB2, 0x00, 0x20, 0xAF, 0xDC, 0x74, 0x21}};
static const GUID DirectMusic8 = {0x6536115A, 0x7B2D, 0x11D2, {0xBA, 0x18, 0x00, 0x00, 0xF8, 0x75, 0xAC, 0x12}};
static const GUID DirectDraw7 = {0x15E65EC0, 0x3B9C, 0x11D2, {0xB9, 0x2F, 0x00, 0x60, 0x97, 0x97, 0xEA, 0x5B}};

enum { SetCooperativeLevelSlot = 20, CreateSurfaceSlot = 6 };

// The levels up to DirectX 5 told apart by what a DirectDraw object can do:
// 0 when it can do all of it, else the level it stops at.
static DWORD ProbeDirectDraw(void* draw) {
  if (!Supports(draw, DirectDraw2)) return Report("Couldn't QI DDraw2\r\n", 0x100);
  HMODULE input = LoadSystemLibrary("DINPUT.DLL");
  if (!input) return Report("Couldn't LoadLibrary DInput\r\n", 0x200);
  FARPROC createInput = GetProcAddress(input, "DirectInputCreateA");
  FreeLibrary(input);
  if (!createInput) return Report("Couldn't GetProcAddress DInputCreate\r\n", 0x200);
  if (((HRESULT(WINAPI*)(void*, HWND, DWORD))Methods(draw)[SetCooperativeLevelSlot])(draw, 0, DDSCL_NORMAL))
    return Report("Couldn't Set coop level\r\n", 0x301);
  DDSURFACEDESC description;
  ZeroMemory(&description, sizeof(description));
  description.dwSize = sizeof(description);
  description.dwFlags = DDSD_CAPS;
  description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
  void* surface;
  if (((HRESULT(WINAPI*)(void*, DDSURFACEDESC*, void**, void*))Methods(draw)[CreateSurfaceSlot])(
          draw, &description, &surface, 0))
    return Report("Couldn't CreateSurface\r\n", 0x301);
  DWORD number = !Supports(surface, DrawSurface3) ? 0x300 : !Supports(surface, DrawSurface4) ? 0x500 : 0;
  Release(surface);
  return number;
}

static DWORD ProbeDirectX(HMODULE ddraw) {
  typedef HRESULT(WINAPI * CreateDraw)(GUID*, void**, void*);
  typedef HRESULT(WINAPI * CreateDrawEx)(GUID*, void**, const GUID*, void*);
  CreateDraw create = (CreateDraw)GetProcAddress(ddraw, "DirectDrawCreate");
  if (!create) return Report("Couldn't LoadLibrary DDraw\r\n", 0);
  void* draw;
  if (create(0, &draw, 0)) return Report("Couldn't create DDraw\r\n", 0);
  DWORD number = ProbeDirectDraw(draw);
  Release(draw);
  if (number) return number;

  void* music;
  CoInitialize(0);
  bool haveMusic = !CoCreateInstance(DirectMusicClass, 0, CLSCTX_INPROC_SERVER, DirectMusic8, &music);
  if (haveMusic) Release(music);
  CoUninitialize();
  if (!haveMusic) return Report("Couldn't create CLSID_DirectMusic\r\n", 0x600);

  CreateDrawEx createEx = (CreateDrawEx)GetProcAddress(ddraw, "DirectDrawCreateEx");
  if (!createEx || createEx(0, &draw, &DirectDraw7, 0)) return 0x601;
  Release(draw);

  HMODULE library = LoadSystemLibrary("D3D8.DLL");
  if (!library) return 0x700;
  FreeLibrary(library);
  number = 0x800;
  char* version = ReadRegistryString(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\DirectX", "Version", 0);
  if (FindText(version, "4.08.01", 7, true)) number = 0x801;
  FreeBlock(version);
  if ((library = LoadSystemLibrary("D3D9.DLL"))) {
    FreeLibrary(library);
    number = 0x900;
  }
  return number;
}

DWORD DetectDirectX() {
  HMODULE ddraw = LoadSystemLibrary("DDRAW.DLL");
  if (!ddraw) return 0;
  DWORD number = ProbeDirectX(ddraw);
  FreeLibrary(ddraw);
  return number;
}

// The first version of each code: 97, SR1, SR2, 2000, SR1, SR2, XP. A newer
// build than a row's counts as that row, so later releases meet every row.
static const DWORD AccessVersions[][2] = {{0x80000, 3512}, {0x80000, 4122}, {0x80000, 5903}, {0x90000, 2719},
                                          {0x90000, 3822}, {0x90000, 4506}, {0xA0000, 2627 << 16 | 1}};

int ClassifyAccessVersion(DWORD mostSignificant, DWORD leastSignificant) {
  int code = 0;
  for (int row = 0; row < 7; row++)
    if (mostSignificant > AccessVersions[row][0] ||
        (mostSignificant == AccessVersions[row][0] && leastSignificant >= AccessVersions[row][1]))
      code = row + 1;
  return code;
}

int DetectAccess() {
  char* path = ReadRegistryString(HKEY_LOCAL_MACHINE, AccessAppPathKey, 0, 0);
  DWORD mostSignificant, leastSignificant;
  int code = path && GetFileVersion(path, &mostSignificant, &leastSignificant)
                 ? ClassifyAccessVersion(mostSignificant, leastSignificant)
                 : 0;
  FreeBlock(path);
  return code;
}

bool IsAdministrator() {
  HANDLE token;
  bool administrator = false;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  // From Vista on an administrator's process runs with a filtered token until
  // it is elevated; systems before Vista do not know the question.
  TOKEN_ELEVATION_TYPE elevation;
  DWORD size = sizeof(elevation);
  if (GetTokenInformation(token, TokenElevationType, &elevation, size, &size) &&
      elevation == TokenElevationTypeLimited) {
    CloseHandle(token);
    return false;
  }
  size = 0;
  GetTokenInformation(token, TokenGroups, 0, 0, &size);
  TOKEN_GROUPS* groups = size ? (TOKEN_GROUPS*)AllocateBlock(size) : 0;
  SID_IDENTIFIER_AUTHORITY ntAuthority = {SECURITY_NT_AUTHORITY};
  PSID administrators;
  if (groups && GetTokenInformation(token, TokenGroups, groups, size, &size) &&
      AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                               0, 0, &administrators)) {
    for (DWORD i = 0; i < groups->GroupCount; i++)
      if (EqualSid(groups->Groups[i].Sid, administrators) && groups->Groups[i].Attributes & SE_GROUP_ENABLED)
        administrator = true;
    FreeSid(administrators);
  }
  FreeBlock(groups);
  CloseHandle(token);
  return administrator;
}
