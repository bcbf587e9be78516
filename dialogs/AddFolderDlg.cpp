#include "dialogs/AddFolderDlg.h"

#include "album/FolderScan.h"
#include "res/dialogs.h"
#include "res/strings.h"
#include "ui/ResString.h"

CAddFolderDlg::CAddFolderDlg() {
    m_folder.SetValue(tstr(L""));
    m_subfolders.SetValue(false);
    m_follow.SetValue(false);
}

INT_PTR CAddFolderDlg::Run(HWND owner) { return ShowModal(nullptr, MAKEINTRESOURCEW(IDD_ADD_FOLDER), owner); }

INT_PTR CAddFolderDlg::OnInitDialog() {
    BindParam(this, &m_folder, kParamEdit, IDC_FOLDER_PATH);
    BindParam(this, &m_subfolders, kParamCheckBox, IDC_FOLDER_SUBFOLDERS);
    BindParam(this, &m_follow, kParamCheckBox, IDC_FOLDER_FOLLOW);
    return CDialogParam::OnInitDialog();
}

INT_PTR CAddFolderDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case IDC_FOLDER_BROWSE:
        Browse();
        return 0;
    case IDOK:
        // Nothing to add without a folder; the dialog stays.
        if (m_folder.GetValue().IsEmpty()) {
            MessageBeep(MB_ICONWARNING);
            return 0;
        }
        break;
    }
    return CDialogParam::OnCommand(wParam, lParam);
}

void CAddFolderDlg::Browse() {
    tstr folder = m_folder.GetValue();
    if (ChooseFolder(m_hwnd, LoadResString(nullptr, IDS_CHOOSE_FOLDER).c_str(), folder)) m_folder.SetValue(folder);
}
