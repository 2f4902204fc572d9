// Every example as the builder makes it, installed page by page to the
// finish page and removed through its uninstall entry: the example's own
// files appear in the folder it names and go again, and so does everything
// the install log lists.
#include <gtest/gtest.h>

#include <algorithm>

#include "demo/walk.h"
#include "installer.h"
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
  bool isSigned = false;                // signed after the build (the full example)
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
     4, 5, 1, "winxp", true},
};

class Examples_ : public testing::TestWithParam<Example> {};

std::string Folder(const std::string& path) { return path.substr(0, path.rfind('\\')); }

TEST_P(Examples_, InstallsEveryPageThenUninstallsWithoutTrace) {
  const Example& example = GetParam();
  std::string installer = files::FromEnvironmentPath("CORVEL_EXAMPLES") + "\\" + example.name + "-setup.exe";
  ASSERT_TRUE(files::Exists(installer)) << installer << " was not built";
  std::vector<std::uint8_t> bytes = files::Read(installer);
  EXPECT_EQ(corvel::findSignature(bytes.data(), bytes.size()).has_value(), example.isSigned);
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
  // The list of programs shows the uninstaller's icon, the installer's own;
  // the uninstaller carries no signature, since it has no certificate table.
  std::string uninstaller = walk::UninstallEntryValue(example.product, "DisplayIcon");
  EXPECT_EQ("\"" + uninstaller + "\"", walk::UninstallEntryValue(example.product, "UninstallString"));
  bytes = files::Read(uninstaller);
  ASSERT_FALSE(bytes.empty());
  DWORD pe = *(const DWORD*)&bytes[0x3C];
  ASSERT_LT(pe + 160, bytes.size());
  for (int i = 0; i < 8; i++) EXPECT_EQ(bytes[pe + 152 + i], 0) << "security directory byte " << i;
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

// The multilingual example once per locale: Wine takes the ANSI code page
// from LANG, which the CTest entry e2e.languages_<locale> sets. The installer
// starts in the locale's language and offers only the languages whose texts
// that code page shows; English, plain ASCII, fits every one.
struct LanguageWalk {
  const char* locale;
  UINT codePage;
  std::vector<std::string> offered;     // sorted
  std::vector<std::string> titles;      // language, welcome and destination pages, UTF-8
};

const LanguageWalk LanguageWalks[] = {
    {"pl_PL", 1250, {"Czech", "English", "Polish"},
     {"Wybór języka", "Witamy w instalatorze Atlas Notes", "Wybór folderu docelowego"}},
    {"ru_RU", 1251, {"Bulgarian", "English", "Russian", "Ukrainian"},
     {"Выбор языка", "Вас приветствует программа установки Atlas Notes", "Выбор папки установки"}},
    {"de_DE", 1252, {"English", "French", "German", "Spanish", "Swedish"},
     {"Sprache auswählen", "Willkommen beim Setup von Atlas Notes", "Zielordner wählen"}},
    {"sv_SE", 1252, {"English", "French", "German", "Spanish", "Swedish"},
     {"Välj språk", "Välkommen till installationen av Atlas Notes", "Välj målmapp"}},
    {"el_GR", 1253, {"English", "Greek"},
     {"Επιλογή γλώσσας", "Καλώς ορίσατε στην εγκατάσταση του Atlas Notes", "Επιλογή φακέλου προορισμού"}},
    {"tr_TR", 1254, {"English", "Turkish"}, {"Dil Seçimi", "Atlas Notes Kurulumuna Hoş Geldiniz", "Hedef Klasörü Seçin"}},
};

class Languages_ : public testing::TestWithParam<LanguageWalk> {};

std::string Utf8(const std::string& ansi) {
  std::wstring wide(ansi.size() + 1, L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, ansi.c_str(), (int)ansi.size(), &wide[0], (int)wide.size()));
  std::string utf8(wide.size() * 3 + 1, '\0');
  utf8.resize(WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), (int)wide.size(), &utf8[0], (int)utf8.size(), 0, 0));
  return utf8;
}

TEST_P(Languages_, StartsInTheLocalesLanguageAndOffersWhatItsCodePageShows) {
  const LanguageWalk& walk = GetParam();
  char wanted[16] = "";
  GetEnvironmentVariableA("CORVEL_LANGUAGE_WALK", wanted, sizeof wanted);
  if (walk.locale != std::string(wanted)) GTEST_SKIP() << "runs as e2e.languages_" << walk.locale;
  ASSERT_EQ(walk.codePage, GetACP()) << "LANG=" << walk.locale << ".UTF-8 needs the locale (scripts/setup makes it)";
  std::string installer = files::FromEnvironmentPath("CORVEL_EXAMPLES") + "\\multilingual-setup.exe";
  ui::DrawOwnFrames("multilingual-setup.exe");
  walk::Options options;
  std::string folder = ui::ScreenshotPath("languages-" + std::string(walk.locale));
  options.screenshots = folder.substr(0, folder.size() - 4);
  CreateDirectoryA(Folder(options.screenshots).c_str(), nullptr);
  CreateDirectoryA(options.screenshots.c_str(), nullptr);
  walk::Installation run;
  bool installed = walk::Install(installer, "Atlas Notes 3.1", options, run);
  for (const std::string& problem : run.problems) ADD_FAILURE() << problem;
  ASSERT_TRUE(installed);
  std::vector<std::string> offered;
  for (const std::string& entry : run.languages) offered.push_back(Utf8(entry));
  std::sort(offered.begin(), offered.end());
  EXPECT_EQ(walk.offered, offered);
  ASSERT_GE(run.pages.size(), walk.titles.size());
  for (std::size_t i = 0; i < walk.titles.size(); i++) EXPECT_EQ(walk.titles[i], Utf8(run.pages[i]));
  run.problems.clear();
  EXPECT_TRUE(walk::Uninstall(run, "Atlas Notes 3.1", options));
  EXPECT_TRUE(walk::CheckRemoved(run, "Atlas Notes 3.1"));
  for (const std::string& problem : run.problems) ADD_FAILURE() << problem;
}

INSTANTIATE_TEST_SUITE_P(Locale, Languages_, testing::ValuesIn(LanguageWalks),
                         [](const testing::TestParamInfo<LanguageWalk>& info) { return std::string(info.param.locale); });

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
