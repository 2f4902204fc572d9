// Script variables and folder keywords: expansion and settling (with the
// bound on self-referring values), keyword resolution and its fallbacks on
// this machine, and the resolution on the Windows versions Wine can pose as.
#include <gtest/gtest.h>
#include <shlobj.h>
#include <map>
#include <sstream>
#include <string>
#include "common/heap.h"
#include "engine/variables.h"
#include "saved_registry.h"
#include "support/windows_version.h"

namespace {

const char ShellFolders[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string Taken(char* heapString) {
  std::string text = heapString ? heapString : "<null>";
  FreeBlock(heapString);
  return text;
}

std::string Value(const char* name) {
  const char* value = GetVariable(name);
  return value ? value : "<none>";
}

std::string Resolved(int position) {
  return ResolveFolderKeyword(position);
}

std::string TempFolder() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = temp;
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

bool IsFolder(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class Variables : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(CreateVariableTable()); }
  void TearDown() override { DestroyVariableTable(); }
  void Define(const char* name, const char* value) {
    AppendItem(VariableNames, name);
    AppendItem(VariableValues, value);
  }
};

TEST_F(Variables, NamesMatchInAnyLetterCase) {
  Define("%InstallPath%", "C:\\App");
  EXPECT_EQ("C:\\App\\a.exe", Taken(ExpandVariables("%installpath%\\a.exe")));
  EXPECT_EQ("C:\\App\\a.exe", Taken(ExpandVariables("%INSTALLPATH%\\a.exe")));
  EXPECT_EQ("C:\\App", Value("%INSTALLPATH%"));
  EXPECT_EQ("<none>", Value("InstallPath"));   // the percent signs are part of the name
}

TEST_F(Variables, UnknownTokensAndOtherTextStay) {
  Define("%A%", "x");
  const char* text = "%Unknown% %s <Nowhere> %% %a";
  EXPECT_EQ(text, Taken(ExpandVariables(text)));
  EXPECT_EQ(text, Taken(ExpandFolderKeywords(text)));
  // An empty name matches nothing rather than everything.
  Define("", "y");
  EXPECT_EQ("abc", Taken(ExpandVariables("abc")));
}

TEST_F(Variables, EveryOccurrenceIsReplaced) {
  Define("%A%", "x");
  EXPECT_EQ("x-x-x", Taken(ExpandVariables("%A%-%a%-%A%")));
  EXPECT_EQ("xx", Taken(ExpandVariables("%A%%A%")));
  // Occurrences formed by a replacement with the text around it are
  // replaced too: by a later pass, and by the same one.
  Define("%P%", "%");
  Define("%Q%", "q");
  EXPECT_EQ("q", Taken(ExpandVariables("%P%Q%")));
  Define("%R%", "%");
  EXPECT_EQ("%", Taken(ExpandVariables("%R%R%R%")));
}

TEST_F(Variables, PassesRunInDefinitionOrder) {
  Define("%A%", "x%B%");
  Define("%B%", "y");
  EXPECT_EQ("xy", Taken(ExpandVariables("%A%")));

  DestroyVariableTable();
  CreateVariableTable();
  Define("%B%", "y");
  Define("%A%", "x%B%");
  EXPECT_EQ("x%B%", Taken(ExpandVariables("%A%")));
  EXPECT_TRUE(SettleVariables());
  EXPECT_EQ("xy", Value("%A%"));
  EXPECT_EQ("xy", Taken(ExpandVariables("%A%")));
}

TEST_F(Variables, SettlingFollowsChainsOverSeveralSweeps) {
  // %A% only reaches %B% through %C%, whose pass comes after %B%'s.
  Define("%A%", "%C%/");
  Define("%B%", "b");
  Define("%C%", "%B%c");
  Define("%D%", "%installpath%");
  Define("%InstallPath%", "C:\\App");
  EXPECT_TRUE(SettleVariables());
  EXPECT_EQ("bc/", Value("%A%"));
  EXPECT_EQ("bc", Value("%C%"));
  EXPECT_EQ("C:\\App", Value("%D%"));
}

TEST_F(Variables, SetVariableStoresAsGivenAndKeepsTheFirstOfTwins) {
  Define("%Twin%", "first");
  Define("%Twin%", "second");
  EXPECT_EQ("first", Value("%twin%"));
  EXPECT_TRUE(SetVariable("%TWIN%", "changed <Windows> %Twin%"));
  EXPECT_EQ("changed <Windows> %Twin%", Value("%Twin%"));
  EXPECT_STREQ("second", GetItem(VariableValues, 1));
  EXPECT_STREQ("%Twin%", GetItem(VariableNames, 0));   // the name keeps its spelling

  EXPECT_TRUE(SetVariable("%ShortcutsGroup%", "Group"));
  EXPECT_EQ(3, Count(VariableNames));
  EXPECT_EQ(3, Count(VariableValues));
  EXPECT_EQ("Group", Value("%shortcutsgroup%"));
}

// A value that holds its own name would grow for ever if every replacement
// were searched again: each pass inserts it once per occurrence, and settling
// gives up after its bound with the token still in place.
TEST_F(Variables, SelfReferenceEndsAtTheBound) {
  Define("%A%", "x%A%");
  Define("%B%", "b");
  EXPECT_EQ("x%A%", Taken(ExpandVariables("%A%")));
  EXPECT_EQ("x%A%|x%A%", Taken(ExpandVariables("%A%|%a%")));
  EXPECT_FALSE(SettleVariables());
  // Two variables: at most three sweeps, each inserting the value as it
  // stands, so the x's double.
  EXPECT_EQ("xxxxxxxx%A%", Value("%A%"));
  EXPECT_EQ("b", Value("%B%"));
}

// Settling goes on only while a value holds a name spelled as defined, so a
// self-reference in other letters is expanded once and then left.
TEST_F(Variables, SelfReferenceInOtherLettersSettlesAfterOneSweep) {
  Define("%L%", "y%l%");
  EXPECT_TRUE(SettleVariables());
  EXPECT_EQ("yy%l%", Value("%L%"));
}

TEST_F(Variables, CycleStopsWhenASweepChangesNothing) {
  Define("%A%", "%B%");
  Define("%B%", "%A%");
  Define("%C%", "c%D%");
  Define("%D%", "d");
  EXPECT_FALSE(SettleVariables());
  EXPECT_EQ("%A%", Value("%A%"));
  EXPECT_EQ("%A%", Value("%B%"));
  EXPECT_EQ("cd", Value("%C%"));   // the others still settle
}

// A value holding its own name twice squares its length with every sweep:
// the sweep that would take it past the bound is not made.
TEST_F(Variables, GrowingValueStopsBeforeTheLengthBound) {
  Define("%A%", "%A%%A%");
  for (int i = 0; i < 40; i++) Define(("%Filler" + std::to_string(i) + "%").c_str(), "%B%");
  Define("%B%", "b");
  EXPECT_FALSE(SettleVariables());
  EXPECT_EQ(768u, Value("%A%").size());   // 6, 12, 48, 768, then 196,608 refused
  EXPECT_EQ("b", Value("%Filler0%"));     // the sweeps before it went through
}

// Keyword expansion against a cache of known paths.
TEST_F(Variables, KeywordsExpandFromTheCacheInAnyLetterCase) {
  for (int position = 0; position < FolderKeywordCount; position++)
    AppendItem(FolderCache, ("P" + std::to_string(position)).c_str());
  EXPECT_EQ("P16\\App", Taken(ExpandFolderKeywords("<programfiles>\\App")));
  EXPECT_EQ("P9|P9|P2", Taken(ExpandFolderKeywords("<Desktop>|<DESKTOP>|<CommonDesktop>")));
  EXPECT_EQ("P23 P34 <Nowhere>", Taken(ExpandFolderKeywords("<Temp> <Video> <Nowhere>")));
  // A cached path holding a later keyword is expanded by that keyword's pass.
  SetItem(FolderCache, 0, "<Windows>\\Data");
  EXPECT_EQ("P25\\Data", Taken(ExpandFolderKeywords("<AppData>")));
  // A keyword without a resolved path stays.
  SetItem(FolderCache, 34, nullptr);
  EXPECT_EQ("<Video>", Taken(ExpandFolderKeywords("<Video>")));
  EXPECT_STREQ("<QuickLaunch>", FolderKeywordText(18));
  EXPECT_STREQ("", FolderKeywordText(35));
}

class Folders : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(LoadShellFolderFunctions());
    ASSERT_TRUE(CreateVariableTable());
  }
  void TearDown() override {
    ReleaseShellFolderFunctions();
    DestroyVariableTable();
  }
};

