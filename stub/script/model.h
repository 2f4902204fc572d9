#pragma once
// The setup model: everything the install script says about one installation,
// filled once by the record walk at start-up and read by the wizard and the
// workers for the rest of the run.
#include <windows.h>
#include "common/list.h"

const int LanguageCount = 98;   // per-language lists exist for primary ids 0..97
const int PageSlotCount = 13;   // 0..11 wizard pages, 12 the uninstaller's texts
const int UninstallerSlot = 12;
const WORD DefaultLanguage = 9;

enum TextGroup { MessagesGroup = 0x60, ErrorsGroup = 0x70, ButtonsGroup = 0x80 };

struct PageSlot {
  bool enabled;
  DWORD templateId;
  StringList texts[LanguageCount];
  StringList programs;
  StringList dllCalls;
};

struct PackageHeader {
  DWORD firstGroupOffset;
  DWORD scriptOffset;
  DWORD spaceRequired;
};

struct SetupModel {
  PackageHeader package;
  PageSlot pages[PageSlotCount];
  char* licenceText;
  char* readmeText;
  StringList messages[LanguageCount];
  StringList errors[LanguageCount];
  StringList buttons[LanguageCount];
  StringList languageIds;        // a pointer array of u16 ids, in record order
  WORD currentLanguage;

  bool backgroundRequested;
  COLORREF gradientStart;
  COLORREF gradientEnd;
  COLORREF accentColour;

  char* productName;
  char* displayName;
  char* caption;                 // display name + " Setup"
  char* normalFontFace;
  COLORREF normalTextColour;
  char* titleFontFace;
  COLORREF titleTextColour;
  DWORD pageColour;              // colour 1
  DWORD bandColour;              // colour 2
  DWORD headerColour;            // colour 3
  BYTE options1;
  BYTE options2;
  DWORD dialogSetOffset;         // 0 standard, 20 compact
  char* launchFiles[2];
  bool launchFlags[2];

  StringList shortcuts;
  bool groupShortcutExists, desktopShortcutExists, quickLaunchShortcutExists;
  bool createProgramGroup, desktopShortcuts, quickLaunchShortcuts;

  StringList registryEntries;
  StringList iniEntries;
  StringList associations;
  StringList startupPrograms, startupDllCalls;
  StringList uninstallPrograms, uninstallDllCalls;

  char* requiredWindows;
  char* requiredDirectX;
  char* requiredInternetExplorer;
  char* requiredAccess;
  BYTE requireAdministrator;

  StringList backgroundTexts;

  BYTE* script;                  // the inflated record stream, kept until cleanup
  DWORD scriptLength;            // bytes actually inflated
};

extern SetupModel Model;

// Options bits of the product record.
enum {
  WelcomeInHeaderColour = 1, CaptionBar = 2,
  CompactDialogSet = 1, GroupOptionOffered = 2, DesktopOptionOffered = 4,
  QuickLaunchOptionOffered = 8, RebootRequiredOption = 16, CreateUninstallerOption = 32
};

bool CreateModelLists();
void DestroyModel();
// The per-language lists of a string-table group (messages, errors, buttons
// or page slot 0..12), or null for any other group.
StringList* GroupLists(int group);
// A text of the string table in the current language; null when the script
// did not provide it (every user treats that as empty).
char* LookupText(int group, int index);
// Hands one record to the model; sizeField points at the record's u32 size,
// the payload follows it.
void LoadScriptRecord(DWORD type, const BYTE* sizeField);
