#pragma once
#include <windows.h>

INT_PTR CALLBACK WizardFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
HWND CreateBackgroundWindow(HINSTANCE module);
