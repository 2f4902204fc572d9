// Libraries the stub loads at run time, planted beside an installer under
// their own names. CTest runs this program with Wine told to prefer such
// copies over its own (WINEDLLOVERRIDES), so a load by bare name would pick
// the planted copy: the stub must never load one.
#include <gtest/gtest.h>

#include "support/files.h"
#include "support/installers.h"
#include "support/ui_driver.h"

namespace {

const DWORD WindowWait = 60000;
// Only libraries the stub loads at run time and no system library imports:
// a static import is bound by the system loader before the stub runs, and
// Wine does not model the known-library list that protects those on Windows.
const char* const PlantedNames[] = {"RichEd32.Dll"};

class Planted : public testing::Test {
 protected:
  void SetUp() override {
    folder = files::MakeTemporaryFolder("planted");
    std::string marker = files::FromEnvironmentPath("CORVEL_MARKER_DLL");
    ASSERT_TRUE(files::Exists(marker)) << marker;
    for (const char* name : PlantedNames)
      ASSERT_TRUE(CopyFileA(marker.c_str(), (folder + "\\" + name).c_str(), FALSE));
  }
  void TearDown() override { files::RemoveTree(folder); }

  bool Loaded(const char* name) { return files::Exists(folder + "\\" + name + ".loaded"); }

  std::string folder;
};

// The control: a careless bare-name load from that folder picks the planted
// copy, so the check below can see a load when there is one.
TEST_F(Planted, BareNameLoadWouldPickThePlantedCopy) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string probe = folder + "\\probe.exe";
  ASSERT_TRUE(CopyFileA(self, probe.c_str(), FALSE));
  ui::Program control = ui::Start(probe, "--load-bare RichEd32.Dll", folder);
  EXPECT_TRUE(ui::WaitForExit(control, WindowWait));
  ui::Finish(control);
  EXPECT_TRUE(Loaded("RichEd32.Dll")) << "Wine did not prefer the planted copy; the test below would prove nothing";
}

TEST_F(Planted, TheStubLoadsNoneOfThem) {
  std::string installer = folder + "\\setup.exe";
  ASSERT_TRUE(files::Write(installer, installers::MakeSmall("Planted Check", files::StubImage())));
  ui::Program program = ui::Start(installer, "", folder);
  ASSERT_TRUE(program.process);
  ui::MessageBox box = ui::WaitForMessageBox(program.id, WindowWait);
  ASSERT_TRUE(box) << "the installer showed nothing";
  EXPECT_EQ(box.caption, "Planted Check Setup") << "start-up did not get past its checks";
  ui::Click(box.window, IDOK);
  EXPECT_TRUE(ui::WaitForExit(program, WindowWait));
  ui::Finish(program);
  for (const char* name : PlantedNames) EXPECT_FALSE(Loaded(name)) << name << " was loaded from the installer's folder";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--load-bare") return LoadLibraryA(argv[2]) ? 0 : 1;
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
