// Installers whose script demands more than the system offers: the script's
// own message in the script's language, the caption made from the display
// name, and the end of the run without a wizard.
#include <gtest/gtest.h>

#include "installer.h"
#include "support/files.h"
#include "support/ui_driver.h"

namespace {

// Generous: the 32-bit stub may run under an emulator on a loaded machine.
const DWORD WindowWait = 180000;
const char NeedRights[] = "Rights are needed.";
const char NeedNt[] = "NT only.";
const char NeedAtLeast[] = "You need at least %s for the program to be working.";

std::vector<std::uint8_t> MakeInstaller(const corvel::RequirementsRecord& requirements,
                                        std::vector<corvel::Record> extra = {}) {
  corvel::ProductRecord product;
  product.productName = "Requirement Check";
  product.displayName = "Requirement Check";
  std::vector<corvel::Record> records = {
      corvel::productRecord(product),
      corvel::stringRecord(9, corvel::kGroupMessages, 11, NeedRights),
      corvel::stringRecord(9, corvel::kGroupMessages, 12, NeedNt),
      corvel::stringRecord(9, corvel::kGroupMessages, 13, NeedAtLeast),
      corvel::stringRecord(9, corvel::kGroupErrors, 0, "The wizard could not be created."),
      corvel::requirementsRecord(requirements),
  };
  records.insert(records.end(), extra.begin(), extra.end());
  corvel::PackageDescription package;
  auto installer = corvel::writeInstaller(files::StubImage(), package, records);
  EXPECT_TRUE(installer.ok()) << installer.error;
  return installer.value;
}

corvel::RequirementsRecord Requiring(const char* windows, const char* access = "") {
  corvel::RequirementsRecord requirements;
  requirements.windows = windows;
  requirements.access = access;
  return requirements;
}

class Requirements : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(files::StubImage().empty()) << "CORVEL_STUB does not name the built stub";
    folder = files::MakeTemporaryFolder("requirements");
    ASSERT_FALSE(folder.empty());
  }
  void TearDown() override {
    ui::Finish(program);
    if (!posedKey.empty()) RegDeleteKeyA(HKEY_CURRENT_USER, posedKey.c_str());
    files::RemoveTree(folder);
  }

  // Writes the installer under its own name; with a version, Wine poses as
  // that Windows for this name only.
  std::string Place(const std::vector<std::uint8_t>& bytes, const std::string& name, const char* version) {
    std::string path = folder + "\\" + name;
    EXPECT_TRUE(files::Write(path, bytes));
    if (version) {
      posedKey = "Software\\Wine\\AppDefaults\\" + name;
      HKEY key;
      EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, posedKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                               nullptr, &key, nullptr));
      RegSetValueExA(key, "Version", 0, REG_SZ, (const BYTE*)version, lstrlenA(version) + 1);
      RegCloseKey(key);
    }
    return path;
  }

  void Run(const std::vector<std::uint8_t>& bytes, const std::string& name, const char* version = nullptr) {
    std::string path = Place(bytes, name, version);
    program = ui::Start(path, "", folder);
    ASSERT_TRUE(program.process) << "could not start " << path;
  }

  // Exactly one box, with this text and the script's caption; once it is
  // answered the run ends with code 2 and nothing else was shown.
  void ExpectOnlyMessage(const std::string& text) {
    ui::MessageBox box = ui::WaitForMessageBox(program.id, WindowWait);
    ASSERT_TRUE(box) << "no message box appeared";
    EXPECT_EQ("Requirement Check Setup", box.caption);
    EXPECT_EQ(text, box.text);
    EXPECT_EQ(1u, ui::TopLevelWindows(program.id).size());
    ui::Click(box.window, IDOK);
    DWORD code = 99;
    ASSERT_TRUE(ui::WaitForExit(program, WindowWait, &code)) << "the installer went on after its message";
    EXPECT_EQ(2u, code) << "a requirement that is not met ends with code 2";
  }

  std::string folder, posedKey;
  ui::Program program;
};

TEST_F(Requirements, NtOnlyOnWindows98) {
  Run(MakeInstaller(Requiring("nt")), "nt-on-98.exe", "win98");
  ExpectOnlyMessage(NeedNt);
}

TEST_F(Requirements, NewerWindowsThanXp) {
  Run(MakeInstaller(Requiring("2003")), "2003-on-xp.exe", "winxp");
  ExpectOnlyMessage("You need at least Microsoft Windows 2003 Server for the program to be working.");
}

// The message comes in the language the script chose; Wine has no Access.
TEST_F(Requirements, AccessInTheScriptsLanguage) {
  std::vector<corvel::Record> german = {
      corvel::languagesRecord(0, {7, 9}),
      corvel::stringRecord(7, corvel::kGroupMessages, 13, "Sie brauchen mindestens %s."),
  };
  Run(MakeInstaller(Requiring("", "2000"), german), "access.exe");
  ExpectOnlyMessage("Sie brauchen mindestens Microsoft Access 2000.");
}

