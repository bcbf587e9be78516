#pragma once
// The current album as the slide window sees it.

#include "slideshow/SlideSettings.h"

class CWppProfile;

class CShowAlbum : public ISlideAlbum {
public:
    explicit CShowAlbum(CWppProfile& album) : m_album(album) {}

    SlideSettings Settings() const override;
    void SetMaximized(bool on) override;
    void SetPlacement(int codeX, int codeY, int marginX, int marginY) override;
    int PhotoCount() const override;
    tstr PhotoPath(int index) const override;
    const CBmp* Thumbnail(int index) override;
    int CurrentIndex() const override;
    void SetCurrentIndex(int index) override;

private:
    CWppProfile& m_album;
};
