// The uninstall page's own procedure: it starts the worker, asks before the
// run is left unfinished, and routes the leftover view's buttons and tree;
// texts, colours and painting are the wizard page procedure's.
#include "uninstall/uninstall.h"
#include "common/message.h"
#include "script/model.h"
#include "startup/process.h"
#include "uninstall/leftover.h"
#include "uninstall/removal.h"
#include "wizard/wizard.h"

static HANDLE WorkerThread;
static DWORD WorkerThreadId;
static bool Closed;   // the page has ended: a close asked meanwhile has nothing left to do

// The worker sets the page's labels by sent messages: serve them meanwhile.
static void WaitForWorker() {
  while (MsgWaitForMultipleObjects(1, &WorkerThread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
    MSG message;
    PeekMessageA(&message, 0, 0, 0, PM_NOREMOVE);
  }
  CloseHandle(WorkerThread);
  WorkerThread = 0;
}

static void ClosePage(HWND page) {
  ResetEvent(WorkerGateEvent);
  bool finished = WaitForSingleObject(UninstallFinishedEvent, 0) == WAIT_OBJECT_0;
  if (!finished &&
      ShowMessage(page, LookupText(UninstallerSlot, 0),
                  "The uninstall procedure is not complete. \nIf you quit now, the program will not be "
                  "uninstalled properly. \n\nAre you sure you want to quit?",
                  0, MB_YESNO | MB_ICONWARNING) != IDYES) {
    SetEvent(WorkerGateEvent);
    return;
  }
  // The worker may have finished and closed the page while the user was asked.
  if (Closed)
    return;
  if (!finished)
    PostThreadMessageA(WorkerThreadId, WM_QUIT, 0, 0);
  SetEvent(WorkerGateEvent);
  WaitForWorker();
  if (!finished)
    ClearList(RebootList);
  Closed = true;
  EndDialog(page, 0);
}

INT_PTR CALLBACK UninstallPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      PageProc(page, message, wParam, lParam);
      Closed = false;
      WorkerThread = CreateThread(0, 0, UninstallWorker, page, 0, &WorkerThreadId);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
        case 1012:
          ClosePage(page);
          return TRUE;
        case 1010:
          SelectAllLeftovers(page);
          return TRUE;
        case 1011:
          DeleteCheckedLeftovers(page);
          return TRUE;
      }
      break;
    case WM_NOTIFY:
      if (wParam == 1026) {
        HandleTreeNotification(page, (const NMHDR*)lParam);
        return TRUE;
      }
      break;
  }
  return PageProc(page, message, wParam, lParam);
}
