#include "support/roundtrip.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>
#include <commctrl.h>
#include <cstring>

#include "support/files.h"
#include "support/processes.h"
#include "support/ui_driver.h"

namespace roundtrip {

namespace {

const DWORD WindowWait = 60000;
const char WineKey[] = "Software\\Wine";
const char UninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds) {
  return ui::WaitWhileWorking(done, milliseconds, "the uninstaller");
}

std::string Upper(std::string text) {
  CharUpperBuffA(&text[0], (DWORD)text.size());
  return text;
}

// A visible dialog of the process that has every control of want and none
// of refuse. With process id 0: of an uninstaller copy in the temporary
// folder that this program started (through an uninstaller).
HWND FindDialog(DWORD processId, std::initializer_list<int> want, std::initializer_list<int> refuse = {}) {
  struct Search {
    DWORD processId;
    std::vector<int> want, refuse;
    std::string copies;
    HWND found;
  } search = {processId, want, refuse, Upper(TemporaryPath("KVZ")), nullptr};
  EnumWindows(
      [](HWND window, LPARAM parameter) -> BOOL {
        Search* s = (Search*)parameter;
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (!IsWindowVisible(window) || ui::ClassName(window) != "#32770") return TRUE;
        if (s->processId ? owner != s->processId
                         : Upper(ui::ImagePath(owner)).find(s->copies) != 0 || !processes::IsFollowed(owner))
          return TRUE;
        for (int id : s->want)
          if (!GetDlgItem(window, id)) return TRUE;
        for (int id : s->refuse)
          if (GetDlgItem(window, id)) return TRUE;
        s->found = window;
        return FALSE;
      },
      (LPARAM)&search);
  return search.found;
}

// On the way through the wizard every message is unexpected: the waits
// end as soon as one shows, and the test fails with what it says rather
// than waiting on. Empty while none shows.
std::string Message(DWORD processId) {
  ui::MessageBox box = ui::WaitForMessageBoxBesides(processId, nullptr, 0);
  return box ? "\"" + box.caption + "\": " + box.text : std::string();
}

// The page shown after pressing Next on the current one.
HWND Advance(HWND frame, HWND page, DWORD processId) {
  ui::Click(frame, 1011);
  HWND next = nullptr;
  std::string message;
  WaitUntil([&] {
    return ((next = ui::CurrentPage(frame)) && next != page && IsWindowVisible(next)) ||
           !(message = Message(processId)).empty();
  }, WindowWait);
  if (!message.empty()) ADD_FAILURE() << "a message instead of the next page: " << message;
  return message.empty() ? next : nullptr;
}

std::string Title(HWND page) { return page ? ui::ControlText(page, 1001) : "<no page>"; }

void ReportWhatIsShown(DWORD processId, const char* when) {
  for (HWND window : ui::TopLevelWindows(processId))
    ADD_FAILURE() << when << ": shown \"" << ui::Text(window) << "\": " << ui::ControlText(window, 65535);
  ui::Screenshot(ui::ScreenshotPath(std::string("roundtrip-") + when));
}

// Sets the Version value under HKCU\<key>; true, with the earlier value, when
// there was one.
bool SetVersion(const std::string& key, const std::string& version, std::string* previous) {
  HKEY handle;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) !=
      ERROR_SUCCESS)
    return false;
  char value[64];
  DWORD size = sizeof value, type = 0;
  bool existed = RegQueryValueExA(handle, "Version", nullptr, &type, (BYTE*)value, &size) == ERROR_SUCCESS &&
                 type == REG_SZ;
  if (existed) previous->assign(value, strnlen(value, size));
  RegSetValueExA(handle, "Version", 0, REG_SZ, (const BYTE*)version.c_str(), (DWORD)version.size() + 1);
  RegCloseKey(handle);
  return existed;
}

}  // namespace

PoseAs::PoseAs(const std::string& version, const std::vector<std::string>& programs) {
  std::vector<std::string> keys = {WineKey};
  for (const std::string& program : programs) keys.push_back(std::string(WineKey) + "\\AppDefaults\\" + program);
  for (const std::string& key : keys) {
    Saved entry{key, "", false};
    entry.existed = SetVersion(key, version, &entry.value);
    saved.push_back(entry);
  }
}

