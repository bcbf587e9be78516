#pragma once
// Where the slide window stands: the monitors and their work areas, and the
// moves that put a window on them.

#include <windows.h>

#include "settings/Tstr.h"
#include "slideshow/SlideMath.h"

// The desktop of the primary monitor not covered by task bars, fetched anew;
// the primary screen when the system cannot tell.
SlideRect WorkArea();
SlideRect WindowRectOf(HWND hwnd);

inline bool operator==(const SlideRect& a, const SlideRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A monitor as the show places on it, in physical pixels.
struct SlideMonitor {
    tstr device = tstr(L"");   // "\\.\DISPLAY2"; empty for the primary found by default
    SlideRect bounds{};
    SlideRect work{};
    SlidePoint Origin() const { return {bounds.left, bounds.top}; }
};
// The attached monitor with this device name (ignoring case); the primary
// one when the name is empty or names no attached monitor.
SlideMonitor MonitorNamed(const tstr& device);
// The monitor holding the point, else the nearest one.
SlideMonitor MonitorAt(int x, int y);

// Moves, sizes and shows the window in one step, without activation or
// z-order change; its old pixels are not carried along, so the old picture
// is never seen at the new place.
void PlaceWindow(HWND hwnd, int x, int y, int w, int h);
