// Reading the manifest: the top level, variables, pages, languages and texts.
// The product, file groups and actions have files of their own.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "codepage.hpp"
#include "languages.hpp"
#include "manifest_parts.hpp"
#include "names.hpp"
#include "script.hpp"
#include "texts.hpp"

namespace corvel::build {

namespace fs = std::filesystem;

std::string hostPath(const Manifest& m, const std::string& utf8) {
    fs::path p = fs::u8path(utf8);
    if (p.is_relative()) p = fs::u8path(m.baseDir) / p;
    return p.lexically_normal().u8string();
}

bool hasVariable(const Manifest& m, const std::string& name) {
    std::string wanted = "%" + lower(name) + "%";
    for (const Variable& v : m.variables)
        if (lower(v.name) == wanted) return true;
    return false;
}

void noComma(const std::string& text, const Location& where, const std::string& key) {
    if (text.find(',') != std::string::npos)
        fail(where, key, "cannot contain a comma: the setup program splits this record at commas");
}

std::string fieldText(const Section& s, std::string_view name, bool required) {
    auto t = required ? std::optional<std::string>(s.needText(name)) : s.text(name);
    if (!t) return {};
    noComma(*t, s.at(name), s.path(name));
    return *t;
}

void checkTokens(const Manifest& m, const std::string& text, const Location& where, const std::string& key) {
    auto nameChar = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.';
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%') {
            std::size_t j = i + 1;
            while (j < text.size() && nameChar(text[j])) ++j;
            if (j > i + 1 && j < text.size() && text[j] == '%') {
                std::string name = text.substr(i + 1, j - i - 1);
                if (!hasVariable(m, name))
                    fail(where, key, "unknown variable %" + name + "%; define it under [variables]");
                i = j;
            }
        } else if (text[i] == '<') {
            std::size_t j = text.find('>', i);
            if (j == std::string::npos) fail(where, key, "'<' without '>': folder keywords are written <Name>");
            std::string token = text.substr(i, j - i + 1);
            if (!isFolderKeyword(token))
                fail(where, key, "unknown folder keyword " + token + "; known are " + [] {
                    std::string s;
                    for (const auto& k : folderKeywords()) s += (s.empty() ? "" : " ") + k;
                    return s;
                }());
            i = j;
        }
    }
}

namespace {

void loadVariables(const Section& top, Manifest& m) {
    auto table = top.table("variables");
    if (!table) return;
    struct Item { std::string name, value; Location where; };
    std::vector<Item> items;
    for (auto&& [k, v] : table->raw()) {
        std::string name(k.str());
        if (name.size() >= 2 && name.front() == '%' && name.back() == '%') name = name.substr(1, name.size() - 2);
        Location where = table->keyAt(k.str());
        bool good = !name.empty();
        for (char c : name)
            if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' || c == '.')) good = false;
        if (!good)
            fail(where, table->path(k.str()),
                 "a variable name may hold letters, digits, '_', '-' and '.' only");
        for (const Item& it : items)
            if (lower(it.name) == lower(name))
                fail(where, table->path(k.str()),
                     "variable %" + name + "% is defined twice (names ignore letter case)");
        items.push_back({name, ansiText(*table, v, k.str()), where});
    }
    // Document order (toml++ keeps keys sorted).
    std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
        return a.where.line != b.where.line ? a.where.line < b.where.line : a.where.column < b.where.column;
    });

    // The stub expands variables in one pass in table order, so a variable
    // must come before every variable its value refers to.
    auto refers = [](const Item& from, const Item& to) {
        return lower(from.value).find("%" + lower(to.name) + "%") != std::string::npos;
    };
    std::vector<bool> placed(items.size());
    std::vector<Item> ordered;
    while (ordered.size() < items.size()) {
        bool progress = false;
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (placed[i]) continue;
            bool blocked = false;  // someone not yet placed refers to i
            for (std::size_t j = 0; j < items.size() && !blocked; ++j)
                if (!placed[j] && j != i && refers(items[j], items[i])) blocked = true;
            if (blocked) continue;
            placed[i] = true;
            ordered.push_back(items[i]);
            progress = true;
            break;
        }
        if (!progress) {
            for (std::size_t i = 0; i < items.size(); ++i)
                if (!placed[i])
                    fail(items[i].where, table->path(items[i].name),
                         "%" + items[i].name + "% refers to itself through its value or other variables; "
                         "the setup program could never finish expanding it");
        }
    }
    for (const Item& it : ordered) {
        if (refers(it, it))
            fail(it.where, table->path(it.name), "%" + it.name + "% refers to itself");
        m.variables.push_back({"%" + it.name + "%", it.value, it.where});
    }
}