PoseAs::~PoseAs() {
  for (const Saved& entry : saved) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, entry.key.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) continue;
    if (entry.existed)
      RegSetValueExA(key, "Version", 0, REG_SZ, (const BYTE*)entry.value.c_str(), (DWORD)entry.value.size() + 1);
    else RegDeleteValueA(key, "Version");
    RegCloseKey(key);
  }
}

namespace {

corvel::Group GroupAsStored(const corvel::GroupInfo& stored) {
  corvel::Group group;
  group.replaceRule = stored.replaceRule;
  group.comparisonBasis = stored.comparisonBasis;
  group.sharedFlag = stored.sharedFlag;
  group.reserved = stored.reserved;
  group.folder = stored.folder;
  return group;
}

std::vector<std::uint8_t> Written(const std::vector<std::uint8_t>& installer, const corvel::InstallerInfo& read,
                                  const corvel::PackageDescription& package,
                                  const std::vector<corvel::Record>& records) {
  std::vector<std::uint8_t> stub(installer.begin(), installer.begin() + read.packageOffset);
  auto written = corvel::writeInstaller(stub, package, records);
  return written.ok() ? written.value : std::vector<std::uint8_t>();
}

// Another value of the same type for a registry, INI or association record.
std::string NextRecordText(corvel::RecordType type, const std::string& text) {
  std::vector<std::string> fields = corvel::splitFields(text);
  size_t used = fields.size();
  while (used && fields[used - 1].empty()) used--;
  fields.resize(used);
  if (type == corvel::RecordType::Registry && used == 5) {
    std::string& data = fields[4];
    if (fields[3] == "4") data = std::to_string(std::stoul(data, nullptr, 0) + 7);
    else if (fields[3] == "3") data += "01";
    else if (fields[3] == "7") data += "|next.wdg";
    else if (data.find('%') == std::string::npos) data += " next";
  } else if (type == corvel::RecordType::Ini && used >= 4 && (used == 4 || fields[4] == "0")) {
    fields[3] += "-next";
  } else if (type == corvel::RecordType::Association && used >= 4) {
    fields[3] += " (next version)";
  }
  return corvel::joinFields(fields);
}

}  // namespace

std::vector<std::uint8_t> Rewrite(const std::vector<std::uint8_t>& installer,
                                  const std::function<void(corvel::Record&)>& edit) {
  corvel::ReadOptions options;
  options.expandData = false;
  auto read = corvel::readInstaller(installer, options);
  if (!read.ok()) return {};
  corvel::PackageDescription package;
  for (const corvel::GroupInfo& stored : read.value.groups) {
    package.groups.push_back(GroupAsStored(stored));
    for (const corvel::EntryInfo& entry : stored.entries) package.groups.back().entries.push_back(entry);
  }
  std::vector<corvel::Record> records = read.value.records.records;
  for (corvel::Record& record : records) edit(record);
  return Written(installer, read.value, package, records);
}

std::vector<std::uint8_t> NextVersion(const std::vector<std::uint8_t>& installer, int extraFiles, int extraValues) {
  auto read = corvel::readInstaller(installer);
  if (!read.ok() || read.value.groups.empty()) return {};
  const std::uint64_t day = 864000000000ULL;
  const std::string note = "\r\nChanged in the next version.\r\n";
  corvel::PackageDescription package;
  for (const corvel::GroupInfo& stored : read.value.groups) {
    package.groups.push_back(GroupAsStored(stored));
    for (const corvel::EntryInfo& entry : stored.entries) {
      if (!entry.isFile()) {
        package.groups.back().entries.push_back(corvel::folderEntry(entry.name, entry.depth));
        continue;
      }
      std::vector<std::uint8_t> contents = entry.contents;
      contents.insert(contents.end(), note.begin(), note.end());
      corvel::Entry next = corvel::fileEntry(entry.name, entry.depth, contents, entry.isCompressed());
      next.attributes = entry.attributes;
      next.creationTime = corvel::FileTime::fromValue(entry.creationTime.value() + day);
      next.lastAccessTime = corvel::FileTime::fromValue(entry.lastAccessTime.value() + day);
      next.lastWriteTime = corvel::FileTime::fromValue(entry.lastWriteTime.value() + day);
      next.versionHigh = entry.versionHigh;
      next.versionLow = entry.versionLow;
      package.groups.back().entries.push_back(next);
    }
  }
  if (extraFiles) {
    corvel::Group more = GroupAsStored(read.value.groups.front());
    more.sharedFlag = 0;
    more.entries.push_back(corvel::folderEntry("more", 0));
    for (int index = 0; index < extraFiles; index++) {
      std::string line = "item " + std::to_string(index) + " of the next version\r\n";
      std::vector<std::uint8_t> contents;
      while (contents.size() < 1500) contents.insert(contents.end(), line.begin(), line.end());
      more.entries.push_back(corvel::fileEntry("item" + std::to_string(index) + ".txt", 1, contents, true));
    }
    package.groups.push_back(more);
  }
  std::vector<corvel::Record> records;
  for (const corvel::Record& record : read.value.records.records) {
    auto decoded = corvel::decodeRecord(record);
    const corvel::TextRecord* text = decoded.ok() ? std::get_if<corvel::TextRecord>(&decoded.value) : nullptr;
    if (text && (text->type == corvel::RecordType::Registry || text->type == corvel::RecordType::Ini ||
                 text->type == corvel::RecordType::Association))
      records.push_back(corvel::encode(corvel::TextRecord{text->type, NextRecordText(text->type, text->text)}));
    else
      records.push_back(record);
  }
  for (int index = 0; index < extraValues; index++)
    records.push_back(corvel::registryRecord("1,Software\\Acme\\Widget\\Settings\\More,Value" +
                                             std::to_string(index) + ",1,next"));
  return Written(installer, read.value, package, records);
}

