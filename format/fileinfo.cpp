// fileinfo.cpp - FILETIME conversion, PE version resource, whole-file I/O.
#include "fileinfo.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>

#include "bytes.h"

namespace corvel {

using detail::getU16;
using detail::getU32;

FileTime fileTimeFromUnix(std::int64_t seconds, std::uint32_t nanoseconds) {
    if (nanoseconds > 999999999u) nanoseconds = 999999999u;
    if (seconds < -kUnixEpochInFileTimeSeconds) return FileTime{};
    const std::uint64_t since1601 = std::uint64_t(seconds + kUnixEpochInFileTimeSeconds);
    const std::uint64_t maxSeconds = std::numeric_limits<std::uint64_t>::max() / 10000000u - 1;
    if (since1601 > maxSeconds) return FileTime::fromValue(std::numeric_limits<std::uint64_t>::max());
    return FileTime::fromValue(since1601 * 10000000u + nanoseconds / 100u);
}

std::int64_t unixFromFileTime(FileTime ft) {
    return std::int64_t(ft.value() / 10000000u) - kUnixEpochInFileTimeSeconds;
}

std::string FileVersion::toString() const {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%u.%u.%u.%u", unsigned(ms >> 16), unsigned(ms & 0xFFFF), unsigned(ls >> 16),
                  unsigned(ls & 0xFFFF));
    return buf;
}

namespace {

constexpr std::uint32_t kFixedFileInfoSignature = 0xFEEF04BDu;
constexpr std::uint32_t kRtVersion = 16;

struct Pe {
    const std::uint8_t* data;
    std::uint64_t size;
    std::uint64_t sectionTable = 0;
    std::uint32_t sectionCount = 0;

    bool has(std::uint64_t offset, std::uint64_t length) const {
        return offset <= size && length <= size - offset;
    }
    std::uint16_t u16(std::uint64_t off) const { return getU16(data + off); }
    std::uint32_t u32(std::uint64_t off) const { return getU32(data + off); }

    // File offset of `rva` and the number of bytes from there to the end of
    // its section's raw data (bounded by the file).
    bool span(std::uint32_t rva, std::uint64_t& offset, std::uint64_t& avail) const {
        for (std::uint32_t i = 0; i < sectionCount; ++i) {
            const std::uint64_t s = sectionTable + std::uint64_t(i) * 40;
            const std::uint32_t va = u32(s + 12);
            const std::uint32_t rawSize = u32(s + 16);
            const std::uint32_t rawPtr = u32(s + 20);
            if (rva < va || rva - va >= rawSize) continue;
            const std::uint64_t off = std::uint64_t(rawPtr) + (rva - va);
            if (off >= size) return false;
            offset = off;
            avail = std::min<std::uint64_t>(rawSize - (rva - va), size - off);
            return true;
        }
        return false;
    }

    // RVA of `length` bytes to a file offset inside one section's raw data.
    bool rvaToOffset(std::uint32_t rva, std::uint64_t length, std::uint64_t& offset) const {
        for (std::uint32_t i = 0; i < sectionCount; ++i) {
            const std::uint64_t s = sectionTable + std::uint64_t(i) * 40;
            const std::uint32_t va = u32(s + 12);
            const std::uint32_t rawSize = u32(s + 16);
            const std::uint32_t rawPtr = u32(s + 20);
            if (rva < va) continue;
            const std::uint64_t delta = rva - va;
            if (delta >= rawSize || length > rawSize - delta) continue;
            const std::uint64_t off = std::uint64_t(rawPtr) + delta;
            if (!has(off, length)) return false;
            offset = off;
            return true;
        }
        return false;
    }
};

// VS_FIXEDFILEINFO inside a VS_VERSIONINFO block of `len` bytes at `off`.
std::optional<FileVersion> parseVersionInfo(const Pe& pe, std::uint64_t off, std::uint64_t len) {
    if (len < 6) return std::nullopt;
    std::uint64_t blockLen = pe.u16(off);
    if (blockLen != 0 && blockLen < len) len = blockLen;
    const std::uint16_t valueLength = pe.u16(off + 2);
    // szKey: UTF-16 "VS_VERSION_INFO", NUL-terminated, then 32-bit padding.
    std::uint64_t p = 6;
    for (;;) {
        if (p + 2 > len) return std::nullopt;
        const std::uint16_t ch = pe.u16(off + p);
        p += 2;
        if (ch == 0) break;
    }
    p = (p + 3) & ~std::uint64_t(3);
    if (valueLength >= 52 && p + 52 <= len && pe.u32(off + p) == kFixedFileInfoSignature)
        return FileVersion{pe.u32(off + p + 8), pe.u32(off + p + 12)};
    // Tolerate odd layouts: look for the signature at any 4-byte boundary.
    for (std::uint64_t q = 4; q + 52 <= len; q += 4)
        if (pe.u32(off + q) == kFixedFileInfoSignature) return FileVersion{pe.u32(off + q + 8), pe.u32(off + q + 12)};
    return std::nullopt;
}

}  // namespace

