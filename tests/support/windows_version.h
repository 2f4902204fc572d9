#pragma once
// Runs a test program again while Wine poses as another Windows version.
// Wine reads the version per program name (HKCU\Software\Wine\AppDefaults\
// <name>\Version), so each version gets a copy of the program under a name
// of its own and tests running side by side do not disturb each other.
#include <string>

namespace winver {

struct Run {
  bool started = false;
  unsigned long exitCode = 0;
  std::string output;   // what the program wrote to its standard output
};

// version: win95, win98, winme, nt40, win2k, winxp, win2003, ...
Run RunSelfAs(const std::string& version, const std::string& arguments);

}  // namespace winver
