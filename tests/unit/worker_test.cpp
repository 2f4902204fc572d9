// The install worker on a real package in its own file: folders and files at
// their depths, replace rules over existing files, attributes and times,
// shared files, files in use, cancelling at a checkpoint, the uninstaller
// copy, the final log and the uninstall entry; and the folder-path creation
// that the later phases share.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "common/heap.h"
#include "common/paths.h"
#include "engine/delayed.h"
#include "engine/variables.h"
#include "engine/worker.h"
#include "saved_registry.h"
#include "script/model.h"
#include "startup/process.h"
#include "support/files.h"
#include "support/ui_driver.h"
#include "uninstall/log.h"
#include "worker_support.h"

namespace {

const std::string UninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const std::string SharedKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";
const std::string SessionKey = "System\\CurrentControlSet\\Control\\Session Manager";

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

// A stand-in for the stub's image: any bytes with a DOS header will do, and
// a pattern shows that the uninstaller copy is byte for byte the same.
std::vector<std::uint8_t> StubImage() {
  std::vector<std::uint8_t> image(3000);
  for (size_t i = 0; i < image.size(); i++) image[i] = (std::uint8_t)(i * 7 + 3);
  image[0] = 'M';
  image[1] = 'Z';
  return image;
}

FILETIME WriteTime(const std::string& path) {
  FILETIME created = {}, accessed = {}, written = {};
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  GetFileTime(file, &created, &accessed, &written);
  CloseHandle(file);
  return written;
}

void SetWriteTime(const std::string& path, std::uint64_t value) {
  FILETIME time = {(DWORD)value, (DWORD)(value >> 32)};
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  SetFileTime(file, nullptr, nullptr, &time);
  CloseHandle(file);
}

bool Contains(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

std::vector<std::string> TemporaryFiles(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    std::string name = found.cFileName;
    if (name != "." && name != "..") names.push_back(folder + "\\" + name);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

class Worker : public testing::Test {
 protected:
  std::string root, temporary, target;
  std::vector<std::uint8_t> installer;

  void SetUp() override {
    root = files::MakeTemporaryFolder("corvel-worker");
    temporary = root + "\\temp";
    target = root + "\\App";
    CreateDirectoryA(temporary.c_str(), nullptr);
    ZeroMemory(&Model, sizeof(Model));
    ASSERT_TRUE(CreateModelLists());
    ASSERT_NE(nullptr, Model.languageIds = (StringList)PointerArray.Create(10));
    ASSERT_TRUE(CreateVariableTable());
    AppendItem(FolderCache, (root + "\\Special").c_str());
    TemporaryFolder = DuplicateString(temporary.c_str(), 0);
    WorkerGateEvent = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    InstallFinishedEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    InstallSucceeded = true;
    RebootRequired = RestartChosen = DelayedReplacementsPending = false;
  }

  void TearDown() override {
    worker::CloseInstaller();
    worker::ReleaseRunState();
    files::RemoveTree(root);
  }

  bool Load(const corvel::PackageDescription& package, const std::vector<corvel::Record>& records) {
    auto written = corvel::writeInstaller(StubImage(), package, records);
    if (!written.ok()) return false;
    installer = written.value;
    return worker::LoadInstaller(root + "\\setup.exe", installer);
  }

  worker::Outcome Install(const corvel::PackageDescription& package, const std::vector<corvel::Record>& records,
                          const worker::Run& run = {}) {
    if (!Load(package, records)) {
      ADD_FAILURE() << "the installer could not be made";
      return {};
    }
    return worker::Execute(run);
  }

  static corvel::PackageDescription OneGroup(const std::string& folder, std::vector<corvel::Entry> entries) {
    corvel::PackageDescription package;
    corvel::Group group;
    group.folder = folder;
    group.entries = std::move(entries);
    package.groups.push_back(group);
    return package;
  }

  std::string App(const std::string& relative) const { return target + "\\" + relative; }
};

// --- Folders, files, log, uninstaller -----------------------------------------

TEST_F(Worker, PlacesFoldersAndFilesAtTheirDepthsWithTheUninstallerItsLogAndEntry) {
  SavedValue entry(HKEY_LOCAL_MACHINE, UninstallKey + "WorkerDemo", "DisplayName");
  std::string packed(20000, 'p');
  for (size_t i = 0; i < packed.size(); i += 7) packed[i] = (char)('a' + i % 26);
  auto package = OneGroup("%InstallPath%", {worker::RawFile("top.txt", 0, "top"), corvel::folderEntry("sub", 0),
                                            worker::PackedFile("inner.txt", 1, packed),
                                            corvel::folderEntry("deeper", 1), worker::RawFile("deep.txt", 2, "d"),
                                            worker::RawFile("second.txt", 1, "2nd")});
  auto outcome = Install(package, worker::BaseRecords("WorkerDemo", target, true));
  ASSERT_TRUE(outcome.ended);
  EXPECT_TRUE(outcome.succeeded);
  EXPECT_TRUE(outcome.questions.empty());
  EXPECT_EQ(worker::ReadText(App("top.txt")), "top");
  EXPECT_EQ(worker::ReadText(App("sub\\inner.txt")), packed);
  EXPECT_EQ(worker::ReadText(App("sub\\deeper\\deep.txt")), "d");
  EXPECT_EQ(worker::ReadText(App("sub\\second.txt")), "2nd");

  std::string uninstaller = App("uninstall.exe");
  std::vector<std::string> expected = {"a," + target,
                                       "b," + App("top.txt"),
                                       "a," + App("sub"),
                                       "b," + App("sub\\inner.txt"),
                                       "a," + App("sub\\deeper"),
                                       "b," + App("sub\\deeper\\deep.txt"),
                                       "b," + App("sub\\second.txt"),
                                       "b," + uninstaller,
                                       "b," + App("uninstall.log"),
                                       "e,2," + UninstallKey + "WorkerDemo,1"};
  EXPECT_EQ(worker::LogEntries(App("uninstall.log")), expected);
  EXPECT_EQ(worker::ReadText(App("uninstall.log")).substr(0, 28), "=== Corvelsetup log file ===");

  auto copy = corvel::makeUninstallerCopy(installer);
  ASSERT_TRUE(copy.ok());
  EXPECT_EQ(files::Read(uninstaller), copy.value);
  EXPECT_EQ(GetFileAttributesA(uninstaller.c_str()) & FILE_ATTRIBUTE_TEMPORARY, 0u);
  // The temporary log and the temporary copy are gone.
  EXPECT_TRUE(TemporaryFiles(temporary).empty());

  EXPECT_EQ(entry.Text(), "WorkerDemo Display");
  SavedValue command(HKEY_LOCAL_MACHINE, UninstallKey + "WorkerDemo", "UninstallString");
  EXPECT_EQ(command.Text(), "\"" + uninstaller + "\"");

  EXPECT_EQ(WaitForSingleObject(InstallFinishedEvent, 0), (DWORD)WAIT_OBJECT_0);
  EXPECT_TRUE(Contains(outcome.phases, "phase 6"));   // the uninstall entry is a registry change
  EXPECT_TRUE(Contains(outcome.phases, "phase 13"));
  EXPECT_FALSE(Contains(outcome.phases, "phase 5"));  // no shortcuts
  ASSERT_FALSE(outcome.progress.empty());
  EXPECT_EQ(outcome.progress.back(), 100);
  EXPECT_TRUE(std::is_sorted(outcome.progress.begin(), outcome.progress.end()));
  EXPECT_TRUE(Contains(outcome.items, App("sub\\inner.txt")));
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, (UninstallKey + "WorkerDemo").c_str());
}

TEST_F(Worker, WithoutTheUninstallerOptionNoLogUninstallerOrEntryRemains) {
  auto outcome = Install(OneGroup("%InstallPath%", {worker::RawFile("only.txt", 0, "x")}),
                         worker::BaseRecords("WorkerNoUninstaller", target, false));
  ASSERT_TRUE(outcome.succeeded);
  EXPECT_TRUE(files::Exists(App("only.txt")));
  EXPECT_FALSE(files::Exists(App("uninstall.exe")));
  EXPECT_FALSE(files::Exists(App("uninstall.log")));
  HKEY key;
  EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (UninstallKey + "WorkerNoUninstaller").c_str(), 0, KEY_READ, &key),
            ERROR_SUCCESS);
  EXPECT_TRUE(TemporaryFiles(temporary).empty());
  // Without registry entries and without an uninstall entry there is no registry phase.
  EXPECT_FALSE(Contains(outcome.phases, "phase 6"));
}

