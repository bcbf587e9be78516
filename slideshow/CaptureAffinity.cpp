#include "slideshow/CaptureAffinity.h"

bool ExcludeFromCapture(HWND hwnd, bool on)
{
    if (!hwnd)
        return false;
    DWORD now = WDA_NONE;
    const DWORD wanted = on ? WDA_EXCLUDEFROMCAPTURE : WDA_NONE;
    // Asked at every photo: no call while nothing changes.
    if (GetWindowDisplayAffinity(hwnd, &now) && now == wanted)
        return true;
    return SetWindowDisplayAffinity(hwnd, wanted) != FALSE;
}
