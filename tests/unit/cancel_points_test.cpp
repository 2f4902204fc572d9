// Cancelling the install worker at each of its checkpoints, as the wizard
// does once the user confirms Cancel: the quit message reaches the worker
// while it waits at checkpoint k, the worker rolls back what its temporary
// log records, and the machine is compared with its state before the run:
// an upgrade, the second version of a package over the first, once with a
// package made for it and once with the full example and its next version.
// The made package's run tries a deterministic sample of the file phase and
// every checkpoint after it (CORVEL_CANCEL_EVERY=1: every checkpoint); the
// full example's run tries every checkpoint.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <cstdlib>

#include "common/heap.h"
#include "engine/delayed.h"
#include "engine/variables.h"
#include "engine/worker.h"
#include "script/model.h"
#include "startup/process.h"
#include "support/files.h"
#include "support/roundtrip.h"
#include "support/snapshot.h"
#include "uninstall/log.h"
#include "uninstall/uninstall.h"
#include "worker_support.h"

namespace {

const char TestKey[] = "Software\\CorvelCancelPoints";
const std::string SharedKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

// ---- counting the worker's checkpoints --------------------------------------

// Every checkpoint of the install worker ends in this call: the wait on the
// gate is over and the worker looks for a quit message.
bool IsCheckpoint(HWND window, UINT first, UINT last) {
  return window == (HWND)-1 && first == WM_QUIT && last == WM_QUIT;
}

typedef BOOL(WINAPI* PeekFunction)(LPMSG, HWND, UINT, UINT, UINT);
PeekFunction RealPeek;
volatile LONG Checkpoints;
LONG CancelAt;   // 0: never

BOOL WINAPI CountingPeek(LPMSG message, HWND window, UINT first, UINT last, UINT remove) {
  if (IsCheckpoint(window, first, last) && InterlockedIncrement(&Checkpoints) == CancelAt)
    PostThreadMessageA(GetCurrentThreadId(), WM_QUIT, 0, 0);
  return RealPeek(message, window, first, last, remove);
}

// The program's import of PeekMessageA, through which the linked stub code calls it.
void** ImportSlot(const char* library, const char* function) {
  BYTE* base = (BYTE*)GetModuleHandleA(nullptr);
  IMAGE_NT_HEADERS* headers = (IMAGE_NT_HEADERS*)(base + ((IMAGE_DOS_HEADER*)base)->e_lfanew);
  IMAGE_DATA_DIRECTORY directory = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* import = (IMAGE_IMPORT_DESCRIPTOR*)(base + directory.VirtualAddress); import->Name; import++) {
    if (lstrcmpiA((const char*)(base + import->Name), library)) continue;
    auto* names = (IMAGE_THUNK_DATA*)(base + (import->OriginalFirstThunk ? import->OriginalFirstThunk
                                                                         : import->FirstThunk));
    auto* slots = (IMAGE_THUNK_DATA*)(base + import->FirstThunk);
    for (; names->u1.AddressOfData; names++, slots++) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* byName = (IMAGE_IMPORT_BY_NAME*)(base + names->u1.AddressOfData);
      if (!lstrcmpA((const char*)byName->Name, function)) return (void**)&slots->u1.Function;
    }
  }
  return nullptr;
}

bool CountCheckpoints() {
  if (RealPeek) return true;
  void** slot = ImportSlot("user32.dll", "PeekMessageA");
  if (!slot) return false;
  DWORD protection;
  VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
  RealPeek = (PeekFunction)*slot;
  *slot = (void*)CountingPeek;
  VirtualProtect(slot, sizeof *slot, protection, &protection);
  return true;
}

// ---- the package ----------------------------------------------------------------

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

std::string Contents(int version, int folder, int file) {
  std::string text = "version " + std::to_string(version) + ", file " + std::to_string(folder) + "/" +
                     std::to_string(file) + "\n";
  while (text.size() < 300) text += text;
  return text;
}

// Each version's files carry times of their own.
corvel::Entry Versioned(corvel::Entry entry, int version) {
  entry.creationTime = entry.lastWriteTime = corvel::FileTime::fromValue(0x01D0000000000000ULL + version * 36000000000ULL);
  return entry;
}