TEST_F(Folders, ShellFunctionsLoadOnceAndRelease) {
  HMODULE library = ShellFolder.library;
  EXPECT_TRUE(LoadShellFolderFunctions());
  EXPECT_EQ(library, ShellFolder.library);
  EXPECT_NE(nullptr, ShellFolder.GetSpecialFolderLocation);
  EXPECT_NE(nullptr, ShellFolder.FreeItem);
  EXPECT_NE(nullptr, ShellFolder.ItemSize);
  ReleaseShellFolderFunctions();
  EXPECT_EQ(nullptr, ShellFolder.library);
  EXPECT_EQ(nullptr, ShellFolder.GetPathFromIDList);
  char path[MAX_PATH] = "stale";
  EXPECT_FALSE(GetSpecialFolderPath(CSIDL_FONTS, path));
  EXPECT_STREQ("", path);
}

TEST_F(Folders, OlderShellWayGivesTheSamePaths) {
  char newer[MAX_PATH], older[MAX_PATH];
  ASSERT_TRUE(GetSpecialFolderPath(CSIDL_FONTS, newer));
  ShellFolder.GetSpecialFolderPath = nullptr;
  ASSERT_TRUE(GetSpecialFolderPath(CSIDL_FONTS, older));
  EXPECT_STREQ(newer, older);
  EXPECT_FALSE(GetSpecialFolderPath(0x7F, older));
  EXPECT_STREQ("", older);

  LPITEMIDLIST item = (LPITEMIDLIST)1;
  ASSERT_TRUE(GetSpecialFolderItem(0, CSIDL_DRIVES, &item));
  ASSERT_NE(nullptr, item);
  EXPECT_GT(ShellFolder.ItemSize(item), 0u);
  ShellFolder.FreeItem(item);
}

