// The shipped 32-bit stub calling exported functions at start-up: one that
// removes its own arguments from the stack must leave the stub running as
// one that leaves them to the caller does.
#include <gtest/gtest.h>

#include "installer.h"
#include "records.h"
#include "support/files.h"
#include "support/installers.h"
#include "support/recording.h"
#include "support/ui_driver.h"

namespace {

const DWORD WindowWait = 180000;

corvel::Record StartupCall(const std::string& text) {
  return corvel::encode(corvel::TextRecord{corvel::RecordType::DllCall, text});
}

TEST(DllCalls, ShippedStubSurvivesExportsThatRemoveTheirOwnArguments) {
  ASSERT_FALSE(files::StubImage(true).empty()) << "CORVEL_STUB32 does not name the shipped stub";
  std::string library = recording::SupportPath("recorderlib32.dll");
  ASSERT_TRUE(files::Exists(library)) << library;
  std::string folder = files::MakeTemporaryFolder("dllcalls");
  std::string record = folder + "\\record.txt";
  SetEnvironmentVariableA("CORVEL_RECORD_FILE", record.c_str());

  std::vector<std::uint8_t> installer = installers::MakeSmall(
      "Stack Check", files::StubImage(true),
      {StartupCall(library + ",RecordStdcall,alpha,beta,0"), StartupCall(library + ",RecordStdcallOne,gamma,,0"),
       StartupCall(library + ",RecordStdcall,delta,epsilon,0"), StartupCall(library + ",RecordTwo,after,all,0")});
  std::string path = folder + "\\stack32.exe";
  ASSERT_TRUE(files::Write(path, installer));
  ui::Program program = ui::Start(path, "", folder);
  ASSERT_TRUE(program.process);

  // Past the start-up actions the stub goes on to its wizard (or a message
  // in its place); a broken stack would have ended it before.
  HWND shown = ui::WaitForWindow(program.id, "#32770", WindowWait);
  DWORD code = 0;
  bool ended = ui::WaitForExit(program, 0, &code);
  ui::Finish(program);
  SetEnvironmentVariableA("CORVEL_RECORD_FILE", nullptr);
  std::vector<std::string> lines = recording::Lines(record);
  files::RemoveTree(folder);

  EXPECT_TRUE(shown) << "the stub showed no window after its start-up calls";
  if (ended) EXPECT_EQ(code, 0u);
  EXPECT_EQ(lines, (std::vector<std::string>{"RecordStdcall(alpha,beta)", "RecordStdcallOne(gamma)",
                                             "RecordStdcall(delta,epsilon)", "RecordTwo(after,all)"}));
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
