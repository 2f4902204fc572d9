// Manifest -> installer -> the format library's reader: every record type
// and every field comes back as the manifest said.
#include <gtest/gtest.h>

#include "codepage.hpp"
#include "script.hpp"
#include "support.hpp"

namespace corvel::build {
namespace {

using namespace test;

const char* const kFull = R"(
licence = "docs/licence.txt"
readme = "docs/readme.txt"

[product]
name = "Acme Widget 2.0"
display-name = "Acme Widget"
font = { face = "Verdana", color = 0x102030 }
title-font = { face = "Georgia", colour = "#A0B0C0" }
page-color = "window"
band-color = 0x112233
header-colour = "#445566"
accent-color = 0x00FF80
compact-dialogs = true
welcome-in-header-color = true
caption-bar = false
offer-program-group = true
offer-desktop = false
offer-quick-launch = true
reboot-required = true
create-uninstaller = true
install-path-from = { root = "HKEY_LOCAL_MACHINE", key = "Software\\Acme\\Widget", value = "Path" }
launch = ["%InstallPath%\\widget.exe", "%InstallPath%\\readme.txt"]

[variables]
Data = "%InstallPath%\\data"
InstallPath = "<ProgramFiles>\\Acme\\Widget"
UninstallerFileName = "uninstall.exe"
ShortcutsGroup = "Acme Widget"

[pages]
language = true
start-menu = true
ready = false

[languages]
list = ["English", "de", 12]
auto-select = false

[strings.English]
buttons.next = "Onward >"
welcome.title = "Hello from {ProductName}"
messages.10 = "Restart now to use %s."

[strings.German]
finish.1 = "Fertig, Grüße"

[[files]]
source = "app"
destination = "%InstallPath%"
replace = "same-or-newer"
compare = "version"
exclude = ["*.tmp"]

[[files]]
list = ["extra/shared.dll"]
destination = "<System>"
shared = true
compress = false
attributes = ["read-only", "hidden"]

[[shortcut]]
link = "<Programs>\\%ShortcutsGroup%\\Widget.lnk"
target = "%InstallPath%\\widget.exe"
arguments = "-x"
working-folder = "%InstallPath%"
icon = "%InstallPath%\\widget.exe"
icon-index = 2
show = "maximized"
hotkey = "Ctrl+Alt+W"
shared = true

[[shortcut]]
link = "<Desktop>\\Widget.lnk"
target = "%InstallPath%\\widget.exe"

[[registry]]
root = "HKLM"
key = "Software\\Acme\\Widget"
name = "Path"
data = "%InstallPath%"

[[registry]]
root = "HKCU"
key = "Software\\Acme\\Widget"
name = "Count"
type = "dword"
data = 4000000000

[[registry]]
root = "HKCU"
key = "Software\\Acme\\Widget"
name = "Blob"
type = "binary"
data = [0x0A, 0xFF, 16]

[[registry]]
root = "HKCR"
key = "Acme.Doc"
name = "Many"
type = "multi-string"
data = ["a", "b c"]

[[ini]]
file = "%InstallPath%\\widget.ini"
section = "Paths"
key = "Data"
value = "%Data%"
append = true

[[ini]]
file = "win.ini"
section = "Old"

[[association]]
extension = ".wdg"
file-type = "Acme.Widget"
content-type = "application/x-widget"
description = "Widget document"
info-tip = "A widget"
command = "\"%InstallPath%\\widget.exe\" \"%1\""
icon = "%InstallPath%\\widget.exe"
icon-index = -3

[[program]]
path = "%InstallPath%\\setupdb.exe"
arguments = "/init"
working-folder = "%InstallPath%"
moment = "after-destination"
wait = false
run-once = false
window = "minimized"

[[program]]
open = "%InstallPath%\\readme.txt"
moment = "uninstall"

[[program]]
path = "%InstallPath%\\check.exe"
moment = 0

[[dll-call]]
dll = "%InstallPath%\\widget.dll"
function = "Setup"
arguments = ["one", "two"]
moment = "startup"
run-once = false

[[dll-call]]
dll = "%InstallPath%\\widget.dll"
function = "DllRegisterServer"

[requirements]
windows = "nt4"
directx = "8.1"
internet-explorer = "5.01sp2"
access = "2000SR1"
administrator = true

[background]
start-color = 0x0000FF
end-color = "#000040"

[[background.text]]
text = "Acme Widget, 2.0"
horizontal = "right"
vertical = "bottom"
x = 20
y = 10
font = "Arial"
size = 28
width = 3
weight = "bold"
italic = true
underline = true
color = 0xFFFFFF
shadow = 2
shadow-color = 0x202020

[[background.text]]
text = "Setup"

[build]
file-time = 2024-05-01T12:00:00Z
)";

class RoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        dir.write("docs/licence.txt", "Terms\nof use\n");
        dir.write("docs/readme.txt", "Read me\r\nplease");
        dir.write("app/widget.exe", peWithVersion(0x00020001, 0x00030004));
        dir.write("app/readme.txt", std::string(5000, 'r'));
        dir.write("app/b.tmp", "skip me");
        dir.write("app/data/Zeta.txt", "z");
        dir.write("app/data/alpha.txt", "a");
        dir.write("app/data/deep/inner.txt", "inner");
        dir.write("extra/shared.dll", std::string(300, 's'));
        m = manifestIn(dir, kFull);
        info = buildAndRead(m);
        records = decodedRecords(info);
    }

    template <class T>
    std::vector<T> all() const {
        std::vector<T> out;
        for (const TypedRecord& r : records)
            if (auto p = std::get_if<T>(&r)) out.push_back(*p);
        return out;
    }

    std::vector<std::string> textsOf(RecordType type) const {
        std::vector<std::string> out;
        for (const TextRecord& t : all<TextRecord>())
            if (t.type == type) out.push_back(t.text);
        return out;
    }

    std::string stringText(std::uint16_t language, int group, int index) const {
        for (const StringRecord& s : all<StringRecord>())
            if (s.language == language && s.group == group && s.index == index) return s.text;
        return "<missing>";
    }

    TempDir dir;
    Manifest m;
    InstallerInfo info;
    std::vector<TypedRecord> records;
};

