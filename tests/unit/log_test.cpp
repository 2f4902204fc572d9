// The install log: recording (temporary and final log), reading a log back
// and the reverse walk over its entries, with the comma and font rules.
#include <gtest/gtest.h>
#include <string>
#include "common/heap.h"
#include "common/paths.h"
#include "common/text.h"
#include "engine/variables.h"
#include "script/model.h"
#include "startup/process.h"
#include "support/files.h"
#include "uninstall/log.h"

static std::string FileText(const std::string& path) {
  std::vector<std::uint8_t> bytes = files::Read(path);
  return std::string(bytes.begin(), bytes.end());
}

static void SetString(char** target, const char* text) {
  FreeBlock(*target);
  *target = text ? DuplicateString(text, 0) : nullptr;
}

class LogTest : public testing::Test {
 protected:
  std::string folder;
  void SetUp() override {
    folder = files::MakeTemporaryFolder("corvel-log");
    SetString(&TemporaryFolder, folder.c_str());
    if (!FolderCache) CreateList(&FolderCache, 5);
    ClearList(FolderCache);
    SetString(&Model.displayName, "Demo Application 2.0");
    SetString(&Model.productName, "DemoApp");
    SetString(&Model.titleFontFace, "Tahoma");
    SetString(&Model.normalFontFace, "Verdana");
    Model.dialogSetOffset = 20;
    Model.accentColour = 0x00C88C00;
    Model.headerColour = 0x02000000;
    Model.pageColour = 0x00FFFFFF;
    Model.bandColour = 0x01000000;
    Model.titleTextColour = 0x000000FF;
    Model.normalTextColour = 0;
  }
  void TearDown() override {
    FreeLogLines();
    FreeInstallLog();
    files::RemoveTree(folder);
  }
  std::string Write(const std::string& name, const std::string& text) {
    std::string path = folder + "\\" + name;
    files::Write(path, std::vector<std::uint8_t>(text.begin(), text.end()));
    return path;
  }
};

static const std::string Header =
    "=== Corvelsetup log file ===\nDemo Application 2.0\nDemoApp\n"
    "1,0xC88C00,0x2000000,0xFFFFFF,0x1000000,Tahoma,0xFF,Verdana,0x0\n";

// --- Recording -------------------------------------------------------------

