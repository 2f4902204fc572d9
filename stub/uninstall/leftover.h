#pragma once
// The leftover view of the uninstall page: folders that still held files
// after the run, in a check-box tree read from disk as it is expanded.
#include <windows.h>
#include <commctrl.h>

// Turns the page into the leftover view and fills the tree's top level
// from the leftover list, which it reduces to the outermost folders.
void ShowLeftovers(HWND page);
// What the leftover view tells the user to do.
extern const char LeftoverExplanation[];
// "Select &all": checks every item.
void SelectAllLeftovers(HWND page);
// "&Delete": after the user's confirmation, deletes everything checked.
void DeleteCheckedLeftovers(HWND page);
// Expansion and check-box clicks of the tree.
void HandleTreeNotification(HWND page, const NMHDR* header);