TEST_F(RoundTrip, RecordOrderSuitsTheLoader) {
    // Variables first, the product before the page switches (compact set).
    ASSERT_GE(records.size(), 6u);
    EXPECT_TRUE(std::holds_alternative<VariableRecord>(records[0]));
    std::size_t product = 0, pages = 0, lastVariable = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (std::holds_alternative<ProductRecord>(records[i])) product = i;
        if (std::holds_alternative<PageSwitchesRecord>(records[i])) pages = i;
        if (std::holds_alternative<VariableRecord>(records[i])) lastVariable = i;
    }
    EXPECT_LT(lastVariable, product);
    EXPECT_LT(product, pages);
    EXPECT_TRUE(info.records.terminated);
}

TEST_F(RoundTrip, VariablesComeBeforeTheVariablesTheyUse) {
    auto vars = all<VariableRecord>();
    ASSERT_EQ(vars.size(), 4u);
    // %Data% uses %InstallPath%, so a single expansion pass in table order completes it.
    EXPECT_EQ(vars[0].name, "%Data%");
    EXPECT_EQ(vars[0].value, "%InstallPath%\\data");
    EXPECT_EQ(vars[1].name, "%InstallPath%");
    EXPECT_EQ(vars[1].value, "<ProgramFiles>\\Acme\\Widget");
    EXPECT_EQ(vars[2].name, "%UninstallerFileName%");
    EXPECT_EQ(vars[3].name, "%ShortcutsGroup%");
}

