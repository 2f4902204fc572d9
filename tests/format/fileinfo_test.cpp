// FILETIME conversion, PE version resource reading, file I/O.
#include <gtest/gtest.h>

#include <cstdio>

#include "fileinfo.h"
#include "support.h"

namespace corvel {
namespace {

using Bytes = std::vector<std::uint8_t>;

void put16(Bytes& b, std::size_t o, std::uint16_t v) {
    if (b.size() < o + 2) b.resize(o + 2);
    b[o] = std::uint8_t(v);
    b[o + 1] = std::uint8_t(v >> 8);
}
void put32(Bytes& b, std::size_t o, std::uint32_t v) {
    if (b.size() < o + 4) b.resize(o + 4);
    for (int i = 0; i < 4; ++i) b[o + i] = std::uint8_t(v >> (8 * i));
}

struct PeShape {
    bool pe32plus = false;
    std::uint32_t resourceType = 16;  // RT_VERSION
    bool withResourceDirectory = true;
    std::uint32_t ms = 0x00020005;
    std::uint32_t ls = 0x00070009;
};

// A minimal PE image: one section ".rsrc" at RVA 0x1000 / file 0x200 holding
// root -> type -> name 1 -> language 0x409 -> data entry -> VS_VERSIONINFO.
Bytes makePe(const PeShape& shape) {
    Bytes b(0x200, 0);
    b[0] = 'M';
    b[1] = 'Z';
    put32(b, 0x3C, 0x80);
    const std::size_t pe = 0x80;
    put32(b, pe, 0x00004550);
    put16(b, pe + 4, shape.pe32plus ? 0x8664 : 0x14C);
    put16(b, pe + 6, 1);  // sections
    const std::uint16_t optSize = shape.pe32plus ? 240 : 224;
    put16(b, pe + 20, optSize);
    const std::size_t opt = pe + 24;
    put16(b, opt, shape.pe32plus ? 0x20B : 0x10B);
    const std::size_t count = shape.pe32plus ? 108 : 92;
    const std::size_t dirs = shape.pe32plus ? 112 : 96;
    put32(b, opt + count, 16);

    // Resource section contents (offsets relative to its start).
    Bytes r;
    // root
    put16(r, 14, 1);
    put32(r, 16, shape.resourceType);
    put32(r, 20, 0x80000000u | 0x18);
    // type directory -> name id 1
    put16(r, 0x18 + 14, 1);
    put32(r, 0x18 + 16, 1);
    put32(r, 0x18 + 20, 0x80000000u | 0x30);
    // name directory -> language 0x409
    put16(r, 0x30 + 14, 1);
    put32(r, 0x30 + 16, 0x409);
    put32(r, 0x30 + 20, 0x48);
    // data entry
    const std::uint32_t dataRel = 0x58;
    const std::uint32_t versionInfoLen = 40 + 52;
    put32(r, 0x48, 0x1000 + dataRel);
    put32(r, 0x48 + 4, versionInfoLen);
    // VS_VERSIONINFO
    put16(r, dataRel, versionInfoLen);
    put16(r, dataRel + 2, 52);
    put16(r, dataRel + 4, 0);
    const char key[] = "VS_VERSION_INFO";
    for (std::size_t i = 0; i < sizeof key; ++i) put16(r, dataRel + 6 + 2 * i, std::uint16_t(key[i]));
    const std::size_t fixed = dataRel + 40;
    put32(r, fixed, 0xFEEF04BD);
    put32(r, fixed + 4, 0x00010000);
    put32(r, fixed + 8, shape.ms);
    put32(r, fixed + 12, shape.ls);
    put32(r, fixed + 16, 0x00090009);  // product version: must not be taken
    put32(r, fixed + 20, 0x00090009);
    r.resize(fixed + 52);
    const std::uint32_t rawSize = std::uint32_t((r.size() + 0x1FF) & ~std::size_t(0x1FF));
    r.resize(rawSize);

    if (shape.withResourceDirectory) {
        put32(b, opt + dirs + 16, 0x1000);
        put32(b, opt + dirs + 20, std::uint32_t(r.size()));
    }
    const std::size_t sec = opt + optSize;
    const char name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
    for (int i = 0; i < 8; ++i) b[sec + i] = std::uint8_t(name[i]);
    put32(b, sec + 8, std::uint32_t(r.size()));
    put32(b, sec + 12, 0x1000);
    put32(b, sec + 16, rawSize);
    put32(b, sec + 20, 0x200);
    b.insert(b.end(), r.begin(), r.end());
    return b;
}

TEST(PeVersion, ReadsTheFixedFileVersionOfPe32) {
    auto v = readPeFileVersion(makePe({}));
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->ms, 0x00020005u);
    EXPECT_EQ(v->ls, 0x00070009u);
    EXPECT_EQ(v->toString(), "2.5.7.9");
}

TEST(PeVersion, ReadsPe32Plus) {
    PeShape s;
    s.pe32plus = true;
    s.ms = 0x000A0000;
    s.ls = 0x00000001;
    auto v = readPeFileVersion(makePe(s));
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(*v, (FileVersion{0x000A0000, 0x00000001}));
}

TEST(PeVersion, NoneWhenThereIsNoVersionResource) {
    PeShape icon;
    icon.resourceType = 3;  // RT_ICON only
    EXPECT_FALSE(readPeFileVersion(makePe(icon)).has_value());
    PeShape noDir;
    noDir.withResourceDirectory = false;
    EXPECT_FALSE(readPeFileVersion(makePe(noDir)).has_value());
}

TEST(PeVersion, NoneForNonPeInput) {
    EXPECT_FALSE(readPeFileVersion(nullptr, 0).has_value());
    EXPECT_FALSE(readPeFileVersion(test::bytesOf("plain text file, not a program")).has_value());
    Bytes mz(200, 0);
    mz[0] = 'M';
    mz[1] = 'Z';
    EXPECT_FALSE(readPeFileVersion(mz).has_value());
    put32(mz, 0x3C, 0xFFFFFFF0u);
    EXPECT_FALSE(readPeFileVersion(mz).has_value());
}

TEST(PeVersion, TruncationsAndDamageNeverCrash) {
    const Bytes pe = makePe({});
    for (std::size_t cut = 0; cut < pe.size(); ++cut) {
        auto v = readPeFileVersion(pe.data(), cut);
        if (v) EXPECT_EQ(*v, (FileVersion{0x00020005, 0x00070009})) << cut;
    }
    std::mt19937 rng(77);
    for (int round = 0; round < 3000; ++round) {
        Bytes m = pe;
        for (int i = 0; i < 1 + round % 4; ++i) m[rng() % m.size()] = std::uint8_t(rng());
        (void)readPeFileVersion(m);
    }
}

TEST(FileTimes, UnixEpochAndFractions) {
    EXPECT_EQ(fileTimeFromUnix(0).value(), 116444736000000000ull);
    EXPECT_EQ(fileTimeFromUnix(1, 500).value(), 116444736000000000ull + 10000000ull + 5ull);
    // 2003-03-28 00:00:00 UTC (Server 2003 release) = 1048809600.
    const FileTime t = fileTimeFromUnix(1048809600);
    EXPECT_EQ(t.value(), (1048809600ull + 11644473600ull) * 10000000ull);
    EXPECT_EQ(unixFromFileTime(t), 1048809600);
    EXPECT_EQ(FileTime::fromValue(t.value()), t);
    EXPECT_EQ(t.low, std::uint32_t(t.value()));
    EXPECT_EQ(t.high, std::uint32_t(t.value() >> 32));
}

TEST(FileTimes, BeforeAndAfterTheRange) {
    EXPECT_EQ(fileTimeFromUnix(-11644473600LL).value(), 0u);
    EXPECT_EQ(fileTimeFromUnix(-11644473601LL).value(), 0u);
    EXPECT_EQ(fileTimeFromUnix(std::numeric_limits<std::int64_t>::max() - 11644473600LL).value(),
              std::numeric_limits<std::uint64_t>::max());
}

TEST(FileIo, WriteThenRead) {
    const std::string path = ::testing::TempDir() + "corvel_format_fileio.bin";
    const Bytes data = test::randomBytes(3000, 5);
    ASSERT_TRUE(writeFileBytes(path, data).ok());
    auto r = readFileBytes(path);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.value, data);
    std::remove(path.c_str());
    auto missing = readFileBytes(path);
    EXPECT_FALSE(missing.ok());
    EXPECT_NE(missing.error.find(path), std::string::npos);
}

}  // namespace
}  // namespace corvel
