// Message boxes composed from a format and up to three string arguments,
// and the system's text for an error code.
#pragma once
#include <windows.h>

const int MessageLength = 1024;   // the composed text is cut at MessageLength - 1

// Without argument1 the format is the text as it is (a %s in it stays);
// otherwise wsprintfA fills it. A null format gives an empty text. Returns
// the composed length.
int ComposeMessage(char* buffer, const char* format, const char* argument1, const char* argument2,
                   const char* argument3);
// MessageBoxA of the composed text; returns its answer.
int ShowFormattedMessage(HWND owner, const char* caption, const char* format, const char* argument1,
                         const char* argument2, const char* argument3, UINT style);
int ShowMessage(HWND owner, const char* caption, const char* format, const char* argument, UINT style);
int ShowMessage2(HWND owner, const char* caption, const char* format, const char* argument1,
                 const char* argument2, UINT style);

// The system's text for code, ending in a line break, or "" when it has
// none. One buffer serves every call: use the text before the next call.
const char* SystemErrorText(DWORD code);