TEST_F(Worker, FoldersOfTheFolderCacheAreNeverLogged) {
  std::string special = root + "\\Special";
  auto package = OneGroup("%InstallPath%", {worker::RawFile("app.txt", 0, "a")});
  package.groups.push_back(OneGroup(special, {worker::RawFile("in-special.txt", 0, "s")}).groups[0]);
  auto outcome = Install(package, worker::BaseRecords("WorkerSpecial", target, true));
  ASSERT_TRUE(outcome.succeeded);
  auto entries = worker::LogEntries(App("uninstall.log"));
  EXPECT_FALSE(Contains(entries, "a," + special));
  EXPECT_TRUE(Contains(entries, "b," + special + "\\in-special.txt"));
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, (UninstallKey + "WorkerSpecial").c_str());
}

// --- Replace rules -----------------------------------------------------------

struct ReplaceCase {
  std::uint32_t rule, basis;
  int timeStep;       // packaged last-write time against the existing file's: -1, 0, +1
  int versionStep;    // packaged version against the existing file's; 2 = the existing file has none
  bool replaced;
};

const int NoVersion = 2;

const ReplaceCase ReplaceCases[] = {
    {0, 0, -1, NoVersion, true},  {4, 0, +1, NoVersion, false},
    {1, 0, -1, NoVersion, false}, {1, 0, 0, NoVersion, false},  {1, 0, +1, NoVersion, true},
    {2, 0, -1, NoVersion, false}, {2, 0, 0, NoVersion, true},   {2, 0, +1, NoVersion, true},
    {3, 0, -1, NoVersion, true},  {3, 0, 0, NoVersion, false},  {3, 0, +1, NoVersion, false},
    {1, 1, -1, NoVersion, true},  {1, 1, +1, -1, false},        {1, 1, -1, +1, true},
    {1, 1, 0, 0, false},          {2, 1, -1, 0, true},          {3, 1, +1, -1, true},
    {3, 1, 0, +1, false},         {2, 2, 0, 0, true},           {2, 2, -1, +1, false},
    {2, 2, +1, -1, false},        {2, 2, +1, +1, true},         {1, 2, +1, NoVersion, true},
    {1, 2, -1, NoVersion, false}, {1, 7, -1, -1, true},         {4, 1, +1, +1, false},
};

