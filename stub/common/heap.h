// Heap strings and blocks on the process's one private heap.
// Every block is zero-filled; whoever receives a new block or string owns it
// and gives it back with FreeBlock.
#pragma once
#include <windows.h>

extern HANDLE PrivateHeap;   // created by start-up step 0, destroyed last

void* AllocateBlock(DWORD size);                 // null on failure
void FreeBlock(void* block);                     // ignores null and blocks the heap does not know
void* ResizeBlock(void* block, DWORD size);      // size 0 frees; null block allocates; new bytes are zero

// The length of text, 0 for null. The system's lstrlenA also takes null, but
// only through an exception handler, which an emulated run may not deliver.
DWORD TextLength(const char* text);
// A copy of text with room for extra more bytes after it; null text copies "".
char* DuplicateString(const char* text, DWORD extra);
// A copy of the first length bytes of text.
char* DuplicatePart(const char* text, DWORD length);
// The non-null texts joined in order.
char* ConcatStrings(const char* a, const char* b = 0, const char* c = 0, const char* d = 0, const char* e = 0);
// Copies between areas that may overlap.
void MoveBytes(void* destination, const void* source, DWORD length);
