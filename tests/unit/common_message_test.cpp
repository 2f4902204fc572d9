// Message composition, the system's error texts, and one real message box
// answered from a second thread.
#include <gtest/gtest.h>
#include <string>
#include "common/message.h"

static std::string Composed(const char* format, const char* argument1 = 0, const char* argument2 = 0,
                            const char* argument3 = 0) {
  char buffer[MessageLength];
  int length = ComposeMessage(buffer, format, argument1, argument2, argument3);
  EXPECT_EQ(length, lstrlenA(buffer));
  return buffer;
}

TEST(Composition, WithoutArgumentsTheFormatStaysAsItIs) {
  EXPECT_EQ("Error creating a file '%s'  \nfor read access. %sContinue?",
            Composed("Error creating a file '%s'  \nfor read access. %sContinue?"));
  EXPECT_EQ("100%", Composed("100%"));
  EXPECT_EQ("", Composed(0));
  EXPECT_EQ("", Composed(0, "argument"));
  EXPECT_EQ("", Composed(""));
}

TEST(Composition, FillsOneTwoOrThreeArguments) {
  EXPECT_EQ("Are you sure you want to completely remove Demo?",
            Composed("Are you sure you want to completely remove %s?", "Demo"));
  EXPECT_EQ("Error creating a registry value 'Path' in the key 'Software\\Demo'.  \nAccess denied.\r\nContinue?",
            Composed("Error creating a registry value '%s' in the key '%s'.  \n%sContinue?", "Path", "Software\\Demo",
                     "Access denied.\r\n"));
  EXPECT_EQ("a-b", Composed("%s-%s", "a", "b"));
  EXPECT_EQ("1 2 3", Composed("%s %s %s", "1", "2", "3"));
}

TEST(Composition, CutsLongTextsAt1023Characters) {
  std::string longArgument(3000, 'x');
  char guarded[MessageLength + 64];
  memset(guarded, '#', sizeof guarded);
  ComposeMessage(guarded, "<%s>", longArgument.c_str(), 0, 0);
  EXPECT_EQ(MessageLength - 1, lstrlenA(guarded));
  EXPECT_EQ('<', guarded[0]);
  for (size_t i = MessageLength; i < sizeof guarded; i++)
    ASSERT_EQ('#', guarded[i]) << "written past the buffer at " << i;

  std::string longFormat(2000, 'y');
  memset(guarded, '#', sizeof guarded);
  ComposeMessage(guarded, longFormat.c_str(), 0, 0, 0);
  EXPECT_EQ(MessageLength - 1, lstrlenA(guarded));
  for (size_t i = MessageLength; i < sizeof guarded; i++)
    ASSERT_EQ('#', guarded[i]) << "written past the buffer at " << i;
}

TEST(ErrorText, SystemTextEndsInALineBreak) {
  std::string denied = SystemErrorText(ERROR_ACCESS_DENIED);
  ASSERT_GT(denied.size(), 2u);
  EXPECT_EQ('\n', denied.back());
  EXPECT_NE(std::string::npos, denied.find("denied")) << denied;
  std::string notFound = SystemErrorText(ERROR_FILE_NOT_FOUND);
  EXPECT_NE(denied, notFound);
  EXPECT_EQ(SystemErrorText(5), SystemErrorText(2));   // one buffer for every call
}

TEST(ErrorText, UnknownCodeGivesAnEmptyText) {
  SystemErrorText(ERROR_ACCESS_DENIED);
  EXPECT_STREQ("", SystemErrorText(0x2000FFFF));
}

// Shows a box on a thread of its own, so that this thread can find it,
// read it and press a button.
struct ShownBox {
  static DWORD WINAPI Show(void* parameter) {
    ShownBox* box = (ShownBox*)parameter;
    box->answer = ShowMessage2(0, box->caption, "Error creating a directory '%s'. \n%sContinue?", "C:\\App",
                               "Access denied.\r\n", MB_YESNO | MB_ICONERROR);
    return 0;
  }
  const char* caption;
  int answer = -1;
};

static HWND WaitForWindow(const char* caption) {
  for (int tries = 0; tries < 200; tries++) {
    HWND window = FindWindowA("#32770", caption);
    DWORD process = 0;
    if (window && GetWindowThreadProcessId(window, &process) && process == GetCurrentProcessId())
      return window;
    Sleep(50);
  }
  return 0;
}

TEST(MessageBoxes, ShowsTheComposedTextAndReturnsTheAnswer) {
  ShownBox shown;
  std::string caption = "Corvel message test " + std::to_string(GetCurrentProcessId());
  shown.caption = caption.c_str();
  HANDLE thread = CreateThread(0, 0, ShownBox::Show, &shown, 0, 0);
  HWND box = WaitForWindow(shown.caption);
  ASSERT_NE(nullptr, box) << "no message box appeared";
  char text[MessageLength] = "";
  GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  EXPECT_STREQ("Error creating a directory 'C:\\App'. \nAccess denied.\r\nContinue?", text);
  EXPECT_NE(nullptr, GetDlgItem(box, IDYES));
  SendMessageA(GetDlgItem(box, IDNO), BM_CLICK, 0, 0);
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(thread, 10000));
  EXPECT_EQ(IDNO, shown.answer);
  CloseHandle(thread);
}
