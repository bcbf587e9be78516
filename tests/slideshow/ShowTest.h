#pragma once
// Helpers of the window tests: plain windows, test photos.

#include <windows.h>

#include <string>

#include "tests/support/BmpFile.h"
#include "tests/support/Deadline.h"
#include "tests/support/TempFolder.h"
#include "tests/support/UnixSide.h"

class CBmp;
class CSlideWnd;

// Dispatches until the show's switch (or new fit) has its photo on screen, or
// gave up on it.
::testing::AssertionResult Settled(const CSlideWnd& show);

// A plain top-level window of a registered test class.
HWND MakePlainWindow(DWORD exStyle, DWORD style, int x, int y, int w, int h, COLORREF fill);

// Whether timer `id` of the window runs; it keeps running, with this period.
bool TimerRuns(HWND hwnd, UINT_PTR id, UINT periodMs);

// Moves the real (X) pointer.
void MovePointer(int x, int y);

// A user's drag with the real X pointer: press at the grab point, move in two
// steps, release at the target. Returns at once; the moves take about a second.
bool DragPointer(int grabX, int grabY, int toX, int toY);

// Screenshot of the whole X display once the show is settled, painted and
// not fading, as pixels to check (the PNG lies in a folder of this run). The
// windows keep being served while it is taken.
::testing::AssertionResult Screenshot(CSlideWnd& show, const std::wstring& name, CBmp& out);
struct Rgb {
    int r, g, b;
};
Rgb At(const CBmp& shot, int x, int y);
