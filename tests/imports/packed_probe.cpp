// A packed program like the stub, for checking what its unpacker does with
// the functions it looks up: it imports a function that the import check must
// refuse (from VERSION.DLL, which is no system library of the stub's) and one
// that no Windows has, which the unpacker must report instead of starting.
#include <windows.h>

extern "C" __declspec(dllimport) ATOM __stdcall AddAtomA(const char* name);
extern "C" __declspec(dllimport) void __stdcall CorvelMissingFunction();

extern "C" void __stdcall start() {
  char path[MAX_PATH];
  GetModuleFileNameA(0, path, sizeof path);
  DWORD ignored;
  DWORD size = GetFileVersionInfoSizeA(path, &ignored);
  GetFileVersionInfoA(path, 0, size, 0);
  AddAtomA("probe");
  CorvelMissingFunction();
  MessageBoxA(0, "The probe ran.", "Corvelsetup", MB_OK);
  ExitProcess(0);
}
