// Uninstalling with the real stub: an uninstaller (the stub without its
// package) beside an install log and the files it names, started as the
// system's list of programs would start it, and driven through its windows.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <functional>

#include "installer.h"
#include "support/files.h"
#include "support/installers.h"
#include "support/processes.h"
#include "support/ui_driver.h"
#include "unit/uninstall_support.h"

namespace {

using namespace uninstall_support;

const DWORD WindowWait = 60000;
const char Caption[] = "DemoApp Uninstall";
const char TestKey[] = "Software\\CorvelUninstallRunTest";
const char SharedKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

void Touch(const std::string& path) { files::Write(path, {'d', 'a', 't', 'a'}); }

std::string TemporaryPath(const std::string& name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  return folder + name;
}

// A visible dialog of the process with this control: the uninstall page has
// the tree 1026, a message box the static 65535. With id 0, of an
// uninstaller copy in the temporary folder that this program started.
HWND FindDialog(DWORD processId, int control) {
  struct Search {
    DWORD processId;
    int control;
    HWND found;
  } search = {processId, control, 0};
  EnumWindows([](HWND window, LPARAM parameter) -> BOOL {
    Search* s = (Search*)parameter;
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if ((s->processId ? owner != s->processId
                      : ui::ImagePath(owner).find(TemporaryPath("KVZ")) != 0 || !processes::IsFollowed(owner)) ||
        !IsWindowVisible(window) ||
        ui::ClassName(window) != "#32770" || !GetDlgItem(window, s->control))
      return TRUE;
    s->found = window;
    return FALSE;
  }, (LPARAM)&search);
  return search.found;
}

ui::MessageBox WaitForBox(DWORD processId, DWORD milliseconds = WindowWait) {
  ui::MessageBox box;
  WaitUntil([&] { return (box.window = FindDialog(processId, 65535)) != 0; }, milliseconds);
  if (box.window) {
    box.caption = ui::Text(box.window);
    box.text = ui::ControlText(box.window, 65535);
  }
  return box;
}

void Answer(const ui::MessageBox& box, int button) {
  ui::Click(box.window, button);
  WaitUntil([&] { return !IsWindow(box.window); }, 10000);
}

// A 32-bit program sees the 32-bit view of HKLM\SOFTWARE.
REGSAM SharedView = 0;

DWORD SharedCount(const std::string& path) {
  DWORD count = 0, size = sizeof(count);
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SharedKey, 0, KEY_QUERY_VALUE | SharedView, &key) != ERROR_SUCCESS) return 0;
  RegQueryValueExA(key, path.c_str(), 0, 0, (BYTE*)&count, &size);
  RegCloseKey(key);
  return count;
}

class UninstallRun : public testing::Test {
 protected:
  std::string folder, app, menu, common, outside;
  ui::Program first;     // the uninstaller in the application's folder
  HANDLE copy = 0;       // the temporary copy it starts
  DWORD copyId = 0;
  std::string copyPath;

