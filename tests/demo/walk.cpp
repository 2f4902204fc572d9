#include "demo/walk.h"

#include <algorithm>
#include <cstdio>

#include "support/files.h"
#include "support/ui_driver.h"

namespace walk {

namespace {

const char UninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
// The setup program is a 32-bit one: it writes the 32-bit view of HKLM.
const REGSAM View = KEY_WOW64_32KEY;
const int LanguageCombo = 1021;

bool Until(DWORD milliseconds, bool (*done)(void*), void* context) {
  DWORD start = GetTickCount();
  for (;;) {
    if (done(context)) return true;
    if (GetTickCount() - start > milliseconds) return false;
    Sleep(100);
  }
}

std::string Slug(const std::string& text) {
  std::string slug;
  for (char c : text) {
    if (isalnum((unsigned char)c))
      slug += (char)tolower((unsigned char)c);
    else if (!slug.empty() && slug.back() != '-')
      slug += '-';
    if (slug.size() >= 40) break;
  }
  while (!slug.empty() && slug.back() == '-') slug.pop_back();
  return slug.empty() ? "page" : slug;
}

// With a frame, only while it still shows page: a page that has moved on
// meanwhile (a quick installing page) would be shot as the next one.
void Shoot(const Options& options, Installation& result, const std::string& name, HWND frame = nullptr,
           HWND page = nullptr) {
  if (options.screenshots.empty()) return;
  // A folder or document the product opened may lie on top of the wizard,
  // also one that appeared while the page painted.
  // Bringing it to the front takes its activation with it.
  for (int pass = 0; pass < 2; pass++) {
    if (frame) {
      SetForegroundWindow(frame);
      SetWindowPos(frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    Sleep(pass ? 200 : 400);   // let the page paint
  }
  if (frame && ui::CurrentPage(frame) != page) return;
  char number[8];
  snprintf(number, sizeof number, "%02u-", (unsigned)result.shots.size() + 1);
  std::string path = options.screenshots + "\\" + number + Slug(name) + ".png";
  if (ui::Screenshot(path))
    result.shots.push_back(path);
  else
    result.problems.push_back("could not save the screenshot " + path);
}

// A top-level dialog of the process, other than except, holding control id.
HWND FindDialog(DWORD processId, HWND except, int id) {
  for (HWND window : ui::TopLevelWindows(processId, "#32770"))
    if (window != except && GetDlgItem(window, id)) return window;
  return nullptr;
}

// Answers a box of the setup program as a careful user would: never restart
// the machine, otherwise go on.
void Answer(HWND box, const std::string& text, const Options& options, Installation& result) {
  result.boxes.push_back(text);
  bool restart = text.find("estart") != std::string::npos;
  if (restart && !options.expectRestartQuestion) result.problems.push_back("unexpected restart question: " + text);
  int button = restart && ui::HasButton(box, IDNO) ? IDNO : ui::HasButton(box, IDYES) ? IDYES : IDOK;
  ui::Click(box, button);
  DWORD start = GetTickCount();
  while (IsWindow(box) && GetTickCount() - start < 10000) Sleep(50);
}

HKEY RootKey(const std::string& number) { return (HKEY)(ULONG_PTR)(0x80000000u + strtoul(number.c_str(), 0, 10)); }

std::vector<std::string> SplitCommas(const std::string& text) {
  std::vector<std::string> fields(1);
  for (char c : text)
    if (c == ',')
      fields.emplace_back();
    else
      fields.back() += c;
  return fields;
}

}  // namespace

bool ReadLog(Installation& result) {
  std::vector<std::uint8_t> bytes = files::Read(result.logPath);
  std::string text(bytes.begin(), bytes.end());
  result.logText = text;
  if (text.rfind("=== Corvelsetup log file ===\n", 0) != 0) {
    result.problems.push_back("no install log at " + result.logPath);
    return false;
  }
  std::size_t start = 0;
  for (int line = 1; start < text.size(); line++) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string entry = text.substr(start, end - start);
    start = end + 1;
    if (line <= 4 || entry.size() < 2 || entry[1] != ',') continue;
    std::string rest = entry.substr(2);
    switch (entry[0]) {
      case 'a': result.folders.push_back(rest); break;
      case 'b': result.files.push_back(rest); break;
      case 'g': result.sharedFiles.push_back(rest); break;
      case 'h': result.shortcuts.push_back(rest); break;
      case 'c': {
        std::vector<std::string> fields = SplitCommas(rest);
        if (fields.size() == 3) result.values.push_back({RootKey(fields[0]), fields[1], fields[2]});
        break;
      }
    }
  }
  return true;
}

namespace {

std::string ExecutableOf(const std::string& command, std::string& arguments) {
  std::string path;
  if (!command.empty() && command[0] == '"') {
    std::size_t end = command.find('"', 1);
    path = command.substr(1, end == std::string::npos ? std::string::npos : end - 1);
    arguments = end == std::string::npos ? "" : command.substr(end + 1);
  } else {
    std::size_t space = command.find(".exe ");
    path = space == std::string::npos ? command : command.substr(0, space + 4);
    arguments = space == std::string::npos ? "" : command.substr(space + 5);
  }
  while (!arguments.empty() && arguments[0] == ' ') arguments.erase(0, 1);
  return path;
}

// The uninstaller's temporary copy: its uninstall page (the dialog with the
// leftover tree 1026) belongs to a program in the temporary folder.
struct CopySearch {
  std::string temporary, caption;
  HWND page = nullptr;
};

BOOL CALLBACK FindCopyPage(HWND window, LPARAM parameter) {
  CopySearch* search = (CopySearch*)parameter;
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (!IsWindowVisible(window) || ui::ClassName(window) != "#32770" || !GetDlgItem(window, 1026) ||
      ui::Text(window).find(search->caption) == std::string::npos)
    return TRUE;
  std::string image = ui::ImagePath(owner);
  if (lstrcmpiA(image.substr(0, search->temporary.size()).c_str(), search->temporary.c_str()) != 0) return TRUE;
  search->page = window;
  return FALSE;
}

std::string LastName(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

}  // namespace

std::vector<HWND> VisibleWindows() {
  std::vector<HWND> windows;
  EnumWindows([](HWND window, LPARAM list) -> BOOL {
    if (IsWindowVisible(window)) ((std::vector<HWND>*)list)->push_back(window);
    return TRUE;
  }, (LPARAM)&windows);
  return windows;
}

void Pose(const std::string& programName, const std::string& version) {
  std::string key = "Software\\Wine\\AppDefaults\\" + programName;
  HKEY handle;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr))
    return;
  RegSetValueExA(handle, "Version", 0, REG_SZ, (const BYTE*)version.c_str(), (DWORD)version.size() + 1);
  RegCloseKey(handle);
}

void CloseOpenedWindows(Installation& installation) {
  std::vector<std::string> names;
  for (const auto* list : {&installation.files, &installation.folders})
    for (const std::string& path : *list) names.push_back(LastName(path));
  for (HWND window : VisibleWindows()) {
    if (std::find(installation.windowsBefore.begin(), installation.windowsBefore.end(), window) !=
        installation.windowsBefore.end())
      continue;
    std::string title = ui::Text(window);
    for (const std::string& name : names)
      if (!name.empty() && title.find(name) != std::string::npos) {
        installation.closedWindows.push_back(title);
        PostMessageA(window, WM_CLOSE, 0, 0);
        break;
      }
  }
  Sleep(500);
}

std::string WindowsPath(const std::string& path) {
  std::string result = !path.empty() && path[0] == '/' ? "Z:" + path : path;
  for (char& c : result)
    if (c == '/') c = '\\';
  return result;
}

std::string UninstallEntryValue(const std::string& productName, const char* name) {
  HKEY key;
  std::string path = UninstallKey + productName;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE | View, &key) != ERROR_SUCCESS) return "";
  char value[2048] = "";
  DWORD size = sizeof value - 1;
  if (RegQueryValueExA(key, name, 0, 0, (BYTE*)value, &size) != ERROR_SUCCESS) value[0] = 0;
  RegCloseKey(key);
  return value;
}

