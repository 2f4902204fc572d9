#pragma once
// What the recording test program and library share: each appends one line
// per run or call to the file that CORVEL_RECORD_FILE names.
#include <windows.h>

inline void AppendRecordLine(const char* text) {
  char path[MAX_PATH];
  if (!GetEnvironmentVariableA("CORVEL_RECORD_FILE", path, MAX_PATH)) return;
  // Runs may overlap: wait for the file rather than lose a line.
  HANDLE file = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 200 && file == INVALID_HANDLE_VALUE; attempt++) {
    file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) Sleep(10);
  }
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written;
  WriteFile(file, text, lstrlenA(text), &written, nullptr);
  WriteFile(file, "\n", 1, &written, nullptr);
  CloseHandle(file);
}
