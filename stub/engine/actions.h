#pragma once
// Programs and library functions the script runs at given moments.
#include <windows.h>
#include "common/list.h"

void RunActions(StringList programs, StringList dllCalls);
bool RunProgram(const char* program, const char* arguments, const char* folder, bool wait,
                bool runOnce, int window, StringList list, int* index);
bool CallDllFunction(const char* library, const char* function, const char* argument1,
                     const char* argument2, bool runOnce, StringList list, int* index);

// Calls function with count (0 to 2) text arguments as cdecl. A script may
// name an export that removes its own arguments, as stdcall does: the stack
// is left as it was either way.
extern "C" void CallPreservingStack(FARPROC function, int count, const char* first, const char* second);
