// Every example as the builder makes it, installed page by page to the
// finish page and removed through its uninstall entry: the example's own
// files appear in the folder it names and go again, and so does everything
// the install log lists.
#include <gtest/gtest.h>

#include <algorithm>

#include "demo/walk.h"
#include "support/files.h"
#include "support/ui_driver.h"

namespace {

struct Example {
  const char* name;       // folder below examples/ and installer name
  const char* product;    // [product] name: the uninstall entry's key
  std::vector<std::string> pages;       // titles in order, English texts
  std::vector<std::string> ownFiles;    // below the installation folder
  std::size_t shortcuts = 0, values = 0, sharedFiles = 0;   // as the manifest asks
  const char* windows = "";             // the version Wine poses as, when the product asks for one
};

const Example Examples[] = {
    {"minimal", "Hello Notes 1.0",
     {"Welcome to the Hello Notes 1.0 Setup", "Choose Destination Folder", "Ready to Install", "Installing",
      "Setup Complete"},
     {"notes.txt", "readme.txt", "uninstall.exe", "uninstall.log"}},
    {"compact", "Pocket Timer 1.2",
     {"Welcome to the Pocket Timer Setup", "Choose Destination Folder", "Select Start Menu Folder", "Ready to Install",
      "Installing", "Setup Complete"},
     {"timer.ini", "timer.txt", "uninstall.exe"},
     1},
    {"multilingual", "Atlas Notes 3.1",
     {"Select Language", "Welcome to the Atlas Notes Setup", "Choose Destination Folder", "Ready to Install",
      "Installing", "Setup Complete"},
     {"atlas.txt", "places.txt", "uninstall.exe"}},
    {"full", "Acme Widget 2.0",
     {"Select Language", "Welcome to the Acme Widget Setup", "License Agreement", "Readme Information",
      "Choose Destination Folder", "Select Start Menu Folder", "Ready to Install", "Installing", "Setup Complete"},
     {"README.txt", "widget.cfg", "docs\\manual.txt", "docs\\faq.txt", "samples\\round.wdg", "uninstall.exe"},
     4, 5, 1, "winxp"},
};

class Examples_ : public testing::TestWithParam<Example> {};

std::string Folder(const std::string& path) { return path.substr(0, path.rfind('\\')); }

TEST_P(Examples_, InstallsEveryPageThenUninstallsWithoutTrace) {
  const Example& example = GetParam();
  std::string installer = files::FromEnvironmentPath("CORVEL_EXAMPLES") + "\\" + example.name + "-setup.exe";
  ASSERT_TRUE(files::Exists(installer)) << installer << " was not built";
  ui::DrawOwnFrames(std::string(example.name) + "-setup.exe");
  walk::Options options;
  options.windows = example.windows;
  walk::Installation run;
  bool installed = walk::Install(installer, example.product, options, run);
  for (const std::string& problem : run.problems) ADD_FAILURE() << problem;
  ASSERT_TRUE(installed);
  // A small payload may pass the installing page before it can be seen.
  std::vector<std::string> expected = example.pages, seen = run.pages;
  for (auto* pages : {&expected, &seen}) pages->erase(std::remove(pages->begin(), pages->end(), "Installing"), pages->end());
  EXPECT_EQ(expected, seen);

  std::string folder = Folder(run.logPath);
  EXPECT_EQ(run.logPath, folder + "\\uninstall.log");
  EXPECT_EQ(walk::UninstallEntryValue(example.product, "DisplayName").empty(), false);
  for (const std::string& name : example.ownFiles) EXPECT_TRUE(files::Exists(folder + "\\" + name)) << name;
  EXPECT_TRUE(walk::CheckInstalled(run));
  EXPECT_EQ(example.shortcuts, run.shortcuts.size());
  EXPECT_EQ(example.values, run.values.size());
  EXPECT_EQ(example.sharedFiles, run.sharedFiles.size());
  // The log lists the example's files among its own.
  for (const std::string& name : example.ownFiles) {
    if (name.find(".log") != std::string::npos) continue;
    bool listed = false;
    for (const std::string& file : run.files) listed |= lstrcmpiA(file.c_str(), (folder + "\\" + name).c_str()) == 0;
    EXPECT_TRUE(listed) << name << " is not in the install log";
  }

  EXPECT_TRUE(walk::Uninstall(run, example.product, options));
  EXPECT_TRUE(walk::CheckRemoved(run, example.product));
  for (const std::string& name : example.ownFiles) EXPECT_FALSE(files::Exists(folder + "\\" + name)) << name;
  EXPECT_FALSE(files::Exists(folder));
  for (const std::string& problem : run.problems) ADD_FAILURE() << problem;
}

INSTANTIATE_TEST_SUITE_P(Each, Examples_, testing::ValuesIn(Examples),
                         [](const testing::TestParamInfo<Example>& info) { return std::string(info.param.name); });

// A visible window of the program, or of the uninstaller's temporary copy
// (named KVZ*.tmp in the temporary folder).
bool StubWindowShown(DWORD processId) {
  if (!ui::TopLevelWindows(processId).empty()) return true;
  bool shown = false;
  EnumWindows([](HWND window, LPARAM found) -> BOOL {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    std::string image = ui::ImagePath(owner);
    std::string name = image.substr(image.rfind('\\') + 1);
    if (IsWindowVisible(window) && lstrcmpiA(name.substr(0, 3).c_str(), "KVZ") == 0) *(bool*)found = true;
    return TRUE;
  }, (LPARAM)&shown);
  return shown;
}

// Runs a program to its end, looking for its windows all the while.
DWORD RunUnseen(const std::string& path, const std::string& arguments, bool& windowSeen) {
  ui::Program program = ui::Start(path, arguments, path.substr(0, path.rfind('\\')));
  EXPECT_TRUE(program.process) << path;
  DWORD code = 99;
  for (DWORD waited = 0; program.process && !ui::WaitForExit(program, 100, &code); waited += 100) {
    windowSeen |= StubWindowShown(program.id);
    if (waited > 600000) break;
  }
  ui::Finish(program);
  return code;
}

// The full example unattended: installed into a folder with blanks, removed
// by the uninstall entry's quiet command, and never a window of its own.
TEST(Unattended, FullExampleInstallsAndRemovesWithoutAWindow) {
  const Example& full = Examples[3];
  std::string installer = files::FromEnvironmentPath("CORVEL_EXAMPLES") + "\\full-setup.exe";
  ASSERT_TRUE(files::Exists(installer)) << installer << " was not built";
  walk::Pose("full-setup.exe", full.windows);
  const std::string folder = "C:\\Silent Path\\Widget", messages = "C:\\silent-messages.txt";
  DeleteFileA(messages.c_str());
  walk::Installation run;
  run.windowsBefore = walk::VisibleWindows();
  bool windowSeen = false;
  EXPECT_EQ(0u, RunUnseen(installer, "/S /LOG=" + messages + " \"/D=" + folder + "\"", windowSeen));
  EXPECT_FALSE(windowSeen) << "the silent installation showed a window";
  run.logPath = folder + "\\uninstall.log";
  ASSERT_TRUE(walk::ReadLog(run)) << "nothing installed in " << folder;
  for (const std::string& name : full.ownFiles) EXPECT_TRUE(files::Exists(folder + "\\" + name)) << name;
  EXPECT_TRUE(walk::CheckInstalled(run));
  EXPECT_EQ(full.shortcuts, run.shortcuts.size()) << "each shortcut box at its default";
  std::string quiet = walk::UninstallEntryValue(full.product, "QuietUninstallString");
  EXPECT_EQ("\"" + folder + "\\uninstall.exe\" /S", quiet);
  EXPECT_EQ("\"" + folder + "\\uninstall.exe\"", walk::UninstallEntryValue(full.product, "UninstallString"));
  // The samples folder that the installing page's action opens.
  for (int tries = 0; tries < 600 && run.closedWindows.empty(); tries++) walk::CloseOpenedWindows(run);
  EXPECT_FALSE(run.closedWindows.empty()) << "the installing page's action did not run";

  // The first process returns only when its temporary copy has removed everything.
  ASSERT_EQ(0u, quiet.rfind("\"", 0));
  std::string uninstaller = quiet.substr(1, quiet.find('"', 1) - 1);
  windowSeen = false;
  EXPECT_EQ(0u, RunUnseen(uninstaller, quiet.substr(quiet.find('"', 1) + 2) + " /LOG=" + messages, windowSeen));
  EXPECT_FALSE(windowSeen) << "the quiet uninstallation showed a window";
  walk::CloseOpenedWindows(run);
  // The shared file whose count reached zero is kept, as a careful answer
  // would keep it, and with it the folder that holds it.
  ASSERT_EQ(full.sharedFiles, run.sharedFiles.size());
  std::string shared = run.sharedFiles[0], sharedFolder = Folder(shared);
  EXPECT_TRUE(files::Exists(shared));
  run.folders.erase(std::remove(run.folders.begin(), run.folders.end(), sharedFolder), run.folders.end());
  EXPECT_TRUE(walk::CheckRemoved(run, full.product));
  EXPECT_FALSE(files::Exists("C:\\Silent Path"));
  std::vector<std::uint8_t> bytes = files::Read(messages);
  std::string said(bytes.begin(), bytes.end());
  EXPECT_NE(std::string::npos, said.find("Shared File Detected: The system indicates")) << said;
  EXPECT_NE(std::string::npos, said.find(sharedFolder + ": it still holds files.\r\n")) << said;
  EXPECT_NE(std::string::npos, said.find("shared component. [No]\r\n")) << said;
  // The installation, the temporary copy and the first process each end with 0.
  std::size_t ends = 0;
  for (std::size_t at = 0; (at = said.find(" Exit code 0.\r\n", at)) != std::string::npos; at++) ends++;
  EXPECT_EQ(3u, ends) << said;
  for (const std::string& problem : run.problems) ADD_FAILURE() << problem;
  SetFileAttributesA(shared.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileA(shared.c_str());
  RemoveDirectoryA(sharedFolder.c_str());
  DeleteFileA(messages.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
