#include "slideshow/Placement.h"

namespace {
SlideRect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

bool Describe(HMONITOR monitor, MONITORINFOEXW& info)
{
    info = MONITORINFOEXW{};
    info.cbSize = sizeof(info);
    return monitor && GetMonitorInfoW(monitor, &info);
}

SlideMonitor FromInfo(const MONITORINFOEXW& info)
{
    SlideMonitor m;
    m.device = tstr(info.szDevice);
    m.bounds = FromRect(info.rcMonitor);
    m.work = FromRect(info.rcWork);
    return m;
}

// As every placement was made before monitors were told apart.
SlideMonitor PrimaryMonitor()
{
    SlideMonitor m;
    m.bounds = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    m.work = WorkArea();
    return m;
}

struct DeviceSearch {
    const tstr* device;
    MONITORINFOEXW found;
    bool matched;
};

BOOL CALLBACK MatchDevice(HMONITOR monitor, HDC, LPRECT, LPARAM data)
{
    DeviceSearch* search = reinterpret_cast<DeviceSearch*>(data);
    MONITORINFOEXW info;
    if (!Describe(monitor, info))
        return TRUE;
    const tstr& wanted = *search->device;
    if (CompareStringOrdinal(info.szDevice, -1, wanted.c_str(), static_cast<int>(wanted.Length()), TRUE) !=
        CSTR_EQUAL)
        return TRUE;
    search->found = info;
    search->matched = true;
    return FALSE;
}
}  // namespace

SlideRect WorkArea()
{
    RECT r;
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0))
        return FromRect(r);
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

SlideRect WindowRectOf(HWND hwnd)
{
    RECT r{};
    GetWindowRect(hwnd, &r);
    return FromRect(r);
}

SlideMonitor MonitorNamed(const tstr& device)
{
    if (device.IsEmpty())
        return PrimaryMonitor();
    DeviceSearch search{&device, MONITORINFOEXW{}, false};
    EnumDisplayMonitors(nullptr, nullptr, MatchDevice, reinterpret_cast<LPARAM>(&search));
    return search.matched ? FromInfo(search.found) : PrimaryMonitor();
}

SlideMonitor MonitorAt(int x, int y)
{
    MONITORINFOEXW info;
    if (!Describe(MonitorFromPoint(POINT{x, y}, MONITOR_DEFAULTTONEAREST), info))
        return PrimaryMonitor();
    return FromInfo(info);
}

void PlaceWindow(HWND hwnd, int x, int y, int w, int h)
{
    // One move: each one costs the window system a round of its own, and the
    // photo is already decoded, so nothing old is shown meanwhile.
    SetWindowPos(hwnd, nullptr, x, y, w, h, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_SHOWWINDOW);
}
