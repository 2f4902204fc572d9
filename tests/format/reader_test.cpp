// The reader: write -> read round trips of every field and record, and
// robustness against truncated, damaged and random input.
#include <gtest/gtest.h>

#include "installer.h"
#include "support.h"

namespace corvel {
namespace {

using test::bytesOf;
using test::makeStub;
using test::randomBytes;
using test::sampleContents;
using test::samplePackage;
using test::sampleRecords;
using Bytes = std::vector<std::uint8_t>;

void set32(Bytes& b, std::size_t o, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[o + i] = std::uint8_t(v >> (8 * i));
}

Bytes sampleInstaller(std::size_t stubSize = 512) {
    auto r = writeInstaller(makeStub(stubSize), samplePackage(), sampleRecords());
    EXPECT_TRUE(r.ok()) << r.error;
    return r.value;
}

bool anyProblemContains(const InstallerInfo& info, const std::string& text) {
    for (const auto& p : info.problems)
        if (p.find(text) != std::string::npos) return true;
    return false;
}

// ---- round trips -----------------------------------------------------------------

TEST(ReaderRoundTrip, EveryGroupAndEntryField) {
    const PackageDescription package = samplePackage();
    const Bytes file = sampleInstaller(512);
    auto r = readInstaller(file);
    ASSERT_TRUE(r.ok()) << r.error;
    const InstallerInfo& info = r.value;

    EXPECT_EQ(info.fileSize, file.size());
    EXPECT_EQ(info.packageOffset, 512u);
    EXPECT_TRUE(info.checksumValid);
    EXPECT_EQ(info.fileChecksum, info.computedChecksum);
    EXPECT_TRUE(info.headerRead);
    EXPECT_EQ(info.firstGroupOffset, 12u);
    EXPECT_EQ(info.spaceRequired, info.sumOfSizeLow);
    EXPECT_TRUE(info.problems.empty());

    ASSERT_EQ(info.groups.size(), package.groups.size());
    for (std::size_t g = 0; g < package.groups.size(); ++g) {
        SCOPED_TRACE("group " + std::to_string(g));
        const Group& want = package.groups[g];
        const GroupInfo& got = info.groups[g];
        EXPECT_EQ(got.replaceRule, want.replaceRule);
        EXPECT_EQ(got.comparisonBasis, want.comparisonBasis);
        EXPECT_EQ(got.sharedFlag, want.sharedFlag);
        EXPECT_EQ(got.reserved, want.reserved);
        EXPECT_EQ(got.folder, want.folder);
        ASSERT_EQ(got.entries.size(), want.entries.size());
        for (std::size_t i = 0; i < want.entries.size(); ++i) {
            SCOPED_TRACE("entry " + want.entries[i].name);
            const Entry& we = want.entries[i];
            const EntryInfo& ge = got.entries[i];
            EXPECT_TRUE(static_cast<const Entry&>(ge) == we) << "all stored fields and stored data";
            if (we.isFile()) {
                EXPECT_EQ(ge.storedSize, we.data.size());
                EXPECT_TRUE(ge.contentsComplete);
                EXPECT_FALSE(ge.streamEnd);
                EXPECT_TRUE(ge.contentsError.empty());
                EXPECT_EQ(ge.contents.size(), we.sizeLow);
                EXPECT_TRUE(std::equal(file.begin() + std::ptrdiff_t(ge.dataOffset),
                                       file.begin() + std::ptrdiff_t(ge.dataOffset + ge.storedSize),
                                       we.data.begin()));
            }
        }
    }
    // Expanded contents equal the originals.
    const auto& app = info.groups[0].entries;
    EXPECT_EQ(app[0].contents, sampleContents(5000, 1));
    EXPECT_EQ(app[1].contents, bytesOf("hello, world\r\n"));
    EXPECT_EQ(app[3].contents, sampleContents(70000, 2));
    EXPECT_EQ(app[5].contents, randomBytes(300, 3));
    EXPECT_TRUE(app[6].contents.empty());
    EXPECT_TRUE(app[7].contents.empty());
    EXPECT_EQ(info.groups[2].entries[0].contents, sampleContents(1234, 4));
    EXPECT_TRUE(info.groups[1].entries.empty());
}

TEST(ReaderRoundTrip, FolderStackPaths) {
    auto r = readInstaller(sampleInstaller());
    ASSERT_TRUE(r.ok()) << r.error;
    const auto& e = r.value.groups[0].entries;
    EXPECT_EQ(e[0].path, "%InstallPath%\\app.exe");
    EXPECT_EQ(e[2].path, "%InstallPath%\\data");
    EXPECT_EQ(e[3].path, "%InstallPath%\\data\\a.bin");
    EXPECT_EQ(e[4].path, "%InstallPath%\\data\\deep");
    EXPECT_EQ(e[5].path, "%InstallPath%\\data\\deep\\b.bin");
    EXPECT_EQ(e[7].path, "%InstallPath%\\empty.raw");
    EXPECT_EQ(r.value.groups[2].entries[0].path, "<System>\\corvel.dll");
}

TEST(ReaderRoundTrip, FolderEntryOverwritesItsStackSlot) {
    PackageDescription p;
    Group g;
    g.folder = "R";
    g.entries = {folderEntry("a", 0), folderEntry("b", 1), folderEntry("c", 0),
                 fileEntry("f", 2, bytesOf("1"), false), fileEntry("h", 1, bytesOf("2"), true)};
    p.groups.push_back(g);
    auto w = writeInstaller(makeStub(64), p, std::vector<Record>{});
    ASSERT_TRUE(w.ok());
    auto r = readInstaller(w.value);
    ASSERT_TRUE(r.ok()) << r.error;
    const auto& e = r.value.groups[0].entries;
    EXPECT_EQ(e[2].path, "R\\c");
    EXPECT_EQ(e[3].path, "R\\c\\b\\f") << "deeper entries are left as they are";
    EXPECT_EQ(e[4].path, "R\\c\\h");
}

TEST(ReaderRoundTrip, ScriptAndEveryRecordType) {
    std::vector<Record> records = sampleRecords();
    records.push_back(licenceRecord("licence"));
    records.push_back(readmeRecord("readme"));
    records.push_back(gradientRecord(0x102030, 0x405060));
    records.push_back(accentColourRecord(0x00C88C00));
    records.push_back(shortcutRecord("%ShortcutsGroup%\\a.lnk,a.exe"));
    records.push_back(registryRecord("2,Software\\X,V,1"));
    records.push_back(iniRecord("a.ini,S,K,V"));
    records.push_back(programRecord("a.exe,,,0"));
    records.push_back(dllCallRecord("a.dll,F,,,0"));
    records.push_back(associationRecord(".x,X"));
    records.push_back(requirementsRecord({"2000", "", "5.0", "", 1}));
    records.push_back(backgroundTextRecord("\"T\",1,2"));
    records.push_back(rawRecord(42, {9, 9}));

    const Bytes stream = serializeRecords(records);
    auto w = writeInstaller(makeStub(64), samplePackage(), stream);
    ASSERT_TRUE(w.ok());
    auto r = readInstaller(w.value);
    ASSERT_TRUE(r.ok()) << r.error;
    const InstallerInfo& info = r.value;
    EXPECT_TRUE(info.scriptRead);
    EXPECT_EQ(info.scriptUncompressedSize, stream.size());
    EXPECT_EQ(info.script, stream);
    EXPECT_TRUE(info.scriptComplete);
    EXPECT_FALSE(info.scriptStreamEnd);
    EXPECT_EQ(info.scriptBlockLength, info.scriptStoredLength);
    EXPECT_TRUE(info.records.terminated);
    ASSERT_EQ(info.records.records, records);
    for (std::uint32_t type = 1; type <= 17; ++type) {
        auto it = std::find_if(records.begin(), records.end(), [&](const Record& x) { return x.type == type; });
        ASSERT_NE(it, records.end()) << type;
        const Record& got = info.records.records[std::size_t(it - records.begin())];
        auto want = decodeRecord(*it);
        auto back = decodeRecord(got);
        ASSERT_TRUE(back.ok()) << back.error;
        EXPECT_TRUE(back.value == want.value) << type;
    }
}

TEST(ReaderRoundTrip, NoGroups) {
    auto w = writeInstaller(makeStub(64), PackageDescription{}, std::vector<Record>{});
    ASSERT_TRUE(w.ok());
    auto r = readInstaller(w.value);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.value.scriptOffset, 12u);
    EXPECT_EQ(r.value.spaceRequired, 0u);
    EXPECT_TRUE(r.value.groups.empty());
    EXPECT_TRUE(r.value.records.terminated);
    EXPECT_TRUE(r.value.records.records.empty());
}

TEST(ReaderRoundTrip, OptionsSkipDataAndScript) {
    ReadOptions lean;
    lean.expandData = false;
    lean.keepStoredData = false;
    lean.readScript = false;
    auto r = readInstaller(sampleInstaller(), lean);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_FALSE(r.value.scriptRead);
    for (const auto& g : r.value.groups)
        for (const auto& e : g.entries) {
            EXPECT_TRUE(e.data.empty());
            EXPECT_TRUE(e.contents.empty());
        }
    EXPECT_GT(r.value.groups[0].entries[0].storedSize, 0u);
}

TEST(ReaderRoundTrip, FromAFile) {
    const Bytes file = sampleInstaller();
    const std::string path = ::testing::TempDir() + "corvel_format_reader_test.exe";
    ASSERT_TRUE(writeFileBytes(path, file).ok());
    auto r = readInstallerFile(path);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.value.fileSize, file.size());
    std::remove(path.c_str());
    EXPECT_FALSE(readInstallerFile(path).ok());
}

