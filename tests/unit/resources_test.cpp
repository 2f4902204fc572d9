// What an installation of 2,000 files costs the process and gives back: the
// handle count, the window-system objects, the blocks of the stub's private
// heap and the private bytes, measured before and after whole runs of the
// install worker and a run cancelled near its end (the rollback removes all
// 2,000 files again).
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
#include <cstdio>
#include <cstdlib>

#include "common/heap.h"
#include "engine/delayed.h"
#include "engine/variables.h"
#include "engine/worker.h"
#include "script/model.h"
#include "startup/process.h"
#include "support/files.h"
#include "uninstall/log.h"
#include "worker_support.h"

namespace {

const int Folders = 20, FilesPerFolder = 100;
const char Product[] = "CorvelResourceCheck";

struct Usage {
  DWORD handles = 0;
  SIZE_T heapBlocks = 0, heapBytes = 0;   // busy blocks of the stub's private heap
  SIZE_T allHeapBytes = 0;                // busy bytes of every heap of the process
  SIZE_T privateBytes = 0;
};

// The system's count where it has one; otherwise every value that names an
// open handle (Wine's handles are small multiples of four).
DWORD CountHandles() {
  typedef BOOL(WINAPI * HandleCount)(HANDLE, PDWORD);
  HandleCount count = (HandleCount)GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetProcessHandleCount");
  DWORD handles = 0;
  if (count && count(GetCurrentProcess(), &handles) && handles) return handles;
  DWORD flags;
  for (ULONG_PTR value = 4; value < 0x40000; value += 4)
    if (GetHandleInformation((HANDLE)value, &flags)) handles++;
  return handles;
}

SIZE_T BusyBytes(HANDLE heap, SIZE_T* blocks) {
  SIZE_T bytes = 0;
  PROCESS_HEAP_ENTRY entry = {};
  HeapLock(heap);
  while (HeapWalk(heap, &entry))
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
      bytes += entry.cbData;
      if (blocks) ++*blocks;
    }
  HeapUnlock(heap);
  return bytes;
}

Usage Measure() {
  Usage usage;
  usage.handles = CountHandles();
  usage.heapBytes = BusyBytes(PrivateHeap, &usage.heapBlocks);
  HANDLE heaps[64];
  DWORD count = GetProcessHeaps(64, heaps);
  for (DWORD i = 0; i < count && i < 64; i++) usage.allHeapBytes += BusyBytes(heaps[i], nullptr);
  PROCESS_MEMORY_COUNTERS_EX memory = {};
  memory.cb = sizeof memory;
  typedef BOOL(WINAPI * MemoryInfo)(HANDLE, PROCESS_MEMORY_COUNTERS*, DWORD);
  MemoryInfo info = (MemoryInfo)GetProcAddress(GetModuleHandleA("kernel32.dll"), "K32GetProcessMemoryInfo");
  if (info && info(GetCurrentProcess(), (PROCESS_MEMORY_COUNTERS*)&memory, sizeof memory))
    usage.privateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
  return usage;
}

void Print(const char* when, const Usage& usage) {
  printf("[ figures  ] %-24s handles %lu, private heap %zu blocks / %zu bytes, all heaps %zu bytes, "
         "private %zu KB\n",
         when, usage.handles, usage.heapBlocks, usage.heapBytes, usage.allHeapBytes, usage.privateBytes / 1024);
}

// The installing page as the wizard has it, pumped by a plain message loop
// on this thread: the worker's calls into its controls are served at once.
HWND Frame;
DWORD WorkerThreadId;
const char* CancelAfter;   // the end of the item after which the user cancels, or null
bool Succeeded, Cancelled;

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if ((message == WM_COMMAND && LOWORD(wParam) == NextButton) || message == WM_INSTALL_ABORTED) {
    Succeeded = message == WM_COMMAND;
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

WNDPROC StaticProc;
LRESULT CALLBACK ItemProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETTEXT && CancelAfter && lParam && !Cancelled) {
    std::string text = (const char*)lParam, wanted = CancelAfter;
    if (text.size() >= wanted.size() && text.compare(text.size() - wanted.size(), wanted.size(), wanted) == 0)
      Cancelled = PostThreadMessageA(WorkerThreadId, WM_QUIT, 0, 0) != FALSE;
  }
  return CallWindowProcA(StaticProc, window, message, wParam, lParam);
}

// One run of the worker; true when it ended (with Succeeded telling how).
bool RunWorker(const char* cancelAfter) {
  HINSTANCE module = GetModuleHandleA(nullptr);
  static bool registered;
  if (!registered) {
    WNDCLASSA frame = {};
    frame.lpfnWndProc = FrameProc;
    frame.hInstance = module;
    frame.lpszClassName = "CorvelResourceFrame";
    registered = RegisterClassA(&frame) != 0;
    InitCommonControls();
  }
  Frame = CreateWindowExA(0, "CorvelResourceFrame", "", WS_OVERLAPPEDWINDOW, 0, 0, 800, 200, nullptr, nullptr,
                          module, nullptr);
  HWND page = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 800, 150, Frame, nullptr, module, nullptr);
  CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 10, 10, 700, 20, page, (HMENU)(INT_PTR)PhaseTextControl,
                  module, nullptr);
  HWND item = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE, 10, 40, 700, 20, page,
                              (HMENU)(INT_PTR)CurrentItemControl, module, nullptr);
  StaticProc = (WNDPROC)SetWindowLongPtrA(item, GWLP_WNDPROC, (LONG_PTR)ItemProc);
  CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 10, 70, 600, 20, page,
                  (HMENU)(INT_PTR)ProgressBarControl, module, nullptr);
  CancelAfter = cancelAfter;
  Succeeded = Cancelled = false;
  HANDLE thread = CreateThread(nullptr, 0, InstallWorker, page, 0, &WorkerThreadId);
  MSG message;
  while (thread && GetMessageA(&message, nullptr, 0, 0)) DispatchMessageA(&message);
  bool ended = thread && WaitForSingleObject(thread, 60000) == WAIT_OBJECT_0;
  if (thread) CloseHandle(thread);
  DestroyWindow(Frame);
  return ended;
}

