#pragma once
// Runs the install worker the way the installing page does: on its own
// thread, with a page window that has the phase text, the current item and
// the progress bar, inside a frame that receives the worker's last message.
// The test thread pumps the windows' messages and answers the worker's
// questions from a list, so no question can block a run.
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <string>
#include <vector>

#include "installer.h"

namespace worker {

// A question the worker asked: its text and the button the test pressed.
struct Question {
  std::string text;
  int button = 0;
};

struct Outcome {
  bool ended = false;          // the worker posted its last message in time
  bool succeeded = false;      // WM_COMMAND with the Next button; else aborted
  std::vector<Question> questions;
  std::vector<std::string> items;  // every text the current-item control showed
  std::vector<std::string> phases; // every phase text
  std::vector<int> progress;       // every progress position, in order
};

struct Run {
  // Buttons to press, in order, for the questions that come; a question
  // beyond the list is answered with the default answer.
  std::vector<int> answers;
  int defaultAnswer = IDNO;
  // Called on the test thread whenever the current item changes, while the
  // worker waits for the control to take the text.
  std::function<void(const std::string&)> onItem;
  // Called on the test thread with each question before it is answered.
  std::function<void(const std::string&)> onQuestion;
  // Called on the test thread between message pumps; may stop the worker.
  std::function<void(DWORD workerThread)> onIdle;
};

// Writes the installer to path, opens it as the stub's own file and loads
// its script into the setup model. False when any of that failed.
bool LoadInstaller(const std::string& path, const std::vector<std::uint8_t>& installer);
// Closes the own file and frees the setup model and the variables the script
// was loaded into.
void CloseInstaller();
// Frees what the worker's runs leave for the stub's cleanup: the pending
// lists, the temporary folder and the two events.
void ReleaseRunState();

Outcome Execute(const Run& run);

std::string ReadText(const std::string& path);
// The lines of a log file without the four header lines.
std::vector<std::string> LogEntries(const std::string& path);

// A script's usual records for the worker: product, variables, the
// installing page's phase texts and recognisable question texts:
// "E<n> %s|%s" for errors-group question n and "M6 %s" for message 6.
std::vector<corvel::Record> BaseRecords(const std::string& product, const std::string& installPath,
                                        bool withUninstaller);

corvel::Entry RawFile(const std::string& name, std::uint32_t depth, const std::string& contents);
corvel::Entry PackedFile(const std::string& name, std::uint32_t depth, const std::string& contents);

}  // namespace worker
