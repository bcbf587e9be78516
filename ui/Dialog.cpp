#include "ui/Dialog.h"

#include <windowsx.h>

#include "ui/Wnd.h"

const wchar_t CDialog::kEntityProp[] = L"DLG_ENTITY";

namespace {

// In-memory template without controls, for dialogs made without a resource.
struct EmptyTemplate {
    DLGTEMPLATE header;
    WORD menu = 0;
    WORD windowClass = 0;
    WORD title = 0;
};

EmptyTemplate MakeEmptyTemplate(DWORD style) {
    EmptyTemplate t{};
    t.header.style = style;
    t.header.cx = 1;
    t.header.cy = 1;
    return t;
}

HINSTANCE ModuleOrProgram(HINSTANCE module) {
    return module ? module : ProgramModule();
}

}  // namespace

CDialog::~CDialog() {
    if (m_hwnd && IsWindow(m_hwnd)) {
        // The derived parts are gone: detach before the window's last messages.
        RemovePropW(m_hwnd, kEntityProp);
        DestroyWindow(m_hwnd);
    }
}

INT_PTR CDialog::DialogProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return Dispatch(msg, wParam, lParam);
}

INT_PTR CDialog::Dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    switch (msg) {
    case WM_CREATE: return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam));
    case WM_DESTROY: OnDestroy(); return 0;
    case WM_MOVE: OnMove(x, y); return 0;
    case WM_SIZE: OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_PAINT: OnPaint(); return 0;
    case WM_SHOWWINDOW: OnShowWindow(static_cast<BOOL>(wParam), static_cast<int>(lParam)); return 0;
    case WM_SETCURSOR:
        return OnSetCursor(reinterpret_cast<HWND>(wParam), static_cast<short>(LOWORD(lParam)),
                           HIWORD(lParam));
    case WM_DRAWITEM:
        OnDrawItem(static_cast<int>(wParam), reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        return 0;
    case WM_NOTIFY: {
        LRESULT result = 0;
        const INT_PTR handled =
            OnNotify(static_cast<int>(wParam), reinterpret_cast<NMHDR*>(lParam), &result);
        SetWindowLongPtrW(m_hwnd, DWLP_MSGRESULT, result);
        return handled;
    }
    case WM_KEYDOWN: OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_KEYUP: OnKeyUp(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam)); return 0;
    case WM_INITDIALOG: return OnInitDialog();
    case WM_COMMAND: return OnCommand(wParam, lParam);
    case WM_SYSCOMMAND: return OnSysCommand(wParam, lParam);
    case WM_TIMER: OnTimer(wParam); return 0;
    case WM_MOUSEMOVE: OnMouseMove(wParam, x, y); return 0;
    case WM_LBUTTONDOWN: OnLButtonDown(wParam, x, y); return 0;
    case WM_LBUTTONUP: OnLButtonUp(wParam, x, y); return 0;
    case WM_RBUTTONDOWN: OnRButtonDown(wParam, x, y); return 0;
    case WM_RBUTTONUP: OnRButtonUp(wParam, x, y); return 0;
    case WM_SIZING: OnSizing(static_cast<UINT>(wParam), reinterpret_cast<RECT*>(lParam)); return 0;
    case WM_MOUSELEAVE: OnMouseLeave(); return 0;
    case WM_DPICHANGED:
        // Moved to a monitor of another DPI. Not handled: the dialog manager
        // then scales the template's controls and fonts as well.
        if (const RECT* rc = reinterpret_cast<const RECT*>(lParam))
            SetWindowPos(m_hwnd, nullptr, rc->left, rc->top, rc->right - rc->left, rc->bottom - rc->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    default: return 0;
    }
}

INT_PTR CDialog::OnCommand(WPARAM wParam, LPARAM) {
    if (wParam == IDOK)
        OnOK();
    else if (wParam == IDCANCEL)
        OnCancel();
    return 0;
}

