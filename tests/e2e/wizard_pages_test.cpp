// What the pages do with the user's input: the destination checks and their
// messages, Cancel on every page, the live language switch, the licence and
// readme texts, the merged Start Menu list, the finish options and the
// backdrop.
#include <gtest/gtest.h>
#include <aclapi.h>
#include <shlobj.h>

#include <algorithm>

#include "installer.h"
#include "support/files.h"
#include "support/installers.h"
#include "support/recording.h"
#include "support/ui_driver.h"

namespace {

const DWORD WindowWait = 60000;
const char* const Product = "Page Check";

class Pages : public testing::Test {
 protected:
  void SetUp() override {
    folder = files::MakeTemporaryFolder("pages");
    ASSERT_FALSE(folder.empty());
  }
  void TearDown() override {
    ui::Finish(program);
    files::RemoveTree(folder);
  }

  installers::Wizard Script(std::initializer_list<int> slots) {
    installers::Wizard wizard;
    wizard.product = Product;
    for (int slot : slots) wizard.pages[slot] = 1;
    wizard.extra = {corvel::variableRecord("%InstallPath%", folder + "\\Page Check"),
                    corvel::variableRecord("%ShortcutsGroup%", "Page Check")};
    return wizard;
  }

  void Run(const installers::Wizard& wizard, const std::string& name, bool showsWizard = true) {
    program = installers::StartWizard(wizard, folder, name);
    ASSERT_TRUE(program.process);
    if (!showsWizard) return;
    frame = ui::WaitForWizard(program.id, WindowWait);
    ASSERT_TRUE(frame) << "no wizard appeared";
  }

  HWND Page(const std::string& title) {
    HWND page = ui::WaitForPage(frame, title, WindowWait);
    EXPECT_TRUE(page) << "expected " << title << ", shown: " << ui::ControlText(ui::CurrentPage(frame), 1001);
    return page;
  }

  // Next from the destination page with this folder typed: the error box's
  // text (answered), or "" when the wizard moved on.
  std::string TryDestination(const std::string& typed) {
    HWND page = Page("Choose Destination Folder");
    ui::Type(page, 1018, typed);
    ui::Click(frame, 1011);
    // The message or the next page, whichever a slow machine shows first.
    ui::MessageBox box;
    ui::WaitWhileWorking([&] {
      HWND shown = ui::CurrentPage(frame);
      return (box = ui::WaitForMessageBoxBesides(program.id, frame, 0)) || (shown && shown != page);
    }, WindowWait, "a message or the next page");
    if (!box) return "";
    EXPECT_EQ("Page Check Setup", box.caption);
    EXPECT_TRUE(ui::AnswerBox(box, IDOK));
    EXPECT_TRUE(ui::WaitForPage(frame, "Choose Destination Folder", WindowWait)) << "left the page after " << typed;
    return box.text;
  }

  void ExpectQuitQuestion(const char* text, int answer) {
    ui::MessageBox box = ui::WaitForMessageBoxBesides(program.id, frame, WindowWait);
    ASSERT_TRUE(box) << "no question";
    EXPECT_EQ(text, box.text);
    EXPECT_TRUE(ui::HasButton(box.window, IDYES) && ui::HasButton(box.window, IDNO));
    EXPECT_TRUE(ui::AnswerBox(box, answer));
  }

