#pragma once
// "Slider switching settings" (template 138): minutes between slides.

#include "dialogs/AlbumPage.h"

class CSwitchDlg : public CAlbumPage {
protected:
    int TemplateId() const override;
    void BindControls(CWppProfile& album) override;
};
