// Heap strings and the string list on the system's pointer array.
#include <gtest/gtest.h>
#include "common/heap.h"
#include "common/list.h"

// Blocks in use on the private heap: tells whether an operation freed what
// it replaced or removed.
static int BusyBlocks() {
  PROCESS_HEAP_ENTRY entry = {};
  int busy = 0;
  while (HeapWalk(PrivateHeap, &entry))
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
      busy++;
  return busy;
}

class ListTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(CreateList(&list, 5)); }
  void TearDown() override { DestroyList(&list); }
  void Fill(std::initializer_list<const char*> items) {
    for (const char* item : items)
      ASSERT_GE(AppendItem(list, item), 0);
  }
  std::string Items() {
    std::string all;
    for (int i = 0; i < Count(list); i++)
      all += (i ? "," : "") + std::string(GetItem(list, i) ? GetItem(list, i) : "<null>");
    return all;
  }
  StringList list = 0;
};

TEST(HeapStrings, CopiesAreZeroFilledAndOwnTheirText) {
  char text[] = "abc";
  char* copy = DuplicateString(text, 4);
  text[0] = 'x';
  EXPECT_STREQ("abc", copy);
  for (int i = 3; i < 8; i++)
    EXPECT_EQ(0, copy[i]) << i;
  EXPECT_GE(HeapSize(PrivateHeap, 0, copy), 8u);
  FreeBlock(copy);

  char* empty = DuplicateString(0, 0);
  EXPECT_STREQ("", empty);
  char* part = DuplicatePart("abcdef", 3);
  EXPECT_STREQ("abc", part);
  FreeBlock(empty);
  FreeBlock(part);
}

TEST(HeapStrings, ConcatSkipsNullTexts) {
  char* joined = ConcatStrings("C:", 0, "\\App", 0, "\\x");
  EXPECT_STREQ("C:\\App\\x", joined);
  char* nothing = ConcatStrings(0);
  EXPECT_STREQ("", nothing);
  char* five = ConcatStrings("1", "2", "3", "4", "5");
  EXPECT_STREQ("12345", five);
  FreeBlock(joined);
  FreeBlock(nothing);
  FreeBlock(five);
}

TEST(HeapStrings, ResizeKeepsContentsAndZeroesNewBytes) {
  char* block = (char*)ResizeBlock(0, 4);
  ASSERT_NE(nullptr, block);
  EXPECT_EQ(0, block[3]);
  memcpy(block, "abcd", 4);
  block = (char*)ResizeBlock(block, 64);
  ASSERT_NE(nullptr, block);
  EXPECT_EQ(0, memcmp(block, "abcd", 4));
  for (int i = 4; i < 64; i++)
    ASSERT_EQ(0, block[i]) << i;
  int before = BusyBlocks();
  EXPECT_EQ(nullptr, ResizeBlock(block, 0));
  EXPECT_EQ(before - 1, BusyBlocks());
}

TEST(HeapStrings, FreeIgnoresBlocksOfOtherHeaps) {
  FreeBlock(0);
  char stack[16] = "stack";
  FreeBlock(stack);
  EXPECT_STREQ("stack", stack);
  void* foreign = HeapAlloc(GetProcessHeap(), 0, 32);
  FreeBlock(foreign);
  EXPECT_TRUE(HeapValidate(GetProcessHeap(), 0, foreign));
  HeapFree(GetProcessHeap(), 0, foreign);
}

TEST(HeapStrings, MoveBytesHandlesOverlapBothWays) {
  char up[] = "abcdef";
  MoveBytes(up + 2, up, 4);
  EXPECT_STREQ("ababcd", up);
  char down[] = "abcdef";
  MoveBytes(down, down + 2, 4);
  EXPECT_STREQ("cdefef", down);
}

TEST_F(ListTest, ReadingOutsideTheListOrAnEmptySlotGivesNull) {
  EXPECT_EQ(nullptr, GetItem(list, 0));
  ASSERT_TRUE(SetItem(list, 5, "five"));
  EXPECT_EQ(6, Count(list));
  for (int i = 0; i < 5; i++)
    EXPECT_EQ(nullptr, GetItem(list, i)) << i;
  EXPECT_STREQ("five", GetItem(list, 5));
  EXPECT_EQ(nullptr, GetItem(list, -1));
  EXPECT_EQ(nullptr, GetItem(list, 6));
  EXPECT_EQ(0, Count(0));
  EXPECT_EQ(nullptr, GetItem(0, 0));
}

TEST_F(ListTest, AppendStoresCopiesAndNulls) {
  char text[] = "one";
  EXPECT_EQ(0, AppendItem(list, text));
  EXPECT_EQ(1, AppendItem(list, 0));
  EXPECT_EQ(2, AppendItem(list, ""));
  text[0] = 'x';
  EXPECT_EQ("one,<null>,", Items());
  EXPECT_NE(text, GetItem(list, 0));
}

TEST_F(ListTest, SetReplacesAndFreesTheOldString) {
  Fill({"a", "b"});
  int before = BusyBlocks();
  ASSERT_TRUE(SetItem(list, 0, "replaced"));
  EXPECT_EQ(before, BusyBlocks());
  ASSERT_TRUE(SetItem(list, 1, 0));
  EXPECT_EQ(before - 1, BusyBlocks());
  ASSERT_TRUE(SetItem(list, 0, GetItem(list, 0)));
  EXPECT_EQ("replaced,<null>", Items());
  EXPECT_FALSE(SetItem(list, -1, "x"));
}

