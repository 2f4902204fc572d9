// support.h - shared fixtures of the format tests.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "installer.h"
#include "records.h"

namespace corvel::test {

// A fake stub image: "MZ", recognisable filler, `size` bytes.
inline std::vector<std::uint8_t> makeStub(std::size_t size = 1024) {
    std::vector<std::uint8_t> stub(size);
    for (std::size_t i = 0; i < size; ++i) stub[i] = std::uint8_t(i * 7 + 3);
    if (size >= 2) {
        stub[0] = 'M';
        stub[1] = 'Z';
    }
    return stub;
}

inline std::vector<std::uint8_t> bytesOf(const std::string& s) { return {s.begin(), s.end()}; }

// Compressible but not trivial contents.
inline std::vector<std::uint8_t> sampleContents(std::size_t size, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<std::uint8_t> v(size);
    for (std::size_t i = 0; i < size; ++i) v[i] = std::uint8_t((i % 64 < 40) ? 'a' + (i % 26) : rng());
    return v;
}

inline std::vector<std::uint8_t> randomBytes(std::size_t size, std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::vector<std::uint8_t> v(size);
    for (auto& b : v) b = std::uint8_t(rng());
    return v;
}

// A file entry with every field set to a distinct value.
inline Entry fullFileEntry(const std::string& name, std::uint32_t depth, const std::vector<std::uint8_t>& contents,
                           bool compress, std::uint32_t salt) {
    Entry e = fileEntry(name, depth, contents, compress);
    e.attributes = 0x20 | salt;
    e.creationTime = FileTime{0x11111111u + salt, 0x01C00000u + salt};
    e.lastAccessTime = FileTime{0x22222222u + salt, 0x01D00000u + salt};
    e.lastWriteTime = FileTime{0x33333333u + salt, 0x01E00000u + salt};
    e.versionHigh = 0x00050001u + salt;
    e.versionLow = 0x0A280000u + salt;
    return e;
}

// Two groups (nested folders, compressed and raw files) and one empty group.
inline PackageDescription samplePackage() {
    PackageDescription p;
    Group app;
    app.replaceRule = kReplaceIfNewer;
    app.comparisonBasis = kCompareVersionAndDate;
    app.sharedFlag = 0;
    app.reserved = 0xABCD;
    app.folder = "%InstallPath%";
    app.entries.push_back(fullFileEntry("app.exe", 0, sampleContents(5000, 1), true, 1));
    app.entries.push_back(fullFileEntry("readme.txt", 0, bytesOf("hello, world\r\n"), false, 2));
    app.entries.push_back(folderEntry("data", 0));
    app.entries.push_back(fullFileEntry("a.bin", 1, sampleContents(70000, 2), true, 3));
    app.entries.push_back(folderEntry("deep", 1));
    app.entries.push_back(fullFileEntry("b.bin", 2, randomBytes(300, 3), false, 4));
    app.entries.push_back(fullFileEntry("empty.dat", 2, {}, true, 5));
    app.entries.push_back(fullFileEntry("empty.raw", 0, {}, false, 6));
    p.groups.push_back(app);

    Group empty;
    empty.replaceRule = kReplaceNever;
    empty.folder = "<CommonFiles>\\Empty";
    p.groups.push_back(empty);

    Group shared;
    shared.replaceRule = kReplaceIfSameOrNewer;
    shared.comparisonBasis = kCompareVersion;
    shared.sharedFlag = 1;
    shared.folder = "<System>";
    shared.entries.push_back(fullFileEntry("corvel.dll", 0, sampleContents(1234, 4), true, 7));
    p.groups.push_back(shared);
    return p;
}

inline std::vector<Record> sampleRecords() {
    ProductRecord product;
    product.productName = "Corvel Demo";
    product.displayName = "Corvel Demo 1.0";
    product.normalFont = "Tahoma,0x000000";
    product.titleFont = "Arial,0xFFFFFF";
    product.options2 = kProductUninstaller | kProductGroupOption;
    return {
        encode(product),
        pageSwitchesRecord({1, 1, 0, 0, 1, 1, 1, 0, 1, 1, 1, 1}),
        variableRecord("%Company%", "Corvel"),
        stringRecord(9, kGroupButtons, 1, "&Next >"),
        languagesRecord(1, {9, 7}),
    };
}

}  // namespace corvel::test
