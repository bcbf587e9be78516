#include "slideshow/LentaDraw.h"

#include "album/Thumbnails.h"
#include "picture/Bmp.h"
#include "picture/PixView.h"
#include "slideshow/SlideMath.h"
#include "slideshow/SlideSettings.h"

#include <algorithm>

namespace {

// The pattern-invert of a white brush: colours flip, alpha stays.
void InvertRect(CPixView& target, int x, int y, int w, int h)
{
    ClipRect clip;
    if (!ClipTo(target.Width(), target.Height(), x, y, w, h, clip))
        return;
    for (int row = 0; row < clip.h; ++row) {
        uint8_t* px = target.Bits() + (static_cast<size_t>(clip.dstY + row) * target.Width() + clip.dstX) * 4;
        for (int col = 0; col < clip.w; ++col, px += 4) {
            px[0] ^= 0xFF;
            px[1] ^= 0xFF;
            px[2] ^= 0xFF;
        }
    }
}

// The photo of cell k, for k from -kLentaNeighbours to the cell count plus
// kLentaNeighbours; the album wraps around along the strip.
int CellPhoto(ISlideAlbum& album, const LentaLayout& layout, int k, int count)
{
    if (k >= 0 && k < layout.count)
        return LentaPhoto(album.CurrentIndex(), layout.half, k, count);
    const int first = LentaPhoto(album.CurrentIndex(), layout.half, 0, count);
    return ((first + k) % count + count) % count;
}

}  // namespace

void AskForLentaThumbnails(ISlideAlbum* album, int width, int cell)
{
    const int count = album ? album->PhotoCount() : 0;
    if (count <= 0)
        return;
    const LentaLayout layout = LayOutLenta(width, cell, 0);
    // The cells on show first: they are made in the order asked.
    for (int k = 0; k < layout.count; ++k)
        album->Thumbnail(CellPhoto(*album, layout, k, count));
    for (int k = 1; k <= kLentaNeighbours; ++k) {
        album->Thumbnail(CellPhoto(*album, layout, -k, count));
        album->Thumbnail(CellPhoto(*album, layout, layout.count - 1 + k, count));
    }
}

void DrawLenta(CPixView& target, ISlideAlbum* album, int cell, int slideOffset,
               uint32_t background, int frame, const CBmp* star)
{
    if (target.Empty())
        return;
    uint32_t* px = reinterpret_cast<uint32_t*>(target.Bits());
    std::fill(px, px + static_cast<size_t>(target.Width()) * target.Height(), background);

    const int h = cell;
    const LentaLayout layout = LayOutLenta(target.Width(), h, slideOffset);
    const int count = album ? album->PhotoCount() : 0;
    if (count > 0) {
        for (int k = 0; k < layout.count; ++k) {
            const int photo = CellPhoto(*album, layout, k, count);
            const CBmp* thumb = album->Thumbnail(photo);
            if (!thumb || thumb->Empty())
                thumb = &CThumbnails::Placeholder();
            const int x = layout.firstX + k * h;
            thumb->Draw(target, x + (h - thumb->Width()) / 2, (h - thumb->Height()) / 2);
            if (star && album->IsFavourite(photo))
                star->Draw(target, x + h - star->Width() - frame, frame);
        }
        AskForLentaThumbnails(album, target.Width(), cell);
    }

    const int x = layout.centreX;
    const int f = frame;
    InvertRect(target, x, 0, f, h);
    InvertRect(target, x + f, 0, h - f, f);
    InvertRect(target, x + h - f, f, f, h - f);
    InvertRect(target, x + f, h - f, h - 2 * f, f);
}
