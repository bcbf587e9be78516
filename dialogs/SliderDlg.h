#pragma once
// "Slider window settings" (template 129): photo size limits, the two
// opacities, fullscreen, the alignment of the slide window, whether it is
// kept out of screen sharing, the caption and the photos of this day.

#include "dialogs/AlbumPage.h"

class CSliderDlg : public CAlbumPage {
protected:
    int TemplateId() const override;
    void PrepareControls() override;
    void BindControls(CWppProfile& album) override;
};
