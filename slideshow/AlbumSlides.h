#pragma once
// The slide window's view of an album object: its settings, read afresh on
// every call, and its photo list.

#include <windows.h>

#include <map>
#include <string>

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
    // Drives and shares found out of reach, with the tick of that finding: a
    // sleeping share can take seconds to answer, so it is asked once a while
    // and not for every photo on it.
    mutable std::map<std::wstring, DWORD> m_unreachableRoots;
};
