// Languages by name: the primary language ids of Windows (LANG_*), which the
// stub uses to pick its per-language string lists.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace corvel::build {

constexpr int kMaxLanguageId = 97;  // the stub keeps lists for ids 0..97

// "German", "de" or "deutsch" -> 7. Case-insensitive.
std::optional<std::uint16_t> languageId(const std::string& name);
// The Windows ANSI code page that a language's texts are written in, or 0
// for an unknown language and one that Windows writes in Unicode only.
int languageCodePage(std::uint16_t id);
// English name of a primary language id, or "" when unknown.
std::string languageName(std::uint16_t id);

}  // namespace corvel::build
