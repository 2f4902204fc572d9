#pragma once
// The wizard's small helpers: the Yes / Yes To All / No question, the folder
// browser, the check and free space of a typed folder, and the geometry that
// lets transparent static controls repaint cleanly.
#include <windows.h>

// winbase.h keeps GetFreeSpace as a constant for old 16-bit code.
#undef GetFreeSpace

// Results of ShowConfirmDialog.
enum { ConfirmYes = 1, ConfirmYesToAll = 2, ConfirmNo = 3 };

// Dialog 200, modal: ConfirmNo also for Escape and the close box, and in a
// silent run without a dialog.
int ShowConfirmDialog(HWND owner, const char* caption, const char* message);
// The user's folder in result (MAX_PATH at least), starting at startFolder
// when given; false when cancelled or when the folder has no file-system path.
bool BrowseForFolder(HWND owner, const char* prompt, const char* startFolder, char* result);
// A drive path ("C:", "C:\Program Files") or a server-and-share path; the
// check is on the text alone.
bool IsValidInstallPath(const char* text);
// Free bytes available to the caller on the drive of root ("C:"); 0 when
// the drive cannot be asked.
ULONGLONG GetFreeSpace(const char* root);
// text (16 bytes at least) = "<n> Kb", "<n> Mb" from 1,000,000 Kb on, "<n> Gb"
// from 1,000,000 Mb on; rounded up when roundUp is set, else down.
void FormatSpace(ULONGLONG bytes, bool roundUp, char* text);
void ShowFreeSpace(const char* root, HWND control);
RECT GetControlRectInParent(HWND control);
// Erases the control's area in its parent, or with parentOnly clear in the
// parent's parent (a wizard page sits at the frame's client origin).
void InvalidateControlArea(HWND control, bool parentOnly);
void InvalidateControlArea(HWND dialog, int id, bool parentOnly);
