// compress.h - the package's compressed streams and its checksum.
//
// A package stream is: the two zlib header bytes 0x78 0xDA, raw deflate data
// that end with a sync flush (an empty stored block 00 00 FF FF), NO final
// block and NO Adler-32 trailer. The setup stub inflates it until the stored
// bytes are consumed or its output buffer is full.
//
// All functions here are pure and thread-safe (each call uses its own zlib
// stream), so a builder may compress many files in parallel and hand the
// results to the writer as precompressed data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "result.h"

namespace corvel {

// Default deflate level used by the writer helpers (zlib's 9 = best).
constexpr int kDefaultCompressionLevel = 9;

// Compresses `size` bytes into a package stream: 78 DA, deflate data made with
// windowBits -15 and flushed with Z_SYNC_FLUSH (so it ends in 00 00 FF FF),
// no final block, no trailer. `level` is a zlib level 0..9 (values outside are
// clamped). Empty input gives 78 DA 00 00 00 FF FF (an empty stored block).
// Deterministic: the same input and level always give the same bytes.
// Throws only std::bad_alloc, or std::runtime_error if zlib cannot initialise.
std::vector<std::uint8_t> compressStream(const std::uint8_t* data, std::size_t size,
                                         int level = kDefaultCompressionLevel);
std::vector<std::uint8_t> compressStream(const std::vector<std::uint8_t>& data,
                                         int level = kDefaultCompressionLevel);

// Outcome of expanding one stream.
struct Inflated {
    std::vector<std::uint8_t> data;   // the bytes produced (at most maxOutput)
    std::size_t inputConsumed = 0;    // compressed bytes zlib consumed
    bool streamEnd = false;           // zlib saw a final block (Z_STREAM_END); the
                                      // writer never produces one, the stub tolerates it
    bool outputFull = false;          // stopped because maxOutput bytes were produced
                                      // while input remained
};

// Expands a package stream (zlib header expected; windowBits 15) without
// requiring an end-of-stream marker: it stops when the input is consumed, the
// output reaches `maxOutput` bytes, or zlib reports a final block or an error.
// Output memory grows with what is actually produced, so a bogus maxOutput
// does not allocate up front.
// Error (value = what was produced before the error): bad zlib header, invalid
// deflate data, stream needing a dictionary.
Result<Inflated> inflateStream(const std::uint8_t* data, std::size_t size,
                               std::size_t maxOutput);

// zlib adler32 over `size` bytes starting from `initial` (1 = a fresh checksum).
// Handles sizes beyond 4 GiB.
std::uint32_t adler32(const std::uint8_t* data, std::size_t size, std::uint32_t initial = 1);

}  // namespace corvel
