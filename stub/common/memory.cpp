// The stub links no run-time library, but the compiler still emits calls of
// these for struct copies and initialisers. They stay outside the packed
// part of the image: the unpacker's inflater may call them before the rest
// of the program exists.
#include <windows.h>

#define UNPACKED __attribute__((section(".ztext"), optimize("no-tree-loop-distribute-patterns")))

extern "C" {

UNPACKED void* memmove(void* destination, const void* source, size_t length) {
  char* to = (char*)destination;
  const char* from = (const char*)source;
  if (to < from)
    for (size_t i = 0; i < length; i++) to[i] = from[i];
  else
    while (length--) to[length] = from[length];
  return destination;
}

UNPACKED void* memcpy(void* destination, const void* source, size_t length) {
  return memmove(destination, source, length);
}

UNPACKED void* memset(void* destination, int value, size_t length) {
  char* to = (char*)destination;
  while (length--)
    to[length] = (char)value;
  return destination;
}

UNPACKED int memcmp(const void* first, const void* second, size_t length) {
  const unsigned char* a = (const unsigned char*)first;
  const unsigned char* b = (const unsigned char*)second;
  for (; length--; a++, b++)
    if (*a != *b)
      return *a - *b;
  return 0;
}

}
