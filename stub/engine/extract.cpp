// The file phase of the install worker: the package's folder groups walked
// in the mapped own file, each folder created and each file written in place
// by its group's replace rule, or beside it for a restart when it is in use;
// and the folder-path creation that the later phases share.
#include "engine/worker.h"
#include "common/access.h"
#include "common/heap.h"
#include "common/message.h"
#include "common/paths.h"
#include "common/text.h"
#include "engine/backup.h"
#include "engine/delayed.h"
#include "engine/registry.h"
#include "engine/variables.h"
#include "package/package.h"
#include "script/model.h"
#include "startup/process.h"
#include "uninstall/log.h"
#include "wizard/dialogs.h"
#include <commctrl.h>

// The fixed part of a file entry after its name, depth and flags: the
// layout of WIN32_FIND_DATAA up to its two reserved words.
#pragma pack(push, 1)
struct FileFields {
  DWORD attributes;
  FILETIME created, accessed, written;
  DWORD sizeHigh, size;
  DWORD versionHigh, versionLow;
  DWORD storedSize;
};
#pragma pack(pop)

enum { FileEntryFlag = 1, CompressedFlag = 2 };
enum { AlwaysReplace, ReplaceNewer, ReplaceSameOrNewer, ReplaceOlder, NeverReplace };

struct Group {
  DWORD rule, basis, shared;
};

// One entry of a folder group, read in place from the mapped package.
struct Entry {
  const char* name;
  DWORD depth;
  BYTE flags;
  const FileFields* fields;   // null for a folder entry
  const BYTE* data;
  const BYTE* end;            // the byte after the entry
};

// False when the entry does not fit in what is left of its group.
static bool ReadEntry(const BYTE* cursor, const BYTE* limit, Entry* entry) {
  const BYTE* zero = cursor;
  while (zero < limit && *zero) zero++;
  if (limit - zero < 6) return false;
  entry->name = (const char*)cursor;
  entry->depth = *(const DWORD UNALIGNED*)(zero + 1);
  entry->flags = zero[5];
  entry->fields = 0;
  entry->data = 0;
  const BYTE* next = zero + 6;
  if (entry->flags & FileEntryFlag) {
    if ((DWORD)(limit - next) < sizeof(FileFields)) return false;
    entry->fields = (const FileFields*)next;
    next += sizeof(FileFields);
    if (entry->fields->storedSize > (DWORD)(limit - next)) return false;
    entry->data = next;
    next += entry->fields->storedSize;
  }
  entry->end = next;
  return true;
}

// A bare drive: a letter and a colon, nothing after.
static bool IsBareDrive(const char* path) {
  return TextLength(path) == 2 && path[1] == ':';
}

// The question for a folder that could not be created; true to go on. For
// access denied the message says whether the parent refuses new subfolders
// or cannot even be looked at.
static bool AskAboutFolder(HWND owner, const char* path, const char* failed, DWORD error) {
  if (error != ERROR_ACCESS_DENIED)
    return AskErrorQuestion(owner, 21, failed, SystemErrorText(error));
  char* parent = ParentPath(failed);
  bool allowed = true;
  bool refused = GetLastError() != ERROR_ACCESS_DENIED &&
                 !CheckAccess(SecurityToken, parent, FileObject, FILE_ADD_SUBDIRECTORY, &allowed) && !allowed;
  int index = (refused ? 35 : 36) + (IsBareDrive(parent) ? 2 : 0);
  bool goOn = AskErrorQuestion(owner, index, path, parent);
  FreeBlock(parent);
  return goOn;
}

// CreateDirectoryA with the outcomes that count as done folded to 0: the
// folder exists already, or access is denied on a folder that exists.
// Otherwise the error, with the last error left by the existence test.
// *made tells whether this call made the folder.
static DWORD CreateOneFolder(const char* path, bool* made) {
  if ((*made = CreateDirectoryA(path, 0))) return 0;
  DWORD error = GetLastError();
  if (error == ERROR_ALREADY_EXISTS || (error == ERROR_ACCESS_DENIED && PathExists(path))) return 0;
  return error;
}

