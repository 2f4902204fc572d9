#pragma once
// Fonts, brushes, pen and palette shared by the wizard and the background window.
#include <windows.h>

// The backdrop's gradient has this many bands; the palette holds them from
// entry 20 on, then the accent colour and the button face colour.
const int GradientSteps = 200;
const int GradientEntry = 20;
const int AccentEntry = GradientEntry + GradientSteps;
const int PaletteSize = AccentEntry + 2;

struct DrawingObjects {
  int dpi;                  // LOGPIXELSY; 96 until the objects exist
  int stripeTopWidth;       // accent stripe at the top of a page
  int stripeBottomWidth;    // and at the bottom of the frame
  HFONT normalFont, titleFont;
  HBRUSH pageBrush, bandBrush, headerBrush, accentBrush;
  HPEN accentPen;
  HPALETTE palette;
  LOGPALETTE* paletteRecord;
};
extern DrawingObjects Drawing;

void CreateDrawingObjects();
void DestroyDrawingObjects();
// The page, band and header brushes again, for a changed colour scheme.
void CreateColourBrushes();

// A colour word of the product record: a COLORREF, or a flag naming the
// window or the button face colour of the current scheme.
COLORREF ResolveColour(DWORD colour);
// Each of red, green and blue times numerator / denominator.
COLORREF ScaleColour(COLORREF colour, int numerator, int denominator);
// Fills the four-cornered polygon in the accent colour.
void DrawAccentStripe(HDC dc, const POINT* corners);

// Whether a font family of that face is installed (asked of the screen).
bool FontExists(const char* face);
