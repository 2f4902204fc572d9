// Every text a page or dialog shows fits its control, in every language the
// builder ships, in both dialog sets and with both faces the wizard may use
// (its own default and the fallback of a system without it). A text that
// needs more lines or more width than its control has is cut on screen, and
// one that reaches the standard pages' accent stripe is drawn under it.
// With the default face each page is also left on screen for a picture.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "codepage.hpp"
#include "languages.hpp"
#include "script/model.h"
#include "startup/process.h"
#include "support/files.h"
#include "support/ui_driver.h"
#include "texts.hpp"
#include "uninstall/leftover.h"
#include "uninstall/removal.h"
#include "wizard/dialogs.h"
#include "wizard/drawing.h"
#include "wizard/wizard.h"

namespace build = corvel::build;

namespace {

// The names of examples/full; the uninstaller's texts name the product too.
const char DisplayName[] = "Acme Widget", ProductName[] = "Acme Widget 2.0";

std::string ClassOf(HWND control) {
  char name[64] = "";
  GetClassNameA(control, name, sizeof name);
  return name;
}

// The code page a system shows these bytes in, whatever this one's is.
UINT ShownCodePage = CP_ACP;

std::wstring Widen(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(MultiByteToWideChar(ShownCodePage, 0, text.data(), (int)text.size(), &wide[0], (int)wide.size()));
  return wide;
}

// Shows the text in the control; empty when it fits as the control draws
// it, else what it needs against what it has, in pixels. inkRight: where
// the text ends, in the control's client coordinates.
std::string Overflow(HWND control, const std::string& text, LONG* inkRight = nullptr) {
  std::wstring wide = Widen(text);
  SetWindowTextW(control, wide.c_str());
  RECT client;
  GetClientRect(control, &client);
  LONG style = GetWindowLongA(control, GWL_STYLE);
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, (HFONT)SendMessageA(control, WM_GETFONT, 0, 0));
  TEXTMETRICA metrics;
  GetTextMetricsA(dc, &metrics);
  RECT need = {0, 0, client.right, 0};
  LONG room = client.right, height = client.bottom;
  if (ClassOf(control) == "Button") {
    LONG type = style & BS_TYPEMASK;
    DrawTextW(dc, wide.c_str(), -1, &need, DT_CALCRECT | DT_SINGLELINE);
    if (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX)
      room -= GetSystemMetrics(SM_CXMENUCHECK) + metrics.tmAveCharWidth;
    else if (type == BS_GROUPBOX)
      room -= 2 * metrics.tmAveCharWidth;
    else
      room -= 2 * GetSystemMetrics(SM_CXEDGE) + metrics.tmAveCharWidth;
  } else {
    UINT flags = DT_CALCRECT | DT_EXPANDTABS;
    flags |= (style & SS_TYPEMASK) == SS_LEFTNOWORDWRAP ? DT_SINGLELINE : DT_WORDBREAK;
    if (style & SS_NOPREFIX) flags |= DT_NOPREFIX;
    DrawTextW(dc, wide.c_str(), -1, &need, flags);
  }
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  // Push buttons centre their text and right-aligned statics end at their
  // edge; everything else starts at the left, after a box if it has one.
  bool push = ClassOf(control) == "Button" && (style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON;
  bool right = ClassOf(control) != "Button" && (style & SS_TYPEMASK) == SS_RIGHT;
  if (inkRight) *inkRight = push || right ? client.right : need.right + client.right - room;
  if (need.right <= room && need.bottom <= height) return {};
  return "needs " + std::to_string(need.right) + " x " + std::to_string(need.bottom) + ", has " +
         std::to_string(room) + " x " + std::to_string(height);
}

INT_PTR CALLBACK PlainDialog(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

std::string ReplaceAll(std::string text, const std::string& token, const std::string& value) {
  for (std::size_t at = text.find(token); at != std::string::npos; at = text.find(token, at + value.size()))
    text.replace(at, token.size(), value);
  return text;
}

// One dialog of the stub's resources, with the fonts the wizard gives its
// controls; the confirmation question keeps its template's font.
class Dialog {
 public:
  Dialog(int id, HWND parent) {
    window = CreateDialogParamA(ModuleHandle, MAKEINTRESOURCEA(id), parent, PlainDialog, 0);
    if (!window || id == 200) return;
    bool frame = id == 142 || id == 162;
    if (!frame) SendDlgItemMessageA(window, 1001, WM_SETFONT, (WPARAM)Drawing.titleFont, 0);
    static const int pageControls[] = {1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1013, 1018, 1019};
    static const int frameControls[] = {1001, 1002, 1010, 1011, 1012};
    for (int control : pageControls)
      if (!frame) SendDlgItemMessageA(window, control, WM_SETFONT, (WPARAM)Drawing.normalFont, 0);
    for (int control : frameControls)
      if (frame) SendDlgItemMessageA(window, control, WM_SETFONT, (WPARAM)Drawing.normalFont, 0);
  }
  ~Dialog() {
    if (window) DestroyWindow(window);
  }
  HWND window = nullptr;
};

struct Layout : testing::TestWithParam<std::tuple<int, const char*>> {
  void SetUp() override {
    ModuleHandle = files::StubResources();
    ASSERT_TRUE(ModuleHandle) << files::StubPath();
    // The licence and readme pages hold a rich edit.
    ASSERT_TRUE(LoadLibraryA("riched32.dll"));
    ZeroMemory(&Model, sizeof(Model));
    Model.dialogSetOffset = std::get<0>(GetParam());
    Model.normalFontFace = (char*)std::get<1>(GetParam());
    Model.titleFontFace = Model.normalFontFace;
    CreateDrawingObjects();
    frame = CreateDialogParamA(ModuleHandle, MAKEINTRESOURCEA(142 + Model.dialogSetOffset), 0, PlainDialog, 0);
    ASSERT_TRUE(frame);
    RECT client;
    GetClientRect(frame, &client);
    Wizard.bandHeight = client.bottom - GetControlRectInParent(GetDlgItem(frame, 1003)).top;
  }

  // Where the accent stripe begins at height y of a standard page, the
  // page's painting polygon followed down its left edge.
  LONG StripeLeft(HWND page, LONG y) const {
    RECT r;
    GetClientRect(page, &r);
    r.right -= 3;
    LONG w1 = Drawing.stripeTopWidth, w2 = Drawing.stripeBottomWidth, b = Wizard.bandHeight;
    LONG top = r.right - w1, bottom = r.right + 1 - w2 + (w2 - w1) * b / (r.bottom + b);
    return top + (bottom - top) * (y + 1) / (r.bottom + 1);
  }
  // The wizard's fonts as a system whose ANSI code page is the language's
  // makes them: there the default character set is that code page's.
  void ShowAs(int codePage) {
    CHARSETINFO info;
    ASSERT_TRUE(TranslateCharsetInfo((DWORD*)(UINT_PTR)codePage, &info, TCI_SRCCODEPAGE)) << codePage;
    for (HFONT* font : {&Drawing.normalFont, &Drawing.titleFont}) {
      LOGFONTA face;
      GetObjectA(*font, sizeof face, &face);
      face.lfCharSet = (BYTE)info.ciCharset;
      DeleteObject(*font);
      *font = CreateFontIndirectA(&face);
    }
    ShownCodePage = codePage;
  }
  void TearDown() override {
    ShownCodePage = CP_ACP;
    DestroyWindow(frame);
    Model.normalFontFace = Model.titleFontFace = nullptr;
    DestroyDrawingObjects();
  }

  // Every text given is tried in the control: a control shows one at a time.
  void ExpectFits(const Dialog& dialog, int id, const std::vector<std::string>& texts, const std::string& where) {
    HWND control = GetDlgItem(dialog.window, id);
    ASSERT_TRUE(control) << where << ": no control " << id;
    bool striped = !Model.dialogSetOffset && GetParent(control) != frame && GetParent(dialog.window) == frame;
    RECT area = GetControlRectInParent(control);
    for (const std::string& text : texts) {
      LONG ink = 0;
      std::string overflow = Overflow(control, text, &ink);
      EXPECT_EQ("", overflow) << where << ", control " << id << ": \"" << text << "\"";
      if (striped)
        EXPECT_LE(area.left + ink, StripeLeft(dialog.window, area.bottom) - 4)
            << where << ", control " << id << " reaches the stripe: \"" << text << "\"";
    }
  }

  // The dialog as it stands, for the eye: layout-<set>-<language>-<dialog>.png.
  void Shoot(HWND window, const std::string& name) {
    if (std::string(Model.normalFontFace) != "Tahoma") return;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    EXPECT_TRUE(ui::Screenshot(ui::ScreenshotPath(name))) << name;
  }

  HWND frame = nullptr;
};

TEST_P(Layout, EveryShippedTextFitsItsControl) {
  for (std::uint16_t language : build::builtinLanguages()) {
    const build::TextTable& table = *build::builtinTexts(language);
    std::string where = "language " + std::to_string(language) + ", set " + std::to_string(Model.dialogSetOffset);
    int codePage = build::languageCodePage(language);
    ShowAs(codePage);
    // The text as the builder writes it into the script, or none.
    auto text = [&](int group, int index) -> std::vector<std::string> {
      for (std::size_t i = 0; i < table.count; i++) {
        const build::TextEntry& entry = table.entries[i];
        if (entry.group != group || entry.index != index) continue;
        if (auto ansi = build::toAnsi(build::fillNames(entry.text, DisplayName, ProductName), nullptr, codePage))
          return {*ansi};
        ADD_FAILURE() << where << ": text " << group << "/" << index << " has no form in code page " << codePage;
      }
      return {};
    };

    // Page slot by slot: text n goes into control 1000 + n.
    for (int slot : {0, 1, 2, 3, 6, 8, 9, 10, 11, 12}) {
      int id = 129 + slot + Model.dialogSetOffset;
      Dialog page(id, slot == 12 ? nullptr : frame);
      ASSERT_TRUE(page.window) << id;
      std::string at = where + ", dialog " + std::to_string(id);
      for (int n = 1; n < 20; n++) {
        std::vector<std::string> shown = text(slot, n);
        if (shown.empty() || !GetDlgItem(page.window, 1000 + n)) continue;
        // The compact welcome page shows its short title instead, where there is one.
        if (slot == 1 && n == 1 && Model.dialogSetOffset && !text(1, 7).empty()) continue;
        if (slot == 6 && n == 6) shown[0] = ReplaceAll(shown[0], "%DISK%", "C");
        ExpectFits(page, 1000 + n, shown, at);
      }
      if (slot == 1 && Model.dialogSetOffset) ExpectFits(page, 1001, text(1, 7), at);
      if (slot == 6) {
        ExpectFits(page, 1013, text(build::group::buttons, 7), at);
        char widest[16];
        FormatSpace(999999ull * 1024, false, widest);
        ExpectFits(page, 1007, {widest}, at);
        ExpectFits(page, 1008, {widest}, at);
      }
      // The installing page's phases and the finish page's restart bodies
      // take the place of a text of the page.
      if (slot == 10)
        for (int phase : {5, 6, 7, 8, 13}) ExpectFits(page, 1004, text(10, phase), at);
      if (slot == 11)
        for (int body : {9, 10}) ExpectFits(page, 1003, text(11, body), at);
      if (slot == 12) {
        ExpectFits(page, Model.dialogSetOffset ? 1007 : 1003, {LeftoverExplanation}, at);
        ExpectFits(page, 1010, {"Select &all"}, at);
        ExpectFits(page, 1011, {"&Delete"}, at);
        for (int button : {2, 8}) ExpectFits(page, 1012, text(build::group::buttons, button), at);
        ExpectFits(page, 1005, {"Corvelsetup"}, at);
      }
      Shoot(slot == 12 ? page.window : frame, "layout-" + std::string(Model.dialogSetOffset ? "compact-" : "standard-") +
                                                 std::to_string(language) + "-" + std::to_string(id));
    }

    Dialog band(142 + Model.dialogSetOffset, nullptr);
    for (int button : {0, 1, 2, 3, 5, 6, 8})
      for (int id : {1010, 1011, 1012}) ExpectFits(band, id, text(build::group::buttons, button), where);
    ExpectFits(band, 1001, {"Corvelsetup"}, where);
  }
}

// The shared-file question is the uninstaller's own, with a file of a common
// folder named, in the dialog's own font.
TEST(SharedFileQuestion, FitsWhole) {
  ModuleHandle = files::StubResources();
  ASSERT_TRUE(ModuleHandle) << files::StubPath();
  char question[1024];
  wsprintfA(question, SharedFileQuestion, "widgetcore.dll", "C:\\Program Files\\Common Files\\Acme Shared\\Widget");
  Dialog dialog(200, nullptr);
  ASSERT_TRUE(dialog.window);
  EXPECT_EQ("", Overflow(GetDlgItem(dialog.window, 1001), question));
  for (int id : {1, 1011, 2}) {
    char label[32];
    GetDlgItemTextA(dialog.window, id, label, sizeof label);
    EXPECT_EQ("", Overflow(GetDlgItem(dialog.window, id), label)) << label;
  }
}

INSTANTIATE_TEST_SUITE_P(SetsAndFaces, Layout,
                         testing::Combine(testing::Values(0, 20), testing::Values("Tahoma", "MS Sans Serif")),
                         [](const testing::TestParamInfo<std::tuple<int, const char*>>& info) {
                           std::string face = std::get<1>(info.param);
                           face.erase(std::remove(face.begin(), face.end(), ' '), face.end());
                           return std::string(std::get<0>(info.param) ? "Compact" : "Standard") + face;
                         });

}  // namespace
