#pragma once
// The processes a test program started, directly or through the programs it
// started (an uninstaller's temporary copy, its deletion batch): followed
// while they run, measured for the waits, and ended when a test is over.
#include <windows.h>
#include <string>
#include <vector>

namespace processes {

// After each test of this program, ends what it left running (see
// EndSurvivors). Found then: the program's children and the descendants of
// those still running. Follow calls this.
void EndLeftoversAfterEachTest();
// Begins following this program's descendants (a watcher thread notes each
// new one while its parent still runs). Safe to call again; ui::Start does.
void Follow();
// Notes a process started by this program at once, before the watcher
// would see it.
void Adopt(DWORD processId);

// Whether the process is one of this program's descendants: other test
// programs run uninstaller copies of the same names beside this one.
bool IsFollowed(DWORD processId);

// Everything that shows that the followed processes still work: their
// processor time, which of them run, and the titles and texts of their
// windows. Two different samples mean that something moved.
struct Activity {
  ULONGLONG processorTime = 0;
  std::string running;
  std::string shown;
  bool operator!=(const Activity& other) const {
    return processorTime != other.processorTime || running != other.running || shown != other.shown;
  }
};
Activity Sample();

// One line per running descendant: its program file and what it shows.
std::vector<std::string> DescribeRunning();

// Ends every descendant still running: answers or closes what it shows,
// gives it a moment, then terminates it. Returns the descriptions of those
// that were still there.
std::vector<std::string> EndSurvivors();

}  // namespace processes
