// The benchmark's hands and stopwatch under Wine: starts an installer or an
// uninstaller, drives it through its windows as a user would, and prints
// what it measured as "name value" lines for bench/run to collect.
//
//   bench_driver install SETUP.EXE            start-up and install
//   bench_driver sampled SETUP.EXE            the same, with the stub's peak
//                                              memory and handles sampled
//   bench_driver startup SETUP.EXE            start-up alone
//   bench_driver uninstall UNINSTALL.EXE      confirm, remove, final box
//   bench_driver silent PROGRAM ARGUMENTS...  a silent run, start to exit
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/ui_driver.h"

namespace {

const DWORD Patience = 600000;   // no step of a benchmark takes ten minutes

double Now() {
  static LARGE_INTEGER frequency = {};
  if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  return (double)counter.QuadPart / (double)frequency.QuadPart;
}

// Polls a condition every interval milliseconds; false when it did not come
// true in time. Each look asks the installer's windows for their texts: a
// finer poll while the installer works would slow down what it measures.
const DWORD FinePoll = 1, WorkPoll = 10;
template <typename Condition>
bool PollUntil(Condition condition, DWORD milliseconds = Patience, DWORD interval = FinePoll) {
  double end = Now() + milliseconds / 1000.0;
  while (!condition()) {
    if (Now() > end) return false;
    Sleep(interval);
  }
  return true;
}

bool IsFrame(HWND window) {
  return GetDlgItem(window, 1011) && GetDlgItem(window, 1012) && GetDlgItem(window, 1003);
}

HWND FindFrame(DWORD processId) {
  for (HWND window : ui::TopLevelWindows(processId, "#32770"))
    if (IsFrame(window)) return window;
  return nullptr;
}

// A message box of the process: a dialog with the static text control.
HWND FindBox(DWORD processId) {
  for (HWND window : ui::TopLevelWindows(processId, "#32770"))
    if (!IsFrame(window) && GetDlgItem(window, 65535)) return window;
  return nullptr;
}

// One entry of the system's handle table, as the kernel lists it.
struct HandleEntry {
  USHORT processId;
  USHORT creatorBackTraceIndex;
  UCHAR objectType;
  UCHAR attributes;
  USHORT handle;
  void* object;
  ULONG grantedAccess;
};

// The memory and handle figures of another process, asked for through
// functions that older systems lack and that are therefore looked up here.
// Where the private bytes are not reported apart (Wine), the committed
// page-file share stands for them, which is what Windows counts as private;
// where the handle count is not kept per process (Wine again), the system's
// handle table is counted instead.
struct Sampler {
  typedef BOOL(WINAPI* MemoryInfo)(HANDLE, PPROCESS_MEMORY_COUNTERS, DWORD);
  typedef BOOL(WINAPI* HandleCount)(HANDLE, PDWORD);
  typedef LONG(WINAPI* QuerySystem)(ULONG, void*, ULONG, ULONG*);
  MemoryInfo memoryInfo = nullptr;
  HandleCount handleCount = nullptr;
  QuerySystem querySystem = nullptr;
  std::vector<BYTE> table;
  HANDLE process = nullptr;
  DWORD processId = 0;
  HANDLE thread = nullptr;
  volatile bool stop = false;
  SIZE_T peakPrivate = 0, peakWorkingSet = 0;
  DWORD peakHandles = 0;
  int samples = 0;

  DWORD CountHandlesInTable() {
    const ULONG SystemHandleInformation = 16;
    ULONG length = 0;
    if (!querySystem || querySystem(SystemHandleInformation, table.data(), (ULONG)table.size(), &length) != 0)
      return 0;
    ULONG_PTR entries = *(const ULONG_PTR*)table.data();
    const HandleEntry* entry = (const HandleEntry*)(table.data() + sizeof(ULONG_PTR));
    DWORD count = 0;
    for (ULONG_PTR i = 0; i < entries && (const BYTE*)(entry + i + 1) <= table.data() + table.size(); i++)
      if (entry[i].processId == (USHORT)processId) count++;
    return count;
  }

