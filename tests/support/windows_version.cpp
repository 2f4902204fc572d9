#include "support/windows_version.h"

#include <windows.h>

#include "support/files.h"

namespace winver {

Run RunSelfAs(const std::string& version, const std::string& arguments) {
  Run run;
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string folder = files::MakeTemporaryFolder("winver");
  std::string stem = std::string(self).substr(std::string(self).find_last_of('\\') + 1);
  stem = stem.substr(0, stem.size() - 4);
  std::string name = stem + "-" + version + ".exe";
  std::string copy = folder + "\\" + name;
  std::string outputPath = folder + "\\output.txt";
  if (!CopyFileA(self, copy.c_str(), FALSE)) return run;

  std::string key = "Software\\Wine\\AppDefaults\\" + name;
  HKEY handle;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) ==
      ERROR_SUCCESS) {
    RegSetValueExA(handle, "Version", 0, REG_SZ, (const BYTE*)version.c_str(), (DWORD)version.size() + 1);
    RegCloseKey(handle);
  }

  SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
  HANDLE output = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
  STARTUPINFOA startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = output;
  startup.hStdError = output;
  startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  std::string commandLine = "\"" + copy + "\" " + arguments;
  PROCESS_INFORMATION info = {};
  if (CreateProcessA(copy.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, folder.c_str(), &startup,
                     &info)) {
    run.started = true;
    WaitForSingleObject(info.hProcess, INFINITE);
    GetExitCodeProcess(info.hProcess, &run.exitCode);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
  }
  CloseHandle(output);
  auto bytes = files::Read(outputPath);
  run.output.assign(bytes.begin(), bytes.end());
  RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
  files::RemoveTree(folder);
  return run;
}

}  // namespace winver