TEST_F(RoundTrip, ProductRecordHoldsEveryField) {
    auto products = all<ProductRecord>();
    ASSERT_EQ(products.size(), 1u);
    const ProductRecord& p = products[0];
    EXPECT_EQ(p.productName, "Acme Widget 2.0");
    EXPECT_EQ(p.displayName, "Acme Widget");
    EXPECT_EQ(p.normalFont, "Verdana,0x102030");
    EXPECT_EQ(p.titleFont, "Georgia,0xA0B0C0");
    EXPECT_EQ(p.colour1, 0x02000000u);            // window
    EXPECT_EQ(p.colour2, 0x00332211u);            // COLORREF of 0x112233
    EXPECT_EQ(p.colour3, 0x00665544u);
    EXPECT_EQ(p.options1, kProductWelcomeHeaderColour);  // caption bar off
    EXPECT_EQ(p.installPathSource, "HKLM,Software\\Acme\\Widget,Path");
    EXPECT_EQ(p.launchFile1, "%InstallPath%\\widget.exe");
    EXPECT_EQ(p.launchFile2, "%InstallPath%\\readme.txt");
    EXPECT_EQ(p.options2, kProductCompactDialogs | kProductGroupOption | kProductQuickLaunchOption |
                              kProductReboot | kProductUninstaller);
}

TEST_F(RoundTrip, PagesLanguagesAndColours) {
    auto pages = all<PageSwitchesRecord>();
    ASSERT_EQ(pages.size(), 1u);
    std::array<std::uint8_t, 12> expected = {1, 1, 1, 1, 0, 0, 1, 0, 1, 0, 1, 1};
    EXPECT_EQ(pages[0].pages, expected);

    auto languages = all<LanguagesRecord>();
    ASSERT_EQ(languages.size(), 1u);
    EXPECT_EQ(languages[0].autoSelect, kLanguagesCodePages);
    EXPECT_EQ(languages[0].ids, (std::vector<std::uint16_t>{9, 7, 12}));
    EXPECT_EQ(languages[0].codePages, (std::vector<std::uint16_t>{0, 1252, 1252}));  // English is plain ASCII

    auto gradient = all<GradientRecord>();
    ASSERT_EQ(gradient.size(), 1u);
    EXPECT_EQ(gradient[0].start, 0x0000FFu);  // 0x00RRGGBB, not swapped
    EXPECT_EQ(gradient[0].end, 0x000040u);
    auto accent = all<AccentColourRecord>();
    ASSERT_EQ(accent.size(), 1u);
    EXPECT_EQ(accent[0].colour, 0x0080FF00u);  // COLORREF of 0x00FF80
}

TEST_F(RoundTrip, TextsMergeDefaultsOverridesAndNames) {
    EXPECT_EQ(stringText(9, 0x80, 1), "Onward >");
    EXPECT_EQ(stringText(9, 0x80, 0), "< &Back");
    EXPECT_EQ(stringText(9, 1, 1), "Hello from Acme Widget 2.0");
    EXPECT_EQ(stringText(9, 0x60, 10), "Restart now to use %s.");
    EXPECT_EQ(stringText(9, 6, 4), "Select the folder in which Setup will install Acme Widget:");
    EXPECT_EQ(stringText(7, 11, 1), toAnsi("Fertig, Grüße").value());
    EXPECT_EQ(stringText(12, 0x80, 2), "Annuler");
    EXPECT_EQ(stringText(7, 0x70, 29), toAnsi("Beim Neustart des Systems ist ein Fehler aufgetreten. "
                                              "Bitte starten Sie den Computer neu.").value());
    // The ready page is disabled, so its texts are left out; enabled pages are complete.
    EXPECT_EQ(stringText(9, 9, 1), "<missing>");
    for (std::uint16_t language : {9, 7, 12})
        for (const TextKey& key : stubTexts())
            if (key.group >= 0x60 || key.group == 12 || m.pages[std::size_t(key.group)])
                EXPECT_NE(stringText(language, key.group, key.index), "<missing>")
                    << language << " " << key.group << "." << key.index;
}

