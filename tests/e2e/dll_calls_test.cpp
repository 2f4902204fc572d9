// The shipped 32-bit stub calling exported functions at start-up: one that
// removes its own arguments from the stack must leave the stub running as
// one that leaves them to the caller does.
#include <gtest/gtest.h>

#include "installer.h"
#include "records.h"
#include "support/files.h"
#include "support/installers.h"
#include "support/ui_driver.h"

namespace {

const DWORD WindowWait = 180000;

std::string SupportFile(const char* name) {
  char module[MAX_PATH], full[MAX_PATH];
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  std::string path = module;
  path = path.substr(0, path.rfind('\\')) + "\\..\\support\\" + name;
  GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return full;
}

corvel::Record StartupCall(const std::string& text) {
  return corvel::encode(corvel::TextRecord{corvel::RecordType::DllCall, text});
}

std::vector<std::string> Lines(const std::string& path) {
  std::vector<std::uint8_t> bytes = files::Read(path);
  std::vector<std::string> lines;
  std::string line;
  for (char c : bytes) {
    if (c != '\n') line += c;
    else lines.push_back(line), line.clear();
  }
  return lines;
}

TEST(DllCalls, ShippedStubSurvivesExportsThatRemoveTheirOwnArguments) {
  ASSERT_FALSE(files::StubImage(true).empty()) << "CORVEL_STUB32 does not name the shipped stub";
  std::string library = SupportFile("recorderlib32.dll");
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
  std::vector<std::string> lines = Lines(record);
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
