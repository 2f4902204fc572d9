#pragma once
// Shell links, made through the shell's own link object.
#include <windows.h>

// Saves a .lnk file at linkPath. An empty iconFile sets no icon, a zero
// showCommand keeps the link's default and a hotkey whose low 16 bits are
// zero sets none. The calling thread must have COM initialised.
bool CreateShortcut(const char* linkPath, const char* target, const char* arguments, const char* folder,
                    const char* iconFile, int iconIndex, int showCommand, int hotkey);
