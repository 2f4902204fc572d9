// Shared files from installation to removal with the shipped stub: the
// installer raises each file's count, and the uninstaller lowers it again,
// leaving a file that another program still uses and asking about the
// others; Yes To All, confirmed, removes the rest without another question.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "installer.h"
#include "support/files.h"
#include "support/installers.h"
#include "support/ui_driver.h"
#include "unit/uninstall_support.h"

namespace {

using uninstall_support::WaitUntil;

const DWORD WindowWait = 60000;
const char SharedKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

// The stub is a 32-bit program: its counts live in the 32-bit view.
DWORD SharedCount(const std::string& path) {
  DWORD count = 0, size = sizeof(count);
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SharedKey, 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS)
    return 0;
  if (RegQueryValueExA(key, path.c_str(), 0, 0, (BYTE*)&count, &size) != ERROR_SUCCESS) count = 0;
  RegCloseKey(key);
  return count;
}

bool SetSharedCount(const std::string& path, DWORD count) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, SharedKey, 0, 0, 0, KEY_SET_VALUE | KEY_WOW64_32KEY, 0, &key, 0))
    return false;
  bool set = count ? RegSetValueExA(key, path.c_str(), 0, REG_DWORD, (const BYTE*)&count, 4) == ERROR_SUCCESS
                   : (RegDeleteValueA(key, path.c_str()), true);
  RegCloseKey(key);
  return set;
}

// A shown dialog with this caption (and control, when not 0) of the
// process, or of any process with id 0: the uninstaller's copy runs under a
// name of its own.
HWND WaitForDialog(DWORD processId, const std::string& caption, int control, DWORD milliseconds = WindowWait) {
  struct Search {
    DWORD processId;
    const std::string* caption;
    int control;
    HWND found;
  } search = {processId, &caption, control, 0};
  WaitUntil([&] {
    EnumWindows([](HWND window, LPARAM parameter) -> BOOL {
      Search* s = (Search*)parameter;
      DWORD owner = 0;
      GetWindowThreadProcessId(window, &owner);
      if ((s->processId && owner != s->processId) || !IsWindowVisible(window) ||
          ui::ClassName(window) != "#32770" || ui::Text(window) != *s->caption ||
          (s->control && !GetDlgItem(window, s->control)))
        return TRUE;
      s->found = window;
      return FALSE;
    }, (LPARAM)&search);
    return search.found != 0;
  }, milliseconds);
  return search.found;
}

class SharedFiles : public testing::Test {
 protected:
  void SetUp() override {
    folder = files::MakeTemporaryFolder("shared");
    ASSERT_FALSE(folder.empty());
    common = folder + "\\Common";
    for (const char* name : {"used.dll", "first.dll", "second.dll"}) paths.push_back(common + "\\" + name);
  }
  void TearDown() override {
    ui::Finish(program);
    if (copy) {
      if (WaitForSingleObject(copy, 0) != WAIT_OBJECT_0) TerminateProcess(copy, 1);
      CloseHandle(copy);
    }
    for (const std::string& path : paths) SetSharedCount(path, 0);
    files::RemoveTree(folder);
  }

  std::string folder, common;
  std::vector<std::string> paths;
  ui::Program program;
  HANDLE copy = 0;
};

TEST_F(SharedFiles, CountsRiseOnInstallAndYesToAllRemovesTheUnusedOnes) {
  // used.dll is in use by another program already.
  ASSERT_TRUE(SetSharedCount(paths[0], 1));
  installers::Wizard wizard;
  wizard.product = "Shared Check";
  wizard.pages[10] = 1;
  wizard.options2 = corvel::kProductUninstaller;
  wizard.extra = {corvel::variableRecord("%InstallPath%", folder + "\\App"),
                  corvel::variableRecord("%UninstallerFileName%", "uninstall.exe")};
  corvel::Group app, shared;
  app.folder = "%InstallPath%";
  app.entries.push_back(corvel::fileEntry("app.exe", 0, std::vector<std::uint8_t>(300, 'a'), true));
  shared.folder = common;
  shared.sharedFlag = 1;
  for (const std::string& path : paths)
    shared.entries.push_back(
        corvel::fileEntry(path.substr(path.rfind('\\') + 1), 0, std::vector<std::uint8_t>(200, 's'), true));
  wizard.groups = {app, shared};
  std::string installer = folder + "\\shared-setup.exe";
  ASSERT_TRUE(files::Write(installer, installers::MakeWizard(wizard, files::StubImage())));
  program = ui::Start(installer, "", folder);
  ASSERT_TRUE(program.process);
  // With only the installing page the run ends by itself.
  ASSERT_TRUE(ui::WaitForExit(program, WindowWait));
  ui::Finish(program);
  EXPECT_EQ(2u, SharedCount(paths[0]));
  EXPECT_EQ(1u, SharedCount(paths[1]));
  EXPECT_EQ(1u, SharedCount(paths[2]));
  ASSERT_TRUE(files::Exists(folder + "\\App\\uninstall.exe"));

  program = ui::Start(folder + "\\App\\uninstall.exe", "", folder);
  ASSERT_TRUE(program.process);
  ui::MessageBox sure = ui::WaitForMessageBox(program.id, WindowWait);
  ASSERT_EQ("Are you sure you want to completely remove Shared Check?", sure.text);
  ASSERT_TRUE(ui::AnswerBox(sure, IDYES));
  HWND page = WaitForDialog(0, "Shared Check Uninstall", 1026);
  ASSERT_TRUE(page) << "the uninstaller's copy showed no page";
  DWORD copyId = 0;
  GetWindowThreadProcessId(page, &copyId);
  copy = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, copyId);

  // Last installed, first undone: second.dll is asked about first.
  HWND question = WaitForDialog(copyId, "Shared File Detected", 1011);
  ASSERT_TRUE(question);
  EXPECT_NE(std::string::npos, ui::ControlText(question, 1001).find("File name: second.dll\nLocated in: " + common))
      << ui::ControlText(question, 1001);
  ui::Click(question, 1011);   // Yes To All
  ui::MessageBox confirm = ui::WaitForMessageBoxBesides(copyId, page, WindowWait);
  EXPECT_EQ("Confirm Operation", confirm.caption);
  ASSERT_TRUE(ui::AnswerBox(confirm, IDYES));

  // Common keeps used.dll, so the page offers it as a leftover and waits;
  // no other question came on the way there.
  HWND tree = GetDlgItem(page, 1026);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(tree) != FALSE; }, WindowWait));
  EXPECT_FALSE(WaitForDialog(copyId, "Shared File Detected", 1011, 500)) << "first.dll was asked about";
  ui::Click(page, 1012);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(copy, WindowWait));

  EXPECT_TRUE(files::Exists(paths[0])) << "still used by another program";
  EXPECT_EQ(1u, SharedCount(paths[0]));
  for (const std::string& path : {paths[1], paths[2]}) {
    EXPECT_FALSE(files::Exists(path)) << path;
    EXPECT_EQ(0u, SharedCount(path)) << path;
  }
  EXPECT_FALSE(files::Exists(folder + "\\App\\app.exe"));
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
