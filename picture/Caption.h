#pragma once
// A caption drawn into a photo as it is presented: white text with a soft
// dark shadow, so that it reads on light and dark photos alike, in the lower
// left corner of the photo. Any thread may draw one (its own device context).

#include <windows.h>

#include "picture/Bmp.h"

// Text height for a frame `frameHeight` pixels tall at `dpi`: about a
// twentieth of the frame, never under 9 points.
int CaptionHeight(int frameHeight, int dpi);

// Draws `text` into `image` within `photo` (the photo's part of the image,
// which in fullscreen is smaller than the image), cut with an ellipsis when
// it is too long. Pixels outside `photo` are never touched. False, changing
// nothing, for an empty text or a photo too small to hold a line.
bool DrawCaption(CBmp& image, const RECT& photo, const wchar_t* text, int frameHeight, int dpi);
