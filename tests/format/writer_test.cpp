// The writer: exact byte layout, DOS-header fields, checksum coverage,
// SpaceRequired, limits (stub size, 4 GiB), determinism.
#include <zlib.h>

#include <gtest/gtest.h>

#include "installer.h"
#include "support.h"

namespace corvel {
namespace {

using test::bytesOf;
using test::makeStub;
using test::sampleContents;
using test::samplePackage;
using test::sampleRecords;
using Bytes = std::vector<std::uint8_t>;

std::uint16_t rd16(const Bytes& b, std::size_t o) { return std::uint16_t(b[o] | (b[o + 1] << 8)); }
std::uint32_t rd32(const Bytes& b, std::size_t o) {
    return std::uint32_t(b[o]) | (std::uint32_t(b[o + 1]) << 8) | (std::uint32_t(b[o + 2]) << 16) |
           (std::uint32_t(b[o + 3]) << 24);
}

Bytes writeOk(const Bytes& stub, const PackageDescription& p, const Bytes& stream) {
    auto r = writeInstaller(stub, p, stream);
    EXPECT_TRUE(r.ok()) << r.error;
    return r.value;
}

// ---- layout, checked byte by byte without the reader ---------------------------

TEST(WriterLayout, SmallPackageByteByByte) {
    const Bytes stub = makeStub(100);
    PackageDescription p;
    Group g;
    g.replaceRule = 3;
    g.comparisonBasis = 2;
    g.sharedFlag = 1;
    g.reserved = 0x55;
    g.folder = "F";
    g.entries.push_back(folderEntry("d", 0));
    Entry file = fileEntry("a", 1, bytesOf("xyz"), false);
    file.attributes = 0x21;
    file.creationTime = {0x01020304, 0x05060708};
    file.lastAccessTime = {0x11121314, 0x15161718};
    file.lastWriteTime = {0x21222324, 0x25262728};
    file.versionHigh = 0x00010002;
    file.versionLow = 0x00030004;
    g.entries.push_back(file);
    p.groups.push_back(g);
    const Bytes stream = serializeRecords({licenceRecord("L")});

    Bytes out = writeOk(stub, p, stream);
    // Stub kept except the three fields.
    for (std::size_t i = 0; i < stub.size(); ++i) {
        if ((i >= 18 && i < 20) || (i >= 28 && i < 32) || (i >= 36 && i < 40)) continue;
        ASSERT_EQ(out[i], stub[i]) << "stub byte " << i;
    }
    EXPECT_EQ(rd16(out, 18), 100u);
    const std::size_t P = 100;
    // Package header.
    EXPECT_EQ(rd32(out, P + 0), 12u);
    const std::uint32_t groupSize = 20 + 2 /*"F"*/ + (2 + 4 + 1) /*folder entry*/ +
                                    (2 + 4 + 1 + 44 + 4 + 3) /*file entry*/;
    EXPECT_EQ(rd32(out, P + 4), 12u + groupSize);
    EXPECT_EQ(rd32(out, P + 8), 3u);
    // Group header.
    std::size_t o = P + 12;
    EXPECT_EQ(rd32(out, o), 12u + groupSize);
    EXPECT_EQ(rd32(out, o + 4), 3u);
    EXPECT_EQ(rd32(out, o + 8), 2u);
    EXPECT_EQ(rd32(out, o + 12), 1u);
    EXPECT_EQ(rd32(out, o + 16), 0x55u);
    EXPECT_EQ(out[o + 20], 'F');
    EXPECT_EQ(out[o + 21], 0);
    o += 22;
    // Folder entry.
    EXPECT_EQ(out[o], 'd');
    EXPECT_EQ(out[o + 1], 0);
    EXPECT_EQ(rd32(out, o + 2), 0u);
    EXPECT_EQ(out[o + 6], 0u);
    o += 7;
    // File entry.
    EXPECT_EQ(out[o], 'a');
    EXPECT_EQ(out[o + 1], 0);
    EXPECT_EQ(rd32(out, o + 2), 1u);
    EXPECT_EQ(out[o + 6], 1u);
    o += 7;
    const std::uint32_t fields[] = {0x21,       0x01020304, 0x05060708, 0x11121314, 0x15161718, 0x21222324,
                                    0x25262728, 0,          3,          0x00010002, 0x00030004};
    for (std::uint32_t f : fields) {
        EXPECT_EQ(rd32(out, o), f) << "at " << o;
        o += 4;
    }
    EXPECT_EQ(rd32(out, o), 3u) << "stored size";
    EXPECT_EQ(out[o + 4], 'x');
    EXPECT_EQ(out[o + 5], 'y');
    EXPECT_EQ(out[o + 6], 'z');
    o += 7;
    // Script block.
    EXPECT_EQ(o, P + 12 + groupSize);
    EXPECT_EQ(rd32(out, o), stream.size());
    const std::uint32_t stored = rd32(out, 28);
    EXPECT_EQ(o + 4 + stored, out.size()) << "ScriptStoredLength = bytes of the compressed script to EOF";
    EXPECT_EQ(out[o + 4], 0x78);
    EXPECT_EQ(out[o + 5], 0xDA);
    EXPECT_EQ(Bytes(out.end() - 4, out.end()), (Bytes{0x00, 0x00, 0xFF, 0xFF}));
    // Checksum: zlib's adler32 from byte 40.
    EXPECT_EQ(rd32(out, 36), std::uint32_t(::adler32(1, out.data() + 40, uInt(out.size() - 40))));
}

TEST(WriterLayout, NoGroupsGiveScriptOffset12) {
    PackageDescription empty;
    Bytes out = writeOk(makeStub(64), empty, serializeRecords({}));
    EXPECT_EQ(rd32(out, 64 + 0), 12u);
    EXPECT_EQ(rd32(out, 64 + 4), 12u);
    EXPECT_EQ(rd32(out, 64 + 8), 0u);
    EXPECT_EQ(rd32(out, 64 + 12), 4u) << "uncompressed script = the terminator";
}

TEST(WriterLayout, EmptyGroupIsJustItsHeader) {
    PackageDescription p;
    Group g;
    g.folder = "abc";
    p.groups.push_back(g);
    Bytes out = writeOk(makeStub(64), p, serializeRecords({}));
    EXPECT_EQ(rd32(out, 64 + 4), 12u + 20u + 4u);
    EXPECT_EQ(rd32(out, 64 + 12), 12u + 20u + 4u) << "next group offset = ScriptOffset";
}

TEST(WriterLayout, NextGroupOffsetsChainToScriptOffset) {
    const Bytes out = writeOk(makeStub(), samplePackage(), serializeRecords(sampleRecords()));
    const std::size_t P = rd16(out, 18);
    const std::uint32_t scriptOffset = rd32(out, P + 4);
    std::uint32_t g = rd32(out, P);
    int groups = 0;
    while (g < scriptOffset) {
        const std::uint32_t next = rd32(out, P + g);
        ASSERT_GT(next, g);
        g = next;
        ++groups;
    }
    EXPECT_EQ(g, scriptOffset);
    EXPECT_EQ(groups, 3);
}

TEST(WriterLayout, CompressedEntryStoresThePrecompressedStreamAsIs) {
    const Bytes contents = sampleContents(9000, 8);
    Bytes stream = compressStream(contents, 1);
    PackageDescription p;
    Group g;
    g.folder = "x";
    g.entries.push_back(precompressedFileEntry("f", 0, stream, contents.size()));
    p.groups.push_back(g);
    const Bytes out = writeOk(makeStub(64), p, serializeRecords({}));
    const std::size_t data = 64 + 12 + 20 + 2 + 2 + 4 + 1 + 44 + 4;
    EXPECT_EQ(rd32(out, data - 4), stream.size());
    EXPECT_EQ(rd32(out, data - 4 - 12), contents.size()) << "size low";
    EXPECT_EQ(out[64 + 12 + 20 + 2 + 2 + 4], 3u) << "flags: file + compressed";
    EXPECT_TRUE(std::equal(stream.begin(), stream.end(), out.begin() + data));
}

TEST(WriterLayout, RawEntryStoredSizeEqualsSizeLow) {
    PackageDescription p;
    Group g;
    g.folder = "x";
    g.entries.push_back(fileEntry("f", 0, sampleContents(777, 1), false));
    p.groups.push_back(g);
    const Bytes out = writeOk(makeStub(64), p, serializeRecords({}));
    const std::size_t sizeLowAt = 64 + 12 + 20 + 2 + 2 + 4 + 1 + 4 + 24 + 4;
    EXPECT_EQ(rd32(out, sizeLowAt), 777u);
    EXPECT_EQ(rd32(out, sizeLowAt + 12), 777u);
}

// ---- SpaceRequired -------------------------------------------------------------

TEST(WriterSpaceRequired, SumOfSizeLowOfAllFileEntries) {
    const PackageDescription p = samplePackage();
    std::uint64_t sum = 0;
    for (const auto& g : p.groups)
        for (const auto& e : g.entries)
            if (e.isFile()) sum += e.sizeLow;
    ASSERT_GT(sum, 70000u);
    const Bytes out = writeOk(makeStub(), p, serializeRecords({}));
    EXPECT_EQ(rd32(out, rd16(out, 18) + 8), sum);
}

TEST(WriterSpaceRequired, UsesSizeLowNotStoredSize) {
    PackageDescription p;
    Group g;
    g.folder = "x";
    Entry e = fileEntry("f", 0, Bytes(100000, 'a'), true);
    ASSERT_LT(e.data.size(), 1000u);
    g.entries.push_back(e);
    g.entries.push_back(folderEntry("sub", 0));
    p.groups.push_back(g);
    const Bytes out = writeOk(makeStub(64), p, serializeRecords({}));
    EXPECT_EQ(rd32(out, 64 + 8), 100000u);
}

// ---- checksum coverage -----------------------------------------------------------

TEST(WriterChecksum, CoversExactlyBytes40ToEnd) {
    const Bytes out = writeOk(makeStub(200), samplePackage(), serializeRecords(sampleRecords()));
    const std::uint32_t stored = rd32(out, 36);
    ASSERT_EQ(computeFileChecksum(out.data(), out.size()), stored);

    // Bytes 0..39 (among them the three patched fields) are not covered.
    for (std::size_t i = 0; i < 40; ++i) {
        Bytes m = out;
        m[i] ^= 0xFF;
        EXPECT_EQ(computeFileChecksum(m.data(), m.size()), stored) << "byte " << i;
    }
    for (std::size_t i : {18u, 19u, 28u, 29u, 30u, 31u}) {
        Bytes m = out;
        m[i] = 0x42;
        EXPECT_EQ(computeFileChecksum(m.data(), m.size()), rd32(m, 36)) << "byte " << i;
    }
    // Every byte from 40 on is covered, the package included.
    for (std::size_t i = 40; i < out.size(); ++i) {
        Bytes m = out;
        m[i] ^= 0x01;
        ASSERT_NE(computeFileChecksum(m.data(), m.size()), stored) << "byte " << i;
    }
    // Appending or removing a byte at the end changes it too.
    Bytes longer = out;
    longer.push_back(0);
    EXPECT_NE(computeFileChecksum(longer.data(), longer.size()), stored);
    EXPECT_NE(computeFileChecksum(out.data(), out.size() - 1), stored);
}

// Signing after the build: the file is already a multiple of eight long, the
// certificate table is appended without padding, the PE checksum and the
// security directory entry are filled in. The sum, the reader and the
// uninstaller copy must take it as the built file; any other byte still counts.
TEST(WriterChecksum, SigningLeavesTheSumAsItWas) {
    Bytes stub = makeStub(400);
    const std::uint32_t pe = 64;
    for (int i = 0; i < 4; ++i) stub[0x3C + i] = std::uint8_t(pe >> (8 * i));
    std::fill_n(stub.begin() + pe + 88, 4, 0);   // an unsigned image: no checksum, no security directory
    std::fill_n(stub.begin() + pe + 152, 8, 0);
    for (std::size_t records : {0u, 1u, 2u, 3u, 5u, 8u, 13u}) {
        std::vector<Record> list;
        for (std::size_t i = 0; i < records; ++i) list.push_back(licenceRecord(std::string(i * 37, 'q')));
        const Bytes out = writeOk(stub, samplePackage(), serializeRecords(list));
        ASSERT_EQ(out.size() % 8, 0u) << records << " records";
        auto built = readInstaller(out);
        ASSERT_TRUE(built.ok()) << built.error;
        EXPECT_FALSE(built->signature);

        Bytes signedFile = out;
        const Bytes table = test::randomBytes(1200, std::uint32_t(records));
        for (int i = 0; i < 4; ++i) {
            signedFile[pe + 88 + i] = std::uint8_t(0x5A + i);
            signedFile[pe + 152 + i] = std::uint8_t(out.size() >> (8 * i));
            signedFile[pe + 156 + i] = std::uint8_t(table.size() >> (8 * i));
        }
        signedFile.insert(signedFile.end(), table.begin(), table.end());
        const std::uint32_t stored = rd32(out, 36);
        ASSERT_EQ(computeFileChecksum(signedFile.data(), signedFile.size()), stored);
        auto r = readInstaller(signedFile);
        ASSERT_TRUE(r.ok()) << r.error;
        ASSERT_TRUE(r->signature);
        EXPECT_EQ(r->signature->tableOffset, out.size());
        EXPECT_EQ(r->script, built->script);

        for (std::size_t i = 40; i < signedFile.size(); i += (i < 600 ? 1 : 97)) {
            Bytes m = signedFile;
            m[i] ^= 0x01;
            const bool signingField = (i >= pe + 88 && i < pe + 92) || i >= out.size();
            // A changed security directory entry no longer names a table
            // that ends the file: the file counts as unsigned, and fails.
            if (signingField)
                EXPECT_EQ(computeFileChecksum(m.data(), m.size()), stored) << "byte " << i;
            else
                ASSERT_NE(computeFileChecksum(m.data(), m.size()), stored) << "byte " << i;
        }

        auto u = makeUninstallerCopy(signedFile);
        ASSERT_TRUE(u.ok()) << u.error;
        EXPECT_EQ(rd32(u.value, pe + 88), 0u);
        EXPECT_EQ(rd32(u.value, pe + 152), 0u);
        EXPECT_EQ(rd32(u.value, pe + 156), 0u);
        EXPECT_TRUE(std::equal(u.value.begin() + 40, u.value.begin() + pe + 88, stub.begin() + 40));
    }
}

TEST(WriterChecksum, UpdateFileChecksumRepairs) {
    Bytes out = writeOk(makeStub(64), samplePackage(), serializeRecords({}));
    out[out.size() / 2] ^= 0x10;
    EXPECT_NE(computeFileChecksum(out.data(), out.size()), rd32(out, 36));
    ASSERT_TRUE(updateFileChecksum(out));
    EXPECT_EQ(computeFileChecksum(out.data(), out.size()), rd32(out, 36));
    Bytes tiny(10);
    EXPECT_FALSE(updateFileChecksum(tiny));
}

// ---- limits ------------------------------------------------------------------------

TEST(WriterLimits, StubOf65536BytesOrMoreIsRefused) {
    for (std::size_t size : {65536u, 65537u, 100000u}) {
        auto r = writeInstaller(makeStub(size), samplePackage(), serializeRecords({}));
        EXPECT_FALSE(r.ok()) << size;
        EXPECT_TRUE(r.value.empty());
        EXPECT_NE(r.error.find("65,536"), std::string::npos) << r.error;
    }
    auto ok = writeInstaller(makeStub(65535), PackageDescription{}, serializeRecords({}));
    ASSERT_TRUE(ok.ok()) << ok.error;
    EXPECT_EQ(rd16(ok.value, 18), 65535u);
}

TEST(WriterLimits, StubShorterThanADosHeaderIsRefused) {
    for (std::size_t size : {0u, 2u, 39u, 63u}) {
        auto r = writeInstaller(makeStub(size), PackageDescription{}, serializeRecords({}));
        EXPECT_FALSE(r.ok()) << size;
        EXPECT_TRUE(r.value.empty());
    }
}

TEST(WriterLimits, SpaceRequiredOverflowIsRefused) {
    PackageDescription p;
    Group g;
    g.folder = "x";
    Entry a = fileEntry("a", 0, Bytes{1}, false);
    a.sizeLow = 0xFFFFFFFFu;  // claims 4 GiB - 1
    Entry b = fileEntry("b", 0, Bytes{2}, false);
    g.entries = {a, b};
    p.groups.push_back(g);
    auto r = writeInstaller(makeStub(64), p, serializeRecords({}));
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.value.empty());
    EXPECT_NE(r.error.find("4 GiB"), std::string::npos) << r.error;

