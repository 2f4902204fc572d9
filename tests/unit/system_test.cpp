// The registry, INI and association phases: every data conversion, key
// paths logged prefix by prefix and removed again, the rollback rule for
// values and files that were there before, INI appends and removals, the
// association keys, and the SharedDLLs counter.
#include "common/text.h"
#include "engine/backup.h"
#include "engine/registry.h"
#include "engine/system.h"
#include "engine_fixture.h"
#include "saved_registry.h"

namespace {

const char TestKey[] = "Software\\CorvelEngineTest";

struct RawValue {
  DWORD type = 0;
  std::vector<BYTE> bytes;
  bool operator==(const RawValue& other) const { return type == other.type && bytes == other.bytes; }
};

RawValue Read(HKEY root, const std::string& key, const char* name) {
  RawValue value;
  HKEY handle;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &handle)) return value;
  BYTE buffer[512];
  DWORD size = sizeof buffer;
  if (!RegQueryValueExA(handle, name, nullptr, &value.type, buffer, &size)) value.bytes.assign(buffer, buffer + size);
  RegCloseKey(handle);
  return value;
}

RawValue Raw(DWORD type, std::vector<BYTE> bytes) { return {type, bytes}; }
RawValue Text(DWORD type, const std::string& text) {
  return {type, std::vector<BYTE>(text.c_str(), text.c_str() + text.size() + 1)};
}

bool KeyExists(HKEY root, const std::string& key) {
  HKEY handle;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE, &handle)) return false;
  RegCloseKey(handle);
  return true;
}

class Registry : public EngineTest {
 protected:
  SavedValue saved{HKEY_CURRENT_USER, TestKey, nullptr};
  bool Apply(const std::string& record) { return ApplyRegistryRecord(record.c_str(), nullptr, fields); }
};

TEST_F(Registry, RootKeyNamesBothWays) {
  const char* names[] = {"HKCR", "HKCU", "HKLM", "HKU", "HKPD", "HKCC", "HKDD"};
  for (DWORD n = 0; n < 7; n++) {
    HKEY root = RootKeyFromName(names[n]);
    EXPECT_EQ((DWORD)(ULONG_PTR)root, 0x80000000 + n);
    EXPECT_STREQ(RootKeyName(root), names[n]);
  }
  EXPECT_EQ(RootKeyFromName("hklm"), HKEY_LOCAL_MACHINE);
  EXPECT_EQ(RootKeyFromName("HKEY"), nullptr);
  EXPECT_STREQ(RootKeyName((HKEY)(LONG_PTR)(LONG)0x80000007), "");
  EXPECT_STREQ(RootKeyName(nullptr), "");
}

TEST_F(Registry, DataIsConvertedByType) {
  std::string key = std::string("\\") + TestKey + "/";
  ASSERT_TRUE(Apply("1," + key + ",Multi,7,a|b"));
  ASSERT_TRUE(Apply("1," + key + ",Pairs,3,0aFF"));
  ASSERT_TRUE(Apply("1," + key + ",Odd,3,0aF"));
  ASSERT_TRUE(Apply("1," + key + ",Stops,3,12x34"));
  ASSERT_TRUE(Apply("1," + key + ",Number,4,0x10"));
  ASSERT_TRUE(Apply("1," + key + ",Plain,,%InstallPath%"));
  ASSERT_TRUE(Apply("1," + key + ",Expandable,2,%SystemRoot%"));
  ASSERT_TRUE(Apply("1," + key + ",,1,default"));
  ASSERT_TRUE(Apply("1," + key + ",BigEndian,5,1"));

  EXPECT_EQ(Read(HKEY_CURRENT_USER, TestKey, "Multi"), Raw(REG_MULTI_SZ, {'a', 0, 'b', 0, 0}));
  EXPECT_EQ(Read(HKEY_CURRENT_USER, TestKey, "Pairs"), Raw(REG_BINARY, {0x0A, 0xFF}));
  EXPECT_EQ(Read(HKEY_CURRENT_USER, TestKey, "Odd"), Raw(REG_BINARY, {0x0A, 0xF0}));
  EXPECT_EQ(Read(HKEY_CURRENT_USER, TestKey, "Stops"), Raw(REG_BINARY, {0x12}));
  EXPECT_EQ(Read(HKEY_CURRENT_USER, TestKey, "Number"), Raw(REG_DWORD, {16, 0, 0, 0}));
  EXPECT_EQ(Read(HKEY_CURRENT_USER, TestKey, "Plain"), Text(REG_SZ, folder));
  EXPECT_EQ(Read(HKEY_CURRENT_USER, TestKey, "Expandable"), Text(REG_EXPAND_SZ, "%SystemRoot%"));
  EXPECT_EQ(Read(HKEY_CURRENT_USER, TestKey, nullptr), Text(REG_SZ, "default"));
  // A type outside the table is passed over without a question.
  EXPECT_EQ(Read(HKEY_CURRENT_USER, TestKey, "BigEndian").type, 0u);
  EXPECT_TRUE(InstallSucceeded);

  std::vector<std::string> written = Written();
  EXPECT_TRUE(Holds(written, std::string("c,1,") + TestKey + ",Multi"));
  EXPECT_TRUE(Holds(written, std::string("c,1,") + TestKey + ","));
  EXPECT_FALSE(Holds(Recorded(), std::string("c,1,") + TestKey + ",BigEndian"));
}

