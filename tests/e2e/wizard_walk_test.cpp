// Both dialog sets walked page by page, forward and back, with the texts and
// buttons of each page, with and without the backdrop; what the Start Menu
// and finish pages' boxes decide; a screenshot of every page for the eye.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <tuple>

#include "installer.h"
#include "support/files.h"
#include "support/installers.h"
#include "support/recording.h"
#include "support/ui_driver.h"

namespace {

const DWORD WindowWait = 60000;

struct Step {
  int slot;
  const char* title;
  const char* shot;
};

// The pages that have templates, in slot order, with their English titles.
const Step Steps[] = {{0, "Select Language", "language"},   {1, "Welcome to the Walk Check Setup", "welcome"},
                      {2, "License Agreement", "licence"},  {3, "Readme Information", "readme"},
                      {6, "Choose Destination Folder", "destination"},
                      {8, "Select Start Menu Folder", "startmenu"},
                      {9, "Ready to Install", "ready"},     {10, "Installing", "installing"},
                      {11, "Setup Complete", "finish"}};

// Enough files that the installing page stays long enough to be seen.
const int FileCount = 300;

std::string SpecialFolder(int id) {
  char path[MAX_PATH] = "";
  SHGetSpecialFolderPathA(nullptr, path, id, TRUE);
  return path;
}

class Walk : public testing::TestWithParam<std::tuple<bool, bool>> {
 protected:
  void SetUp() override {
    folder = files::MakeTemporaryFolder("walk");
    ASSERT_FALSE(folder.empty());
    record = folder + "\\launched.txt";
    SetEnvironmentVariableA("CORVEL_RECORD_FILE", record.c_str());
    groupLink = SpecialFolder(CSIDL_PROGRAMS) + "\\Walk Check\\Walk Check.lnk";
    desktopLink = SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "\\Walk Check.lnk";
    RemoveLinks();
  }
  void TearDown() override {
    ui::Finish(program);
    SetEnvironmentVariableA("CORVEL_RECORD_FILE", nullptr);
    RemoveLinks();
    files::RemoveTree(folder);
  }

  void RemoveLinks() {
    DeleteFileA(groupLink.c_str());
    RemoveDirectoryA(groupLink.substr(0, groupLink.rfind('\\')).c_str());
    DeleteFileA(desktopLink.c_str());
  }

  bool Compact() const { return std::get<0>(GetParam()); }
  bool Backdrop() const { return std::get<1>(GetParam()); }

  installers::Wizard Script(const std::array<std::uint8_t, 12>& pages) {
    installers::Wizard wizard;
    wizard.product = "Walk Check";
    wizard.pages = pages;
    wizard.options2 = (Compact() ? corvel::kProductCompactDialogs : 0) | corvel::kProductGroupOption |
                      corvel::kProductDesktopOption;
    wizard.german = true;
    // The launch file records that it was opened.
    wizard.launchFile1 = recording::SupportPath("recorder.exe");
    if (Backdrop()) {
      wizard.options1 = corvel::kProductCaptionBar;
      wizard.extra.push_back(corvel::gradientRecord(0x000080, 0x00C0FF));
    }
    corvel::Group files;
    files.folder = "%InstallPath%";
    files.entries.push_back(corvel::fileEntry("readme.txt", 0, std::vector<std::uint8_t>(5000, 'x'), true));
    for (int index = 0; index < FileCount; index++)
      files.entries.push_back(
          corvel::fileEntry("file" + std::to_string(index) + ".txt", 0, std::vector<std::uint8_t>(500, 'f'), true));
    wizard.groups = {files};
    wizard.extra.insert(wizard.extra.end(), {corvel::variableRecord("%InstallPath%", folder + "\\Walk Check"),
                    corvel::variableRecord("%ShortcutsGroup%", "Walk Check"),
                    corvel::licenceRecord("Licence terms of the walk check.\r\nSecond line of the terms."),
                    corvel::readmeRecord("Read me first: the walk check has no features."),
                    corvel::shortcutRecord("<Programs>\\%ShortcutsGroup%\\Walk Check.lnk,%InstallPath%\\readme.txt"),
                    corvel::shortcutRecord("<Desktop>\\Walk Check.lnk,%InstallPath%\\readme.txt")});
    return wizard;
  }

  void Run(const installers::Wizard& wizard, const std::string& name) {
    program = installers::StartWizard(wizard, folder, name);
    ASSERT_TRUE(program.process);
    frame = ui::WaitForWizard(program.id, WindowWait);
    ASSERT_TRUE(frame) << "no wizard appeared";
  }

