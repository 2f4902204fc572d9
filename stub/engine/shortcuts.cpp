// The shortcut phase of the install worker: each link record that the
// user's choices let through becomes a .lnk file, recorded for the
// uninstaller.
#include <shlobj.h>
#include "engine/shortcuts.h"
#include "common/heap.h"
#include "common/paths.h"
#include "common/text.h"
#include "engine/backup.h"
#include "engine/system.h"
#include "engine/variables.h"
#include "engine/worker.h"
#include "script/model.h"
#include "startup/process.h"
#include "uninstall/log.h"

// Our own copies: the toolchain's uuid library would bring in every GUID it knows.
static const GUID ShellLinkClass = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const GUID ShellLinkInterface = {0x000214EE, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
static const GUID PersistFileInterface = {0x0000010B, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

bool CreateShortcut(const char* linkPath, const char* target, const char* arguments, const char* folder,
                    const char* iconFile, int iconIndex, int showCommand, int hotkey) {
  IShellLinkA* link;
  if (FAILED(CoCreateInstance(ShellLinkClass, 0, CLSCTX_INPROC_SERVER, ShellLinkInterface, (void**)&link)))
    return false;
  link->SetPath(target);
  link->SetWorkingDirectory(folder);
  if (showCommand) link->SetShowCmd(showCommand);
  if (hotkey & 0xFFFF) link->SetHotkey((WORD)hotkey);
  if (*iconFile) link->SetIconLocation(iconFile, iconIndex);
  link->SetArguments(arguments);
  bool saved = false;
  IPersistFile* file;
  if (SUCCEEDED(link->QueryInterface(PersistFileInterface, (void**)&file))) {
    WCHAR widePath[1024];
    if (MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, 1024))
      saved = SUCCEEDED(file->Save(widePath, TRUE));
    file->Release();
  }
  link->Release();
  return saved;
}

// A record of a kind whose switch the user cleared is left out; a record of
// no kind is always made.
static bool IsDeselected(const char* record) {
  if (FindText(record, "%ShortcutsGroup%", -1, false) && !Model.createProgramGroup) return true;
  if ((FindText(record, "<Desktop>", -1, false) || FindText(record, "<CommonDesktop>", -1, false)) &&
      !Model.desktopShortcuts)
    return true;
  return FindText(record, "<QuickLaunch>", -1, false) && !Model.quickLaunchShortcuts;
}

bool ApplyShortcutRecord(const char* record, HWND owner, StringList fields) {
  if (IsDeselected(record)) return true;
  SplitExpanded(fields, record);
  const char* linkPath = Field(fields, 0);
  bool existed = PathExists(linkPath);
  ShowCurrentItem(linkPath);
  char* folder = DuplicateString(Field(fields, 3), 0);
  StripTrailingSlash(folder);
  const char* workingFolder = folder && *folder ? folder : GetVariable("%InstallPath%");
  bool goOn = true;
  if (CreateFileFolder(linkPath, owner)) {
    InstallSucceeded = false;
    FreeBlock(folder);
    return false;
  }
  const char* backup = existed ? BackUpFile(linkPath, false) : 0;
  if (CreateShortcut(linkPath, Field(fields, 1), Field(fields, 2), workingFolder ? workingFolder : "",
                     Field(fields, 4), ParseNumber(Field(fields, 5)),
                     *Field(fields, 6) ? ParseNumber(Field(fields, 6)) : SW_SHOWNORMAL, ParseNumber(Field(fields, 7)))) {
    if (ParseNumber(Field(fields, 8))) {
      CountSharedFile(linkPath);
    } else {
      // A link that was there before comes back from its backup in a rollback.
      RecordLogLine("h", linkPath, !existed, false);
    }
  } else {
    if (backup) RestoreBackup(linkPath, backup);
    InstallSucceeded = false;
    goOn = AskErrorQuestion(owner, 27, linkPath, 0);
  }
  FreeBlock(folder);
  return goOn;
}
