#pragma once
// Drives the stub's windows from another process as a user would: through
// window messages only. Used by the end-to-end tests under Wine.
#include <windows.h>
#include <string>
#include <vector>

namespace ui {

struct Program {
  HANDLE process = nullptr;
  DWORD id = 0;
};

// Starts a program with an optional argument text; the handle is the caller's.
Program Start(const std::string& path, const std::string& arguments = "",
              const std::string& folder = "");
// Waits for the program to end; false on time-out. exitCode may be null.
bool WaitForExit(const Program& program, DWORD milliseconds, DWORD* exitCode = nullptr);
// Ends a program that did not end by itself and closes its handle.
void Finish(Program& program);

std::string Text(HWND window);
std::string ClassName(HWND window);
std::string ControlText(HWND dialog, int id);

// Visible top-level windows of a process, optionally of one class.
std::vector<HWND> TopLevelWindows(DWORD processId, const char* className = nullptr);
// Polls until a visible top-level window of the process (and class) shows up.
HWND WaitForWindow(DWORD processId, const char* className, DWORD milliseconds);

struct MessageBox {
  HWND window = nullptr;
  std::string caption;
  std::string text;
  explicit operator bool() const { return window != nullptr; }
};
// A standard message box of the process: caption, and the text of its static
// control 65535.
MessageBox WaitForMessageBox(DWORD processId, DWORD milliseconds);
bool HasButton(HWND dialog, int id);
// Presses a button of a dialog as a click would (BM_CLICK).
void Click(HWND dialog, int id);

// A box of this process's own (shown on another thread by a test) that the
// caller expects: waits for it, reads it and presses a button.
MessageBox AnswerOwnMessageBox(int button, DWORD milliseconds);

}  // namespace ui
