#pragma once
// Fonts, brushes, pen and palette shared by the wizard and the background window.
#include <windows.h>

void CreateDrawingObjects();
void DestroyDrawingObjects();
