#pragma once
// A slide window setting page: a child dialog over the right-hand area of the
// album and settings dialogs whose controls edit one album's settings live.
// The host passes its OK and Cancel on (Cancel reverts the settings to their
// values at binding time); either only drops the bindings, the page window
// stays until the host goes.

#include <windows.h>

#include "settings/ParamDlg.h"
#include "settings/Param.h"
#include "ui/DialogParam.h"

class CWppProfile;

class CAlbumPage : public CDialogParam {
public:
    // Made hidden, with its top-left corner at `at` (client coordinates of
    // the parent); false when the window could not be made.
    bool Create(HWND parent, POINT at, CWppProfile* album);
    // Drops the bindings and binds the controls to `album`, showing its values.
    void Rebind(CWppProfile* album);
    void Show(bool visible);
    // Sends the host's OK (1) or Cancel (2) to the bindings.
    void PassCommand(int id);

    INT_PTR OnInitDialog() override;
    void OnOK() override {}
    void OnCancel() override {}

protected:
    virtual int TemplateId() const = 0;
    // Fills lists and the like before the first binding.
    virtual void PrepareControls() {}
    virtual void BindControls(CWppProfile& album) = 0;
    // The edit, up-down and track bar of one ranged setting.
    void BindTriple(CParam<unsigned long>& setting, int editId, int spinId, int trackId);

private:
    CWppProfile* m_album = nullptr;
};
