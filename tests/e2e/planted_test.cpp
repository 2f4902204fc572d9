// Libraries the stub loads at run time, planted under their own names
// beside the installer, beside the installed uninstaller and in the
// temporary folder its copy runs from. CTest runs this program with Wine
// told to prefer such copies over its own (WINEDLLOVERRIDES), so a load by
// bare name would pick the planted copy: the stub must never load one, from
// start-up through the whole installation and its removal.
#include <gtest/gtest.h>

#include "support/files.h"
#include "support/installers.h"
#include "support/roundtrip.h"
#include "support/ui_driver.h"

namespace {

const DWORD WindowWait = 60000;
// Only libraries the stub loads at run time and no system library imports:
// a static import is bound by the system loader before the stub runs, and
// Wine does not model the known-library list that protects those on Windows.
// VERSION.DLL, which the stub also loads at run time, is left out for the
// same reason: Wine's own copies of the stub's static imports import it, so
// the loader binds a planted copy before the stub's first instruction (and
// the process cannot start); the stub itself loads it from the system folder.
const char* const PlantedNames[] = {"RichEd32.Dll", "DINPUT.DLL", "D3D8.DLL", "D3D9.DLL", "DDRAW.DLL"};

class Planted : public testing::Test {
 protected:
  void SetUp() override {
    folder = files::MakeTemporaryFolder("planted");
    marker = files::FromEnvironmentPath("CORVEL_MARKER_DLL");
    ASSERT_TRUE(files::Exists(marker)) << marker;
    Plant(folder);
  }
  void TearDown() override {
    for (const std::string& place : places)
      if (place != folder) Unplant(place);
    files::RemoveTree(folder);
  }

  void Plant(const std::string& place) {
    for (const char* name : PlantedNames)
      ASSERT_TRUE(CopyFileA(marker.c_str(), (place + "\\" + name).c_str(), FALSE)) << place << "\\" << name;
    places.push_back(place);
  }
  void Unplant(const std::string& place) {
    for (const char* name : PlantedNames) {
      DeleteFileA((place + "\\" + name).c_str());
      DeleteFileA((place + "\\" + name + ".loaded").c_str());
    }
  }
  // Every planted copy that was loaded so far, wherever it lies.
  std::vector<std::string> Loaded() {
    std::vector<std::string> loaded;
    for (const std::string& place : places)
      for (const char* name : PlantedNames)
        if (files::Exists(place + "\\" + name + ".loaded")) loaded.push_back(place + "\\" + name);
    return loaded;
  }

  std::string folder, marker;
  std::vector<std::string> places;
};

std::string Describe(const std::vector<std::string>& paths) {
  std::string text;
  for (const std::string& path : paths) text += "\n  " + path;
  return text;
}

// The control: a careless bare-name load from that folder by a 32-bit
// program picks the planted copy, so the checks below can see a load when
// there is one.
TEST_F(Planted, BareNameLoadWouldPickThePlantedCopy) {
  std::string probe = folder + "\\probe.exe";
  ASSERT_TRUE(CopyFileA(files::FromEnvironmentPath("CORVEL_LOAD_BARE").c_str(), probe.c_str(), FALSE));
  for (const char* name : {"RichEd32.Dll", "DDRAW.DLL"}) {
    ui::Program control = ui::Start(probe, name, folder);
    EXPECT_TRUE(ui::WaitForExit(control, WindowWait));
    ui::Finish(control);
    EXPECT_TRUE(files::Exists(folder + "\\" + name + ".loaded"))
        << "Wine did not prefer the planted " << name << "; the tests below would prove nothing";
  }
}

TEST_F(Planted, StartUpLoadsNoneOfThem) {
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
  EXPECT_TRUE(Loaded().empty()) << "loaded from the installer's folder:" << Describe(Loaded());
}

// The full example installed and removed through its uninstall entry, with
// the copies beside every program file the stub runs from.
TEST_F(Planted, TheWholeRoundTripLoadsNoneOfThem) {
  std::vector<std::uint8_t> bytes = files::Read(files::FromEnvironmentPath("CORVEL_FULL_EXAMPLE"));
  ASSERT_FALSE(bytes.empty()) << "CORVEL_FULL_EXAMPLE names no built installer";
  std::string installer = folder + "\\widget-setup.exe";
  ASSERT_TRUE(files::Write(installer, bytes));
  std::string temporary = roundtrip::TemporaryPath("");
  temporary.pop_back();
  ASSERT_NO_FATAL_FAILURE(Plant(temporary));
  roundtrip::PoseAs pose("winxp", {"widget-setup.exe", "uninstall.exe"});
  ASSERT_NO_FATAL_FAILURE(roundtrip::InstallThroughWizard(installer, {}));
  EXPECT_TRUE(Loaded().empty()) << "loaded while installing:" << Describe(Loaded());

  std::string installPath = roundtrip::ReadText32(HKEY_LOCAL_MACHINE, "Software\\Acme\\Widget", "InstallPath");
  ASSERT_TRUE(files::Exists(installPath + "\\uninstall.exe")) << "no uninstaller in '" << installPath << "'";
  ASSERT_NO_FATAL_FAILURE(Plant(installPath));
  roundtrip::Removal removal;
  // The planted copies keep the folder from being empty: the tree offers it.
  removal.leftovers = removal.deleteLeftovers = true;
  removal.onPage = [&](DWORD, const std::string&) {
    EXPECT_TRUE(Loaded().empty()) << "loaded by the uninstaller or its copy at start:" << Describe(Loaded());
  };
  ASSERT_NO_FATAL_FAILURE(roundtrip::UninstallThroughEntry(removal));
  places.pop_back();   // the tree deleted them with the folder
  EXPECT_FALSE(files::Exists(installPath)) << "the installation folder stayed";
  EXPECT_TRUE(Loaded().empty()) << "loaded while removing:" << Describe(Loaded());
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
