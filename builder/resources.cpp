// The stub's resources, rewritten: its icon group and its version resource.
//
// The resource section ends the stub's file. The file holds the resource
// root and the subtrees the system reads from the file (the icon, the
// manifest); a packed stub's dialogs lie far behind them in the same
// section, in memory that its unpacker fills at start-up. Subtrees that the
// file does not hold are left where they are, their root entries kept as
// they were; everything else is laid out anew in front of them.
#include "resources.hpp"

#include <algorithm>
#include <map>

#include "codepage.hpp"
#include "diagnostics.hpp"
#include "format/bytes.h"

namespace corvel::build {

using corvel::detail::getU16;
using corvel::detail::getU32;
using corvel::detail::putU16;
using corvel::detail::putU32;
using corvel::detail::setU16;
using corvel::detail::setU32;

namespace {

constexpr std::uint32_t kIcon = 3, kGroupIcon = 14, kVersion = 16;
constexpr std::uint32_t kSubtree = 0x80000000u;
constexpr std::size_t kLargestStub = 65535;

struct Resource {
    std::uint32_t type = 0, name = 0, language = 0, codePage = 0;
    std::vector<std::uint8_t> data;
};

// The parts of a PE image that the rewrite touches.
struct Image {
    std::vector<std::uint8_t> bytes;
    std::size_t optional = 0;       // file offset of the optional header
    std::size_t section = 0;        // file offset of the resource section's header
    std::uint32_t address = 0;      // its RVA, where the resource root lies
    std::uint32_t rawPointer = 0;   // where its bytes start in the file
    std::uint32_t rawSize = 0;

