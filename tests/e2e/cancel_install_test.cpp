// Cancel while the real worker installs: the question halts the worker at
// its next checkpoint; No lets it go on to the finish page with every file in
// place, Yes undoes the run and closes, leaving the machine as it was: in
// the file phase, in the registry phase, when an existing file was in use
// and its new version waited for a restart, when the disk filled up, and
// when the full example's next version was written over its first.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "installer.h"
#include "support/files.h"
#include "support/installers.h"
#include "support/roundtrip.h"
#include "support/snapshot.h"
#include "support/ui_driver.h"
#include "unit/uninstall_support.h"

namespace {

using uninstall_support::WaitUntil;

const DWORD WindowWait = 60000;
const char Product[] = "Cancel Check";
const char InstallingQuestion[] = "The installation is in progress. Quit Setup?";
// Enough files that the file phase outlasts finding the page and clicking.
const int FileCount = 800;

std::vector<std::uint8_t> Contents(int index) {
  std::string line = "file " + std::to_string(index) + " of the cancel check\r\n";
  std::vector<std::uint8_t> bytes;
  while (bytes.size() < 1500) bytes.insert(bytes.end(), line.begin(), line.end());
  return bytes;
}

std::string FileName(int index) { return "file" + std::to_string(index) + ".txt"; }

std::string Text(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

// The names the system will move or delete at the next restart.
std::string PendingRenames() {
  HKEY key;
  std::string names;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\Session Manager", 0,
                    KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
    return names;
  DWORD size = 0;
  if (RegQueryValueExA(key, "PendingFileRenameOperations", 0, 0, 0, &size) == ERROR_SUCCESS && size) {
    names.resize(size);
    RegQueryValueExA(key, "PendingFileRenameOperations", 0, 0, (BYTE*)&names[0], &size);
    for (char& c : names)
      if (!c) c = '\n';
  }
  RegCloseKey(key);
  return names;
}

std::string Upper(std::string text) {
  CharUpperBuffA(&text[0], (DWORD)text.size());
  return text;
}

class CancelInstall : public testing::Test {
 protected:
  void SetUp() override {
    folder = files::MakeTemporaryFolder("cancel");
    ASSERT_FALSE(folder.empty());
    // Outside the test's folder, so that the machine's snapshot sees it.
    target = "C:\\Cancel Check " + std::to_string(GetCurrentProcessId());
    files::RemoveTree(target);
  }
  void TearDown() override {
    ui::Finish(program);
    for (HANDLE holder : holders) CloseHandle(holder);
    files::RemoveTree(target);
    files::RemoveTree(folder);
    if (!registryRoot.empty()) RegDeleteTreeA(HKEY_CURRENT_USER, registryRoot.c_str());
  }

  // The ready page, the installing page and the finish page, and an
  // uninstaller; the files in one group, after the given groups.
  installers::Wizard Script(const std::vector<corvel::Group>& before = {}) {
    installers::Wizard wizard;
    wizard.product = Product;
    wizard.pages[9] = wizard.pages[10] = wizard.pages[11] = 1;
    wizard.options2 = corvel::kProductUninstaller;
    wizard.extra = {corvel::variableRecord("%InstallPath%", target),
                    corvel::variableRecord("%UninstallerFileName%", "uninstall.exe"),
                    corvel::stringRecord(9, corvel::kGroupMessages, 6, "The file %s is in use. Try again?")};
    wizard.groups = before;
    corvel::Group files;
    files.folder = "%InstallPath%";
    files.entries.push_back(corvel::folderEntry("data", 0));
    for (int index = 0; index < FileCount; index++)
      files.entries.push_back(corvel::fileEntry(FileName(index), 1, Contents(index), index % 2 == 0));
    wizard.groups.push_back(files);
    return wizard;
  }

  void Run(const installers::Wizard& wizard, const std::string& name) {
    program = installers::StartWizard(wizard, folder, name);
    ASSERT_TRUE(program.process);
    frame = ui::WaitForWizard(program.id, WindowWait);
    ASSERT_TRUE(frame) << "no wizard appeared";
    ASSERT_TRUE(ui::WaitForPage(frame, "Ready to Install", WindowWait));
  }

  HWND StartInstalling() {
    ui::Click(frame, 1011);
    HWND page = ui::WaitForPage(frame, "Installing", WindowWait);
    EXPECT_TRUE(page) << "shown instead: " << ui::ControlText(ui::CurrentPage(frame), 1001);
    return page;
  }

  // Cancel on the installing page: its question, still unanswered.
  ui::MessageBox AskToCancel(const std::string& caption = "Cancel Check Setup",
                             const std::string& question = InstallingQuestion) {
    ui::Click(frame, 1012);
    ui::MessageBox box = ui::WaitForMessageBoxBesides(program.id, frame, WindowWait);
    EXPECT_TRUE(box) << "no question";
    EXPECT_EQ(caption, box.caption);
    EXPECT_EQ(question, box.text);
    EXPECT_TRUE(ui::HasButton(box.window, IDYES) && ui::HasButton(box.window, IDNO));
    return box;
  }

  // Yes to the cancel question (or the answer given to another question
  // that stops the run): the rollback runs, the wizard closes without
  // asking more and the machine is as it was before the run.
  void ExpectYesRestoresTheMachine(const ui::MessageBox& box, const snapshot::State& before,
                                   const snapshot::Options& options, int button = IDYES) {
    ASSERT_TRUE(ui::AnswerBox(box, button));
    DWORD code = 99;
    ASSERT_TRUE(ui::WaitForExit(program, WindowWait, &code)) << "the wizard stayed after the answer";
    EXPECT_EQ(1u, code) << "a cancelled run ends with code 1";
    std::vector<std::string> changes = snapshot::ChangesSince(before, options);
    EXPECT_TRUE(changes.empty()) << "the machine changed:\n" << snapshot::Describe(changes);
  }

  int InstalledFiles() {
    int count = 0;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((target + "\\data\\*.txt").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    do count++;
    while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
  }

  // An existing file that another program holds open for reading only.
  void Hold(const std::string& path) {
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0);
    ASSERT_NE(INVALID_HANDLE_VALUE, holder) << path;
    holders.push_back(holder);
  }

  void ReleaseHolders() {
    for (HANDLE holder : holders) CloseHandle(holder);
    holders.clear();
  }

  std::string folder, target, registryRoot;
  ui::Program program;
  HWND frame = nullptr;
  std::vector<HANDLE> holders;
};

TEST_F(CancelInstall, NoHaltsTheWorkerWhileAskedThenItInstallsEverything) {
  ASSERT_NO_FATAL_FAILURE(Run(Script(), "cancel-no.exe"));
  HWND page = StartInstalling();
  ASSERT_TRUE(page);
  EXPECT_FALSE(ui::IsShown(frame, 1010));
  EXPECT_FALSE(ui::IsShown(frame, 1011));
  // Enter is no Next here: were it one, the finish page would follow at once
  // and Cancel would not ask the installing page's question.
  PostMessageA(frame, WM_COMMAND, IDOK, 0);
  ui::MessageBox box = AskToCancel();
  ASSERT_TRUE(box);

  // While the question is open the worker stands still in the file phase.
  HWND progress = GetDlgItem(page, 1023);
  int position = (int)SendMessageA(progress, PBM_GETPOS, 0, 0), installed = InstalledFiles();
  Sleep(1000);
  EXPECT_EQ(position, (int)SendMessageA(progress, PBM_GETPOS, 0, 0));
  EXPECT_EQ(installed, InstalledFiles());
  EXPECT_LT(installed, FileCount) << "the file phase ended before Cancel was seen";
  EXPECT_LT(position, 100);

  ASSERT_TRUE(ui::AnswerBox(box, IDNO));
  ASSERT_TRUE(ui::WaitForPage(frame, "Setup Complete", WindowWait)) << "the installation did not go on";
  EXPECT_EQ(FileCount, InstalledFiles());
  for (int index : {0, 1, installed, FileCount - 1})
    EXPECT_EQ(Text(Contents(index)), Text(files::Read(target + "\\data\\" + FileName(index)))) << index;
  EXPECT_TRUE(files::Exists(target + "\\uninstall.exe"));
  EXPECT_TRUE(files::Exists(target + "\\uninstall.log"));
  ui::Click(frame, 1012);
  DWORD code = 99;
  EXPECT_TRUE(ui::WaitForExit(program, WindowWait, &code));
  EXPECT_EQ(0u, code);
}

TEST_F(CancelInstall, YesRollsBackAndClosesLeavingTheMachineAsItWas) {
  ASSERT_NO_FATAL_FAILURE(Run(Script(), "cancel-yes.exe"));
  snapshot::Options options = snapshot::Standard(folder);
  snapshot::State before = snapshot::Take(options);
  ASSERT_TRUE(StartInstalling());
  // Asked at once, the question may come before the first file.
  ASSERT_TRUE(ui::WaitWhileWorking([&] { return InstalledFiles() > 0; }, WindowWait, "the first file"));
  ui::MessageBox box = AskToCancel();
  ASSERT_TRUE(box);
  EXPECT_GT(InstalledFiles(), 0) << "nothing to undo: the question came before the first file";
  ExpectYesRestoresTheMachine(box, before, options);
}

bool HasValue(const std::string& subkey, const std::string& name) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  bool found = RegQueryValueExA(key, name.c_str(), 0, 0, 0, 0) == ERROR_SUCCESS;
  RegCloseKey(key);
  return found;
}

// Past the files: the values written so far and the keys made for them
// (three levels deep, none there before) go again.
TEST_F(CancelInstall, YesInTheRegistryPhaseRemovesTheValuesAndKeysItMade) {
  const int ValueCount = 5000;
  std::string root = registryRoot = "Software\\Cancel Check " + std::to_string(GetCurrentProcessId());
  auto keyOf = [&](int index) { return root + "\\Settings\\Part" + std::to_string(index / 500); };
  auto nameOf = [](int index) { return "Value" + std::to_string(index); };
  installers::Wizard wizard = Script();
  wizard.groups.back().entries.resize(2);   // the data folder and one file
  for (int index = 0; index < ValueCount; index++)
    wizard.extra.push_back(corvel::registryRecord("1," + keyOf(index) + "," + nameOf(index) + ",1,data"));
  ASSERT_NO_FATAL_FAILURE(Run(wizard, "cancel-registry.exe"));
  snapshot::Options options = snapshot::Standard(folder);
  snapshot::State before = snapshot::Take(options);
  ASSERT_TRUE(StartInstalling());
  ASSERT_TRUE(ui::WaitWhileWorking([&] { return HasValue(keyOf(0), nameOf(0)); }, WindowWait, "the first value"));
  ui::MessageBox box = AskToCancel();
  ASSERT_TRUE(box);
  EXPECT_TRUE(HasValue(keyOf(0), nameOf(0))) << "the question came before the registry phase";
  EXPECT_FALSE(HasValue(keyOf(ValueCount - 1), nameOf(ValueCount - 1))) << "the registry phase was over";
  ExpectYesRestoresTheMachine(box, before, options);
}

// A file of the product that is there already and held open: in an ordinary
// group the user is asked and says to leave it for the restart; in a shared
// group that happens without a question. Cancelled afterwards, the old files
// stay as they were, and nothing is left to replace them at the restart.
TEST_F(CancelInstall, FilesQueuedForTheRestartKeepTheirOldVersionAfterTheRollback) {
  ASSERT_TRUE(CreateDirectoryA(target.c_str(), 0));
  std::string app = target + "\\app.dll", shared = target + "\\shared.dll";
  ASSERT_TRUE(files::Write(app, {'o', 'l', 'd', ' ', 'a', 'p', 'p'}));
  ASSERT_TRUE(files::Write(shared, {'o', 'l', 'd', ' ', 's', 'h', 'a', 'r', 'e', 'd'}));
  corvel::Group ordinary, sharing;
  ordinary.folder = sharing.folder = "%InstallPath%";
  ordinary.entries.push_back(corvel::fileEntry("app.dll", 0, Contents(-1), true));
  sharing.sharedFlag = 1;
  sharing.entries.push_back(corvel::fileEntry("shared.dll", 0, Contents(-2), false));
  ASSERT_NO_FATAL_FAILURE(Run(Script({ordinary, sharing}), "cancel-inuse.exe"));
  snapshot::Options options = snapshot::Standard(folder);
  snapshot::State before = snapshot::Take(options);
  std::string renamesBefore = PendingRenames();
  Hold(app);
  Hold(shared);

  ASSERT_TRUE(StartInstalling());
  ui::MessageBox inUse = ui::WaitForMessageBoxBesides(program.id, frame, WindowWait);
  ASSERT_TRUE(inUse) << "no question for the file in use";
  EXPECT_EQ("The file " + app + " is in use. Try again?", inUse.text);
  ASSERT_TRUE(ui::AnswerBox(inUse, IDNO));
  // The shared file follows without a question; the group's files after it.
  ASSERT_TRUE(WaitUntil([&] { return InstalledFiles() > 0; }, WindowWait));
  ui::MessageBox box = AskToCancel();
  ASSERT_TRUE(box);
  ASSERT_TRUE(ui::AnswerBox(box, IDYES));
  DWORD code = 99;
  ASSERT_TRUE(ui::WaitForExit(program, WindowWait, &code)) << "the wizard stayed after Yes";
  EXPECT_EQ(1u, code);

  EXPECT_EQ("old app", Text(files::Read(app)));
  EXPECT_EQ("old shared", Text(files::Read(shared)));
  std::string renames = PendingRenames();
  EXPECT_EQ(renamesBefore, renames);
  EXPECT_EQ(std::string::npos, Upper(renames).find(Upper(target))) << renames;
  ReleaseHolders();
  // Also gone: the new versions that waited in the temporary folder, and no
  // count for the shared file was raised.
  std::vector<std::string> changes = snapshot::ChangesSince(before, options);
  EXPECT_TRUE(changes.empty()) << "the machine changed:\n" << snapshot::Describe(changes);
}

// The target drive fills up while the files are written: one question, and
// its Cancel rolls back and ends, leaving the drive as it was. T: is a small
// drive made for this test by the build's test set-up, which needs root.
TEST_F(CancelInstall, ADiskThatFillsUpAsksOnceAndCancelLeavesTheDriveAsItWas) {
  if (GetDriveTypeA("T:\\") == DRIVE_NO_ROOT_DIR) GTEST_SKIP() << "no small drive T:";
  target = "T:\\Full Disk";
  installers::Wizard wizard = Script();
  wizard.extra.push_back(corvel::stringRecord(9, corvel::kGroupErrors, 14, "Error writing a file '%s'. Not enough disk space."));
  ASSERT_NO_FATAL_FAILURE(Run(wizard, "cancel-full.exe"));
  snapshot::Options options = snapshot::Standard(folder);
  options.folders.push_back("T:\\");
  options.times = true;
  snapshot::State before = snapshot::Take(options);
  ASSERT_TRUE(StartInstalling());
  ui::MessageBox full = ui::WaitForMessageBoxBesides(program.id, frame, 2 * WindowWait);
  ASSERT_TRUE(full) << "no message for the full disk";
  EXPECT_EQ(full.text.rfind("Error writing a file '" + target + "\\data\\file", 0), 0u) << full.text;
  EXPECT_TRUE(ui::HasButton(full.window, IDOK) && ui::HasButton(full.window, IDCANCEL));
  ExpectYesRestoresTheMachine(full, before, options, IDCANCEL);

  // The same installer run silently: the question is answered Cancel by
  // itself, written to the log, and the run ends with code 1 after the
  // rollback.
  std::string log = folder + "\\silent.log";
  ui::Finish(program);
  program = ui::Start(folder + "\\cancel-full.exe", "/S \"/LOG=" + log + "\"", folder);
  ASSERT_TRUE(program.process);
  DWORD code = 99;
  ASSERT_TRUE(ui::WaitForExit(program, 2 * WindowWait, &code)) << "the silent run did not end";
  EXPECT_EQ(1u, code) << "a run stopped by a full disk ends with code 1";
  std::vector<std::uint8_t> bytes = files::Read(log);
  std::string said(bytes.begin(), bytes.end());
  EXPECT_NE(std::string::npos, said.find("Error writing a file '" + target + "\\data\\file")) << said;
  EXPECT_NE(std::string::npos, said.find("[Cancel]")) << said;
  EXPECT_NE(std::string::npos, said.find(" Exit code 1.\r\n")) << said;
  std::vector<std::string> changes = snapshot::ChangesSince(before, options);
  EXPECT_TRUE(changes.empty()) << "the machine changed:\n" << snapshot::Describe(changes);
}

// The full example's next version over its first, through the shipped
// stub's wizard, cancelled once among the files it writes over and once
// among the values: each time the first version is there as it was, every
// file with its contents, attributes and times, every value with its data.
// The next version has more files and values after the example's own, so
// that the question comes behind every change of the first version.
TEST_F(CancelInstall, TheFullExamplesNextVersionCancelledOverItsFirstLeavesTheFirst) {
  std::vector<std::uint8_t> first = files::Read(files::FromEnvironmentPath("CORVEL_FULL_EXAMPLE"));
  ASSERT_FALSE(first.empty()) << "CORVEL_FULL_EXAMPLE names no built installer";
  std::string firstSetup = folder + "\\widget-setup.exe", nextSetup = folder + "\\widget-next.exe";
  ASSERT_TRUE(files::Write(firstSetup, first));
  ASSERT_TRUE(files::Write(nextSetup, roundtrip::NextVersion(first, 400, 5000)));
  snapshot::Options options = snapshot::Standard(folder);
  options.times = true;
  ASSERT_NO_FATAL_FAILURE(roundtrip::InstallThroughWizard(firstSetup, {}));
  std::string installPath = roundtrip::ReadText32(HKEY_LOCAL_MACHINE, "Software\\Acme\\Widget", "InstallPath");
  ASSERT_FALSE(installPath.empty()) << "the first version left no InstallPath value";
  std::string readme = installPath + "\\README.txt";
  std::string firstReadme = Text(files::Read(readme));
  snapshot::State before = snapshot::Take(options);

  const std::string settings = "Software\\Acme\\Widget\\Settings";
  struct Moment {
    const char* where;
    std::function<bool()> reached;
  } moments[] = {
      {"among the files", [&] { return files::Exists(installPath + "\\more\\item0.txt"); }},
      {"among the values", [&] { return HasValue(settings + "\\More", "Value0"); }},
  };
  for (const Moment& moment : moments) {
    SCOPED_TRACE(std::string("cancelled ") + moment.where);
    roundtrip::Choices choices;
    choices.installing = [&](const ui::Program& running, HWND shown) {
      // Lent for the question's helpers: InstallThroughWizard ends it.
      struct Lent {
        ui::Program& program;
        ~Lent() { program = ui::Program(); }
      } lent{program};
      program = running;
      frame = shown;
      ASSERT_TRUE(ui::WaitWhileWorking(moment.reached, 2 * WindowWait, moment.where));
      ui::MessageBox box = AskToCancel("Acme Widget Setup", "The installation is in progress. If you quit now, Acme "
                                       "Widget\nmay be installed incorrectly.\n\nDo you want to quit Setup?");
      ASSERT_TRUE(box);
      // Halted behind every change of the example's own files, and in the
      // second run of its values.
      EXPECT_NE(Text(files::Read(readme)), firstReadme) << "README.txt was not written over before the question";
      if (HasValue(settings + "\\More", "Value0"))
        EXPECT_EQ(roundtrip::ReadNumber32(HKEY_CURRENT_USER, settings, "Launches"), 7u);
      ExpectYesRestoresTheMachine(box, before, options);
    };
    ASSERT_NO_FATAL_FAILURE(roundtrip::InstallThroughWizard(nextSetup, choices));
  }
  EXPECT_EQ(Text(files::Read(readme)), firstReadme);

  // The first version leaves as it came.
  roundtrip::Removal removal;
  ASSERT_NO_FATAL_FAILURE(roundtrip::UninstallThroughEntry(removal));
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
