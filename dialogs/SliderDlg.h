#pragma once
// "Slider window settings" (template 129): photo size limits, the two
// opacities, fullscreen, the alignment of the slide window and whether it is
// kept out of screen sharing.

#include "dialogs/AlbumPage.h"

class CSliderDlg : public CAlbumPage {
protected:
    int TemplateId() const override;
    void PrepareControls() override;
    void BindControls(CWppProfile& album) override;
};