INT_PTR CDialog::OnSysCommand(WPARAM, LPARAM) { return 0; }
INT_PTR CDialog::OnNotify(int, NMHDR*, LRESULT*) { return 1; }
INT_PTR CDialog::OnSetCursor(HWND, int, int) { return 0; }
void CDialog::OnSize(UINT, int, int) {}
void CDialog::OnMove(int, int) {}
void CDialog::OnSizing(UINT, RECT*) {}
void CDialog::OnShowWindow(BOOL, int) {}
void CDialog::OnOK() { End(IDOK); }
void CDialog::OnCancel() { End(IDCANCEL); }
INT_PTR CDialog::OnInitDialog() { return TRUE; }
void CDialog::OnDestroy() {}
INT_PTR CDialog::OnCreate(CREATESTRUCTW*) { return 0; }
void CDialog::OnLButtonDown(WPARAM, int, int) {}
void CDialog::OnLButtonUp(WPARAM, int, int) {}
void CDialog::OnRButtonDown(WPARAM, int, int) {}
void CDialog::OnRButtonUp(WPARAM, int, int) {}
void CDialog::OnMouseMove(WPARAM, int, int) {}
void CDialog::OnMouseLeave() {}
void CDialog::OnKeyDown(UINT, UINT, UINT) {}
void CDialog::OnKeyUp(UINT, UINT, UINT) {}
void CDialog::OnTimer(UINT_PTR) {}
void CDialog::OnPaint() {}
void CDialog::OnDrawItem(int, DRAWITEMSTRUCT*) {}

HWND CDialog::ShowModeless(HINSTANCE module, const wchar_t* templateName, HWND parent) {
    m_modal = false;
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    if (templateName)
        return CreateDialogParamW(ModuleOrProgram(module), templateName, parent,
                                  &CDialog::SharedDialogProc, self);
    const EmptyTemplate empty = MakeEmptyTemplate(WS_CHILD);
    return CreateDialogIndirectParamW(ModuleOrProgram(module), &empty.header, parent,
                                      &CDialog::SharedDialogProc, self);
}

INT_PTR CDialog::ShowModal(HINSTANCE module, const wchar_t* templateName, HWND parent) {
    m_modal = true;
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    INT_PTR result;
    if (templateName) {
        result = DialogBoxParamW(ModuleOrProgram(module), templateName, parent,
                                 &CDialog::SharedDialogProc, self);
    } else {
        // A child window cannot run a modal loop of its own.
        const EmptyTemplate empty = MakeEmptyTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU);
        result = DialogBoxIndirectParamW(ModuleOrProgram(module), &empty.header, parent,
                                         &CDialog::SharedDialogProc, self);
    }
    m_modal = false;
    return result;
}

void CDialog::End(INT_PTR result) {
    if (!m_hwnd) return;
    if (m_modal)
        EndDialog(m_hwnd, result);
    else
        DestroyWindow(m_hwnd);
}

CDialog* CDialog::FromHandle(HWND hwnd) {
    return hwnd ? static_cast<CDialog*>(GetPropW(hwnd, kEntityProp)) : nullptr;
}

INT_PTR CALLBACK CDialog::SharedDialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        return RouteToEntity(hwnd, msg, wParam, lParam);
    } catch (...) {
        // Nothing may unwind into user32.
        return 0;
    }
}

INT_PTR CDialog::RouteToEntity(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_SETFONT) return DefWindowProcW(hwnd, msg, wParam, lParam);
    if (msg == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<CDialog*>(lParam);
        if (!dialog) return 0;
        dialog->m_hwnd = hwnd;
        SetPropW(hwnd, kEntityProp, dialog);
    }
    CDialog* dialog = FromHandle(hwnd);
    if (!dialog) return 0;
    const INT_PTR result = dialog->DialogProc(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        // The handle is dead from here on and may be reused by another window.
        RemovePropW(hwnd, kEntityProp);
        dialog->m_hwnd = nullptr;
    }
    return result;
}
