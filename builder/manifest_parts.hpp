// Pieces of the manifest loader shared by its source files (not for users
// of the builder).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "manifest.hpp"
#include "toml_section.hpp"

namespace corvel::build {

void loadProduct(const Section& top, Manifest& m);
void loadFiles(const Section& top, Manifest& m);
void loadActions(const Section& top, Manifest& m);
void loadVersion(const Section& top, Manifest& m);
void loadSigning(const Section& top, Manifest& m);

// 0xRRGGBB from an integer or a "#RRGGBB" / "0xRRGGBB" string. With
// `systemNames`, "window" and "buttonface" give their stub flags instead.
std::optional<std::uint32_t> readColour(const Section& s, std::string_view name, bool systemNames = false);

// Checks a path-like text: every %Name% must be a defined variable and every
// <Keyword> a folder keyword of the setup program.
void checkTokens(const Manifest& m, const std::string& text, const Location& where, const std::string& key);

// Record fields are separated by commas and cannot hold one.
void noComma(const std::string& text, const Location& where, const std::string& key);
std::string fieldText(const Section& s, std::string_view name, bool required = false);

// A host path from a manifest string, relative to the manifest's folder.
std::string hostPath(const Manifest& m, const std::string& utf8);

// Whether a defined variable has this name (without percent signs, any case).
bool hasVariable(const Manifest& m, const std::string& name);

}  // namespace corvel::build
