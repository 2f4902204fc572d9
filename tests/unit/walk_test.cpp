// The record walk at start-up: every record up to the terminator reaches the
// loader, and no record is handed over that runs past the inflated bytes,
// whatever the stream says.
#include <gtest/gtest.h>

#include "engine/variables.h"
#include "package/package.h"
#include "records.h"
#include "script/model.h"

namespace {

class Walk : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateModelLists());
    ASSERT_TRUE(CreateVariableTable());
  }
  void TearDown() override {
    DestroyVariableTable();
    DestroyModel();
  }

  // Walks a copy that holds exactly these bytes, so that a read past them
  // would leave the buffer the heap checker watches.
  void WalkBytes(const std::vector<std::uint8_t>& bytes) {
    std::vector<std::uint8_t> copy(bytes);
    copy.push_back(0);
    copy.push_back(0);
    WalkScriptRecords(copy.data(), (DWORD)bytes.size());
  }

  int Variables() { return Count(VariableNames); }
};

std::vector<std::uint8_t> Stream(int variables, bool terminate) {
  std::vector<corvel::Record> records;
  for (int i = 0; i < variables; i++)
    records.push_back(corvel::variableRecord("%V" + std::to_string(i) + "%", "value"));
  return corvel::serializeRecords(records, terminate);
}

TEST_F(Walk, StopsAtTheTerminator) {
  auto bytes = Stream(3, true);
  auto after = corvel::serializeRecords({corvel::variableRecord("%Late%", "x")}, false);
  bytes.insert(bytes.end(), after.begin(), after.end());
  WalkBytes(bytes);
  EXPECT_EQ(Variables(), 3);
}

TEST_F(Walk, EndsWithTheBytesWhenTheTerminatorIsMissing) {
  WalkBytes(Stream(4, false));
  EXPECT_EQ(Variables(), 4);
}

TEST_F(Walk, NeverHandsOverARecordThatRunsPastTheEnd) {
  auto bytes = Stream(2, false);
  auto last = corvel::serializeRecord(corvel::variableRecord("%Cut%", "a longer value"));
  bytes.insert(bytes.end(), last.begin(), last.end() - 3);
  WalkBytes(bytes);
  EXPECT_EQ(Variables(), 2);

  // A size field that points far beyond the data.
  auto huge = Stream(1, false);
  std::vector<std::uint8_t> header = {1, 0, 0, 0, 0xF0, 0xFF, 0xFF, 0x7F, 'x', 0};
  huge.insert(huge.end(), header.begin(), header.end());
  WalkBytes(huge);
  EXPECT_EQ(Variables(), 3);
}

// Every prefix of a valid stream, as a script that inflated to fewer bytes
// than its size field says: the complete records before the cut arrive.
TEST_F(Walk, ShortInflationWalksOnlyWhatArrived) {
  auto bytes = Stream(5, true);
  std::size_t recordSize = corvel::serializeRecord(corvel::variableRecord("%V0%", "value")).size();
  for (std::size_t length = 0; length <= bytes.size(); length++) {
    ClearList(VariableNames);
    ClearList(VariableValues);
    WalkBytes(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + length));
    EXPECT_EQ(Variables(), (int)std::min<std::size_t>(5, length / recordSize)) << "length " << length;
  }
}

TEST_F(Walk, UnknownTypesAreSkippedBySize) {
  std::vector<corvel::Record> records = {corvel::rawRecord(0, {1, 2, 3}), corvel::variableRecord("%A%", "1"),
                                         corvel::rawRecord(18, std::vector<std::uint8_t>(100, 0xFF)),
                                         corvel::rawRecord(0xFFFFFFFE, {}), corvel::variableRecord("%B%", "2")};
  WalkBytes(corvel::serializeRecords(records, true));
  EXPECT_EQ(Variables(), 2);
  EXPECT_STREQ(GetItem(VariableNames, 1), "%B%");
}

}  // namespace
