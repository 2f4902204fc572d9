#pragma once
// The install worker: the thread that carries out the installation once the
// wizard has collected the user's choices, and the helpers its phases share.
#include <windows.h>
#include "common/list.h"

// Posted by the worker to the wizard frame when the run failed or was
// cancelled and has been rolled back; success posts WM_COMMAND with NextButton.
const UINT WM_INSTALL_ABORTED = WM_USER + 12;
const int NextButton = 1011;
// Controls of the installing page that the worker drives.
const int PhaseTextControl = 1004, CurrentItemControl = 1005, ProgressBarControl = 1023;

// Thread procedure; the argument is the installing page's window.
DWORD WINAPI InstallWorker(void* installingPage);

// Waits while the wizard holds the worker gate, then takes a WM_QUIT from the
// thread's queue. True when the run is to be cancelled: a quit seen now or at
// an earlier checkpoint of the same worker (*quitSeen, false at its start).
// Without an installing page (a silent run) it returns *quitSeen at once.
bool WaitAtCheckpoint(bool* quitSeen);

// Creates every missing folder of path, recording each in the install log.
// 0 to go on, or the error code when the user chose to stop; *made (when
// given) tells whether the last folder of the path was made here.
DWORD CreateDirectoryPath(const char* path, HWND owner, bool* made = 0);

// Shows path in the installing page's current-item control, shortened to the
// control's width; null clears it. Does nothing outside an install run.
void ShowCurrentItem(const char* path);
// Sets the installing page's phase text to its page text number index.
void ShowPhaseText(int index);

// Records a shared file that the run wrote (or a shared link) and raises its
// use count, unless the installation that this one replaces counted it
// already (its log lies where this run's goes and lists the file): then the
// line is the uninstaller's alone, and the product's one removal lowers the
// count as often as its installations raised it, once.
void CountSharedFile(const char* path);

// Asks an errors-group question of the current language, Yes/No with the
// error icon, filled with up to two arguments; true for Yes. Clears nothing.
bool AskErrorQuestion(HWND owner, int index, const char* argument1, const char* argument2);

// The fixed version of a file's version resource. Both outs are zeroed first;
// false when the file has none.
bool GetFileVersion(const char* path, DWORD* high, DWORD* low);

// The file phase: every folder group of the mapped package, with the
// installing page as owner of its questions. False when the user chose to
// stop, the run was cancelled or the package could not be read.
bool ExtractFolderGroups(const BYTE* package, DWORD packageSize, HWND owner, HWND progressBar, bool* quitSeen);
