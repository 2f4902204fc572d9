// The string list: a growable array of owned heap strings whose slots may be
// null, built on the system's dynamic pointer array (COMCTL32, by ordinal).
// Every text stored is a copy; GetItem hands out the stored pointer itself.
#pragma once
#include <windows.h>

typedef struct PointerArray* StringList;   // the system's array handle; null = not created

typedef int(CALLBACK* PointerCompare)(void* first, void* second, LPARAM flags);

// The exports 320 to 340 in ordinal order: LoadListFunctions fills the
// members one after another, so their order must not change.
struct PointerArrayFunctions {
  FARPROC CreateStructArray, DestroyStructArray, GetStruct, GetStructPointer;   // 320..323
  FARPROC InsertStruct, SetStruct, DeleteStruct, DeleteAllStructs;              // 324..327
  StringList(WINAPI* Create)(int growth);                                       // 328
  BOOL(WINAPI* Destroy)(StringList array);                                      // 329
  FARPROC Grow, Clone;                                                          // 330, 331
  void*(WINAPI* GetPtr)(StringList array, INT_PTR index);                       // 332
  FARPROC GetPtrIndex;                                                          // 333
  int(WINAPI* InsertPtr)(StringList array, int index, void* pointer);           // 334
  BOOL(WINAPI* SetPtr)(StringList array, int index, void* pointer);             // 335
  void*(WINAPI* DeletePtr)(StringList array, int index);                        // 336
  BOOL(WINAPI* DeleteAllPtrs)(StringList array);                                // 337
  BOOL(WINAPI* Sort)(StringList array, PointerCompare compare, LPARAM flags);   // 338
  int(WINAPI* Search)(StringList array, void* key, int start, PointerCompare compare,
                      LPARAM flags, UINT options);                              // 339
  FARPROC CreateEx;                                                             // 340
};

extern PointerArrayFunctions PointerArray;

// COMCTL32.DLL from the system folder; every one of the 21 exports is
// required, and a failed load releases what it loaded.
bool LoadListFunctions();
void ReleaseListFunctions();

// Flags of SortList and FindItem.
const DWORD SortByText = 1;          // the low byte selects the sort key
const DWORD SortByLength = 2;
const DWORD MatchCase = 0x100;       // lstrcmpA instead of lstrcmpiA
const DWORD SortDescending = 0x200;

bool CreateList(StringList* list, int growth);
void DestroyList(StringList* list);             // frees every string; the handle becomes null
int Count(StringList list);
char* GetItem(StringList list, int index);      // null outside the list and for an empty slot
int AppendItem(StringList list, const char* text);              // index, or -1
bool SetItem(StringList list, int index, const char* text);     // extends the list past its end
bool DeleteItem(StringList list, int index);    // true when a string was removed
void ClearList(StringList list);                // the array stays
// Every non-null item of 0..lastIndex followed by a backslash, then name.
char* JoinItems(StringList list, int lastIndex, const char* name);
bool SortList(StringList list, DWORD flags);
int FindItem(StringList list, const char* key, int start, DWORD flags);   // index, or -1
// True when some item occurs in text (case-sensitive).
bool ContainsAnyItem(const char* text, StringList list);