  std::string folder;
  ui::Program program;
  HWND frame = nullptr;
};

// Each start of the shipped stub costs seconds where 32-bit programs are
// emulated: one run checks as much of its pages as it can.
TEST_F(Pages, DestinationShowsSpaceAndChecksGiveTheirMessageAndStayOnThePage) {
  // Drive P: is the kernel's process table (set up for these tests): it
  // exists and has no free space at all.
  installers::Wizard wizard = Script({6, 9});
  // One byte past 3 Mb needs one more Kb.
  wizard.requiredBytes = 3 * 1024 * 1024 + 1;
  ASSERT_NO_FATAL_FAILURE(Run(wizard, "destination.exe"));
  HWND page = Page("Choose Destination Folder");
  EXPECT_EQ("3073 Kb", ui::ControlText(page, 1007));
  EXPECT_EQ("Available free space on disk C:", ui::ControlText(page, 1006));
  std::string cSpace = ui::ControlText(page, 1008);
  EXPECT_NE("0", cSpace);
  // A lower-case drive letter names its drive in upper case; a digit changes nothing.
  ui::Type(page, 1018, "p:\\somewhere");
  EXPECT_EQ("Available free space on disk P:", ui::ControlText(page, 1006));
  EXPECT_EQ("0 Kb", ui::ControlText(page, 1008));
  ui::Type(page, 1018, "7:\\x");
  EXPECT_EQ("Available free space on disk P:", ui::ControlText(page, 1006));
  ui::Type(page, 1018, "c:\\x");
  EXPECT_EQ("Available free space on disk C:", ui::ControlText(page, 1006));
  EXPECT_NE("0 Kb", ui::ControlText(page, 1008));

  for (const char* invalid : {"C:Program", "C:\\Program\\\\Files", "Program Files", "\\\\server", "", "C:/x"})
    EXPECT_EQ("The installation folder is not a valid path.", TryDestination(invalid)) << invalid;
  EXPECT_EQ("The target drive is not exists.", TryDestination("Q:\\Page Check"));
  EXPECT_EQ("It is not enough free space on the target drive.", TryDestination("P:\\Page Check"));

  // A folder whose only permission is reading.
  std::string locked = folder + "\\locked";
  ASSERT_TRUE(CreateDirectoryA(locked.c_str(), nullptr));
  PSID everyone = nullptr;
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
  DWORD acl[64];
  InitializeAcl((ACL*)acl, sizeof acl, ACL_REVISION);
  AddAccessAllowedAce((ACL*)acl, ACL_REVISION, GENERIC_READ | READ_CONTROL | WRITE_DAC, everyone);
  SECURITY_DESCRIPTOR readOnly;
  InitializeSecurityDescriptor(&readOnly, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&readOnly, TRUE, (ACL*)acl, FALSE);
  ASSERT_TRUE(SetFileSecurityA(locked.c_str(), DACL_SECURITY_INFORMATION, &readOnly));
  EXPECT_EQ("Insufficient access rights to create subfolders in a folder '" + locked + "'.",
            TryDestination(locked + "\\Page Check"));
  EXPECT_EQ("Insufficient access rights to create files in the specified folder.", TryDestination(locked));
  SECURITY_DESCRIPTOR open;
  InitializeSecurityDescriptor(&open, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&open, TRUE, nullptr, FALSE);
  SetFileSecurityA(locked.c_str(), DACL_SECURITY_INFORMATION, &open);
  FreeSid(everyone);

  // A folder that does not exist yet below a writable one is taken; the
  // trailing backslash is not kept.
  EXPECT_EQ("", TryDestination(folder + "\\New\\Deeper\\"));
  EXPECT_TRUE(Page("Ready to Install"));
  ui::Click(frame, 1010);
  page = Page("Choose Destination Folder");
  EXPECT_EQ(folder + "\\New\\Deeper", ui::ControlText(page, 1018));
}

TEST_F(Pages, CancelOnEveryPageAsksAndNoStaysAndTheTextsShow) {
  installers::Wizard wizard = Script({0, 1, 2, 3, 6, 8, 9});
  wizard.extra.push_back(corvel::licenceRecord("The licence: use it, share it."));
  wizard.extra.push_back(corvel::readmeRecord("The readme, with a comma, and more."));
  ASSERT_NO_FATAL_FAILURE(Run(wizard, "cancel.exe"));
  const char* titles[] = {"Select Language", "Welcome to the Page Check Setup", "License Agreement",
                          "Readme Information", "Choose Destination Folder", "Select Start Menu Folder",
                          "Ready to Install"};
  for (const char* title : titles) {
    SCOPED_TRACE(title);
    HWND page = Page(title);
    ASSERT_TRUE(page);
    if (title == titles[2]) {
      EXPECT_EQ("RICHEDIT", ui::ClassName(GetDlgItem(page, 1017)));
      EXPECT_EQ("The licence: use it, share it.", ui::ControlText(page, 1017));
    }
    if (title == titles[3]) EXPECT_EQ("The readme, with a comma, and more.", ui::ControlText(page, 1017));
    ui::Click(frame, 1012);
    ExpectQuitQuestion("Setup is not complete. Quit Page Check Setup?", IDNO);
    EXPECT_TRUE(Page(title));
    // The close box is Cancel too.
    PostMessageA(frame, WM_SYSCOMMAND, SC_CLOSE, 0);
    ExpectQuitQuestion("Setup is not complete. Quit Page Check Setup?", title == titles[6] ? IDYES : IDNO);
    if (title != titles[6]) {
      EXPECT_TRUE(Page(title));
      ui::Click(frame, 1011);
    }
  }
  DWORD code = 99;
  EXPECT_TRUE(ui::WaitForExit(program, WindowWait, &code));
  EXPECT_EQ(1u, code) << "nothing was installed";
}

TEST_F(Pages, NoPageAtAllStillClosesOnCancel) {
  ASSERT_NO_FATAL_FAILURE(Run(Script({}), "nopage.exe"));
  EXPECT_EQ("Page Check Setup", ui::Text(frame));
  EXPECT_EQ(nullptr, ui::CurrentPage(frame));
  ui::Click(frame, 1012);
  ExpectQuitQuestion("Setup is not complete. Quit Page Check Setup?", IDYES);
  EXPECT_TRUE(ui::WaitForExit(program, WindowWait));
}

COLORREF ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  COLORREF colour = GetPixel(screen, x, y);
  ReleaseDC(nullptr, screen);
  return colour;
}

