#pragma once
// Process-wide state of the setup stub, created by the start-up steps and
// released by the one cleanup at the end of every run.
#include <windows.h>
#include "common/list.h"

extern HINSTANCE ModuleHandle;
extern char* ModulePath;       // full path of the stub's own file
extern char* ModuleFolder;     // without trailing backslash
extern char* TemporaryFolder;  // without trailing backslash
extern HANDLE OwnFile;         // INVALID_HANDLE_VALUE until opened
extern HMODULE RichEditModule;
extern StringList LanguageNames;  // English name of each primary language id 1..97

extern HANDLE UninstallFinishedEvent;
extern HANDLE InstallFinishedEvent;
extern HANDLE WorkerGateEvent;

extern int LastPageIndex;      // first wizard page whose actions are still due, or -1
extern bool InstallSucceeded;
extern bool RebootRequired;
extern bool RestartChosen;
extern bool DelayedReplacementsPending;

// Performs one start-up step (0..6); shows its own message on failure.
bool RunStartupStep(int step);
// Releases everything start-up and the run created; safe after a partial start-up.
void Cleanup();
