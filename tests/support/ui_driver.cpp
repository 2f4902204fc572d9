#include "support/ui_driver.h"

#include <zlib.h>
#include <cstdio>

#include "support/processes.h"

namespace ui {

namespace {
// Shorter waits look for something that should not happen soon: they end
// on time whatever the processes do.
const DWORD ProbeLimit = 5000;
// A process that loops works without getting anywhere: however busy, no
// wait goes on longer than this (or than asked).
const DWORD LongestWait = 10 * 60 * 1000;
const DWORD SampleInterval = 500;
}  // namespace

bool WaitWhileWorking(const std::function<bool()>& done, DWORD milliseconds, const char* what) {
  DWORD start = GetTickCount(), lastChange = start, lastSample = start;
  DWORD longest = milliseconds > LongestWait ? milliseconds : LongestWait;
  bool following = milliseconds >= ProbeLimit;
  processes::Activity before = following ? processes::Sample() : processes::Activity();
  for (;;) {
    if (done()) return true;
    DWORD now = GetTickCount();
    if (following && now - lastSample >= SampleInterval) {
      processes::Activity activity = processes::Sample();
      if (activity != before) lastChange = now;
      before = activity;
      lastSample = now;
    }
    if (now - lastChange >= milliseconds || now - start >= longest) break;
    Sleep(50);
  }
  if (following) {
    DWORD now = GetTickCount();
    printf("[ gave up  ] waited %lu s for %s, the last %lu s without any change:\n", (now - start) / 1000,
           what, (now - lastChange) / 1000);
    for (const std::string& line : processes::DescribeRunning()) printf("             %s\n", line.c_str());
    fflush(stdout);
  }
  return false;
}

Program Start(const std::string& path, const std::string& arguments, const std::string& folder) {
  std::string commandLine = "\"" + path + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  Program program;
  processes::Follow();
  if (CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                     folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
    CloseHandle(info.hThread);
    program.process = info.hProcess;
    program.id = info.dwProcessId;
    processes::Adopt(program.id);
  }
  return program;
}

bool WaitForExit(const Program& program, DWORD milliseconds, DWORD* exitCode) {
  if (!program.process) return false;
  std::string what = "process " + std::to_string(program.id) + " to end";
  if (!WaitWhileWorking([&] { return WaitForSingleObject(program.process, 0) == WAIT_OBJECT_0; }, milliseconds,
                        what.c_str()))
    return false;
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

std::string ImagePath(DWORD processId) {
  char path[MAX_PATH] = "";
  DWORD length = MAX_PATH;
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  if (process) {
    if (!QueryFullProcessImageNameA(process, 0, path, &length)) path[0] = 0;
    CloseHandle(process);
  }
  return path;
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
  HWND found = nullptr;
  WaitWhileWorking(
      [&] {
        auto windows = TopLevelWindows(processId, className);
        if (!windows.empty()) found = windows.front();
        return found != nullptr;
      },
      milliseconds, "a window");
  return found;
}

// A box may show before it has its text: a message sent to it is answered
// only once its thread has finished setting it up and waits for input.
static void SettleBox(HWND box) {
  DWORD_PTR result;
  SendMessageTimeoutA(box, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
}

// The boxes answered lately: until their windows are gone they must not be
// taken for the next question (a window handle is not reused while the
// window exists).
static std::vector<HWND> Answered;

static bool IsAnswered(HWND window) {
  for (std::size_t i = 0; i < Answered.size();) {
    if (!IsWindow(Answered[i])) Answered.erase(Answered.begin() + i);
    else if (Answered[i++] == window) return true;
  }
  return false;
}

// Reads a box that can still be answered. A box that was answered by a
// posted click may still be listed as shown; settling it lets its thread
// handle the click, after which the window exists hidden and without its
// controls: read then, it has an empty text and no buttons. It is passed
// over, and the wait goes on for the next question.
static bool ReadBox(HWND window, MessageBox* box) {
  SettleBox(window);
  std::string caption = Text(window), text = ControlText(window, 65535);
  bool answerable = false;
  for (int id : {IDOK, IDCANCEL, IDYES, IDNO, IDRETRY, IDABORT, IDIGNORE})
    if (HasButton(window, id) && IsWindowVisible(GetDlgItem(window, id))) answerable = true;
  if (!answerable || !IsWindowVisible(window) || !IsWindowEnabled(window)) return false;
  box->window = window;
  box->caption = caption;
  box->text = text;
  return true;
}

// Any dialog of the process counts here (also a wizard frame that shows
// instead of a message), except a box answered through AnswerBox or one
// that an answer has hidden meanwhile (see ReadBox).
MessageBox WaitForMessageBox(DWORD processId, DWORD milliseconds) {
  MessageBox box;
  WaitWhileWorking(
      [&] {
        for (HWND window : TopLevelWindows(processId, "#32770")) {
          if (IsAnswered(window)) continue;
          SettleBox(window);
          if (!IsWindowVisible(window)) continue;
          box.window = window;
          box.caption = Text(window);
          box.text = ControlText(window, 65535);
          return true;
        }
        return false;
      },
      milliseconds, "a message box");
  return box;
}

bool HasButton(HWND dialog, int id) { return GetDlgItem(dialog, id) != nullptr; }

void Click(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (button) PostMessageA(button, BM_CLICK, 0, 0);
  else PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

bool AnswerBox(const MessageBox& box, int button, DWORD milliseconds) {
  if (!box.window) return false;
  Answered.push_back(box.window);
  Click(box.window, button);
  return WaitWhileWorking([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); }, milliseconds,
                          "the answered box to go");
}

MessageBox AnswerOwnMessageBox(int button, DWORD milliseconds) {
  MessageBox box = WaitForMessageBox(GetCurrentProcessId(), milliseconds);
  if (box) Click(box.window, button);
  return box;
}

}  // namespace ui

namespace ui {

namespace {
bool IsWizardFrame(HWND window) {
  return GetDlgItem(window, 1011) && GetDlgItem(window, 1012) && GetDlgItem(window, 1003);
}

// Wine hands entries of another process's lists back in their wide form
// whatever the call, so they are asked for wide and converted.
std::string EntryText(HWND control, UINT lengthMessage, UINT textMessage, int index) {
  LRESULT length = SendMessageW(control, lengthMessage, index, 0);
  if (length < 0) return std::string();
  std::wstring wide(length + 1, L'\0');
  SendMessageW(control, textMessage, index, (LPARAM)&wide[0]);
  char text[4096] = "";
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, text, sizeof(text), nullptr, nullptr);
  return text;
}

std::vector<std::string> Entries(HWND dialog, int id, UINT countMessage, UINT lengthMessage, UINT textMessage) {
  std::vector<std::string> entries;
  HWND control = GetDlgItem(dialog, id);
  int count = control ? (int)SendMessageA(control, countMessage, 0, 0) : 0;
  for (int index = 0; index < count; index++) entries.push_back(EntryText(control, lengthMessage, textMessage, index));
  return entries;
}

BOOL CALLBACK FindPage(HWND child, LPARAM parameter) {
  if (ClassName(child) == "#32770" && IsWindowVisible(child)) {
    *reinterpret_cast<HWND*>(parameter) = child;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

HWND WaitForWizard(DWORD processId, DWORD milliseconds) {
  HWND frame = nullptr;
  WaitWhileWorking(
      [&] {
        for (HWND window : TopLevelWindows(processId, "#32770"))
          if (IsWizardFrame(window)) frame = window;
        return frame != nullptr;
      },
      milliseconds, "the wizard");
  return frame;
}

HWND CurrentPage(HWND frame) {
  HWND page = nullptr;
  EnumChildWindows(frame, FindPage, reinterpret_cast<LPARAM>(&page));
  return page;
}

HWND WaitForPage(HWND frame, const std::string& title, DWORD milliseconds) {
  HWND found = nullptr;
  std::string what = "the page \"" + title + "\"";
  WaitWhileWorking(
      [&] {
        HWND page = CurrentPage(frame);
        if (page && ControlText(page, 1001) == title) found = page;
        // A frame that is gone shows no page any more.
        return found || !IsWindow(frame);
      },
      milliseconds, what.c_str());
  return found;
}

MessageBox WaitForMessageBoxBesides(DWORD processId, HWND frame, DWORD milliseconds) {
  MessageBox box;
  WaitWhileWorking(
      [&] {
        for (HWND window : TopLevelWindows(processId, "#32770")) {
          if (window == frame || IsWizardFrame(window) || !GetDlgItem(window, 65535) || IsAnswered(window))
            continue;
          if (ReadBox(window, &box)) return true;
        }
        return false;
      },
      milliseconds, "a message besides the wizard");
  return box;
}

bool IsShown(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  return control && (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE);
}

bool IsEnabled(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  return control && !(GetWindowLongA(control, GWL_STYLE) & WS_DISABLED);
}

bool IsChecked(HWND dialog, int id) {
  return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void SetChecked(HWND dialog, int id, bool checked) {
  for (int tries = 0; tries < 3 && IsChecked(dialog, id) != checked; tries++)
    SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
}

void Type(HWND dialog, int id, const std::string& text) {
  HWND edit = GetDlgItem(dialog, id);
  // A drop-down combo box takes typing in its own edit.
  if (ClassName(edit) == "ComboBox" && GetWindow(edit, GW_CHILD)) edit = GetWindow(edit, GW_CHILD);
  SendMessageA(edit, EM_SETSEL, 0, -1);
  SendMessageA(edit, WM_CHAR, VK_BACK, 0);
  for (char character : text) SendMessageA(edit, WM_CHAR, (BYTE)character, 0);
}

std::vector<std::string> ComboEntries(HWND dialog, int id) {
  return Entries(dialog, id, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
}

std::vector<std::string> ListEntries(HWND dialog, int id) {
  return Entries(dialog, id, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
}

int ComboSelection(HWND dialog, int id) {
  return (int)SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
}

namespace {
bool Pick(HWND dialog, int id, const std::string& text, bool combo) {
  std::vector<std::string> entries = combo ? ComboEntries(dialog, id) : ListEntries(dialog, id);
  for (std::size_t index = 0; index < entries.size(); index++) {
    if (entries[index] != text) continue;
    HWND control = GetDlgItem(dialog, id);
    SendMessageA(control, combo ? CB_SETCURSEL : LB_SETCURSEL, index, 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, combo ? CBN_SELCHANGE : LBN_SELCHANGE), (LPARAM)control);
    return true;
  }
  return false;
}
}  // namespace

bool PickComboEntry(HWND dialog, int id, const std::string& text) { return Pick(dialog, id, text, true); }
bool PickListEntry(HWND dialog, int id, const std::string& text) { return Pick(dialog, id, text, false); }

namespace {
void PutBig(std::string& out, unsigned long value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += (char)(value >> shift & 0xFF);
}

void PutChunk(std::string& out, const char* type, const std::string& data) {
  PutBig(out, (unsigned long)data.size());
  std::string body = std::string(type, 4) + data;
  out += body;
  PutBig(out, crc32(0, (const Bytef*)body.data(), (uInt)body.size()));
}
}  // namespace

bool Screenshot(const std::string& pngPath) {
  // Under Wine the screen's device context is the X root window.
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info = {};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  bool copied = bits && BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
  std::string rows;
  if (copied) {
    const BYTE* pixel = static_cast<const BYTE*>(bits);
    for (int y = 0; y < height; y++) {
      rows += '\0';   // no filter
      for (int x = 0; x < width; x++, pixel += 4) rows += {(char)pixel[2], (char)pixel[1], (char)pixel[0]};
    }
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (!copied) return false;
  uLongf packedSize = compressBound((uLong)rows.size());
  std::string packed(packedSize, '\0');
  if (compress((Bytef*)&packed[0], &packedSize, (const Bytef*)rows.data(), (uLong)rows.size()) != Z_OK)
    return false;
  packed.resize(packedSize);
  std::string png = "\x89PNG\r\n\x1a\n", header;
  PutBig(header, width);
  PutBig(header, height);
  header += {8, 2, 0, 0, 0};   // 8-bit RGB
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", "");
  HANDLE file = CreateFileA(pngPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool saved = WriteFile(file, png.data(), (DWORD)png.size(), &written, nullptr) && written == png.size();
  CloseHandle(file);
  return saved;
}

std::string ScreenshotPath(const std::string& name) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  folder = folder.substr(0, folder.rfind('\\')) + "\\screenshots";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder + "\\" + name + ".png";
}

void DrawOwnFrames(const std::string& programName) {
  std::string key = "Software\\Wine\\AppDefaults\\" + programName + "\\X11 Driver";
  HKEY handle;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr))
    return;
  RegSetValueExA(handle, "Managed", 0, REG_SZ, (const BYTE*)"N", 2);
  RegCloseKey(handle);
}

}  // namespace ui
