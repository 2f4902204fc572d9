// The entry point: start-up, the choice of mode, the wizard's message loop
// or the silent run, and the end of the run. Every path ends in Cleanup and
// the exit code of the run.
#include "startup/process.h"
#include "startup/switches.h"
#include "common/heap.h"
#include "common/message.h"
#include "common/paths.h"
#include "common/text.h"
#include "engine/actions.h"
#include "engine/delayed.h"
#include "engine/variables.h"
#include "engine/worker.h"
#include "package/package.h"
#include "requirements/requirements.h"
#include "script/model.h"
#include "uninstall/uninstall.h"
#include "wizard/wizard.h"

static bool StartProcess() {
  static const BYTE order[] = {0, 2, 5, 3, 4, 6};
  for (BYTE step : order) {
    if (!RunStartupStep(step)) return false;
    // A silent run must be known before the first message.
    if (step == 0) ReadSwitches();
  }
  return true;
}

static bool SwitchesKnown(bool installMode) {
  const char* unknown = UnknownSwitch ? UnknownSwitch : installMode ? PlainArgument : 0;
  if (!unknown) return true;
  ExitCode = ExitUnknownSwitch;
  ShowFormattedMessage(0, "Corvelsetup",
                       "Unknown argument: %s\n\nThe setup program knows these switches:\n"
                       "/S  silent: no window, the defaults of the installation\n"
                       "/D=folder  the installation folder (the last argument)\n"
                       "/LOG=file  every message written to a file\n"
                       "/REBOOT  restart Windows after a silent installation that needs it",
                       unknown, 0, 0, MB_ICONERROR);
  return false;
}

static bool ReadDosHeader(BYTE* header) {
  DWORD got = 0;
  if (ReadFile(OwnFile, header, DosHeaderSize, &got, 0) && got == DosHeaderSize) return true;
  ShowFormattedMessage(0, "Corvelsetup", "Error reading the module file header.", 0, 0, 0, MB_ICONERROR);
  return false;
}

static bool RequirementsMet() {
  int result = CheckRequirements();
  int message;
  if (result == 1) message = 11;
  else if (result == 2) message = 12;
  else if (result >= 3 && result <= 6) message = 13;
  else return true;
  ExitCode = ExitRequirementNotMet;
  ShowFormattedMessage(0, Model.caption, LookupText(MessagesGroup, message),
                       message == 13 ? RecordedRequirementName(result) : 0, 0, 0, MB_ICONEXCLAMATION);
  return false;
}

// The worker places everything by the installation folder and the
// uninstaller's name: a script that leaves one out cannot be installed, and
// says so before anything is written.
static bool ScriptNamesItsPaths() {
  const char* missing = 0;
  if (!TextLength(GetVariable("%InstallPath%"))) missing = "%InstallPath%";
  else if (Model.options2 & CreateUninstallerOption) {
    // The uninstall entry is named by the product: without a name its key
    // would be the parent of every program's entry.
    if (!TextLength(GetVariable("%UninstallerFileName%"))) missing = "%UninstallerFileName%";
    else if (!TextLength(Model.productName)) missing = "a product name";
  }
  if (missing) {
    ExitCode = ExitDamaged;
    ShowFormattedMessage(0, Model.caption, "This installer cannot be used: its script does not define %s.",
                         missing, 0, 0, MB_ICONERROR);
  }
  return !missing;
}

static void OpenLaunchFile(int which) {
  if (!Model.launchFlags[which]) return;
  char* file = ExpandVariables(Model.launchFiles[which]);
  int noList = 0;
  RunProgram("open", file, GetVariable("%InstallPath%"), false, true, SW_SHOW, 0, &noList);
  FreeBlock(file);
}

static void EndInstallRun(HWND owner, HWND background) {
  UINT styleBase = background ? 0 : MB_SYSTEMMODAL;
  if (LastPageIndex != -1) {
    for (int slot = LastPageIndex == 12 ? 11 : LastPageIndex; slot <= 11; slot++)
      RunActions(Model.pages[slot].programs, Model.pages[slot].dllCalls);
  }
  bool rebootRequested = false;
  if (WaitForSingleObject(InstallFinishedEvent, 0) == WAIT_OBJECT_0) {
    ExitCode = RebootRequired ? ExitRestartNeeded : ExitInstalled;
    // A silent run has no finish page to show what it would say.
    bool finishPage = Model.pages[11].enabled && !Silent;
    if (!InstallSucceeded && !finishPage)
      ShowFormattedMessage(owner, Model.caption, LookupText(MessagesGroup, 9), 0, 0, 0,
                           styleBase | MB_ICONEXCLAMATION);
    if (RebootRequired) {
      bool inUse = DelayedReplacementsPending && Count(PendingReplacements) > 0;
      const char* rebootText = LookupText(MessagesGroup, inUse ? 5 : 1);
      if (Silent) {
        RecordMessage(Model.caption, rebootText, RestartAllowed ? IDYES : IDNO);
        rebootRequested = RestartAllowed;
      } else if (finishPage && !RestartChosen)
        ShowFormattedMessage(owner, Model.caption, LookupText(MessagesGroup, 10), Model.productName, 0, 0,
                             styleBase);
      else if (RestartChosen) {
        rebootRequested = finishPage || ShowFormattedMessage(owner, Model.caption, rebootText, 0, 0, 0,
                                                             styleBase | MB_YESNO | MB_ICONQUESTION) == IDYES;
      }
    } else if (!Silent) {
      OpenLaunchFile(1);
      OpenLaunchFile(0);
    }
  }
  if (background) DestroyWindow(background);
  if (rebootRequested && !RestartWindows(false))
    ShowFormattedMessage(0, Model.caption, LookupText(ErrorsGroup, 29), 0, 0, 0, styleBase | MB_ICONERROR);
}

