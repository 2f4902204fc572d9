// Everything the installer does besides copying files: shortcuts, registry
// values, INI entries, associations, programs and DLL calls, requirements and
// the background window.
#include <cctype>

#include "manifest_parts.hpp"
#include "names.hpp"

namespace corvel::build {

namespace {

std::string pathField(const Manifest& m, const Section& s, std::string_view key, bool required = false) {
    std::string text = fieldText(s, key, required);
    checkTokens(m, text, s.at(key), s.path(key));
    return text;
}

int readMoment(const Section& s) {
    const toml::node* n = s.node("moment");
    if (!n) return 11;
    if (n->is_integer()) {
        std::int64_t v = n->as_integer()->get();
        if (v < -1 || v > 12)
            s.fail("moment", "moment " + std::to_string(v) + " is outside -1..12: the setup program would drop it");
        return int(v);
    }
    if (!n->is_string()) s.wrongType("moment", "a moment name or a number -1..12");
    auto v = moment(n->as_string()->get());
    if (!v) s.fail("moment", "unknown moment '" + n->as_string()->get() + "'; moments are " + momentNames());
    return *v;
}

void loadShortcuts(const Section& top, Manifest& m) {
    for (const Section& s : top.tables("shortcut")) {
        s.allow({"link", "target", "arguments", "working-folder", "icon", "icon-index", "show", "hotkey", "shared"});
        Shortcut sc;
        sc.where = s.here();
        sc.link = pathField(m, s, "link", true);
        if (sc.link.size() < 4 || lower(sc.link.substr(sc.link.size() - 4)) != ".lnk")
            s.fail("link", "a shortcut file must end in .lnk");
        sc.target = pathField(m, s, "target", true);
        sc.arguments = fieldText(s, "arguments");
        sc.workingFolder = pathField(m, s, "working-folder");
        sc.icon = pathField(m, s, "icon");
        sc.iconIndex = int(s.integer("icon-index", -0x7FFFFFFF, 0x7FFFFFFF).value_or(0));
        if (const toml::node* n = s.node("show")) {
            if (n->is_integer()) {
                sc.show = int(*s.integer("show", 1, 11));
            } else {
                std::string name = s.needText("show");
                sc.show = showCommand(name);
                if (!sc.show) s.fail("show", "unknown show mode '" + name + "'; use normal, minimized or maximized");
            }
        }
        if (const toml::node* n = s.node("hotkey")) {
            if (n->is_integer()) {
                sc.hotkey = std::uint32_t(*s.integer("hotkey", 1, 0xFFFF));
            } else {
                std::string text = s.needText("hotkey");
                sc.hotkey = hotkey(text);
                if (!sc.hotkey)
                    s.fail("hotkey", "'" + text + "' is not a hotkey; write for example \"Ctrl+Alt+W\" or \"Shift+F9\"");
            }
        }
        sc.shared = s.flag("shared").value_or(false);
        m.shortcuts.push_back(sc);
    }
}

std::string hexBytes(const Section& s, std::string_view key) {
    const toml::node* n = s.node(key);
    std::string hex;
    if (const toml::array* a = n->as_array()) {
        static const char* digits = "0123456789abcdef";
        for (const toml::node& item : *a) {
            if (!item.is_integer() || item.as_integer()->get() < 0 || item.as_integer()->get() > 255)
                s.failAt(item, key, "binary data are bytes 0 to 255");
            auto b = unsigned(item.as_integer()->get());
            hex += digits[b >> 4];
            hex += digits[b & 15];
        }
        return hex;
    }
    std::string text = s.needText(key);
    for (char c : text) {
        if (std::isxdigit(static_cast<unsigned char>(c))) hex += c;
        else if (c != ' ' && c != ':' && c != '-')
            s.fail(key, "binary data are hexadecimal digits such as \"0a ff 10\", or an array of bytes");
    }
    if (hex.size() % 2) s.fail(key, "binary data need an even number of hexadecimal digits");
    return hex;
}

void loadRegistry(const Section& top, Manifest& m) {
    for (const Section& s : top.tables("registry")) {
        s.allow({"root", "key", "name", "type", "data"});
        RegistryValue r;
        r.where = s.here();
        std::string root = s.needText("root");
        auto number = rootKey(root);
        if (!number) s.fail("root", "unknown root key '" + root + "'; use " + rootKeyNames());
        r.root = *number;
        r.key = fieldText(s, "key", true);
        r.name = fieldText(s, "name");
        if (auto type = s.text("type")) {
            auto t = registryType(*type);
            if (!t) s.fail("type", "unknown value type '" + *type + "'; types are " + registryTypeNames());
            r.type = *t;
        }
        const toml::node* data = s.node("data");
        if (!data) {
            if (r.type == 4) s.fail("data", "missing; a dword value needs data");
        } else if (r.type == 4) {
            if (data->is_integer()) {
                std::int64_t v = *s.integer("data", -0x80000000LL, 0xFFFFFFFFLL);
                char buf[16];
                std::snprintf(buf, sizeof buf, v > 0x7FFFFFFF ? "0x%llX" : "%lld", (long long)v);
                r.data = buf;
            } else {
                r.data = fieldText(s, "data");  // a %Variable% holding the number
            }
        } else if (r.type == 3) {
            r.data = hexBytes(s, "data");
        } else if (r.type == 7 && data->is_array()) {
            auto parts = s.texts("data");
            for (std::size_t i = 0; i < parts->size(); ++i) {
                const std::string& part = (*parts)[i];
                if (part.find('|') != std::string::npos || part.find(',') != std::string::npos)
                    s.fail("data", "a string of a multi-string value cannot contain '|' or ','");
                r.data += (i ? "|" : "") + part;
            }
        } else if (data->is_integer()) {
            r.data = std::to_string(data->as_integer()->get());
        } else {
            r.data = fieldText(s, "data");
        }
        m.registry.push_back(r);
    }
}

void loadIni(const Section& top, Manifest& m) {
    for (const Section& s : top.tables("ini")) {
        s.allow({"file", "section", "key", "value", "append"});
        IniEntry e;
        e.where = s.here();
        e.file = pathField(m, s, "file", true);
        e.section = fieldText(s, "section", true);
        if (s.has("key")) e.key = fieldText(s, "key");
        if (s.has("value")) {
            if (!e.key) s.fail("value", "a value needs a key (without a key the whole section is removed)");
            e.value = fieldText(s, "value");
            if (e.value->empty()) s.fail("value", "an empty value removes the key; leave 'value' out to say so");
        }
        e.append = s.flag("append").value_or(false);
        if (e.append && !e.value) s.fail("append", "append needs a value to append");
        m.ini.push_back(e);
    }
}

void loadAssociations(const Section& top, Manifest& m) {
    for (const Section& s : top.tables("association")) {
        s.allow({"extension", "file-type", "content-type", "description", "info-tip", "command", "icon",
                 "icon-index"});
        Association a;
        a.where = s.here();
        a.extension = fieldText(s, "extension", true);
        if (a.extension.size() < 2 || a.extension[0] != '.')
            s.fail("extension", "an extension starts with a dot, for example \".wdg\"");
        a.fileType = fieldText(s, "file-type", true);
        if (a.fileType.empty()) s.fail("file-type", "the file type (class name) cannot be empty");
        a.contentType = fieldText(s, "content-type");
        a.description = fieldText(s, "description");
        a.infoTip = fieldText(s, "info-tip");
        a.command = fieldText(s, "command");
        a.icon = pathField(m, s, "icon");
        a.iconIndex = int(s.integer("icon-index", -0x7FFFFFFF, 0x7FFFFFFF).value_or(0));
        m.associations.push_back(a);
    }
}

void loadPrograms(const Section& top, Manifest& m) {
    for (const Section& s : top.tables("program")) {
        s.allow({"path", "open", "arguments", "working-folder", "moment", "wait", "run-once", "window"});
        Program p;
        p.where = s.here();
        if (s.has("path") == s.has("open")) s.fail("path", "give either 'path' (a program) or 'open' (a document)");
        p.open = s.has("open");
        p.path = pathField(m, s, p.open ? "open" : "path", true);
        if (p.path.empty()) s.fail(p.open ? "open" : "path", "cannot be empty");
        if (!p.open && lower(p.path) == "open")
            s.fail("path", "a program named 'open' would be taken for a document; use open = \"file\"");
        if (p.open && s.has("arguments"))
            s.fail("arguments", "a document opened with 'open' takes no arguments");
        if (p.open && s.has("wait")) s.fail("wait", "the setup program never waits for a document it opens");
        p.arguments = fieldText(s, "arguments");
        p.workingFolder = pathField(m, s, "working-folder");
        p.moment = readMoment(s);
        p.wait = s.flag("wait").value_or(true);
        p.runOnce = s.flag("run-once").value_or(true);
        if (auto w = s.text("window")) {
            auto mode = windowMode(*w);
            if (!mode) s.fail("window", "unknown window mode '" + *w + "'; use normal, minimized or maximized");
            p.window = *mode;
        }
        m.programs.push_back(p);
    }
}

void loadDllCalls(const Section& top, Manifest& m) {
    for (const Section& s : top.tables("dll-call")) {
        s.allow({"dll", "function", "arguments", "moment", "run-once"});
        DllCall d;
        d.where = s.here();
        d.dll = pathField(m, s, "dll", true);
        d.function = fieldText(s, "function", true);
        if (d.function.empty()) s.fail("function", "cannot be empty");
        if (auto args = s.texts("arguments")) {
            if (args->size() > 2) s.fail("arguments", "a DLL function gets at most two arguments");
            for (const std::string& a : *args) {
                noComma(a, s.at("arguments"), s.path("arguments"));
                if (a.empty()) s.fail("arguments", "an argument cannot be empty: an empty first argument means none");
            }
            if (!args->empty()) {
                for (const char* reg : {"DllRegisterServer", "DllUnregisterServer", "TLBRegister", "TLBUnregister"})
                    if (d.function == reg)
                        s.fail("arguments", d.function + " is always called without arguments");
                d.argument1 = (*args)[0];
                if (args->size() > 1) d.argument2 = (*args)[1];
            }
        }
        d.moment = readMoment(s);
        d.runOnce = s.flag("run-once").value_or(true);
        m.dllCalls.push_back(d);
    }
}

void loadRequirements(const Section& top, Manifest& m) {
    auto s = top.table("requirements");
    if (!s) return;
    s->allow({"windows", "directx", "internet-explorer", "access", "administrator"});
    Requirements& r = m.requirements;
    r.present = true;
    auto keyword = [&](std::string_view key, Requirement kind, std::string& out) {
        const toml::node* n = s->node(key);
        if (!n) return;
        std::string text;
        if (n->is_integer()) text = std::to_string(n->as_integer()->get());
        else if (n->is_floating_point()) s->fail(key, "write the version as a string, for example \"8.1\"");
        else text = s->needText(key);
        if (text.empty()) return;  // no requirement
        auto k = requirementKeyword(kind, text);
        if (!k) s->fail(key, "unknown requirement '" + text + "'; known are " + requirementKeywords(kind));
        out = *k;
    };
    keyword("windows", Requirement::Windows, r.windows);
    keyword("directx", Requirement::DirectX, r.directX);
    keyword("internet-explorer", Requirement::InternetExplorer, r.internetExplorer);
    keyword("access", Requirement::Access, r.access);
    r.administrator = s->flag("administrator").value_or(false);
}

void loadBackground(const Section& top, Manifest& m) {
    auto s = top.table("background");
    if (!s) return;
    s->allow({"start-color", "start-colour", "end-color", "end-colour", "text"});
    Background& b = m.background;
    b.enabled = true;
    auto start = s->either("start-color", "start-colour");
    auto end = s->either("end-color", "end-colour");
    if (!start) s->fail("start-color", "missing; the background needs start-color and end-color");
    if (!end) s->fail("end-color", "missing; the background needs start-color and end-color");
    b.startRgb = *readColour(*s, *start);
    b.endRgb = *readColour(*s, *end);
    std::vector<Section> texts = s->tables("text");
    if (texts.size() > 2) s->fail("text", "the background window draws at most two texts");
    for (const Section& t : texts) {
        t.allow({"text", "horizontal", "vertical", "x", "y", "font", "size", "width", "weight", "italic",
                 "underline", "color", "colour", "shadow", "shadow-color", "shadow-colour"});
        BackgroundText bt;
        bt.where = t.here();
        bt.text = t.needText("text");
        if (bt.text.find('"') != std::string::npos)
            t.fail("text", "cannot contain a double quote: the setup program reads the text between quotes");
        if (auto h = t.text("horizontal")) {
            if (lower(*h) != "left" && lower(*h) != "right") t.fail("horizontal", "write \"left\" or \"right\"");
            bt.right = lower(*h) == "right";
        }
        if (auto v = t.text("vertical")) {
            if (lower(*v) != "top" && lower(*v) != "bottom") t.fail("vertical", "write \"top\" or \"bottom\"");
            bt.bottom = lower(*v) == "bottom";
        }
        bt.x = int(t.integer("x", 0, 100000).value_or(0));
        bt.y = int(t.integer("y", 0, 100000).value_or(0));
        bt.face = fieldText(t, "font");
        bt.size = int(t.integer("size", 1, 1000).value_or(0));
        bt.width = int(t.integer("width", 0, 1000).value_or(0));
        if (const toml::node* w = t.node("weight")) {
            if (w->is_integer()) {
                std::int64_t v = *t.integer("weight", 1, 900);
                if (v >= 100 && v % 100) t.fail("weight", "give the weight in hundreds: 100 to 900, or 1 to 9");
                bt.weight = int(v >= 100 ? v / 100 : v);
                if (bt.weight > 9) t.fail("weight", "the weight is 1 to 9 hundred");
            } else {
                std::string name = lower(t.needText("weight"));
                if (name == "normal") bt.weight = 4;
                else if (name == "bold") bt.weight = 7;
                else t.fail("weight", "write \"normal\", \"bold\" or a number 100 to 900");
            }
        }
        bt.italic = t.flag("italic").value_or(false);
        bt.underline = t.flag("underline").value_or(false);
        if (auto c = t.either("color", "colour")) bt.rgb = *readColour(t, *c);
        bt.shadow = int(t.integer("shadow", 0, 100).value_or(0));
        if (auto c = t.either("shadow-color", "shadow-colour")) bt.shadowRgb = *readColour(t, *c);
        b.texts.push_back(bt);
    }
}

}  // namespace

void loadActions(const Section& top, Manifest& m) {
    loadShortcuts(top, m);
    loadRegistry(top, m);
    loadIni(top, m);
    loadAssociations(top, m);
    loadPrograms(top, m);
    loadDllCalls(top, m);
    loadRequirements(top, m);
    loadBackground(top, m);
}

}  // namespace corvel::build
