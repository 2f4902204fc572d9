#include "support/files.h"

#include <cstdio>
#include <cstdlib>

namespace files {

std::vector<std::uint8_t> Read(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  DWORD size = GetFileSize(file, nullptr);
  bytes.resize(size);
  DWORD got = 0;
  if (size && !ReadFile(file, bytes.data(), size, &got, nullptr)) got = 0;
  bytes.resize(got);
  CloseHandle(file);
  return bytes;
}

bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = bytes.empty() || WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, nullptr);
  CloseHandle(file);
  return ok && written == bytes.size();
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string MakeTemporaryFolder(const std::string& prefix) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  static unsigned counter;
  for (;;) {
    char name[MAX_PATH];
    snprintf(name, sizeof(name), "%s%s-%lu-%u", temp, prefix.c_str(), GetCurrentProcessId(), ++counter);
    if (CreateDirectoryA(name, nullptr)) return name;
    if (GetLastError() != ERROR_ALREADY_EXISTS) return std::string();
  }
}

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string child = path + "\\" + name;
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      bool folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                    !(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
      if (folder) RemoveTree(child);
      else if (!DeleteFileA(child.c_str())) RemoveDirectoryA(child.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(path.c_str());
}

std::string FromEnvironmentPath(const char* variable) {
  const char* value = getenv(variable);
  std::string path = value ? value : "";
  // CTest hands over host paths; Wine shows the host's root as drive Z:.
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string StubPath(bool shipped) { return FromEnvironmentPath(shipped ? "CORVEL_STUB32" : "CORVEL_STUB"); }

std::vector<std::uint8_t> StubImage(bool shipped) { return Read(StubPath(shipped)); }

HMODULE StubResources() {
  static HMODULE module = LoadLibraryExA(StubPath().c_str(), 0, LOAD_LIBRARY_AS_DATAFILE);
  return module;
}

}  // namespace files
