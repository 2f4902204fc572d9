// The demo's driver: installs a product with every page shown, checks the
// machine, removes it through its uninstall entry, checks again, and prints
// a short account. Exit code 0 only when every step held.
//
//   demo_walk.exe INSTALLER PRODUCT-NAME SCREENSHOT-FOLDER
#include <windows.h>
#include <cstdio>

#include "demo/walk.h"
#include "support/files.h"
#include "support/ui_driver.h"

namespace {

// Without a window manager Wine draws the frames and captions itself only
// for programs it is told about; the uninstaller's temporary copy has a name
// that cannot be known beforehand, so the demo's prefix is told for all.
void DrawAllFrames(bool on) {
  const char key[] = "Software\\Wine\\X11 Driver";
  HKEY handle;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr)) return;
  if (on)
    RegSetValueExA(handle, "Managed", 0, REG_SZ, (const BYTE*)"N", 2);
  else
    RegDeleteValueA(handle, "Managed");
  RegCloseKey(handle);
}

int Report(const walk::Installation& run, bool ok) {
  for (const std::string& problem : run.problems) printf("  problem: %s\n", problem.c_str());
  return ok && run.problems.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    fprintf(stderr, "usage: demo_walk INSTALLER PRODUCT-NAME SCREENSHOT-FOLDER\n");
    return 2;
  }
  setvbuf(stdout, nullptr, _IONBF, 0);
  std::string installer = walk::WindowsPath(argv[1]), product = argv[2];
  walk::Options options;
  options.screenshots = walk::WindowsPath(argv[3]);
  // The product is for the Windows of its day: Wine poses as Windows XP.
  options.windows = "winxp";
  CreateDirectoryA(options.screenshots.c_str(), nullptr);
  DrawAllFrames(true);

  walk::Installation run;
  DWORD start = GetTickCount();
  printf("installing %s\n", product.c_str());
  bool installed = walk::Install(installer, product, options, run) && walk::CheckInstalled(run);
  DWORD installTime = GetTickCount() - start;
  for (std::size_t i = 0; i < run.pages.size(); i++) printf("  page %zu: %s\n", i + 1, run.pages[i].c_str());
  printf("  %zu folders, %zu files, %zu shortcuts, %zu registry values, %zu shared files (%.1f s)\n",
         run.folders.size(), run.files.size(), run.shortcuts.size(), run.values.size(), run.sharedFiles.size(),
         installTime / 1000.0);
  if (!installed) {
    DrawAllFrames(false);
    return Report(run, false);
  }
  printf("  uninstall entry: %s\n", run.uninstallCommand.c_str());
  // A copy of the install log for the curious: the uninstaller removes it.
  std::string logCopy = options.screenshots + "\\install-log.txt";
  files::Write(logCopy, std::vector<std::uint8_t>(run.logText.begin(), run.logText.end()));

  printf("uninstalling through the uninstall entry\n");
  start = GetTickCount();
  bool removed = walk::Uninstall(run, product, options) && walk::CheckRemoved(run, product);
  for (const std::string& box : run.boxes) {
    std::string line = box;
    for (char& c : line)
      if (c == '\n' || c == '\r') c = ' ';
    printf("  said: %s\n", line.c_str());
  }
  for (const std::string& title : run.closedWindows) printf("  closed the product's window \"%s\"\n", title.c_str());
  printf("  every logged file, shortcut, folder and registry value %s (%.1f s)\n",
         removed ? "is gone" : "was checked", (GetTickCount() - start) / 1000.0);
  printf("  %zu screenshots\n", run.shots.size());
  DrawAllFrames(false);
  return Report(run, removed);
}
