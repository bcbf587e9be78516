#include "dialogs/AddFolderDlg.h"

#include "album/FolderScan.h"
#include "album/PhotoLocation.h"
#include "res/dialogs.h"
#include "res/strings.h"
#include "ui/ResString.h"

namespace {

// A full path whose folder is there or whose drive or share does not answer.
bool CanBeFollowed(const tstr& folder) {
    if (PathRoot(folder).IsEmpty()) return false;
    switch (LocatePhoto(folder)) {
    case PhotoPlace::Present:
        return IsFolder(folder);
    case PhotoPlace::Unreachable:
        return true;
    case PhotoPlace::Gone:
        break;
    }
    return false;
}

}  // namespace

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
        // A folder out of reach for now is taken: its share may be asleep.
        if (!CanBeFollowed(m_folder.GetValue())) {
            ShowMessage(m_hwnd, IDS_NO_SUCH_FOLDER, kCaptionWarning, MB_OK | MB_ICONWARNING);
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
