// Damaged installers: bytes that only the checksum can tell apart flipped,
// and a cut. The run shows exactly one start-up error and ends, and the
// machine is as it was before. (The checksum's verdict on every sampled
// offset and cut is checked in the unit tests of the package reader; here
// the shipped stub proves that it acts on it before anything else.)
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "installer.h"
#include "support/files.h"
#include "support/installers.h"
#include "support/snapshot.h"
#include "support/ui_driver.h"

namespace {

const DWORD WindowWait = 180000;

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

  std::string folder;
};

TEST_F(Damaged, EveryDamagedInstallerShowsOneErrorAndChangesNothing) {
  std::vector<std::uint8_t> good = installers::MakeFull(files::StubImage(true));
  ASSERT_FALSE(good.empty());
  snapshot::Options options = snapshot::Standard(folder);
  snapshot::State before = snapshot::Take(options);
  // The unused DOS fields and program after the header, the package's first
  // byte, one in its middle and the last: none of them stops the program
  // from starting or changes what runs before the check, and all at once
  // they still change the sum.
  size_t package = good[corvel::kPackageOffsetField] | good[corvel::kPackageOffsetField + 1] << 8;
  std::vector<std::uint8_t> flipped = good;
  for (size_t offset : {size_t(40), size_t(41), size_t(64), size_t(100), package, (package + good.size()) / 2,
                        good.size() - 1})
    flipped[offset] ^= 0x80;
  ASSERT_NE(corvel::computeFileChecksum(flipped.data(), flipped.size()),
            corvel::computeFileChecksum(good.data(), good.size()));
  {
    SCOPED_TRACE("flipped bytes");
    ExpectOneStartupError(flipped, "flipped32.exe");
  }
  {
    SCOPED_TRACE("cut");
    ExpectOneStartupError(std::vector<std::uint8_t>(good.begin(), good.end() - 100), "cut32.exe");
  }
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
