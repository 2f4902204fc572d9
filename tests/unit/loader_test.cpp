// The script loader filling the setup model record by record, and the
// requirement check that reads the model's requirement record: the order of
// its steps with the platform facts given, and the real detections on Wine.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>
#include "common/heap.h"
#include "engine/variables.h"
#include "records.h"
#include "requirements/requirements.h"
#include "saved_registry.h"
#include "script/model.h"
#include "startup/process.h"
#include "wizard/drawing.h"

namespace {

std::string Text(const char* text) {
  return text ? text : "<null>";
}

class Loader : public testing::Test {
 protected:
  void SetUp() override {
    ZeroMemory(&Model, sizeof(Model));
    ASSERT_TRUE(CreateModelLists());
    ASSERT_NE(nullptr, Model.languageIds = (StringList)PointerArray.Create(10));
    ASSERT_TRUE(CreateVariableTable());
    // Known stand-ins for the resolved folders: "<K16>" for <ProgramFiles>.
    for (int position = 0; position < FolderKeywordCount; position++)
      AppendItem(FolderCache, ("<K" + std::to_string(position) + ">").c_str());
    RebootRequired = RestartChosen = false;
  }
  void TearDown() override {
    PointerArray.Destroy(Model.languageIds);
    Model.languageIds = nullptr;
    DestroyModel();
    DestroyVariableTable();
    RebootRequired = RestartChosen = false;
  }

