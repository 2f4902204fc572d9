// The entry point: start-up, the choice of mode, the wizard's message loop
// and the end of the run. Every path ends in Cleanup and exit code 0.
#include "startup/process.h"
#include "common/heap.h"
#include "common/message.h"
#include "common/text.h"
#include "engine/actions.h"
#include "engine/delayed.h"
#include "engine/variables.h"
#include "package/package.h"
#include "requirements/requirements.h"
#include "script/model.h"
#include "uninstall/uninstall.h"
#include "wizard/wizard.h"

static bool StartProcess() {
  static const BYTE order[] = {0, 2, 5, 3, 4, 6};
  for (BYTE step : order)
    if (!RunStartupStep(step)) return false;
  return true;
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
  if (missing)
    ShowFormattedMessage(0, Model.caption, "This installer cannot be used: its script does not define %s.",
                         missing, 0, 0, MB_ICONERROR);
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
    bool finishPage = Model.pages[11].enabled;
    if (!InstallSucceeded && !finishPage)
      ShowFormattedMessage(owner, Model.caption, LookupText(MessagesGroup, 9), 0, 0, 0,
                           styleBase | MB_ICONEXCLAMATION);
    if (RebootRequired) {
      bool inUse = DelayedReplacementsPending && Count(PendingReplacements) > 0;
      const char* rebootText = LookupText(MessagesGroup, inUse ? 5 : 1);
      if (finishPage && !RestartChosen)
        ShowFormattedMessage(owner, Model.caption, LookupText(MessagesGroup, 10), Model.productName, 0, 0,
                             styleBase);
      else if (RestartChosen) {
        rebootRequested = finishPage || ShowFormattedMessage(owner, Model.caption, rebootText, 0, 0, 0,
                                                             styleBase | MB_YESNO | MB_ICONQUESTION) == IDYES;
      }
    } else {
      OpenLaunchFile(1);
      OpenLaunchFile(0);
    }
  }
  if (background) DestroyWindow(background);
  if (rebootRequested && !RestartWindows(false))
    ShowFormattedMessage(0, Model.caption, LookupText(ErrorsGroup, 29), 0, 0, 0, styleBase | MB_ICONERROR);
}

static void RunInstall(const BYTE* header) {
  if (!VerifyOwnChecksum(OwnFile, header)) return;
  DWORD packageOffset = *(const WORD*)(header + PackageOffsetField);
  LoadScript(OwnFile, packageOffset, *(const DWORD*)(header + ScriptStoredLengthField));
  if (Model.script) WalkScriptRecords(Model.script, Model.scriptLength);
  if (!RequirementsMet() || !ScriptNamesItsPaths()) return;
  RunActions(Model.startupPrograms, Model.startupDllCalls);
  RunStartupStep(1);
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
    if (ReadDosHeader(header)) {
      if (*(const WORD*)(header + PackageOffsetField) == 0) RunUninstall();
      else RunInstall(header);
    }
  }
  Cleanup();
  ExitProcess(0);
}
