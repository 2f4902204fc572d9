// Path helpers, existence tests on a real folder tree, and loading from the
// system folder.
#include <gtest/gtest.h>
#include <string>
#include "common/heap.h"
#include "common/paths.h"

static std::string Taken(char* heapString) {
  std::string text = heapString ? heapString : "<null>";
  FreeBlock(heapString);
  return text;
}

// A fresh folder under the temporary folder, without a trailing backslash.
static std::string MakeFolder(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string folder = std::string(temp) + name + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), 0);
  return folder;
}

// A drive letter that names no drive, or 0 when every letter is taken.
static char UnusedDrive() {
  DWORD drives = GetLogicalDrives();
  for (char letter = 'Z'; letter > 'C'; letter--)
    if (!(drives & (1u << (letter - 'A'))))
      return letter;
  return 0;
}

TEST(Paths, NameParts) {
  const char path[] = "C:\\App.1\\uninstall.exe";
  EXPECT_EQ(path + 9, FileNamePart(path));
  EXPECT_STREQ("x.exe", FileNamePart("x.exe"));
  EXPECT_STREQ("", FileNamePart("C:\\App\\"));
  EXPECT_EQ("uninstall", Taken(BaseNameNoExtension(path)));
  EXPECT_EQ("file", Taken(BaseNameNoExtension("C:\\a.b\\file")));
  EXPECT_EQ("archive.tar", Taken(BaseNameNoExtension("archive.tar.gz")));
  EXPECT_EQ("C:\\App.1", Taken(ParentPath(path)));
  EXPECT_EQ("file", Taken(ParentPath("file")));
  EXPECT_EQ("C:", Taken(ParentPath("C:\\")));
}

TEST(Paths, CombineJoinsWithOneBackslash) {
  char doubled[] = "C:\\App\\\\";
  StripTrailingSlash(doubled);
  EXPECT_STREQ("C:\\App\\", doubled);   // one slash only
  EXPECT_EQ("C:\\App\\bin", Taken(CombinePath("C:\\App\\", "\\bin")));
  EXPECT_EQ("C:\\App\\bin", Taken(CombinePath("C:\\App", "bin")));
  EXPECT_EQ("D:\\x", Taken(CombinePath("C:\\App", "D:\\x")));
  EXPECT_EQ("C:\\App", Taken(CombinePath("C:\\App", "")));
  EXPECT_EQ("C:\\App", Taken(CombinePath("C:\\App\\", "\\")));
  EXPECT_EQ("C:\\App", Taken(CombinePath("C:\\App\\", 0)));
  EXPECT_EQ("\\bin", Taken(CombinePath("", "bin")));
}

TEST(Existence, FilesFoldersAndDrives) {
  std::string folder = MakeFolder("corvel-exists-");
  std::string file = folder + "\\file.txt";
  CloseHandle(CreateFileA(file.c_str(), GENERIC_WRITE, 0, 0, CREATE_ALWAYS, 0, 0));
  EXPECT_TRUE(PathExists(folder.c_str()));
  EXPECT_TRUE(PathExists((folder + "\\").c_str()));
  EXPECT_TRUE(PathExists(file.c_str()));
  EXPECT_TRUE(PathExists("C:"));
  EXPECT_TRUE(PathExists("C:\\"));
  EXPECT_TRUE(PathExists("C:\\."));
  EXPECT_TRUE(PathExists("c:/"));

  SetLastError(0);
  EXPECT_FALSE(PathExists((folder + "\\missing").c_str()));
  EXPECT_EQ((DWORD)ERROR_FILE_NOT_FOUND, GetLastError());
  SetLastError(0);
  EXPECT_FALSE(PathExists((folder + "\\missing\\deeper").c_str()));
  EXPECT_NE(0u, GetLastError());
  if (char drive = UnusedDrive()) {
    char bare[] = "?:";
    bare[0] = drive;
    EXPECT_FALSE(PathExists(bare));
  }
  DeleteFileA(file.c_str());
  RemoveDirectoryA(folder.c_str());
}

TEST(Existence, AncestorIsTheLongestExistingPart) {
  std::string folder = MakeFolder("corvel-ancestor-");
  char* found = 0;
  EXPECT_EQ(0u, FindExistingAncestor((folder + "\\a\\b").c_str(), &found));
  EXPECT_EQ(folder, Taken(found));
  EXPECT_EQ(0u, FindExistingAncestor((folder + "\\").c_str(), &found));
  EXPECT_EQ(folder + "\\", Taken(found));   // an existing path comes back as given
  std::string missing = "C:\\corvel-missing-" + std::to_string(GetTickCount());
  EXPECT_EQ(0u, FindExistingAncestor(missing.c_str(), &found));
  EXPECT_EQ("C:\\", Taken(found));
  EXPECT_EQ(0u, FindExistingAncestor("C:", &found));
  EXPECT_EQ("C:\\", Taken(found));
  if (char drive = UnusedDrive()) {
    char path[] = "?:\\a\\b";
    path[0] = drive;
    found = (char*)1;
    EXPECT_NE(0u, FindExistingAncestor(path, &found));
    EXPECT_EQ(nullptr, found);
  }
  found = (char*)1;
  EXPECT_NE(0u, FindExistingAncestor("no-such-relative-name", &found));
  EXPECT_EQ(nullptr, found);
  RemoveDirectoryA(folder.c_str());
}

TEST(SystemLibraries, LoadOnlyFromTheSystemFolder) {
  char system[MAX_PATH], loaded[MAX_PATH];
  GetSystemDirectoryA(system, MAX_PATH);
  HMODULE library = LoadSystemLibrary("COMCTL32.DLL");
  ASSERT_NE(nullptr, library);
  GetModuleFileNameA(library, loaded, MAX_PATH);
  EXPECT_EQ(0, _strnicmp(system, loaded, strlen(system))) << loaded;
  FreeLibrary(library);

  // A library planted in the current folder is never picked up.
  std::string folder = MakeFolder("corvel-planted-");
  char self[MAX_PATH], previous[MAX_PATH];
  GetModuleFileNameA(0, self, MAX_PATH);
  std::string planted = folder + "\\corvelplanted.dll";
  ASSERT_TRUE(CopyFileA(self, planted.c_str(), FALSE));
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(folder.c_str());
  HMODULE bare = LoadLibraryA("corvelplanted.dll");
  EXPECT_NE(nullptr, bare) << "the planted file should load by its bare name";
  EXPECT_EQ(nullptr, LoadSystemLibrary("corvelplanted.dll"));
  if (bare)
    FreeLibrary(bare);
  SetCurrentDirectoryA(previous);
  DeleteFileA(planted.c_str());
  RemoveDirectoryA(folder.c_str());
}
