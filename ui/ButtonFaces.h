#pragma once
// Builds the normal, hot and pressed faces of an image button from its base
// picture (already in `image`), a GIF texture and an overlay bitmap of the
// program's resources. Layers 0, 1 and 2 receive 2, 4 and 4 pieces; the
// texture is piece 0 of the normal face and piece 2 of the others, which is
// what the hover animation scrolls. The faces are drawn for `dpi`: the base
// is enlarged to its size there and every piece and offset with it.

#include "picture/Bmp.h"
#include "ui/Dpi.h"

// False when the base has no pixels to take the mask from.
bool ComposeButtonFaces(CBmp& image, int textureGifId, int overlayBitmapId, int dpi = kDesignDpi);
