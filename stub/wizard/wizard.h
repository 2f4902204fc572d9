#pragma once
#include <windows.h>

INT_PTR CALLBACK WizardFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The one procedure of every wizard page and, for its texts, colours and
// painting, of the uninstaller's dialog. The page's slot (0..12) arrives as
// the lParam of WM_INITDIALOG.
INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
HWND CreateBackgroundWindow(HINSTANCE module);
