#pragma once
// The slide window's view of an album object: its settings, read afresh on
// every call, and its photo list. Thumbnails come from the album's workers;
// `listener` hears when those the strip asked for arrive.

#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "slideshow/SlideSettings.h"

class CWppProfile;
class IThumbnailListener;

class CAlbumSlides : public ISlideAlbum {
public:
    CAlbumSlides(CWppProfile& album, IThumbnailListener* listener) : m_album(album), m_listener(listener) {}

    SlideSettings Settings() const override;
    void SetMaximized(bool on) override;
    void SetPlacement(int codeX, int codeY, int marginX, int marginY, const tstr& monitor) override;
    int PhotoCount() const override;
    tstr PhotoPath(int index) const override;
    const CBmp* Thumbnail(int index) override;
    bool IsReachable(int index) const override;
    // Remembered as unusable: the application drops it at its next check.
    void PhotoFailed(int index) override;
    // The album's "Caption", with how long ago for a photo of this day.
    std::wstring CaptionFor(const tstr& path) const override;
    bool IsFavourite(int index) const override;
    int NextToShow(int index) override;
    void PhotoShown(int index) override;
    void PhotoPassed(int index) override;
    int CurrentIndex() const override;
    void SetCurrentIndex(int index) override;

private:
    CWppProfile& m_album;
    // Drives and shares found out of reach, with the tick of that finding: a
    // sleeping share can take seconds to answer, so it is asked once a while
    // and not for every photo on it.
    mutable std::map<std::wstring, DWORD> m_unreachableRoots;
    IThumbnailListener* m_listener;
    // The one last handed out, alive while it is drawn.
    std::shared_ptr<const CBmp> m_shown;
};
