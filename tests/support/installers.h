#pragma once
// Installers for the end-to-end tests, made with the package writer.
#include <cstdint>
#include <string>
#include <vector>

#include "installer.h"

namespace installers {

// A product record, the installation folder, the wizard's error text and one
// compressed file: enough
// for start-up to pass its checks. Extra records follow the product record.
std::vector<std::uint8_t> MakeSmall(const std::string& product, const std::vector<std::uint8_t>& stub,
                                    const std::vector<corvel::Record>& extra = {});

}  // namespace installers