class Resources : public testing::Test {
 protected:
  std::string root, temporary, app;

  void SetUp() override {
    root = files::MakeTemporaryFolder("corvel-resources");
    temporary = root + "\\temp";
    app = root + "\\App";
    CreateDirectoryA(temporary.c_str(), nullptr);
    TemporaryFolder = DuplicateString(temporary.c_str(), 0);
    WorkerGateEvent = CreateEventA(nullptr, TRUE, TRUE, nullptr);
    InstallFinishedEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  }
  void TearDown() override {
    Unload();
    worker::ReleaseRunState();
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, (std::string("Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\") +
                                        Product).c_str());
    // The rollback leaves the process in the stub's temporary folder.
    char system[MAX_PATH];
    GetTempPathA(MAX_PATH, system);
    SetCurrentDirectoryA(system);
    files::RemoveTree(root);
  }

  // A fresh setup model with the script of a package of folders x 100 files.
  void Load(int folders) {
    Unload();
    ZeroMemory(&Model, sizeof(Model));
    ASSERT_TRUE(CreateModelLists());
    Model.languageIds = (StringList)PointerArray.Create(10);
    ASSERT_TRUE(CreateVariableTable());
    ASSERT_TRUE(worker::LoadInstaller(root + "\\setup" + std::to_string(folders) + ".exe", Installer(folders)));
    loaded = true;
  }
  void Unload() {
    if (!loaded) return;
    worker::CloseInstaller();
    loaded = false;
  }
  bool loaded = false;

  std::vector<std::uint8_t> Installer(int folders) {
    corvel::Group group;
    group.folder = "%InstallPath%";
    for (int folder = 0; folder < folders; folder++) {
      group.entries.push_back(corvel::folderEntry("part" + std::to_string(folder), 0));
      for (int file = 0; file < FilesPerFolder; file++) {
        std::string name = "file" + std::to_string(file) + ".bin";
        std::string contents(200 + file * 13, (char)('a' + file % 26));
        group.entries.push_back(file % 3 ? worker::PackedFile(name, 1, contents) : worker::RawFile(name, 1, contents));
      }
    }
    corvel::PackageDescription package;
    package.groups.push_back(group);
    std::vector<std::uint8_t> stub(2048, 0);
    stub[0] = 'M';
    stub[1] = 'Z';
    auto written = corvel::writeInstaller(stub, package, worker::BaseRecords(Product, app, true));
    return written.ok() ? written.value : std::vector<std::uint8_t>();
  }

  // A whole installation; the next one starts on an empty machine again.
  void InstallAndClear() {
    ResetEvent(InstallFinishedEvent);
    InstallSucceeded = true;
    ASSERT_TRUE(RunWorker(nullptr));
    ASSERT_TRUE(Succeeded);
    ASSERT_TRUE(files::Exists(app + "\\part0\\file99.bin"));
    files::RemoveTree(app);
  }
};

TEST_F(Resources, AnInstallationOfTwoThousandFilesGivesBackWhatItTook) {
  // A small whole installation first loads what stays loaded for the
  // process's life (COM, the common controls, the system's registry and
  // notification helpers): measured from then on.
  ASSERT_NO_FATAL_FAILURE(Load(1));
  ASSERT_NO_FATAL_FAILURE(InstallAndClear());
  ASSERT_NO_FATAL_FAILURE(Load(Folders));
  Usage before = Measure();
  Print("before", before);
  // CORVEL_RESOURCE_RUNS=n repeats the whole installation n times.
  const char* repeat = getenv("CORVEL_RESOURCE_RUNS");
  int runs = repeat ? atoi(repeat) : 1;
  std::vector<Usage> after;
  for (int run = 0; run < runs; run++) {
    DWORD start = GetTickCount();
    ASSERT_NO_FATAL_FAILURE(InstallAndClear());
    after.push_back(Measure());
    Print(("after installation " + std::to_string(run + 1)).c_str(), after.back());
    printf("[ figures  ] 2,000 files in %lu ms\n", GetTickCount() - start);
  }

  // Cancelled once the last file is shown: the rollback removes 2,000 files.
  ResetEvent(InstallFinishedEvent);
  ASSERT_TRUE(RunWorker("\\part19\\file99.bin"));
  EXPECT_TRUE(Cancelled);
  EXPECT_FALSE(Succeeded);
  EXPECT_FALSE(files::Exists(app)) << "the rollback left the installation folder";
  after.push_back(Measure());
  Print("after a rolled-back run", after.back());

  for (const Usage& usage : after) {
    EXPECT_EQ(usage.handles, before.handles) << "handles";
    EXPECT_EQ(usage.heapBlocks, before.heapBlocks) << "blocks of the private heap";
    EXPECT_EQ(usage.heapBytes, before.heapBytes) << "bytes of the private heap";
  }
  // The system's own caches grow during the first whole run (file and font
  // caches); after that a leak of the worker's buffers (2,000 files, each
  // compressed one with a buffer of its size) would show as far more.
  for (size_t i = 1; i < after.size(); i++) {
    EXPECT_LT(after[i].allHeapBytes, after[0].allHeapBytes + 64 * 1024) << "bytes of all heaps";
    EXPECT_LT(after[i].privateBytes, after[0].privateBytes + 512 * 1024) << "private bytes";
  }
}

}  // namespace
