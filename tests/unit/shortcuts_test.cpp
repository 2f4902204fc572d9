// The shortcut phase: links made through the shell's link object and read
// back through it, the three kind switches, logging of new, existing and
// shared links, and the question when a link cannot be saved.
#include <shlobj.h>
#include "engine/registry.h"
#include "engine/shortcuts.h"
#include "engine/system.h"
#include "engine_fixture.h"
#include "saved_registry.h"

namespace {

const char SharedDlls[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

struct LinkFields {
  std::string target, arguments, folder, icon;
  int iconIndex = -1, show = -1;
  WORD hotkey = 0xFFFF;
};

LinkFields ReadLink(const std::string& path) {
  LinkFields read;
  IShellLinkA* link = nullptr;
  IPersistFile* file = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, (void**)&link)))
    return read;
  WCHAR wide[MAX_PATH];
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, (void**)&file)) && SUCCEEDED(file->Load(wide, STGM_READ))) {
    char text[MAX_PATH] = "";
    link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
    read.target = text;
    link->GetArguments(text, MAX_PATH);
    read.arguments = text;
    link->GetWorkingDirectory(text, MAX_PATH);
    read.folder = text;
    link->GetIconLocation(text, MAX_PATH, &read.iconIndex);
    read.icon = text;
    // Wine's link object does not load the show command back: it is read
    // from the file's header, where the format keeps it at byte 60.
    std::vector<std::uint8_t> bytes = files::Read(path);
    if (bytes.size() >= 64) read.show = bytes[60] | bytes[61] << 8 | bytes[62] << 16 | bytes[63] << 24;
    link->GetHotkey(&read.hotkey);
  }
  if (file) file->Release();
  link->Release();
  return read;
}

class Shortcuts : public EngineTest {
 protected:
  std::string target;
  void SetUp() override {
    EngineTest::SetUp();
    CoInitialize(nullptr);
    target = folder + "\\App.exe";
    files::Write(target, {'M', 'Z'});
    Model.createProgramGroup = Model.desktopShortcuts = Model.quickLaunchShortcuts = true;
  }
  void TearDown() override {
    EngineTest::TearDown();
    CoUninitialize();
  }
  bool Apply(const std::string& record) { return ApplyShortcutRecord(record.c_str(), nullptr, fields); }
};

TEST_F(Shortcuts, EveryFieldReadsBackFromTheLink) {
  std::string link = folder + "\\Menu\\Group\\App.lnk";
  ASSERT_TRUE(Apply(link + "," + target + ",-window big," + folder + "\\Work\\," + folder +
                    "\\App.ico,3,7,0x0641"));
  LinkFields read = ReadLink(link);
  EXPECT_EQ(read.target, target);
  EXPECT_EQ(read.arguments, "-window big");
  EXPECT_EQ(read.folder, folder + "\\Work");
  EXPECT_EQ(read.icon, folder + "\\App.ico");
  EXPECT_EQ(read.iconIndex, 3);
  EXPECT_EQ(read.show, SW_SHOWMINNOACTIVE);
  EXPECT_EQ(read.hotkey, 0x0641);
  EXPECT_TRUE(InstallSucceeded);
  EXPECT_TRUE(Holds(Written(), "h," + link));
}

TEST_F(Shortcuts, TwoFieldRecordTakesTheInstallFolderAndNormalWindow) {
  std::string link = folder + "\\Plain.lnk";
  ASSERT_TRUE(Apply(link + "," + target));
  LinkFields read = ReadLink(link);
  EXPECT_EQ(read.target, target);
  EXPECT_EQ(read.arguments, "");
  EXPECT_EQ(read.folder, folder);
  EXPECT_EQ(read.show, SW_SHOWNORMAL);
  EXPECT_EQ(read.hotkey, 0);
}

TEST_F(Shortcuts, ClearedSwitchesSkipTheirKindsInAnyLetterCase) {
  SetVariable("%ShortcutsGroup%", (folder + "\\Group").c_str());
  Model.desktopShortcuts = Model.createProgramGroup = Model.quickLaunchShortcuts = false;
  EXPECT_TRUE(Apply("<CommonDesktop>\\App.lnk," + target));
  EXPECT_TRUE(Apply("<quicklaunch>\\App.lnk," + target));
  EXPECT_TRUE(Apply("%SHORTCUTSGROUP%\\App.lnk," + target));
  EXPECT_FALSE(files::Exists(folder + "\\Group\\App.lnk"));
  EXPECT_TRUE(Recorded().empty());
  // A link of no kind is always made.
  EXPECT_TRUE(Apply(folder + "\\Free.lnk," + target));
  EXPECT_TRUE(files::Exists(folder + "\\Free.lnk"));

  // The variable of the group matches in any letter case, once the switch is on.
  Model.createProgramGroup = true;
  EXPECT_TRUE(Apply("%SHORTCUTSGROUP%\\App.lnk," + target));
  EXPECT_EQ(ReadLink(folder + "\\Group\\App.lnk").target, target);
}

TEST_F(Shortcuts, ExistingLinkIsOverwrittenAndKeptByARollback) {
  std::string link = folder + "\\App.lnk";
  ASSERT_TRUE(Apply(link + "," + target + ",first"));
  FreeLogLines();
  ASSERT_TRUE(Apply(link + "," + target + ",second"));
  EXPECT_EQ(ReadLink(link).arguments, "second");
  EXPECT_TRUE(Holds(Recorded(), "h," + link));
  // The folder is recorded each time; the link only when it was new.
  std::vector<std::string> written = Written();
  EXPECT_EQ(std::count(written.begin(), written.end(), "h," + link), 1) << "only the first, new link reaches the temporary log";
}

TEST_F(Shortcuts, SharedLinkCountsEveryInstallation) {
  std::string link = folder + "\\Shared.lnk";
  SavedValue count(HKEY_LOCAL_MACHINE, SharedDlls, link.c_str());
  ASSERT_TRUE(Apply(link + "," + target + ",,,,,,,1"));
  ASSERT_TRUE(Apply(link + "," + target + ",,,,,,,1"));
  char* data = ReadRegistryString(HKEY_LOCAL_MACHINE, SharedDlls, link.c_str(), nullptr);
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(*(DWORD*)data, 2u);
  FreeBlock(data);
  EXPECT_TRUE(Holds(Written(), "g," + link));
  EXPECT_FALSE(Holds(Recorded(), "h," + link));
}

TEST_F(Shortcuts, UnsavableLinkAsksAndNoStopsTheRun) {
  // A file where the link's folder should be: neither folder nor link can be made.
  files::Write(folder + "\\Blocker", {'x'});
  std::string link = folder + "\\Blocker\\App.lnk";
  SetErrorText(27, "Cannot create the shortcut %s");
  std::string question;
  EXPECT_FALSE(AnswerQuestion(
      [&] {
        CoInitialize(nullptr);
        bool result = Apply(link + "," + target);
        CoUninitialize();
        return result;
      },
      IDNO, &question));
  EXPECT_EQ(question, "Cannot create the shortcut " + link);
  EXPECT_FALSE(InstallSucceeded);
  EXPECT_FALSE(Holds(Recorded(), "h," + link));
}

}  // namespace
