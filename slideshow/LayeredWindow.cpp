#include "slideshow/LayeredWindow.h"

#include "picture/Bmp.h"
#include "picture/GdiOwners.h"
#include "picture/PixView.h"
#include "ui/User32Function.h"

#include <algorithm>
#include <cstring>

namespace {

using SetAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
using GetAttributesFn = BOOL(WINAPI*)(HWND, COLORREF*, BYTE*, DWORD*);

}  // namespace

void SetExStyleBits(HWND hwnd, LONG_PTR bits, bool on)
{
    const LONG_PTR ex = GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
    const LONG_PTR wanted = on ? ex | bits : ex & ~bits;
    if (wanted != ex)
        SetWindowLongPtrW(hwnd, GWL_EXSTYLE, wanted);
}

bool SetWindowAlpha(HWND hwnd, int alpha)
{
    static const auto setAttributes = User32Function<SetAttributesFn>("SetLayeredWindowAttributes");
    if (!setAttributes)
        return false;
    const bool wasClear = alpha != 0 && GetWindowAlpha(hwnd) == 0;
    SetExStyleBits(hwnd, WS_EX_LAYERED, alpha != 255);
    const bool set = setAttributes(hwnd, 0xFFFFFF, static_cast<BYTE>(alpha), LWA_ALPHA) != FALSE;
    // A window may draw less while it cannot be seen (the strip shows no
    // thumbnails): it is drawn anew as it appears.
    if (wasClear)
        RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    return set;
}

int GetWindowAlpha(HWND hwnd)
{
    static const auto getAttributes = User32Function<GetAttributesFn>("GetLayeredWindowAttributes");
    if (!getAttributes || !IsWindow(hwnd))
        return 255;
    BYTE alpha = 255;
    DWORD flags = 0;
    if (!getAttributes(hwnd, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA))
        return 255;
    return alpha;
}

RECT OpaqueSideOf(int width, int height)
{
    // The alpha falls linearly from the edge to zero at the middle.
    return {0, 0, width / 4, height};
}

void PresentPerPixel(HWND hwnd, CBmp& photo, int edgeAlpha, bool leaveConstantAlpha)
{
    const int w = photo.Width();
    const int h = photo.Height();
    if (photo.Empty())
        return;
    if (leaveConstantAlpha)
        SetWindowAlpha(hwnd, 255);
    SetExStyleBits(hwnd, WS_EX_LAYERED, true);

    CBmp ramp;
    if (ramp.Create(w, h)) {
        const BmpPoint points[3] = {{0, 0}, {w / 2, 0}, {w - 1, 0}};
        const uint32_t edge = static_cast<uint32_t>(edgeAlpha & 0xFF) << 24 | 0xA0A0A0u;
        const uint32_t colours[3] = {edge, 0x00A0A0A0u, edge};
        ramp.Gradient(points, colours, 3, false, false);
        photo.ChannelCopy(ramp, 3);
    }
    photo.Premultiply();

    // The photo blended over transparent black, as drawn onto a fresh bitmap.
    CPixView canvas;
    if (!canvas.Create(w, h))
        return;
    photo.Draw(canvas, 0, 0);

    CDibSurface section;
    if (!section.Create(w, h))
        return;
    std::memcpy(section.Bits(), canvas.Bits(), static_cast<size_t>(canvas.ByteSize()));

    RECT window{};
    RECT client{};
    GetWindowRect(hwnd, &window);
    GetClientRect(hwnd, &client);
    POINT dst{window.left, window.top};
    // The section holds w x h pixels; never let the call read past it.
    SIZE size{std::min<LONG>(client.right - client.left, w), std::min<LONG>(client.bottom - client.top, h)};
    POINT src{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    // A failure keeps the previous content; nothing better to do.
    UpdateLayeredWindow(hwnd, nullptr, &dst, &size, section.Dc(), &src, 0, &blend, ULW_ALPHA);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    SetExStyleBits(hwnd, WS_EX_TRANSPARENT, true);
}