  // The page shown must be this step's, with the band's buttons as its slot
  // wants them.
  void ExpectStep(const Step& step, bool first) {
    SCOPED_TRACE(step.title);
    // The compact welcome page has room for the short title, text 7.
    std::string title = step.slot == 1 && Compact() ? "Welcome to Walk Check" : step.title;
    HWND page = ui::WaitForPage(frame, title, WindowWait);
    ASSERT_TRUE(page) << "shown instead: " << ui::ControlText(ui::CurrentPage(frame), 1001);
    EXPECT_EQ("Walk Check Setup", ui::Text(frame));
    bool late = step.slot >= 10;
    EXPECT_EQ(!first && !late, ui::IsShown(frame, 1010));
    EXPECT_EQ(!late, ui::IsShown(frame, 1011));
    if (!first && !late) EXPECT_EQ("< &Back", ui::ControlText(frame, 1010));
    const char* next = step.slot == 2 ? "&Yes" : step.slot == 9 ? "&Install" : "&Next >";
    if (!late) EXPECT_EQ(next, ui::ControlText(frame, 1011));
    const char* cancel = step.slot == 2 ? "&No" : step.slot == 11 ? "&Finish" : "Cancel";
    EXPECT_EQ(cancel, ui::ControlText(frame, 1012));
    if (step.slot == 6) EXPECT_EQ("B&rowse...", ui::ControlText(page, 1013));
  }

  void Shoot(const Step& step) {
    Sleep(300);
    std::string name = shotPrefix + (Compact() ? "compact-" : "standard-") + (Backdrop() ? "backdrop-" : "") + step.shot;
    EXPECT_TRUE(ui::Screenshot(ui::ScreenshotPath(name))) << name;
  }

  std::string Name(const char* kind) const {
    return std::string(kind) + (Compact() ? "-compact" : "-standard") + (Backdrop() ? "-backdrop" : "") + ".exe";
  }

  void WalkEveryPage();

