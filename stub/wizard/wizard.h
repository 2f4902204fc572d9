#pragma once
// The wizard: the frame with its button band, the one page procedure, and
// the full-screen backdrop behind them.
#include <windows.h>

// A page tells itself to apply its texts again after a language change;
// lParam is its slot.
const UINT WM_PAGE_RELOCALIZE = WM_USER + 10;

INT_PTR CALLBACK WizardFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The one procedure of every wizard page and, for its texts, colours and
// painting, of the uninstaller's dialog. The page's slot (0..12) arrives as
// the lParam of WM_INITDIALOG.
INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
HWND CreateBackgroundWindow(HINSTANCE module);

// Page kinds: the template number of the standard dialog set.
enum PageKind {
  LanguagePage = 129, WelcomePage = 130, LicencePage = 131, ReadmePage = 132, DestinationPage = 135,
  StartMenuPage = 137, ReadyPage = 138, InstallingPage = 139, FinishPage = 140, UninstallerPage = 141
};
int KindOfSlot(int slot);

// State of the frame, shared with the pages (main thread only).
struct WizardState {
  HWND frame;
  HWND background;        // null without a backdrop
  HWND page;              // the page shown
  int currentPage;        // its slot, -1 before the first
  int previousPage;       // the slot Back returns to, -1 for none
  int bandHeight;         // pixels from the frame's long separator to its bottom
  HANDLE workerThread;    // the install worker, started by the installing page
  DWORD workerThreadId;
  HCURSOR handCursor;
};
extern WizardState Wizard;

// The checks of the destination page on a folder: its form, its drive, the
// free space and the right to create it; each refusal is said in a message.
bool DestinationAccepted(const char* typed);
// Runs the actions that the pages before the installing one would run on
// Next, for a run without the wizard.
void PassPagesSilently();

// Shows or hides a control and enables it to match.
void ShowControl(HWND dialog, int id, bool shown);
