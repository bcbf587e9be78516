#include "ui/ButtonWnd.h"

#include <windowsx.h>

#include <algorithm>

#include "picture/Picture.h"
#include "ui/ClassFactory.h"

namespace {

enum Face { kNormal = 0, kHot = 1, kPressed = 2 };

// Piece `index` of layer `k`, or null.
CBmp* Piece(const CBmp& image, int k, size_t index) {
    if (!image.HasLayer(k)) return nullptr;
    const CBmp::Layer& layer = image.GetLayer(k);
    return index < layer.size() ? layer[index].get() : nullptr;
}

}  // namespace

bool CButtonWnd::Register() {
    return RegisterWindowClassOf<CButtonWnd>();
}

int CButtonWnd::DriftFor(int pos, int size) {
    return std::clamp((pos - size / 2) / 4, -kMaxDrift, kMaxDrift);
}

bool* CButtonWnd::ClassRegisteredFlag() {
    static bool registered = false;
    return &registered;
}

LRESULT CButtonWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_GETDLGCODE:
        return DLGC_BUTTON;
    case WM_KEYDOWN:
        if (wParam == VK_SPACE && !(lParam & (1 << 30))) m_spaceDown = true;
        break;
    case WM_KEYUP:
        // Released where it was pressed, as a click is.
        if (wParam == VK_SPACE && m_spaceDown) {
            m_spaceDown = false;
            OnClick(GetDlgCtrlID(m_hwnd));
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        m_spaceDown = false;
        InvalidateRect(m_hwnd, nullptr, FALSE);
        break;
    case WM_UPDATEUISTATE:
        InvalidateRect(m_hwnd, nullptr, FALSE);
        break;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        if (m_painting) return 0;
        Paint(wParam);
        break;
    case WM_PRINTCLIENT:
        Render(reinterpret_cast<HDC>(wParam), reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_MOUSEMOVE: {
        const RECT client = Client();
        const POINT pt{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        OnPointer(client, pt);
        if (!m_tracking) StartHover();
        m_driftX = DriftFor(pt.x, client.right);
        m_driftY = DriftFor(pt.y, client.bottom);
        break;
    }
    case WM_TIMER:
        if (wParam == kHoverTimer) HoverStep();
        break;
    case WM_LBUTTONDOWN:
        SetCapture(m_hwnd);
        OnPress(Client(), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        InvalidateRect(m_hwnd, nullptr, FALSE);
        break;
    case WM_LBUTTONUP:
        if (GetCapture() == m_hwnd) ReleaseCapture();
        OnRelease(Client(), POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        m_tracking = false;
        InvalidateRect(m_hwnd, nullptr, FALSE);
        RefreshParentUnder(false);
        break;
    case WM_MOUSELEAVE:
        m_tracking = false;
        OnPointer(Client(), PointerInClient());
        InvalidateRect(m_hwnd, nullptr, FALSE);
        StopHover();
        break;
    case WM_DESTROY:
        StopHover();
        break;
    default:
        break;
    }
    return CWnd::WindowProc(msg, wParam, lParam);
}

void CButtonWnd::DrawState(HDC dc, const RECT& client, POINT pointer) {
    int face = kNormal;
    if (PtInRect(&client, pointer) && m_image.LayerFilled(kHot)) {
        const bool buttonDown = (GetKeyState(VK_LBUTTON) & 0x8000) != 0;
        face = buttonDown && m_image.LayerFilled(kPressed) ? kPressed : kHot;
    } else if (!m_image.LayerFilled(kNormal)) {
        DrawBmp(dc, m_image, 0, 0);
        return;
    }
    DrawBmpLayer(dc, m_image, 0, 0, face);
}

void CButtonWnd::OnPress(const RECT&, POINT) {}

void CButtonWnd::OnRelease(const RECT& client, POINT pointer) {
    if (!PtInRect(&client, pointer)) return;
    OnClick(GetDlgCtrlID(m_hwnd));
    InvalidateRect(m_hwnd, nullptr, FALSE);
}

void CButtonWnd::OnPointer(const RECT&, POINT) {}

void CButtonWnd::OnClick(int id) {
    PostMessageW(GetParent(m_hwnd), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void CButtonWnd::Reset() {
    m_image.Reset();
    m_snapshot.reset();
    m_tracking = false;
    m_painting = false;
    m_driftX = 0;
    m_driftY = 0;
}

void CButtonWnd::Render(HDC target, HDC background) {
    const RECT client = Client();
    CMemoryDC frame(target, client.right, client.bottom);
    if (!frame.Valid()) return;
    BitBlt(frame.Get(), 0, 0, client.right, client.bottom, background, 0, 0, SRCCOPY);
    DrawState(frame.Get(), client, PointerInClient());
    if (GetFocus() == m_hwnd && !(SendMessageW(m_hwnd, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
        RECT focus = client;
        InflateRect(&focus, -2, -2);
        DrawFocusRect(frame.Get(), &focus);
    }
    BitBlt(target, 0, 0, client.right, client.bottom, frame.Get(), 0, 0, SRCCOPY);
}

RECT CButtonWnd::Client() const {
    RECT rc{};
    GetClientRect(m_hwnd, &rc);
    return rc;
}

POINT CButtonWnd::PointerInClient() const {
    POINT pt{};
    GetCursorPos(&pt);
    ScreenToClient(m_hwnd, &pt);
    return pt;
}

void CButtonWnd::RefreshParentUnder(bool now) {
    const HWND parent = GetParent(m_hwnd);
    if (!parent) return;
    RECT area;
    GetWindowRect(m_hwnd, &area);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&area), 2);
    InvalidateRect(parent, &area, TRUE);
    if (now) UpdateWindow(parent);
}

void CButtonWnd::Paint(WPARAM backgroundDc) {
    // A posted background is only trusted while it is still our snapshot.
    HDC background = reinterpret_cast<HDC>(backgroundDc);
    if (background && !InSendMessage() && !(m_snapshot && background == m_snapshot->Get()))
        background = nullptr;
    if (!background && GetParent(m_hwnd)) {
        // The parent paints the fresh background under the button first.
        m_painting = true;
        RefreshParentUnder(true);
        m_painting = false;
    }
    CWindowDC own(m_hwnd);
    if (own.Get()) Render(own.Get(), background ? background : own.Get());
}

void CButtonWnd::StartHover() {
    m_tracking = true;
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hwnd, 0};
    TrackMouseEvent(&track);
    const RECT client = Client();
    CWindowDC own(m_hwnd);
    m_snapshot = std::make_unique<CMemoryDC>(own.Get(), client.right, client.bottom);
    if (!m_snapshot->Valid()) {
        m_snapshot.reset();
        return;
    }
    BitBlt(m_snapshot->Get(), 0, 0, client.right, client.bottom, own.Get(), 0, 0, SRCCOPY);
    RefreshParentUnder(false);
    PostMessageW(m_hwnd, WM_PAINT, reinterpret_cast<WPARAM>(m_snapshot->Get()), 0);
    SetTimer(m_hwnd, kHoverTimer, kHoverPeriodMs, nullptr);
}

void CButtonWnd::HoverStep() {
    for (CBmp* piece : {Piece(m_image, kHot, 2), Piece(m_image, kNormal, 0), Piece(m_image, kPressed, 2)})
        if (piece) piece->ShiftColourKeepAlpha(m_driftX, m_driftY);
    if (!m_snapshot) return;
    CWindowDC own(m_hwnd);
    if (own.Get()) Render(own.Get(), m_snapshot->Get());
}

void CButtonWnd::StopHover() {
    KillTimer(m_hwnd, kHoverTimer);
    m_snapshot.reset();
}
