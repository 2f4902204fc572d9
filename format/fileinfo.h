// fileinfo.h - facts about source files that a package entry stores:
// FILETIME values and the version from a PE file's version resource.
// Portable: no Windows headers; works on any host.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "result.h"

namespace corvel {

// A Windows FILETIME: 100-nanosecond intervals since 1601-01-01 00:00 UTC,
// stored as two u32 halves (low first, as in the package).
struct FileTime {
    std::uint32_t low = 0;
    std::uint32_t high = 0;

    std::uint64_t value() const { return (std::uint64_t(high) << 32) | low; }
    static FileTime fromValue(std::uint64_t v) {
        return FileTime{std::uint32_t(v & 0xFFFFFFFFu), std::uint32_t(v >> 32)};
    }
    bool operator==(const FileTime& o) const { return low == o.low && high == o.high; }
    bool operator!=(const FileTime& o) const { return !(*this == o); }
};

// Seconds between 1601-01-01 and 1970-01-01.
constexpr std::int64_t kUnixEpochInFileTimeSeconds = 11644473600LL;

// Unix time (seconds since 1970 UTC, may be negative, plus nanoseconds 0..999,999,999)
// to FILETIME. Times before 1601 give 0; times past the FILETIME range saturate.
FileTime fileTimeFromUnix(std::int64_t seconds, std::uint32_t nanoseconds = 0);

// FILETIME back to Unix seconds (rounded down).
std::int64_t unixFromFileTime(FileTime ft);

// File version of a VS_FIXEDFILEINFO: ms = dwFileVersionMS, ls = dwFileVersionLS.
struct FileVersion {
    std::uint32_t ms = 0;
    std::uint32_t ls = 0;
    bool operator==(const FileVersion& o) const { return ms == o.ms && ls == o.ls; }
    // "a.b.c.d"
    std::string toString() const;
};

// Reads the file version from a PE image's bytes: DOS header -> PE header ->
// resource data directory -> RT_VERSION (16) -> first name -> first language
// -> VS_VERSIONINFO -> VS_FIXEDFILEINFO (signature 0xFEEF04BD).
// nullopt ("none") when the bytes are not a PE file, have no version resource,
// or anything on the way is malformed or out of bounds. Never reads out of
// bounds, never throws for bad input.
std::optional<FileVersion> readPeFileVersion(const std::uint8_t* data, std::size_t size);
inline std::optional<FileVersion> readPeFileVersion(const std::vector<std::uint8_t>& bytes) {
    return readPeFileVersion(bytes.data(), bytes.size());
}

// Reads a whole file into memory (binary). Error: cannot open/read.
Result<std::vector<std::uint8_t>> readFileBytes(const std::string& path);

// Writes a whole file (binary, truncating). Error: cannot open/write.
Result<bool> writeFileBytes(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace corvel
