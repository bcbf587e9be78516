#pragma once
// Dialog base whose controls edit settings through its binding set:
// WM_INITDIALOG attaches the bindings (bind them first, then call this
// class's OnInitDialog), WM_COMMAND and WM_NOTIFY reach the bindings before
// the dialog's own handling.

#include "settings/ParamDlgSet.h"
#include "ui/Dialog.h"

class CDialogParam : public virtual CDialog, public virtual CParamDlgSet {
public:
    INT_PTR OnInitDialog() override;
    INT_PTR OnCommand(WPARAM wParam, LPARAM lParam) override;
    INT_PTR OnNotify(int id, NMHDR* data, LRESULT* result) override;
};

// A plain dialog built on CDialogParam.
class CParamDialog : public CDialogParam {};