// The 32-bit stub that ships, once: its start-up measures the same facts.
// Its script is the bare minimum, a message and the requirement, so the box
// has the system's default caption.
TEST_F(Requirements, ShippedStubChecksToo) {
  ASSERT_FALSE(files::StubImage(true).empty()) << "CORVEL_STUB32 does not name the shipped stub";
  std::vector<corvel::Record> records = {
      corvel::stringRecord(9, corvel::kGroupMessages, 13, NeedAtLeast),
      corvel::requirementsRecord(Requiring("", "97")),
  };
  auto installer = corvel::writeInstaller(files::StubImage(true), corvel::PackageDescription(), records);
  ASSERT_TRUE(installer.ok()) << installer.error;
  Run(installer.value, "access32.exe");
  ui::MessageBox box = ui::WaitForMessageBox(program.id, WindowWait);
  ASSERT_TRUE(box) << "no message box appeared";
  EXPECT_EQ("You need at least Microsoft Access 97 for the program to be working.", box.text);
  EXPECT_EQ(1u, ui::TopLevelWindows(program.id).size());
  ui::Click(box.window, IDOK);
  DWORD code = 99;
  ASSERT_TRUE(ui::WaitForExit(program, WindowWait, &code)) << "the installer went on after its message";
  EXPECT_EQ(2u, code);
}

// Met requirements lead on to the wizard (or, while it cannot be created,
// to the message that says so): no requirement message in any case. Every
// Windows after Server 2003 meets what Server 2003 meets.
struct Met {
  const char* version;
  const char* windows;
};

class MetRequirements : public Requirements, public testing::WithParamInterface<Met> {};

TEST_P(MetRequirements, GoOn) {
  corvel::RequirementsRecord requirements = Requiring(GetParam().windows);
  requirements.directX = "1.0";
  requirements.admin = 1;
  Run(MakeInstaller(requirements), std::string("met-") + GetParam().version + ".exe", GetParam().version);
  ui::MessageBox box = ui::WaitForMessageBox(program.id, WindowWait);
  if (box) {
    EXPECT_NE(NeedRights, box.text);
    EXPECT_NE(NeedNt, box.text);
    EXPECT_EQ(std::string::npos, box.text.find("at least")) << box.text;
  } else {
    EXPECT_FALSE(ui::TopLevelWindows(program.id).empty()) << "neither a wizard nor a message appeared";
  }
}

INSTANTIATE_TEST_SUITE_P(Versions, MetRequirements,
                         testing::Values(Met{"winxp", "2000"}, Met{"win7", "2000"}, Met{"win10", "2003"}),
                         [](const testing::TestParamInfo<Met>& info) { return std::string(info.param.version); });

// An administrator's process that was not elevated holds a filtered token
// (its linked token). Started with it, the installer may go on only where
// the system elevated it for its manifest; Wine does not.
TEST_F(Requirements, RightsOfAnUnelevatedAdministrator) {
  HANDLE own = nullptr, primary = nullptr;
  TOKEN_LINKED_TOKEN linked = {};
  DWORD size = 0;
  ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &own));
  bool hasLinked = GetTokenInformation(own, TokenLinkedToken, &linked, sizeof linked, &size);
  CloseHandle(own);
  if (!hasLinked) GTEST_SKIP() << "this system keeps no filtered token";
  ASSERT_TRUE(DuplicateTokenEx(linked.LinkedToken, MAXIMUM_ALLOWED, nullptr, SecurityImpersonation, TokenPrimary,
                               &primary));
  CloseHandle(linked.LinkedToken);
  corvel::RequirementsRecord requirements = Requiring("");
  requirements.admin = 1;
  std::string path = Place(MakeInstaller(requirements), "unelevated.exe", "win7");
  std::string commandLine = "\"" + path + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  bool started = CreateProcessAsUserA(primary, path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                      folder.c_str(), &startup, &info);
  DWORD error = GetLastError();
  CloseHandle(primary);
  // Windows itself refuses to start the installer without elevation
  // (ERROR_ELEVATION_REQUIRED, which the toolchain's headers lack).
  if (!started && error == 740) return;
  ASSERT_TRUE(started) << error;
  CloseHandle(info.hThread);
  program.process = info.hProcess;
  program.id = info.dwProcessId;
  HANDLE token = nullptr;
  TOKEN_ELEVATION_TYPE elevation = TokenElevationTypeDefault;
  ASSERT_TRUE(OpenProcessToken(program.process, TOKEN_QUERY, &token));
  GetTokenInformation(token, TokenElevationType, &elevation, sizeof elevation, &size);
  CloseHandle(token);
  if (elevation == TokenElevationTypeLimited) {
    ExpectOnlyMessage(NeedRights);
  } else {
    ui::MessageBox box = ui::WaitForMessageBox(program.id, WindowWait);
    if (box) EXPECT_NE(NeedRights, box.text);
  }
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
