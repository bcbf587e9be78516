#pragma once
// Shown size of a photo, and the size of its thumbnail.

class CBmp;

struct FitSize {
    int width;
    int height;
};

// Fullscreen: the work area, whatever the aspect ratio. Otherwise the photo
// is scaled to the largest width (up or down) when it is wider than maxW or
// smaller in both directions, then reduced to maxH if still too high.
// Integer arithmetic truncating toward zero, multiplication first.
FitSize FitPhoto(int w, int h, int maxW, int maxH, bool fullscreen, int areaW, int areaH);

const int kThumbSide = 64;

// 64 on the longer side; never less than 1 on the shorter one.
FitSize ThumbnailSize(int w, int h);

// Turns a decoded picture into its thumbnail in place; false when it is
// empty or memory runs out.
bool MakeThumbnailOf(CBmp& picture);