std::vector<std::uint8_t> WithCompactDialogs(const std::vector<std::uint8_t>& installer) {
  return Rewrite(installer, [](corvel::Record& record) {
    if (record.type != (std::uint32_t)corvel::RecordType::Product) return;
    auto decoded = corvel::decodeRecord(record);
    if (!decoded.ok()) return;
    corvel::ProductRecord product = std::get<corvel::ProductRecord>(decoded.value);
    product.options2 |= corvel::kProductCompactDialogs;
    record = corvel::productRecord(product);
  });
}

std::vector<std::uint8_t> WithWindowsRequirement(const std::vector<std::uint8_t>& installer,
                                                 const std::string& windows) {
  return Rewrite(installer, [&](corvel::Record& record) {
    if (record.type != (std::uint32_t)corvel::RecordType::Requirements) return;
    auto decoded = corvel::decodeRecord(record);
    if (!decoded.ok()) return;
    corvel::RequirementsRecord requirements = std::get<corvel::RequirementsRecord>(decoded.value);
    requirements.windows = windows;
    record = corvel::requirementsRecord(requirements);
  });
}

void EndChildren(DWORD parentId) {
  std::vector<DWORD> children;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32 entry = {};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
    if (entry.th32ParentProcessID == parentId && entry.th32ProcessID != parentId)
      children.push_back(entry.th32ProcessID);
  CloseHandle(snapshot);
  for (DWORD child : children) {
    EndChildren(child);
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, child);
    if (!process) continue;
    TerminateProcess(process, 1);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
}

std::string ReadText32(HKEY root, const std::string& key, const std::string& name) {
  char value[2048] = "";
  DWORD size = sizeof value - 1;
  HKEY handle;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &handle) != ERROR_SUCCESS) return "";
  if (RegQueryValueExA(handle, name.c_str(), nullptr, nullptr, (BYTE*)value, &size) != ERROR_SUCCESS) value[0] = 0;
  RegCloseKey(handle);
  return value;
}

DWORD ReadNumber32(HKEY root, const std::string& key, const std::string& name) {
  DWORD value = 0, size = sizeof value;
  HKEY handle;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE | KEY_WOW64_32KEY, &handle) != ERROR_SUCCESS) return 0;
  if (RegQueryValueExA(handle, name.c_str(), nullptr, nullptr, (BYTE*)&value, &size) != ERROR_SUCCESS) value = 0;
  RegCloseKey(handle);
  return value;
}

std::string TemporaryPath(const std::string& name) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  char full[MAX_PATH];
  // The long form: the stub and the process list name it so.
  if (!GetLongPathNameA(folder, full, MAX_PATH)) lstrcpyA(full, folder);
  return full + name;
}

