#include "support/snapshot.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace snapshot {

namespace {

std::string Upper(std::string text) {
  for (char& c : text) c = (char)toupper((unsigned char)c);
  return text;
}

std::uint64_t Hash(const BYTE* data, size_t length, std::uint64_t hash = 1469598103934665603ULL) {
  for (size_t i = 0; i < length; i++) hash = (hash ^ data[i]) * 1099511628211ULL;
  return hash;
}

std::string Hex(std::uint64_t value) {
  char text[24];
  snprintf(text, sizeof text, "%016llx", (unsigned long long)value);
  return text;
}

// The contents' hash of each file read before, with what dated that reading.
// The prefix holds over a gigabyte of Wine's own libraries, read again for
// every state taken. The change time moves with every write, rename and
// change of times, and under Wine no program can set it: a file whose change time,
// size and write time are the same has the same contents.
struct Reading {
  LONGLONG changed, written, size;
  std::uint64_t hash;
};
std::map<std::string, Reading> Readings;

std::uint64_t ContentHash(const std::string& path, HANDLE file, const WIN32_FIND_DATAA& found) {
  FILE_BASIC_INFO basic;
  Reading now = {0, (LONGLONG)found.ftLastWriteTime.dwHighDateTime << 32 | found.ftLastWriteTime.dwLowDateTime,
                 (LONGLONG)found.nFileSizeHigh << 32 | found.nFileSizeLow, 1469598103934665603ULL};
  bool dated = GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic) && basic.ChangeTime.QuadPart;
  if (dated) {
    now.changed = basic.ChangeTime.QuadPart;
    auto known = Readings.find(path);
    if (known != Readings.end() && known->second.changed == now.changed && known->second.written == now.written &&
        known->second.size == now.size)
      return known->second.hash;
  }
  static std::vector<BYTE> buffer(1 << 20);
  DWORD got;
  while (ReadFile(file, buffer.data(), (DWORD)buffer.size(), &got, nullptr) && got)
    now.hash = Hash(buffer.data(), got, now.hash);
  if (dated) Readings[path] = now;
  return now.hash;
}

std::string FileSummary(const std::string& path, const WIN32_FIND_DATAA& found, bool times) {
  std::uint64_t hash;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    hash = ContentHash(path, file, found);
    CloseHandle(file);
  } else {
    hash = 0;   // unreadable (held by someone): size and attributes still count
  }
  // Wine reports the archive bit for every file it has written.
  DWORD attributes = found.dwFileAttributes & ~(DWORD)FILE_ATTRIBUTE_ARCHIVE;
  char text[64];
  snprintf(text, sizeof text, "%llu bytes, attributes 0x%lx, ",
           ((unsigned long long)found.nFileSizeHigh << 32) | found.nFileSizeLow, attributes);
  std::string summary = text + Hex(hash);
  if (times) {
    auto time = [](const FILETIME& t) { return Hex((std::uint64_t)t.dwHighDateTime << 32 | t.dwLowDateTime); };
    summary += ", created " + time(found.ftCreationTime) + ", written " + time(found.ftLastWriteTime);
  }
  return summary;
}

bool Ignored(const std::string& path, const Options& options) {
  std::string upper = Upper(path);
  for (const std::string& prefix : options.ignored) {
    std::string wanted = Upper(prefix);
    if (upper.compare(0, wanted.size(), wanted) == 0) return true;
  }
  return false;
}

void WalkFolder(const std::string& folder, const Options& options, State& state) {
  WIN32_FIND_DATAA found;
  std::string base = folder.back() == '\\' ? folder : folder + "\\";
  HANDLE search = FindFirstFileA((base + "*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    std::string path = base + name;
    if (Ignored(path, options)) continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      state.files[Upper(path)] = "folder";
      // A link to a folder is recorded, never followed.
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) WalkFolder(path, options, state);
    } else {
      state.files[Upper(path)] = FileSummary(path, found, options.times);
    }
  } while (FindNextFileA(search, &found));
  FindClose(search);
}

const char* RootName(HKEY root) {
  if (root == HKEY_LOCAL_MACHINE) return "HKLM";
  if (root == HKEY_CURRENT_USER) return "HKCU";
  if (root == HKEY_CLASSES_ROOT) return "HKCR";
  if (root == HKEY_USERS) return "HKU";
  return "HK?";
}

// What each key held when it was last read, with its last write time. The
// time moves with every value set or deleted and every subkey made or
// deleted in the key: a key whose time stands still holds what it held.
// Wine's registry has some sixty thousand values, each a call to the
// server when read, and every state taken read them all again. The key
// stays open for the next look, one call instead of three: a key deleted
// meanwhile answers no more through it, and is looked for again by name.
struct KeyReading {
  HKEY handle;
  FILETIME written;
  std::vector<std::pair<std::string, std::string>> values;   // name, summary
  std::vector<std::string> children;
};
std::map<std::string, KeyReading> KeyReadings;

