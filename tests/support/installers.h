#pragma once
// Installers for the end-to-end tests, made with the package writer.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "installer.h"
#include "support/ui_driver.h"

namespace installers {

// A product record, the installation folder, the wizard's error text and one
// compressed file: enough
// for start-up to pass its checks. Extra records follow the product record.
std::vector<std::uint8_t> MakeSmall(const std::string& product, const std::vector<std::uint8_t>& stub,
                                    const std::vector<corvel::Record>& extra = {});

// A product with an uninstaller, a registry value, a shortcut and three
// files in two folders, one of them stored: every kind of thing that a
// damaged installer must not leave behind. Empty when it cannot be made.
std::vector<std::uint8_t> MakeFull(const std::vector<std::uint8_t>& stub);

// Every text the wizard shows, worded for the product, in English (9) or
// German (7); the German ones carry "DE:" marks so that a test can tell.
std::vector<corvel::Record> WizardTexts(std::uint16_t language, const std::string& product);

// A script for the wizard: the product record (with options2 as given), the
// pages switched on as listed, the texts of both languages when german is
// set (else English only), then extra records, and one file of fileSize
// bytes, whose declared size is what the destination page requires.
struct Wizard {
  std::string product = "Wizard Check";
  std::array<std::uint8_t, 12> pages{};
  std::uint8_t options1 = 0;
  std::uint8_t options2 = 0;
  bool german = false;
  std::string launchFile1, launchFile2;
  std::uint32_t requiredBytes = 5000;
  std::vector<corvel::Record> extra;
  // When given, the package's folder groups in place of the one file.
  std::vector<corvel::Group> groups;
};
std::vector<std::uint8_t> MakeWizard(const Wizard& wizard, const std::vector<std::uint8_t>& stub);

// Writes the wizard's installer on the test stub as folder\name and starts
// it there with frames drawn for screenshots; no process when that failed.
ui::Program StartWizard(const Wizard& wizard, const std::string& folder, const std::string& name);

}  // namespace installers
