// The stub links no run-time library, but the compiler still emits calls of
// these for struct copies and initialisers.
#include "common/heap.h"

extern "C" {

void* memcpy(void* destination, const void* source, size_t length) {
  MoveBytes(destination, source, length);
  return destination;
}

void* memmove(void* destination, const void* source, size_t length) {
  MoveBytes(destination, source, length);
  return destination;
}

__attribute__((optimize("no-tree-loop-distribute-patterns")))
void* memset(void* destination, int value, size_t length) {
  char* to = (char*)destination;
  while (length--)
    to[length] = (char)value;
  return destination;
}

__attribute__((optimize("no-tree-loop-distribute-patterns")))
int memcmp(const void* first, const void* second, size_t length) {
  const unsigned char* a = (const unsigned char*)first;
  const unsigned char* b = (const unsigned char*)second;
  for (; length--; a++, b++)
    if (*a != *b)
      return *a - *b;
  return 0;
}

}