TEST_F(RoundTrip, DocumentsAndRequirements) {
    EXPECT_EQ(textsOf(RecordType::Licence), std::vector<std::string>{"Terms\r\nof use\r\n"});
    EXPECT_EQ(textsOf(RecordType::Readme), std::vector<std::string>{"Read me\r\nplease"});
    auto req = all<RequirementsRecord>();
    ASSERT_EQ(req.size(), 1u);
    EXPECT_EQ(req[0].windows, "NT4");
    EXPECT_EQ(req[0].directX, "8.1");
    EXPECT_EQ(req[0].internetExplorer, "5.01SP2");
    EXPECT_EQ(req[0].access, "2000SR1");
    EXPECT_EQ(req[0].admin, 1);
}

TEST_F(RoundTrip, ActionRecordsCarryEveryField) {
    EXPECT_EQ(textsOf(RecordType::Shortcut),
              (std::vector<std::string>{"<Programs>\\%ShortcutsGroup%\\Widget.lnk,%InstallPath%\\widget.exe,-x,"
                                        "%InstallPath%,%InstallPath%\\widget.exe,2,3,1623,1",
                                        "<Desktop>\\Widget.lnk,%InstallPath%\\widget.exe"}));
    EXPECT_EQ(textsOf(RecordType::Registry),
              (std::vector<std::string>{"2,Software\\Acme\\Widget,Path,1,%InstallPath%",
                                        "1,Software\\Acme\\Widget,Count,4,0xEE6B2800",
                                        "1,Software\\Acme\\Widget,Blob,3,0aff10",
                                        "0,Acme.Doc,Many,7,a|b c"}));
    EXPECT_EQ(textsOf(RecordType::Ini),
              (std::vector<std::string>{"%InstallPath%\\widget.ini,Paths,Data,%Data%,1", "win.ini,Old"}));
    EXPECT_EQ(textsOf(RecordType::Association),
              (std::vector<std::string>{".wdg,Acme.Widget,application/x-widget,Widget document,A widget,"
                                        "\"%InstallPath%\\widget.exe\" \"%1\",%InstallPath%\\widget.exe,-3"}));
    EXPECT_EQ(textsOf(RecordType::Program),
              (std::vector<std::string>{"%InstallPath%\\setupdb.exe,/init,%InstallPath%,7,0,0,1",
                                        "open,%InstallPath%\\readme.txt,,-1,1,1,0",
                                        "%InstallPath%\\check.exe,,,0,1,1,0"}));
    EXPECT_EQ(textsOf(RecordType::DllCall),
              (std::vector<std::string>{"%InstallPath%\\widget.dll,Setup,one,two,0,0",
                                        "%InstallPath%\\widget.dll,DllRegisterServer,,,11,1"}));
    EXPECT_EQ(textsOf(RecordType::BackgroundText),
              (std::vector<std::string>{"\"Acme Widget, 2.0\",right,bottom,20,10,Arial,28,3,7,1,1,0xFFFFFF,2,0x202020",
                                        "\"Setup\",left,top,0,0,,0,0,0,0,0,0x000000,0,0x000000"}));
    // The stub's own splitter reads the quoted text back with its comma.
    EXPECT_EQ(splitFields(textsOf(RecordType::BackgroundText)[0], true)[0], "Acme Widget, 2.0");
}