std::optional<FileVersion> readPeFileVersion(const std::uint8_t* data, std::size_t size) {
    if (data == nullptr) return std::nullopt;
    Pe pe{data, size};
    if (!pe.has(0, 64) || data[0] != 'M' || data[1] != 'Z') return std::nullopt;
    const std::uint64_t peOff = pe.u32(0x3C);
    if (!pe.has(peOff, 24) || pe.u32(peOff) != 0x00004550u) return std::nullopt;  // "PE\0\0"
    const std::uint32_t sections = pe.u16(peOff + 6);
    const std::uint32_t optSize = pe.u16(peOff + 20);
    const std::uint64_t opt = peOff + 24;
    if (!pe.has(opt, optSize) || optSize < 2) return std::nullopt;
    const std::uint16_t magic = pe.u16(opt);
    std::uint64_t countOff, dirOff;
    if (magic == 0x10B) {
        countOff = 92;
        dirOff = 96;
    } else if (magic == 0x20B) {
        countOff = 108;
        dirOff = 112;
    } else {
        return std::nullopt;
    }
    if (countOff + 4 > optSize) return std::nullopt;
    const std::uint32_t dirCount = pe.u32(opt + countOff);
    if (dirCount < 3 || dirOff + 3 * 8 > optSize) return std::nullopt;
    const std::uint32_t rsrcRva = pe.u32(opt + dirOff + 16);
    const std::uint32_t rsrcSize = pe.u32(opt + dirOff + 20);
    if (rsrcRva == 0 || rsrcSize == 0) return std::nullopt;

    pe.sectionTable = opt + optSize;
    pe.sectionCount = sections;
    if (!pe.has(pe.sectionTable, std::uint64_t(sections) * 40)) return std::nullopt;

    // The resource tree lies inside the section that holds the directory; all
    // its offsets are relative to the directory's start. Bound it by that
    // section's raw data, the file and the directory size.
    std::uint64_t rsrc = 0, rsrcLimit = 0;
    if (!pe.span(rsrcRva, rsrc, rsrcLimit) || rsrcLimit < 16) return std::nullopt;
    auto inTree = [&](std::uint64_t rel, std::uint64_t len) { return rel <= rsrcLimit && len <= rsrcLimit - rel; };

    // One directory level: returns the OffsetToData of the wanted entry.
    auto findEntry = [&](std::uint64_t dirRel, bool wantId, std::uint32_t id, std::uint32_t& target) {
        if (!inTree(dirRel, 16)) return false;
        const std::uint32_t named = pe.u16(rsrc + dirRel + 12);
        const std::uint32_t ids = pe.u16(rsrc + dirRel + 14);
        const std::uint32_t total = named + ids;
        for (std::uint32_t i = 0; i < total; ++i) {
            const std::uint64_t e = dirRel + 16 + std::uint64_t(i) * 8;
            if (!inTree(e, 8)) return false;
            const std::uint32_t name = pe.u32(rsrc + e);
            if (!wantId || (!(name & 0x80000000u) && name == id)) {
                target = pe.u32(rsrc + e + 4);
                return true;
            }
        }
        return false;
    };

    std::uint32_t t1 = 0, t2 = 0, t3 = 0;
    if (!findEntry(0, true, kRtVersion, t1) || !(t1 & 0x80000000u)) return std::nullopt;
    if (!findEntry(t1 & 0x7FFFFFFFu, false, 0, t2) || !(t2 & 0x80000000u)) return std::nullopt;
    if (!findEntry(t2 & 0x7FFFFFFFu, false, 0, t3) || (t3 & 0x80000000u)) return std::nullopt;
    if (!inTree(t3, 16)) return std::nullopt;
    const std::uint32_t dataRva = pe.u32(rsrc + t3);
    const std::uint32_t dataSize = pe.u32(rsrc + t3 + 4);
    std::uint64_t dataOff = 0;
    if (dataSize < 6 || !pe.rvaToOffset(dataRva, dataSize, dataOff)) return std::nullopt;
    return parseVersionInfo(pe, dataOff, dataSize);
}

Result<std::vector<std::uint8_t>> readFileBytes(const std::string& path) {
    using R = Result<std::vector<std::uint8_t>>;
    std::ifstream in(path, std::ios::binary);
    if (!in) return R::failure("cannot open '" + path + "' for reading");
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return R::failure("cannot read '" + path + "'");
    return R::success(std::move(bytes));
}

Result<bool> writeFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) return Result<bool>::failure("cannot open '" + path + "' for writing");
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    out.close();
    if (!out) return Result<bool>::failure("cannot write '" + path + "'");
    return Result<bool>::success(true);
}

}  // namespace corvel