TEST_F(Worker, ReplaceRulesWithEachComparisonBasis) {
  // A file with a version resource: a copy of a system library.
  char system[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  std::string library = std::string(system) + "\\kernel32.dll";
  DWORD handle, size = GetFileVersionInfoSizeA(library.c_str(), &handle);
  std::vector<BYTE> info(size);
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(size && GetFileVersionInfoA(library.c_str(), 0, size, info.data()) &&
              VerQueryValueA(info.data(), "\\", (void**)&fixed, &length));
  DWORD high, low;
  ASSERT_TRUE(GetFileVersion(library.c_str(), &high, &low));
  EXPECT_EQ(high, fixed->dwFileVersionMS);
  EXPECT_EQ(low, fixed->dwFileVersionLS);
  ASSERT_GT(low, 0u);

  const std::uint64_t existingTime = 130000000000000000ULL, day = 864000000000ULL;
  corvel::PackageDescription package;
  CreateDirectoryA(target.c_str(), nullptr);
  for (size_t i = 0; i < std::size(ReplaceCases); i++) {
    const ReplaceCase& test = ReplaceCases[i];
    std::string folder = App("case" + std::to_string(i));
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string existing = folder + "\\file.bin";
    if (test.versionStep == NoVersion) ASSERT_TRUE(files::Write(existing, Bytes("old")));
    else ASSERT_TRUE(CopyFileA(library.c_str(), existing.c_str(), FALSE));
    SetWriteTime(existing, existingTime);
    corvel::Group group;
    group.replaceRule = test.rule;
    group.comparisonBasis = test.basis;
    group.folder = folder;
    corvel::Entry file = worker::RawFile("file.bin", 0, "new");
    file.lastWriteTime = corvel::FileTime::fromValue(existingTime + (std::int64_t)test.timeStep * (std::int64_t)day);
    file.versionHigh = high;
    file.versionLow = low + (test.versionStep == NoVersion ? 0 : test.versionStep);
    group.entries.push_back(file);
    package.groups.push_back(group);
  }
  auto outcome = Install(package, worker::BaseRecords("WorkerRules", target, true));
  ASSERT_TRUE(outcome.succeeded);
  EXPECT_TRUE(outcome.questions.empty());
  auto entries = worker::LogEntries(App("uninstall.log"));
  for (size_t i = 0; i < std::size(ReplaceCases); i++) {
    const ReplaceCase& test = ReplaceCases[i];
    std::string path = App("case" + std::to_string(i) + "\\file.bin");
    bool replaced = worker::ReadText(path) == "new";
    EXPECT_EQ(replaced, test.replaced) << "rule " << test.rule << ", basis " << test.basis << ", time "
                                       << test.timeStep << ", version " << test.versionStep;
    // A file that was kept is not the installation's: it gets no line.
    EXPECT_EQ(Contains(entries, "b," + path), test.replaced) << path;
  }
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, (UninstallKey + "WorkerRules").c_str());
}

