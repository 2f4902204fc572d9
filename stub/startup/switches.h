#pragma once
// The command line of an unattended run: /S, /REBOOT, /LOG=<file> and, last
// and taken whole, /D=<folder>; and the exit code that tells a deployment
// tool how the run ended.
#include <windows.h>

extern bool Silent;             // /S: no window, every question answered by itself
extern bool RestartAllowed;     // /REBOOT: a silent run may restart Windows
extern char* DestinationSwitch; // /D=: the installation folder, quotes removed
extern char* MessageLogPath;    // /LOG=: where every message is written
extern char* PlainArgument;     // the rest after the switches (the uninstaller's log), trimmed
extern char* UnknownSwitch;     // the first argument that is none of the above

enum ExitCodes {
  ExitInstalled = 0, ExitFailed = 1, ExitRequirementNotMet = 2, ExitDamaged = 3, ExitUnknownSwitch = 87,
  ExitRestartNeeded = 3010
};
extern DWORD ExitCode;

// Reads the process's command line into the state above; the program's own
// name is passed over.
void ReadSwitches();
// Frees the strings above.
void FreeSwitches();