// The wizard's work without its windows: the script's defaults, the
// folder of the command line, every question answered by itself.
static void RunSilently() {
  SettleVariables();
  if (!DestinationAccepted(GetVariable("%InstallPath%"))) return;
  PassPagesSilently();
  InstallWorker(0);
  // The installing page's actions follow a finished run, as Next would run
  // them. The finish page hands over to the user, whom a silent run does not
  // have: its actions are left out with its launch boxes.
  if (WaitForSingleObject(InstallFinishedEvent, 0) == WAIT_OBJECT_0)
    RunActions(Model.pages[InstallingPage - LanguagePage].programs, Model.pages[InstallingPage - LanguagePage].dllCalls);
  EndInstallRun(0, 0);
}

static void RunInstall(const BYTE* header) {
  if (!VerifyOwnChecksum(OwnFile, header)) {
    ExitCode = ExitDamaged;
    return;
  }
  DWORD packageOffset = *(const WORD*)(header + PackageOffsetField);
  LoadScript(OwnFile, packageOffset, *(const DWORD*)(header + ScriptStoredLengthField));
  if (Model.script) WalkScriptRecords(Model.script, Model.scriptLength);
  CollectPlatformFacts();
  if (!RequirementsMet() || !ScriptNamesItsPaths()) return;
  if (DestinationSwitch) {
    StripTrailingSlash(DestinationSwitch);
    SetVariable("%InstallPath%", DestinationSwitch);
  }
  RunActions(Model.startupPrograms, Model.startupDllCalls);
  RunStartupStep(1);
  if (Silent) {
    RunSilently();
    return;
  }
  HWND background = Model.backgroundRequested ? CreateBackgroundWindow(ModuleHandle) : 0;
  HWND owner = background ? background : GetDesktopWindow();
  HWND frame = CreateDialogParamA(ModuleHandle, MAKEINTRESOURCEA(142 + Model.dialogSetOffset), owner,
                                  WizardFrameProc, 0);
  if (!frame) {
    // Without the frame the loop would wait for a quit message that never comes.
    ShowFormattedMessage(owner, Model.caption, LookupText(ErrorsGroup, 0), 0, 0, 0, MB_ICONERROR);
    if (background) DestroyWindow(background);
    return;
  }
  MSG message;
  while (GetMessageA(&message, 0, 0, 0)) {
    if (!IsDialogMessageA(frame, &message)) DispatchMessageA(&message);
  }
  EndInstallRun(owner, background);
}

static const char* UninstallerText(int index) {
  return GetItem(Model.pages[UninstallerSlot].texts[Model.currentLanguage], index);
}

static void RunUninstall() {
  CloseHandle(OwnFile);
  OwnFile = INVALID_HANDLE_VALUE;
  StartUninstall(false);
  if (WaitForSingleObject(UninstallFinishedEvent, 0) != WAIT_OBJECT_0) return;
  ExitCode = Count(RebootList) ? ExitRestartNeeded : ExitInstalled;
  for (int index = 0; index < Count(LeftoverList); index++) {
    const char* folder = GetItem(LeftoverList, index);
    if (HoldsWaitingUninstaller(folder)) continue;
    char* text = ConcatStrings("Kept the folder ", folder, ": it still holds files.");
    RecordMessage(UninstallerText(0), text, 0);
    FreeBlock(text);
  }
  if (Count(RebootList) > 0) {
    for (int index = 0; index < Count(RebootList); index++) ScheduleReplace(GetItem(RebootList, index), 0);
    if (ShowFormattedMessage(0, UninstallerText(0),
                             "To complete the uninstallation your computer must be restarted. \nSome files "
                             "are in use and can be deleted during system reboot only. \n\nRestart the "
                             "system now?",
                             0, 0, 0, MB_YESNO | MB_ICONQUESTION) == IDYES &&
        !RestartWindows(false))
      // No script is loaded here, so the errors group is empty: the text is our own.
      ShowFormattedMessage(0, UninstallerText(0),
                           "The computer could not be restarted. Please restart it yourself to finish "
                           "removing the files that were in use.",
                           0, 0, 0, MB_ICONERROR);
  } else if (Count(LeftoverList) == 0) {
    ShowFormattedMessage(0, UninstallerText(0), "%s have been succesfully removed from your computer.",
                         UninstallerText(9), 0, 0, MB_OK);
  }
}

extern "C" void __stdcall start() {
  if (StartProcess()) {
    BYTE header[DosHeaderSize];
    if (!ReadDosHeader(header)) {
      ExitCode = ExitDamaged;
    } else {
      bool installMode = *(const WORD*)(header + PackageOffsetField) != 0;
      if (SwitchesKnown(installMode)) installMode ? RunInstall(header) : RunUninstall();
    }
  }
  char text[32];
  wsprintfA(text, "Exit code %u.", ExitCode);
  RecordMessage(0, text, 0);
  EndUninstall();
  Cleanup();
  ExitProcess(ExitCode);
}
