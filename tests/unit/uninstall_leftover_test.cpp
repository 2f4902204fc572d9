// The uninstall page in this process: pacing and the quit question, and
// the leftover view driven as a user would, by clicks on its check boxes
// and expand buttons and on its two buttons.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <string>
#include "common/heap.h"
#include "common/text.h"
#include "script/model.h"
#include "startup/process.h"
#include "support/files.h"
#include "support/ui_driver.h"
#include "uninstall/log.h"
#include "uninstall/uninstall.h"
#include "uninstall_support.h"

namespace {

using namespace uninstall_support;

const char Explanation[] =
    "Some folders contain files which was not created by this installation and can not be deleted "
    "automatically. Select a check box near a file or a folder you want to delete and then click "
    "'Delete' button.";

void SetString(char** target, const std::string& text) {
  FreeBlock(*target);
  *target = DuplicateString(text.c_str(), 0);
}

void Touch(const std::string& path) { files::Write(path, {'u', 's', 'e', 'r'}); }

// The page and its tree, driven from a second thread while the test's main
// thread runs the modal dialog.
struct Driver {
  HWND page = 0, tree = 0;

  std::string Text(HTREEITEM item) {
    char text[MAX_PATH] = "";
    TVITEMA query = {};
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = MAX_PATH;
    SendMessageA(tree, TVM_GETITEMA, 0, (LPARAM)&query);
    return text;
  }
  bool Checked(HTREEITEM item) {
    return (SendMessageA(tree, TVM_GETITEMSTATE, (WPARAM)item, TVIS_STATEIMAGEMASK) >> 12) == 2;
  }
  HTREEITEM Child(HTREEITEM item) {
    return (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, item ? TVGN_CHILD : TVGN_ROOT, (LPARAM)item);
  }
  HTREEITEM Next(HTREEITEM item) { return (HTREEITEM)SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, (LPARAM)item); }
  // The children's texts, "|" between them.
  std::string Children(HTREEITEM item) {
    std::string names;
    for (HTREEITEM child = Child(item); child; child = Next(child)) names += (names.empty() ? "" : "|") + Text(child);
    return names;
  }
  HTREEITEM Find(HTREEITEM parent, const std::string& text) {
    for (HTREEITEM child = Child(parent); child; child = Next(child))
      if (Text(child) == text) return child;
    return 0;
  }
  // A point of the item's row where the tree's hit test says flag.
  POINT PointOn(HTREEITEM item, UINT flag) {
    SendMessageA(tree, TVM_ENSUREVISIBLE, 0, (LPARAM)item);
    RECT row;
    *(HTREEITEM*)&row = item;
    SendMessageA(tree, TVM_GETITEMRECT, FALSE, (LPARAM)&row);
    TVHITTESTINFO hit = {};
    for (hit.pt.y = (row.top + row.bottom) / 2, hit.pt.x = 0; hit.pt.x < row.right; hit.pt.x++)
      if (SendMessageA(tree, TVM_HITTEST, 0, (LPARAM)&hit) == (LRESULT)item && (hit.flags & flag)) return hit.pt;
    ADD_FAILURE() << "no point with flag " << flag << " on " << Text(item);
    return hit.pt;
  }
  void ClickAt(POINT point) {
    POINT screen = point;
    ClientToScreen(tree, &screen);
    SetCursorPos(screen.x, screen.y);
    // The page asks where the cursor is; the move may take a moment to show.
    WaitUntil([&] {
      POINT now;
      return GetCursorPos(&now) && now.x == screen.x && now.y == screen.y;
    });
    PostMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    PostMessageA(tree, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
  }
  // Clicks the item's check box and waits for the toggle.
  void ClickCheckBox(HTREEITEM item) {
    bool before = Checked(item);
    ClickAt(PointOn(item, TVHT_ONITEMSTATEICON));
    EXPECT_TRUE(WaitUntil([&] { return Checked(item) != before; })) << Text(item);
    SendMessageA(page, WM_NULL, 0, 0);
  }
  void Expand(HTREEITEM item) {
    ClickAt(PointOn(item, TVHT_ONITEMBUTTON));
    EXPECT_TRUE(WaitUntil([&] { return (SendMessageA(tree, TVM_GETITEMSTATE, (WPARAM)item, TVIS_EXPANDED) & TVIS_EXPANDED) != 0; }));
    SendMessageA(page, WM_NULL, 0, 0);
  }
  // The worker fills the tree after showing it: wait for the whole top level.
  bool WaitForView(int topLevelItems) {
    return WaitUntil([&] {
      int count = 0;
      for (HTREEITEM item = Child(0); item; item = Next(item)) count++;
      return Shown(1026) && count == topLevelItems;
    });
  }
  bool DeleteEnabled() { return IsWindowEnabled(GetDlgItem(page, 1011)) != FALSE; }
  bool Shown(int id) { return IsWindowVisible(GetDlgItem(page, id)) != FALSE; }
  void Press(int id) { PostMessageA(GetDlgItem(page, id), BM_CLICK, 0, 0); }
};

// Answers a message box of this process with the caption; its text, or ""
// when none came.
std::string Answer(const char* caption, int button) {
  HWND box = 0;
  WaitUntil([&] { return (box = FindOwnDialog(caption)) != 0; });
  if (!box) return "";
  std::string text = ui::ControlText(box, 65535);
  PostMessageA(GetDlgItem(box, button), BM_CLICK, 0, 0);
  WaitUntil([&] { return !IsWindow(box); });
  return text;
}

class UninstallPage : public testing::Test {
 protected:
  std::string folder, app, other;
  void SetUp() override {
    folder = files::MakeTemporaryFolder("corvel-leftover");
    app = folder + "\\App";
    other = folder + "\\Other";
    SetString(&TemporaryFolder, folder);
    static bool modelReady = CreateModelLists();
    ASSERT_TRUE(modelReady);
    if (!RebootList) CreateList(&RebootList, 5), CreateList(&LeftoverList, 5);
    ClearList(RebootList);
    ClearList(LeftoverList);
    if (!UninstallFinishedEvent) UninstallFinishedEvent = CreateEventA(0, TRUE, FALSE, 0);
    if (!WorkerGateEvent) WorkerGateEvent = CreateEventA(0, TRUE, TRUE, 0);
    ResetEvent(UninstallFinishedEvent);
    SetEvent(WorkerGateEvent);
    ModuleHandle = files::StubResources();
    ASSERT_NE(ModuleHandle, nullptr);
    SetItem(Model.pages[UninstallerSlot].texts[Model.currentLanguage], 0, "DemoApp Uninstall");
    SetItem(Model.pages[UninstallerSlot].texts[Model.currentLanguage], 9, "Demo Application");
  }
  void TearDown() override {
    FreeInstallLog();
    RemoveFolder(folder);
  }

