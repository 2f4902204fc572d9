// Sets up what start-up step 0 would give the code under test: the private
// heap, the list and security functions, the field list and the thread token.
#include <gtest/gtest.h>
#include "common/access.h"
#include "common/heap.h"
#include "common/list.h"
#include "common/text.h"
#include "support/processes.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  PrivateHeap = HeapCreate(0, 0, 0);
  if (!PrivateHeap || !LoadListFunctions() || !LoadSecurityFunctions() || !CreateList(&FieldList, 15)) {
    fprintf(stderr, "unit tests: the stub's common services could not start\n");
    return 2;
  }
  // No watcher thread here: tests that count the program's handles would
  // count its handles of the processes it follows.
  processes::EndLeftoversAfterEachTest();
  ImpersonateSelf(SecurityImpersonation);
  OpenThreadToken(GetCurrentThread(), TOKEN_ALL_ACCESS, TRUE, &SecurityToken);
  return RUN_ALL_TESTS();
}