void InstallThroughWizard(const std::string& installer, const Choices& choices) {
  bool german = std::string(choices.language) == "German";
  // CP 1252, as the stub shows them.
  std::vector<std::string> titles =
      german ? std::vector<std::string>{"Willkommen beim Setup von Acme Widget", "Lizenzvereinbarung",
                                        "Wichtige Informationen", "Zielordner w\xE4hlen",
                                        "Startmen\xFC-Ordner w\xE4hlen", "Bereit zur Installation"}
             : std::vector<std::string>{"Welcome to the Acme Widget Setup", "License Agreement",
                                        "Readme Information", "Choose Destination Folder",
                                        "Select Start Menu Folder", "Ready to Install"};
  std::string finishTitle = german ? "Installation abgeschlossen" : "Setup Complete";
  std::string folder = installer.substr(0, installer.find_last_of('\\'));
  ui::Program program = ui::Start(installer, "", folder);
  ASSERT_TRUE(program.process) << "could not start " << installer;
  HWND frame = nullptr;
  std::string message;
  WaitUntil([&] { return (frame = ui::WaitForWizard(program.id, 0)) || !(message = Message(program.id)).empty(); },
            WindowWait);
  if (!frame) ReportWhatIsShown(program.id, "no-wizard");
  ASSERT_TRUE(frame) << "no wizard appeared" << (message.empty() ? "" : "; the installer says " + message);
  HWND page = ui::WaitForPage(frame, "Select Language", WindowWait);
  ASSERT_TRUE(page) << "first page: " << Title(ui::CurrentPage(frame));
  if (german) {
    std::string entry;
    for (const std::string& name : ui::ComboEntries(page, 1021))
      if (name.find("Deutsch") == 0 || name.find("German") == 0) entry = name;
    ASSERT_TRUE(ui::PickComboEntry(page, 1021, entry)) << "no German in the language list";
    EXPECT_TRUE(WaitUntil([&] { return Title(page) == "Sprache ausw\xE4hlen"; }, 5000))
        << "the language page did not switch: " << Title(page);
  }
  for (size_t i = 0; i < titles.size(); i++) {
    page = Advance(frame, page, program.id);
    if (Title(page) != titles[i]) ReportWhatIsShown(program.id, "wrong-page");
    ASSERT_EQ(Title(page), titles[i]);
    // The destination page and the Start Menu page, both with their edit field.
    const std::string& typed = i == 3 ? choices.destination : i == 4 ? choices.group : std::string();
    if (!typed.empty()) ui::Type(page, 1018, typed);
  }
  // Install, then the installing page moves on by itself.
  ui::Click(frame, 1011);
  if (choices.installing) {
    choices.installing(program, frame);
    EndChildren(program.id);
    ui::Finish(program);
    return;
  }
  page = nullptr;
  WaitUntil([&] {
    HWND shown = ui::CurrentPage(frame);
    if (shown && Title(shown) == finishTitle) page = shown;
    return page || !IsWindow(frame) || !(message = Message(program.id)).empty();
  }, 2 * WindowWait);
  ASSERT_TRUE(page) << "ended on " << Title(ui::CurrentPage(frame))
                    << (message.empty() ? "" : "; the installer says " + message);
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(page, 1007))) << "the finish page reports errors";
  // Both launch files are offered; opening them is not this test's business.
  EXPECT_TRUE(ui::IsShown(page, 1004) && ui::IsShown(page, 1005));
  ui::SetChecked(page, 1004, false);
  ui::SetChecked(page, 1005, false);
  ui::Click(frame, 1012);
  DWORD code = 99;
  bool ended = ui::WaitForExit(program, WindowWait, &code);
  if (!ended) ReportWhatIsShown(program.id, "after-finish");
  EXPECT_TRUE(ended) << "the installer did not end after Finish";
  EXPECT_EQ(code, 0u);
  EndChildren(program.id);
  ui::Finish(program);
}

