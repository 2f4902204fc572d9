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
// MessageBoxA of the composed text; returns its answer. A silent run shows
// nothing and takes the careful answer: OK, No, or Cancel. Either way the
// message and its answer go to the message log.
int ShowFormattedMessage(HWND owner, const char* caption, const char* format, const char* argument1,
                         const char* argument2, const char* argument3, UINT style);
int ShowMessage(HWND owner, const char* caption, const char* format, const char* argument, UINT style);
int ShowMessage2(HWND owner, const char* caption, const char* format, const char* argument1,
                 const char* argument2, UINT style);

// Appends "time caption: text" to the message log named on the command
// line, each line break a blank, and " [Yes]" or the like for an answer
// (0: none). Does nothing without a log; a null caption is left out.
void RecordMessage(const char* caption, const char* text, int answer);

// The system's text for code, ending in a line break, or "" when it has
// none. One buffer serves every call: use the text before the next call.
const char* SystemErrorText(DWORD code);
