// Building an installer: manifest -> payload compressed on every core ->
// the format library's writer -> a file renamed into place when complete.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "manifest.hpp"
#include "payload.hpp"

namespace corvel::build {

struct BuildOptions {
    std::string manifest;     // TOML file
    std::string output;       // "" = the manifest's `output`, else setup.exe beside it
    std::string stub;         // "" = the default stub
    unsigned jobs = 0;        // compression threads, 0 = every core
    bool progress = false;    // show progress on stderr
    bool sign = false;        // sign as the manifest's [sign] table says
};

struct BuildResult {
    std::string output;
    std::size_t files = 0;
    std::uint64_t payloadBytes = 0;
    std::uint64_t installerBytes = 0;
    double seconds = 0;       // wall time of the compression
    std::vector<std::string> warnings;
};

// Throws BuildError; nothing is written unless the whole installer was made.
BuildResult buildInstaller(const BuildOptions& options);

// The steps, for tests and other front ends.
std::string findStub(const std::string& requested);
std::vector<std::uint8_t> loadStub(const std::string& path);
std::vector<std::uint8_t> makeInstaller(const Manifest& m, const std::vector<std::uint8_t>& stub, unsigned jobs,
                                        bool progress, BuildResult* result = nullptr);

}  // namespace corvel::build
