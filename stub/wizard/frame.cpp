// The wizard frame: the page sequence, Next with the destination checks,
// Back, Cancel with the worker's gate, and the button band.
#include "wizard/wizard.h"
#include "common/access.h"
#include "common/heap.h"
#include "common/message.h"
#include "common/paths.h"
#include "common/text.h"
#include "engine/actions.h"
#include "engine/variables.h"
#include "engine/worker.h"
#include "script/model.h"
#include "startup/process.h"
#include "uninstall/uninstall.h"
#include "wizard/dialogs.h"
#include "wizard/drawing.h"

WizardState Wizard = {0, 0, 0, -1, -1};

enum { BackButton = 1010, CancelButton = 1012, ProductLabel = 1001, LongSeparator = 1003 };

static const char ProjectAddress[] = "http://corvelsetup.example.org/";

int KindOfSlot(int slot) {
  return LanguagePage + slot;
}

void ShowControl(HWND dialog, int id, bool shown) {
  HWND control = GetDlgItem(dialog, id);
  ShowWindow(control, shown ? SW_SHOW : SW_HIDE);
  EnableWindow(control, shown);
}

static int FindSlot(int from, int step) {
  for (int slot = from + step; slot >= 0 && slot < 12; slot += step)
    if (Model.pages[slot].enabled) return slot;
  return step > 0 ? 12 : -1;
}

static void ShowPage(int slot) {
  if (Wizard.page) DestroyWindow(Wizard.page);
  Wizard.currentPage = slot;
  Wizard.page = CreateDialogParamA(ModuleHandle, MAKEINTRESOURCEA(Model.pages[slot].templateId), Wizard.frame,
                                  PageProc, slot);
  // A page that focuses none of its own controls leaves the keyboard on the band.
  HWND focus = GetFocus();
  if (!focus || !IsWindowVisible(focus)) {
    HWND next = GetDlgItem(Wizard.frame, NextButton);
    SetFocus(IsWindowVisible(next) ? next : GetDlgItem(Wizard.frame, CancelButton));
  }
}

static void CloseWizard() {
  if (Wizard.page) DestroyWindow(Wizard.page);
  Wizard.page = 0;
  DestroyWindow(Wizard.frame);
}

