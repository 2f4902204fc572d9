#include "inspect.hpp"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "codepage.hpp"
#include "installer.h"
#include "languages.hpp"
#include "names.hpp"
#include "progress.hpp"
#include "signing.hpp"

namespace corvel::build {

namespace fs = std::filesystem;

namespace {

std::string hex(std::uint64_t v, int width = 8) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "0x%0*llX", width, (unsigned long long)v);
    return buf;
}

std::string quoted(const std::string& ansi, int codePage = kDefaultCodePage) {
    std::string s = fromAnsi(ansi, codePage), out = "\"";
    for (char c : s) {
        if (c == '\n') out += "\\n";
        else if (c == '\r') out += "\\r";
        else if (c == '\t') out += "\\t";
        else if (c == '"' || c == '\\') out += std::string("\\") + c;
        else out += c;
    }
    return out + "\"";
}

std::string timeText(const FileTime& ft) {
    if (ft.value() == 0) return "-";
    std::time_t t = std::time_t(unixFromFileTime(ft));
    std::tm tm{};
#ifdef _WIN32
    gmtime_s(&tm, &t);
#else
    gmtime_r(&t, &tm);
#endif
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &tm);
    return buf;
}

std::string attributesText(std::uint32_t a) {
    std::string s;
    if (a & 0x01) s += "R";
    if (a & 0x02) s += "H";
    if (a & 0x04) s += "S";
    if (a & 0x20) s += "A";
    if (a & 0x80) s += "N";
    return s.empty() ? "-" : s;
}

std::string colourText(std::uint32_t stored) {
    if (stored & 0x02000000) return "window";
    if (stored & 0x01000000) return "buttonface";
    return "#" + hex(((stored & 0xFF) << 16) | (stored & 0xFF00) | ((stored >> 16) & 0xFF), 6).substr(2);
}

std::string languageText(std::uint16_t id) {
    std::string name = languageName(id);
    return std::to_string(id) + (name.empty() ? "" : " (" + name + ")");
}

std::string textGroupText(int group, int index) {
    std::string name = stringIndexName(group, index);
    return stringGroupName(group) + "." + std::to_string(index) + (name.empty() ? "" : " (" + name + ")");
}

std::string momentField(const std::string& field) {
    if (field.empty()) return "after-installing";
    try {
        return momentName(std::stoi(field));
    } catch (...) {
        return field;
    }
}

void printRecord(std::ostream& out, const Record& record) {
    out << "  " << recordTypeName(record.type) << " (type " << record.type << ", " << record.payload.size()
        << " bytes): ";
    auto decoded = decodeRecord(record);
    if (!decoded) {
        out << "cannot decode: " << decoded.error << "\n";
        return;
    }
    struct Printer {
        std::ostream& out;
        void operator()(const VariableRecord& r) { out << quoted(r.name) << " = " << quoted(r.value) << "\n"; }
        void operator()(const PageSwitchesRecord& r) {
            std::string on;
            for (int i = 0; i < 12; ++i)
                if (r.pages[std::size_t(i)]) {
                    std::string name = pageName(i);
                    on += (on.empty() ? "" : ", ") + (name.empty() ? "slot " + std::to_string(i) : name);
                }
            out << (on.empty() ? "no page" : on) << "\n";
        }
        void operator()(const TextRecord& r) {
            std::uint32_t type = std::uint32_t(r.type);
            out << quoted(r.text);
            std::vector<std::string> f = splitFields(r.text, type == 17);
            if (type == 13) out << "  [moment " << momentField(f[3]) << "]";
            if (type == 14) out << "  [moment " << momentField(f[4]) << "]";
            if (type == 11) {
                int root = std::atoi(f[0].c_str());
                out << "  [" << rootKeyName(root) << ", " << registryTypeName(std::uint32_t(std::atoi(f[3].c_str())))
                    << "]";
            }
            out << "\n";
        }
        void operator()(const StringRecord& r) {
            out << "language " << languageText(r.language) << ", " << textGroupText(r.group, r.index) << " = "
                << quoted(r.text, writableCodePage(languageCodePage(r.language)) ? languageCodePage(r.language)
                                                                                    : kDefaultCodePage)
                << "\n";
        }
        void operator()(const LanguagesRecord& r) {
            out << "auto-select " << (r.autoSelect & kLanguagesAutoSelect ? "on" : "off") << ", ids:";
            for (std::size_t i = 0; i < r.ids.size(); ++i) {
                out << " " << languageText(r.ids[i]);
                if (i < r.codePages.size()) out << (r.codePages[i] ? " (" + codePageName(r.codePages[i]) + ")" : " (ASCII)");
            }
            out << "\n";
        }
        void operator()(const GradientRecord& r) {
            out << "from #" << hex(r.start, 6).substr(2) << " to #" << hex(r.end, 6).substr(2) << "\n";
        }
        void operator()(const AccentColourRecord& r) { out << colourText(r.colour) << "\n"; }
        void operator()(const ProductRecord& r) {
            out << "\n    product name " << quoted(r.productName) << "\n    display name " << quoted(r.displayName)
                << "\n    font " << quoted(r.normalFont) << ", title font " << quoted(r.titleFont)
                << "\n    page colour " << colourText(r.colour1) << ", band colour " << colourText(r.colour2)
                << ", header colour " << colourText(r.colour3) << "\n    options 1 " << hex(r.options1, 2) << ":"
                << (r.options1 & kProductWelcomeHeaderColour ? " welcome-in-header-colour" : "")
                << (r.options1 & kProductCaptionBar ? " caption-bar" : "") << "\n    install path from "
                << quoted(r.installPathSource) << "\n    launch " << quoted(r.launchFile1) << ", "
                << quoted(r.launchFile2) << "\n    options 2 " << hex(r.options2, 2) << ":"
                << (r.options2 & kProductCompactDialogs ? " compact-dialogs" : "")
                << (r.options2 & kProductGroupOption ? " offer-program-group" : "")
                << (r.options2 & kProductDesktopOption ? " offer-desktop" : "")
                << (r.options2 & kProductQuickLaunchOption ? " offer-quick-launch" : "")
                << (r.options2 & kProductReboot ? " reboot-required" : "")
                << (r.options2 & kProductUninstaller ? " create-uninstaller" : "") << "\n";
        }
        void operator()(const RequirementsRecord& r) {
            out << "windows " << quoted(r.windows) << ", directx " << quoted(r.directX) << ", internet explorer "
                << quoted(r.internetExplorer) << ", access " << quoted(r.access) << ", administrator "
                << (r.admin ? "yes" : "no") << "\n";
        }
    };
    std::visit(Printer{out}, decoded.value);
}

