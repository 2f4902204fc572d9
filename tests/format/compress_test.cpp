// Package streams: 78 DA header, sync flush at the end, no final block, no
// trailer; inflation without an end marker; Adler-32.
#include <zlib.h>

#include <thread>

#include <gtest/gtest.h>

#include "compress.h"
#include "support.h"

namespace corvel {
namespace {

using test::bytesOf;
using test::randomBytes;
using test::sampleContents;

// Inflates with zlib directly (zlib header expected) and reports whether
// zlib ever returned Z_STREAM_END.
struct ZlibOutcome {
    std::vector<std::uint8_t> out;
    bool sawStreamEnd = false;
    int lastRc = Z_OK;
};
ZlibOutcome inflateWithZlib(const std::vector<std::uint8_t>& in, std::size_t outSize) {
    ZlibOutcome r;
    r.out.resize(outSize + 16);
    z_stream zs{};
    EXPECT_EQ(inflateInit(&zs), Z_OK);
    zs.next_in = const_cast<Bytef*>(in.data());
    zs.avail_in = uInt(in.size());
    zs.next_out = r.out.data();
    zs.avail_out = uInt(r.out.size());
    for (int i = 0; i < 4; ++i) {  // also try Z_FINISH as the stub's last call does
        r.lastRc = inflate(&zs, i < 2 ? Z_NO_FLUSH : Z_FINISH);
        if (r.lastRc == Z_STREAM_END) r.sawStreamEnd = true;
    }
    r.out.resize(r.out.size() - zs.avail_out);
    inflateEnd(&zs);
    return r;
}

const std::uint8_t kSyncTail[] = {0x00, 0x00, 0xFF, 0xFF};

void expectPackageStreamShape(const std::vector<std::uint8_t>& s) {
    ASSERT_GE(s.size(), 6u);
    EXPECT_EQ(s[0], 0x78);
    EXPECT_EQ(s[1], 0xDA);
    EXPECT_TRUE(std::equal(std::begin(kSyncTail), std::end(kSyncTail), s.end() - 4))
        << "stream must end with the sync flush 00 00 FF FF (no Adler-32 trailer after it)";
}

TEST(CompressStream, HeaderSyncFlushTailAndNoFinalBlock) {
    for (std::size_t size : {0u, 1u, 100u, 5000u, 200000u}) {
        SCOPED_TRACE(size);
        auto data = sampleContents(size, 42);
        auto s = compressStream(data);
        expectPackageStreamShape(s);
        auto z = inflateWithZlib(s, data.size());
        EXPECT_FALSE(z.sawStreamEnd) << "a final block would make zlib return Z_STREAM_END";
        EXPECT_EQ(z.out, data);
    }
}

TEST(CompressStream, EveryLevelRoundTrips) {
    auto data = sampleContents(30000, 7);
    for (int level = 0; level <= 9; ++level) {
        SCOPED_TRACE(level);
        auto s = compressStream(data, level);
        expectPackageStreamShape(s);
        auto r = inflateStream(s.data(), s.size(), data.size());
        ASSERT_TRUE(r.ok()) << r.error;
        EXPECT_EQ(r.value.data, data);
        EXPECT_FALSE(r.value.streamEnd);
        EXPECT_FALSE(r.value.outputFull);
        EXPECT_EQ(r.value.inputConsumed, s.size());
    }
}

TEST(CompressStream, IncompressibleData) {
    auto data = randomBytes(100000, 9);
    auto s = compressStream(data);
    expectPackageStreamShape(s);
    auto r = inflateStream(s.data(), s.size(), data.size());
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.value.data, data);
}

TEST(CompressStream, DeterministicAndThreadSafe) {
    std::vector<std::vector<std::uint8_t>> inputs;
    for (std::uint32_t i = 0; i < 8; ++i) inputs.push_back(sampleContents(40000 + i * 1000, i));
    std::vector<std::vector<std::uint8_t>> serial;
    for (auto& in : inputs) serial.push_back(compressStream(in));
    std::vector<std::vector<std::uint8_t>> parallel(inputs.size());
    std::vector<std::thread> threads;
    for (std::size_t i = 0; i < inputs.size(); ++i)
        threads.emplace_back([&, i] { parallel[i] = compressStream(inputs[i]); });
    for (auto& t : threads) t.join();
    EXPECT_EQ(serial, parallel);
    EXPECT_EQ(compressStream(inputs[0]), compressStream(inputs[0]));
}

TEST(InflateStream, StopsAtMaxOutput) {
    auto data = sampleContents(10000, 3);
    auto s = compressStream(data);
    auto r = inflateStream(s.data(), s.size(), 1000);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.value.data.size(), 1000u);
    EXPECT_TRUE(std::equal(r.value.data.begin(), r.value.data.end(), data.begin()));
    EXPECT_TRUE(r.value.outputFull);
}

