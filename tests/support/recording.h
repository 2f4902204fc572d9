#pragma once
// The test side of the recording program and library: where the test
// programs of this folder are built, and the lines a run left in a file.
#include <windows.h>
#include <string>
#include <vector>
#include "support/files.h"

namespace recording {

// A program or library built beside the support code: tests/support of the
// tree that holds the running test (tests/unit or tests/e2e).
inline std::string SupportPath(const char* name) {
  char module[MAX_PATH], full[MAX_PATH];
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  std::string path = module;
  path = path.substr(0, path.rfind('\\')) + "\\..\\support\\" + name;
  GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  return full;
}

// Every complete line of a file (none when it is missing).
inline std::vector<std::string> Lines(const std::string& path) {
  std::vector<std::string> lines;
  std::string line;
  for (char c : files::Read(path)) {
    if (c != '\n') line += c;
    else lines.push_back(line), line.clear();
  }
  return lines;
}

}  // namespace recording
