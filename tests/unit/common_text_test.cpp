// Field splitting, number parsing, searching, replacing and the tokenizer.
#include <gtest/gtest.h>
#include <string>
#include "common/heap.h"
#include "common/text.h"

// The 15 fields of the field list joined with '|'.
static std::string Fields() {
  std::string all;
  for (int i = 0; i < 15; i++) {
    EXPECT_NE(nullptr, GetItem(FieldList, i)) << "slot " << i;
    all += (i ? "|" : "") + std::string(Field(FieldList, i));
  }
  return all;
}

static std::string Taken(char* heapString) {
  std::string text = heapString ? heapString : "<null>";
  FreeBlock(heapString);
  return text;
}

TEST(Splitting, MissingFieldsAreEmptyNeverNull) {
  SplitFields(FieldList, "a,,b", false);
  EXPECT_EQ("a||b||||||||||||", Fields());
  SplitFields(FieldList, "", false);
  EXPECT_EQ("||||||||||||||", Fields());
  SplitFields(FieldList, "x", false);
  EXPECT_EQ("x||||||||||||||", Fields());
  SplitFields(FieldList, 0, false);
  EXPECT_EQ("||||||||||||||", Fields());
  SplitFields(FieldList, "a,", false);
  EXPECT_EQ("a||||||||||||||", Fields());
  EXPECT_STREQ("", Field(FieldList, 15));
  EXPECT_STREQ("", Field(FieldList, -1));
}

TEST(Splitting, OverwritesEveryFieldOfTheLastSplit) {
  SplitFields(FieldList, "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15", false);
  SplitFields(FieldList, "only", false);
  EXPECT_EQ("only||||||||||||||", Fields());
}

TEST(Splitting, KeepsOnlyFifteenFields) {
  SplitFields(FieldList, "0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16", false);
  EXPECT_EQ("0|1|2|3|4|5|6|7|8|9|10|11|12|13|14", Fields());
}

TEST(Splitting, QuotedFirstFieldMayHoldCommas) {
  SplitFields(FieldList, "\"Welcome, friend\",10,0x20", true);
  EXPECT_EQ("Welcome, friend|10|0x20||||||||||||", Fields());
  // Whatever stands between the closing quote and the next comma is dropped.
  SplitFields(FieldList, "\"Title\" ignored,5", true);
  EXPECT_EQ("Title|5|||||||||||||", Fields());
  SplitFields(FieldList, "\"Title\"", true);
  EXPECT_EQ("Title||||||||||||||", Fields());
  SplitFields(FieldList, "\"open, never closed", true);
  EXPECT_EQ("open, never closed||||||||||||||", Fields());
  SplitFields(FieldList, "no quote,1,2", true);
  EXPECT_EQ("||||||||||||||", Fields());
}

TEST(Numbers, BasesSignsAndStops) {
  struct {
    const char* text;
    int value;
  } cases[] = {
      {"0x1F", 31},  {"0X1f", 31},      {"017", 15},       {"08", 8},        {"0", 0},
      {"-12", -12},  {"12abc", 12},     {"abc", 0},        {"+5", 0},        {"", 0},
      {" 5", 0},     {"-", 0},          {"-0x10", 0},      {"-017", -17},    {"0x", 0},
      {"0777", 511}, {"0789", 7},       {"09", 9},         {"0xffFFffFF", -1}, {"4294967297", 1},
      {"2147483648", INT_MIN},          {"\xB9", 0},       {"1\xB9", 1},     {"0x7g", 7},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.value, ParseNumber(c.text)) << '"' << c.text << '"';
  EXPECT_EQ(0, ParseNumber(0));
}

TEST(Searching, FindTextFollowsTheCaseRule) {
  const char record[] = "<Desktop>\\Name.lnk,%InstallPath%\\Name.exe";
  EXPECT_EQ(record, FindText(record, "<desktop>", -1, false));
  EXPECT_EQ(nullptr, FindText(record, "<desktop>", -1, true));
  EXPECT_EQ(record + 19, FindText(record, "%INSTALLPATH%", -1, false));
  EXPECT_EQ(record + 19, FindText(record, "%InstallPath%", -1, true));
}

TEST(Searching, FindTextStaysWithinTheLength) {
  const char text[] = "abcdef";
  EXPECT_EQ(nullptr, FindText(text, "cd", 3, true));
  EXPECT_EQ(text + 2, FindText(text, "cd", 4, true));
  EXPECT_EQ(text + 4, FindText(text, "ef", -1, true));
  EXPECT_EQ(nullptr, FindText(text, "efg", -1, true));
  EXPECT_EQ(nullptr, FindText(text, "", -1, true));
  EXPECT_EQ(nullptr, FindText(text, 0, -1, true));
  EXPECT_EQ(nullptr, FindText(0, "a", -1, true));
  // A length past the end never reads beyond the terminating zero.
  const char cut[] = "ab\0cd";
  EXPECT_EQ(nullptr, FindText(cut, "cd", 5, true));
}