TEST_F(Worker, ReadOnlyAndHiddenTargetsAreReplacedAndTakeThePackagedAttributesAndTimes) {
  CreateDirectoryA(target.c_str(), nullptr);
  ASSERT_TRUE(files::Write(App("locked.txt"), Bytes("old")));
  ASSERT_TRUE(files::Write(App("hidden.txt"), Bytes("old")));
  SetFileAttributesA(App("locked.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  SetFileAttributesA(App("hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  corvel::Entry locked = worker::RawFile("locked.txt", 0, "new");
  locked.attributes = FILE_ATTRIBUTE_ARCHIVE;
  locked.lastWriteTime = corvel::FileTime::fromValue(125000000000000000ULL);
  locked.creationTime = corvel::FileTime::fromValue(124000000000000000ULL);
  corvel::Entry hidden = worker::PackedFile("hidden.txt", 0, "new");
  hidden.attributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE;
  hidden.lastWriteTime = corvel::FileTime::fromValue(126000000000000000ULL);
  auto outcome = Install(OneGroup("%InstallPath%", {locked, hidden}),
                         worker::BaseRecords("WorkerAttributes", target, false));
  ASSERT_TRUE(outcome.succeeded);
  EXPECT_TRUE(outcome.questions.empty());
  EXPECT_EQ(worker::ReadText(App("locked.txt")), "new");
  EXPECT_EQ(worker::ReadText(App("hidden.txt")), "new");
  EXPECT_EQ(GetFileAttributesA(App("locked.txt").c_str()), (DWORD)FILE_ATTRIBUTE_ARCHIVE);
  EXPECT_EQ(GetFileAttributesA(App("hidden.txt").c_str()), hidden.attributes);
  FILETIME written = WriteTime(App("locked.txt"));
  EXPECT_EQ(((std::uint64_t)written.dwHighDateTime << 32) | written.dwLowDateTime, 125000000000000000ULL);
  written = WriteTime(App("hidden.txt"));
  EXPECT_EQ(((std::uint64_t)written.dwHighDateTime << 32) | written.dwLowDateTime, 126000000000000000ULL);
}

// --- Shared files and files in use ---------------------------------------------

TEST_F(Worker, SharedGroupRaisesTheSharedCountAndRecordsItsFiles) {
  std::string shared = App("common\\shared.dll");
  SavedValue count(HKEY_LOCAL_MACHINE, SharedKey, shared.c_str());
  DWORD three = 3;
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, SharedKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, shared.c_str(), 0, REG_DWORD, (const BYTE*)&three, 4);
  RegCloseKey(key);
  auto package = OneGroup(App("common"), {worker::RawFile("shared.dll", 0, "lib")});
  package.groups[0].sharedFlag = 1;
  auto outcome = Install(package, worker::BaseRecords("WorkerShared", target, true));
  ASSERT_TRUE(outcome.succeeded);
  DWORD value = 0, size = 4;
  RegOpenKeyExA(HKEY_LOCAL_MACHINE, SharedKey.c_str(), 0, KEY_QUERY_VALUE, &key);
  RegQueryValueExA(key, shared.c_str(), nullptr, nullptr, (BYTE*)&value, &size);
  RegCloseKey(key);
  EXPECT_EQ(value, 4u);
  auto entries = worker::LogEntries(App("uninstall.log"));
  EXPECT_TRUE(Contains(entries, "g," + shared));
  EXPECT_FALSE(Contains(entries, "b," + shared));
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, (UninstallKey + "WorkerShared").c_str());
}