  void SetUp() override {
    ASSERT_FALSE(files::StubImage().empty()) << "CORVEL_STUB does not name the built stub";
    folder = files::MakeTemporaryFolder("uninstall-run");
    app = folder + "\\App";
    menu = folder + "\\Menu";
    common = folder + "\\Common";
    outside = folder + "\\Outside";
    for (const std::string* path : {&app, &menu, &common, &outside}) CreateDirectoryA(path->c_str(), 0);
    DeleteFileA(TemporaryPath("delself.bat").c_str());
  }
  void TearDown() override {
    ui::Finish(first);
    if (copy) {
      if (WaitForSingleObject(copy, 0) != WAIT_OBJECT_0) TerminateProcess(copy, 1);
      CloseHandle(copy);
    }
    RegDeleteKeyA(HKEY_CURRENT_USER, TestKey);
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SharedKey, 0, KEY_SET_VALUE | SharedView, &key) == ERROR_SUCCESS) {
      RegDeleteValueA(key, (common + "\\shared.dll").c_str());
      RegCloseKey(key);
    }
    RemoveFolder(folder);
  }

  // The installed application: files, a shortcut, a registry value and a
  // shared library used by another program as well, with extra log lines.
  void Install(bool shipped, const std::vector<std::string>& extra = {}) {
    auto uninstaller = corvel::makeUninstallerCopy(installers::MakeSmall("Uninstall Run", files::StubImage(shipped)));
    ASSERT_TRUE(uninstaller.ok()) << uninstaller.error;
    ASSERT_TRUE(files::Write(app + "\\Remove.exe", uninstaller.value));
    CreateDirectoryA((app + "\\Data").c_str(), 0);
    Touch(app + "\\app.exe");
    Touch(app + "\\Data\\table.dat");
    Touch(menu + "\\App.lnk");
    Touch(common + "\\shared.dll");
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, TestKey, 0, 0, 0, KEY_ALL_ACCESS, 0, &key, 0), ERROR_SUCCESS);
    RegSetValueExA(key, "Path", 0, REG_SZ, (const BYTE*)"C:\\", 4);
    RegCloseKey(key);
    DWORD two = 2;
    SharedView = KEY_WOW64_32KEY;   // every stub the tests run is the 32-bit one
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, SharedKey, 0, 0, 0, KEY_ALL_ACCESS | SharedView, 0, &key, 0),
              ERROR_SUCCESS);
    RegSetValueExA(key, (common + "\\shared.dll").c_str(), 0, REG_DWORD, (const BYTE*)&two, 4);
    RegCloseKey(key);
    std::string log = "=== Corvelsetup log file ===\nDemo Application\nDemoApp\n"
                      "0,0xC88C00,0x2000000,0xFFFFFF,0x1000000,Tahoma,0xFF,Verdana,0x0\n";
    for (const std::string& line :
         {"a," + app, "a," + app + "\\Data", "b," + app + "\\app.exe", "b," + app + "\\Data\\table.dat",
          "b," + app + "\\Remove.exe", "b," + app + "\\Remove.log", "g," + common + "\\shared.dll", "a," + menu,
          "h," + menu + "\\App.lnk", std::string("c,1,") + TestKey + ",Path"})
      log += line + "\n";
    for (const std::string& line : extra) log += line + "\n";
    ASSERT_TRUE(files::Write(app + "\\Remove.log", std::vector<std::uint8_t>(log.begin(), log.end())));
  }

  // Starts the uninstaller as the list of programs does and answers its
  // question; with Yes, finds the temporary copy's page.
  HWND StartAndConfirm(bool yes) {
    first = ui::Start(app + "\\Remove.exe", "", folder);
    EXPECT_TRUE(first.process);
    ui::MessageBox box = WaitForBox(first.id);
    EXPECT_EQ(box.caption, Caption);
    EXPECT_EQ(box.text, "Are you sure you want to completely remove Demo Application?");
    if (!box) return 0;
    Answer(box, yes ? IDYES : IDNO);
    EXPECT_TRUE(ui::WaitForExit(first, WindowWait));
    if (!yes) return 0;
    HWND page = 0;
    WaitUntil([&] { return (page = FindDialog(0, 1026)) != 0; }, WindowWait);
    EXPECT_TRUE(page) << "the temporary copy showed no uninstall page";
    if (!page) return 0;
    GetWindowThreadProcessId(page, &copyId);
    copy = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, copyId);
    copyPath = ui::ImagePath(copyId);
    return page;
  }

  void ExpectCopyEndsAndCleansUp() {
    ASSERT_EQ(WaitForSingleObject(copy, WindowWait), WAIT_OBJECT_0);
    EXPECT_TRUE(WaitUntil([&] { return !files::Exists(copyPath) && !files::Exists(TemporaryPath("delself.bat")); },
                          20000))
        << "the temporary copy or its batch stayed";
  }

  void ExpectInstallationGone() {
    for (const std::string& path : {app + "\\app.exe", app + "\\Data", app + "\\Remove.exe", app + "\\Remove.log", app,
                                    menu + "\\App.lnk", menu})
      EXPECT_FALSE(files::Exists(path)) << path;
    HKEY key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, TestKey, 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    EXPECT_NE(RegQueryValueExA(key, "Path", 0, 0, 0, 0), ERROR_SUCCESS);
    RegCloseKey(key);
    // Still used by another program: one use less, and it stays.
    EXPECT_EQ(SharedCount(common + "\\shared.dll"), 1u);
    EXPECT_TRUE(files::Exists(common + "\\shared.dll"));
  }

  void RemoveEverything(bool shipped) {
    Install(shipped);
    ASSERT_TRUE(StartAndConfirm(true));
    ui::MessageBox done = WaitForBox(copyId);
    EXPECT_EQ(done.caption, Caption);
    EXPECT_EQ(done.text, "Demo Application have been succesfully removed from your computer.");
    // The deletion batch tries again and again until the copy has ended:
    // none may run yet while the last message waits for the user.
    for (std::string running : processes::DescribeRunning()) {
      CharLowerBuffA(&running[0], (DWORD)running.size());
      EXPECT_EQ(running.find("cmd.exe"), std::string::npos) << running;
    }
    Answer(done, IDOK);
    ExpectCopyEndsAndCleansUp();
    ExpectInstallationGone();
  }
};

