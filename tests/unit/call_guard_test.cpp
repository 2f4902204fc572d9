// The guarded call in the shipped 32-bit build, where an export that removes
// its own arguments would otherwise unbalance the caller's stack, and in this
// 64-bit build, where the arguments must arrive as well.
#include <gtest/gtest.h>
#include <string>
#include "engine/actions.h"
#include "support/files.h"

namespace {

std::string SupportFile(const char* name) {
  char module[MAX_PATH], full[MAX_PATH];
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  std::string path = module;
  path = path.substr(0, path.rfind('\\')) + "\\..\\support\\" + name;
  GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return full;
}

TEST(CallGuard, ThirtyTwoBitCallsKeepTheStackWithEitherConvention) {
  std::string check = SupportFile("call_guard_check32.exe");
  ASSERT_TRUE(files::Exists(check)) << check;
  STARTUPINFOA startup = {sizeof startup};
  PROCESS_INFORMATION process;
  std::string commandLine = "\"" + check + "\"";
  ASSERT_TRUE(CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process));
  ASSERT_EQ(WaitForSingleObject(process.hProcess, 60000), WAIT_OBJECT_0);
  DWORD failedCases = 99;
  GetExitCodeProcess(process.hProcess, &failedCases);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  // Bits: stdcall with two, one and no arguments, cdecl with two and one.
  EXPECT_EQ(failedCases, 0u);
}

std::string seen;
extern "C" void Two(const char* first, const char* second) { seen = std::string(first) + "+" + second; }
extern "C" void One(const char* first) { seen = first; }
extern "C" void None() { seen = "none"; }

TEST(CallGuard, ArgumentsArriveByCount) {
  CallPreservingStack((FARPROC)Two, 2, "a", "b");
  EXPECT_EQ(seen, "a+b");
  CallPreservingStack((FARPROC)One, 1, "c", nullptr);
  EXPECT_EQ(seen, "c");
  CallPreservingStack((FARPROC)None, 0, nullptr, nullptr);
  EXPECT_EQ(seen, "none");
}

}  // namespace
