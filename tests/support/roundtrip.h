#pragma once
// A whole installation and its removal with the shipped stub, driven as a
// user and the system's list of programs would drive them: the wizard page
// by page, then the command of the uninstall entry, its question, the
// temporary copy's page and its self-deletion. Shared by the round-trip and
// planted-library tests.
#include <windows.h>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "installer.h"
#include "support/ui_driver.h"

namespace roundtrip {

// Every program started while this lives sees Wine posing as that Windows
// version (win98, nt40, win2k, winxp, win2003); the earlier settings come
// back. The setting is one for the whole prefix: the tests that pose run
// alone. Wine gives a program a version of its own file name first (the
// demo sets one for widget-setup.exe): the programs named are posed by name
// as well, so that no such setting outranks the pose.
class PoseAs {
 public:
  explicit PoseAs(const std::string& version, const std::vector<std::string>& programs = {});
  ~PoseAs();
  PoseAs(const PoseAs&) = delete;
  PoseAs& operator=(const PoseAs&) = delete;

 private:
  struct Saved {
    std::string key, value;
    bool existed;
  };
  std::vector<Saved> saved;
};

// The installer again with the same files and its script records passed
// through edit; empty when it could not be read or written.
std::vector<std::uint8_t> Rewrite(const std::vector<std::uint8_t>& installer,
                                  const std::function<void(corvel::Record&)>& edit);
std::vector<std::uint8_t> WithCompactDialogs(const std::vector<std::uint8_t>& installer);
std::vector<std::uint8_t> WithWindowsRequirement(const std::vector<std::uint8_t>& installer,
                                                 const std::string& windows);

// The next version of a product, as its maker would build it from the same
// manifest: every file with other contents and a day later, every registry
// value that names no variable and every INI value written over with other
// data, the associations described anew. extraFiles more files in a folder
// of their own and extraValues more registry values come after the rest, so
// that a run can be stopped behind every change of the first version.
std::vector<std::uint8_t> NextVersion(const std::vector<std::uint8_t>& installer, int extraFiles = 0,
                                      int extraValues = 0);

// Ends, by id, every process that the process with this id started (and
// theirs): the documents and programs an installation opens.
void EndChildren(DWORD parentId);

// A value in the view a 32-bit program sees.
std::string ReadText32(HKEY root, const std::string& key, const std::string& name);
DWORD ReadNumber32(HKEY root, const std::string& key, const std::string& name);

std::string TemporaryPath(const std::string& name);

struct Choices {
  const char* language = "English";   // English or German
  // Typed over the proposed destination folder and Start Menu group when set.
  std::string destination, group;
  // When set, called once Install is pressed, with the installer and its
  // wizard frame, in place of finishing the wizard; the installer has ended
  // when it returns (a cancelled run, for example).
  std::function<void(const ui::Program& installer, HWND frame)> installing;
};

// Walks every page of the full example's wizard in the chosen language,
// installs, turns the launch boxes off and finishes (or hands the run to
// choices.installing); returns once the installer and what it opened have
// ended. Reports failures through gtest.
void InstallThroughWizard(const std::string& installer, const Choices& choices);

struct Removal {
  std::string productName = "Acme Widget 2.0";
  std::string displayName = "Acme Widget";
  bool sharedFileAsked = true;       // the shared file's count reaches 0
  bool leftovers = false;            // folders are left that the tree offers
  bool deleteLeftovers = false;      // select them all and delete them, else keep them
  // Called once the temporary copy's page is up, before anything is answered.
  std::function<void(DWORD copyId, const std::string& copyPath)> onPage;
};

// Runs exactly the command line of the uninstall entry, answers Yes, lets
// the temporary copy remove everything and waits until the copy and its
// deletion batch are gone.
void UninstallThroughEntry(const Removal& removal);

}  // namespace roundtrip
