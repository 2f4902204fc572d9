// Holds Wine's desktop for the length of a test session. Wine ends the
// process that owns the desktop a second after its last program has gone,
// and the next program that opens a window starts it anew: that program's
// output then stays open in it, and a test runner waiting for the end of a
// test's output waits for as long as any other program keeps the desktop.
// Started by the session with no output, this program keeps it, so that no
// test ever starts it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  GetDesktopWindow();
  // Ended with the session's server.
  Sleep(INFINITE);
  return 0;
}
