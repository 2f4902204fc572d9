// Keeping what an installation overwrites until it has succeeded.
#include "engine/backup.h"
#include "common/heap.h"
#include "common/paths.h"
#include "common/text.h"
#include "engine/delayed.h"
#include "engine/registry.h"
#include "engine/system.h"
#include "startup/process.h"
#include "uninstall/log.h"

static StringList Backups, BackupTargets;

// Backups are numbered on from a start taken once, so that a name is free at
// the first try: the system's unique names would be searched for among all
// the backups of the folder, once per file.
static DWORD BackupNumber;

const char* BackUpFile(const char* path, bool keepCopy) {
  if ((!Backups && !CreateList(&Backups, 16)) || (!BackupTargets && !CreateList(&BackupTargets, 16))) return 0;
  char* folder = ParentPath(path);
  char backup[MAX_PATH];
  bool moved = false;
  if (!BackupNumber) BackupNumber = GetTickCount();
  for (int tries = 0; folder && TextLength(folder) < MAX_PATH - 16 && tries < 16; tries++) {
    wsprintfA(backup, "%s\\KVZ%X.tmp", folder, BackupNumber++);
    if ((moved = MoveFileA(path, backup) != FALSE)) break;
    DWORD error = GetLastError();
    if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS) break;
  }
  FreeBlock(folder);
  if (!moved) return 0;
  if (keepCopy && !CopyFileA(backup, path, TRUE)) {
    RestoreBackup(path, backup);
    return 0;
  }
  const char* fields[] = {path, backup};
  RecordLogEntry('i', 2, fields, true, false);
  AppendItem(BackupTargets, path);
  return GetItem(Backups, AppendItem(Backups, backup));
}

bool IsBackedUp(const char* path) {
  return Count(BackupTargets) && FindItem(BackupTargets, path, 0, 0) >= 0;
}

void RestoreBackup(const char* target, const char* backup) {
  if (GetFileAttributesA(backup) == INVALID_FILE_ATTRIBUTES) return;
  SetFileAttributesA(target, FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(target);
  MoveFileA(backup, target);
}

void EndBackups(bool succeeded) {
  for (int i = 0; succeeded && i < Count(Backups); i++) {
    const char* backup = GetItem(Backups, i);
    if (DeleteFileA(backup)) continue;
    SetFileAttributesA(backup, FILE_ATTRIBUTE_NORMAL);
    // A program still runs from the earlier version of its file.
    if (!DeleteFileA(backup) && GetFileAttributesA(backup) != INVALID_FILE_ATTRIBUTES) ScheduleReplace(backup, 0);
  }
  DestroyList(&Backups);
  DestroyList(&BackupTargets);
}

void RecordEarlierValue(HKEY key, const char* rootNumber, const char* subkey, const char* valueName, bool keep) {
  DWORD type, size = 0;
  if (RegQueryValueExA(key, valueName, 0, &type, 0, &size)) return;
  BYTE* data = (BYTE*)AllocateBlock(size + 1);
  char* hex = (char*)AllocateBlock(size * 2 + 1);
  if (data && hex && !RegQueryValueExA(key, valueName, 0, &type, data, &size)) {
    for (DWORD i = 0; i < size; i++) wsprintfA(hex + i * 2, "%02X", data[i]);
    char typeText[12];
    wsprintfA(typeText, "%u", type);
    const char* fields[] = {rootNumber, subkey, valueName ? valueName : "", typeText, hex};
    RecordLogEntry('j', 5, fields, true, keep);
  }
  FreeBlock(hex);
  FreeBlock(data);
}

void RestoreValue(StringList fields) {
  HKEY root = (HKEY)(LONG_PTR)(LONG)(0x80000000u + ParseNumber(Field(fields, 0)));
  DWORD size;
  BYTE* data = ConvertData(REG_BINARY, Field(fields, 4), &size);
  if (data) WriteRegistryValue(root, Field(fields, 1), Field(fields, 2), ParseNumber(Field(fields, 3)), data, size);
  FreeBlock(data);
}