TEST_F(Pages, BackdropShowsGradientAndTextsAndTheLanguageSwitchesEveryTextAtOnce) {
  installers::Wizard wizard = Script({0, 1});
  wizard.german = true;
  wizard.options1 = corvel::kProductCaptionBar;
  wizard.extra.push_back(corvel::gradientRecord(0x000080, 0x00C0FF));
  wizard.extra.push_back(corvel::backgroundTextRecord("\"%ShortcutsGroup%, the product\",left,top,24,20,Arial,28,"
                                                      "0,7,0,0,0xFFFFFF,3,0x000000"));
  wizard.extra.push_back(corvel::backgroundTextRecord("\"Bottom right corner\",RIGHT,BOTTOM,20,16,,14,0,0,0,1,"
                                                      "0xFFFFFF"));
  wizard.extra.push_back(corvel::backgroundTextRecord("\"Second line\",left,top,24,4,,16,0,0,1,0,0xFFFF00"));
  // Only the first two are drawn.
  wizard.extra.push_back(corvel::backgroundTextRecord("\"Never drawn\",left,top,0,0"));
  ASSERT_NO_FATAL_FAILURE(Run(wizard, "language.exe"));
  HWND backdrop = ui::WaitForWindow(program.id, "CorvelsetupBGWindow", WindowWait);
  ASSERT_TRUE(backdrop);
  HWND page = Page("Select Language");
  EXPECT_EQ("Page Check Setup", ui::Text(backdrop));
  EXPECT_FALSE(GetWindowLongA(frame, GWL_STYLE) & WS_MINIMIZEBOX) << "the backdrop minimizes for both";
  EXPECT_EQ(backdrop, GetWindow(frame, GW_OWNER));
  // The bands run from the start colour at the top to the end colour at the
  // bottom, once a loaded machine has come to paint them.
  RECT client;
  GetClientRect(backdrop, &client);
  POINT top = {client.right - 5, 2}, bottom = {client.right - 5, client.bottom - 2};
  ClientToScreen(backdrop, &top);
  ClientToScreen(backdrop, &bottom);
  ui::WaitWhileWorking([&] {
    return ScreenPixel(top.x, top.y) == RGB(0, 0, 0x80) && ScreenPixel(bottom.x, bottom.y) == RGB(0, 0xC0, 0xFF);
  }, WindowWait, "the backdrop's bands");
  EXPECT_TRUE(ui::Screenshot(ui::ScreenshotPath("backdrop")));
  EXPECT_EQ(RGB(0, 0, 0x80), ScreenPixel(top.x, top.y));
  EXPECT_EQ(RGB(0, 0xC0, 0xFF), ScreenPixel(bottom.x, bottom.y));
  // Closing the backdrop is the wizard's Cancel; No keeps both.
  PostMessageA(backdrop, WM_SYSCOMMAND, SC_CLOSE, 0);
  ExpectQuitQuestion("Setup is not complete. Quit Page Check Setup?", IDNO);
  EXPECT_TRUE(IsWindow(backdrop) && IsWindowVisible(backdrop));
  EXPECT_EQ(page, Page("Select Language"));

  std::vector<std::string> names = ui::ComboEntries(page, 1021);
  ASSERT_EQ(2u, names.size());
  EXPECT_NE(names.end(), std::find(names.begin(), names.end(), "German"));
  EXPECT_EQ("English", names[ui::ComboSelection(page, 1021)]);
  ASSERT_TRUE(ui::PickComboEntry(page, 1021, "German"));
  EXPECT_EQ("DE: Sprache waehlen", ui::ControlText(page, 1001));
  EXPECT_EQ("DE: Bitte waehlen Sie die Sprache.", ui::ControlText(page, 1002));
  EXPECT_EQ("&Sprache:", ui::ControlText(page, 1003));
  EXPECT_EQ("DE: Page Check Setup", ui::Text(frame));
  EXPECT_EQ("DE: Page Check Setup", ui::Text(backdrop));
  EXPECT_EQ("&Weiter >", ui::ControlText(frame, 1011));
  EXPECT_EQ("Abbrechen", ui::ControlText(frame, 1012));
  EXPECT_EQ(page, ui::CurrentPage(frame)) << "the page was left";
  ui::Click(frame, 1011);
  page = Page("DE: Willkommen");
  EXPECT_EQ("< &Zurueck", ui::ControlText(frame, 1010));
  ui::Click(frame, 1012);
  ExpectQuitQuestion("DE: Setup abbrechen?", IDNO);
  // Back on the language page, German is still the choice.
  ui::Click(frame, 1010);
  page = Page("DE: Sprache waehlen");
  EXPECT_EQ("German", ui::ComboEntries(page, 1021)[ui::ComboSelection(page, 1021)]);
  PostMessageA(backdrop, WM_SYSCOMMAND, SC_CLOSE, 0);
  ExpectQuitQuestion("DE: Setup abbrechen?", IDYES);
  EXPECT_TRUE(ui::WaitForExit(program, WindowWait));
}

