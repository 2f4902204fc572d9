#pragma once
// The install log: the install worker records every change it makes, line by
// line, and the uninstaller reads the lines back and undoes them last first.
//
// A path may hold a comma, and the log has no escape for it. The second
// character of an entry line is its field separator: a comma, or
// FieldSeparator when one of the entry's fields holds a comma; the path-only
// kinds "a", "b", "g" and "h" take the whole rest of their line as the path.
// A "c", "d", "e", "f", "i" or "j" entry with more separators than its
// fields allow, or an "e" entry whose recursive flag is not "", "0" or "1",
// is passed over when the log is read.
//
// Two kinds undo an overwrite: "i" (target, backup) puts a file that was
// moved aside back in its place, "j" (root, key, value name, type, data in
// hexadecimal) gives a value its earlier type and data.
// A font face longer than 31 characters stands for the default face.
#include <windows.h>
#include "common/list.h"

extern HANDLE LogFile;        // the open temporary log, or INVALID_HANDLE_VALUE
extern StringList LogLines;   // every distinct recorded line with its line feed

extern const char LogBanner[];   // "=== Corvelsetup log file ==="
extern const char DefaultFace[];  // "MS Sans Serif"

// Records "kind,path\n" (or "kind\n" for a null path) in the line list and,
// with writeNow, in the temporary log. With checkCache a path that is one of
// the folder cache's folders is not recorded; a line already recorded in any
// letter case is not recorded again.
void RecordLogLine(const char* kind, const char* path, bool writeNow, bool checkCache);
const char FieldSeparator = '\x1F';
// Records an entry of count fields, joined by its separator. keep puts it in
// the line list (the final log) as RecordLogLine does; writeNow writes it to
// the temporary log.
void RecordLogEntry(char kind, int count, const char* const* fields, bool writeNow, bool keep);

// Creates the temporary log in the temporary folder and records the banner,
// the two names and the appearance line of the setup model. Returns the
// file's path (the caller's), or null when the file could not be created.
char* StartTemporaryLog();
// The path of the temporary log last started, kept for the rollback, which
// deletes the log and frees the path.
extern char* TemporaryLogPath;
// Adds the entries of the log of the installation that this run replaces
// (its text) to the line list, ahead of this run's: the uninstaller then
// removes what either installed, the earlier last. They are not for the
// rollback: a line that this run records again still reaches the temporary log.
// The text's lines are cut in place while it is read, and mended again.
void KeepEarlierEntries(char* text);

// Whether the entry (kind and path) came from the earlier log, as kept above.
bool HeldByEarlierLog(const char* kind, const char* path);

// Closes the temporary log. After success it is deleted and, when finalPath
// is given, the final log is written there from the line list; after a
// failure it stays for the rollback.
void EndLog(const char* temporaryPath, const char* finalPath, bool succeeded);
// The final log's path for an uninstaller: its extension replaced by ".log".
char* FinalLogPath(const char* uninstallerPath);
// Frees the line list; the temporary log must have ended.
void FreeLogLines();

// The whole file as a heap string (the caller's), or null when it cannot be read.
char* ReadLogText(const char* path);
// Reads a log whole into the setup model's names and appearance values and
// keeps its entries for NextLogEntry. False, with nothing changed, when the
// file cannot be read or its banner or one of its three header lines after
// it is missing. fields is the calling thread's field list.
bool ReadInstallLog(const char* path, StringList fields);
extern int LogEntryCount;     // complete entry lines of the log read
// The entries from the last line to the first: fills fields and returns the
// kind letter; 0 when no entry is left. Entries that must not be acted on are
// passed over.
char NextLogEntry(StringList fields);
// The kind letter of one entry line (no line feed) with its fields, or 0
// when the entry must not be acted on.
char ParseLogEntry(StringList fields, const char* line);
void FreeInstallLog();