    // Exactly 4 GiB - 1 in total still fits.
    p.groups[0].entries.pop_back();
    EXPECT_TRUE(writeInstaller(makeStub(64), p, serializeRecords({})).ok());
}

TEST(WriterLimits, FileOf4GiBOrMoreIsRefused) {
    PackageDescription p;
    Group g;
    g.folder = "x";
    g.entries.push_back(precompressedFileEntry("big", 0, compressStream(Bytes{}), 0x100000000ull));
    EXPECT_EQ(g.entries[0].sizeHigh, 1u);
    EXPECT_EQ(g.entries[0].sizeLow, 0u);
    p.groups.push_back(g);
    auto r = writeInstaller(makeStub(64), p, serializeRecords({}));
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.value.empty());
}

// ---- behaviour -------------------------------------------------------------------

TEST(WriterBehaviour, Deterministic) {
    const Bytes stub = makeStub(4096);
    const Bytes a = writeOk(stub, samplePackage(), serializeRecords(sampleRecords()));
    const Bytes b = writeOk(stub, samplePackage(), serializeRecords(sampleRecords()));
    EXPECT_EQ(a, b);
    auto c = writeInstaller(stub, samplePackage(), sampleRecords());
    ASSERT_TRUE(c.ok());
    EXPECT_EQ(a, c.value) << "the records overload serialises with a terminator";
}

