#pragma once
// "Add folder" (template 146): a folder, chosen with the folder picker or
// typed, and whether its sub-folders count and whether the album keeps in
// step with it from now on.

#include <windows.h>

#include "settings/Param.h"
#include "settings/ParamDlg.h"
#include "ui/DialogParam.h"

class CAddFolderDlg : public CDialogParam {
public:
    CAddFolderDlg();

    // IDOK when a folder was given; then the getters hold the choice.
    INT_PTR Run(HWND owner);
    const tstr& Folder() const { return m_folder.GetValue(); }
    bool Subfolders() const { return m_subfolders.GetValue(); }
    bool Follow() const { return m_follow.GetValue(); }

    INT_PTR OnInitDialog() override;
    INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    void Browse();

    CParam<tstr> m_folder;
    CParam<bool> m_subfolders;
    CParam<bool> m_follow;
};
