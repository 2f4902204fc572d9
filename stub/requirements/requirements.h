#pragma once
// The script's minimum requirements and the platform facts they are checked against.
#include <windows.h>

struct PlatformFacts {
  int windowsVersion;      // the Windows version code, 0..9
  bool ntPlatform;
  int internetExplorer;    // 0 none .. 19 6.0 SP1
  DWORD directX;           // major * 256 + minor, 0 none
  int access;              // 0 none .. 7 XP
  bool administrator;
};
extern PlatformFacts Platform;

// Measures the facts once the script is loaded: those of Windows always, the
// costly probes only for the requirements the script names.
void CollectPlatformFacts();

int DetectInternetExplorer();
DWORD DetectDirectX();
int DetectAccess();
bool IsAdministrator();
bool IsNtPlatform();

// The Internet Explorer code of a "Version" value such as "6.0.2800.1106".
int ClassifyInternetExplorerVersion(const char* version);
// The Access code of a program file's version (VS_FIXEDFILEINFO halves).
int ClassifyAccessVersion(DWORD mostSignificant, DWORD leastSignificant);

// Compares Platform with the script's requirement record: 0 when every
// requirement is met; else 1 administrator rights, 2 NT family, 3 Windows,
// 4 Internet Explorer, 5 DirectX, 6 Access, for the first that is not met.
int CheckRequirements();
// The display name of the minimum that failed with this result (3..6), or null.
const char* RecordedRequirementName(int result);
