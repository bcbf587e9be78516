#include "picture/Fit.h"

#include "picture/Bmp.h"

#include <algorithm>

namespace {
int ScaleDiv(int v, int mul, int div) { return static_cast<int>(static_cast<long long>(v) * mul / div); }
}  // namespace

FitSize FitPhoto(int w, int h, int maxW, int maxH, bool fullscreen, int areaW, int areaH)
{
    if (fullscreen)
        return {areaW, areaH};
    if (w <= 0 || h <= 0 || maxW <= 0 || maxH <= 0)
        return {w, h};
    if (w > maxW || (w < maxW && h < maxH)) {
        h = ScaleDiv(h, maxW, w);
        w = maxW;
    }
    if (h > maxH) {
        w = ScaleDiv(w, maxH, h);
        h = maxH;
    }
    return {w, h};
}

FitSize ThumbnailSize(int w, int h)
{
    if (w <= 0 || h <= 0)
        return {0, 0};
    if (w > h)
        return {kThumbSide, std::max(1, ScaleDiv(h, kThumbSide, w))};
    return {std::max(1, ScaleDiv(w, kThumbSide, h)), kThumbSide};
}

bool MakeThumbnailOf(CBmp& picture)
{
    if (picture.Empty())
        return false;
    const FitSize size = ThumbnailSize(picture.Width(), picture.Height());
    return picture.Resample(size.width, size.height);
}
