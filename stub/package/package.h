#pragma once
// The package appended to the stub: the DOS-header fields that locate it,
// the checksum over the file, and the one routine that expands every
// compressed stream of it.
#include <windows.h>

// DOS-header offsets patched by the package builder.
const int PackageOffsetField = 18;      // u16; 0 makes the file an uninstaller
const int ScriptStoredLengthField = 28; // u32
const int FileChecksumField = 36;       // u32, Adler-32 of bytes 40..EOF
const int ChecksumStart = 40;
const int DosHeaderSize = 64;
// Offsets from the PE header of the two fields that signing changes.
const DWORD ImageChecksumField = 88;
const DWORD SecurityDirectoryEntry = 152;
// Each call into the inflater copies what it made into its window and
// finishes the chunk's last codes the slow way: 64 KB chunks expand about a
// fifth faster than 4 KB ones, and still move the bar in steps far below a
// percent of any package big enough for the steps to show.
const DWORD InflateChunk = 64 * 1024;
const DWORD ChecksumChunk = 64 * 1024;

// Expands a sync-flushed zlib stream (no final block, no trailer) into output.
// Returns the bytes produced, or -1 when the inflater cannot start. With a
// progress bar, moves it by the share of progressTotal consumed here, from
// where MoveProgress last put it (0 after ForgetProgress).
int InflateBuffer(const BYTE* input, int inputLength, BYTE* output, DWORD outputCapacity,
                  HWND progressBar, DWORD progressTotal);

// Sets the progress bar to position unless it shows that already: every
// position sent to the bar from the worker is a round trip to the main
// thread, and most entries do not move it. ForgetProgress makes the next
// position go out whatever it is (a new bar, or one set elsewhere).
void MoveProgress(HWND progressBar, DWORD position);
void ForgetProgress();

// done * 100 / total in whole percent, exact for any 32-bit operands (the
// product itself overflows 32 bits past 42 MB).
DWORD ProgressPercent(DWORD done, DWORD total);

// Adler-32 of the open file from offset 40 to its end (to its certificate
// table when signed, with the fields that signing changes counted as zero),
// compared with the header's FileChecksum. Shows the start-up message
// itself; true when intact.
bool VerifyOwnChecksum(HANDLE file, const BYTE* header);

// Reads and inflates the script block; fills Model.package, Model.script and
// Model.scriptLength. The checksum has already vouched for the bytes.
void LoadScript(HANDLE file, DWORD packageOffset, DWORD storedLength);

// Hands every record of the inflated script to the loader, up to the
// terminator and never past the inflated bytes.
void WalkScriptRecords(const BYTE* script, DWORD length);
