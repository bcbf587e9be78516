#include "ShowTest.h"

#include <cstdint>
#include <fstream>
#include <vector>

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

bool WriteSolidBmp(const std::wstring& path, int w, int h, COLORREF rgb)
{
    const int stride = (w * 3 + 3) & ~3;
    const uint32_t pixelBytes = static_cast<uint32_t>(stride) * static_cast<uint32_t>(h);
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(ih);
    fh.bfSize = fh.bfOffBits + pixelBytes;
    ih.biSize = sizeof(ih);
    ih.biWidth = w;
    ih.biHeight = h;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    ih.biSizeImage = pixelBytes;
    std::vector<uint8_t> rows(pixelBytes, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p = &rows[static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 3];
            p[0] = GetBValue(rgb);
            p[1] = GetGValue(rgb);
            p[2] = GetRValue(rgb);
        }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = WriteFile(file, &fh, sizeof(fh), &written, nullptr) &&
              WriteFile(file, &ih, sizeof(ih), &written, nullptr) &&
              WriteFile(file, rows.data(), pixelBytes, &written, nullptr);
    CloseHandle(file);
    return ok;
}

void MovePointer(int x, int y)
{
    // Under Wine this warps the X pointer, and the X server reports the
    // motion like any other.
    SetCursorPos(x, y);
}
