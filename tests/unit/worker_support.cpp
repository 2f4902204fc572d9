#include "worker_support.h"

#include <cstring>

#include "common/heap.h"
#include "engine/delayed.h"
#include "engine/variables.h"
#include "engine/worker.h"
#include "package/package.h"
#include "script/model.h"
#include "startup/process.h"
#include "support/files.h"
#include "support/ui_driver.h"

namespace worker {

namespace {

Outcome* current;
const Run* currentRun;

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (current && message == WM_COMMAND && LOWORD(wParam) == NextButton) {
    current->ended = current->succeeded = true;
    return 0;
  }
  if (current && message == WM_INSTALL_ABORTED) {
    current->ended = true;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// The current-item and phase labels: a plain window that keeps its text and
// tells the test each new one.
LRESULT CALLBACK LabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETTEXT && current) {
    std::string text = lParam ? (const char*)lParam : "";
    if (GetDlgCtrlID(window) == CurrentItemControl) {
      current->items.push_back(text);
      if (currentRun->onItem) currentRun->onItem(text);
    } else {
      current->phases.push_back(text);
    }
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

// The progress bar's own procedure, to record each position on the way.
WNDPROC progressProc;
LRESULT CALLBACK ProgressProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == PBM_SETPOS && current) current->progress.push_back((int)wParam);
  return CallWindowProcA(progressProc, window, message, wParam, lParam);
}

void RegisterClasses() {
  static bool done;
  if (done) return;
  done = true;
  InitCommonControls();
  WNDCLASSA frame = {};
  frame.lpfnWndProc = FrameProc;
  frame.hInstance = GetModuleHandleA(nullptr);
  frame.lpszClassName = "CorvelTestFrame";
  RegisterClassA(&frame);
  WNDCLASSA label = frame;
  label.lpfnWndProc = LabelProc;
  label.lpszClassName = "CorvelTestLabel";
  RegisterClassA(&label);
  WNDCLASSA page = frame;
  page.lpfnWndProc = DefWindowProcA;
  page.lpszClassName = "CorvelTestPage";
  RegisterClassA(&page);
}

struct BoxSearch {
  DWORD thread;
  HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM parameter) {
  BoxSearch* search = (BoxSearch*)parameter;
  if (GetWindowThreadProcessId(window, nullptr) == search->thread && IsWindowVisible(window) &&
      ui::ClassName(window) == "#32770") {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

bool LoadInstaller(const std::string& path, const std::vector<std::uint8_t>& installer) {
  if (installer.size() < DosHeaderSize || !files::Write(path, installer)) return false;
  OwnFile = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (OwnFile == INVALID_HANDLE_VALUE) return false;
  DWORD packageOffset = *(const WORD*)(installer.data() + PackageOffsetField);
  DWORD storedLength;
  std::memcpy(&storedLength, installer.data() + ScriptStoredLengthField, 4);
  LoadScript(OwnFile, packageOffset, storedLength);
  if (!Model.script) return false;
  WalkScriptRecords(Model.script, Model.scriptLength);
  return true;
}

void CloseInstaller() {
  if (OwnFile != INVALID_HANDLE_VALUE) CloseHandle(OwnFile);
  OwnFile = INVALID_HANDLE_VALUE;
  PointerArray.Destroy(Model.languageIds);
  Model.languageIds = nullptr;
  DestroyModel();
  DestroyVariableTable();
}

void ReleaseRunState() {
  DestroyList(&PendingReplacements);
  DestroyList(&PendingTargets);
  DestroyList(&PendingShared);
  FreeBlock(TemporaryFolder);
  TemporaryFolder = nullptr;
  CloseHandle(WorkerGateEvent);
  CloseHandle(InstallFinishedEvent);
}

Outcome Execute(const Run& run) {
  RegisterClasses();
  Outcome outcome;
  current = &outcome;
  currentRun = &run;
  HINSTANCE module = GetModuleHandleA(nullptr);
  HWND frame = CreateWindowExA(0, "CorvelTestFrame", "frame", WS_OVERLAPPEDWINDOW, 0, 0, 1200, 300, nullptr,
                               nullptr, module, nullptr);
  HWND page = CreateWindowExA(0, "CorvelTestPage", "", WS_CHILD | WS_VISIBLE, 0, 0, 1200, 250, frame, nullptr,
                              module, nullptr);
  CreateWindowExA(0, "CorvelTestLabel", "", WS_CHILD | WS_VISIBLE, 10, 10, 1100, 20, page,
                  (HMENU)(INT_PTR)PhaseTextControl, module, nullptr);
  CreateWindowExA(0, "CorvelTestLabel", "", WS_CHILD | WS_VISIBLE, 10, 40, 1100, 20, page,
                  (HMENU)(INT_PTR)CurrentItemControl, module, nullptr);
  HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 10, 70, 600, 20, page,
                             (HMENU)(INT_PTR)ProgressBarControl, module, nullptr);
  progressProc = (WNDPROC)SetWindowLongPtrA(bar, GWLP_WNDPROC, (LONG_PTR)ProgressProc);

  DWORD threadId = 0;
  HANDLE thread = CreateThread(nullptr, 0, InstallWorker, page, 0, &threadId);
  size_t answered = 0;
  HWND lastBox = nullptr;
  DWORD start = GetTickCount();
  while (thread && GetTickCount() - start < 120000) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (outcome.ended && WaitForSingleObject(thread, 0) == WAIT_OBJECT_0) break;
    BoxSearch search = {threadId, nullptr};
    EnumWindows(FindBox, (LPARAM)&search);
    if (search.found && search.found != lastBox) {
      Question question;
      question.text = ui::ControlText(search.found, 0xFFFF);
      question.button = answered < run.answers.size() ? run.answers[answered] : run.defaultAnswer;
      answered++;
      outcome.questions.push_back(question);
      if (run.onQuestion) run.onQuestion(question.text);
      lastBox = search.found;
      ui::Click(search.found, question.button);
    } else if (!search.found) {
      lastBox = nullptr;
    }
    if (run.onIdle) run.onIdle(threadId);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
  if (thread) {
    WaitForSingleObject(thread, 10000);
    CloseHandle(thread);
  }
  DestroyWindow(frame);
  current = nullptr;
  currentRun = nullptr;
  return outcome;
}

std::string ReadText(const std::string& path) {
  std::vector<std::uint8_t> bytes = files::Read(path);
  return std::string(bytes.begin(), bytes.end());
}

std::vector<std::string> LogEntries(const std::string& path) {
  std::vector<std::string> lines;
  std::string text = ReadText(path);
  size_t begin = 0;
  for (int line = 0; begin < text.size(); line++) {
    size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    if (line >= 4) lines.push_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
  return lines;
}

std::vector<corvel::Record> BaseRecords(const std::string& product, const std::string& installPath,
                                        bool withUninstaller) {
  corvel::ProductRecord fields;
  fields.productName = product;
  fields.displayName = product + " Display";
  fields.options2 = withUninstaller ? corvel::kProductUninstaller : 0;
  std::vector<corvel::Record> records = {corvel::productRecord(fields),
                                         corvel::variableRecord("%InstallPath%", installPath),
                                         corvel::variableRecord("%UninstallerFileName%", "uninstall.exe")};
  for (int index : {4, 5, 6, 7, 8, 13})
    records.push_back(corvel::stringRecord(9, 10, (std::uint8_t)index, "phase " + std::to_string(index)));
  records.push_back(corvel::stringRecord(9, corvel::kGroupMessages, 6, "M6 %s"));
  for (int index : {2, 5, 8, 11, 13, 14, 15, 16, 21, 35, 36, 37, 38})
    records.push_back(corvel::stringRecord(9, corvel::kGroupErrors, (std::uint8_t)index,
                                           "E" + std::to_string(index) + " %s|%s"));
  return records;
}

corvel::Entry RawFile(const std::string& name, std::uint32_t depth, const std::string& contents) {
  return corvel::fileEntry(name, depth, std::vector<std::uint8_t>(contents.begin(), contents.end()), false);
}

corvel::Entry PackedFile(const std::string& name, std::uint32_t depth, const std::string& contents) {
  return corvel::fileEntry(name, depth, std::vector<std::uint8_t>(contents.begin(), contents.end()), true);
}

}  // namespace worker
