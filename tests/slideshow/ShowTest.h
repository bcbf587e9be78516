#pragma once
// Helpers of the window tests: plain windows, test photos.

#include <windows.h>

#include <string>

#include "tests/support/Deadline.h"
#include "tests/support/TempFolder.h"

// A plain top-level window of a registered test class.
HWND MakePlainWindow(DWORD exStyle, DWORD style, int x, int y, int w, int h, COLORREF fill);

// Writes a w x h 24-bit BMP of one colour (0x00RRGGBB); the path may hold
// any characters.
bool WriteSolidBmp(const std::wstring& path, int w, int h, COLORREF rgb);

// Moves the real (X) pointer.
void MovePointer(int x, int y);
