#pragma once
// The decoders of this process over bytes already read: what the decode
// helper runs, and how photos are decoded where no helper is set up.

#include "picture/Picture.h"
#include "picture/PictureBytes.h"

// GDI+ is tried only with `imageLibrary`. Counts nothing.
PhotoDecoder DecodePhotoHere(const CPictureBytes& bytes, const PhotoRequest& request, bool imageLibrary, CBmp& out);
