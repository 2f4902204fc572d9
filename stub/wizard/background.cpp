// The full-screen backdrop: a vertical gradient in palette colours and up to
// two lines of text in chosen corners, fonts and colours.
#include "wizard/wizard.h"
#include "common/heap.h"
#include "common/text.h"
#include "engine/variables.h"
#include "script/model.h"
#include "wizard/drawing.h"

static const char BackgroundClass[] = "CorvelsetupBGWindow";

static void PaintGradient(HWND window, HDC dc) {
  SelectPalette(dc, Drawing.palette, FALSE);
  RealizePalette(dc);
  RECT client;
  GetClientRect(window, &client);
  for (int i = 0; i < GradientSteps; i++) {
    RECT band = {0, i * client.bottom / GradientSteps, client.right, (i + 1) * client.bottom / GradientSteps};
    HBRUSH brush = CreateSolidBrush(PALETTEINDEX(GradientEntry + i));
    FillRect(dc, &band, brush);
    DeleteObject(brush);
  }
  UnrealizeObject(Drawing.palette);
}

static COLORREF SwapRedBlue(DWORD rgb) {
  return RGB(rgb >> 16 & 0xFF, rgb >> 8 & 0xFF, rgb & 0xFF);
}

// Fields of a background text: 0 the text, 1 and 2 the anchors, 3 and 4 the
// distances, 5 the face, 6 size, 7 width, 8 weight in hundreds, 9 italic,
// 10 underline, 11 colour, 12 shadow distance, 13 shadow colour.
enum { AcrossField = 3, DownField, FaceField, SizeField, WidthField, WeightField, ItalicField, UnderlineField,
       ColourField, ShadowField, ShadowColourField, FieldCount };

// Draws one background text; *topUsed and *bottomUsed grow by the lines
// already stacked at either edge.
static void DrawBackgroundText(HDC dc, const RECT& client, const char* line, int* topUsed, int* bottomUsed) {
  char* expanded = ExpandVariables(line);
  if (!expanded) return;
  SplitFields(FieldList, expanded, true);
  FreeBlock(expanded);
  int number[FieldCount];
  for (int i = AcrossField; i < FieldCount; i++) number[i] = ParseNumber(Field(FieldList, i));
  const char* text = Field(FieldList, 0);
  const char* face = Field(FieldList, FaceField);
  HFONT font = CreateFontA(-MulDiv(number[SizeField] ? number[SizeField] : 12, Drawing.dpi, 72), number[WidthField],
                           0, 0, number[WeightField] ? number[WeightField] * 100 : FW_NORMAL,
                           number[ItalicField] != 0, number[UnderlineField] != 0, 0, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH,
                           *face ? face : "Tahoma");
  HGDIOBJ oldFont = font ? SelectObject(dc, font) : 0;
  RECT rect = {0, 0, 0, 0};
  DrawTextA(dc, text, -1, &rect, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE);
  int x = lstrcmpiA(Field(FieldList, 1), "right") ? number[AcrossField]
                                                   : client.right - rect.right - number[AcrossField];
  int y;
  if (!lstrcmpiA(Field(FieldList, 2), "bottom")) {
    y = client.bottom - number[DownField] - *bottomUsed - rect.bottom;
    *bottomUsed = client.bottom - y;
  } else {
    y = number[DownField] + *topUsed;
    *topUsed = y + rect.bottom;
  }
  for (int pass = number[ShadowField] ? 0 : 1; pass < 2; pass++) {
    // The shadow first, moved by its distance, then the text over it.
    int shift = pass ? 0 : number[ShadowField];
    RECT place = {x + shift, y + shift, x + shift + rect.right, y + shift + rect.bottom};
    SetTextColor(dc, SwapRedBlue(number[pass ? ColourField : ShadowColourField]));
    DrawTextA(dc, text, -1, &place, DT_NOPREFIX | DT_SINGLELINE);
  }
  if (font) {
    SelectObject(dc, oldFont);
    DeleteObject(font);
  }
}

static void PaintTexts(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  Drawing.dpi = GetDeviceCaps(dc, LOGPIXELSY);
  SetBkMode(dc, TRANSPARENT);
  RECT client;
  GetClientRect(window, &client);
  int topUsed = 0, bottomUsed = 0;
  int lines = Count(Model.backgroundTexts);
  for (int i = 0; i < lines && i < 2; i++)
    DrawBackgroundText(dc, client, GetItem(Model.backgroundTexts, i), &topUsed, &bottomUsed);
  EndPaint(window, &paint);
}

static LRESULT CALLBACK BackgroundProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      PaintGradient(window, (HDC)wParam);
      return TRUE;
    case WM_PAINT:
      PaintTexts(window);
      return 0;
    case WM_NCLBUTTONDOWN:
      // The backdrop stays where it is.
      if (wParam == HTCAPTION) return 0;
      break;
    case WM_NCLBUTTONDBLCLK:
      return 0;
    case WM_SYSCOMMAND: {
      WPARAM command = wParam & 0xFFF0;
      if (command == SC_CLOSE) {
        // Closing the backdrop is the wizard's Cancel, with its question.
        if (Wizard.frame) SendMessageA(Wizard.frame, WM_COMMAND, IDCANCEL, 0);
        return 0;
      }
      if (command == SC_MOVE) return 0;
      break;
    }
    case WM_DESTROY:
      Wizard.background = 0;
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateBackgroundWindow(HINSTANCE module) {
  WNDCLASSEXA windowClass = {sizeof(windowClass), CS_HREDRAW | CS_VREDRAW, BackgroundProc, 0, 0, module,
                             LoadIconA(module, MAKEINTRESOURCEA(100)), LoadCursorA(0, IDC_ARROW), 0, 0,
                             BackgroundClass, 0};
  RegisterClassExA(&windowClass);
  DWORD style = Model.options1 & CaptionBar ? WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX
                                            : WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX;
  Wizard.background = CreateWindowExA(0, BackgroundClass, "", style, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                     GetSystemMetrics(SM_CYSCREEN), GetDesktopWindow(), 0, module, 0);
  ShowWindow(Wizard.background, SW_SHOWMAXIMIZED);
  return Wizard.background;
}