  void Sample() {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof(counters);
    if (memoryInfo && memoryInfo(process, (PPROCESS_MEMORY_COUNTERS)&counters, sizeof(counters))) {
      SIZE_T privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
      if (privateBytes > peakPrivate) peakPrivate = privateBytes;
      if (counters.WorkingSetSize > peakWorkingSet) peakWorkingSet = counters.WorkingSetSize;
    }
    // Reading the whole handle table is dear: once in ten samples.
    DWORD handles = 0;
    if ((!handleCount || !handleCount(process, &handles) || !handles) && samples % 10 == 0)
      handles = CountHandlesInTable();
    if (handles > peakHandles) peakHandles = handles;
    samples++;
  }

  static DWORD WINAPI Loop(void* parameter) {
    Sampler* self = (Sampler*)parameter;
    while (!self->stop && WaitForSingleObject(self->process, 20) == WAIT_TIMEOUT) self->Sample();
    return 0;
  }

  bool Start(DWORD id) {
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    memoryInfo = (MemoryInfo)(void*)GetProcAddress(kernel, "K32GetProcessMemoryInfo");
    if (!memoryInfo) {
      HMODULE psapi = LoadLibraryA("psapi.dll");
      if (psapi) memoryInfo = (MemoryInfo)(void*)GetProcAddress(psapi, "GetProcessMemoryInfo");
    }
    handleCount = (HandleCount)(void*)GetProcAddress(kernel, "GetProcessHandleCount");
    querySystem = (QuerySystem)(void*)GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation");
    table.resize(4 << 20);
    processId = id;
    process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | SYNCHRONIZE, FALSE, id);
    if (!process) return false;
    Sample();
    thread = CreateThread(nullptr, 0, Loop, this, 0, nullptr);
    return thread != nullptr;
  }

  void Stop() {
    stop = true;
    if (thread) WaitForSingleObject(thread, INFINITE), CloseHandle(thread);
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof(counters);
    // The system's own peak catches what fell between two samples.
    if (memoryInfo && memoryInfo(process, &counters, sizeof(counters)) && counters.PeakPagefileUsage > peakPrivate)
      peakPrivate = counters.PeakPagefileUsage;
    if (process) CloseHandle(process);
    thread = process = nullptr;
  }
};

int Fail(ui::Program& program, const char* what) {
  fprintf(stderr, "bench_driver: %s\n", what);
  ui::Finish(program);
  return 1;
}

// Start-up (process start to the first page on screen), then Install on the
// ready page and the time until the finish page shows, with the stub's
// memory and handles sampled meanwhile when asked (the sampling costs the
// system time of its own). Finish closes the wizard.
int Install(const std::string& setup, const std::string& readyTitle, const std::string& finishTitle, bool sample) {
  double started = Now();
  ui::Program program = ui::Start(setup);
  if (!program.process) return Fail(program, "the installer did not start");
  Sampler sampler;
  bool sampling = sample && sampler.Start(program.id);
  HWND frame = nullptr, page = nullptr;
  if (!PollUntil([&] { return (frame = FindFrame(program.id)) && (page = ui::CurrentPage(frame)); }))
    return Fail(program, "no wizard page appeared");
  double firstPage = Now();
  printf("startup %.4f\n", firstPage - started);
  if (!PollUntil([&] { return ui::ControlText(ui::CurrentPage(frame), 1001) == readyTitle; }, 60000))
    return Fail(program, "the ready page did not show");
  double clicked = Now();
  ui::Click(frame, 1011);
  if (!PollUntil([&] {
        HWND box = FindBox(program.id);
        if (box) return true;
        return ui::ControlText(ui::CurrentPage(frame), 1001) == finishTitle;
      }, Patience, WorkPoll))
    return Fail(program, "the finish page did not show");
  double finished = Now();
  if (HWND box = FindBox(program.id)) {
    fprintf(stderr, "bench_driver: the installer asked: %s\n", ui::ControlText(box, 65535).c_str());
    return Fail(program, "the installation did not go through unasked");
  }
  printf("install %.4f\n", finished - clicked);
  printf("whole %.4f\n", finished - started);
  if (sampling) {
    sampler.Stop();
    printf("peak_private %zu\npeak_working_set %zu\npeak_handles %lu\nsamples %d\n", sampler.peakPrivate,
           sampler.peakWorkingSet, sampler.peakHandles, sampler.samples);
  }
  ui::Click(frame, 1012);
  if (!ui::WaitForExit(program, 60000)) return Fail(program, "the installer did not end after Finish");
  ui::Finish(program);
  return 0;
}

