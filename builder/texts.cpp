#include "texts.hpp"

namespace corvel::build {

namespace {

// Every shipped table; English first, as the fallback of a manifest's list.
const TextTable* const kBuiltinTables[] = {
    &kEnglishTexts,    &kGermanTexts,    &kFrenchTexts,    &kSpanishTexts,   &kItalianTexts,   &kDutchTexts,
    &kPortugueseTexts, &kSwedishTexts,   &kDanishTexts,    &kNorwegianTexts, &kFinnishTexts,   &kPolishTexts,
    &kCzechTexts,      &kHungarianTexts, &kSlovenianTexts, &kRussianTexts,   &kUkrainianTexts, &kBulgarianTexts,
    &kGreekTexts,      &kTurkishTexts,
};

}  // namespace

const TextTable* builtinTexts(std::uint16_t language) {
    for (const TextTable* t : kBuiltinTables)
        if (t->language == language) return t;
    return nullptr;
}

std::vector<std::uint16_t> builtinLanguages() {
    std::vector<std::uint16_t> ids;
    for (const TextTable* t : kBuiltinTables) ids.push_back(t->language);
    return ids;
}

const std::vector<TextKey>& stubTexts() {
    static const std::vector<TextKey> keys = [] {
        std::vector<TextKey> k;
        for (int i : {0, 1, 2, 5, 6, 8, 9, 10, 11, 12, 13}) k.push_back({group::messages, i});
        for (int i = 0; i < 40; ++i) k.push_back({group::errors, i});
        for (int i = 0; i <= 10; ++i) k.push_back({group::buttons, i});
        // Page texts: 0 is the caption, n is the text of control 1000 + n
        // where the page has that control, plus the page-specific numbers
        // (destination 4: browse prompt; installing 5-8 and 13: phase texts;
        // finish 9 and 10: restart bodies; welcome 7: compact title).
        const std::pair<int, std::vector<int>> pages[] = {
            {group::language, {0, 1, 2, 3}},
            {group::welcome, {0, 1, 2, 3, 4, 5, 6, 7}},
            {group::licence, {0, 1, 2, 3}},
            {group::readme, {0, 1, 2}},
            {group::destination, {0, 1, 2, 3, 4, 5, 6}},
            {group::startMenu, {0, 1, 2, 3, 4, 5}},
            {group::ready, {0, 1, 2, 3}},
            {group::installing, {0, 1, 2, 3, 4, 5, 6, 7, 8, 13}},
            {group::finish, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
            {group::uninstaller, {0, 1, 2, 9}},
        };
        for (const auto& [g, indices] : pages)
            for (int i : indices) k.push_back({g, i});
        return k;
    }();
    return keys;
}

int formatArguments(int g, int index) {
    if (g == group::messages) return (index == 6 || index == 10 || index == 13) ? 1 : -1;
    if (g != group::errors) return -1;
    switch (index) {
        // a path or name, plus the system's error text or a second path
        case 4: case 5: case 6: case 8: case 10: case 11: case 12: case 13:
        case 15: case 21: case 24: case 35: case 36:
            return 2;
        case 25:
            return 3;
        // the frame fills 32 and 33 with the existing folder
        case 1: case 2: case 3: case 7: case 9: case 14: case 16: case 17: case 18:
        case 19: case 20: case 22: case 23: case 27: case 30: case 32: case 33: case 37: case 38:
            return 1;
        default:  // shown without arguments, so the text appears as it is
            return -1;
    }
}

std::string checkFormat(const std::string& text, int arguments) {
    if (arguments < 0) return {};
    int used = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') continue;
        if (i + 1 < text.size() && text[i + 1] == '%') { ++i; continue; }
        if (i + 1 < text.size() && text[i + 1] == 's') { ++used; ++i; continue; }
        return "the stub formats this text with wsprintfA, so a '%' must be written '%%' unless it is a %s";
    }
    if (used > arguments)
        return "has " + std::to_string(used) + " %s but the stub passes only " + std::to_string(arguments) +
               (arguments == 1 ? " argument" : " arguments");
    return {};
}

std::string fillNames(std::string text, const std::string& displayName, const std::string& productName) {
    for (auto [token, value] : {std::pair<const char*, const std::string*>{"{DisplayName}", &displayName},
                                {"{ProductName}", &productName}}) {
        std::string t = token;
        for (std::size_t at = text.find(t); at != std::string::npos; at = text.find(t, at + value->size()))
            text.replace(at, t.size(), *value);
    }
    return text;
}

}  // namespace corvel::build
