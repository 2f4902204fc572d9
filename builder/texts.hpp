// Built-in string tables: every text the setup stub shows, in English,
// German, French and Spanish, so that a manifest needs to word nothing.
//
// Texts are UTF-8 here and converted to Windows-1252 when the script is
// written. "{DisplayName}" and "{ProductName}" in a text are replaced by the
// product's names at build time (the stub shows some texts without expanding
// script variables, so the names are put in by the builder).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace corvel::build {

// String table groups: 0x60/0x70/0x80 and the page slots.
namespace group {
constexpr int messages = 0x60;
constexpr int errors = 0x70;
constexpr int buttons = 0x80;
constexpr int language = 0;
constexpr int welcome = 1;
constexpr int licence = 2;
constexpr int readme = 3;
constexpr int destination = 6;
constexpr int startMenu = 8;
constexpr int ready = 9;
constexpr int installing = 10;
constexpr int finish = 11;
constexpr int uninstaller = 12;
}  // namespace group

struct TextEntry {
    int group;
    int index;
    const char* text;  // UTF-8
};

struct TextTable {
    std::uint16_t language;
    const TextEntry* entries;
    std::size_t count;
};

extern const TextTable kEnglishTexts;
extern const TextTable kGermanTexts;
extern const TextTable kFrenchTexts;
extern const TextTable kSpanishTexts;
extern const TextTable kPolishTexts;
extern const TextTable kCzechTexts;
extern const TextTable kHungarianTexts;
extern const TextTable kSlovenianTexts;
extern const TextTable kRussianTexts;
extern const TextTable kUkrainianTexts;
extern const TextTable kBulgarianTexts;
extern const TextTable kGreekTexts;
extern const TextTable kTurkishTexts;

// The table shipped for a language, or null.
const TextTable* builtinTexts(std::uint16_t language);
std::vector<std::uint16_t> builtinLanguages();

struct TextKey {
    int group;
    int index;
    bool operator<(const TextKey& o) const { return group != o.group ? group < o.group : index < o.index; }
    bool operator==(const TextKey& o) const { return group == o.group && index == o.index; }
};

// Every (group, index) that the stub reads from the string table.
const std::vector<TextKey>& stubTexts();

// How many string arguments the stub passes when it formats this text with
// wsprintfA; -1 when the text is shown as it is (a '%' there is harmless).
int formatArguments(int group, int index);

// Checks that a text used as a format takes no more %s than the stub passes
// and has no other conversion; returns an explanation when it does not.
std::string checkFormat(const std::string& text, int arguments);

// Replaces {DisplayName} and {ProductName}.
std::string fillNames(std::string text, const std::string& displayName, const std::string& productName);

}  // namespace corvel::build
