#pragma once
// Milliseconds on the performance counter, for the Wine-side timings.

#include <windows.h>

inline double NowMs()
{
    static const double perMs = [] {
        LARGE_INTEGER freq;
        QueryPerformanceFrequency(&freq);
        return static_cast<double>(freq.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / perMs;
}
