#include "dialogs/SwitchDlg.h"

#include "album/WppProfile.h"
#include "res/dialogs.h"

int CSwitchDlg::TemplateId() const { return IDD_SWITCH_PAGE; }

void CSwitchDlg::BindControls(CWppProfile& album) {
    BindTriple(album.Timeout(), IDC_TIMEOUT_EDIT, IDC_TIMEOUT_SPIN, IDC_TIMEOUT_TRACK);
    BindParam(this, &album.Shuffle(), kParamCheckBox, IDC_SHUFFLE);
}