TEST(WriterBehaviour, StubFieldsOfTheInputAreOverwritten) {
    Bytes stub = makeStub(128);
    stub[18] = 0x34; stub[19] = 0x12;
    for (int i = 28; i < 40; ++i) stub[i] = 0xEE;
    const Bytes out = writeOk(stub, PackageDescription{}, serializeRecords({}));
    EXPECT_EQ(rd16(out, 18), 128u);
    EXPECT_EQ(rd32(out, 28), out.size() - 128 - 12 - 4);
    EXPECT_EQ(rd32(out, 36), computeFileChecksum(out.data(), out.size()));
    EXPECT_EQ(rd32(out, 32), 0xEEEEEEEEu) << "bytes between the fields are the stub's";
}

TEST(WriterBehaviour, OddRecordStreamIsWrittenAsGiven) {
    Bytes odd = serializeRecords({licenceRecord("abc")}, false);
    odd.resize(odd.size() - 2);  // truncated record, no terminator
    const Bytes out = writeOk(makeStub(64), PackageDescription{}, odd);
    EXPECT_EQ(rd32(out, 64 + 12), odd.size());
    const std::uint32_t stored = rd32(out, 28);
    auto inflated = inflateStream(out.data() + out.size() - stored, stored, odd.size());
    ASSERT_TRUE(inflated.ok());
    EXPECT_EQ(inflated.value.data, odd);
}

