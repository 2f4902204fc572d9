#pragma once
// Drives the stub's windows from another process as a user would: through
// window messages only. Used by the end-to-end tests under Wine.
#include <windows.h>
#include <functional>
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
// Polls until done() holds. A wait of five seconds or more follows the
// processes this program started: it goes on while they work (processor
// time, windows and texts, which of them run) and gives up after
// milliseconds without any change, or after ten minutes (or milliseconds,
// if longer) of work that never gets there; it then prints what they show.
// Shorter waits end on time. what names the awaited thing in that report.
bool WaitWhileWorking(const std::function<bool()>& done, DWORD milliseconds, const char* what);

// Waits for the program to end; false on time-out. exitCode may be null.
bool WaitForExit(const Program& program, DWORD milliseconds, DWORD* exitCode = nullptr);
// The full path of a running process's program file; empty when unknown.
std::string ImagePath(DWORD processId);
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

// Presses a button of a box and waits until the box has gone from the
// screen, so that the next question read is not this one; false when it
// stays longer. A box answered so is never returned by the waits below.
bool AnswerBox(const MessageBox& box, int button, DWORD milliseconds = 10000);

// A box of this process's own (shown on another thread by a test) that the
// caller expects: waits for it, reads it and presses a button.
MessageBox AnswerOwnMessageBox(int button, DWORD milliseconds);

// ---- the wizard ----------------------------------------------------------

// The wizard frame of a process: its top-level dialog with the band's
// Next (1011) and Cancel (1012) buttons.
HWND WaitForWizard(DWORD processId, DWORD milliseconds);
// The page dialog the frame shows now, or null.
HWND CurrentPage(HWND frame);
// Polls until the frame shows a page whose title (control 1001) is title.
HWND WaitForPage(HWND frame, const std::string& title, DWORD milliseconds);
// A message box of the process other than the wizard frame.
MessageBox WaitForMessageBoxBesides(DWORD processId, HWND frame, DWORD milliseconds);

bool IsShown(HWND dialog, int id);     // exists and visible
bool IsEnabled(HWND dialog, int id);
bool IsChecked(HWND dialog, int id);
// Clicks a check box until it has the wanted state.
void SetChecked(HWND dialog, int id, bool checked);
// Replaces an edit's text the way typing does: select all, then one
// character message per character.
void Type(HWND dialog, int id, const std::string& text);
// The entries of a combo box or list box, in their order.
std::vector<std::string> ComboEntries(HWND dialog, int id);
std::vector<std::string> ListEntries(HWND dialog, int id);
int ComboSelection(HWND dialog, int id);
// Selects the entry with this text and tells the dialog, as a pick with the
// mouse does; false when there is no such entry.
bool PickComboEntry(HWND dialog, int id, const std::string& text);
bool PickListEntry(HWND dialog, int id, const std::string& text);

// Saves the whole screen (under Wine the X screen of DISPLAY) as a PNG file;
// false when it could not.
bool Screenshot(const std::string& pngPath);
// name.png in the screenshots folder beside the test program (the build tree).
std::string ScreenshotPath(const std::string& name);
// Lets Wine draw the frame and caption of the program's windows itself, so
// that screenshots on a bare X server show them (per program file name).
void DrawOwnFrames(const std::string& programName);

}  // namespace ui