bool WrittenAt(HKEY key, FILETIME* written) {
  return RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                          nullptr, written) == ERROR_SUCCESS &&
         (written->dwLowDateTime || written->dwHighDateTime);
}

// The key's reading, up to date; null when the key is not there.
const KeyReading* ReadKey(HKEY root, const std::string& subkey, const std::string& name) {
  KeyReading& reading = KeyReadings[name];
  FILETIME written;
  if (reading.handle && WrittenAt(reading.handle, &written) && CompareFileTime(&written, &reading.written) == 0)
    return &reading;
  if (reading.handle) RegCloseKey(reading.handle);
  HKEY key;
  if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    KeyReadings.erase(name);
    return nullptr;
  }
  reading = KeyReading{key, {}, {}, {}};
  bool dated = WrittenAt(key, &reading.written);
  static std::vector<char> valueName(16384);
  static std::vector<BYTE> data(1 << 16);
  for (DWORD index = 0;; index++) {
    DWORD nameLength = (DWORD)valueName.size(), size = (DWORD)data.size(), type = 0;
    LONG error = RegEnumValueA(key, index, valueName.data(), &nameLength, nullptr, &type, data.data(), &size);
    if (error == ERROR_MORE_DATA) {
      data.resize(size + 1);
      index--;
      continue;
    }
    if (error != ERROR_SUCCESS) break;
    reading.values.emplace_back(std::string(valueName.data(), nameLength),
                                "type " + std::to_string(type) + ", " + Hex(Hash(data.data(), size)));
  }
  char child[1024];
  for (DWORD index = 0;; index++) {
    DWORD length = sizeof child;
    if (RegEnumKeyExA(key, index, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    reading.children.emplace_back(child, length);
  }
  // Without a time the key is read anew each time.
  if (!dated) {
    RegCloseKey(key);
    reading.handle = nullptr;
  }
  return &reading;
}

void WalkKey(HKEY root, const std::string& subkey, const Options& options, State& state) {
  std::string name = std::string(RootName(root)) + "\\" + subkey;
  if (Ignored(name, options)) return;
  const KeyReading* reading = ReadKey(root, subkey, Upper(name));
  if (!reading) return;
  state.registry[Upper(name)] = "";
  for (const auto& [value, summary] : reading->values) {
    std::string path = name + "|" + value;
    if (!Ignored(path, options)) state.registry[Upper(path)] = summary;
  }
  for (const std::string& part : reading->children)
    WalkKey(root, subkey.empty() ? part : subkey + "\\" + part, options, state);
}

void Compare(const std::map<std::string, std::string>& before, const std::map<std::string, std::string>& after,
             const char* what, const Options& options, std::vector<std::string>& lines) {
  for (const auto& [path, summary] : before) {
    if (Ignored(path, options)) continue;
    auto now = after.find(path);
    if (now == after.end()) lines.push_back(std::string("- ") + what + " " + path);
    else if (now->second != summary)
      lines.push_back(std::string("~ ") + what + " " + path + ": " + summary + " -> " + now->second);
  }
  for (const auto& [path, summary] : after)
    if (!Ignored(path, options) && !before.count(path))
      lines.push_back(std::string("+ ") + what + " " + path + (summary.empty() ? "" : ": " + summary));
}

}  // namespace

State Take(const Options& options) {
  State state;
  for (const std::string& folder : options.folders) WalkFolder(folder, options, state);
  for (const auto& [root, subkey] : options.keys) WalkKey(root, subkey, options, state);
  return state;
}

std::vector<std::string> Difference(const State& before, const State& after, const Options& options) {
  std::vector<std::string> lines;
  Compare(before.files, after.files, "file", options, lines);
  Compare(before.registry, after.registry, "registry", options, lines);
  return lines;
}

std::vector<std::string> ChangesSince(const State& before, const Options& options) {
  return Difference(before, Take(options), options);
}

std::string Describe(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "  " + line + "\n";
  return text.empty() ? "  (no difference)\n" : text;
}

Options Standard(const std::string& testFolder) {
  Options options;
  char windows[MAX_PATH];
  GetWindowsDirectoryA(windows, MAX_PATH);
  std::string system = windows;
  options.ignored = {testFolder,
                     // Wine's own logs, caches and font and registry files.
                     system + "\\Fonts", system + "\\Logs", system + "\\Installer", system + "\\Temp",
                     system + "\\system32\\spool", system + "\\inf",
                     "HKLM\\Software\\Wine", "HKCU\\Software\\Wine",
                     "HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Perflib",
                     "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"};
  return options;
}

}  // namespace snapshot
