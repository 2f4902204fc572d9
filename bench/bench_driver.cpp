// The benchmark's hands and stopwatch under Wine: starts an installer or an
// uninstaller (ours or the peer's), drives it as a user would, and prints
// what it measured as "name value" lines for bench/run to collect.
//
//   bench_driver window SETUP.EXE [ARGS]       start-up to the first window,
//                                               then start to exit
//   bench_driver sampled SETUP.EXE [ARGS]      the same, with the installer's
//                                               peak memory and handles sampled
//   bench_driver startup SETUP.EXE             start-up alone
//   bench_driver uninstall UNINSTALL.EXE       ours with its window: confirm,
//                                               remove, final box
//   bench_driver silent PROGRAM [ARGS]         start to exit
//   bench_driver install FOLDER PROGRAM [ARGS] a silent install: start to
//                                               exit, and when FOLDER showed
//   bench_driver removal FOLDER PROGRAM [ARGS] a silent two-phase uninstall:
//                                               start until the folder is gone
//                                               and every process it started
//                                               has ended
#include <windows.h>
#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <map>
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

// The first window a user sees: our wizard frame once it shows a page, or
// the peer's main window (a dialog with the OK and Cancel buttons and no
// static text of a message box; its integrity check's window has neither).
HWND FindFirstWindow(DWORD processId) {
  for (HWND window : ui::TopLevelWindows(processId, "#32770")) {
    if (IsFrame(window)) {
      if (ui::CurrentPage(window)) return window;
    } else if (GetDlgItem(window, IDOK) && GetDlgItem(window, IDCANCEL) && !GetDlgItem(window, 65535)) {
      return window;
    }
  }
  return nullptr;
}