  std::string folder, record, groupLink, desktopLink, shotPrefix;
  ui::Program program;
  HWND frame = nullptr;
};

void Walk::WalkEveryPage() {
  std::array<std::uint8_t, 12> pages{};
  for (const Step& step : Steps) pages[step.slot] = 1;
  ASSERT_NO_FATAL_FAILURE(Run(Script(pages), Name("walk")));
  // Each dialog set clears another of the Start Menu page's boxes, and the
  // compact one the finish page's launch box.
  const bool group = !Compact(), desktop = Compact(), launch = !Compact();
  const int count = sizeof Steps / sizeof Steps[0];
  for (int i = 0; i < count - 1; i++) {
    ExpectStep(Steps[i], i == 0);
    Shoot(Steps[i]);
    if (Steps[i].slot == 8) {
      HWND page = ui::CurrentPage(frame);
      EXPECT_TRUE(ui::IsChecked(page, 1003) && ui::IsChecked(page, 1004)) << "both offered shortcuts start on";
      ui::SetChecked(page, 1003, group);
      ui::SetChecked(page, 1004, desktop);
    }
    // The installing page moves on by itself.
    if (Steps[i].slot != 10) ui::Click(frame, 1011);
    if (Steps[i].slot == 6) {
      // The folder does not exist yet; its parent does and is writable.
      ui::MessageBox box = ui::WaitForMessageBoxBesides(program.id, frame, 1000);
      EXPECT_FALSE(box) << box.text;
      if (box) ui::Click(box.window, IDOK);
    }
  }
  ExpectStep(Steps[count - 1], false);
  Shoot(Steps[count - 1]);
  HWND page = ui::CurrentPage(frame);
  EXPECT_TRUE(ui::IsChecked(page, 1004)) << "the launch box starts on";
  ui::SetChecked(page, 1004, launch);
  // The finish page's button closes without a question.
  ui::Click(frame, 1012);
  DWORD code = 99;
  ui::MessageBox box = ui::WaitForMessageBoxBesides(program.id, frame, 1000);
  EXPECT_FALSE(box) << box.text;
  EXPECT_TRUE(ui::WaitForExit(program, WindowWait, &code));
  EXPECT_EQ(0u, code);

  std::vector<std::uint8_t> readme = files::Read(folder + "\\Walk Check\\readme.txt");
  EXPECT_EQ(std::vector<std::uint8_t>(5000, 'x'), readme) << "the file was not installed";
  EXPECT_TRUE(files::Exists(folder + "\\Walk Check\\file" + std::to_string(FileCount - 1) + ".txt"));
  EXPECT_EQ(group, files::Exists(groupLink)) << groupLink;
  EXPECT_EQ(desktop, files::Exists(desktopLink)) << desktopLink;
  // The launch file is opened after the wizard, without waiting for it.
  if (launch) {
    ui::WaitWhileWorking([&] { return !recording::Lines(record).empty(); }, WindowWait, "the opened file's program");
    EXPECT_EQ(1u, recording::Lines(record).size());
  } else {
    Sleep(1000);
    EXPECT_TRUE(recording::Lines(record).empty()) << "opened although its box was cleared";
  }
}

TEST_P(Walk, EveryPageForwardThenBackThenToTheEnd) { WalkEveryPage(); }

TEST_P(Walk, BackReturnsPageByPageAndSkipsDisabledOnes) {
  // Welcome, readme, Start Menu and ready only.
  std::array<std::uint8_t, 12> pages{};
  const int shown[] = {1, 3, 8, 9};
  for (int slot : shown) pages[slot] = 1;
  ASSERT_NO_FATAL_FAILURE(Run(Script(pages), Name("back")));
  std::vector<const Step*> steps;
  for (const Step& step : Steps)
    for (int slot : shown)
      if (step.slot == slot) steps.push_back(&step);
  for (std::size_t i = 0; i < steps.size(); i++) {
    ExpectStep(*steps[i], i == 0);
    if (i + 1 < steps.size()) ui::Click(frame, 1011);
  }
  for (std::size_t i = steps.size() - 1; i > 0; i--) {
    ui::Click(frame, 1010);
    ExpectStep(*steps[i - 1], i - 1 == 0);
  }
  // Back has nowhere to go from the first page and is hidden there again.
  EXPECT_FALSE(ui::IsShown(frame, 1010));
  ui::Click(frame, 1011);
  ExpectStep(*steps[1], false);
  ui::Click(frame, 1012);
  ui::MessageBox box = ui::WaitForMessageBoxBesides(program.id, frame, WindowWait);
  ASSERT_TRUE(box);
  EXPECT_EQ("Setup is not complete. Quit Walk Check Setup?", box.text);
  ui::AnswerBox(box, IDYES);
  EXPECT_TRUE(ui::WaitForExit(program, WindowWait));
}

INSTANTIATE_TEST_SUITE_P(DialogSets, Walk, testing::Combine(testing::Bool(), testing::Bool()),
                         [](const testing::TestParamInfo<std::tuple<bool, bool>>& info) {
                           return std::string(std::get<0>(info.param) ? "Compact" : "Standard") +
                                  (std::get<1>(info.param) ? "WithBackdrop" : "");
                         });

// The walk once more with Wine's screen at the DPI that CORVEL_WALK_DPI
// names: every Wine program started meanwhile would see it too, so it runs
// on its own (a test entry of its own, run alone). The setting is restored.
class HighDpiWalk : public Walk {
 protected:
  void SetUp() override {
    const char* dpi = getenv("CORVEL_WALK_DPI");
    if (!dpi) GTEST_SKIP() << "CORVEL_WALK_DPI names no DPI";
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0,
                                             KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &desktop, nullptr));
    DWORD size = sizeof saved;
    hadSaved = RegQueryValueExA(desktop, "LogPixels", nullptr, nullptr, (BYTE*)&saved, &size) == ERROR_SUCCESS;
    DWORD value = atoi(dpi);
    RegSetValueExA(desktop, "LogPixels", 0, REG_DWORD, (const BYTE*)&value, sizeof value);
    shotPrefix = std::string("dpi") + dpi + "-";
    Walk::SetUp();
  }
  void TearDown() override {
    if (!desktop) return;
    Walk::TearDown();
    if (hadSaved) RegSetValueExA(desktop, "LogPixels", 0, REG_DWORD, (const BYTE*)&saved, sizeof saved);
    else RegDeleteValueA(desktop, "LogPixels");
    RegCloseKey(desktop);
  }

  HKEY desktop = nullptr;
  DWORD saved = 0;
  bool hadSaved = false;
};

TEST_P(HighDpiWalk, EveryPage) { WalkEveryPage(); }

INSTANTIATE_TEST_SUITE_P(Standard, HighDpiWalk, testing::Values(std::make_tuple(false, false)));

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