    std::uint32_t u32(std::size_t at) const { return at + 4 <= bytes.size() ? getU32(&bytes[at]) : 0; }
    std::uint16_t u16(std::size_t at) const { return at + 2 <= bytes.size() ? getU16(&bytes[at]) : 0; }
};

[[noreturn]] void stubFault(const std::string& what) {
    throw BuildError(Location{}, "--stub", "the stub cannot take an icon or a version resource: " + what);
}

std::uint32_t align(std::uint32_t value, std::uint32_t to) { return (value + to - 1) / to * to; }

Image readImage(const std::vector<std::uint8_t>& stub) {
    if (!isWindowsProgram(stub)) stubFault("it has no PE header");
    Image image{stub};
    const std::size_t pe = image.u32(0x3C);
    image.optional = pe + 24;
    if (image.u16(image.optional) != 0x10B) stubFault("it is not a 32-bit program");
    const std::size_t table = image.optional + image.u16(pe + 20);
    const std::uint32_t root = image.u32(image.optional + 96 + 16);
    for (std::size_t i = 0, count = image.u16(pe + 6); i < count; ++i) {
        const std::size_t header = table + 40 * i;
        if (header + 40 > stub.size()) break;
        if (image.u32(header + 12) == root && root != 0) {
            image.section = header;
            image.address = root;
            image.rawSize = image.u32(header + 16);
            image.rawPointer = image.u32(header + 20);
        }
    }
    if (!image.section) stubFault("no section starts with its resource directory");
    if (std::uint64_t(image.rawPointer) + image.rawSize != stub.size())
        stubFault("its resource section does not end the file");
    return image;
}

// Every resource in the file's part of the tree, and the root entries of
// the subtrees that lie behind it (type -> offset in the section).
void readResources(const Image& image, std::vector<Resource>& found, std::map<std::uint32_t, std::uint32_t>& behind) {
    const std::size_t base = image.rawPointer;
    auto entries = [&](std::uint32_t directory, auto&& visit) {
        if (std::uint64_t(directory) + 16 > image.rawSize) stubFault("a resource directory lies outside the file");
        const std::uint32_t count = image.u16(base + directory + 12) + image.u16(base + directory + 14);
        if (image.u16(base + directory + 12)) stubFault("it has resources with names instead of numbers");
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::size_t entry = base + directory + 16 + 8 * i;
            if (entry + 8 > base + image.rawSize) stubFault("a resource directory lies outside the file");
            visit(image.u32(entry), image.u32(entry + 4));
        }
    };
    entries(0, [&](std::uint32_t type, std::uint32_t names) {
        if ((names & ~kSubtree) >= image.rawSize) {
            behind[type] = names & ~kSubtree;
            return;
        }
        // An older packed stub kept its dialogs right behind this part, where
        // the file has only padding: taken for an empty type they would be lost.
        if (image.u16(base + (names & ~kSubtree) + 14) == 0)
            stubFault("resource type " + std::to_string(type) + " has no entries in the file (a stub packed for an "
                      "older builder?)");
        entries(names & ~kSubtree, [&](std::uint32_t name, std::uint32_t languages) {
            entries(languages & ~kSubtree, [&](std::uint32_t language, std::uint32_t entry) {
                if (std::uint64_t(entry) + 16 > image.rawSize) stubFault("a resource entry lies outside the file");
                const std::uint32_t at = image.u32(base + entry), size = image.u32(base + entry + 4);
                const std::uint64_t offset = std::uint64_t(at) - image.address;
                if (at < image.address || offset + size > image.rawSize)
                    stubFault("the data of a resource lie outside the file");
                Resource r{type, name, language, image.u32(base + entry + 8), {}};
                r.data.assign(image.bytes.begin() + std::ptrdiff_t(base + offset),
                              image.bytes.begin() + std::ptrdiff_t(base + offset + size));
                found.push_back(std::move(r));
            });
        });
    });
}

// The directories, data entries and data of a tree, for a section at `address`.
std::vector<std::uint8_t> layOut(const std::vector<Resource>& resources,
                                 const std::map<std::uint32_t, std::uint32_t>& behind, std::uint32_t address) {
    std::map<std::uint32_t, std::map<std::uint32_t, std::map<std::uint32_t, const Resource*>>> tree;
    for (const Resource& r : resources) tree[r.type][r.name][r.language] = &r;
    std::vector<std::uint8_t> out;
    std::vector<std::pair<std::size_t, const Resource*>> dataEntries;
    auto directory = [&](std::size_t count) {
        const std::size_t at = out.size();
        out.resize(at + 16 + 8 * count);
        setU16(&out[at + 14], std::uint16_t(count));
        return at;
    };
    auto entry = [&](std::size_t at, std::size_t index, std::uint32_t id, std::uint32_t target) {
        setU32(&out[at + 16 + 8 * index], id);
        setU32(&out[at + 20 + 8 * index], target);
    };
    std::map<std::uint32_t, std::uint32_t> rootEntries(behind);
    for (const auto& type : tree) rootEntries[type.first] = 0;
    const std::size_t root = directory(rootEntries.size());
    std::size_t index = 0;
    for (const auto& [type, target] : rootEntries) {
        if (!tree.count(type)) {
            entry(root, index++, type, target | kSubtree);
            continue;
        }
        entry(root, index++, type, std::uint32_t(out.size()) | kSubtree);
        const auto& names = tree[type];
        const std::size_t nameDirectory = directory(names.size());
        std::size_t n = 0;
        for (const auto& [name, languages] : names) {
            entry(nameDirectory, n++, name, std::uint32_t(out.size()) | kSubtree);
            const std::size_t languageDirectory = directory(languages.size());
            std::size_t l = 0;
            for (const auto& [language, resource] : languages) {
                entry(languageDirectory, l++, language, 0);
                dataEntries.push_back({languageDirectory + 16 + 8 * (l - 1), resource});
            }
        }
    }
    for (auto& [slot, resource] : dataEntries) {
        setU32(&out[slot + 4], std::uint32_t(out.size()));
        const std::size_t at = out.size();
        out.resize(at + 16);
        setU32(&out[at + 4], std::uint32_t(resource->data.size()));
        setU32(&out[at + 8], resource->codePage);
        slot = at;
    }
    for (const auto& [at, resource] : dataEntries) {
        out.resize(align(std::uint32_t(out.size()), 8));
        setU32(&out[at], address + std::uint32_t(out.size()));
        out.insert(out.end(), resource->data.begin(), resource->data.end());
    }
    out.resize(align(std::uint32_t(out.size()), 8));
    return out;
}

// The images of an .ico file as RT_ICON resources 1..n and their group.
std::size_t replaceIcon(std::vector<Resource>& resources, const IconFile& icon) {
    const std::vector<std::uint8_t>& b = icon.bytes;
    auto notAnIcon = [&](const std::string& why) {
        throw BuildError(icon.where, "product.icon", "'" + icon.path + "' is not an icon file (.ico): " + why);
    };
    if (b.size() < 6 || getU16(&b[0]) != 0 || getU16(&b[2]) != 1) notAnIcon("it does not start like one");
    const std::uint16_t count = getU16(&b[4]);
    if (count == 0) notAnIcon("it holds no image");
    if (6 + 16 * std::size_t(count) > b.size()) notAnIcon("its list of images is cut short");

    std::uint32_t groupName = 1, language = 0;
    for (const Resource& r : resources)
        if (r.type == kGroupIcon) {
            groupName = r.name;
            language = r.language;
            break;
        }
    resources.erase(std::remove_if(resources.begin(), resources.end(),
                                   [](const Resource& r) { return r.type == kIcon || r.type == kGroupIcon; }),
                    resources.end());
    Resource group{kGroupIcon, groupName, language, 0, {}};
    putU16(group.data, 0);
    putU16(group.data, 1);
    putU16(group.data, count);
    std::size_t total = 0;
    for (std::uint16_t i = 0; i < count; ++i) {
        const std::uint8_t* e = &b[6 + 16 * i];
        const std::uint32_t size = getU32(e + 8), offset = getU32(e + 12);
        if (size == 0 || offset > b.size() || size > b.size() - offset)
            notAnIcon("image " + std::to_string(i + 1) + " lies outside the file");
        resources.push_back(
            {kIcon, std::uint32_t(i + 1), language, 0, {b.begin() + offset, b.begin() + offset + size}});
        group.data.insert(group.data.end(), e, e + 12);   // size, colours, planes, bits, bytes
        putU16(group.data, std::uint16_t(i + 1));
        total += size + 16;
    }
    total += group.data.size() + 16;
    resources.push_back(std::move(group));
    return total;
}

std::u16string wide(const std::string& ansi) {
    const std::string utf8 = fromAnsi(ansi);
    std::u16string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        const int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < utf8.size(); ++k) cp = (cp << 6) | (utf8[i + k] & 0x3F);
        i += std::size_t(extra) + 1;
        out += char16_t(cp);   // Windows-1252 lies entirely in the basic plane
    }
    return out;
}