TEST_F(Worker, FilesInUseAreAskedAboutWrittenBesideAndReplacedAtRestart) {
  SavedValue renames(HKEY_LOCAL_MACHINE, SessionKey, "PendingFileRenameOperations");
  std::string shared = root + "\\Shared\\inuse.dll";
  SavedValue count(HKEY_LOCAL_MACHINE, SharedKey, shared.c_str());
  CreateDirectoryA(target.c_str(), nullptr);
  CreateDirectoryA((root + "\\Shared").c_str(), nullptr);
  for (const std::string& path : {App("busy.dll"), App("retry.dll"), shared})
    ASSERT_TRUE(files::Write(path, Bytes("old")));
  // Held without sharing, as a running program holds its libraries.
  HANDLE busy = CreateFileA(App("busy.dll").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE retry = CreateFileA(App("retry.dll").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  HANDLE held = CreateFileA(shared.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(busy, INVALID_HANDLE_VALUE);

  corvel::PackageDescription package = OneGroup(
      "%InstallPath%", {worker::RawFile("busy.dll", 0, "new busy"), worker::RawFile("retry.dll", 0, "new retry")});
  corvel::Group sharedGroup;
  sharedGroup.folder = root + "\\Shared";
  sharedGroup.sharedFlag = 1;
  sharedGroup.entries.push_back(worker::RawFile("inuse.dll", 0, "new shared"));
  package.groups.push_back(sharedGroup);
  corvel::ProductRecord product;
  auto records = worker::BaseRecords("WorkerInUse", target, true);
  product.productName = "WorkerInUse";
  product.displayName = "WorkerInUse Display";
  product.launchFile1 = "readme.txt";
  product.options2 = corvel::kProductUninstaller;
  records[0] = corvel::productRecord(product);

  worker::Run run;
  run.answers = {IDNO, IDYES};
  // The second file is let go before the Yes that retries it.
  run.onQuestion = [&](const std::string& text) {
    if (text.find("retry.dll") != std::string::npos) CloseHandle(retry);
  };
  ASSERT_TRUE(Load(package, records));
  EXPECT_TRUE(Model.launchFlags[0]);
  auto outcome = worker::Execute(run);
  CloseHandle(busy);
  CloseHandle(held);
  ASSERT_TRUE(outcome.succeeded);

  // Only the non-shared files asked, each with message 6.
  ASSERT_EQ(outcome.questions.size(), 2u);
  EXPECT_EQ(outcome.questions[0].text, "M6 " + App("busy.dll"));
  EXPECT_EQ(outcome.questions[1].text, "M6 " + App("retry.dll"));
  EXPECT_EQ(worker::ReadText(App("busy.dll")), "old");
  EXPECT_EQ(worker::ReadText(App("retry.dll")), "new retry");
  EXPECT_EQ(worker::ReadText(shared), "old");

  // Two files wait in the temporary folder, each scheduled over its target.
  ASSERT_EQ(Count(PendingReplacements), 2);
  EXPECT_EQ(std::string(GetItem(PendingTargets, 0)), App("busy.dll"));
  EXPECT_EQ(std::string(GetItem(PendingShared, 0)), "0");
  EXPECT_EQ(std::string(GetItem(PendingTargets, 1)), shared);
  EXPECT_EQ(std::string(GetItem(PendingShared, 1)), "1");
  std::string waiting = GetItem(PendingReplacements, 0);
  EXPECT_EQ(std::string(FileNamePart(waiting.c_str())).substr(0, 3), "KVZ");
  EXPECT_EQ(worker::ReadText(waiting), "new busy");
  EXPECT_EQ(worker::ReadText(GetItem(PendingReplacements, 1)), "new shared");
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, SessionKey.c_str(), 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
  std::vector<char> pending(65536);
  DWORD size = (DWORD)pending.size();
  RegQueryValueExA(key, "PendingFileRenameOperations", nullptr, nullptr, (BYTE*)pending.data(), &size);
  RegCloseKey(key);
  std::string operations(pending.data(), size);
  EXPECT_NE(operations.find(waiting), std::string::npos);
  EXPECT_NE(operations.find(App("busy.dll")), std::string::npos);
  EXPECT_NE(operations.find(shared), std::string::npos);

  // The shared target's count is raised once it is scheduled; both targets
  // are the uninstaller's to remove, so that the count goes down again.
  SavedValue raised(HKEY_LOCAL_MACHINE, SharedKey, shared.c_str());
  DWORD value = 0;
  size = 4;
  RegOpenKeyExA(HKEY_LOCAL_MACHINE, SharedKey.c_str(), 0, KEY_QUERY_VALUE, &key);
  RegQueryValueExA(key, shared.c_str(), nullptr, nullptr, (BYTE*)&value, &size);
  RegCloseKey(key);
  EXPECT_EQ(value, 1u);
  auto entries = worker::LogEntries(App("uninstall.log"));
  EXPECT_TRUE(Contains(entries, "b," + App("busy.dll")));
  EXPECT_TRUE(Contains(entries, "g," + shared));
  EXPECT_TRUE(Contains(entries, "b," + App("retry.dll")));

  EXPECT_TRUE(DelayedReplacementsPending);
  EXPECT_TRUE(RebootRequired);
  EXPECT_TRUE(RestartChosen);
  EXPECT_FALSE(Model.launchFlags[0]);
  EXPECT_FALSE(Model.launchFlags[1]);
  for (int i = 0; i < Count(PendingReplacements); i++) DeleteFileA(GetItem(PendingReplacements, i));
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, (UninstallKey + "WorkerInUse").c_str());
}

// --- Cancelling ----------------------------------------------------------------

TEST_F(Worker, CancelAtACheckpointLeavesTheTemporaryLogHoldingWhatWasCreated) {
  auto package = OneGroup("%InstallPath%\\data", {worker::RawFile("a.txt", 0, "a"), worker::RawFile("b.txt", 0, "b"),
                                                  worker::RawFile("c.txt", 0, "c")});
  std::string data = App("data");
  bool halted = false, cancelled = false;
  std::string logged;
  worker::Run run;
  // Shown just before b.txt is written: the worker halts at the checkpoint after it.
  run.onItem = [&](const std::string& item) {
    if (item == data + "\\b.txt") {
      ResetEvent(WorkerGateEvent);
      halted = true;
    }
  };
  run.onIdle = [&](DWORD thread) {
    if (!halted || cancelled || !TemporaryLogPath) return;
    logged = worker::ReadText(TemporaryLogPath);
    if (logged.find("b," + data + "\\b.txt\n") == std::string::npos) return;
    // What the wizard does when the user confirms Cancel.
    PostThreadMessageA(thread, WM_QUIT, 0, 0);
    SetEvent(WorkerGateEvent);
    cancelled = true;
  };
  auto outcome = Install(package, worker::BaseRecords("WorkerCancel", target, true), run);
  ASSERT_TRUE(outcome.ended);
  EXPECT_TRUE(cancelled);
  EXPECT_FALSE(outcome.succeeded);
  // The entries follow the header lines, whose last one may end in "a".
  EXPECT_EQ(logged.substr(logged.find("\na,") + 1),
            "a," + target + "\na," + data + "\nb," + data + "\\a.txt\nb," + data + "\\b.txt\n");
  EXPECT_FALSE(files::Exists(data + "\\c.txt"));
  EXPECT_FALSE(files::Exists(App("uninstall.exe")));
  EXPECT_FALSE(files::Exists(App("uninstall.log")));
  EXPECT_NE(WaitForSingleObject(InstallFinishedEvent, 0), (DWORD)WAIT_OBJECT_0);
  HKEY key;
  EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (UninstallKey + "WorkerCancel").c_str(), 0, KEY_READ, &key),
            ERROR_SUCCESS);
}