class StartMenu : public Pages, public testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    Pages::SetUp();
    char common[MAX_PATH], user[MAX_PATH];
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, common, CSIDL_COMMON_PROGRAMS, TRUE));
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, user, CSIDL_PROGRAMS, TRUE));
    for (std::string path : {std::string(common) + "\\Corvel Both", std::string(user) + "\\Corvel Both",
                             std::string(common) + "\\Corvel Common", std::string(user) + "\\CORVEL USER",
                             std::string(user) + "\\page check"}) {
      CreateDirectoryA(path.c_str(), nullptr);
      made.push_back(path);
    }
  }
  void TearDown() override {
    for (const std::string& path : made) RemoveDirectoryA(path.c_str());
    Pages::TearDown();
  }
  std::vector<std::string> made;
};

TEST_P(StartMenu, ListsBothProgramFoldersOnceWithTheGroupFirst) {
  bool compact = GetParam();
  installers::Wizard wizard = Script({8, 9});
  wizard.options2 = (compact ? corvel::kProductCompactDialogs : 0) | corvel::kProductGroupOption;
  wizard.extra.push_back(corvel::shortcutRecord("<Programs>\\%ShortcutsGroup%\\Page Check.lnk,%InstallPath%\\readme.txt"));
  // All users have a Programs folder of their own from NT on.
  std::string name = compact ? "menu-compact.exe" : "menu-standard.exe";
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, ("Software\\Wine\\AppDefaults\\" + name).c_str(), 0,
                                           nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr));
  RegSetValueExA(key, "Version", 0, REG_SZ, (const BYTE*)"winxp", 6);
  RegCloseKey(key);
  ASSERT_NO_FATAL_FAILURE(Run(wizard, name));
  HWND page = Page("Select Start Menu Folder");
  int list = compact ? 1021 : 1019;
  std::vector<std::string> entries = compact ? ui::ComboEntries(page, list) : ui::ListEntries(page, list);
  for (const char* name : {"Corvel Both", "Corvel Common", "CORVEL USER"})
    EXPECT_EQ(1, std::count(entries.begin(), entries.end(), name)) << name;
  EXPECT_EQ(0, std::count(entries.begin(), entries.end(), "page check"));
  EXPECT_EQ(1, std::count(entries.begin(), entries.end(), "Page Check"));
  if (compact) EXPECT_EQ("Page Check", entries.front());
  else EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end(), [](const std::string& a, const std::string& b) {
         return lstrcmpiA(a.c_str(), b.c_str()) < 0;
       }));
  // Offered and wanted: the group box is on, the others stay off and disabled.
  EXPECT_TRUE(ui::IsChecked(page, 1003));
  EXPECT_TRUE(ui::IsEnabled(page, 1003));
  EXPECT_FALSE(ui::IsEnabled(page, 1004));
  EXPECT_FALSE(ui::IsEnabled(page, 1005));
  int field = compact ? 1021 : 1018;
  EXPECT_EQ("Page Check", ui::ControlText(page, field));
  if (!compact) {
    ASSERT_TRUE(ui::PickListEntry(page, 1019, "Corvel Common"));
    EXPECT_EQ("Corvel Common", ui::ControlText(page, 1018));
  }
  // Clearing the group box disables the name and the list.
  ui::SetChecked(page, 1003, false);
  EXPECT_FALSE(ui::IsEnabled(page, field));
  if (!compact) EXPECT_FALSE(ui::IsEnabled(page, 1019));
  ui::SetChecked(page, 1003, true);
  EXPECT_TRUE(ui::IsEnabled(page, field));
  // The chosen name is kept when the page is left and shown again.
  if (compact) ui::Type(page, 1021, "Typed Group");
  ui::Click(frame, 1011);
  ASSERT_TRUE(Page("Ready to Install"));
  ui::Click(frame, 1010);
  page = Page("Select Start Menu Folder");
  EXPECT_EQ(compact ? "Typed Group" : "Corvel Common", ui::ControlText(page, field));
}

