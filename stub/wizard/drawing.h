#pragma once
// Fonts, brushes, pen and palette shared by the wizard and the background window.
#include <windows.h>

void CreateDrawingObjects();
void DestroyDrawingObjects();

// Whether a font family of that face is installed (asked of the screen).
bool FontExists(const char* face);
