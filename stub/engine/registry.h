#pragma once
// Registry helpers shared by the folder keywords, the loader, the requirement
// checks and the registry phase of the install.
#include <windows.h>

// "HKCR", "HKCU", "HKLM", "HKU", "HKPD", "HKCC" or "HKDD" in any letter case;
// null for anything else.
HKEY RootKeyFromName(const char* name);
// A zero-filled heap copy of the value's data (one leading backslash of the
// subkey skipped), or null when the key or value is missing, the value is
// empty or the read fails. type may be null.
char* ReadRegistryString(HKEY root, const char* subkey, const char* valueName, DWORD* type);
// Creates or opens the key and sets the value; a Win32 error code.
DWORD WriteRegistryValue(HKEY root, const char* subkey, const char* valueName, DWORD type,
                         const void* data, DWORD size);
// WriteRegistryValue of a text with its terminating zero as REG_SZ.
DWORD WriteRegistryText(HKEY root, const char* subkey, const char* valueName, const char* text);
// Deletes the value and, with removeEmptyKey, the key too when it is left
// with neither subkeys nor values; a Win32 error code.
DWORD DeleteRegistryValue(HKEY root, const char* subkey, const char* valueName, bool removeEmptyKey);
// Raises the path's SharedDLLs count by one, or lowers it but not below 0
// (deleting the value at 0); returns the new count. Errors are ignored.
DWORD AdjustSharedCount(const char* path, bool decrement);
// Deletes the key with every subkey when it is empty or force is set; a
// non-empty key without force is left and 0 returned.
DWORD DeleteRegistryKeyTree(HKEY root, const char* subkey, bool force);
// "HKCR" .. "HKDD" for a predefined handle, "" for any other.
const char* RootKeyName(HKEY root);
// Creates the key with access and hands it back open in *key, recording in
// the install log every key of the path that did not exist (at once) and the
// whole path (at once only when new, so that a rollback keeps an old key).
// One leading and one trailing backslash are ignored; a Win32 error code.
DWORD CreateRegistryKeyPath(HKEY root, const char* subkey, REGSAM access, HKEY* key);
// Registers the extension with its file type under HKEY_CLASSES_ROOT: the
// content type always, the description, info tip, open command and icon
// only when given. Both keys are recorded for removal with their trees.
bool RegisterAssociation(const char* extension, const char* fileType, const char* contentType,
                         const char* description, const char* infoTip, const char* command,
                         const char* iconFile, int iconIndex);
