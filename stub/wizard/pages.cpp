// The page procedure: texts in the current language, colours and the upper
// part of the accent stripe, and the work of each page kind.
#include "wizard/wizard.h"
#include "common/heap.h"
#include "common/paths.h"
#include "common/text.h"
#include "engine/variables.h"
#include "engine/worker.h"
#include "script/model.h"
#include "startup/process.h"
#include "wizard/dialogs.h"
#include "wizard/drawing.h"

static int PageSlot, PageKind;
static int HeaderHeight;
static int LanguageSelection = -1;
static char* DiskLabel;   // the free-space label with its %DISK% token

enum {
  TitleControl = 1001, RichText = 1017, PathEdit = 1018, GroupList = 1019, ComboControl = 1021,
  HeaderLine = 1027, BrowseButton = 1013
};

// Button texts by slot for Back, Next, Cancel and Browse; -1 leaves the text.
static const signed char ButtonTexts[13][4] = {
    {0, 1, 2, -1}, {0, 1, 2, -1}, {0, 5, 6, -1}, {0, 1, 2, -1},   {-1, -1, -1, -1}, {-1, -1, -1, -1},
    {0, 1, 2, 7},  {-1, -1, -1, -1}, {0, 1, 2, -1}, {0, 3, 2, -1}, {-1, -1, 2, -1},  {-1, -1, 8, -1},
    {-1, -1, 8, -1}};

