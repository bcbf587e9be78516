#pragma once
// The thumbnail strip's picture, composed in memory: background, one row of
// thumbnails around the current photo, and the inverted frame of the centre
// cell. The window copies it out in one piece.

#include <cstdint>

class CBmp;
class CPixView;
class ISlideAlbum;

// Cells sitting beyond each end whose thumbnails are asked for as well, so
// that a click or the next switch finds them made.
const int kLentaNeighbours = 2;

// background is B, G, R, A as stored in a pixel. album may be null. A
// thumbnail not made yet is drawn as the placeholder and asked for; a photo
// that cannot show comes from the album as the dimmed, marked placeholder. The
// centre cell's frame is `frame` pixels wide (3 at 96 DPI). A favourite's
// cell has `star` (null: none) in its upper right corner.
void DrawLenta(CPixView& target, ISlideAlbum* album, int cell, int slideOffset,
               uint32_t background, int frame = 3, const CBmp* star = nullptr);
// Asks for the thumbnails a strip `width` pixels wide shows, and their
// neighbours, without drawing.
void AskForLentaThumbnails(ISlideAlbum* album, int width, int cell);
