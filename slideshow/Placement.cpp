#include "slideshow/Placement.h"

SlideRect WorkArea()
{
    RECT r;
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0))
        return {r.left, r.top, r.right, r.bottom};
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

SlideRect WindowRectOf(HWND hwnd)
{
    RECT r{};
    GetWindowRect(hwnd, &r);
    return {r.left, r.top, r.right, r.bottom};
}

void MoveThroughPixel(HWND hwnd, int x, int y, int w, int h)
{
    const UINT quiet = SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(hwnd, nullptr, 0, 0, 1, 1, quiet | SWP_NOMOVE);
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, quiet | SWP_NOSIZE);
    SetWindowPos(hwnd, nullptr, 0, 0, w, h, quiet | SWP_NOMOVE | SWP_SHOWWINDOW);
}