void requireVariables(const Section& top, const Manifest& m) {
    Location where = top.has("variables") ? top.at("variables") : Location{m.path, 1, 1};
    for (const char* name : {"InstallPath", "UninstallerFileName"})
        if (!hasVariable(m, name))
            fail(where, "variables",
                 std::string("missing variable %") + name + "%: the setup program needs it" +
                     (std::string(name) == "InstallPath" ? " as the folder to install into"
                                                         : " as the file name of the uninstaller") +
                     "; define it under [variables]");
    for (const Variable& v : m.variables) {
        if (lower(v.name) != "%uninstallerfilename%") continue;
        if (v.value.empty() || v.value.find_first_of("\\/:") != std::string::npos)
            fail(v.where, "variables.UninstallerFileName",
                 "must be a plain file name such as uninstall.exe (it is placed in %InstallPath%)");
    }
}

void loadLanguages(const Section& top, Manifest& m) {
    const toml::node* n = top.node("languages");
    if (!n) return;
    const toml::array* list = nullptr;
    std::optional<Section> table;
    std::string key = "languages";
    if (n->is_array()) {
        list = n->as_array();
    } else if (n->is_table()) {
        table = top.table("languages");
        table->allow({"list", "auto-select"});
        if (auto a = table->flag("auto-select")) m.autoSelectLanguage = *a;
        const toml::node* l = table->node("list");
        if (!l) table->fail("list", "missing; [languages] needs 'list', for example list = [\"English\", \"German\"]");
        if (!l->is_array()) table->wrongType("list", "an array of language names or ids");
        list = l->as_array();
        key = "languages.list";
    } else {
        top.wrongType("languages", "an array or a table");
    }
    const Section& owner = table ? *table : top;
    std::string_view name = table ? "list" : "languages";
    m.languages.clear();
    for (const toml::node& item : *list) {
        std::uint16_t id;
        if (item.is_integer()) {
            std::int64_t v = item.as_integer()->get();
            if (v < 0 || v > kMaxLanguageId)
                owner.failAt(item, name,
                             "language id " + std::to_string(v) + " is out of range: the setup program keeps "
                             "texts for primary language ids 0 to 97 only");
            id = std::uint16_t(v);
        } else if (item.is_string()) {
            auto found = languageId(item.as_string()->get());
            if (!found)
                owner.failAt(item, name,
                             "unknown language '" + item.as_string()->get() +
                                 "'; write its English name (German), its ISO code (de) or its primary id (7)");
            id = *found;
        } else {
            owner.failAt(item, name, std::string("expected a language name or id, found ") + typeName(item));
        }
        if (std::find(m.languages.begin(), m.languages.end(), id) != m.languages.end())
            owner.failAt(item, name, "language " + languageName(id) + " is listed twice");
        int codePage = languageCodePage(id);
        if (!writableCodePage(codePage))
            owner.failAt(item, name,
                         (languageName(id).empty() ? "language " + std::to_string(id) : languageName(id)) +
                             (codePage ? " is written in " + codePageName(codePage) +
                                             ", a code page the builder cannot write"
                                       : " has no ANSI code page, and the setup program shows ANSI texts only"));
        m.languages.push_back(id);
    }
    if (m.languages.empty()) owner.fail(name, "lists no language");
}