TEST_F(Registry, KeyPathLogsEachCreatedLevelAndTheirRemovalLeavesTheRest) {
  ASSERT_EQ(WriteRegistryText(HKEY_CURRENT_USER, TestKey, "Before", "x"), 0u);
  std::string deep = std::string(TestKey) + "\\Three\\Four\\Five";
  ASSERT_TRUE(Apply("1," + deep + ",Value,,v"));

  std::vector<std::string> created;
  for (const std::string& line : Written())
    if (line.rfind("e,", 0) == 0) created.push_back(line);
  std::string base = std::string("e,1,") + TestKey;
  EXPECT_EQ(created, (std::vector<std::string>{base + "\\Three", base + "\\Three\\Four", base + "\\Three\\Four\\Five"}));

  // Undone last line first, as the uninstaller does: the value, then each key while empty.
  EXPECT_EQ(DeleteRegistryValue(HKEY_CURRENT_USER, deep.c_str(), "Value", false), 0u);
  for (auto line = created.rbegin(); line != created.rend(); ++line)
    EXPECT_EQ(DeleteRegistryKeyTree(HKEY_CURRENT_USER, line->c_str() + 4, false), 0u) << *line;
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, std::string(TestKey) + "\\Three"));
  EXPECT_EQ(Read(HKEY_CURRENT_USER, TestKey, "Before"), Text(REG_SZ, "x"));
}

TEST_F(Registry, KeyTreeGoesOnlyWhenEmptyOrForced) {
  std::string tree = std::string(TestKey) + "\\Tree";
  ASSERT_EQ(WriteRegistryText(HKEY_CURRENT_USER, (tree + "\\A\\Deep").c_str(), "v", "1"), 0u);
  ASSERT_EQ(WriteRegistryText(HKEY_CURRENT_USER, (tree + "\\B").c_str(), "v", "2"), 0u);
  EXPECT_EQ(DeleteRegistryKeyTree(HKEY_CURRENT_USER, tree.c_str(), false), 0u);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, tree + "\\A\\Deep"));
  EXPECT_EQ(DeleteRegistryKeyTree(HKEY_CURRENT_USER, ("\\\\" + tree).c_str(), true), 0u);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, tree));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, TestKey));
  EXPECT_NE(DeleteRegistryKeyTree(HKEY_CURRENT_USER, tree.c_str(), true), 0u) << "a missing key is an error";
  // An empty path would be the whole root.
  EXPECT_EQ(DeleteRegistryKeyTree(HKEY_CURRENT_USER, "\\", true), (DWORD)ERROR_INVALID_PARAMETER);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software"));
}

TEST_F(Registry, ValueAndKeyThatExistedReachOnlyTheFinalLog) {
  ASSERT_EQ(WriteRegistryText(HKEY_CURRENT_USER, TestKey, "Old", "before"), 0u);
  ASSERT_TRUE(Apply(std::string("1,") + TestKey + ",Old,,after"));
  ASSERT_TRUE(Apply(std::string("1,") + TestKey + ",New,,fresh"));
  EXPECT_EQ(Read(HKEY_CURRENT_USER, TestKey, "Old"), Text(REG_SZ, "after"));
  std::string old = std::string("c,1,") + TestKey + ",Old", fresh = std::string("c,1,") + TestKey + ",New";
  std::string key = std::string("e,1,") + TestKey;
  EXPECT_TRUE(Holds(Recorded(), old));
  EXPECT_TRUE(Holds(Recorded(), key));
  std::vector<std::string> written = Written();
  EXPECT_FALSE(Holds(written, old));
  EXPECT_FALSE(Holds(written, key));
  EXPECT_TRUE(Holds(written, fresh));
}

