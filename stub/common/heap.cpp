#include "common/heap.h"

HANDLE PrivateHeap;

void* AllocateBlock(DWORD size) {
  return HeapAlloc(PrivateHeap, HEAP_ZERO_MEMORY, size);
}

void FreeBlock(void* block) {
  // Callers hand back whatever a slot held; anything the heap does not
  // recognise is left alone rather than corrupting it.
  if (block && HeapValidate(PrivateHeap, 0, block))
    HeapFree(PrivateHeap, 0, block);
}

void* ResizeBlock(void* block, DWORD size) {
  if (!size) {
    FreeBlock(block);
    return 0;
  }
  if (!block)
    return AllocateBlock(size);
  return HeapReAlloc(PrivateHeap, HEAP_ZERO_MEMORY, block, size);
}

// Kept from becoming a call of strlen, which the stub does not have.
__attribute__((optimize("no-tree-loop-distribute-patterns")))
DWORD TextLength(const char* text) {
  DWORD length = 0;
  if (text)
    while (text[length])
      length++;
  return length;
}

static char* CopyBytes(const char* text, DWORD length, DWORD extra) {
  char* copy = (char*)AllocateBlock(length + extra + 1);
  if (copy)
    MoveBytes(copy, text, length);
  return copy;
}

char* DuplicateString(const char* text, DWORD extra) {
  return CopyBytes(text, TextLength(text), extra);
}

char* DuplicatePart(const char* text, DWORD length) {
  return CopyBytes(text, length, 0);
}

char* ConcatStrings(const char* a, const char* b, const char* c, const char* d, const char* e) {
  const char* parts[] = {a, b, c, d, e};
  DWORD length = 1;
  for (int i = 0; i < 5; i++)
    length += TextLength(parts[i]);
  char* result = (char*)AllocateBlock(length);
  for (int i = 0; result && i < 5; i++)
    if (parts[i])
      lstrcatA(result, parts[i]);
  return result;
}

// Built without loop pattern recognition: the compiler would otherwise turn
// the loops into calls of memmove, which in the stub is this very function.
__attribute__((optimize("no-tree-loop-distribute-patterns")))
void MoveBytes(void* destination, const void* source, DWORD length) {
  char* to = (char*)destination;
  const char* from = (const char*)source;
  if (to < from)
    while (length--)
      *to++ = *from++;
  else
    while (length--)
      to[length] = from[length];
}
