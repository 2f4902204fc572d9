#include "common/message.h"
#include "startup/switches.h"

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
  UINT buttons = style & MB_TYPEMASK;
  int answer = !Silent ? MessageBoxA(owner, text, caption, style)
               : buttons == MB_OK ? IDOK
               : buttons == MB_YESNO ? IDNO
                                     : IDCANCEL;
  RecordMessage(caption, text, buttons ? answer : 0);
  return answer;
}

void RecordMessage(const char* caption, const char* text, int answer) {
  if (!MessageLogPath) return;
  // Opened for each line: the two processes of an uninstallation write to
  // the same log, one after the other.
  HANDLE file = CreateFileA(MessageLogPath, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, 0, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, 0);
  if (file == INVALID_HANDLE_VALUE) return;
  static const char* const answers[] = {"", "OK", "Cancel", "", "", "", "Yes", "No"};
  SYSTEMTIME now;
  GetLocalTime(&now);
  char line[2 * MessageLength + 64];
  int length = wsprintfA(line, "%04u-%02u-%02u %02u:%02u:%02u ", now.wYear, now.wMonth, now.wDay, now.wHour,
                         now.wMinute, now.wSecond);
  if (caption) length += wsprintfA(line + length, "%s: ", caption);
  // One line per message: its line breaks and the blanks around them become one blank.
  for (const char* from = text; *from && length < 2 * MessageLength + 40; from++) {
    char character = *from == '\r' || *from == '\n' ? ' ' : *from;
    if (character != ' ' || (line[length - 1] != ' ')) line[length++] = character;
  }
  while (line[length - 1] == ' ') length--;
  if (answer) length += wsprintfA(line + length, " [%s]", answers[answer]);
  line[length++] = '\r';
  line[length++] = '\n';
  SetFilePointer(file, 0, 0, FILE_END);
  DWORD written;
  WriteFile(file, line, length, &written, 0);
  CloseHandle(file);
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
