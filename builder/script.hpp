// The install script of a manifest: the records the stub's loader reads, in
// an order that suits it (variables first, the product before the page
// switches so that the compact dialog set applies).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "manifest.hpp"
#include "records.h"
#include "texts.hpp"

namespace corvel::build {

// Whether the package holds a string-table group's texts: the three message
// groups, the uninstaller's and those of the pages that are enabled.
bool textsWritten(const Manifest& m, int group);

// The texts of one language as written to the package: the built-in table
// (where the language has one), the manifest's texts on top, product names
// filled in, all in the language's code page.
std::map<TextKey, std::string> languageTexts(const Manifest& m, std::uint16_t language);

// The code page a language's texts are written in, as the languages record
// tells the setup program: 0 when they are plain ASCII, right under any.
std::uint16_t writtenCodePage(const std::map<TextKey, std::string>& texts, std::uint16_t language);

std::vector<Record> scriptRecords(const Manifest& m);

// Record texts, one per record kind (exposed for tests and inspect).
std::string shortcutText(const Shortcut& s);
std::string registryText(const RegistryValue& r);
std::string iniText(const IniEntry& e);
std::string associationText(const Association& a);
std::string programText(const Program& p);
std::string dllCallText(const DllCall& d);
std::string backgroundText(const BackgroundText& t);

}  // namespace corvel::build
