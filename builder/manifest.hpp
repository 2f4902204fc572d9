// The manifest as the builder understands it: everything an installer can
// do, with names already turned into the numbers the package stores and every
// text already in Windows-1252. Loaded from TOML by loadManifest().
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "diagnostics.hpp"
#include "fileinfo.h"
#include "resources.hpp"

namespace corvel::build {

struct Font {
    std::string face;          // "" = the stub's default (Tahoma)
    std::uint32_t rgb = 0;     // 0xRRGGBB
};

struct RegistrySource {
    int root = 2;              // 0..6
    std::string key;
    std::string value;
};

struct Product {
    Location where;
    std::string name;          // product name (uninstall entry, install log)
    std::string displayName;   // caption "%s Setup"
    Font font;
    Font titleFont;
    // As stored in the product record: a COLORREF or a system-colour flag.
    std::uint32_t pageColour = 0x01000000;
    std::uint32_t bandColour = 0x01000000;
    std::uint32_t headerColour = 0x02000000;
    std::optional<std::uint32_t> accentRgb;
    bool compactDialogs = false;
    bool welcomeInHeaderColour = false;
    bool captionBar = true;
    bool offerProgramGroup = true;
    bool offerDesktop = true;
    bool offerQuickLaunch = true;
    bool rebootRequired = false;
    bool createUninstaller = true;
    std::optional<RegistrySource> installPathFrom;
    std::vector<std::string> launch;  // at most two
    std::string icon;                 // host path of an .ico; "" keeps the stub's icon
    Location iconWhere;
};

// How `corvelbuild build --sign` signs: through osslsigncode, with a
// PKCS#12 file or a PEM certificate and key; the password comes from the
// environment, never from the manifest.
struct Signing {
    Location where;
    std::string certificate;       // host path
    std::string key;               // host path, PEM only
    std::string passwordVariable;  // environment variable, "" = no password
    std::string timestamp;         // RFC 3161 server URL, "" = none
    std::string description, url;  // UTF-8, shown by the system's signature dialog
};

struct Variable {
    std::string name;   // with percent signs: "%InstallPath%"
    std::string value;
    Location where;
};

struct TextOverride {
    std::uint16_t language = 9;
    int group = 0;      // 0x60, 0x70, 0x80 or a page slot
    int index = 0;
    std::string text;
    Location where;
};

struct ListedFile {
    std::string path;   // host path
    Location where;
};

struct FileGroup {
    Location where;
    std::string key;                     // "files[0]", for messages
    std::string destination;             // may hold %Variables% and <Keywords>
    std::uint32_t replaceRule = 0;       // always
    std::uint32_t comparisonBasis = 2;   // version and date
    bool shared = false;
    bool compress = true;
    std::string source;                  // host folder, empty for a list
    std::vector<std::string> include;    // glob patterns, empty = everything
    std::vector<std::string> exclude;
    std::vector<ListedFile> list;        // host files, installed by their names
    std::optional<std::uint32_t> attributes;  // overrides what the source files say
};

struct Shortcut {
    Location where;
    std::string link, target, arguments, workingFolder, icon;
    int iconIndex = 0;
    std::optional<int> show;
    std::optional<std::uint32_t> hotkey;
    bool shared = false;
};

struct RegistryValue {
    Location where;
    int root = 2;
    std::string key, name;
    std::uint32_t type = 1;
    std::string data;  // as the stub reads it for that type
};

struct IniEntry {
    Location where;
    std::string file, section;
    std::optional<std::string> key, value;
    bool append = false;
};

struct Association {
    Location where;
    std::string extension, fileType, contentType, description, infoTip, command, icon;
    int iconIndex = 0;
};

struct Program {
    Location where;
    bool open = false;      // open a document through the shell
    std::string path;       // program, or the document when `open`
    std::string arguments, workingFolder;
    int moment = 11;
    bool wait = true, runOnce = true;
    int window = 0;         // 0 normal, 1 minimized, 2 maximized
};

struct DllCall {
    Location where;
    std::string dll, function, argument1, argument2;
    int moment = 11;
    bool runOnce = true;
};

struct Requirements {
    bool present = false;
    std::string windows, directX, internetExplorer, access;
    bool administrator = false;
};

struct BackgroundText {
    Location where;
    std::string text;
    bool right = false, bottom = false;
    int x = 0, y = 0;
    std::string face;
    int size = 0, width = 0, weight = 0;  // weight in hundreds, 0 = normal
    bool italic = false, underline = false;
    std::uint32_t rgb = 0;
    int shadow = 0;
    std::uint32_t shadowRgb = 0;
};

struct Background {
    bool enabled = false;
    std::uint32_t startRgb = 0, endRgb = 0;
    std::vector<BackgroundText> texts;
};

struct Manifest {
    std::string path;      // the manifest file
    std::string baseDir;   // its folder; relative paths start here
    std::string output;    // default output file (host path), may be empty

    Product product;
    std::vector<Variable> variables;            // in the order they are written
    std::array<bool, 12> pages{};
    std::vector<std::uint16_t> languages{9};
    bool autoSelectLanguage = true;
    std::vector<TextOverride> texts;
    std::optional<std::string> licence, readme;

    std::vector<FileGroup> files;
    std::vector<Shortcut> shortcuts;
    std::vector<RegistryValue> registry;
    std::vector<IniEntry> ini;
    std::vector<Association> associations;
    std::vector<Program> programs;
    std::vector<DllCall> dllCalls;
    Requirements requirements;
    Background background;

    VersionResource version;            // [version], defaults from [product]
    std::optional<Signing> signing;     // [sign]

    int compressionLevel = 9;
    std::optional<FileTime> fixedTime;  // every installed file gets this time

    std::vector<std::string> warnings;  // "file:line:column: warning: ..." lines
};

// Reads and checks a manifest. Throws BuildError with the place of the fault.
Manifest loadManifest(const std::string& path);
// Same for a manifest held in memory; `path` names it and anchors relative paths.
Manifest parseManifest(const std::string& text, const std::string& path);

}  // namespace corvel::build
