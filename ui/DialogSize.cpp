#include "ui/DialogSize.h"

namespace {

void AddClipSiblings(HWND control) {
    if (!control) return;
    SetWindowLongPtrW(control, GWL_STYLE,
                      GetWindowLongPtrW(control, GWL_STYLE) | WS_CLIPSIBLINGS);
}

}  // namespace

INT_PTR CDialogSize::OnInitDialog() {
    m_sizer = std::make_unique<CSizer>(Hwnd());
    AddClipSiblings(Item(IDOK));
    AddClipSiblings(Item(IDCANCEL));
    return CDialog::OnInitDialog();
}

void CDialogSize::OnSize(UINT type, int width, int height) {
    if (m_sizer) m_sizer->Size(type, MAKELPARAM(width, height));
}

void CDialogSize::OnSizing(UINT edge, RECT* rect) {
    if (m_sizer) m_sizer->Sizing(edge, rect);
}

void CDialogSize::OnDestroy() {
    RECT rc;
    if (GetWindowRect(Hwnd(), &rc))
        m_closedRect = RECT{rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top};
    m_sizer.reset();
}
