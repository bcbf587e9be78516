#include "tests/ui/NavTestSupport.h"

#include "ui/Wnd.h"

CNavTestParent::CNavTestParent() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = &CNavTestParent::Proc;
        wc.hInstance = ProgramModule();
        wc.lpszClassName = L"NavTestParent";
        registered = RegisterClassExW(&wc) != 0;
    }
    m_hwnd = CreateWindowExW(0, L"NavTestParent", L"", WS_POPUP | WS_VISIBLE, 0, 0, 320, 240, nullptr,
                             nullptr, ProgramModule(), this);
}

CNavTestParent::~CNavTestParent() {
    if (m_hwnd) DestroyWindow(m_hwnd);
}

std::vector<WPARAM> CNavTestParent::Commands() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    std::vector<WPARAM> seen;
    seen.swap(m_commands);
    return seen;
}

LRESULT CALLBACK CNavTestParent::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<CNavTestParent*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (msg == WM_COMMAND && self && lParam == 0) self->m_commands.push_back(wParam);
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

CRendered::CRendered(HWND control, int width, int height) : m_width(width) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    m_dc = CreateCompatibleDC(nullptr);
    m_bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!m_dc || !m_bitmap) return;
    m_old = SelectObject(m_dc, m_bitmap);
    m_bits = static_cast<const uint32_t*>(bits);
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_dc), PRF_CLIENT);
    GdiFlush();
}

CRendered::~CRendered() {
    if (m_old) SelectObject(m_dc, m_old);
    if (m_bitmap) DeleteObject(m_bitmap);
    if (m_dc) DeleteDC(m_dc);
}

COLORREF CRendered::At(int x, int y) const {
    if (!m_bits) return CLR_INVALID;
    const uint32_t p = m_bits[static_cast<size_t>(y) * m_width + x];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}
