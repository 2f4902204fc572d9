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

// The texts of one language as written to the package: the built-in table
// (English for a language without one), the manifest's overrides on top,
// product names filled in, all in Windows-1252. Only page slots that are
// enabled, the uninstaller's texts and the three message groups are kept.
std::map<TextKey, std::string> languageTexts(const Manifest& m, std::uint16_t language);

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
