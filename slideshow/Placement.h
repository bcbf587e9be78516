#pragma once
// Where the slide window stands: the work area and the moves that put a
// window on it.

#include <windows.h>

#include "slideshow/SlideMath.h"

// The desktop not covered by task bars, fetched anew; the primary screen
// when the system cannot tell.
SlideRect WorkArea();
SlideRect WindowRectOf(HWND hwnd);

inline bool operator==(const SlideRect& a, const SlideRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Shrinks the window to one pixel, moves it, then gives it its size and
// shows it, all without activation or z-order change, so the old picture is
// never seen at the new place.
void MoveThroughPixel(HWND hwnd, int x, int y, int w, int h);
