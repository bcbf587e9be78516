#include "ui/Wnd.h"

#include <windowsx.h>

#include "ui/ClassFactory.h"

const wchar_t CWnd::kEntityProp[] = L"WND_ENTITY";

namespace {

// The object whose Create is inside CreateWindowExW. Creation data alone
// cannot tell our object from data a template or foreign caller passed.
CWnd* g_creating = nullptr;

}  // namespace

HINSTANCE ProgramModule() {
    return GetModuleHandleW(nullptr);
}

CWnd::~CWnd() {
    // The derived parts are gone: no message may reach this object any more.
    UnbindEntity();
    if (!m_attached && m_hwnd && IsWindow(m_hwnd)) DestroyWindow(m_hwnd);
}

bool CWnd::EnsureClassRegistered() {
    bool* registered = ClassRegisteredFlag();
    if (!*registered) {
        *registered = RegisterWndClass() != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }
    return *registered;
}

ATOM CWnd::RegisterWndClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = &CWnd::SharedWndProc;
    wc.hInstance = ProgramModule();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = ClassName();
    AdjustClass(wc);
    return RegisterClassExW(&wc);
}

void CWnd::AdjustClass(WNDCLASSEXW&) {}

bool CWnd::Create(DWORD exStyle, DWORD style, int x, int y, int width, int height, HWND parent,
                  HMENU menuOrId) {
    if (Exists()) return false;
    if (!EnsureClassRegistered()) return false;
    Destroy();
    CWnd* outer = g_creating;
    g_creating = this;
    CreateWindowExW(exStyle, ClassName(), L"", style, x, y, width, height, parent, menuOrId,
                    ProgramModule(), this);
    g_creating = outer;
    return Exists();
}

bool CWnd::Create(DWORD exStyle, DWORD style, HWND parent, HMENU menuOrId) {
    return Create(exStyle, style, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  parent, menuOrId);
}

int CWnd::RunModalLoop() {
    MSG msg;
    while (Exists()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1) break;
        if (got == 0) {
            // Leave the quit for the outer loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 1;
}

LRESULT CWnd::Destroy() {
    LRESULT result = 0;
    if (m_attached)
        result = Detach();
    else if (m_hwnd && IsWindow(m_hwnd))
        result = DestroyWindow(m_hwnd);
    m_hwnd = nullptr;
    m_attached = 0;
    m_prevProc = nullptr;
    return result;
}

int CWnd::Attach(HWND hwnd) {
    Destroy();
    m_hwnd = hwnd;
    m_attached = 1;
    return 1;
}

bool CWnd::Detach() {
    if (!m_attached) return false;
    UnbindEntity();
    m_hwnd = nullptr;
    m_attached = 0;
    return true;
}

bool CWnd::Exists() const {
    return m_hwnd && IsWindow(m_hwnd);
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (ModalOwnerBlocks(msg, wParam)) return 0;
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    const UINT repeat = LOWORD(lParam);
    const UINT keyFlags = HIWORD(lParam);
    switch (msg) {
    case WM_NCCREATE: return OnNcCreate(wParam, lParam);
    case WM_CREATE: return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam));
    case WM_DESTROY: return OnDestroy();
    case WM_SIZE: OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); break;
    case WM_PAINT: OnPaint(); break;
    case WM_WINDOWPOSCHANGING: OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam)); break;
    case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wParam), repeat, keyFlags); break;
    case WM_KEYUP: OnKeyUp(static_cast<UINT>(wParam), repeat, keyFlags); break;
    case WM_SYSKEYDOWN: return OnSysKeyDown(wParam, lParam);
    case WM_SYSKEYUP: return OnSysKeyUp(wParam, lParam);
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_TIMER: OnTimer(wParam); break;
    case WM_MOUSEMOVE: OnMouseMove(wParam, x, y); break;
    case WM_LBUTTONDOWN: OnLButtonDown(wParam, x, y); break;
    case WM_LBUTTONUP: OnLButtonUp(wParam, x, y); break;
    case WM_LBUTTONDBLCLK: OnLButtonDblClk(wParam, x, y); break;
    case WM_RBUTTONDOWN: OnRButtonDown(wParam, x, y); break;
    case WM_RBUTTONUP: OnRButtonUp(wParam, x, y); break;
    case WM_MOUSEWHEEL:
        return OnMouseWheel(GET_KEYSTATE_WPARAM(wParam), GET_WHEEL_DELTA_WPARAM(wParam), x, y);
    case WM_SIZING: OnSizing(static_cast<UINT>(wParam), reinterpret_cast<RECT*>(lParam)); break;
    case WM_MOUSELEAVE: OnMouseLeave(); break;
    default: break;
    }
    return DefaultProc(msg, wParam, lParam);
}

// The platform default also sets up the title and scroll state.
LRESULT CWnd::OnNcCreate(WPARAM wParam, LPARAM lParam) {
    return DefaultProc(WM_NCCREATE, wParam, lParam);
}
LRESULT CWnd::OnCreate(CREATESTRUCTW*) { return 0; }
LRESULT CWnd::OnDestroy() { return 0; }
LRESULT CWnd::OnCommand(WPARAM, LPARAM) { return 0; }

void CWnd::OnPaint() {
    PAINTSTRUCT ps;
    BeginPaint(m_hwnd, &ps);
    EndPaint(m_hwnd, &ps);
}

void CWnd::Redraw(bool erase) {
    InvalidateRect(m_hwnd, nullptr, erase);
    UpdateWindow(m_hwnd);
}

