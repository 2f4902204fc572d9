#include "names.hpp"

#include <cctype>
#include <utility>

namespace corvel::build {

std::string lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

namespace {

struct Named {
    const char* name;
    int value;
};

template <std::size_t N>
std::optional<int> find(const Named (&table)[N], const std::string& name) {
    std::string key = lower(name);
    for (const Named& n : table)
        if (key == n.name) return n.value;
    return std::nullopt;
}

template <std::size_t N>
const char* nameOf(const Named (&table)[N], int value) {
    for (const Named& n : table)
        if (n.value == value) return n.name;
    return "";
}

template <std::size_t N>
std::string list(const Named (&table)[N]) {
    std::string s;
    int last = 0x7FFFFFFF;
    for (const Named& n : table) {
        if (n.value == last) continue;  // aliases follow their main name
        last = n.value;
        if (!s.empty()) s += ", ";
        s += n.name;
    }
    return s;
}

constexpr Named kPages[] = {
    {"language", 0},     {"welcome", 1},    {"licence", 2},     {"license", 2},
    {"readme", 3},       {"destination", 6}, {"start-menu", 8}, {"ready", 9},
    {"installing", 10},  {"finish", 11},
};

constexpr Named kRootKeys[] = {
    {"hkcr", 0}, {"hkey_classes_root", 0}, {"hkcu", 1}, {"hkey_current_user", 1},
    {"hklm", 2}, {"hkey_local_machine", 2}, {"hku", 3}, {"hkey_users", 3},
    {"hkpd", 4}, {"hkey_performance_data", 4}, {"hkcc", 5}, {"hkey_current_config", 5},
    {"hkdd", 6}, {"hkey_dyn_data", 6},
};
constexpr const char* kRootShort[] = {"HKCR", "HKCU", "HKLM", "HKU", "HKPD", "HKCC", "HKDD"};

constexpr Named kReplaceRules[] = {
    {"always", 0}, {"newer", 1}, {"same-or-newer", 2}, {"older", 3}, {"never", 4},
};
constexpr Named kBases[] = {{"date", 0}, {"version", 1}, {"version-and-date", 2}};

constexpr Named kRegistryTypes[] = {
    {"string", 1}, {"sz", 1}, {"expand-string", 2}, {"expand-sz", 2}, {"binary", 3},
    {"dword", 4},  {"multi-string", 7}, {"multi-sz", 7},
};

constexpr Named kSystemColours[] = {
    {"window", 0x02000000}, {"buttonface", 0x01000000}, {"button-face", 0x01000000},
    {"btnface", 0x01000000},
};

constexpr Named kShowCommands[] = {{"normal", 1}, {"minimized", 7}, {"maximized", 3}};
constexpr Named kWindowModes[] = {{"normal", 0}, {"minimized", 1}, {"maximized", 2}};

constexpr Named kKeys[] = {
    {"space", 0x20}, {"pageup", 0x21}, {"pagedown", 0x22}, {"end", 0x23}, {"home", 0x24},
    {"left", 0x25}, {"up", 0x26}, {"right", 0x27}, {"down", 0x28}, {"insert", 0x2D},
    {"delete", 0x2E}, {"tab", 0x09}, {"enter", 0x0D}, {"escape", 0x1B}, {"backspace", 0x08},
    {"pause", 0x13},
};

constexpr Named kGroups[] = {{"messages", 0x60}, {"errors", 0x70}, {"buttons", 0x80}};

// Text names per group; page groups share "caption" and "title".
constexpr Named kMessageNames[] = {
    {"cancel-question", 0}, {"reboot-needed", 1}, {"invalid-path", 2},
    {"restart-files-in-use", 5}, {"file-in-use", 6}, {"cancel-installing-question", 8},
    {"completed-with-errors", 9}, {"restart-before-use", 10}, {"admin-needed", 11},
    {"nt-needed", 12}, {"needs-at-least", 13},
};
constexpr Named kErrorNames[] = {
    {"dialog-failed", 0}, {"open-read-denied", 1}, {"open-write-rights", 2},
    {"open-read-write-denied", 3}, {"open-read-failed", 4}, {"open-write-failed", 5},
    {"open-read-write-failed", 6}, {"create-read-denied", 7}, {"create-folder-rights", 8},
    {"create-read-write-denied", 9}, {"create-read-failed", 10}, {"create-write-failed", 11},
    {"create-read-write-failed", 12}, {"temp-file-failed", 13}, {"disk-full", 14},
    {"write-failed", 15}, {"read-failed", 16}, {"move-failed", 17},
    {"get-attributes-failed", 18}, {"set-attributes-failed", 19}, {"get-size-failed", 20},
    {"folder-failed", 21}, {"mapping-failed", 22}, {"map-view-failed", 23},
    {"registry-key-failed", 24}, {"registry-value-failed", 25}, {"registry-rights", 26},
    {"shortcut-failed", 27}, {"register-failed", 28}, {"reboot-failed", 29},
    {"association-failed", 30}, {"drive-missing", 31}, {"folder-no-file-rights", 32},
    {"folder-no-subfolder-rights", 33}, {"drive-no-rights", 34}, {"folder-subfolder-rights", 35},
    {"folder-access-denied", 36}, {"drive-access-denied", 37}, {"drive-folder-rights", 38},
    {"not-enough-space", 39},
};
constexpr Named kButtonNames[] = {
    {"back", 0}, {"next", 1}, {"cancel", 2}, {"install", 3}, {"exit", 4}, {"yes", 5},
    {"no", 6}, {"browse", 7}, {"finish", 8}, {"extract", 9}, {"ok", 10},
};
constexpr Named kLanguagePage[] = {{"caption", 0}, {"title", 1}, {"prompt", 2}, {"label", 3}};
constexpr Named kWelcomePage[] = {
    {"caption", 0}, {"title", 1}, {"intro", 2}, {"close-programs", 3}, {"warning", 4},
    {"legal", 5}, {"continue", 6}, {"compact-title", 7},
};
constexpr Named kLicencePage[] = {{"caption", 0}, {"title", 1}, {"prompt", 2}, {"question", 3}};
constexpr Named kReadmePage[] = {{"caption", 0}, {"title", 1}, {"prompt", 2}};
constexpr Named kDestinationPage[] = {
    {"caption", 0}, {"title", 1}, {"description", 2}, {"folder-label", 3},
    {"browse-prompt", 4}, {"required-space", 5}, {"available-space", 6},
};
constexpr Named kStartMenuPage[] = {
    {"caption", 0}, {"title", 1}, {"prompt", 2}, {"group-option", 3},
    {"desktop-option", 4}, {"quick-launch-option", 5},
};
constexpr Named kReadyPage[] = {{"caption", 0}, {"title", 1}, {"body", 2}, {"instruction", 3}};
constexpr Named kInstallingPage[] = {
    {"caption", 0}, {"title", 1}, {"body", 2}, {"cancel-hint", 3}, {"files-phase", 4},
    {"shortcuts-phase", 5}, {"registry-phase", 6}, {"ini-phase", 7},
    {"associations-phase", 8}, {"finishing-phase", 13},
};
constexpr Named kFinishPage[] = {
    {"caption", 0}, {"title", 1}, {"body", 2}, {"closing", 3}, {"launch-1", 4},
    {"launch-2", 5}, {"restart-option", 6}, {"errors-note", 7}, {"restart-note", 8},
    {"restart-files-in-use", 9}, {"restart-required", 10},
};
constexpr Named kUninstallerTexts[] = {
    {"caption", 0}, {"heading", 1}, {"wait", 2}, {"display-name", 9},
};
constexpr Named kNoNames[] = {{"caption", 0}, {"title", 1}};

template <class F>
auto withNames(int group, F f) {
    switch (group) {
        case 0x60: return f(kMessageNames);
        case 0x70: return f(kErrorNames);
        case 0x80: return f(kButtonNames);
        case 0: return f(kLanguagePage);
        case 1: return f(kWelcomePage);
        case 2: return f(kLicencePage);
        case 3: return f(kReadmePage);
        case 6: return f(kDestinationPage);
        case 8: return f(kStartMenuPage);
        case 9: return f(kReadyPage);
        case 10: return f(kInstallingPage);
        case 11: return f(kFinishPage);
        case 12: return f(kUninstallerTexts);
        default: return f(kNoNames);
    }
}

}  // namespace

std::optional<int> pageSlot(const std::string& name) {
    if (lower(name) == "uninstaller") return kUninstallerSlot;
    return find(kPages, name);
}

const char* pageName(int slot) {
    if (slot == kUninstallerSlot) return "uninstaller";
    return nameOf(kPages, slot);
}

bool pageHasDialog(int slot) { return slot >= 0 && slot < kPageSlots && slot != 4 && slot != 5 && slot != 7; }

std::string pageNames() { return list(kPages); }

std::optional<int> moment(const std::string& name) {
    std::string key = lower(name);
    if (key == "startup") return 0;
    if (key == "uninstall") return -1;
    if (key.rfind("after-", 0) == 0) {
        auto slot = find(kPages, key.substr(6));
        if (slot) return *slot + 1;
    }
    return std::nullopt;
}

std::string momentName(int m) {
    if (m == 0) return "startup";
    if (m == -1) return "uninstall";
    if (m >= 1 && m <= 12) {
        std::string page = pageName(m - 1);
        return page.empty() ? "after-slot-" + std::to_string(m - 1) : "after-" + page;
    }
    return std::to_string(m);
}

std::string momentNames() {
    std::string s = "startup, uninstall";
    int last = -1;
    for (const Named& n : kPages) {
        if (n.value == last) continue;
        last = n.value;
        s += std::string(", after-") + n.name;
    }
    return s;
}

std::optional<int> rootKey(const std::string& name) { return find(kRootKeys, name); }
const char* rootKeyName(int number) { return number >= 0 && number <= 6 ? kRootShort[number] : "?"; }
std::string rootKeyNames() { return "HKCR, HKCU, HKLM, HKU, HKPD, HKCC, HKDD (or their HKEY_ names)"; }

std::optional<std::uint32_t> replaceRule(const std::string& name) {
    auto v = find(kReplaceRules, name);
    return v ? std::optional<std::uint32_t>(*v) : std::nullopt;
}
const char* replaceRuleName(std::uint32_t rule) { return nameOf(kReplaceRules, int(rule)); }
std::string replaceRuleNames() { return list(kReplaceRules); }

std::optional<std::uint32_t> comparisonBasis(const std::string& name) {
    auto v = find(kBases, name);
    return v ? std::optional<std::uint32_t>(*v) : std::nullopt;
}
const char* comparisonBasisName(std::uint32_t basis) { return nameOf(kBases, int(basis)); }
std::string comparisonBasisNames() { return list(kBases); }

std::optional<std::uint32_t> registryType(const std::string& name) {
    auto v = find(kRegistryTypes, name);
    return v ? std::optional<std::uint32_t>(*v) : std::nullopt;
}
const char* registryTypeName(std::uint32_t type) { return nameOf(kRegistryTypes, int(type)); }
std::string registryTypeNames() { return list(kRegistryTypes); }

std::optional<std::uint32_t> systemColour(const std::string& name) {
    auto v = find(kSystemColours, name);
    return v ? std::optional<std::uint32_t>(std::uint32_t(*v)) : std::nullopt;
}

std::optional<int> showCommand(const std::string& name) { return find(kShowCommands, name); }
std::optional<int> windowMode(const std::string& name) { return find(kWindowModes, name); }

std::optional<std::uint32_t> hotkey(const std::string& text) {
    std::uint32_t modifiers = 0;
    std::optional<int> key;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t plus = text.find('+', start);
        std::string part = lower(text.substr(start, plus == std::string::npos ? std::string::npos : plus - start));
        if (key) return std::nullopt;  // the key must come last
        if (part == "ctrl" || part == "control") modifiers |= 0x02;
        else if (part == "shift") modifiers |= 0x01;
        else if (part == "alt") modifiers |= 0x04;
        else if (part == "ext") modifiers |= 0x08;
        else if (part.size() == 1 && std::isalnum(static_cast<unsigned char>(part[0])))
            key = std::toupper(static_cast<unsigned char>(part[0]));
        else if (part.size() >= 2 && part[0] == 'f' && part.find_first_not_of("0123456789", 1) == std::string::npos) {
            int n = std::stoi(part.substr(1));
            if (n < 1 || n > 24) return std::nullopt;
            key = 0x70 + n - 1;
        } else if (auto k = find(kKeys, part)) {
            key = *k;
        } else {
            return std::nullopt;
        }
        if (plus == std::string::npos) break;
        start = plus + 1;
    }
    if (!key) return std::nullopt;
    return (modifiers << 8) | std::uint32_t(*key);
}

