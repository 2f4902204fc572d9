// Whole builds: byte-identical output, patterns, the default and minimal
// manifests, and inspect/verify/extract on the result.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

#include "glob.hpp"
#include "inspect.hpp"
#include "names.hpp"
#include "payload.hpp"
#include "support.hpp"
#include "texts.hpp"

namespace corvel::build {
namespace {

using namespace test;

const std::string kFiles = "[[files]]\nsource = \"app\"\ndestination = \"%InstallPath%\"\n";

Bytes readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void fillApp(const TempDir& dir, bool reverse) {
    std::vector<std::pair<std::string, std::string>> files;
    for (int i = 0; i < 40; ++i)
        files.push_back({"app/d" + std::to_string(i % 4) + "/f" + std::to_string(i) + ".txt",
                         std::string(std::size_t(1000 + i * 37), char('a' + i % 26))});
    if (reverse) std::reverse(files.begin(), files.end());
    for (const auto& [name, content] : files) dir.write(name, content);
}

TEST(Determinism, SameManifestAndFilesGiveTheSameBytes) {
    TempDir dir;
    fillApp(dir, false);
    dir.write("stub.exe", fakeStub());
    dir.write("manifest.toml", std::string(kBasics) + kFiles);
    BuildOptions o{dir.str("manifest.toml"), dir.str("one.exe"), dir.str("stub.exe"), 1};
    buildInstaller(o);
    o.output = dir.str("two.exe");
    o.jobs = 4;
    buildInstaller(o);  // also after the first build has read every file
    EXPECT_EQ(readAll(dir.path() / "one.exe"), readAll(dir.path() / "two.exe"));
}

TEST(Determinism, DirectoryOrderDoesNotMatter) {
    // Two trees with the same files created in opposite orders.
    const std::string manifest = std::string(kBasics) + kFiles + "[build]\nfile-time = 2020-01-01T00:00:00Z\n";
    TempDir a, b;
    fillApp(a, false);
    fillApp(b, true);
    Bytes first = makeInstaller(manifestIn(a, manifest), fakeStub(), 3, false);
    Bytes second = makeInstaller(manifestIn(b, manifest), fakeStub(), 1, false);
    EXPECT_EQ(first, second);
}

TEST(Build, MinimalManifestWordsEveryPage) {
    TempDir dir;
    dir.write("app/a.txt", "a");
    InstallerInfo info = buildAndRead(manifestIn(dir, std::string(kBasics) + kFiles));
    std::set<std::pair<int, int>> have;
    for (const TypedRecord& r : decodedRecords(info))
        if (auto s = std::get_if<StringRecord>(&r)) {
            EXPECT_EQ(s->language, 9);
            EXPECT_FALSE(s->text.empty());
            have.insert({s->group, s->index});
        }
    // Default pages: welcome, destination, ready, installing, finish.
    for (const TextKey& key : stubTexts()) {
        bool shown = key.group >= 0x60 || key.group == 12 || key.group == 1 || key.group == 6 || key.group >= 9;
        EXPECT_EQ(have.count({key.group, key.index}), shown ? 1u : 0u) << key.group << "." << key.index;
    }
}

TEST(Build, ALanguageWithoutBuiltInTextsIsWrittenOnlyFromTheManifestInItsOwnCodePage) {
    TempDir dir;
    dir.write("app/a.txt", "a");
    std::string manifest = std::string(kBasics) + kFiles + "[languages]\nlist = [\"en\", \"ro\"]\n";
    std::string some = "[strings.Romanian]\nbuttons.back = \"< Înapoi\"\n";
    std::string error = errorOf([&] { manifestIn(dir, manifest + some); });
    EXPECT_NE(error.find("Romanian has no built-in texts and [strings.Romanian] lacks"), std::string::npos) << error;

    // Every text that the package holds, worded by the manifest, is enough.
    std::string all = some;
    for (const TextKey& key : stubTexts())
        if (key.group >= group::ready || key.group == group::language || key.group == group::welcome ||
            key.group == group::destination)
            if (!(key.group == group::buttons && key.index == 0))
                all += stringGroupName(key.group) + "." + std::to_string(key.index) + " = \"Text în română\"\n";
    Manifest m = manifestIn(dir, manifest + all);
    std::map<int, std::string> buttons;
    std::vector<std::uint16_t> codePages;
    for (const TypedRecord& r : decodedRecords(buildAndRead(m))) {
        if (auto s = std::get_if<StringRecord>(&r))
            if (s->group == group::buttons && s->language == 0x18) buttons[s->index] = s->text;
        if (auto l = std::get_if<LanguagesRecord>(&r)) codePages = l->codePages;
    }
    EXPECT_EQ(buttons[0], "< \xCEnapoi");                // Windows-1250, not English in disguise
    EXPECT_EQ(buttons[1], "Text \xEEn rom\xE2n\xE3");
    EXPECT_EQ(codePages, (std::vector<std::uint16_t>{0, 1250}));  // English is plain ASCII
}

TEST(Build, TrailingBackslashOfADestinationIsDropped) {
    // The setup program puts a backslash between folder and name itself.
    TempDir dir;
    dir.write("app/a.txt", "a");
    Manifest m = manifestIn(dir, std::string(kBasics) + "[[files]]\nsource = \"app\"\ndestination = \"C:\\\\\"\n");
    InstallerInfo info = buildAndRead(m);
    ASSERT_EQ(info.groups.size(), 1u);
    EXPECT_EQ(info.groups[0].folder, "C:");
    EXPECT_EQ(info.groups[0].entries[0].path, "C:\\a.txt");
}

TEST(Build, IncludeAndExcludePatterns) {
    TempDir dir;
    for (const char* f : {"app/bin/tool.exe", "app/bin/tool.pdb", "app/doc/a.txt", "app/doc/old/b.txt",
                          "app/.git/config", "app/notes.txt"})
        dir.write(f, "x");
    Manifest m = manifestIn(dir, std::string(kBasics) + kFiles +
                                     "include = [\"bin/*\", \"doc/**\"]\nexclude = [\"*.pdb\", \"doc/old\"]\n");
    Payload p = collectPayload(m);
    std::vector<std::string> names;
    for (const PayloadEntry& e : p.groups[0].entries) names.push_back(std::to_string(e.depth) + e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"0bin", "1tool.exe", "0doc", "1a.txt"}));
}