void loadTexts(const Section& top, Manifest& m) {
    auto strings = top.table("strings");
    if (!strings) return;
    for (auto&& [langKey, langNode] : strings->raw()) {
        std::string langName(langKey.str());
        std::optional<std::uint16_t> id = languageId(langName);
        if (!id && !langName.empty() && langName.find_first_not_of("0123456789") == std::string::npos &&
            langName.size() < 4)
            id = std::uint16_t(std::stoi(langName));
        if (!id)
            fail(strings->keyAt(langName), strings->path(langName), "unknown language '" + langName + "'");
        if (std::find(m.languages.begin(), m.languages.end(), *id) == m.languages.end())
            fail(strings->keyAt(langName), strings->path(langName),
                 "texts for " + languageName(*id) + ", which [languages] does not offer");
        auto lang = strings->table(langName);
        for (auto&& [groupKey, groupNode] : lang->raw()) {
            std::string groupName(groupKey.str());
            auto g = stringGroup(groupName);
            if (!g)
                fail(lang->keyAt(groupName), lang->path(groupName),
                     "unknown text group '" + groupName + "'; groups are messages, errors, buttons, " +
                         pageNames() + ", uninstaller");
            auto group = lang->table(groupName);
            for (auto&& [indexKey, textNode] : group->raw()) {
                std::string indexName(indexKey.str());
                std::optional<int> index = stringIndex(*g, indexName);
                if (!index && !indexName.empty() && indexName.size() < 4 &&
                    indexName.find_first_not_of("0123456789") == std::string::npos)
                    index = std::stoi(indexName);
                if (!index || *index > 255)
                    fail(group->keyAt(indexName), group->path(indexName),
                         "unknown text '" + indexName + "'; give an index 0 to 255 or one of: " +
                             stringIndexNames(*g));
                std::string text = ansiText(*group, textNode, indexName, languageCodePage(*id), languageName(*id));
                std::string problem = checkFormat(text, formatArguments(*g, *index));
                if (!problem.empty()) group->failAt(textNode, indexName, problem);
                m.texts.push_back({*id, *g, *index, text, group->of(textNode)});
            }
        }
    }
}

