#include "ui/NavPaneToolPicture.h"

#include "picture/Bmp.h"

namespace {

CBmp* AddPiece(CBmp& picture, int list, int dx, int dy) {
    CBmp* piece = picture.AddCopyToLayer(list);
    if (piece) {
        piece->offsetX += dx;
        piece->offsetY += dy;
    }
    return piece;
}

}  // namespace

void PrepareToolPicture(CBmp& picture) {
    if (picture.Empty()) return;
    while (picture.LayerCount() < 4) picture.AddLayer();

    if (CBmp* shadow = AddPiece(picture, 1, 2, 2)) {
        shadow->Tone(-128, -128);
        shadow->ScaleAlpha(48, 0);
    }
    if (CBmp* lit = AddPiece(picture, 1, -1, -1)) lit->Tone(32, 48);

    if (CBmp* grey = AddPiece(picture, 2, 0, 0)) grey->Tone(-80, -128);

    if (CBmp* light = AddPiece(picture, 3, 1, 1)) {
        light->Blur(1);
        light->Tone(128, -128);
        light->ScaleAlpha(512, 0);
    }
    if (CBmp* dark = AddPiece(picture, 3, -1, -1)) {
        dark->Blur(1);
        dark->Tone(-256, -128);
        dark->ScaleAlpha(512, 0);
        dark->ScaleAlpha(128, 0);
    }
    if (CBmp* sunk = AddPiece(picture, 3, 0, 0)) sunk->Tone(-16, 0);
}
