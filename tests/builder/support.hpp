// Helpers for the builder tests: scratch folders, a fake stub, a tiny PE
// file with a version resource, and building straight from manifest text.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "build.hpp"
#include "installer.h"
#include "manifest.hpp"

namespace corvel::build::test {

using Bytes = std::vector<std::uint8_t>;
namespace fs = std::filesystem;

class TempDir {
public:
    TempDir();
    ~TempDir();
    const fs::path& path() const { return path_; }
    std::string str(const std::string& rel = "") const { return (rel.empty() ? path_ : path_ / rel).string(); }
    void write(const std::string& rel, const std::string& content) const;
    void write(const std::string& rel, const Bytes& content) const;
    // Names of everything directly in the folder (to see that nothing was left behind).
    std::vector<std::string> list(const std::string& rel = "") const;

private:
    fs::path path_;
};

// Starts with MZ, as the builder asks; the writer only patches DOS-header fields.
Bytes fakeStub(std::size_t size = 1024);

// A minimal PE image whose version resource holds the given file version.
Bytes peWithVersion(std::uint32_t ms, std::uint32_t ls);

// Writes manifest.toml into `dir` and loads it.
Manifest manifestIn(const TempDir& dir, const std::string& toml);

// Builds in memory and reads the result back.
InstallerInfo buildAndRead(const Manifest& m, unsigned jobs = 2);

// The message of the BuildError thrown by f, or "" when none is thrown.
std::string errorOf(const std::function<void()>& f);

// Every record of the script decoded, in order.
std::vector<TypedRecord> decodedRecords(const InstallerInfo& info);

// The manifest lines every test needs.
extern const char* const kBasics;

}  // namespace corvel::build::test
