// The install worker's registry, INI and association phases: each record
// expanded, applied and recorded in the install log for the uninstaller.
#include <shlobj.h>
#include "engine/system.h"
#include "common/heap.h"
#include "common/message.h"
#include "common/paths.h"
#include "common/text.h"
#include "engine/backup.h"
#include "engine/registry.h"
#include "engine/variables.h"
#include "engine/worker.h"
#include "script/model.h"
#include "startup/process.h"
#include "uninstall/log.h"

static int HexDigitValue(char digit) {
  if (digit >= '0' && digit <= '9') return digit - '0';
  if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
  if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
  return -1;
}

BYTE* ConvertData(DWORD type, const char* text, DWORD* size) {
  DWORD length = lstrlenA(text);
  BYTE* data = 0;
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    data = (BYTE*)DuplicateString(text, 0);
    *size = length + 1;
  } else if (type == REG_MULTI_SZ) {
    // The copy's spare zero bytes end the last string and the list.
    data = (BYTE*)DuplicateString(text, 2);
    for (DWORD i = 0; data && i < length; i++)
      if (data[i] == '|') data[i] = 0;
    *size = length + 2;
  } else if (type == REG_DWORD) {
    data = (BYTE*)AllocateBlock(4);
    if (data) *(DWORD*)data = ParseNumber(text);
    *size = 4;
  } else if (type == REG_BINARY) {
    data = (BYTE*)AllocateBlock(length / 2 + 1);
    DWORD digits = 0;
    for (int value; data && (value = HexDigitValue(text[digits])) >= 0; digits++)
      data[digits / 2] |= (BYTE)(digits & 1 ? value : value << 4);
    *size = (digits + 1) / 2;
  }
  return data;
}

// Creates the key path and sets the value, both recorded. A value that was
// there before gets its earlier data back in a rollback; at uninstall it is
// deleted as the script's own, or with restore given its earlier data back.
// *keyMade tells which of the two steps failed.
static DWORD SetRecordedValue(const char* rootNumber, const char* subkey, const char* name, DWORD type,
                              const void* data, DWORD size, bool restore, bool* keyMade) {
  HKEY root = (HKEY)(LONG_PTR)(LONG)(0x80000000 + ParseNumber(rootNumber)), key;
  DWORD error = CreateRegistryKeyPath(root, subkey, KEY_QUERY_VALUE | KEY_SET_VALUE, &key);
  if ((*keyMade = !error)) {
    DWORD earlierSize;
    bool existed = !RegQueryValueExA(key, name, 0, 0, 0, &earlierSize);
    if (existed) RecordEarlierValue(key, rootNumber, subkey, name, restore);
    error = RegSetValueExA(key, name, 0, type, (const BYTE*)data, size);
    RegCloseKey(key);
    const char* entry[] = {rootNumber, subkey, name};
    if (!error && !(existed && restore)) RecordLogEntry('c', 3, entry, !existed, true);
  }
  return error;
}

bool ApplyRegistryRecord(const char* record, HWND owner, StringList fields) {
  SplitExpanded(fields, record);
  HKEY root = (HKEY)(LONG_PTR)(LONG)(0x80000000 + ParseNumber(Field(fields, 0)));
  const char* valueName = Field(fields, 2);
  DWORD type = ParseNumber(Field(fields, 3));
  if (!type) type = REG_SZ;
  DWORD size;
  BYTE* data = ConvertData(type, Field(fields, 4), &size);
  if (!data) return true;
  const char* subkeyField = Field(fields, 1);
  char* subkey = DuplicateString(subkeyField + (*subkeyField == '\\'), 0);
  StripTrailingSlash(subkey);
  char* keyName = ConcatStrings(RootKeyName(root), "\\", subkey);
  bool goOn = true, keyMade;
  DWORD error = SetRecordedValue(Field(fields, 0), subkey, valueName, type, data, size, false, &keyMade);
  if (error) {
    InstallSucceeded = false;
    goOn = !keyMade ? AskErrorQuestion(owner, 24, keyName, SystemErrorText(error))
                    : ShowFormattedMessage(owner, Model.caption, LookupText(ErrorsGroup, 25), valueName, keyName,
                                           SystemErrorText(error), MB_YESNO | MB_ICONERROR) == IDYES;
  }
  FreeBlock(keyName);
  FreeBlock(subkey);
  FreeBlock(data);
  return goOn;
}

DWORD CreateFileFolder(const char* path, HWND owner) {
  const char* separator = FindCharReverse(path, '\\', -1, true);
  if (!separator) return 0;
  char* folder = DuplicatePart(path, (DWORD)(separator - path) + 1);
  DWORD refused = folder ? CreateDirectoryPath(folder, owner) : 0;
  FreeBlock(folder);
  return refused;
}

