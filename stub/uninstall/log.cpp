// The install log: recording during installation, the temporary and the
// final log, and reading a log back for the uninstaller.
#include "uninstall/log.h"
#include "common/heap.h"
#include "common/text.h"
#include "engine/variables.h"
#include "script/model.h"
#include "startup/process.h"

HANDLE LogFile = INVALID_HANDLE_VALUE;
StringList LogLines;
int LogEntryCount;
char* TemporaryLogPath;

const char LogBanner[] = "=== Corvelsetup log file ===";
const char DefaultFace[] = "MS Sans Serif";

static char* LogText;     // the log read, with every entry's line feed cut to a zero
static char* EntryStart;  // the first entry line within LogText
static char* WalkEnd;     // just past the zero that ends the next entry to hand out

static void WriteText(HANDLE file, const char* text) {
  DWORD written;
  WriteFile(file, text, lstrlenA(text), &written, 0);
}

// Appearance values carry fonts in 32-byte fields: a longer face would not
// fit, and a cut one would name some other font.
static const char* FaceOrDefault(const char* face) {
  return face && *face && lstrlenA(face) < 32 ? face : DefaultFace;
}

static bool InFolderCache(const char* path) {
  for (int i = 0; i < Count(FolderCache); i++) {
    const char* folder = GetItem(FolderCache, i);
    if (folder && !lstrcmpiA(folder, path))
      return true;
  }
  return false;
}

// The lines recorded, found by a hash of their upper-case form: a search
// through every earlier line for each new one would grow with the square of
// the file count. A slot holds a line's index plus one; 0 is free.
static int* LineSlots;
static DWORD SlotCount;   // a power of two, over twice the lines held

static int* FindSlot(const char* line) {
  DWORD hash = 0;
  for (const char* c = line; *c; c++)
    hash = hash * 31 + (BYTE)UpperCharacter(*c);
  for (DWORD mask = SlotCount - 1;; hash++) {
    int* slot = &LineSlots[hash & mask];
    if (!*slot || !lstrcmpiA(GetItem(LogLines, *slot - 1), line))
      return slot;
  }
}

static bool MakeRoomForLine() {
  if ((DWORD)Count(LogLines) * 2 < SlotCount)
    return true;
  DWORD count = SlotCount ? SlotCount * 2 : 256;
  int* slots = (int*)AllocateBlock(count * sizeof(int));
  if (!slots)
    return false;
  FreeBlock(LineSlots);
  LineSlots = slots;
  SlotCount = count;
  for (int i = 0; i < Count(LogLines); i++)
    if (GetItem(LogLines, i))
      *FindSlot(GetItem(LogLines, i)) = i + 1;
  return true;
}

// Adds the line unless an equal one (case aside) is there already, or when
// repeats are allowed; true when it was added.
static bool AddLine(const char* line, bool repeatsAllowed) {
  if (!line || !MakeRoomForLine())
    return false;
  int* slot = FindSlot(line);
  if (*slot && !repeatsAllowed)
    return false;
  int index = AppendItem(LogLines, line);
  if (index < 0)
    return false;
  if (!*slot)
    *slot = index + 1;
  return true;
}

// The header and the earlier log's entries at the start of the line list.
static int CarriedLines;

static void RecordLine(char* line, bool writeNow, bool keep) {
  // A line that this run recorded already is not written again; one that
  // only the earlier log held is, for the rollback.
  if (keep && (LogLines || CreateList(&LogLines, 64)) && !AddLine(line, false) && line &&
      *FindSlot(line) > CarriedLines)
    writeNow = false;
  if (line && writeNow && LogFile != INVALID_HANDLE_VALUE)
    WriteText(LogFile, line);
  FreeBlock(line);
}

void RecordLogLine(const char* kind, const char* path, bool writeNow, bool checkCache) {
  if (path && checkCache && InFolderCache(path))
    return;
  RecordLine(path ? ConcatStrings(kind, ",", path, "\n") : ConcatStrings(kind, "\n"), writeNow, true);
}

void RecordLogEntry(char kind, int count, const char* const* fields, bool writeNow, bool keep) {
  char separator = ',';
  DWORD length = 3;
  for (int i = 0; i < count; i++) {
    length += lstrlenA(fields[i]) + 1;
    if (FindChar(fields[i], ',', -1, true))
      separator = FieldSeparator;
  }
  char* line = (char*)AllocateBlock(length);
  if (!line)
    return;
  char* end = line;
  *end++ = kind;
  for (int i = 0; i < count; i++) {
    *end++ = separator;
    DWORD fieldLength = lstrlenA(fields[i]);
    CopyMemory(end, fields[i], fieldLength);
    end += fieldLength;
  }
  *end = '\n';
  RecordLine(line, writeNow, keep);
}

