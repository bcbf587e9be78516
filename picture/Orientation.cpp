#include "picture/Orientation.h"

#include "picture/Bmp.h"

#include <cstddef>
#include <cstdint>

namespace {

// Where upright pixel (x, y) sits in the stored picture: at
// first + x * stepX + y * stepY, in pixels.
struct Walk {
    ptrdiff_t first;
    ptrdiff_t stepX;
    ptrdiff_t stepY;
};

Walk WalkFor(int orientation, ptrdiff_t w, ptrdiff_t h)
{
    const ptrdiff_t last = w * h - 1;
    switch (orientation) {
    case 2: return {w - 1, -1, w};
    case 3: return {last, -1, -w};
    case 4: return {last - (w - 1), 1, -w};
    case 5: return {0, w, 1};
    case 6: return {last - (w - 1), -w, 1};
    case 7: return {last, -w, -1};
    case 8: return {w - 1, w, -1};
    default: return {0, 1, w};
    }
}

}  // namespace

bool SwapsSides(int orientation) { return orientation >= 5 && orientation <= 8; }

FitSize UprightSize(int storedW, int storedH, int orientation)
{
    return SwapsSides(orientation) ? FitSize{storedH, storedW} : FitSize{storedW, storedH};
}

bool OrientUpright(CBmp& picture, int orientation)
{
    if (picture.Empty() || orientation < 2 || orientation > 8)
        return true;
    const FitSize size = UprightSize(picture.Width(), picture.Height(), orientation);
    uint8_t* bits = AllocPixels(size.width, size.height);
    if (!bits)
        return false;
    const Walk walk = WalkFor(orientation, picture.Width(), picture.Height());
    const uint32_t* src = reinterpret_cast<const uint32_t*>(picture.Bits());
    uint32_t* dst = reinterpret_cast<uint32_t*>(bits);
    // In tiles: a quarter turn reads the source down its columns, which
    // row by row would miss the cache on every pixel of a photo.
    const ptrdiff_t tile = 32, w = size.width, h = size.height;
    for (ptrdiff_t ty = 0; ty < h; ty += tile)
        for (ptrdiff_t tx = 0; tx < w; tx += tile)
            for (ptrdiff_t y = ty; y < h && y < ty + tile; ++y) {
                ptrdiff_t from = walk.first + y * walk.stepY + tx * walk.stepX;
                for (ptrdiff_t x = tx; x < w && x < tx + tile; ++x, from += walk.stepX)
                    dst[y * w + x] = src[from];
            }
    picture.Adopt(bits, size.width, size.height);
    return true;
}