DWORD CreateDirectoryPath(const char* path, HWND owner, bool* made) {
  if (!IsValidInstallPath(path))
    return AskErrorQuestion(owner, 21, path, SystemErrorText(ERROR_BAD_PATHNAME)) ? 0 : ERROR_BAD_PATHNAME;
  char* copy = DuplicateString(path, 0);
  if (!copy) return ERROR_NOT_ENOUGH_MEMORY;
  StripTrailingSlash(copy);
  // The root is never created: "X:\" or "\\server\share\".
  char* cursor = copy + 2;
  if (copy[1] != ':') {
    cursor = FindChar(copy + 2, '\\', -1, true);
    cursor = cursor ? FindChar(cursor + 1, '\\', -1, true) : 0;
    if (!cursor) cursor = copy + TextLength(copy);
  }
  if (*cursor == '\\') cursor++;
  DWORD error = 0;
  bool madeNow = false;
  if (*cursor) {
    for (char* slash; !error && (slash = FindChar(cursor, '\\', -1, true)); cursor = slash + 1) {
      *slash = 0;
      if ((error = CreateOneFolder(copy, &madeNow))) break;
      if (madeNow) RecordLogLine("a", copy, true, false);
      *slash = '\\';
    }
    if (!error && !(error = CreateOneFolder(copy, &madeNow))) RecordLogLine("a", copy, true, true);
    // The copy ends at the folder that failed.
    if (error && AskAboutFolder(owner, path, copy, error)) error = 0;
  }
  if (made) *made = !error && madeNow;
  FreeBlock(copy);
  return error;
}

// Whether the test of a replace rule passes for a comparison result of the
// packaged against the existing value (below, equal or above 0).
static bool RulePasses(DWORD rule, int comparison) {
  if (rule == ReplaceNewer) return comparison > 0;
  if (rule == ReplaceSameOrNewer) return comparison >= 0;
  return comparison < 0;
}

static int CompareVersions(DWORD high, DWORD low, DWORD existingHigh, DWORD existingLow) {
  if (high != existingHigh) return high > existingHigh ? 1 : -1;
  if (low != existingLow) return low > existingLow ? 1 : -1;
  return 0;
}

static bool ShouldReplace(const Group& group, const FileFields& fields, const char* path,
                          const FILETIME& existingWritten) {
  if (group.rule == AlwaysReplace || group.rule > NeverReplace) return true;
  if (group.rule == NeverReplace) return false;
  bool timePasses = RulePasses(group.rule, CompareFileTime(&fields.written, &existingWritten));
  if (group.basis == 0) return timePasses;
  if (group.basis > 2) return true;
  DWORD high, low;
  if (!GetFileVersion(path, &high, &low)) return group.basis == 1 || timePasses;
  bool versionPasses = RulePasses(group.rule, CompareVersions(fields.versionHigh, fields.versionLow, high, low));
  return group.basis == 1 ? versionPasses : versionPasses && timePasses;
}

// Why a target could not be created, asked of the user; true to skip the
// file and go on.
static bool AskAboutCreate(HWND owner, const char* path, bool existed, DWORD error) {
  InstallSucceeded = false;
  char* folder = existed ? 0 : ParentPath(path);
  bool allowed = true;
  if (error == ERROR_ACCESS_DENIED &&
      !(existed ? CheckAccess(SecurityToken, path, FileObject, GENERIC_WRITE, &allowed)
                : CheckAccess(SecurityToken, folder, FileObject, FILE_ADD_FILE, &allowed)) &&
      !allowed) {
    bool goOn = AskErrorQuestion(owner, existed ? 2 : 8, path, folder);
    FreeBlock(folder);
    return goOn;
  }
  FreeBlock(folder);
  return AskErrorQuestion(owner, existed ? 5 : 11, path, SystemErrorText(error));
}

// Writes the contents, asking again while the disk is full; 0, or the
// error of a write the user chose to skip (ERROR_CANCELLED to stop).
static DWORD WriteWhole(HANDLE file, const BYTE* contents, DWORD length, const char* path, HWND owner) {
  for (;;) {
    DWORD written;
    BOOL ok = WriteFile(file, contents, length, &written, 0);
    if (ok && written == length) return 0;
    DWORD error = ok ? ERROR_DISK_FULL : GetLastError();
    InstallSucceeded = false;
    if (error == ERROR_HANDLE_DISK_FULL || error == ERROR_DISK_FULL) {
      if (ShowFormattedMessage(owner, Model.caption, LookupText(ErrorsGroup, 14), path, 0, 0,
                               MB_OKCANCEL | MB_ICONERROR) != IDOK)
        return ERROR_CANCELLED;
      SetFilePointer(file, 0, 0, FILE_BEGIN);
      continue;
    }
    return AskErrorQuestion(owner, 15, path, SystemErrorText(error)) ? error : ERROR_CANCELLED;
  }
}

// The temporary file that takes an in-use target's place at the next restart.
static HANDLE CreatePendingFile(char* name) {
  if (!GetTempFileNameA(TemporaryFolder, "KVZ", 0, name)) return INVALID_HANDLE_VALUE;
  return CreateFileA(name, GENERIC_WRITE, FILE_SHARE_READ, 0, CREATE_ALWAYS,
                     FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_TEMPORARY, 0);
}

