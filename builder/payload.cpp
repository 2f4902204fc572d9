#include "payload.hpp"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "codepage.hpp"
#include "glob.hpp"
#include "names.hpp"
#include "platform.hpp"

namespace corvel::build {

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kReadOnly = 0x01;
constexpr std::uint32_t kArchive = 0x20;

struct Walker {
    const Manifest& m;
    const FileGroup& g;
    PayloadGroup& out;
    std::set<std::string> visited;  // canonical folders, against link loops

    std::string ansiName(const std::string& utf8, const std::string& where) {
        Unrepresentable why;
        auto name = toAnsi(utf8, &why);
        if (!name)
            fail(g.where, g.key,
                 "'" + where + "': " +
                     (why.badUtf8 ? std::string("the name is not UTF-8")
                                  : "the name holds " + describeCodePoint(why.codePoint) +
                                        ", which Windows-1252 (the setup program's code page) cannot hold"));
        std::string bad = badWindowsName(*name);
        if (!bad.empty()) fail(g.where, g.key, "'" + where + "': " + bad);
        return *name;
    }

    PayloadEntry fileEntry(const std::string& hostPath, const std::string& name, std::uint32_t depth) {
        std::string error;
        auto facts = statFile(hostPath, error);
        if (!facts) fail(g.where, g.key, "cannot read '" + hostPath + "': " + error);
        PayloadEntry e;
        e.name = name;
        e.depth = depth;
        e.hostPath = hostPath;
        e.size = facts->size;
        e.attributes = g.attributes ? *g.attributes : (kArchive | (facts->readOnly ? kReadOnly : 0));
        if (m.fixedTime) {
            e.created = e.accessed = e.written = *m.fixedTime;
        } else {
            e.created = facts->created;
            e.accessed = facts->accessed;
            e.written = facts->written;
        }
        return e;
    }

    bool excluded(const std::string& rel) const {
        for (const std::string& p : g.exclude)
            if (matchesPath(p, rel)) return true;
        return false;
    }

    bool included(const std::string& rel) const {
        if (g.include.empty()) return true;
        for (const std::string& p : g.include)
            if (matchesPath(p, rel)) return true;
        return false;
    }

    // Walks one folder; returns whether it put anything into the group.
    bool walk(const fs::path& dir, const std::string& rel, std::uint32_t depth) {
        std::error_code ec;
        fs::path canonical = fs::canonical(dir, ec);
        if (!ec && !visited.insert(canonical.string()).second) return false;  // a link back up

        struct Item { std::string utf8, ansi; bool folder; };
        std::vector<Item> items;
        std::map<std::string, std::string> seen;  // lower-case ANSI name -> name
        fs::directory_iterator it(dir, ec);
        if (ec) fail(g.where, g.key, "cannot list '" + dir.u8string() + "': " + ec.message());
        for (; it != fs::directory_iterator(); it.increment(ec)) {
            if (ec) fail(g.where, g.key, "cannot list '" + dir.u8string() + "': " + ec.message());
            std::string utf8 = it->path().filename().u8string();
            std::string childRel = rel.empty() ? utf8 : rel + "/" + utf8;
            std::error_code e2;
            bool folder = fs::is_directory(it->path(), e2);  // follows links
            if (!folder && !fs::is_regular_file(it->path(), e2)) {
                if (!fs::exists(it->path(), e2)) continue;  // a dangling link
                fail(g.where, g.key, "'" + it->path().u8string() + "' is neither a file nor a folder");
            }
            if (excluded(childRel)) continue;
            if (!folder && !included(childRel)) continue;
            std::string ansi = ansiName(utf8, it->path().u8string());
            auto [at, fresh] = seen.emplace(lower(ansi), ansi);
            if (!fresh)
                fail(g.where, g.key,
                     "'" + dir.u8string() + "' holds both '" + fromAnsi(at->second) + "' and '" + utf8 +
                         "', which are the same name on Windows");
            items.push_back({utf8, ansi, folder});
        }
        // A fixed order whatever the directory order: by name ignoring case.
        std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
            std::string la = lower(a.ansi), lb = lower(b.ansi);
            return la != lb ? la < lb : a.ansi < b.ansi;
        });
        bool any = false;
        for (const Item& item : items) {
            if (item.folder) continue;
            out.entries.push_back(fileEntry((dir / fs::u8path(item.utf8)).u8string(), item.ansi, depth));
            any = true;
        }
        for (const Item& item : items) {
            if (!item.folder) continue;
            std::size_t mark = out.entries.size();
            PayloadEntry folder;
            folder.folder = true;
            folder.name = item.ansi;
            folder.depth = depth;
            out.entries.push_back(folder);
            bool inside = walk(dir / fs::u8path(item.utf8), rel.empty() ? item.utf8 : rel + "/" + item.utf8,
                               depth + 1);
            // With include patterns a folder is kept only for what it holds;
            // without them empty folders are installed as they are.
            if (!inside && !g.include.empty()) out.entries.resize(mark);
            else any = true;
        }
        return any;
    }
};

}  // namespace