void CWnd::SetModalOwner(HWND owner) { m_modalOwner = owner; }
void CWnd::ClearModalOwner() { m_modalOwner = nullptr; }
void CWnd::OnMouseMove(WPARAM, int, int) {}
LRESULT CWnd::OnMouseWheel(WPARAM, int, int, int) { return 1; }
void CWnd::OnLButtonDown(WPARAM, int, int) {}
void CWnd::OnLButtonUp(WPARAM, int, int) {}
void CWnd::OnRButtonDown(WPARAM, int, int) {}
void CWnd::OnRButtonUp(WPARAM, int, int) {}
void CWnd::OnMouseLeave() {}
void CWnd::OnLButtonDblClk(WPARAM, int, int) {}
void CWnd::OnKeyDown(UINT, UINT, UINT) {}
void CWnd::OnKeyUp(UINT, UINT, UINT) {}
LRESULT CWnd::OnSysKeyDown(WPARAM, LPARAM) { return 0; }
LRESULT CWnd::OnSysKeyUp(WPARAM, LPARAM) { return 0; }
void CWnd::OnSize(UINT, int, int) {}
void CWnd::OnSizing(UINT, RECT*) {}
void CWnd::OnWindowPosChanging(WINDOWPOS*) {}
void CWnd::OnTimer(UINT_PTR) {}

CWnd* CWnd::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<CWnd*>(GetPropW(hwnd, kEntityProp)) : nullptr;
}

LRESULT CWnd::DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (m_prevProc) return CallWindowProcW(m_prevProc, m_hwnd, msg, wParam, lParam);
    return DefWindowProcW(m_hwnd, msg, wParam, lParam);
}

bool CWnd::ModalOwnerBlocks(UINT msg, WPARAM wParam) {
    if (!m_modalOwner) return false;
    if (!IsWindow(m_modalOwner)) {
        ClearModalOwner();
        return false;
    }
    switch (msg) {
    case WM_ACTIVATE:
        if (wParam == 0) return false;  // deactivation always passes
        break;
    case WM_KEYDOWN: case WM_KEYUP: case WM_SYSKEYDOWN: case WM_SYSKEYUP:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_RBUTTONDOWN: case WM_RBUTTONUP:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP:
        break;
    default:
        return false;
    }
    SetForegroundWindow(m_modalOwner);
    FLASHWINFO flash{sizeof(flash), m_modalOwner, FLASHW_CAPTION | FLASHW_TIMER, 5, 200};
    FlashWindowEx(&flash);
    return true;
}

void CWnd::UnbindEntity() {
    if (m_hwnd && GetPropW(m_hwnd, kEntityProp) == this) RemovePropW(m_hwnd, kEntityProp);
}

LRESULT CALLBACK CWnd::SharedWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        return RouteToEntity(hwnd, msg, wParam, lParam);
    } catch (...) {
        // Nothing may unwind into user32; a failed creation is refused.
        return msg == WM_NCCREATE ? FALSE : 0;
    }
}

LRESULT CWnd::RouteToEntity(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NCCREATE:
        return BindEntity(hwnd, wParam, lParam);
    case WM_SETFONT:
        return 0;
    case WM_DESTROY:
        if (CWnd* wnd = FromHandle(hwnd)) {
            wnd->WindowProc(msg, wParam, lParam);
            ReleaseEntity(hwnd, wnd);
        }
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    case WM_NCDESTROY:
        // Reached with the object still bound only when creation was refused.
        if (CWnd* wnd = FromHandle(hwnd)) ReleaseEntity(hwnd, wnd);
        return DefWindowProcW(hwnd, msg, wParam, lParam);
    default: {
        CWnd* wnd = FromHandle(hwnd);
        return wnd ? wnd->WindowProc(msg, wParam, lParam) : DefWindowProcW(hwnd, msg, wParam, lParam);
    }
    }
}

namespace {

bool FactoryOf(HWND hwnd, WndFactoryCreate* create, WndFactoryDestroy* destroy) {
    wchar_t name[129] = L"";
    GetClassNameW(hwnd, name, 129);
    return FindClassFactory(name, create, destroy);
}

}  // namespace

void CWnd::ReleaseEntity(HWND hwnd, CWnd* wnd) {
    RemovePropW(hwnd, kEntityProp);
    if (wnd->m_madeByFactory) {
        WndFactoryCreate create;
        WndFactoryDestroy destroy;
        if (FactoryOf(hwnd, &create, &destroy)) destroy(wnd);
    } else {
        // A dead handle can be reused by another window.
        wnd->m_hwnd = nullptr;
        wnd->m_attached = 0;
    }
}

LRESULT CWnd::BindEntity(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    if (!cs) return 0;
    CWnd* wnd = nullptr;
    if (g_creating && cs->lpCreateParams == g_creating) {
        wnd = g_creating;
        wnd->m_hwnd = hwnd;
    } else {
        WndFactoryCreate create;
        WndFactoryDestroy destroy;
        if (!FactoryOf(hwnd, &create, &destroy))
            return DefWindowProcW(hwnd, WM_NCCREATE, wParam, lParam);
        wnd = create(hwnd);
        if (!wnd) return 0;
        wnd->m_madeByFactory = 1;
    }
    if (!SetPropW(hwnd, kEntityProp, wnd)) {
        ReleaseEntity(hwnd, wnd);
        return 0;
    }
    return wnd->WindowProc(WM_NCCREATE, wParam, lParam);
}
