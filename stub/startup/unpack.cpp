// The entry point of the image. The shipped stub is stored packed: after
// linking, its code, data, dialog templates and the names of most of the
// system functions it calls become one deflate stream, and their sections
// keep only their place in memory. Here, before anything else runs, the
// stream is expanded into spare memory behind the image, its parts are
// copied into their places and the system functions are looked up into the
// program's import slots. An image that was never packed (the test build)
// goes straight on.
//
// Everything here lies in the unpacked head of the code section (.init),
// so it may use nothing of the rest of the program: no other function, no
// constant outside this file's own block below, no memory but the stack.
#include <windows.h>

extern "C" void __stdcall start();
extern "C" IMAGE_DOS_HEADER __ImageBase;

#define UNPACKED_CODE __attribute__((section(".init"), optimize("no-tree-loop-distribute-patterns")))

// Filled in by the packer, which finds it by its signature.
struct UnpackPlan {
  char signature[16];
  DWORD stream, streamSize;   // image offset and length of the packed stream
  DWORD scratch;              // image offset of the space it is expanded into
  DWORD expandedSize;         // the parts and the list of functions behind them
  DWORD rangeCount;
  struct {
    DWORD address, size;      // image offset and length of one packed part
  } ranges[4];
  // The loader fills the few import slots that the unpacker itself needs in
  // a table of their own; they are copied to the program's slots first.
  DWORD slotCount;
  struct {
    DWORD from, to;
  } slots[12];
};

// The unpacker's constants share its section with its code, which the
// compiler does not allow for C++ objects; they are laid down here instead.
asm(".section .init,\"x\"\n"
    ".balign 4\n"
    "corvel_unpack_plan: .asciz \"Corvel-unpack-2\"\n"
    ".space 152\n"
    // Room for the system's import table of the packed image: the loader
    // reads it from here, a part that the unpacker never overwrites.
    "corvel_import_room: .ascii \"Corvel-imports-2\"\n"
    ".long 560\n"        // the room's length, these 20 bytes included
    ".space 540\n"
    "corvel_damaged_text: .asciz \"The installer file is damaged!\"\n"
    "corvel_missing_text: .asciz \"A system function that the installer needs is missing: \"\n"
    "corvel_caption: .asciz \"Corvelsetup\"\n"
    // The order in which a dynamic block sends its code-length code lengths.
    "corvel_length_order: .byte 16,17,18,0,8,7,9,6,10,5,11,4,12,3,13,2,14,1,15\n"
    ".text\n");
extern "C" const volatile UnpackPlan Plan asm("corvel_unpack_plan");
extern "C" const char DamagedText[] asm("corvel_damaged_text");
extern "C" const char MissingText[] asm("corvel_missing_text");
extern "C" const char UnpackCaption[] asm("corvel_caption");
extern "C" const BYTE LengthOrder[19] asm("corvel_length_order");

// A damaged stream is a damaged installer; the usual message is all there is
// to say (the rest of the program is not there yet to say it). The exit code
// is the one of a damaged installer (3), or of a system that lacks what it
// needs (2).
UNPACKED_CODE static void ReportAndExit(const char* text, UINT exitCode) {
  MessageBoxA(0, text, UnpackCaption, MB_ICONERROR);
  ExitProcess(exitCode);
}

// ---- the inflater -----------------------------------------------------------
// A small, slow decoder of raw deflate data (the stream is 30 KB; speed does
// not matter here, size does). Every read and write is bounded: a damaged
// stream ends in Broken, never outside its buffers.

struct Huffman {
  WORD counts[16];     // number of codes of each length
  WORD symbols[288];   // symbols ordered by code
};

struct Inflater {
  const BYTE* in;
  const BYTE* inEnd;
  BYTE* out;
  BYTE* outStart;
  BYTE* outEnd;
  DWORD bits;
  int bitCount;
  bool broken;
};

UNPACKED_CODE static unsigned TakeBits(Inflater* s, int count) {
  while (s->bitCount < count) {
    if (s->in < s->inEnd) s->bits |= (DWORD)*s->in++ << s->bitCount;
    else s->broken = true;
    s->bitCount += 8;
  }
  unsigned value = s->bits & ((1u << count) - 1);
  s->bits >>= count;
  s->bitCount -= count;
  return value;
}