  static void Load(const corvel::Record& record) {
    std::vector<std::uint8_t> bytes(4 + record.payload.size());
    std::uint32_t size = (std::uint32_t)record.payload.size();
    std::memcpy(bytes.data(), &size, 4);
    if (size) std::memcpy(bytes.data() + 4, record.payload.data(), size);
    LoadScriptRecord(record.type, bytes.data());
  }
  static void LoadRaw(std::uint32_t type, const std::string& payload) {
    Load(corvel::rawRecord(type, std::vector<std::uint8_t>(payload.begin(), payload.end())));
  }
  static std::vector<int> LanguageIds() {
    std::vector<int> ids;
    for (int i = 0; i < Count(Model.languageIds); i++)
      ids.push_back((int)(DWORD_PTR)PointerArray.GetPtr(Model.languageIds, i));
    return ids;
  }
  static corvel::ProductRecord Product() {
    corvel::ProductRecord product;
    product.productName = "Product";
    product.displayName = "Display";
    return product;
  }
};

TEST_F(Loader, NothingLoadedKeepsTheDefaults) {
  EXPECT_EQ(9, Model.currentLanguage);
  for (int page = 0; page < PageSlotCount; page++) EXPECT_FALSE(Model.pages[page].enabled);
  EXPECT_EQ(nullptr, LookupText(MessagesGroup, 13));
  EXPECT_EQ(nullptr, Model.caption);
  EXPECT_EQ(0x00C88C00u, Model.accentColour);
  EXPECT_EQ(0x01000000u, Model.pageColour);
}

TEST_F(Loader, OtherRecordTypesChangeNothing) {
  LoadRaw(0, std::string("%A%\0x\0", 6));
  LoadRaw(18, std::string("%A%\0x\0", 6));
  LoadRaw(0x7FFFFFFF, "");
  EXPECT_EQ(0, Count(VariableNames));
  EXPECT_EQ(nullptr, Model.licenceText);
}

TEST_F(Loader, VariablesKeepNameAndExpandTheValuesFolders) {
  Load(corvel::variableRecord("%InstallPath%", "<ProgramFiles>\\App"));
  Load(corvel::variableRecord("%INSTALLPATH%", "second"));
  Load(corvel::variableRecord("%Other%", "%InstallPath%\\x"));
  EXPECT_STREQ("%INSTALLPATH%", GetItem(VariableNames, 1));
  EXPECT_EQ("<K16>\\App", Text(GetVariable("%installpath%")));   // the first of the two
  EXPECT_EQ("%InstallPath%\\x", Text(GetVariable("%Other%")));   // variables wait for their use
}

TEST_F(Loader, TextsWithoutTerminatorOrMissingFieldsReadSafely) {
  LoadRaw(3, "licence without end");
  EXPECT_EQ("licence without end", Text(Model.licenceText));
  LoadRaw(3, "");
  EXPECT_EQ("", Text(Model.licenceText));
  LoadRaw(1, "%OnlyName%");
  EXPECT_EQ("", Text(GetVariable("%OnlyName%")));
  LoadRaw(16, std::string("98\0", 3));
  EXPECT_EQ("98", Text(Model.requiredWindows));
  EXPECT_EQ("", Text(Model.requiredAccess));
  EXPECT_EQ(0, Model.requireAdministrator);
  LoadRaw(7, "\x01\x02");   // both colours cut short
  EXPECT_TRUE(Model.backgroundRequested);
  EXPECT_EQ(0x00010200u, Model.gradientStart);
  EXPECT_EQ(0u, Model.gradientEnd);
}

TEST_F(Loader, PageSwitchesAndTheDialogSet) {
  std::array<std::uint8_t, 12> pages{};
  pages[0] = 1;
  pages[5] = 7;
  pages[11] = 1;
  Load(corvel::pageSwitchesRecord(pages));
  EXPECT_TRUE(Model.pages[0].enabled);
  EXPECT_FALSE(Model.pages[1].enabled);
  EXPECT_TRUE(Model.pages[5].enabled);
  EXPECT_EQ(129u, Model.pages[0].templateId);
  EXPECT_EQ(140u, Model.pages[11].templateId);
  EXPECT_FALSE(Model.pages[UninstallerSlot].enabled);

  // The compact set counts only for page switches read after it.
  corvel::ProductRecord product = Product();
  product.options2 = corvel::kProductCompactDialogs;
  Load(corvel::productRecord(product));
  EXPECT_EQ(20u, Model.dialogSetOffset);
  EXPECT_EQ(129u, Model.pages[0].templateId);
  Load(corvel::pageSwitchesRecord(pages));
  EXPECT_EQ(149u, Model.pages[0].templateId);
  EXPECT_EQ(160u, Model.pages[11].templateId);

  LoadRaw(2, std::string("\x01\x01", 2));   // a short record disables the rest
  EXPECT_TRUE(Model.pages[1].enabled);
  EXPECT_FALSE(Model.pages[5].enabled);
}

TEST_F(Loader, StringsByGroupAndLanguage) {
  Load(corvel::stringRecord(9, corvel::kGroupMessages, 13, "Need %s <Windows>"));
  Load(corvel::stringRecord(9, corvel::kGroupErrors, 29, "Reboot failed"));
  Load(corvel::stringRecord(9, corvel::kGroupButtons, 1, "Next"));
  Load(corvel::stringRecord(9, 4, 2, "Install into <ProgramFiles>"));
  Load(corvel::stringRecord(7, corvel::kGroupButtons, 1, "Weiter"));
  EXPECT_EQ("Need %s <Windows>", Text(LookupText(MessagesGroup, 13)));   // messages are kept as written
  EXPECT_EQ("Reboot failed", Text(LookupText(ErrorsGroup, 29)));
  EXPECT_EQ("Next", Text(LookupText(ButtonsGroup, 1)));
  EXPECT_EQ("Install into <K16>", Text(LookupText(4, 2)));   // page texts name folders
  Model.currentLanguage = 7;
  EXPECT_EQ("Weiter", Text(LookupText(ButtonsGroup, 1)));
  EXPECT_EQ(nullptr, LookupText(MessagesGroup, 13));
  Model.currentLanguage = 9;

  // Later records replace; an index past the end leaves empty items between.
  Load(corvel::stringRecord(9, 12, 0, "a"));
  Load(corvel::stringRecord(9, 12, 1, "b"));
  Load(corvel::stringRecord(9, 12, 2, "c"));
  Load(corvel::stringRecord(9, 12, 20, "u"));
  Load(corvel::stringRecord(9, 12, 0, "A"));
  StringList uninstaller = Model.pages[UninstallerSlot].texts[9];
  EXPECT_EQ(21, Count(uninstaller));
  EXPECT_EQ("A", Text(GetItem(uninstaller, 0)));
  for (int index = 3; index < 20; index++) EXPECT_EQ(nullptr, GetItem(uninstaller, index));
  EXPECT_EQ("u", Text(GetItem(uninstaller, 20)));
}

TEST_F(Loader, StringsWithoutAListAreIgnored) {
  Load(corvel::stringRecord(97, 0, 0, "last language"));
  Load(corvel::stringRecord(98, 0, 0, "no list"));
  Load(corvel::stringRecord(0xFFFF, corvel::kGroupMessages, 0, "no list"));
  for (std::uint8_t group : {13, 0x50, 0x61, 0x90, 0xFF}) Load(corvel::stringRecord(9, group, 0, "no list"));
  EXPECT_EQ("last language", Text(GetItem(Model.pages[0].texts[97], 0)));
  for (int language = 0; language < LanguageCount; language++) {
    EXPECT_EQ(0, Count(Model.messages[language]));
    EXPECT_EQ(0, Count(Model.errors[language]));
    EXPECT_EQ(0, Count(Model.buttons[language]));
    for (int slot = 0; slot < PageSlotCount; slot++)
      if (slot || language != 97) EXPECT_EQ(0, Count(Model.pages[slot].texts[language])) << slot << " " << language;
  }
}

TEST_F(Loader, LanguageChoice) {
  WORD user = LOBYTE(GetUserDefaultLangID());
  WORD other = user == 9 ? 7 : 9;
  Load(corvel::languagesRecord(1, {other, user}));
  EXPECT_EQ(user, Model.currentLanguage);   // the user's language when offered
  EXPECT_EQ(std::vector<int>({other, user}), LanguageIds());

  Load(corvel::languagesRecord(0, {other, user}));
  EXPECT_EQ(other, Model.currentLanguage);   // else the first one

  WORD absent = user == 12 ? 10 : 12;
  Load(corvel::languagesRecord(1, {absent, other}));
  EXPECT_EQ(absent, Model.currentLanguage);

  // Texts in another code page than the system's are not offered; plain ASCII (0) fits any.
  WORD system = (WORD)GetACP(), foreign = system == 1251 ? 1253 : 1251;
  PointerArray.DeleteAllPtrs(Model.languageIds);
  Load(corvel::languagesRecord(1, {other, user, absent}, {foreign, system, 0}));
  EXPECT_EQ(std::vector<int>({user, absent}), LanguageIds());
  EXPECT_EQ(user, Model.currentLanguage);
  PointerArray.DeleteAllPtrs(Model.languageIds);
  Load(corvel::languagesRecord(0, {user, other, absent}, {foreign, 0, system}));
  EXPECT_EQ(std::vector<int>({other, absent}), LanguageIds());
  EXPECT_EQ(other, Model.currentLanguage);   // the first one offered
  // When none fits, the first listed stands alone rather than nothing.
  PointerArray.DeleteAllPtrs(Model.languageIds);
  Load(corvel::languagesRecord(1, {other, user}, {foreign, foreign}));
  EXPECT_EQ(std::vector<int>({other}), LanguageIds());
  EXPECT_EQ(other, Model.currentLanguage);
}

TEST_F(Loader, LanguageRecordOddCases) {
  Load(corvel::languagesRecord(1, {}));
  EXPECT_EQ(9, Model.currentLanguage);   // no id: the language stays
  EXPECT_TRUE(LanguageIds().empty());
  // An odd byte after the ids is no id; ids without texts are never offered.
  LoadRaw(6, std::string("\0\x07\0\x62\0\x10\0\x05", 8));
  EXPECT_EQ(std::vector<int>({7, 16}), LanguageIds());
  EXPECT_EQ(7, Model.currentLanguage);
  Load(corvel::languagesRecord(0, {200, 98}));
  EXPECT_EQ(7, Model.currentLanguage);
  EXPECT_EQ(std::vector<int>({7, 16}), LanguageIds());
}

TEST_F(Loader, ColoursAreTurnedIntoColorrefs) {
  Load(corvel::gradientRecord(0x00112233, 0x00AABBCC));
  EXPECT_TRUE(Model.backgroundRequested);
  EXPECT_EQ(0x00332211u, Model.gradientStart);
  EXPECT_EQ(0x00CCBBAAu, Model.gradientEnd);
  Load(corvel::accentColourRecord(0x00445566));
  EXPECT_EQ(0x00445566u, Model.accentColour);   // already a COLORREF
}

TEST_F(Loader, ProductFields) {
  SavedValue source(HKEY_CURRENT_USER, "Software\\Corvel Test\\Earlier", "Location");
  source.SetText("D:\\Earlier\\Place");
  Load(corvel::variableRecord("%InstallPath%", "<ProgramFiles>\\Default"));

  corvel::ProductRecord product;
  product.productName = "Product Name";
  product.displayName = "Display Name";
  product.normalFont = "No Such Face Anywhere,0xFF8000";
  product.colour1 = 0x02000000;
  product.colour2 = 0x00123456;
  product.titleFont = ",255";
  product.colour3 = 0x00654321;
  product.options1 = corvel::kProductCaptionBar;
  product.installPathSource = "hkcu,Software\\Corvel Test\\Earlier,Location";
  product.launchFile1 = "<Windows>\\readme.txt";
  product.launchFile2 = "";
  product.options2 = corvel::kProductReboot | corvel::kProductUninstaller | corvel::kProductDesktopOption;
  Load(corvel::productRecord(product));

  EXPECT_EQ("Product Name", Text(Model.productName));
  EXPECT_EQ("Display Name", Text(Model.displayName));
  EXPECT_EQ("Display Name Setup", Text(Model.caption));
  EXPECT_EQ("MS Sans Serif", Text(Model.normalFontFace));
  EXPECT_EQ(0x000080FFu, Model.normalTextColour);
  EXPECT_EQ(FontExists("Tahoma") ? "Tahoma" : "MS Sans Serif", Text(Model.titleFontFace));
  EXPECT_EQ(0x00FF0000u, Model.titleTextColour);
  EXPECT_EQ(0x02000000u, Model.pageColour);
  EXPECT_EQ(0x00123456u, Model.bandColour);
  EXPECT_EQ(0x00654321u, Model.headerColour);
  EXPECT_EQ(corvel::kProductCaptionBar, Model.options1);
  EXPECT_EQ("D:\\Earlier\\Place", Text(GetVariable("%InstallPath%")));
  EXPECT_EQ(1, Count(VariableNames));
  EXPECT_EQ("<K25>\\readme.txt", Text(Model.launchFiles[0]));
  EXPECT_TRUE(Model.launchFlags[0]);
  EXPECT_FALSE(Model.launchFlags[1]);
  EXPECT_EQ(0u, Model.dialogSetOffset);
  EXPECT_TRUE(RebootRequired);
  EXPECT_TRUE(RestartChosen);
  EXPECT_EQ(product.options2, Model.options2);

  // A second product record replaces every single value.
  source.Delete();
  Load(corvel::productRecord(Product()));
  EXPECT_EQ("Display Setup", Text(Model.caption));
  EXPECT_EQ(0, Model.options1);
  EXPECT_FALSE(RebootRequired);
  EXPECT_FALSE(Model.launchFlags[0]);
  EXPECT_EQ("D:\\Earlier\\Place", Text(GetVariable("%InstallPath%")));   // an unreadable source changes nothing
}

TEST_F(Loader, InstallPathSourceDefinesTheVariableWhenMissing) {
  SavedValue source(HKEY_LOCAL_MACHINE, "Software\\Corvel Test", "Path");
  source.SetText("E:\\App");
  corvel::ProductRecord product = Product();
  product.installPathSource = "HKLM,\\Software\\Corvel Test,Path";
  Load(corvel::productRecord(product));
  EXPECT_EQ("E:\\App", Text(GetVariable("%InstallPath%")));
  product.installPathSource = "HKXX,Software\\Corvel Test,Path";
  Load(corvel::variableRecord("%Other%", ""));
  SetVariable("%InstallPath%", "kept");
  Load(corvel::productRecord(product));
  EXPECT_EQ("kept", Text(GetVariable("%InstallPath%")));
}

TEST_F(Loader, TruncatedProductRecord) {
  LoadRaw(9, std::string("Name\0Shown\0", 11));
  EXPECT_EQ("Shown Setup", Text(Model.caption));
  EXPECT_EQ(FontExists("Tahoma") ? "Tahoma" : "MS Sans Serif", Text(Model.normalFontFace));
  EXPECT_EQ(0u, Model.pageColour);
  EXPECT_FALSE(Model.launchFlags[0]);
  EXPECT_EQ("", Text(Model.launchFiles[1]));
}

TEST_F(Loader, ShortcutsAreKeptAsWrittenAndSetTheirFlags) {
  Load(corvel::shortcutRecord("<StartMenu>\\App.lnk,%InstallPath%\\app.exe"));
  EXPECT_FALSE(Model.groupShortcutExists || Model.desktopShortcutExists || Model.quickLaunchShortcutExists);
  Load(corvel::shortcutRecord("<desktop>\\App.lnk,%InstallPath%\\app.exe"));
  EXPECT_TRUE(Model.desktopShortcutExists);
  EXPECT_TRUE(Model.desktopShortcuts);
  EXPECT_FALSE(Model.groupShortcutExists);
  Load(corvel::shortcutRecord("<Programs>\\%SHORTCUTSGROUP%\\App.lnk,x"));
  EXPECT_TRUE(Model.groupShortcutExists && Model.createProgramGroup);
  Load(corvel::shortcutRecord("<QUICKLAUNCH>\\App.lnk,x"));
  EXPECT_TRUE(Model.quickLaunchShortcutExists && Model.quickLaunchShortcuts);
  ASSERT_EQ(4, Count(Model.shortcuts));
  EXPECT_STREQ("<desktop>\\App.lnk,%InstallPath%\\app.exe", GetItem(Model.shortcuts, 1));

  Model.desktopShortcutExists = Model.desktopShortcuts = false;
  Load(corvel::shortcutRecord("<CommonDesktop>\\App.lnk,x"));
  EXPECT_TRUE(Model.desktopShortcutExists);
}

// Folder keywords of the entries are expanded field by field when the
// entries are used, since a folder may hold a comma; background texts are
// drawn as loaded.
TEST_F(Loader, EntryListsAreKeptInOrderWithTheirKeywords) {
  Load(corvel::registryRecord("2,Software\\App,Path,1,<ProgramFiles>\\App"));
  Load(corvel::registryRecord("1,Software\\App,User,1,%InstallPath%"));
  Load(corvel::iniRecord("<Windows>\\app.ini,Section,Key,Value"));
  Load(corvel::associationRecord(".abc,App.File,,,,<ProgramFiles>\\app.exe \"%1\""));
  Load(corvel::backgroundTextRecord("\"Welcome to <Desktop>\",10,10"));
  ASSERT_EQ(2, Count(Model.registryEntries));
  EXPECT_STREQ("2,Software\\App,Path,1,<ProgramFiles>\\App", GetItem(Model.registryEntries, 0));
  EXPECT_STREQ("1,Software\\App,User,1,%InstallPath%", GetItem(Model.registryEntries, 1));
  EXPECT_STREQ("<Windows>\\app.ini,Section,Key,Value", GetItem(Model.iniEntries, 0));
  EXPECT_STREQ(".abc,App.File,,,,<ProgramFiles>\\app.exe \"%1\"", GetItem(Model.associations, 0));
  EXPECT_STREQ("\"Welcome to <K9>\",10,10", GetItem(Model.backgroundTexts, 0));
}

TEST_F(Loader, ProgramsAndDllCallsAreFiledByMoment) {
  Load(corvel::programRecord("<System>\\a.exe,-x,<Windows>,,1,0,3"));   // empty moment: the installing page
  Load(corvel::programRecord("b.exe,,,0,0,1,0"));
  Load(corvel::programRecord("c.exe,,,-1"));
  Load(corvel::programRecord("d.exe,,,12,1"));
  Load(corvel::programRecord("e.exe,,,13"));
  Load(corvel::programRecord("f.exe,,,-2"));
  Load(corvel::programRecord("g.exe,,,0x3,,,,extra"));
  Load(corvel::dllCallRecord("<System>\\x.dll,DllRegisterServer,,,-1,1"));
  Load(corvel::dllCallRecord("y.dll,Entry,one,two,1,0,ignored"));
  Load(corvel::dllCallRecord("z.dll,Entry"));

  EXPECT_STREQ("<System>\\a.exe,-x,<Windows>,1,0,3", GetItem(Model.pages[10].programs, 0));
  EXPECT_STREQ("b.exe,,,0,1,0", GetItem(Model.startupPrograms, 0));
  EXPECT_STREQ("c.exe,,,,,", GetItem(Model.uninstallPrograms, 0));
  EXPECT_STREQ("d.exe,,,1,,", GetItem(Model.pages[11].programs, 0));
  EXPECT_STREQ("g.exe,,,,,", GetItem(Model.pages[2].programs, 0));
  EXPECT_STREQ("<System>\\x.dll,DllRegisterServer,,,1", GetItem(Model.uninstallDllCalls, 0));
  EXPECT_STREQ("y.dll,Entry,one,two,0", GetItem(Model.pages[0].dllCalls, 0));
  EXPECT_STREQ("z.dll,Entry,,,", GetItem(Model.pages[10].dllCalls, 0));

  int programs = Count(Model.startupPrograms) + Count(Model.uninstallPrograms);
  for (int slot = 0; slot < PageSlotCount; slot++) programs += Count(Model.pages[slot].programs);
  EXPECT_EQ(5, programs);   // 13 and -2 are dropped
}

// The requirement check with the platform facts set by the test.
class Requirements : public Loader {
 protected:
  void SetUp() override {
    Loader::SetUp();
    saved = Platform;
    Platform = PlatformFacts();
  }
  void TearDown() override {
    Platform = saved;
    Loader::TearDown();
  }
  static void Require(const char* windows, const char* internetExplorer, const char* directX, const char* access,
                      bool administrator) {
    corvel::RequirementsRecord requirements;
    requirements.windows = windows;
    requirements.internetExplorer = internetExplorer;
    requirements.directX = directX;
    requirements.access = access;
    requirements.admin = administrator;
    Load(corvel::requirementsRecord(requirements));
  }
  static void On(int windows, bool administrator = true) {
    Platform.windowsVersion = windows;
    Platform.ntPlatform = windows == 3 || windows >= 7;
    Platform.administrator = administrator;
  }
  PlatformFacts saved;
};

TEST_F(Requirements, NoRecordOrEmptyTextsDemandNothing) {
  On(0, false);
  EXPECT_EQ(0, CheckRequirements());
  Require("", "", "", "", false);
  EXPECT_EQ(0, CheckRequirements());
  Require("7", "6", "10", "2003", false);   // no keyword of any table
  EXPECT_EQ(0, CheckRequirements());
}

TEST_F(Requirements, WindowsFamilyAndRelease) {
  Require("nt", "", "", "", false);
  On(5);
  EXPECT_EQ(2, CheckRequirements());
  On(3);
  EXPECT_EQ(0, CheckRequirements());

  Require("2000", "", "", "", false);
  On(8);
  EXPECT_EQ(0, CheckRequirements());
  On(6);
  EXPECT_EQ(3, CheckRequirements());
  EXPECT_EQ("Microsoft Windows 2000", Text(RecordedRequirementName(3)));
  EXPECT_EQ(nullptr, RecordedRequirementName(4));

  // The code alone decides: 98 meets NT4, NT 4 does not meet 98.
  Require("NT4", "", "", "", false);
  On(4);
  EXPECT_EQ(0, CheckRequirements());
  Require("98", "", "", "", false);
  On(3);
  EXPECT_EQ(3, CheckRequirements());
  EXPECT_EQ("Microsoft Windows 98", Text(RecordedRequirementName(3)));
  Require("2003", "", "", "", false);
  On(8);
  EXPECT_EQ(3, CheckRequirements());
  EXPECT_EQ("Microsoft Windows 2003 Server", Text(RecordedRequirementName(3)));
  Require("95osr2", "", "", "", false);
  On(1);
  EXPECT_EQ(3, CheckRequirements());
  EXPECT_EQ("Microsoft Windows 95 OSR2", Text(RecordedRequirementName(3)));
  On(2);
  EXPECT_EQ(0, CheckRequirements());
  EXPECT_EQ(nullptr, RecordedRequirementName(3));   // cleared by every check
}

TEST_F(Requirements, AdministratorRightsOnlyOnNt) {
  Require("", "", "", "", true);
  On(5, false);
  EXPECT_EQ(0, CheckRequirements());
  On(8, false);
  EXPECT_EQ(1, CheckRequirements());
  On(8, true);
  EXPECT_EQ(0, CheckRequirements());
}

TEST_F(Requirements, OrderOfTheSteps) {
  On(7, false);
  Require("XP", "6.0", "9.0", "XP", true);
  EXPECT_EQ(3, CheckRequirements());   // Windows before rights
  Require("2000", "6.0", "9.0", "XP", true);
  EXPECT_EQ(1, CheckRequirements());   // rights before the browser
  Platform.administrator = true;
  EXPECT_EQ(4, CheckRequirements());
  Platform.internetExplorer = 18;
  EXPECT_EQ(5, CheckRequirements());
  Platform.directX = 0x900;
  EXPECT_EQ(6, CheckRequirements());
  EXPECT_EQ("Microsoft Access XP", Text(RecordedRequirementName(6)));
  EXPECT_EQ(nullptr, RecordedRequirementName(5));
  Platform.access = 7;
  EXPECT_EQ(0, CheckRequirements());
  Require("nt", "", "", "", true);
  On(4, false);
  EXPECT_EQ(2, CheckRequirements());
}

TEST_F(Requirements, BrowserDirectXAndAccessMinimums) {
  On(8);
  Require("", "6.0sp1", "", "", false);
  Platform.internetExplorer = ClassifyInternetExplorerVersion("6.0.2800.1106");
  EXPECT_EQ(0, CheckRequirements());
  Platform.internetExplorer = ClassifyInternetExplorerVersion("6.00.2600.0000");
  EXPECT_EQ(4, CheckRequirements());
  EXPECT_EQ("Internet Explorer 6.0 SP1", Text(RecordedRequirementName(4)));

  Require("", "", "8.1", "", false);
  Platform.directX = 0x800;
  EXPECT_EQ(5, CheckRequirements());
  EXPECT_EQ("DirectX 8.1", Text(RecordedRequirementName(5)));
  Platform.directX = 0x801;
  EXPECT_EQ(0, CheckRequirements());

  Require("", "", "", "2000SR1", false);
  Platform.access = ClassifyAccessVersion(0x90000, 2719);
  EXPECT_EQ(6, CheckRequirements());
  EXPECT_EQ("Microsoft Access 2000 SR1", Text(RecordedRequirementName(6)));
  Platform.access = ClassifyAccessVersion(0x90000, 6620);   // a later service pack
  EXPECT_EQ(0, CheckRequirements());
}

TEST(Classification, InternetExplorerVersions) {
  struct { const char* version; int code; } cases[] = {
      {"6.0.2800.1106", 19}, {"6.0.2900.2180", 19}, {"6.00.3718.0000", 19}, {"6.00.3790.0000", 19},
      {"6.00.2600.0000", 18}, {"6.00.2462.0000", 18}, {"7.00.5730.1100", 19}, {"11.0.9600.16428", 19},
      {"5.50.4807.2300", 17}, {"5.50.4522.1800", 16}, {"5.50.4134.0600", 15}, {"5.00.3700.1000", 14},
      {"5.00.3502.1000", 14}, {"5.00.3314.2101", 13}, {"5.00.3103.1000", 12}, {"5.00.2919.6307", 11},
      {"5.00.2614.3500", 10}, {"5.00.2014.0216", 10}, {"4.72.3612.1713", 9}, {"4.72.3110.8", 8},
      {"4.72.2106.8", 7}, {"4.71.1712.6", 6}, {"4.70.1300", 5}, {"4.70.1215", 4}, {"4.70.1155", 3},
      {"4.70.1100", 2}, {"", 2}, {"garbage", 2}};
  for (const auto& each : cases) EXPECT_EQ(each.code, ClassifyInternetExplorerVersion(each.version)) << each.version;
}

TEST(Classification, AccessVersionsCountFromTheirFirstBuild) {
  EXPECT_EQ(0, ClassifyAccessVersion(0x70000, 0xFFFFFFFF));
  EXPECT_EQ(0, ClassifyAccessVersion(0x80000, 3511));
  EXPECT_EQ(1, ClassifyAccessVersion(0x80000, 3512));
  EXPECT_EQ(2, ClassifyAccessVersion(0x80000, 4122));
  EXPECT_EQ(3, ClassifyAccessVersion(0x80000, 5903));
  EXPECT_EQ(3, ClassifyAccessVersion(0x80000, 9999));
  EXPECT_EQ(4, ClassifyAccessVersion(0x90000, 2719));
  EXPECT_EQ(5, ClassifyAccessVersion(0x90000, 3822));
  EXPECT_EQ(6, ClassifyAccessVersion(0x90000, 4506));
  EXPECT_EQ(6, ClassifyAccessVersion(0xA0000, 2626 << 16));
  EXPECT_EQ(7, ClassifyAccessVersion(0xA0000, 2627 << 16 | 1));
  EXPECT_EQ(7, ClassifyAccessVersion(0xB0000, 5614 << 16));
}

// The real detections of this Wine: the probes run only for the
// requirements a script names.
TEST(Detection, PlatformFactsOfThisMachine) {
  PlatformFacts saved = Platform;
  char* named[] = {Model.requiredInternetExplorer, Model.requiredDirectX, Model.requiredAccess};
  char empty[] = "", ie[] = "6.0", directX[] = "9.0", access[] = "XP";
  Model.requiredInternetExplorer = Model.requiredDirectX = Model.requiredAccess = empty;
  Platform.internetExplorer = Platform.access = -1;
  Platform.directX = 1;
  CollectPlatformFacts();
  EXPECT_EQ(GetWindowsVersionCode(), Platform.windowsVersion);
  EXPECT_TRUE(Platform.ntPlatform);
  EXPECT_TRUE(Platform.administrator);
  EXPECT_EQ(0, Platform.internetExplorer);
  EXPECT_EQ(0u, Platform.directX);
  EXPECT_EQ(0, Platform.access);
  Model.requiredInternetExplorer = ie;
  Model.requiredDirectX = directX;
  Model.requiredAccess = access;
  Platform.access = -1;
  CollectPlatformFacts();
  EXPECT_EQ(DetectInternetExplorer(), Platform.internetExplorer);
  // Wine ships Direct3D 9, and with it everything the earlier probes ask for.
  EXPECT_EQ(0x900u, Platform.directX);
  EXPECT_EQ(0, Platform.access);
  Model.requiredInternetExplorer = named[0];
  Model.requiredDirectX = named[1];
  Model.requiredAccess = named[2];
  Platform = saved;
}

TEST(Detection, InternetExplorerFromEachRegistryValue) {
  SavedValue version(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Internet Explorer", "Version");
  SavedValue build(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\Internet Explorer", "Build");
  SavedValue iver(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\Internet Explorer", "IVer");
  std::string installed = version.Text();
  if (installed != "<none>") EXPECT_EQ(ClassifyInternetExplorerVersion(installed.c_str()), DetectInternetExplorer());
  version.SetText("6.00.2600.0000");
  build.SetText("1300");
  EXPECT_EQ(18, DetectInternetExplorer());
  version.Delete();
  EXPECT_EQ(5, DetectInternetExplorer());
  build.SetText("1215");
  EXPECT_EQ(4, DetectInternetExplorer());
  build.SetText("1154");
  EXPECT_EQ(2, DetectInternetExplorer());
  build.Delete();
  iver.SetText("101");
  EXPECT_EQ(2, DetectInternetExplorer());
  iver.SetText("100");
  EXPECT_EQ(1, DetectInternetExplorer());
  iver.Delete();
  EXPECT_EQ(0, DetectInternetExplorer());
}

// A copy of this program carrying a version resource of the given version.
std::string StampedCopy(const std::string& name, DWORD mostSignificant, DWORD leastSignificant, bool stamp) {
  char self[MAX_PATH], temp[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  GetTempPathA(MAX_PATH, temp);
  std::string copy = std::string(temp) + name + std::to_string(GetCurrentProcessId()) + ".exe";
  if (!CopyFileA(self, copy.c_str(), FALSE)) return "";
  if (!stamp) return copy;
  // VS_VERSIONINFO: header, L"VS_VERSION_INFO", padding, VS_FIXEDFILEINFO.
  std::vector<BYTE> block(92, 0);
  WORD header[3] = {92, 52, 0};
  std::memcpy(block.data(), header, 6);
  const wchar_t key[] = L"VS_VERSION_INFO";
  std::memcpy(block.data() + 6, key, sizeof(key));
  DWORD fixed[13] = {0xFEEF04BD, 0x10000, mostSignificant, leastSignificant, mostSignificant, leastSignificant,
                     0x3F, 0, VOS__WINDOWS32, VFT_APP, 0, 0, 0};
  std::memcpy(block.data() + 40, fixed, sizeof(fixed));
  HANDLE update = BeginUpdateResourceA(copy.c_str(), FALSE);
  if (!update) return "";
  UpdateResourceA(update, RT_VERSION, MAKEINTRESOURCEA(1), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), block.data(),
                  (DWORD)block.size());
  return EndUpdateResourceA(update, FALSE) ? copy : "";
}

TEST(Detection, AccessFromTheProgramsFileVersion) {
  SavedValue path(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\MSACCESS.EXE",
                  nullptr);
  std::string stamped = StampedCopy("corvel-access-", 0x90000, 3822, true);
  std::string plain = StampedCopy("corvel-noversion-", 0, 0, false);
  ASSERT_FALSE(stamped.empty());
  ASSERT_FALSE(plain.empty());
  path.SetText(stamped);
  EXPECT_EQ(5, DetectAccess());
  path.SetText(plain);
  EXPECT_EQ(0, DetectAccess());
  path.SetText(stamped + ".missing");
  EXPECT_EQ(0, DetectAccess());
  path.Delete();
  EXPECT_EQ(0, DetectAccess());
  DeleteFileA(stamped.c_str());
  DeleteFileA(plain.c_str());
}

int CALLBACK TakeFirstFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM face) {
  *(std::string*)face = font->lfFaceName;
  return 0;
}

TEST(Fonts, InstalledFacesAreFound) {
  // Whatever this machine has: Wine here may lack the usual faces.
  LOGFONTA any = {};
  any.lfCharSet = ANSI_CHARSET;
  std::string face;
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExA(screen, &any, (FONTENUMPROCA)TakeFirstFamily, (LPARAM)&face, 0);
  ReleaseDC(nullptr, screen);
  ASSERT_FALSE(face.empty());
  EXPECT_TRUE(FontExists(face.c_str())) << face;
  std::string upper = face;
  CharUpperA(&upper[0]);
  EXPECT_TRUE(FontExists(upper.c_str())) << upper;
  EXPECT_FALSE(FontExists("No Such Face Anywhere"));
}

}  // namespace
