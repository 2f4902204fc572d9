#include "support/installers.h"

#include "support/files.h"

namespace installers {

std::vector<std::uint8_t> MakeSmall(const std::string& product, const std::vector<std::uint8_t>& stub,
                                    const std::vector<corvel::Record>& extra) {
  corvel::ProductRecord fields;
  fields.productName = product;
  fields.displayName = product;
  std::vector<corvel::Record> records = {corvel::productRecord(fields),
                                         corvel::variableRecord("%InstallPath%", "C:\\Program Files\\" + product)};
  records.insert(records.end(), extra.begin(), extra.end());
  records.push_back(corvel::stringRecord(9, corvel::kGroupErrors, 0, "The wizard could not be created."));
  corvel::PackageDescription package;
  corvel::Group group;
  group.folder = "%InstallPath%";
  group.entries.push_back(corvel::fileEntry("readme.txt", 0, std::vector<std::uint8_t>(5000, 'x'), true));
  package.groups.push_back(group);
  auto installer = corvel::writeInstaller(stub, package, records);
  return installer.ok() ? installer.value : std::vector<std::uint8_t>();
}

std::vector<std::uint8_t> MakeFull(const std::vector<std::uint8_t>& stub) {
  corvel::ProductRecord product;
  product.productName = product.displayName = "Damaged Check";
  product.options2 = corvel::kProductUninstaller;
  std::vector<corvel::Record> records = {
      corvel::productRecord(product),
      corvel::variableRecord("%InstallPath%", "C:\\Damaged Check"),
      corvel::variableRecord("%UninstallerFileName%", "uninstall.exe"),
      corvel::pageSwitchesRecord({0, 1, 0, 0, 0, 0, 1, 0, 1, 0, 1, 1}),
      corvel::stringRecord(9, corvel::kGroupErrors, 0, "The wizard could not be created."),
      corvel::registryRecord("2,Software\\Damaged Check,Path,1,%InstallPath%"),
      corvel::shortcutRecord("<Desktop>\\Damaged.lnk,%InstallPath%\\app.exe")};
  corvel::PackageDescription package;
  corvel::Group group;
  group.folder = "%InstallPath%";
  std::vector<std::uint8_t> text(30000);
  for (size_t i = 0; i < text.size(); i++) text[i] = (std::uint8_t)("install "[i % 8]);
  group.entries.push_back(corvel::fileEntry("packed.txt", 0, text, true));
  group.entries.push_back(corvel::fileEntry("raw.bin", 0, std::vector<std::uint8_t>(2000, 0x5A), false));
  group.entries.push_back(corvel::folderEntry("docs", 0));
  group.entries.push_back(corvel::fileEntry("manual.txt", 1, text, true));
  package.groups.push_back(group);
  auto installer = corvel::writeInstaller(stub, package, records);
  return installer.ok() ? installer.value : std::vector<std::uint8_t>();
}

namespace {

struct Text {
  int group;
  int index;
  const char* english;
  const char* german;
};

const int Messages = corvel::kGroupMessages, Errors = corvel::kGroupErrors, Buttons = corvel::kGroupButtons;

// "@" stands for the product's name.
const Text Texts[] = {
    {Messages, 0, "Setup is not complete. Quit @ Setup?", "DE: Setup abbrechen?"},
    {Messages, 2, "The installation folder is not a valid path.", "DE: Kein gueltiger Pfad."},
    {Messages, 8, "The installation is in progress. Quit Setup?", "DE: Installation abbrechen?"},
    {Messages, 9, "The installation completed with errors.", "DE: Fehler."},
    {Messages, 10, "You must restart your computer before you can use %s.", "DE: Neustart fuer %s."},
    {Errors, 0, "Error creating dialog needed for the installation. Exiting...", "DE: Dialogfehler."},
    {Errors, 31, "The target drive is not exists.", "DE: Laufwerk fehlt."},
    {Errors, 32, "Insufficient access rights to create files in the specified folder.", "DE: Keine Rechte."},
    {Errors, 33, "Insufficient access rights to create subfolders in a folder '%s'.", "DE: Keine Rechte in '%s'."},
    {Errors, 34, "Insufficient rights to access the target drive.", "DE: Kein Zugriff."},
    {Errors, 39, "It is not enough free space on the target drive.", "DE: Zu wenig Platz."},
    {Errors, 29, "An error occurred while trying to reboot the system.", "DE: Neustart fehlgeschlagen."},
    {Buttons, 0, "< &Back", "< &Zurueck"},
    {Buttons, 1, "&Next >", "&Weiter >"},
    {Buttons, 2, "Cancel", "Abbrechen"},
    {Buttons, 3, "&Install", "&Installieren"},
    {Buttons, 5, "&Yes", "&Ja"},
    {Buttons, 6, "&No", "&Nein"},
    {Buttons, 7, "B&rowse...", "&Durchsuchen..."},
    {Buttons, 8, "&Finish", "&Fertig"},
    {0, 0, "@ Setup", "DE: @ Setup"},
    {0, 1, "Select Language", "DE: Sprache waehlen"},
    {0, 2, "Please select the Setup language from the list below.", "DE: Bitte waehlen Sie die Sprache."},
    {0, 3, "&Language:", "&Sprache:"},
    {1, 0, "@ Setup", "DE: @ Setup"},
    {1, 1, "Welcome to the @ Setup", "DE: Willkommen"},
    {1, 2, "This program will install @ on your computer.", "DE: Dieses Programm installiert @."},
    {1, 3, "It is strongly recommended that you exit all Windows programs before running this Setup program.",
     "DE: Beenden Sie alle Programme."},
    {1, 4, "WARNING: This program is protected by copyright law and international treaties.",
     "DE: WARNUNG: urheberrechtlich geschuetzt."},
    {1, 5, "Unauthorized reproduction or distribution of this program may result in severe penalties.",
     "DE: Unerlaubte Vervielfaeltigung wird verfolgt."},
    {1, 6, "Click Next to continue, or Cancel to exit Setup.", "DE: Klicken Sie auf Weiter."},
    {1, 7, "Welcome to @", "DE: Willkommen"},
    {2, 0, "@ Setup", "DE: @ Setup"},
    {2, 1, "License Agreement", "DE: Lizenzvertrag"},
    {2, 2, "Please read the following &license agreement carefully.", "DE: Bitte lesen Sie den Vertrag."},
    {2, 3, "Do you accept all the terms of the preceding license agreement?", "DE: Akzeptieren Sie?"},
    {3, 0, "@ Setup", "DE: @ Setup"},
    {3, 1, "Readme Information", "DE: Liesmich"},
    {3, 2, "Please read the following important &information before you continue.", "DE: Bitte lesen."},
    {6, 0, "@ Setup", "DE: @ Setup"},
    {6, 1, "Choose Destination Folder", "DE: Zielordner"},
    {6, 2, "Setup will install @ in the following folder. To install in a different folder, click Browse.",
     "DE: Setup installiert @ in diesen Ordner."},
    {6, 3, "Destination &folder", "DE: Ziel&ordner"},
    {6, 4, "Select the folder in which Setup will install @:", "DE: Ordner waehlen:"},
    {6, 5, "Required free space:", "DE: Benoetigt:"},
    {6, 6, "Available free space on disk %DISK%:", "DE: Frei auf %DISK%:"},
    {8, 0, "@ Setup", "DE: @ Setup"},
    {8, 1, "Select Start Menu Folder", "DE: Startmenue-Ordner"},
    {8, 2, "Setup will add the program's &shortcuts to the following Start Menu folder:",
     "DE: Verknuepfungen in diesem Ordner:"},
    {8, 3, "Create the program &group", "DE: Programm&gruppe anlegen"},
    {8, 4, "Create shortcuts on the &Desktop", "DE: Auf dem &Desktop"},
    {8, 5, "Create shortcuts on the &Quick Launch bar", "DE: In der &Schnellstartleiste"},
    {9, 0, "@ Setup", "DE: @ Setup"},
    {9, 1, "Ready to Install", "DE: Bereit"},
    {9, 2, "Setup is now ready to begin installing @ on your computer.", "DE: Setup ist bereit."},
    {9, 3, "Click Install to continue with the installation, or click Back to review any settings.",
     "DE: Klicken Sie auf Installieren."},
    {10, 0, "@ Setup", "DE: @ Setup"},
    {10, 1, "Installing", "DE: Installation"},
    {10, 2, "Please wait while Setup installs @ on your computer.", "DE: Bitte warten."},
    {10, 3, "If you want to interrupt the installation, click Cancel.", "DE: Abbrechen unterbricht."},
    {10, 4, "Extracting files...", "DE: Dateien..."},
    {11, 0, "@ Setup", "DE: @ Setup"},
    {11, 1, "Setup Complete", "DE: Fertig"},
    {11, 2, "Setup has finished installing @ on your computer.", "DE: @ ist installiert."},
    {11, 3, "Click Finish to exit Setup.", "DE: Klicken Sie auf Fertig."},
    {11, 4, "&Start @ now", "DE: @ &starten"},
    {11, 5, "&View the Readme file", "DE: &Liesmich anzeigen"},
    {11, 6, "&Yes, restart the computer now", "DE: &Ja, jetzt neu starten"},
    {11, 7, "Errors occurred during the installation.", "DE: Es gab Fehler."},
    {11, 8, "Please save your work and close all programs before the computer restarts.",
     "DE: Bitte speichern."},
    {11, 9, "Some files were in use and will be replaced when the computer restarts.", "DE: Dateien in Gebrauch."},
    {11, 10, "To complete the installation of @, Setup must restart your computer.", "DE: Neustart noetig."},
};

std::string Fill(std::string text, const std::string& product) {
  for (std::size_t at; (at = text.find('@')) != std::string::npos;) text.replace(at, 1, product);
  return text;
}

}  // namespace

std::vector<corvel::Record> WizardTexts(std::uint16_t language, const std::string& product) {
  std::vector<corvel::Record> records;
  for (const Text& text : Texts)
    records.push_back(corvel::stringRecord(language, (std::uint8_t)text.group, (std::uint8_t)text.index,
                                           Fill(language == 7 ? text.german : text.english, product)));
  return records;
}

std::vector<std::uint8_t> MakeWizard(const Wizard& wizard, const std::vector<std::uint8_t>& stub) {
  corvel::ProductRecord fields;
  fields.productName = wizard.product;
  fields.displayName = wizard.product;
  fields.normalFont = "Tahoma,0x000000";
  fields.titleFont = "Tahoma,0x000000";
  fields.colour1 = 0x02000000;   // page: the window colour
  fields.colour2 = 0x01000000;   // band: the button face
  fields.colour3 = 0x02000000;   // header: the window colour
  fields.options1 = wizard.options1;
  fields.options2 = wizard.options2;
  fields.launchFile1 = wizard.launchFile1;
  fields.launchFile2 = wizard.launchFile2;
  std::vector<corvel::Record> records = {corvel::productRecord(fields), corvel::pageSwitchesRecord(wizard.pages)};
  if (wizard.german) records.push_back(corvel::languagesRecord(0, {9, 7}));
  for (const auto& record : WizardTexts(9, wizard.product)) records.push_back(record);
  if (wizard.german)
    for (const auto& record : WizardTexts(7, wizard.product)) records.push_back(record);
  records.insert(records.end(), wizard.extra.begin(), wizard.extra.end());
  corvel::PackageDescription package;
  corvel::Group group;
  group.folder = "%InstallPath%";
  // A requirement beyond any test drive is declared, not packed.
  std::uint32_t packed = wizard.requiredBytes < 65536 ? wizard.requiredBytes : 65536;
  corvel::Entry file = corvel::fileEntry("readme.txt", 0, std::vector<std::uint8_t>(packed, 'x'), true);
  file.sizeLow = wizard.requiredBytes;
  group.entries.push_back(file);
  package.groups.push_back(group);
  if (!wizard.groups.empty()) package.groups = wizard.groups;
  auto installer = corvel::writeInstaller(stub, package, records);
  return installer.ok() ? installer.value : std::vector<std::uint8_t>();
}

ui::Program StartWizard(const Wizard& wizard, const std::string& folder, const std::string& name) {
  std::vector<std::uint8_t> bytes = MakeWizard(wizard, files::StubImage());
  std::string path = folder + "\\" + name;
  if (bytes.empty() || !files::Write(path, bytes)) return {};
  ui::DrawOwnFrames(name);
  return ui::Start(path, "", folder);
}

}  // namespace installers
