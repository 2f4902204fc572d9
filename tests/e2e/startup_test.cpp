// Start-up outcomes of installers on the shipped stub: the mode choice, the
// checksum and its messages. Each start of the 32-bit stub is dear where
// it is emulated: every outcome is shown once, and the checksum's verdict
// on each damaged byte is left to its unit tests.
#include <gtest/gtest.h>

#include "installer.h"
#include "support/files.h"
#include "support/installers.h"
#include "support/ui_driver.h"

namespace {

// Generous: the 32-bit stub may run under an emulator on a loaded machine.
const DWORD WindowWait = 180000;

std::vector<std::uint8_t> MakeInstaller() {
  return installers::MakeSmall("Startup Check", files::StubImage(true));
}

class Startup : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(files::StubImage(true).empty()) << "CORVEL_STUB32 does not name the shipped stub";
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
  // expects the process to end with code 3 and nothing else shown.
  void ExpectOnlyStartupError(const char* text) {
    ui::MessageBox box = ui::WaitForMessageBox(program.id, WindowWait);
    ASSERT_TRUE(box) << "no message box appeared";
    EXPECT_EQ(box.caption, "Corvelsetup");
    EXPECT_EQ(box.text, text);
    ui::Click(box.window, IDOK);
    DWORD code = 99;
    ASSERT_TRUE(ui::WaitForExit(program, WindowWait, &code)) << "the installer did not end after its message";
    EXPECT_EQ(code, 3u);
  }

  std::string folder;
  ui::Program program;
};

// Bytes the loader does not read (reserved header words, the DOS program,
// a section's padding) and bytes of the package: the program starts, and
// only the checksum can tell. All of them in one file: each one on its own
// is judged by the checksum's unit tests.
TEST_F(Startup, AnyChangedByteFromOffset40OnIsReportedAsDamage) {
  std::vector<std::uint8_t> good = MakeInstaller();
  std::size_t package = good[corvel::kPackageOffsetField] | good[corvel::kPackageOffsetField + 1] << 8;
  std::vector<std::uint8_t> damaged = good;
  for (std::size_t offset : {std::size_t(40), std::size_t(0x4E), std::size_t(0x60), package, package + 20,
                             good.size() - 1})
    damaged[offset] ^= 0x5A;
  ASSERT_NE(corvel::computeFileChecksum(damaged.data(), damaged.size()),
            corvel::computeFileChecksum(good.data(), good.size()));
  Run(damaged, "damaged.exe");
  ExpectOnlyStartupError("The installer file is damaged!");
}

// Runs that end early, each with its exit code and its message in the
// /LOG file; silent ones never show a window, the others show the message.
TEST_F(Startup, FailedRunsEndWithTheirCodeAndLogTheirMessage) {
  std::vector<std::uint8_t> damaged = MakeInstaller();
  damaged[damaged.size() - 1] ^= 0x5A;
  corvel::RequirementsRecord access;
  access.access = "2000";
  std::vector<std::uint8_t> needsAccess = installers::MakeSmall(
      "Startup Check", files::StubImage(),
      {corvel::stringRecord(9, corvel::kGroupMessages, 13, "You need at least %s."), corvel::requirementsRecord(access)});
  std::vector<std::uint8_t> namesFolder = installers::MakeSmall(
      "Startup Check", files::StubImage(), {corvel::stringRecord(9, corvel::kGroupMessages, 2, "That is no folder.")});
  const std::string log = folder + "\\messages.txt";
  struct Case {
    const std::vector<std::uint8_t>& installer;
    std::string arguments;
    bool silent;
    DWORD code;
    std::string line;    // the message as the log has it
  } cases[] = {
      {damaged, "/S /LOG=" + log, true, 3, "Corvelsetup: The installer file is damaged!"},
      {needsAccess, "/s \"/LOG=" + log + "\"", true, 2, "Startup Check Setup: You need at least Microsoft Access 2000."},
      {namesFolder, "/LOG=" + log + " /S /D=C:\\No|Folder", true, 1, "Startup Check Setup: That is no folder.\r\n"},
      {namesFolder, "/S /X /LOG=" + log, true, 87, "Corvelsetup: Unknown argument: /X The setup program knows"},
      {namesFolder, "/LOG=" + log + " /REBOOT readme", false, 87, "Corvelsetup: Unknown argument: readme The setup"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.arguments);
    DeleteFileA(log.c_str());
    std::string path = folder + "\\failing.exe";
    ASSERT_TRUE(files::Write(path, test.installer));
    program = ui::Start(path, test.arguments, folder);
    ASSERT_TRUE(program.process);
    DWORD code = 99;
    bool windowSeen = false;
    if (!test.silent) {
      ui::MessageBox box = ui::WaitForMessageBox(program.id, WindowWait);
      ASSERT_TRUE(box) << "no message without /S";
      EXPECT_NE(std::string::npos, box.text.find("/D=folder  the installation folder")) << box.text;
      ui::Click(box.window, IDOK);
    }
    for (DWORD waited = 0; !ui::WaitForExit(program, 100, &code) && waited < WindowWait; waited += 100)
      windowSeen |= !ui::TopLevelWindows(program.id).empty();
    EXPECT_FALSE(test.silent && windowSeen) << "a silent run showed a window";
    EXPECT_EQ(test.code, code);
    std::vector<std::uint8_t> bytes = files::Read(log);
    std::string said(bytes.begin(), bytes.end());
    EXPECT_NE(std::string::npos, said.find(test.line)) << said;
    EXPECT_NE(std::string::npos, said.find(" Exit code " + std::to_string(test.code) + ".\r\n")) << said;
    ui::Finish(program);
  }
}