bool RegistryValueExists(const RegistryValue& value) {
  HKEY key;
  if (RegOpenKeyExA(value.root, value.key.c_str(), 0, KEY_QUERY_VALUE | View, &key) != ERROR_SUCCESS) return false;
  bool found = RegQueryValueExA(key, value.name.empty() ? nullptr : value.name.c_str(), 0, 0, 0, 0) == ERROR_SUCCESS;
  RegCloseKey(key);
  return found;
}

bool Install(const std::string& installerPath, const std::string& productName, const Options& options,
             Installation& result) {
  std::string folder = installerPath.substr(0, installerPath.rfind('\\'));
  if (!options.windows.empty()) Pose(installerPath.substr(folder.size() + 1), options.windows);
  result.windowsBefore = VisibleWindows();
  ui::Program program = ui::Start(installerPath, "", folder);
  if (!program.process) {
    result.problems.push_back("could not start " + installerPath);
    return false;
  }
  HWND frame = ui::WaitForWizard(program.id, options.wait);
  if (!frame) {
    ui::MessageBox box = ui::WaitForMessageBox(program.id, 1000);
    result.problems.push_back("no wizard appeared" + (box ? ": " + box.text : std::string()));
    ui::Finish(program);
    return false;
  }
  HWND shown = nullptr;
  std::string shownTitle;
  bool finished = false;
  while (!finished) {
    // The next page, or a box the last step raised.
    struct Wait {
      HWND frame, shown;
      const std::string* shownTitle;
      DWORD id;
      HWND page, box;
      std::string title;
    } wait = {frame, shown, &shownTitle, program.id, nullptr, nullptr, {}};
    bool changed = Until(options.wait, [](void* context) {
      Wait* w = (Wait*)context;
      w->box = FindDialog(w->id, w->frame, 65535);
      if (w->box) return true;
      w->page = ui::CurrentPage(w->frame);
      if (!w->page) return false;
      // A page just made has no title yet.
      w->title = ui::ControlText(w->page, 1001);
      return !w->title.empty() && (w->page != w->shown || w->title != *w->shownTitle);
    }, &wait);
    if (!changed) {
      result.problems.push_back("the wizard stayed on \"" + shownTitle + "\"");
      break;
    }
    if (wait.box) {
      std::string text = ui::ControlText(wait.box, 65535);
      Shoot(options, result, "box");
      result.problems.push_back("unexpected message: " + text);
      Answer(wait.box, text, options, result);
      continue;
    }
    shown = wait.page;
    shownTitle = wait.title;
    result.pages.push_back(shownTitle);
    Shoot(options, result, shownTitle, frame, shown);
    if (result.languages.empty() && GetDlgItem(shown, LanguageCombo))
      result.languages = ui::ComboEntries(shown, LanguageCombo);
    // The installing page may have moved on meanwhile: look again.
    if (ui::CurrentPage(frame) != shown) continue;
    bool late = !ui::IsShown(frame, 1011);
    if (late && !GetDlgItem(shown, 1023)) {
      // The finish page: past the installing page, without its progress bar.
      // Launch files and programs would open windows of their own.
      for (int id : {1004, 1005, 1006})
        if (ui::IsShown(shown, id) && ui::IsEnabled(shown, id)) ui::SetChecked(shown, id, false);
      ui::Click(frame, 1012);
      finished = true;
    } else if (!late && ui::IsEnabled(frame, 1011)) {
      ui::Click(frame, 1011);
    }
    // Otherwise the installing page moves on by itself.
  }
  // After the wizard the setup program may still ask or tell something.
  DWORD start = GetTickCount();
  while (WaitForSingleObject(program.process, 100) == WAIT_TIMEOUT) {
    if (HWND box = FindDialog(program.id, frame, 65535)) {
      std::string text = ui::ControlText(box, 65535);
      Shoot(options, result, "message");
      Answer(box, text, options, result);
    }
    if (GetTickCount() - start > options.wait) {
      result.problems.push_back("the setup program did not end");
      break;
    }
  }
  ui::Finish(program);
  if (!finished) return false;
  result.uninstallCommand = UninstallEntryValue(productName, "UninstallString");
  if (result.uninstallCommand.empty()) {
    result.problems.push_back("no uninstall entry for " + productName);
    return false;
  }
  std::string arguments;
  std::string uninstaller = ExecutableOf(result.uninstallCommand, arguments);
  std::size_t dot = uninstaller.rfind('.');
  result.logPath = uninstaller.substr(0, dot) + ".log";
  if (!ReadLog(result)) return false;
  Sleep(1000);   // programs started at the end take a moment to show
  CloseOpenedWindows(result);
  return true;
}

