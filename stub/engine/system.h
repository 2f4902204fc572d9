#pragma once
// The install worker's later phases: one record of the shortcut, registry,
// INI or association list applied to the machine and recorded in the install
// log. Each is called after the worker's checkpoint, with the installing page
// as owner of its questions and the worker's own field list; each returns
// false when the user chose to stop the run.
#include <windows.h>
#include "common/list.h"

// Creates the folders of a file's path with CreateDirectoryPath, the
// separator after the folder kept so that a file at a drive's root asks for
// no folder. 0 for a bare file name; the error code when the user chose to
// stop.
DWORD CreateFileFolder(const char* path, HWND owner);

// A registry record's data in the form its value type stores; null for a
// type that is not written.
BYTE* ConvertData(DWORD type, const char* text, DWORD* size);

bool ApplyShortcutRecord(const char* record, HWND owner, StringList fields);
bool ApplyRegistryRecord(const char* record, HWND owner, StringList fields);
bool ApplyIniRecord(const char* record, HWND owner, StringList fields);
bool ApplyAssociationRecord(const char* record, HWND owner, StringList fields);
