#pragma once
// Platform facts measured at start-up and the script's minimum requirements.
#include <windows.h>

void CollectPlatformFacts();
// 0 when every requirement is met, else the code of the first that is not.
int CheckRequirements();
// The display name of the minimum that failed with this result (3..6).
const char* RecordedRequirementName(int result);