  void ReadLog(const std::vector<std::string>& entries, bool compact = false) {
    std::string text = std::string(LogBanner) + "\nDemo Application\nDemoApp\n" + (compact ? "1" : "0") +
                       ",0xC88C00,0x2000000,0xFFFFFF,0x1000000,Tahoma,0xFF,Verdana,0x0\n";
    for (const std::string& entry : entries) text += entry + "\n";
    std::string path = folder + "\\Remove.log";
    files::Write(path, std::vector<std::uint8_t>(text.begin(), text.end()));
    ASSERT_TRUE(ReadInstallLog(path.c_str(), FieldList));
  }

  // Shows the page modally here while drive runs on its own thread.
  void RunPage(const std::function<void(Driver&)>& drive) {
    struct Run {
      std::function<void(Driver&)> drive;
      Driver driver;
      DWORD mainThread;
    } run = {drive, {}, GetCurrentThreadId()};
    HANDLE thread = CreateThread(0, 0, [](void* parameter) -> DWORD {
      Run* r = (Run*)parameter;
      WaitUntil([&] {
        EnumThreadWindows(r->mainThread, [](HWND window, LPARAM found) -> BOOL {
          if (!GetDlgItem(window, 1026)) return TRUE;
          *(HWND*)found = window;
          return FALSE;
        }, (LPARAM)&r->driver.page);
        // A click posted before the page shows can be lost on a loaded machine.
        return r->driver.page != 0 && IsWindowVisible(r->driver.page);
      });
      r->driver.tree = GetDlgItem(r->driver.page, 1026);
      if (r->driver.page) r->drive(r->driver);
      return 0;
    }, &run, 0, 0);
    DialogBoxParamA(ModuleHandle, MAKEINTRESOURCEA(141 + Model.dialogSetOffset), 0, UninstallPageProc,
                    UninstallerSlot);
    EXPECT_EQ(WaitForSingleObject(thread, 30000), WAIT_OBJECT_0);
    CloseHandle(thread);
  }

