// Stand-ins for the subsystems that are not built yet. Each does the least
// its callers rely on, and each is deleted from this file when the real one
// lands; the file goes once it is empty.
#include "script/model.h"
#include "wizard/drawing.h"
#include "wizard/wizard.h"

void CreateDrawingObjects() {}
void DestroyDrawingObjects() {}
HWND CreateBackgroundWindow(HINSTANCE) { return 0; }

// Until the wizard exists the frame closes at once, which ends the message loop.
INT_PTR CALLBACK WizardFrameProc(HWND window, UINT message, WPARAM, LPARAM) {
  if (message == WM_INITDIALOG) {
    DestroyWindow(window);
    PostQuitMessage(0);
  }
  return FALSE;
}

INT_PTR CALLBACK PageProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
