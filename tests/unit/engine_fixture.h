#pragma once
// What the install worker's phases need around them in a unit test: a
// temporary log to record into, the model's lists and switches, the
// variable table, the folder cache and a scratch folder.
#include <gtest/gtest.h>
#include <string>
#include <thread>
#include <vector>
#include "common/heap.h"
#include "common/list.h"
#include "engine/variables.h"
#include "script/model.h"
#include "startup/process.h"
#include "support/files.h"
#include "support/recording.h"
#include "support/ui_driver.h"
#include "uninstall/log.h"

class EngineTest : public testing::Test {
 protected:
  std::string folder, logPath;
  StringList fields = nullptr;

  void SetUp() override {
    folder = files::MakeTemporaryFolder("corvel-engine");
    logPath = folder + "\\temporary.log";
    LogFile = CreateFileA(logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(LogFile, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(CreateList(&fields, 15));
    ASSERT_TRUE(CreateVariableTable());
    if (!FolderCache) CreateList(&FolderCache, 5);
    if (!Model.errors[Model.currentLanguage]) CreateModelLists();
    SetVariable("%InstallPath%", folder.c_str());
    InstallSucceeded = true;
  }
  void TearDown() override {
    EndTemporaryLog();
    FreeLogLines();
    DestroyList(&fields);
    DestroyVariableTable();
    files::RemoveTree(folder);
  }
  void EndTemporaryLog() {
    if (LogFile != INVALID_HANDLE_VALUE) CloseHandle(LogFile);
    LogFile = INVALID_HANDLE_VALUE;
  }
  // Every line recorded so far, as the final log would hold them.
  std::vector<std::string> Recorded() const {
    std::vector<std::string> lines;
    for (int i = 0; i < Count(LogLines); i++) {
      std::string line = GetItem(LogLines, i);
      lines.push_back(line.substr(0, line.size() - 1));
    }
    return lines;
  }
  // The lines that reached the temporary log, which a rollback undoes.
  std::vector<std::string> Written() {
    EndTemporaryLog();
    return recording::Lines(logPath);
  }
  static bool Holds(const std::vector<std::string>& lines, const std::string& line) {
    for (const std::string& each : lines)
      if (each == line) return true;
    return false;
  }
  static void SetErrorText(int index, const char* text) { SetItem(Model.errors[Model.currentLanguage], index, text); }
  // Runs phase on a thread of its own, answers the one question it must ask
  // with button and returns the phase's result and the question's text.
  template <typename Phase>
  static bool AnswerQuestion(Phase phase, int button, std::string* text) {
    bool result = true;
    std::thread worker([&] { result = phase(); });
    ui::MessageBox box = ui::AnswerOwnMessageBox(button, 10000);
    worker.join();
    *text = box ? box.text : "<no question>";
    return result;
  }
};
