// The wizard frame with a worker of the test's own: Cancel holds the worker
// at its gate while it asks, lets it go on after No, and stops it after Yes;
// an aborted installation closes the wizard. And the shared palette.
#include <gtest/gtest.h>
#include <atomic>
#include <thread>
#include "common/heap.h"
#include "engine/variables.h"
#include "engine/worker.h"
#include "script/model.h"
#include "startup/process.h"
#include "support/files.h"
#include "support/ui_driver.h"
#include "wizard/drawing.h"
#include "wizard/wizard.h"

namespace {

std::atomic<int> Units;

// Does one unit of work whenever the gate is open, until told to quit. Each
// unit writes a label of the wizard, as the real worker writes its progress:
// a call that needs the wizard's thread, also while that thread waits for it.
DWORD WINAPI FakeWorker(void* label) {
  MSG message;
  PeekMessageA(&message, 0, 0, 0, PM_NOREMOVE);
  for (;;) {
    WaitForSingleObject(WorkerGateEvent, INFINITE);
    if (PeekMessageA(&message, 0, WM_QUIT, WM_QUIT, PM_REMOVE)) {
      // Leaving, it clears what it showed, while the wizard waits for it.
      SetWindowTextA((HWND)label, "");
      return 0;
    }
    Units++;
    SetWindowTextA((HWND)label, Units % 2 ? "odd" : "even");
  }
}

class Frame : public testing::Test {
 protected:
  void SetUp() override {
    // The dialog templates live in the stub's resources.
    ModuleHandle = files::StubResources();
    ASSERT_TRUE(ModuleHandle) << files::StubPath();
    ZeroMemory(&Model, sizeof(Model));
    ASSERT_TRUE(CreateModelLists());
    ASSERT_TRUE(CreateVariableTable());
    InstallFinishedEvent = CreateEventA(0, TRUE, FALSE, 0);
    WorkerGateEvent = CreateEventA(0, TRUE, TRUE, 0);
    SetItem(Model.messages[9], 0, "Quit now?");
    Model.pages[9].enabled = true;
    Model.pages[9].templateId = 138;
    CreateDrawingObjects();
    LastPageIndex = -1;
    frame = CreateDialogParamA(ModuleHandle, MAKEINTRESOURCEA(142), 0, WizardFrameProc, 0);
    ASSERT_TRUE(frame);
    Units = 0;
  }
  void TearDown() override {
    if (IsWindow(frame)) DestroyWindow(frame);
    MSG message;
    while (PeekMessageA(&message, 0, 0, 0, PM_REMOVE)) {}
    // The page closed the wizard's handle; the worker goes with the test's own.
    if (worker) {
      PostThreadMessageA(workerId, WM_QUIT, 0, 0);
      SetEvent(WorkerGateEvent);
      while (MsgWaitForMultipleObjects(1, &worker, FALSE, 5000, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1)
        PeekMessageA(&message, 0, 0, 0, PM_NOREMOVE);
      CloseHandle(worker);
    }
    Wizard.workerThread = 0;
    Wizard.workerThreadId = 0;
    DestroyDrawingObjects();
    CloseHandle(InstallFinishedEvent);
    CloseHandle(WorkerGateEvent);
    DestroyModel();
    DestroyVariableTable();
  }

  void StartWorker() {
    Wizard.workerThread = CreateThread(0, 0, FakeWorker, GetDlgItem(frame, 1001), 0, &Wizard.workerThreadId);
    ASSERT_TRUE(Wizard.workerThread);
    workerId = Wizard.workerThreadId;
    // The wizard closes its handle with the page; the test keeps one of its own.
    DuplicateHandle(GetCurrentProcess(), Wizard.workerThread, GetCurrentProcess(), &worker, 0, FALSE,
                    DUPLICATE_SAME_ACCESS);
    // The label's writes need this thread.
    MSG message;
    while (Units < 3) {
      while (PeekMessageA(&message, 0, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
      Sleep(1);
    }
  }

  // Presses Cancel; a helper answers the question after checking that the
  // worker stood still while it was asked. Returns the question's text.
  std::string CancelAndAnswer(int answer, bool* halted) {
    std::string text;
    std::thread user([&] {
      ui::MessageBox box = ui::WaitForMessageBoxBesides(GetCurrentProcessId(), frame, 60000);
      text = box.text;
      int before = Units;
      Sleep(200);
      *halted = Units == before;
      if (box) ui::Click(box.window, answer);
    });
    SendMessageA(frame, WM_COMMAND, IDCANCEL, 0);
    user.join();
    return text;
  }

  HWND frame = nullptr;
  HANDLE worker = nullptr;
  DWORD workerId = 0;
};

TEST_F(Frame, CancelHoldsTheWorkerWhileAskingAndNoLetsItGoOn) {
  ASSERT_NO_FATAL_FAILURE(StartWorker());
  bool halted = false;
  EXPECT_EQ("Quit now?", CancelAndAnswer(IDNO, &halted));
  EXPECT_TRUE(halted) << "the worker went on while the question was shown";
  EXPECT_TRUE(IsWindow(frame));
  int after = Units;
  MSG message;
  for (int i = 0; i < 100; i++) {
    while (PeekMessageA(&message, 0, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    Sleep(1);
  }
  EXPECT_GT(Units, after) << "the worker stayed halted after No";
  EXPECT_EQ((DWORD)WAIT_TIMEOUT, WaitForSingleObject(Wizard.workerThread, 0));
}

TEST_F(Frame, CancelAnsweredYesStopsTheWorkerAndCloses) {
  ASSERT_NO_FATAL_FAILURE(StartWorker());
  bool halted = false;
  CancelAndAnswer(IDYES, &halted);
  EXPECT_TRUE(halted);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(worker, 0)) << "the worker is still running";
  EXPECT_FALSE(IsWindow(frame));
  EXPECT_EQ(-1, LastPageIndex);
  MSG message;
  EXPECT_TRUE(PeekMessageA(&message, 0, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the message loop would not end";
}

TEST_F(Frame, AFinishedWorkerIsNotStoppedButTheQuestionStillComes) {
  ASSERT_NO_FATAL_FAILURE(StartWorker());
  SetEvent(InstallFinishedEvent);
  // The worker of a finished run ends by itself; let this one end.
  PostThreadMessageA(Wizard.workerThreadId, WM_QUIT, 0, 0);
  bool halted = false;
  EXPECT_EQ("Quit now?", CancelAndAnswer(IDYES, &halted));
  EXPECT_FALSE(IsWindow(frame));
  EXPECT_EQ(-1, LastPageIndex);
}

TEST_F(Frame, AnAbortedInstallationClosesAfterTheWorkerEnds) {
  ASSERT_NO_FATAL_FAILURE(StartWorker());
  PostThreadMessageA(Wizard.workerThreadId, WM_QUIT, 0, 0);
  SendMessageA(frame, WM_INSTALL_ABORTED, 0, 0);
  EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(worker, 0));
  EXPECT_FALSE(IsWindow(frame));
  EXPECT_EQ(-1, LastPageIndex);
}

TEST_F(Frame, IdOkIsNextOnlyBeforeTheInstallingPage) {
  // The ready page is the last one here, so Next closes with its slot.
  SendMessageA(frame, WM_COMMAND, IDOK, 0);
  EXPECT_FALSE(IsWindow(frame));
  EXPECT_EQ(9, LastPageIndex);
}

TEST(Palette, GradientAccentAndButtonFace) {
  ZeroMemory(&Model, sizeof(Model));
  Model.gradientStart = RGB(10, 200, 0);
  Model.gradientEnd = RGB(209, 100, 255);
  Model.accentColour = RGB(1, 2, 3);
  CreateDrawingObjects();
  ASSERT_TRUE(Drawing.palette);
  PALETTEENTRY entries[PaletteSize];
  ASSERT_EQ((UINT)PaletteSize, GetPaletteEntries(Drawing.palette, 0, PaletteSize, entries));
  EXPECT_EQ(0, entries[19].peRed | entries[19].peGreen | entries[19].peBlue);
  auto colour = [&](int i) { return RGB(entries[i].peRed, entries[i].peGreen, entries[i].peBlue); };
  EXPECT_EQ(RGB(10, 200, 0), colour(GradientEntry));
  EXPECT_EQ(RGB(209, 100, 255), colour(GradientEntry + GradientSteps - 1));
  // A falling component rounds toward zero: green 200 - 100 * j / 199.
  EXPECT_EQ(RGB(11, 200, 1), colour(GradientEntry + 1));
  EXPECT_EQ(RGB(110, 150, 128), colour(GradientEntry + 100));
  EXPECT_EQ(RGB(1, 2, 3), colour(AccentEntry));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), colour(AccentEntry + 1));
  EXPECT_EQ(Drawing.dpi * 90 / 96, Drawing.stripeTopWidth);
  EXPECT_EQ(Drawing.dpi * 140 / 96, Drawing.stripeBottomWidth);
  DestroyDrawingObjects();
  EXPECT_EQ(nullptr, Drawing.palette);
}

TEST(Palette, ColourWordsNameSystemColours) {
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), ResolveColour(0x02000000));
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), ResolveColour(0x03123456));
  EXPECT_EQ(GetSysColor(COLOR_BTNFACE), ResolveColour(0x01000000));
  EXPECT_EQ(0x00123456u, ResolveColour(0x00123456));
  EXPECT_EQ(RGB(212, 5, 60), ScaleColour(RGB(255, 6, 72), 5, 6));
}

}  // namespace