TEST_F(Registry, KeyThatCannotBeMadeAsksWithTheKeyName) {
  SetErrorText(24, "Cannot create the key %s. %s");
  std::string question;
  EXPECT_TRUE(AnswerQuestion([&] { return Apply("9,Software\\Nowhere,V,,x"); }, IDYES, &question));
  EXPECT_EQ(question.rfind("Cannot create the key \\Software\\Nowhere. ", 0), 0u) << question;
  EXPECT_FALSE(InstallSucceeded);
  EXPECT_FALSE(AnswerQuestion([&] { return Apply("9,Software\\Nowhere,V,,x"); }, IDNO, &question));
}

class Ini : public EngineTest {
 protected:
  bool Apply(const std::string& record) { return ApplyIniRecord(record.c_str(), nullptr, fields); }
  static std::string Get(const std::string& path, const char* section, const char* key) {
    char value[256];
    GetPrivateProfileStringA(section, key, "<none>", value, sizeof value, path.c_str());
    return value;
  }
};

TEST_F(Ini, NewFileIsLoggedValuesAppendAndEntriesGo) {
  std::string path = folder + "\\Settings\\app.ini";
  ASSERT_TRUE(Apply(path + ",Main,Key,one"));
  EXPECT_TRUE(Holds(Recorded(), "b," + path));
  ASSERT_TRUE(Apply(path + ",Main,Key,two,1"));
  EXPECT_EQ(Get(path, "Main", "Key"), "onetwo");
  ASSERT_TRUE(Apply(path + ",Main,Key,three,0"));
  EXPECT_EQ(Get(path, "Main", "Key"), "three");
  ASSERT_TRUE(Apply(path + ",Main,Other,%InstallPath%"));
  EXPECT_EQ(Get(path, "Main", "Other"), folder);
  ASSERT_TRUE(Apply(path + ",Main,Key,"));
  EXPECT_EQ(Get(path, "Main", "Key"), "<none>");
  EXPECT_EQ(Get(path, "Main", "Other"), folder);
  ASSERT_TRUE(Apply(path + ",Main,,"));
  EXPECT_EQ(Get(path, "Main", "Other"), "<none>");
  int fileLines = 0;
  for (const std::string& line : Written()) fileLines += line == "b," + path;
  EXPECT_EQ(fileLines, 1);
}

TEST_F(Ini, FileThatExistedIsNotLogged) {
  std::string path = folder + "\\old.ini";
  files::Write(path, {'[', 'A', ']', '\r', '\n'});
  ASSERT_TRUE(Apply(path + ",A,K,v"));
  EXPECT_EQ(Get(path, "A", "K"), "v");
  EXPECT_TRUE(Recorded().empty());
}

TEST_F(Ini, BareNameLivesInTheWindowsFolderAndIsKeptLikeAnyOtherWhenItWasThere) {
  char windows[MAX_PATH];
  ASSERT_NE(GetWindowsDirectoryA(windows, MAX_PATH), 0u);
  std::string path = std::string(windows) + "\\corvelengine.ini";
  DeleteFileA(path.c_str());
  ASSERT_TRUE(Apply("corvelengine.ini,Section,Key,value"));
  EXPECT_EQ(Get(path, "Section", "Key"), "value");
  // Now there, as win.ini always is: moved aside for the rollback, a copy written into.
  ASSERT_TRUE(Apply("corvelengine.ini,Section,Key,other"));
  EXPECT_EQ(Get(path, "Section", "Key"), "other");
  std::vector<std::string> written = Written();
  ASSERT_EQ(written.size(), 2u) << testing::PrintToString(written);
  EXPECT_EQ(written[0], "b," + path);
  ASSERT_EQ(written[1].rfind("i," + path + ",", 0), 0u) << written[1];
  std::string backup = written[1].substr(path.size() + 3);
  EXPECT_EQ(Get(backup, "Section", "Key"), "value");
  EndBackups(true);
  EXPECT_FALSE(files::Exists(backup));
  DeleteFileA(path.c_str());
}

class Associations : public EngineTest {
 protected:
  void TearDown() override {
    DeleteRegistryKeyTree(HKEY_CLASSES_ROOT, ".corvelengine", true);
    DeleteRegistryKeyTree(HKEY_CLASSES_ROOT, "Corvel.EngineTest", true);
    EngineTest::TearDown();
  }
  bool Apply(const std::string& record) { return ApplyAssociationRecord(record.c_str(), nullptr, fields); }
};