// Keys of the associations: two extensions and two classes, of which one
// extension and one class were there before with other programs' entries.
const char* const AssociationKeys[] = {".cpxa", ".cpxb", "CorvelCancel.A", "CorvelCancel.B"};

// What the full example writes outside its folders.
const char ExampleKey[] = "Software\\Acme";
const char ExampleUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Acme Widget 2.0";
const char* const ExampleClasses[] = {".wdg", "Acme.WidgetFile"};

// The worker's checkpoints in a run of the whole installer: one per group and
// per entry, per shortcut, registry value, INI entry and association, and
// the finishing phase's.
LONG CheckpointsOf(const std::vector<std::uint8_t>& installer) {
  auto read = corvel::readInstaller(installer);
  LONG count = 1 + (LONG)read.value.groups.size();
  for (const corvel::GroupInfo& group : read.value.groups) count += (LONG)group.entries.size();
  for (const corvel::Record& record : read.value.records.records)
    for (corvel::RecordType type : {corvel::RecordType::Shortcut, corvel::RecordType::Registry,
                                    corvel::RecordType::Ini, corvel::RecordType::Association})
      count += record.type == (std::uint32_t)type;
  return count;
}

class CancelPoints : public testing::Test {
 protected:
  static const int Folders = 10, FilesPerFolder = 25;
  std::string root, temporary, app, shared, menu, machine;

