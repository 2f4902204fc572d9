// A library whose exports record each call with its arguments in the record
// file. Built 64-bit for the unit tests and 32-bit for the shipped stub, where
// RecordStdcall removes its own arguments from the stack.
#include <objbase.h>
#include <stdio.h>
#include "support/recorder.h"

static void Record(const char* name, const char* first, const char* second) {
  char line[1024];
  snprintf(line, sizeof line, "%s(%s%s%s)", name, first ? first : "", second ? "," : "", second ? second : "");
  AppendRecordLine(line);
}

extern "C" {
__declspec(dllexport) void RecordNone() { Record("RecordNone", nullptr, nullptr); }
__declspec(dllexport) void RecordOne(const char* first) { Record("RecordOne", first, nullptr); }
__declspec(dllexport) void RecordTwo(const char* first, const char* second) { Record("RecordTwo", first, second); }
__declspec(dllexport) void __stdcall RecordStdcall(const char* first, const char* second) {
  Record("RecordStdcall", first, second);
}
__declspec(dllexport) void __stdcall RecordStdcallOne(const char* first) { Record("RecordStdcallOne", first, nullptr); }
// Registration entry points also tell whether OLE was ready for them.
__declspec(dllexport) HRESULT __stdcall DllRegisterServer() {
  HRESULT result = OleInitialize(nullptr);
  Record("DllRegisterServer", result == S_FALSE ? "ole" : "no ole", nullptr);
  if (SUCCEEDED(result)) OleUninitialize();
  return S_OK;
}
__declspec(dllexport) HRESULT __stdcall DllUnregisterServer() {
  Record("DllUnregisterServer", nullptr, nullptr);
  return S_OK;
}
}
