#include "wizard/drawing.h"

static int CALLBACK NoteFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
  *(bool*)found = true;
  return 0;   // the first family answers the question
}

bool FontExists(const char* face) {
  LOGFONTA font;
  ZeroMemory(&font, sizeof(font));   // any pitch and family
  font.lfCharSet = DEFAULT_CHARSET;  // in any character set: the system's need not be Western
  lstrcpynA(font.lfFaceName, face, LF_FACESIZE);
  bool found = false;
  HDC screen = GetDC(0);
  EnumFontFamiliesExA(screen, &font, (FONTENUMPROCA)NoteFamily, (LPARAM)&found, 0);
  ReleaseDC(0, screen);
  return found;
}
