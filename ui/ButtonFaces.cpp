#include "ui/ButtonFaces.h"

#include <windows.h>

#include "picture/Picture.h"

namespace {

constexpr int kAlpha = 3;

}  // namespace

bool ComposeButtonFaces(CBmp& image, int textureGifId, int overlayBitmapId, int dpi) {
    auto scaled = [dpi](int value) { return ScaleForDpi(value, dpi); };
    auto setOffset = [&](CBmp& piece, int x, int y) {
        piece.offsetX = scaled(x);
        piece.offsetY = scaled(y);
    };
    // The base grown by 6 pixels and moved back by 3: the raised look of the
    // hot face.
    auto raise = [&](CBmp& piece) {
        piece.Resample(scaled(102), scaled(102));
        piece.Shift(scaled(-3), scaled(-3));
    };

    while (image.LayerCount() < 3) image.AddLayer();
    FitArtworkToDpi(image, dpi);
    CBmp mask;
    if (!image.ExtractChannel(kAlpha, mask)) return false;

    // A texture shaped by a mask: transparent except where the mask is not.
    auto texture = [&](CBmp& piece, const CBmp& shape) {
        LoadBmpFromPictureResource(nullptr, MAKEINTRESOURCEW(textureGifId), L"GIF", piece);
        FitArtworkToDpi(piece, dpi);
        piece.ScaleAlpha(0, 0);
        piece.ChannelCopy(shape, kAlpha);
    };
    auto overlay = [&](CBmp& piece) {
        LoadBmpFromResource(nullptr, overlayBitmapId, piece);
        FitArtworkToDpi(piece, dpi);
    };

    enum { kNormal = 0, kHot = 1, kPressed = 2 };
    if (CBmp* p = image.AddCopyToLayer(kNormal)) texture(*p, mask);
    if (CBmp* p = image.AddCopyToLayer(kNormal)) {
        overlay(*p);
        p->ScaleAlpha(192, 0);
    }

    if (CBmp* p = image.AddCopyToLayer(kHot)) {
        raise(*p);
        setOffset(*p, 7, 5);
        p->Tone(-80, -128);
        p->ScaleAlpha(64, 0);
    }
    if (CBmp* p = image.AddCopyToLayer(kHot)) {
        raise(*p);
        setOffset(*p, 0, 12);
        p->Tone(-80, -128);
        p->ScaleAlpha(32, 0);
    }
    if (CBmp* p = image.AddCopyToLayer(kHot)) {
        CBmp raisedMask(mask);
        raise(raisedMask);
        texture(*p, raisedMask);
        p->Tone(32, 0);
    }
    if (CBmp* p = image.AddCopyToLayer(kHot)) {
        overlay(*p);
        p->Resample(scaled(104), scaled(104));
        p->Shift(scaled(-3), scaled(-3));
    }

    if (CBmp* p = image.AddCopyToLayer(kPressed)) {
        setOffset(*p, -1, -2);
        p->Tone(-256, -128);
        p->ScaleAlpha(128, 0);
    }
    if (CBmp* p = image.AddCopyToLayer(kPressed)) {
        setOffset(*p, 2, 3);
        p->Tone(256, -128);
        p->ScaleAlpha(128, 0);
    }
    if (CBmp* p = image.AddCopyToLayer(kPressed)) {
        texture(*p, mask);
        setOffset(*p, 0, 1);
        p->Tone(-48, 0);
    }
    if (CBmp* p = image.AddCopyToLayer(kPressed)) {
        overlay(*p);
        p->Tone(-32, 0);
        setOffset(*p, 0, 1);
        p->ScaleAlpha(96, 0);
    }
    return true;
}