bool intact(const Result<InstallerInfo>& info) { return info.ok() && info->checksumValid && info->problems.empty(); }

// A host folder name for a package folder: %X% -> X, <X> -> X, C: -> C.
fs::path hostFolder(const std::string& ansi) {
    fs::path p;
    std::string piece;
    auto flush = [&] {
        std::string clean;
        for (char c : piece)
            if (c != '%' && c != '<' && c != '>' && c != ':') clean += c;
        if (!clean.empty() && clean != "." && clean != "..") p /= fs::u8path(fromAnsi(clean));
        piece.clear();
    };
    for (char c : ansi) {
        if (c == '\\' || c == '/') flush();
        else piece += c;
    }
    flush();
    return p;
}

}  // namespace

bool inspectInstaller(const std::string& path, std::ostream& out) {
    auto info = readInstallerFile(path);
    const InstallerInfo& i = info.value;
    out << path << ": " << i.fileSize << " bytes\n";
    out << "DOS header\n  PackageOffset " << i.packageOffset << "\n  ScriptStoredLength " << i.scriptStoredLength
        << "\n  FileChecksum " << hex(i.fileChecksum) << " (computed " << hex(i.computedChecksum) << ", "
        << (i.checksumValid ? "holds" : "DOES NOT HOLD") << ")\n";
    if (i.signature)
        out << "signature\n  certificate table at " << i.signature->tableOffset << ", " << i.signature->tableSize
            << " bytes (outside the checksum)\n";
    if (i.headerRead) {
        out << "package header\n  FirstGroupOffset " << i.firstGroupOffset << "\n  ScriptOffset " << i.scriptOffset
            << "\n  SpaceRequired " << i.spaceRequired << " (" << humanBytes(double(i.spaceRequired)) << ")\n";
    }
    std::size_t g = 0;
    for (const GroupInfo& group : i.groups) {
        out << "group " << g++ << ": " << quoted(group.folder) << "\n  replace "
            << (*replaceRuleName(group.replaceRule) ? replaceRuleName(group.replaceRule)
                                                     : std::to_string(group.replaceRule).c_str())
            << ", compare "
            << (*comparisonBasisName(group.comparisonBasis) ? comparisonBasisName(group.comparisonBasis)
                                                            : std::to_string(group.comparisonBasis).c_str())
            << ", shared " << (group.sharedFlag ? "yes" : "no") << ", " << group.entries.size() << " entries\n";
        for (const EntryInfo& e : group.entries) {
            if (!e.isFile()) {
                out << "  folder " << quoted(e.path) << "\n";
                continue;
            }
            out << "  file " << quoted(e.path) << "\n    size " << e.sizeLow << ", stored " << e.storedSize
                << (e.isCompressed() ? " (compressed)" : " (raw)") << ", attributes " << attributesText(e.attributes)
                << ", version "
                << (e.versionHigh || e.versionLow ? FileVersion{e.versionHigh, e.versionLow}.toString()
                                                  : std::string("none"))
                << "\n    created " << timeText(e.creationTime) << ", accessed " << timeText(e.lastAccessTime)
                << ", written " << timeText(e.lastWriteTime) << " UTC\n";
        }
    }
    if (i.scriptRead) {
        out << "script: " << i.scriptUncompressedSize << " bytes, " << i.records.records.size() << " records"
            << (i.records.terminated ? "" : ", NO TERMINATOR") << "\n";
        for (const Record& r : i.records.records) printRecord(out, r);
    }
    bool ok = intact(info);
    if (ok) out << "checksum holds; the installer is intact\n";
    for (const std::string& p : i.problems) out << "problem: " << p << "\n";
    if (!info.ok() && i.problems.empty()) out << "problem: " << info.error << "\n";
    return ok;
}