INSTANTIATE_TEST_SUITE_P(DialogSets, StartMenu, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) { return info.param ? "Compact" : "Standard"; });

TEST_F(Pages, FinishOffersLaunchFilesOrTheRestart) {
  // Two launch files: both boxes, checked, in their own places. The finish
  // page follows the installation, which only the installing page starts.
  installers::Wizard wizard = Script({10, 11});
  wizard.launchFile1 = "%InstallPath%\\readme.txt";
  wizard.launchFile2 = "%InstallPath%\\notes.txt";
  ASSERT_NO_FATAL_FAILURE(Run(wizard, "finish-launch.exe"));
  HWND page = Page("Setup Complete");
  EXPECT_TRUE(ui::IsShown(page, 1004) && ui::IsChecked(page, 1004));
  EXPECT_TRUE(ui::IsShown(page, 1005) && ui::IsChecked(page, 1005));
  EXPECT_EQ("&Start Page Check now", ui::ControlText(page, 1004));
  EXPECT_EQ("&View the Readme file", ui::ControlText(page, 1005));
  EXPECT_FALSE(ui::IsShown(page, 1006));
  EXPECT_FALSE(ui::IsShown(page, 1007)) << "no errors happened";
  EXPECT_FALSE(ui::IsShown(frame, 1011));
  EXPECT_FALSE(ui::IsShown(frame, 1010));
  // IDOK does nothing here.
  PostMessageA(frame, WM_COMMAND, IDOK, 0);
  Sleep(300);
  EXPECT_EQ(page, ui::CurrentPage(frame));
  ui::Click(frame, 1012);
  EXPECT_TRUE(ui::WaitForExit(program, WindowWait));
  ui::Finish(program);

  // The script asks for a restart: the restart box instead, and declining it
  // brings the reminder after the wizard.
  wizard.options2 = corvel::kProductReboot;
  ASSERT_NO_FATAL_FAILURE(Run(wizard, "finish-restart.exe"));
  page = Page("Setup Complete");
  EXPECT_TRUE(ui::IsShown(page, 1006) && ui::IsChecked(page, 1006));
  EXPECT_TRUE(ui::IsShown(page, 1008));
  EXPECT_FALSE(ui::IsShown(page, 1004));
  EXPECT_FALSE(ui::IsShown(page, 1005));
  EXPECT_EQ("To complete the installation of Page Check, Setup must restart your computer.",
            ui::ControlText(page, 1003));
  ui::SetChecked(page, 1006, false);
  ui::Click(frame, 1012);
  ui::MessageBox box = ui::WaitForMessageBoxBesides(program.id, frame, WindowWait);
  ASSERT_TRUE(box);
  EXPECT_EQ("You must restart your computer before you can use Page Check.", box.text);
  ui::Click(box.window, IDOK);
  EXPECT_TRUE(ui::WaitForExit(program, WindowWait));
}

