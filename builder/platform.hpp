// The few things the builder asks of the host system: file facts, whole-file
// reads, terminals, the tool's own folder and replacing a file in one step.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fileinfo.h"

namespace corvel::build {

struct FileFacts {
    std::uint64_t size = 0;
    bool readOnly = false;  // the owner may not write it
    FileTime created, accessed, written;
};

// Facts of a regular file (symbolic links followed). Error text on failure.
std::optional<FileFacts> statFile(const std::string& path, std::string& error);

// Reads a whole file without touching its access time where the system allows.
bool readFile(const std::string& path, std::vector<std::uint8_t>& out, std::string& error);

bool isTerminal(int fd);

// Folder of the running executable, or "" when unknown.
std::string executableFolder();

// Writes `bytes` to a temporary file next to `path` and renames it over
// `path` once complete; on any failure the temporary file is removed and
// `path` is untouched.
bool replaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes, std::string& error);

// Runs a program found on the PATH with these arguments (the first is the
// program) and waits for it. It reads `input` (a few bytes at most) from its
// standard input; its standard output and error go to `output`. The exit
// code, or -1 when it could not be started (`error` says why).
int runTool(const std::vector<std::string>& arguments, const std::string& input, std::string& output,
            std::string& error);

}  // namespace corvel::build
