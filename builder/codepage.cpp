#include "codepage.hpp"

#include <cstdint>
#include <cstdio>

#include "diagnostics.hpp"

namespace corvel::build {

namespace {

// Unicode characters of Windows-1252 bytes 0x80..0x9F; 0 = undefined byte.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

int ansiByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return int(cp);
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == cp) return 0x80 + i;
    return -1;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at s[i]; returns false on malformed input.
bool decode(const std::string& s, std::size_t& i, char32_t& cp) {
    auto b = std::uint8_t(s[i]);
    int extra;
    if (b < 0x80) { cp = b; extra = 0; }
    else if ((b & 0xE0) == 0xC0) { cp = b & 0x1F; extra = 1; }
    else if ((b & 0xF0) == 0xE0) { cp = b & 0x0F; extra = 2; }
    else if ((b & 0xF8) == 0xF0) { cp = b & 0x07; extra = 3; }
    else return false;
    if (extra && i + extra >= s.size()) return false;
    for (int k = 1; k <= extra; ++k) {
        auto c = std::uint8_t(s[i + k]);
        if ((c & 0xC0) != 0x80) return false;
        cp = (cp << 6) | (c & 0x3F);
    }
    static constexpr char32_t kMin[4] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    i += extra + 1;
    return true;
}

}  // namespace

std::optional<std::string> toAnsi(const std::string& utf8, Unrepresentable* why) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0, n = 0;
    for (; i < utf8.size(); ++n) {
        char32_t cp;
        if (!decode(utf8, i, cp)) {
            if (why) *why = Unrepresentable{char32_t(std::uint8_t(utf8[i])), n, true};
            return std::nullopt;
        }
        int b = ansiByte(cp);
        if (b <= 0) {
            if (why) *why = Unrepresentable{cp, n, false};
            return std::nullopt;
        }
        out += char(b);
    }
    return out;
}

std::string describeCodePoint(char32_t cp) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", unsigned(cp));
    std::string s = buf;
    if (cp >= 0x20 && cp != 0x7F) {
        s += " '";
        appendUtf8(s, cp);
        s += "'";
    }
    return s;
}

std::string toAnsiOrFail(const std::string& utf8, const Location& where, const std::string& key) {
    Unrepresentable why;
    if (auto s = toAnsi(utf8, &why)) return *s;
    if (why.badUtf8)
        fail(where, key, "text is not valid UTF-8 (byte " + std::to_string(unsigned(why.codePoint)) +
                             " at character " + std::to_string(why.index + 1) + ")");
    if (why.codePoint == 0) fail(where, key, "text contains a NUL character, which would cut it short");
    fail(where, key,
         "character " + describeCodePoint(why.codePoint) + " (character " + std::to_string(why.index + 1) +
             " of the text) cannot be written in Windows-1252, the code page of the setup program");
}

std::string fromAnsi(const std::string& ansi) {
    std::string out;
    out.reserve(ansi.size());
    for (unsigned char c : ansi) {
        char32_t cp = c;
        if (c >= 0x80 && c < 0xA0) cp = kHighControls[c - 0x80] ? kHighControls[c - 0x80] : 0xFFFD;
        appendUtf8(out, cp);
    }
    return out;
}

}  // namespace corvel::build