  void SetUp() override {
    ASSERT_TRUE(CountCheckpoints()) << "the program's import of PeekMessageA was not found";
    root = files::MakeTemporaryFolder("corvel-cancel");
    temporary = root + "\\temp";
    app = root + "\\App";
    shared = root + "\\Shared";
    menu = root + "\\Menu";
    // The machine's folders, which the folder keywords name: there before any
    // installation, in the profile of a user whose name holds a comma.
    machine = root + "\\Smith, John";
    CreateDirectoryA(temporary.c_str(), nullptr);
    CreateDirectoryA(shared.c_str(), nullptr);
    CreateDirectoryA(machine.c_str(), nullptr);
    for (int position = 0; position < FolderKeywordCount; position++)
      CreateDirectoryA(KeywordFolder(position).c_str(), nullptr);
    ForgetExample();
  }
  void TearDown() override {
    RegDeleteTreeA(HKEY_CURRENT_USER, TestKey);
    for (const char* key : AssociationKeys) RegDeleteTreeA(HKEY_CLASSES_ROOT, key);
    ForgetExample();
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SharedKey.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
      RegDeleteValueA(key, SharedFile().c_str());
      RegCloseKey(key);
    }
    // The rollback leaves the process in the stub's temporary folder.
    char system[MAX_PATH];
    GetTempPathA(MAX_PATH, system);
    SetCurrentDirectoryA(system);
    files::RemoveTree(root);
  }

  std::string SharedFile() const { return shared + "\\common.dll"; }
  std::string KeywordFolder(int position) const {
    std::string keyword = FolderKeywordText(position);
    return machine + "\\" + keyword.substr(1, keyword.size() - 2);
  }
  std::string Keyword(const std::string& text) const {
    for (int position = 0; position < FolderKeywordCount; position++)
      if (text == FolderKeywordText(position)) return KeywordFolder(position);
    return {};
  }
  std::string ExampleFolder() const { return machine + "\\ProgramFiles\\Acme\\Widget"; }
  std::string ExampleSharedFile() const { return machine + "\\CommonFiles\\Acme\\acmecat.txt"; }

  // What an installation of the full example left in the registry; without
  // its InstallPath value the next one goes where the script says.
  void ForgetExample() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, ExampleKey);
    RegDeleteTreeA(HKEY_CURRENT_USER, ExampleKey);
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, ExampleUninstallKey);
    for (const char* key : ExampleClasses) RegDeleteTreeA(HKEY_CLASSES_ROOT, key);
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, SharedKey.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
      RegDeleteValueA(key, ExampleSharedFile().c_str());
      RegCloseKey(key);
    }
  }
  std::string ExistingFile() const { return app + "\\settings.txt"; }
  std::string ExistingIni() const { return root + "\\existing.ini"; }

  // What was there before the installation: its folder with a file the
  // package replaces, a shared file another product counts once, a value the
  // package overwrites, an INI file it adds to, an extension and a class it
  // associates that hold other programs' entries.
  void PlaceEarlierState() {
    auto set = [](HKEY root, const std::string& path, const char* name, const std::string& data) {
      HKEY key;
      RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
      RegSetValueExA(key, name, 0, REG_SZ, (const BYTE*)data.c_str(), (DWORD)data.size() + 1);
      RegCloseKey(key);
    };
    set(HKEY_CLASSES_ROOT, ".cpxa", nullptr, "Other.Class");
    set(HKEY_CLASSES_ROOT, ".cpxa", "PerceivedType", "text");
    set(HKEY_CLASSES_ROOT, ".cpxa\\ShellNew", "NullFile", "");
    set(HKEY_CLASSES_ROOT, ".cpxa\\OpenWithProgids", "Other.Class", "");
    set(HKEY_CLASSES_ROOT, "CorvelCancel.B", nullptr, "B file of another program");
    set(HKEY_CLASSES_ROOT, "CorvelCancel.B\\shell\\edit\\command", nullptr, "other.exe %1");
    CreateDirectoryA(app.c_str(), nullptr);
    files::Write(ExistingFile(), Bytes("the user's settings"));
    files::Write(SharedFile(), Bytes("shared library"));
    files::Write(ExistingIni(), Bytes("[old]\r\nkept=1\r\n"));
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, SharedKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    DWORD one = 1;
    RegSetValueExA(key, SharedFile().c_str(), 0, REG_DWORD, (const BYTE*)&one, sizeof one);
    RegCloseKey(key);
    RegCreateKeyExA(HKEY_CURRENT_USER, TestKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    RegSetValueExA(key, "Existing", 0, REG_SZ, (const BYTE*)"old", 4);
    RegCloseKey(key);
  }

  // The first version, or the second, which writes over every file and
  // value of the first with other contents, times and data.
  std::vector<std::uint8_t> Installer(int version) {
    corvel::PackageDescription package;
    corvel::Group main;
    main.folder = "%InstallPath%";
    main.entries.push_back(Versioned(worker::RawFile("settings.txt", 0, Contents(version, 0, 0)), version));
    for (int folder = 0; folder < Folders; folder++) {
      main.entries.push_back(corvel::folderEntry("data" + std::to_string(folder), 0));
      for (int file = 0; file < FilesPerFolder; file++) {
        std::string name = "f" + std::to_string(file) + ".dat";
        std::string contents = Contents(version, folder, file);
        main.entries.push_back(Versioned(file % 2 ? worker::PackedFile(name, 1, contents)
                                                  : worker::RawFile(name, 1, contents), version));
      }
    }
    corvel::Group common;
    common.folder = shared;
    common.sharedFlag = 1;
    common.entries.push_back(Versioned(worker::RawFile("common.dll", 0, "shared library " + std::to_string(version)), version));
    package.groups = {main, common};

    std::string v = std::to_string(version);
    std::vector<corvel::Record> records = worker::BaseRecords("CorvelCancelPoints", app, true);
    for (const char* name : {"Readme", "Manual", "Samples"})
      records.push_back(corvel::shortcutRecord(menu + "\\Group\\" + name + ".lnk,%InstallPath%\\settings.txt,v" + v));
    std::string key = std::string("1,") + TestKey;
    for (const std::string& value : {key + ",Existing,1,new" + v, key + ",Path,1,%InstallPath%", key + "\\Deeper,Count,4," + v,
                                     key + "\\Deeper,Name,1,cancel" + v})
      records.push_back(corvel::registryRecord(value));
    records.push_back(corvel::iniRecord("%InstallPath%\\app.ini,main,folder,%InstallPath%"));
    records.push_back(corvel::iniRecord("%InstallPath%\\app.ini,main,mode,quick" + v));
    records.push_back(corvel::iniRecord(ExistingIni() + ",app,path,%InstallPath%" + v));
    records.push_back(corvel::associationRecord(".cpxa,CorvelCancel.A,text/x-a,A file " + v + ",,notepad.exe %1,,0"));
    records.push_back(corvel::associationRecord(".cpxb,CorvelCancel.B,text/x-b,B file " + v + ",,notepad.exe %1,,0"));
    auto written = corvel::writeInstaller(StubImage(), package, records);
    return written.ok() ? written.value : std::vector<std::uint8_t>();
  }

  static std::vector<std::uint8_t> StubImage() {
    std::vector<std::uint8_t> image(2048, 0x90);
    image[0] = 'M';
    image[1] = 'Z';
    return image;
  }

  snapshot::Options Watched() const {
    snapshot::Options options;
    options.folders = {root};
    options.keys = {{HKEY_CURRENT_USER, TestKey},
                    {HKEY_LOCAL_MACHINE, SharedKey},
                    {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\CorvelCancelPoints"},
                    {HKEY_LOCAL_MACHINE, ExampleKey},
                    {HKEY_CURRENT_USER, ExampleKey},
                    {HKEY_LOCAL_MACHINE, ExampleUninstallKey}};
    for (const char* key : AssociationKeys) options.keys.push_back({HKEY_CLASSES_ROOT, key});
    for (const char* key : ExampleClasses) options.keys.push_back({HKEY_CLASSES_ROOT, key});
    // The installer itself and the stub's temporary folder, checked apart.
    options.ignored = {root + "\\setup.exe", temporary};
    options.times = true;
    return options;
  }

  static snapshot::Options AssociationsOnly() {
    snapshot::Options options;
    options.folders = {};
    options.keys = {};
    for (const char* key : AssociationKeys) options.keys.push_back({HKEY_CLASSES_ROOT, key});
    return options;
  }

  // One run of the worker in a fresh setup model, cancelled at checkpoint
  // cancelAt (0: not cancelled), and with uninstall its final log undone by
  // the uninstaller's worker. Returns the number of checkpoints passed.
  LONG Run(const std::vector<std::uint8_t>& installer, LONG cancelAt, worker::Outcome* outcome,
           bool uninstall = false) {
    ZeroMemory(&Model, sizeof(Model));
    EXPECT_TRUE(CreateModelLists());
    Model.languageIds = (StringList)PointerArray.Create(10);
    CreateVariableTable();
    for (int position = 0; position < FolderKeywordCount; position++)
      AppendItem(FolderCache, KeywordFolder(position).c_str());
    TemporaryFolder = DuplicateString(temporary.c_str(), 0);
    WorkerGateEvent = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    InstallFinishedEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    InstallSucceeded = true;
    RebootRequired = RestartChosen = DelayedReplacementsPending = false;
    EXPECT_TRUE(worker::LoadInstaller(root + "\\setup.exe", installer));
    Checkpoints = 0;
    CancelAt = cancelAt;
    *outcome = worker::Execute({});
    CancelAt = 0;
    LONG passed = Checkpoints;
    if (uninstall) {
      // Without a page, as in a rollback, which asks nothing.
      std::string log = temporary + "\\final.log";
      std::string installed = GetVariable("%InstallPath%");
      EXPECT_TRUE(CopyFileA((installed + "\\uninstall.log").c_str(), log.c_str(), FALSE));
      TemporaryLogPath = DuplicateString(log.c_str(), 0);
      StartUninstall(true);
    }
    worker::CloseInstaller();
    worker::ReleaseRunState();
    return passed;
  }

  std::vector<std::string> TemporaryLeftovers() {
    std::vector<std::string> leftovers;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((temporary + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do
        if (found.cFileName[0] != '.') leftovers.push_back(found.cFileName);
      while (FindNextFileA(search, &found));
      FindClose(search);
    }
    return leftovers;
  }

  // The installer cancelled at each of the points, each run compared with
  // the state before; stops at the first run that fails. The number tried.
  int CancelEach(const std::vector<std::uint8_t>& installer, const std::vector<LONG>& points, LONG total,
                 const snapshot::State& before, const snapshot::Options& options) {
    int tried = 0;
    worker::Outcome outcome;
    for (LONG k : points) {
      SCOPED_TRACE("cancelled at checkpoint " + std::to_string(k) + " of " + std::to_string(total));
      LONG passed = Run(installer, k, &outcome);
      EXPECT_TRUE(outcome.ended) << "the worker did not end";
      if (!outcome.ended) break;
      EXPECT_FALSE(outcome.succeeded);
      EXPECT_EQ(passed, k) << "the worker went on past the cancelled checkpoint";
      EXPECT_TRUE(outcome.questions.empty()) << outcome.questions.front().text;
      std::vector<std::string> changes = snapshot::ChangesSince(before, options);
      EXPECT_TRUE(changes.empty()) << "left behind by the rollback:\n" << snapshot::Describe(changes);
      // The stub's temporary files: the log, the uninstaller copy, pending copies.
      std::vector<std::string> leftovers = TemporaryLeftovers();
      EXPECT_TRUE(leftovers.empty()) << "temporary file left: " << leftovers.front();
      tried++;
      if (HasFailure()) break;
    }
    return tried;
  }

  static std::string ReadClassText(const std::string& key) {
    char text[MAX_PATH] = "";
    LONG size = sizeof text;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), text, &size) != ERROR_SUCCESS) return "<none>";
    return text;
  }

  static void ExpectNoBackupIn(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\KVZ*").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "backup left: " << found.cFileName;
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
  }
};

