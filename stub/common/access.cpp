#include "common/access.h"
#include "common/heap.h"
#include "common/paths.h"

HANDLE SecurityToken;
static HMODULE SecurityLibrary;

// In the order of SecurityNames: LoadSecurityFunctions fills them one after
// another.
static struct {
  void(WINAPI* MapGenericMask)(DWORD* mask, GENERIC_MAPPING* mapping);
  BOOL(WINAPI* AccessCheck)(PSECURITY_DESCRIPTOR descriptor, HANDLE token, DWORD desired,
                            GENERIC_MAPPING* mapping, PRIVILEGE_SET* privileges,
                            DWORD* privilegesLength, DWORD* granted, BOOL* status);
  DWORD(WINAPI* GetNamedSecurityInfo)(const char* name, int type, SECURITY_INFORMATION wanted,
                                      PSID* owner, PSID* group, PACL* dacl, PACL* sacl,
                                      PSECURITY_DESCRIPTOR* descriptor);
} Security;

static const char SecurityNames[] = "MapGenericMask\0AccessCheck\0GetNamedSecurityInfoA\0";

static bool IsWindows95() {
  // The high bit marks the Windows 95 family; the low word is minor.major.
  DWORD version = GetVersion();
  return (version & 0x80000000) && LOWORD(version) == 4;
}

bool LoadSecurityFunctions() {
  if (IsWindows95())
    return true;
  SecurityLibrary = LoadSystemLibrary("ADVAPI32.DLL");
  FARPROC* slot = (FARPROC*)&Security;
  for (const char* name = SecurityNames; SecurityLibrary && *name; name += lstrlenA(name) + 1)
    if (!(*slot++ = GetProcAddress(SecurityLibrary, name)))
      ReleaseSecurityFunctions();
  return SecurityLibrary != 0;
}

void ReleaseSecurityFunctions() {
  if (SecurityLibrary)
    FreeLibrary(SecurityLibrary);
  SecurityLibrary = 0;
}

DWORD CheckAccess(HANDLE token, const char* objectName, int objectType, DWORD desiredAccess, bool* allowed) {
  static const GENERIC_MAPPING FileMapping = {FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE,
                                              FILE_ALL_ACCESS};
  static const GENERIC_MAPPING KeyMapping = {KEY_READ, KEY_WRITE, KEY_EXECUTE, KEY_ALL_ACCESS};
  *allowed = true;
  if (IsWindows95())
    return 0;
  if (!SecurityLibrary)
    return 1;
  PSECURITY_DESCRIPTOR descriptor;
  PSID owner, group;
  PACL dacl;
  DWORD result = Security.GetNamedSecurityInfo(
      objectName, objectType, OWNER_SECURITY_INFORMATION | GROUP_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
      &owner, &group, &dacl, 0, &descriptor);
  if (result)
    return result;
  GENERIC_MAPPING mapping = objectType == RegistryKeyObject ? KeyMapping : FileMapping;
  Security.MapGenericMask(&desiredAccess, &mapping);
  // The first call offers room for one privilege rather than none: some
  // systems fail on a missing buffer instead of reporting the size needed.
  PRIVILEGE_SET small;
  PRIVILEGE_SET* privileges = &small;
  void* larger = 0;
  DWORD length = sizeof small, granted;
  BOOL status = FALSE;
  BOOL checked = Security.AccessCheck(descriptor, token, desiredAccess, &mapping, privileges, &length, &granted, &status);
  if (!checked && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
    privileges = (PRIVILEGE_SET*)(larger = AllocateBlock(length));
    checked = Security.AccessCheck(descriptor, token, desiredAccess, &mapping, privileges, &length, &granted, &status);
  }
  result = checked ? 0 : GetLastError();
  if (checked)
    *allowed = status != FALSE;
  FreeBlock(larger);
  LocalFree(descriptor);
  return result;
}
