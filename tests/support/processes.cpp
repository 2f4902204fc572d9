#include "support/processes.h"

#include <gtest/gtest.h>
#include <winternl.h>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "support/ui_driver.h"

namespace processes {

namespace {

// Every descendant seen so far, by id, with a handle kept open until the
// program ends: while a handle is open the system never gives its id to
// another process, so a parent id found in the table is always ours.
// The reverse does not hold: a process older than a member may name the
// member's id as its parent, an id it had from a parent long gone (Wine's
// services name the first program of the session). A child is never older
// than its parent, so the start times tell them apart where both are known:
// Wine lists a process that is just starting with filler bytes for its start
// time, taken as unknown (0) until a later scan finds the real one.
CRITICAL_SECTION Guard;
std::map<DWORD, HANDLE> Family;
std::map<DWORD, LONGLONG> Started;
HANDLE Watcher;

void Lock() { EnterCriticalSection(&Guard); }
void Unlock() { LeaveCriticalSection(&Guard); }

bool IsOurs(DWORD processId) { return processId == GetCurrentProcessId() || Family.count(processId); }

void Note(DWORD processId, LONGLONG started) {
  if (IsOurs(processId)) return;
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE,
                               processId);
  if (!process) return;
  Family[processId] = process;
  Started[processId] = started;
}

// The head of an entry of the system's process list (information class 5).
struct ProcessEntry {
  ULONG next;
  ULONG threads;
  LARGE_INTEGER unused[3];
  LARGE_INTEGER created, user, kernel;
  UNICODE_STRING name;
  LONG priority;
  HANDLE id, parent;
};

struct Listed {
  DWORD id, parent;
  ULONGLONG processorTime;
  LONGLONG started;
};

LONGLONG KnownStart(LONGLONG started) {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  LONGLONG inAMinute = ((LONGLONG)now.dwHighDateTime << 32 | now.dwLowDateTime) + 600000000LL;
  return started > 0 && started < inAMinute ? started : 0;
}

bool MayBeChildOf(const Listed& candidate, LONGLONG parentStarted) {
  return !candidate.started || !parentStarted || candidate.started >= parentStarted;
}

// Every process of the machine with its parent and the processor time it
// used so far. (Wine keeps the time that GetProcessTimes reports of another
// process at its start value; this list has the times as they grow.)
std::vector<Listed> ListProcesses() {
  typedef LONG(WINAPI * QueryFunction)(ULONG, void*, ULONG, ULONG*);
  static QueryFunction query =
      (QueryFunction)(void*)GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation");
  std::vector<char> list(1 << 18);
  std::vector<Listed> processes;
  ULONG needed = 0;
  LONG status = -1;
  while (query && (status = query(5, list.data(), (ULONG)list.size(), &needed)) == (LONG)0xC0000004)
    list.resize(list.size() * 2);
  if (status) return processes;
  for (const char* at = list.data();; at += reinterpret_cast<const ProcessEntry*>(at)->next) {
    const ProcessEntry* entry = reinterpret_cast<const ProcessEntry*>(at);
    processes.push_back({(DWORD)(ULONG_PTR)entry->id, (DWORD)(ULONG_PTR)entry->parent,
                         (ULONGLONG)(entry->user.QuadPart + entry->kernel.QuadPart),
                         KnownStart(entry->created.QuadPart)});
    if (!entry->next) break;
  }
  return processes;
}

// A child is listed before its parent now and then: the list is gone
// through until nothing new turns up.
void Scan() {
  std::vector<Listed> listed = ListProcesses();
  Lock();
  for (const Listed& process : listed)
    if (process.id == GetCurrentProcessId() || (Family.count(process.id) && !Started[process.id]))
      Started[process.id] = process.started;
  for (bool found = true; found;) {
    found = false;
    for (const Listed& candidate : listed)
      if (!IsOurs(candidate.id) && IsOurs(candidate.parent) && MayBeChildOf(candidate, Started[candidate.parent])) {
        Note(candidate.id, candidate.started);
        found = found || IsOurs(candidate.id);
      }
  }
  Unlock();
}

HANDLE StopEvent;

DWORD WINAPI Watch(void*) {
  while (WaitForSingleObject(StopEvent, 100) == WAIT_TIMEOUT) Scan();
  return 0;
}

// The watcher must not be cut off by the end of the program in the middle
// of a call that holds a lock of the run-time library: the end would wait
// for that lock for ever. It stops within one scan; a bounded wait keeps
// the program's end from ever hanging on it.
void StopWatching() {
  SetEvent(StopEvent);
  WaitForSingleObject(Watcher, 10000);
}

bool IsRunning(HANDLE process) { return WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }

std::vector<std::pair<DWORD, HANDLE>> Running() {
  std::vector<std::pair<DWORD, HANDLE>> running;
  Lock();
  for (const auto& member : Family)
    if (IsRunning(member.second)) running.push_back(member);
  Unlock();
  return running;
}

// The title and the texts of the visible controls of each window.
BOOL CALLBACK AddControlText(HWND control, LPARAM parameter) {
  if (IsWindowVisible(control)) {
    std::string text = ui::Text(control);
    if (!text.empty()) *reinterpret_cast<std::string*>(parameter) += " | " + text;
  }
  return TRUE;
}

std::string Shown(DWORD processId) {
  std::string shown;
  for (HWND window : ui::TopLevelWindows(processId)) {
    shown += " [\"" + ui::Text(window) + "\"";
    EnumChildWindows(window, AddControlText, reinterpret_cast<LPARAM>(&shown));
    shown += "]";
  }
  return shown;
}

std::string Describe(DWORD processId) {
  std::string shown = Shown(processId);
  return ui::ImagePath(processId) + " (process " + std::to_string(processId) + ")" +
         (shown.empty() ? " shows no window" : " shows" + shown);
}

// What a user would do to leave: the way out of a question, or closing.
void Dismiss(DWORD processId) {
  for (HWND window : ui::TopLevelWindows(processId)) {
    int answer = 0;
    for (int id : {IDCANCEL, IDNO, IDOK})
      if (!answer && ui::ClassName(window) == "#32770" && ui::HasButton(window, id)) answer = id;
    if (answer) ui::Click(window, answer);
    else PostMessageA(window, WM_CLOSE, 0, 0);
  }
}

void Report(const std::vector<std::string>& ended, const std::string& when) {
  if (ended.empty()) return;
  printf("[ ended    ] %u process(es) still running %s:\n", (unsigned)ended.size(), when.c_str());
  for (const std::string& line : ended) printf("             %s\n", line.c_str());
  fflush(stdout);
}

// Each test leaves nothing running for the next one, nor for the tests of
// other programs that share the machine.
class EndAfterEachTest : public testing::EmptyTestEventListener {
  void OnTestEnd(const testing::TestInfo& test) override {
    Report(EndSurvivors(), std::string("after ") + test.test_suite_name() + "." + test.name());
  }
  void OnTestProgramEnd(const testing::UnitTest&) override { Report(EndSurvivors(), "at the end"); }
};

struct Registration {
  Registration() { InitializeCriticalSection(&Guard); }
} Registered;

}  // namespace