TEST(Glob, Patterns) {
    EXPECT_TRUE(matchesPath("*.PDB", "bin/x/tool.pdb"));      // a name pattern at any depth, any case
    EXPECT_FALSE(matchesPath("bin/*.pdb", "bin/x/tool.pdb"));  // '*' stays within a folder
    EXPECT_TRUE(matchesPath("bin/**/*.pdb", "bin/tool.pdb"));  // '**/' may match nothing
    EXPECT_TRUE(matchesPath("bin/**/*.pdb", "bin/x/y/tool.pdb"));
    EXPECT_TRUE(matchesPath("/doc", "doc"));
    EXPECT_TRUE(globMatch("f[0-9]?.txt", "f1a.txt"));
    EXPECT_FALSE(globMatch("f[!0-9].txt", "f1.txt"));
    EXPECT_TRUE(globMatch("a[b", "a[b"));  // an unclosed set is literal
}

TEST(Build, IncompressibleFilesAreStoredRaw) {
    TempDir dir;
    std::string noise;
    std::uint32_t x = 12345;
    for (int i = 0; i < 4096; ++i) noise += char((x = x * 1103515245 + 12345) >> 24);
    dir.write("app/noise.bin", noise);
    dir.write("app/text.txt", std::string(4096, 't'));
    InstallerInfo info = buildAndRead(manifestIn(dir, std::string(kBasics) + kFiles));
    ASSERT_EQ(info.groups[0].entries.size(), 2u);
    EXPECT_FALSE(info.groups[0].entries[0].isCompressed());
    EXPECT_EQ(info.groups[0].entries[0].storedSize, 4096u);
    EXPECT_TRUE(info.groups[0].entries[1].isCompressed());
    EXPECT_EQ(std::string(info.groups[0].entries[0].contents.begin(), info.groups[0].entries[0].contents.end()),
              noise);
}

TEST(Inspect, VerifyExtractAndDump) {
    TempDir dir;
    dir.write("app/a.txt", "alpha");
    dir.write("app/sub/b.txt", "beta");
    dir.write("stub.exe", fakeStub());
    dir.write("manifest.toml", std::string(kBasics) + kFiles + "[[shortcut]]\nlink = \"<Desktop>\\\\W.lnk\"\n"
                                                               "target = \"%InstallPath%\\\\a.txt\"\n");
    BuildOptions o{dir.str("manifest.toml"), dir.str("out.exe"), dir.str("stub.exe")};
    buildInstaller(o);

    std::ostringstream out, err;
    EXPECT_TRUE(verifyInstaller(dir.str("out.exe"), out, err)) << err.str();
    EXPECT_TRUE(inspectInstaller(dir.str("out.exe"), out));
    for (const char* expected : {"FileChecksum", "SpaceRequired 9", "file \"%InstallPath%\\\\sub\\\\b.txt\"",
                                 "shortcut (type 10", "<Desktop>\\\\W.lnk", "welcome.1 (title)", "checksum holds"})
        EXPECT_NE(out.str().find(expected), std::string::npos) << expected;

    EXPECT_TRUE(extractInstaller(dir.str("out.exe"), dir.str("x"), out, err)) << err.str();
    EXPECT_EQ(readAll(dir.path() / "x/InstallPath/a.txt"), Bytes({'a', 'l', 'p', 'h', 'a'}));
    EXPECT_EQ(readAll(dir.path() / "x/InstallPath/sub/b.txt"), Bytes({'b', 'e', 't', 'a'}));

    // One changed byte in the package and the installer is no longer intact.
    Bytes file = readAll(dir.path() / "out.exe");
    file[file.size() - 5] ^= 0x40;
    dir.write("bad.exe", file);
    std::ostringstream out2, err2;
    EXPECT_FALSE(verifyInstaller(dir.str("bad.exe"), out2, err2));
    EXPECT_NE(err2.str().find("checksum"), std::string::npos) << err2.str();
}

}  // namespace
}  // namespace corvel::build
