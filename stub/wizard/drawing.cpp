#include "wizard/drawing.h"
#include "common/heap.h"
#include "script/model.h"

DrawingObjects Drawing = {96, 90, 140};

COLORREF ResolveColour(DWORD colour) {
  if (colour & 0x02000000) return GetSysColor(COLOR_WINDOW);
  if (colour & 0x01000000) return GetSysColor(COLOR_BTNFACE);
  return colour;
}

COLORREF ScaleColour(COLORREF colour, int numerator, int denominator) {
  return RGB(GetRValue(colour) * numerator / denominator, GetGValue(colour) * numerator / denominator,
             GetBValue(colour) * numerator / denominator);
}

static int Blend(int start, int end, int step) {
  return start + (end - start) * step / (GradientSteps - 1);
}

static void BuildPalette() {
  Drawing.paletteRecord = (LOGPALETTE*)AllocateBlock(sizeof(LOGPALETTE) + (PaletteSize - 1) * sizeof(PALETTEENTRY));
  if (!Drawing.paletteRecord) return;
  Drawing.paletteRecord->palVersion = 0x300;
  Drawing.paletteRecord->palNumEntries = PaletteSize;
  PALETTEENTRY* entries = Drawing.paletteRecord->palPalEntry;
  COLORREF start = Model.gradientStart, end = Model.gradientEnd;
  for (int step = 0; step < GradientSteps; step++) {
    PALETTEENTRY* entry = &entries[GradientEntry + step];
    entry->peRed = (BYTE)Blend(GetRValue(start), GetRValue(end), step);
    entry->peGreen = (BYTE)Blend(GetGValue(start), GetGValue(end), step);
    entry->peBlue = (BYTE)Blend(GetBValue(start), GetBValue(end), step);
  }
  COLORREF extra[2] = {Model.accentColour, GetSysColor(COLOR_BTNFACE)};
  for (int i = 0; i < 2; i++) {
    entries[AccentEntry + i].peRed = GetRValue(extra[i]);
    entries[AccentEntry + i].peGreen = GetGValue(extra[i]);
    entries[AccentEntry + i].peBlue = GetBValue(extra[i]);
  }
  Drawing.palette = CreatePalette(Drawing.paletteRecord);
}

static HFONT CreateWizardFont(int points, int weight, const char* face) {
  return CreateFontA(-MulDiv(points, Drawing.dpi, 72), 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, OUT_TT_PRECIS,
                     CLIP_DEFAULT_PRECIS, PROOF_QUALITY, 0, face);
}

void CreateColourBrushes() {
  HBRUSH* brushes[] = {&Drawing.pageBrush, &Drawing.bandBrush, &Drawing.headerBrush};
  DWORD colours[] = {Model.pageColour, Model.bandColour, Model.headerColour};
  for (int i = 0; i < 3; i++) {
    if (*brushes[i]) DeleteObject(*brushes[i]);
    *brushes[i] = CreateSolidBrush(ResolveColour(colours[i]));
  }
}

void CreateDrawingObjects() {
  HDC screen = GetDC(0);
  Drawing.dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(0, screen);
  Drawing.stripeBottomWidth = Drawing.dpi * 140 / 96;
  Drawing.stripeTopWidth = Drawing.dpi * 90 / 96;
  BuildPalette();
  Drawing.normalFont = CreateWizardFont(8, FW_NORMAL, Model.normalFontFace);
  Drawing.titleFont = CreateWizardFont(Model.dialogSetOffset ? 10 : 12, FW_BOLD, Model.titleFontFace);
  Drawing.accentBrush = CreateSolidBrush(PALETTEINDEX(AccentEntry));
  Drawing.accentPen = CreatePen(PS_SOLID, 0, PALETTEINDEX(AccentEntry));
  CreateColourBrushes();
}

void DestroyDrawingObjects() {
  HGDIOBJ* objects[] = {(HGDIOBJ*)&Drawing.normalFont, (HGDIOBJ*)&Drawing.titleFont, (HGDIOBJ*)&Drawing.pageBrush,
                        (HGDIOBJ*)&Drawing.bandBrush, (HGDIOBJ*)&Drawing.headerBrush, (HGDIOBJ*)&Drawing.accentBrush,
                        (HGDIOBJ*)&Drawing.accentPen, (HGDIOBJ*)&Drawing.palette};
  for (HGDIOBJ* object : objects) {
    if (*object) DeleteObject(*object);
    *object = 0;
  }
  FreeBlock(Drawing.paletteRecord);
  Drawing.paletteRecord = 0;
}

void DrawAccentStripe(HDC dc, const POINT* corners) {
  HPALETTE oldPalette = SelectPalette(dc, Drawing.palette, FALSE);
  RealizePalette(dc);
  HGDIOBJ oldPen = SelectObject(dc, Drawing.accentPen);
  HGDIOBJ oldBrush = SelectObject(dc, Drawing.accentBrush);
  Polygon(dc, corners, 4);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  SelectPalette(dc, oldPalette, FALSE);
}
