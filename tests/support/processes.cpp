#include "support/processes.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>
#include <cstdio>
#include <map>

#include "support/ui_driver.h"

namespace processes {

namespace {

// Every descendant seen so far, by id, with a handle kept open until the
// program ends: while a handle is open the system never gives its id to
// another process, so a parent id found in the table is always ours.
CRITICAL_SECTION Guard;
std::map<DWORD, HANDLE> Family;
HANDLE Watcher;

void Lock() { EnterCriticalSection(&Guard); }
void Unlock() { LeaveCriticalSection(&Guard); }

bool IsOurs(DWORD processId) { return processId == GetCurrentProcessId() || Family.count(processId); }

void Note(DWORD processId) {
  if (IsOurs(processId)) return;
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE,
                               processId);
  if (process) Family[processId] = process;
}

// A child is listed before its parent now and then: the table is gone
// through until nothing new turns up.
void Scan() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  std::vector<PROCESSENTRY32> entries;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
    entries.push_back(entry);
  CloseHandle(snapshot);
  Lock();
  for (bool found = true; found;) {
    found = false;
    for (const PROCESSENTRY32& candidate : entries)
      if (!IsOurs(candidate.th32ProcessID) && IsOurs(candidate.th32ParentProcessID)) {
        Note(candidate.th32ProcessID);
        found = found || IsOurs(candidate.th32ProcessID);
      }
  }
  Unlock();
}

DWORD WINAPI Watch(void*) {
  for (;;) {
    Scan();
    Sleep(100);
  }
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

// Every test program that starts programs through ui::Start links this
// file, and with it the clean-up after each test.
struct Registration {
  Registration() {
    InitializeCriticalSection(&Guard);
    testing::UnitTest::GetInstance()->listeners().Append(new EndAfterEachTest);
  }
} Registered;

}  // namespace

void Follow() {
  Lock();
  if (!Watcher) Watcher = CreateThread(nullptr, 0, Watch, nullptr, 0, nullptr);
  Unlock();
}

void Adopt(DWORD processId) {
  Follow();
  Lock();
  Note(processId);
  Unlock();
}

Activity Sample() {
  Activity activity;
  for (const auto& member : Running()) {
    FILETIME created, ended, kernel, user;
    if (GetProcessTimes(member.second, &created, &ended, &kernel, &user))
      activity.processorTime += ((ULONGLONG)kernel.dwHighDateTime << 32 | kernel.dwLowDateTime) +
                                ((ULONGLONG)user.dwHighDateTime << 32 | user.dwLowDateTime);
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