bool verifyInstaller(const std::string& path, std::ostream& out, std::ostream& err) {
    auto info = readInstallerFile(path);
    if (intact(info)) {
        out << path << ": intact (checksum " << hex(info->fileChecksum) << ", " << info->records.records.size()
            << " records); ";
        if (!info->signature) {
            out << "not signed\n";
            return true;
        }
        const SignatureCheck check = checkSignature(path);
        if (check.toolMissing) {
            out << "signed, but osslsigncode was not found to check the signature\n";
            return true;
        }
        if (!check.holds) {
            out << "signed, but the signature DOES NOT HOLD\n";
            err << path << ": the file changed after it was signed\n";
            return false;
        }
        out << "signed" << (check.signer.empty() ? "" : " by " + check.signer) << ", the signature holds\n";
        return true;
    }
    if (info->problems.empty()) err << path << ": " << (info.ok() ? "checksum does not hold" : info.error) << "\n";
    for (const std::string& p : info->problems) err << path << ": " << p << "\n";
    return false;
}

bool extractInstaller(const std::string& path, const std::string& folder, std::ostream& out, std::ostream& err) {
    auto info = readInstallerFile(path);
    bool ok = intact(info);
    if (!ok) {
        for (const std::string& p : info->problems) err << path << ": " << p << "\n";
        if (info->problems.empty()) err << path << ": " << info.error << "\n";
    }
    std::size_t files = 0;
    for (const GroupInfo& group : info->groups) {
        fs::path base = fs::u8path(folder) / hostFolder(group.folder);
        std::vector<fs::path> stack{base};
        std::error_code ec;
        fs::create_directories(base, ec);
        for (const EntryInfo& e : group.entries) {
            // Entry names come from the file: refuse any that would climb out.
            if (e.depth >= stack.size() || e.name.empty() || e.name == "." || e.name == ".." ||
                e.name.find_first_of("\\/:") != std::string::npos) {
                err << path << ": skipped entry " << quoted(e.name) << ": not a plain name at a known depth\n";
                ok = false;
                continue;
            }
            stack.resize(e.depth + 1);
            fs::path target = stack.back() / fs::u8path(fromAnsi(e.name));
            if (!e.isFile()) {
                fs::create_directories(target, ec);
                stack.push_back(target);
                continue;
            }
            std::ofstream f(target, std::ios::binary | std::ios::trunc);
            f.write(reinterpret_cast<const char*>(e.contents.data()), std::streamsize(e.contents.size()));
            f.close();
            if (!f || !e.contentsComplete) {
                err << path << ": " << (f ? "incomplete data for " : "cannot write ") << target.u8string() << "\n";
                ok = false;
            }
            auto seconds = unixFromFileTime(e.lastWriteTime);
            auto when = fs::file_time_type::clock::now() +
                        std::chrono::duration_cast<fs::file_time_type::duration>(
                            std::chrono::seconds(seconds) -
                            std::chrono::duration_cast<std::chrono::seconds>(
                                std::chrono::system_clock::now().time_since_epoch()));
            fs::last_write_time(target, when, ec);
            ++files;
        }
    }
    out << files << " files written below " << folder << "\n";
    return ok;
}

}  // namespace corvel::build
