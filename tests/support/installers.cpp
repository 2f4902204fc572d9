#include "support/installers.h"

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

}  // namespace installers