// ---- what the reader reports ---------------------------------------------------

TEST(ReaderProblems, ChecksumMismatchIsReportedButEverythingIsRead) {
    Bytes file = sampleInstaller();
    file[600] ^= 0x01;
    auto r = readInstaller(file);
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.error.find("checksum"), std::string::npos) << r.error;
    EXPECT_FALSE(r.value.checksumValid);
    EXPECT_EQ(r.value.groups.size(), 3u);
}

TEST(ReaderProblems, PatchedDosFieldsKeepTheChecksum) {
    Bytes file = sampleInstaller();
    set32(file, 28, 12345);
    auto r = readInstaller(file);
    EXPECT_TRUE(r.value.checksumValid);
    EXPECT_TRUE(anyProblemContains(r.value, "ScriptStoredLength")) << r.error;
}

TEST(ReaderProblems, Uninstaller) {
    auto u = makeUninstallerCopy(sampleInstaller());
    ASSERT_TRUE(u.ok());
    auto r = readInstaller(u.value);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.value.packageOffset, 0u);
    EXPECT_NE(r.error.find("uninstaller"), std::string::npos) << r.error;
    EXPECT_FALSE(r.value.headerRead);
}

TEST(ReaderProblems, SpaceRequiredMismatch) {
    Bytes file = sampleInstaller(64);
    set32(file, 64 + 8, 1);
    updateFileChecksum(file);
    auto r = readInstaller(file);
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.error.find("SpaceRequired"), std::string::npos) << r.error;
}

