// The entry point of the image. The shipped stub is stored packed: after
// linking, its code and data are compressed into one stream and their
// sections keep only their place in memory. Here, before anything else
// runs, the stream is expanded back into those places with the inflater,
// which lives in the unpacked part together with this routine. An image
// that was never packed (the test build) goes straight on.
#include <windows.h>
#include "zlib.h"

extern "C" void __stdcall start();

#define UNPACKED_CODE __attribute__((section(".ztext")))
#define UNPACKED_DATA __attribute__((section(".zdata")))

// Filled in by the packer, which finds it by its signature.
struct UnpackPlan {
  char signature[16];
  DWORD stream, streamSize;   // image offset and length of the packed stream
  DWORD rangeCount;
  struct {
    DWORD address, size;      // image offset and length of one packed part
  } ranges[6];
};
__attribute__((section(".zdata"), used)) volatile UnpackPlan Plan = {"Corvel-unpack-1", 0, 0, 0, {}};

// A damaged stream is a damaged installer; the usual message is all there is
// to say (the rest of the program is not there yet to say it).
UNPACKED_DATA static char DamagedText[] = "The installer file is damaged!";
UNPACKED_DATA static char DamagedCaption[] = "Corvelsetup";
// Every constant the unpacker reads must lie outside the packed part.
UNPACKED_DATA static char InflaterVersion[] = "1.1.3";

UNPACKED_CODE static void ReportDamage() {
  MessageBoxA(0, DamagedText, DamagedCaption, MB_ICONERROR);
  ExitProcess(0);
}

UNPACKED_CODE static voidpf AllocateForUnpack(voidpf, uInt items, uInt size) {
  return HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, items * size);
}
UNPACKED_CODE static void FreeForUnpack(voidpf, voidpf block) { HeapFree(GetProcessHeap(), 0, block); }

extern "C" UNPACKED_CODE void __stdcall unpack() {
  if (Plan.streamSize) {
    BYTE* image = (BYTE*)GetModuleHandleA(0);
    z_stream stream;
    stream.zalloc = AllocateForUnpack;
    stream.zfree = FreeForUnpack;
    stream.opaque = 0;
    stream.next_in = image + Plan.stream;
    stream.avail_in = Plan.streamSize;
    if (inflateInit_(&stream, InflaterVersion, sizeof(stream)) != Z_OK) ReportDamage();
    for (DWORD i = 0; i < Plan.rangeCount; i++) {
      stream.next_out = image + Plan.ranges[i].address;
      stream.avail_out = Plan.ranges[i].size;
      int result = inflate(&stream, Z_SYNC_FLUSH);
      if (stream.avail_out || (result != Z_OK && result != Z_STREAM_END)) ReportDamage();
    }
    inflateEnd(&stream);
  }
  start();
}
