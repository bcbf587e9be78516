#include "ui/ButtonFaces.h"

#include <windows.h>

#include "picture/Picture.h"

namespace {

constexpr int kAlpha = 3;

void SetOffset(CBmp& piece, int x, int y) {
    piece.offsetX = x;
    piece.offsetY = y;
}

// The base grown by 6 pixels and moved back by 3: the raised look of the
// hot face.
void Raise(CBmp& piece) {
    piece.Resample(102, 102);
    piece.Shift(-3, -3);
}

}  // namespace

bool ComposeButtonFaces(CBmp& image, int textureGifId, int overlayBitmapId) {
    while (image.LayerCount() < 3) image.AddLayer();
    CBmp mask;
    if (!image.ExtractChannel(kAlpha, mask)) return false;

    // A texture shaped by a mask: transparent except where the mask is not.
    auto texture = [&](CBmp& piece, const CBmp& shape) {
        LoadBmpFromPictureResource(nullptr, MAKEINTRESOURCEW(textureGifId), L"GIF", piece);
        piece.ScaleAlpha(0, 0);
        piece.ChannelCopy(shape, kAlpha);
    };
    auto overlay = [&](CBmp& piece) { LoadBmpFromResource(nullptr, overlayBitmapId, piece); };

    enum { kNormal = 0, kHot = 1, kPressed = 2 };
    if (CBmp* p = image.AddCopyToLayer(kNormal)) texture(*p, mask);
    if (CBmp* p = image.AddCopyToLayer(kNormal)) {
        overlay(*p);
        p->ScaleAlpha(192, 0);
    }

    if (CBmp* p = image.AddCopyToLayer(kHot)) {
        Raise(*p);
        SetOffset(*p, 7, 5);
        p->Tone(-80, -128);
        p->ScaleAlpha(64, 0);
    }
    if (CBmp* p = image.AddCopyToLayer(kHot)) {
        Raise(*p);
        SetOffset(*p, 0, 12);
        p->Tone(-80, -128);
        p->ScaleAlpha(32, 0);
    }
    if (CBmp* p = image.AddCopyToLayer(kHot)) {
        CBmp raisedMask(mask);
        Raise(raisedMask);
        texture(*p, raisedMask);
        p->Tone(32, 0);
    }
    if (CBmp* p = image.AddCopyToLayer(kHot)) {
        overlay(*p);
        p->Resample(104, 104);
        p->Shift(-3, -3);
    }

    if (CBmp* p = image.AddCopyToLayer(kPressed)) {
        SetOffset(*p, -1, -2);
        p->Tone(-256, -128);
        p->ScaleAlpha(128, 0);
    }
    if (CBmp* p = image.AddCopyToLayer(kPressed)) {
        SetOffset(*p, 2, 3);
        p->Tone(256, -128);
        p->ScaleAlpha(128, 0);
    }
    if (CBmp* p = image.AddCopyToLayer(kPressed)) {
        texture(*p, mask);
        SetOffset(*p, 0, 1);
        p->Tone(-48, 0);
    }
    if (CBmp* p = image.AddCopyToLayer(kPressed)) {
        overlay(*p);
        p->Tone(-32, 0);
        SetOffset(*p, 0, 1);
        p->ScaleAlpha(96, 0);
    }
    return true;
}