bool CheckInstalled(Installation& installation) {
  std::size_t before = installation.problems.size();
  for (const auto* list : {&installation.folders, &installation.files, &installation.shortcuts,
                           &installation.sharedFiles})
    for (const std::string& path : *list)
      if (!files::Exists(path)) installation.problems.push_back("missing after installing: " + path);
  for (const RegistryValue& value : installation.values)
    if (!RegistryValueExists(value))
      installation.problems.push_back("registry value missing: " + value.key + "\\" + value.name);
  return installation.problems.size() == before;
}

bool Uninstall(Installation& installation, const std::string& productName, const Options& options) {
  std::string arguments;
  std::string path = ExecutableOf(installation.uninstallCommand, arguments);
  ui::Program first = ui::Start(path, arguments, path.substr(0, path.rfind('\\')));
  if (!first.process) {
    installation.problems.push_back("could not start " + installation.uninstallCommand);
    return false;
  }
  struct Box {
    DWORD id;
    HWND box;
  } question = {first.id, nullptr};
  Until(options.wait, [](void* context) {
    Box* b = (Box*)context;
    return (b->box = FindDialog(b->id, nullptr, 65535)) != nullptr;
  }, &question);
  if (!question.box) {
    installation.problems.push_back("the uninstaller asked nothing");
    ui::Finish(first);
    return false;
  }
  std::string text = ui::ControlText(question.box, 65535);
  installation.boxes.push_back(text);
  Shoot(options, installation, "uninstall-question");
  ui::Click(question.box, IDYES);
  ui::WaitForExit(first, options.wait);
  ui::Finish(first);

  char temporary[MAX_PATH];
  GetTempPathA(MAX_PATH, temporary);
  CopySearch search;
  search.temporary = temporary;
  // Other uninstallers may run meanwhile: this one's caption names the product.
  search.caption = productName;
  Until(options.wait, [](void* context) {
    CopySearch* s = (CopySearch*)context;
    s->page = nullptr;
    EnumWindows(FindCopyPage, (LPARAM)s);
    return s->page != nullptr;
  }, &search);
  if (!search.page) {
    installation.problems.push_back("the uninstaller's temporary copy showed no page");
    return false;
  }
  DWORD copyId = 0;
  GetWindowThreadProcessId(search.page, &copyId);
  HANDLE copy = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, copyId);
  Shoot(options, installation, "uninstall-" + ui::ControlText(search.page, 1001));
  bool leftoversDone = false;
  DWORD start = GetTickCount();
  while (copy && WaitForSingleObject(copy, 100) == WAIT_TIMEOUT) {
    if (GetTickCount() - start > options.wait) {
      installation.problems.push_back("the uninstaller did not end");
      TerminateProcess(copy, 1);
      break;
    }
    if (HWND box = FindDialog(copyId, search.page, 65535)) {
      std::string said = ui::ControlText(box, 65535);
      Shoot(options, installation, "uninstall-message");
      Answer(box, said, options, installation);
      start = GetTickCount();
      continue;
    }
    // The question about a shared file no other program uses: remove it.
    if (HWND confirm = FindDialog(copyId, search.page, 1002)) {
      if (ui::HasButton(confirm, 1011)) {
        installation.boxes.push_back(ui::ControlText(confirm, 1001));
        Shoot(options, installation, "uninstall-shared-file");
        ui::Click(confirm, IDOK);
        Sleep(300);
        continue;
      }
    }
    // Folders holding files the product did not install are offered in a
    // tree: select them all, delete, and finish.
    if (IsWindow(search.page) && ui::IsShown(search.page, 1026) && ui::IsShown(search.page, 1010)) {
      if (!leftoversDone) {
        Shoot(options, installation, "uninstall-leftovers");
        ui::Click(search.page, 1010);
        ui::Click(search.page, 1011);
        leftoversDone = true;
      } else if (!FindDialog(copyId, search.page, 65535)) {
        ui::Click(search.page, 1012);
      }
    }
  }
  if (copy) CloseHandle(copy);
  CloseOpenedWindows(installation);
  return true;
}

bool CheckRemoved(Installation& installation, const std::string& productName) {
  std::size_t before = installation.problems.size();
  for (const auto* list : {&installation.files, &installation.shortcuts, &installation.folders})
    for (const std::string& path : *list)
      if (files::Exists(path)) installation.problems.push_back("left after uninstalling: " + path);
  for (const RegistryValue& value : installation.values)
    if (RegistryValueExists(value))
      installation.problems.push_back("registry value left: " + value.key + "\\" + value.name);
  if (!UninstallEntryValue(productName, "UninstallString").empty())
    installation.problems.push_back("the uninstall entry is still there");
  return installation.problems.size() == before;
}

}  // namespace walk
