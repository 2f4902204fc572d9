#pragma once
// Small file helpers for the Windows-side tests.
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>

namespace files {

std::vector<std::uint8_t> Read(const std::string& path);
bool Write(const std::string& path, const std::vector<std::uint8_t>& bytes);
bool Exists(const std::string& path);
// A new empty folder under the system's temporary folder, unique per call.
std::string MakeTemporaryFolder(const std::string& prefix);
// Removes a folder and everything below it (test cleanup only).
void RemoveTree(const std::string& path);
// A path from an environment variable set by CTest, as Wine sees it.
std::string FromEnvironmentPath(const char* variable);
// The built stub, from the CORVEL_STUB environment variable.
std::string StubPath();
std::vector<std::uint8_t> StubImage();

}  // namespace files
