// The uninstall worker without a page (the rollback of a failed
// installation), the removal helpers that must never follow a link, and the
// deletion batch.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include "common/heap.h"
#include "engine/delayed.h"
#include "script/model.h"
#include "startup/process.h"
#include "support/files.h"
#include "support/ui_driver.h"
#include "uninstall/log.h"
#include "uninstall/removal.h"
#include "uninstall/uninstall.h"
#include "saved_registry.h"
#include "uninstall_support.h"

namespace {

using namespace uninstall_support;

const char SharedKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

void SetString(char** target, const std::string& text) {
  FreeBlock(*target);
  *target = DuplicateString(text.c_str(), 0);
}

void Touch(const std::string& path, const std::string& text = "data") {
  files::Write(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::string FileText(const std::string& path) {
  std::vector<std::uint8_t> bytes = files::Read(path);
  return std::string(bytes.begin(), bytes.end());
}

bool ListHas(StringList list, const std::string& text) {
  for (int i = 0; i < Count(list); i++)
    if (GetItem(list, i) && !lstrcmpiA(GetItem(list, i), text.c_str())) return true;
  return false;
}

class UninstallWorkerTest : public testing::Test {
 protected:
  std::string folder, app, outside;
  void SetUp() override {
    folder = files::MakeTemporaryFolder("corvel-uninstall");
    app = folder + "\\App";
    outside = folder + "\\Outside";
    CreateDirectoryA(app.c_str(), 0);
    CreateDirectoryA(outside.c_str(), 0);
    SetString(&TemporaryFolder, folder);
    static bool modelReady = CreateModelLists();
    ASSERT_TRUE(modelReady);
    SetString(&Model.displayName, "Demo Application");
    SetString(&Model.productName, "DemoApp");
    if (!UninstallFinishedEvent) UninstallFinishedEvent = CreateEventA(0, TRUE, FALSE, 0);
    if (!WorkerGateEvent) WorkerGateEvent = CreateEventA(0, TRUE, TRUE, 0);
    ResetEvent(UninstallFinishedEvent);
    ModuleHandle = files::StubResources();
    ClearList(RebootList);
    ClearList(LeftoverList);
  }
  void TearDown() override {
    FreeLogLines();
    DestroyList(&PendingTargets);
    // The worker moves into the temporary folder; RemoveFolder leaves it.
    RemoveFolder(folder);
  }

  // A failed installation's temporary log holding these lines, ready for
  // the rollback; lines with a leading '-' exist only in the final log.
  void MakeTemporaryLog(const std::vector<std::string>& lines) {
    FreeLogLines();
    char* path = StartTemporaryLog();
    ASSERT_NE(path, nullptr);
    for (const std::string& line : lines) {
      bool writeNow = line[0] != '-';
      std::string entry = writeNow ? line : line.substr(1);
      RecordLogLine(entry.substr(0, 1).c_str(), entry.substr(2).c_str(), writeNow, false);
    }
    EndLog(path, nullptr, false);
    FreeBlock(path);
  }

  // Runs the rollback, failing when any window of this process shows up.
  void RollBack() {
    struct Watch {
      HANDLE done;
      bool windowSeen;
    } watch = {CreateEventA(0, TRUE, FALSE, 0), false};
    HANDLE watcher = CreateThread(0, 0, [](void* parameter) -> DWORD {
      Watch* w = (Watch*)parameter;
      while (WaitForSingleObject(w->done, 20) == WAIT_TIMEOUT)
        if (!ui::TopLevelWindows(GetCurrentProcessId()).empty()) w->windowSeen = true;
      return 0;
    }, &watch, 0, 0);
    StartUninstall(true);
    SetEvent(watch.done);
    // The watcher uses this frame: it must be gone before the frame is.
    WaitForSingleObject(watcher, INFINITE);
    CloseHandle(watcher);
    CloseHandle(watch.done);
    EXPECT_FALSE(watch.windowSeen) << "the rollback showed a window";
  }
};

TEST_F(UninstallWorkerTest, RollbackUndoesOnlyWhatTheTemporaryLogHolds) {
  std::string data = app + "\\Data";
  CreateDirectoryA(data.c_str(), 0);
  Touch(app + "\\app.exe");
  Touch(data + "\\table.dat");
  Touch(app + "\\existed.dll");
  Touch(app + "\\replaced.dll");
  Touch(folder + "\\App.lnk");
  // A shared file the run wrote and counted: at 0 again it goes without a question.
  std::string shared = app + "\\shared.dll";
  Touch(shared);
  SavedValue sharedCount(HKEY_LOCAL_MACHINE, SharedKey, shared.c_str());
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, SharedKey, 0, 0, 0, KEY_ALL_ACCESS, 0, &key, 0), ERROR_SUCCESS);
  DWORD one = 1;
  RegSetValueExA(key, shared.c_str(), 0, REG_DWORD, (BYTE*)&one, 4);
  CreateList(&PendingTargets, 5);
  AppendItem(PendingTargets, (app + "\\replaced.dll").c_str());
  MakeTemporaryLog({"a," + app, "b," + app + "\\app.exe", "a," + data, "b," + data + "\\table.dat",
                    "-b," + app + "\\existed.dll", "b," + app + "\\replaced.dll", "g," + shared,
                    "h," + folder + "\\App.lnk"});
  std::string temporaryLog = TemporaryLogPath;

  RollBack();

  EXPECT_FALSE(files::Exists(app + "\\app.exe"));
  EXPECT_FALSE(files::Exists(data));
  EXPECT_FALSE(files::Exists(folder + "\\App.lnk"));
  EXPECT_FALSE(files::Exists(shared));
  EXPECT_NE(RegQueryValueExA(key, shared.c_str(), 0, 0, 0, 0), ERROR_SUCCESS);
  RegCloseKey(key);
  // What was there before the installation, and what a restart will bring, stays.
  EXPECT_TRUE(files::Exists(app + "\\existed.dll"));
  EXPECT_TRUE(files::Exists(app + "\\replaced.dll"));
  EXPECT_TRUE(ListHas(LeftoverList, app));
  EXPECT_EQ(Count(LeftoverList), 1);
  EXPECT_EQ(Count(RebootList), 0);
  EXPECT_FALSE(files::Exists(temporaryLog));
  EXPECT_EQ(TemporaryLogPath, nullptr);
  EXPECT_EQ(WaitForSingleObject(UninstallFinishedEvent, 0), WAIT_OBJECT_0);
}

TEST_F(UninstallWorkerTest, RollbackOfAnEmptyOrMissingLogChangesNothing) {
  MakeTemporaryLog({});
  RollBack();
  EXPECT_NE(WaitForSingleObject(UninstallFinishedEvent, 0), WAIT_OBJECT_0) << "a log without entries finishes nothing";
  StartUninstall(true);   // the path went with the first rollback
  EXPECT_TRUE(files::Exists(app));
}

TEST_F(UninstallWorkerTest, AFileInUseGoesToTheRebootListAfterTwoSeconds) {
  std::string busy = app + "\\busy.dll";
  Touch(busy);
  HANDLE holder = CreateFileA(busy.c_str(), GENERIC_READ, 0, 0, OPEN_EXISTING, 0, 0);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  MakeTemporaryLog({"a," + app, "b," + busy});
  DWORD start = GetTickCount();
  RollBack();
  DWORD elapsed = GetTickCount() - start;
  CloseHandle(holder);
  EXPECT_TRUE(files::Exists(busy));
  EXPECT_TRUE(ListHas(RebootList, busy));
  EXPECT_TRUE(ListHas(LeftoverList, app));
  EXPECT_GE(elapsed, 2000u);
}

// Answers the shared-file questions of another thread in order: the
// confirmation dialog (Yes 1, Yes To All 1011, No 2) and message boxes.
struct Answers {
  std::vector<std::pair<std::string, int>> steps;   // caption, button
  std::vector<std::string> seen;
};

DWORD WINAPI Answer(void* parameter) {
  Answers* answers = (Answers*)parameter;
  for (auto& step : answers->steps) {
    HWND box = 0;
    for (int i = 0; i < 3000 && !box; i++, Sleep(10)) box = FindOwnDialog(step.first.c_str());
    if (!box) return 1;
    answers->seen.push_back(step.first + ": " + ui::ControlText(box, 1001) + ui::ControlText(box, 65535));
    // The worker waits for the answer with no end: one lost click would hang it.
    for (int click = 0; click < 5 && IsWindow(box); click++) {
      SendMessageA(GetDlgItem(box, step.second), BM_CLICK, 0, 0);
      for (int i = 0; i < 300 && IsWindow(box); i++) Sleep(10);
    }
  }
  return 0;
}

TEST_F(UninstallWorkerTest, SharedFilesGoAtZeroAfterTheQuestionAndYesToAllNeedsItsSecondYes) {
  ASSERT_NE(ModuleHandle, nullptr);
  std::string kept = app + "\\kept.dll", first = app + "\\first.dll", second = app + "\\second.dll";
  SavedValue savedKept(HKEY_LOCAL_MACHINE, SharedKey, kept.c_str());
  SavedValue savedFirst(HKEY_LOCAL_MACHINE, SharedKey, first.c_str());
  SavedValue savedSecond(HKEY_LOCAL_MACHINE, SharedKey, second.c_str());
  for (const std::string* path : {&kept, &first, &second}) Touch(*path);
  DWORD two = 2, one = 1;
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, SharedKey, 0, 0, 0, KEY_ALL_ACCESS, 0, &key, 0), ERROR_SUCCESS);
  RegSetValueExA(key, kept.c_str(), 0, REG_DWORD, (BYTE*)&two, 4);
  RegSetValueExA(key, first.c_str(), 0, REG_DWORD, (BYTE*)&one, 4);
  RegSetValueExA(key, second.c_str(), 0, REG_DWORD, (BYTE*)&one, 4);

  // Undone last first: second.dll, then first.dll, then kept.dll.
  MakeTemporaryLog({"g," + kept, "g," + first, "g," + second});
  Answers answers;
  answers.steps = {{"Shared File Detected", 1011}, {"Confirm Operation", IDNO}, {"Shared File Detected", IDCANCEL}};
  HANDLE answerer = CreateThread(0, 0, Answer, &answers, 0, 0);
  // The uninstaller's worker, as a run without its page does it; a rollback would ask nothing.
  StringList fields = nullptr;
  CreateList(&fields, 15);
  EXPECT_TRUE(ReadInstallLog(TemporaryLogPath, fields));
  DestroyList(&fields);
  UninstallWorker(nullptr);
  DeleteFileA(TemporaryLogPath);
  FreeBlock(TemporaryLogPath);
  TemporaryLogPath = nullptr;
  // The answerer gives up by itself on a box that does not come; it uses
  // this frame until it ends.
  WaitForSingleObject(answerer, INFINITE);
  CloseHandle(answerer);

  ASSERT_EQ(answers.seen.size(), 3u);
  EXPECT_NE(answers.seen[0].find("File name: second.dll\nLocated in: " + app + "\n"), std::string::npos) << answers.seen[0];
  EXPECT_NE(answers.seen[1].find("You have chosen to remove all shared components"), std::string::npos);
  EXPECT_NE(answers.seen[2].find("File name: first.dll"), std::string::npos);
  EXPECT_FALSE(files::Exists(second)) << "Yes To All deletes this file even when its second question is No";
  EXPECT_TRUE(files::Exists(first));
  EXPECT_TRUE(files::Exists(kept));
  DWORD count = 0, size = sizeof(count);
  EXPECT_EQ(RegQueryValueExA(key, kept.c_str(), 0, 0, (BYTE*)&count, &size), ERROR_SUCCESS);
  EXPECT_EQ(count, 1u);
  EXPECT_NE(RegQueryValueExA(key, first.c_str(), 0, 0, 0, 0), ERROR_SUCCESS) << "the value goes at zero";
  RegCloseKey(key);
}

