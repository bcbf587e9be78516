#include "ui/Dpi.h"

#include "picture/Bmp.h"
#include "ui/User32Function.h"

namespace {

using DpiForWindowFn = UINT(WINAPI*)(HWND);
using DpiForSystemFn = UINT(WINAPI*)();
using MetricsForDpiFn = int(WINAPI*)(int, UINT);
using ParametersForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

}  // namespace

int SystemDpi()
{
    static const auto dpiForSystem = User32Function<DpiForSystemFn>("GetDpiForSystem");
    if (dpiForSystem) {
        if (const UINT dpi = dpiForSystem())
            return static_cast<int>(dpi);
    }
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kDesignDpi;
}

int WindowDpi(HWND window)
{
    static const auto dpiForWindow = User32Function<DpiForWindowFn>("GetDpiForWindow");
    if (window && dpiForWindow) {
        if (const UINT dpi = dpiForWindow(window))
            return static_cast<int>(dpi);
    }
    return SystemDpi();
}

int ScaleForDpi(int value, int dpi)
{
    return dpi == kDesignDpi ? value : MulDiv(value, dpi, kDesignDpi);
}

int SystemMetricForDpi(int index, int dpi)
{
    static const auto metricsForDpi = User32Function<MetricsForDpiFn>("GetSystemMetricsForDpi");
    if (metricsForDpi)
        return metricsForDpi(index, static_cast<UINT>(dpi));
    // Without it every window has the system DPI.
    return GetSystemMetrics(index);
}

bool NonClientMetricsForDpi(NONCLIENTMETRICSW& metrics, int dpi)
{
    static const auto parametersForDpi = User32Function<ParametersForDpiFn>("SystemParametersInfoForDpi");
    metrics.cbSize = sizeof(metrics);
    if (parametersForDpi)
        return parametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, static_cast<UINT>(dpi)) != FALSE;
    return SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) != FALSE;
}

void FitArtworkToDpi(CBmp& picture, int dpi)
{
    if (dpi != kDesignDpi && !picture.Empty())
        picture.Resample(ScaleForDpi(picture.Width(), dpi), ScaleForDpi(picture.Height(), dpi));
}
