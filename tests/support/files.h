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
// The stub the tests run: the 64-bit build of its code (CORVEL_STUB), or the
// 32-bit stub that ships (CORVEL_STUB32).
std::string StubPath(bool shipped = false);
std::vector<std::uint8_t> StubImage(bool shipped = false);
// The resources (dialogs, texts) of the stub at StubPath(), loaded once as
// data for the whole test program; null when it cannot be loaded.
HMODULE StubResources();

}  // namespace files