TEST_F(Folders, SystemCallsAndTheTemporaryFolder) {
  char expected[MAX_PATH];
  GetWindowsDirectoryA(expected, MAX_PATH);
  EXPECT_EQ(expected, Resolved(WindowsKeyword));
  GetSystemDirectoryA(expected, MAX_PATH);
  EXPECT_EQ(expected, Resolved(22));
  EXPECT_EQ(TempFolder(), Resolved(TempKeyword));
  EXPECT_NE('\\', Resolved(TempKeyword).back());
  EXPECT_EQ(TempFolder(), Resolved(35));
  EXPECT_EQ(TempFolder(), Resolved(-1));
}

// The values that resolving every keyword may record under Shell Folders.
struct SavedShellFolders {
  SavedValue values[8] = {{HKEY_CURRENT_USER, ShellFolders, "AppData"},
                          {HKEY_LOCAL_MACHINE, ShellFolders, "Common AppData"},
                          {HKEY_LOCAL_MACHINE, ShellFolders, "CommonPictures"},
                          {HKEY_LOCAL_MACHINE, ShellFolders, "CommonMusic"},
                          {HKEY_LOCAL_MACHINE, ShellFolders, "CommonVideo"},
                          {HKEY_CURRENT_USER, ShellFolders, "My Pictures"},
                          {HKEY_CURRENT_USER, ShellFolders, "My Music"},
                          {HKEY_CURRENT_USER, ShellFolders, "My Video"}};
};

TEST_F(Folders, CacheHoldsEveryKeywordInTableOrder) {
  SavedShellFolders saved;
  FillFolderCache();
  ASSERT_EQ(FolderKeywordCount, Count(FolderCache));
  for (int position = 0; position < FolderKeywordCount; position++) {
    SCOPED_TRACE(FolderKeywordText(position));
    ASSERT_NE(nullptr, GetItem(FolderCache, position));
    EXPECT_NE('\0', *GetItem(FolderCache, position));
    EXPECT_EQ(Resolved(position), GetItem(FolderCache, position));
  }
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_EQ(std::string(windows) + "\\win.ini", Taken(ExpandFolderKeywords("<windows>\\win.ini")));
  FillFolderCache();   // again: the cache is rebuilt, not extended
  EXPECT_EQ(FolderKeywordCount, Count(FolderCache));
}

