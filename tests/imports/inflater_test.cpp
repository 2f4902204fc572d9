// The unpacker's own inflater against zlib's deflate: every kind of block
// that an encoder may choose (stored, fixed and dynamic codes, the longest
// lengths and distances) comes out as it went in, and a cut or damaged
// stream ends as damaged without a byte written outside its buffer.
#include <gtest/gtest.h>
#include <zlib.h>
#include <cstdint>
#include <string>
#include <vector>

extern "C" void __stdcall start() {}
#include "startup/unpack.cpp"

namespace {

using Bytes = std::vector<BYTE>;
const BYTE Guard = 0xA5;

Bytes Deflate(const Bytes& data, int level, int strategy) {
  z_stream stream{};
  EXPECT_EQ(deflateInit2(&stream, level, Z_DEFLATED, -15, 9, strategy), Z_OK);
  Bytes packed(deflateBound(&stream, (uLong)data.size()) + 16);
  stream.next_in = (Bytef*)data.data();
  stream.avail_in = (uInt)data.size();
  stream.next_out = packed.data();
  stream.avail_out = (uInt)packed.size();
  EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
  packed.resize(stream.total_out);
  deflateEnd(&stream);
  return packed;
}

// Expands into a buffer of exactly `expected` bytes with guard bytes behind;
// true when the stream was whole and filled it exactly.
bool Expand(const Bytes& packed, size_t expected, Bytes* out) {
  Bytes buffer(expected + 64, Guard);
  Inflater s;
  s.in = packed.data();
  s.inEnd = s.in + packed.size();
  s.out = s.outStart = buffer.data();
  s.outEnd = s.outStart + expected;
  s.bits = 0;
  s.bitCount = 0;
  s.broken = false;
  InflateBlocks(&s);
  for (size_t i = expected; i < buffer.size(); i++)
    if (buffer[i] != Guard) {
      ADD_FAILURE() << "written past the end at " << i - expected;
      break;
    }
  out->assign(buffer.begin(), buffer.begin() + (s.out - s.outStart));
  return !s.broken && s.out == s.outEnd;
}

std::uint32_t NextRandom(std::uint32_t* state) {
  *state = *state * 1664525u + 1013904223u;
  return *state >> 8;
}

// Text-like data with repeats near and 30 KB far, a long run of one byte and
// a stretch of noise that no code shortens.
Bytes Sample(size_t size) {
  std::uint32_t state = 12345;
  Bytes data;
  const std::string words[] = {"setup ", "install ", "folder ", "Windows ", "%InstallPath%\\", "\r\n"};
  while (data.size() < size) {
    std::uint32_t pick = NextRandom(&state) % 10;
    if (pick < 6) {
      data.insert(data.end(), words[pick].begin(), words[pick].end());
    } else if (pick == 6 && data.size() > 32768) {
      size_t from = data.size() - 32768 + NextRandom(&state) % 300;
      for (int i = 0; i < 280; i++) data.push_back(data[from + i]);
    } else if (pick == 7) {
      data.insert(data.end(), 600, (BYTE)NextRandom(&state));
    } else {
      for (int i = 0; i < 200; i++) data.push_back((BYTE)NextRandom(&state));
    }
  }
  data.resize(size);
  return data;
}

TEST(Inflater, ExpandsWhatEveryEncoderChoiceMakes) {
  struct Choice {
    int level, strategy;
    const char* name;
  } choices[] = {{0, Z_DEFAULT_STRATEGY, "stored"},   {1, Z_DEFAULT_STRATEGY, "fast"},
                 {9, Z_DEFAULT_STRATEGY, "best"},     {9, Z_FIXED, "fixed codes"},
                 {9, Z_HUFFMAN_ONLY, "literals only"}, {9, Z_RLE, "runs"}};
  for (size_t size : {size_t(0), size_t(1), size_t(70000), size_t(200000)}) {
    Bytes data = Sample(size);
    for (const Choice& choice : choices) {
      SCOPED_TRACE(std::string(choice.name) + ", " + std::to_string(size) + " bytes");
      Bytes out;
      EXPECT_TRUE(Expand(Deflate(data, choice.level, choice.strategy), data.size(), &out));
      EXPECT_TRUE(out == data);
    }
  }
}

TEST(Inflater, RefusesCutLongAndDamagedStreams) {
  Bytes data = Sample(70000);
  Bytes packed = Deflate(data, 9, Z_DEFAULT_STRATEGY);
  Bytes out;
  for (size_t cut : {size_t(0), size_t(1), packed.size() / 3, packed.size() - 1}) {
    SCOPED_TRACE("cut to " + std::to_string(cut));
    EXPECT_FALSE(Expand(Bytes(packed.begin(), packed.begin() + cut), data.size(), &out));
  }
  // More output than the space holds, and less.
  EXPECT_FALSE(Expand(packed, data.size() - 1, &out));
  EXPECT_FALSE(Expand(packed, data.size() + 1, &out));
  // A changed bit either breaks the stream or changes the output; either
  // way nothing lands outside the buffer (checked by Expand).
  std::uint32_t state = 99;
  for (int round = 0; round < 200; round++) {
    Bytes damaged = packed;
    size_t at = NextRandom(&state) % (damaged.size() - 1);   // not the last byte's padding
    damaged[at] ^= (BYTE)(1 << (NextRandom(&state) % 8));
    SCOPED_TRACE("bit changed in byte " + std::to_string(at));
    if (Expand(damaged, data.size(), &out)) EXPECT_FALSE(out == data);
  }
  // A block type that does not exist.
  EXPECT_FALSE(Expand(Bytes{0x07, 0, 0, 0}, 10, &out));
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
