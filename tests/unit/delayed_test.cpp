// Replacing and deleting files at the next restart: the system's own request
// on the NT family, and the two ways of Windows 9x, called directly: the
// RunOnce command for long names and the [Rename] lines of wininit.ini.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "engine/delayed.h"
#include "saved_registry.h"
#include "support/files.h"

namespace {

const std::string SessionKey = "System\\CurrentControlSet\\Control\\Session Manager";
const std::string RunOnceKey = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

std::string ShortPath(const std::string& path) {
  char buffer[MAX_PATH];
  DWORD length = GetShortPathNameA(path.c_str(), buffer, MAX_PATH);
  return length ? std::string(buffer, length) : path;
}

std::string RegistryBytes(const std::string& key, const char* name) {
  HKEY handle;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE, &handle)) return "<none>";
  std::vector<char> data(65536);
  DWORD size = (DWORD)data.size();
  LONG error = RegQueryValueExA(handle, name, nullptr, nullptr, (BYTE*)data.data(), &size);
  RegCloseKey(handle);
  return error ? "<none>" : std::string(data.data(), size);
}

class Delayed : public testing::Test {
 protected:
  std::string folder, source, wininit;
  std::vector<std::uint8_t> savedWininit;
  bool hadWininit = false;

  void SetUp() override {
    folder = files::MakeTemporaryFolder("corvel-delayed");
    source = folder + "\\KVZ1A2B.tmp";
    files::Write(source, {'n', 'e', 'w'});
    files::Write(folder + "\\APP.DLL", {'o', 'l', 'd'});
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    wininit = std::string(windows) + "\\wininit.ini";
    hadWininit = files::Exists(wininit);
    if (hadWininit) savedWininit = files::Read(wininit);
  }
  void TearDown() override {
    if (hadWininit) files::Write(wininit, savedWininit);
    else DeleteFileA(wininit.c_str());
    files::RemoveTree(folder);
  }

  // wininit.ini as it was made, and the line that one more request adds.
  std::string RenameAfter(const std::string& before, const char* target) {
    files::Write(wininit, std::vector<std::uint8_t>(before.begin(), before.end()));
    EXPECT_TRUE(AddRenameLine(source.c_str(), target));
    std::vector<std::uint8_t> after = files::Read(wininit);
    return std::string(after.begin(), after.end());
  }
  std::string Line(const char* target) {
    return (target ? ShortPath(target) : std::string("NUL")) + "=" + ShortPath(source);
  }
};

TEST_F(Delayed, TheNtFamilyUsesTheSystemsOwnRequestAndNothingElse) {
  SavedValue renames(HKEY_LOCAL_MACHINE, SessionKey, "PendingFileRenameOperations");
  SavedValue command(HKEY_LOCAL_MACHINE, RunOnceKey, source.c_str());
  std::string target = folder + "\\VeryLongName.dll";
  EXPECT_TRUE(ScheduleReplace(source.c_str(), target.c_str()));
  EXPECT_TRUE(ScheduleReplace((folder + "\\APP.DLL").c_str(), nullptr));
  std::string operations = RegistryBytes(SessionKey, "PendingFileRenameOperations");
  EXPECT_NE(operations.find(source + std::string(1, '\0') + "!\\??\\" + target), std::string::npos);
  EXPECT_NE(operations.find(folder + "\\APP.DLL" + std::string(2, '\0')), std::string::npos);
  EXPECT_EQ(command.Text(), "<none>");
  EXPECT_FALSE(files::Exists(wininit) && !hadWininit);
}

TEST_F(Delayed, LongTargetNamesGoToRunOnceAsAMoveCommand) {
  for (const char* name : {"VeryLongName.dll", "Library.dll.bak", "APP.DLLX"}) EXPECT_FALSE(IsShortName(name)) << name;
  for (const char* name : {"APP.DLL", "README", "EIGHTCHR.TXT", "A.B"}) EXPECT_TRUE(IsShortName(name)) << name;
  SavedValue command(HKEY_LOCAL_MACHINE, RunOnceKey, source.c_str());
  std::string target = folder + "\\Library.dll.bak";
  EXPECT_TRUE(AddRunOnceMove(source.c_str(), target.c_str()));
  EXPECT_EQ(command.Text(), "command.com /c move \"" + source + "\" \"" + target + "\"");
}

TEST_F(Delayed, WininitGainsTheLineAtTheEndOfItsRenameSection) {
  std::string app = folder + "\\APP.DLL";
  std::string line = Line(app.c_str());
  // Missing, empty, or without any section: the section is made.
  DeleteFileA(wininit.c_str());
  EXPECT_TRUE(AddRenameLine(source.c_str(), app.c_str()));
  std::vector<std::uint8_t> made = files::Read(wininit);
  EXPECT_EQ(std::string(made.begin(), made.end()), "[Rename]\r\n" + line);
  EXPECT_EQ(RenameAfter("", app.c_str()), "[Rename]\r\n" + line);
  EXPECT_EQ(RenameAfter("key=1\r\n", app.c_str()), "key=1\r\n[Rename]\r\n" + line);
  // Another section only: a line break first.
  EXPECT_EQ(RenameAfter("[Other]\r\nk=v", app.c_str()), "[Other]\r\nk=v\r\n[Rename]\r\n" + line);
  // The section's entries stay together; the next section keeps its blank lines.
  EXPECT_EQ(RenameAfter("[rename]\r\nA=B\r\n\r\n[Other]\r\nk=v\r\n", app.c_str()),
            "[rename]\r\nA=B\r\n" + line + "\r\n\r\n[Other]\r\nk=v\r\n");
  EXPECT_EQ(RenameAfter("[Other]\r\n[Rename]\r\nA=B\r\n\r\n", app.c_str()),
            "[Other]\r\n[Rename]\r\nA=B\r\n" + line + "\r\n\r\n");
}

TEST_F(Delayed, ADeletionHasNulOnTheLeft) {
  EXPECT_EQ(RenameAfter("[Rename]\r\nA=B", nullptr), "[Rename]\r\nA=B\r\n" + Line(nullptr));
  EXPECT_EQ(Line(nullptr).substr(0, 4), "NUL=");
}

}  // namespace
