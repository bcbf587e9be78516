#pragma once
// "New album" (template 130): asks for the name of a new album.

#include <windows.h>

#include "settings/Collector.h"
#include "settings/ParamDlg.h"
#include "settings/Param.h"
#include "ui/DialogParam.h"

class CWppProfile;

class CAlbumNewDlg : public CDialogParam {
public:
    explicit CAlbumNewDlg(const CCollector<CWppProfile*>& albums);

    // IDOK when a usable name was entered; then Name() holds it.
    INT_PTR Run(HWND owner);
    const tstr& Name() const { return m_name.GetValue(); }

    INT_PTR OnInitDialog() override;
    INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    const CCollector<CWppProfile*>& m_albums;
    CParam<tstr> m_name;
};
