#include "dialogs/AlbumNewDlg.h"

#include "dialogs/AlbumName.h"
#include "res/dialogs.h"

CAlbumNewDlg::CAlbumNewDlg(const CCollector<CWppProfile*>& albums) : m_albums(albums) {
    m_name.SetValue(tstr(L""));
}

INT_PTR CAlbumNewDlg::Run(HWND owner) { return ShowModal(nullptr, MAKEINTRESOURCEW(IDD_ALBUM_NEW), owner); }

INT_PTR CAlbumNewDlg::OnInitDialog() {
    BindParam(this, &m_name, kParamEdit, IDC_ALBUM_NAME);
    return CDialogParam::OnInitDialog();
}

INT_PTR CAlbumNewDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Checked before the bindings hear of OK: a refused name stays editable.
    if (LOWORD(wParam) == IDOK && !AcceptAlbumName(m_hwnd, Name(), OtherAlbumNames(m_albums, nullptr))) return 0;
    return CDialogParam::OnCommand(wParam, lParam);
}
