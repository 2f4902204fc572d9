// The guarded call in the shipped 32-bit build, where an export that removes
// its own arguments would otherwise unbalance the caller's stack.
#include <gtest/gtest.h>
#include <string>
#include "support/files.h"
#include "support/recording.h"

namespace {

TEST(CallGuard, ThirtyTwoBitCallsKeepTheStackWithEitherConvention) {
  std::string check = recording::SupportPath("call_guard_check32.exe");
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

}  // namespace
