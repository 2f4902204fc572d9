// Start-up outcomes of real installers: the mode choice, the checksum and its
// messages, and libraries planted beside the installer.
#include <gtest/gtest.h>

#include "installer.h"
#include "support/files.h"
#include "support/ui_driver.h"

namespace {

const DWORD WindowWait = 15000;

std::vector<std::uint8_t> MakeInstaller() {
  corvel::ProductRecord product;
  product.productName = "Startup Check";
  product.displayName = "Startup Check";
  std::vector<corvel::Record> records = {
      corvel::productRecord(product),
      corvel::stringRecord(9, corvel::kGroupErrors, 0, "The wizard could not be created."),
  };
  corvel::PackageDescription package;
  corvel::Group group;
  group.folder = "%InstallPath%";
  group.entries.push_back(corvel::fileEntry("readme.txt", 0, std::vector<std::uint8_t>(5000, 'x'), true));
  package.groups.push_back(group);
  auto installer = corvel::writeInstaller(files::StubImage(), package, records);
  EXPECT_TRUE(installer.ok()) << installer.error;
  return installer.value;
}

class Startup : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(files::StubImage().empty()) << "CORVEL_STUB does not name the built stub";
    folder = files::MakeTemporaryFolder("startup");
    ASSERT_FALSE(folder.empty());
  }
  void TearDown() override {
    ui::Finish(program);
    files::RemoveTree(folder);
  }

  ui::Program Run(const std::vector<std::uint8_t>& bytes, const std::string& name = "setup.exe") {
    std::string path = folder + "\\" + name;
    EXPECT_TRUE(files::Write(path, bytes));
    program = ui::Start(path, "", folder);
    EXPECT_TRUE(program.process) << "could not start " << path;
    return program;
  }

  // Expects exactly one start-up error box with this text, answers it and
  // expects the process to end with code 0 and nothing else shown.
  void ExpectOnlyStartupError(const char* text) {
    ui::MessageBox box = ui::WaitForMessageBox(program.id, WindowWait);
    ASSERT_TRUE(box) << "no message box appeared";
    EXPECT_EQ(box.caption, "Corvelsetup");
    EXPECT_EQ(box.text, text);
    ui::Click(box.window, IDOK);
    DWORD code = 99;
    ASSERT_TRUE(ui::WaitForExit(program, WindowWait, &code)) << "the installer did not end after its message";
    EXPECT_EQ(code, 0u);
  }

  std::string folder;
  ui::Program program;
};

TEST_F(Startup, AnyChangedByteFromOffset40OnIsReportedAsDamage) {
  std::vector<std::uint8_t> good = MakeInstaller();
  std::size_t package = good[corvel::kPackageOffsetField] | good[corvel::kPackageOffsetField + 1] << 8;
  for (std::size_t offset : {std::size_t(40), std::size_t(0x80), package / 2, package, package + 20,
                             good.size() - 1}) {
    SCOPED_TRACE("offset " + std::to_string(offset));
    std::vector<std::uint8_t> damaged = good;
    damaged[offset] ^= 0x5A;
    Run(damaged, "damaged" + std::to_string(offset) + ".exe");
    ExpectOnlyStartupError("The installer file is damaged!");
    ui::Finish(program);
  }
}

TEST_F(Startup, TruncatedPackageIsReportedAsDamage) {
  std::vector<std::uint8_t> good = MakeInstaller();
  std::size_t package = good[corvel::kPackageOffsetField] | good[corvel::kPackageOffsetField + 1] << 8;
  for (std::size_t size : {package, package + 7, good.size() - 1}) {
    SCOPED_TRACE("size " + std::to_string(size));
    std::vector<std::uint8_t> cut(good.begin(), good.begin() + size);
    Run(cut, "cut" + std::to_string(size) + ".exe");
    ExpectOnlyStartupError("The installer file is damaged!");
    ui::Finish(program);
  }
}

