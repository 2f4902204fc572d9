#pragma once
// Walks a real installer as a person would: Next on every page up to the
// finish page, then checks the machine against the install log, removes the
// product through its uninstall entry and checks that the logged changes are
// gone. Used by the demo driver and by the end-to-end test of the examples.
#include <windows.h>
#include <string>
#include <vector>

namespace walk {

struct Options {
  std::string screenshots;   // folder for one PNG per page and box; empty: none
  DWORD wait = 120000;       // for any one window or page
  // Wizard pages and the setup program's message boxes that appear are
  // answered as a careful user would; an unexpected question is a problem.
  bool expectRestartQuestion = false;
  // A Windows version for Wine to pose as for the installer (win98, winxp,
  // ...); empty: Wine's own, which a product for the old systems may refuse.
  std::string windows;
};

struct RegistryValue {
  HKEY root;
  std::string key, name;
};

// What one installation did, as its install log tells.
struct Installation {
  std::vector<std::string> pages;    // titles, in the order shown
  std::vector<std::string> languages;  // the language page's choices, when it showed
  std::vector<std::string> shots;    // screenshot files written, in order
  std::vector<std::string> boxes;    // texts of the message boxes met
  std::string uninstallCommand;      // the uninstall entry's UninstallString
  std::string logPath;
  std::string logText;               // the install log as the installer wrote it
  std::vector<std::string> folders, files, shortcuts, sharedFiles;
  std::vector<RegistryValue> values;
  std::vector<std::string> problems;
  std::vector<HWND> windowsBefore;         // visible before the installer started
  std::vector<std::string> closedWindows;  // titles of the product's windows closed
};

// Runs installerPath and walks it to the end; the product name is the key of
// its uninstall entry. Returns false when the walk could not be completed
// (problems says why).
bool Install(const std::string& installerPath, const std::string& productName, const Options& options,
             Installation& result);
// Every logged folder, file, shortcut and registry value is there.
bool CheckInstalled(Installation& installation);
// Starts the uninstall entry's command, confirms, answers the uninstaller's
// questions and waits until its temporary copy has ended.
bool Uninstall(Installation& installation, const std::string& productName, const Options& options);
// Every logged file, shortcut, registry value and the uninstall entry are
// gone; folders that the product created are gone too.
bool CheckRemoved(Installation& installation, const std::string& productName);

// Reads the install log at installation.logPath into its lists.
bool ReadLog(Installation& installation);
std::vector<HWND> VisibleWindows();
// Wine reports this Windows version (win98, winxp, ...) to the program file of that name.
void Pose(const std::string& programName, const std::string& version);

// The product's programs and documents opened by the installer or the
// uninstaller (windows that appeared since the installer started and whose
// title names a logged file or folder) are closed, as the user would.
void CloseOpenedWindows(Installation& installation);

// Helpers shared with the callers.
bool RegistryValueExists(const RegistryValue& value);
std::string UninstallEntryValue(const std::string& productName, const char* name);
// A Unix path becomes the path Wine shows for it (drive Z:).
std::string WindowsPath(const std::string& path);

}  // namespace walk