void UninstallThroughEntry(const Removal& removal) {
  std::string key = UninstallKey + removal.productName;
  std::string command = ReadText32(HKEY_LOCAL_MACHINE, key, "UninstallString");
  ASSERT_FALSE(command.empty()) << "no UninstallString under " << key;
  EXPECT_EQ(command.front(), '"');
  EXPECT_EQ(command.back(), '"');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  std::string line = command;
  ASSERT_TRUE(CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
      << "the entry's command does not start: " << command;
  CloseHandle(info.hThread);
  ui::Program first;
  first.process = info.hProcess;
  first.id = info.dwProcessId;
  std::string caption = removal.productName + " Uninstall";
  ui::MessageBox question = ui::WaitForMessageBox(first.id, WindowWait);
  if (!question) ReportWhatIsShown(first.id, "no-question");
  ASSERT_TRUE(question) << "the uninstaller asked nothing";
  EXPECT_EQ(question.caption, caption);
  EXPECT_EQ(question.text, "Are you sure you want to completely remove " + removal.displayName + "?");
  ui::Click(question.window, IDYES);
  EXPECT_TRUE(ui::WaitForExit(first, WindowWait)) << "the first phase did not end";
  ui::Finish(first);

  HWND page = nullptr, box = nullptr;
  WaitUntil([&] { return (page = FindDialog(0, {1026})) || (box = FindDialog(0, {65535}, {1026})); }, WindowWait);
  ASSERT_TRUE(page) << "the temporary copy showed no uninstall page"
                    << (box ? "; it says \"" + ui::Text(box) + "\": " + ui::ControlText(box, 65535) : "");
  DWORD copyId = 0;
  GetWindowThreadProcessId(page, &copyId);
  HANDLE copy = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, copyId);
  std::string copyPath = ui::ImagePath(copyId);
  EXPECT_EQ(ui::Text(page), caption);
  if (removal.onPage) removal.onPage(copyId, copyPath);

  bool sharedAsked = false, finalMessage = false, treeShown = false, deleteAsked = false;
  HWND tree = GetDlgItem(page, 1026);
  DWORD start = GetTickCount();
  while (WaitForSingleObject(copy, 100) == WAIT_TIMEOUT && GetTickCount() - start < 2 * WindowWait) {
    if (HWND confirm = FindDialog(copyId, {1001, 1002, 1011}, {1026})) {
      std::string text = ui::ControlText(confirm, 1001);
      EXPECT_NE(text.find("File name: acmecat.txt"), std::string::npos) << text;
      EXPECT_FALSE(sharedAsked) << "the shared file was asked about twice";
      sharedAsked = true;
      ui::Click(confirm, IDOK);
      WaitUntil([&] { return !IsWindow(confirm); }, 10000);
      continue;
    }
    if (HWND box = FindDialog(copyId, {65535}, {1026})) {
      ui::MessageBox shown;
      shown.window = box;
      shown.caption = ui::Text(box);
      shown.text = ui::ControlText(box, 65535);
      if (shown.caption == "Confirm Operation") {
        deleteAsked = true;
        ui::Click(box, IDYES);
      } else {
        EXPECT_EQ(shown.caption, caption);
        EXPECT_EQ(shown.text, removal.displayName + " have been succesfully removed from your computer.");
        finalMessage = true;
        ui::Click(box, IDOK);
      }
      WaitUntil([&] { return !IsWindow(box); }, 10000);
      continue;
    }
    if (removal.leftovers && IsWindow(tree) && IsWindowVisible(tree)) {
      if (!treeShown && SendMessageA(tree, TVM_GETCOUNT, 0, 0) > 0 && !removal.deleteLeftovers) {
        treeShown = true;
        ui::Click(page, 1012);   // finish, keeping them
      } else if (!treeShown && SendMessageA(tree, TVM_GETCOUNT, 0, 0) > 0) {
        treeShown = true;
        ui::Click(page, 1010);   // select all
        WaitUntil([&] { return IsWindowEnabled(GetDlgItem(page, 1011)) != FALSE; }, 10000);
        ui::Click(page, 1011);   // delete
      } else if (treeShown && deleteAsked && SendMessageA(tree, TVM_GETCOUNT, 0, 0) == 0) {
        ui::Click(page, 1012);   // finish
        deleteAsked = false;
      }
    }
  }
  bool ended = WaitForSingleObject(copy, 0) == WAIT_OBJECT_0;
  if (!ended) ReportWhatIsShown(copyId, "uninstall");
  EXPECT_TRUE(ended) << "the temporary copy did not end";
  if (!ended) TerminateProcess(copy, 1);
  CloseHandle(copy);
  EXPECT_EQ(sharedAsked, removal.sharedFileAsked) << "the shared-file question";
  EXPECT_EQ(treeShown, removal.leftovers) << "the leftover tree";
  // After the leftover view no final message follows.
  EXPECT_EQ(finalMessage, !removal.leftovers) << "the final message";
  EXPECT_TRUE(WaitUntil([&] { return !files::Exists(copyPath) && !files::Exists(TemporaryPath("delself.bat")); },
                        30000))
      << "the temporary copy " << copyPath << " or delself.bat stayed";
  // Only now: the deletion batch is one of the copy's children too.
  EndChildren(copyId);
}

}  // namespace roundtrip