// The header lines are the log's own: they are added without the duplicate
// test, since display name and product name may well be equal.
static void RecordNameLine(const char* name) {
  char* line = ConcatStrings(name, "\n");
  if (AddLine(line, true))
    WriteText(LogFile, line);
  FreeBlock(line);
}

char* StartTemporaryLog() {
  char path[MAX_PATH];
  if (!GetTempFileNameA(TemporaryFolder, "KVZ", 0, path))
    return 0;
  LogFile = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, 0, CREATE_ALWAYS,
                        FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_TEMPORARY, 0);
  if (LogFile == INVALID_HANDLE_VALUE || (!LogLines && !CreateList(&LogLines, 64))) {
    DWORD error = GetLastError();
    EndLog(path, 0, true);
    SetLastError(error);
    return 0;
  }
  RecordLogLine(LogBanner, 0, true, false);
  RecordNameLine(Model.displayName);
  RecordNameLine(Model.productName);
  char appearance[160];
  wsprintfA(appearance, "%u,0x%X,0x%X,0x%X,0x%X,%s,0x%X,%s,0x%X", Model.dialogSetOffset ? 1 : 0,
            Model.accentColour, Model.headerColour, Model.pageColour, Model.bandColour,
            FaceOrDefault(Model.titleFontFace), Model.titleTextColour,
            FaceOrDefault(Model.normalFontFace), Model.normalTextColour);
  RecordLogLine(appearance, 0, true, false);
  FreeBlock(TemporaryLogPath);
  TemporaryLogPath = DuplicateString(path, 0);
  return DuplicateString(path, 0);
}

void EndLog(const char* temporaryPath, const char* finalPath, bool succeeded) {
  if (LogFile != INVALID_HANDLE_VALUE)
    CloseHandle(LogFile);
  LogFile = INVALID_HANDLE_VALUE;
  if (!succeeded)
    return;
  if (finalPath) {
    SetFileAttributesA(finalPath, FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(finalPath);
  }
  DeleteFileA(temporaryPath);
  if (!finalPath)
    return;
  HANDLE file = CreateFileA(finalPath, GENERIC_WRITE, FILE_SHARE_READ, 0, CREATE_ALWAYS,
                            FILE_FLAG_SEQUENTIAL_SCAN, 0);
  if (file == INVALID_HANDLE_VALUE)
    return;
  for (int i = 0; i < Count(LogLines); i++)
    if (GetItem(LogLines, i))
      WriteText(file, GetItem(LogLines, i));
  CloseHandle(file);
  SetFileAttributesA(finalPath, FILE_ATTRIBUTE_NORMAL);
}

char* FinalLogPath(const char* uninstallerPath) {
  char* path = DuplicateString(uninstallerPath, 4);
  if (!path)
    return 0;
  char* dot = FindCharReverse(path, '.', -1, true);
  char* slash = FindCharReverse(path, '\\', -1, true);
  if (dot && dot > slash)
    *dot = 0;
  lstrcatA(path, ".log");
  return path;
}

void FreeLogLines() {
  CarriedLines = 0;
  DestroyList(&LogLines);
  FreeBlock(LineSlots);
  LineSlots = 0;
  SlotCount = 0;
}

// The line feed that ends the line at text, or null when it has none. The
// search stops at the line's end: one that measured the rest of the log
// first would read it once per line.
static char* FindLineFeed(char* text) {
  while (*text && *text != '\n')
    text++;
  return *text ? text : 0;
}

// Cuts the line that starts at text at its line feed; the text after it, or
// null when the line has none.
static char* CutLine(char* text) {
  char* feed = FindLineFeed(text);
  if (!feed)
    return 0;
  *feed = 0;
  return feed + 1;
}

// A rollback reads its own log while the main thread may be drawing with the
// model's texts: an equal text is left alone rather than freed under it.
static void ReplaceString(char** target, const char* text) {
  if (*target && !lstrcmpA(*target, text))
    return;
  FreeBlock(*target);
  *target = DuplicateString(text, 0);
}

static void LoadAppearance(StringList fields, const char* line) {
  SplitFields(fields, line, false);
  Model.dialogSetOffset = Field(fields, 0)[0] == '0' ? 0 : 20;
  Model.accentColour = ParseNumber(Field(fields, 1));
  Model.headerColour = ParseNumber(Field(fields, 2));
  Model.pageColour = ParseNumber(Field(fields, 3));
  Model.bandColour = ParseNumber(Field(fields, 4));
  ReplaceString(&Model.titleFontFace, FaceOrDefault(Field(fields, 5)));
  Model.titleTextColour = ParseNumber(Field(fields, 6));
  ReplaceString(&Model.normalFontFace, FaceOrDefault(Field(fields, 7)));
  Model.normalTextColour = ParseNumber(Field(fields, 8));
}

void KeepEarlierEntries(char* text) {
  if (FindText(text, LogBanner, lstrlenA(LogBanner), true) != text)
    return;
  // Past the banner, the two names and the appearance line; only whole lines.
  char* line = text;
  for (int header = 0; line && header < 4; header++)
    if ((line = FindLineFeed(line)))
      line++;
  for (char* feed; line && (feed = FindLineFeed(line)); line = feed + 1) {
    char next = feed[1];
    feed[1] = 0;
    AddLine(line, false);
    feed[1] = next;
  }
  CarriedLines = Count(LogLines);
}

bool HeldByEarlierLog(const char* kind, const char* path) {
  char* line = LineSlots ? ConcatStrings(kind, ",", path, "\n") : 0;
  int slot = line ? *FindSlot(line) : 0;
  FreeBlock(line);
  return slot && slot <= CarriedLines;
}

char* ReadLogText(const char* path) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, 0, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, 0);
  if (file == INVALID_HANDLE_VALUE)
    return 0;
  DWORD size = GetFileSize(file, 0);
  char* text = size == INVALID_FILE_SIZE ? 0 : (char*)AllocateBlock(size + 1);
  DWORD read = 0;
  if (text && (!ReadFile(file, text, size, &read, 0) || read != size)) {
    FreeBlock(text);
    text = 0;
  }
  CloseHandle(file);
  return text;
}