TEST_F(Associations, EveryPartIsWrittenAndBothKeysLoggedAsTrees) {
  ASSERT_TRUE(Apply(".corvelengine,Corvel.EngineTest,text/x-corvel,Corvel document,Says %InstallPath%,"
                    "\"viewer.exe\" \"%1\",viewer.exe,-2"));
  EXPECT_EQ(Read(HKEY_CLASSES_ROOT, ".corvelengine", nullptr), Text(REG_SZ, "Corvel.EngineTest"));
  EXPECT_EQ(Read(HKEY_CLASSES_ROOT, ".corvelengine", "Content Type"), Text(REG_SZ, "text/x-corvel"));
  EXPECT_EQ(Read(HKEY_CLASSES_ROOT, "Corvel.EngineTest", nullptr), Text(REG_SZ, "Corvel document"));
  EXPECT_EQ(Read(HKEY_CLASSES_ROOT, "Corvel.EngineTest", "InfoTip"), Text(REG_EXPAND_SZ, "Says " + folder));
  EXPECT_EQ(Read(HKEY_CLASSES_ROOT, "Corvel.EngineTest\\shell\\open\\command", nullptr),
            Text(REG_SZ, "\"viewer.exe\" \"%1\""));
  EXPECT_EQ(Read(HKEY_CLASSES_ROOT, "Corvel.EngineTest\\DefaultIcon", nullptr), Text(REG_SZ, "viewer.exe,-2"));
  EXPECT_EQ(Written(), (std::vector<std::string>{"e,0,.corvelengine,1", "e,0,Corvel.EngineTest,1"}));
}

TEST_F(Associations, WithoutIconAndCommandOnlyTheGivenValues) {
  ASSERT_TRUE(Apply(".corvelengine,Corvel.EngineTest,,Corvel document"));
  EXPECT_EQ(Read(HKEY_CLASSES_ROOT, ".corvelengine", "Content Type"), Text(REG_SZ, ""));
  EXPECT_EQ(Read(HKEY_CLASSES_ROOT, "Corvel.EngineTest", nullptr), Text(REG_SZ, "Corvel document"));
  EXPECT_EQ(Read(HKEY_CLASSES_ROOT, "Corvel.EngineTest", "InfoTip").type, 0u);
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "Corvel.EngineTest\\shell"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "Corvel.EngineTest\\DefaultIcon"));

  DeleteRegistryKeyTree(HKEY_CLASSES_ROOT, "Corvel.EngineTest", true);
  ASSERT_TRUE(Apply(".corvelengine,Corvel.EngineTest"));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "Corvel.EngineTest"));
}

TEST_F(Associations, EmptyNamesAreRefusedBeforeAnythingIsWritten) {
  SetErrorText(30, "Cannot register %s");
  std::string question;
  EXPECT_TRUE(AnswerQuestion([&] { return Apply(".corvelengine,,,Description"); }, IDYES, &question));
  EXPECT_EQ(question, "Cannot register .corvelengine");
  EXPECT_FALSE(AnswerQuestion([&] { return Apply(",Corvel.EngineTest"); }, IDNO, &question));
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ".corvelengine"));
  EXPECT_TRUE(Recorded().empty()) << "an empty key logged as a tree would remove every class";
  EXPECT_TRUE(InstallSucceeded);
}

TEST(SharedCount, CountsUpAndDownToDeletion) {
  const char key[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
  const char path[] = "C:\\Corvel\\engine-test.dll";
  SavedValue saved(HKEY_LOCAL_MACHINE, key, path);
  saved.Delete();
  EXPECT_EQ(AdjustSharedCount(path, true), 0u);
  EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, key, path).type, 0u) << "lowering a missing count writes nothing";
  EXPECT_EQ(AdjustSharedCount(path, false), 1u);
  EXPECT_EQ(AdjustSharedCount(path, false), 2u);
  EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, key, path), Raw(REG_DWORD, {2, 0, 0, 0}));
  EXPECT_EQ(AdjustSharedCount(path, true), 1u);
  EXPECT_EQ(AdjustSharedCount(path, true), 0u);
  EXPECT_EQ(Read(HKEY_LOCAL_MACHINE, key, path).type, 0u);
  EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, key));
}

}  // namespace
