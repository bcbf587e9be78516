#pragma once
// The DPI the program's own chrome is drawn for. Sizes are designed at
// 96 DPI and scaled from there; at 96 DPI nothing changes.

#include <windows.h>

class CBmp;

// Headers for Windows 7 do not declare it.
#ifndef WM_DPICHANGED_AFTERPARENT
#define WM_DPICHANGED_AFTERPARENT 0x02E3
#endif

const int kDesignDpi = 96;

// The DPI of the monitor the window is on; the system DPI where Windows
// knows no per-window DPI (before Windows 10 1607) or for a null window.
int WindowDpi(HWND window);
int SystemDpi();
// value designed at 96 DPI, for dpi (rounded to the nearest pixel).
int ScaleForDpi(int value, int dpi);
// GetSystemMetrics for that DPI.
int SystemMetricForDpi(int index, int dpi);
// SPI_GETNONCLIENTMETRICS for that DPI.
bool NonClientMetricsForDpi(NONCLIENTMETRICSW& metrics, int dpi);
// Artwork made for 96 DPI enlarged or reduced to the size dpi needs.
void FitArtworkToDpi(CBmp& picture, int dpi);
