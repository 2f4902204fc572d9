#include "engine/registry.h"
#include "common/heap.h"
#include "uninstall/log.h"

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

const char* RootKeyName(HKEY root) {
  DWORD number = (DWORD)(ULONG_PTR)root - 0x80000000;
  const char* name = RootKeyNames;
  for (; *name && number; number--) name += lstrlenA(name) + 1;
  return name;
}

DWORD CreateRegistryKeyPath(HKEY root, const char* subkey, REGSAM access, HKEY* key) {
  char number[16];
  wsprintfA(number, "%u", (DWORD)(ULONG_PTR)root - 0x80000000);
  const char* entry[] = {number, 0};
  char* path = DuplicateString(SkipBackslash(subkey), 0);
  if (!path) return ERROR_NOT_ENOUGH_MEMORY;
  int length = lstrlenA(path);
  if (length && path[length - 1] == '\\') path[length - 1] = 0;
  DWORD disposition;
  HKEY prefix;
  for (char* cut = path; *cut; cut++) {
    if (*cut != '\\') continue;
    *cut = 0;
    if (!RegCreateKeyExA(root, path, 0, (char*)"", 0, KEY_QUERY_VALUE, 0, &prefix, &disposition)) {
      RegCloseKey(prefix);
      entry[1] = path;
      if (disposition == REG_CREATED_NEW_KEY) RecordLogEntry('e', 2, entry, true, true);
    }
    *cut = '\\';
  }
  DWORD error = RegCreateKeyExA(root, path, 0, (char*)"", 0, access, 0, key, &disposition);
  // The root itself is never the installation's to remove.
  entry[1] = path;
  if (!error && *path) RecordLogEntry('e', 2, entry, disposition == REG_CREATED_NEW_KEY, true);
  FreeBlock(path);
  return error;
}

DWORD DeleteRegistryKeyTree(HKEY root, const char* subkey, bool force) {
  while (subkey && *subkey == '\\') subkey++;
  // An empty path would name the root key with everything below it.
  if (!subkey || !*subkey) return ERROR_INVALID_PARAMETER;
  HKEY key;
  DWORD error = RegOpenKeyExA(root, subkey, 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, &key);
  if (error) return error;
  DWORD subkeys, longestName, values;
  error = RegQueryInfoKeyA(key, 0, 0, 0, &subkeys, &longestName, 0, &values, 0, 0, 0, 0);
  bool remove = !error && (force || (!subkeys && !values));
  char* name = remove ? (char*)AllocateBlock(longestName + 1) : 0;
  while (name) {
    DWORD size = longestName + 1;
    if (RegEnumKeyExA(key, 0, name, &size, 0, 0, 0, 0)) break;
    char* child = ConcatStrings(subkey, "\\", name);
    DWORD childError = child ? DeleteRegistryKeyTree(root, child, true) : ERROR_NOT_ENOUGH_MEMORY;
    FreeBlock(child);
    // A subkey that stays would come back at index 0 for ever.
    if (childError) {
      error = childError;
      remove = false;
      break;
    }
  }
  FreeBlock(name);
  RegCloseKey(key);
  if (remove) error = RegDeleteKeyA(root, subkey);
  return error;
}
