#pragma once
// "Slider switching settings" (template 138): minutes between slides and
// the shuffled order.

#include "dialogs/AlbumPage.h"

class CSwitchDlg : public CAlbumPage {
protected:
    int TemplateId() const override;
    void BindControls(CWppProfile& album) override;
};
