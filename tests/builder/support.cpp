#include "support.hpp"

#include <random>

namespace corvel::build::test {

const char* const kBasics = R"(
[product]
name = "Acme Widget 2.0"
display-name = "Acme Widget"

[variables]
InstallPath = "<ProgramFiles>\\Acme\\Widget"
UninstallerFileName = "uninstall.exe"
)";

TempDir::TempDir() {
    std::random_device rd;
    path_ = fs::temp_directory_path() / ("corvelbuild-test-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

void TempDir::write(const std::string& rel, const std::string& content) const {
    fs::path p = path_ / fs::u8path(rel);
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << content;
}

void TempDir::write(const std::string& rel, const Bytes& content) const {
    write(rel, std::string(content.begin(), content.end()));
}

std::vector<std::string> TempDir::list(const std::string& rel) const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(rel.empty() ? path_ : path_ / rel))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

Bytes fakeStub(std::size_t size) {
    Bytes b(size, 0);
    b[0] = 'M';
    b[1] = 'Z';
    for (std::size_t i = 64; i < size; ++i) b[i] = std::uint8_t(i * 7);
    return b;
}

namespace {

void at16(Bytes& b, std::size_t o, std::uint16_t v) {
    if (b.size() < o + 2) b.resize(o + 2);
    b[o] = std::uint8_t(v), b[o + 1] = std::uint8_t(v >> 8);
}
void at32(Bytes& b, std::size_t o, std::uint32_t v) {
    at16(b, o, std::uint16_t(v));
    at16(b, o + 2, std::uint16_t(v >> 16));
}

}  // namespace

Bytes peWithVersion(std::uint32_t ms, std::uint32_t ls) {
    // Headers in the first 0x200 bytes, one section ".rsrc" (RVA 0x1000, file
    // offset 0x200): root -> RT_VERSION -> id 1 -> language -> data -> VS_VERSIONINFO.
    Bytes b(0x200, 0);
    b[0] = 'M', b[1] = 'Z';
    at32(b, 0x3C, 0x40);
    at32(b, 0x40, 0x4550);          // "PE\0\0"
    at16(b, 0x44, 0x14C);           // i386
    at16(b, 0x46, 1);               // one section
    at16(b, 0x54, 224);             // optional header size
    const std::size_t opt = 0x58;
    at16(b, opt, 0x10B);            // PE32
    at32(b, opt + 92, 16);          // data directories
    at32(b, opt + 96 + 16, 0x1000); // resource directory RVA
    at32(b, opt + 96 + 20, 0x200);
    const std::size_t section = opt + 224;
    const char name[] = ".rsrc";
    for (std::size_t i = 0; i < 5; ++i) b[section + i] = std::uint8_t(name[i]);
    at32(b, section + 8, 0x200);
    at32(b, section + 12, 0x1000);
    at32(b, section + 16, 0x200);
    at32(b, section + 20, 0x200);

    Bytes r(0x200, 0);
    auto directory = [&](std::size_t at, std::uint32_t id, std::uint32_t target) {
        at16(r, at + 14, 1);
        at32(r, at + 16, id);
        at32(r, at + 20, target);
    };
    directory(0x00, 16, 0x80000000u | 0x18);
    directory(0x18, 1, 0x80000000u | 0x30);
    directory(0x30, 0x409, 0x48);
    const std::uint32_t info = 0x58, length = 92;
    at32(r, 0x48, 0x1000 + info);
    at32(r, 0x4C, length);
    at16(r, info, std::uint16_t(length));
    at16(r, info + 2, 52);
    const char key[] = "VS_VERSION_INFO";
    for (std::size_t i = 0; i < sizeof key; ++i) at16(r, info + 6 + 2 * i, std::uint16_t(key[i]));
    at32(r, info + 40, 0xFEEF04BD);
    at32(r, info + 44, 0x10000);
    at32(r, info + 48, ms);
    at32(r, info + 52, ls);
    b.insert(b.end(), r.begin(), r.end());
    return b;
}

Manifest manifestIn(const TempDir& dir, const std::string& toml) {
    dir.write("manifest.toml", toml);
    return loadManifest(dir.str("manifest.toml"));
}

InstallerInfo buildAndRead(const Manifest& m, unsigned jobs) {
    Bytes file = makeInstaller(m, fakeStub(), jobs, false);
    auto info = readInstaller(file);
    EXPECT_TRUE(info.ok()) << info.error;
    EXPECT_TRUE(info->checksumValid);
    return info.value;
}

std::string errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const BuildError& e) {
        return e.what();
    }
    return "";
}

std::vector<TypedRecord> decodedRecords(const InstallerInfo& info) {
    std::vector<TypedRecord> out;
    for (const Record& r : info.records.records) {
        auto d = decodeRecord(r);
        EXPECT_TRUE(d.ok()) << d.error;
        out.push_back(d.value);
    }
    return out;
}

}  // namespace corvel::build::test
