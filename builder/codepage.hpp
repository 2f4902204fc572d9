// The setup stub is an ANSI program: it shows every text in the system's
// ANSI code page. Manifests and the built-in tables are UTF-8; these convert
// between UTF-8 and the Windows code pages the builder writes (1250 Central
// European, 1251 Cyrillic, 1252 Western, 1253 Greek, 1254 Turkish, 1257 Baltic).
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace corvel::build {

// File names, paths and every text outside a language's string table.
constexpr int kDefaultCodePage = 1252;

struct Unrepresentable {
    char32_t codePoint = 0;     // the character that has no byte in the code page
    std::size_t index = 0;      // its position in the text, counted in characters
    bool badUtf8 = false;       // the input was not UTF-8 at all
};

// True for the code pages above.
bool writableCodePage(int codePage);
// "Windows-1251".
std::string codePageName(int codePage);

// UTF-8 to a code page. A NUL character is refused too, since the stub's
// strings end at the first NUL.
std::optional<std::string> toAnsi(const std::string& utf8, Unrepresentable* why = nullptr,
                                  int codePage = kDefaultCodePage);

// Same, but throws BuildError naming `where` and `key` when a character cannot be written;
// `whose` says whose code page it is ("the setup program", "Russian").
struct Location;
std::string toAnsiOrFail(const std::string& utf8, const Location& where, const std::string& key,
                         int codePage = kDefaultCodePage, const std::string& whose = "the setup program");

// A code page to UTF-8 (for showing package texts on a terminal). Bytes
// that the code page leaves undefined come out as U+FFFD.
std::string fromAnsi(const std::string& ansi, int codePage = kDefaultCodePage);

// "U+00E9 'é'" for messages.
std::string describeCodePoint(char32_t cp);

}  // namespace corvel::build