TEST_F(CancelPoints, AnUninstallGivesAssociatedKeysThatWereThereTheirEntriesBack) {
  PlaceEarlierState();
  snapshot::State pristine = snapshot::Take(AssociationsOnly());
  worker::Outcome outcome;
  Run(Installer(1), 0, &outcome, true);
  ASSERT_TRUE(outcome.ended && outcome.succeeded);
  std::vector<std::string> changes = snapshot::ChangesSince(pristine, AssociationsOnly());
  EXPECT_TRUE(changes.empty()) << "the uninstall changed other programs' entries:\n" << snapshot::Describe(changes);
}

TEST_F(CancelPoints, EveryCheckpointOfAnUpgradeRollsBackToTheStateBefore) {
  PlaceEarlierState();
  snapshot::Options options = Watched();
  worker::Outcome outcome;
  Run(Installer(1), 0, &outcome);
  ASSERT_TRUE(outcome.ended && outcome.succeeded);
  snapshot::State before = snapshot::Take(options);
  std::vector<std::uint8_t> second = Installer(2);

  const LONG entries = 1 + Folders * (FilesPerFolder + 1);
  // Two groups, every entry, 3 shortcuts, 4 values, 3 INI entries, 2 associations, the finishing phase.
  const LONG total = 2 + entries + 1 + 3 + 4 + 3 + 2 + 1;
  EXPECT_EQ(CheckpointsOf(second), total);
  bool every = getenv("CORVEL_CANCEL_EVERY") && *getenv("CORVEL_CANCEL_EVERY") == '1';
  const LONG filePhaseEnd = 2 + entries;   // the later phases start after this checkpoint
  std::vector<LONG> points;
  for (LONG k = 1; k <= total; k++)
    if (every || k <= 4 || k > filePhaseEnd - 2 || k % 23 == 0) points.push_back(k);

  // The second version over the first, cancelled: nothing of the first
  // version, nor of what was there before it, may differ afterwards.
  int tried = CancelEach(second, points, total, before, options);
  printf("[ figures  ] %d of %ld checkpoints of the upgrade cancelled (%s), each with an empty difference\n", tried,
         total, every ? "every one" : "sample");
  EXPECT_EQ(tried, (int)points.size());

  // The whole upgrade: as many checkpoints, every file written, no backup left.
  EXPECT_EQ(Run(second, 0, &outcome), total);
  ASSERT_TRUE(outcome.ended && outcome.succeeded);
  EXPECT_GT(snapshot::ChangesSince(before, options).size(), (size_t)entries);
  EXPECT_EQ(worker::ReadText(ExistingFile()), Contents(2, 0, 0));
  ExpectNoBackupIn(app);
}