TEST_F(Worker, AnsweringNoToAQuestionAbortsTheRunAndTheFilesItReplacedComeBack) {
  CreateDirectoryA(target.c_str(), nullptr);
  ASSERT_TRUE(files::Write(App("kept.txt"), Bytes("old")));
  SetWriteTime(App("kept.txt"), 0x01D0000000000000ULL);
  // A file whose name the system refuses cannot be created.
  auto package = OneGroup("%InstallPath%", {worker::RawFile("kept.txt", 0, "new"), worker::RawFile("bad|name.txt", 0, "x"),
                                            worker::RawFile("after.txt", 0, "y")});
  worker::Run run;
  run.answers = {IDNO};
  auto outcome = Install(package, worker::BaseRecords("WorkerRefused", target, false), run);
  ASSERT_TRUE(outcome.ended);
  EXPECT_FALSE(outcome.succeeded);
  ASSERT_EQ(outcome.questions.size(), 1u);
  EXPECT_EQ(outcome.questions[0].text.substr(0, 4 + App("bad").size()), "E11 " + App("bad"));
  EXPECT_FALSE(InstallSucceeded);
  EXPECT_FALSE(files::Exists(App("after.txt")));
  EXPECT_EQ(worker::ReadText(App("kept.txt")), "old");
  FILETIME written = WriteTime(App("kept.txt"));
  EXPECT_EQ((std::uint64_t)written.dwHighDateTime << 32 | written.dwLowDateTime, 0x01D0000000000000ULL);
  EXPECT_EQ(TemporaryFiles(target), std::vector<std::string>{App("kept.txt")});
}

