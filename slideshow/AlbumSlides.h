#pragma once
// The slide window's view of an album object: its settings, read afresh on
// every call, and its photo list.

#include "slideshow/SlideSettings.h"

class CWppProfile;

class CAlbumSlides : public ISlideAlbum {
public:
    explicit CAlbumSlides(CWppProfile& album) : m_album(album) {}

    SlideSettings Settings() const override;
    void SetMaximized(bool on) override;
    void SetPlacement(int codeX, int codeY, int marginX, int marginY) override;
    int PhotoCount() const override;
    tstr PhotoPath(int index) const override;
    const CBmp* Thumbnail(int index) override;
    bool IsReachable(int index) const override;
    int CurrentIndex() const override;
    void SetCurrentIndex(int index) override;

private:
    CWppProfile& m_album;
};
