#pragma once
// The state of the machine that an installation can touch, taken before and
// after, and the difference between two states in readable lines: every file
// under the chosen folders (size, attributes, a hash of its contents) and
// every registry key and value under the chosen roots.
#include <windows.h>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace snapshot {

struct Options {
  std::vector<std::string> folders = {"C:\\"};
  std::vector<std::pair<HKEY, std::string>> keys = {{HKEY_LOCAL_MACHINE, "Software"},
                                                    {HKEY_CURRENT_USER, "Software"}};
  // Paths (files, folders, keys, "HKLM\\..." style) whose changes do not
  // count, compared case-insensitively as prefixes.
  std::vector<std::string> ignored;
  // Files count with their creation and last-write times as well.
  bool times = false;
};

struct State {
  // Path in upper case -> "size attributes hash" for files, "folder" for folders.
  std::map<std::string, std::string> files;
  // "HKLM\\KEY\\PATH" in upper case -> "" for a key, "HKLM\\KEY|NAME" -> "type hash" for a value.
  std::map<std::string, std::string> registry;
};

State Take(const Options& options = Options());
// "+ path", "- path" and "~ path" lines, each with what it holds; empty when
// the two states are the same apart from what the options ignore.
std::vector<std::string> Difference(const State& before, const State& after, const Options& options = Options());
// The difference between before and the machine as it is now.
std::vector<std::string> ChangesSince(const State& before, const Options& options = Options());
std::string Describe(const std::vector<std::string>& lines);

// The folders and keys that the system itself changes while programs run
// under Wine, and the test's own folder.
Options Standard(const std::string& testFolder);

}  // namespace snapshot
