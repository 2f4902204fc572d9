// A packed program whose list of looked-up functions names one that the
// system lacks: the unpacker says which one, in a message box, and ends the
// process with code 0 before any of the program runs (the program itself
// would say "The probe ran.").
#include <gtest/gtest.h>
#include <cstdlib>
#include "support/ui_driver.h"

namespace {

const DWORD WindowWait = 30000;

TEST(MissingFunction, IsNamedInsteadOfCrashing) {
  const char* probe = getenv("CORVEL_PACKED_PROBE");
  ASSERT_TRUE(probe && *probe) << "CORVEL_PACKED_PROBE is not set";
  ui::Program program = ui::Start(probe);
  ASSERT_TRUE(program.process);
  ui::MessageBox box = ui::WaitForMessageBox(program.id, WindowWait);
  ASSERT_TRUE(box) << "no message";
  EXPECT_EQ(box.caption, "Corvelsetup");
  EXPECT_EQ(box.text,
            "A system function that the installer needs is missing: KERNEL32.dll!CorvelMissingFunction");
  ui::Click(box.window, IDOK);
  DWORD code = 99;
  EXPECT_TRUE(ui::WaitForExit(program, WindowWait, &code)) << "still running after its message";
  EXPECT_EQ(code, 2u) << "a missing system function ends the run with code 2";
  ui::Finish(program);
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
