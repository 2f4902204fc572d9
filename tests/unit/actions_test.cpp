// Programs and library calls: what a started program receives, waiting or
// not, "open" through the shell, run-once removal from the lists, the
// argument counts of exported functions and the OLE section around the
// registration functions. The recording program and library tell what ran.
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>
#include "common/list.h"
#include "engine/actions.h"
#include "engine/registry.h"
#include "engine/variables.h"
#include "support/files.h"
#include "support/recording.h"

namespace {

class Actions : public testing::Test {
 protected:
  std::string folder, recordFile, program = recording::SupportPath("recorder.exe"), library = recording::SupportPath("recorderlib.dll");
  StringList programs = nullptr, dllCalls = nullptr;

  void SetUp() override {
    ASSERT_TRUE(files::Exists(program)) << program;
    ASSERT_TRUE(files::Exists(library)) << library;
    folder = files::MakeTemporaryFolder("corvel-actions");
    recordFile = folder + "\\record.txt";
    SetEnvironmentVariableA("CORVEL_RECORD_FILE", recordFile.c_str());
    ASSERT_TRUE(CreateList(&programs, 4));
    ASSERT_TRUE(CreateList(&dllCalls, 4));
    ASSERT_TRUE(CreateVariableTable());
    SetVariable("%InstallPath%", folder.c_str());
  }
  void TearDown() override {
    DestroyList(&programs);
    DestroyList(&dllCalls);
    DestroyVariableTable();
    SetEnvironmentVariableA("CORVEL_RECORD_FILE", nullptr);
    files::RemoveTree(folder);
  }
  std::vector<std::string> Records() const { return recording::Lines(recordFile); }
  // The file that lets a held recorder go on (see recorder.cpp).
  std::string Release() const { return folder + "\\release"; }
  // For programs that were not waited for.
  std::vector<std::string> RecordsOnceThere(size_t count) const {
    for (int i = 0; i < 100 && Records().size() < count; i++) Sleep(100);
    return Records();
  }
  std::vector<std::string> Items(StringList list) const {
    std::vector<std::string> items;
    for (int i = 0; i < Count(list); i++) items.push_back(GetItem(list, i));
    return items;
  }
};

TEST_F(Actions, ProgramGetsItsArgumentsAndFolderAndIsWaitedFor) {
  int index = 0;
  CreateDirectoryA((folder + "\\Work").c_str(), nullptr);
  EXPECT_TRUE(RunProgram(program.c_str(), "sleep:300 one two", (folder + "\\Work\\").c_str(), true, false, 0,
                         nullptr, &index));
  // The program writes only after its sleep: the line is there once the call returns.
  EXPECT_EQ(Records(), std::vector<std::string>{"one two|" + folder + "\\Work"});
  EXPECT_EQ(index, 0);
}

TEST_F(Actions, ProgramNotWaitedForIsLeftRunning) {
  int index = 0;
  // The program records only once the test lets it: a call that waited for
  // it would return a minute late, with the line already there.
  EXPECT_TRUE(RunProgram(program.c_str(), ("hold:" + Release() + " late").c_str(), folder.c_str(), false, false, 2,
                         nullptr, &index));
  EXPECT_TRUE(Records().empty());
  files::Write(Release(), {});
  EXPECT_EQ(RecordsOnceThere(1), std::vector<std::string>{"late|" + folder});
}

TEST_F(Actions, RunOnceRecordsLeaveTheirListsAndTheOthersRunEveryTime) {
  AppendItem(programs, (program + ",first %InstallPath%,,1,1").c_str());
  AppendItem(programs, (program + ",second,,1,1").c_str());
  AppendItem(programs, (program + ",always,,1,0").c_str());
  AppendItem(programs, (program + ",defaults").c_str());
  AppendItem(programs, "C:\\Corvel\\missing.exe,never,,1,1");
  AppendItem(dllCalls, (library + ",RecordTwo,x,y,1").c_str());
  AppendItem(dllCalls, (library + ",RecordOne,z,,0").c_str());
  AppendItem(dllCalls, (library + ",RecordNone,,,1").c_str());
  AppendItem(dllCalls, (library + ",NoSuchExport,,,1").c_str());
  AppendItem(dllCalls, (folder + "\\missing.dll,RecordNone,,,1").c_str());
  RunActions(programs, dllCalls);
  RunActions(programs, dllCalls);

  std::vector<std::string> records = Records();
  ASSERT_EQ(records.size(), 9u);
  // The folder part of each program's line is the test's own current folder.
  auto arguments = [](const std::string& line) { return line.substr(0, line.find('|')); };
  EXPECT_EQ(arguments(records[0]), "first " + folder);
  EXPECT_EQ(arguments(records[1]), "second");
  EXPECT_EQ(arguments(records[2]), "always");
  EXPECT_EQ(arguments(records[3]), "defaults");
  EXPECT_EQ(std::vector<std::string>(records.begin() + 4, records.begin() + 7),
            (std::vector<std::string>{"RecordTwo(x,y)", "RecordOne(z)", "RecordNone()"}));
  EXPECT_EQ(arguments(records[7]), "always");
  EXPECT_EQ(records[8], "RecordOne(z)");
  // What could not run stays for the next time.
  EXPECT_EQ(Items(programs), (std::vector<std::string>{program + ",always,,1,0", "C:\\Corvel\\missing.exe,never,,1,1"}));
  EXPECT_EQ(Items(dllCalls), (std::vector<std::string>{library + ",RecordOne,z,,0", library + ",NoSuchExport,,,1",
                                                      folder + "\\missing.dll,RecordNone,,,1"}));
}

TEST_F(Actions, OpenGoesThroughTheAssociationAndNeverWaits) {
  ASSERT_TRUE(RegisterAssociation(".corvelrun", "Corvel.RunTest", "", "", "",
                                  ("\"" + program + "\" hold:" + Release() + " \"%1\"").c_str(), "", 0));
  std::string document = folder + "\\letter.corvelrun";
  files::Write(document, {'h', 'i'});
  AppendItem(programs, "open");
  int index = 0;
  bool opened = RunProgram("OPEN", document.c_str(), folder.c_str(), true, true, 0, programs, &index);
  EXPECT_TRUE(Records().empty()) << "the call waited for the program";
  files::Write(Release(), {});
  std::vector<std::string> records = RecordsOnceThere(1);
  DeleteRegistryKeyTree(HKEY_CLASSES_ROOT, ".corvelrun", true);
  DeleteRegistryKeyTree(HKEY_CLASSES_ROOT, "Corvel.RunTest", true);

  EXPECT_TRUE(opened);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_NE(records[0].find("letter.corvelrun"), std::string::npos) << records[0];
  EXPECT_EQ(Count(programs), 0);
  EXPECT_EQ(index, -1);
}

TEST_F(Actions, RegistrationRunsOnlyInsideItsOwnOleSection) {
  auto call = [&](bool multithreadedFirst) {
    std::thread worker([&] {
      if (multithreadedFirst) CoInitializeEx(nullptr, COINIT_MULTITHREADED);
      int index = 0;
      CallDllFunction(library.c_str(), "DllRegisterServer", "", "", false, nullptr, &index);
      CallDllFunction(library.c_str(), "DllUnregisterServer", "", "", false, nullptr, &index);
      if (multithreadedFirst) CoUninitialize();
    });
    worker.join();
  };
  call(true);
  EXPECT_TRUE(Records().empty()) << "OleInitialize fails on a multithreaded thread";
  call(false);
  EXPECT_EQ(Records(), (std::vector<std::string>{"DllRegisterServer(ole)", "DllUnregisterServer()"}));
}

}  // namespace
