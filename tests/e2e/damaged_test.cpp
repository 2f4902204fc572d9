// Damaged installers: one flipped byte at sampled offsets, and cuts at
// sampled sizes. Every run shows exactly one start-up error and ends, and
// the machine is as it was before the first run.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "installer.h"
#include "support/files.h"
#include "support/snapshot.h"
#include "support/ui_driver.h"

namespace {

const DWORD WindowWait = 180000;

std::vector<std::uint8_t> FullInstaller(const std::vector<std::uint8_t>& stub) {
  corvel::ProductRecord product;
  product.productName = product.displayName = "Damaged Check";
  product.options2 = corvel::kProductUninstaller;
  std::vector<corvel::Record> records = {
      corvel::productRecord(product),
      corvel::variableRecord("%InstallPath%", "C:\\Damaged Check"),
      corvel::variableRecord("%UninstallerFileName%", "uninstall.exe"),
      corvel::pageSwitchesRecord({0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 1, 1}),
      corvel::stringRecord(9, corvel::kGroupErrors, 0, "The wizard could not be created."),
      corvel::registryRecord("2,Software\\Damaged Check,Path,1,%InstallPath%"),
      corvel::shortcutRecord("<Desktop>\\Damaged.lnk,%InstallPath%\\app.exe")};
  corvel::PackageDescription package;
  corvel::Group group;
  group.folder = "%InstallPath%";
  std::vector<std::uint8_t> text(30000);
  for (size_t i = 0; i < text.size(); i++) text[i] = (std::uint8_t)("install "[i % 8]);
  group.entries.push_back(corvel::fileEntry("packed.txt", 0, text, true));
  group.entries.push_back(corvel::fileEntry("raw.bin", 0, std::vector<std::uint8_t>(2000, 0x5A), false));
  group.entries.push_back(corvel::folderEntry("docs", 0));
  group.entries.push_back(corvel::fileEntry("manual.txt", 1, text, true));
  package.groups.push_back(group);
  auto installer = corvel::writeInstaller(stub, package, records);
  return installer.ok() ? installer.value : std::vector<std::uint8_t>();
}

class Damaged : public testing::Test {
 protected:
  void SetUp() override { folder = files::MakeTemporaryFolder("damaged"); }
  void TearDown() override { files::RemoveTree(folder); }

  // One run: the message, nothing else, and the end of the process.
  void ExpectOneStartupError(const std::vector<std::uint8_t>& bytes, const std::string& name) {
    std::string path = folder + "\\" + name;
    ASSERT_TRUE(files::Write(path, bytes));
    ui::Program program = ui::Start(path, "", folder);
    ASSERT_TRUE(program.process);
    ui::MessageBox box = ui::WaitForMessageBox(program.id, WindowWait);
    ASSERT_TRUE(box) << "no message";
    EXPECT_EQ(box.caption, "Corvelsetup");
    EXPECT_EQ(box.text, "The installer file is damaged!");
    ui::Click(box.window, IDOK);
    DWORD code = 99;
    EXPECT_TRUE(ui::WaitForExit(program, WindowWait, &code)) << "still running after its message";
    EXPECT_EQ(code, 3u) << "a damaged installer ends with code 3";
    ui::Finish(program);
    DeleteFileA(path.c_str());
  }

  // Offsets of the file that only the checksum can tell apart: the unused
  // DOS program after the header, and the whole package. (A changed byte of
  // the program's own code or headers may stop the system from starting it,
  // or change what runs before the check.)
  static std::vector<size_t> SampledOffsets(const std::vector<std::uint8_t>& installer, int count) {
    size_t package = installer[corvel::kPackageOffsetField] | installer[corvel::kPackageOffsetField + 1] << 8;
    std::vector<size_t> offsets = {40, 41, 64, 100, package, installer.size() - 1};
    std::uint64_t state = 7;
    while ((int)offsets.size() < count) {
      state = state * 6364136223846793005ULL + 1442695040888963407ULL;
      offsets.push_back(package + (size_t)((state >> 33) % (installer.size() - package)));
    }
    return offsets;
  }

  std::string folder;
};

TEST_F(Damaged, EveryDamagedInstallerShowsOneErrorAndChangesNothing) {
  std::vector<std::uint8_t> good = FullInstaller(files::StubImage());
  ASSERT_FALSE(good.empty());
  snapshot::Options options = snapshot::Standard(folder);
  snapshot::State before = snapshot::Take(options);
  int tried = 0;
  for (size_t offset : SampledOffsets(good, 40)) {
    SCOPED_TRACE("flipped byte at " + std::to_string(offset));
    std::vector<std::uint8_t> damaged = good;
    damaged[offset] ^= (std::uint8_t)(1 << (offset % 8));
    ExpectOneStartupError(damaged, "flipped.exe");
    tried++;
  }
  size_t package = good[corvel::kPackageOffsetField] | good[corvel::kPackageOffsetField + 1] << 8;
  for (int step = 0; step < 10; step++) {
    size_t size = package + (good.size() - package) * step / 10;
    SCOPED_TRACE("cut at " + std::to_string(size));
    ExpectOneStartupError(std::vector<std::uint8_t>(good.begin(), good.begin() + size), "cut.exe");
    tried++;
  }
  EXPECT_EQ(tried, 50);
  std::vector<std::string> changes = snapshot::ChangesSince(before, options);
  EXPECT_TRUE(changes.empty()) << "the machine changed:\n" << snapshot::Describe(changes);
}

TEST_F(Damaged, TheShippedStubToo) {
  std::vector<std::uint8_t> good = FullInstaller(files::StubImage(true));
  ASSERT_FALSE(good.empty());
  snapshot::Options options = snapshot::Standard(folder);
  snapshot::State before = snapshot::Take(options);
  for (size_t offset : SampledOffsets(good, 6)) {
    SCOPED_TRACE("flipped byte at " + std::to_string(offset));
    std::vector<std::uint8_t> damaged = good;
    damaged[offset] ^= 0x80;
    ExpectOneStartupError(damaged, "flipped32.exe");
  }
  ExpectOneStartupError(std::vector<std::uint8_t>(good.begin(), good.end() - 100), "cut32.exe");
  std::vector<std::string> changes = snapshot::ChangesSince(before, options);
  EXPECT_TRUE(changes.empty()) << "the machine changed:\n" << snapshot::Describe(changes);
}

// Signed after the build: a byte changed outside the certificate table is
// still refused.
TEST_F(Damaged, ASignedInstallerToo) {
  std::vector<std::uint8_t> good = files::Read(files::FromEnvironmentPath("CORVEL_EXAMPLES") + "\\full-setup.exe");
  std::optional<corvel::Signature> signature = corvel::findSignature(good.data(), good.size());
  ASSERT_TRUE(signature) << "the full example was not signed";
  for (size_t offset : {(size_t)100, signature->tableOffset - 1}) {
    SCOPED_TRACE("flipped byte at " + std::to_string(offset));
    std::vector<std::uint8_t> damaged = good;
    damaged[offset] ^= 0x80;
    ExpectOneStartupError(damaged, "signed.exe");
  }
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