TEST(InflateStream, ExactOutputSizeIsNotOutputFull) {
    // The sync-flush block after the last data byte produces nothing; filling
    // the output exactly must not count as "more data".
    auto data = sampleContents(65536, 4);
    auto s = compressStream(data);
    auto r = inflateStream(s.data(), s.size(), data.size());
    ASSERT_TRUE(r.ok());
    EXPECT_FALSE(r.value.outputFull);
    EXPECT_EQ(r.value.inputConsumed, s.size());
}

TEST(InflateStream, TruncatedStreamGivesPrefix) {
    auto data = sampleContents(20000, 5);
    auto s = compressStream(data);
    s.resize(s.size() / 2);
    auto r = inflateStream(s.data(), s.size(), data.size());
    EXPECT_LT(r.value.data.size(), data.size());
    EXPECT_TRUE(std::equal(r.value.data.begin(), r.value.data.end(), data.begin()));
}

TEST(InflateStream, AcceptsAStreamWithFinalBlockAndTrailer) {
    auto data = bytesOf("a normal zlib stream with a final block");
    std::vector<std::uint8_t> z(compressBound(uLong(data.size())));
    uLongf zlen = uLongf(z.size());
    ASSERT_EQ(compress2(z.data(), &zlen, data.data(), uLong(data.size()), 9), Z_OK);
    z.resize(zlen);
    auto r = inflateStream(z.data(), z.size(), 1000);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.value.data, data);
    EXPECT_TRUE(r.value.streamEnd);
}

TEST(InflateStream, BadHeaderAndGarbageAreErrors) {
    auto bad = bytesOf("\x12\x34 not a zlib stream");
    auto r = inflateStream(bad.data(), bad.size(), 100);
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(r.error.empty());

    auto s = compressStream(sampleContents(5000, 6));
    for (std::size_t i = 2; i < s.size(); i += 7) s[i] ^= 0x5A;
    auto g = inflateStream(s.data(), s.size(), 5000);  // must not crash; usually an error
    EXPECT_LE(g.value.data.size(), 5000u);
}

TEST(InflateStream, EmptyInputAndNullData) {
    auto r = inflateStream(nullptr, 0, 10);
    EXPECT_TRUE(r.value.data.empty());
    EXPECT_FALSE(r.value.outputFull);
}

TEST(Adler32, MatchesZlibAndStartsAtOne) {
    auto data = randomBytes(100000, 11);
    EXPECT_EQ(adler32(data.data(), data.size()), std::uint32_t(::adler32(1, data.data(), uInt(data.size()))));
    EXPECT_EQ(adler32(nullptr, 0), 1u);
    auto abc = bytesOf("abc");
    EXPECT_EQ(adler32(abc.data(), abc.size()), 0x024D0127u);
    // Chained.
    std::uint32_t a = adler32(data.data(), 500);
    EXPECT_EQ(adler32(data.data() + 500, data.size() - 500, a), adler32(data.data(), data.size()));
}

}  // namespace
}  // namespace corvel
