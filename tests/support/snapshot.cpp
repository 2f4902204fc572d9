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

std::string FileSummary(const std::string& path, const WIN32_FIND_DATAA& found, bool times) {
  std::uint64_t hash = 1469598103934665603ULL;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    static std::vector<BYTE> buffer(1 << 20);
    DWORD got;
    while (ReadFile(file, buffer.data(), (DWORD)buffer.size(), &got, nullptr) && got) hash = Hash(buffer.data(), got, hash);
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

void WalkKey(HKEY root, const std::string& subkey, const Options& options, State& state) {
  std::string name = std::string(RootName(root)) + "\\" + subkey;
  if (Ignored(name, options)) return;
  HKEY key;
  if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  state.registry[Upper(name)] = "";
  std::vector<char> valueName(16384);
  std::vector<BYTE> data(1 << 16);
  for (DWORD index = 0;; index++) {
    DWORD nameLength = (DWORD)valueName.size(), size = (DWORD)data.size(), type = 0;
    LONG error = RegEnumValueA(key, index, valueName.data(), &nameLength, nullptr, &type, data.data(), &size);
    if (error == ERROR_MORE_DATA) {
      data.resize(size + 1);
      index--;
      continue;
    }
    if (error != ERROR_SUCCESS) break;
    std::string path = name + "|" + std::string(valueName.data(), nameLength);
    if (!Ignored(path, options))
      state.registry[Upper(path)] = "type " + std::to_string(type) + ", " + Hex(Hash(data.data(), size));
  }
  std::vector<std::string> children;
  char child[1024];
  for (DWORD index = 0;; index++) {
    DWORD length = sizeof child;
    if (RegEnumKeyExA(key, index, child, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    children.emplace_back(child, length);
  }
  RegCloseKey(key);
  for (const std::string& part : children) WalkKey(root, subkey.empty() ? part : subkey + "\\" + part, options, state);
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