// The header fields lie outside the checksum: changing them never reports damage.
TEST_F(Startup, HeaderFieldsAreNotCoveredByTheChecksum) {
  std::vector<std::uint8_t> good = MakeInstaller();
  std::vector<std::uint8_t> changed = good;
  changed[corvel::kScriptStoredLengthField] ^= 0x01;
  changed[corvel::kPackageOffsetField] ^= 0x04;
  ASSERT_EQ(corvel::computeFileChecksum(changed.data(), changed.size()),
            corvel::computeFileChecksum(good.data(), good.size()));
  Run(changed);
  ui::MessageBox box = ui::WaitForMessageBox(program.id, WindowWait);
  if (box) {
    EXPECT_NE(box.text, "The installer file is damaged!");
    EXPECT_NE(box.caption, "Corvelsetup");
    ui::Click(box.window, IDOK);
  }
  EXPECT_TRUE(ui::WaitForExit(program, WindowWait));
}

TEST_F(Startup, ZeroPackageOffsetMeansUninstallModeWithoutChecksum) {
  auto uninstaller = corvel::makeUninstallerCopy(MakeInstaller());
  ASSERT_TRUE(uninstaller.ok()) << uninstaller.error;
  // Garbage after the image: an installer would call this damaged.
  uninstaller.value.insert(uninstaller.value.end(), 300, 0xEE);
  Run(uninstaller.value, "uninstall.exe");
  DWORD code = 99;
  bool ended = ui::WaitForExit(program, WindowWait, &code);
  if (!ended) {
    ui::MessageBox box = ui::WaitForMessageBox(program.id, 1000);
    EXPECT_NE(box.text, "The installer file is damaged!");
  }
  // No log lies beside it, so the uninstaller ends silently.
  EXPECT_TRUE(ended);
  EXPECT_EQ(code, 0u);
}

TEST_F(Startup, AnIntactInstallerPassesTheChecks) {
  Run(MakeInstaller());
  ui::MessageBox box = ui::WaitForMessageBox(program.id, WindowWait);
  ASSERT_TRUE(box) << "neither the wizard nor a message appeared";
  EXPECT_NE(box.caption, "Corvelsetup") << box.text;
  EXPECT_EQ(box.caption, "Startup Check Setup");
}

// Libraries the stub loads at run time, planted beside the installer under
// their own names: with Wine told to prefer such copies, none may be loaded.
TEST_F(Startup, PlantedLibrariesAreNeverLoaded) {
  std::string marker = files::FromEnvironmentPath("CORVEL_MARKER_DLL");
  ASSERT_TRUE(files::Exists(marker)) << marker;
  const char* names[] = {"RichEd32.Dll", "version.dll"};
  std::string overrides = "mscoree,mshtml=;riched32,version=n,b";
  for (const char* name : names) ASSERT_TRUE(CopyFileA(marker.c_str(), (folder + "\\" + name).c_str(), FALSE));

  char saved[1024] = "";
  GetEnvironmentVariableA("WINEDLLOVERRIDES", saved, sizeof(saved));
  SetEnvironmentVariableA("WINEDLLOVERRIDES", overrides.c_str());

  // The control: a bare-name load from that folder does pick the planted copy,
  // so the check below can see a load when there is one.
  std::string self(MAX_PATH, '\0');
  self.resize(GetModuleFileNameA(nullptr, &self[0], MAX_PATH));
  std::string probe = folder + "\\probe.exe";
  ASSERT_TRUE(CopyFileA(self.c_str(), probe.c_str(), FALSE));
  ui::Program control = ui::Start(probe, "--load-bare RichEd32.Dll", folder);
  EXPECT_TRUE(ui::WaitForExit(control, WindowWait));
  ui::Finish(control);
  EXPECT_TRUE(files::Exists(folder + "\\RichEd32.Dll.loaded")) << "the planted copy cannot be detected here";
  DeleteFileA((folder + "\\RichEd32.Dll.loaded").c_str());

  Run(MakeInstaller());
  ui::MessageBox box = ui::WaitForMessageBox(program.id, WindowWait);
  if (box) ui::Click(box.window, IDOK);
  ui::WaitForExit(program, WindowWait);
  SetEnvironmentVariableA("WINEDLLOVERRIDES", saved);
  for (const char* name : names)
    EXPECT_FALSE(files::Exists(folder + "\\" + name + ".loaded")) << name << " was loaded from the installer's folder";
}

}  // namespace

int main(int argc, char** argv) {
  // The planted-library control runs this program again to load a library by
  // its bare name, as careless code would.
  if (argc == 3 && std::string(argv[1]) == "--load-bare") return LoadLibraryA(argv[2]) ? 0 : 1;
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
