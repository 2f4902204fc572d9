// The installer's own face: the icon and the version resource that Explorer
// shows for it, written into the stub's resource section before the package
// is appended. Plain byte work, so that it runs wherever the builder runs.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "diagnostics.hpp"

namespace corvel::build {

using VersionNumbers = std::array<std::uint16_t, 4>;

// "1", "1.2", "1.2.3" or "1.2.3.4", each number 0..65535; missing ones are 0.
std::optional<VersionNumbers> parseVersionNumbers(const std::string& text);

struct VersionResource {
    VersionNumbers fileNumbers{1, 0, 0, 0};
    VersionNumbers productNumbers{1, 0, 0, 0};
    // Windows-1252 like every manifest text; an empty one is left out.
    std::string fileVersion = "1.0", productVersion = "1.0";
    std::string company, productName, description, copyright;
};

// An .ico file (the whole file's bytes), whose images replace the stub's icon.
struct IconFile {
    std::string path;                  // for messages
    Location where;                    // the manifest's key
    std::vector<std::uint8_t> bytes;
};

// Returns the stub with its icon group replaced by every image of `icon`
// (when given) and `version` as its version resource. Throws BuildError:
// the stub is not a 32-bit Windows program whose resource section ends the
// file; the icon is no .ico file; the stub would reach 65,536 bytes (the
// message names the icon's size and the room that is left for it).
std::vector<std::uint8_t> dressStub(const std::vector<std::uint8_t>& stub, const IconFile* icon,
                                    const VersionResource& version);

// True when `stub` starts like a Windows program (MZ header naming a PE header).
bool isWindowsProgram(const std::vector<std::uint8_t>& stub);

}  // namespace corvel::build