TEST(ReaderProblems, GroupThatDoesNotAdvance) {
    Bytes file = sampleInstaller(64);
    set32(file, 64 + 12, 12);  // first group's next offset points at itself
    updateFileChecksum(file);
    auto r = readInstaller(file);
    EXPECT_FALSE(r.ok());
    EXPECT_NE(r.error.find("does not lie after"), std::string::npos) << r.error;
}

TEST(ReaderProblems, OffsetsBeyondTheFile) {
    Bytes file = sampleInstaller(64);
    set32(file, 64 + 4, 0x7FFFFFF0);  // ScriptOffset
    updateFileChecksum(file);
    auto r = readInstaller(file);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(anyProblemContains(r.value, "ScriptOffset")) << r.error;

    Bytes file2 = sampleInstaller(64);
    set32(file2, 64 + 12, 0xFFFFFFFF);  // next group offset
    updateFileChecksum(file2);
    auto r2 = readInstaller(file2);
    EXPECT_FALSE(r2.ok());
    EXPECT_TRUE(anyProblemContains(r2.value, "beyond the end")) << r2.error;
}

TEST(ReaderProblems, DamagedCompressedEntry) {
    PackageDescription p;
    Group g;
    g.folder = "x";
    g.entries.push_back(fileEntry("f", 0, sampleContents(20000, 1), true));
    g.entries[0].data[2] ^= 0xFF;  // deflate data damaged, header intact
    g.entries[0].data[3] ^= 0xFF;
    p.groups.push_back(g);
    auto w = writeInstaller(makeStub(64), p, std::vector<Record>{});
    ASSERT_TRUE(w.ok());
    auto r = readInstaller(w.value);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(r.value.checksumValid);
    ASSERT_EQ(r.value.groups.size(), 1u);
    ASSERT_EQ(r.value.groups[0].entries.size(), 1u);
    EXPECT_FALSE(r.value.groups[0].entries[0].contentsComplete);
}

TEST(ReaderProblems, SizeLowSmallerThanTheStream) {
    PackageDescription p;
    Group g;
    g.folder = "x";
    g.entries.push_back(fileEntry("f", 0, sampleContents(5000, 1), true));
    g.entries[0].sizeLow = 100;
    p.groups.push_back(g);
    auto w = writeInstaller(makeStub(64), p, std::vector<Record>{});
    ASSERT_TRUE(w.ok());
    auto r = readInstaller(w.value);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.value.groups[0].entries[0].contents.size(), 100u) << "stops at size low, like the stub";
    EXPECT_TRUE(anyProblemContains(r.value, "more than size low")) << r.error;
}

