#include "startup/switches.h"
#include "common/heap.h"
#include "common/text.h"

bool Silent;
bool RestartAllowed;
char* DestinationSwitch;
char* MessageLogPath;
char* PlainArgument;
char* UnknownSwitch;
DWORD ExitCode = ExitFailed;

static bool IsBlank(char character) {
  return character == ' ' || character == '\t';
}

// A copy of the text without its double quotes and without trailing blanks.
static char* CopyUnquoted(const char* text, const char* end) {
  char* copy = DuplicatePart(text, (DWORD)(end - text));
  char* to = copy;
  if (!copy) return 0;
  for (const char* from = copy; *from; from++)
    if (*from != '"') *to++ = *from;
  while (to > copy && IsBlank(to[-1])) to--;
  *to = 0;
  return copy;
}

// True when text starts with prefix, letters in any case.
static bool StartsWith(const char* text, const char* prefix) {
  for (; *prefix; text++, prefix++)
    if (UpperCharacter(*text) != *prefix) return false;
  return true;
}

void ReadSwitches() {
  const char* line = GetCommandLineA();
  bool quoted = false;
  while (*line && (quoted || !IsBlank(*line))) quoted ^= *line++ == '"';
  for (;;) {
    while (IsBlank(*line)) line++;
    if (!*line) return;
    // A launcher quotes an argument with blanks as a whole or after its '='.
    const char* body = line + (*line == '"');
    if (*body != '/') {
      PlainArgument = CopyUnquoted(line, line + TextLength(line));
      return;
    }
    // The folder may hold blanks: it takes the rest of the line.
    if (StartsWith(body, "/D=")) {
      DestinationSwitch = CopyUnquoted(body + 3, body + TextLength(body));
      return;
    }
    const char* end = line;
    for (quoted = false; *end && (quoted || !IsBlank(*end)); end++) quoted ^= *end == '"';
    char* word = CopyUnquoted(line, end);
    line = end;
    if (!word) return;
    if (!lstrcmpiA(word, "/S")) Silent = true;
    else if (!lstrcmpiA(word, "/REBOOT")) RestartAllowed = true;
    else if (StartsWith(word, "/LOG=") && word[5]) {
      FreeBlock(MessageLogPath);
      MessageLogPath = DuplicateString(word + 5, 0);
    } else if (!UnknownSwitch) {
      UnknownSwitch = word;
      continue;
    }
    FreeBlock(word);
  }
}

void FreeSwitches() {
  char** strings[] = {&DestinationSwitch, &MessageLogPath, &PlainArgument, &UnknownSwitch};
  for (char** string : strings) {
    FreeBlock(*string);
    *string = 0;
  }
}