std::string badWindowsName(const std::string& name) {
    if (name.empty()) return "an empty name";
    for (unsigned char c : name) {
        if (c < 32) return "the name holds a control character";
        if (std::string("<>:\"/\\|?*").find(char(c)) != std::string::npos)
            return std::string("the name holds '") + char(c) + "', which Windows does not allow in file names";
    }
    if (name.back() == '.' || name.back() == ' ') return "Windows drops a dot or space at the end of a name";
    std::string stem = lower(name.substr(0, name.find('.')));
    while (!stem.empty() && stem.back() == ' ') stem.pop_back();
    static const std::set<std::string> reserved = {
        "con", "prn", "aux", "nul", "com1", "com2", "com3", "com4", "com5", "com6", "com7", "com8", "com9",
        "lpt1", "lpt2", "lpt3", "lpt4", "lpt5", "lpt6", "lpt7", "lpt8", "lpt9",
    };
    if (reserved.count(stem)) return "'" + stem + "' is a device name on Windows";
    return "";
}

Payload collectPayload(const Manifest& m) {
    Payload p;
    // Destination path (lower case) -> group that installs it, to catch a file installed twice.
    std::map<std::string, std::string> installed;
    for (const FileGroup& g : m.files) {
        PayloadGroup pg;
        pg.group = &g;
        Walker w{m, g, pg, {}};
        if (!g.source.empty()) {
            w.walk(fs::u8path(g.source), "", 0);
        } else {
            for (const ListedFile& f : g.list) {
                std::string utf8 = fs::u8path(f.path).filename().u8string();
                Unrepresentable why;
                auto name = toAnsi(utf8, &why);
                if (!name) fail(f.where, g.key + ".list", "the file name cannot be written in Windows-1252");
                std::string bad = badWindowsName(*name);
                if (!bad.empty()) fail(f.where, g.key + ".list", bad);
                pg.entries.push_back(w.fileEntry(f.path, *name, 0));
            }
        }
        // Rebuild each entry's path to find files that two groups (or two
        // list items) would put in the same place.
        std::vector<std::string> stack{lower(g.destination)};
        for (const PayloadEntry& e : pg.entries) {
            stack.resize(e.depth + 1);
            std::string full = stack.back() + "\\" + lower(e.name);
            if (e.folder) {
                stack.push_back(full);
                continue;
            }
            auto [at, fresh] = installed.emplace(full, g.key);
            if (!fresh)
                fail(g.where, g.key,
                     "'" + fromAnsi(g.destination) + "\\" + fromAnsi(e.name) + "' is installed twice (also by " +
                         at->second + ")");
            p.totalBytes += e.size;
            ++p.fileCount;
        }
        p.groups.push_back(std::move(pg));
    }
    if (p.totalBytes > 0xFFFFFFFFull)
        fail(Location{m.path}, "files",
             "the payload is " + std::to_string(p.totalBytes) +
                 " bytes; the package's 32-bit fields hold at most 4 GiB (4,294,967,295 bytes)");
    return p;
}

}  // namespace corvel::build
