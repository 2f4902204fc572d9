// File patterns of the [[files]] groups. Matching ignores letter case, since
// the files end up on Windows.
//   *   any characters except '/'
//   **  any characters including '/'; "**/" may also match nothing
//   ?   one character except '/'
//   [a-z] [!0-9]  one character of (or not of) a set
// A pattern without '/' is matched against the file name alone, so "*.pdb"
// means every .pdb file at any depth; a pattern with '/' is matched against
// the whole path relative to the source folder.
#pragma once

#include <string_view>

namespace corvel::build {

bool globMatch(std::string_view pattern, std::string_view text);
bool matchesPath(std::string_view pattern, std::string_view relativePath);

}  // namespace corvel::build
