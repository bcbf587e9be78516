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

CRendered::CRendered(HWND control, int width, int height) : m_dib(width, height) {
    if (m_dib.Valid()) SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(m_dib.Dc()), PRF_CLIENT);
}

COLORREF CRendered::At(int x, int y) const {
    if (!m_dib.Valid()) return CLR_INVALID;
    const uint32_t p = m_dib.Pixel(x, y);
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}
