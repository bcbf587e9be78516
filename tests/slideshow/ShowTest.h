#pragma once
// Helpers of the window tests: plain windows, test photos.

#include <windows.h>

#include <string>

#include "tests/support/Deadline.h"
#include "tests/support/TempFolder.h"

class CBmp;
class CSlideWnd;

// Dispatches until the show's switch (or new fit) has its photo on screen, or
// gave up on it.
::testing::AssertionResult Settled(const CSlideWnd& show);

// A plain top-level window of a registered test class.
HWND MakePlainWindow(DWORD exStyle, DWORD style, int x, int y, int w, int h, COLORREF fill);

// Writes a w x h 24-bit BMP of one colour (0x00RRGGBB); the path may hold
// any characters.
bool WriteSolidBmp(const std::wstring& path, int w, int h, COLORREF rgb);

// Moves the real (X) pointer.
void MovePointer(int x, int y);

// Starts a Linux program of the test machine (Wine runs ELF binaries; it
// does not wait for them).
bool RunUnix(const std::wstring& commandLine);
// The Linux path of a path on drive Z:.
std::wstring UnixPath(const std::wstring& path);
// A user's drag with the real X pointer: press at the grab point, move in two
// steps, release at the target. Returns at once; the moves take about a second.
bool DragPointer(int grabX, int grabY, int toX, int toY);

// Screenshot of the whole X display, as pixels to check (the PNG lies in a
// folder of this run). The windows keep being served while it is taken.
bool Screenshot(const std::wstring& name, CBmp& out);
struct Rgb {
    int r, g, b;
};
Rgb At(const CBmp& shot, int x, int y);
