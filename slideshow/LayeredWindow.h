#pragma once
// Window-wide and per-pixel opacity of layered windows. The layered-window
// functions are looked up in User32.dll at first use, so a system without
// them keeps its windows opaque instead of failing to start.

#include <windows.h>

class CBmp;

// 255 makes the window non-layered; anything lower makes it layered with that
// constant alpha. False when the functions are missing or the call fails.
bool SetWindowAlpha(HWND hwnd, int alpha);
// The constant alpha of a layered window; 255 when it has none or the
// functions are missing.
int GetWindowAlpha(HWND hwnd);

// Sets or clears extended style bits (WS_EX_LAYERED, WS_EX_TRANSPARENT).
void SetExStyleBits(HWND hwnd, LONG_PTR bits, bool on);

// Fullscreen presentation: the photo opaque to `edgeAlpha` at the left and
// right edges, falling off linearly to fully transparent down the middle,
// shown per pixel at the window's place. The photo's alpha and colours are
// changed on the way. `leaveConstantAlpha` first takes the window out of
// constant-alpha mode (needed when it was not covering the work area yet).
void PresentPerPixel(HWND hwnd, CBmp& photo, int edgeAlpha, bool leaveConstantAlpha);
// The left part of a `width` x `height` fullscreen photo that PresentPerPixel
// keeps at least half as opaque as its edge.
RECT OpaqueSideOf(int width, int height);