UNPACKED_CODE static void BuildHuffman(Huffman* h, const BYTE* lengths, int count) {
  WORD offsets[16];
  for (int i = 0; i < 16; i++) h->counts[i] = 0;
  for (int i = 0; i < count; i++) h->counts[lengths[i]]++;
  h->counts[0] = 0;
  offsets[1] = 0;
  for (int i = 1; i < 15; i++) offsets[i + 1] = offsets[i] + h->counts[i];
  for (int i = 0; i < count; i++)
    if (lengths[i]) h->symbols[offsets[lengths[i]]++] = (WORD)i;
}

// Codes are read bit by bit against the canonical code of each length. The
// lengths of a damaged stream may describe more codes than there are; the
// unsigned comparison keeps every look-up inside the symbols read.
UNPACKED_CODE static int DecodeSymbol(Inflater* s, const Huffman* h) {
  int code = 0, first = 0, index = 0;
  for (int length = 1; length < 16; length++) {
    code |= TakeBits(s, 1);
    int count = h->counts[length];
    if ((unsigned)(code - first) < (unsigned)count) return h->symbols[index + code - first];
    index += count;
    first = (first + count) << 1;
    code <<= 1;
  }
  s->broken = true;
  return 0;
}

UNPACKED_CODE static void PutByte(Inflater* s, unsigned value) {
  if (s->out < s->outEnd) *s->out++ = (BYTE)value;
  else s->broken = true;
}

// The base of a length or distance code: the first few codes stand for
// themselves, then every `group` codes the number of extra bits grows by one.
UNPACKED_CODE static unsigned CodeBase(unsigned code, int group, unsigned* extra) {
  unsigned direct = 2 * group;
  if (code < direct) {
    *extra = 0;
    return code;
  }
  unsigned shift = code / group - 1;
  *extra = shift;
  return (group + code % group) << shift;
}

UNPACKED_CODE static void InflateCodes(Inflater* s, const Huffman* literals, const Huffman* distances) {
  while (!s->broken) {
    unsigned symbol = DecodeSymbol(s, literals);
    if (symbol < 256) {
      PutByte(s, symbol);
      continue;
    }
    if (symbol == 256) return;
    unsigned extra, length;
    symbol -= 257;
    if (symbol >= 29) break;
    if (symbol == 28) length = 258;
    else length = CodeBase(symbol, 4, &extra) + 3 + TakeBits(s, extra);
    unsigned code = DecodeSymbol(s, distances);
    if (code >= 30) break;
    unsigned distance = CodeBase(code, 2, &extra) + 1 + TakeBits(s, extra);
    if (distance > (unsigned)(s->out - s->outStart)) break;
    while (length--) PutByte(s, s->out[-(int)distance]);
  }
  s->broken = true;
}

