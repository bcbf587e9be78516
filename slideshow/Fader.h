#pragma once
// Opacity fades of windows, each driven by its own thread timer (no window),
// so several windows fade at once. At most one fade per window: fading a
// window that is already fading retargets it from the alpha it has reached.

#include <windows.h>

// start -1 begins at the window's present alpha; ignored when retargeting.
void FadeWindow(HWND hwnd, int start, int target, int step, UINT periodMs);
// Drops a window's fade, e.g. before the window is destroyed.
void StopFade(HWND hwnd);
bool IsFading(HWND hwnd);
