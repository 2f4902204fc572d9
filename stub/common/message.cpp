#include "common/message.h"

static char ErrorText[1024];

int ComposeMessage(char* buffer, const char* format, const char* argument1, const char* argument2,
                   const char* argument3) {
  if (!format)
    format = "";
  // Callers pass as many arguments as the format has placeholders, so the
  // ones left null are never read.
  if (argument1)
    return wsprintfA(buffer, format, argument1, argument2, argument3);
  lstrcpynA(buffer, format, MessageLength);
  return lstrlenA(buffer);
}

int ShowFormattedMessage(HWND owner, const char* caption, const char* format, const char* argument1,
                         const char* argument2, const char* argument3, UINT style) {
  char text[MessageLength];
  ComposeMessage(text, format, argument1, argument2, argument3);
  return MessageBoxA(owner, text, caption, style);
}

int ShowMessage(HWND owner, const char* caption, const char* format, const char* argument, UINT style) {
  return ShowFormattedMessage(owner, caption, format, argument, 0, 0, style);
}

int ShowMessage2(HWND owner, const char* caption, const char* format, const char* argument1,
                 const char* argument2, UINT style) {
  return ShowFormattedMessage(owner, caption, format, argument1, argument2, 0, style);
}

const char* SystemErrorText(DWORD code) {
  char* text = 0;
  ErrorText[0] = 0;
  if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER, 0, code, 0, (char*)&text, 0, 0))
    lstrcpynA(ErrorText, text, sizeof ErrorText);
  LocalFree(text);
  return ErrorText;
}