// The worker may be inside a call to one of our windows (its progress and
// labels), which needs this thread: serve such calls while waiting.
static void WaitForWorker() {
  if (!Wizard.workerThread) return;
  while (MsgWaitForMultipleObjects(1, &Wizard.workerThread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
    MSG message;
    PeekMessageA(&message, 0, 0, 0, PM_NOREMOVE);
  }
}

static void ShowError(int group, int index, const char* argument) {
  ShowFormattedMessage(Wizard.frame, Model.caption, LookupText(group, index), argument, 0, 0, MB_ICONERROR);
}

bool DestinationAccepted(const char* typed) {
  bool accepted = false;
  char* existing = 0;
  if (!IsValidInstallPath(typed)) {
    ShowError(MessagesGroup, 2, 0);
  } else {
    DWORD error = FindExistingAncestor(typed, &existing);
    if (!existing) {
      ShowError(ErrorsGroup, error == ERROR_ACCESS_DENIED ? 34 : 31, 0);
    } else {
      char drive[3] = {existing[0], ':', 0};
      bool exists = lstrcmpiA(existing, typed) == 0;
      bool allowed = true;
      // A share has no drive letter to ask; its server answers for its space.
      if (existing[0] != '\\' && GetFreeSpace(drive) < Model.package.spaceRequired)
        ShowError(ErrorsGroup, 39, 0);
      else if (CheckAccess(SecurityToken, existing, FileObject, exists ? FILE_ADD_FILE : FILE_ADD_SUBDIRECTORY,
                           &allowed) == 0 && !allowed)
        ShowError(ErrorsGroup, exists ? 32 : 33, existing);
      else accepted = true;
    }
  }
  FreeBlock(existing);
  return accepted;
}

static bool TypedDestinationAccepted() {
  char* typed = (char*)AllocateBlock(MaxTextLength + 1);
  if (!typed) return false;
  GetWindowTextA(GetDlgItem(Wizard.page, 1018), typed, MaxTextLength);
  bool accepted = DestinationAccepted(typed);
  FreeBlock(typed);
  return accepted;
}

void PassPagesSilently() {
  for (int slot = FindSlot(-1, 1); slot < InstallingPage - LanguagePage; slot++)
    RunActions(Model.pages[slot].programs, Model.pages[slot].dllCalls);
}

static void GoNext() {
  if (KindOfSlot(Wizard.currentPage) == DestinationPage && !TypedDestinationAccepted()) return;
  Wizard.previousPage = Wizard.currentPage;
  int next = FindSlot(Wizard.currentPage, 1);
  if (next == 12) {
    // The actions of this slot and the later ones run after the wizard.
    LastPageIndex = Wizard.currentPage;
    CloseWizard();
    return;
  }
  for (int slot = Wizard.currentPage < 0 ? 0 : Wizard.currentPage; slot < next; slot++)
    RunActions(Model.pages[slot].programs, Model.pages[slot].dllCalls);
  bool early = KindOfSlot(next) < InstallingPage;
  ShowControl(Wizard.frame, BackButton, early);
  if (!early) ShowControl(Wizard.frame, NextButton, false);
  ShowPage(next);
}

static void GoBack() {
  if (Wizard.previousPage == -1) return;
  int slot = Wizard.previousPage;
  Wizard.previousPage = FindSlot(slot, -1);
  if (Wizard.previousPage == -1) ShowControl(Wizard.frame, BackButton, false);
  ShowPage(slot);
}

static bool AskToQuit(const char* question) {
  return ShowFormattedMessage(Wizard.frame, Model.caption, question, 0, 0, 0, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

static void Cancel() {
  const char* question = LookupText(MessagesGroup, KindOfSlot(Wizard.currentPage) == InstallingPage ? 8 : 0);
  ResetEvent(WorkerGateEvent);
  if (Wizard.workerThreadId && WaitForSingleObject(InstallFinishedEvent, 0) != WAIT_OBJECT_0) {
    bool quit = AskToQuit(question);
    if (quit) PostThreadMessageA(Wizard.workerThreadId, WM_QUIT, 0, 0);
    SetEvent(WorkerGateEvent);
    if (!quit) return;
    WaitForWorker();
    // A worker that reached its finishing phase while we asked has installed
    // for good; only an unfinished run is undone.
    if (WaitForSingleObject(InstallFinishedEvent, 0) != WAIT_OBJECT_0) StartUninstall(true);
    CloseWizard();
    return;
  }
  SetEvent(WorkerGateEvent);
  WaitForWorker();
  if (Wizard.currentPage < 11 && !AskToQuit(question)) return;
  if (Wizard.currentPage == 11) LastPageIndex = 12;
  CloseWizard();
}

static void PaintBand(HWND frame, HDC dc) {
  RECT client;
  GetClientRect(frame, &client);
  int top = client.bottom - Wizard.bandHeight;
  RECT band = {0, top, client.right, client.bottom};
  FillRect(dc, &band, Drawing.bandBrush);
  if (!Wizard.page) {
    // No page to show: the frame's upper part stays in the page colour.
    RECT upper = {0, 0, client.right, top};
    FillRect(dc, &upper, Drawing.pageBrush);
  }
  if (Model.dialogSetOffset) return;
  int right = client.right, bottom = client.bottom, w1 = Drawing.stripeTopWidth, w2 = Drawing.stripeBottomWidth;
  POINT corners[4] = {{right + 1 - w2 + (w2 - w1) * Wizard.bandHeight / bottom, top},
                      {right - 1, top},
                      {right - 1, bottom - 1},
                      {right - w2, bottom - 1}};
  DrawAccentStripe(dc, corners);
}

static bool OverProductLink(HWND frame, LPARAM position) {
  RECT client;
  GetClientRect(frame, &client);
  int x = (short)LOWORD(position), y = (short)HIWORD(position);
  return x >= 0 && x < 80 && y >= client.bottom - Wizard.bandHeight - 5 && y < client.bottom - 30;
}

static void InitFrame(HWND frame) {
  Wizard.frame = frame;
  // The hand came with Windows 98 and 2000; older systems point with the arrow.
  Wizard.handCursor = LoadCursorA(0, IDC_HAND);
  if (!Wizard.handCursor) Wizard.handCursor = LoadCursorA(0, IDC_ARROW);
  if (Wizard.background) SetWindowLongA(frame, GWL_STYLE, GetWindowLongA(frame, GWL_STYLE) & ~WS_MINIMIZEBOX);
  else SetClassLongPtrA(frame, GCLP_HICON, (LONG_PTR)LoadIconA(ModuleHandle, MAKEINTRESOURCEA(100)));
  static const WORD fontControls[] = {1001, 1002, 1010, 1011, 1012};
  for (WORD id : fontControls) SendDlgItemMessageA(frame, id, WM_SETFONT, (WPARAM)Drawing.normalFont, 0);
  RECT client, separator = GetControlRectInParent(GetDlgItem(frame, LongSeparator));
  GetClientRect(frame, &client);
  Wizard.bandHeight = client.bottom - separator.top;
  // Until a page names the frame (and when the script enables none) it
  // carries the product's caption.
  SetWindowTextA(frame, Model.caption);
  int first = FindSlot(-1, 1);
  if (first == 12) return;
  if (KindOfSlot(first) >= InstallingPage) ShowControl(frame, NextButton, false);
  ShowPage(first);
}

INT_PTR CALLBACK WizardFrameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      InitFrame(frame);
      return FALSE;
    case WM_COMMAND: {
      int id = LOWORD(wParam);
      if (id == IDOK && KindOfSlot(Wizard.currentPage) >= InstallingPage) return TRUE;
      if (id == IDOK || id == NextButton) GoNext();
      else if (id == BackButton) GoBack();
      else if (id == IDCANCEL || id == CancelButton) Cancel();
      return TRUE;
    }
    case WM_INSTALL_ABORTED:
      WaitForWorker();
      CloseWizard();
      return TRUE;
    case WM_ERASEBKGND:
      PaintBand(frame, (HDC)wParam);
      SetWindowLongPtrA(frame, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_CTLCOLORSTATIC: {
      HDC dc = (HDC)wParam;
      COLORREF band = ResolveColour(Model.bandColour);
      SetBkColor(dc, band);
      SetBkMode(dc, TRANSPARENT);
      if (GetDlgCtrlID((HWND)lParam) == ProductLabel) SetTextColor(dc, ScaleColour(band, 5, 6));
      return (INT_PTR)GetStockObject(NULL_BRUSH);
    }
    case WM_SYSCOLORCHANGE:
      if (Wizard.page) SendMessageA(Wizard.page, WM_SYSCOLORCHANGE, wParam, lParam);
      return TRUE;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      if (!OverProductLink(frame, lParam)) return FALSE;
      SetCursor(Wizard.handCursor);
      if (message == WM_LBUTTONUP) ShellExecuteA(0, "open", ProjectAddress, 0, 0, SW_SHOW);
      return TRUE;
    case WM_SYSCOMMAND: {
      WPARAM command = wParam & 0xFFF0;
      return command == SC_SIZE || command == SC_MAXIMIZE || command == SC_KEYMENU ||
             (command == SC_MINIMIZE && Wizard.background);
    }
    case WM_DESTROY:
      Wizard.frame = 0;
      PostQuitMessage(0);
      return TRUE;
  }
  return FALSE;
}