UNPACKED_CODE static void InflateBlocks(Inflater* s) {
  Huffman literals, distances;
  BYTE lengths[288 + 32];
  bool last;
  do {
    last = TakeBits(s, 1);
    unsigned type = TakeBits(s, 2);
    if (type == 0) {
      s->bits = 0;   // the rest of the current byte
      s->bitCount = 0;
      unsigned length = TakeBits(s, 16);
      if (length != (~TakeBits(s, 16) & 0xFFFF)) s->broken = true;
      while (length-- && !s->broken) PutByte(s, TakeBits(s, 8));
      continue;
    }
    if (type == 3) {
      s->broken = true;
      break;
    }
    unsigned literalCount = 288, distanceCount = 30;
    if (type == 1) {
      for (int i = 0; i < 288; i++) lengths[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
      for (int i = 0; i < 30; i++) lengths[288 + i] = 5;
    } else {
      literalCount = TakeBits(s, 5) + 257;
      distanceCount = TakeBits(s, 5) + 1;
      unsigned codeCount = TakeBits(s, 4) + 4;
      for (int i = 0; i < 19; i++) lengths[i] = 0;
      for (unsigned i = 0; i < codeCount; i++) lengths[LengthOrder[i]] = (BYTE)TakeBits(s, 3);
      BuildHuffman(&literals, lengths, 19);
      unsigned total = literalCount + distanceCount;
      for (unsigned i = 0; i < total && !s->broken;) {
        unsigned symbol = DecodeSymbol(s, &literals);
        if (symbol < 16) {
          lengths[i++] = (BYTE)symbol;
          continue;
        }
        unsigned repeat, value = 0;
        if (symbol == 16) {
          if (!i) s->broken = true;
          else value = lengths[i - 1];
          repeat = 3 + TakeBits(s, 2);
        } else if (symbol == 17) {
          repeat = 3 + TakeBits(s, 3);
        } else {
          repeat = 11 + TakeBits(s, 7);
        }
        if (i + repeat > total) s->broken = true;
        else
          while (repeat--) lengths[i++] = (BYTE)value;
      }
      // A broken list leaves lengths unset: no table is built from them.
      if (s->broken) break;
      // Move the distance lengths to where the fixed layout has them.
      for (unsigned i = distanceCount; i--;) lengths[288 + i] = lengths[literalCount + i];
    }
    BuildHuffman(&literals, lengths, literalCount);
    BuildHuffman(&distances, lengths + 288, distanceCount);
    InflateCodes(s, &literals, &distances);
  } while (!last && !s->broken);
}

// ---- the system functions ----------------------------------------------------
// The list behind the packed parts: per library, the image offset of its
// first slot, its name and the names of its functions in slot order, ended
// by an empty name; an offset of 0 ends the list. Every library on it is
// loaded already (the system's own import table names at least one of its
// functions), so that it is found by name without a search.

UNPACKED_CODE static void ReportMissing(const char* library, const char* function) {
  char text[200];
  char* to = text;
  const char* parts[3] = {MissingText, library, function};
  for (int part = 0; part < 3; part++) {
    for (const char* from = parts[part]; *from && to < text + sizeof text - 2;) *to++ = *from++;
    if (part == 1) *to++ = '!';
  }
  *to = 0;
  ReportAndExit(text, 2);
}

UNPACKED_CODE static void ResolveImports(BYTE* image, const BYTE* list) {
  for (;;) {
    DWORD slot = *(const DWORD*)list;
    if (!slot) return;
    const char* library = (const char*)list + 4;
    HMODULE module = GetModuleHandleA(library);
    const char* name = library;
    while (*name++) {}
    for (FARPROC* slots = (FARPROC*)(image + slot); *name; slots++) {
      FARPROC function = module ? GetProcAddress(module, name) : 0;
      if (!function) ReportMissing(library, name);
      *slots = function;
      while (*name++) {}
    }
    list = (const BYTE*)name + 1;
  }
}

extern "C" UNPACKED_CODE void __stdcall unpack() {
  if (Plan.streamSize) {
    BYTE* image = (BYTE*)&__ImageBase;
    for (DWORD i = 0; i < Plan.slotCount; i++)
      *(DWORD*)(image + Plan.slots[i].to) = *(DWORD*)(image + Plan.slots[i].from);
    Inflater s;
    s.in = image + Plan.stream;
    s.inEnd = s.in + Plan.streamSize;
    s.out = s.outStart = image + Plan.scratch;
    s.outEnd = s.outStart + Plan.expandedSize;
    s.bits = 0;
    s.bitCount = 0;
    s.broken = false;
    InflateBlocks(&s);
    // The space behind holds four more bytes: the list ends, whatever a
    // damaged stream held.
    for (int i = 0; i < 4; i++) s.outEnd[i] = 0;
    if (s.broken || s.out != s.outEnd) ReportAndExit(DamagedText, 3);
    // The stream lies where the data goes, zero-filled data included.
    for (BYTE *at = image + Plan.stream, *end = at + Plan.streamSize; at < end;) *at++ = 0;
    const BYTE* from = s.outStart;
    for (DWORD i = 0; i < Plan.rangeCount; i++)
      for (BYTE *to = image + Plan.ranges[i].address, *end = to + Plan.ranges[i].size; to < end;) *to++ = *from++;
    ResolveImports(image, from);
  }
  start();
}