TEST_F(UninstallRun, AnsweringNoChangesNothing) {
  Install(false);
  StartAndConfirm(false);
  Sleep(1000);
  EXPECT_EQ(FindDialog(0, 1026), nullptr) << "a page appeared after No";
  for (const std::string& path : {app + "\\app.exe", app + "\\Data\\table.dat", app + "\\Remove.exe", app + "\\Remove.log",
                                  menu + "\\App.lnk"})
    EXPECT_TRUE(files::Exists(path)) << path;
  EXPECT_EQ(SharedCount(common + "\\shared.dll"), 2u);
}

TEST_F(UninstallRun, YesRemovesEverythingTheLogListsAndTheCopyDeletesItself) { RemoveEverything(false); }

TEST_F(UninstallRun, TheShippedStubRemovesEverythingToo) {
  ASSERT_FALSE(files::StubImage(true).empty()) << "CORVEL_STUB32 does not name the shipped stub";
  RemoveEverything(true);
}

TEST_F(UninstallRun, AFileInUseIsAskedAboutThenLeftForTheRestart) {
  std::string busy = common + "\\busy.dll";
  Touch(busy);
  Install(false, {"b," + busy});
  HANDLE holder = CreateFileA(busy.c_str(), GENERIC_READ, 0, 0, OPEN_EXISTING, 0, 0);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(StartAndConfirm(true));
  std::string question = "The file " + busy + " \nis currently in use by another application.\nWould you like to "
                         "try deleting the file again, rather than \ninitiating a reboot at the end of the "
                         "uninstallation process?";
  for (int answer : {IDYES, IDNO}) {
    ui::MessageBox box = WaitForBox(copyId);
    EXPECT_EQ(box.caption, "Deleting File");
    EXPECT_EQ(box.text, question);
    Answer(box, answer);
  }
  ui::MessageBox restart = WaitForBox(copyId);
  EXPECT_EQ(restart.caption, Caption);
  EXPECT_EQ(restart.text, "To complete the uninstallation your computer must be restarted. \nSome files are in use "
                          "and can be deleted during system reboot only. \n\nRestart the system now?");
  EXPECT_TRUE(ui::HasButton(restart.window, IDNO));
  Answer(restart, IDNO);   // never restart the test machine
  ExpectCopyEndsAndCleansUp();
  CloseHandle(holder);
  EXPECT_TRUE(files::Exists(busy));
  ExpectInstallationGone();
}

TEST_F(UninstallRun, LeftoversAreOfferedAndTheirDeletionSparesALinkedFolder) {
  Install(false);
  Touch(app + "\\notes.txt");
  Touch(app + "\\Data\\user.txt");
  Touch(outside + "\\precious.txt");
  ASSERT_TRUE(MakeLink(outside, app + "\\Data\\link"));
  HWND page = StartAndConfirm(true);
  ASSERT_TRUE(page);
  HWND tree = GetDlgItem(page, 1026);
  // App and App\Data were both left over: only App is shown, with a button.
  ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(tree) && SendMessageA(tree, TVM_GETCOUNT, 0, 0) == 2; },
                        WindowWait));
  EXPECT_EQ(ui::ControlText(page, 1012), "Finish");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, 1011)));
  ui::Click(page, 1010);
  ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(page, 1011)) != FALSE; }, 10000));
  ui::Click(page, 1011);
  ui::MessageBox confirm = WaitForBox(copyId);
  EXPECT_EQ(confirm.caption, "Confirm Operation");
  Answer(confirm, IDYES);
  EXPECT_TRUE(WaitUntil([&] { return SendMessageA(tree, TVM_GETCOUNT, 0, 0) == 0; }, 10000));
  ui::Click(page, 1012);
  // After the leftover view no final message follows.
  ExpectCopyEndsAndCleansUp();
  EXPECT_FALSE(files::Exists(app + "\\notes.txt"));
  EXPECT_FALSE(files::Exists(app + "\\Data\\user.txt"));
  EXPECT_TRUE(files::Exists(outside + "\\precious.txt")) << "the deletion followed the link";
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
