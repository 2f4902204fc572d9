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