bool ReadInstallLog(const char* path, StringList fields) {
  char* text = ReadLogText(path);
  char* displayName = text ? CutLine(text) : 0;
  char* productName = displayName ? CutLine(displayName) : 0;
  char* appearance = productName ? CutLine(productName) : 0;
  char* entries = appearance ? CutLine(appearance) : 0;
  // A log saved with CR LF line ends fails here too: its banner ends in a CR.
  if (!entries || lstrcmpA(text, LogBanner)) {
    FreeBlock(text);
    return false;
  }
  FreeInstallLog();
  LogText = text;
  ReplaceString(&Model.displayName, displayName);
  ReplaceString(&Model.productName, productName);
  LoadAppearance(fields, appearance);
  // Only lines that end in a line feed are entries; the rest of the text is not.
  EntryStart = WalkEnd = entries;
  for (char* line = entries; (line = CutLine(line)) != 0; LogEntryCount++)
    WalkEnd = line;
  return true;
}

static bool IsPathKind(char kind) {
  return kind == 'a' || kind == 'b' || kind == 'g' || kind == 'h';
}

char ParseLogEntry(StringList fields, const char* line) {
  char kind = line[0];
  char separator = kind ? line[1] : 0;
  if (kind < 'a' || kind > 'j' || (separator != ',' && separator != FieldSeparator))
    return 0;
  const char* rest = line + 2;
  if (IsPathKind(kind)) {
    SplitFields(fields, "", false);
    SetItem(fields, 0, rest);
    return *rest ? kind : 0;
  }
  int separators = 0;
  for (const char* c = rest; *c; c++)
    separators += *c == separator;
  // Fields of c, d, e, f, i, j.
  static const char FieldCounts[] = {3, 6, 3, 5, 0, 0, 2, 5};
  if (separators >= FieldCounts[kind - 'c'])
    return 0;
  SplitFields(fields, rest, false, separator);
  // An empty root or key path would name a whole root key (a recursive "e"
  // would empty it), and an empty program, library or backup names nothing.
  bool keyed = kind == 'c' || kind == 'e' || kind == 'j';
  const char* name = Field(fields, keyed || kind == 'i' ? 1 : 0);
  while (keyed && *name == '\\')
    name++;
  if (!*Field(fields, 0) || !*name)
    return 0;
  const char* recursive = Field(fields, 2);
  if (kind == 'e' && recursive[0] && (recursive[1] || (recursive[0] != '0' && recursive[0] != '1')))
    return 0;
  return kind;
}

char NextLogEntry(StringList fields) {
  while (WalkEnd > EntryStart) {
    char* start = WalkEnd - 1;   // the zero that ended this line's line feed
    while (start > EntryStart && start[-1])
      start--;
    WalkEnd = start;
    char kind = ParseLogEntry(fields, start);
    if (kind)
      return kind;
  }
  return 0;
}

void FreeInstallLog() {
  FreeBlock(LogText);
  LogText = EntryStart = WalkEnd = 0;
  LogEntryCount = 0;
}
