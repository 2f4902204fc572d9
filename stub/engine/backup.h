#pragma once
// What an installation overwrites, kept until the run has succeeded: files
// moved aside beside themselves and the earlier data of registry values, both
// recorded in the temporary log so that a rollback puts them back.
#include <windows.h>
#include "common/list.h"

// Moves an existing file aside in its own folder (a rename, so its contents,
// attributes and times stay as they are) and records that in the temporary
// log. With keepCopy a copy takes its place, for changes made in place. The
// backup's name (owned by the run), or null when the file could not be moved
// and is to be written over as it is.
const char* BackUpFile(const char* path, bool keepCopy);
// Whether this run has moved that file aside already.
bool IsBackedUp(const char* path);
// The file that was moved aside back in the target's place; nothing when the
// backup is gone.
void RestoreBackup(const char* target, const char* backup);
// After a successful run: every backup deleted, or at the next restart when
// it is in use. After a failed one only the lists go; the rollback restores.
void EndBackups(bool succeeded);

// Records the value's earlier type and data as a "j" entry before it is
// written over: in the temporary log, and with keep also for the uninstaller.
void RecordEarlierValue(HKEY key, const char* rootNumber, const char* subkey, const char* valueName, bool keep);
// Undoes a "j" entry of the log.
void RestoreValue(StringList fields);