// One node of a version resource: header, key, value and children, each
// starting on a four-byte boundary; the length counts everything but the
// padding behind the last part.
template <typename Children>
void versionNode(std::vector<std::uint8_t>& out, const std::u16string& key, const std::vector<std::uint8_t>& value,
                 std::uint16_t valueLength, bool text, Children children) {
    out.resize(align(std::uint32_t(out.size()), 4));
    const std::size_t start = out.size();
    putU16(out, 0);
    putU16(out, valueLength);
    putU16(out, text ? 1 : 0);
    for (char16_t c : key + u'\0') putU16(out, c);
    out.resize(align(std::uint32_t(out.size()), 4));
    out.insert(out.end(), value.begin(), value.end());
    children(out);
    setU16(&out[start], std::uint16_t(out.size() - start));
}

void noChildren(std::vector<std::uint8_t>&) {}

std::vector<std::uint8_t> versionInfo(const VersionResource& v) {
    std::vector<std::uint8_t> fixed;
    auto high = [](const VersionNumbers& n) { return std::uint32_t(n[0]) << 16 | n[1]; };
    auto low = [](const VersionNumbers& n) { return std::uint32_t(n[2]) << 16 | n[3]; };
    for (std::uint32_t word : {0xFEEF04BDu, 0x00010000u, high(v.fileNumbers), low(v.fileNumbers),
                               high(v.productNumbers), low(v.productNumbers), 0x3Fu, 0u, 0x4u /* Win32 */,
                               0x1u /* application */, 0u, 0u, 0u})
        putU32(fixed, word);
    const std::pair<const char16_t*, const std::string*> strings[] = {
        {u"CompanyName", &v.company},        {u"FileDescription", &v.description},
        {u"FileVersion", &v.fileVersion},    {u"LegalCopyright", &v.copyright},
        {u"ProductName", &v.productName},    {u"ProductVersion", &v.productVersion}};
    std::vector<std::uint8_t> out;
    versionNode(out, u"VS_VERSION_INFO", fixed, std::uint16_t(fixed.size()), false, [&](std::vector<std::uint8_t>& o) {
        versionNode(o, u"StringFileInfo", {}, 0, true, [&](std::vector<std::uint8_t>& o) {
            // US English, Unicode: the strings are UTF-16 whatever the product's languages.
            versionNode(o, u"040904B0", {}, 0, true, [&](std::vector<std::uint8_t>& o) {
                for (const auto& [key, text] : strings) {
                    if (text->empty()) continue;
                    std::vector<std::uint8_t> value;
                    const std::u16string w = wide(*text) + u'\0';
                    for (char16_t c : w) putU16(value, c);
                    versionNode(o, key, value, std::uint16_t(w.size()), true, noChildren);
                }
            });
        });
        versionNode(o, u"VarFileInfo", {}, 0, true, [&](std::vector<std::uint8_t>& o) {
            std::vector<std::uint8_t> translation;
            putU16(translation, 0x0409);
            putU16(translation, 1200);
            versionNode(o, u"Translation", translation, 4, false, noChildren);
        });
    });
    return out;
}

}  // namespace