std::string readDocument(const Section& top, const Manifest& m, std::string_view key) {
    auto name = top.utf8(key);
    std::string path = hostPath(m, *name);
    std::ifstream in(fs::u8path(path), std::ios::binary);
    if (!in) top.fail(key, "cannot read '" + path + "'");
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
    Unrepresentable why;
    auto ansi = toAnsi(bytes, &why);
    if (!ansi) {
        // Point at the character inside the document.
        std::uint32_t line = 1, column = 1;
        std::size_t chars = 0;
        for (std::size_t i = 0; i < bytes.size() && chars < why.index; ++i) {
            if ((static_cast<unsigned char>(bytes[i]) & 0xC0) == 0x80) continue;
            ++chars;
            if (bytes[i] == '\n') ++line, column = 1;
            else ++column;
        }
        std::string what = why.badUtf8 ? "is not UTF-8 text; save it as UTF-8"
                                       : "holds " + describeCodePoint(why.codePoint) +
                                             ", which Windows-1252 (the setup program's code page) cannot hold";
        fail(Location{path, line, column}, top.path(key), what);
    }
    std::string text = *ansi;
    if (text.compare(0, 5, "{\\rtf") == 0) return text;
    // The rich edit box of the stub breaks lines at CR LF.
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

void loadDocuments(const Section& top, Manifest& m) {
    if (auto key = top.either("licence", "license")) m.licence = readDocument(top, m, *key);
    if (top.has("readme")) m.readme = readDocument(top, m, "readme");
}

bool anyGroupShortcut(const Manifest& m) {
    for (const Shortcut& s : m.shortcuts)
        if (lower(s.link + s.target + s.arguments + s.workingFolder + s.icon).find("%shortcutsgroup%") !=
            std::string::npos)
            return true;
    return false;
}

void loadPages(const Section& top, Manifest& m) {
    auto& p = m.pages;
    p[0] = m.languages.size() > 1;
    p[1] = true;
    p[2] = m.licence.has_value();
    p[3] = m.readme.has_value();
    p[6] = true;
    p[8] = anyGroupShortcut(m);
    p[9] = p[10] = p[11] = true;

    auto pages = top.table("pages");
    if (pages) {
        for (auto&& [k, v] : pages->raw()) {
            std::string name(k.str());
            std::optional<int> slot = pageSlot(name);
            if (!name.empty() && name.size() < 3 && name.find_first_not_of("0123456789") == std::string::npos) {
                int n = std::stoi(name);
                if (n < kPageSlots) slot = n;
            }
            if (!slot || *slot >= kPageSlots)
                fail(pages->keyAt(name), pages->path(name), "unknown page '" + name + "'; pages are " + pageNames());
            bool on = *pages->flag(name);
            if (!pageHasDialog(*slot) && on)
                fail(pages->at(name), pages->path(name),
                     "page slot " + name + " has no dialog in the setup program and must stay disabled");
            p[*slot] = on;
        }
        auto explicitlyOn = [&](const char* a, const char* b) {
            for (const char* n : {a, b})
                if (const toml::node* v = pages->node(n)) return v->value_or(false);
            return false;
        };
        if (explicitlyOn("licence", "license") && !m.licence)
            pages->fail(pages->has("licence") ? "licence" : "license",
                        "the licence page is enabled but no licence file is given (licence = \"file\")");
        if (explicitlyOn("readme", "readme") && !m.readme)
            pages->fail("readme", "the readme page is enabled but no readme file is given (readme = \"file\")");
    }
    if (p[8] && !hasVariable(m, "ShortcutsGroup"))
        fail(pages && pages->has("start-menu") ? pages->at("start-menu") : Location{m.path, 1, 1}, "pages.start-menu",
             "the start-menu page shows and changes %ShortcutsGroup%; define it under [variables]");
    if (std::none_of(p.begin(), p.end(), [](bool b) { return b; }))
        fail(pages ? pages->here() : Location{m.path, 1, 1}, "pages",
             "no page is enabled: the setup program would have nothing to show");
    if (!p[10] && !m.files.empty())
        fail(pages ? pages->at("installing") : Location{m.path, 1, 1}, "pages.installing",
             "the installing page is disabled, so nothing would be installed: that page starts the installation");
}

// A language the builder has no table for is offered only when the manifest
// words every text that the setup program shows in it; the product's names,
// filled into each text, must be writable in every language's code page.
void checkLanguageTexts(const Section& top, const Manifest& m) {
    std::optional<Section> table = top.table("languages");
    Location listed = !top.has("languages") ? Location{m.path, 1, 1} : table ? table->at("list") : top.at("languages");
    std::optional<Section> product = top.table("product");
    for (std::uint16_t id : m.languages) {
        std::string lang = languageName(id);
        int codePage = languageCodePage(id);
        // The name first: the display name defaults to it.
        for (auto [key, ansi] : {std::pair<const char*, const std::string*>{"name", &m.product.name},
                                 {"display-name", &m.product.displayName}}) {
            Unrepresentable why;
            if (!toAnsi(fromAnsi(*ansi), &why, codePage))
                fail(product && product->has(key) ? product->at(key) : listed, std::string("product.") + key,
                     "character " + describeCodePoint(why.codePoint) + " cannot be written in " +
                         codePageName(codePage) + ", the code page of " + lang + ", whose texts show this name");
        }
        if (!builtinTexts(id)) {
            std::vector<std::string> missing;
            for (const TextKey& key : stubTexts()) {
                if (!textsWritten(m, key.group)) continue;
                auto given = [&](const TextOverride& o) {
                    return o.language == id && o.group == key.group && o.index == key.index;
                };
                if (std::none_of(m.texts.begin(), m.texts.end(), given)) {
                    std::string index = stringIndexName(key.group, key.index);
                    missing.push_back(stringGroupName(key.group) + "." +
                                      (index.empty() ? std::to_string(key.index) : index));
                }
            }
            if (!missing.empty()) {
                std::string shipped;
                for (std::uint16_t b : builtinLanguages()) shipped += (shipped.empty() ? "" : ", ") + languageName(b);
                fail(listed, table ? "languages.list" : "languages",
                     lang + " has no built-in texts and [strings." + lang + "] lacks " +
                         std::to_string(missing.size()) + " of the texts the setup program shows (" + missing[0] +
                         (missing.size() > 1 ? ", " + missing[1] : "") + (missing.size() > 2 ? ", ..." : "") +
                         "); give them all or choose one of the languages the builder ships: " + shipped);
            }
        }
    }
}

void loadBuild(const Section& top, Manifest& m) {
    auto build = top.table("build");
    if (!build) return;
    build->allow({"compression-level", "file-time"});
    if (auto level = build->integer("compression-level", 0, 9)) m.compressionLevel = int(*level);
    if (const toml::node* t = build->node("file-time")) {
        const auto* dt = t->as_date_time();
        if (!dt) build->wrongType("file-time", "a date-time such as 2024-05-01T12:00:00Z");
        const toml::date_time& v = dt->get();
        // Days from civil date (proleptic Gregorian), then seconds since 1970.
        int y = v.date.year, mo = v.date.month, d = v.date.day;
        y -= mo <= 2;
        int era = (y >= 0 ? y : y - 399) / 400;
        unsigned yoe = unsigned(y - era * 400);
        unsigned doy = (153 * unsigned(mo + (mo > 2 ? -3 : 9)) + 2) / 5 + unsigned(d) - 1;
        unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
        std::int64_t days = std::int64_t(era) * 146097 + std::int64_t(doe) - 719468;
        std::int64_t seconds = days * 86400 + v.time.hour * 3600 + v.time.minute * 60 + v.time.second;
        if (v.offset) seconds -= std::int64_t(v.offset->minutes) * 60;
        m.fixedTime = fileTimeFromUnix(seconds, v.time.nanosecond);
    }
}

Manifest load(const toml::table& root, const std::string& path) {
    Manifest m;
    m.path = path;
    m.baseDir = fs::u8path(path).parent_path().u8string();
    if (m.baseDir.empty()) m.baseDir = ".";
    Section top(root, "", m.path);
    top.allow({"output", "licence", "license", "readme", "product", "variables", "pages", "languages", "strings",
               "files", "shortcut", "registry", "ini", "association", "program", "dll-call", "requirements",
               "background", "build", "version", "sign"});
    if (auto out = top.utf8("output")) m.output = hostPath(m, *out);
    loadVariables(top, m);
    requireVariables(top, m);
    loadProduct(top, m);
    loadVersion(top, m);
    loadSigning(top, m);
    loadLanguages(top, m);
    loadTexts(top, m);
    loadDocuments(top, m);
    loadFiles(top, m);
    loadActions(top, m);
    loadPages(top, m);
    checkLanguageTexts(top, m);
    loadBuild(top, m);
    return m;
}

}  // namespace

Manifest parseManifest(const std::string& text, const std::string& path) {
    try {
        toml::table root = toml::parse(text, path);
        return load(root, path);
    } catch (const toml::parse_error& e) {
        const auto& b = e.source().begin;
        throw BuildError(Location{path, b.line, b.column}, "", std::string(e.description()));
    }
}

Manifest loadManifest(const std::string& path) {
    std::ifstream in(fs::u8path(path), std::ios::binary);
    if (!in) throw BuildError(Location{path}, "", "cannot read the manifest");
    std::ostringstream text;
    text << in.rdbuf();
    return parseManifest(text.str(), path);
}

}  // namespace corvel::build
