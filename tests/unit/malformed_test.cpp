// Malformed input read in place: thousands of mutated install scripts through
// the record walk, the loader and the settling of the variables, and mutated
// install logs through the log reader and the reverse walk over its entries.
// A script is read from a buffer that ends at an inaccessible page, so that a
// read past its end stops the program instead of passing unseen; a run that
// takes too long counts as a hang. CORVEL_MUTATIONS sets the count per kind.
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/heap.h"
#include "common/text.h"
#include "engine/variables.h"
#include "package/package.h"
#include "records.h"
#include "script/model.h"
#include "startup/process.h"
#include "support/files.h"
#include "uninstall/log.h"

namespace {

int Mutations() {
  const char* text = getenv("CORVEL_MUTATIONS");
  int count = text ? atoi(text) : 0;
  return count > 0 ? count : 10000;
}

struct Random {
  std::uint64_t state;
  std::uint32_t Next() {
    state = state * 6364136223846793005ULL + 1442695040888963407ULL;
    return (std::uint32_t)(state >> 33);
  }
  std::uint32_t Below(std::uint32_t limit) { return limit ? Next() % limit : 0; }
};

// What the mutator is doing, for the report of a crash.
const char* currentKind = "";
int currentCase = -1;

LONG CALLBACK ReportCrash(EXCEPTION_POINTERS* exception) {
  if (exception->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION ||
      exception->ExceptionRecord->ExceptionCode == EXCEPTION_STACK_OVERFLOW) {
    fprintf(stderr, "malformed input: %s case %d crashed (code 0x%lx)\n", currentKind, currentCase,
            exception->ExceptionRecord->ExceptionCode);
    fflush(stderr);
    ExitProcess(3);
  }
  return EXCEPTION_CONTINUE_SEARCH;
}

// A copy of bytes whose last byte lies right before an inaccessible page.
class GuardedBuffer {
 public:
  explicit GuardedBuffer(const std::vector<std::uint8_t>& bytes) {
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    size_t page = system.dwPageSize;
    size_t span = (bytes.size() + page - 1) / page * page;
    base_ = (BYTE*)VirtualAlloc(nullptr, span + page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    DWORD old;
    VirtualProtect(base_ + span, page, PAGE_NOACCESS, &old);
    data_ = base_ + span - bytes.size();
    if (!bytes.empty()) std::memcpy(data_, bytes.data(), bytes.size());
  }
  ~GuardedBuffer() { VirtualFree(base_, 0, MEM_RELEASE); }
  const BYTE* data() const { return data_; }

 private:
  BYTE* base_;
  BYTE* data_;
};

std::vector<std::uint8_t> FullScript() {
  corvel::ProductRecord product;
  product.productName = "Malformed";
  product.displayName = "Malformed Input %Version%";
  product.normalFont = "Tahoma,0x102030";
  product.titleFont = "Verdana,0x405060";
  product.installPathSource = "HKLM,Software\\Malformed,Path";
  product.launchFile1 = "%InstallPath%\\readme.txt";
  product.options2 = 0x3F;
  corvel::RequirementsRecord requirements;
  requirements.windows = "95";
  requirements.internetExplorer = "4.0";
  std::vector<corvel::Record> records = {
      corvel::variableRecord("%Version%", "2.0"),
      corvel::variableRecord("%InstallPath%", "<ProgramFiles>\\%Name%"),
      corvel::variableRecord("%Name%", "Demo %Version%"),
      corvel::pageSwitchesRecord({1, 1, 1, 1, 0, 0, 1, 1, 1, 1, 1, 1}),
      corvel::licenceRecord("Licence text"),
      corvel::readmeRecord("Readme text"),
      corvel::languagesRecord(1, {9, 7, 12}),
      corvel::stringRecord(9, 1, 0, "Welcome to %Name%"),
      corvel::stringRecord(7, 1, 0, "Willkommen"),
      corvel::stringRecord(9, corvel::kGroupMessages, 6, "In use %s"),
      corvel::stringRecord(9, corvel::kGroupErrors, 21, "Folder %s %s"),
      corvel::stringRecord(9, corvel::kGroupButtons, 1, "&Next >"),
      corvel::gradientRecord(0x0000FF, 0x000000),
      corvel::accentColourRecord(0x00C88C00),
      corvel::productRecord(product),
      corvel::shortcutRecord("%ShortcutsGroup%\\Demo.lnk,%InstallPath%\\demo.exe,,,,0,1"),
      corvel::registryRecord("2,Software\\Demo,Path,1,%InstallPath%"),
      corvel::iniRecord("<Windows>\\demo.ini,Section,Key,Value,0"),
      corvel::programRecord("%InstallPath%\\setup2.exe,/quiet,,3,1,1,0"),
      corvel::dllCallRecord("%InstallPath%\\demo.dll,DllRegisterServer,,,-1,1"),
      corvel::associationRecord(".dmo,Demo.File,text/plain,Demo file,,%InstallPath%\\demo.exe %1"),
      corvel::requirementsRecord(requirements),
      corvel::backgroundTextRecord("\"%Name%\",10,10,Arial,24,0xFFFFFF"),
  };
  return corvel::serializeRecords(records, true);
}

// One mutation of the bytes: flipped bytes, an odd size or count, a cut, a
// repeated or removed slice, or a string that loses its end.
std::vector<std::uint8_t> Mutate(std::vector<std::uint8_t> bytes, Random& random) {
  static const std::uint32_t numbers[] = {0,          1,          2,          3,          4,
                                          0x7FFFFFFF, 0x80000000, 0xFFFFFFFE, 0xFFFFFFFF, 0x0000FFFF,
                                          97,         98,         0x7FFFFFF0, 12,         0x10000};
  int steps = 1 + random.Below(4);
  for (int step = 0; step < steps && !bytes.empty(); step++) {
    size_t at = random.Below((std::uint32_t)bytes.size());
    switch (random.Below(7)) {
      case 0:
        bytes[at] ^= (std::uint8_t)(1 << random.Below(8));
        break;
      case 1:
        bytes[at] = (std::uint8_t)random.Next();
        break;
      case 2:
        if (at + 4 <= bytes.size()) {
          std::uint32_t value = numbers[random.Below(std::size(numbers))];
          std::memcpy(&bytes[at], &value, 4);
        }
        break;
      case 3:
        bytes.resize(at);
        break;
      case 4: {
        size_t length = 1 + random.Below(64);
        std::vector<std::uint8_t> slice(bytes.begin() + at, bytes.begin() + std::min(bytes.size(), at + length));
        bytes.insert(bytes.begin() + random.Below((std::uint32_t)bytes.size()), slice.begin(), slice.end());
        break;
      }
      case 5:
        bytes.erase(bytes.begin() + at, bytes.begin() + std::min(bytes.size(), at + 1 + random.Below(16)));
        break;
      default:
        for (size_t i = at; i < bytes.size(); i++)
          if (!bytes[i]) {
            bytes[i] = (std::uint8_t)('A' + random.Below(26));
            break;
          }
    }
  }
  return bytes;
}

void ResetModel() {
  if (Model.languageIds) PointerArray.Destroy(Model.languageIds);
  DestroyModel();
  DestroyVariableTable();
  ZeroMemory(&Model, sizeof(Model));
  CreateModelLists();
  Model.languageIds = (StringList)PointerArray.Create(10);
  CreateVariableTable();
}

class Malformed : public testing::Test {
 protected:
  static void SetUpTestSuite() { AddVectoredExceptionHandler(1, ReportCrash); }
  void SetUp() override {
    ResetModel();
    for (int position = 0; position < FolderKeywordCount; position++)
      AppendItem(FolderCache, ("C:\\K" + std::to_string(position)).c_str());
  }
  void TearDown() override {
    if (Model.languageIds) PointerArray.Destroy(Model.languageIds);
    Model.languageIds = nullptr;
    DestroyModel();
    DestroyVariableTable();
    FreeInstallLog();
  }
};

TEST_F(Malformed, MutatedScriptsNeitherCrashNorHangNorReadPastTheirEnd) {
  const std::vector<std::uint8_t> script = FullScript();
  Random random{1};
  int count = Mutations(), slow = 0, loaded = 0;
  currentKind = "script";
  for (currentCase = 0; currentCase < count; currentCase++) {
    std::vector<std::uint8_t> bytes = Mutate(script, random);
    GuardedBuffer buffer(bytes);
    DWORD start = GetTickCount();
    WalkScriptRecords(buffer.data(), (DWORD)bytes.size());
    SettleVariables();
    char* expanded = ExpandVariables(LookupText(1, 0));
    FreeBlock(expanded);
    if (GetTickCount() - start > 10000) slow++;
    if (Model.productName) loaded++;
    // A fresh model only now and then: most cases load over the last one,
    // as later records override earlier ones.
    if (currentCase % 50 == 49) {
      ResetModel();
      for (int position = 0; position < FolderKeywordCount; position++)
        AppendItem(FolderCache, ("C:\\K" + std::to_string(position)).c_str());
    }
  }
  EXPECT_EQ(slow, 0);
  // The mutations leave most scripts loadable: the loader was exercised.
  EXPECT_GT(loaded, count / 2);
}

TEST_F(Malformed, TheWholeStreamCutAtEveryLengthStillWalks) {
  const std::vector<std::uint8_t> script = FullScript();
  currentKind = "cut script";
  for (currentCase = 0; currentCase <= (int)script.size(); currentCase++) {
    std::vector<std::uint8_t> bytes(script.begin(), script.begin() + currentCase);
    GuardedBuffer buffer(bytes);
    WalkScriptRecords(buffer.data(), (DWORD)bytes.size());
  }
  EXPECT_STREQ(Model.productName, "Malformed");
}

std::string FullLog() {
  return "=== Corvelsetup log file ===\nMalformed Input 2.0\nMalformed\n"
         "0,0xC88C00,0x0,0xFFFFFF,0x1000000,Tahoma,0x0,Verdana,0x0\n"
         "a,C:\\Demo\nb,C:\\Demo\\demo.exe\nb,C:\\Demo\\a,b.txt\ng,C:\\Windows\\System\\shared.dll\n"
         "h,C:\\Menu\\Demo.lnk\nc,2,Software\\Demo,Path\ne,2,Software\\Demo\ne,0,.dmo,1\n"
         "d,C:\\Demo\\cleanup.exe,/all,C:\\Demo,1,1,0\nf,C:\\Demo\\demo.dll,DllUnregisterServer,,,1\n"
         "b,C:\\Demo\\uninstall.exe\nb,C:\\Demo\\uninstall.log\n"
         "e,2,Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Malformed,1\n";
}

TEST_F(Malformed, MutatedLogsNeitherCrashNorHangAndEveryEntryHandedOutIsWellFormed) {
  const std::string log = FullLog();
  std::string folder = files::MakeTemporaryFolder("corvel-malformed");
  std::string path = folder + "\\uninstall.log";
  StringList fields = nullptr;
  CreateList(&fields, 15);
  Random random{2};
  int count = Mutations(), read = 0, entries = 0, bad = 0, slow = 0;
  currentKind = "log";
  for (currentCase = 0; currentCase < count; currentCase++) {
    std::vector<std::uint8_t> bytes = Mutate(std::vector<std::uint8_t>(log.begin(), log.end()), random);
    // Line breaks and commas are what the log's structure hangs on.
    if (random.Below(3) == 0 && !bytes.empty()) bytes[random.Below((std::uint32_t)bytes.size())] = ",\n\r"[random.Below(3)];
    ASSERT_TRUE(files::Write(path, bytes));
    DWORD start = GetTickCount();
    if (ReadInstallLog(path.c_str(), fields)) {
      read++;
      int handed = 0;
      for (char kind; (kind = NextLogEntry(fields)) != 0; handed++) {
        entries++;
        // The actions are only recorded: each entry must name something.
        if (kind < 'a' || kind > 'h' || !*Field(fields, 0)) bad++;
        if ((kind == 'c' || kind == 'e') && !Field(fields, 1)[strspn(Field(fields, 1), "\\")]) bad++;
        if (handed > LogEntryCount) {
          bad++;
          break;
        }
      }
      FreeInstallLog();
    }
    if (GetTickCount() - start > 10000) slow++;
  }
  DestroyList(&fields);
  files::RemoveTree(folder);
  EXPECT_EQ(bad, 0);
  EXPECT_EQ(slow, 0);
  EXPECT_GT(read, count / 4);
  EXPECT_GT(entries, read);
}

TEST_F(Malformed, RandomLinesParseAsAnEntryOnlyWhenWellFormed) {
  StringList fields = nullptr;
  CreateList(&fields, 15);
  Random random{3};
  currentKind = "line";
  const char alphabet[] = "abcdefgh,,,,01\\:. x";
  for (currentCase = 0; currentCase < Mutations(); currentCase++) {
    std::string line;
    for (std::uint32_t i = 0, length = random.Below(40); i < length; i++)
      line += alphabet[random.Below(sizeof alphabet - 1)];
    char kind = ParseLogEntry(fields, line.c_str());
    if (!kind) continue;
    ASSERT_GE(line.size(), 3u) << line;
    if (kind == 'c' || kind == 'e') EXPECT_NE(Field(fields, 1)[strspn(Field(fields, 1), "\\")], 0) << line;
    EXPECT_EQ(kind, line[0]) << line;
    EXPECT_EQ(line[1], ',') << line;
    EXPECT_NE(*Field(fields, 0), 0) << line;
  }
  DestroyList(&fields);
}

// Found by the mutations: entries that would have named a whole root key.
TEST_F(Malformed, EntriesWithoutARootKeyPathProgramOrLibraryAreNotActedOn) {
  StringList fields = nullptr;
  CreateList(&fields, 15);
  for (const char* line : {"e,0,,1", "e,2,\\,1", "e,,Software\\Demo,1", "c,,Software\\Demo,Path", "c,2,,Path",
                           "c,1,\\\\,", "d,", "d,,/quiet", "f,", "f,,DllUnregisterServer"})
    EXPECT_EQ(ParseLogEntry(fields, line), 0) << line;
  EXPECT_EQ(ParseLogEntry(fields, "e,2,Software\\Demo,1"), 'e');
  EXPECT_EQ(ParseLogEntry(fields, "c,2,\\Software\\Demo,"), 'c');
  EXPECT_EQ(ParseLogEntry(fields, "d,C:\\Demo\\cleanup.exe"), 'd');
  DestroyList(&fields);
}

}  // namespace
