#include "support/ui_driver.h"

namespace ui {

Program Start(const std::string& path, const std::string& arguments, const std::string& folder) {
  std::string commandLine = "\"" + path + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  Program program;
  if (CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                     folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
    CloseHandle(info.hThread);
    program.process = info.hProcess;
    program.id = info.dwProcessId;
  }
  return program;
}

bool WaitForExit(const Program& program, DWORD milliseconds, DWORD* exitCode) {
  if (!program.process || WaitForSingleObject(program.process, milliseconds) != WAIT_OBJECT_0) return false;
  if (exitCode) GetExitCodeProcess(program.process, exitCode);
  return true;
}

void Finish(Program& program) {
  if (!program.process) return;
  if (WaitForSingleObject(program.process, 0) != WAIT_OBJECT_0) {
    TerminateProcess(program.process, 1);
    WaitForSingleObject(program.process, 5000);
  }
  CloseHandle(program.process);
  program.process = nullptr;
}

std::string Text(HWND window) {
  char buffer[4096] = "";
  // WM_GETTEXT reads another process's controls, which GetWindowTextA does not.
  SendMessageTimeoutA(window, WM_GETTEXT, sizeof(buffer), (LPARAM)buffer, SMTO_ABORTIFHUNG, 5000, nullptr);
  return buffer;
}

std::string ClassName(HWND window) {
  char buffer[256] = "";
  GetClassNameA(window, buffer, sizeof(buffer));
  return buffer;
}

std::string ControlText(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  return control ? Text(control) : std::string();
}

namespace {
struct Search {
  DWORD processId;
  const char* className;
  std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && IsWindowVisible(window) &&
      (!search->className || ClassName(window) == search->className))
    search->found.push_back(window);
  return TRUE;
}
}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId, const char* className) {
  Search search{processId, className, {}};
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WaitForWindow(DWORD processId, const char* className, DWORD milliseconds) {
  DWORD start = GetTickCount();
  do {
    auto windows = TopLevelWindows(processId, className);
    if (!windows.empty()) return windows.front();
    Sleep(50);
  } while (GetTickCount() - start < milliseconds);
  return nullptr;
}

MessageBox WaitForMessageBox(DWORD processId, DWORD milliseconds) {
  MessageBox box;
  box.window = WaitForWindow(processId, "#32770", milliseconds);
  if (box.window) {
    box.caption = Text(box.window);
    box.text = ControlText(box.window, 65535);
  }
  return box;
}

bool HasButton(HWND dialog, int id) { return GetDlgItem(dialog, id) != nullptr; }

void Click(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (button) PostMessageA(button, BM_CLICK, 0, 0);
  else PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

MessageBox AnswerOwnMessageBox(int button, DWORD milliseconds) {
  MessageBox box = WaitForMessageBox(GetCurrentProcessId(), milliseconds);
  if (box) Click(box.window, button);
  return box;
}

}  // namespace ui
