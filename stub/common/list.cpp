#include "common/list.h"
#include "common/heap.h"
#include "common/paths.h"
#include "common/text.h"

// The leading fields of the system's array, the same on every version.
struct PointerArray {
  int count;
  char** items;
};

PointerArrayFunctions PointerArray;
static HMODULE ListLibrary;

static_assert(sizeof(PointerArrayFunctions) == 21 * sizeof(FARPROC), "one member per ordinal");

bool LoadListFunctions() {
  ListLibrary = LoadSystemLibrary("COMCTL32.DLL");
  FARPROC* slot = (FARPROC*)&PointerArray;
  for (int ordinal = 320; ListLibrary && ordinal <= 340; ordinal++)
    if (!(*slot++ = GetProcAddress(ListLibrary, MAKEINTRESOURCEA(ordinal))))
      ReleaseListFunctions();
  return ListLibrary != 0;
}

void ReleaseListFunctions() {
  if (ListLibrary)
    FreeLibrary(ListLibrary);
  ListLibrary = 0;
  PointerArray = PointerArrayFunctions();
}

bool CreateList(StringList* list, int growth) {
  *list = PointerArray.Create(growth);
  return *list != 0;
}

void DestroyList(StringList* list) {
  if (*list) {
    ClearList(*list);
    PointerArray.Destroy(*list);
    *list = 0;
  }
}

int Count(StringList list) {
  return list ? list->count : 0;
}

char* GetItem(StringList list, int index) {
  return (unsigned)index < (unsigned)Count(list) ? list->items[index] : 0;
}

// A copy of text, or null for null; false only when the copy failed.
static bool CopyText(const char* text, char** copy) {
  *copy = text ? DuplicateString(text, 0) : 0;
  return *copy || !text;
}

int AppendItem(StringList list, const char* text) {
  char* copy;
  int index = -1;
  if (CopyText(text, &copy))
    index = PointerArray.InsertPtr(list, 0x7FFFFFFF, copy);
  if (index < 0)
    FreeBlock(copy);
  return index;
}

bool SetItem(StringList list, int index, const char* text) {
  char* copy;
  if (!CopyText(text, &copy))
    return false;
  // The old string goes only once the new one is in place, so a failed store
  // leaves the slot as it was (and an item may be set from itself).
  char* old = GetItem(list, index);
  if (!PointerArray.SetPtr(list, index, copy)) {
    FreeBlock(copy);
    return false;
  }
  FreeBlock(old);
  return true;
}

bool DeleteItem(StringList list, int index) {
  char* old = (char*)PointerArray.DeletePtr(list, index);
  FreeBlock(old);
  return old != 0;
}

void ClearList(StringList list) {
  for (int i = Count(list); i--;)
    FreeBlock(GetItem(list, i));
  if (list)
    PointerArray.DeleteAllPtrs(list);
}

char* JoinItems(StringList list, int lastIndex, const char* name) {
  DWORD length = TextLength(name) + 1;
  for (int i = 0; i <= lastIndex; i++)
    length += TextLength(GetItem(list, i)) + 1;
  char* path = (char*)AllocateBlock(length);
  for (int i = 0; path && i <= lastIndex; i++)
    if (GetItem(list, i)) {
      lstrcatA(path, GetItem(list, i));
      lstrcatA(path, "\\");
    }
  if (path && name)
    lstrcatA(path, name);
  return path;
}

// An empty slot compares as the empty text it stands for.
static const char* Text(void* item) {
  return item ? (const char*)item : "";
}

static int CALLBACK CompareItems(void* first, void* second, LPARAM flags) {
  return (flags & MatchCase ? lstrcmpA : lstrcmpiA)(Text(first), Text(second));
}

static int CALLBACK CompareForSort(void* first, void* second, LPARAM flags) {
  int result = (BYTE)flags == SortByText ? CompareItems(first, second, flags)
                                         : TextLength(Text(first)) - TextLength(Text(second));
  return flags & SortDescending ? -result : result;
}

bool SortList(StringList list, DWORD flags) {
  return PointerArray.Sort(list, CompareForSort, flags);
}

int FindItem(StringList list, const char* key, int start, DWORD flags) {
  return PointerArray.Search(list, (void*)Text((void*)key), start < 0 ? 0 : start, CompareItems, flags, 0);
}

bool ContainsAnyItem(const char* text, StringList list) {
  for (int i = 0; i < Count(list); i++)
    if (FindText(text, GetItem(list, i), -1, true))
      return true;
  return false;
}
