#include "script.hpp"

#include <cstdio>

#include "codepage.hpp"
#include "languages.hpp"
#include "names.hpp"

namespace corvel::build {

namespace {

std::string hex6(std::uint32_t rgb) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "0x%06X", unsigned(rgb & 0xFFFFFF));
    return buf;
}

std::string num(long long v) { return std::to_string(v); }

// Joins fields, leaving out empty ones at the end (the stub reads missing
// fields as empty).
std::string join(std::vector<std::string> fields) {
    while (!fields.empty() && fields.back().empty()) fields.pop_back();
    return joinFields(fields);
}

std::string fontText(const Font& f) { return f.face + "," + hex6(f.rgb); }

ProductRecord productOf(const Manifest& m) {
    const Product& p = m.product;
    ProductRecord r;
    r.productName = p.name;
    r.displayName = p.displayName;
    r.normalFont = fontText(p.font);
    r.colour1 = p.pageColour;
    r.colour2 = p.bandColour;
    r.titleFont = fontText(p.titleFont);
    r.colour3 = p.headerColour;
    r.options1 = std::uint8_t((p.welcomeInHeaderColour ? kProductWelcomeHeaderColour : 0) |
                              (p.captionBar ? kProductCaptionBar : 0));
    if (p.installPathFrom)
        r.installPathSource = joinFields({rootKeyName(p.installPathFrom->root), p.installPathFrom->key,
                                          p.installPathFrom->value});
    if (p.launch.size() > 0) r.launchFile1 = p.launch[0];
    if (p.launch.size() > 1) r.launchFile2 = p.launch[1];
    r.options2 = std::uint8_t((p.compactDialogs ? kProductCompactDialogs : 0) |
                              (p.offerProgramGroup ? kProductGroupOption : 0) |
                              (p.offerDesktop ? kProductDesktopOption : 0) |
                              (p.offerQuickLaunch ? kProductQuickLaunchOption : 0) |
                              (p.rebootRequired ? kProductReboot : 0) |
                              (p.createUninstaller ? kProductUninstaller : 0));
    return r;
}

}  // namespace

bool textsWritten(const Manifest& m, int group) {
    if (group >= 0x60 || group == 12) return true;
    return group >= 0 && group < 12 && m.pages[std::size_t(group)];
}

std::map<TextKey, std::string> languageTexts(const Manifest& m, std::uint16_t language) {
    std::map<TextKey, std::string> texts;
    int codePage = languageCodePage(language);
    // The manifest loader has refused a language without a table of its own
    // unless the manifest gives all of its texts, and names that its code
    // page cannot hold; the tests check that the tables convert cleanly.
    if (const TextTable* table = builtinTexts(language))
        for (std::size_t i = 0; i < table->count; ++i) {
            const TextEntry& e = table->entries[i];
            if (textsWritten(m, e.group))
                texts[{e.group, e.index}] = toAnsi(e.text, nullptr, codePage).value_or(std::string());
        }
    for (const TextOverride& o : m.texts)
        if (o.language == language) texts[{o.group, o.index}] = o.text;
    std::string displayName = toAnsi(fromAnsi(m.product.displayName), nullptr, codePage).value_or(std::string());
    std::string productName = toAnsi(fromAnsi(m.product.name), nullptr, codePage).value_or(std::string());
    for (auto& [key, text] : texts) text = fillNames(text, displayName, productName);
    return texts;
}

std::uint16_t writtenCodePage(const std::map<TextKey, std::string>& texts, std::uint16_t language) {
    for (const auto& [key, text] : texts)
        for (char c : text)
            if (static_cast<unsigned char>(c) >= 0x80) return std::uint16_t(languageCodePage(language));
    return 0;
}

std::string shortcutText(const Shortcut& s) {
    return join({s.link, s.target, s.arguments, s.workingFolder, s.icon, s.iconIndex ? num(s.iconIndex) : "",
                 s.show ? num(*s.show) : "", s.hotkey ? num(*s.hotkey) : "", s.shared ? "1" : ""});
}