bool ApplyIniRecord(const char* record, HWND owner, StringList fields) {
  SplitExpanded(fields, record);
  const char* path = Field(fields, 0);
  char* inWindows = 0;
  if (!FindChar(path, '\\', -1, true)) {
    // The profile functions keep a bare file name in the Windows folder.
    char windows[MAX_PATH];
    if (GetWindowsDirectoryA(windows, MAX_PATH)) inWindows = CombinePath(windows, path);
  }
  const char* file = inWindows ? inWindows : path;
  // The first change this run makes to an INI file that was there keeps a
  // copy of the whole file for the rollback.
  if (PathExists(file)) {
    if (!IsBackedUp(file)) BackUpFile(file, true);
  } else if (!inWindows && CreateFileFolder(file, owner)) {
    InstallSucceeded = false;
    FreeBlock(inWindows);
    return false;
  } else {
    RecordLogLine("b", file, true, false);
  }
  FreeBlock(inWindows);
  const char* section = Field(fields, 1);
  const char* key = Field(fields, 2);
  const char* addition = Field(fields, 3);
  const char* append = Field(fields, 4);
  char* value = 0;
  if (*append && *append != '0' && *key) {
    // Room for the longest value the profile functions give plus the addition.
    value = (char*)AllocateBlock(MaxTextLength + lstrlenA(addition) + 1);
    if (value) {
      GetPrivateProfileStringA(section, key, "", value, MaxTextLength, path);
      lstrcatA(value, addition);
    }
  }
  WritePrivateProfileStringA(section, *key ? key : 0, value ? value : *addition ? addition : 0, path);
  FreeBlock(value);
  return true;
}

static void RecordTreeKey(const char* key) {
  const char* entry[] = {"0", key, "1"};
  RecordLogEntry('e', 3, entry, true, true);
}

static bool IsClassKey(const char* subkey) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subkey, 0, KEY_QUERY_VALUE, &key)) return false;
  RegCloseKey(key);
  return true;
}

// One value of an association. Under a key that the installation creates,
// and removes with its whole tree, it is simply written. Under a key that
// was there before, other programs' values and subkeys must outlive the
// installation: only what is written is recorded.
static DWORD SetAssociationValue(const char* subkey, const char* name, DWORD type, const char* text, bool ours) {
  DWORD size = lstrlenA(text) + 1;
  if (ours) return WriteRegistryValue(HKEY_CLASSES_ROOT, subkey, name, type, text, size);
  bool keyMade;
  return SetRecordedValue("0", subkey, name ? name : "", type, text, size, true, &keyMade);
}

bool RegisterAssociation(const char* extension, const char* fileType, const char* contentType,
                         const char* description, const char* infoTip, const char* command,
                         const char* iconFile, int iconIndex) {
  // New keys are removed with their whole trees at uninstall; an empty name
  // would hand the uninstaller the root of every class.
  if (!*extension || !*fileType) return false;
  bool newExtension = !IsClassKey(extension), newType = !IsClassKey(fileType);
  if (SetAssociationValue(extension, 0, REG_SZ, fileType, newExtension)) return false;
  if (newExtension) RecordTreeKey(extension);
  if (SetAssociationValue(extension, "Content Type", REG_SZ, contentType, newExtension)) return false;
  if (*description && SetAssociationValue(fileType, 0, REG_SZ, description, newType)) return false;
  if (*infoTip && SetAssociationValue(fileType, "InfoTip", REG_EXPAND_SZ, infoTip, newType)) return false;
  DWORD error = 0;
  if (*command) {
    char* key = ConcatStrings(fileType, "\\shell\\open\\command");
    error = key ? SetAssociationValue(key, 0, REG_SZ, command, newType) : ERROR_NOT_ENOUGH_MEMORY;
    FreeBlock(key);
  }
  if (!error && *iconFile) {
    char index[16];
    wsprintfA(index, ",%i", iconIndex);
    char* key = ConcatStrings(fileType, "\\DefaultIcon");
    char* icon = ConcatStrings(iconFile, index);
    error = key && icon ? SetAssociationValue(key, 0, REG_SZ, icon, newType) : ERROR_NOT_ENOUGH_MEMORY;
    FreeBlock(icon);
    FreeBlock(key);
  }
  if (error) return false;
  SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, 0, 0);
  if (newType) RecordTreeKey(fileType);
  return true;
}

bool ApplyAssociationRecord(const char* record, HWND owner, StringList fields) {
  SplitExpanded(fields, record);
  if (RegisterAssociation(Field(fields, 0), Field(fields, 1), Field(fields, 2), Field(fields, 3),
                          Field(fields, 4), Field(fields, 5), Field(fields, 6), ParseNumber(Field(fields, 7))))
    return true;
  return AskErrorQuestion(owner, 30, Field(fields, 0), 0);
}
