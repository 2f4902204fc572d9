// The setup stub is an ANSI program: every text it shows is Windows-1252.
// Manifests and the built-in tables are UTF-8; these convert between the two.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace corvel::build {

struct Unrepresentable {
    char32_t codePoint = 0;     // the character that has no Windows-1252 byte
    std::size_t index = 0;      // its position in the text, counted in characters
    bool badUtf8 = false;       // the input was not UTF-8 at all
};

// UTF-8 to Windows-1252. A NUL character is refused too, since the stub's
// strings end at the first NUL.
std::optional<std::string> toAnsi(const std::string& utf8, Unrepresentable* why = nullptr);

// Same, but throws BuildError naming `where` and `key` when a character cannot be written.
struct Location;
std::string toAnsiOrFail(const std::string& utf8, const Location& where, const std::string& key);

// Windows-1252 to UTF-8 (for showing package texts on a terminal). Bytes
// that Windows-1252 leaves undefined come out as U+FFFD.
std::string fromAnsi(const std::string& ansi);

// "U+00E9 'é'" for messages.
std::string describeCodePoint(char32_t cp);

}  // namespace corvel::build