  void MakeTree() {
    CreateDirectoryA(app.c_str(), 0);
    CreateDirectoryA((app + "\\Data").c_str(), 0);
    CreateDirectoryA((app + "\\Data\\Deep").c_str(), 0);
    CreateDirectoryA(other.c_str(), 0);
    CreateDirectoryA((other + "\\EmptySub").c_str(), 0);
    Touch(app + "\\Data\\user.txt");
    Touch(app + "\\Data\\Deep\\more.txt");
    Touch(app + "\\readonly.txt");
    SetFileAttributesA((app + "\\readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    Touch(app + "\\pending.txt");
    AppendItem(RebootList, (app + "\\pending.txt").c_str());
  }
};

TEST_F(UninstallPage, ChecksExpansionAndDeletionFollowTheUsersClicks) {
  MakeTree();
  ReadLog({"a," + other, "a," + app, "a," + app + "\\Data", "a," + app + "\\Data\\Deep"});
  RunPage([&](Driver& d) {
    ASSERT_TRUE(d.WaitForView(2));
    EXPECT_EQ(ui::ControlText(d.page, 1012), "Finish");
    EXPECT_EQ(ui::ControlText(d.page, 1001), "Uninstall Completed");
    EXPECT_EQ(ui::ControlText(d.page, 1002), "Demo Application have been succesfully removed from your computer.");
    EXPECT_EQ(ui::ControlText(d.page, 1003), Explanation);
    EXPECT_FALSE(d.Shown(1004) || d.Shown(1023));
    EXPECT_TRUE(d.Shown(1010) && d.Shown(1011));
    EXPECT_FALSE(d.DeleteEnabled());
    EXPECT_EQ(SendDlgItemMessageA(d.page, 1023, PBM_GETPOS, 0, 0), 100);
    // Data and Deep lie inside App: only the outermost folders, by name.
    EXPECT_EQ(d.Children(0), app + "|" + other);
    HTREEITEM appItem = d.Find(0, app), otherItem = d.Find(0, other);

    // A folder that holds only an empty folder has a button; that folder has none.
    d.Expand(otherItem);
    EXPECT_EQ(d.Children(otherItem), "EmptySub");
    EXPECT_EQ(d.Child(d.Find(otherItem, "EmptySub")), nullptr);

    // Checking a folder never read checks what its expansion shows.
    d.ClickCheckBox(appItem);
    EXPECT_TRUE(WaitUntil([&] { return d.DeleteEnabled(); }));
    d.Expand(appItem);
    EXPECT_EQ(d.Children(appItem), "Data|readonly.txt") << "folders first; a file waiting for the restart is hidden";
    HTREEITEM data = d.Find(appItem, "Data"), readOnly = d.Find(appItem, "readonly.txt");
    EXPECT_TRUE(d.Checked(data) && d.Checked(readOnly));

    // Unchecking an expanded folder leaves its children checked.
    d.ClickCheckBox(appItem);
    EXPECT_TRUE(d.Checked(data) && d.Checked(readOnly));
    EXPECT_TRUE(WaitUntil([&] { return d.DeleteEnabled(); }));
    // Unchecking the collapsed Data unchecks its unread content too.
    d.ClickCheckBox(data);
    EXPECT_TRUE(WaitUntil([&] { return d.DeleteEnabled(); })) << "readonly.txt is still checked";
    d.ClickCheckBox(readOnly);
    EXPECT_TRUE(WaitUntil([&] { return !d.DeleteEnabled(); })) << "nothing is checked any more";
    d.Expand(data);
    EXPECT_EQ(d.Children(data), "Deep|user.txt");
    EXPECT_FALSE(d.Checked(d.Find(data, "user.txt")));
    // Checking a file inside an expanded folder unchecks nothing above it,
    // and collapsing and expanding again reads nothing anew.
    HTREEITEM user = d.Find(data, "user.txt");
    SendMessageA(d.tree, TVM_EXPAND, TVE_COLLAPSE, (LPARAM)data);
    d.Expand(data);
    EXPECT_EQ(d.Find(data, "user.txt"), user);
    d.ClickCheckBox(user);
    d.ClickCheckBox(readOnly);

    // Only the checked files go; the read-only one answered No stays on disk
    // but leaves the tree, and the unchecked folders stay in it.
    d.Press(1011);
    EXPECT_EQ(Answer("Confirm Operation", IDYES), "Are you sure you want to delete all selected files and folders?");
    EXPECT_EQ(Answer("Deleting File", IDNO), "The file " + app + "\\readonly.txt \nis a read-only file. Delete anyway?");
    EXPECT_TRUE(WaitUntil([&] { return !d.DeleteEnabled(); }));
    EXPECT_EQ(d.Children(appItem), "Data");
    EXPECT_EQ(d.Children(data), "Deep");
    d.Press(1012);
  });
  EXPECT_FALSE(files::Exists(app + "\\Data\\user.txt"));
  EXPECT_TRUE(files::Exists(app + "\\readonly.txt"));
  EXPECT_TRUE(files::Exists(app + "\\Data\\Deep\\more.txt"));
  EXPECT_TRUE(files::Exists(other + "\\EmptySub"));
}

TEST_F(UninstallPage, SelectAllThenDeleteRemovesEveryListedFolderInTheCompactSet) {
  MakeTree();
  // The path label shortens a long path in its middle.
  std::string longName = std::string(120, 'L');
  CreateDirectoryA((folder + "\\" + longName).c_str(), 0);
  Touch(folder + "\\" + longName + "\\left.txt");
  ReadLog({"a," + folder + "\\" + longName, "a," + other, "a," + app}, true);
  RunPage([&](Driver& d) {
    ASSERT_TRUE(d.WaitForView(3));
    EXPECT_FALSE(d.Shown(1002) || d.Shown(1003));
    EXPECT_EQ(ui::ControlText(d.page, 1007), Explanation);
    EXPECT_EQ(ui::ControlText(d.page, 1003), "Deleting files...");
    std::string shown = ui::ControlText(d.page, 1004);
    EXPECT_NE(shown.find("..."), std::string::npos) << shown;
    EXPECT_LT(shown.size(), folder.size() + longName.size());
    d.Press(1010);
    EXPECT_TRUE(WaitUntil([&] { return d.DeleteEnabled(); }));
    EXPECT_TRUE(d.Checked(d.Child(d.Find(0, app))));
    d.Press(1011);
    EXPECT_NE(Answer("Confirm Operation", IDYES), "");
    EXPECT_TRUE(WaitUntil([&] { return d.Child(0) == nullptr && !d.DeleteEnabled(); }));
    d.Press(1012);
  });
  EXPECT_FALSE(files::Exists(app));
  EXPECT_FALSE(files::Exists(other));
  EXPECT_FALSE(files::Exists(folder + "\\" + longName));
  EXPECT_EQ(WaitForSingleObject(UninstallFinishedEvent, 0), WAIT_OBJECT_0);
}

TEST_F(UninstallPage, QuitQuestionStopsTheRunOnlyOnYes) {
  std::vector<std::string> entries;
  for (int i = 0; i < 8; i++) {
    Touch(folder + "\\file" + std::to_string(i));
    entries.push_back("b," + folder + "\\file" + std::to_string(i));
  }
  ReadLog(entries);
  AppendItem(RebootList, "C:\\from-before.dll");
  std::string first, second;
  // The run takes about a second in all: the test holds the worker at its
  // gate so that the questions come while the run is unfinished.
  ResetEvent(WorkerGateEvent);
  RunPage([&](Driver& d) {
    d.Press(1012);
    first = Answer("DemoApp Uninstall", IDNO);
    ResetEvent(WorkerGateEvent);
    d.Press(1012);
    second = Answer("DemoApp Uninstall", IDYES);
  });
  EXPECT_EQ(first, "The uninstall procedure is not complete. \nIf you quit now, the program will not be uninstalled "
                   "properly. \n\nAre you sure you want to quit?");
  EXPECT_EQ(second, first);
  // Stopped midway: the first line, undone last, is still there.
  EXPECT_TRUE(files::Exists(folder + "\\file0")) << "the first line is undone last";
  EXPECT_FALSE(files::Exists(folder + "\\file7"));
  EXPECT_EQ(Count(RebootList), 0);
  EXPECT_NE(WaitForSingleObject(UninstallFinishedEvent, 0), WAIT_OBJECT_0);
}

TEST_F(UninstallPage, WithoutLeftoversThePageClosesItselfAfterAboutASecond) {
  Touch(folder + "\\only.exe");
  ReadLog({"b," + folder + "\\only.exe"});
  DWORD start = GetTickCount();
  RunPage([&](Driver&) {});
  EXPECT_GE(GetTickCount() - start, 950u);
  EXPECT_FALSE(files::Exists(folder + "\\only.exe"));
  EXPECT_EQ(WaitForSingleObject(UninstallFinishedEvent, 0), WAIT_OBJECT_0);

  // A log without entries finishes nothing: the page waits for the user.
  ReadLog({});
  ResetEvent(UninstallFinishedEvent);
  std::string question;
  RunPage([&](Driver& d) {
    Sleep(300);
    d.Press(1012);
    question = Answer("DemoApp Uninstall", IDYES);
  });
  EXPECT_NE(question.find("is not complete"), std::string::npos);
}

}  // namespace