TEST_F(RoundTrip, GroupsAndEntriesKeepTheirFields) {
    ASSERT_EQ(info.groups.size(), 2u);
    const GroupInfo& app = info.groups[0];
    EXPECT_EQ(app.folder, "%InstallPath%");
    EXPECT_EQ(app.replaceRule, 2u);
    EXPECT_EQ(app.comparisonBasis, 1u);
    EXPECT_EQ(app.sharedFlag, 0u);
    // A folder's files (sorted ignoring case) before its sub-folders; *.tmp excluded.
    std::vector<std::string> paths;
    for (const EntryInfo& e : app.entries) paths.push_back((e.isFile() ? "f " : "d ") + e.path);
    EXPECT_EQ(paths, (std::vector<std::string>{
                         "f %InstallPath%\\readme.txt", "f %InstallPath%\\widget.exe", "d %InstallPath%\\data",
                         "f %InstallPath%\\data\\alpha.txt", "f %InstallPath%\\data\\Zeta.txt",
                         "d %InstallPath%\\data\\deep", "f %InstallPath%\\data\\deep\\inner.txt"}));
    const EntryInfo& readme = app.entries[0];
    EXPECT_TRUE(readme.isCompressed());
    EXPECT_EQ(readme.sizeLow, 5000u);
    EXPECT_LT(readme.storedSize, 100u);
    EXPECT_EQ(std::string(readme.contents.begin(), readme.contents.end()), std::string(5000, 'r'));
    const EntryInfo& exe = app.entries[1];
    EXPECT_EQ(exe.versionHigh, 0x00020001u);
    EXPECT_EQ(exe.versionLow, 0x00030004u);
    EXPECT_EQ(exe.contents, peWithVersion(0x00020001, 0x00030004));
    EXPECT_EQ(app.entries[6].depth, 2u);
    // Every time is the fixed build time: 2024-05-01T12:00:00Z.
    FileTime fixed = fileTimeFromUnix(1714564800);
    for (const EntryInfo& e : app.entries)
        if (e.isFile()) {
            EXPECT_EQ(e.creationTime, fixed);
            EXPECT_EQ(e.lastAccessTime, fixed);
            EXPECT_EQ(e.lastWriteTime, fixed);
            EXPECT_EQ(e.attributes, 0x20u);
        }

    const GroupInfo& shared = info.groups[1];
    EXPECT_EQ(shared.folder, "<System>");
    EXPECT_EQ(shared.sharedFlag, 1u);
    ASSERT_EQ(shared.entries.size(), 1u);
    EXPECT_FALSE(shared.entries[0].isCompressed());
    EXPECT_EQ(shared.entries[0].storedSize, 300u);
    EXPECT_EQ(shared.entries[0].attributes, 0x03u);
    EXPECT_EQ(info.spaceRequired, 5000u + peWithVersion(0, 0).size() + 1 + 1 + 5 + 300);
}

TEST(Payload, TimesAndAttributesComeFromTheSourceFiles) {
    TempDir dir;
    dir.write("app/ro.txt", "read only");
    dir.write("app/rw.txt", "writable");
    fs::permissions(dir.path() / "app/ro.txt", fs::perms::owner_write, fs::perm_options::remove);
    auto stamp = fs::file_time_type::clock::now() - std::chrono::hours(24 * 400);
    fs::last_write_time(dir.path() / "app/rw.txt", stamp);
    Manifest m = manifestIn(dir, std::string(kBasics) + "[[files]]\nsource = \"app\"\ndestination = \"%InstallPath%\"\n");
    InstallerInfo info = buildAndRead(m);
    ASSERT_EQ(info.groups.size(), 1u);
    ASSERT_EQ(info.groups[0].entries.size(), 2u);
    EXPECT_EQ(info.groups[0].entries[0].attributes, 0x21u);  // archive + read-only
    EXPECT_EQ(info.groups[0].entries[1].attributes, 0x20u);
    auto written = unixFromFileTime(info.groups[0].entries[1].lastWriteTime);
    auto expected = std::chrono::duration_cast<std::chrono::seconds>(
                        (stamp - fs::file_time_type::clock::now()) + std::chrono::system_clock::now().time_since_epoch())
                        .count();
    EXPECT_NEAR(double(written), double(expected), 2.0);
}

}  // namespace
}  // namespace corvel::build
