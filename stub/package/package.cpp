#include "package/package.h"
#include "common/heap.h"
#include "common/message.h"
#include "script/model.h"
#include "zlib.h"
#include <commctrl.h>

static voidpf AllocateForInflater(voidpf, uInt items, uInt size) {
  return AllocateBlock(items * size);
}
static void FreeForInflater(voidpf, voidpf block) { FreeBlock(block); }

static DWORD ProgressShown = (DWORD)-1;

void MoveProgress(HWND progressBar, DWORD position) {
  if (progressBar && position != ProgressShown) {
    SendMessageA(progressBar, PBM_SETPOS, position, 0);
    ProgressShown = position;
  }
}

void ForgetProgress() {
  ProgressShown = (DWORD)-1;
}

DWORD ProgressPercent(DWORD done, DWORD total) {
  // In floating point: the quotient of two exact values truncates to the
  // same integer as the exact one.
  return (DWORD)(int)(done * 100.0 / total);
}

int InflateBuffer(const BYTE* input, int inputLength, BYTE* output, DWORD outputCapacity,
                  HWND progressBar, DWORD progressTotal) {
  z_stream stream;
  ZeroMemory(&stream, sizeof(stream));
  stream.next_out = output;
  stream.avail_out = outputCapacity;
  stream.zalloc = AllocateForInflater;
  stream.zfree = FreeForInflater;
  if (inflateInit_(&stream, "1.1.3", sizeof(stream)) != Z_OK) return -1;
  // The streams have no trailer, so their Adler-32 is never compared: not
  // computing it spares a pass over every byte produced.
  inflateValidate(&stream, 0);

  // The bar shows what the worker last gave it.
  DWORD base = progressBar && ProgressShown != (DWORD)-1 ? ProgressShown : 0;
  int remaining = inputLength;
  DWORD consumed = 0;
  while (remaining >= 0) {
    int chunk = remaining < (int)InflateChunk ? remaining : (int)InflateChunk;
    stream.next_in = (Bytef*)input + consumed;
    stream.avail_in = chunk;
    int result = inflate(&stream, remaining ? Z_NO_FLUSH : Z_FINISH);
    if (result == Z_STREAM_ERROR || result == Z_DATA_ERROR || result == Z_NEED_DICT) break;
    if (remaining == 0) break;
    consumed += chunk;
    remaining -= chunk;
    if (progressTotal) MoveProgress(progressBar, base + ProgressPercent(consumed, progressTotal));
  }
  inflateEnd(&stream);
  return (int)stream.total_out;
}

static void ShowStartupError(const char* text) {
  ShowFormattedMessage(0, "Corvelsetup", text, 0, 0, 0, MB_ICONERROR);
}

// Counts a header field as zero when the file is signed: signing fills it in
// after the sum was taken.
static void ClearSignedField(BYTE* chunk, DWORD chunkStart, DWORD got, DWORD field, DWORD length) {
  for (DWORD at = field - chunkStart; length--; at++)
    if (at < got) chunk[at] = 0;
}

bool VerifyOwnChecksum(HANDLE file, const BYTE* header) {
  DWORD size = GetFileSize(file, 0);
  if (size == INVALID_FILE_SIZE) {
    ShowStartupError("Error retrieving the module file size.");
    return false;
  }
  // A signature's certificate table ends the file and is named by the
  // security directory; the sum stops in front of it. A table that does not
  // end the file is no signature, and the entry is then summed as it is.
  DWORD pe = *(const DWORD*)(header + 0x3C);
  DWORD table[2] = {0, 0};
  DWORD got = 0;
  SetFilePointer(file, pe + SecurityDirectoryEntry, 0, FILE_BEGIN);
  ReadFile(file, table, sizeof(table), &got, 0);
  bool isSigned = got == sizeof(table) && table[1] && table[0] < size && size - table[0] == table[1] &&
                  table[0] >= pe + SecurityDirectoryEntry + sizeof(table);
  if (isSigned) size = table[0];
  SetFilePointer(file, ChecksumStart, 0, FILE_BEGIN);
  // Every read is a call into the system, dearer than summing its bytes:
  // large reads keep a big installer's start-up near one pass over the
  // file. The sum is the same for any chunk size; without the memory the
  // small buffer does the same work.
  BYTE small[512];
  DWORD capacity = ChecksumChunk;
  BYTE* chunk = (BYTE*)AllocateBlock(capacity);
  if (!chunk) {
    chunk = small;
    capacity = sizeof(small);
  }
  uLong checksum = adler32(0, 0, 0);
  DWORD position = ChecksumStart;
  const char* failure = 0;
  while (position < size) {
    DWORD asked = size - position < capacity ? size - position : capacity;
    if (!ReadFile(file, chunk, asked, &got, 0) || got != asked) {
      failure = "Error verifying the file CRC.";
      break;
    }
    if (isSigned) {
      ClearSignedField(chunk, position, got, pe + ImageChecksumField, 4);
      ClearSignedField(chunk, position, got, pe + SecurityDirectoryEntry, 8);
    }
    checksum = adler32(checksum, chunk, got);
    position += got;
  }
  if (chunk != small) FreeBlock(chunk);
  if (!failure && checksum != *(const DWORD*)(header + FileChecksumField)) failure = "The installer file is damaged!";
  if (failure) ShowStartupError(failure);
  return !failure;
}

void LoadScript(HANDLE file, DWORD packageOffset, DWORD storedLength) {
  DWORD got;
  SetFilePointer(file, packageOffset, 0, FILE_BEGIN);
  ReadFile(file, &Model.package, sizeof(Model.package), &got, 0);
  SetFilePointer(file, packageOffset + Model.package.scriptOffset, 0, FILE_BEGIN);
  DWORD scriptSize = 0;
  ReadFile(file, &scriptSize, 4, &got, 0);

  BYTE* stored = (BYTE*)AllocateBlock(storedLength);
  DWORD storedGot = 0;
  if (stored) ReadFile(file, stored, storedLength, &storedGot, 0);
  // Two spare zero bytes keep every string of the last record terminated,
  // whatever the stream holds; an absurd size is refused before it can wrap.
  if (scriptSize < 0x40000000) Model.script = (BYTE*)AllocateBlock(scriptSize + 2);
  if (Model.script && stored) {
    int produced = InflateBuffer(stored, storedGot, Model.script, scriptSize, 0, 0);
    Model.scriptLength = produced > 0 ? produced : 0;
  }
  FreeBlock(stored);
}

void WalkScriptRecords(const BYTE* script, DWORD length) {
  DWORD cursor = 0;
  while (length - cursor >= 4) {
    DWORD type = *(const DWORD*)(script + cursor);
    if (type == 0xFFFFFFFF) return;
    if (length - cursor < 8) return;
    DWORD size = *(const DWORD*)(script + cursor + 4);
    if (size > length - cursor - 8) return;
    LoadScriptRecord(type, script + cursor + 4);
    cursor += 8 + size;
  }
}