TEST_F(UninstallWorkerTest, DeletingAFolderTreeNeverEntersALink) {
  Touch(outside + "\\precious.txt");
  CreateDirectoryA((outside + "\\inner").c_str(), 0);
  Touch(outside + "\\inner\\deep.txt");
  std::string leftover = app + "\\Data";
  CreateDirectoryA(leftover.c_str(), 0);
  CreateDirectoryA((leftover + "\\sub").c_str(), 0);
  Touch(leftover + "\\sub\\user.txt");
  Touch(leftover + "\\readonly.txt");
  SetFileAttributesA((leftover + "\\readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(MakeLink(outside, leftover + "\\link")) << "no symbolic link could be made";
  ASSERT_FALSE(IsFolderEmpty(outside.c_str()));

  DeleteFolderTree(leftover.c_str());
  EXPECT_FALSE(files::Exists(leftover + "\\sub"));
  EXPECT_FALSE(files::Exists(leftover + "\\readonly.txt"));
  EXPECT_EQ(FileText(outside + "\\precious.txt"), "data");
  EXPECT_EQ(FileText(outside + "\\inner\\deep.txt"), "data");
  // Wine cannot remove the link itself; a system that can leaves no folder.
  if (files::Exists(leftover + "\\link")) EXPECT_TRUE(files::Exists(leftover));

  // A folder entry that has become a link is neither emptied nor offered.
  ASSERT_TRUE(MakeLink(outside, app + "\\Linked"));
  MakeTemporaryLog({"a," + app + "\\Linked"});
  RollBack();
  EXPECT_FALSE(ListHas(LeftoverList, app + "\\Linked"));
  EXPECT_EQ(FileText(outside + "\\precious.txt"), "data");
  EXPECT_TRUE(files::Exists(outside + "\\inner\\deep.txt"));
}

TEST_F(UninstallWorkerTest, TheBatchWaitsForTheProgramThenDeletesItAndItself) {
  std::string program = folder + "\\KVZ1.tmp";
  Touch(program);
  SetString(&ModulePath, program);
  std::string batch = folder + "\\delself.bat";
  // Held open, the program's file cannot go yet, and the batch keeps trying.
  HANDLE running = CreateFileA(program.c_str(), GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, 0, 0);
  ASSERT_NE(running, INVALID_HANDLE_VALUE);
  ScheduleSelfDeletion();
  EXPECT_EQ(FileText(batch), "@echo off\r\n:try\r\ndel \"" + program + "\"\r\nif exist \"" + program +
                                 "\" goto try\r\ndel \"" + batch + "\"");
  Sleep(500);
  EXPECT_TRUE(files::Exists(program));
  CloseHandle(running);
  for (int i = 0; i < 200 && (files::Exists(program) || files::Exists(batch)); i++) Sleep(50);
  EXPECT_FALSE(files::Exists(program));
  EXPECT_FALSE(files::Exists(batch));
}

}  // namespace
