// The [[files]] groups: where the files come from and where they go.
#include <filesystem>

#include "manifest_parts.hpp"
#include "names.hpp"

namespace corvel::build {

namespace fs = std::filesystem;

namespace {

bool startsAbsolute(const std::string& d) {
    if (!d.empty() && (d[0] == '%' || d[0] == '<')) return true;
    if (d.size() >= 3 && std::isalpha(static_cast<unsigned char>(d[0])) && d[1] == ':' && d[2] == '\\') return true;
    return d.size() > 2 && d[0] == '\\' && d[1] == '\\';
}

std::vector<std::string> patterns(const Section& s, std::string_view key) {
    std::vector<std::string> out;
    const toml::node* n = s.node(key);
    if (!n) return out;
    if (n->is_string()) return {n->as_string()->get()};
    const toml::array* a = n->as_array();
    if (!a) s.wrongType(key, "a pattern or an array of patterns");
    for (const toml::node& item : *a) {
        if (!item.is_string()) s.failAt(item, key, std::string("expected a pattern, found ") + typeName(item));
        if (item.as_string()->get().empty()) s.failAt(item, key, "a pattern cannot be empty");
        out.push_back(item.as_string()->get());
    }
    return out;
}

}  // namespace

void loadFiles(const Section& top, Manifest& m) {
    for (const Section& s : top.tables("files")) {
        s.allow({"source", "list", "include", "exclude", "destination", "replace", "compare", "shared", "compress",
                 "attributes"});
        FileGroup g;
        g.where = s.here();
        g.key = s.key();
        g.destination = s.needText("destination");
        if (g.destination.empty()) s.fail("destination", "cannot be empty");
        checkTokens(m, g.destination, s.at("destination"), s.path("destination"));
        if (!startsAbsolute(g.destination))
            s.fail("destination", "must start with a variable such as %InstallPath%, a folder keyword such as "
                                  "<ProgramFiles>, or a drive such as C:\\");
        if (g.destination.find('/') != std::string::npos)
            s.fail("destination", "Windows paths use backslashes; write \\\\ in a TOML string");
        // The setup program joins the folder and each name with a backslash
        // and refuses paths with two in a row.
        while (g.destination.size() > 1 && g.destination.back() == '\\') g.destination.pop_back();
        if (g.destination.find("\\\\", 1) != std::string::npos)
            s.fail("destination", "holds two backslashes in a row, which the setup program refuses as a path");

        if (s.has("source") == s.has("list"))
            s.fail("source", "give either 'source' (a folder, taken recursively) or 'list' (single files)");
        if (s.has("source")) {
            g.source = hostPath(m, *s.utf8("source"));
            std::error_code ec;
            if (!fs::is_directory(fs::u8path(g.source), ec))
                s.fail("source", fs::exists(fs::u8path(g.source), ec)
                                     ? "'" + g.source + "' is not a folder; use 'list' for single files"
                                     : "source folder '" + g.source + "' does not exist");
            g.include = patterns(s, "include");
            g.exclude = patterns(s, "exclude");
        } else {
            if (s.has("include") || s.has("exclude"))
                s.fail(s.has("include") ? "include" : "exclude", "patterns apply to a 'source' folder, not to a list");
            const toml::node* n = s.node("list");
            const toml::array* a = n->as_array();
            if (!a) s.wrongType("list", "an array of file paths");
            if (a->empty()) s.fail("list", "lists no file");
            for (const toml::node& item : *a) {
                if (!item.is_string()) s.failAt(item, "list", std::string("expected a path, found ") + typeName(item));
                ListedFile f{hostPath(m, item.as_string()->get()), s.of(item)};
                std::error_code ec;
                if (!fs::exists(fs::u8path(f.path), ec))
                    s.failAt(item, "list", "file '" + f.path + "' does not exist");
                if (!fs::is_regular_file(fs::u8path(f.path), ec))
                    s.failAt(item, "list", "'" + f.path + "' is not a file; use 'source' for folders");
                g.list.push_back(f);
            }
        }
        if (auto r = s.text("replace")) {
            auto rule = replaceRule(*r);
            if (!rule) s.fail("replace", "unknown rule '" + *r + "'; rules are " + replaceRuleNames());
            g.replaceRule = *rule;
        }
        if (auto c = s.text("compare")) {
            auto basis = comparisonBasis(*c);
            if (!basis) s.fail("compare", "unknown basis '" + *c + "'; use " + comparisonBasisNames());
            g.comparisonBasis = *basis;
        }
        g.shared = s.flag("shared").value_or(false);
        g.compress = s.flag("compress").value_or(true);
        if (auto attrs = s.texts("attributes")) {
            std::uint32_t a = 0;
            for (const std::string& name : *attrs) {
                std::string n = lower(name);
                if (n == "read-only" || n == "readonly") a |= 0x01;
                else if (n == "hidden") a |= 0x02;
                else if (n == "system") a |= 0x04;
                else if (n == "archive") a |= 0x20;
                else s.fail("attributes", "unknown attribute '" + name + "'; use read-only, hidden, system, archive");
            }
            g.attributes = a ? a : 0x80;  // FILE_ATTRIBUTE_NORMAL when none is set
        }
        m.files.push_back(g);
    }
}

}  // namespace corvel::build