TEST_F(Worker, AnsweringYesSkipsTheFileAndTheRunGoesOnWithInstallSucceededCleared) {
  auto package = OneGroup("%InstallPath%", {worker::RawFile("bad|name.txt", 0, "x"), worker::RawFile("after.txt", 0, "y")});
  worker::Run run;
  run.answers = {IDYES};
  auto outcome = Install(package, worker::BaseRecords("WorkerSkipped", target, false), run);
  ASSERT_TRUE(outcome.succeeded);
  EXPECT_EQ(outcome.questions.size(), 1u);
  EXPECT_FALSE(InstallSucceeded);
  EXPECT_EQ(worker::ReadText(App("after.txt")), "y");
}

TEST_F(Worker, WithoutItsTemporaryLogTheRunSaysSoAndBeginsNothing) {
  FreeBlock(TemporaryFolder);
  TemporaryFolder = DuplicateString((root + "\\missing").c_str(), 0);
  auto outcome = Install(OneGroup("%InstallPath%", {worker::RawFile("a.txt", 0, "x")}),
                         worker::BaseRecords("WorkerNoLog", target, true));
  ASSERT_TRUE(outcome.ended);
  EXPECT_FALSE(outcome.succeeded);
  ASSERT_EQ(outcome.questions.size(), 1u);
  EXPECT_EQ(outcome.questions[0].text.rfind("Setup cannot create its log file in the folder " + root + "\\missing.", 0), 0u)
      << outcome.questions[0].text;
  EXPECT_FALSE(files::Exists(target));
  EXPECT_EQ(TemporaryFiles(temporary), std::vector<std::string>{});
}

