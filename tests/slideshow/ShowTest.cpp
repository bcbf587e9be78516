#include "ShowTest.h"

#include "picture/Bmp.h"
#include "picture/Picture.h"
#include "slideshow/Fader.h"
#include "slideshow/SlideWnd.h"

#include <cstdint>
#include <fstream>
#include <vector>

::testing::AssertionResult Settled(const CSlideWnd& show)
{
    return WaitUntil("the switch's photo on screen", [&show] { return !show.Switching(); });
}

namespace {
LRESULT CALLBACK PlainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_ERASEBKGND) {
        RECT r;
        GetClientRect(hwnd, &r);
        HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)));
        FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
        DeleteObject(brush);
        return 1;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}
}  // namespace

HWND MakePlainWindow(DWORD exStyle, DWORD style, int x, int y, int w, int h, COLORREF fill)
{
    static ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = PlainProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"ShowTestPlain";
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        return RegisterClassW(&wc);
    }();
    (void)atom;
    HWND hwnd = CreateWindowExW(exStyle, L"ShowTestPlain", L"", style, x, y, w, h, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(fill));
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
    return hwnd;
}

bool TimerRuns(HWND hwnd, UINT_PTR id, UINT periodMs)
{
    if (!KillTimer(hwnd, id))
        return false;
    SetTimer(hwnd, id, periodMs, nullptr);
    return true;
}

void MovePointer(int x, int y)
{
    // Under Wine this warps the X pointer, and the X server reports the
    // motion like any other.
    SetCursorPos(x, y);
}

bool DragPointer(int grabX, int grabY, int toX, int toY)
{
    const auto at = [](int x, int y) { return std::to_wstring(x) + L" " + std::to_wstring(y); };
    return unixside::Start(L"/usr/bin/xdotool", L"mousemove " + at(grabX, grabY) +
                           L" sleep 0.3 mousedown 1 sleep 0.3 mousemove " + at(grabX + 40, grabY + 30) +
                           L" sleep 0.2 mousemove " + at(toX, toY) + L" sleep 0.3 mouseup 1");
}

namespace {
// Where the shots go: a folder of this run that the Linux side sees too.
const TempFolder& ShotFolder()
{
    static const TempFolder folder(L"Z:\\tmp\\", L"lumora_shots_");
    return folder;
}
}  // namespace

::testing::AssertionResult Screenshot(CSlideWnd& show, const std::wstring& name, CBmp& out)
{
    const auto still = [](HWND hwnd) { return !hwnd || (!IsFading(hwnd) && !GetUpdateRect(hwnd, nullptr, FALSE)); };
    const auto onScreen = WaitUntil("the show painted with no fade under way",
                                    [&] { return !show.Switching() && still(show.Hwnd()) && still(show.Strip().Hwnd()); });
    if (!onScreen)
        return onScreen;
    wchar_t display[64] = L"";
    GetEnvironmentVariableW(L"DISPLAY", display, 64);
    const std::wstring bmp = ShotFolder().Path() + L"\\" + name + L".bmp";
    const std::wstring shot = unixside::UnixPath(ShotFolder().Path()) + L"/" + name;
    unixside::Start(L"/bin/sh", L"-c \"import -window root -display " + std::wstring(display) + L" " + shot +
            L".png && convert " + shot + L".png BMP3:" + shot + L".tmp && mv " + shot + L".tmp " + shot + L".bmp\"");
    return WaitUntil("the screenshot " + Utf8(name), [&] { return LoadPhotoFile(bmp.c_str(), out); }, 20000);
}

Rgb At(const CBmp& shot, int x, int y)
{
    const uint32_t p = shot.Pixel(x, y);
    return {static_cast<int>(p >> 16 & 0xFF), static_cast<int>(p >> 8 & 0xFF), static_cast<int>(p & 0xFF)};
}
