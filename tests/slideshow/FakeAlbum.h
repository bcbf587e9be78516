#pragma once
// An album held in memory: settings, photo paths and thumbnails made on
// request from solid colours, so the show can run without the store.

#include <algorithm>
#include <vector>

#include "picture/Bmp.h"
#include "picture/Picture.h"
#include "slideshow/SlideSettings.h"

class CFakeAlbum : public ISlideAlbum {
public:
    SlideSettings settings;
    std::vector<tstr> paths;
    std::vector<uint32_t> thumbColours;   // one per photo, when set
    static const uint32_t kThumbFromFile = 0;  // the photo's own thumbnail instead of a colour
    int index = 0;
    int thumbRequests = 0;
    std::vector<int> offline;   // indices whose location does not answer
    std::wstring caption;       // of every photo

    SlideSettings Settings() const override { return settings; }
    void SetMaximized(bool on) override { settings.maximized = on; }
    void SetPlacement(int codeX, int codeY, int marginX, int marginY, const tstr& monitor) override
    {
        settings.monitor = monitor;
        settings.placementX = codeX;
        settings.placementY = codeY;
        settings.marginX = marginX;
        settings.marginY = marginY;
    }
    int PhotoCount() const override { return static_cast<int>(paths.size()); }
    tstr PhotoPath(int i) const override
    {
        return i >= 0 && i < PhotoCount() ? paths[static_cast<size_t>(i)] : tstr(L"");
    }
    const CBmp* Thumbnail(int i) override
    {
        ++thumbRequests;
        if (i < 0 || i >= static_cast<int>(thumbColours.size()))
            return nullptr;
        thumbs_.resize(thumbColours.size());
        CBmp& t = thumbs_[static_cast<size_t>(i)];
        if (thumbColours[static_cast<size_t>(i)] == kThumbFromFile)
            MakePhotoThumbnail(paths[static_cast<size_t>(i)].c_str(), t);
        else if (t.Empty() && t.Create(64, 32))
            t.Fill(thumbColours[static_cast<size_t>(i)]);
        return &t;
    }
    bool IsReachable(int i) const override
    {
        return i >= 0 && std::find(offline.begin(), offline.end(), i) == offline.end();
    }
    std::wstring CaptionFor(const tstr&) const override { return caption; }
    int CurrentIndex() const override { return index; }
    void SetCurrentIndex(int i) override { index = i; }

private:
    std::vector<CBmp> thumbs_;
};
