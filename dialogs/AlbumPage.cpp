#include "dialogs/AlbumPage.h"

bool CAlbumPage::Create(HWND parent, POINT at, CWppProfile* album) {
    m_album = album;
    if (!ShowModeless(nullptr, MAKEINTRESOURCEW(TemplateId()), parent)) return false;
    SetWindowPos(m_hwnd, HWND_TOP, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
    return true;
}

INT_PTR CAlbumPage::OnInitDialog() {
    PrepareControls();
    if (m_album) BindControls(*m_album);
    return CDialogParam::OnInitDialog();
}

void CAlbumPage::Rebind(CWppProfile* album) {
    m_album = album;
    DetachAll();
    if (!m_hwnd || !album) return;
    BindControls(*album);
    OnInit(m_hwnd);
}

void CAlbumPage::Show(bool visible) {
    if (m_hwnd) ShowWindow(m_hwnd, visible ? SW_SHOWNA : SW_HIDE);
}

void CAlbumPage::PassCommand(int id) {
    if (m_hwnd) SendMessageW(m_hwnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

void CAlbumPage::BindTriple(CParam<unsigned long>& setting, int editId, int spinId, int trackId) {
    BindParam(this, &setting, kParamEdit, editId);
    BindParam(this, &setting, kParamUpDown, spinId);
    BindParam(this, &setting, kParamTrackBar, trackId);
}
