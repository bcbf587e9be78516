#pragma once
// The thumbnail strip's picture, composed in memory: background, one row of
// thumbnails around the current photo, and the inverted frame of the centre
// cell. The window copies it out in one piece.

#include <cstdint>

class CPixView;
class ISlideAlbum;

// background is B, G, R, A as stored in a pixel. album may be null.
void DrawLenta(CPixView& target, ISlideAlbum* album, int cell, int slideOffset,
               uint32_t background);