TEST(ReaderProblems, RawEntryWithWrongSizeLow) {
    PackageDescription p;
    Group g;
    g.folder = "x";
    g.entries.push_back(fileEntry("f", 0, bytesOf("abc"), false));
    g.entries[0].sizeLow = 4;
    p.groups.push_back(g);
    auto w = writeInstaller(makeStub(64), p, std::vector<Record>{});
    ASSERT_TRUE(w.ok());
    auto r = readInstaller(w.value);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(anyProblemContains(r.value, "raw entry")) << r.error;
}

TEST(ReaderProblems, DepthWithoutItsFolderEntry) {
    PackageDescription p;
    Group g;
    g.folder = "x";
    g.entries.push_back(fileEntry("f", 0xFFFFFFFFu, bytesOf("abc"), false));
    p.groups.push_back(g);
    auto w = writeInstaller(makeStub(64), p, std::vector<Record>{});
    ASSERT_TRUE(w.ok());
    auto r = readInstaller(w.value);
    EXPECT_FALSE(r.ok());
    EXPECT_TRUE(anyProblemContains(r.value, "depth")) << r.error;
}

TEST(ReaderProblems, ScriptWithoutTerminator) {
    auto w = writeInstaller(makeStub(64), PackageDescription{}, serializeRecords({licenceRecord("x")}, false));
    ASSERT_TRUE(w.ok());
    auto r = readInstaller(w.value);
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(r.value.records.terminated);
    EXPECT_EQ(r.value.records.records.size(), 1u);
    EXPECT_TRUE(anyProblemContains(r.value, "terminator")) << r.error;
}

TEST(ReaderProblems, ScriptSizeFieldLargerThanTheStream) {
    Bytes file = sampleInstaller(64);
    auto first = readInstaller(file);
    ASSERT_TRUE(first.ok());
    set32(file, 64 + first.value.scriptOffset, first.value.scriptUncompressedSize + 10);
    updateFileChecksum(file);
    auto r = readInstaller(file);
    EXPECT_FALSE(r.ok());
    EXPECT_FALSE(r.value.scriptComplete);
    EXPECT_EQ(r.value.script.size(), first.value.scriptUncompressedSize);
}

// ---- robustness --------------------------------------------------------------------

TEST(ReaderRobustness, EveryTruncationIsAnError) {
    const Bytes file = sampleInstaller(64);
    for (std::size_t cut = 0; cut < file.size(); cut += (cut < 2000 ? 1 : 97)) {
        Bytes t(file.begin(), file.begin() + std::ptrdiff_t(cut));
        auto r = readInstaller(t);
        ASSERT_FALSE(r.ok()) << "cut at " << cut;
        ASSERT_FALSE(r.error.empty());
    }
    // Even with a checksum made valid for the truncated file, structure errors remain.
    for (std::size_t cut = 64; cut < file.size(); cut += 13) {
        Bytes t(file.begin(), file.begin() + std::ptrdiff_t(cut));
        updateFileChecksum(t);
        auto r = readInstaller(t);
        ASSERT_FALSE(r.ok()) << "cut at " << cut;
    }
}

TEST(ReaderRobustness, NullAndTinyInputs) {
    EXPECT_FALSE(readInstaller(nullptr, 0).ok());
    EXPECT_FALSE(readInstaller(nullptr, 1000).ok());
    EXPECT_FALSE(readInstaller(Bytes{'M', 'Z'}).ok());
    EXPECT_FALSE(readInstaller(Bytes(64, 0)).ok());
}

TEST(ReaderRobustness, RandomGarbage) {
    for (std::uint32_t seed = 0; seed < 500; ++seed) {
        Bytes g = randomBytes(40 + seed * 3, seed);
        if (seed % 2) {  // point the package offset inside the file
            g[18] = std::uint8_t(64 + seed % 50);
            g[19] = 0;
        }
        auto r = readInstaller(g);
        EXPECT_FALSE(r.ok()) << seed;
    }
}

TEST(ReaderRobustness, RandomDamageWithValidChecksum) {
    const Bytes file = sampleInstaller(64);
    std::mt19937 rng(1234);
    for (int round = 0; round < 1500; ++round) {
        Bytes m = file;
        const int flips = 1 + round % 6;
        for (int i = 0; i < flips; ++i) {
            // Damage mostly the package structure (first ~200 bytes of it).
            std::size_t at = 40 + (round % 3 == 0 ? rng() % (m.size() - 40) : rng() % 260);
            if (at >= m.size()) at = m.size() - 1;
            m[at] = std::uint8_t(round % 4 == 0 ? 0xFF : rng());
        }
        updateFileChecksum(m);
        auto r = readInstaller(m);  // must not crash or hang; may be ok by chance
        if (r.ok()) EXPECT_TRUE(r.value.problems.empty());
    }
}

}  // namespace
}  // namespace corvel