TEST_F(Pages, OneLaunchFileTakesTheUpperPlace) {
  installers::Wizard wizard = Script({10, 11});
  wizard.launchFile1 = "%InstallPath%\\readme.txt";
  ASSERT_NO_FATAL_FAILURE(Run(wizard, "finish-one.exe"));
  HWND page = Page("Setup Complete");
  EXPECT_TRUE(ui::IsShown(page, 1004));
  EXPECT_FALSE(ui::IsShown(page, 1005));
  RECT box, upper;
  GetWindowRect(GetDlgItem(page, 1004), &box);
  GetWindowRect(GetDlgItem(page, 1005), &upper);
  EXPECT_EQ(upper.top, box.top);
  EXPECT_EQ(upper.left, box.left);
}

TEST_F(Pages, OnlyTheInstallingPageInstallsAndCloses) {
  // The installation starts at once and, when the worker posts Next,
  // without a finish page the run ends: no question, no message. The
  // actions of leaving the installing and the finish page still run, in
  // their order, after the wizard.
  std::string record = folder + "\\stages.txt", recorder = recording::SupportPath("recorder.exe");
  SetEnvironmentVariableA("CORVEL_RECORD_FILE", record.c_str());
  installers::Wizard wizard = Script({10});
  wizard.extra.push_back(corvel::programRecord(recorder + ",after-finish," + folder + ",12"));
  wizard.extra.push_back(corvel::programRecord(recorder + ",after-installing," + folder + ",11"));
  ASSERT_NO_FATAL_FAILURE(Run(wizard, "installing-only.exe", false));
  DWORD code = 99;
  bool ended = ui::WaitForExit(program, WindowWait, &code);
  SetEnvironmentVariableA("CORVEL_RECORD_FILE", nullptr);
  EXPECT_TRUE(ended);
  EXPECT_EQ(0u, code);
  if (!ended) EXPECT_EQ("", ui::WaitForMessageBox(program.id, 1000).text);
  EXPECT_EQ(std::vector<std::uint8_t>(5000, 'x'), files::Read(folder + "\\Page Check\\readme.txt"));
  EXPECT_EQ(recording::Lines(record),
            (std::vector<std::string>{"after-installing|" + folder, "after-finish|" + folder}));
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