TEST(Searching, FindCharFirstAndLastWithinTheLength) {
  const char path[] = "C:\\App\\bin\\x.exe";
  EXPECT_EQ(path + 2, FindChar(path, '\\', -1, true));
  EXPECT_EQ(path + 10, FindCharReverse(path, '\\', -1, true));
  EXPECT_EQ(path + 6, FindCharReverse(path, '\\', 10, true));
  EXPECT_EQ(nullptr, FindChar(path, '\\', 2, true));
  EXPECT_EQ(nullptr, FindCharReverse(path, '\\', 0, true));
  EXPECT_EQ(path + 13, FindChar(path, 'E', -1, false));
  EXPECT_EQ(nullptr, FindChar(path, 'E', -1, true));
  EXPECT_EQ(path + 15, FindCharReverse(path, 'E', -1, false));
  EXPECT_EQ(nullptr, FindChar(0, 'a', -1, true));
}

TEST(Searching, CopyDelimitedTakesBothDelimiters) {
  const char text[] = "Install to %InstallPath% now %x";
  char* token = (char*)1;
  EXPECT_EQ(text + 11, CopyDelimited(&token, text, '%', -1, true));
  EXPECT_EQ("%InstallPath%", Taken(token));

  EXPECT_EQ(nullptr, CopyDelimited(&token, "one % only", '%', -1, true));
  EXPECT_EQ(nullptr, token);
  EXPECT_EQ(nullptr, CopyDelimited(&token, text, '%', 20, true));   // the second lies beyond
  EXPECT_EQ(nullptr, token);
  EXPECT_EQ(nullptr, CopyDelimited(&token, "none", '%', -1, true));
  EXPECT_EQ(nullptr, token);

  const char adjacent[] = "a%%b";
  EXPECT_EQ(adjacent + 1, CopyDelimited(&token, adjacent, '%', -1, true));
  EXPECT_EQ("%%", Taken(token));
}

TEST(Replacing, EveryOccurrenceWithTheCaseRule) {
  const char text[] = "%InstallPath%\\bin;%INSTALLPATH%\\lib";
  EXPECT_EQ("C:\\App\\bin;C:\\App\\lib", Taken(ReplaceText(text, "%installpath%", "C:\\App", false)));
  EXPECT_EQ("C:\\App\\bin;%INSTALLPATH%\\lib", Taken(ReplaceText(text, "%InstallPath%", "C:\\App", true)));
  EXPECT_STREQ("%InstallPath%\\bin;%INSTALLPATH%\\lib", text);
  EXPECT_EQ("Drive C: free", Taken(ReplaceText("Drive %DISK%: free", "%DISK%", "C", true)));
  EXPECT_EQ("nothing", Taken(ReplaceText("nothing", "%x%", "y", true)));
  EXPECT_EQ("gone", Taken(ReplaceText("g%x%one", "%x%", 0, true)));
  EXPECT_EQ("same", Taken(ReplaceText("same", "", "y", true)));
  EXPECT_EQ("", Taken(ReplaceText(0, "a", "b", true)));
}

TEST(Replacing, EndsWhenTheReplacementHoldsThePattern) {
  EXPECT_EQ("baanaanaa", Taken(ReplaceText("banana", "a", "aa", true)));
  EXPECT_EQ("C:\\bin;%PATH%", Taken(ReplaceText("%PATH%", "%path%", "C:\\bin;%PATH%", false)));
  EXPECT_EQ("xabyxaby", Taken(ReplaceText("abyaby", "ab", "xab", true)));
}

TEST(Replacing, FindsOccurrencesFormedAcrossTheInsertedText) {
  // Removing "ab" from "aabb" leaves a new "ab" across the gap.
  EXPECT_EQ("", Taken(ReplaceText("aabb", "ab", "", true)));
  // The end of the replacement and the text after it form the next one.
  EXPECT_EQ("xxa", Taken(ReplaceText("abb", "ab", "xa", true)));
  EXPECT_EQ("%B%", Taken(ReplaceText("%A%%B%", "%A%", "", true)));
}

TEST(Tokens, CutsAtEachSeparatorInPlace) {
  char text[] = "a;b;;c";
  EXPECT_STREQ("a", NextToken(text, ";"));
  EXPECT_STREQ("b", NextToken(0, ";"));
  EXPECT_STREQ("", NextToken(0, ";"));
  EXPECT_STREQ("c", NextToken(0, ";"));
  EXPECT_EQ(nullptr, NextToken(0, ";"));
  EXPECT_EQ(nullptr, NextToken(0, ";"));
  EXPECT_EQ(0, memcmp(text, "a\0b\0\0c", 7));
}

TEST(Tokens, LongSeparatorsAndRestarts) {
  char first[] = "one, two, three";
  char second[] = "x||y";
  EXPECT_STREQ("one", NextToken(first, ", "));
  EXPECT_STREQ("x", NextToken(second, "||"));   // a new text starts over
  EXPECT_STREQ("y", NextToken((char*)"", "||"));   // an empty text goes on
  EXPECT_EQ(nullptr, NextToken(0, "||"));
  char trailing[] = "end;";
  EXPECT_STREQ("end", NextToken(trailing, ";"));
  EXPECT_STREQ("", NextToken(0, ";"));
  EXPECT_EQ(nullptr, NextToken(0, ";"));
}
