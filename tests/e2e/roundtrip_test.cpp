// The full example installed through its wizard and removed through the
// command of its uninstall entry, with Wine posing as each Windows version
// the stub serves. The machine (every file of drive C: and the registry
// under HKLM\Software and HKCU\Software, SharedDLLs included) is compared
// with its state before: after the installation every change the example
// describes is there, after the removal nothing differs, also when the
// destination and the Start Menu group hold a comma. The prefix is a
// 64-bit one, so the stub runs under WOW64 and the registry is compared in
// both views.
#include <gtest/gtest.h>
#include <windows.h>
#include <shlobj.h>
#include <algorithm>

#include "installer.h"
#include "support/files.h"
#include "support/roundtrip.h"
#include "support/snapshot.h"

namespace {

const std::string SharedKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
const std::string AppKey = "Software\\Acme\\Widget";

struct Scenario {
  const char* version;
  const char* windows;  // the Windows the installer asks for, when not the example's own (98)
  const char* language;
  bool compact;
  bool sharedInUse;   // another product uses the shared file already: its folder is offered and kept
  bool userFile;      // the user adds a file: the leftover tree offers its folder, and it is deleted there
  bool quickLaunch;   // the Quick Launch folder exists (else its links go to the temporary folder)
  bool commas;        // destination and Start Menu group typed with a comma
};

// The example asks for Windows 98, which ranks above NT 4; the Windows after
// Server 2003 are asked for more than the example needs.
const Scenario Scenarios[] = {
    {"win98", nullptr, "English", false, false, false, false, false},
    {"nt40", "NT4", "German", false, true, false, false, false},
    {"win2k", nullptr, "English", true, false, true, true, false},
    {"winxp", nullptr, "German", true, false, false, true, false},
    {"win2003", nullptr, "English", false, true, false, true, true},
    {"vista", "2003", "German", false, false, false, true, false},
    {"win7", "2000", "English", true, false, true, false, false},
    {"win10", "2003", "English", false, true, false, true, true},
};

std::string Upper(std::string text) {
  CharUpperBuffA(&text[0], (DWORD)text.size());
  return text;
}

// The packaged copy of a file, from the installer itself.
std::vector<std::uint8_t> PackagedFile(const std::vector<std::uint8_t>& installer, const std::string& name) {
  auto read = corvel::readInstaller(installer);
  for (const corvel::GroupInfo& group : read.value.groups)
    for (const corvel::EntryInfo& entry : group.entries)
      if (entry.name == name) return entry.contents;
  return {};
}

class RoundTrip : public testing::TestWithParam<Scenario> {
 protected:
  void SetUp() override {
    folder = files::MakeTemporaryFolder("roundtrip");
    ASSERT_FALSE(folder.empty());
    installer = files::Read(files::FromEnvironmentPath("CORVEL_FULL_EXAMPLE"));
    ASSERT_FALSE(installer.empty()) << "CORVEL_FULL_EXAMPLE names no built installer";
    std::string common = roundtrip::ReadText32(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion",
                                               "CommonFilesDir");
    ASSERT_FALSE(common.empty());
    sharedFolder = common + "\\Acme";
    sharedFile = sharedFolder + "\\acmecat.txt";
    // Every Windows has the key of the shared-file counts; the fresh prefix
    // may not, and the stub rightly leaves the key when its last value goes.
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, SharedKey.c_str(), 0, nullptr, 0, KEY_READ | KEY_WOW64_32KEY,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
    char folder[MAX_PATH];
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, folder, CSIDL_DESKTOPDIRECTORY, FALSE));
    desktopLink = std::string(folder) + "\\Acme Widget.lnk";
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, folder, CSIDL_APPDATA, FALSE));
    quickLaunch = std::string(folder) + "\\Microsoft\\Internet Explorer\\Quick Launch";
    if (GetParam().quickLaunch && !files::Exists(quickLaunch)) {
      createdQuickLaunch = SHCreateDirectoryExA(nullptr, quickLaunch.c_str(), nullptr) == ERROR_SUCCESS;
      ASSERT_TRUE(createdQuickLaunch);
    }
    ASSERT_EQ(files::Exists(quickLaunch), GetParam().quickLaunch) << quickLaunch;
  }
  void TearDown() override {
    if (createdQuickLaunch) RemoveDirectoryA(quickLaunch.c_str());
    // What the test itself placed for another product.
    if (GetParam().sharedInUse) {
      SetFileAttributesA(sharedFile.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileA(sharedFile.c_str());
      RemoveDirectoryA(sharedFolder.c_str());
      HKEY key;
      if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SharedKey.c_str(), 0, KEY_SET_VALUE | KEY_WOW64_32KEY, &key) ==
          ERROR_SUCCESS) {
        RegDeleteValueA(key, sharedFile.c_str());
        RegCloseKey(key);
      }
    }
    files::RemoveTree(folder);
  }

  // The same file as the package's, older, already counted once.
  void PlaceSharedFileOfAnotherProduct() {
    CreateDirectoryA(sharedFolder.c_str(), nullptr);
    ASSERT_TRUE(files::Write(sharedFile, PackagedFile(installer, "acmecat.txt")));
    HANDLE file = CreateFileA(sharedFile.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    SYSTEMTIME old = {2020, 1, 3, 1, 12, 0, 0, 0};
    FILETIME time;
    SystemTimeToFileTime(&old, &time);
    SetFileTime(file, &time, &time, &time);
    CloseHandle(file);
    SetFileAttributesA(sharedFile.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, SharedKey.c_str(), 0, nullptr, 0,
                              KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    DWORD one = 1;
    RegSetValueExA(key, sharedFile.c_str(), 0, REG_DWORD, (const BYTE*)&one, sizeof one);
    RegCloseKey(key);
  }

  // Every kind of change the example makes, found among the differences.
  void ExpectInstalled(const std::vector<std::string>& changes, const std::string& installPath) {
    std::string app = Upper(installPath);
    std::vector<std::string> expected = {
        "+ file " + app + "\\README.TXT", "+ file " + app + "\\WIDGET.CFG", "+ file " + app + "\\DOCS\\FAQ.TXT",
        "+ file " + app + "\\DOCS\\MANUAL.TXT", "+ file " + app + "\\SAMPLES\\ROUND.WDG",
        "+ file " + app + "\\SAMPLES\\SQUARE.WDG", "+ file " + app + "\\UNINSTALL.EXE",
        "+ file " + app + "\\UNINSTALL.LOG", "\\" + Upper(Group()) + "\\ACME WIDGET README.LNK",
        "\\" + Upper(Group()) + "\\MANUAL.LNK",
        "\\ACME\\WIDGET|INSTALLPATH",
        "\\ACME\\WIDGET|MANUAL", "SOFTWARE\\ACME\\WIDGET\\SETTINGS|LAUNCHES",
        "SOFTWARE\\ACME\\WIDGET\\SETTINGS|WINDOW", "SOFTWARE\\ACME\\WIDGET\\SETTINGS|RECENT", "CLASSES\\.WDG",
        "CLASSES\\ACME.WIDGETFILE\\SHELL\\OPEN\\COMMAND", "UNINSTALL\\ACME WIDGET 2.0|UNINSTALLSTRING",
        "UNINSTALL\\ACME WIDGET 2.0|DISPLAYNAME", "SHAREDDLLS|" + Upper(sharedFile)};
    if (!GetParam().sharedInUse) expected.push_back("+ file " + Upper(sharedFile));
    // Without the folder the stub puts Quick Launch links in the temporary folder.
    expected.push_back("+ file " + Upper(GetParam().quickLaunch ? quickLaunch : roundtrip::TemporaryPath("").substr(
                                       0, roundtrip::TemporaryPath("").size() - 1)) +
                       "\\ACME WIDGET.LNK");
    bool all = true;
    for (const std::string& wanted : expected) {
      bool found = std::any_of(changes.begin(), changes.end(),
                               [&](const std::string& line) { return line.find(wanted) != std::string::npos; });
      EXPECT_TRUE(found) << "missing after the installation: " << wanted;
      all = all && found;
    }
    if (!all) ADD_FAILURE() << "the installation changed:\n" << snapshot::Describe(changes);
    // The log carries the dialog set to the uninstaller: its first field.
    std::vector<std::uint8_t> log = files::Read(installPath + "\\uninstall.log");
    std::string text(log.begin(), log.end());
    size_t appearance = 0;
    for (int line = 0; line < 3; line++) appearance = text.find('\n', appearance) + 1;
    EXPECT_EQ(text.substr(appearance, 2), GetParam().compact ? "1," : "0,") << "the log's appearance line";
    // The desktop is a link out of the machine here: looked at directly.
    EXPECT_TRUE(files::Exists(desktopLink)) << desktopLink;
    char value[MAX_PATH] = "";
    GetPrivateProfileStringA("widget", "samples", "", value, MAX_PATH, (installPath + "\\widget.cfg").c_str());
    EXPECT_EQ(std::string(value), installPath + "\\samples");
    EXPECT_EQ(roundtrip::ReadText32(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
                                                        "Acme Widget 2.0",
                                    "UninstallString"),
              "\"" + installPath + "\\uninstall.exe\"");
    EXPECT_EQ(roundtrip::ReadNumber32(HKEY_LOCAL_MACHINE, SharedKey, sharedFile), GetParam().sharedInUse ? 2u : 1u);
  }

  std::string Group() const { return GetParam().commas ? "Acme, Inc Widget" : "Acme Widget"; }

  std::string folder, sharedFolder, sharedFile, desktopLink, quickLaunch;
  bool createdQuickLaunch = false;
  std::vector<std::uint8_t> installer;
};

TEST_P(RoundTrip, EverythingInstalledIsRemovedAndTheMachineIsAsBefore) {
  const Scenario& scenario = GetParam();
  roundtrip::PoseAs pose(scenario.version, {"widget-setup.exe", "uninstall.exe"});
  std::vector<std::uint8_t> bytes = installer;
  if (scenario.windows) bytes = roundtrip::WithWindowsRequirement(bytes, scenario.windows);
  if (scenario.compact) bytes = roundtrip::WithCompactDialogs(bytes);
  ASSERT_FALSE(bytes.empty());
  std::string setup = folder + "\\widget-setup.exe";
  ASSERT_TRUE(files::Write(setup, bytes));
  if (scenario.sharedInUse) ASSERT_NO_FATAL_FAILURE(PlaceSharedFileOfAnotherProduct());

  snapshot::Options options = snapshot::Standard(folder);
  snapshot::State before = snapshot::Take(options);
  roundtrip::Choices choices;
  choices.language = scenario.language;
  if (scenario.commas) {
    choices.destination = "C:\\Acme, Inc\\Widget";
    choices.group = Group();
  }
  ASSERT_NO_FATAL_FAILURE(roundtrip::InstallThroughWizard(setup, choices));

  std::string installPath = roundtrip::ReadText32(HKEY_LOCAL_MACHINE, AppKey, "InstallPath");
  ASSERT_FALSE(installPath.empty()) << "the installation left no InstallPath value";
  if (scenario.commas) EXPECT_EQ(installPath, choices.destination);
  std::vector<std::string> installed = snapshot::ChangesSince(before, options);
  ExpectInstalled(installed, installPath);
  if (scenario.userFile) ASSERT_TRUE(files::Write(installPath + "\\docs\\notes.txt", {'m', 'i', 'n', 'e'}));

  roundtrip::Removal removal;
  removal.sharedFileAsked = !scenario.sharedInUse;
  removal.leftovers = scenario.userFile || scenario.sharedInUse;
  removal.deleteLeftovers = scenario.userFile;
  ASSERT_NO_FATAL_FAILURE(roundtrip::UninstallThroughEntry(removal));

  std::vector<std::string> changes = snapshot::ChangesSince(before, options);
  EXPECT_TRUE(changes.empty()) << "after the removal the machine differs:\n" << snapshot::Describe(changes);
  EXPECT_FALSE(files::Exists(desktopLink)) << desktopLink;
  if (scenario.sharedInUse) {
    EXPECT_TRUE(files::Exists(sharedFile)) << "a file another product uses was removed";
    EXPECT_EQ(roundtrip::ReadNumber32(HKEY_LOCAL_MACHINE, SharedKey, sharedFile), 1u);
  }
}

INSTANTIATE_TEST_SUITE_P(Versions, RoundTrip, testing::ValuesIn(Scenarios),
                         [](const testing::TestParamInfo<Scenario>& info) { return std::string(info.param.version); });

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