// --- Folder paths ----------------------------------------------------------------

class FolderPath : public Worker {
 protected:
  void SetUp() override {
    Worker::SetUp();
    CreateList(&LogLines, 16);
  }
  void TearDown() override {
    FreeLogLines();
    Worker::TearDown();
  }
  static std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    for (int i = 0; i < Count(LogLines); i++) lines.push_back(GetItem(LogLines, i));
    return lines;
  }
};

TEST_F(FolderPath, CreatesEveryMissingLevelAndRecordsEachOne) {
  std::string two = root + "\\one\\two";
  CreateDirectoryA((root + "\\one").c_str(), nullptr);
  CreateDirectoryA(two.c_str(), nullptr);
  std::string path = two + "\\three\\four\\five\\";
  EXPECT_EQ(CreateDirectoryPath(path.c_str(), nullptr), 0u);
  EXPECT_TRUE(files::Exists(two + "\\three\\four\\five"));
  std::vector<std::string> expected = {"a," + two + "\\three\n", "a," + two + "\\three\\four\n",
                                       "a," + two + "\\three\\four\\five\n"};
  EXPECT_EQ(Lines(), expected);
  // Again: nothing new is created, the whole path is recorded once.
  EXPECT_EQ(CreateDirectoryPath(path.c_str(), nullptr), 0u);
  EXPECT_EQ(Lines(), expected);
}

TEST_F(FolderPath, ADriveAloneAndTheFolderCacheAreNotRecorded) {
  EXPECT_EQ(CreateDirectoryPath("C:\\", nullptr), 0u);
  std::string special = root + "\\Special";
  EXPECT_EQ(CreateDirectoryPath(special.c_str(), nullptr), 0u);
  EXPECT_TRUE(files::Exists(special));
  EXPECT_TRUE(Lines().empty());
}

TEST_F(FolderPath, AnInvalidPathAsksAndTheAnswerDecides) {
  Model.caption = DuplicateString("Folder Setup", 0);
  AppendItem(Model.errors[9], "");
  SetItem(Model.errors[9], 21, "E21 %s|%s");
  for (int button : {IDNO, IDYES}) {
    DWORD result = 1;
    std::thread asking([&] { result = CreateDirectoryPath("relative\\folder", nullptr); });
    ui::MessageBox box = ui::AnswerOwnMessageBox(button, 10000);
    asking.join();
    ASSERT_TRUE(box);
    EXPECT_EQ(box.caption, "Folder Setup");
    EXPECT_EQ(box.text.substr(0, 20), "E21 relative\\folder|");
    EXPECT_EQ(result, button == IDNO ? (DWORD)ERROR_BAD_PATHNAME : 0u);
  }
  EXPECT_TRUE(Lines().empty());
}

}  // namespace
