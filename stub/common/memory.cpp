// The stub links no run-time library, but the compiler still emits calls of
// these for struct copies and initialisers. Their loops must not be turned
// back into calls of themselves.
#include <windows.h>

#define PLAIN_LOOPS __attribute__((optimize("no-tree-loop-distribute-patterns")))

extern "C" {

PLAIN_LOOPS void* memmove(void* destination, const void* source, size_t length) {
  char* to = (char*)destination;
  const char* from = (const char*)source;
  if (to < from)
    for (size_t i = 0; i < length; i++) to[i] = from[i];
  else
    while (length--) to[length] = from[length];
  return destination;
}

// The inflater's window copies come here, a whole installation's worth of
// bytes: the string instruction moves them far faster than a byte loop.
void* memcpy(void* destination, const void* source, size_t length) {
  void* to = destination;
  __asm__ volatile("rep movsb" : "+D"(to), "+S"(source), "+c"(length) : : "memory");
  return destination;
}

PLAIN_LOOPS void* memset(void* destination, int value, size_t length) {
  char* to = (char*)destination;
  while (length--)
    to[length] = (char)value;
  return destination;
}

PLAIN_LOOPS int memcmp(const void* first, const void* second, size_t length) {
  const unsigned char* a = (const unsigned char*)first;
  const unsigned char* b = (const unsigned char*)second;
  for (; length--; a++, b++)
    if (*a != *b)
      return *a - *b;
  return 0;
}

}
