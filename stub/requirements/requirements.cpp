// The requirement check: the script's requirement record against the
// platform facts measured at start-up.
#include "requirements/requirements.h"
#include "script/model.h"

PlatformFacts Platform;

// Each table holds pairs of texts, the requirement keyword and the name shown
// when it is not met (empty when it is the keyword itself), with the fact
// value each row needs beside it.
struct RequirementTable {
  const char* prefix;
  const char* rows;
  const WORD* needs;
};

static const WORD WindowsNeeds[] = {2, 3, 4, 5, 6, 7, 8, 9};
static const WORD InternetExplorerNeeds[] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19};
static const WORD DirectXNeeds[] = {0x100, 0x200, 0x300, 0x500, 0x600, 0x601, 0x700, 0x800, 0x801, 0x900};
static const WORD AccessNeeds[] = {1, 2, 3, 4, 5, 6, 7};

// In the order of the results 3 to 6.
static const RequirementTable Tables[] = {
    {"Microsoft Windows ",
     "95OSR2\0" "95 OSR2\0" "NT4\0\0" "98\0\0" "98SE\0" "98 SE\0" "ME\0\0" "2000\0\0" "XP\0\0"
     "2003\0" "2003 Server\0",
     WindowsNeeds},
    {"Internet Explorer ",
     "3.0\0\0" "3.01\0\0" "3.02\0\0" "4.0\0\0" "4.01\0\0" "4.01SP1\0" "4.01 SP1\0" "4.01SP2\0" "4.01 SP2\0"
     "5.0\0\0" "5.01\0\0" "5.01SP1\0" "5.01 SP1\0" "5.01SP2\0" "5.01 SP2\0" "5.01SP3\0" "5.01 SP3\0"
     "5.5\0\0" "5.5SP1\0" "5.5 SP1\0" "5.5SP2\0" "5.5 SP2\0" "6.0\0\0" "6.0SP1\0" "6.0 SP1\0",
     InternetExplorerNeeds},
    {"DirectX ",
     "1.0\0\0" "2.0\0\0" "3.0\0\0" "5.0\0\0" "6.0\0\0" "6.1\0\0" "7.0\0\0" "8.0\0\0" "8.1\0\0" "9.0\0\0",
     DirectXNeeds},
    {"Microsoft Access ",
     "97\0\0" "97SR1\0" "97 SR1\0" "97SR2\0" "97 SR2\0" "2000\0\0" "2000SR1\0" "2000 SR1\0" "2000SR2\0"
     "2000 SR2\0" "XP\0\0",
     AccessNeeds},
};

static char RecordedNames[4][32];

// Records the name of the row that the requirement names when the fact falls
// short of it. A text that names no row demands nothing.
static bool FallsShort(int table, const char* requirement, DWORD fact) {
  const RequirementTable& rows = Tables[table];
  const char* keyword = rows.rows;
  for (int row = 0; *keyword; row++) {
    const char* name = keyword + lstrlenA(keyword) + 1;
    if (requirement && !lstrcmpiA(keyword, requirement) && rows.needs[row] > fact)
      wsprintfA(RecordedNames[table], "%s%s", rows.prefix, *name ? name : keyword);
    keyword = name + lstrlenA(name) + 1;
  }
  return *RecordedNames[table] != 0;
}

int CheckRequirements() {
  ZeroMemory(RecordedNames, sizeof(RecordedNames));
  const char* windows = Model.requiredWindows;
  if (windows && !lstrcmpiA(windows, "NT") && !Platform.ntPlatform) return 2;
  if (FallsShort(0, windows, Platform.windowsVersion)) return 3;
  // Windows 95, 98 and Me know no administrators.
  if (Model.requireAdministrator && Platform.ntPlatform && !Platform.administrator) return 1;
  if (FallsShort(1, Model.requiredInternetExplorer, Platform.internetExplorer)) return 4;
  if (FallsShort(2, Model.requiredDirectX, Platform.directX)) return 5;
  if (FallsShort(3, Model.requiredAccess, Platform.access)) return 6;
  return 0;
}

const char* RecordedRequirementName(int result) {
  if (result < 3 || result > 6 || !*RecordedNames[result - 3]) return 0;
  return RecordedNames[result - 3];
}
