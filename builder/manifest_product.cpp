// The [product] table: names, look, options and launch files.
#include <cctype>

#include "manifest_parts.hpp"
#include "names.hpp"

namespace corvel::build {

namespace {

std::uint32_t colorref(std::uint32_t rgb) {
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

std::optional<std::uint32_t> parseHex(const std::string& s) {
    std::string digits;
    if (s.size() == 7 && s[0] == '#') digits = s.substr(1);
    else if (s.size() == 8 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) digits = s.substr(2);
    else return std::nullopt;
    for (char c : digits)
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
    return std::uint32_t(std::stoul(digits, nullptr, 16));
}

// Reads a colour for a product record field: a COLORREF, or a system flag.
std::optional<std::uint32_t> productColour(const Section& s, std::string_view a, std::string_view b) {
    auto key = s.either(a, b);
    if (!key) return std::nullopt;
    auto c = readColour(s, *key, true);
    if (*c & 0x03000000) return c;
    return colorref(*c);
}

Font readFont(const Section& s, std::string_view key) {
    Font f;
    const toml::node* n = s.node(key);
    if (!n) return f;
    if (n->is_string()) {
        f.face = fieldText(s, key);
        return f;
    }
    auto t = s.table(key);
    t->allow({"face", "color", "colour"});
    f.face = fieldText(*t, "face");
    if (auto c = t->either("color", "colour")) f.rgb = *readColour(*t, *c);
    return f;
}

}  // namespace

std::optional<std::uint32_t> readColour(const Section& s, std::string_view name, bool systemNames) {
    const toml::node* n = s.node(name);
    if (!n) return std::nullopt;
    if (n->is_integer()) {
        std::int64_t v = n->as_integer()->get();
        if (v < 0 || v > 0xFFFFFF) s.fail(name, "a colour is 0xRRGGBB, at most 0xFFFFFF");
        return std::uint32_t(v);
    }
    if (!n->is_string()) s.wrongType(name, "a colour (0xRRGGBB or \"#RRGGBB\")");
    const std::string& text = n->as_string()->get();
    if (auto v = parseHex(text)) return v;
    if (systemNames)
        if (auto flag = systemColour(text)) return flag;
    s.fail(name, "'" + text + "' is not a colour; write 0xRRGGBB, \"#RRGGBB\"" +
                     std::string(systemNames ? " or a system colour: \"window\", \"buttonface\"" : ""));
}

void loadProduct(const Section& top, Manifest& m) {
    auto p = top.table("product");
    if (!p) top.fail("product", "missing [product]: an installer needs at least the product's name");
    p->allow({"name", "display-name", "font", "title-font", "page-color", "page-colour", "band-color",
              "band-colour", "header-color", "header-colour", "accent-color", "accent-colour",
              "compact-dialogs", "welcome-in-header-color", "welcome-in-header-colour", "caption-bar",
              "offer-program-group", "offer-desktop", "offer-quick-launch", "reboot-required",
              "create-uninstaller", "install-path-from", "launch", "icon"});
    Product& pr = m.product;
    pr.where = p->here();
    pr.name = p->needText("name");
    if (pr.name.empty()) p->fail("name", "the product name cannot be empty");
    if (pr.name.find('\\') != std::string::npos)
        p->fail("name", "cannot contain a backslash: the name is a key of the system's uninstall list");
    pr.displayName = p->text("display-name").value_or(pr.name);
    pr.font = readFont(*p, "font");
    pr.titleFont = readFont(*p, "title-font");
    if (auto c = productColour(*p, "page-color", "page-colour")) pr.pageColour = *c;
    if (auto c = productColour(*p, "band-color", "band-colour")) pr.bandColour = *c;
    if (auto c = productColour(*p, "header-color", "header-colour")) pr.headerColour = *c;
    if (auto key = p->either("accent-color", "accent-colour")) pr.accentRgb = readColour(*p, *key);

    auto flag = [&](std::string_view key, bool& out) {
        if (auto v = p->flag(key)) out = *v;
    };
    flag("compact-dialogs", pr.compactDialogs);
    if (auto key = p->either("welcome-in-header-color", "welcome-in-header-colour"))
        pr.welcomeInHeaderColour = *p->flag(*key);
    flag("caption-bar", pr.captionBar);
    flag("offer-program-group", pr.offerProgramGroup);
    flag("offer-desktop", pr.offerDesktop);
    flag("offer-quick-launch", pr.offerQuickLaunch);
    flag("reboot-required", pr.rebootRequired);
    flag("create-uninstaller", pr.createUninstaller);

    if (auto from = p->table("install-path-from")) {
        from->allow({"root", "key", "value"});
        RegistrySource src;
        std::string root = from->needText("root");
        auto r = rootKey(root);
        if (!r) from->fail("root", "unknown root key '" + root + "'; use " + rootKeyNames());
        src.root = *r;
        src.key = fieldText(*from, "key", true);
        src.value = fieldText(*from, "value");
        pr.installPathFrom = src;
    }
    if (auto icon = p->utf8("icon")) {
        if (icon->empty()) p->fail("icon", "the icon cannot be empty; leave the key out to keep the setup program's");
        pr.icon = hostPath(m, *icon);
        pr.iconWhere = p->at("icon");
    }
    if (auto launch = p->texts("launch")) {
        if (launch->size() > 2)
            p->fail("launch", "the setup program opens at most two files after installing, not " +
                                  std::to_string(launch->size()));
        for (const std::string& f : *launch) {
            if (f.empty()) p->fail("launch", "a launch file cannot be empty");
            checkTokens(m, f, p->at("launch"), p->path("launch"));
        }
        pr.launch = *launch;
    }
}

}  // namespace corvel::build
