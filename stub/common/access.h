// Whether the user may access a file, folder or registry key, asked of the
// object's security descriptor with the thread token opened at start-up.
#pragma once
#include <windows.h>

extern HANDLE SecurityToken;

// Loads MapGenericMask, AccessCheck and GetNamedSecurityInfoA from the
// system folder's ADVAPI32.DLL. Windows 95 has no security to check: nothing
// is loaded there and the load succeeds.
bool LoadSecurityFunctions();
void ReleaseSecurityFunctions();

const int FileObject = 1;          // SE_FILE_OBJECT: files and folders
const int RegistryKeyObject = 4;   // SE_REGISTRY_KEY: names like "CURRENT_USER\\Software"

// 0 when the check was made, with *allowed its outcome; else a system error
// code and *allowed stays true.
DWORD CheckAccess(HANDLE token, const char* objectName, int objectType, DWORD desiredAccess, bool* allowed);
