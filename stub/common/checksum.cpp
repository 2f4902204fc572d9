// The Adler-32 checksum for the inflater and the file check, in place of
// zlib's unrolled one: the same values from a tenth of the code. The sums are
// reduced every 5,552 bytes, the most that cannot overflow 32 bits.
#include "zlib.h"

extern "C" uLong adler32(uLong adler, const Bytef* buffer, uInt length) {
  if (!buffer) return 1;
  unsigned long low = adler & 0xFFFF, high = adler >> 16;
  while (length) {
    uInt block = length < 5552 ? length : 5552;
    length -= block;
    while (block--) {
      low += *buffer++;
      high += low;
    }
    low %= 65521;
    high %= 65521;
  }
  return low | high << 16;
}
