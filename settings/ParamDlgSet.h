#pragma once
// The bindings of one dialog: OnInit attaches them and records each setting's
// start value, commands and notifications reach them, Cancel reverts the
// settings, OK keeps them. The set owns its bindings.

#include <vector>

#include "settings/IParamDlg.h"
#include "settings/Param.h"

class CParamDlgSet {
public:
    CParamDlgSet() = default;
    CParamDlgSet(const CParamDlgSet&) = delete;
    CParamDlgSet& operator=(const CParamDlgSet&) = delete;
    // Bindings still held are detached and destroyed, so no setting keeps a
    // binding to a control that is gone.
    virtual ~CParamDlgSet();

    bool Add(IParam* setting, IParamDlg* binding);
    void DetachAll();
    void OnInit(HWND dialog);
    // IDCANCEL reverts every bound setting, IDOK moves the focus to the OK
    // button; both then drop every binding. Other commands reach the bindings.
    INT_PTR OnCommand(HWND dialog, WPARAM wParam, LPARAM lParam);
    INT_PTR OnNotify(HWND dialog, WPARAM wParam, LPARAM lParam);

    // Takes a destroyed binding out without touching it.
    void Forget(IParamDlg* binding);
    const std::vector<IParamDlg*>& Members() const { return m_members; }

private:
    std::vector<IParamDlg*> m_members;
};

// Creates a binding of `kind` for control `controlId` and adds it to `set`.
bool BindParam(CParamDlgSet* set, CParam<tstr>* setting, int kind, int controlId);
bool BindParam(CParamDlgSet* set, CParam<bool>* setting, int kind, int controlId);
bool BindParam(CParamDlgSet* set, CParam<int>* setting, int kind, int controlId);
bool BindParam(CParamDlgSet* set, CParam<unsigned long>* setting, int kind, int controlId);