static bool IsChecked(HWND page, int id) {
  return SendDlgItemMessageA(page, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

static char* PageText(int index) {
  return LookupText(PageSlot, index);
}

static void SetExpandedText(HWND control, const char* text) {
  char* expanded = ExpandVariables(text);
  SetWindowTextA(control, expanded);
  FreeBlock(expanded);
}

static void ApplyTexts(HWND page, int slot) {
  PageSlot = slot;
  PageKind = KindOfSlot(slot);
  HWND owner = PageKind == UninstallerPage ? page : GetParent(page);
  const char* caption = PageText(0);
  if (Wizard.background) SetWindowTextA(Wizard.background, caption);
  if (PageKind == UninstallerPage) SetWindowTextA(page, caption);
  else SetExpandedText(owner, caption);
  for (int i = 0; i < 4; i++) {
    HWND button = GetDlgItem(owner, 1010 + i);
    if (!button) button = GetDlgItem(page, 1010 + i);
    int index = ButtonTexts[slot][i];
    const char* text = index >= 0 ? LookupText(ButtonsGroup, index) : 0;
    if (button && text) SetWindowTextA(button, text);
  }
  for (int n = 1; n < 20; n++) {
    HWND control = GetDlgItem(page, 1000 + n);
    const char* text = PageText(n);
    if (control && text) SetExpandedText(control, text);
  }
  // The compact welcome page has room for the short title only.
  if (PageKind == WelcomePage && Model.dialogSetOffset && PageText(7))
    SetDlgItemTextA(page, TitleControl, PageText(7));
}

// ---- language -------------------------------------------------------------

static void InitLanguagePage(HWND page) {
  HWND combo = GetDlgItem(page, ComboControl);
  SetFocus(combo);
  for (int i = 0; i < Count(Model.languageIds); i++) {
    WORD id = (WORD)(DWORD_PTR)PointerArray.GetPtr(Model.languageIds, i);
    const char* name = GetItem(LanguageNames, id);
    LRESULT index = SendMessageA(combo, CB_ADDSTRING, 0, (LPARAM)(name ? name : ""));
    SendMessageA(combo, CB_SETITEMDATA, index, id);
  }
  int entries = (int)SendMessageA(combo, CB_GETCOUNT, 0, 0);
  for (int index = 0; index < entries; index++)
    if (SendMessageA(combo, CB_GETITEMDATA, index, 0) == Model.currentLanguage) LanguageSelection = index;
  SendMessageA(combo, CB_SETCURSEL, LanguageSelection, 0);
}

static void ChooseLanguage(HWND page) {
  HWND combo = GetDlgItem(page, ComboControl);
  int selection = (int)SendMessageA(combo, CB_GETCURSEL, 0, 0);
  if (selection == LanguageSelection || selection < 0) return;
  LanguageSelection = selection;
  Model.currentLanguage = (WORD)SendMessageA(combo, CB_GETITEMDATA, selection, 0);
  SendMessageA(page, WM_PAGE_RELOCALIZE, 0, PageSlot);
}

// ---- destination ----------------------------------------------------------

static char* ReadText(HWND control) {
  char* text = (char*)AllocateBlock(MaxTextLength + 1);
  if (text) GetWindowTextA(control, text, MaxTextLength);
  return text;
}

static void ShowDisk(HWND page, char letter) {
  char disk[2] = {letter, 0};
  char* label = ReplaceText(DiskLabel, "%DISK%", disk, true);
  SetDlgItemTextA(page, 1006, label);
  FreeBlock(label);
}

static void DestinationChanged(HWND page) {
  char* text = ReadText(GetDlgItem(page, PathEdit));
  if (!text) return;
  CharUpperA(text);
  char drive[3] = {text[0], ':', 0};
  if (text[0] >= 'A' && text[0] <= 'Z' && PathExists(drive)) {
    ShowFreeSpace(drive, GetDlgItem(page, 1008));
    ShowDisk(page, text[0]);
    InvalidateControlArea(page, 1006, false);
    InvalidateControlArea(page, 1008, false);
  }
  FreeBlock(text);
}

static void InitDestinationPage(HWND page) {
  HWND edit = GetDlgItem(page, PathEdit);
  SetFocus(edit);
  // Without a script text the template's own label carries the token.
  DiskLabel = PageText(6) ? DuplicateString(PageText(6), 0) : ReadText(GetDlgItem(page, 1006));
  char* path = DuplicateString(GetVariable("%InstallPath%"), 0);
  if (!path) return;
  StripTrailingSlash(path);
  SetWindowTextA(edit, path);
  char text[16];
  FormatSpace(Model.package.spaceRequired, true, text);
  SetDlgItemTextA(page, 1007, text);
  char drive[3] = {path[0], ':', 0};
  ShowFreeSpace(drive, GetDlgItem(page, 1008));
  CharUpperA(drive);
  ShowDisk(page, drive[0]);
  FreeBlock(path);
}

static void BrowseDestination(HWND page) {
  HWND edit = GetDlgItem(page, PathEdit);
  char* typed = ReadText(edit);
  const char* leaf = FileNamePart(GetVariable("%InstallPath%"));
  char* start = 0;
  if (typed) FindExistingAncestor(typed, &start);
  char chosen[MAX_PATH];
  if (BrowseForFolder(page, PageText(4), start, chosen)) {
    int length = lstrlenA(chosen), leafLength = lstrlenA(leaf);
    char* result;
    if (length > leafLength && lstrcmpiA(chosen + length - leafLength, leaf) == 0)
      result = DuplicateString(chosen, 0);
    else
      result = ConcatStrings(chosen, length && chosen[length - 1] == '\\' ? 0 : "\\", leaf);
    SetWindowTextA(edit, result);
    FreeBlock(result);
  }
  FreeBlock(start);
  FreeBlock(typed);
}

static void KeepDestination(HWND page) {
  char* text = ReadText(GetDlgItem(page, PathEdit));
  if (text && *text) {
    StripTrailingSlash(text);
    SetVariable("%InstallPath%", text);
  }
  FreeBlock(text);
  FreeBlock(DiskLabel);
  DiskLabel = 0;
}

// ---- start menu -----------------------------------------------------------

// The compact set has one drop-down for the name and the list of folders.
static int NameField() {
  return Model.dialogSetOffset ? ComboControl : PathEdit;
}

static void EnableGroupControls(HWND page, bool enabled) {
  EnableWindow(GetDlgItem(page, NameField()), enabled);
  if (!Model.dialogSetOffset) EnableWindow(GetDlgItem(page, GroupList), enabled);
}

// Adds every folder directly inside path that the list does not hold yet.
static void AddFolders(HWND list, const char* path) {
  UINT add = Model.dialogSetOffset ? CB_ADDSTRING : LB_ADDSTRING;
  UINT find = Model.dialogSetOffset ? CB_FINDSTRINGEXACT : LB_FINDSTRINGEXACT;
  char* pattern = ConcatStrings(path, "\\*");
  WIN32_FIND_DATAA found;
  HANDLE search = pattern ? FindFirstFileA(pattern, &found) : INVALID_HANDLE_VALUE;
  FreeBlock(pattern);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    const char* name = found.cFileName;
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !lstrcmpA(name, ".") || !lstrcmpA(name, ".."))
      continue;
    if (SendMessageA(list, find, (WPARAM)-1, (LPARAM)name) < 0) SendMessageA(list, add, 0, (LPARAM)name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

static void InitStartMenuPage(HWND page) {
  bool offered[3] = {(Model.options2 & GroupOptionOffered) && Model.groupShortcutExists,
                     (Model.options2 & DesktopOptionOffered) && Model.desktopShortcutExists,
                     (Model.options2 & QuickLaunchOptionOffered) && Model.quickLaunchShortcutExists};
  bool checked[3] = {Model.createProgramGroup, Model.desktopShortcuts, Model.quickLaunchShortcuts};
  for (int i = 0; i < 3; i++) {
    if (offered[i]) EnableWindow(GetDlgItem(page, 1003 + i), TRUE);
    if (checked[i]) SendDlgItemMessageA(page, 1003 + i, BM_SETCHECK, BST_CHECKED, 0);
  }
  if (checked[0]) EnableGroupControls(page, true);
  HWND name = GetDlgItem(page, NameField());
  HWND list = Model.dialogSetOffset ? name : GetDlgItem(page, GroupList);
  const char* group = GetVariable("%ShortcutsGroup%");
  if (!group) group = "";
  SetFocus(name);
  SetWindowTextA(name, group);
  SendMessageA(list, Model.dialogSetOffset ? CB_ADDSTRING : LB_ADDSTRING, 0, (LPARAM)group);
  char* common = DuplicateString(ResolveFolderKeyword(CommonProgramsKeyword), 0);
  AddFolders(list, common);
  FreeBlock(common);
  AddFolders(list, ResolveFolderKeyword(ProgramsKeyword));
  if (!Model.dialogSetOffset)
    SendMessageA(list, LB_SETCURSEL, SendMessageA(list, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)group), 0);
}

static void GroupChosen(HWND page) {
  HWND list = GetDlgItem(page, GroupList);
  LRESULT selection = SendMessageA(list, LB_GETCURSEL, 0, 0);
  LRESULT length = selection < 0 ? -1 : SendMessageA(list, LB_GETTEXTLEN, selection, 0);
  char* text = length < 0 ? 0 : (char*)AllocateBlock((DWORD)length + 1);
  if (!text) return;
  SendMessageA(list, LB_GETTEXT, selection, (LPARAM)text);
  SetDlgItemTextA(page, PathEdit, text);
  FreeBlock(text);
}

static void KeepStartMenuChoices(HWND page) {
  char* name = ReadText(GetDlgItem(page, NameField()));
  if (name && *name) SetVariable("%ShortcutsGroup%", name);
  FreeBlock(name);
  Model.desktopShortcuts = IsChecked(page, 1004);
  Model.quickLaunchShortcuts = IsChecked(page, 1005);
}

// ---- finish ---------------------------------------------------------------

static void Offer(HWND page, int id) {
  SendDlgItemMessageA(page, id, BM_SETCHECK, BST_CHECKED, 0);
  ShowWindow(GetDlgItem(page, id), SW_SHOW);
}

static void InitFinishPage(HWND page) {
  if (!InstallSucceeded) ShowWindow(GetDlgItem(page, 1007), SW_SHOW);
  if (RebootRequired) {
    const char* body = PageText(DelayedReplacementsPending ? 9 : 10);
    if (body) SetDlgItemTextA(page, 1003, body);
    Offer(page, 1006);
    ShowWindow(GetDlgItem(page, 1008), SW_SHOW);
    return;
  }
  ShowWindow(GetDlgItem(page, 1003), SW_SHOW);
  if (Model.launchFlags[1]) {
    Offer(page, 1005);
  } else {
    // A single launch box takes the upper place.
    RECT upper = GetControlRectInParent(GetDlgItem(page, 1005));
    SetWindowPos(GetDlgItem(page, 1004), 0, upper.left, upper.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOREDRAW);
  }
  if (Model.launchFlags[0]) Offer(page, 1004);
}

static void KeepFinishChoices(HWND page) {
  RestartChosen = IsChecked(page, 1006);
  Model.launchFlags[1] = IsChecked(page, 1005);
  Model.launchFlags[0] = IsChecked(page, 1004);
}

// ---- every page -----------------------------------------------------------

static void InitPage(HWND page, int slot) {
  SendDlgItemMessageA(page, TitleControl, WM_SETFONT, (WPARAM)Drawing.titleFont, 0);
  static const WORD normal[] = {1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1013, 1018, 1019};
  for (WORD id : normal) SendDlgItemMessageA(page, id, WM_SETFONT, (WPARAM)Drawing.normalFont, 0);
  HeaderHeight = GetControlRectInParent(GetDlgItem(page, HeaderLine)).bottom;
  ApplyTexts(page, slot);
  if (PageKind == LanguagePage) InitLanguagePage(page);
  else if (PageKind == LicencePage || PageKind == ReadmePage) {
    const char* text = PageKind == LicencePage ? Model.licenceText : Model.readmeText;
    if (text) SetDlgItemTextA(page, RichText, text);
  } else if (PageKind == DestinationPage) InitDestinationPage(page);
  else if (PageKind == StartMenuPage) InitStartMenuPage(page);
  else if (PageKind == InstallingPage) {
    SetDlgItemTextA(page, CurrentItemControl, "");
    Wizard.workerThread = CreateThread(0, 0, InstallWorker, page, 0, &Wizard.workerThreadId);
  } else if (PageKind == FinishPage) InitFinishPage(page);
}

static void PaintPage(HWND page, HDC dc) {
  RECT r;
  GetClientRect(page, &r);
  bool uninstaller = PageKind == UninstallerPage;
  if (!uninstaller) r.right -= 3;
  RECT header = {0, 0, r.right, HeaderHeight};
  FillRect(dc, &header, Drawing.headerBrush);
  RECT body = {0, HeaderHeight, r.right, r.bottom - (uninstaller ? Wizard.bandHeight : 0)};
  bool welcomeInHeader = PageKind == WelcomePage && (Model.options1 & WelcomeInHeaderColour);
  FillRect(dc, &body, welcomeInHeader ? Drawing.headerBrush : Drawing.pageBrush);
  if (uninstaller) {
    RECT band = {0, r.bottom - Wizard.bandHeight, r.right, r.bottom};
    FillRect(dc, &band, Drawing.bandBrush);
  }
  if (!Model.dialogSetOffset) {
    int w1 = Drawing.stripeTopWidth, w2 = Drawing.stripeBottomWidth, below = uninstaller ? 0 : Wizard.bandHeight;
    POINT corners[4] = {{r.right - w1, -1},
                        {r.right, -1},
                        {r.right, r.bottom},
                        {r.right + 1 - w2 + (w2 - w1) * Wizard.bandHeight / (r.bottom + below), r.bottom}};
    DrawAccentStripe(dc, corners);
  }
  if (!uninstaller) InvalidateRect(GetDlgItem(GetParent(page), TitleControl), 0, FALSE);
}

static INT_PTR ColourStatic(HWND page, HDC dc, HWND control) {
  int id = GetDlgCtrlID(control);
  if (id == PathEdit || id == ComboControl) return FALSE;
  COLORREF text = Model.normalTextColour;
  if (id == TitleControl) text = Model.titleTextColour;
  else if (PageKind == UninstallerPage && (id == 1005 || id == 1006)) {
    COLORREF band = ResolveColour(Model.bandColour);
    text = RGB(GetRValue(band) / 4 * 3, GetGValue(band) / 4 * 3, GetBValue(band) / 4 * 3);
  }
  SetTextColor(dc, text);
  SetBkMode(dc, TRANSPARENT);
  bool boxOnPage = (PageKind == StartMenuPage && id >= 1003 && id <= 1005) ||
                   (PageKind == FinishPage && id >= 1004 && id <= 1006) ||
                   (PageKind == DestinationPage && id == 1003) ||
                   // The file label changes once per file: clearing its own
                   // area spares the page and the frame a repaint each time.
                   (PageKind == InstallingPage && id == CurrentItemControl);
  return (INT_PTR)(boxOnPage ? Drawing.pageBrush : GetStockObject(NULL_BRUSH));
}

static void PageCommand(HWND page, WORD id, WORD code, LPARAM lParam) {
  if (PageKind == UninstallerPage) return;
  if (id == IDOK || id == IDCANCEL) {
    // The installing and finish pages have no Next to press.
    if (id == IDOK && PageKind >= InstallingPage) return;
    SendMessageA(GetParent(page), WM_COMMAND, id == IDOK ? NextButton : 1012, lParam);
  } else if (id == ComboControl && code == CBN_SELCHANGE && PageKind == LanguagePage) {
    ChooseLanguage(page);
  } else if (id == PathEdit && code == EN_CHANGE && PageKind == DestinationPage) {
    DestinationChanged(page);
  } else if (id == BrowseButton && PageKind == DestinationPage) {
    BrowseDestination(page);
  } else if (id == 1003 && code == BN_CLICKED && PageKind == StartMenuPage) {
    Model.createProgramGroup = IsChecked(page, 1003);
    EnableGroupControls(page, Model.createProgramGroup);
  } else if (id == GroupList && code == LBN_SELCHANGE && PageKind == StartMenuPage) {
    GroupChosen(page);
  }
}

static void DestroyPage(HWND page) {
  if (Wizard.workerThread) CloseHandle(Wizard.workerThread);
  Wizard.workerThread = 0;
  UnrealizeObject(Drawing.palette);
  if (PageKind == DestinationPage) KeepDestination(page);
  else if (PageKind == StartMenuPage) KeepStartMenuChoices(page);
  else if (PageKind == FinishPage) KeepFinishChoices(page);
}

INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      InitPage(page, (int)lParam);
      return FALSE;
    case WM_PAGE_RELOCALIZE: {
      ApplyTexts(page, (int)lParam);
      // Every text of the page may have changed, and transparent statics
      // do not erase what they drew before.
      InvalidateRect(page, 0, TRUE);
      return TRUE;
    }
    case WM_COMMAND:
      PageCommand(page, LOWORD(wParam), HIWORD(wParam), lParam);
      return TRUE;
    case WM_ERASEBKGND:
      PaintPage(page, (HDC)wParam);
      SetWindowLongPtrA(page, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_CTLCOLORSTATIC:
      return ColourStatic(page, (HDC)wParam, (HWND)lParam);
    case WM_SYSCOLORCHANGE:
      CreateColourBrushes();
      InvalidateRect(page, 0, TRUE);
      return TRUE;
    case WM_SYSCOMMAND: {
      WPARAM command = wParam & 0xFFF0;
      return command == SC_SIZE || command == SC_MAXIMIZE || command == SC_KEYMENU;
    }
    case WM_DESTROY:
      DestroyPage(page);
      return FALSE;
  }
  return FALSE;
}
