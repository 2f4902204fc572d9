// Looking into an installer: a readable dump, an integrity check and
// extraction of the payload.
#pragma once

#include <ostream>
#include <string>

namespace corvel::build {

// Prints every header field, group, entry and record. Returns whether the
// installer is intact (readable throughout and the checksum holds).
bool inspectInstaller(const std::string& path, std::ostream& out);

// Prints "intact" or each problem, and whether the installer is signed and
// its signature holds; returns whether the installer is intact and, when
// signed, unchanged since it was signed.
bool verifyInstaller(const std::string& path, std::ostream& out, std::ostream& err);

// Writes every file of the payload below `folder`: one sub-folder per
// destination (%InstallPath% becomes InstallPath, <ProgramFiles> becomes
// ProgramFiles), files with their recorded times. Returns whether everything
// was written from an intact installer.
bool extractInstaller(const std::string& path, const std::string& folder, std::ostream& out, std::ostream& err);

}  // namespace corvel::build
