#pragma once
// The uninstall worker, the deletion batch, and the file and folder removal
// that the worker and the leftover tree share. No removal here ever follows
// a junction or other link out of the folder it was given.
#include <windows.h>

// Thread procedure: undoes the log read last, from its last entry to its
// first. With the uninstall page it paces itself, shows what it does, asks
// before it gives up on a file in use, and finally closes the page or turns
// it into the leftover view; without one (rollback) it works silently. 1
// when the log has no entries, else 0.
DWORD WINAPI UninstallWorker(void* page);
// The question before a shared file is removed: its name, then its folder.
extern const char SharedFileQuestion[];

// Writes "delself.bat" into the temporary folder and starts it hidden: it
// deletes the running program as soon as it has ended, then itself. It
// tries without pause: started as the program ends, it has little to wait for.
void ScheduleSelfDeletion();

// Whether attributes of a directory entry mark a junction, a symbolic link
// or another reparse point.
bool IsLink(DWORD attributes);
// "." or "..".
bool IsDotName(const char* name);
// Starts listing the folder at its first entry other than "." and "..";
// INVALID_HANDLE_VALUE when there is none or the folder cannot be listed.
// The search is the caller's to close.
HANDLE FindFirstEntry(const char* folder, WIN32_FIND_DATAA* found);
// True when the folder lists nothing but "." and "..", or cannot be listed.
bool IsFolderEmpty(const char* path);
// Deletes one file, or only the link when the path is a link.
void DeleteLeaf(const char* path, DWORD attributes);
// Deletes the folder with everything in it; true when the folder itself is
// gone. A link inside it (or the path itself being one) is removed as a
// link where the system allows it and otherwise left; its target is never
// entered.
bool DeleteFolderTree(const char* path);