TEST_F(ListTest, DeleteMovesLaterSlotsDown) {
  Fill({"a", 0, "c", "d"});
  EXPECT_FALSE(DeleteItem(list, 1));   // an empty slot goes, but no string
  EXPECT_EQ("a,c,d", Items());
  int before = BusyBlocks();
  EXPECT_TRUE(DeleteItem(list, 0));
  EXPECT_EQ(before - 1, BusyBlocks());
  EXPECT_EQ("c,d", Items());
  EXPECT_FALSE(DeleteItem(list, 2));
  EXPECT_FALSE(DeleteItem(list, -1));
  EXPECT_EQ("c,d", Items());
}

TEST_F(ListTest, ClearFreesEverythingAndKeepsTheList) {
  int before = BusyBlocks();
  Fill({"a", "b", 0, "d"});
  ClearList(list);
  EXPECT_EQ(before, BusyBlocks());
  EXPECT_EQ(0, Count(list));
  EXPECT_EQ(0, AppendItem(list, "again"));

  StringList other = 0;
  DestroyList(&other);   // never created: nothing to do
  ASSERT_TRUE(CreateList(&other, 5));
  AppendItem(other, "x");
  DestroyList(&other);
  EXPECT_EQ(nullptr, other);
  EXPECT_EQ(before + 1, BusyBlocks());
}

TEST_F(ListTest, JoinBuildsAPathFromTheFirstItems) {
  Fill({"C:", 0, "App", "bin"});
  auto join = [&](int last, const char* name) {
    char* joined = JoinItems(list, last, name);
    std::string result = joined;
    FreeBlock(joined);
    return result;
  };
  EXPECT_EQ("C:\\App\\setup.exe", join(2, "setup.exe"));
  EXPECT_EQ("C:\\App\\bin\\", join(3, ""));
  EXPECT_EQ("C:\\x", join(0, "x"));
  EXPECT_EQ("x", join(-1, "x"));
  EXPECT_EQ("C:\\App\\bin\\", join(10, 0));
}

TEST_F(ListTest, SortByLengthOrText) {
  Fill({"ccc", "a", "bb"});
  ASSERT_TRUE(SortList(list, SortByLength));
  EXPECT_EQ("a,bb,ccc", Items());
  ASSERT_TRUE(SortList(list, SortByLength | SortDescending));
  EXPECT_EQ("ccc,bb,a", Items());

  ClearList(list);
  Fill({"delta", "Bravo", "alpha", "Charlie"});
  ASSERT_TRUE(SortList(list, SortByText));
  EXPECT_EQ("alpha,Bravo,Charlie,delta", Items());
  ASSERT_TRUE(SortList(list, SortByText | SortDescending));
  EXPECT_EQ("delta,Charlie,Bravo,alpha", Items());
  // The case-sensitive comparison is the locale's, so letters still come
  // before case.
  ASSERT_TRUE(SortList(list, SortByText | MatchCase));
  EXPECT_EQ("alpha,Bravo,Charlie,delta", Items());
}

TEST_F(ListTest, SortPutsEmptySlotsFirst) {
  Fill({"b", 0, "a"});
  ASSERT_TRUE(SortList(list, SortByText));
  EXPECT_EQ("<null>,a,b", Items());
}

TEST_F(ListTest, FindSearchesFromTheStartIndexWithTheCaseRule) {
  Fill({"Readme.txt", "setup.exe", "README.TXT"});
  EXPECT_EQ(0, FindItem(list, "readme.txt", 0, 0));
  EXPECT_EQ(2, FindItem(list, "readme.txt", 1, 0));
  EXPECT_EQ(-1, FindItem(list, "readme.txt", 0, MatchCase));
  EXPECT_EQ(2, FindItem(list, "README.TXT", 0, MatchCase));
  EXPECT_EQ(-1, FindItem(list, "setup", 0, 0));   // whole items only
  EXPECT_EQ(-1, FindItem(list, "setup.exe", 2, 0));
  EXPECT_EQ(1, FindItem(list, "setup.exe", -1, 0));
}

TEST_F(ListTest, ContainsAnyItemIsACaseSensitiveSubstringTest) {
  EXPECT_FALSE(ContainsAnyItem("C:\\Windows\\Desktop", list));
  Fill({"", 0, "<Desktop>", "<CommonDesktop>"});
  EXPECT_TRUE(ContainsAnyItem("<Desktop>\\Name.lnk,%InstallPath%\\a.exe", list));
  EXPECT_TRUE(ContainsAnyItem("x<CommonDesktop>", list));
  EXPECT_FALSE(ContainsAnyItem("<DESKTOP>\\Name.lnk", list));
  EXPECT_FALSE(ContainsAnyItem("", list));
}

TEST(ListFunctions, ReloadAfterRelease) {
  ReleaseListFunctions();
  EXPECT_EQ(nullptr, (void*)PointerArray.Create);
  ASSERT_TRUE(LoadListFunctions());
  // The language id array keeps numbers, not strings, in the same array.
  StringList ids = PointerArray.Create(10);
  ASSERT_NE(nullptr, ids);
  EXPECT_EQ(0, PointerArray.InsertPtr(ids, 0x7FFFFFFF, (void*)9));
  EXPECT_EQ(1, PointerArray.InsertPtr(ids, 0x7FFFFFFF, (void*)7));
  EXPECT_EQ(2, Count(ids));
  EXPECT_EQ((void*)7, PointerArray.GetPtr(ids, 1));
  PointerArray.Destroy(ids);
}
