// A 32-bit program that checks the guarded call of exported functions: every
// callee gets its arguments, and the caller's stack pointer is the same
// after the call whether the callee removed its arguments or left them. The
// exit code has one bit set per case that failed.
#include "engine/actions.h"

static int received;

static bool Expected(const char* first, const char* second) {
  return !lstrcmpA(first, "first") && (!second || !lstrcmpA(second, "second"));
}
extern "C" void __stdcall StdcallTwo(const char* first, const char* second) { received += Expected(first, second); }
extern "C" void __stdcall StdcallOne(const char* first) { received += Expected(first, nullptr); }
extern "C" void __stdcall StdcallNone() { received++; }
extern "C" void __cdecl CdeclTwo(const char* first, const char* second) { received += Expected(first, second); }
extern "C" void __cdecl CdeclOne(const char* first) { received += Expected(first, nullptr); }

int main() {
  struct {
    FARPROC function;
    int count;
  } cases[] = {{(FARPROC)StdcallTwo, 2}, {(FARPROC)StdcallOne, 1}, {(FARPROC)StdcallNone, 0},
               {(FARPROC)CdeclTwo, 2}, {(FARPROC)CdeclOne, 1}};
  int failures = 0;
  for (int i = 0; i < 5; i++) {
    unsigned before, after;
    int receivedBefore = received;
    asm volatile("movl %%esp, %0" : "=r"(before));
    CallPreservingStack(cases[i].function, cases[i].count, "first", "second");
    asm volatile("movl %%esp, %0" : "=r"(after));
    if (before != after || received != receivedBefore + 1) failures |= 1 << i;
  }
  return failures;
}
