#pragma once
// The album settings the slide window reads each time it shows a photo, and
// the album the show runs on. The application hands the slide window an
// ISlideAlbum; tests hand it a plain in-memory one.

#include <string>

#include "settings/Tstr.h"
#include "slideshow/SlideMath.h"

class CBmp;

struct SlideSettings {
    int timeout = 5;        // minutes; 0 never switches
    int sizeX = 320;        // largest photo width
    int sizeY = 240;        // largest photo height
    int sliderVis = 80;     // percent, pointer outside
    int sliderVisIn = 50;   // percent, pointer inside
    bool maximized = false; // fullscreen
    int placementX = 2;     // 0 left, 1 centre, 2 right, other: x = 0
    int placementY = 2;     // 0 top, 1 centre, 2 bottom, other: y = 0
    int marginX = 30;
    int marginY = 20;
    int thumbSize = 64;     // strip height and thumbnail cell
    tstr monitor = tstr(L""); // device name placement is measured on; empty: primary
    bool hideFromCapture = true; // out of screen sharing and screenshots
};

class ISlideAlbum {
public:
    virtual ~ISlideAlbum() = default;
    virtual SlideSettings Settings() const = 0;
    virtual void SetMaximized(bool on) = 0;
    virtual void SetPlacement(int codeX, int codeY, int marginX, int marginY, const tstr& monitor) = 0;
    virtual int PhotoCount() const = 0;
    // Empty for an index out of range.
    virtual tstr PhotoPath(int index) const = 0;
    // Null (or empty) while it is not made: asking for it has it made, and
    // the strip draws a placeholder meanwhile; a photo that cannot show
    // gives the marked placeholder. Valid until the next call.
    virtual const CBmp* Thumbnail(int index) = 0;
    // False while the photo's location is out of reach (a sleeping share, a
    // removed disk): the show passes over it.
    virtual bool IsReachable(int index) const { return index >= 0; }
    // The show could not decode the photo.
    virtual void PhotoFailed(int /*index*/) {}
    // The photo the switching timer shows after `index`: the next one in
    // album order, unless the album keeps an order of its own (a shuffled
    // round, which goes by the turns below). -1 without photos.
    virtual int NextToShow(int index) { return StepIndex(index, +1, PhotoCount()); }
    // What the caption drawn into the photo says; empty: none.
    virtual std::wstring CaptionFor(const tstr& /*path*/) const { return std::wstring(); }
    // The photo at `index` had its turn: shown, or passed over.
    virtual void PhotoShown(int /*index*/) {}
    virtual void PhotoPassed(int /*index*/) {}
    // Marked as a favourite: the strip shows a star on it.
    virtual bool IsFavourite(int /*index*/) const { return false; }
    virtual int CurrentIndex() const = 0;
    virtual void SetCurrentIndex(int index) = 0;
};
