// Bad input: each fault is reported with its place and key, and nothing is
// written.
#include <gtest/gtest.h>

#include "support.hpp"

namespace corvel::build {
namespace {

using namespace test;

struct BadCase {
    const char* name;
    std::string manifest;
    const char* at;       // text whose line and column the error must name ("" = no position)
    int atOffset;         // columns from the start of `at` to the reported column
    const char* message;  // part of the message
};

std::string place(const std::string& text, const char* needle, int offset) {
    std::size_t pos = text.find(needle);
    if (pos == std::string::npos) return "<needle not found>";
    std::size_t lineStart = text.rfind('\n', pos);
    lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
    std::size_t line = 1 + std::size_t(std::count(text.begin(), text.begin() + long(pos), '\n'));
    return std::to_string(line) + ":" + std::to_string(pos - lineStart + 1 + std::size_t(offset));
}

const std::string kFiles = "[[files]]\nsource = \"app\"\ndestination = \"%InstallPath%\"\n";

std::vector<BadCase> badCases() {
    std::string b = kBasics;
    std::string vars = b.substr(b.find("[variables]"));
    return {
        {"syntax", b + "[pages\n", "[pages", 6, "expected"},
        {"unknown key", "colour = 1\n" + b + kFiles, "colour", 0, "unknown key 'colour' at the top level"},
        {"unknown product key", "[product]\nnmae = \"x\"\n" + vars + kFiles, "nmae", 0, "did you mean 'name'?"},
        {"wrong type", "[product]\nname = 5\n" + vars + kFiles, "5", 0,
         "product.name: expected a string, found an integer"},
        {"missing install path",
         "[product]\nname = \"x\"\n[variables]\nUninstallerFileName = \"u.exe\"\n" + kFiles, "[variables]", 0,
         "missing variable %InstallPath%"},
        {"missing uninstaller name", "[product]\nname = \"x\"\n[variables]\nInstallPath = \"C:\\\\x\"\n" + kFiles,
         "[variables]", 0, "missing variable %UninstallerFileName%"},
        {"no variables at all", "[product]\nname = \"x\"\n", "[product]", 0, "missing variable %InstallPath%"},
        {"missing source", b + "[[files]]\nsource = \"nowhere\"\ndestination = \"%InstallPath%\"\n", "\"nowhere\"",
         0, "source folder"},
        {"missing listed file", b + "[[files]]\nlist = [\"app/a.txt\", \"gone.txt\"]\ndestination = \"<System>\"\n",
         "\"gone.txt\"", 0, "does not exist"},
        {"moment 13", b + kFiles + "[[program]]\npath = \"%InstallPath%\\\\a.exe\"\nmoment = 13\n", "13", 0,
         "moment 13 is outside -1..12"},
        {"moment -2", b + kFiles + "[[dll-call]]\ndll = \"a.dll\"\nfunction = \"F\"\nmoment = -2\n", "-2", 0,
         "moment -2 is outside -1..12"},
        {"unknown moment", b + kFiles + "[[program]]\npath = \"a.exe\"\nmoment = \"after-lunch\"\n", "\"after-lunch\"",
         0, "unknown moment 'after-lunch'"},
        {"language 98", b + kFiles + "[languages]\nlist = [9, 98]\n", "98", 0, "language id 98 is out of range"},
        {"no enabled page",
         b + kFiles +
             "[pages]\nwelcome = false\ndestination = false\nready = false\ninstalling = false\nfinish = false\n",
         "[pages]", 0, "no page is enabled"},
        {"slot without dialog", b + kFiles + "[pages]\n4 = true\n", "true", 0, "has no dialog"},
        {"installing page off", b + kFiles + "[pages]\ninstalling = false\n", "false", 0, "nothing would be installed"},
        {"licence page without text", b + kFiles + "[pages]\nlicence = true\n", "true", 0, "no licence file"},
        {"not Windows-1252", b + kFiles + "[strings.English]\nwelcome.title = \"Добро\"\n", "\"Добро\"", 0,
         "U+0414"},
        {"language in a code page the builder cannot write", b + kFiles + "[languages]\nlist = [\"en\", \"ar\"]\n",
         "\"ar\"", 0, "Arabic is written in Windows-1256, a code page the builder cannot write"},
        {"text outside its language's code page",
         b + kFiles + "[languages]\nlist = [\"en\", \"ru\"]\n[strings.Russian]\nwelcome.title = \"Ωмега\"\n",
         "\"Ωмега\"", 0, "U+03A9 'Ω' (character 1 of the text) cannot be written in Windows-1251, the code page of Russian"},
        {"product name outside a language's code page",
         "[product]\nname = \"Café\"\n" + vars + kFiles + "[languages]\nlist = [\"en\", \"ru\"]\n", "\"Café\"", 0,
         "U+00E9 'é' cannot be written in Windows-1251, the code page of Russian"},
        {"too many %s", b + kFiles + "[strings.English]\nmessages.10 = \"%s and %s\"\n", "\"%s and", 0,
         "stub passes only 1"},
        {"texts for an unoffered language", b + kFiles + "[strings.German]\nbuttons.next = \"Weiter\"\n",
         "German", 0, "does not offer"},
        {"variable cycle", b + "A = \"%B%\"\nB = \"x%A%\"\n" + kFiles, "A =", 0, "could never finish"},
        {"unknown variable", b + "[[files]]\nsource = \"app\"\ndestination = \"%InstalPath%\"\n", "\"%InstalPath%\"",
         0, "unknown variable %InstalPath%"},
        {"unknown keyword", b + "[[files]]\nsource = \"app\"\ndestination = \"<ProgramFile>\\\\x\"\n",
         "\"<ProgramFile>", 0, "unknown folder keyword <ProgramFile>"},
        {"relative destination", b + "[[files]]\nsource = \"app\"\ndestination = \"bin\"\n", "\"bin\"", 0,
         "must start with a variable"},
        {"doubled backslash", b + "[[files]]\nsource = \"app\"\ndestination = \"%InstallPath%\\\\\\\\bin\"\n",
         "\"%InstallPath%\\", 0, "two backslashes in a row"},
        {"start-menu page without its group", b + kFiles + "[pages]\nstart-menu = true\n", "true", 0,
         "define it under [variables]"},
        {"backslash in the product name", "[product]\nname = \"A\\\\B\"\n" + vars + kFiles, "\"A", 0,
         "cannot contain a backslash"},
        {"comma in a record field", b + kFiles + "[[registry]]\nroot = \"HKLM\"\nkey = \"Software\\\\A,B\"\n",
         "\"Software", 0, "cannot contain a comma"},
        {"unknown root key", b + kFiles + "[[registry]]\nroot = \"HKXX\"\nkey = \"k\"\n", "\"HKXX\"", 0,
         "unknown root key"},
        {"three launch files", "[product]\nname = \"x\"\nlaunch = [\"a\", \"b\", \"c\"]\n" + vars + kFiles,
         "[\"a\"", 0, "at most two"},
        {"unknown requirement", b + kFiles + "[requirements]\nwindows = \"Vista\"\n", "\"Vista\"", 0,
         "unknown requirement 'Vista'"},
        {"five version numbers", b + kFiles + "[version]\nfile-version = \"1.2.3.4.5\"\n", "\"1.2", 0,
         "'1.2.3.4.5' is not a version"},
        {"version number past 65535", b + kFiles + "[version]\nproduct-version = \"2.65536\"\n", "\"2.", 0,
         "'2.65536' is not a version"},
        {"password in the manifest", b + kFiles + "[sign]\ncertificate = \"a.p12\"\npassword = \"x\"\n", "\"x\"", 0,
         "the password never goes into the manifest"},
        {"signing without a certificate", b + kFiles + "[sign]\nkey = \"a.pem\"\n", "[sign]", 0,
         "missing certificate"},
    };
}

TEST(Errors, EachFaultNamesItsPlaceAndWritesNothing) {
    for (const BadCase& c : badCases()) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        dir.write("app/a.txt", "a");
        dir.write("stub.exe", fakeStub());
        dir.write("manifest.toml", c.manifest);
        auto before = dir.list();
        BuildOptions o;
        o.manifest = dir.str("manifest.toml");
        o.output = dir.str("out.exe");
        o.stub = dir.str("stub.exe");
        std::string error = errorOf([&] { buildInstaller(o); });
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
        EXPECT_NE(error.find(dir.str("manifest.toml") + ":" + place(c.manifest, c.at, c.atOffset) + ": error: "),
                  std::string::npos)
            << error;
        EXPECT_EQ(dir.list(), before);
    }
}

TEST(Errors, ALargeStubIsRefusedBeforeAnythingIsWritten) {
    TempDir dir;
    dir.write("app/a.txt", "a");
    dir.write("stub.exe", fakeStub(65536));
    dir.write("manifest.toml", std::string(kBasics) + kFiles);
    BuildOptions o{dir.str("manifest.toml"), dir.str("out.exe"), dir.str("stub.exe")};
    std::string error = errorOf([&] { buildInstaller(o); });
    EXPECT_NE(error.find("65536 bytes; it must be shorter than 65,536"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(dir.path() / "out.exe"));
    // One byte less is fine.
    dir.write("stub.exe", fakeStub(65535));
    EXPECT_EQ(errorOf([&] { buildInstaller(o); }), "");
    EXPECT_TRUE(fs::exists(dir.path() / "out.exe"));
}

TEST(Errors, APayloadOver4GiBIsRefusedWithoutReadingIt) {
    TempDir dir;
    dir.write("stub.exe", fakeStub());
    // Sparse files: sizes without data, so the test stays quick and small.
    for (const char* name : {"big/one.bin", "big/two.bin"}) {
        dir.write(name, "");
        fs::resize_file(dir.path() / name, 0x90000000ull);
    }
    dir.write("manifest.toml", std::string(kBasics) + "[[files]]\nsource = \"big\"\ndestination = \"%InstallPath%\"\n");
    BuildOptions o{dir.str("manifest.toml"), dir.str("out.exe"), dir.str("stub.exe")};
    auto started = std::chrono::steady_clock::now();
    std::string error = errorOf([&] { buildInstaller(o); });
    EXPECT_NE(error.find("at most 4 GiB"), std::string::npos) << error;
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
    EXPECT_FALSE(fs::exists(dir.path() / "out.exe"));
}

TEST(Errors, AFailedBuildLeavesAnEarlierInstallerAlone) {
    TempDir dir;
    dir.write("app/a.txt", "a");
    dir.write("stub.exe", fakeStub());
    dir.write("out.exe", "the old installer");
    dir.write("manifest.toml", std::string(kBasics) + kFiles + "[languages]\nlist = [\"Klingon\"]\n");
    BuildOptions o{dir.str("manifest.toml"), dir.str("out.exe"), dir.str("stub.exe")};
    EXPECT_NE(errorOf([&] { buildInstaller(o); }).find("unknown language 'Klingon'"), std::string::npos);
    std::ifstream in(dir.path() / "out.exe");
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(content, "the old installer");
    EXPECT_EQ(dir.list(), (std::vector<std::string>{"app", "manifest.toml", "out.exe", "stub.exe"}));
}

TEST(Errors, NamesWindowsCannotHoldAreRefused) {
    for (const char* bad : {"con.txt", "a:b", "trailing.", "tab\there"}) {
        SCOPED_TRACE(bad);
        TempDir dir;
        dir.write(std::string("app/") + bad, "x");
        Manifest m = manifestIn(dir, std::string(kBasics) + kFiles);
        EXPECT_NE(errorOf([&] { collectPayload(m); }).find("files[0]"), std::string::npos);
    }
    TempDir dir;
    dir.write("app/Readme.txt", "1");
    dir.write("app/README.TXT", "2");
    Manifest m = manifestIn(dir, std::string(kBasics) + kFiles);
    EXPECT_NE(errorOf([&] { collectPayload(m); }).find("the same name on Windows"), std::string::npos);
}

}  // namespace
}  // namespace corvel::build