// The full example's next version over its first, as a user upgrading
// would run it, cancelled at every checkpoint: every file of the first
// version comes back with its contents, attributes and times, every value
// and INI entry with its data, the association with its description. The
// first version, cancelled on a machine without it, leaves nothing, nor
// does the next version removed once it has replaced the first; every
// folder here holds a comma.
TEST_F(CancelPoints, EveryCheckpointOfTheFullExamplesUpgradeRollsBackToTheStateBefore) {
  std::vector<std::uint8_t> first = files::Read(files::FromEnvironmentPath("CORVEL_FULL_EXAMPLE"));
  ASSERT_FALSE(first.empty()) << "CORVEL_FULL_EXAMPLE names no built installer";
  std::vector<std::uint8_t> second = roundtrip::NextVersion(first);
  ASSERT_FALSE(second.empty());
  snapshot::Options options = Watched();
  snapshot::State pristine = snapshot::Take(options);
  // The first version cancelled on a machine that never had it.
  const LONG firstTotal = CheckpointsOf(first);
  std::vector<LONG> points;
  for (LONG k = 1; k <= firstTotal; k++) points.push_back(k);
  EXPECT_EQ(CancelEach(first, points, firstTotal, pristine, options), (int)points.size());
  worker::Outcome outcome;
  Run(first, 0, &outcome);
  ASSERT_TRUE(outcome.ended && outcome.succeeded);
  ASSERT_TRUE(files::Exists(ExampleFolder() + "\\uninstall.log"));
  // The folders hold a comma: each field of the association has its whole folder.
  EXPECT_EQ(ReadClassText("Acme.WidgetFile\\shell\\open\\command"), "\"" + Keyword("<Windows>") + "\\notepad.exe\" \"%1\"");
  EXPECT_EQ(ReadClassText("Acme.WidgetFile\\DefaultIcon"), Keyword("<System>") + "\\shell32.dll,70");
  snapshot::State before = snapshot::Take(options);

  const LONG total = CheckpointsOf(second);
  points.clear();
  for (LONG k = 1; k <= total; k++) points.push_back(k);
  int tried = CancelEach(second, points, total, before, options);
  printf("[ figures  ] %d of %ld checkpoints of the full example's upgrade (and %ld of its first installation) "
         "cancelled, each with an empty difference\n", tried, total, firstTotal);
  EXPECT_EQ(tried, (int)points.size());

  // Not cancelled, the next version has written over all of it.
  EXPECT_EQ(Run(second, 0, &outcome), total);
  ASSERT_TRUE(outcome.ended && outcome.succeeded);
  std::vector<std::string> changes = snapshot::ChangesSince(before, options);
  for (const char* changed : {"\\README.TXT:", "\\DOCS\\MANUAL.TXT:", "\\ACMECAT.TXT:", "\\WIDGET.CFG:",
                              "SETTINGS|LAUNCHES:", "SETTINGS|WINDOW:", "SETTINGS|RECENT:", "ACME.WIDGETFILE|:"})
    EXPECT_TRUE(std::any_of(changes.begin(), changes.end(),
                            [&](const std::string& line) { return line.find(changed) != std::string::npos; }))
        << "the next version did not change " << changed << ":\n" << snapshot::Describe(changes);
  char samples[MAX_PATH] = "";
  GetPrivateProfileStringA("widget", "samples", "", samples, MAX_PATH, (ExampleFolder() + "\\widget.cfg").c_str());
  EXPECT_EQ(std::string(samples), ExampleFolder() + "\\samples-next");
  ExpectNoBackupIn(ExampleFolder());
  ExpectNoBackupIn(machine + "\\CommonFiles\\Acme");

  // Installed once more over itself and removed: the shared file was counted
  // once for the product, however often it was installed, and goes with it.
  Run(second, 0, &outcome, true);
  ASSERT_TRUE(outcome.ended && outcome.succeeded);
  changes = snapshot::ChangesSince(pristine, options);
  EXPECT_TRUE(changes.empty()) << "left by the upgraded product's removal:\n" << snapshot::Describe(changes);
}

}  // namespace
