// Another program's window for the fullscreen tests: a borderless blue window
// at the rectangle given (x y width height), brought to the foreground, until
// it is closed.

#include <windows.h>

#include <cwchar>

namespace {
LRESULT CALLBACK CoverProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int)
{
    int x = 0, y = 0, w = 0, h = 0;
    if (swscanf(commandLine, L"%d %d %d %d", &x, &y, &w, &h) != 4)
        return 2;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = &CoverProc;
    wc.hInstance = instance;
    wc.hbrBackground = CreateSolidBrush(RGB(20, 40, 200));
    wc.lpszClassName = L"LumoraTestCover";
    if (!RegisterClassW(&wc))
        return 1;
    HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"Cover", WS_POPUP | WS_VISIBLE, x, y, w, h, nullptr, nullptr,
                                instance, nullptr);
    if (!hwnd)
        return 1;
    SetForegroundWindow(hwnd);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0)
        DispatchMessageW(&msg);
    return 0;
}