// A message box of the process: a dialog with the static text control,
// other than the window given (the peer's main window may hold such a text).
HWND FindBox(DWORD processId, HWND besides = nullptr) {
  for (HWND window : ui::TopLevelWindows(processId, "#32770"))
    if (window != besides && !IsFrame(window) && GetDlgItem(window, 65535)) return window;
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

// Waits for the end of a program that works on its own, looking for a
// message box now and then (a question would never end it): false, with
// what the box says, when one shows.
bool WaitUnasked(ui::Program& program, HWND window, DWORD* code) {
  double end = Now() + Patience / 1000.0;
  while (WaitForSingleObject(program.process, 250) == WAIT_TIMEOUT) {
    if (HWND box = FindBox(program.id, window)) {
      fprintf(stderr, "bench_driver: the program asked: %s\n", ui::ControlText(box, 65535).c_str());
      return false;
    }
    if (Now() > end) return false;
  }
  GetExitCodeProcess(program.process, code);
  return true;
}

// An installer with a window that works by itself (ours: only the installing
// page; the peer's: only its progress page, closing when done): process
// start to its first window, and process start to exit, with the
// installer's memory and handles sampled meanwhile when asked (the sampling
// costs the system time of its own).
int Window(const std::string& setup, const std::string& arguments, bool sample) {
  double started = Now();
  ui::Program program = ui::Start(setup, arguments);
  if (!program.process) return Fail(program, "the installer did not start");
  Sampler sampler;
  bool sampling = sample && sampler.Start(program.id);
  HWND window = nullptr;
  if (!PollUntil([&] { return (window = FindFirstWindow(program.id)) != nullptr; }))
    return Fail(program, "no window appeared");
  printf("startup %.4f\n", Now() - started);
  DWORD code = 0;
  if (!WaitUnasked(program, window, &code)) return Fail(program, "the installation did not go through unasked");
  printf("whole %.4f\n", Now() - started);
  if (sampling) {
    sampler.Stop();
    printf("peak_private %zu\npeak_working_set %zu\npeak_handles %lu\nsamples %d\n", sampler.peakPrivate,
           sampler.peakWorkingSet, sampler.peakHandles, sampler.samples);
  }
  ui::Finish(program);
  if (code) fprintf(stderr, "bench_driver: exit code %lu\n", code);
  return code ? 1 : 0;
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

// Only the start-up: process start to the first window, then the process is
// ended (the installers measured so wait on their first page).
int Startup(const std::string& setup) {
  double started = Now();
  ui::Program program = ui::Start(setup);
  if (!program.process) return Fail(program, "the installer did not start");
  if (!PollUntil([&] { return FindFirstWindow(program.id) != nullptr; })) return Fail(program, "no window appeared");
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

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A program that runs without windows: time from start to exit. For the
// phases of a silent install, also when the installation's folder first
// showed: the start of the extraction (looked for every 10 ms, a query of
// the file system that does not slow the installer).
int Silent(const std::string& program, const std::string& arguments, const std::string& folder = "") {
  double started = Now(), folderShown = 0;
  ui::Program run = ui::Start(program, arguments);
  if (!run.process) return Fail(run, "the program did not start");
  DWORD interval = folder.empty() ? Patience : WorkPoll;
  while (WaitForSingleObject(run.process, interval) == WAIT_TIMEOUT) {
    if (!folderShown && Exists(folder)) folderShown = Now();
    if (Now() - started > Patience / 1000.0) return Fail(run, "the program did not end");
  }
  double ended = Now();
  printf("silent %.4f\n", ended - started);
  if (!folder.empty()) printf("folder_shown %.4f\n", (folderShown ? folderShown : ended) - started);
  DWORD code = 0;
  GetExitCodeProcess(run.process, &code);
  ui::Finish(run);
  if (code) fprintf(stderr, "bench_driver: exit code %lu\n", code);
  return code ? 1 : 0;
}

// The processes a program started, directly or through its descendants,
// each with a handle kept open so that its id is not given to another
// process meanwhile. A command interpreter among them (our deletion batch)
// is a helper: the removal is done without it, it only tidies up after.
// Wine's own programs that a session's first window or service call starts
// as a child of whoever asked (its desktop, its services) outlive the
// uninstaller and do not count. A process just started may be listed
// without a name for a while: it counts as an uninstaller until named.
struct Descendants {
  enum Kind { Unnamed, Uninstaller, Helper, Session };
  struct Member {
    HANDLE process;
    std::string name;
    Kind kind;
    double seen;
  };
  std::map<DWORD, Member> members;
  std::string folder;  // the installation's, looked for after every wait
  double folderGone = 0;

  static Kind KindOf(const std::string& name) {
    static const char* const helpers[] = {"cmd.exe", "conhost.exe"};
    static const char* const session[] = {"explorer.exe", "services.exe", "winedevice.exe",
                                          "plugplay.exe", "svchost.exe",  "rpcss.exe"};
    if (name.empty()) return Unnamed;
    for (const char* helper : helpers)
      if (!lstrcmpiA(name.c_str(), helper)) return Helper;
    for (const char* program : session)
      if (!lstrcmpiA(name.c_str(), program)) return Session;
    return Uninstaller;
  }

  void Add(DWORD id) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (process) members[id] = {process, "", Unnamed, Now()};
  }

  void Name(DWORD id, const char* listedName) {
    Member& member = members[id];
    if (member.kind != Unnamed) return;
    member.name = listedName;
    if (member.name.empty()) {
      std::string path = ui::ImagePath(id);
      member.name = path.substr(path.find_last_of('\\') + 1);
    }
    member.kind = KindOf(member.name);
  }

  // A child may be listed before its parent: the list is gone through until
  // nothing new turns up.
  void Scan() {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return;
    std::vector<PROCESSENTRY32> listed;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
      listed.push_back(entry);
    CloseHandle(snapshot);
    for (bool found = true; found;) {
      found = false;
      for (const PROCESSENTRY32& process : listed)
        if (!members.count(process.th32ProcessID) && members.count(process.th32ParentProcessID) &&
            members[process.th32ParentProcessID].kind != Session) {
          Add(process.th32ProcessID);
          found = found || members.count(process.th32ProcessID);
        }
    }
    for (const PROCESSENTRY32& process : listed)
      if (members.count(process.th32ProcessID)) Name(process.th32ProcessID, process.szExeFile);
  }

  // Waits until every uninstaller (and helper, when asked) has ended and no
  // new one turns up; when the last one ended, or since when none ran.
  double WaitForEnd(bool helpersToo, double since) {
    double ended = since;
    for (;;) {
      Scan();
      std::vector<HANDLE> running;
      for (const auto& member : members)
        if ((member.second.kind <= Uninstaller || (helpersToo && member.second.kind == Helper)) &&
            WaitForSingleObject(member.second.process, 0) == WAIT_TIMEOUT)
          running.push_back(member.second.process);
      if (running.empty()) return ended;
      // Whether one ended or the wait ran out, something ran until now.
      WaitForMultipleObjects((DWORD)running.size(), running.data(), FALSE, 50);
      ended = Now();
      if (!folderGone && !Exists(folder)) folderGone = ended;
    }
  }

  // The programs that ran, helpers in brackets and one that ended before it
  // was named as "?", and how many uninstallers.
  int Describe(std::string* names) {
    int uninstallers = 0;
    for (const auto& member : members) {
      if (member.second.kind == Session) continue;
      bool helper = member.second.kind == Helper;
      std::string name = member.second.name.empty() ? "?" : member.second.name;
      *names += (names->empty() ? "" : ",") + (helper ? "(" + name + ")" : name);
      uninstallers += member.second.kind == Uninstaller;
    }
    return uninstallers;
  }

  // When the first uninstaller other than the one started was seen: the
  // start of its copy.
  double CopySeen(DWORD first) {
    double seen = 0;
    for (const auto& member : members)
      if (member.first != first && member.second.kind == Uninstaller && (!seen || member.second.seen < seen))
        seen = member.second.seen;
    return seen;
  }

  ~Descendants() {
    for (const auto& member : members) CloseHandle(member.second.process);
  }
};

// A silent uninstall in two phases (the uninstaller copies itself to the
// temporary folder and the copy removes the installation): from the start
// until the installation's folder is gone and every uninstaller process has
// ended; then until the helpers have ended too.
int Removal(const std::string& folder, const std::string& program, const std::string& arguments) {
  double started = Now();
  ui::Program run = ui::Start(program, arguments);
  if (!run.process) return Fail(run, "the uninstaller did not start");
  Descendants descendants;
  descendants.folder = folder;
  descendants.Add(run.id);
  double ended = descendants.WaitForEnd(false, started);
  printf("uninstallers_ended %.4f\n", ended - started);
  if (!descendants.folderGone) {
    if (!PollUntil([&] { return !Exists(folder); }, 60000, WorkPoll))
      return Fail(run, "the installation's folder is still there");
    descendants.folderGone = ended = Now();
  }
  // Looked for at each end of a wait: gone by then, at the latest.
  printf("folder_gone %.4f\n", descendants.folderGone - started);
  printf("removal %.4f\n", ended - started);
  double copy = descendants.CopySeen(run.id);
  printf("copy_started %.4f\n", (copy ? copy : ended) - started);
  printf("removal_with_helpers %.4f\n", descendants.WaitForEnd(true, ended) - started);
  std::string names;
  printf("uninstallers %d\n", descendants.Describe(&names));
  printf("processes %s\n", names.c_str());
  DWORD code = 0;
  GetExitCodeProcess(run.process, &code);
  ui::Finish(run);
  if (code) fprintf(stderr, "bench_driver: exit code %lu\n", code);
  return code ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string command = argc > 2 ? argv[1] : "";
  auto arguments = [&](int first) {
    std::string text;
    for (int i = first; i < argc; i++) text += (i > first ? " " : "") + std::string(argv[i]);
    return text;
  };
  if (command == "window" || command == "sampled") return Window(argv[2], arguments(3), command == "sampled");
  if (command == "startup") return Startup(argv[2]);
  if (command == "uninstall") return Uninstall(argv[2]);
  if (command == "silent") return Silent(argv[2], arguments(3));
  if (command == "install" && argc > 3) return Silent(argv[3], arguments(4), argv[2]);
  if (command == "removal" && argc > 3) return Removal(argv[2], argv[3], arguments(4));
  fprintf(stderr, "usage: bench_driver window|sampled SETUP [ARGUMENTS...] | startup SETUP | uninstall UNINSTALLER | "
                  "silent PROGRAM [ARGUMENTS...] | install FOLDER PROGRAM [ARGUMENTS...] | "
                  "removal FOLDER PROGRAM [ARGUMENTS...]\n");
  return 2;
}
