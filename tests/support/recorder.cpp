// A program that records its run: "<arguments>|<current folder>" in the
// record file. Arguments that begin with "sleep:N " make it wait N ms first,
// and record only after the wait; "hold:PATH " makes it wait until the file
// PATH exists (a minute at most), which a test makes once it has seen that
// the program was left running.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include "support/recorder.h"

int main() {
  const char* arguments = GetCommandLineA();
  // The program path, quoted or not, and the blanks after it.
  if (*arguments == '"') {
    arguments = strchr(arguments + 1, '"');
    arguments = arguments ? arguments + 1 : "";
  } else {
    while (*arguments && *arguments != ' ') arguments++;
  }
  while (*arguments == ' ') arguments++;
  if (!strncmp(arguments, "sleep:", 6)) {
    char* rest;
    Sleep(strtoul(arguments + 6, &rest, 10));
    arguments = *rest == ' ' ? rest + 1 : rest;
  } else if (!strncmp(arguments, "hold:", 5)) {
    char path[MAX_PATH] = "";
    const char* end = strchr(arguments, ' ');
    size_t length = end ? (size_t)(end - arguments - 5) : strlen(arguments + 5);
    if (length < MAX_PATH) memcpy(path, arguments + 5, length);
    for (int tick = 0; tick < 1200 && GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES; tick++) Sleep(50);
    arguments = end ? end + 1 : "";
  }
  char folder[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, folder);
  char line[2 * MAX_PATH + 8];
  snprintf(line, sizeof line, "%s|%s", arguments, folder);
  AppendRecordLine(line);
  return 0;
}