bool isWindowsProgram(const std::vector<std::uint8_t>& stub) {
    if (stub.size() < 64 || stub[0] != 'M' || stub[1] != 'Z') return false;
    const std::uint64_t pe = getU32(&stub[0x3C]);
    return pe + 24 + 96 + 16 * 8 <= stub.size() && getU32(&stub[pe]) == 0x00004550u;
}

std::optional<VersionNumbers> parseVersionNumbers(const std::string& text) {
    VersionNumbers numbers{0, 0, 0, 0};
    std::size_t index = 0, at = 0;
    while (true) {
        std::size_t end = at;
        std::uint32_t value = 0;
        while (end < text.size() && text[end] >= '0' && text[end] <= '9' && value <= 65535)
            value = value * 10 + std::uint32_t(text[end++] - '0');
        if (end == at || value > 65535 || index == 4) return std::nullopt;
        numbers[index++] = std::uint16_t(value);
        if (end == text.size()) return numbers;
        if (text[end] != '.') return std::nullopt;
        at = end + 1;
    }
}

std::vector<std::uint8_t> dressStub(const std::vector<std::uint8_t>& stub, const IconFile* icon,
                                    const VersionResource& version) {
    Image image = readImage(stub);
    std::vector<Resource> resources;
    std::map<std::uint32_t, std::uint32_t> behind;
    readResources(image, resources, behind);
    const std::size_t iconBytes = icon ? replaceIcon(resources, *icon) : 0;
    std::uint32_t language = 0x0409;
    for (const Resource& r : resources)
        if (r.type == kGroupIcon) language = r.language;
    resources.erase(std::remove_if(resources.begin(), resources.end(),
                                   [](const Resource& r) { return r.type == kVersion; }),
                    resources.end());
    resources.push_back({kVersion, 1, language, 0, versionInfo(version)});

    const std::vector<std::uint8_t> tree = layOut(resources, behind, image.address);
    const std::uint32_t fileAlignment = std::max(image.u32(image.optional + 36), 1u);
    const std::uint32_t sectionAlignment = std::max(image.u32(image.optional + 32), 1u);
    const std::uint32_t rawSize = align(std::uint32_t(tree.size()), fileAlignment);
    // The file's part must end before the first subtree that lies behind it,
    // and the whole stub stay below 64 KB (the package offset is 16 bits).
    std::uint32_t room = ~0u;
    for (const auto& b : behind) room = std::min(room, b.second);
    const std::size_t size = image.rawPointer + std::size_t(rawSize);
    if (size > kLargestStub || tree.size() > room) {
        const std::size_t largest = kLargestStub / fileAlignment * fileAlignment;
        const std::size_t limit = std::min<std::size_t>(largest - image.rawPointer, room);
        const std::size_t others = tree.size() - iconBytes;
        if (!icon)
            stubFault("its resources would need " + std::to_string(tree.size()) + " bytes, it has room for " +
                      std::to_string(limit));
        throw BuildError(icon->where, "product.icon",
                         "the icon '" + icon->path + "' takes " + std::to_string(iconBytes) +
                             " bytes, but the installer's stub has room for " +
                             std::to_string(limit > others ? limit - others : 0) +
                             " bytes of icon (the stub must stay below 65,536 bytes); use fewer or smaller images");
    }

    std::vector<std::uint8_t> out(stub.begin(), stub.begin() + image.rawPointer);
    out.insert(out.end(), tree.begin(), tree.end());
    out.resize(size);
    setU32(&out[image.section + 16], rawSize);
    std::uint32_t virtualSize = image.u32(image.section + 8);
    if (virtualSize < tree.size()) {
        virtualSize = std::uint32_t(tree.size());
        setU32(&out[image.section + 8], virtualSize);
        setU32(&out[image.optional + 56], align(image.address + virtualSize, sectionAlignment));
    }
    const std::uint32_t directorySize = image.u32(image.optional + 96 + 20);
    setU32(&out[image.optional + 96 + 20], std::max(directorySize, std::uint32_t(tree.size())));
    // No image checksum: a signing tool fills it in, and the installer's
    // own sum counts it as zero then.
    setU32(&out[image.optional + 64], 0);
    return out;
}

}  // namespace corvel::build