HWND FindForeignBox(DWORD* processId) {
  struct Search {
    HWND found;
    DWORD processId;
  } search = {nullptr, 0};
  EnumWindows(
      [](HWND window, LPARAM parameter) -> BOOL {
        Search* s = (Search*)parameter;
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == GetCurrentProcessId() || !IsWindowVisible(window) || ui::ClassName(window) != "#32770" ||
            !GetDlgItem(window, 65535) || GetDlgItem(window, 1026) || IsFrame(window))
          return TRUE;
        s->found = window;
        s->processId = owner;
        return FALSE;
      },
      (LPARAM)&search);
  *processId = search.processId;
  return search.found;
}

// Only the start-up: process start to the first page, then the process is
// ended (nothing is written before the wizard's installing page).
int Startup(const std::string& setup) {
  double started = Now();
  ui::Program program = ui::Start(setup);
  if (!program.process) return Fail(program, "the installer did not start");
  HWND frame = nullptr;
  if (!PollUntil([&] { return (frame = FindFrame(program.id)) && ui::CurrentPage(frame); }))
    return Fail(program, "no wizard page appeared");
  printf("startup %.4f\n", Now() - started);
  ui::Finish(program);
  return 0;
}

// Confirms the removal and times it up to the final message, which the
// uninstaller's temporary copy shows; OK ends it.
int Uninstall(const std::string& uninstaller) {
  ui::Program first = ui::Start(uninstaller);
  if (!first.process) return Fail(first, "the uninstaller did not start");
  HWND question = nullptr;
  if (!PollUntil([&] { return (question = FindBox(first.id)) != nullptr; }, 60000))
    return Fail(first, "the uninstaller asked nothing");
  DWORD_PTR ignored;
  SendMessageTimeoutA(question, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
  double confirmed = Now();
  ui::Click(question, IDYES);
  if (!ui::WaitForExit(first, 60000)) return Fail(first, "the uninstaller did not hand over to its copy");
  ui::Finish(first);
  // The copy runs from the temporary folder as another process: its final
  // message is a box of a process other than this one, told from the
  // uninstall page by the page's tree control.
  HWND done = nullptr;
  DWORD copyId = 0;
  if (!PollUntil([&] { return (done = FindForeignBox(&copyId)) != nullptr; }, 180000, WorkPoll))
    return Fail(first, "the uninstall copy showed no final message");
  printf("uninstall %.4f\n", Now() - confirmed);
  SendMessageTimeoutA(done, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
  fprintf(stderr, "bench_driver: the uninstaller said: %s\n", ui::ControlText(done, 65535).c_str());
  HANDLE copy = OpenProcess(SYNCHRONIZE, FALSE, copyId);
  ui::Click(done, IDOK);
  if (copy) {
    WaitForSingleObject(copy, 60000);
    CloseHandle(copy);
  }
  return 0;
}

// A program that runs without windows: time from start to exit.
int Silent(const std::string& program, const std::string& arguments) {
  double started = Now();
  ui::Program run = ui::Start(program, arguments);
  if (!run.process) return Fail(run, "the program did not start");
  DWORD code = 0;
  if (!ui::WaitForExit(run, Patience, &code)) return Fail(run, "the program did not end");
  printf("silent %.4f\n", Now() - started);
  ui::Finish(run);
  if (code) fprintf(stderr, "bench_driver: exit code %lu\n", code);
  return code ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string command = argc > 2 ? argv[1] : "";
  if (command == "install" || command == "sampled")
    return Install(argv[2], argc > 3 ? argv[3] : "Ready to Install", argc > 4 ? argv[4] : "Setup Complete",
                   command == "sampled");
  if (command == "startup") return Startup(argv[2]);
  if (command == "uninstall") return Uninstall(argv[2]);
  if (command == "silent") {
    std::string arguments;
    for (int i = 3; i < argc; i++) arguments += (i > 3 ? " " : "") + std::string(argv[i]);
    return Silent(argv[2], arguments);
  }
  fprintf(stderr, "usage: bench_driver install|sampled SETUP [READY-TITLE FINISH-TITLE] | startup SETUP | uninstall UNINSTALLER | "
                  "silent PROGRAM [ARGUMENTS...]\n");
  return 2;
}
