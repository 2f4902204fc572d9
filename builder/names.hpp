// The names a manifest uses where the package stores numbers: page slots,
// moments, root keys, replace rules, colours, string indices and so on.
// Every lookup is case-insensitive and returns nothing for an unknown name;
// the matching *Names() function lists the accepted names for error messages.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvel::build {

constexpr int kPageSlots = 12;        // wizard pages 0..11
constexpr int kUninstallerSlot = 12;  // strings only, no page

// Page slot by name ("welcome", "start-menu", ...); 12 for "uninstaller".
std::optional<int> pageSlot(const std::string& name);
// The page's name, or "" for the slots without a dialog (4, 5, 7).
const char* pageName(int slot);
// Slots that have a dialog (all of 0..11 except 4, 5 and 7).
bool pageHasDialog(int slot);
std::string pageNames();

// Moments of programs and DLL calls: "startup" 0, "after-<page>" slot + 1,
// "uninstall" -1.
std::optional<int> moment(const std::string& name);
std::string momentName(int moment);
std::string momentNames();

// Registry root keys: number 0..6 by short or long name ("HKLM", "HKEY_LOCAL_MACHINE").
std::optional<int> rootKey(const std::string& name);
const char* rootKeyName(int number);
std::string rootKeyNames();

// Replace rules 0..4 and comparison bases 0..2 of a folder group.
std::optional<std::uint32_t> replaceRule(const std::string& name);
const char* replaceRuleName(std::uint32_t rule);
std::string replaceRuleNames();
std::optional<std::uint32_t> comparisonBasis(const std::string& name);
const char* comparisonBasisName(std::uint32_t basis);
std::string comparisonBasisNames();

// Registry value types: "string" 1, "expand-string" 2, "binary" 3, "dword" 4, "multi-string" 7.
std::optional<std::uint32_t> registryType(const std::string& name);
const char* registryTypeName(std::uint32_t type);
std::string registryTypeNames();

// System colours that the product colours may name; the value is the flag
// the stub tests (0x02000000 window, 0x01000000 button face).
std::optional<std::uint32_t> systemColour(const std::string& name);

// Shortcut show commands (SW_ values) and program window modes.
std::optional<int> showCommand(const std::string& name);
std::optional<int> windowMode(const std::string& name);

// "Ctrl+Alt+W" style hotkey to the IShellLink value (modifiers << 8 | virtual key).
std::optional<std::uint32_t> hotkey(const std::string& text);

// Requirement keywords by kind; returns the keyword as the stub spells it.
enum class Requirement { Windows, DirectX, InternetExplorer, Access };
std::optional<std::string> requirementKeyword(Requirement kind, const std::string& text);
std::string requirementKeywords(Requirement kind);

// The 35 folder keywords ("<ProgramFiles>", ...), in the stub's order.
const std::vector<std::string>& folderKeywords();
bool isFolderKeyword(const std::string& token);  // token with angle brackets

// String table groups: "messages" 0x60, "errors" 0x70, "buttons" 0x80, or a page name.
std::optional<int> stringGroup(const std::string& name);
std::string stringGroupName(int group);
// Index of a named text within its group ("cancel-question", "next", "title").
std::optional<int> stringIndex(int group, const std::string& name);
// Name of a text, or "" when that index has none.
std::string stringIndexName(int group, int index);
std::string stringIndexNames(int group);

// Lower-cases ASCII letters.
std::string lower(std::string s);

}  // namespace corvel::build
