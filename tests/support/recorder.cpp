// A program that records its run: "<arguments>|<current folder>" in the
// record file. Arguments that begin with "sleep:N " make it wait N ms first,
// and record only after the wait.
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
  }
  char folder[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, folder);
  char line[2 * MAX_PATH + 8];
  snprintf(line, sizeof line, "%s|%s", arguments, folder);
  AppendRecordLine(line);
  return 0;
}