std::string registryText(const RegistryValue& r) {
    return joinFields({num(r.root), r.key, r.name, num(r.type), r.data});
}

std::string iniText(const IniEntry& e) {
    return join({e.file, e.section, e.key.value_or(""), e.value.value_or(""), e.append ? "1" : ""});
}

std::string associationText(const Association& a) {
    return join({a.extension, a.fileType, a.contentType, a.description, a.infoTip, a.command, a.icon,
                 a.icon.empty() && !a.iconIndex ? "" : num(a.iconIndex)});
}

std::string programText(const Program& p) {
    return joinFields({p.open ? "open" : p.path, p.open ? p.path : p.arguments, p.workingFolder, num(p.moment),
                       p.wait ? "1" : "0", p.runOnce ? "1" : "0", num(p.window)});
}

std::string dllCallText(const DllCall& d) {
    return joinFields({d.dll, d.function, d.argument1, d.argument2, num(d.moment), d.runOnce ? "1" : "0"});
}

std::string backgroundText(const BackgroundText& t) {
    // The stub reads the first field between double quotes, so it may hold commas.
    return joinFields({"\"" + t.text + "\"", t.right ? "right" : "left", t.bottom ? "bottom" : "top", num(t.x),
                       num(t.y), t.face, num(t.size), num(t.width), num(t.weight), t.italic ? "1" : "0",
                       t.underline ? "1" : "0", hex6(t.rgb), num(t.shadow), hex6(t.shadowRgb)});
}

std::vector<Record> scriptRecords(const Manifest& m) {
    std::vector<Record> out;
    for (const Variable& v : m.variables) out.push_back(variableRecord(v.name, v.value));
    out.push_back(productRecord(productOf(m)));
    std::array<std::uint8_t, 12> pages{};
    for (std::size_t i = 0; i < 12; ++i) pages[i] = m.pages[i] ? 1 : 0;
    out.push_back(pageSwitchesRecord(pages));
    std::vector<std::uint16_t> codePages;
    std::vector<Record> strings;
    for (std::uint16_t language : m.languages) {
        auto texts = languageTexts(m, language);
        codePages.push_back(writtenCodePage(texts, language));
        for (const auto& [key, text] : texts)
            strings.push_back(stringRecord(language, std::uint8_t(key.group), std::uint8_t(key.index), text));
    }
    out.push_back(languagesRecord(m.autoSelectLanguage ? kLanguagesAutoSelect : 0, m.languages, codePages));
    out.insert(out.end(), strings.begin(), strings.end());
    if (m.licence) out.push_back(licenceRecord(*m.licence));
    if (m.readme) out.push_back(readmeRecord(*m.readme));
    if (m.background.enabled) out.push_back(gradientRecord(m.background.startRgb, m.background.endRgb));
    if (m.product.accentRgb) {
        std::uint32_t rgb = *m.product.accentRgb;
        out.push_back(accentColourRecord(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF)));
    }
    if (m.requirements.present) {
        const Requirements& r = m.requirements;
        out.push_back(requirementsRecord(
            RequirementsRecord{r.windows, r.directX, r.internetExplorer, r.access, std::uint8_t(r.administrator)}));
    }
    for (const Shortcut& s : m.shortcuts) out.push_back(shortcutRecord(shortcutText(s)));
    for (const RegistryValue& r : m.registry) out.push_back(registryRecord(registryText(r)));
    for (const IniEntry& e : m.ini) out.push_back(iniRecord(iniText(e)));
    for (const Association& a : m.associations) out.push_back(associationRecord(associationText(a)));
    for (const Program& p : m.programs) out.push_back(programRecord(programText(p)));
    for (const DllCall& d : m.dllCalls) out.push_back(dllCallRecord(dllCallText(d)));
    for (const BackgroundText& t : m.background.texts) out.push_back(backgroundTextRecord(backgroundText(t)));
    return out;
}

}  // namespace corvel::build