TEST(WriterBehaviour, ScriptCompressionLevelIsAnOption) {
    WriteOptions fast;
    fast.scriptCompressionLevel = 0;
    Bytes stream = serializeRecords({licenceRecord(std::string(5000, 'x'))});
    auto a = writeInstaller(makeStub(64), PackageDescription{}, stream, fast);
    auto b = writeInstaller(makeStub(64), PackageDescription{}, stream);
    ASSERT_TRUE(a.ok() && b.ok());
    EXPECT_GT(a.value.size(), b.value.size());
}

TEST(Uninstaller, CopyIsTheStubWithPackageOffsetZero) {
    const Bytes stub = makeStub(300);
    const Bytes out = writeOk(stub, samplePackage(), serializeRecords({}));
    auto u = makeUninstallerCopy(out);
    ASSERT_TRUE(u.ok()) << u.error;
    ASSERT_EQ(u.value.size(), 300u);
    EXPECT_EQ(rd16(u.value, 18), 0u);
    EXPECT_EQ(rd32(u.value, 28), rd32(out, 28));
    EXPECT_EQ(rd32(u.value, 36), rd32(out, 36));
    EXPECT_TRUE(std::equal(u.value.begin() + 40, u.value.end(), stub.begin() + 40));
    EXPECT_FALSE(makeUninstallerCopy(u.value).ok()) << "an uninstaller has no package";
    EXPECT_FALSE(makeUninstallerCopy(Bytes(10)).ok());
}

}  // namespace
}  // namespace corvel