TEST_F(LogTest, TemporaryLogHoldsHeaderAndWriteNowLinesFinalLogEveryLine) {
  char* temporary = StartTemporaryLog();
  ASSERT_NE(temporary, nullptr);
  std::string temporaryPath = temporary;
  FreeBlock(temporary);
  EXPECT_EQ(std::string(FileNamePart(temporaryPath.c_str())).substr(0, 3), "KVZ");
  RecordLogLine("a", "C:\\Demo", true, true);
  RecordLogLine("b", "C:\\Demo\\new.exe", true, false);
  // A file that was there before: the rollback must leave it, the uninstall not.
  RecordLogLine("b", "C:\\Demo\\existed.dll", false, false);
  RecordLogLine("c", "2,Software\\Demo,Path", true, false);

  std::string written = Header + "a,C:\\Demo\nb,C:\\Demo\\new.exe\nc,2,Software\\Demo,Path\n";
  EXPECT_EQ(FileText(temporaryPath), written);

  std::string finalPath = folder + "\\Remove.log";
  EndLog(temporaryPath.c_str(), finalPath.c_str(), true);
  EXPECT_FALSE(files::Exists(temporaryPath));
  EXPECT_EQ(FileText(finalPath), Header + "a,C:\\Demo\nb,C:\\Demo\\new.exe\nb,C:\\Demo\\existed.dll\n"
                                          "c,2,Software\\Demo,Path\n");
  EXPECT_EQ(GetFileAttributesA(finalPath.c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
}

TEST_F(LogTest, SameLineTwiceOrInOtherCaseIsRecordedOnce) {
  char* temporary = StartTemporaryLog();
  ASSERT_NE(temporary, nullptr);
  RecordLogLine("b", "C:\\Demo\\a.txt", true, false);
  RecordLogLine("b", "C:\\Demo\\a.txt", true, false);
  RecordLogLine("b", "c:\\DEMO\\A.TXT", true, false);
  RecordLogLine("B", "C:\\Demo\\a.txt", true, false);
  RecordLogLine("g", "C:\\Demo\\a.txt", true, false);
  EXPECT_EQ(FileText(temporary), Header + "b,C:\\Demo\\a.txt\ng,C:\\Demo\\a.txt\n");
  EXPECT_EQ(Count(LogLines), 6);
  EndLog(temporary, nullptr, true);
  EXPECT_FALSE(files::Exists(temporary));
  FreeBlock(temporary);
}

// Thousands of lines, as a large installation records: each is kept once
// however often and in whatever case it comes again, letters beyond ASCII
// included, and the order of first recording stays.
TEST_F(LogTest, ManyLinesStayDistinctAcrossCaseAndRepeats) {
  char* temporary = StartTemporaryLog();
  ASSERT_NE(temporary, nullptr);
  const int lines = 5000;
  std::string expected = Header;
  for (int i = 0; i < lines; i++) {
    std::string path = "C:\\D\xe9mo\\file" + std::to_string(i) + ".txt";
    RecordLogLine("b", path.c_str(), true, false);
    expected += "b," + path + "\n";
  }
  for (int i = lines - 1; i >= 0; i--) {
    std::string path = "c:\\D\xc9MO\\FILE" + std::to_string(i) + ".TXT";
    RecordLogLine("b", path.c_str(), true, false);
  }
  RecordLogLine("b", "C:\\D\xe9mo\\file5000.txt", true, false);
  expected += "b,C:\\D\xe9mo\\file5000.txt\n";
  EXPECT_EQ(Count(LogLines), 4 + lines + 1);
  EXPECT_EQ(FileText(temporary), expected);
  EndLog(temporary, nullptr, true);
  FreeBlock(temporary);
}

TEST_F(LogTest, FolderCacheCheckDropsSpecialFoldersOnlyWhenAsked) {
  AppendItem(FolderCache, "C:\\Program Files");
  AppendItem(FolderCache, "C:\\Users\\Demo\\Desktop");
  char* temporary = StartTemporaryLog();
  ASSERT_NE(temporary, nullptr);
  RecordLogLine("a", "c:\\program files", true, true);
  RecordLogLine("a", "C:\\Users\\Demo\\Desktop", true, true);
  RecordLogLine("a", "C:\\Program Files\\Demo", true, true);
  RecordLogLine("a", "C:\\Program Files", true, false);
  EXPECT_EQ(FileText(temporary), Header + "a,C:\\Program Files\\Demo\na,C:\\Program Files\n");
  // A failed installation keeps its temporary log for the rollback.
  std::string finalPath = folder + "\\Remove.log";
  EndLog(temporary, finalPath.c_str(), false);
  EXPECT_TRUE(files::Exists(temporary));
  EXPECT_FALSE(files::Exists(finalPath));
  FreeBlock(temporary);
}

TEST_F(LogTest, HeaderNamesAreKeptTwiceAndLongFacesBecomeTheDefault) {
  SetString(&Model.productName, "Demo Application 2.0");
  SetString(&Model.titleFontFace, "A Face Name Of Thirty-Two Chars!");
  SetString(&Model.normalFontFace, nullptr);
  Model.dialogSetOffset = 0;
  char* temporary = StartTemporaryLog();
  ASSERT_NE(temporary, nullptr);
  EXPECT_EQ(FileText(temporary), "=== Corvelsetup log file ===\nDemo Application 2.0\nDemo Application 2.0\n"
                                 "0,0xC88C00,0x2000000,0xFFFFFF,0x1000000,MS Sans Serif,0xFF,"
                                 "MS Sans Serif,0x0\n");
  EndLog(temporary, nullptr, true);
  FreeBlock(temporary);
}

TEST_F(LogTest, FieldsWithACommaTakeTheOtherSeparatorAndBackupsStayOutOfTheFinalLog) {
  char* temporary = StartTemporaryLog();
  ASSERT_NE(temporary, nullptr);
  const char* withComma[] = {"2", "Software\\Demo,1"};
  const char* plain[] = {"2", "Software\\Demo"};
  const char* backup[] = {"C:\\Demo, Inc\\a.txt", "C:\\Demo, Inc\\KVZ1.tmp"};
  RecordLogEntry('e', 2, withComma, true, true);
  RecordLogEntry('e', 2, plain, true, true);
  RecordLogEntry('i', 2, backup, true, false);
  RecordLogLine("b", "C:\\Demo, Inc\\readme.txt", true, false);
  std::string entries = "e\x1F" "2\x1FSoftware\\Demo,1\ne,2,Software\\Demo\n";
  std::string backupLine = "i\x1F" "C:\\Demo, Inc\\a.txt\x1F" "C:\\Demo, Inc\\KVZ1.tmp\n";
  std::string file = "b,C:\\Demo, Inc\\readme.txt\n";
  EXPECT_EQ(FileText(temporary), Header + entries + backupLine + file);
  std::string finalPath = folder + "\\Remove.log";
  EndLog(temporary, finalPath.c_str(), true);
  FreeBlock(temporary);
  EXPECT_EQ(FileText(finalPath.c_str()), Header + entries + file);
}

TEST(LogPaths, FinalLogIsNamedAfterTheUninstaller) {
  char* path = FinalLogPath("C:\\Demo.App\\Remove.exe");
  EXPECT_STREQ(path, "C:\\Demo.App\\Remove.log");
  FreeBlock(path);
  path = FinalLogPath("C:\\Demo.App\\Remove");
  EXPECT_STREQ(path, "C:\\Demo.App\\Remove.log");
  FreeBlock(path);
}

// --- Reading ---------------------------------------------------------------

TEST_F(LogTest, ReadsHeaderIntoTheModelAndWalksEntriesLastFirst) {
  std::string path = Write("read.log", Header + "a,C:\\Demo\nx,C:\\Demo\\skip.txt\n\nb,C:\\Demo\\a.txt\n"
                                                "e,2,Software\\Demo,1\nb,C:\\Demo\\lost.txt");
  SetString(&Model.displayName, "old");
  ASSERT_TRUE(ReadInstallLog(path.c_str(), FieldList));
  EXPECT_STREQ(Model.displayName, "Demo Application 2.0");
  EXPECT_STREQ(Model.productName, "DemoApp");
  EXPECT_EQ(Model.dialogSetOffset, 20u);
  EXPECT_EQ(Model.accentColour, 0x00C88C00u);
  EXPECT_EQ(Model.headerColour, 0x02000000u);
  EXPECT_EQ(Model.pageColour, 0x00FFFFFFu);
  EXPECT_EQ(Model.bandColour, 0x01000000u);
  EXPECT_STREQ(Model.titleFontFace, "Tahoma");
  EXPECT_EQ(Model.titleTextColour, 0xFFu);
  EXPECT_STREQ(Model.normalFontFace, "Verdana");
  // The last entry has no line feed and is lost; the blank line counts.
  EXPECT_EQ(LogEntryCount, 5);

  EXPECT_EQ(NextLogEntry(FieldList), 'e');
  EXPECT_STREQ(Field(FieldList, 0), "2");
  EXPECT_STREQ(Field(FieldList, 1), "Software\\Demo");
  EXPECT_STREQ(Field(FieldList, 2), "1");
  EXPECT_EQ(NextLogEntry(FieldList), 'b');
  EXPECT_STREQ(Field(FieldList, 0), "C:\\Demo\\a.txt");
  EXPECT_EQ(NextLogEntry(FieldList), 'a');   // blank line and "x" passed over
  EXPECT_STREQ(Field(FieldList, 0), "C:\\Demo");
  EXPECT_EQ(NextLogEntry(FieldList), 0);
  EXPECT_EQ(NextLogEntry(FieldList), 0);
}

TEST_F(LogTest, StructuralFaultsRejectTheLogAndLeaveTheModel) {
  SetString(&Model.displayName, "unchanged");
  std::string crlf = "=== Corvelsetup log file ===\r\nDemo\r\nDemoApp\r\n0,0,0,0,0,Tahoma,0,Tahoma,0\r\n"
                     "b,C:\\Demo\\a.txt\r\n";
  const std::string faulty[] = {
      "=== CORVELSETUP LOG FILE ===\nDemo\nDemoApp\n0,0,0,0,0,Tahoma,0,Tahoma,0\nb,C:\\a\n",
      crlf,
      "=== Corvelsetup log file ===\nDemo\nDemoApp\n0,0,0,0,0,Tahoma,0,Tahoma,0",
      "=== Corvelsetup log file ===\nDemo\nDemoApp\n",
      "=== Corvelsetup log file ===",
      "",
  };
  for (const std::string& text : faulty) {
    EXPECT_FALSE(ReadInstallLog(Write("faulty.log", text).c_str(), FieldList)) << text;
    EXPECT_STREQ(Model.displayName, "unchanged");
  }
  EXPECT_FALSE(ReadInstallLog((folder + "\\missing.log").c_str(), FieldList));
  // A log with header only is valid and has no entries.
  ASSERT_TRUE(ReadInstallLog(Write("empty.log", Header).c_str(), FieldList));
  EXPECT_EQ(LogEntryCount, 0);
  EXPECT_EQ(NextLogEntry(FieldList), 0);
}

TEST_F(LogTest, FontFacesTooLongForTheAppearanceBecomeTheDefault) {
  std::string path = Write("fonts.log", "=== Corvelsetup log file ===\nD\nP\n"
                                        "0,1,2,3,4,A Face Name Of Thirty-Two Chars!,5,Arial,6\n");
  ASSERT_TRUE(ReadInstallLog(path.c_str(), FieldList));
  EXPECT_EQ(Model.dialogSetOffset, 0u);
  EXPECT_EQ(Model.bandColour, 4u);
  EXPECT_STREQ(Model.titleFontFace, "MS Sans Serif");
  EXPECT_STREQ(Model.normalFontFace, "Arial");
  EXPECT_EQ(Model.normalTextColour, 6u);
}

TEST(LogEntries, PathKindsTakeTheWholeRestOfTheLine) {
  for (const char* line : {"a,C:\\Demo, Inc", "b,C:\\Demo, Inc\\a,b.txt", "g,C:\\x,y.dll", "h,C:\\A,B.lnk"}) {
    ASSERT_EQ(ParseLogEntry(FieldList, line), line[0]) << line;
    EXPECT_STREQ(Field(FieldList, 0), line + 2);
    EXPECT_STREQ(Field(FieldList, 1), "");
  }
  EXPECT_EQ(ParseLogEntry(FieldList, "b,"), 0);
  EXPECT_EQ(ParseLogEntry(FieldList, "b"), 0);
  EXPECT_EQ(ParseLogEntry(FieldList, "bC:\\x"), 0);
}

TEST(LogEntries, CompositeKindsWithShiftedFieldsArePassedOver) {
  EXPECT_EQ(ParseLogEntry(FieldList, "c,2,Software\\Demo,Path"), 'c');
  EXPECT_EQ(ParseLogEntry(FieldList, "c,2,Software\\Demo,"), 'c');
  EXPECT_EQ(ParseLogEntry(FieldList, "c,2,Software\\Demo,Pa,th"), 0);
  EXPECT_EQ(ParseLogEntry(FieldList, "c,2,Soft,ware\\Demo,"), 0);
  EXPECT_EQ(ParseLogEntry(FieldList, "e,2,Software\\Demo"), 'e');
  EXPECT_EQ(ParseLogEntry(FieldList, "e,2,Software\\Demo,0"), 'e');
  EXPECT_EQ(ParseLogEntry(FieldList, "e,2,Software\\Demo, Inc"), 0);
  EXPECT_EQ(ParseLogEntry(FieldList, "e,2,Software\\Demo,10"), 0);
  EXPECT_EQ(ParseLogEntry(FieldList, "e,2,Uninstall\\Demo, Inc,1"), 0);
  ASSERT_EQ(ParseLogEntry(FieldList, "d,open,C:\\Demo\\bye.txt"), 'd');
  EXPECT_STREQ(Field(FieldList, 1), "C:\\Demo\\bye.txt");
  EXPECT_STREQ(Field(FieldList, 5), "");
  EXPECT_EQ(ParseLogEntry(FieldList, "d,C:\\Demo\\run.exe,/x,C:\\Demo,1,0,1"), 'd');
  EXPECT_EQ(ParseLogEntry(FieldList, "d,C:\\Demo,Inc\\run.exe,/x,C:\\Demo,1,0,1"), 0);
  EXPECT_EQ(ParseLogEntry(FieldList, "f,C:\\Demo\\x.dll,DllUnregisterServer,,,0"), 'f');
  EXPECT_EQ(ParseLogEntry(FieldList, "f,C:\\Demo,Inc\\x.dll,DllUnregisterServer,,,0"), 0);
  // More than 15 fields never reach an action.
  EXPECT_EQ(ParseLogEntry(FieldList, "d,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16"), 0);
  EXPECT_EQ(ParseLogEntry(FieldList, "i,C:\\Demo"), 0);
  EXPECT_EQ(ParseLogEntry(FieldList, "i,C:\\Demo\\a.txt,C:\\Demo\\KVZ1.tmp"), 'i');
  EXPECT_EQ(ParseLogEntry(FieldList, "j,2,Software\\Demo,Name,1,6100,00"), 0);
  // The other separator lets a field hold commas.
  ASSERT_EQ(ParseLogEntry(FieldList, "j\x1F" "2\x1FSoftware\\Demo, Inc\x1FPa,th\x1F" "1\x1F" "6100"), 'j');
  EXPECT_STREQ(Field(FieldList, 1), "Software\\Demo, Inc");
  EXPECT_STREQ(Field(FieldList, 2), "Pa,th");
  EXPECT_STREQ(Field(FieldList, 4), "6100");
  EXPECT_EQ(ParseLogEntry(FieldList, "e\x1F" "2\x1FUninstall\\Demo, Inc\x1F" "1"), 'e');
  EXPECT_EQ(ParseLogEntry(FieldList, "e\x1F" "2\x1FUninstall\\Demo, Inc\x1F" "1\x1Fx"), 0);
  EXPECT_EQ(ParseLogEntry(FieldList, "A,C:\\Demo"), 0);
}

TEST_F(LogTest, RecordedLogReadsBackWithCommaPathsWhole) {
  char* temporary = StartTemporaryLog();
  ASSERT_NE(temporary, nullptr);
  RecordLogLine("a", "C:\\Demo, Inc", true, true);
  RecordLogLine("b", "C:\\Demo, Inc\\app.exe", false, false);
  std::string finalPath = folder + "\\Remove.log";
  EndLog(temporary, finalPath.c_str(), true);
  FreeBlock(temporary);
  ASSERT_TRUE(ReadInstallLog(finalPath.c_str(), FieldList));
  EXPECT_EQ(LogEntryCount, 2);
  EXPECT_EQ(NextLogEntry(FieldList), 'b');
  EXPECT_STREQ(Field(FieldList, 0), "C:\\Demo, Inc\\app.exe");
  EXPECT_EQ(NextLogEntry(FieldList), 'a');
  EXPECT_STREQ(Field(FieldList, 0), "C:\\Demo, Inc");
}