namespace {

constexpr const char* kWindowsKeywords[] = {"NT", "95OSR2", "NT4", "98", "98SE", "ME", "2000", "XP", "2003"};
constexpr const char* kDirectXKeywords[] = {"1.0", "2.0", "3.0", "5.0", "6.0", "6.1", "7.0", "8.0", "8.1", "9.0"};
constexpr const char* kIeKeywords[] = {
    "3.0", "3.01", "3.02", "4.0", "4.01", "4.01SP1", "4.01SP2", "5.0", "5.01",
    "5.01SP1", "5.01SP2", "5.01SP3", "5.5", "5.5SP1", "5.5SP2", "6.0", "6.0SP1",
};
constexpr const char* kAccessKeywords[] = {"97", "97SR1", "97SR2", "2000", "2000SR1", "2000SR2", "XP"};

template <class F>
auto withKeywords(Requirement kind, F f) {
    switch (kind) {
        case Requirement::Windows: return f(kWindowsKeywords);
        case Requirement::DirectX: return f(kDirectXKeywords);
        case Requirement::InternetExplorer: return f(kIeKeywords);
        default: return f(kAccessKeywords);
    }
}

}  // namespace

std::optional<std::string> requirementKeyword(Requirement kind, const std::string& text) {
    return withKeywords(kind, [&](const auto& table) -> std::optional<std::string> {
        for (const char* k : table)
            if (lower(k) == lower(text)) return std::string(k);
        return std::nullopt;
    });
}

