// The files a manifest installs: each [[files]] group walked into the
// folder and file entries of one package group, in a fixed order (names
// sorted, a folder's files before its sub-folders), with the attributes and
// times of every source file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fileinfo.h"
#include "manifest.hpp"

namespace corvel::build {

struct PayloadEntry {
    bool folder = false;
    std::string name;        // Windows-1252
    std::uint32_t depth = 0;
    // Files only:
    std::string hostPath;
    std::uint64_t size = 0;
    std::uint32_t attributes = 0;
    FileTime created, accessed, written;
};

struct PayloadGroup {
    const FileGroup* group = nullptr;
    std::vector<PayloadEntry> entries;
};

struct Payload {
    std::vector<PayloadGroup> groups;
    std::uint64_t totalBytes = 0;
    std::size_t fileCount = 0;
};

// Throws BuildError for names Windows cannot hold, names that collide when
// letter case is ignored, unreadable files and a payload of 4 GiB or more.
Payload collectPayload(const Manifest& m);

// Why a name cannot be a Windows file name, or "".
std::string badWindowsName(const std::string& ansiName);

}  // namespace corvel::build
