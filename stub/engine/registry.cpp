#include "engine/registry.h"
#include "common/heap.h"

// The short names in the order of the predefined handles 0x80000000 + n.
static const char RootKeyNames[] = "HKCR\0HKCU\0HKLM\0HKU\0HKPD\0HKCC\0HKDD\0";

HKEY RootKeyFromName(const char* name) {
  const char* candidate = RootKeyNames;
  for (DWORD number = 0; *candidate; number++, candidate += lstrlenA(candidate) + 1)
    // Sign-extended, as the system's own handles are on 64-bit builds.
    if (name && !lstrcmpiA(name, candidate)) return (HKEY)(LONG_PTR)(LONG)(0x80000000 + number);
  return 0;
}

static const char* SkipBackslash(const char* subkey) {
  return subkey && *subkey == '\\' ? subkey + 1 : subkey;
}

char* ReadRegistryString(HKEY root, const char* subkey, const char* valueName, DWORD* type) {
  HKEY key;
  char* data = 0;
  if (RegOpenKeyExA(root, SkipBackslash(subkey), 0, KEY_QUERY_VALUE, &key)) return 0;
  DWORD size = 0;
  // Four spare zero bytes: a value stored without its terminating zero still
  // reads as a terminated text, and a short one as a whole number.
  if (!RegQueryValueExA(key, valueName, 0, type, 0, &size) && size && (data = (char*)AllocateBlock(size + 4)) &&
      RegQueryValueExA(key, valueName, 0, type, (BYTE*)data, &size)) {
    FreeBlock(data);
    data = 0;
  }
  RegCloseKey(key);
  return data;
}

DWORD WriteRegistryValue(HKEY root, const char* subkey, const char* valueName, DWORD type,
                         const void* data, DWORD size) {
  HKEY key;
  DWORD error = RegCreateKeyExA(root, SkipBackslash(subkey), 0, (char*)"", 0, KEY_SET_VALUE, 0, &key, 0);
  if (error) return error;
  error = RegSetValueExA(key, valueName, 0, type, (const BYTE*)data, size);
  RegCloseKey(key);
  return error;
}

DWORD WriteRegistryText(HKEY root, const char* subkey, const char* valueName, const char* text) {
  return WriteRegistryValue(root, subkey, valueName, REG_SZ, text, lstrlenA(text) + 1);
}

DWORD DeleteRegistryValue(HKEY root, const char* subkey, const char* valueName, bool removeEmptyKey) {
  HKEY key;
  DWORD error = RegOpenKeyExA(root, SkipBackslash(subkey), 0, DELETE | KEY_QUERY_VALUE | KEY_SET_VALUE, &key);
  if (error) return error;
  error = RegDeleteValueA(key, valueName);
  DWORD subkeys = 1, values = 1;
  bool empty = removeEmptyKey && !RegQueryInfoKeyA(key, 0, 0, 0, &subkeys, 0, 0, &values, 0, 0, 0, 0) &&
               !subkeys && !values;
  RegCloseKey(key);
  if (empty) RegDeleteKeyA(root, SkipBackslash(subkey));
  return error;
}

static const char SharedDllsKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

DWORD AdjustSharedCount(const char* path, bool decrement) {
  DWORD count = 0;
  char* data = ReadRegistryString(HKEY_LOCAL_MACHINE, SharedDllsKey, path, 0);
  if (data) count = *(const DWORD*)data;
  FreeBlock(data);
  if (!decrement) count++;
  else if (count) count--;
  if (decrement && !count) DeleteRegistryValue(HKEY_LOCAL_MACHINE, SharedDllsKey, path, false);
  else WriteRegistryValue(HKEY_LOCAL_MACHINE, SharedDllsKey, path, REG_DWORD, &count, sizeof count);
  return count;
}
