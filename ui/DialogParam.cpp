#include "ui/DialogParam.h"

INT_PTR CDialogParam::OnInitDialog() {
    OnInit(m_hwnd);
    return TRUE;
}

INT_PTR CDialogParam::OnCommand(WPARAM wParam, LPARAM lParam) {
    CParamDlgSet::OnCommand(m_hwnd, wParam, lParam);
    return CDialog::OnCommand(wParam, lParam);
}

INT_PTR CDialogParam::OnNotify(int id, NMHDR* data, LRESULT* result) {
    CParamDlgSet::OnNotify(m_hwnd, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(data));
    return CDialog::OnNotify(id, data, result);
}