TEST_F(Folders, RegistryRows) {
  SavedValue ie(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\IE Setup\\Setup", "Path");
  SavedValue access(HKEY_LOCAL_MACHINE, AccessAppPathKey, nullptr);
  SavedValue programs(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir");
  SavedValue common(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", "CommonFilesDir");
  ie.SetText("C:\\Browser\\");
  access.SetText("C:\\Office\\MSACCESS.EXE");
  programs.SetText("D:\\Programs");
  common.SetText("D:\\Programs\\Shared");
  EXPECT_EQ("C:\\Browser\\iexplore.exe", Resolved(10));
  EXPECT_EQ("C:\\Office\\MSACCESS.EXE", Resolved(13));
  EXPECT_EQ("D:\\Programs", Resolved(16));
  EXPECT_EQ("D:\\Programs\\Shared", Resolved(4));
  // Missing or empty values fall back to the temporary folder.
  ie.Delete();
  access.SetText("");
  programs.Delete();
  EXPECT_EQ(TempFolder(), Resolved(10));
  EXPECT_EQ(TempFolder(), Resolved(13));
  EXPECT_EQ(TempFolder(), Resolved(16));
}

// Shell calls that always fail, as on a shell too old to know a folder.
BOOL WINAPI NoPath(HWND, char* path, int, BOOL) {
  lstrcpyA(path, "half");
  return FALSE;
}
HRESULT WINAPI NoLocation(HWND, int, LPITEMIDLIST*) {
  return E_FAIL;
}

class FoldersWithoutShell : public Folders {
 protected:
  void SetUp() override {
    Folders::SetUp();
    ShellFolder.GetSpecialFolderPath = NoPath;
    ShellFolder.GetSpecialFolderLocation = NoLocation;
  }
};

TEST_F(FoldersWithoutShell, ShellRowsFallBack) {
  EXPECT_EQ(TempFolder(), Resolved(DesktopKeyword));
  EXPECT_EQ(TempFolder(), Resolved(8));    // <CommonTemplates> tries two folders
  EXPECT_EQ(TempFolder(), Resolved(CommonDocumentsKeyword));
}

TEST_F(FoldersWithoutShell, UserProfileFallbacks) {
  const char reconciliation[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ProfileReconciliation";
  const char storage[] = "Software\\Microsoft\\Protected Storage System Provider";
  SavedValue profile(HKEY_CURRENT_USER, reconciliation, "ProfileDirectory");
  SavedValue storageKey(HKEY_CURRENT_USER, std::string(storage) + "\\S-1-5-21-7-corvel", "Marker");
  SavedValue image(HKEY_LOCAL_MACHINE,
                   "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList\\S-1-5-21-7-corvel",
                   "ProfileImagePath");
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);

  profile.SetText("C:\\Profiles\\Reconciled");
  EXPECT_EQ("C:\\Profiles\\Reconciled", Resolved(UserProfileKeyword));

  profile.Delete();
  HKEY probe;
  bool otherUsers = RegOpenKeyExA(HKEY_CURRENT_USER, storage, 0, KEY_READ, &probe) == ERROR_SUCCESS;
  if (otherUsers) RegCloseKey(probe);
  if (!otherUsers) EXPECT_EQ(windows, Resolved(UserProfileKeyword));   // no profile recorded anywhere

  storageKey.SetText("x");
  image.SetText("%SystemRoot%\\Profiles\\Corvel");
  if (!otherUsers) EXPECT_EQ(std::string(windows) + "\\Profiles\\Corvel", Resolved(UserProfileKeyword));
}

TEST_F(FoldersWithoutShell, AppDataFromTheRegistryOrMadeUnderTheProfile) {
  SavedValue appData(HKEY_CURRENT_USER, ShellFolders, "AppData");
  SavedValue profile(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ProfileReconciliation",
                     "ProfileDirectory");
  std::string base = TempFolder() + "\\corvel-profile-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(base.c_str(), nullptr);
  appData.SetText("C:\\Recorded AppData");
  EXPECT_EQ("C:\\Recorded AppData", Resolved(AppDataKeyword));

  appData.Delete();
  profile.SetText(base);
  EXPECT_EQ(base + "\\Application Data", Resolved(AppDataKeyword));
  EXPECT_TRUE(IsFolder(base + "\\Application Data"));
  EXPECT_EQ(base + "\\Application Data", appData.Text());   // written back for the next run
  // Quick Launch lives below it; without that folder it is the temporary folder.
  EXPECT_EQ(TempFolder(), Resolved(QuickLaunchKeyword));
  std::string quickLaunch = base + "\\Application Data\\Microsoft\\Internet Explorer\\Quick Launch";
  SHCreateDirectoryExA(nullptr, quickLaunch.c_str(), nullptr);
  EXPECT_EQ(quickLaunch, Resolved(QuickLaunchKeyword));
  SHFILEOPSTRUCTA remove = {};
  std::string from = base + '\0';
  remove.wFunc = FO_DELETE;
  remove.pFrom = from.c_str();
  remove.fFlags = FOF_NO_UI;
  SHFileOperationA(&remove);
}

TEST_F(FoldersWithoutShell, PerUserMediaFolderNeedsADocumentsFolder) {
  SavedValue pictures(HKEY_CURRENT_USER, ShellFolders, "My Pictures");
  pictures.SetText("C:\\Recorded Pictures");
  EXPECT_EQ("C:\\Recorded Pictures", Resolved(PicturesKeyword));
  // Without the value and without a documents folder there is nowhere to
  // make one: nothing is recorded and the keyword falls back.
  pictures.SetText("");
  EXPECT_EQ(TempFolder(), Resolved(PicturesKeyword));
  EXPECT_EQ("", pictures.Text());
}

TEST_F(Folders, AllUsersFromTheProfileList) {
  const char list[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
  SavedValue profiles(HKEY_LOCAL_MACHINE, list, "ProfilesDirectory");
  SavedValue allUsers(HKEY_LOCAL_MACHINE, list, "AllUsersProfile");
  SavedValue programData(HKEY_LOCAL_MACHINE, list, "ProgramData");
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  profiles.SetText("%SystemRoot%\\People");
  allUsers.SetText("Everyone");
  programData.SetText("%SystemRoot%\\Shared");
  EXPECT_EQ(std::string(windows) + "\\People\\Everyone", Resolved(AllUsersKeyword));
  // Vista and later: no all-users profile, the shared data folder instead.
  allUsers.Delete();
  EXPECT_EQ(std::string(windows) + "\\Shared", Resolved(AllUsersKeyword));
  programData.Delete();
  EXPECT_EQ(std::string(windows) + "\\Profiles\\All Users", Resolved(AllUsersKeyword));
}

// The child side of the version runs: prints the folder cache and the
// shell's common folders for the parent to compare.
TEST(FolderChild, Print) {
  if (!GetEnvironmentVariableA("CORVEL_PRINT_FOLDERS", nullptr, 0)) GTEST_SKIP();
  ASSERT_TRUE(LoadShellFolderFunctions());
  ASSERT_TRUE(CreateVariableTable());
  FillFolderCache();
  printf("code=%d\n", GetWindowsVersionCode());
  for (int position = 0; position < Count(FolderCache); position++)
    printf("keyword%d=%s\n", position, GetItem(FolderCache, position));
  for (int folder : {CSIDL_COMMON_DESKTOPDIRECTORY, CSIDL_COMMON_PROGRAMS, CSIDL_COMMON_DOCUMENTS}) {
    char path[MAX_PATH];
    GetSpecialFolderPath(folder, path);
    printf("shell%d=%s\n", folder, path);
  }
  fflush(stdout);
  DestroyVariableTable();
  ReleaseShellFolderFunctions();
}

struct ChildRun {
  int code = -1;
  std::map<std::string, std::string> values;
  std::string Keyword(int position) { return values["keyword" + std::to_string(position)]; }
  std::string Shell(int folder) { return values["shell" + std::to_string(folder)]; }
};

ChildRun RunAs(const char* version) {
  SetEnvironmentVariableA("CORVEL_PRINT_FOLDERS", "1");
  winver::Run run = winver::RunSelfAs(version, "--gtest_filter=FolderChild.Print");
  SetEnvironmentVariableA("CORVEL_PRINT_FOLDERS", nullptr);
  EXPECT_TRUE(run.started) << version;
  EXPECT_EQ(0u, run.exitCode) << run.output;
  ChildRun child;
  std::istringstream lines(run.output);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t equals = line.find('=');
    if (equals != std::string::npos) child.values[line.substr(0, equals)] = line.substr(equals + 1);
  }
  if (child.values.count("code")) child.code = std::stoi(child.values["code"]);
  return child;
}

// Each run is a Wine process posing as one version, so the runs share one
// test: they are slow, and the media-folder runs build on each other.
TEST(FoldersByVersion, CommonFoldersQuickLaunchTempAndMediaWriteBack) {
  SavedShellFolders saved;
  const SavedValue& commonPictures = saved.values[2];
  const SavedValue& commonMusic = saved.values[3];
  const SavedValue& pictures = saved.values[5];
  commonPictures.Delete();
  commonMusic.Delete();
  pictures.Delete();

  // Windows 98 (Wine's says 98 SE): per-user folders stand in for the common ones.
  ChildRun win98 = RunAs("win98");
  ASSERT_EQ(5, win98.code);
  EXPECT_EQ(win98.Keyword(DesktopKeyword), win98.Keyword(CommonDesktopKeyword));
  EXPECT_EQ(win98.Keyword(ProgramsKeyword), win98.Keyword(CommonProgramsKeyword));
  EXPECT_EQ(win98.Keyword(15), win98.Keyword(CommonDocumentsKeyword));
  EXPECT_NE(win98.Shell(CSIDL_COMMON_DESKTOPDIRECTORY), win98.Keyword(CommonDesktopKeyword));
  EXPECT_EQ(TempFolder(), win98.Keyword(TempKeyword));
  EXPECT_EQ(TempFolder(), win98.Keyword(QuickLaunchKeyword));   // no Quick Launch folder here
  // The media folders are made under the documents folder and recorded.
  std::string madePictures = win98.Keyword(CommonDocumentsKeyword) + "\\My Pictures";
  EXPECT_EQ(madePictures, win98.Keyword(CommonPicturesKeyword));
  EXPECT_EQ(madePictures, commonPictures.Text());
  EXPECT_TRUE(IsFolder(madePictures));
  EXPECT_EQ(win98.Keyword(15) + "\\My Pictures", win98.Keyword(PicturesKeyword));
  EXPECT_EQ(win98.Keyword(PicturesKeyword), pictures.Text());
  commonMusic.Delete();

  // Windows 2000 reads back what the first run recorded, although its own
  // common documents folder lies elsewhere.
  ChildRun win2k = RunAs("win2k");
  ASSERT_EQ(7, win2k.code);
  EXPECT_EQ(win2k.Shell(CSIDL_COMMON_DESKTOPDIRECTORY), win2k.Keyword(CommonDesktopKeyword));
  EXPECT_EQ(win2k.Shell(CSIDL_COMMON_PROGRAMS), win2k.Keyword(CommonProgramsKeyword));
  EXPECT_EQ(win2k.Shell(CSIDL_COMMON_DOCUMENTS), win2k.Keyword(CommonDocumentsKeyword));
  EXPECT_NE(win2k.Keyword(CommonDocumentsKeyword), win98.Keyword(CommonDocumentsKeyword));
  EXPECT_EQ(madePictures, win2k.Keyword(CommonPicturesKeyword));
  EXPECT_EQ(win2k.Keyword(CommonDocumentsKeyword) + "\\My Music", win2k.Keyword(30));
  EXPECT_EQ(win2k.Keyword(30), commonMusic.Text());

  // NT 4 counts as a common-folder system, except for the documents folder.
  ChildRun nt40 = RunAs("nt40");
  ASSERT_EQ(3, nt40.code);
  EXPECT_EQ(nt40.Shell(CSIDL_COMMON_DESKTOPDIRECTORY), nt40.Keyword(CommonDesktopKeyword));
  EXPECT_NE(nt40.Keyword(DesktopKeyword), nt40.Keyword(CommonDesktopKeyword));
  EXPECT_EQ(nt40.Keyword(15), nt40.Keyword(CommonDocumentsKeyword));
  EXPECT_NE(nt40.Shell(CSIDL_COMMON_DOCUMENTS), nt40.Keyword(CommonDocumentsKeyword));

  // With a Quick Launch folder below the application data folder.
  ChildRun winxp = [&] {
    std::string appData = win2k.Keyword(AppDataKeyword);
    std::string quickLaunch = appData + "\\Microsoft\\Internet Explorer\\Quick Launch";
    bool made = !IsFolder(quickLaunch) && SHCreateDirectoryExA(nullptr, quickLaunch.c_str(), nullptr) == 0;
    ChildRun run = RunAs("winxp");
    EXPECT_EQ(quickLaunch, run.Keyword(QuickLaunchKeyword));
    if (made) RemoveDirectoryA(quickLaunch.c_str());
    return run;
  }();
  ASSERT_EQ(8, winxp.code);
  EXPECT_EQ(winxp.Shell(CSIDL_COMMON_DOCUMENTS), winxp.Keyword(CommonDocumentsKeyword));

  // Windows 10 is served as Server 2003 is.
  for (const char* version : {"win2003", "win10"}) {
    SCOPED_TRACE(version);
    ChildRun run = RunAs(version);
    ASSERT_EQ(9, run.code);
    EXPECT_EQ(run.Shell(CSIDL_COMMON_DESKTOPDIRECTORY), run.Keyword(CommonDesktopKeyword));
    EXPECT_EQ(run.Shell(CSIDL_COMMON_DOCUMENTS), run.Keyword(CommonDocumentsKeyword));
    EXPECT_EQ(TempFolder(), run.Keyword(TempKeyword));
  }
}

}  // namespace