std::string requirementKeywords(Requirement kind) {
    return withKeywords(kind, [](const auto& table) {
        std::string s;
        for (const char* k : table) s += (s.empty() ? "" : ", ") + std::string(k);
        return s;
    });
}

const std::vector<std::string>& folderKeywords() {
    static const std::vector<std::string> kKeywords = {
        "<AppData>", "<CommonAppData>", "<CommonDesktop>", "<CommonFavorites>", "<CommonFiles>",
        "<CommonPrograms>", "<CommonStartMenu>", "<CommonStartup>", "<CommonTemplates>", "<Desktop>",
        "<IE>", "<Favorites>", "<Fonts>", "<MSAccess>", "<NetHood>", "<Documents>", "<ProgramFiles>",
        "<Programs>", "<QuickLaunch>", "<SentTo>", "<StartMenu>", "<StartUp>", "<System>", "<Temp>",
        "<Template>", "<Windows>", "<UserProfile>", "<AllUsers>", "<CommonDocuments>",
        "<CommonPictures>", "<CommonMusic>", "<CommonVideo>", "<Pictures>", "<Music>", "<Video>",
    };
    return kKeywords;
}

bool isFolderKeyword(const std::string& token) {
    for (const std::string& k : folderKeywords())
        if (lower(k) == lower(token)) return true;
    return false;
}

std::optional<int> stringGroup(const std::string& name) {
    if (auto g = find(kGroups, name)) return g;
    return pageSlot(name);
}

std::string stringGroupName(int group) {
    const char* n = nameOf(kGroups, group);
    if (*n) return n;
    n = pageName(group);
    return *n ? n : "slot-" + std::to_string(group);
}

std::optional<int> stringIndex(int group, const std::string& name) {
    return withNames(group, [&](const auto& table) { return find(table, name); });
}

std::string stringIndexName(int group, int index) {
    return withNames(group, [&](const auto& table) { return std::string(nameOf(table, index)); });
}

std::string stringIndexNames(int group) {
    return withNames(group, [](const auto& table) { return list(table); });
}

}  // namespace corvel::build