void EndLeftoversAfterEachTest() {
  static bool registered;
  Lock();
  if (!registered) testing::UnitTest::GetInstance()->listeners().Append(new EndAfterEachTest);
  registered = true;
  Unlock();
}

void Follow() {
  EndLeftoversAfterEachTest();
  Lock();
  if (!Watcher) {
    StopEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    Watcher = CreateThread(nullptr, 0, Watch, nullptr, 0, nullptr);
    atexit(StopWatching);
  }
  Unlock();
}

void Adopt(DWORD processId) {
  Follow();
  LONGLONG started = 0;
  for (const Listed& process : ListProcesses())
    if (process.id == processId) started = process.started;
  Lock();
  Note(processId, started);
  Unlock();
}

bool IsFollowed(DWORD processId) {
  Follow();
  for (int look = 0; look < 2; look++) {
    Lock();
    bool followed = processId != GetCurrentProcessId() && IsOurs(processId);
    Unlock();
    if (followed || look) return followed;
    Scan();
  }
  return false;
}

Activity Sample() {
  Activity activity;
  std::map<DWORD, ULONGLONG> times;
  for (const Listed& process : ListProcesses()) times[process.id] = process.processorTime;
  for (const auto& member : Running()) {
    activity.processorTime += times[member.first];
    activity.running += std::to_string(member.first) + " ";
    activity.shown += Shown(member.first);
  }
  return activity;
}

std::vector<std::string> DescribeRunning() {
  std::vector<std::string> lines;
  for (const auto& member : Running()) lines.push_back(Describe(member.first));
  return lines;
}

std::vector<std::string> EndSurvivors() {
  Scan();
  std::vector<std::pair<DWORD, HANDLE>> running = Running();
  std::vector<std::string> lines;
  for (const auto& member : running) {
    lines.push_back(Describe(member.first));
    Dismiss(member.first);
  }
  for (const auto& member : running) WaitForSingleObject(member.second, 2000 / (DWORD)running.size());
  // What the answers started (a batch, a copy) is ended with the rest.
  Scan();
  for (const auto& member : Running()) {
    TerminateProcess(member.second, 1);
    WaitForSingleObject(member.second, 5000);
  }
  return lines;
}

}  // namespace processes