// One block for every file's expanded contents, grown to the largest: a
// block per file would map and unmap fresh memory for each large one.
static BYTE* Expanded;
static DWORD ExpandedSize;

static BYTE* ExpansionBlock(DWORD length) {
  if (length > ExpandedSize) {
    FreeBlock(Expanded);
    Expanded = (BYTE*)AllocateBlock(length);
    ExpandedSize = Expanded ? length : 0;
  }
  return Expanded;
}

// One file entry; false when the run must stop. In a folder this run has
// made, nothing can be there before the file: the look for an earlier one is
// left out (a look for a missing name reads the whole folder under Wine).
static bool InstallFile(const Entry& entry, const char* path, const Group& group, bool inNewFolder, HWND owner,
                        HWND progressBar, DWORD progressTotal) {
  const FileFields& fields = *entry.fields;
  WIN32_FIND_DATAA existing;
  // Most targets do not exist yet: asking for attributes tells so without
  // opening the folder for a search.
  HANDLE search = inNewFolder || GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES
                      ? INVALID_HANDLE_VALUE
                      : FindFirstFileA(path, &existing);
  bool existed = search != INVALID_HANDLE_VALUE;
  if (existed) {
    FindClose(search);
    if (!ShouldReplace(group, fields, path, existing.ftLastWriteTime)) return true;
  }
  ShowCurrentItem(path);
  // The file there is moved aside until the run has succeeded, so that a
  // rollback brings it back as it was. One that cannot be moved (in use, or
  // a folder of that name) meets the create below as it is.
  const char* backup = existed && !(existing.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? BackUpFile(path, false) : 0;
  DWORD kept = 0;
  if (existed && !backup) {
    kept = existing.dwFileAttributes & ~FILE_ATTRIBUTE_READONLY;
    if (existing.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
      SetFileAttributesA(path, kept ? kept : FILE_ATTRIBUTE_NORMAL);
  }
  char pending[MAX_PATH];
  bool inUse = false;
  HANDLE file;
  // Creating over a hidden or system file fails unless the same attributes
  // are asked for; the packaged ones are set once the file is written.
  while ((file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, 0, CREATE_ALWAYS,
                             FILE_FLAG_SEQUENTIAL_SCAN | (kept & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)),
                             0)) == INVALID_HANDLE_VALUE) {
    DWORD error = GetLastError();
    if (error != ERROR_SHARING_VIOLATION && error != ERROR_LOCK_VIOLATION) {
      if (backup) RestoreBackup(path, backup);
      return AskAboutCreate(owner, path, existed, error);
    }
    if (!group.shared && ShowFormattedMessage(owner, Model.caption, LookupText(MessagesGroup, 6), path, 0, 0,
                                              MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
      continue;
    inUse = true;
    pending[0] = 0;
    if ((file = CreatePendingFile(pending)) != INVALID_HANDLE_VALUE) break;
    error = GetLastError();
    InstallSucceeded = false;
    DeleteFileA(pending);
    return AskErrorQuestion(owner, 13, path, SystemErrorText(error));
  }

  const BYTE* contents = entry.data;
  DWORD length = fields.storedSize;
  DWORD error = 0;
  if (entry.flags & CompressedFlag) {
    // A stream that stops early leaves the rest zero: the file still gets
    // its full size.
    if ((length = fields.size)) {
      BYTE* expanded = ExpansionBlock(length);
      if (!(contents = expanded)) {
        error = ERROR_NOT_ENOUGH_MEMORY;
      } else {
        int produced = InflateBuffer(entry.data, (int)fields.storedSize, expanded, length, progressBar, progressTotal);
        if (produced < 0) produced = 0;
        ZeroMemory(expanded + produced, length - produced);
      }
    }
  }
  if (error) {
    InstallSucceeded = false;
    error = AskErrorQuestion(owner, 15, path, SystemErrorText(error)) ? error : ERROR_CANCELLED;
  } else {
    error = WriteWhole(file, contents, length, path, owner);
  }
  const char* written = inUse ? pending : path;
  if (error) {
    CloseHandle(file);
    if (inUse || !existed) DeleteFileA(written);
    else if (backup) RestoreBackup(path, backup);
    return error != ERROR_CANCELLED;
  }
  SetFileTime(file, &fields.created, &fields.accessed, &fields.written);
  CloseHandle(file);
  // A file made anew has the archive attribute alone, which is what most
  // entries carry: setting it again would cost a call to the system per file.
  bool madeAnew = !inUse && (backup || !existed);
  if (!madeAnew || fields.attributes != FILE_ATTRIBUTE_ARCHIVE)
    SetFileAttributesA(written, fields.attributes ? fields.attributes : FILE_ATTRIBUTE_NORMAL);
  if (inUse) {
    AppendItem(PendingReplacements, pending);
    AppendItem(PendingTargets, path);
    AppendItem(PendingShared, group.shared ? "1" : "0");
    // For the uninstaller alone: a rollback leaves the file that is there.
    RecordLogLine(group.shared ? "g" : "b", path, false, false);
  } else if (group.shared) {
    CountSharedFile(path);
  } else {
    // An overwritten file reaches only the final log: a rollback puts the
    // earlier one back from its backup, an uninstall removes it.
    RecordLogLine("b", path, !existed, false);
  }
  return true;
}

// One folder entry; false when the run must stop.
static bool InstallFolder(const char* path, HWND owner, bool* made) {
  ShowCurrentItem(path);
  DWORD error = CreateOneFolder(path, made);
  if (error) {
    InstallSucceeded = false;
    if (!AskAboutFolder(owner, path, path, error)) return false;
  }
  RecordLogLine("a", path, true, true);
  return true;
}

bool ExtractFolderGroups(const BYTE* package, DWORD packageSize, HWND owner, HWND progressBar, bool* quitSeen) {
  const PackageHeader* header = (const PackageHeader*)package;
  if (packageSize < sizeof(PackageHeader)) return false;
  DWORD first = header->firstGroupOffset, end = header->scriptOffset;
  if (end > packageSize || first > end) return false;
  StringList stack = 0;
  if (!CreateList(&stack, 8)) return false;
  bool goOn = true, intact = true;
  for (DWORD offset = first; goOn && offset < end;) {
    if (WaitAtCheckpoint(quitSeen)) {
      goOn = false;
      break;
    }
    const BYTE* group = package + offset;
    DWORD next = end - offset > 20 ? *(const DWORD UNALIGNED*)group : 0;
    const BYTE* limit = package + next;
    const BYTE* folderEnd = group + 20;
    while (folderEnd < limit && *folderEnd) folderEnd++;
    if (next <= offset || next > end || folderEnd >= limit) {
      intact = goOn = false;
      break;
    }
    Group rules = {((const DWORD UNALIGNED*)group)[1], ((const DWORD UNALIGNED*)group)[2],
                   ((const DWORD UNALIGNED*)group)[3]};
    char* variables = ExpandVariables((const char*)group + 20);
    char* folder = ExpandFolderKeywords(variables);
    FreeBlock(variables);
    StripTrailingSlash(folder);
    ClearList(stack);
    AppendItem(stack, folder);
    ShowCurrentItem(folder);
    bool made = false;
    if (CreateDirectoryPath(folder, owner, &made)) {
      InstallSucceeded = false;
      goOn = false;
    }
    FreeBlock(folder);
    // Bit n: the folder at stack level n was made by this run (levels past
    // 31 count as found).
    DWORD newFolders = made;
    for (const BYTE* cursor = folderEnd + 1; goOn && cursor < limit;) {
      if (WaitAtCheckpoint(quitSeen)) {
        goOn = false;
        break;
      }
      MoveProgress(progressBar, ProgressPercent((DWORD)(cursor - package) - first, end - first));
      Entry entry;
      if (!ReadEntry(cursor, limit, &entry) || entry.depth >= (DWORD)Count(stack)) {
        intact = goOn = false;
        break;
      }
      char* path = JoinItems(stack, entry.depth, entry.name);
      if (entry.fields) {
        bool inNewFolder = entry.depth < 32 && newFolders >> entry.depth & 1;
        goOn = InstallFile(entry, path, rules, inNewFolder, owner, progressBar, end - first);
      } else {
        if ((goOn = InstallFolder(path, owner, &made))) SetItem(stack, entry.depth + 1, entry.name);
        DWORD level = entry.depth + 1 < 32 ? 1u << (entry.depth + 1) : 0;
        newFolders = made ? newFolders | level : newFolders & ~level;
      }
      FreeBlock(path);
      cursor = entry.end;
    }
    offset = next;
  }
  DestroyList(&stack);
  FreeBlock(Expanded);
  Expanded = 0;
  ExpandedSize = 0;
  if (!intact) ShowFormattedMessage(owner, Model.caption, LookupText(ErrorsGroup, 16), ModulePath, 0, 0, MB_ICONERROR);
  return goOn;
}