// A file cut inside the package's header: the sizes it names lie beyond
// the end, and the checksum must speak before anything reads them.
TEST_F(Startup, TruncatedPackageIsReportedAsDamage) {
  std::vector<std::uint8_t> good = MakeInstaller();
  std::size_t package = good[corvel::kPackageOffsetField] | good[corvel::kPackageOffsetField + 1] << 8;
  Run(std::vector<std::uint8_t>(good.begin(), good.begin() + package + 7), "cut.exe");
  ExpectOnlyStartupError("The installer file is damaged!");
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
  // No log lies beside it, so the uninstaller ends silently, having removed nothing.
  EXPECT_TRUE(ended);
  EXPECT_EQ(code, 1u);
}

// It gets past every check and loads its script.
TEST_F(Startup, AnIntactInstallerPassesTheChecks) {
  Run(MakeInstaller());
  ui::MessageBox box = ui::WaitForMessageBox(program.id, WindowWait);
  ASSERT_TRUE(box) << "neither the wizard nor a message appeared";
  EXPECT_NE(box.caption, "Corvelsetup") << box.text;
  EXPECT_EQ(box.caption, "Startup Check Setup");
  ui::Click(box.window, IDOK);
  EXPECT_TRUE(ui::WaitForExit(program, WindowWait));
}

TEST_F(Startup, AScriptWithoutAnInstallationFolderIsRefusedBeforeTheWizard) {
  corvel::ProductRecord product;
  product.productName = product.displayName = "No Folder";
  product.options2 = corvel::kProductUninstaller;
  corvel::ProductRecord nameless = product;
  nameless.productName = "";
  corvel::Record folder = corvel::variableRecord("%InstallPath%", "C:\\No Folder");
  corvel::Record uninstaller = corvel::variableRecord("%UninstallerFileName%", "uninstall.exe");
  struct Case {
    std::vector<corvel::Record> records;
    const char* missing;
  } cases[] = {{{corvel::productRecord(product)}, "%InstallPath%"},
               {{corvel::productRecord(product), folder}, "%UninstallerFileName%"},
               {{corvel::productRecord(nameless), folder, uninstaller}, "a product name"}};
  for (const Case& test : cases) {
    auto installer = corvel::writeInstaller(files::StubImage(true), corvel::PackageDescription(), test.records);
    ASSERT_TRUE(installer.ok()) << installer.error;
    Run(installer.value, "incomplete.exe");
    ui::MessageBox box = ui::WaitForMessageBox(program.id, WindowWait);
    ASSERT_TRUE(box);
    EXPECT_EQ(box.caption, "No Folder Setup");
    EXPECT_EQ(box.text, std::string("This installer cannot be used: its script does not define ") + test.missing + ".");
    ui::Click(box.window, IDOK);
    DWORD code = 99;
    EXPECT_TRUE(ui::WaitForExit(program, WindowWait, &code));
    EXPECT_EQ(code, 3u) << "an installer that cannot be used counts as damaged";
    ui::Finish(program);
  }
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
